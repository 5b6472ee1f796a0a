// The paintings of the inn's rooms B and C (events 280 and 281) and the chests of the cave's
// storage room (events 1001 and 1004), all on EventStep[2].
//
// A painting shows only her plain line while the paintings may not be examined closely (flag
// 1:10, which no event sets). Examined closely, the insect recognises it, she finds its hidden
// button and presses it; with both buttons pressed she hears a sound, and door 273 opens a
// passage in room D. A chest gives its contents once; opened again it is empty.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "events/event_script.h"
#include "events/field_trades.h"
#include "platform/repeaters.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr const char* kTovia = "トヴィア：";
constexpr const char* kInsect = "変な虫：";

}  // namespace

// ---- the paintings ------------------------------------------------------------------------------

namespace {

constexpr int kMayExamineClosely = 10;  // bank 1
constexpr int kPaintingSound = 32;      // the sound of the passage opening somewhere
constexpr int kInsectGroup = 114;

void EndWithInsect() {
  EndEvent(2);
  KillActor(kInsectGroup, 0);
}

}  // namespace

const PaintingRow kPaintings[2] = {
    {280, 11, 12, "「壺みたいな絵画だなぁ。」", "「これは、もしかし“フェイストゥフェイス”かも？」",
     "「この壺の絵の作者の名前？」",
     "「この国が昔帝国だった時、機密扱いの案件にこの模様が使われていたらしい。壺に見えるが黒字の部分に注目してほし"
     "い。人が向き合っているように見えるだろ？」",
     "「あ、本当だ人が向き合っているみたい・・これが“フェイストゥフェイス”・・ん？真ん中にボタンある・・・なんだろ押"
     "してしまえ“えい！”」",
     "「ほんとスイッチを見たら考え無しに押すね・・・・・」"},
    {281, 12, 11, "「綺麗な赤い建物の絵だ。」", "「ん？・・・よく見ると“グランドレッド”じゃないか。」",
     "「この赤い建物の名前？」",
     "「帝国時代の大本営があった建物で、全ての決定がここで下されていた。近衛兵交代公開式から口外出来ない秘密裏な実"
     "験まで・・・」",
     "「ん？・・・写真の建物の窓がボタンにってなっているぞ・・・なんだろ押してしまえ“えい！”」",
     "「スイッチを見たら考え無しに押すクセ直したほうがいいよ・・・・・」"},
};

void RunPainting(const PaintingRow& p) {
  int32_t& step = EventStep[2];
  switch (step) {
    case 0: {
      const Actor hero(kHeroineGroup, 0);
      SpawnActor(kInsectGroup, hero.PosX(), hero.PosY(), 1, 1);
      BeginEvent();
      if (GetFlag(1, kMayExamineClosely) == 0) {
        SayLine(kTovia, p.plain, 1, &step, 1);
      } else if (GetFlag(1, p.own_flag) != 0) {
        SayLine(kTovia, "「ボタンはもう押した。」", 1, &step, 30);
      } else {
        SayLine(kInsect, p.first_look, 1, &step, 10);
      }
      break;
    }
    case 1:
    case 12:
    case 14:
    case 16:
    case 21:
    case 30:
      WaitLine(&step, 1);
      break;
    case 2:
    case 19:
    case 22:
    case 31:
      EndWithInsect();
      break;
    case 10:
      WaitLine(&step, 1);
      SetFlag(1, p.own_flag, 1);
      break;
    case 11:
      SayLine(kTovia, p.question, 1, &step, 1);
      break;
    case 13:
      SayLine(kInsect, p.explanation, 1, &step, 1);
      break;
    case 15:
      SayLine(kTovia, p.discovery, 1, &step, 1);
      SetFlag(1, p.own_flag, 1);
      break;
    case 17:
      SayLine(kInsect, p.remark, 1, &step, 1);
      break;
    case 18:
      WaitLine(&step, GetFlag(1, p.other_flag) == 1 ? 2 : 1);
      break;
    case 20:
      SayLine(kTovia, "「へんな音聞こえた。」", 1, &step, 1);
      QueueRepeatedSound(kPaintingSound, 1, 1);
      break;
    default:
      break;
  }
}

// ---- the chests ---------------------------------------------------------------------------------

namespace {

constexpr int kChestSound = 3;
constexpr int32_t kEmpty = 50;  // the branch of a chest opened before
constexpr int32_t kChestEnd = 100;

void GiveThousandYen() { AddMoney(1000); }
void GiveCardKey() { GiveSpecialItem(16); }

}  // namespace

const ChestRow kChests[2] = {
    {1001, GiveThousandYen, "１０００円手に入れた。", false, nullptr, kTovia, "何も入っていない。"},
    {1004, GiveCardKey, "　　【ＣＡＲＤ　ＫＥＹ】を手に入れた。", true,
     "「これで【出口への扉】が開くので、下の右にある【緑の管】に入り上の層に戻るぞい。」", kInsect,
     "「もう取っただろ。」"},
};

void RunChest(const ChestRow& chest) {
  int32_t& step = EventStep[2];
  BeginEvent();
  if (GetFlag(1, chest.number) != 0 && step == 0) step = kEmpty;
  switch (step) {
    case 0:
      SetFlag(1, chest.number, 1);
      QueueRepeatedSound(kChestSound, 2, 10);
      chest.give();
      SayLine("", chest.found, 1, &step, 1);
      break;
    case 1:
      // The found line's picture of what she found is shown beside it. The insect's line after
      // it opens afresh, so the picture does not stay with that line.
      if (chest.with_picture) SetMessagePortrait(1, 4);
      if (MessageResult == -2) step = chest.insect_line != nullptr ? 2 : kChestEnd;
      break;
    case 2:
      SayLine(kInsect, chest.insect_line, 1, &step, 1);
      break;
    case 3:
    case kEmpty + 1:
      if (MessageResult == -2) step = kChestEnd;
      break;
    case kEmpty:
      SayLine(chest.empty_speaker, chest.empty_line, 1, &step, 1);
      break;
    case kChestEnd:
      EndEvent(2);
      break;
    default:
      break;
  }
}
