#include "events/opening_scene.h"

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "audio/sound_slots.h"
#include "platform/input.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kTeacherGroup = 2;
constexpr int kInsectGroup = 114;
constexpr int32_t kFalling = 3;     // her motion number while she falls
constexpr int32_t kThrown = 32;     // her motion number while a blast throws her
constexpr int32_t kTeacherWalks = 1;
constexpr int32_t kBlastVolume = 5000;  // above the loudest volume: the copy keeps the one it had
constexpr int32_t kEnd = 10000;

constexpr const char* kHeroine = "トヴィア・ローデン";
constexpr const char* kTeacher = "クラウス先生";
constexpr const char* kTovia = "【トヴィア】";

Actor Heroine() { return Actor(kHeroineGroup, 0); }
Actor Teacher() { return Actor(kTeacherGroup, 0); }

int32_t Bit(Button b) { return static_cast<int32_t>(ButtonBits[b]); }

bool LineClosed() { return MessageResult == -2; }

// A line of the scene: the window closed and opened again on the line, the step moved on.
void Say(const char* speaker, const char* text, int32_t next) {
  CloseMessage();
  OpenMessage(24, 0, 0, speaker, text, nullptr, 1);
  SceneStep = next;
}

// The next line once the one before it was closed.
void SayWhenClosed(const char* speaker, const char* text, int32_t next) {
  if (LineClosed()) Say(speaker, text, next);
}

void NextWhenClosed(int32_t next) {
  if (LineClosed()) SceneStep = next;
}

void Balloon(int kind) { DrawActorBalloon(kHeroineGroup, 0, kind); }

// Walks the actor right by its pad while it stands left of x; true once it got there.
bool WalkRightTo(const Actor& a, int32_t x) {
  if (a.PosX() >= x) return false;
  a.Input() = Bit(kButtonRight);
  return true;
}

// A 30-frame look one way.
void LookAbout(int32_t next) {
  if (++EventSubCounter != 30) return;
  SceneStep = next;
  EventSubCounter = 0;
}

// A blast of the teacher's magic throws her back to the left.
void ThrowHeroine(int32_t dx, int32_t vy, int sound) {
  const Actor h = Heroine();
  h.FaceX() = -1;
  h.PosX() += dx;
  h.Motion() = kThrown;
  h.VelY() = vy;
  PlaySoundSlotAtVolume(sound, kBlastVolume);
}

