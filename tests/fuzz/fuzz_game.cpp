#include "fuzz/fuzz_game.h"

#include "app/game_flow.h"
#include "fuzz/fuzz_scratch.h"
#include "platform/input.h"

// Without sound: the targets that play test no effect, and loading them all for every input
// would take most of the time.
FuzzGame::FuzzGame() : FrameHarness(ScratchFolder(), false) {
  // The new game's own set-up, without the title screen in front of it.
  NewGameInit();
  GameMode = kGamePlaying;
  SubMode = kSubWorld;
  SubModeArg = 0;
}

void HoldButtonsOf(FrameHarness& game, uint8_t bits) {
  for (int button = 0; button < 8; ++button) {
    if ((bits >> button & 1) != 0) {
      game.HoldButton(button);
    } else {
      game.ReleaseButton(button);
    }
  }
}
