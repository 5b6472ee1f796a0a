// The guide events: the tutorial and story talks of the insect companion, the edge of the
// explored area, the pipe down and the talk after the chain boss.
#include "events/guide_events.h"

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "events/event_script.h"
#include "platform/input.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr int kInsectGroup = 114;  // the insect companion, who speaks in the talks
constexpr int kChainBossGroup = 37;
constexpr int kFirstGuide = 513;   // guide N's seen flag is bank 0, index N - 513
constexpr int32_t kEndStep = 99;   // the long form's end; steps above it do nothing

// The speakers. The insect's name is written two ways, and the heroine's with or without the colon.
constexpr const char* kInsect = "変な虫：";
constexpr const char* kInsectLater = "へんな虫：";
constexpr const char* kHeroine = "トヴィア：";
constexpr const char* kHeroineBare = "トヴィア";
constexpr const char* kGuard = "＊＊＊＊＊＊＊＊＊＊＊＊＊＊＊：";  // an unseen voice
constexpr const char* kSystem = "Ｓｙｓｔｅｍ：";

Actor Heroine() { return Actor(kHeroineGroup, 0); }
int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }

// ---- the long form ----------------------------------------------------------------------------

// The talks, line by line, each line at the step where the talk opens it: 513's fourth line
// stands at step 51, 515 and 516 go on at step 5 after their second line, and in 517 her cry at
// step 9 waits at step 13; the steps without a line are the talks' own (below).
constexpr GuideBeat kTalk513[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ここから先、侵入者対策のためにモンスターが配備されている」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「え゛、なんでー？・・・・危険な場所じゃん」"},
    {.step = 4, .speaker = kInsect,
     .text = "「安心せい！ワシを所持している今なら【否定ボタン】で魔法攻撃ができるので、この程度の障害は問題ない」"},
    {.step = 51, .speaker = kHeroine,
     .text = "「おぉ！魔法弾ですね。」"},
    {.step = 6, .speaker = kInsect,
     .text = "「たいした危険はないと思うが、敵は【否定ボタン】で打ち出す魔法弾【ブリット】で迎撃するんじゃ。」"},
    {.step = 8, .speaker = kInsect,
     .text = "「【↑】キーを押すと上に打ち出す事も可能だ。何かあったら出てきてアドバイスしてやる。・・・・・否定ボタン【攻撃】で相手の質問を聞流したり、否定することが出来る。肯定ボタン【ジャンプボタン】で相手の設問に答えることが出来るが。忘れるなよ・・・・」"},
};
constexpr GuideBeat kTalk514[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ここから下の方角じゃが・・下のほうが良く見えない。そんな時はしゃがんで確認することだ。」"},
    {.step = 2, .speaker = kHeroineBare,
     .text = "「↓キーをしばらく押して、下を確認して降りるわけね。」"},
    {.step = 4},
    {.step = 6, .speaker = kHeroine,
     .text = "「なるほど・・・こんなに深いのか・・・右に行ったほうが無難かな・・・」"},
    {.step = 8, .speaker = kInsect,
     .text = "「もう知ってるかかもしれんが、エレベーターの操作は↓キーで降下で↑キーで上昇じゃ」"},
};
constexpr GuideBeat kTalk515[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ストップ！」"},
    {.step = 2, .speaker = kHeroineBare,
     .text = "「えっ？・・なに？なに？」"},
    {.step = 5, .speaker = kInsect,
     .text = "「これより先に、落下してくるトラップと一定間隔で動いているトラップがある。」"},
    {.step = 7, .speaker = kHeroine,
     .text = "「ひぇー・・・なんか【ドン、ドン】音が聞こえるね・・・・」"},
    {.step = 9, .speaker = kInsect,
     .text = "「気を付けながら行けば大丈夫じゃが・・・・当たるとダメージは大きいぞ」"},
    {.step = 11, .speaker = kHeroine,
     .text = "「わかった気をつける・・・・」"},
    {.step = 13, .speaker = kInsect,
     .text = "「すぐ先にあるトラップは【走り抜ける】か【ジリジリ近づいて先に罠を落下させる】で回避可能。奥のトラップは【上昇中に通り抜け】するんじゃ。」"},
};
constexpr GuideBeat kTalk516[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「奥まったところにこういう休憩所がある。」"},
    {.step = 2, .speaker = kHeroineBare,
     .text = "「上でもあったね」"},
    {.step = 5, .speaker = kInsect,
     .text = "「補給物資を手に入れられる貴重な場所じゃ・・・・ただし金が要るがな。肯定ボタン【ジャンプ】を使って買うことが出来る。」"},
    {.step = 7, .speaker = kHeroine,
     .text = "「こういう所って探すとなかな無いんだよね」"},
    {.step = 9, .speaker = kInsect,
     .text = "「わかってれば良い、場所は覚えておくことだな・・・・注文をすると【その品】の【効能】を教えてくれるので、ちゃんと聞いてから買うのだぞ。」"},
    {.step = 11, .speaker = kHeroine,
     .text = "「はーい」"},
};
constexpr GuideBeat kTalk517[] = {
    {.step = 0, .speaker = kHeroine,
     .text = "「あれー・・・・行き止まり？道間違えた？」"},
    {.step = 2, .speaker = kInsect,
     .text = "「いいや・・この道あってるぜよ。」"},
    {.step = 4, .speaker = kHeroine,
     .text = "「しかし、この先道は無し・・・これは如何に？」"},
    {.step = 6, .speaker = kInsect,
     .text = "「見た目には行き止まりでも、道は続いてる時がある・・・・その緑の土管がこの下の通路に続いている・・・そのまま進むのだ。」"},
    {.step = 8},
    {.step = 9, .speaker = kHeroine,
     .text = "「あぁぁぁぁぁ－－－－－－－－－－－－－－－－－－－－－－－－」", .flag = 0, .wait = 13},
    {.step = 14},
    {.step = 15, .speaker = kInsectLater,
     .text = "「ここが最下層だ・・・・左の突当りに【倉庫】があり、そこに【カードキー】がある。」"},
    {.step = 17, .speaker = kHeroine,
     .text = "「先に道がどうなってるか言ってよね！（怒）」", .flag = 0},
    {.step = 19, .speaker = kInsectLater,
     .text = "「わるい、わるい、とにかく左に行ってくれ。」"},
};
constexpr GuideBeat kTalk518[] = {
    {.step = 0, .speaker = kHeroine,
     .text = "「ん？開かない・・・・・・」"},
    {.step = 2, .speaker = kInsect,
     .text = "「変だな・・・あ、水圧が足りないのか・・」"},
    {.step = 4, .speaker = kHeroine,
     .text = "「水圧？水？」"},
    {.step = 6, .speaker = kInsect,
     .text = "「この扉は水の重さで開閉させているんじゃ。今は水が着てないようじゃな・・・・・右のほうに制御室があるので、そこから水を流すことができる。」"},
    {.step = 8, .speaker = kHeroine,
     .text = "「えぇ、逆の方向？めんどくさいなぁ。」"},
    {.step = 10, .speaker = kInsect,
     .text = "「【制御室】は、ここからずっと右の方向にある。そろそろ障害物が増えるので、下にある【祠】でお祈りする事を勧める。」"},
};
constexpr GuideBeat kTalk519[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ここの右に【出口への扉】がある・・・・・・」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「右ね、わかった。」"},
    {.step = 4, .speaker = kInsect,
     .text = "「いやいや、そこの【出口への扉】には鍵が掛けられている。よって先に鍵を取りに行く必要がある。」"},
    {.step = 6, .speaker = kHeroine,
     .text = "「面倒だなぁ、わかった。」"},
    {.step = 8, .speaker = kInsect,
     .text = "「遠回りになるが、ここを左に進んでくれ。」"},
};
constexpr GuideBeat kTalk520[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「この【出口の扉】の上の通路を進んではいけないよ」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「なんでー？」"},
    {.step = 4, .speaker = kInsect,
     .text = "「ここから先はとても危険らしく、開発を断念したエリアらしい・・・・」"},
};
constexpr GuideBeat kTalk521[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「旧帝国が開発を断念するくらい危険な場所なんだぞ・・・てかこれ以上進むな・・・」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「・・・・・・」"},
};
constexpr GuideBeat kTalk522[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「この先は上に通路があるんじゃ。ここは、下方視界も悪く難易度が高いので【祠】に行ってなかったら戻る事を勧める。」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「なんか溶岩がある・・・・・・」"},
    {.step = 4, .speaker = kInsect,
     .text = "「当然落ちるとダメージが大きいので、気をつけることじゃ。」"},
};
constexpr GuideBeat kTalk523[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「お・・・・よく見つけたな・・・・これは隠し通路じゃ。」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「隠し通路？」"},
    {.step = 4, .speaker = kInsect,
     .text = "「間違えて作られた道や、位の高い者の非常通路等を指すんじゃ。残念ながらこの通路の事は、ワシは知らん。」"},
};
constexpr GuideBeat kTalk524[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「この管の中に入ると上の層に戻れるぞい。」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「ふーん。」"},
    {.step = 4, .speaker = kInsect,
     .text = "「管の上で【しゃがむ】と中に入れる。真ん中あたりで【しゃがむ】を行わないと入れない。」"},
};
constexpr GuideBeat kTalk525[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ここは【コリドール】と言って出口への通路だ。」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「へー」"},
    {.step = 4, .speaker = kInsect,
     .text = "「回廊の先にある建物が出口なんじゃが・・・・その建物中にボスが居る。」"},
    {.step = 6, .speaker = kHeroine,
     .text = "「え゛っ・・・・・」"},
    {.step = 8, .speaker = kInsect,
     .text = "「大変危険であるので、このコリドールにも【祠】があるので必ず寄ったほうがいいぞ。」"},
    {.step = 10, .speaker = kHeroine,
     .text = "「・・・・・・・・・」"},
};
constexpr GuideBeat kTalk526[] = {
    {.step = 0, .speaker = kInsect,
     .text = "「ここがボスの部屋で、右の部屋が出口になっている。」"},
    {.step = 2, .speaker = kHeroine,
     .text = "「何とかボスにバレずに右の部屋にいけないかな・・・・」"},
    {.step = 4, .speaker = kGuard,
     .text = "「侵入者を視認。異邦者と断定。直ちに【ライタイ・マ】様のエリアから排除します。」"},
    {.step = 6, .speaker = kHeroine,
     .text = "「え゛！・・・・もうバレた（汗）」", .flag = 0},
    {.step = 8, .speaker = kInsect,
     .text = "「上に居るぞ！」"},
    {.step = 10, .speaker = kHeroine,
     .text = "「え？どこどこ！」", .flag = 0},
    {.step = 12, .speaker = kInsect,
     .text = "「後は任せた！」", .flag = 0},
};

