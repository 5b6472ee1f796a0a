#include "world/save_ranges.h"

#include <algorithm>
#include <compare>
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

constexpr int kSpellSlots = sizeof PlayerStatsRecord::SpellLevel / sizeof(int32_t);

// A spell slot as casting and the upkeep leave it: a level up to the one casting raises the slot
// to (none for the slots no magic tool casts), and a timer that counts down from its reload at
// that level; a slot whose spell is off has its timer at 0.
bool SpellSlotHolds(const PlayerStatsRecord& p, int slot) {
  const int32_t level = p.SpellLevel[slot], timer = p.SpellTimer[slot];
  if (level < 0 || level > SpellLevelCap(slot)) return false;
  return level == 0 ? timer == 0 : timer >= 0 && timer <= SpellReload(slot, level);
}
void BringSpellSlot(PlayerStatsRecord& p, int slot) {
  int32_t& level = p.SpellLevel[slot];
  Clamp(level, 0, SpellLevelCap(slot));
  if (level == 0) {
    p.SpellTimer[slot] = 0;
  } else {
    Clamp(p.SpellTimer[slot], 0, SpellReload(slot, level));
  }
}

const Rule kSpellsRule = {
    "PlayerStats.SpellLevel and SpellTimer",
    [](SaveBlock& b) {
      for (int slot = 0; slot < kSpellSlots; ++slot)
        if (!SpellSlotHolds(b.PlayerStats, slot)) return false;
      return true;
    },
    [](SaveBlock& b) {
      for (int slot = 0; slot < kSpellSlots; ++slot) BringSpellSlot(b.PlayerStats, slot);
    }};

// The bag holds the consumables' ids; any other number is an empty slot.
constexpr uint32_t kLastBagItem = 8;
const Rule kBagRule = {"PlayerStats.Bag",
                       [](SaveBlock& b) {
                         return std::all_of(std::begin(b.PlayerStats.Bag), std::end(b.PlayerStats.Bag),
                                            [](uint32_t id) { return id <= kLastBagItem; });
                       },
                       [](SaveBlock& b) {
                         for (uint32_t& id : b.PlayerStats.Bag)
                           if (id > kLastBagItem) id = 0;
                       }};

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

// The save room's door stores the map she took it on with its names, the camera, her position and
// her Motion word; she faces right, the camera follows her and the event layer is not drawn.
constexpr uint32_t kShrineDoor = 162;  // the field event that takes her into the save room

// Her body's box in one of her frames at (x, y).
struct Body {
  int64_t left, top, right, bottom;
};
Body BodyAt(int frame, int64_t x, int64_t y) {
  const int64_t left = x + GetHeroineBoxParam('x', frame), top = y + GetHeroineBoxParam('y', frame);
  return {left, top, left + GetHeroineBoxParam('X', frame), top + GetHeroineBoxParam('Y', frame)};
}
int StandingFrame() { return GetHeroineAnimFrame(kHeroineStandAnim); }

// A place the door stores: her position and her motion number there.
struct Place {
  int32_t x, y, motion;
  auto operator<=>(const Place&) const = default;
};

constexpr int kScreenWidth = 640, kScreenHeight = 480;
constexpr int64_t kWorldWidth = int64_t{kTilesPerRow} * kTileSize, kWorldHeight = int64_t{kTileRows} * kTileSize;

// A map's tiles, read for its shrines' doors.
uint32_t map_tiles[kTileCount];

uint32_t TileAt(int64_t x, int64_t y, int layer) {
  return map_tiles[layer * kTilesPerLayer + (y / kTileSize) * kTilesPerRow + x / kTileSize];
}

// A wall tile in the rectangle from (left, top) to (right, bottom), both inclusive.
bool AnyWall(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  for (int64_t y = top; y < bottom + kTileSize; y += kTileSize)
    for (int64_t x = left; x < right + kTileSize; x += kTileSize)
      if (TileAt(std::min(x, right), std::min(y, bottom), kCollisionLayer) != 0) return true;
  return false;
}

// Her body inside the world with nothing solid in it or between it and the floor whose top is the
// row `floor`, and that floor under it where her floor probe looks: somewhere under her body.
bool FreeOverFloor(const Body& body, int64_t floor) {
  if (body.left < 0 || body.top < 0 || body.right > kWorldWidth || floor >= kWorldHeight) return false;
  return !AnyWall(body.left, body.top, body.right - 1, floor - 1) &&
         AnyWall(body.left, floor, body.right - 1, floor);
}

