#include "support/town_talk.h"

#include <cstdlib>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "backend/common/sjis.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "world/message_window.h"

namespace {

int Middle(const Actor& a) { return (a.BodyBox().left + a.BodyBox().right) / 2; }

}  // namespace

void PrintTo(const ShownLine& line, std::ostream* out) {
  *out << "{" << backend::SjisToUtf8(line.speaker.c_str()) << " " << backend::SjisToUtf8(line.text.c_str())
       << " flags " << line.flags << "}";
}

bool WalkUpTo(FrameHarness& game, int group) {
  const Actor hero(kHeroineGroup, 0), npc(group, 0);
  for (int frame = 0; frame < 600; ++frame) {
    const int dx = Middle(npc) - Middle(hero);
    if (std::abs(dx) <= 24) {
      game.ReleaseAll();
      game.Run();
      return true;
    }
    game.ReleaseAll();
    game.HoldButton(dx > 0 ? kButtonRight : kButtonLeft);
    game.Run();
  }
  game.ReleaseAll();
  return false;
}

TalkRecord ReadTalk(FrameHarness& game, int group, const std::function<void()>& each_frame) {
  TalkRecord talk;
  bool was_open = false;
  for (; talk.frames < 2000 && SubMode == kSubTalk && SubModeArg == group; ++talk.frames) {
    if (talk.frames % 2 == 0) {
      game.HoldButton(kButtonJump);
    } else {
      game.ReleaseButton(kButtonJump);
    }
    game.Run();
    if (each_frame) each_frame();
    const MessageWindowRecord& m = MessageWindow;
    if (m.open != 1) {
      was_open = false;
      continue;
    }
    const ShownLine shown{m.speaker, m.text, m.flags};
    if (!was_open || talk.lines.empty() || !(talk.lines.back() == shown)) talk.lines.push_back(shown);
    was_open = true;
    if (HeroControl != 1 || Actor(group, 0).Control() != 1) talk.held = false;
  }
  game.ReleaseButton(kButtonJump);
  talk.ended = SubMode == kSubWorld;
  return talk;
}

TalkRecord TalkWith(FrameHarness& game, int group, const std::function<void()>& each_frame) {
  if (!WalkUpTo(game, group)) return {};
  game.PressButton(kButtonAction);
  return ReadTalk(game, group, each_frame);
}
