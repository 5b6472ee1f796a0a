#include "app/scene_change.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "modules/modules.h"
#include "platform/utils.h"
#include "world/camera.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {

// What happens to the heroine's Motion word: := the value, |= the value, or nothing.
enum class MotionWord { Set, Add, Keep };
// When the map's presets are applied: not at all, after the map's actors, or after the heroine.
enum class Presets { None, BeforeHeroine, AfterHeroine };

constexpr int kKeep = -1;                 // PlaceHeroine's "keep this coordinate"

// The groups that the scenes and the presets set up.
constexpr int kTeacherGroup = 2;
constexpr int kSlidingDoorGroup = 90;
constexpr int kWarningLightGroup = 91;
constexpr int kChestGroup = 113;
constexpr int kLightColumnGroup = 115;

// The heroine of a scene: spawned at (x, y) with the facing, optionally given a Control, then
// placed by kind and facing letters (at (place_x, place_y), or where she was spawned), then
// optionally held: FaceX 1, HeroControl := held, HeroPadBits 0.
struct SceneHeroine {
  bool spawn = false;
  int group = kHeroineGroup;
  int x = 0, y = 0, face_x = 0, face_y = 0;
  int control = -1;  // -1: SetActorControl is not called
  int kind = 0;
  int place_x = kKeep, place_y = kKeep;
  int face_x_letter = 0, face_y_letter = 0;
  int held = -1;  // -1: not held
};

// One row of the scene table; the steps of ChangeScene read it in order.
struct Scene {
  int first, last;  // the scene numbers of the row
  const char* map;
  const char* world;
  int32_t sheets[5];           // SceneBitmapIds 7, 8, 9, 10 and 6 (the far picture)
  bool reset_variant = false;  // ObjectVariant := 0
  bool load = true;            // false: the map and the sheets are named but not loaded
  int32_t event_layer = 0;     // LayerEnabled of layer 4
  bool place_camera = true;    // false: the camera and its target stay as they are
  int camera_x = 0, camera_y = 0, target = kNoCameraTarget;
  bool actors = true;          // false: the actors are neither cleared nor spawned
  Presets presets = Presets::None;
  SceneHeroine heroine = {};
  void (*extra)(int scene) = nullptr;  // the scene's own additions, once the heroine is placed
  MotionWord motion = MotionWord::Set;
  int32_t motion_value = kSceneMotion;
  bool redraw = false;
};

// ---- the extras of single scenes ----------------------------------------------------------

// The opening on the forest road: the teacher (group 2) waits on her right, held like her.
void SpawnTeacherForOpening(int) {
  SpawnActor(kTeacherGroup, 1120, 2626, -1, 0);
  const Actor teacher(kTeacherGroup, 0);
  teacher.FaceX() = -1;
  teacher.Control() = 1;
  teacher.Input() = 0;
}

// The boss room: scene 700 + k writes exit event 400 + k into the ten event-layer tiles of the
// way out, and gives the six sliding doors of the exit room flag 110 + k.
void NumberBossRoomExit(int scene) {
  const int n = scene - 699;
  for (int x : {2120, 2136}) {
    for (int y = 968; y <= 1032; y += 16) SetTile(x, y, kEventLayer, static_cast<uint32_t>(399 + n));
  }
  for (int slot = 0; slot <= 5; ++slot) SetActorLink(kSlidingDoorGroup, slot, 109 + n);
}

// Back from the save room: she stands in the door pose.
void ReturnInDoorPose(int) { Actor(kHeroineGroup, 0).AnimCursor() = 120; }

// ---- the scene table ------------------------------------------------------------------------

constexpr SceneHeroine kForestHeroine = {
    .spawn = true, .x = 750, .y = 2626, .face_x = -1, .face_y = 0, .kind = 0, .face_x_letter = 'r', .held = 1};

