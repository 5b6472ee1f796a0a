// The maps as the game reads them from the build's Data folder: every map file the scenes name is
// whole and passes its check; every place where the game puts the heroine stands on a floor, not
// inside a wall, in an area closed all round; the floors and paths that scripts move her along
// are level and clear; no event lies where the opening moves her; windows that must show what
// lies under the map stay empty; every drawn tile is part of a picture of its scene's sheets;
// layer 4 holds only what the game handles; and the map compiler paints what its source says and
// refuses a broken one, naming the line.
//
// The tables are meant to grow: an issue that places doors, warps, actor groups or event numbers
// adds its points and its layer-4 values here.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "actors/map_probes.h"
#include "assets/map_moves.h"
#include "events/event_tables.h"
#include "platform/graphics.h"
#include "support/game_reset.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

// ---- the tables -----------------------------------------------------------------------------------

// Every map file of the scene table, with the sheets (surfaces 7 to 10) its scenes load.
struct MapScene {
  const char* map;
  int sheets[4];
};
constexpr MapScene kMaps[] = {
    {"TEST0000", {117, 203, 201, 202}}, {"LAFOREST", {117, 151, 119, 112}}, {"LTOWN001", {117, 203, 119, 112}},
    {"TEMPLE00", {117, 203, 185, 112}}, {"TITLE001", {117, 197, 199, 196}}, {"L001CAVE", {117, 188, 174, 173}},
    {"LTOWNMID", {117, 203, 200, 173}}, {"LTOWNSHP", {117, 203, 201, 112}}, {"BOSS0001", {117, 188, 186, 173}},
    {"CORRIDOR", {117, 203, 186, 112}},
};

// A place where the game puts the heroine (her PosX, PosY) and the top of the floor she must come
// to rest on (she falls to it when she is placed above it).
struct HeroinePoint {
  const char* map;
  int x, y, floor;
  const char* what;
};
constexpr HeroinePoint kHeroinePoints[] = {
    {"TEST0000", 104, 152, 224, "the object test's start (scene -2)"},
    {"TEST0000", 904, 516, 592, "the gorilla house (scene 1000, event 500)"},
    {"LAFOREST", 750, 2626, 2736, "the opening on the forest road (scene -1)"},
    {"LTOWN001", 1308, 706, 784, "the first town (scene 0)"},
    {"TEMPLE00", 76, 336, 416, "the save room (scene 110: event 162, every load)"},
    {"L001CAVE", 544, 200, 272, "the cave, where the opening drops her (scene 500)"},
    {"L001CAVE", 1112, 2008, 2080, "where the pipe of guide 700 lets her out"},
    {"LTOWNMID", 4156, 1924, 2000, "the town (scene 600: event 400, the debug menu)"},
    {"LTOWNMID", 3576, 2056, 2128, "door 270 out of the inn"},
    {"LTOWNMID", 5464, 2052, 2128, "door 315 out of the clinic"},
    {"LTOWNMID", 264, 1836, 1904, "door 321 out of the teacher's house"},
    {"LTOWNSHP", 40, 1172, 1248, "door 269: the inn's lobby"},
    {"LTOWNSHP", 2632, 712, 784, "door 271: an inn room"},
    {"LTOWNSHP", 3268, 712, 784, "door 272: an inn room"},
    {"LTOWNSHP", 3912, 712, 784, "door 273: an inn room"},
    {"LTOWNSHP", 1208, 872, 944, "door 276: the inn's upper hall"},
    {"LTOWNSHP", 1468, 872, 944, "door 277: the inn's upper hall"},
    {"LTOWNSHP", 1720, 872, 944, "door 278: the inn's upper hall"},
    {"LTOWNSHP", 556, 232, 304, "door 314: the clinic"},
    {"LTOWNSHP", 112, 232, 304, "the clinic's consultation room (event 317)"},
    {"LTOWNSHP", 1840, 232, 304, "door 320: the teacher's house"},
    {"LTOWNSHP", 1352, 232, 304, "door 323: the teacher's house"},
    {"LTOWNSHP", 1432, 232, 304, "door 328: the teacher's house"},
    {"LTOWNSHP", 2592, 168, 240, "the teacher's room (event 322)"},
    {"LTOWNSHP", 1952, 236, 304, "her own room (event 327)"},
    {"LTOWNSHP", 1656, 1824, 1904, "the cellar (event 160)"},
    {"LTOWNSHP", 3763, 864, 944, "the hidden room under inn room C (event 161)"},
    {"BOSS0001", 176, 960, 1040, "the boss room (scene 700, event 430)"},
    {"CORRIDOR", 76, 336, 416, "the corridor (scene 900, event 261)"},
};

// A box of a map, in world pixels (right and bottom exclusive).
struct MapBox {
  const char* map;
  int left, top, right, bottom;
  const char* what;
};

// Floors that a script walks someone along without jumping: the box is what the walkers' boxes
// sweep (from the left edge of the first to the right edge of the last), and it must be free of
// solids, with a floor under every pixel of its bottom edge.
constexpr MapBox kWalks[] = {
    // The opening: she walks from 750 to 2148 and is blown to about 2172 (her box reaches
    // PosX + 36); Klaus (a box 96 pixels tall) walks from 1120 to 2116.
    {"LAFOREST", 762, 2640, 2208, 2736, "the forest road of the opening"},
    // She falls from (544, 200) and is walked left until PosX is 204.
    {"L001CAVE", 216, 208, 580, 272, "the cave floor where the opening walks her to the chest"},
    // Guide 517 walks her from x 1440 to 1600, with one jump at the start.
    {"L001CAVE", 1400, 2624, 1600, 2816, "the runway of guide 517"},
};

// Boxes that must hold no solid tile, so that a script can move the heroine through them.
constexpr MapBox kClearBoxes[] = {
    // The opening drives her right off the road's end until PosY reaches 3000.
    {"LAFOREST", 2208, 2700, 2368, 3070, "the hole the opening's blast drops her into"},
    // Scene 700 writes the exit event into these tiles: she must be able to stand in them.
    {"BOSS0001", 2112, 960, 2144, 1040, "the boss room's exit"},
    // Door 273 may open a passage here by patching layers 1 and 4 only.
    {"LTOWNSHP", 4400, 704, 4432, 784, "the passage in inn room D"},
    // Guide 517 holds her while she falls from the runway's end to the lowest level.
    {"L001CAVE", 1600, 2752, 1664, 4192, "the shaft beyond the runway"},
};

// The opening moves her along these paths under its script while her event check runs (it runs
// during the opening, without talks): an event number there would start in the middle of it.
constexpr MapBox kOpeningPaths[] = {
    {"LAFOREST", 750, 2626, 2208, 2736, "the forest road she walks along"},
    {"LAFOREST", 2208, 2626, 2368, 3070, "the road's end and the hole the blast drops her into"},
    {"L001CAVE", 556, 200, 580, 272, "her fall from (544, 200) to the cave floor"},
    {"L001CAVE", 216, 208, 580, 272, "the cave floor she is walked along to the chest"},
};

// Boxes where the drawn layers (0 to 3) hold no tile, so that what is drawn under them shows.
constexpr MapBox kEmptyBoxes[] = {
    // The title's opening play is drawn before the map layers, through the far picture's window.
    {"TITLE001", 96, 96, 544, 384, "the window of the title's opening play"},
};

