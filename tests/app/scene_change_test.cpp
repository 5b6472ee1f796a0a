// The scene change on the built maps: every scene of the table sets up what its row says, the
// boss room numbers its exit, the return point of the save room survives a save file, a missing
// map starts the fatal error scene, the scenes that leave things in place leave them, the cave's
// presets reach the actors its map places, every number stops the music, and each scene shows
// its map (the pictures are kept in the build folder as scene_<number>.png to look at).
#include "app/scene_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "backend/headless/headless.h"
#include "events/field_doors.h"
#include "platform/graphics.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "world/camera.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSheetSurfaces[5] = {7, 8, 9, 10, 6};
constexpr int kSame = -9999;  // the camera as it was before the change

// After the new game's first frame, with nothing over the world.
struct NewGame : FrameHarness {
  NewGame() {
    Run(1);
    SubMode = kSubWorld;
    SubModeArg = 0;
  }
};

Actor Heroine() { return Actor(kHeroineGroup, 0); }

// ---- every row ------------------------------------------------------------------------------------

struct Row {
  int scene;
  const char* map;
  const char* world;
  int sheets[5];  // SceneBitmapIds 7, 8, 9, 10, 6
  int camera_x, camera_y, target;
  bool heroine;  // spawned
  int x, y, face_x, face_y, anim, control;
  int32_t motion;
  bool redraw;
};

constexpr Row kRows[] = {
    {-2, "./Data/TEST0000.MDT", "", {117, 203, 201, 202, 189}, 0, 0, 1, true, 104, 152, 1, 1, 120, 0, 0x1500, false},
    {-1, "./Data/LAFOREST.MDT", "LAN-EAST-FOREST", {117, 151, 119, 112, 113}, 820, 2408, -1, true, 750, 2626, 1, 1,
     10, 1, 0, true},
    {0, "./Data/LTOWN001.MDT", "LANCASHIRE=TOWN", {117, 203, 119, 112, 113}, 992, 480, 1, true, 1308, 706, 1, 1, 10, 0,
     0x1500, false},
    {1, "./Data/LAFOREST.MDT", "LAN-EAST-FOREST", {117, 151, 119, 112, 113}, 820, 2408, 1, true, 750, 2626, 1, 1, 10,
     1, 0, true},
    {110, "./Data/TEMPLE00.MDT", "LANCASHIRE=TEMPLE", {117, 203, 185, 112, 113}, 0, 64, -1, true, 76, 336, 1, 1, 120,
     2, 0x1500, false},
    {200, "./Data/BLACK.MDT", "", {117, 203, 119, 112, 113}, 0, 0, -1, true, 92, 336, 1, 1, 120, 2, 0x1500, false},
    {500, "./Data/L001CAVE.MDT", "LANCASHIRE=CAVE", {117, 188, 174, 173, 159}, 992, 240, 1, true, 544, 200, -1, 1, 10,
     0, 0x1500, true},
    {600, "./Data/LTOWNMID.MDT", "LANCASHIRE=TOWN", {117, 203, 200, 173, 113}, 992, 480, 1, true, 4156, 1924, 1, 1, 10,
     0, 0x1500, false},
    {610, "./Data/LTOWNSHP.MDT", "LANCASHIRE=INN", {117, 203, 201, 112, 113}, kSame, kSame, kSame, false, 0, 0, 0, 0,
     0, 0, 0x1500, false},
    {700, "./Data/BOSS0001.MDT", "RAITAI-MA-ROOM", {117, 188, 186, 173, 189}, 0, 760, 1, true, 176, 960, 1, 1, 10, 2,
     0x1500, true},
    {713, "./Data/BOSS0001.MDT", "RAITAI-MA-ROOM", {117, 188, 186, 173, 189}, 0, 760, 1, true, 176, 960, 1, 1, 10, 2,
     0x1500, true},
    {900, "./Data/CORRIDOR.MDT", "CORRIDOR", {117, 203, 186, 112, 187}, 0, 64, 1, true, 76, 336, 1, 1, 10, 0, 0x1500,
     false},
    {1000, "./Data/TEST0000.MDT", "GORILLA=HOUSE", {117, 203, 201, 202, 159}, 850, 400, 1, true, 904, 516, -1, 1, 10,
     0, 0x1500, true},
};

