// Pancho (group 5): a town NPC who walks the east street at random and shouts at the heroine,
// with an anger balloon over him while she reads it. His head bobs as he walks; he wears it
// over his body, on sprite sheet 1 as bitmap 203.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "modules/town_npc.h"

namespace {
constexpr int kGroup = 5;
constexpr const char* kPancho = "パンチョさん：";
constexpr const char* kShout = "「うるせー！」";
constexpr int kAnger = 3;  // the balloon's kind
}  // namespace

void UpdateNpcPancho() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  UpdateTownWalkers(kGroup, WlkTbl, {.range_only_while_free = false, .faces_by_bit = false});
}

void MoveNpcPancho() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  MoveTownNpcs(kGroup, WlkTbl, kNpcBoxHeight);
}

void DrawNpcPancho() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  static constexpr auto BYHTbl = ValueTable<5>({{0, {4, 5, 6, 5, 6}}});
  DrawTownWalkers(kGroup, WlkTbl, {.head_cell = 1236, .head_bob = BYHTbl, .head_drop = 0, .body_cell = 1520});
}

// A shout and her greeting, then his grumble about his head, then the shout on every later
// talk; he is angry while each of his lines is read. Step 2 is never reached.
void TalkNpcPancho() {
  static constexpr TalkStep kSteps[] = {
      {TalkAction::Line, 1, kPancho, kShout, 0},
      {TalkAction::Wait, 3, "トヴィア・ローデン：", "「パンチョさんこんにちはー」", 1, kAnger},
      {TalkAction::Wait, 3},
      {TalkAction::End, 4},
      {TalkAction::Line, 5, kPancho, "「るせーなー、どうせハゲだよ！」", 0},
      {TalkAction::End, 6, nullptr, nullptr, 1, kAnger},
      {TalkAction::Line, 7, kPancho, kShout, 0},
      {TalkAction::End, 6, nullptr, nullptr, 1, kAnger},
  };
  RunConversation(kGroup, kSteps);
}