// What layer 4 may hold: each value with the map it stands in, one block per kind of thing.
struct EventLayerValue {
  const char* map;
  uint32_t value;
  const char* what;
};
const std::vector<EventLayerValue> kEventLayerValues = {
    // Townspeople.
    {"LTOWNMID", 3, "Rod on the main street"},
    {"LTOWNMID", 4, "Lime on the lower street"},
    {"LTOWNMID", 5, "Pancho on the east street"},
    {"LTOWNSHP", 6, "Damian at the inn lobby's counter"},
    {"LTOWNSHP", 2, "Klaus in his room"},

    // Doors, warps and signs.
    {"LTOWNMID", 320, "the teacher's house"},
    {"LTOWNMID", 269, "the inn"},
    {"LTOWNMID", 314, "the clinic"},
    {"LTOWNMID", 500, "the house on the square, to the gorilla house"},
    {"LTOWNMID", 352, "sign: the neighbours' empty house"},
    {"LTOWNMID", 284, "sign: the town hall"},
    {"LTOWNMID", 302, "sign: the church"},
    {"LTOWNMID", 310, "sign: the import shop"},
    {"LTOWNMID", 337, "sign: the house that wants a ticket"},
    {"LTOWNSHP", 315, "the clinic's ways out, from both its rooms"},
    {"LTOWNSHP", 317, "the clinic's counter"},
    {"LTOWNSHP", 321, "the teacher's house's way out"},
    {"LTOWNSHP", 322, "the door to the teacher's room"},
    {"LTOWNSHP", 327, "the door to her own room"},
    {"LTOWNSHP", 323, "the teacher's room's door back to the hall"},
    {"LTOWNSHP", 328, "her own room's door back to the hall"},
    {"LTOWNSHP", 331, "sign: the locked door in the teacher's hall"},
    {"LTOWNSHP", 324, "sign: the teacher's shelves"},
    {"LTOWNSHP", 325, "sign: the teacher's desk"},
    {"LTOWNSHP", 329, "sign: her desk"},
    {"LTOWNSHP", 330, "sign: her chest of drawers"},
    {"LTOWNSHP", 270, "the inn's way out"},
    {"LTOWNSHP", 269, "the inn's rooms, upper hall and hidden room back to the lobby"},
    {"LTOWNSHP", 271, "the lobby's doorway to room B"},
    {"LTOWNSHP", 272, "the lobby's doorway to room C"},
    {"LTOWNSHP", 273, "the lobby's doorway to room D"},
    {"LTOWNSHP", 276, "the lobby's first door up to the hall"},
    {"LTOWNSHP", 277, "the lobby's second door up to the hall"},
    {"LTOWNSHP", 278, "the lobby's third door up to the hall"},
    {"LTOWNSHP", 160, "the cellar door"},
    {"LTOWNSHP", 161, "the cellar's stairway up to the hidden room"},
    {"LTOWNSHP", 338, "sign: the attendant, under the age notice's left half"},
    {"LTOWNSHP", 339, "sign: the attendant, under its right half"},
    {"TEST0000", 400, "the gorilla house's door back to the square"},
    {"TEMPLE00", 163, "the save room's door back"},
    {"CORRIDOR", 162, "the shrine's entrance"},
    {"CORRIDOR", 430, "the door into the boss's building"},
    {"L001CAVE", 261, "the exit door"},

    // Enemies.
    {"L001CAVE", 33,
     "Kamekichi: the landing's lower steps, the first enemies' hall, the steps down to the alcove, "
     "the passage under the waterworks' hall, the lowest level"},
    {"L001CAVE", 34,
     "roamers: the first enemies' hall, the steps down to the alcove, the way back, "
     "the passage under the waterworks' hall, the lowest level"},
    {"L001CAVE", 32,
     "bats: the steps down to the alcove, the passage under the waterworks' hall, over the lava, "
     "the lowest level"},
    {"CORRIDOR", 33, "Kamekichi: in the dip and the low passage"},
    {"CORRIDOR", 34, "a roamer"},
    {"CORRIDOR", 32, "bats"},
    {"TEST0000", 40, "Gori in the gorilla house's hall"},

    // Flame throwers.
    {"L001CAVE", 35,
     "Kawachans: the mesa in the first enemies' hall, between the pits of the passage under the "
     "waterworks' hall, the lowest level's mesa"},
    {"CORRIDOR", 35, "Kawachans: between the fallen block and the stump, and at the east end"},

    // Guide events and the boss.
    {"L001CAVE", 513, "guide: the guards ahead, before the first rest room and the first enemies"},
    {"L001CAVE", 514, "guide: crouch to look down the pit"},
    {"L001CAVE", 515, "guide: the falling and moving traps"},
    {"L001CAVE", 516, "guide: the second rest room"},
    {"L001CAVE", 517, "guide: the dead end and the pipe down, on the runway"},
    {"L001CAVE", 518, "guide: the water door"},
    {"L001CAVE", 519, "guide: the locked exit, where she lands in the exit hall"},
    {"L001CAVE", 520, "guide: the passage over the exit door"},
    {"L001CAVE", 521, "guide: turn back, in the dead end east of the shelf"},
    {"L001CAVE", 522, "guide: the lava"},
    {"L001CAVE", 523, "guide: the hidden room"},
    {"L001CAVE", 524, "guide: the pipe back up"},
    {"L001CAVE", 528, "guide: the second shrine, where she lands"},
    {"L001CAVE", 128, "the soft wall in the dead end east of the shelf"},
    {"L001CAVE", 700, "the lower pipe she crouches into"},
    {"CORRIDOR", 525, "guide: the corridor"},
    {"BOSS0001", 526, "guide: the boss room, which calls the boss"},
    {"TEMPLE00", 527, "guide: praying at the statue"},
    {"LTOWNMID", 529, "guide: the end of the playable part, where she arrives"},

    // Mechanisms: lifts, block lifts, coin blocks, the elevator and the weights.
    {"L001CAVE", 60, "block lifts: the barrier of the first enemies' hall, the steps over the second pit"},
    {"L001CAVE", 70, "coin blocks"},
    {"L001CAVE", 71, "hidden coin blocks"},
    {"L001CAVE", 72, "the elevator after guide 514"},
    {"L001CAVE", 73, "the 16-ton after guide 515"},
    {"L001CAVE", 74, "the piston weight after the 16-ton"},
    {"L001CAVE", 100, "lifts over the first pit"},
    {"L001CAVE", 101, "lifts over the lava pit"},
    {"CORRIDOR", 70, "coin blocks"},
    {"CORRIDOR", 71, "a hidden coin block"},
    {"CORRIDOR", 101, "a lift over the sunken stretch"},
    {"TEST0000", 70, "the object test's coin block"},
    {"TEST0000", 71, "the object test's hidden coin block"},
    {"TEST0000", 72, "the object test's elevator"},
    {"TEST0000", 73, "the object test's 16-ton"},

    // Sliding doors, chests, the exit door, hazard blocks, lights and decorations.
    {"L001CAVE", 113, "the chests of the landing and the storage room"},
    {"L001CAVE", 90, "the water door, the gates of the way back and the control room's entrance"},
    {"L001CAVE", 115, "the light columns: the water by the door and the control room's"},
    {"L001CAVE", 91, "the warning lights on the way back from the control room"},
    {"L001CAVE", 117, "the exit door"},
    {"L001CAVE", 107, "the lava in the pit of the lava level"},
    {"L001CAVE", 108, "the control room's back panels"},
    {"L001CAVE", 109, "the front panel before the waterworks machine"},
    {"L001CAVE", 119, "the control room's consoles"},
    {"L001CAVE", 118, "torches along the route"},
    {"BOSS0001", 90, "the exit room's doors"},
    {"BOSS0001", 118, "torches in the hall and the exit room"},
    {"CORRIDOR", 118, "torches beside the pillars"},
    {"TEMPLE00", 118, "torches by the pillars"},

    // The save statue, shrines, machines, the clinic, paintings and chests.
    {"L001CAVE", 162, "the shrines to the save room: on the landing, under the waterworks' hall, in the pipe chamber"},
    {"L001CAVE", 256, "the drink machines of the first and the second rest room"},
    {"L001CAVE", 259, "the food machine of the second rest room"},
    {"L001CAVE", 257, "the waterworks control machine"},
    {"L001CAVE", 1004, "the card key's chest"},
    {"L001CAVE", 1001, "the 1000 yen's chest"},
    {"TEMPLE00", 164, "the save statue"},
    {"LTOWNSHP", 280, "the vase painting of inn room B"},
    {"LTOWNSHP", 281, "the red building's painting of room C"},
};

