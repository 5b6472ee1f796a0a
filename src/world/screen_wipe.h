// The screen wipe: black squares grow in every 40 x 40 cell of the screen in a diagonal wave
// from the top left until the screen is black (fade out), and shrink in the opposite wave to
// uncover it again (fade in). Scripts start a wipe and poll IsFading until it is done.
#pragma once

#include <cstdint>

struct ScreenWipe {
  uint32_t busy;       // 1 while a wipe runs
  uint32_t direction;  // 1 towards black, 0 back to the picture
  int32_t step;        // the wave's position
  // Side of each cell's black square in 1/100 pixel (4000 = the whole cell), row x 16 + column.
  int32_t FadeCells[512];
};

extern ScreenWipe Wipe;

void FadeOut();
void FadeIn();
uint32_t IsFading();
// Once a frame, after the map layers and the status panel: draws the wipe and advances it.
// Returns the busy flag after this frame.
uint32_t DrawFade();
void ResetFade();
