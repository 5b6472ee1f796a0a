#include "ui/title_screen.h"

#include <cstring>
#include <span>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "audio/sound_slots.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/repeaters.h"
#include "ui/hud.h"
#include "ui/option_menus.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kSheet3 = 3600;  // the title's sprites lie on sprite sheet 3
constexpr uint32_t kWhite = 0xFFFFFF;

constexpr int kSoundRefuse = 20;
constexpr int kSoundLoad = 19;

// One of the nine sprites, under the names of its fields.
struct TitleSprite {
  explicit TitleSprite(int k) : a(kTitleSpriteGroup, k) {}
  int32_t& frame() const { return a.AnimCursor(); }
  int32_t& x() const { return a.PosX(); }
  int32_t& y() const { return a.PosY(); }
  int32_t& dx() const { return a.StepX(); }
  int32_t& dy() const { return a.StepY(); }
  int32_t& width() const { return a.MaxLife(); }
  int32_t& height() const { return a.Life(); }
  int32_t& base() const { return a.Param24(); }
  int32_t& on() const { return a.ExpReward(); }
  void Stop() const { dx() = dy() = 0; }
  Actor a;
};

TitleSprite Sprite(int k) { return TitleSprite(k); }

// ---- the animation -----------------------------------------------------------------------------

// How a sprite's frame moves on after it is drawn.
enum class Advance {
  kLoop,  // one on; back to 0 before the end marker -1
  kOnce,  // one on while on is 2 and the next entry is not -2; it then holds its last picture
  kSet,   // the scene sets the frame
};

struct SpriteFrames {
  std::span<const int32_t> table;  // offsets from the base cell; none: offset 0
  Advance advance;
};

// The table's entry at i, or the end marker outside it.
int32_t FrameEntry(std::span<const int32_t> table, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < table.size() ? table[i] : -1;
}

void AdvanceFrame(const TitleSprite& s, const SpriteFrames& f) {
  const int32_t next = FrameEntry(f.table, s.frame() + 1);
  switch (f.advance) {
    case Advance::kLoop:
      s.frame() = next == -1 ? 0 : s.frame() + 1;
      break;
    case Advance::kOnce:
      if (s.on() == 2 && next != -2 && next != -1) s.frame() += 1;
      break;
    case Advance::kSet:
      break;
  }
}

// ---- the demo --------------------------------------------------------------------------------

void SetDemoSprites() {
  static constexpr struct {
    int32_t x, y, width, height, base, on;
  } kStart[kTitleSpriteCount] = {
      {0, 140, 2, 2, 641, 1},   {592, 290, 3, 2, 561, 1}, {548, 300, 2, 2, 321, 1},
      {296, 400, 3, 3, 445, 1}, {548, 272, 1, 2, 242, 1}, {320, 240, 2, 2, 443, 0},
      {304, 0, 3, 4, 4, 1},     {320, 240, 1, 2, 161, 0}, {208, 0, 14, 5, 10, 1},
  };
  for (int k = 0; k < kTitleSpriteCount; ++k) {
    const TitleSprite s = Sprite(k);
    s.x() = kStart[k].x;
    s.y() = kStart[k].y;
    s.width() = kStart[k].width;
    s.height() = kStart[k].height;
    s.base() = kStart[k].base;
    s.on() = kStart[k].on;
    s.Stop();
    s.frame() = 0;
    s.a.VelX() = s.a.VelY() = 0;
  }
}

void PlayQueued(int sound) { QueueRepeatedSound(sound, 2, 10); }

// The flash where the two first sprites met: a bar of the grey level on draw layer 2.
void DrawFlashBar(int level) {
  const uint32_t grey = static_cast<uint32_t>(level) * 0x010101u;
  PushFillRect(2, 1, kWorldCoords, Sprite(1).x() + 24, 0, 4, 308, grey);
}

// A sprite thrown up and away: its dx grows to -1, its dy to 6.
void ArcOf(const TitleSprite& s) {
  if (s.dx() < -1) s.dx() += 1;
  if (s.dy() < 6) s.dy() += 1;
}

// A new press in the demo: the picture it ends in, and the fade.
void SkipDemo() {
  for (int k = 0; k < kTitleSpriteCount; ++k) {
    const TitleSprite s = Sprite(k);
    s.Stop();
    s.on() = s.width() = s.height() = 0;
  }
  const TitleSprite logo = Sprite(8);
  logo.x() = 208, logo.y() = 152, logo.width() = 14, logo.height() = 5, logo.base() = 10, logo.on() = 1;
  const TitleSprite figure = Sprite(6);
  figure.x() = 304, figure.y() = 232, figure.width() = 3, figure.height() = 4, figure.base() = 4, figure.on() = 1;
  ClearEmitters();
  SceneStep = 6000;
  PlayQueued(9);
}