// The actor groups whose pictures only some bitmaps hold as one of the sheets (3 unless said):
// each may stand only on the maps whose scenes load one of them there. In bitmap 202 the small
// enemies' cells are Gori's.
struct SheetBound {
  uint32_t first_group, last_group;
  std::vector<int> bitmaps;
  int sheet = 3;
};
const std::vector<SheetBound> kSheetBoundGroups = {
    // Townspeople.
    {3, 6, {203}, 1},
    // Enemies.
    {32, 35, {173, 112}},
    {40, 40, {202}},
    // Mechanisms: bitmap 202 holds the coin blocks, the elevator and the 16-ton beside Gori.
    {60, 60, {173, 112}},
    {70, 73, {173, 112, 202}},
    {74, 74, {173, 112}},
    {100, 101, {173, 112}},
};

// Boxes where no enemy (groups 32..40) may stand.
constexpr MapBox kNoEnemyBoxes[] = {
    // The opening plays on the forest road with the heroine held, and play never returns there.
    {"LAFOREST", 0, 0, 6400, 4800, "the forest of the opening"},
    // The opening drops her on the landing's upper floor (y 272) and walks her west along it.
    {"L001CAVE", 0, 0, 720, 272, "the landing where the opening leaves her"},
    {"CORRIDOR", 0, 16, 397, 657, "320 px round where she arrives in the corridor (76, 336)"},
};

// ---- reading the maps as the probes see them ---------------------------------------------------------

constexpr int kBodyLeft = 12, kBodyTop = 3, kBodyWidth = 24, kBodyHeight = 61;

std::string MapPath(const std::string& name) { return std::string(TOVIA_BINARY_DIR) + "/Data/" + name + ".MDT"; }

bool BoxIsFree(int x, int y, int width, int height) {
  for (int py = y; py < y + height - 1; py += 16)
    if (FindTileInRow(x, py, width) != 0) return false;
  return FindTileInRow(x, y + height - 1, width) == 0;
}

class MapTest : public testing::Test {
 protected:
  void SetUp() override { InitBgLayers(); }
  void TearDown() override { ResetGameState(); }
  void Load(const char* map) { ASSERT_EQ(LoadMapFile(MapPath(map).c_str()), 0) << map; }
};

// ---- the checks ---------------------------------------------------------------------------------------

TEST_F(MapTest, EveryMapIsWholeAndPassesItsCheck) {
  for (const MapScene& m : kMaps) {
    EXPECT_EQ(std::filesystem::file_size(MapPath(m.map)), kMapFileSize) << m.map;
    EXPECT_EQ(LoadMapFile(MapPath(m.map).c_str()), 0) << m.map;
  }
}

// Her body is clear where she is put; falling from there (the floor probe's row is the body's
// bottom + 1), the first solid row she meets is the floor she is meant to stand on.
TEST_F(MapTest, TheHeroineIsPutOnFloorAndNotInWalls) {
  for (const HeroinePoint& p : kHeroinePoints) {
    SCOPED_TRACE(std::string(p.map) + ": " + p.what);
    Load(p.map);
    const int left = p.x + kBodyLeft, top = p.y + kBodyTop;
    EXPECT_TRUE(BoxIsFree(left, top, kBodyWidth, kBodyHeight)) << "she starts inside a wall";
    int landing = top + kBodyHeight + 1;
    while (landing < p.floor + 16 && FindTileInRow(left, landing, kBodyWidth) == 0) ++landing;
    EXPECT_EQ(landing, p.floor) << "she comes to rest on another floor";
  }
}

// The world wraps, so an area that is not closed leads round to the far side of the map. From
// every place she is put, the tiles she could reach (free of solids, or ledges she jumps through)
// must stay off the world's edges; nothing lifts her more than 17 rows over the floor she lands
// on, so the sky above an open street counts as closed.
TEST_F(MapTest, TheAreasAroundTheHeroineAreClosed) {
  constexpr uint32_t kLedge = 1198;
  constexpr int kHighestRise = 17;
  for (const HeroinePoint& p : kHeroinePoints) {
    SCOPED_TRACE(std::string(p.map) + ": " + p.what);
    Load(p.map);
    const int top_row = p.floor / kTileSize - kHighestRise;
    auto passable = [&](int col, int row) {
      const uint32_t v = BgLayers.TileBuffer[kCollisionLayer * kTilesPerLayer + row * kTilesPerRow + col];
      return row >= top_row && (v == 0 || v == kLedge);
    };
    std::vector<bool> seen(kTilesPerLayer, false);
    std::vector<int> open = {(p.floor / kTileSize - 1) * kTilesPerRow + (p.x + 24) / kTileSize};
    seen[open.back()] = true;
    bool reaches_edge = false;
    while (!open.empty() && !reaches_edge) {
      const int col = open.back() % kTilesPerRow, row = open.back() / kTilesPerRow;
      open.pop_back();
      reaches_edge = col == 0 || row == 0 || col == kTilesPerRow - 1 || row == kTileRows - 1;
      const int next[4][2] = {{col - 1, row}, {col + 1, row}, {col, row - 1}, {col, row + 1}};
      for (const auto& n : next) {
        if (n[0] < 0 || n[1] < 0 || n[0] >= kTilesPerRow || n[1] >= kTileRows) continue;
        const int i = n[1] * kTilesPerRow + n[0];
        if (!seen[i] && passable(n[0], n[1])) {
          seen[i] = true;
          open.push_back(i);
        }
      }
    }
    EXPECT_FALSE(reaches_edge) << "the area round her runs to the world's edge";
  }
}

TEST_F(MapTest, ScriptedWalksAreLevelAndClear) {
  for (const MapBox& w : kWalks) {
    SCOPED_TRACE(std::string(w.map) + ": " + w.what);
    Load(w.map);
    for (int x = w.left; x < w.right; ++x) {
      EXPECT_NE(GetTile(x, w.bottom, kCollisionLayer), 0u) << "no floor at x " << x;
      EXPECT_TRUE(BoxIsFree(x, w.top, 1, w.bottom - w.top)) << "a step or a wall at x " << x;
    }
  }
}

// The tiles of a layer inside a box that are not 0, as "x, y: value" lines.
std::string TilesIn(const MapBox& b, int layer) {
  std::string found;
  for (int y = b.top; y < b.bottom; y += 16)
    for (int x = b.left; x < b.right; x += 16)
      if (const uint32_t v = GetTile(x, y, layer))
        found += std::to_string(x) + ", " + std::to_string(y) + ": " + std::to_string(v) + "\n";
  return found;
}

TEST_F(MapTest, ScriptedPathsHoldNoSolidTile) {
  for (const MapBox& b : kClearBoxes) {
    SCOPED_TRACE(std::string(b.map) + ": " + b.what);
    Load(b.map);
    EXPECT_EQ(TilesIn(b, kCollisionLayer), "");
  }
}

TEST_F(MapTest, NoEventLiesOnTheOpeningsPaths) {
  for (const MapBox& b : kOpeningPaths) {
    SCOPED_TRACE(std::string(b.map) + ": " + b.what);
    Load(b.map);
    for (int row = b.top / kTileSize; row <= (b.bottom - 1) / kTileSize; ++row)
      for (int col = b.left / kTileSize; col <= (b.right - 1) / kTileSize; ++col) {
        const uint32_t v = GetTile(col * kTileSize, row * kTileSize, kEventLayer);
        EXPECT_LT(v, 128u) << "event " << v << " at column " << col << ", row " << row;
      }
  }
}