TEST(SceneChangeTest, EverySceneSetsUpWhatItsRowSays) {
  NewGame game;
  for (const Row& row : kRows) {
    SCOPED_TRACE("scene " + std::to_string(row.scene));
    // What each step overwrites, or leaves alone, is set to something else first.
    SceneBitmapIds[20] = 5;
    ObjectVariant = 7;
    BgLayers.LayerEnabled[kEventLayer] = 1;
    BgLayers.LayerRing.x[1] = 123;  // a redraw puts the ring back to 0
    SetCameraPosition(48, 32);
    SetCameraTarget(5);
    Heroine().Motion() = 0x0203;
    Heroine().Control() = 2;

    ChangeScene(row.scene);

    EXPECT_EQ(SubMode, kSubWorld);  // the map was read
    EXPECT_STREQ(MapPath, row.map);
    EXPECT_STREQ(WorldName, row.world);
    for (int i = 0; i < 64; ++i) {
      const int* at = std::find(std::begin(kSheetSurfaces), std::end(kSheetSurfaces), i);
      const int expected = at == std::end(kSheetSurfaces) ? -1 : row.sheets[at - std::begin(kSheetSurfaces)];
      EXPECT_EQ(SceneBitmapIds[i], expected) << "entry " << i;
    }
    EXPECT_EQ(ObjectVariant, row.scene == 500 || row.scene == 1000 ? 0 : 7);
    EXPECT_EQ(BgLayers.LayerEnabled[kEventLayer], 0u);
    EXPECT_EQ(GetCameraX(), row.camera_x == kSame ? 48 : row.camera_x);
    EXPECT_EQ(GetCameraY(), row.camera_y == kSame ? 32 : row.camera_y);
    EXPECT_EQ(GetCameraTarget(), row.target == kSame ? 5 : row.target);
    const Actor hero = Heroine();
    EXPECT_EQ(hero.State(), row.heroine ? kActorSpawned : kActorFree);
    EXPECT_EQ(CountActors(kHeroineGroup), row.heroine ? 1 : 0);
    if (row.heroine) {
      EXPECT_EQ(hero.PosX(), row.x);
      EXPECT_EQ(hero.PosY(), row.y);
      EXPECT_EQ(hero.FaceX(), row.face_x);
      EXPECT_EQ(hero.FaceY(), row.face_y);
      EXPECT_EQ(hero.AnimCursor(), row.anim);
      EXPECT_EQ(hero.Control(), row.control);
      EXPECT_EQ(hero.Input(), 0);
    }
    EXPECT_EQ(hero.Motion(), row.motion);
    EXPECT_EQ(BgLayers.LayerRing.x[1] == 0, row.redraw);
    // Only the opening's scene brings the teacher, held beside her; the inside of the town's
    // houses has him standing in his room.
    EXPECT_EQ(CountActors(2), row.scene == -1 || row.scene == 610 ? 1 : 0);
    if (row.scene == -1) {
      const Actor teacher(2, 0);
      EXPECT_EQ(teacher.PosX(), 1120);
      EXPECT_EQ(teacher.PosY(), 2626);
      EXPECT_EQ(teacher.FaceX(), -1);
      EXPECT_EQ(teacher.Control(), 1);
      EXPECT_EQ(teacher.Input(), 0);
    }
  }
}

TEST(SceneChangeTest, TheBossRoomsNumberTheSameExitTilesAndDoorFlags) {
  NewGame game;
  for (int scene : {700, 713}) {
    SetActorLink(90, 6, 77);
    ChangeScene(scene);
    const uint32_t exit = static_cast<uint32_t>(scene - 300);  // event 400 or 413
    for (int x = 2096; x < 2160; x += 16) {
      for (int y = 944; y < 1056; y += 16) {
        const bool inside = x >= 2112 && x < 2144 && y >= 960 && y < 1040;
        EXPECT_EQ(GetTile(x, y, kEventLayer), inside ? exit : 0u) << scene << " at " << x << ", " << y;
      }
    }
    for (int slot = 0; slot <= 5; ++slot) EXPECT_EQ(Actor(90, slot).Link(), scene - 590) << slot;
    EXPECT_EQ(Actor(90, 6).Link(), 77);
  }
}

