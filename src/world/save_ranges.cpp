#include "world/save_ranges.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/resources.h"
#include "platform/utils.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

// ---- ranges of numbers --------------------------------------------------------------------------

template <typename T>
bool InRange(T value, int64_t low, int64_t high) {
  return static_cast<int64_t>(value) >= low && static_cast<int64_t>(value) <= high;
}

template <typename T>
void Clamp(T& value, int64_t low, int64_t high) {
  value = static_cast<T>(std::clamp(static_cast<int64_t>(value), low, high));
}

bool IsSingleBit(uint32_t v) { return CountBits(v) == 1; }

// ---- the rules ----------------------------------------------------------------------------------

// One field's range: whether the field lies in it, and what brings it there.
struct Rule {
  const char* field;
  bool (*holds)(SaveBlock& b);
  void (*bring)(SaveBlock& b);
};

// A number between two bounds, which may be other fields of the block.
#define RANGE(member, low, high)                                           \
  Rule {                                                                   \
    #member, [](SaveBlock& b) { return InRange(b.member, (low), (high)); }, \
        [](SaveBlock& b) { Clamp(b.member, (low), (high)); }                \
  }
// Every element of an array between two bounds.
#define EACH_IN_RANGE(member, low, high)                                           \
  Rule {                                                                           \
    #member,                                                                       \
        [](SaveBlock& b) {                                                         \
          for (auto v : b.member)                                                  \
            if (!InRange(v, (low), (high))) return false;                          \
          return true;                                                             \
        },                                                                         \
        [](SaveBlock& b) {                                                         \
          for (auto& v : b.member) Clamp(v, (low), (high));                        \
        }                                                                          \
  }
// A field that has one value in every save play writes.
#define FIXED(member, value)                                  \
  Rule {                                                      \
    #member, [](SaveBlock& b) { return b.member == (value); }, \
        [](SaveBlock& b) { b.member = (value); }               \
  }

// ---- texts and pictures ----

template <size_t N>
bool Terminated(const char (&text)[N]) {
  return std::memchr(text, '\0', N) != nullptr;
}

#define TERMINATED(member)                                     \
  Rule {                                                       \
    #member, [](SaveBlock& b) { return Terminated(b.member); }, \
        [](SaveBlock& b) { b.member[sizeof b.member - 1] = '\0'; } \
  }

// A bitmap of the resources, or -1 for none.
bool IsBitmap(int32_t id) {
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  return id == -1 || res::Find(res::Kind::Bitmap, id, bytes, size);
}

#define BITMAPS(member)                      \
  Rule {                                     \
    #member,                                 \
        [](SaveBlock& b) {                   \
          for (int32_t id : b.member)        \
            if (!IsBitmap(id)) return false; \
          return true;                       \
        },                                   \
        [](SaveBlock& b) {                   \
          for (int32_t& id : b.member)       \
            if (!IsBitmap(id)) id = -1;      \
        }                                    \
  }

// ---- the buttons ----

// The directions and the button of no function keep their bits: no option reassigns them, and a
// direction on another bit would lock the menus. The other functions take what the joypad's list
// can assign: the bit of one joystick button (16 for the first up to 1 << 19 for the sixteenth).
constexpr uint32_t kFirstJoystickBit = 16, kLastJoystickBit = 1u << 19;

bool ButtonBitHolds(int entry, uint32_t bit) {
  if (entry <= kButtonRight || entry == kButtonSpare) return bit == DefaultButtonBit(entry);
  return IsSingleBit(bit) && bit >= kFirstJoystickBit && bit <= kLastJoystickBit;
}

const Rule kButtonRule = {
    "ButtonBits",
    [](SaveBlock& b) {
      for (int i = 0; i < kButtonCount; ++i)
        if (!ButtonBitHolds(i, b.ButtonBits[i])) return false;
      return true;
    },
    [](SaveBlock& b) {
      for (int i = 0; i < kButtonCount; ++i)
        if (!ButtonBitHolds(i, b.ButtonBits[i])) b.ButtonBits[i] = DefaultButtonBit(i);
    }};

// ---- the step machines on SceneVars ----