TEST_F(MapTest, DrawnLayersLeaveTheirWindowsOpen) {
  for (const MapBox& b : kEmptyBoxes) {
    SCOPED_TRACE(std::string(b.map) + ": " + b.what);
    Load(b.map);
    for (int layer = 0; layer < kEventLayer; ++layer) EXPECT_EQ(TilesIn(b, layer), "") << "layer " << layer;
  }
}

// Whether cell (col, row) of a sheet holds an opaque pixel.
bool CellIsDrawn(const Surface& sheet, int col, int row) {
  if (col < 0 || col >= 40 || row < 0 || row >= 30) return false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (sheet.At(col * 16 + x, row * 16 + y) != 0) return true;
  return false;
}

// A tile value names a cell of one of the scene's four sheets (a multiple of 1200 draws nothing
// and is left out): that cell must belong to a picture, so it or a cell beside it is drawn (the
// open middle of an arch or a corner of the title's logo are empty cells of a picture).
TEST_F(MapTest, EveryDrawnTileShowsPartOfAPicture) {
  StartTestDisplay();
  InitBgLayers();
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    for (int sheet = 0; sheet < 4; ++sheet)
      ASSERT_EQ(LoadBitmapToSurface(m.sheets[sheet], kFirstSheetSurface + sheet), 0);
    Load(m.map);
    std::set<uint32_t> values;
    for (int layer = 0; layer < kEventLayer; ++layer)
      for (int i = 0; i < kTilesPerLayer; ++i) values.insert(BgLayers.TileBuffer[layer * kTilesPerLayer + i]);
    for (uint32_t v : values) {
      if (v % 1200 == 0) continue;
      ASSERT_LT(v, 4800u);
      const Surface& sheet = Surfaces[kFirstSheetSurface + v / 1200];
      const int col = static_cast<int>(v % 1200 % 40), row = static_cast<int>(v % 1200 / 40);
      bool drawn = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) drawn = drawn || CellIsDrawn(sheet, col + dx, row + dy);
      EXPECT_TRUE(drawn) << "tile " << v << " lies where its sheet holds no picture";
    }
  }
}

TEST_F(MapTest, LayerFourHoldsOnlyWhatTheGameHandles) {
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    std::set<uint32_t> allowed = {0};
    for (const EventLayerValue& e : kEventLayerValues)
      if (std::string(e.map) == m.map) allowed.insert(e.value);
    const uint32_t* layer = BgLayers.TileBuffer + kEventLayer * kTilesPerLayer;
    for (int i = 0; i < kTilesPerLayer; ++i)
      EXPECT_TRUE(allowed.count(layer[i]) == 1)
          << "value " << layer[i] << " at column " << i % kTilesPerRow << ", row " << i / kTilesPerRow;
  }
}

// The layer-4 tiles of the loaded map whose value lies in first..last: "col, row: value" lines.
std::string PlacedIn(uint32_t first, uint32_t last, const MapBox& within) {
  std::string found;
  for (int row = within.top / kTileSize; row * kTileSize < within.bottom && row < kTileRows; ++row)
    for (int col = within.left / kTileSize; col * kTileSize < within.right && col < kTilesPerRow; ++col) {
      const uint32_t v = BgLayers.TileBuffer[kEventLayer * kTilesPerLayer + row * kTilesPerRow + col];
      if (v >= first && v <= last)
        found += std::to_string(col) + ", " + std::to_string(row) + ": " + std::to_string(v) + "\n";
    }
  return found;
}

TEST_F(MapTest, ActorsStandOnlyOnMapsWhoseSheetsHoldTheirPictures) {
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    for (const SheetBound& b : kSheetBoundGroups) {
      if (std::find(b.bitmaps.begin(), b.bitmaps.end(), m.sheets[b.sheet]) != b.bitmaps.end()) continue;
      EXPECT_EQ(PlacedIn(b.first_group, b.last_group, {m.map, 0, 0, 6400, 4800, ""}), "")
          << "sheet " << b.sheet << " is bitmap " << m.sheets[b.sheet];
    }
  }
}

// Klaus's pictures are on bitmap 151, which is sheet 1 only in the forest (where the opening
// spawns a Klaus of its own) and in the teacher's rooms, whose doors load it.
constexpr MapBox kKlausRooms[] = {{"LTOWNSHP", 2568, 0, 3208, 480, "the teacher's room"}};

TEST_F(MapTest, KlausStandsOnlyWhereSheetOneIsHisBitmap) {
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    std::string in_rooms;
    for (const MapBox& b : kKlausRooms)
      if (std::string(b.map) == m.map) in_rooms += PlacedIn(2, 2, b);
    EXPECT_EQ(PlacedIn(2, 2, {m.map, 0, 0, 6400, 4800, ""}), in_rooms);
  }
}

TEST_F(MapTest, NoEnemyStandsWhereTheHeroineArrivesOrIsHeld) {
  for (const MapBox& b : kNoEnemyBoxes) {
    SCOPED_TRACE(std::string(b.map) + ": " + b.what);
    Load(b.map);
    EXPECT_EQ(PlacedIn(32, 40, b), "");
  }
}

// ---- doors, chests and lights ----------------------------------------------------------------------------

struct Tile {
  int col, row;
  bool operator==(const Tile&) const = default;
};

// The tiles of a group on layer 4 in the order the scene change spawns them, which is the order
// of their slots: column by column, top to bottom within a column.
std::vector<Tile> SpawnOrder(uint32_t group) {
  std::vector<Tile> tiles;
  for (int col = 0; col < kTilesPerRow; ++col)
    for (int row = 0; row < kTileRows; ++row)
      if (BgLayers.TileBuffer[kEventLayer * kTilesPerLayer + row * kTilesPerRow + col] == group)
        tiles.push_back({col, row});
  return tiles;
}

// The cave's presets give slots their links: chests 0, 1, 2 the flags 1000, 1004, 1001; sliding
// doors 0..3 and warning lights 0..6 the waterworks' flags; light columns 4 and up their light,
// while 0..3 wait for the machine; the exit-door event opens slot 0.
TEST_F(MapTest, TheCavesSlotsStandWhereThePresetsExpectThem) {
  Load("L001CAVE");
  EXPECT_EQ(SpawnOrder(113), (std::vector<Tile>{{10, 15}, {12, 258}, {20, 258}}))
      << "the opening's chest, then the card key's and the 1000 yen's, and no fourth";

  const std::vector<Tile> doors = SpawnOrder(90);
  ASSERT_GE(doors.size(), 5u);
  EXPECT_EQ(doors[0], (Tile{119, 82})) << "slot 0 must be the water door";
  for (int s = 1; s <= 3; ++s)
    EXPECT_TRUE(doors[s].col >= 247 && doors[s].col <= 351 && doors[s].row == 82)
        << "door " << s << " is not a gate of the way back";
  EXPECT_EQ(doors[4], (Tile{352, 104})) << "the control room's entrance works from the start";

  const std::vector<Tile> columns = SpawnOrder(115);
  ASSERT_GE(columns.size(), 4u);
  for (int s = 0; s < 4; ++s)
    EXPECT_TRUE(columns[s].col >= 111 && columns[s].col <= 117 && columns[s].row == 80) << "column " << s;
  for (size_t s = 4; s < columns.size(); ++s)
    EXPECT_TRUE(columns[s].col >= 353 && columns[s].col <= 392) << "column " << s << " stands outside the control room";

  EXPECT_EQ(SpawnOrder(91).size(), 7u) << "an eighth light would stay dark";
  EXPECT_EQ(SpawnOrder(117), (std::vector<Tile>{{150, 129}}));
}