void FillWhite() { FillRectColor(0, 0, 640, 480, kWhite); }

void RunDemoStep() {
  int32_t& tick = EventSubCounter;
  switch (SceneStep) {
    case 4000:
      SetDemoSprites();
      SceneStep = 4001;
      break;
    case 4001:  // the walker and the glider meet in the middle
      Sprite(0).dx() = 4;
      Sprite(1).dx() = -4;
      DrawTitleAnimation();
      if (Sprite(0).x() < 302) break;
      Sprite(0).Stop();
      Sprite(1).Stop();
      AddEmitter(302, 140, 20, 20, 1, 5, 10);
      Sprite(2).dx() = -4;
      PlayQueued(27);
      DrawFlashBar(255);
      SceneStep = 4002;
      break;
    case 4002:  // the flash fades; the spell flies in
      DrawTitleAnimation();
      if (tick < 10) {
        DrawFlashBar(255 - 25 * tick);
      } else {
        Sprite(0).on() = 0;
      }
      if (Sprite(2).x() > 302) {
        tick += 1;
        break;
      }
      Sprite(2).Stop();
      Sprite(1).on() = 2;
      PlayQueued(23);
      Sprite(5).x() = Sprite(2).x();
      Sprite(5).y() = Sprite(2).y();
      Sprite(5).on() = 1;
      tick = 1;
      SceneStep = 4003;
      break;
    case 4003:  // the burst; the afterglow blinks
      DrawTitleAnimation();
      if (tick == 30) PlayQueued(31);
      if (tick % 25 == 0) Sprite(5).on() ^= 1;
      if (++tick < 50) break;
      Sprite(1).on() = 0;
      Sprite(5).on() = 0;
      Sprite(3).dy() = -4;
      AddEmitter(Sprite(5).x(), Sprite(5).y(), 20, 20, 1, 3, 10);
      tick = 1;
      SceneStep = 4004;
      break;
    case 4004:  // the rock rises
      if (tick == 35) Sprite(2).on() = 0;
      if (Sprite(3).y() > 222) {
        DrawTitleAnimation();
        tick += 1;
        break;
      }
      Sprite(3).Stop();
      Sprite(4).dx() = -4;
      DrawTitleAnimation();
      tick = 1;
      SceneStep = 4005;
      break;
    case 4005:  // the insect flies in and lands on the rock, which is thrown away
      DrawTitleAnimation();
      if (Sprite(4).x() > 320) {
        tick += 1;
        break;
      }
      Sprite(7).x() = Sprite(4).x();
      Sprite(7).y() = Sprite(4).y() - 16;
      Sprite(7).frame() = 2;
      Sprite(7).on() = 1;
      Sprite(4).Stop();
      Sprite(4).on() = 0;
      Sprite(3).y() -= 4;
      Sprite(3).dx() = -8;
      Sprite(3).dy() = -8;
      Sprite(3).on() = 2;
      PlayQueued(2);
      PlayQueued(4);
      tick = 1;
      SceneStep = 4006;
      break;
    case 4006:  // the insect settles; the heroine starts to drop
      if (tick == 10) Sprite(7).dy() = 2;
      if (tick == 18) {
        Sprite(7).Stop();
        Sprite(7).frame() = 1;
        Sprite(6).dy() = 8;
        tick = 0;
        SceneStep = 4007;
      }
      ArcOf(Sprite(3));
      Sprite(3).on() = 2;
      tick += 1;
      DrawTitleAnimation();
      break;
    case 4007:  // the insect looks about until she lands
      DrawTitleAnimation();
      if (tick % 25 == 0) Sprite(7).frame() ^= 1;
      if (Sprite(6).y() < 228) {
        tick += 1;
        break;
      }
      Sprite(6).Stop();
      Sprite(7).frame() = 3;
      Sprite(7).dx() = -8;
      Sprite(7).dy() = -8;
      PlayQueued(9);
      tick += 1;
      SceneStep = 4008;
      break;
    case 4008:  // the insect is knocked away; the logo drops
      DrawTitleAnimation();
      Sprite(8).dy() = 8;
      ArcOf(Sprite(7));
      if (Sprite(8).y() < 152) {
        tick += 1;
        break;
      }
      Sprite(8).Stop();
      Sprite(7).frame() = 3;
      PlayQueued(9);
      tick = 1;
      SceneStep = 4009;
      break;
    case 4009:  // the picture on white
      if (tick == 120) SceneStep = 4010;
      FillWhite();
      DrawTitleAnimation();
      tick += 1;
      break;
    case 4010:
      FillWhite();
      FadeOut();
      DrawTitleAnimation();
      SceneStep = 5000;
      break;
    default:
      break;
  }
}

