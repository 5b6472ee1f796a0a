// The title screen, the first thing the program shows: a short play of nine sprite blocks inside
// a letterbox (any button skips it), the title picture on white, a fade through black to the
// title menu, and from the menu a new game (the opening), a saved game, the options or the end
// of the program. One step machine on SceneStep, called once a frame while the start sequence's
// stage is 1.
//
// The nine sprites are slots 0..8 of actor group 255, one field each: frame (AnimCursor), x
// (PosX), y (PosY), dx (StepX), dy (StepY), width and height in cells (MaxLife, Life), base cell
// (Param24) and on (ExpReward: 0 hidden, 1 shown, 2 shown with its one-shot picture playing). No
// module runs in that group and its State stays 0.
#pragma once

#include <cstdint>

constexpr int kTitleSpriteGroup = 255;
constexpr int kTitleSpriteCount = 9;

// One step; returns 1: the world's passes keep running behind the title.
uint32_t RunTitleScene();
// Draws each shown sprite at once and moves it on (frame, then x += dx and y += dy), then queues
// the letterbox.
void DrawTitleAnimation();
// w x h cells drawn at once onto the back buffer: cell first + column + 40 x row at
// (x + 16 x column, y + 16 x row).
void DrawCellBlock(int x, int y, int w, int h, int first);
// Four black bands on draw layer 4 that leave a window of 440 x 280 at (100, 100).
void DrawLetterbox();

// The steps the title has (the option menus' included): a loaded save keeps a known step.
bool IsTitleSceneStep(int32_t step);
