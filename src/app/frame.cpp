#include "app/game_flow.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "world/save_block.h"

int32_t GameMode = 0;
int32_t SubMode = 0;
int32_t SubModeArg = 0;
int32_t MessageResult = -1;

void RunFrame(Window window) {
  SampleInput();
  // Present the picture drawn during the last frame and start this one on a black back buffer.
  PresentAndClear(window, 1);

  LastKey = 0;
}