// The street: from the fade-out to the fall into the cave. The steps of the frozen start (0..3)
// answer 0.
uint32_t RunStreetStep(int32_t step) {
  const Actor h = Heroine();
  const Actor t = Teacher();
  switch (step) {
    case 0:
      ClearAllActors();
      FadeOut();
      h.Control() = t.Control() = kControlHeld;
      h.Input() = t.Input() = 0;
      SceneStep = 1;
      EventSubCounter = 0;
      return 0;
    case 1:
      if (IsFading() != 0) return 0;
      ShowHud();
      EnableHud();
      SceneStep = 2;
      return 0;
    case 2:
      ChangeScene(kSceneOpeningForest);
      h.Motion() |= 0x1000 | 0x400 | 0x100;
      Say("【山岳都市ランカシャア東区】", "　クラウスに呼出しされたトヴィアは、ランカシャア東区のへ向かった。", 3);
      return 0;
    case 3:
      if (LineClosed()) {
        FadeIn();
        SceneStep = -1;
      }
      return 0;
    case -1:
      if (IsFading() == 0) SceneStep = 4;
      return 1;
    case 4:
      if (WalkRightTo(h, 1048)) return 1;
      h.Input() = 0;
      SceneStep = 5;
      return 1;
    case 5:
      Say(kHeroine, "「先生何の用ですか？」", 6);
      return 1;
    case 6:
      SayWhenClosed(kTeacher, "「昔この辺に遺跡があったんだ。」", 7);
      return 1;
    case 7:
      SayWhenClosed(kHeroine, "「へぇー、それがどうしたんですか？」", 8);
      return 1;
    case 8:
      SayWhenClosed(kTeacher, "「この先に・・・」", 9);
      return 1;
    case 9:
      SayWhenClosed(kHeroine, "「この先は行き止まりですよ？」", 10);
      return 1;
    case 10:
      SayWhenClosed(kTeacher, "「とにかく付いて来るんだ。」", 11);
      return 1;
    case 11:
      NextWhenClosed(12);
      return 1;
    case 12:
      if (WalkRightTo(t, 1298)) {
        t.FaceX() = 1;
      } else {
        SceneStep = 13;
      }
      return 1;
    case 13:
      if (WalkRightTo(h, 2148)) {
        SetScroll(4, 0);
        return 1;
      }
      h.Input() = 0;
      SetScroll(0, 0);
      SceneStep = 14;
      return 1;
    case 14:
      Balloon(1);
      if (WalkRightTo(t, 2116)) return 1;
      t.Input() = 0;
      SceneStep = 15;
      return 1;
    case 15:
      Balloon(1);
      Say(kHeroine, "「ココに何かあるんですか？」", 16);
      h.FaceX() = -1;
      return 1;
    case 16:
      if (LineClosed()) {
        SceneStep = 17;
        t.Input() = Bit(kButtonAction);  // he raises his hand
      }
      return 1;
    case 17:
      if (t.Field(ActorField::KlausCursor) == 108) {
        CloseMessage();
        OpenMessage(24, 0, 0, kTeacher, "「Ｇｏ！」", nullptr, 1);
        SceneStep = -17;
      }
      return 1;
    case -17:
      SayWhenClosed(kHeroine, "「へ？」", 18);
      return 1;
    case 18:
      if (LineClosed()) {
        Balloon(1);
        h.FaceX() = 1;
        t.Input() = Bit(kButtonMagic);  // the hand lowered
        t.Motion() = kTeacherWalks;
        SceneStep = 21;
      }
      return 1;
    case 21:
      Balloon(1);
      if (t.Field(ActorField::KlausCursor) == 118) {
        t.Input() = Bit(kButtonItem);  // the small spell from the open hand
        t.Motion() = kTeacherWalks;
        SceneStep = 22;
      }
      return 1;
    case 22: {
      Balloon(1);
      // His cursor stays on 123 for three frames: the blast comes on the first of them, counted
      // in EventSubCounter.
      const int32_t cursor = t.Field(ActorField::KlausCursor);
      if (cursor == 123 && EventSubCounter == 0) {
        ThrowHeroine(8, -4, 11);
        EventSubCounter = 1;
      }
      if (cursor >= 123) Balloon(0);
      if (cursor == 128) SceneStep = 23;
      return 1;
    }
    case 23:
      EventSubCounter = 0;
      Balloon(0);
      t.Motion() = kTeacherWalks;
      t.Input() = Bit(kButtonJump);  // the big spell
      SceneStep = 24;
      return 1;
    case 24:
      Balloon(0);
      if (t.Field(ActorField::KlausCursor) == 67) {
        ThrowHeroine(16, -12, 8);
        SceneStep = 25;
        DrawMessageBox(kHeroine, "「ギャーーーーーー！」");
      }
      return 1;
    case 25:
      Balloon(5);
      h.FaceX() = -1;
      h.Input() = Bit(kButtonRight);
      DrawMessageBox(kHeroine, "ギャーーーーーー！");
      if (h.PosY() >= 3000) Say(kTeacher, "「・・・・・・・・・・」", 26);
      return 1;
    case 26:
      if (LineClosed()) {
        FadeOut();
        SceneStep = 27;
      }
      return 1;
    case 27:
      if (IsFading() == 0) SceneStep = 28;
      return 1;
    case 28:
      Say("【？？？】", "山岳都市ランカシャア東区地下部", 29);
      return 1;
    case 29:
      if (LineClosed()) {
        FadeIn();
        SceneStep = 30;
        ChangeScene(kSceneCave);
        h.Control() = kControlHeld;
        h.Input() = 0;
      }
      return 1;
    default:
      return 0;
  }
}