// 514: she crouches (the down button held for her) for 131 frames, counted in EventSubCounter,
// and stays crouched while she says what she sees.
bool CrouchToLookDown(int32_t& step) {
  if (step == 4) {
    HeroPadBits = Bit(kButtonDown);
    if (EventSubCounter == 130) {
      step = 6;
    } else {
      EventSubCounter += 1;
    }
    return true;
  }
  if (step == 6 || step == 7) HeroPadBits = Bit(kButtonDown);
  return false;
}

// 517: she walks right and jumps by herself, surprised, until x 1600, where she falls down the
// shaft; the talk goes on once she is at the bottom (y 4000 or lower), and she is cross.
bool WalkIntoThePipe(int32_t& step) {
  const Actor hero = Heroine();
  switch (step) {
    case 8:
      if (hero.PosX() < 1600) {
        DrawActorBalloon(kHeroineGroup, 0, 1);
        HeroPadBits = Bit(kButtonRight) | Bit(kButtonJump);
      } else {
        HeroPadBits = 0;
        step = 9;
      }
      return true;
    case 14:
      if (hero.PosY() >= 4000) step = 15;
      return true;
    case 18:
      DrawActorBalloon(kHeroineGroup, 0, 3);
      return false;
    default:
      return false;
  }
}

// 526: the insect leaves, the boss comes and its music starts.
void CallTheBoss() {
  KillActor(kInsectGroup, 0);
  SpawnActor(kChainBossGroup, 250, 100, 0, 0);
  PlayMusic("./Data/MGYASAU.MDT");
}

