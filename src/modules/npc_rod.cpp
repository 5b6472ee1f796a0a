// Rod (group 3), Rodriguez Horn: a town NPC who walks the main street at random and talks with
// the heroine about the trade road. He turns to the way he walks, and a scene that holds him
// may walk him beyond his range. He wears his head over his body, on sprite sheet 1 as bitmap
// 203.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "modules/town_npc.h"

namespace {
constexpr int kGroup = 3;
constexpr const char* kRod = "ロドリゲス・ホーン：";
constexpr const char* kHeroine = "トヴィア・ローデン：";
}  // namespace

void UpdateNpcRod() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  UpdateTownWalkers(kGroup, WlkTbl, {.range_only_while_free = true, .faces_by_bit = true});
}

void MoveNpcRod() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  MoveTownNpcs(kGroup, WlkTbl, kNpcBoxHeight);
}

void DrawNpcRod() {
  static constexpr auto WlkTbl = NpcWalkTable<51>();
  DrawTownWalkers(kGroup, WlkTbl, {.head_cell = 1230, .head_bob = {}, .head_drop = 1, .body_cell = 1200});
}

// His greeting, then the news of the trade road, then the town's height on every later talk.
void TalkNpcRod() {
  static constexpr TalkStep kSteps[] = {
      {TalkAction::Line, 1, kRod, "「こんにはトヴィアちゃん。」"},
      {TalkAction::Wait, 2, kHeroine, "「ロッドさんこんにちはー」"},
      {TalkAction::End, 3},
      {TalkAction::Line, 4, kRod,
       "「噂では、貿易街道が移動するらしいよ。貿易街道沿いにある、この【山岳都市ランカシャ】の街も静かになるかな。"
       "この街の町長＜ゲーリー伯爵＞も、貿易商人の通行税で私服を肥やす事も無くなるだろうね。結構良い事尽くめだね。」"},
      {TalkAction::Wait, 5, kRod,
       "「どこに貿易街道が移動するかって？それは僕ら足の下だよ。ここ【山岳都市ランカシャ】の下にトンネルを掘ってるそう"
       "だ。要は、街道が山道で不便なので、山に穴を掘ろうという事らしい。」"},
      {TalkAction::End, 6},
      {TalkAction::Line, 7, kRod, "「この【山岳都市ランカシャ】は標高3776メートルの位置にあるんだって」"},
      {TalkAction::End, 6},
  };
  RunConversation(kGroup, kSteps);
}