// A step that its machine does not know would leave it waiting for a step that cannot come: the
// loaded game starts that machine over.
#define KNOWN_STEP(member, known)                          \
  Rule {                                                   \
    #member, [](SaveBlock& b) { return known(b.member); }, \
        [](SaveBlock& b) { b.member = 0; }                 \
  }

// ---- the heroine's progression ----

// The equipped item of a row and the special item chosen: 0, or one item of the row's chain
// (bits 0..13) that she owns. Another value keeps the lowest owned item of it, else nothing.
constexpr uint32_t kItemChain = (1u << 14) - 1;

bool IsOwnedItem(uint32_t selected, uint32_t owned) {
  return selected == 0 || (IsSingleBit(selected) && (selected & kItemChain & owned) == selected);
}
uint32_t OwnedItemOf(uint32_t selected, uint32_t owned) {
  const uint32_t held = selected & kItemChain & owned;
  return held & (~held + 1);
}

#define OWNED_ITEM(selected, owned)                                          \
  Rule {                                                                     \
    #selected, [](SaveBlock& b) { return IsOwnedItem(b.selected, b.owned); }, \
        [](SaveBlock& b) { b.selected = OwnedItemOf(b.selected, b.owned); }   \
  }

// Attack, defence and efficiency follow from the level, the equipment and the spells.
PlayerStatsRecord Recalculated(const PlayerStatsRecord& p) {
  PlayerStatsRecord r = p;
  RecalcHeroineStats(r);
  return r;
}
const Rule kFightingValuesRule = {
    "PlayerStats.Attack, Defense and Efficiency",
    [](SaveBlock& b) {
      const PlayerStatsRecord r = Recalculated(b.PlayerStats);
      return r.Attack == b.PlayerStats.Attack && r.Defense == b.PlayerStats.Defense &&
             r.Efficiency == b.PlayerStats.Efficiency;
    },
    [](SaveBlock& b) { RecalcHeroineStats(b.PlayerStats); }};

// The longest a spell's timer runs: BODY ROCK's first level and REPULSIVE FORCE's reload.
constexpr int32_t kLongestSpellTimer = 128;
constexpr int32_t kHighestSpellLevel = 8;
constexpr int32_t kLastBagItem = 8;
constexpr int32_t kLastEquipPage = kCategorySpecialItems;

// ---- the story ----

// The boss's call (guide talk 526, flag 13 of bank 0) is heard only in the fight that its defeat
// ends (flag 110 of bank 1, which opens the exit room's doors): she cannot save between the two.
// Heard without the defeat, the boss would never come and the doors would stay shut.
constexpr int kBossCallHeard = 526 - 513, kBossDefeated = 110;

const Rule kBossCallRule = {
    "FlagBanks: the boss's call heard without its defeat",
    [](SaveBlock& b) {
      return GetFlag(b.FlagBanks, 0, kBossCallHeard) == 0 || GetFlag(b.FlagBanks, 1, kBossDefeated) != 0;
    },
    [](SaveBlock& b) { SetFlag(b.FlagBanks, 0, kBossCallHeard, 0); }};

// ---- the return point ---------------------------------------------------------------------------

// The save room's door stores where she stood: facing right, the camera following her, standing
// on a floor (her motion number 0 with the scene's friction bits), the event layer not drawn.
constexpr int32_t kStandingMotion = 0x1500;
constexpr uint32_t kShrineDoor = 162;  // the field event that takes her into the save room

// Her body's box standing at (x, y), as the standing frame sets it.
struct Body {
  int64_t left, top, right, bottom;
};
Body StandingBody(int64_t x, int64_t y) {
  const int f = GetHeroineAnimFrame(kHeroineStandAnim);
  const int64_t left = x + GetHeroineBoxParam('x', f), top = y + GetHeroineBoxParam('y', f);
  return {left, top, left + GetHeroineBoxParam('X', f), top + GetHeroineBoxParam('Y', f)};
}

struct Place {
  int32_t x, y;
};

constexpr int kScreenWidth = 640, kScreenHeight = 480;

// A map's tiles, read for its shrines' doors.
uint32_t map_tiles[kTileCount];