// The storage room's chest events set the flags that the presets give chest slots 1 (1004, the
// card key) and 2 (1001, the 1000 yen): each lies in front of its own chest, along its bottom row.
// The waterworks machine lights columns 0..3 and links door slot 0, which the test above keeps
// the water's; it stands in the control room.
TEST_F(MapTest, TheCavesChestEventsAndWaterworksStandWhereTheirSlotsAre) {
  Load("L001CAVE");
  auto tiles_of = [](uint32_t value) {
    std::vector<Tile> tiles;
    for (int row = 0; row < kTileRows; ++row)
      for (int col = 0; col < kTilesPerRow; ++col)
        if (BgLayers.TileBuffer[kEventLayer * kTilesPerLayer + row * kTilesPerRow + col] == value) tiles.push_back({col, row});
    return tiles;
  };
  const std::vector<Tile> chests = SpawnOrder(113);
  ASSERT_EQ(chests.size(), 3u);
  auto front_of = [](Tile chest) {
    return std::vector<Tile>{{chest.col, chest.row + 1}, {chest.col + 1, chest.row + 1}, {chest.col + 2, chest.row + 1}};
  };
  EXPECT_EQ(tiles_of(1004), front_of(chests[1])) << "the card key's event is not at chest slot 1";
  EXPECT_EQ(tiles_of(1001), front_of(chests[2])) << "the 1000 yen's event is not at chest slot 2";
  EXPECT_TRUE(tiles_of(1000).empty()) << "the opening opens its chest by script";

  const std::vector<Tile> machine = tiles_of(257);
  ASSERT_FALSE(machine.empty());
  for (const Tile& t : machine) EXPECT_TRUE(t.col >= 353 && t.col <= 392 && t.row == 109) << t.col << ", " << t.row;
}

// The boss room's exit room is closed all round: nothing but the two sliding doors in the gap
// under the wall separates it from the hall, so it stays shut until the doors open.
TEST_F(MapTest, TheBossRoomsExitRoomIsSealedButForItsDoors) {
  constexpr uint32_t kLedge = 1198;
  Load("BOSS0001");
  const std::vector<Tile> doors = SpawnOrder(90);
  ASSERT_EQ(doors.size(), 2u);
  auto reaches_hall = [&](bool doors_shut) {
    auto passable = [&](int col, int row) {
      if (col < 0 || row < 0 || col >= kTilesPerRow || row >= kTileRows) return false;
      for (const Tile& d : doors)  // a shut door fills its column, six tiles down from its own
        if (doors_shut && col == d.col && row >= d.row && row < d.row + 6) return false;
      const uint32_t v = BgLayers.TileBuffer[kCollisionLayer * kTilesPerLayer + row * kTilesPerRow + col];
      return v == 0 || v == kLedge;
    };
    std::vector<bool> seen(kTilesPerLayer, false);
    std::vector<Tile> open = {{130, 64}};  // in front of the exit
    seen[64 * kTilesPerRow + 130] = true;
    while (!open.empty()) {
      const Tile t = open.back();
      open.pop_back();
      if (t.col < 116) return true;  // the hall
      EXPECT_FALSE(t.col == 0 || t.row == 0 || t.col == kTilesPerRow - 1 || t.row == kTileRows - 1);
      for (const Tile n : {Tile{t.col - 1, t.row}, Tile{t.col + 1, t.row}, Tile{t.col, t.row - 1}, Tile{t.col, t.row + 1}}) {
        if (!passable(n.col, n.row) || seen[n.row * kTilesPerRow + n.col]) continue;
        seen[n.row * kTilesPerRow + n.col] = true;
        open.push_back(n);
      }
    }
    return false;
  };
  EXPECT_FALSE(reaches_hall(true)) << "a way round the shut doors";
  EXPECT_TRUE(reaches_hall(false)) << "the doors stand where no one passes";
}

// ---- the compiler ---------------------------------------------------------------------------------------

struct MapcRun {
  int status;
  std::string output;
};

// A folder of this process's own for the compiler's sources and maps, removed afterwards.
struct Scratch {
  std::string dir = testing::TempDir() + "/mapc-" + std::to_string(getpid());
  Scratch() { std::filesystem::create_directories(dir); }
  ~Scratch() { std::filesystem::remove_all(dir); }
};

MapcRun RunMapc(const Scratch& scratch, const std::string& source_text, const std::string& output) {
  const std::string source = scratch.dir + "/source.txt";
  std::ofstream(source) << source_text;
  const std::string command = std::string(TOVIA_BINARY_DIR) + "/tools/mapc " + source + " " + output + " 2>&1";
  MapcRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  run.status = pclose(pipe);
  return run;
}

TEST_F(MapTest, TheCompilerPaintsTerrainRepeatsPicturesAndPlaces) {
  const Scratch scratch;
  const std::string out = scratch.dir + "/TINY.MDT";
  const MapcRun run = RunMapc(scratch,
      "legend # = terrain 2409   # blocks\n"
      "legend w = 2520 2521 / 2560 2561\n"
      "picture door = 2532 . / 2572 2573\n"
      "layer 2\n"
      "at 10 20\n"
      "|###\n"
      "|###\n"
      "|###\n"
      "at 20 20\n"
      "|###\n"
      "layer 1\n"
      "fill w 3 5 2 1\n"
      "put door at 30 30\n"
      "place event 430 at 7 8 size 2 1\n",
      out);
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(LoadMapFile(out.c_str()), 0);
  auto tile = [](int col, int row, int layer) { return GetTile(col * 16, row * 16, layer); };
  // The 3 x 3 patch of the blocks from 2409, and a ledge one tile thick.
  EXPECT_EQ(tile(10, 20, 2), 2409u);
  EXPECT_EQ(tile(11, 20, 2), 2410u);
  EXPECT_EQ(tile(12, 21, 2), 2451u);
  EXPECT_EQ(tile(12, 22, 2), 2491u);
  EXPECT_EQ(tile(20, 20, 2), 2414u);
  EXPECT_EQ(tile(21, 20, 2), 2415u);
  EXPECT_EQ(tile(22, 20, 2), 2416u);
  // A repeat lies on the world's grid: column 3 is an odd column of it.
  EXPECT_EQ(tile(3, 5, 1), 2561u);
  EXPECT_EQ(tile(4, 5, 1), 2560u);
  // A picture keeps the cells marked '.'.
  EXPECT_EQ(tile(30, 30, 1), 2532u);
  EXPECT_EQ(tile(31, 30, 1), 0u);
  EXPECT_EQ(tile(31, 31, 1), 2573u);
  EXPECT_EQ(tile(7, 8, 4), 430u);
  EXPECT_EQ(tile(8, 8, 4), 430u);
  EXPECT_EQ(tile(9, 8, 4), 0u);
}

TEST_F(MapTest, TheCompilerRefusesABrokenSourceNamingTheLine) {
  struct Broken {
    const char* text;
    const char* message;
  };
  const Broken kBroken[] = {
      {"layer 2\nat 0 0\n|..x..\n", ":3: 'x' is not in the legend of layer 2"},
      {"legend # = 2400\nlayer 1\nat 0 0\n|#\n", ":4: tile 2400 reads back as 0"},
      {"layer 2\nlegend # = 5000\n", ":2: tile 5000 is past the last cell"},
      {"layer 1\nlegend # = 1\nat 398 0\n|###\n", ":4: the row runs past the last column"},
      {"layer 3\n|###\n", ":2: a row before any 'at'"},
      {"# a comment\nlayer 7\n", ":2: layer 7 is outside 0..4"},
      {"place group 200 at 1 1\n", ":1: group 200 is outside 2..127"},
      {"layer 0\nput tree at 0 0\n", ":2: no picture is named 'tree'"},
      {"layer 1\nfloor 3\n", ":2: unknown statement 'floor'"},
  };
  const Scratch scratch;
  const std::string out = scratch.dir + "/BROKEN.MDT";
  for (const Broken& b : kBroken) {
    std::remove(out.c_str());
    const MapcRun run = RunMapc(scratch, b.text, out);
    EXPECT_NE(run.status, 0) << b.text;
    EXPECT_NE(run.output.find(b.message), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(out)) << b.text;
  }
}

}  // namespace

