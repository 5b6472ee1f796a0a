// A test module built from the module kit only: the plain walker, on a group no module of the
// game uses. It walks 1 pixel a frame the way it faces, turns at walls and 960 pixels from its
// home, falls off ledges, dies when its life is gone or when a script holds it, and comes back
// home once the heroine has left the surroundings of where it fell. It wears the turtle's
// pictures of sprite sheet 3 (bitmap 173).
//
// The world passes call modules by name, so they do not call this one: tests run its Update,
// Move and Draw by hand around the passes (RunWalkerWorldFrame), or push its pictures before a
// harness frame renders them.
#pragma once

#include <cstdint>

constexpr int kTestWalkerGroup = 50;
constexpr int kTestWalkerTicks = 2;
constexpr int kTestWalkerRange = 960;
constexpr int kTestWalkerLife = 5;

// Its routines, in the order every module keeps them.
int GetTestWalkerPattern(int cursor);
void AdvanceTestWalker(int32_t& cursor);
int GetTestWalkerCell(int pattern, int facing);
int GetTestWalkerSize(int pattern, int axis);
int GetTestWalkerHitRect(int pattern, int which);
void SetTestWalkerHitBox(int slot);
void UpdateTestWalker();
void MoveTestWalker();
void DrawTestWalker();

// One frame of the world with the walker in its passes, as the frame runs them when the world
// runs (without the sub-modes, the camera and the picture): the draw queue is emptied first, so
// afterwards it holds what this frame queued; frame counter 0 then moves on.
void RunWalkerWorldFrame();