// ---- the return point ------------------------------------------------------------------------------

TEST(SceneChangeTest, TheReturnPointOfTheSaveRoomComesBackThroughASaveFile) {
  NewGame game;
  ChangeScene(900);
  SetCameraPosition(953, 115);
  const Actor hero = Heroine();
  hero.PosX() = 1249;  // before the corridor's shrine
  hero.PosY() = 351;
  hero.FaceY() = -1;
  StorePosition();
  const SavedPositionRecord stored = SavedPosition;
  ASSERT_EQ(WriteSave("./Data/save0.dat"), 0);
  ChangeScene(110);
  SavedPosition = SavedPositionRecord{};
  ASSERT_EQ(ReadSave("./Data/save0.dat"), 0);
  EXPECT_EQ(std::memcmp(&SavedPosition, &stored, sizeof stored), 0);
  // The event layer and the motion word are taken as the block holds them.
  SavedPosition.EventLayerEnabled = 1;
  SavedPosition.Motion = 0x1502;
  BgLayers.LayerRing.x[1] = 123;

  ChangeScene(100);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_STREQ(MapPath, "./Data/CORRIDOR.MDT");
  EXPECT_STREQ(WorldName, "CORRIDOR");
  EXPECT_EQ(SceneBitmapIds[9], 186);
  EXPECT_EQ(SceneBitmapIds[10], 112);
  EXPECT_EQ(SceneBitmapIds[6], 187);
  EXPECT_EQ(BgLayers.LayerEnabled[kEventLayer], 1u);
  EXPECT_EQ(GetCameraX(), 953);
  EXPECT_EQ(GetCameraY(), 115);
  EXPECT_EQ(GetCameraTarget(), 1);
  EXPECT_EQ(hero.State(), kActorSpawned);
  EXPECT_EQ(hero.PosX(), 1249);
  EXPECT_EQ(hero.PosY(), 351);
  EXPECT_EQ(hero.HomeX(), 1249);
  EXPECT_EQ(hero.FaceX(), 1);
  EXPECT_EQ(hero.FaceY(), 0);
  EXPECT_EQ(hero.AnimCursor(), 120);
  EXPECT_EQ(hero.Control(), 2);
  EXPECT_EQ(hero.Motion(), 0x1502);
  EXPECT_EQ(BgLayers.LayerRing.x[1], 123);  // the caller redraws
}

TEST(SceneChangeTest, AStoredGroupOutsideTheTableSpawnsTheHeroine) {
  NewGame game;
  ChangeScene(500);
  StorePosition();
  for (int32_t group : {0, 256, -3, 100000}) {
    SavedPosition.Group = group;
    ChangeScene(100);
    EXPECT_EQ(CountActors(kHeroineGroup), 1) << group;
    EXPECT_EQ(CountActors(0), 0) << group;
    EXPECT_EQ(Heroine().PosX(), 544) << group;
  }
}

TEST(SceneChangeTest, AReturnPointOnAMissingMapShowsTheFatalErrorScene) {
  NewGame game;
  ChangeScene(600);
  StorePosition();
  std::strcpy(SavedPosition.MapPath, "./Data/GONE0000.MDT");
  ChangeScene(100);
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_EQ(Heroine().State(), kActorSpawned);  // the scene went on over the town's tiles
  EXPECT_EQ(Heroine().PosX(), 4156);
  game.Run(2);
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_STREQ(MessageWindow.speaker, "システムメッセージ：ＥＲＲ－７Ｅ");
}

// ---- scenes that leave things in place -------------------------------------------------------------

