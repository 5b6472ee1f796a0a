// Lime (group 4), Lime Rosenfield: a town NPC who walks the lower street at random and would
// rather live in a handier town. Her head bobs as she walks; she wears it over her body, on
// sprite sheet 1 as bitmap 203.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "modules/town_npc.h"

namespace {
constexpr int kGroup = 4;
constexpr const char* kLime = "ライム・ローゼンフィールド：";
}  // namespace

void UpdateNpcLime() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  UpdateTownWalkers(kGroup, WlkTbl, {.range_only_while_free = false, .faces_by_bit = false});
}

void MoveNpcLime() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  MoveTownNpcs(kGroup, WlkTbl, kNpcBoxHeight);
}

void DrawNpcLime() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  static constexpr auto BYHTbl = ValueTable<5>({{0, {4, 5, 6, 5, 6}}});
  DrawTownWalkers(kGroup, WlkTbl, {.head_cell = 1232, .head_bob = BYHTbl, .head_drop = 0, .body_cell = 1210});
}

// Her greeting, her complaint about the town office, then her sigh on every later talk.
void TalkNpcLime() {
  static constexpr TalkStep kSteps[] = {
      {TalkAction::Line, 1, kLime, "「あらトヴィアちゃん。」"},
      {TalkAction::Wait, 2, "トヴィア・ローデン：", "「ライムさんこんにちは」"},
      {TalkAction::End, 3},
      {TalkAction::Line, 4, kLime,
       "「もっと利便の良い街に移りたいんだけど、数年前から申請してるのに、全然許可が下りないの。役所は何をしてるのかしらね」"},
      {TalkAction::End, 5},
      {TalkAction::Line, 6, kLime, "「はぁ、【首都ベルベーン】にでも移りたいわ」"},
      {TalkAction::End, 5},
  };
  RunConversation(kGroup, kSteps);
}
