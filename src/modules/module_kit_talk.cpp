// The module kit's conversation step machine: the talks of the townspeople, one step a frame on
// EventStep[group], with the heroine and the group's slot 0 held while it runs.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "modules/module_kit.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr int kTalkWindow = 24;  // a line of 24 full-width characters

void Hold(const Actor& a) {
  a.Control() = 1;
  a.Input() = 0;
}

void OpenLine(const TalkStep& step) {
  CloseMessage();
  OpenMessage(kTalkWindow, 0, 0, step.speaker, step.text, nullptr, step.flag);
}

void EndTalk(int group, int next) {
  SubMode = kSubWorld;
  SubModeArg = 0;
  Actor(kHeroineGroup, 0).Control() = 0;
  Actor(group, 0).Control() = 0;
  EventStep[group] = next;
}

}  // namespace

int RunConversation(int group, std::span<const TalkStep> steps) {
  const Actor npc(group, 0);
  Hold(Actor(kHeroineGroup, 0));
  Hold(npc);
  int32_t& at = EventStep[group];
  // The step counter lies in the save block, so a loaded game may hold any value: a step the
  // talk does not have ends it at once and starts the next talk from the beginning.
  if (at < 0 || static_cast<size_t>(at) >= steps.size()) {
    EndTalk(group, 0);
    return 1;
  }
  const TalkStep& step = steps[static_cast<size_t>(at)];
  if (step.balloon >= 0) DrawActorBalloon(group, 0, step.balloon);
  switch (step.action) {
    case TalkAction::Line:
      OpenLine(step);
      at = step.next;
      return 0;
    case TalkAction::Wait:
      if (MessageResult != -2) return 0;
      if (step.text != nullptr) OpenLine(step);
      at = step.next;
      return 0;
    case TalkAction::End:
      if (MessageResult != -2) return 0;
      EndTalk(group, step.next);
      return 1;
  }
  return 0;
}