uint32_t TileAt(int64_t x, int64_t y, int layer) {
  return map_tiles[layer * kTilesPerLayer + (y / kTileSize) * kTilesPerRow + x / kTileSize];
}

// She stands at (x, y) in front of a shrine's door of the map in map_tiles: her body inside the
// world and free of the walls, the top of a floor one pixel under its bottom, and the door's
// number where her check for Up looks (the middle of her body's bottom row).
bool StandsAtShrineDoor(int64_t x, int64_t y) {
  const Body body = StandingBody(x, y);
  const int64_t floor = body.bottom + 1;
  if (body.left < 0 || body.top < 0 || body.right > kTilesPerRow * kTileSize || floor >= kTileRows * kTileSize ||
      floor % kTileSize != 0)
    return false;
  const int64_t middle = body.left + (body.right - body.left) / 2;
  if (TileAt(middle, body.bottom - 1, kEventLayer) != kShrineDoor) return false;
  if (TileAt(middle, floor, kCollisionLayer) == 0) return false;
  for (int64_t y0 = body.top; y0 < floor; y0 += kTileSize)
    for (int64_t x0 = body.left; x0 < body.right + kTileSize - 1; x0 += kTileSize)
      if (TileAt(std::min(x0, body.right - 1), std::min(y0, body.bottom), kCollisionLayer) != 0) return false;
  return true;
}

// The places before the shrines' doors of one state of a map file: every place where she stands
// with the middle of her body over a tile of a door.
struct ShrineMap {
  std::string version;  // FileVersion of the file as it was read
  bool readable = false;
  std::vector<Place> places;
};

ShrineMap ReadShrineMap(const char* path, const std::string& version) {
  ShrineMap map{version, ReadMapFile(path, map_tiles) == 0, {}};
  if (!map.readable) return map;
  // From her position to the middle of her body, and to the top of the floor under her.
  const Body at_origin = StandingBody(0, 0);
  const int to_middle = static_cast<int>(at_origin.left + (at_origin.right - at_origin.left) / 2);
  const int to_floor = static_cast<int>(at_origin.bottom + 1);
  for (int row = 0; row < kTileRows; ++row)
    for (int col = 0; col < kTilesPerRow; ++col) {
      if (TileAt(col * kTileSize, row * kTileSize, kEventLayer) != kShrineDoor) continue;
      for (int dx = 0; dx < kTileSize; ++dx) {
        const Place p = {col * kTileSize + dx - to_middle, (row + 1) * kTileSize - to_floor};
        if (StandsAtShrineDoor(p.x, p.y)) map.places.push_back(p);
      }
    }
  return map;
}

// A map's shrines, read once for each state of its file (a load reads the same few maps again
// and again). nullptr when the file cannot be found.
const ShrineMap* ShrinesOf(const char* path) {
  static std::deque<ShrineMap> known;  // what it hands out stays where it is
  const std::string version = FileVersion(path);
  if (version.empty()) return nullptr;
  for (const ShrineMap& m : known)
    if (m.version == version) return &m;
  known.push_back(ReadShrineMap(path, version));
  return &known.back();
}

bool StandsAtAny(const std::vector<Place>& places, int32_t x, int32_t y) {
  return std::any_of(places.begin(), places.end(), [&](const Place& p) { return p.x == x && p.y == y; });
}

Place NearestPlace(const std::vector<Place>& places, int32_t x, int32_t y) {
  const auto distance = [&](const Place& p) { return std::llabs(int64_t{p.x} - x) + std::llabs(int64_t{p.y} - y); };
  return *std::min_element(places.begin(), places.end(),
                           [&](const Place& a, const Place& c) { return distance(a) < distance(c); });
}

// The scene table's row for the stored map, when it names one of the table's maps.
bool RowOfMap(const char* map, SceneNames& names) {
  for (int i = 0; SceneMapNames(i, names); ++i)
    if (std::strncmp(names.map, map, sizeof SavedPosition.MapPath) == 0) return true;
  return false;
}