constexpr LongGuideTalk kTrapsTalk{515, kTalk515};

constexpr LongGuideTalk kLongTalks[] = {
    {513, kTalk513},
    {514, kTalk514, CrouchToLookDown},
    kTrapsTalk,
    {516, kTalk516},
    {517, kTalk517, WalkIntoThePipe},
    {518, kTalk518},
    {519, kTalk519},
    {520, kTalk520},
    {521, kTalk521},
    {522, kTalk522},
    {523, kTalk523},
    {524, kTalk524},
    {525, kTalk525},
    {526, kTalk526, nullptr, CallTheBoss},
};

// From 517 on the talks also clear her Link and unlock the input on every frame, and lock it at
// their end; from 514 on the insect comes to speak.
bool LocksInput(const LongGuideTalk& talk) { return talk.number >= 517; }
bool ShowsInsect(const LongGuideTalk& talk) { return talk.number >= 514; }

int32_t WaitStepOf(const GuideBeat& beat) { return beat.wait >= 0 ? beat.wait : beat.step + 1; }

void EndLongGuideTalk(const LongGuideTalk& talk) {
  if (talk.at_end != nullptr) talk.at_end();
  SubMode = kSubWorld;
  SubModeArg = 0;
  HeroControl = 0;
  EventStep[2] = 0;
  SetFlag(0, talk.number - kFirstGuide, 1);
  EventSubCounter = 0;
  KillActor(kInsectGroup, 0);
  if (LocksInput(talk)) InputLock = 1;
}

