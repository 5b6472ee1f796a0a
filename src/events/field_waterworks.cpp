// The waterworks control machine in the cave's control room, event 257 on EventStep[2]. Before
// the water-pressure talk (guide 518) the insect only warns her off; the first time after it she
// presses the red button: the water columns by the door light up, the water door answers to the
// valve's flag, and the valve opens; from then on nothing happens. The columns' and the door's
// links last until the map is loaded again.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "events/event_script.h"
#include "events/field_trades.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

constexpr const char* kTovia = "トヴィア：";
constexpr const char* kInsect = "変な虫：";
constexpr const char* kSystem = "ＳＹＳＴＥＭ：";
constexpr int kPoseDoor = 6;
constexpr int kInsectGroup = 114;
constexpr int kColumnGroup = 115;  // the light columns: slots 0..3 are the water by the door
constexpr int kDoorGroup = 90;     // the sliding doors: slot 0 is the water door
constexpr int kColumnsLit = 5;     // on, two extra animation steps a frame

// Flags: the seen flag of the water-pressure talk (518) and of the talk at the shrine (528) in
// bank 0; the valve and the machine in bank 1.
constexpr int kWaterPressureTalkSeen = 5;
constexpr int kShrineTalkSeen = 15;
constexpr int kValveOpen = 100;
constexpr int kMachineOperated = 101;

constexpr int32_t kWarning = 50;  // the branch before the water-pressure talk
constexpr int32_t kNoAnswer = 75;  // the branch once the machine has been operated
constexpr int32_t kLastStep = 76;  // values above it do nothing

// Each frame: she is held in the door pose, facing left, her pad and Link cleared, input free.
void HoldHeroine() {
  HeroControl = 1;
  PlaceHeroine(kPoseDoor, -1, -1, 'L', 'N');
  HeroPadBits = 0;
  Actor(kHeroineGroup, 0).Link() = 0;
  InputLock = 0;
}

// The button: the water columns by the door light up, the water door now opens only while the
// valve's flag is set, and the machine is marked as operated.
void PressRedButton() {
  for (int slot = 0; slot < 4; ++slot) SetActorLink(kColumnGroup, slot, kColumnsLit);
  SetActorLink(kDoorGroup, 0, kValveOpen);
  SetFlag(1, kMachineOperated, 1);
}

void EndWaterworks(int32_t& step) {
  SubMode = kSubWorld;
  SubModeArg = 0;
  ResetHeroineFacing();
  HeroControl = 0;
  step = 0;
  EventSubCounter = 0;
  KillActor(kInsectGroup, 0);
  InputLock = 1;
}

}  // namespace

void FieldEvent257() {
  int32_t& step = EventStep[2];
  HoldHeroine();
  if (step == 0) {
    if (GetFlag(0, kWaterPressureTalkSeen) == 0) step = kWarning;
    if (GetFlag(1, kMachineOperated) == 1) step = kNoAnswer;
  }
  if (step > kLastStep) return;
  switch (step) {
    case 0: {
      const Actor hero(kHeroineGroup, 0);
      SpawnActor(kInsectGroup, hero.PosX(), hero.PosY(), 1, 1);
      SayLine(kTovia, "「なにこれー？」", 1, &step, 1);
      break;
    }
    case 2:
      SayLine(kInsect,
              "「こいつは【ハイドロコマンダー　ＨＣ－８８】じゃ。この辺り一帯の環境を丸ごと制御しておる機械で、"
              "前の部屋の扉のロックも外せるんじゃぞい。」",
              1, &step, 1);
      break;
    case 4:
      SayLine(kTovia, "「なんだ、水道を制御してる機械か。」", 1, &step, 1);
      break;
    case 6:
      SayLine(kInsect, "「ワシの言う通り操作すんじゃ、【水路制御】の水道のバルブを開けるだけだなので簡単じゃ。」", 1,
              &step, 1);
      break;
    case 8:
      SayLine(kTovia, "「なに？この赤いボタン（♪ポチ）」", 1, &step, 1);
      break;
    case 10:
      SayLine(kInsect, "「バカモン！変なボタンを勝手に押すんじゃない！！」", 0, &step, 1);
      break;
    case 12:
      SayLine(kTovia, "「なんか困るの？」", 1, &step, 1);
      break;
    case 13:
      if (MessageResult == -2) {
        PressRedButton();
        step = 14;
      }
      break;
    case 14:
      SayLine(kSystem, "ＰＲＯＣ　００１２～００９８　ＫＩＬＬＥＤ　ｓｉｇ＝９　ｖａｌｖｅ＿ｍｏｎ　応答ナシ　再送・・再送・・再送・・",
              0, &step, 1);
      break;
    case 16:
      SayLine(kSystem, "＊＊＊　ＳＹＳＴＥＭ　ＣＲＡＳＨ　＊＊＊　０ｘ００７Ｆ２Ａ：読込不能　ｃｏｒｅ＿ｄｕｍｐ　・・・失敗",
              0, &step, 1);
      break;
    case 18:
      SayLine(kSystem, "ＦＯＲＣＥＤ　ＳＨＵＴＤＯＷＮ　ｃｔｌ＿ｌｉｇｈｔ　ＨＡＬＴ　ｆｌｕｓｈ　ＮＧ　ＨＡＬＴ　ＨＡＬ＿＿＿＿",
              0, &step, 1);
      break;
    case 20:
      SayLine(kInsect, "「水圧バルブは開いたけど・・色々なプロセスが止まってしもうた・・・・・ワシ知らんからな」", 1,
              &step, 1);
      break;
    case 22:
      SayLine(kTovia, "「私も知らなーい（汗）」", 1, &step, 1);
      SetFlag(1, kValveOpen, 1);
      SetFlag(0, kShrineTalkSeen, 1);
      break;
    case kWarning:
      SayLine(kInsect, "「これはこの辺り一帯を管理している機械だ。複雑な機械なので触らなぬことだ。」", 1, &step, 1);
      break;
    case kNoAnswer:
      SayLine(kTovia, "「何をしても反応が無い。」", 0, &step, 1);
      break;
    case 1:
    case 3:
    case 5:
    case 7:
    case 9:
    case 11:
    case 15:
    case 17:
    case 19:
    case 21:
      WaitLine(&step, 1);
      break;
    case 23:
    case kWarning + 1:
    case kNoAnswer + 1:
      if (MessageResult == -2) EndWaterworks(step);
      break;
    default:
      break;
  }
}