constexpr Scene kScenes[] = {
    {.first = -2, .last = -2, .map = "./Data/TEST0000.MDT", .world = "", .sheets = {117, 203, 201, 202, 189},
     .camera_x = 0, .camera_y = 0, .target = 1,
     .heroine = {.spawn = true, .x = 104, .y = 152, .face_x = -1, .face_y = 1, .control = 0, .kind = 6,
                 .face_x_letter = 'R', .face_y_letter = 'N'}},
    {.first = -1, .last = -1, .map = "./Data/LAFOREST.MDT", .world = "LAN-EAST-FOREST",
     .sheets = {117, 151, 119, 112, 113}, .camera_x = 820, .camera_y = 2408, .target = -1,
     .presets = Presets::BeforeHeroine, .heroine = kForestHeroine, .extra = SpawnTeacherForOpening,
     .motion = MotionWord::Keep, .redraw = true},
    {.first = 0, .last = 0, .map = "./Data/LTOWN001.MDT", .world = "LANCASHIRE=TOWN",
     .sheets = {117, 203, 119, 112, 113}, .camera_x = 992, .camera_y = 480, .target = 1,
     .heroine = {.spawn = true, .x = 1308, .y = 706, .face_x = 1, .face_y = 0, .kind = 0, .face_x_letter = 'r'}},
    {.first = 1, .last = 1, .map = "./Data/LAFOREST.MDT", .world = "LAN-EAST-FOREST",
     .sheets = {117, 151, 119, 112, 113}, .camera_x = 820, .camera_y = 2408, .target = 1,
     .presets = Presets::BeforeHeroine, .heroine = kForestHeroine, .motion = MotionWord::Keep, .redraw = true},
    {.first = 110, .last = 110, .map = "./Data/TEMPLE00.MDT", .world = "LANCASHIRE=TEMPLE",
     .sheets = {117, 203, 185, 112, 113}, .camera_x = 0, .camera_y = 64, .target = -1,
     .presets = Presets::BeforeHeroine,
     .heroine = {.spawn = true, .x = 76, .y = 336, .face_x = -1, .face_y = 1, .control = 2, .kind = 6,
                 .face_x_letter = 'R', .face_y_letter = 'N'}},
    // The black scene names its map and sheets but loads neither: the previous map's tiles and
    // pictures stay.
    {.first = 200, .last = 200, .map = "./Data/BLACK.MDT", .world = "", .sheets = {117, 203, 119, 112, 113},
     .load = false, .camera_x = 0, .camera_y = 0, .target = -1,
     .heroine = {.spawn = true, .x = 92, .y = 336, .face_x = -1, .face_y = 1, .control = 2, .kind = 6,
                 .place_x = 92, .place_y = 336, .face_x_letter = 'R', .face_y_letter = 'N'}},
    // The title's backdrop: the title keeps its own actors.
    {.first = 210, .last = 210, .map = "./Data/TITLE001.MDT", .world = "", .sheets = {117, 197, 199, 196, 197},
     .camera_x = 0, .camera_y = 0, .target = -1, .actors = false, .motion = MotionWord::Add, .redraw = true},
    {.first = 500, .last = 500, .map = "./Data/L001CAVE.MDT", .world = "LANCASHIRE=CAVE",
     .sheets = {117, 188, 174, 173, 159}, .reset_variant = true, .camera_x = 992, .camera_y = 240, .target = 1,
     .presets = Presets::BeforeHeroine,
     .heroine = {.spawn = true, .x = 544, .y = 200, .face_x = 1, .face_y = 0, .kind = 0, .face_x_letter = 'l'},
     .redraw = true},
    {.first = 600, .last = 600, .map = "./Data/LTOWNMID.MDT", .world = "LANCASHIRE=TOWN",
     .sheets = {117, 203, 200, 173, 113}, .camera_x = 992, .camera_y = 480, .target = 1,
     .heroine = {.spawn = true, .x = 4156, .y = 1924, .face_x = 1, .face_y = 0, .kind = 0, .face_x_letter = 'r'}},
    // Inside the town's houses: the door that leads here places the camera and the heroine.
    {.first = 610, .last = 610, .map = "./Data/LTOWNSHP.MDT", .world = "LANCASHIRE=INN",
     .sheets = {117, 203, 201, 112, 113}, .place_camera = false},
    {.first = 700, .last = 713, .map = "./Data/BOSS0001.MDT", .world = "RAITAI-MA-ROOM",
     .sheets = {117, 188, 186, 173, 189}, .camera_x = 0, .camera_y = 760, .target = 1,
     .heroine = {.spawn = true, .x = 176, .y = 960, .face_x = -1, .face_y = 0, .kind = 0, .face_x_letter = 'R',
                 .held = 2},
     .extra = NumberBossRoomExit, .redraw = true},
    {.first = 900, .last = 900, .map = "./Data/CORRIDOR.MDT", .world = "CORRIDOR", .sheets = {117, 203, 186, 112, 187},
     .camera_x = 0, .camera_y = 64, .target = 1, .presets = Presets::AfterHeroine,
     .heroine = {.spawn = true, .x = 76, .y = 336, .face_x = 1, .face_y = 1, .kind = 0, .face_x_letter = 'r'},
     .motion = MotionWord::Add},
    {.first = 1000, .last = 1000, .map = "./Data/TEST0000.MDT", .world = "GORILLA=HOUSE",
     .sheets = {117, 203, 201, 202, 159}, .reset_variant = true, .camera_x = 850, .camera_y = 400, .target = 1,
     .presets = Presets::BeforeHeroine,
     .heroine = {.spawn = true, .x = 904, .y = 516, .face_x = 1, .face_y = 0, .kind = 0, .face_x_letter = 'l'},
     .redraw = true},
};

