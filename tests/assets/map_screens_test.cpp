// The maps as a player sees them: wherever the heroine can stand, no screen that the camera can
// show round her looks past the built world; no picture of the layers in front of the far
// picture hangs in the air, unless the list beside the map sources says it is meant to hang; and
// the torches and lamps that the maps place hang on walls.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <fstream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "assets/map_moves.h"
#include "mapc/scene_places.h"
#include "support/game_reset.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

// ---- how each map is looked at -----------------------------------------------------------------

// Every scene of the scene table names a far picture, and the game draws it behind the map from
// the new game on (nothing turns it off), so it shows wherever no layer draws a tile. That is
// meant only inside a place, and each map is one of three kinds:
// - indoors (the cave, the halls, the rooms): the far picture is the back of the place (cave
//   rock, a colonnade, the lair) and may show in air that walls close on all four sides: the
//   cell is free of layer 2, and layer 2 holds a tile somewhere to its left and somewhere to its
//   right in its row, and somewhere above and somewhere below it in its column, all inside the
//   world (the world wraps, but a wall beyond its edge closes nothing the camera shows);
// - outdoors: the far picture is the sky and may show in every row above the horizon, the first
//   row of the far scenery that layer 0 draws the whole width; below it, as indoors;
// - the title: its far picture is the whole of both its screens, a frame drawn round a window.
enum class Kind { kIndoors, kOutdoors, kTitle };

struct MapLook {
  const char* map;
  Kind kind;
  int horizon;     // outdoors: the first row below the sky
  bool back_wall;  // layer 0 is the back wall of its rooms, so pictures of layer 1 hang on it
};
constexpr MapLook kMapLooks[] = {
    {"TEST0000", Kind::kIndoors, 0, true},   {"LAFOREST", Kind::kOutdoors, 163, false},
    {"LTOWN001", Kind::kOutdoors, 40, false}, {"TEMPLE00", Kind::kIndoors, 0, true},
    {"TITLE001", Kind::kTitle, 0, false},     {"L001CAVE", Kind::kIndoors, 0, false},
    {"LTOWNMID", Kind::kOutdoors, 117, false}, {"LTOWNSHP", Kind::kIndoors, 0, true},
    {"BOSS0001", Kind::kIndoors, 0, false},   {"CORRIDOR", Kind::kIndoors, 0, false},
};

// The object test's elevator: its platform at the top, and the ride between the upper room and
// the hall (at the foot, where the platform rests in the hall's floor).
constexpr Platform kTestPlatforms[] = {{38, 14, 3, 1}};
constexpr Link kTestLinks[] = {{{38, 13, "the elevator at the top"}, {38, 37, "the elevator at the foot"}, true}};

// What the mechanisms of a map give her to stand on, and its ways that are no walk.
struct MapWays {
  const char* map;
  std::span<const Platform> platforms;
  std::span<const Link> links;
};
const MapWays kMapWays[] = {
    {"L001CAVE", kCavePlatforms, kCaveLinks},
    {"TEST0000", kTestPlatforms, kTestLinks},
};

// Scripted scrolls of the camera, from one view to another along a straight line.
struct Pan {
  const char* map;
  int x0, y0, x1, y1;
  const char* what;
};
constexpr Pan kPans[] = {
    // The opening scrolls the view east 4 pixels a frame while she walks from x 1048 to 2148.
    {"LAFOREST", 820, 2408, 1940, 2408, "the opening's scroll along the forest road"},
    // Guide 700 pans from her view sunk 32 pixels into the lower pipe (PosY 4096) to the upper
    // pipe's.
    {"L001CAVE", 2252, 3896, 816, 1768, "the pan of guide 700 from the lower pipe to the upper one"},
};

// ---- the map as tiles ----------------------------------------------------------------------------

constexpr int kWorldWidth = kTilesPerRow * kTileSize, kWorldHeight = kTileRows * kTileSize;
constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr int kCameraRight = kWorldWidth - kScreenWidth - 1;    // the follow's clamps
constexpr int kCameraBottom = kWorldHeight - kScreenHeight - 1;

uint32_t Tile(int layer, int col, int row) {
  return BgLayers.TileBuffer[layer * kTilesPerLayer + row * kTilesPerRow + col];
}
bool Drawn(int layer, int col, int row) { return Tile(layer, col, row) % 1200 != 0; }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