// ---- the previews ---------------------------------------------------------------------------------

namespace {

// The width and height a PNG file's header gives; 0 x 0 when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[24] = {};
  if (!in.read(reinterpret_cast<char*>(head), sizeof head) || head[1] != 'P' || head[12] != 'I') return {0, 0};
  auto be32 = [&](int at) {
    return uint32_t{head[at]} << 24 | uint32_t{head[at + 1]} << 16 | uint32_t{head[at + 2]} << 8 | head[at + 3];
  };
  return {be32(16), be32(20)};
}

TEST_F(MapTest, ThePreviewDrawsTheWholeMapAndTheScreensAtItsPlaces) {
  const Scratch scratch;
  const std::string source = std::string(TOVIA_SOURCE_DIR) + "/assets/maps/L001CAVE.txt";
  const std::string command = std::string(TOVIA_BINARY_DIR) + "/tools/mapc --preview " + scratch.dir +
                              " --scale 4 --crop 0 0 800 400 " + source;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(PngSize(scratch.dir + "/L001CAVE.png"), std::make_pair(1600u, 1200u));
  EXPECT_EQ(PngSize(scratch.dir + "/L001CAVE-crop.png"), std::make_pair(800u, 400u));
  // Both places of the cave: where the opening drops her and where the pipe lets her out, each
  // standing and after the hold-down pan.
  for (const char* screen : {"-1", "-1-crouch", "-2", "-2-crouch"})
    EXPECT_EQ(PngSize(scratch.dir + "/L001CAVE" + screen + ".png"), std::make_pair(640u, 480u)) << screen;
  EXPECT_FALSE(std::filesystem::exists(scratch.dir + "/L001CAVE-3.png"));
}

TEST_F(MapTest, ThePreviewRefusesAMapNoSceneShows) {
  const Scratch scratch;
  const std::string source = scratch.dir + "/NOWHERE.txt";
  std::ofstream(source) << "legend = = 1198\nlayer 2\nfill = 0 0 1 1\n";
  const std::string command =
      std::string(TOVIA_BINARY_DIR) + "/tools/mapc --preview " + scratch.dir + " " + source + " 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(scratch.dir + "/NOWHERE.png"));
}

}  // namespace

// ---- the cave's route ---------------------------------------------------------------------------------

