#include "events/event_script.h"

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/repeaters.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kInsectGroup = 114;  // the insect companion that speaks in guide talks
constexpr int kPoseDoor = 6;
constexpr int kFadeInDelay = 8;   // the scene stands this many frames before the fade-in starts
constexpr int kHealSound = 19;
constexpr uint32_t kPatchTile = 2240;  // the opening that PatchMapTiles draws on layer 1

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// The heroine anew in slot 0 at (x, y), in the door pose facing right.
void RespawnHeroine(int32_t x, int32_t y) {
  KillActor(kHeroineGroup, 0);
  SpawnActor(kHeroineGroup, x, y, 1, 0);
  PlaceHeroine(kPoseDoor, -1, -1, 'r', 'n');
}

// Counts the frames of a step that waits before the fade-in: true on its ninth frame (the
// counter was 8 before the count), after which it stays at 9.
bool NinthFrameOfStep() { return EventSubCounter++ == kFadeInDelay; }

void FillHpAndMp() {
  PlayerStats.Hp = PlayerStats.MaxHp;
  PlayerStats.Mp = PlayerStats.MaxMp;
  QueueRepeatedSound(kHealSound, 1, 1);
}

// The in-map warp's steps; `camera` says whether the camera moves (FadeWarpInMap) or not.
void FadeWarp(int32_t slot, int32_t b, bool camera, int32_t camX, int32_t camY, int32_t x, int32_t y, int32_t heal) {
  int32_t& step = EventStep[slot];
  const int32_t at = step - b;
  if (at == 0) {
    FadeOut();
    step = b + 1;
  } else if (at == 1) {
    if (IsFading() == 0) step = b + 2;
  } else if (at == 2) {
    if (camera) SetCameraPosition(camX, camY);
    RespawnHeroine(x - 24, y - 64);
    if (camera) {
      SetCameraTarget(kNoCameraTarget);
      RedrawAllLayers();
    } else {
      HeroControl = 1;
    }
    step = b + 3;
  } else if (at == 3) {
    if (NinthFrameOfStep()) {
      FadeIn();
      if (heal == 1) FillHpAndMp();
      if (!camera) HeroControl = 2;
      PlaceHeroine(kPoseDoor, -1, -1, 'r', 'n');
      step = b + 4;
    }
  } else if (at == 4) {
    if (IsFading() == 0) step = b + 5;
  }
}

}  // namespace

// ---- beginning and ending ---------------------------------------------------------------------

void BeginEvent() {
  HeroControl = 1;
  PlaceHeroine(kPoseDoor, -1, -1, 'L', 'N');
  HeroPadBits = 0;
  Heroine().Link() = 0;
  InputLock = 0;
  EventSubCounter = 0;
}

void EndEvent(int32_t slot) {
  EventStep[slot] = 0;
  SceneStep = 0;
  EventSubCounter = 0;
  HeroControl = 0;
  ResetHeroineFacing();
  SubMode = kSubWorld;
  SubModeArg = 0;
  InputLock = 1;
}

// ---- lines ------------------------------------------------------------------------------------

void SayLine(const char* speaker, const char* text, uint32_t flag, int32_t* step, uint32_t increment) {
  CloseMessage();
  OpenMessage(24, 0, 0, speaker, text, nullptr, static_cast<int>(flag));
  *step += static_cast<int32_t>(increment);
}

void WaitLine(int32_t* step, uint32_t increment) {
  if (MessageResult == -2) *step += static_cast<int32_t>(increment);
}

// ---- guide talks ------------------------------------------------------------------------------

void BeginGuideTalk(uint32_t showInsect) {
  if (showInsect != 0) SpawnActor(kInsectGroup, Heroine().PosX(), Heroine().PosY(), 1, 1);
  HeroControl = 1;
  HeroPadBits = 0;
  Heroine().Link() = 0;
  InputLock = 0;
}

void EndGuideTalk(int32_t event) {
  SubMode = kSubWorld;
  SubModeArg = 0;
  HeroControl = 0;
  EventStep[2] = 0;
  EventSubCounter = 0;
  if (event >= 0) SetFlag(0, event - 513, 1);
  KillActor(kInsectGroup, 0);
  InputLock = 1;
}

// ---- doors and warps --------------------------------------------------------------------------

void WarpToMap(int32_t slot, int32_t camX, int32_t camY, int32_t x, int32_t y, int32_t camTarget, int32_t scene) {
  int32_t& step = EventStep[slot];
  switch (step) {
    case 0:
      BeginEvent();
      FadeOut();
      step = 1;
      break;
    case 1:
      if (IsFading() == 0) step = 2;
      break;
    case 2:
      // The scene may place the camera and the heroine itself; the door's own point wins. A map
      // that fails to load leaves the fatal error scene in place of the event from the next frame.
      SetCameraPosition(camX, camY);
      ChangeScene(scene);
      RespawnHeroine(x, y);
      SetCameraTarget(camTarget);
      RedrawAllLayers();
      step = 3;
      HeroControl = 1;
      break;
    case 3:
      if (NinthFrameOfStep()) {
        FadeIn();
        step = 4;
        PlaceHeroine(kPoseDoor, -1, -1, 'r', 'n');
      }
      break;
    case 4:
      if (IsFading() == 0) step = 5;
      break;
    case 5:
      EndEvent(slot);
      break;
    default:
      break;
  }
}

void FadeWarpHere(int32_t slot, int32_t baseStep, int32_t x, int32_t y, int32_t heal) {
  FadeWarp(slot, baseStep, false, 0, 0, x, y, heal);
}

void FadeWarpInMap(int32_t slot, int32_t baseStep, int32_t camX, int32_t camY, int32_t x, int32_t y, int32_t heal) {
  FadeWarp(slot, baseStep, true, camX, camY, x, y, heal);
}

// ---- buying -----------------------------------------------------------------------------------

uint32_t BuyItem(uint32_t id) {
  const int32_t price = ItemValue(id, 2);
  if (SpendMoney(price) == 0) return kBuyTooLittleMoney;
  if (AddToBag(id) == 1) return kBuyDone;
  SpendMoney(-price);
  return kBuyBagFull;
}

// ---- the camera -------------------------------------------------------------------------------

uint32_t PanCameraTo(int32_t group, int32_t slot, int32_t x, int32_t y) {
  const int32_t dx = x - 296 - GetCameraX();
  const int32_t dy = y - 240 - GetCameraY();
  // An eighth of the way while that moves either axis, then a quarter, a half, the rest.
  for (int32_t divisor : {8, 4, 2, 1}) {
    if (dx / divisor != 0 || dy / divisor != 0) {
      SetScroll(dx / divisor, dy / divisor);
      return 0;
    }
  }
  SetCameraTarget(kHeroineGroup);
  Actor(group, slot).PosX() = x;
  Actor(group, slot).PosY() = y;
  SetCameraPosition(x - 296, y - 240);
  return 1;
}

// ---- map tiles --------------------------------------------------------------------------------

void PatchMapTiles(int32_t x, int32_t y, int32_t tile) {
  for (int column = 0; column < 2; ++column) {
    for (int row = 0; row < 5; ++row) {
      const int px = x + column * kTileSize, py = y + row * kTileSize;
      SetTile(px, py, 1, kPatchTile);
      SetTile(px, py, kEventLayer, static_cast<uint32_t>(tile));
    }
  }
  RedrawAllLayers();
}