std::string MapPath(const std::string& name) { return std::string(TOVIA_BINARY_DIR) + "/Data/" + name + ".MDT"; }

class MapScreensTest : public testing::Test {
 protected:
  void SetUp() override { InitBgLayers(); }
  void TearDown() override { ResetGameState(); }
  void Load(const char* map) { ASSERT_EQ(LoadMapFile(MapPath(map).c_str()), 0) << map; }
};

// ---- the screens ---------------------------------------------------------------------------------

// Which cells of the world may show the far picture, by the rules above.
std::vector<bool> FarPictureMayShow(const MapLook& look) {
  std::vector<bool> may(kTilesPerLayer, look.kind == Kind::kTitle);
  if (look.kind == Kind::kTitle) return may;
  auto solid = [](int col, int row) { return Tile(kCollisionLayer, col, row) != 0; };
  // For each cell: a solid tile somewhere to its left, right, above, below.
  std::vector<bool> left(kTilesPerLayer), right(kTilesPerLayer), above(kTilesPerLayer), below(kTilesPerLayer);
  for (int row = 0; row < kTileRows; ++row) {
    bool seen = false;
    for (int col = 0; col < kTilesPerRow; ++col) left[row * kTilesPerRow + col] = std::exchange(seen, seen || solid(col, row));
    seen = false;
    for (int col = kTilesPerRow - 1; col >= 0; --col)
      right[row * kTilesPerRow + col] = std::exchange(seen, seen || solid(col, row));
  }
  for (int col = 0; col < kTilesPerRow; ++col) {
    bool seen = false;
    for (int row = 0; row < kTileRows; ++row) above[row * kTilesPerRow + col] = std::exchange(seen, seen || solid(col, row));
    seen = false;
    for (int row = kTileRows - 1; row >= 0; --row)
      below[row * kTilesPerRow + col] = std::exchange(seen, seen || solid(col, row));
  }
  for (int row = 0; row < kTileRows; ++row)
    for (int col = 0; col < kTilesPerRow; ++col) {
      const int i = row * kTilesPerRow + col;
      may[i] = (look.kind == Kind::kOutdoors && row < look.horizon) ||
               (!solid(col, row) && left[i] && right[i] && above[i] && below[i]);
    }
  return may;
}

// A range of camera positions (x0..x1, y0..y1, the view's top-left pixel), and what shows it:
// her standing at a spot, her move to a spot, or a place or a pan of the tables.
struct Sight {
  int x0, x1, y0, y1;
  int spot;          // the tile index of the spot where she stands or which she moves to, or -1
  const char* what;  // a move, a place or a pan; nullptr while she stands at the spot
};

// The views the follow settles on with her standing at a spot: her centre in the middle of the
// view, the top of her 200 pixels below its top (give or take the 7 pixels that easing by eighths
// leaves), and after the hold-down pan 190 pixels lower, unless she stands so low that it never
// starts. The range of x covers her standing anywhere on the tile.
Sight SpotSight(int col, int row) {
  constexpr int kPan = 190, kEasing = 7, kNoPanBelow = kWorldHeight - 286 - 64;
  const int pos_y = (row + 1) * kTileSize - 65;
  const int top = pos_y - 200;
  const int pan = pos_y < kNoPanBelow ? kPan : 0;
  return Sight{std::clamp(col * kTileSize - 308, 0, kCameraRight), std::clamp(col * kTileSize - 293, 0, kCameraRight),
               std::clamp(top - kEasing, 0, kCameraBottom), std::clamp(top + kEasing + pan, 0, kCameraBottom),
               row * kTilesPerRow + col, nullptr};
}

Sight Hull(const Sight& a, const Sight& b) {
  return Sight{std::min(a.x0, b.x0), std::max(a.x1, b.x1), std::min(a.y0, b.y0), std::max(a.y1, b.y1), b.spot,
               "on a jump, a fall or a ride to"};
}