// The cave: she lands, looks about, finds the chest and the insect in it.
uint32_t RunCaveStep(int32_t step) {
  const Actor h = Heroine();
  switch (step) {
    case 30:
      if (IsFading() == 0) SceneStep = 31;
      return 1;
    case 31:
      if (GetActorMotion(kHeroineGroup, 0) != kFalling) SceneStep = 32;
      return 1;
    case 32:
      Say(kTovia, "なんだここ？", 33);
      return 1;
    case 33:
      NextWhenClosed(34);
      return 1;
    case 34:  // she looks left, right and left, 30 frames each
      h.FaceX() = -1;
      SceneStep = 35;
      return 1;
    case 35:
      LookAbout(36);
      return 1;
    case 36:
      h.FaceX() = 1;
      SceneStep = 37;
      return 1;
    case 37:
      LookAbout(38);
      return 1;
    case 38:
      h.FaceX() = -1;
      SceneStep = 39;
      return 1;
    case 39:
      LookAbout(40);
      return 1;
    case 40:
      Balloon(0);
      SceneStep = 41;
      return 1;
    case 41:
      if (h.PosX() > 204) {
        Balloon(0);
        h.Input() = Bit(kButtonLeft);
        return 1;
      }
      h.Input() = 0;
      SceneStep = 42;
      return 1;
    case 42:
      SceneStep = 43;
      Balloon(2);
      PlaceHeroine(6, -1, -1, 'L', 'N');
      return 1;
    case 43:
      Say(kTovia, "た、宝箱！", 44);
      return 1;
    case 44:
      Balloon(2);
      NextWhenClosed(45);
      return 1;
    case 45:
      SetFlag(1, 1000, 1);  // the chest opens
      SceneStep = 46;
      return 1;
    case 46:
      Say("", "　　魔道具【ＢＥＥＴＬＥ】を手に入れた。", 47);
      PlaySound(3);
      return 1;
    case 47:
      SetMessagePortrait(0, 0);
      NextWhenClosed(48);
      return 1;
    case 48:
      SpawnActor(kInsectGroup, h.PosX(), h.PosY(), 1, 1);
      Say("【汚い虫っぽい物】", "「久々に外に出れた・・・」", 49);
      return 1;
    case 49:
    case 51:
    case 53:
    case 55:
      NextWhenClosed(step + 1);
      return 1;
    case 50:
      Say(kTovia, "「うわ、汚い虫がしゃべった！」", 51);
      return 1;
    case 52:
      Say("【汚い虫】", "「コラ！誰が汚いだ！・・・・ま、とにかく助かった。」", 53);
      return 1;
    case 54:
      Say(kTovia, "「というか・・・・ここが何処だかわかる？虫のおじさん。」", 55);
      return 1;
    case 56:
      Say("【汚い虫】",
          "「おじさん・・・・・まぁいいだろ。出してもらったお礼に案内を引き受けてやろう・・・しかし・・・・"
          "ずっと飛んでるのは疲れるので、お前さんの頭の上にでも休ませて貰おうか・・」",
          59);
      return 1;
    case 59:
      if (LineClosed()) {
        SceneStep = 60;
        KillActor(kInsectGroup, 0);  // it settles on her head
      }
      return 1;
    case 60:
      Say(kTovia, "「うへ、くすぐったい！」", 61);
      return 1;
    case 61:
      NextWhenClosed(62);
      return 1;
    case 62:
      SpawnActor(kInsectGroup, h.PosX(), h.PosY(), 1, 1);
      Say("【変な虫】", "「うわ臭ぇ！てか、頭洗えよなおまえ。」", 64);
      return 1;
    case 64:
      NextWhenClosed(65);
      return 1;
    case 65:
      Say(kTovia, "「ほっといて！それよりもどう進んだらいいの？」", 66);
      return 1;
    case 66:
      NextWhenClosed(67);
      return 1;
    case 67:
      Say("【変な虫】",
          "「臭いのは否定はしないんだな・・・・とりあえず、右のほうへ向かってくれ。←・→で移動で、"
          "肯定ボタンでジャンプできる。操作法表はESCで見れるぞ。」",
          70);
      return 1;
    case 70:
      NextWhenClosed(kEnd);
      return 1;
    case kEnd:  // the insect that came out last stays with her
      Teacher().Control() = kControlSelf;
      SubMode = kSubWorld;
      SubModeArg = 0;
      HeroControl = kControlSelf;
      ResetHeroineFacing();
      SceneStep = 0;
      EventSubCounter = 0;
      return 1;
    default:
      return 0;
  }
}

}  // namespace

bool IsOpeningSceneStep(int32_t step) {
  switch (step) {
    case 19:
    case 20:
    case 57:
    case 58:
    case 63:
    case 68:
    case 69:
      return false;
    default:
      return step == -17 || step == -1 || step == kEnd || (step >= 0 && step <= 70);
  }
}

uint32_t RunOpeningScene() {
  const int32_t step = SceneStep;
  if (!IsOpeningSceneStep(step)) return 0;
  return step == kEnd || step >= 30 ? RunCaveStep(step) : RunStreetStep(step);
}

// ---- the game over ---------------------------------------------------------------------------

bool IsGameOverSceneStep(int32_t step) { return step >= 0 && step <= 5; }

uint32_t RunGameOverScene() {
  switch (SceneStep) {
    case 0:
      ClearAllActors();
      FadeOut();
      SceneStep = 1;
      break;
    case 1:
      if (IsFading() == 0) SceneStep = 2;
      break;
    case 2:
      ChangeScene(kSceneOpeningForest);
      Say("【クロノス】", "　ゲームオーバー", 3);
      break;
    case 3:
      if (LineClosed()) {
        FadeIn();
        SceneStep = 4;
      }
      break;
    case 4:
      if (IsFading() == 0) SceneStep = 5;
      break;
    case 5:  // the end: the game halts
      HeroControl = kControlSelf;
      Teacher().Control() = kControlSelf;
      SubMode = kSubWorld;
      SubModeArg = 0;
      GameMode = kGameHalted;
      SceneStep = 0;
      break;
    default:
      break;
  }
  return 0;
}