// The frames she can show on the frame Up takes her in: the stand and the walk cycle on the floor,
// and the air frame she lands in.
std::vector<int> FramesAtTheDoor() {
  std::vector<int> frames = {GetHeroineAnimFrame(kHeroineAirAnim)};
  for (int cursor = kHeroineStandAnim; GetHeroineAnimFrame(cursor) != -1; ++cursor)
    frames.push_back(GetHeroineAnimFrame(cursor));
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

// The farthest a frame moves her along: her walking speed at the highest CLOCK UP a cast reaches.
int FastestFrameMove() {
  int fastest = 0;
  for (int32_t level = 0; level <= SpellLevelCap(kSpellClockUp); ++level)
    fastest = std::max(fastest, HeroineWalkSpeedAt(level));
  return fastest;
}

// What one state of a map file lets the door store, and where a mended return point puts her:
// standing with the middle of her body over a tile of a shrine's door.
struct ShrineMap {
  std::string version;  // FileVersion of the file as it was read
  bool readable = false;
  std::vector<Place> places;    // sorted
  std::vector<Place> standing;  // where the mend puts her
};

// The places the door stores in front of one tile of it, from her step on the frame Up takes her
// in. Her door check reads the event layer where the frame's move takes her: the middle of her
// body moved by the move across, on her body's bottom row moved by the move down. A door there
// stops her where she stands, and the door's event stores that place on the next frame. So she is
// stored on the floor before the door, or short of it by a frame's move: walking either way (at
// CLOCK UP's speed at the most) or sliding to a stop after a walk, which moves her less. And on
// the frame she lands: the floor lies within that frame's fall (kHeroineFallCap at the most), her
// check reads the row above it as it does on the floor, and stopped there she is stored above the
// floor by what she still had to fall, falling. (She can also take a door while riding a solid
// actor; no map carries her past a shrine's door.) The places where she stands still with her
// middle over the tile are also where a mend puts her.
void AddPlacesBefore(int col, int row, ShrineMap& map) {
  const int64_t floor = int64_t{row + 1} * kTileSize;  // the check reads the row above it
  const int reach = FastestFrameMove();
  for (int frame : FramesAtTheDoor()) {
    const Body at_origin = BodyAt(frame, 0, 0);
    const int64_t to_middle = at_origin.left + (at_origin.right - at_origin.left) / 2;
    for (int64_t checked = int64_t{col} * kTileSize; checked < int64_t{col + 1} * kTileSize; ++checked)
      for (int move = -reach; move <= reach; ++move)
        for (int fall = 0; fall <= kHeroineFallCap; ++fall) {
          const int64_t x = checked - to_middle - move, y = floor - 1 - at_origin.bottom - fall;
          if (!FreeOverFloor(BodyAt(frame, x, y), floor)) continue;
          const Place place = {static_cast<int32_t>(x), static_cast<int32_t>(y),
                               fall == 0 ? kHeroineOnGround : kHeroineFalling};
          map.places.push_back(place);
          if (frame == StandingFrame() && move == 0 && fall == 0) map.standing.push_back(place);
        }
  }
}

ShrineMap ReadShrineMap(const char* path, const std::string& version) {
  ShrineMap map{version, ReadMapFile(path, map_tiles) == 0, {}, {}};
  if (!map.readable) return map;
  for (int row = 0; row < kTileRows; ++row)
    for (int col = 0; col < kTilesPerRow; ++col)
      if (TileAt(int64_t{col} * kTileSize, int64_t{row} * kTileSize, kEventLayer) == kShrineDoor)
        AddPlacesBefore(col, row, map);
  std::sort(map.places.begin(), map.places.end());
  map.places.erase(std::unique(map.places.begin(), map.places.end()), map.places.end());
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

// A map with a shrine's door to store a place before.
bool HasShrine(const ShrineMap* map) { return map != nullptr && map->readable && !map->standing.empty(); }

Place NearestPlace(const std::vector<Place>& places, int32_t x, int32_t y) {
  const auto distance = [&](const Place& p) { return std::llabs(int64_t{p.x} - x) + std::llabs(int64_t{p.y} - y); };
  return *std::min_element(places.begin(), places.end(),
                           [&](const Place& a, const Place& c) { return distance(a) < distance(c); });
}

// The scene table's spelling of a map, when the stored path names the file of one of the table's
// maps, however it is spelled (".\Data\L001CAVE.MDT", "Data/l001cave.mdt ", "./Data/./L001CAVE.MDT",
// a way up a folder and back, the folder's absolute path: all name the cave's file); nullptr
// otherwise. The presets and every comparison by name take the table's spelling.
const char* TableSpelling(const char* map) {
  SceneNames row;
  for (int i = 0; SceneMapNames(i, row); ++i)
    if (SameFile(map, row.map)) return row.map;
  return nullptr;
}
bool SpelledAsTheTable(const char* map) {
  const char* table = TableSpelling(map);
  return table == nullptr || std::strncmp(table, map, sizeof SavedPosition.MapPath) == 0;
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
  CopyName(p.MapPath, row.map);
  CopyName(p.WorldName, row.world);
  std::copy(row.sheets, row.sheets + 5, p.SheetIds);
}

// The map is spelled as the scene table spells it and holds a shrine: the stored map, or, for a
// map without one, the first of the scene table's maps that holds one (the only maps whose shrines
// play can store).
const Rule kReturnMapRule = {
    "SavedPosition.MapPath",
    [](SaveBlock& b) {
      if (!SpelledAsTheTable(b.SavedPosition.MapPath)) return false;
      const ShrineMap* map = ShrinesOf(b.SavedPosition.MapPath);
      // A map that cannot be read shows the fatal error scene when she leaves the save room.
      if (map == nullptr || !map->readable) return true;
      return HasShrine(map) && NamesMatchTheScene(b.SavedPosition);
    },
    [](SaveBlock& b) {
      SavedPositionRecord& p = b.SavedPosition;
      if (const char* table = TableSpelling(p.MapPath)) CopyName(p.MapPath, table);
      const ShrineMap* map = ShrinesOf(p.MapPath);
      if (map == nullptr || !map->readable) return;
      SceneNames row;
      if (HasShrine(map)) {
        if (!NamesMatchTheScene(p) && RowOfMap(p.MapPath, row)) NameAfterScene(p, row);
        return;
      }
      for (int i = 0; SceneMapNames(i, row); ++i)
        if (HasShrine(ShrinesOf(row.map))) return NameAfterScene(p, row);
    }};

// The Motion word the door stores: the scene's word with her motion number, 0 on the floor or 3
// when she landed. (Her door check clears her keys and their history, so the arm overlays that her
// drawing marks from her last keys are off again before the door stores the word.)
bool IsStoredMotion(int32_t word) {
  return word == (kSceneMotion | kHeroineOnGround) || word == (kSceneMotion | kHeroineFalling);
}

const Rule kReturnMotionRule = {"SavedPosition.Motion",
                                [](SaveBlock& b) { return IsStoredMotion(b.SavedPosition.Motion); },
                                [](SaveBlock& b) { b.SavedPosition.Motion = kSceneMotion; }};

// Her body inside the world, for a map that cannot be read.
bool InsideTheWorld(int32_t x, int32_t y) {
  const Body body = BodyAt(StandingFrame(), x, y);
  return body.left >= 0 && body.top >= 0 && body.right <= kWorldWidth && body.bottom <= kWorldHeight;
}

// A stored place and motion that the door stores are kept; any other takes the nearest place where
// she stands before a shrine's door, standing, and the camera is put where its follow would put it.
const Rule kReturnPlaceRule = {
    "SavedPosition.HeroX and HeroY",
    [](SaveBlock& b) {
      const SavedPositionRecord& p = b.SavedPosition;
      const ShrineMap* map = ShrinesOf(p.MapPath);
      if (!HasShrine(map)) return InsideTheWorld(p.HeroX, p.HeroY);
      return std::binary_search(map->places.begin(), map->places.end(), Place{p.HeroX, p.HeroY, p.Motion & 0xFF});
    },
    [](SaveBlock& b) {
      SavedPositionRecord& p = b.SavedPosition;
      const ShrineMap* map = ShrinesOf(p.MapPath);
      if (!HasShrine(map)) {
        const Body at_origin = BodyAt(StandingFrame(), 0, 0);
        Clamp(p.HeroX, -at_origin.left, kWorldWidth - at_origin.right);
        Clamp(p.HeroY, -at_origin.top, kWorldHeight - at_origin.bottom);
        return;
      }
      const Place place = NearestPlace(map->standing, p.HeroX, p.HeroY);
      p.HeroX = place.x;
      p.HeroY = place.y;
      p.Motion = kSceneMotion;
      const Body body = BodyAt(StandingFrame(), p.HeroX, p.HeroY);
      // Where the camera's follow puts her on a floor: in the middle, 200 pixels below the top.
      p.CameraX = static_cast<int32_t>(body.left + (body.right - body.left) / 2 - kScreenWidth / 2);
      p.CameraY = p.HeroY - 200;
    }};

constexpr int64_t kLastCameraX = kWorldWidth - kScreenWidth;
constexpr int64_t kLastCameraY = kWorldHeight - kScreenHeight;

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
    kSpellsRule,
    kBagRule,
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
    FIXED(SavedPosition.EventLayerEnabled, 0),
    BITMAPS(SavedPosition.SheetIds),
    kReturnMapRule,
    kReturnMotionRule,
    kReturnPlaceRule,
    RANGE(SavedPosition.CameraX, 0, kLastCameraX),
    RANGE(SavedPosition.CameraY, 0, kLastCameraY),
};

#undef RANGE
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