TEST(SceneChangeTest, TheBlackSceneKeepsThePreviousTilesAndPictures) {
  NewGame game;
  ChangeScene(-2);
  SetTile(320, 320, kEventLayer, 50);  // an actor the black scene spawns from the old tiles
  const std::vector<uint32_t> tiles(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount);
  const Surface& sheet2 = Surfaces[9];
  const std::vector<uint32_t> pixels(sheet2.pixels, sheet2.pixels + sheet2.width * sheet2.height);
  Actor(41, 0).State() = kActorActive;

  ChangeScene(200);
  EXPECT_STREQ(MapPath, "./Data/BLACK.MDT");
  EXPECT_EQ(SceneBitmapIds[9], 119);  // named...
  EXPECT_EQ(SurfaceBitmapIds[9], 201);  // ...but not loaded
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), sheet2.pixels));
  EXPECT_TRUE(std::equal(tiles.begin(), tiles.end(), BgLayers.TileBuffer));
  EXPECT_EQ(CountActors(41), 0);
  ASSERT_EQ(CountActors(50), 1);
  EXPECT_EQ(Actor(50, 0).PosX(), 320);
  EXPECT_EQ(Heroine().PosX(), 92);
  EXPECT_EQ(Heroine().PosY(), 336);
  EXPECT_EQ(HeroControl, 2);
}

TEST(SceneChangeTest, TheTitleKeepsItsActorsAndTheHouseInsideKeepsTheCamera) {
  NewGame game;
  ChangeScene(500);
  Heroine().State() = kActorActive;
  Heroine().Motion() = 0x0203;
  Actor(255, 3).State() = kActorActive;
  ChangeScene(210);
  EXPECT_STREQ(MapPath, "./Data/TITLE001.MDT");
  EXPECT_EQ(Actor(255, 3).State(), kActorActive);
  EXPECT_EQ(Heroine().State(), kActorActive);
  EXPECT_EQ(Heroine().PosX(), 544);
  EXPECT_EQ(Heroine().Motion(), 0x1703);
  EXPECT_EQ(GetCameraTarget(), -1);

  // A door into the houses places the camera first, and the heroine after.
  ChangeScene(600);
  SetCameraPosition(1280, 0);
  SetCameraTarget(-1);
  ChangeScene(610);
  EXPECT_STREQ(MapPath, "./Data/LTOWNSHP.MDT");
  EXPECT_EQ(GetCameraX(), 1280);
  EXPECT_EQ(GetCameraY(), 0);
  EXPECT_EQ(GetCameraTarget(), -1);
  EXPECT_EQ(Heroine().State(), kActorFree);
}

// ---- the presets -----------------------------------------------------------------------------------

TEST(SceneChangeTest, TheCavePresetsLinkTheChestsColumnsDoorsAndLightsItsMapPlaces) {
  NewGame game;
  // From left to right: four chests, eight light columns, five sliding doors, eight warning lights.
  LoadFixtureMap({"cccclllllllldddddwwwwwwww", "#########################"},
                 {{'c', 4, 113}, {'l', 4, 115}, {'d', 4, 90}, {'w', 4, 91}}, 2, 20);
  ASSERT_EQ(SaveMapFile("./Data/L001CAVE.MDT"), 0);
  ASSERT_EQ(SaveMapFile("./Data/LTOWNMID.MDT"), 0);

  ChangeScene(500);
  EXPECT_EQ(CountActors(113) + CountActors(115) + CountActors(90) + CountActors(91), 25);
  const std::vector<int32_t> chests = {1000, 1004, 1001, 0};
  const std::vector<int32_t> columns = {0, 0, 0, 0, 5, 5, 5, 5};
  const std::vector<int32_t> doors = {100, 100, 100, 100, 0};
  const std::vector<int32_t> lights = {101, 101, 101, 101, 101, 101, 101, 0};
  auto links = [](int group, size_t count) {
    std::vector<int32_t> found;
    for (size_t slot = 0; slot < count; ++slot) found.push_back(Actor(group, static_cast<int>(slot)).Link());
    return found;
  };
  EXPECT_EQ(links(113, 4), chests);
  EXPECT_EQ(links(115, 8), columns);
  EXPECT_EQ(links(90, 5), doors);
  EXPECT_EQ(links(91, 8), lights);
  EXPECT_EQ(Actor(115, 127).Link(), 5);  // columns the map may still place
  EXPECT_EQ(Actor(115, 128).Link(), 0);

  // The same actors on another map get no presets; nor does a path that only names the cave.
  ChangeScene(600);
  EXPECT_EQ(links(113, 4), std::vector<int32_t>(4, 0));
  EXPECT_EQ(links(91, 8), std::vector<int32_t>(8, 0));
  for (const char* path : {"./Data/l001cave.mdt", ".\\Data\\L001CAVE.MDT", "./Data/L001CAVE.MDT "}) {
    ApplyMapPresets(path);
    EXPECT_EQ(Actor(113, 0).Link(), 0) << path;
  }
}