// Every range of views the camera can show on the map: the fixed views of the places that do not
// follow her, the pans, and where it follows her, the views at every spot she can reach from
// there (with the spell's high jump she owns from the start) and between the two ends of every
// move, from the view the place sets to the one it settles on.
std::vector<Sight> Sights(const char* map) {
  std::span<const Platform> platforms;
  std::span<const Link> links;
  for (const MapWays& w : kMapWays)
    if (std::string(w.map) == map) platforms = w.platforms, links = w.links;
  const StandingMoves moves(platforms, kSpellJumpRows);

  std::vector<Sight> sights;
  std::vector<bool> seen(kTilesPerLayer, false);
  std::vector<int> open;
  for (const ScenePlace& p : kScenePlaces) {
    if (std::string(p.map) != map) continue;
    if (!p.follow) {
      sights.push_back(Sight{p.camera_x, p.camera_x, p.camera_y, p.camera_y, -1, p.what});
      continue;
    }
    const int spot = RestingSpot(moves, p.x, p.y);
    EXPECT_NE(spot, -1) << map << ": " << p.what << ": she finds no floor";
    if (spot == -1) continue;
    Sight arrival = SpotSight(spot % kTilesPerRow, spot / kTilesPerRow);
    arrival.y0 = std::min(arrival.y0, p.camera_y);
    arrival.y1 = std::max(arrival.y1, p.camera_y);
    arrival.spot = -1;
    arrival.what = p.what;
    sights.push_back(arrival);
    if (!seen[spot]) open.push_back(spot);
    seen[spot] = true;
  }
  for (const Pan& pan : kPans) {
    if (std::string(pan.map) != map) continue;
    const int steps = std::max(std::abs(pan.x1 - pan.x0), std::abs(pan.y1 - pan.y0)) / 8 + 1;
    for (int i = 0; i <= steps; ++i) {
      const int x = pan.x0 + (pan.x1 - pan.x0) * i / steps, y = pan.y0 + (pan.y1 - pan.y0) * i / steps;
      sights.push_back(Sight{std::max(0, x - 8), std::min(kCameraRight, x + 8), std::max(0, y - 8),
                             std::min(kCameraBottom, y + 8), -1, pan.what});
    }
  }
  std::set<std::tuple<int, int, int, int>> hulls;
  while (!open.empty()) {
    const int at = open.back();
    open.pop_back();
    const Sight here = SpotSight(at % kTilesPerRow, at / kTilesPerRow);
    sights.push_back(here);
    auto go = [&](int to, bool swept) {
      // A walk along a floor shows nothing but the views of its two ends; a jump, a fall or a
      // ride sweeps the views between them; a pipe takes her away under a pan of its own.
      if (swept && to / kTilesPerRow != at / kTilesPerRow) {
        const Sight h = Hull(here, SpotSight(to % kTilesPerRow, to / kTilesPerRow));
        if (hulls.insert({h.x0, h.x1, h.y0, h.y1}).second) sights.push_back(h);
      }
      if (!seen[to]) {
        seen[to] = true;
        open.push_back(to);
      }
    };
    for (int to : moves.From(at % kTilesPerRow, at / kTilesPerRow)) go(to, true);
    for (const Link& l : links) {
      if (SpotIndex(l.from) == at) go(SpotIndex(l.to), l.both_ways);
      if (l.both_ways && SpotIndex(l.to) == at) go(SpotIndex(l.from), true);
    }
  }
  return sights;
}

// Views are checked a band of 16 camera x positions at a time: band k holds x 16k - 4 .. 16k + 11,
// so that each spot's views fall in one band.
int Band(int camera_x) { return (camera_x + 4) / kTileSize; }
int BandLeft(int band) { return std::max(0, band * kTileSize - 4); }
int BandRight(int band) { return std::min(kCameraRight, band * kTileSize + 11); }

// Whether layer 0 (at half the camera's speed sideways) draws a tile behind every pixel of the
// world's cell (col, row) for every camera x from `left` to `right`: the pixel at world x shows
// layer 0's x - ceil(camera x / 2).
bool LayerZeroCovers(int col, int row, int left, int right) {
  const int first = FloorDiv(col * kTileSize - (right + 1) / 2, kTileSize);
  const int last = FloorDiv(col * kTileSize + kTileSize - 1 - (left + 1) / 2, kTileSize);
  for (int c = first; c <= last; ++c)
    if (!Drawn(0, (c % kTilesPerRow + kTilesPerRow) % kTilesPerRow, row)) return false;
  return true;
}