const Scene* FindScene(int scene) {
  for (const Scene& row : kScenes) {
    if (scene >= row.first && scene <= row.last) return &row;
  }
  return nullptr;
}

// Scene 100: the return point that the way into the save room stored.
Scene SceneFromSavedPosition() {
  const SavedPositionRecord& p = SavedPosition;
  // The save room only ever stores group 1; a foreign save's group outside the table's groups
  // would spawn out of the table.
  const int group = p.Group >= 1 && p.Group <= 255 ? p.Group : kHeroineGroup;
  Scene s = {.first = kSceneSavedPosition, .last = kSceneSavedPosition, .map = p.MapPath, .world = p.WorldName,
             .sheets = {}, .event_layer = p.EventLayerEnabled, .camera_x = p.CameraX, .camera_y = p.CameraY,
             .target = p.CameraTarget, .presets = Presets::BeforeHeroine,
             .heroine = {.spawn = true, .group = group, .x = p.HeroX, .y = p.HeroY, .face_x = p.FaceX,
                         .face_y = p.FaceY, .control = 2, .kind = 6, .place_x = p.HeroX, .place_y = p.HeroY,
                         .face_x_letter = 'R', .face_y_letter = 'N'},
             .extra = ReturnInDoorPose, .motion = MotionWord::Set, .motion_value = p.Motion};
  std::copy(std::begin(p.SheetIds), std::end(p.SheetIds), s.sheets);
  return s;
}

// ---- the common steps -------------------------------------------------------------------------

void NameScene(const Scene& s) {
  std::fill(std::begin(SceneBitmapIds), std::end(SceneBitmapIds), -1);
  CopyName(MapPath, s.map);
  CopyName(WorldName, s.world);
  constexpr int kSurfaces[5] = {7, 8, 9, 10, 6};
  for (int i = 0; i < 5; ++i) SceneBitmapIds[kSurfaces[i]] = s.sheets[i];
}

void LoadSceneMap() {
  if (LoadMapFile(MapPath) != 0) {
    SubMode = kSubMapLoadFailure;
    SubModeArg = 1;  // the fatal error scene
  }
}

