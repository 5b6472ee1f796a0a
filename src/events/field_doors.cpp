#include "events/field_doors.h"

#include <cstring>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "events/event_script.h"
#include "platform/utils.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kPoseStand = 0;
constexpr int kPoseDoor = 6;
constexpr int kKeep = -1;  // PlaceHeroine's "keep this coordinate"
constexpr int kDoorSheetSurface = 8;  // sprite sheet 1, which some doors change

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// She is frozen in the door pose, facing left, while the picture goes black.
void FreezeAndFadeOut() {
  HeroControl = 2;
  PlaceHeroine(kPoseDoor, kKeep, kKeep, 'L', 'N');
  FadeOut();
}

// The end of a warp or a scene change of its own counter: she walks on, and no lock is put on
// the input (the Up that started it has to be pressed anew anyway).
void ReleaseHer(int32_t& step) {
  step = 0;
  SubMode = kSubWorld;
  SubModeArg = 0;
  HeroControl = 0;
  ResetHeroineFacing();
}

}  // namespace

// ---- warps within the map -----------------------------------------------------------------------

namespace {

// 160: from the inn's lobby down into the cellar, whose one view the camera keeps; 161: up from
// the cellar into the hidden room under room C, where it follows her.
constexpr InMapWarpRow kInMapWarpRows[] = {
    {160, 1616, 1548, 1656, 1824, kNoCameraTarget},
    {161, 3447, 617, 3763, 864, kHeroineGroup},
};

}  // namespace

extern const std::span<const InMapWarpRow> kInMapWarps = kInMapWarpRows;

void RunInMapWarp(const InMapWarpRow& warp) {
  int32_t& step = EventStep[warp.number];
  switch (step) {
    case 0:
      FreezeAndFadeOut();
      step = 1;
      break;
    case 1:
      if (IsFading() == 0) step = 2;
      break;
    case 2:
      SetCameraPosition(warp.camX, warp.camY);
      RedrawAllLayers();
      HeroControl = 2;
      PlaceHeroine(kPoseDoor, warp.x, warp.y, 'R', 'N');
      SetCameraTarget(warp.target);
      FadeIn();
      step = 3;
      break;
    case 3:
      if (IsFading() == 0) ReleaseHer(step);
      break;
    default:
      break;
  }
}

// ---- the save room ------------------------------------------------------------------------------

void StorePosition() {
  SavedPositionRecord& p = SavedPosition;
  std::memcpy(p.MapPath, MapPath, sizeof p.MapPath);
  std::memcpy(p.WorldName, WorldName, sizeof p.WorldName);
  constexpr int kSurfaces[5] = {7, 8, 9, 10, 6};
  for (int i = 0; i < 5; ++i) p.SheetIds[i] = SceneBitmapIds[kSurfaces[i]];
  p.EventLayerEnabled = static_cast<int32_t>(BgLayers.LayerEnabled[kEventLayer]);
  p.CameraX = GetCameraX();
  p.CameraY = GetCameraY();
  p.Group = kHeroineGroup;
  p.HeroX = Heroine().PosX();
  p.HeroY = Heroine().PosY();
  p.FaceX = 1;
  p.FaceY = 0;
  p.CameraTarget = kHeroineGroup;
  p.Motion = Heroine().Motion();
}

void FieldEvent162() {
  int32_t& step = EventStep[162];
  switch (step) {
    case 0:
      StorePosition();
      FreezeAndFadeOut();
      step = 1;
      break;
    case 1:
      if (IsFading() == 0) step = 2;
      break;
    case 2:
      ChangeScene(kSceneSaveRoom);
      RedrawAllLayers();
      FadeIn();
      step = 3;
      HeroControl = 2;
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'R', 'N');
      break;
    case 3:
      if (IsFading() == 0) step = 4;
      break;
    case 4:
      HeroControl = 0;
      ResetHeroineFacing();
      SubMode = kSubWorld;
      SubModeArg = 0;
      step = 0;
      break;
    default:
      break;
  }
}

