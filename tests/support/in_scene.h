// A frame harness in one of the game's scenes: after the new game's first frame, the world free
// (no sub-mode), the scene entered as a door enters it, and five frames run, so that its fade-in
// has begun.
//
//   InScene game(kSceneTown);
//   ResetFade();  // for a picture at once, without waiting for the fade-in
#pragma once

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "support/frame_harness.h"

struct InScene : FrameHarness {
  explicit InScene(int scene) {
    Run();
    SubMode = kSubWorld;
    SubModeArg = 0;
    ChangeScene(scene);
    Run(5);
  }
};