// What a fault report says: the map, a camera position that shows the cell, and the cell.
std::string Describe(const char* map, const Sight& s, int x, int col, int row) {
  const int y = std::clamp(row * kTileSize - 232, s.y0, s.y1);
  std::ostringstream out;
  out << map << ": the camera at (" << x << ", " << y << ")";
  if (s.spot < 0)
    out << " (" << s.what << ")";
  else
    out << ", with her " << (s.what ? s.what : "standing at") << " column " << s.spot % kTilesPerRow << ", row "
        << s.spot / kTilesPerRow;
  out << ", shows nothing at column " << col << ", row " << row << " (x " << col * kTileSize << ", y "
      << row * kTileSize << ")";
  return out.str();
}

// Wherever she can stand, every 16 x 16 cell of every screen that the camera can show round her
// (its follow and clamps, the hold-down pan, the scene's fixed view, a scripted pan) holds a tile
// of layers 0 to 3, or lies where the far picture may show (see the kinds of maps above).
TEST_F(MapScreensTest, NoScreenTheCameraShowsLooksPastTheBuiltWorld) {
  for (const MapLook& look : kMapLooks) {
    SCOPED_TRACE(look.map);
    Load(look.map);
    const std::vector<bool> far_picture = FarPictureMayShow(look);
    std::vector<bool> shown(kTilesPerLayer);
    for (int i = 0; i < kTilesPerLayer; ++i)
      shown[i] = far_picture[i] || Drawn(1, i % kTilesPerRow, i / kTilesPerRow) ||
                 Drawn(2, i % kTilesPerRow, i / kTilesPerRow) || Drawn(3, i % kTilesPerRow, i / kTilesPerRow);
    const std::vector<Sight> sights = Sights(look.map);
    ASSERT_FALSE(sights.empty()) << "no place shows this map";
    // Rows of a band seen whole by an earlier range are not looked at again.
    std::vector<std::bitset<kTileRows>> checked(Band(kCameraRight) + 1);
    int faults = 0;
    for (const Sight& s : sights) {
      bool fault = false;
      for (int band = Band(s.x0); band <= Band(s.x1) && !fault; ++band) {
        const int left = std::max(BandLeft(band), s.x0), right = std::min(BandRight(band), s.x1);
        const bool whole_band = left == BandLeft(band) && right == BandRight(band);
        for (int row = s.y0 / kTileSize; row <= (s.y1 + kScreenHeight - 1) / kTileSize && !fault; ++row) {
          if (whole_band && checked[band][row]) continue;
          for (int col = left / kTileSize; col <= (right + kScreenWidth - 1) / kTileSize && !fault; ++col) {
            fault = !shown[row * kTilesPerRow + col] && !LayerZeroCovers(col, row, left, right);
            if (fault && ++faults <= 5) ADD_FAILURE() << Describe(look.map, s, left, col, row);
          }
          if (!fault && whole_band) checked[band][row] = true;
        }
      }
    }
    EXPECT_EQ(faults, 0) << "ranges of views that show past the built world";
  }
}

// ---- pictures in the air -------------------------------------------------------------------------

// A picture meant to hang where nothing drawn touches it, from the list beside the map sources:
// its map and the first tile of its group (the leftmost of its top row).
struct Hanging {
  std::string map;
  int col, row;
};

std::vector<Hanging> ReadHangingList() {
  std::ifstream in(std::string(TOVIA_SOURCE_DIR) + "/assets/maps/hanging.list");
  EXPECT_TRUE(in) << "assets/maps/hanging.list cannot be read";
  std::vector<Hanging> list;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    Hanging h;
    std::istringstream words(line);
    EXPECT_TRUE(words >> h.map >> h.col >> h.row) << "hanging.list: a line without map, column and row: " << line;
    list.push_back(h);
  }
  return list;
}

// The tile of layer 0 behind the world's cell (col, row) when the view is centred on it.
bool BackWallBehind(int col, int row) {
  const int camera_x = std::clamp(col * kTileSize + kTileSize / 2 - kScreenWidth / 2, 0, kCameraRight);
  const int x = col * kTileSize + kTileSize / 2 - (camera_x + 1) / 2;
  return Drawn(0, x / kTileSize, row);
}