// ---- the menus ---------------------------------------------------------------------------------

void OpenTitleMenu() {
  static const char kChoices[4][49] = {"最初から始める", "続きから始める", "オプション", "ゲームを終わる"};
  CloseMessage();
  OpenMessage(15, 4, 0, "　【タイトルメニュー】", nullptr, kChoices, 1);
  SetMessageOption(1);
}

void ChooseInTitleMenu() {
  switch (MessageResult) {
    case -2:
      SceneStep = 400;  // the menu opens again
      break;
    case 0:  // a new game: the opening, on the state of the first frame's new game
      SubMode = kSubStartSequence;
      SubModeArg = 0;
      GameMode = kGamePlaying;
      HideHud();
      DisableHud();
      RedrawAllLayers();
      SceneStep = 0;
      break;
    case 1:
      SlotHeadersStale = -1;
      SceneStep = 600;
      break;
    case 2:
      SceneStep = kOptionMenuStep;
      break;
    case 3:  // the program ends after this frame
      SubMode = kSubWorld;
      SubModeArg = 0;
      Running = 0;
      SceneStep = 0;
      break;
    default:
      break;
  }
}

constexpr const char* kNoRecord = "－記録がありません－";

void OpenLoadMenu() {
  if (SlotHeadersStale == -1) {
    ReadSlotHeaders();
    SlotHeadersStale = 0;
  }
  char choices[4][49] = {"キャンセル"};
  for (int n = 0; n < 3; ++n) std::memcpy(choices[n + 1], SlotHeaders[n], sizeof SlotHeaders[n]);
  CloseMessage();
  OpenMessage(15, 4, 0, "　ロードメニュー", nullptr, choices, 1);
  SetMessageOption(1);
}

void BackToTitleMenu(bool refused) {
  if (refused) PlaySound(kSoundRefuse);
  SlotHeadersStale = -1;
  SceneStep = 400;
}

void ChooseInLoadMenu() {
  static const char* const kSaves[] = {".\\Data\\save0.dat", ".\\Data\\save1.dat", ".\\Data\\save2.dat"};
  const int32_t choice = MessageResult;
  if (choice == -2) {
    BackToTitleMenu(false);
  } else if (choice == 0) {
    BackToTitleMenu(true);
  } else if (choice >= 1 && choice <= 3) {
    const int slot = choice - 1;
    if (std::strcmp(SlotHeaders[slot], kNoRecord) == 0) {
      BackToTitleMenu(true);
      return;
    }
    // The load's sound first, at the volume in force before the save brings its own.
    PlaySound(kSoundLoad);
    // The file may have gone or changed since its header was read: a load that fails leaves
    // the game as it is and the title menu comes back.
    if (ReadSave(kSaves[slot]) != 0) {
      BackToTitleMenu(true);
      return;
    }
    SceneStep = 620;  // after the read, which brought the saved SceneStep with it
  }
}

// The loaded game comes in through the save room.
void RunLoadStep() {
  switch (SceneStep) {
    case 620:
      FadeOut();
      SceneStep = 630;
      break;
    case 630:
      if (IsFading() == 0) SceneStep = 640;
      break;
    case 640:
      ChangeScene(kSceneSaveRoom);
      RedrawAllLayers();
      ShowHud();
      EnableHud();
      FadeIn();
      SceneStep = 650;
      break;
    case 650:
      if (IsFading() == 0) SceneStep = 660;
      break;
    case 660:
      HeroControl = kControlSelf;
      PlaceHeroine(0, -1, -1, 'R', 'N');
      RedrawAllLayers();
      // The save statue's step among them: every save is written in the middle of its script.
      ResetEventStepsAfterLoad();
      SubMode = kSubWorld;
      SubModeArg = 0;
      GameMode = kGamePlaying;
      SlotHeadersStale = -1;
      SceneStep = 0;
      break;
    default:
      break;
  }
}

bool IsDemoStep(int32_t step) { return step >= 3999 && step <= 5000; }

}  // namespace

void DrawCellBlock(int x, int y, int w, int h, int first) {
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) DrawCell(x + 16 * column, y + 16 * row, 16, 16, first + column + 40 * row);
  }
}