// ---- the music -------------------------------------------------------------------------------------

TEST(SceneChangeTest, EveryNumberStopsTheMusicAndAnUnknownOneNothingMore) {
  NewGame game;
  fs::copy_file(TOVIA_BINARY_DIR "/Data/TOWN.MID", game.folder() + "/Data/TOWN.MID");
  ChangeScene(600);
  for (int scene : {12345, 500}) {
    PlayMusic("./Data/TOWN.MID");
    ASSERT_TRUE(headless::MidiOutIsOpen()) << scene;
    const SaveBlock before = Save;
    const int camera_x = GetCameraX();
    ChangeScene(scene);
    EXPECT_FALSE(headless::MidiOutIsOpen()) << scene;
    EXPECT_EQ(MusicPlayers[0].timer_id, 0u) << scene;
    EXPECT_EQ(headless::MidiOutEvents().back().kind, headless::MidiOutEvent::Kind::Close) << scene;
    if (scene == 12345) {
      EXPECT_EQ(std::memcmp(&before, &Save, sizeof Save), 0);
      EXPECT_EQ(GetCameraX(), camera_x);
      EXPECT_EQ(Heroine().PosX(), 4156);
    }
  }
  EXPECT_STREQ(MapPath, "./Data/L001CAVE.MDT");
}

// ---- the pictures ----------------------------------------------------------------------------------

double NonBlackShare(const std::vector<uint32_t>& picture) {
  const auto lit = std::count_if(picture.begin(), picture.end(), [](uint32_t p) { return p != 0; });
  return static_cast<double>(lit) / static_cast<double>(picture.size());
}

TEST(SceneChangeTest, EnteringEachSceneShowsItsMap) {
  // The pictures as the scenes are entered: the game halted (no camera follow, no actors drawn)
  // from the new game on, until its fade-in is over.
  NewGame game;
  GameMode = kGameHalted;
  game.Run(130);

  // Scenes of one group show the same picture; any two of different groups differ.
  struct Shot {
    int scene;
    int group;
    std::vector<uint32_t> picture;
  };
  std::vector<Shot> shots;
  auto enter = [&](int scene, int group) {
    ChangeScene(scene);
    RedrawAllLayers();  // as the callers of the scenes that leave it to them do
    game.Run(1);
    const Surface& back = Surfaces[kBackBuffer];
    shots.push_back({scene, group, std::vector<uint32_t>(back.pixels, back.pixels + back.width * back.height)});
    EXPECT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/scene_" + std::to_string(scene) + ".png"));
  };
  enter(-2, 1);
  enter(200, 1);  // the black scene over the previous map and pictures, at the same camera
  enter(-1, 2);
  enter(1, 2);  // the same map and camera: only the actors differ, and they are not drawn here
  enter(0, 3);
  enter(110, 4);
  enter(210, 5);
  enter(500, 6);
  enter(600, 7);
  StorePosition();
  enter(900, 8);
  enter(100, 7);  // back where the return point was stored
  SetCameraPosition(1280, 0);  // a door into the houses places the camera
  enter(610, 9);
  EXPECT_EQ(GetCameraX(), 1280);
  enter(700, 10);
  enter(713, 10);  // only the event layer differs, and it is never drawn
  enter(1000, 11);

  for (const Shot& shot : shots) {
    EXPECT_GT(NonBlackShare(shot.picture), 0.5) << "scene " << shot.scene;
  }
  for (size_t i = 0; i < shots.size(); ++i) {
    for (size_t j = i + 1; j < shots.size(); ++j) {
      EXPECT_EQ(shots[i].picture == shots[j].picture, shots[i].group == shots[j].group)
          << "scenes " << shots[i].scene << " and " << shots[j].scene;
    }
  }
}

}  // namespace
