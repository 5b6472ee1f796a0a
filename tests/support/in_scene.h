// A frame harness in one of the game's scenes: after the new game's first frame, the world free
// (no sub-mode), the scene entered as a door enters it, and five frames run, so that its fade-in
// has begun. A guide talk that starts where she arrives (the town's, once a game) is heard out.
//
//   InScene game(kSceneTown);
//   ResetFade();  // for a picture at once, without waiting for the fade-in
//
// Or a harness of one's own started in the cave, where play begins:
//
//   FrameHarness game;
//   StartInTheCave(game);
#pragma once

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "ui/hud.h"

struct InScene : FrameHarness {
  explicit InScene(int scene) {
    Run();
    SubMode = kSubWorld;
    SubModeArg = 0;
    ChangeScene(scene);
    Run(5);
    for (int taps = 0; taps < 40 && SubMode == kSubGuideEvent; ++taps) PressButton(kButtonJump);
  }
};

// The start of play without the title screen and the opening: the new game's first frame, then
// the cave as the opening leaves her in it (the world free, the HUD shown) and one frame of play.
inline void StartInTheCave(FrameHarness& game) {
  game.Run();
  SubMode = kSubWorld;
  SubModeArg = 0;
  ChangeScene(kSceneCave);
  ShowHud();
  game.Run();
}
