#include "support/title_play.h"

#include "app/game_flow.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "world/message_window.h"

bool RunToTitleStep(FrameHarness& game, int32_t step, int cap) {
  for (int i = 0; i < cap; ++i) {
    if (SubMode == kSubStartSequence && SubModeArg == 1 && SceneStep == step) return true;
    game.Run();
  }
  return SceneStep == step;
}

bool ReachTitleMenu(FrameHarness& game) {
  if (!RunToTitleStep(game, 3999, 10)) return false;
  game.PressButton(kButtonJump);
  return RunToTitleStep(game, 500);
}

void ChooseLine(FrameHarness& game, int line) {
  for (int i = 0; i < line; ++i) game.PressButton(kButtonDown);
  game.PressButton(kButtonJump);
  game.Run();
}

OpeningRecord PlayOpening(FrameHarness& game, const std::vector<uint8_t>& tapped,
                          const std::function<void()>& each_frame) {
  OpeningRecord opening;
  bool was_open = false;
  for (; opening.frames < 6000 && SubMode == kSubStartSequence; ++opening.frames) {
    const bool down = opening.frames % 2 == 0;
    if (down && MessageWindow.open == 1) {
      game.HoldButton(kButtonJump);
    } else {
      game.ReleaseButton(kButtonJump);
    }
    for (uint8_t key : tapped) down ? game.Hold(key) : game.Release(key);
    game.Run();
    if (each_frame) each_frame();
    const MessageWindowRecord& m = MessageWindow;
    const ShownLine shown{m.speaker, m.text, m.flags};
    if (m.open == 1 && (!was_open || opening.lines.empty() || !(opening.lines.back() == shown)))
      opening.lines.push_back(shown);
    was_open = m.open == 1;
  }
  game.ReleaseAll();
  opening.ended = SubMode == kSubWorld;
  return opening;
}