// Play stores the world name and sheets of a scene of the stored map with it.
bool NamesMatchTheScene(const SavedPositionRecord& p) {
  SceneNames row;
  bool known = false;
  for (int i = 0; SceneMapNames(i, row); ++i) {
    if (std::strncmp(row.map, p.MapPath, sizeof p.MapPath) != 0) continue;
    known = true;
    if (std::strncmp(row.world, p.WorldName, sizeof p.WorldName) == 0 &&
        std::equal(std::begin(p.SheetIds), std::end(p.SheetIds), row.sheets))
      return true;
  }
  return !known;
}

void NameAfterScene(SavedPositionRecord& p, const SceneNames& row) {
  std::memset(p.MapPath, 0, sizeof p.MapPath);
  std::memset(p.WorldName, 0, sizeof p.WorldName);
  std::strncpy(p.MapPath, row.map, sizeof p.MapPath - 1);
  std::strncpy(p.WorldName, row.world, sizeof p.WorldName - 1);
  std::copy(row.sheets, row.sheets + 5, p.SheetIds);
}

// The map holds a shrine: the stored map, or, for a map without one, the first of the scene
// table's maps that holds one (the only maps whose shrines play can store).
const Rule kReturnMapRule = {
    "SavedPosition.MapPath",
    [](SaveBlock& b) {
      const ShrineMap* map = ShrinesOf(b.SavedPosition.MapPath);
      // A map that cannot be read shows the fatal error scene when she leaves the save room.
      if (map == nullptr || !map->readable) return true;
      return !map->places.empty() && NamesMatchTheScene(b.SavedPosition);
    },
    [](SaveBlock& b) {
      SavedPositionRecord& p = b.SavedPosition;
      const ShrineMap* map = ShrinesOf(p.MapPath);
      SceneNames row;
      if (map != nullptr && map->readable && !map->places.empty()) {
        if (!NamesMatchTheScene(p) && RowOfMap(p.MapPath, row)) NameAfterScene(p, row);
        return;
      }
      for (int i = 0; SceneMapNames(i, row); ++i) {
        const ShrineMap* m = ShrinesOf(row.map);
        if (m != nullptr && m->readable && !m->places.empty()) return NameAfterScene(p, row);
      }
    }};

// Her body inside the world, for a map that cannot be read.
bool InsideTheWorld(int32_t x, int32_t y) {
  const Body body = StandingBody(x, y);
  return body.left >= 0 && body.top >= 0 && body.right <= kTilesPerRow * kTileSize &&
         body.bottom <= kTileRows * kTileSize;
}

// A stored place where she stands before a shrine's door is kept; any other takes the nearest
// such place of the map, and the camera is put where its follow would put it.
const Rule kReturnPlaceRule = {
    "SavedPosition.HeroX and HeroY",
    [](SaveBlock& b) {
      const SavedPositionRecord& p = b.SavedPosition;
      const ShrineMap* map = ShrinesOf(p.MapPath);
      if (map == nullptr || !map->readable || map->places.empty()) return InsideTheWorld(p.HeroX, p.HeroY);
      return StandsAtAny(map->places, p.HeroX, p.HeroY);
    },
    [](SaveBlock& b) {
      SavedPositionRecord& p = b.SavedPosition;
      const ShrineMap* map = ShrinesOf(p.MapPath);
      if (map == nullptr || !map->readable || map->places.empty()) {
        const Body at_origin = StandingBody(0, 0);
        Clamp(p.HeroX, -at_origin.left, kTilesPerRow * kTileSize - at_origin.right);
        Clamp(p.HeroY, -at_origin.top, kTileRows * kTileSize - at_origin.bottom);
        return;
      }
      const Place place = NearestPlace(map->places, p.HeroX, p.HeroY);
      p.HeroX = place.x;
      p.HeroY = place.y;
      const Body body = StandingBody(p.HeroX, p.HeroY);
      // Where the camera's follow puts her on a floor: in the middle, 200 pixels below the top.
      p.CameraX = static_cast<int32_t>(body.left + (body.right - body.left) / 2 - kScreenWidth / 2);
      p.CameraY = p.HeroY - 200;
    }};

