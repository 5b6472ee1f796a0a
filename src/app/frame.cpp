#include <algorithm>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "audio/volumes.h"
#include "editor/debug_menu.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/repeaters.h"
#include "platform/utils.h"
#include "ui/hud.h"
#include "ui/pause_menu.h"
#include "ui/status_panel.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

int32_t GameMode = kGameNew;
int32_t SubMode = kSubWorld;
int32_t SubModeArg = 0;
int32_t MessageResult = -1;

namespace {

// The pause menu's help lines, queued over everything but the menus, in black one pixel right
// and down as a shadow and then in white.
void QueueHelpLines() {
  static constexpr struct {
    int y;
    const char* text;
  } kLines[] = {
      {0, "[ﾒﾆｭｰ:ESC][画面切替:TAB][ｱｲﾃﾑ切替:A/S][魔法切替:D/F]"},
      {20, "[移動:←・→][座る:↓][扉・話:↑][跳躍:Z][話:X][ｱｲﾃﾑ:C][魔法:V]"},
  };
  for (const auto& line : kLines) {
    PushText(3, 1, kScreenCoords, 1, line.y + 1, 0x000000, 18, "MS Gothic", line.text);
    PushText(3, 1, kScreenCoords, 0, line.y, 0xFFFFFF, 18, "MS Gothic", line.text);
  }
}

// GameMode 2: whatever stands over the world, then the world when it runs.
void RunPlayingFrame() {
  if (DispatchSubMode() != 0) {
    if (IsButtonPressed(ButtonBits[kButtonMenu]) && SubMode == kSubWorld) {
      SubMode = kSubPauseMenu;
      // The menu always opens on its main menu: a state left in a save would wait for a result
      // that cannot come.
      MenuState = 0;
    }
    UpdateObjects();
    RunObjectPass2();
    CheckHeroineMapEvents();
    RunObjectPass3();
    CameraFollow(GetCameraTarget());
    DrawHud();
  }
  // The emitters and the actors' pictures also run under menus, talks and events.
  RunEmitters();
  DrawObjects();
  if (SubMode == kSubPauseMenu) {
    QueueHelpLines();
    RunPauseMenu();
  }
}

// GameMode 254: only the dispatcher, and the menu button opens the debug menu.
void RunHaltedFrame() {
  if (DispatchSubMode() != 0 && IsButtonPressed(ButtonBits[kButtonMenu]) && SubMode != kSubDebugMenu) {
    OpenDebugMenu();
    SubMode = kSubDebugMenu;
  }
}

}  // namespace

int RunFrame(Window window) {
  SampleInput();
  // The key that closed a window or picked a line stays locked until jump and action are up.
  if (InputLock == 1 && !IsButtonHeld(ButtonBits[kButtonJump]) && !IsButtonHeld(ButtonBits[kButtonAction])) {
    InputLock = 0;
  }
  // Present the picture drawn during the last frame and start this one on a black back buffer.
  PresentAndClear(window, 1);

  switch (GameMode) {
    case kGameNew:
      NewGameInit();
      SubMode = kSubStartSequence;
      SubModeArg = 1;  // the title screen
      GameMode = kGamePlaying;
      DisableHud();
      RedrawAllLayers();
      break;
    case kGamePlaying:
      RunPlayingFrame();
      break;
    case kGameHalted:
      RunHaltedFrame();
      break;
    default:
      break;
  }

  RenderFrame();
  DrawStatusPanel();
  RunRepeatedSounds();
  DrawFade();
  MessageResult = UpdateMessage();
  if (MessageResult != -1 && MessageResult != 255) InputLock = 1;
  LastKey = 0;
  return 0;
}

void NewGameInit() {
  Randomize();
  InitBgLayers();
  InitScreen(static_cast<int>(BgLayers.WorldSize.width), static_cast<int>(BgLayers.WorldSize.height), kScreenWidth,
             kScreenHeight);
  SetBackPictureMode(1);
  ClearAllActors();
  ResetHud();

  PlayerStatsRecord& p = PlayerStats;
  Save.Reserved5976 = 0;  // the word ahead of the player's statistics
  p.Level = 1;
  p.EquippedRing = p.EquippedChoker = p.EquippedPendant = p.BagCursor = p.EquippedMagicTool = 0;
  p.SelectedSpecialItem = 0;
  p.OwnedPendants = p.OwnedRings = p.OwnedChokers = p.OwnedMagicTools = p.OwnedSpecialItems = 0;
  std::fill(std::begin(p.Bag), std::end(p.Bag), 0u);
  p.Coins = 0;
  p.Score = 0;
  p.Money = 320;
  p.Exp = 0;

  std::fill(std::begin(EventStep), std::end(EventStep), 0);
  std::fill(std::begin(SceneVars), std::end(SceneVars), 0);
  SoundVolume = -1500;
  MusicVolume = 32;

  std::fill(std::begin(SceneBitmapIds), std::end(SceneBitmapIds), -1);
  std::fill(std::begin(p.SpellLevel), std::end(p.SpellLevel), 0);
  std::fill(std::begin(p.SpellTimer), std::end(p.SpellTimer), 0);
  ClearAllFlags();

  // The starting bag and equipment.
  p.Bag[0] = p.Bag[1] = 1;
  p.Bag[2] = 2;
  p.Bag[5] = 3;
  p.OwnedChokers = 0x15;
  p.OwnedRings = 0x2A;
  p.OwnedPendants = 0x49;
  p.OwnedMagicTools = 0x17;

  FadeIn();
  HideHud();
  RefillHeroineHpMp();
  RecalcHeroineStats();
  GiveSpecialItem(0x80);  // the health-insurance card
}