void FieldEvent163() {
  int32_t& step = EventStep[163];
  switch (step) {
    case 0:
      FreezeAndFadeOut();
      step = 1;
      break;
    case 1:
      if (IsFading() == 0) step = 2;
      break;
    case 2:
      ChangeScene(kSceneSavedPosition);
      RedrawAllLayers();
      FadeIn();
      step = 3;
      break;
    case 3:
      if (IsFading() == 0) step = 4;
      break;
    case 4:
      HeroControl = 0;
      PlaceHeroine(kPoseStand, kKeep, kKeep, 'R', 'N');
      SubMode = kSubWorld;
      SubModeArg = 0;
      step = 0;
      EventStep[2] = 0;
      EventSubCounter = 0;
      break;
    default:
      break;
  }
}

// ---- doors to another map -----------------------------------------------------------------------

namespace {

constexpr int32_t kTown = kSceneTown, kInside = kSceneTownInside;
constexpr int32_t kFollow = kHeroineGroup, kStays = kNoCameraTarget;
constexpr int32_t kTownSheet = 203, kTeacherSheet = 151;  // bitmaps of sprite sheet 1

// The door's camera into the town is the town scene's own: the scene change sets it after the
// door's. 269 leads into the inn's lobby from the town and from every room of the inn.
constexpr DoorRow kDoorRows[] = {
    {269, 0, 960, 40, 1172, kFollow, kInside},
    {270, 3272, 1880, 3576, 2056, kFollow, kTown},
    {271, 2568, 488, 2632, 712, kStays, kInside},
    {272, 3208, 488, 3268, 712, kStays, kInside},
    {276, 1224, 936, 1208, 872, kFollow, kInside},
    {277, 1484, 936, 1468, 872, kFollow, kInside},
    {278, 1736, 936, 1720, 872, kFollow, kInside},
    {314, 0, 0, 556, 232, kStays, kInside},
    {315, 5168, 1876, 5168 + 296, 1876 + 176, kFollow, kTown},
    {320, 1280, 0, 1840, 232, kStays, kInside, kTeacherSheet},
    {321, 264, 1896, 264, 1836, kFollow, kTown, kTownSheet, true},
    {323, 1280, 0, 1352, 232, kStays, kInside, kTeacherSheet, true},
    {328, 1280, 0, 1432, 232, kStays, kInside, kTeacherSheet, true},
};

// 273 is a door of the table's kind with more to do.
constexpr DoorRow kDoor273 = {273, 3848, 488, 3912, 712, kStays, kInside};

// Where the paintings' passage opens in room D, and the number its opening carries.
constexpr int32_t kPassageX = 4404, kPassageY = 708, kPassageEvent = 279;

}  // namespace

extern const std::span<const DoorRow> kDoors = kDoorRows;

void RunDoor(const DoorRow& door) {
  if (door.hold) HeroControl = 1;
  // The sheet comes in on the first frame of the fade-in, not with the scene; nothing is redrawn,
  // as no tile of the houses' map lies on that sheet.
  if (door.sheet != 0 && EventStep[2] == 4 && SceneBitmapIds[kDoorSheetSurface] != door.sheet) {
    SceneBitmapIds[kDoorSheetSurface] = door.sheet;
    ReloadSheetBitmaps();
  }
  WarpToMap(2, door.camX, door.camY, door.x, door.y, door.target, door.scene);
}

// The patch goes into whatever map is loaded on the frame: the lobby's during the fade-out, room
// D's from the scene change on (the same map file, loaded anew, so the earlier patch is gone).
void FieldEvent273() {
  RunDoor(kDoor273);
  if (GetFlag(1, 12) == 1 && GetFlag(1, 11) == 1) PatchMapTiles(kPassageX, kPassageY, kPassageEvent);
}

// ---- doors with a sign --------------------------------------------------------------------------