void PlaceSceneHeroine(const SceneHeroine& h) {
  SpawnActor(h.group, h.x, h.y, h.face_x, h.face_y);
  if (h.control >= 0) SetActorControl(kHeroineGroup, 0, h.control);
  PlaceHeroine(h.kind, h.place_x, h.place_y, h.face_x_letter, h.face_y_letter);
  if (h.held >= 0) {
    Actor(kHeroineGroup, 0).FaceX() = 1;
    HeroControl = h.held;
    HeroPadBits = 0;
  }
}

void SetSceneMotion(const Scene& s) {
  int32_t& motion = Actor(kHeroineGroup, 0).Motion();
  switch (s.motion) {
    case MotionWord::Set:
      motion = s.motion_value;
      break;
    case MotionWord::Add:
      motion |= s.motion_value;
      break;
    case MotionWord::Keep:
      break;
  }
}

void EnterScene(const Scene& s, int scene) {
  if (s.reset_variant) ObjectVariant = 0;
  NameScene(s);
  if (s.load) {
    ReloadSheetBitmaps();
    LoadSceneMap();
  }
  BgLayers.LayerEnabled[kEventLayer] = static_cast<uint32_t>(s.event_layer);
  if (s.place_camera) {
    SetCameraPosition(s.camera_x, s.camera_y);
    SetCameraTarget(s.target);
  }
  if (s.actors) {
    ClearAllActors();
    SpawnMapActors();
  }
  if (s.presets == Presets::BeforeHeroine) ApplyMapPresets(MapPath);
  if (s.heroine.spawn) PlaceSceneHeroine(s.heroine);
  if (s.extra != nullptr) s.extra(scene);
  if (s.presets == Presets::AfterHeroine) ApplyMapPresets(MapPath);
  SetSceneMotion(s);
  if (s.redraw) RedrawAllLayers();
}

}  // namespace

void ChangeScene(int scene) {
  StopMusic();
  // The world of any fight ends here, and with it the boss's talk if it still waits to start.
  ForgetChainBossDefeatTalk();
  if (scene == kSceneSavedPosition) {
    EnterScene(SceneFromSavedPosition(), scene);
    return;
  }
  if (const Scene* row = FindScene(scene)) EnterScene(*row, scene);
}

void CopyName(char (&field)[128], const char* name) {
  const size_t length = strnlen(name, sizeof field - 1);
  std::memmove(field, name, length);
  std::memset(field + length, 0, sizeof field - length);
}

bool SceneMapNames(int i, SceneNames& names) {
  for (const Scene& row : kScenes) {
    if (!row.load || i-- > 0) continue;
    names = {row.map, row.world, row.sheets};
    return true;
  }
  return false;
}

// ---- the per-map presets ------------------------------------------------------------------------

namespace {

// Links given to the slots first..last of a group.
struct LinkPreset {
  int group, first, last;
  int32_t link;
};

// The cave: the chests' flag numbers (the opening's chest, the 1000 yen, the card key), the light
// columns lit but for the four the waterworks machine switches on, the four sliding doors and the
// seven warning lights that wait for the machine.
constexpr LinkPreset kCavePresets[] = {
    {kChestGroup, 2, 2, 1001},        {kChestGroup, 0, 0, 1000},        {kChestGroup, 1, 1, 1004},
    {kLightColumnGroup, 4, 127, 5},   {kSlidingDoorGroup, 0, 3, 100},   {kWarningLightGroup, 0, 3, 101},
    {kWarningLightGroup, 4, 6, 101},
};

}  // namespace

void ApplyMapPresets(const char* map_path) {
  if (std::strcmp(map_path, "./Data/L001CAVE.MDT") != 0) return;
  for (const LinkPreset& p : kCavePresets) {
    for (int slot = p.first; slot <= p.last; ++slot) SetActorLink(p.group, slot, p.link);
  }
}