void DrawLetterbox() {
  PushFillRect(4, 1, kScreenCoords, 0, 0, 100, 480, 0x000000);
  PushFillRect(4, 1, kScreenCoords, 540, 0, 100, 480, 0x000000);
  PushFillRect(4, 1, kScreenCoords, 0, 0, 640, 100, 0x000000);
  PushFillRect(4, 1, kScreenCoords, 0, 380, 640, 100, 0x000000);
}

void DrawTitleAnimation() {
  // Offsets from each sprite's base cell, frame by frame.
  static constexpr int32_t TitleWalkFrames[] = {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 2, 2, 2, 2, 2, 2, -1};
  static constexpr int32_t TitleBurstFramesA[] = {0, 3, 6, 9, 12, 15, 18, 21, 24, -2, -2, -2, -2};
  static constexpr int32_t TitleSwingFrames[] = {0,  2,  4,  6,  8,  10, 12, 14, 16, 18, 20, 22,
                                                 20, 18, 16, 14, 12, 10, 8,  6,  4,  2,  -1, -1};
  static constexpr int32_t TitleBurstFramesB[] = {0, 3, 6, 9, 12, 15, 18, 21, 24, -2, -2, -2, -2};
  static constexpr int32_t TitleBobFrames[] = {0, 0, 1, 1, 2, 2, 1, 1, -1};
  static constexpr int32_t TitlePoseFrames[] = {0, 1, 2, 3, -1};
  static constexpr SpriteFrames kFrames[kTitleSpriteCount] = {
      {TitleWalkFrames, Advance::kLoop}, {TitleBurstFramesA, Advance::kOnce}, {TitleSwingFrames, Advance::kLoop},
      {TitleBurstFramesB, Advance::kOnce}, {TitleBobFrames, Advance::kLoop},  {{}, Advance::kSet},
      {{}, Advance::kSet},                 {TitlePoseFrames, Advance::kSet},  {{}, Advance::kSet},
  };
  for (int k = 0; k < kTitleSpriteCount; ++k) {
    const TitleSprite s = Sprite(k);
    if (s.on() >= 1) {
      const int32_t offset = kFrames[k].table.empty() ? 0 : FrameEntry(kFrames[k].table, s.frame());
      DrawCellBlock(s.x(), s.y(), s.width(), s.height(), s.base() + offset + kSheet3);
      AdvanceFrame(s, kFrames[k]);
    }
    s.x() += s.dx();
    s.y() += s.dy();
  }
  DrawLetterbox();
}

uint32_t RunTitleScene() {
  if (IsDemoStep(SceneStep) && GetChangedButtons() != 0) SkipDemo();
  const int32_t step = SceneStep;
  if (step >= 4000 && step <= 4010) {
    RunDemoStep();
  } else if (step >= 620 && step <= 660) {
    RunLoadStep();
  } else if (IsOptionMenuStep(kTitleOptions, step)) {
    RunOptionMenus(kTitleOptions);  // back to the title menu, step 400
  } else {
    switch (step) {
      case 0:
        ClearAllActors();
        EventSubCounter = 0;
        SceneStep = 100;
        break;
      case 100:
        ChangeScene(kSceneTitle);  // the title's backdrop
        SceneStep = 3999;
        break;
      case 3999:
        if (IsFading() == 0) SceneStep = 4000;
        break;
      case 5000:
        FillWhite();
        DrawTitleAnimation();
        if (IsFading() == 0) SceneStep = 350;
        break;
      case 6000:
        FillWhite();
        FadeOut();
        DrawTitleAnimation();
        SceneStep = 6001;
        break;
      case 6001:
        FillWhite();
        DrawTitleAnimation();
        if (IsFading() == 0) SceneStep = 350;
        break;
      case 350:
        FadeIn();
        SetScroll(0, 480);
        SceneStep = 351;
        break;
      case 351:
        if (IsFading() == 0) SceneStep = 400;
        break;
      case 400:
        OpenTitleMenu();
        SceneStep = 500;
        break;
      case 500:
        ChooseInTitleMenu();
        break;
      case 600:
        OpenLoadMenu();
        SceneStep = 610;
        break;
      case 610:
        ChooseInLoadMenu();
        break;
      default:
        break;
    }
  }
  return 1;
}

bool IsTitleSceneStep(int32_t step) {
  switch (step) {
    case 0:
    case 100:
    case 3999:
    case 5000:
    case 6000:
    case 6001:
    case 350:
    case 351:
    case 400:
    case 500:
    case 600:
    case 610:
    case 620:
    case 630:
    case 640:
    case 650:
    case 660:
      return true;
    default:
      return (step >= 4000 && step <= 4010) || IsOptionMenuStep(kTitleOptions, step);
  }
}