namespace {

// A spot in every chamber of the cave, in the order she meets them.
constexpr Spot kCaveChambers[] = {
    {34, 16, "the landing"},
    {55, 7, "the first rest room"},
    {90, 28, "the landing's lowest step"},
    {110, 28, "the first enemies' hall"},
    {137, 23, "the mesa in the first enemies' hall"},
    {180, 32, "the first of the steps down to the alcove"},
    {228, 44, "the last of the steps down to the alcove"},
    {248, 44, "the alcove beyond the pit"},
    {230, 87, "the waterworks' hall by the elevator's foot"},
    {165, 91, "the second rest room"},
    {127, 87, "the waterworks' hall at the hole down to the second shrine"},
    {115, 109, "the second shrine, under the hole down to it"},
    {340, 109, "the east end of the passage under the waterworks' hall"},
    {380, 109, "the control room"},
    {356, 87, "the control room's balcony"},
    {320, 87, "the way back past the elevator's foot"},
    {112, 87, "the waterworks' hall at the water door"},
    {108, 133, "the exit hall under the hole down to it"},
    {155, 121, "the shelf over the exit door"},
    {200, 121, "the dead end east of the shelf"},
    {60, 133, "the pipe chamber"},
    {30, 133, "the west passage"},
    {15, 175, "the lava level's west part"},
    {50, 187, "the lava pit"},
    {88, 156, "the hidden room"},
    {95, 175, "the runway"},
    {15, 259, "the lowest level's storage room"},
    {100, 261, "the lowest level at the shaft's foot"},
    {155, 261, "the lowest level by the lower pipe"},
};
constexpr Spot kCaveStart = {34, 16, "where the opening drops her"};
constexpr Spot kCaveExit = {150, 133, "the exit door"};

// From the landing she can reach every chamber of the cave, and from wherever she can get to, the
// exit door is still within reach: no pit, drop or dead end keeps her.
TEST_F(MapTest, TheCavesRouteLeadsFromTheLandingThroughEveryChamberToTheExitDoor) {
  Load("L001CAVE");
  const StandingMoves moves(kCavePlatforms, kJumpRows);
  ASSERT_TRUE(moves.Stands(kCaveStart.col, kCaveStart.row));
  for (const Platform& p : kCavePlatforms)
    EXPECT_EQ(GetTile(p.col * kTileSize, p.row * kTileSize, kEventLayer), p.group)
        << "no group " << p.group << " at column " << p.col << ", row " << p.row;
  for (const Spot& s : kCaveChambers) EXPECT_TRUE(moves.Stands(s.col, s.row)) << s.what << " is no place to stand";
  for (const Link& l : kCaveLinks) {
    EXPECT_TRUE(moves.Stands(l.from.col, l.from.row)) << l.from.what;
    EXPECT_TRUE(moves.Stands(l.to.col, l.to.row)) << l.to.what;
  }
  const std::vector<bool> reached = Reach(moves, kCaveLinks, kCaveStart, false);
  for (const Spot& s : kCaveChambers) EXPECT_TRUE(reached[SpotIndex(s)]) << s.what << " cannot be reached";
  const std::vector<bool> leads_out = Reach(moves, kCaveLinks, kCaveExit, true);
  int stuck = 0;
  for (int i = 0; i < kTilesPerLayer; ++i)
    if (reached[i] && !leads_out[i] && ++stuck <= 5)
      ADD_FAILURE() << "from column " << i % kTilesPerRow << ", row " << i / kTilesPerRow
                    << " the exit door is out of reach";
  EXPECT_EQ(stuck, 0);
}

// From the lip of rock at the alcove's pit (column 237, top row 42) she gets over the pit to the
// elevator (column 244, under its stop) only if her body, as high as it stands on the lip, passes
// under the ceiling up to the elevator's side: lower, her head meets its edge and she falls into
// the pit.
TEST_F(MapTest, FromTheAlcovesLipHerBodyPassesOverThePitToTheElevator) {
  Load("L001CAVE");
  constexpr int kLipTop = 42 * kTileSize, kLip = 237 * kTileSize, kElevator = 244 * kTileSize;
  for (int x = kLip; x + kBodyWidth <= kElevator; x += 4)
    EXPECT_TRUE(BoxIsFree(x, kLipTop - kBodyHeight, kBodyWidth, kBodyHeight)) << "x " << x;
}

// Guide 517 walks her east to x 1600 on one level floor, and she falls down the shaft beyond it
// to a floor low enough that the guide, which holds her until her top reaches y 4000, ends there.
TEST_F(MapTest, TheRunwayOf517EndsAtTheShaftDownToTheLowestLevel) {
  Load("L001CAVE");
  constexpr int kRunwayFloor = 2816, kShaftLeft = 1600, kShaftRight = 1664;
  for (int x = 1440; x < kShaftLeft; ++x) EXPECT_NE(GetTile(x, kRunwayFloor, kCollisionLayer), 0u) << "x " << x;
  for (int x = kShaftLeft; x < kShaftRight; x += 4) {
    int floor = kRunwayFloor;
    while (floor < kTileRows * kTileSize && GetTile(x, floor, kCollisionLayer) == 0) ++floor;
    EXPECT_EQ(floor, 4192) << "x " << x;  // standing there, her top is at 4127
  }
}

// An elevator moves while nothing of layer 2 lies in its way: its floor probe (one pixel at x + 24
// under the platform) stops it at the bottom, its ceiling probe (16 pixels from x + 24, 97 above
// the platform, over the cabin drawn 96 pixels high) at the top.
struct ElevatorShaft {
  const char* map;
  int col;         // the platform's left column (3 wide)
  int top_row;     // the platform's row at the upper stop
  int bottom_row;  // and at the lower stop
  const char* what;
};
constexpr ElevatorShaft kElevatorShafts[] = {
    {"L001CAVE", 244, 45, 88, "the cave's elevator, from the alcove down to the waterworks' hall"},
    {"TEST0000", 38, 14, 37, "the object test's elevator, from the upper room down to the hall"},
};

TEST_F(MapTest, ElevatorShaftsAreClearWithStopsAtBothEnds) {
  for (const ElevatorShaft& e : kElevatorShafts) {
    SCOPED_TRACE(std::string(e.map) + ": " + e.what);
    Load(e.map);
    const int x = e.col * kTileSize, top = e.top_row * kTileSize, bottom = e.bottom_row * kTileSize;
    EXPECT_EQ(TilesIn(MapBox{e.map, x, top - 96, x + 48, bottom + 16, e.what}, kCollisionLayer), "");
    EXPECT_NE(FindTileInRow(x + 24, top - 97, 16), 0u) << "no stop over the cabin at the top";
    EXPECT_NE(GetTile(x + 24, bottom + 16, kCollisionLayer), 0u) << "no stop under the platform at the bottom";
  }
}

// ---- the mechanisms ------------------------------------------------------------------------------------

// The solid mechanisms, with their width in tiles.
struct Mechanism {
  uint32_t group;
  int width;
};
constexpr Mechanism kMechanisms[] = {{60, 2}, {70, 2}, {71, 2}, {72, 3}, {73, 3}, {74, 3}, {100, 3}, {101, 3}};

// A mechanism of layer 4 and where it stands.
struct PlacedMechanism {
  uint32_t group;
  int col, row, width;
};
std::vector<PlacedMechanism> MechanismsOnTheMap() {
  std::vector<PlacedMechanism> found;
  const uint32_t* layer = BgLayers.TileBuffer + kEventLayer * kTilesPerLayer;
  for (int i = 0; i < kTilesPerLayer; ++i)
    for (const Mechanism& m : kMechanisms)
      if (layer[i] == m.group) found.push_back({m.group, i % kTilesPerRow, i / kTilesPerRow, m.width});
  return found;
}

// The object test's map is also the gorilla house that play reaches: its mechanisms stand clear
// of the stairwell and of the hall's route (columns 46..97).
TEST_F(MapTest, TheObjectTestsMechanismsStandClearOfTheGorillaHousesWay) {
  Load("TEST0000");
  const std::vector<PlacedMechanism> placed = MechanismsOnTheMap();
  EXPECT_EQ(placed.size(), 4u);
  for (const PlacedMechanism& p : placed) EXPECT_TRUE(p.col + p.width <= 46 || p.col > 97) << "group " << p.group;
}

// Standing on a solid actor she starts a field event under her without pressing up: no field
// event lies where she can stand on a lift, a block lift, the elevator or a weight anywhere along
// its way. The tiles checked are those her foot point (2 pixels above the top she stands on) and
// her centre (over the top's width, 12 pixels either side) can meet.
TEST_F(MapTest, NoFieldEventLiesWhereSheStandsOnAMechanism) {
  auto field_event = [](uint32_t v) {
    return (v >= 160 && v <= 164) || (v >= 256 && v <= 511) || (v >= 1000 && v <= 1199);
  };
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    for (const PlacedMechanism& p : MechanismsOnTheMap()) {
      const int x = p.col * kTileSize, y = p.row * kTileSize;
      int left = x, right = x + 48, top = y, bottom = y;  // the tops she can stand on, as a box
      switch (p.group) {
        case 60:
          right = x + 32;
          break;
        case 100:
          top = y - 81, bottom = y + 81;
          break;
        case 101:
          left = x - 81, right = x + 48 + 81;
          break;
        case 72:  // up to its stop over the roof, down to its stop under the platform
          while (FindTileInRow(x + 24, top - 16 - 97, 16) == 0 && top > 0) top -= 16;
          while (GetTile(x + 24, bottom + 16, kCollisionLayer) == 0 && bottom < kTileRows * kTileSize) bottom += 16;
          break;
        case 73:
        case 74:  // from where it hangs down to the floor under its middle
          while (GetTile(x + 24, bottom + 64, kCollisionLayer) == 0 && bottom < kTileRows * kTileSize) ++bottom;
          break;
        default:
          continue;  // the coin blocks are map tiles: she stands on them as on the floor
      }
      for (int row = (top - 2) / kTileSize; row <= (bottom - 2) / kTileSize; ++row)
        for (int col = (left - 12) / kTileSize; col <= (right + 11) / kTileSize; ++col) {
          const uint32_t v = GetTile(col * kTileSize, row * kTileSize, kEventLayer);
          EXPECT_FALSE(field_event(v)) << "field event " << v << " at column " << col << ", row " << row
                                       << " over group " << p.group << " at column " << p.col;
        }
    }
  }
}

// The cave's stalactites hang from rock and its stalagmites and crystals stand on it; none is
// painted over rock.
TEST_F(MapTest, TheCavesDecorationHangsFromCeilingsAndStandsOnFloors) {
  constexpr uint32_t kStalactite = 2737, kStalagmite = 2777, kCrystal = 2738;
  Load("L001CAVE");
  auto tile = [](int layer, int col, int row) {
    return BgLayers.TileBuffer[layer * kTilesPerLayer + row * kTilesPerRow + col];
  };
  for (int row = 1; row < kTileRows - 1; ++row)
    for (int col = 0; col < kTilesPerRow; ++col) {
      const uint32_t front = tile(3, col, row), back = tile(1, col, row);
      if (front == kStalactite) {
        EXPECT_EQ(tile(kCollisionLayer, col, row), 0u) << "a stalactite over rock at " << col << ", " << row;
        EXPECT_NE(tile(kCollisionLayer, col, row - 1), 0u) << "a stalactite in the air at " << col << ", " << row;
      }
      if (back == kStalagmite || back == kCrystal) {
        EXPECT_EQ(tile(kCollisionLayer, col, row), 0u) << "a stalagmite over rock at " << col << ", " << row;
        EXPECT_NE(tile(kCollisionLayer, col, row + 1), 0u) << "a stalagmite in the air at " << col << ", " << row;
      }
    }
}

}  // namespace

// ---- the world joined up by its doors -------------------------------------------------------------