// The groups of tiles of layers 1 and 3 (cells joined side by side, either layer) that touch
// nothing drawn: no drawn tile of layer 2 lies on or beside any of their cells and, where layer 0
// is the rooms' back wall, it is not drawn behind all of them. Each group as its first tile and
// its size.
std::vector<std::tuple<int, int, int>> DetachedGroups(const MapLook& look) {
  auto front = [](int col, int row) { return Drawn(1, col, row) || Drawn(3, col, row); };
  auto terrain = [](int col, int row) {
    return col >= 0 && row >= 0 && col < kTilesPerRow && row < kTileRows && Drawn(kCollisionLayer, col, row);
  };
  std::vector<std::tuple<int, int, int>> groups;
  std::vector<bool> seen(kTilesPerLayer, false);
  for (int start = 0; start < kTilesPerLayer; ++start) {
    if (seen[start] || !front(start % kTilesPerRow, start / kTilesPerRow)) continue;
    seen[start] = true;
    std::vector<int> open = {start};
    int size = 0;
    bool touches = false, on_wall = look.back_wall;
    while (!open.empty()) {
      const int col = open.back() % kTilesPerRow, row = open.back() / kTilesPerRow;
      open.pop_back();
      ++size;
      on_wall = on_wall && BackWallBehind(col, row);
      const int near[5][2] = {{col, row}, {col - 1, row}, {col + 1, row}, {col, row - 1}, {col, row + 1}};
      for (const auto& n : near) {
        touches = touches || terrain(n[0], n[1]);
        if (n[0] < 0 || n[1] < 0 || n[0] >= kTilesPerRow || n[1] >= kTileRows) continue;
        const int i = n[1] * kTilesPerRow + n[0];
        if (!seen[i] && front(n[0], n[1])) {
          seen[i] = true;
          open.push_back(i);
        }
      }
    }
    if (!touches && !on_wall) groups.emplace_back(start % kTilesPerRow, start / kTilesPerRow, size);
  }
  return groups;
}

// Decoration stands on floors, hangs from ceilings, or lies on a wall: a group of tiles of layers 1
// and 3 that touches nothing drawn hangs in the air, unless the list names it as meant to hang.
// Every entry of the list still names such a group.
TEST_F(MapScreensTest, NoPictureHangsInTheAirUnlessListed) {
  const std::vector<Hanging> list = ReadHangingList();
  std::vector<bool> used(list.size(), false);
  for (const MapLook& look : kMapLooks) {
    SCOPED_TRACE(look.map);
    Load(look.map);
    for (const auto& [col, row, size] : DetachedGroups(look)) {
      bool listed = false;
      for (size_t i = 0; i < list.size(); ++i)
        if (list[i].map == look.map && list[i].col == col && list[i].row == row) listed = used[i] = true;
      EXPECT_TRUE(listed) << look.map << ": " << size << " tiles from column " << col << ", row " << row
                          << " touch nothing drawn";
    }
  }
  for (size_t i = 0; i < list.size(); ++i)
    EXPECT_TRUE(used[i]) << "hanging.list names " << list[i].map << " " << list[i].col << " " << list[i].row
                         << ", where no group hangs";
}

// The decorations that the map places as actors and that hang on a wall (the torches, the
// consoles' lights, the warning lights; one cell each) have a wall behind them: a tile of layer 1
// (a wall, a pillar), or the rooms' back wall of layer 0 where the map has one. Drawn on the far
// picture they would hang in the air, and sway against it as the view scrolls.
TEST_F(MapScreensTest, EveryWallDecorationHangsOnAWall) {
  constexpr uint32_t kWallDecorations[] = {91, 118, 119};
  for (const MapLook& look : kMapLooks) {
    SCOPED_TRACE(look.map);
    Load(look.map);
    for (int row = 0; row < kTileRows; ++row)
      for (int col = 0; col < kTilesPerRow; ++col) {
        const uint32_t group = Tile(kEventLayer, col, row);
        if (std::find(std::begin(kWallDecorations), std::end(kWallDecorations), group) == std::end(kWallDecorations))
          continue;
        EXPECT_TRUE(Drawn(1, col, row) || (look.back_wall && BackWallBehind(col, row)))
            << look.map << ": group " << group << " at column " << col << ", row " << row << " hangs on nothing";
      }
  }
}

}  // namespace