// ---- the short form ---------------------------------------------------------------------------

constexpr GuideLine kTalk527[] = {
    {kInsect, "「あの怪しげな像の所で【↑】を押すと祈ることが出来る。」"},
    {kInsect, "「セーブできる箇所は３箇所あるので好きな箇所を選ぶが良い。番号選択の時に誤って【否定ボタン】を押すとキャンセルになるので気をつけるのじゃ。」"},
};
constexpr GuideLine kTalk528[] = {
    {kInsect, "「ここは【祠】といってセーブすることが可能だ。」"},
    {kHeroine, "「なるほど、現在の状況を記録するんですね。ゲームを再開する為に必要と言うわけですね。」"},
    {kInsect, "「呑み込みが早いな・・・とにかくこの【変なマーク】が目印なのでマメに寄る事だ。」"},
    {kHeroine, "「まめにセーブしまーす。」"},
    {kInsect, "「【変なマーク】の下にある入り口で【↑】キーを押すと入れる。」"},
};
constexpr GuideLine kTalk529[] = {
    {kInsect, "「このバージョンはココまでです。建物の中、人物との会話等のデータはありますがイベントが発生（進行）しません」"},
    {kSystem, "「色々街の中を見て、飽きたら終了してください。終了する場合はメニュ（ＥＳＣ）から終了してください。お付き合いありがとうございました。」"},
};
constexpr GuideLine kTalk701[] = {
    {kInsect, "「よくやった！」"},
    {kHeroine, "「ひー変な生き物でしたね・・・」"},
    {kInsect, "「彼女は、魔人【ラ・イタイマ】の取り巻きの一人で【ＥＹＥＧＯＮ】という生き物だ。空中を飛翔し目的に突っ込んでくるのが攻撃タイプである・・弱点は目回転運動中が目を狙うチャンスなんじゃ！」"},
    {kHeroine, "「だからそういう事は先に言ってほしいんですけどー・・・・」"},
    {kInsect, "「右の部屋に出口の扉がある」"},
    {kHeroine, "「私、話をスルーする人嫌いです」"},
};

constexpr ShortGuideTalk kShortTalks[] = {
    {527, kTalk527},
    {528, kTalk528},
    {529, kTalk529},
    {701, kTalk701},
};

}  // namespace

const std::span<const LongGuideTalk> kLongGuideTalks = kLongTalks;
const std::span<const ShortGuideTalk> kShortGuideTalks = kShortTalks;