namespace {

// Where each door, warp and change of scene takes her: the map and her PosX, PosY on arrival (the
// signed doors and the clinic's counter put her 24 and 64 pixels up and left of their script's
// point). 163, the way out of the save room, goes back to wherever 162 was taken.
struct Way {
  uint32_t number;
  const char* map;
  int x, y;
};
constexpr Way kWays[] = {
    {160, "LTOWNSHP", 1656, 1824}, {161, "LTOWNSHP", 3763, 864}, {162, "TEMPLE00", 76, 336},
    {261, "CORRIDOR", 76, 336},    {269, "LTOWNSHP", 40, 1172},  {270, "LTOWNMID", 3576, 2056},
    {271, "LTOWNSHP", 2632, 712},  {272, "LTOWNSHP", 3268, 712}, {273, "LTOWNSHP", 3912, 712},
    {276, "LTOWNSHP", 1208, 872},  {277, "LTOWNSHP", 1468, 872}, {278, "LTOWNSHP", 1720, 872},
    {314, "LTOWNSHP", 556, 232},   {315, "LTOWNMID", 5464, 2052}, {317, "LTOWNSHP", 112, 232},
    {320, "LTOWNSHP", 1840, 232},  {321, "LTOWNMID", 264, 1836}, {322, "LTOWNSHP", 2592, 168},
    {323, "LTOWNSHP", 1352, 232},  {327, "LTOWNSHP", 1952, 236}, {328, "LTOWNSHP", 1432, 232},
    {400, "LTOWNMID", 4156, 1924}, {430, "BOSS0001", 176, 960},  {500, "TEST0000", 904, 516},
};

bool IsFieldNumber(uint32_t v) { return (v >= 160 && v <= 164) || (v >= 256 && v <= 511) || (v >= 1000 && v <= 1199); }
bool IsGuideNumber(uint32_t v) { return v == 128 || (v >= 513 && v <= 799); }

// Her moves on the loaded map, with what the mechanisms of the cave give her.
StandingMoves MovesOn(const std::string& map) {
  return map == "L001CAVE" ? StandingMoves(kCavePlatforms, kJumpRows) : StandingMoves({}, kJumpRows);
}
std::span<const Link> LinksOn(const std::string& map) {
  return map == "L001CAVE" ? std::span<const Link>(kCaveLinks) : std::span<const Link>();
}

// The spots she can get to on the loaded map from where she is put at (x, y).
std::vector<bool> ReachFrom(const std::string& map, const StandingMoves& moves, int x, int y) {
  const int spot = RestingSpot(moves, x, y);
  if (spot < 0) return std::vector<bool>(kTilesPerLayer, false);
  return Reach(moves, LinksOn(map), Spot{spot % kTilesPerRow, spot / kTilesPerRow, ""}, false);
}

// She stands over the tile (col, row) with her middle on it when her body's left column is that
// column or the one before.
bool Over(const std::vector<bool>& reached, int col, int row) {
  return reached[row * kTilesPerRow + col] || (col > 0 && reached[row * kTilesPerRow + col - 1]);
}

uint32_t EventAt(int col, int row) { return BgLayers.TileBuffer[kEventLayer * kTilesPerLayer + row * kTilesPerRow + col]; }

TEST_F(MapTest, EveryEventNumberOnAMapHasAScript) {
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    std::set<uint32_t> values;
    for (int i = 0; i < kTilesPerLayer; ++i) values.insert(BgLayers.TileBuffer[kEventLayer * kTilesPerLayer + i]);
    for (uint32_t v : values) {
      if (v < 128) continue;
      const bool scripted = IsFieldNumber(v)   ? FieldHandlerOf(static_cast<int32_t>(v)) != FieldRoutine(FieldEventWithoutScript)
                            : IsGuideNumber(v) ? GuideHandlerOf(static_cast<int32_t>(v)) != GuideRoutine(GuideEventWithoutScript)
                                               : false;
      EXPECT_TRUE(scripted) << "event " << v << " has no script";
    }
  }
}

// A number that she raises with Up lies in the row right over a floor, where she can walk to from
// a place the game puts her on that map.
TEST_F(MapTest, EveryNumberRaisedWithUpLiesOnAFloorSheCanGetTo) {
  for (const MapScene& m : kMaps) {
    SCOPED_TRACE(m.map);
    Load(m.map);
    const StandingMoves moves = MovesOn(m.map);
    std::vector<bool> reached(kTilesPerLayer, false);
    for (const HeroinePoint& p : kHeroinePoints) {
      if (std::string(p.map) != m.map) continue;
      const std::vector<bool> from = ReachFrom(m.map, moves, p.x, p.y);
      for (int i = 0; i < kTilesPerLayer; ++i) reached[i] = reached[i] || from[i];
    }
    for (int row = 0; row + 1 < kTileRows; ++row)
      for (int col = 0; col < kTilesPerRow; ++col) {
        const uint32_t v = EventAt(col, row);
        if (!IsFieldNumber(v)) continue;
        EXPECT_NE(GetTile(col * kTileSize, (row + 1) * kTileSize, kCollisionLayer), 0u)
            << "event " << v << " at column " << col << ", row " << row << " has no floor under it";
        EXPECT_TRUE(Over(reached, col, row)) << "event " << v << " at column " << col << ", row " << row
                                             << " lies where she cannot get to";
      }
  }
}

// Each way's arrival is a place the tests above check: on a floor, clear of walls, closed round.
TEST_F(MapTest, EveryWayLeadsToAPlaceOnAFloor) {
  for (const Way& w : kWays) {
    const bool checked = std::any_of(std::begin(kHeroinePoints), std::end(kHeroinePoints), [&](const HeroinePoint& p) {
      return std::string(p.map) == w.map && p.x == w.x && p.y == w.y;
    });
    EXPECT_TRUE(checked) << "event " << w.number << ": " << w.map << " (" << w.x << ", " << w.y << ")";
  }
}

// From the town's square, the doors lead into every room of the town's houses and of the gorilla
// house, and from every room back to the square: a room is where a way puts her, and she goes on
// from there by walking and jumping to the numbers she can get to.
TEST_F(MapTest, FromTheSquareTheDoorsLeadIntoEveryRoomAndEveryRoomBack) {
  struct Room {
    const char* map;
    int x, y;
  };
  std::vector<Room> rooms = {{"LTOWNMID", 4156, 1924}};  // the square, where scene 600 puts her
  auto room_of = [&](const char* map, int x, int y) {
    for (size_t i = 0; i < rooms.size(); ++i)
      if (std::string(rooms[i].map) == map && rooms[i].x == x && rooms[i].y == y) return static_cast<int>(i);
    return -1;
  };
  const std::set<std::string> town = {"LTOWNMID", "LTOWNSHP", "TEST0000"};
  for (const Way& w : kWays)
    if (town.count(w.map) == 1 && room_of(w.map, w.x, w.y) < 0) rooms.push_back({w.map, w.x, w.y});

  // The ways out of each room.
  std::vector<std::set<int>> leads(rooms.size());
  for (const std::string& map : town) {
    Load(map.c_str());
    const StandingMoves moves = MovesOn(map);
    for (size_t from = 0; from < rooms.size(); ++from) {
      if (rooms[from].map != map) continue;
      const std::vector<bool> reached = ReachFrom(map, moves, rooms[from].x, rooms[from].y);
      for (int row = 0; row < kTileRows; ++row)
        for (int col = 0; col < kTilesPerRow; ++col) {
          const uint32_t v = EventAt(col, row);
          for (const Way& w : kWays)
            if (w.number == v && Over(reached, col, row) && room_of(w.map, w.x, w.y) >= 0)
              leads[from].insert(room_of(w.map, w.x, w.y));
        }
    }
  }
  auto rooms_reached = [&](bool backwards) {
    std::vector<bool> seen(rooms.size(), false);
    std::vector<int> open = {0};
    seen[0] = true;
    while (!open.empty()) {
      const int at = open.back();
      open.pop_back();
      for (size_t r = 0; r < rooms.size(); ++r) {
        const bool joined = backwards ? leads[r].count(at) == 1 : leads[at].count(static_cast<int>(r)) == 1;
        if (joined && !seen[r]) {
          seen[r] = true;
          open.push_back(static_cast<int>(r));
        }
      }
    }
    return seen;
  };
  const std::vector<bool> into = rooms_reached(false), back = rooms_reached(true);
  for (size_t r = 0; r < rooms.size(); ++r) {
    const std::string where = std::string(rooms[r].map) + " (" + std::to_string(rooms[r].x) + ", " +
                              std::to_string(rooms[r].y) + ")";
    EXPECT_TRUE(into[r]) << "no door from the square leads to " << where;
    EXPECT_TRUE(back[r]) << "no door leads from " << where << " back to the square";
  }
}

}  // namespace