namespace {

// In the teacher's hall: the door to the teacher's room, seen from its loft, and the door to her
// own room.
constexpr SignedDoorRow kSignedDoorRows[] = {
    {322, "「先生の部屋」", 2568, 0, 2616, 232},
    {327, "「私の部屋」", 1920, 0, 1976, 300},
};

constexpr int32_t kWarpBaseStep = 3;  // the warp runs on steps 3..7

}  // namespace

extern const std::span<const SignedDoorRow> kSignedDoors = kSignedDoorRows;

void RunSignedDoor(const SignedDoorRow& door) {
  int32_t& step = EventStep[2];
  HeroControl = 1;
  if (step == 0) {
    BeginEvent();
    SayLine("トヴィア", door.sign, 1, &step, 2);
  } else if (step == 2) {
    WaitLine(&step, 1);
  } else if (step >= kWarpBaseStep && step <= kWarpBaseStep + 4) {
    FadeWarpInMap(2, kWarpBaseStep, door.camX, door.camY, door.x, door.y, 0);
  } else if (step == kWarpBaseStep + 5) {
    EndEvent(2);
  }
}

// ---- the cave's exit door -----------------------------------------------------------------------

namespace {

constexpr uint32_t kCardKey = 16;  // special item bit
constexpr int kExitDoorGroup = 117;

}  // namespace

void FieldEvent261() {
  int32_t& step = EventStep[2];
  HeroControl = 2;
  HeroPadBits = 0;
  if (HasSpecialItem(kCardKey) == 1 && step == 0) step = 20;
  switch (step) {
    // Without the card key: it does not open, and the insect says what it is.
    case 0:
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'L', 'N');
      OpenMessage(24, 0, 0, "トヴィア：", "「開かなーい。」", nullptr, 1);
      step = 1;
      break;
    case 1:
      if (MessageResult == -2) step = 2;
      break;
    case 2:
      OpenMessage(24, 0, 0, "変な虫：", "「それが【出口への扉】だ。」", nullptr, 1);
      step = 3;
      break;
    case 3:
      if (MessageResult == -2) step = 100;
      break;
    // With it: the door opens while the picture goes black, and she is in the corridor beyond.
    case 20:
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'L', 'N');
      SetActorLink(kExitDoorGroup, 0, 1);
      FadeOut();
      step = 21;
      break;
    case 21:
      FadeOut();
      step = 22;
      break;
    case 22:
      if (IsFading() == 0) step = 23;
      break;
    case 23:
      ChangeScene(kSceneCorridor);
      RedrawAllLayers();
      step = 24;
      break;
    case 24:
      FadeIn();
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'R', 'N');
      Heroine().FaceX() = 1;
      step = 25;
      break;
    case 25:
      if (IsFading() == 0) step = 100;
      break;
    case 100:
      EventSubCounter = 0;
      ReleaseHer(step);
      break;
    default:
      break;
  }
}

// ---- scene changes behind the wipe --------------------------------------------------------------

namespace {

// 400: out of the boss room (and the gorilla house) to the town's square; 430: from the
// corridor into the boss room; 500: from the square into the gorilla house.
constexpr WipeRow kWipeRows[] = {
    {400, kSceneTown},
    {430, kSceneBossRoom},
    {500, kSceneGorillaHouse},
};

}  // namespace

extern const std::span<const WipeRow> kWipes = kWipeRows;

void RunWipe(const WipeRow& wipe) {
  int32_t& step = EventStep[2];
  HeroControl = 1;
  switch (step) {
    case 0:
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'L', 'N');
      FadeOut();
      step = 1;
      break;
    case 1:
      FadeOut();
      step = 2;
      break;
    case 2:
      if (IsFading() == 0) step = 3;
      break;
    case 3:
      ChangeScene(wipe.scene);
      FadeIn();
      PlaceHeroine(kPoseDoor, kKeep, kKeep, 'R', 'N');
      step = 4;
      break;
    case 4:
      if (IsFading() == 0) step = 5;
      break;
    case 5:
      EventSubCounter = 0;
      ReleaseHer(step);
      break;
    default:
      break;
  }
}