constexpr int64_t kLastCameraX = kTilesPerRow * kTileSize - kScreenWidth;
constexpr int64_t kLastCameraY = kTileRows * kTileSize - kScreenHeight;

// ---- the table ----------------------------------------------------------------------------------

// In the order that the fields depend on one another: the level before the maxima that follow
// from it and the points below them; the equipment and the spells before the fighting values;
// the return point's map before her place on it, and her place before the camera.
const Rule kRules[] = {
    TERMINATED(MapPath),
    TERMINATED(WorldName),
    TERMINATED(SavedPosition.MapPath),
    TERMINATED(SavedPosition.WorldName),
    kButtonRule,
    BITMAPS(SceneBitmapIds),
    KNOWN_STEP(SceneVars[0], IsKnownMenuState),
    KNOWN_STEP(SceneVars[1], IsKnownErrorSceneStep),
    KNOWN_STEP(SceneVars[2], IsKnownSceneStep),
    RANGE(SceneVars[9], 0, kCameraHoldFrames),
    RANGE(SceneVars[32], -10000, 0),  // the effects' volume
    RANGE(SceneVars[33], 0, 127),     // the music's volume
    RANGE(HazardCount, 0, 64),
    RANGE(PlayerStats.Coins, 0, 99),
    RANGE(PlayerStats.Level, 1, kMaxLevel),
    RANGE(PlayerStats.Exp, 0, kExpCap),
    RANGE(PlayerStats.Money, 0, kMoneyCap),
    FIXED(PlayerStats.MaxHp, MaxHpForLevel(b.PlayerStats.Level)),
    FIXED(PlayerStats.MaxMp, MaxMpForLevel(b.PlayerStats.Level)),
    RANGE(PlayerStats.Hp, 1, b.PlayerStats.MaxHp),
    RANGE(PlayerStats.Mp, 0, b.PlayerStats.MaxMp),
    EACH_IN_RANGE(PlayerStats.SpellLevel, 0, kHighestSpellLevel),
    EACH_IN_RANGE(PlayerStats.SpellTimer, 0, kLongestSpellTimer),
    EACH_IN_RANGE(PlayerStats.Bag, 0, kLastBagItem),
    RANGE(PlayerStats.BagCursor, 0, kBagSlots - 1),
    RANGE(PlayerStats.EquipPage, 0, kLastEquipPage),
    OWNED_ITEM(PlayerStats.EquippedRing, PlayerStats.OwnedRings),
    OWNED_ITEM(PlayerStats.EquippedChoker, PlayerStats.OwnedChokers),
    OWNED_ITEM(PlayerStats.EquippedPendant, PlayerStats.OwnedPendants),
    OWNED_ITEM(PlayerStats.EquippedMagicTool, PlayerStats.OwnedMagicTools),
    OWNED_ITEM(PlayerStats.SelectedSpecialItem, PlayerStats.OwnedSpecialItems),
    kFightingValuesRule,
    kBossCallRule,
    FIXED(SavedPosition.Group, kHeroineGroup),
    FIXED(SavedPosition.FaceX, 1),
    FIXED(SavedPosition.FaceY, 0),
    FIXED(SavedPosition.CameraTarget, kHeroineGroup),
    FIXED(SavedPosition.Motion, kStandingMotion),
    FIXED(SavedPosition.EventLayerEnabled, 0),
    BITMAPS(SavedPosition.SheetIds),
    kReturnMapRule,
    kReturnPlaceRule,
    RANGE(SavedPosition.CameraX, 0, kLastCameraX),
    RANGE(SavedPosition.CameraY, 0, kLastCameraY),
};

#undef RANGE
#undef EACH_IN_RANGE
#undef FIXED
#undef TERMINATED
#undef BITMAPS
#undef KNOWN_STEP
#undef OWNED_ITEM

}  // namespace

void BringSaveIntoRange(SaveBlock& block) {
  for (const Rule& rule : kRules)
    if (!rule.holds(block)) rule.bring(block);
}

const char* SaveFieldOutOfRange(const SaveBlock& block) {
  static SaveBlock copy;
  copy = block;
  for (const Rule& rule : kRules)
    if (!rule.holds(copy)) return rule.field;
  return nullptr;
}