uint32_t RunLongGuideTalk(const LongGuideTalk& talk) {
  int32_t& step = EventStep[2];
  const Actor hero = Heroine();
  HeroControl = 1;
  HeroPadBits = 0;
  if (LocksInput(talk)) {
    hero.Link() = 0;
    InputLock = 0;
  }
  if (step > kEndStep) return 1;
  if (talk.hook != nullptr && talk.hook(step)) return 1;
  if (step == kEndStep) {
    EndLongGuideTalk(talk);
    return 1;
  }
  for (size_t i = 0; i < talk.beats.size(); ++i) {
    const GuideBeat& beat = talk.beats[i];
    if (beat.speaker == nullptr) continue;
    const int32_t wait = WaitStepOf(beat);
    if (step == beat.step) {
      if (step == 0 && ShowsInsect(talk)) SpawnActor(kInsectGroup, hero.PosX(), hero.PosY(), 1, 1);
      SayLine(beat.speaker, beat.text, beat.flag, &step, static_cast<uint32_t>(wait - beat.step));
      return 1;
    }
    if (step == wait) {
      if (MessageResult == -2) step = i + 1 < talk.beats.size() ? talk.beats[i + 1].step : kEndStep;
      return 1;
    }
  }
  return 1;
}

uint32_t RunShortGuideTalk(const ShortGuideTalk& talk) {
  int32_t& step = EventStep[2];
  const int32_t lines = static_cast<int32_t>(talk.lines.size());
  if (step == 0) BeginGuideTalk(1);
  if (step >= 0 && step < 2 * lines) {
    if (step % 2 == 0) {
      const GuideLine& line = talk.lines[static_cast<size_t>(step / 2)];
      SayLine(line.speaker, line.text, 1, &step, 1);
    } else {
      WaitLine(&step, 1);
    }
  } else if (step == 2 * lines) {
    EndGuideTalk(talk.number);
  }
  return 1;
}

uint32_t GuideEvent128() {
  int32_t& step = EventStep[128];
  HeroControl = 1;
  if (step == 0) {
    SayLine(kHeroine, "「ここから先は進めないみたい」", 1, &step, 1);
  } else if (step == 1 && MessageResult == -2) {
    SubMode = kSubWorld;
    SubModeArg = 0;
    HeroControl = 0;
    step = 0;
  }
  return 0;  // the world stands still while she says it
}

uint32_t GuideEvent515() {
  // The event check starts it only while its seen flag is clear, so this never ends it.
  if (GetFlag(0, 515 - kFirstGuide) != 0) {
    SubMode = kSubWorld;
    SubModeArg = 0;
    HeroControl = 0;
    EventStep[2] = 0;
    SetFlag(0, 515 - kFirstGuide, 1);
    return 0;
  }
  return RunLongGuideTalk(kTrapsTalk);
}

uint32_t GuideEvent700() {
  int32_t& step = EventStep[2];
  const Actor hero = Heroine();
  switch (step) {
    case 0:
      if (GetActorMotion(kHeroineGroup, 0) != 1) {  // not crouching: nothing happens
        SubMode = kSubWorld;
        SubModeArg = 0;
        break;
      }
      PlaySound(26);
      hero.VelY() = hero.VelX() = hero.StepY() = hero.StepX() = 0;
      HeroControl = 2;
      HeroPadBits = 0;
      step = 1;
      break;
    case 1:  // she sinks 32 pixels into the pipe
      if (EventSubCounter < 32) {
        EventSubCounter += 1;
        hero.PosY() += 1;
      } else {
        step = 2;
        EventSubCounter = 0;
        SetCameraTarget(kNoCameraTarget);
      }
      break;
    case 2:  // the camera pans to the upper pipe, where she comes out
      if (PanCameraTo(kHeroineGroup, 0, 1112, 2008) == 1) step = 3;
      break;
    case 3:
      SubMode = kSubWorld;
      SubModeArg = 0;
      HeroControl = 0;
      step = 0;
      EventSubCounter = 0;
      InputLock = 1;
      break;
    default:
      break;
  }
  return 1;
}
