#include "soak/soak.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "backend/headless/headless.h"
#include "events/event_raise.h"
#include "events/event_tables.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "support/captured_output.h"
#include "support/frame_harness.h"
#include "support/route_driver.h"
#include "support/walkthrough.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

// The bounds, found by soaking and reasoned from what each kind waits for. Without progress: a
// line or a menu waits for the jump or the action key, which the random keys press every few
// dozen frames; the longest waits of a script on its own are far shorter (she crouches for 131
// frames, the title's picture stands for 120, a walk of hers by herself across a screen takes a
// few hundred). So 1,200 frames (20 seconds) without a line closed, a line chosen or a step
// taken is a game that no longer answers. In all: talks and events are a fixed number of lines
// and steps, so a few thousand frames; the menus, the title and the game-over scene stand as
// long as the player keeps choosing in them, so their bound only catches a loop that never lets
// go (the idle bound catches the rest).
const std::array<StandingBound, kStandingKinds> kSoakBounds = {{
    {0, 0},             // nothing stands
    {6000, 1200},       // a talk
    {6000, 1200},       // a guide event
    {6000, 1200},       // a field event
    {30000, 1200},      // the pause menu
    {6000, 1200},       // the fatal error scene
    {12000, 1200},      // the opening
    {30000, 1200},      // the title
    {30000, 1200},      // the game-over scene
}};

const char* StandingName(Standing kind) {
  static constexpr const char* kNames[kStandingKinds] = {
      "nothing", "talk", "guide event", "field event", "pause menu", "error scene", "opening", "title", "game over"};
  return kNames[static_cast<int>(kind)];
}

namespace {

// ---- the random keys ----------------------------------------------------------------------------

struct SoakKey {
  uint8_t vk;
  int weight;
};
// The default keys of the buttons (the arrows, jump and action the most), the menu key and the
// display switch rarely.
constexpr SoakKey kKeys[] = {
    {vk::Left, 30},  {vk::Right, 30}, {vk::Up, 20}, {vk::Down, 20}, {'Z', 30}, {'X', 30}, {'C', 8},
    {'V', 8},        {'A', 5},        {'S', 5},     {'D', 5},       {'F', 5},  {vk::Escape, 2}, {vk::Tab, 1},
};
constexpr int kPressOneIn = 6;          // a new key goes down on one frame in six
constexpr int kUpAtDoorOneIn = 40;      // Up, on a frame she stands where Up starts something
constexpr int kTalkOneIn = 10;          // the action button, on a frame she stands beside a townsperson
constexpr int kMenuOneIn = 120;         // the menu key, on a frame she lies fallen (its load is the way on)
constexpr int kFallenFrames = 600;      // then the player closes the window and starts again
constexpr int kDemoFrames = 832;        // the title's demo, until its menu waits
constexpr int kStalledFrames = 120;     // she has not moved while one way was favoured: a wall stops her
constexpr int kLookRoundFrames = 3000;  // after she came somewhere, before doors draw her

// What the keys heed of where she is.
struct Surroundings {
  bool before_door = false;         // she stands where Up starts a field event
  bool keep_out = false;            // she stands at a door, but is not to go through it yet
  bool beside_townsperson = false;  // the action button would start a talk
  bool fallen = false;              // she has died, and the world runs on
  bool in_control = false;          // the pad moves her: no event holds her
  int x = 0;                        // her position, PosX
};

// Up there starts an event of the field (a door, a sign, a machine, the statue).
bool HasFieldScript(uint32_t number) {
  return number >= 160 && number < static_cast<uint32_t>(kEventNumbers) &&
         !(FieldHandlerOf(static_cast<int32_t>(number)) == FieldRoutine(FieldEventWithoutScript));
}

// The save room's door out.
constexpr uint32_t kSaveRoomWayOut = 163;

// The number of layer 4 under her middle moved by `dx`, in the row above the floor she stands on:
// where her event check reads a field event.
uint32_t NumberUnder(const ActorBox& body, int dx) {
  return GetTile((body.left + body.right) / 2 + dx, body.bottom - 1, kEventLayer);
}

// A townsperson's body widened by 16 pixels on each side overlaps hers: the action button would
// start a talk.
bool BesideTownsperson(const ActorBox& body) {
  for (int g = 2; g < kTalkGroups; ++g) {
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor t(g, s);
      if (t.State() == kActorFree) continue;
      const ActorBox tb = t.BodyBox();
      if (BoxesOverlapLTRB(body.left, body.top, body.right, body.bottom, tb.left - 16, tb.top, tb.right + 16, tb.bottom))
        return true;
    }
  }
  return false;
}

// Looks where she is, as her event check does. A player who has just come somewhere (a door, a
// warp, a load) looks round for most of a minute, pressing Up at no door, and goes back out
// through the one she came in by only once she has stepped off it; the save room, which every
// load comes in through, she leaves without looking round.
class LookOut {
 public:
  Surroundings Look() {
    Surroundings near;
    const Actor h(kHeroineGroup, 0);
    if (SubMode == kSubFieldEvent || std::strncmp(map_, MapPath, sizeof map_) != 0) {
      std::memcpy(map_, MapPath, sizeof map_);
      came_through_ = kNotYetFree;  // a door may take her elsewhere
    }
    if (SubMode != kSubWorld || (h.State() != kActorActive && h.State() != kActorEnding)) return near;
    near.fallen = h.State() == kActorEnding;
    near.in_control = HeroControl == kControlSelf;
    near.x = h.PosX();
    const ActorBox b = h.BodyBox();
    const uint32_t under = NumberUnder(b, 0);
    const int motion = GetHeroineMotion(0);
    const bool standing = motion == kHeroineOnGround || motion == kHeroineRiding;
    if (came_through_ == kNotYetFree) {
      if (!standing) return near;  // still coming down where the door put her
      came_through_ = under;       // the door she came in by, or none
      stepped_off_ = false;
      since_ = 0;
    }
    since_ += 1;
    // At a door, or a step from one: the event check reads where this frame's step takes her.
    const uint32_t numbers[3] = {NumberUnder(b, -kStep), under, NumberUnder(b, kStep)};
    const bool at_door = std::any_of(std::begin(numbers), std::end(numbers), HasFieldScript);
    const bool at_hers = HasFieldScript(came_through_) &&
                         std::find(std::begin(numbers), std::end(numbers), came_through_) != std::end(numbers);
    stepped_off_ = stepped_off_ || !at_hers;
    const bool looking_round = since_ < kLookRoundFrames && came_through_ != kSaveRoomWayOut;
    near.keep_out = at_door && (looking_round || (at_hers && !stepped_off_));
    near.before_door = standing && !near.keep_out && HasFieldScript(under);
    near.beside_townsperson = BesideTownsperson(b);
    return near;
  }

 private:
  static constexpr uint32_t kNotYetFree = UINT32_MAX;  // she has just come: the world is not yet free
  static constexpr int kStep = 8;                      // a step of hers, and more
  char map_[sizeof MapPath] = {};
  uint32_t came_through_ = kNotYetFree;
  bool stepped_off_ = false;
  int since_ = 0;  // frames the world has run since she came
};

class RandomKeys {
 public:
  explicit RandomKeys(uint32_t seed) : rng_(seed) {}

  // The keys held in the next frame.
  std::vector<uint8_t> Next(const Surroundings& near) {
    stalled_ = near.in_control && favoured_ != 0 && near.x == last_x_ ? stalled_ + 1 : 0;
    last_x_ = near.x;
    if (stalled_ > kStalledFrames) {
      TurnAround();
    } else if (--mood_left_ <= 0) {
      NewMood();
    }
    for (Hold& h : held_) h.frames_left -= 1;
    std::erase_if(held_, [](const Hold& h) { return h.frames_left <= 0; });
    if (Roll(kPressOneIn) == 0) {
      const uint8_t vk = PickKey();
      if (!(near.keep_out && vk == vk::Up)) Press(vk, HoldLength(vk == favoured_));
    }
    if (near.before_door && Roll(kUpAtDoorOneIn) == 0) Press(vk::Up, Between(1, 3));
    if (near.beside_townsperson && Roll(kTalkOneIn) == 0) Press('X', Between(1, 3));
    if (near.fallen && Roll(kMenuOneIn) == 0) Press(vk::Escape, 1);
    std::vector<uint8_t> keys;
    for (const Hold& h : held_) keys.push_back(h.vk);
    return keys;
  }

  // Every key up: a new program starts with the player's hands off the keys.
  void LetGo() { held_.clear(); }

  // The frames the player watches the title before pressing anything: up to the whole demo and
  // ten seconds of the menu after it.
  int HandsOff() { return Between(0, kDemoFrames + 600); }

 private:
  struct Hold {
    uint8_t vk;
    int frames_left;
  };

  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // A key not held already goes down for `frames`.
  void Press(uint8_t vk, int frames) {
    if (std::none_of(held_.begin(), held_.end(), [vk](const Hold& h) { return h.vk == vk; })) {
      held_.push_back({vk, frames});
    }
  }

  // A player who explores: for a while one way along the map is favoured (or, now and then,
  // neither), and she walks that way often and long, until a wall stops her.
  void NewMood() {
    mood_left_ = Between(300, 3000);
    const int r = Roll(5);
    favoured_ = r < 2 ? vk::Left : r < 4 ? vk::Right : 0;
  }
  // A wall stops her: the other way is favoured for a while.
  void TurnAround() {
    mood_left_ = Between(300, 3000);
    favoured_ = favoured_ == vk::Left ? vk::Right : vk::Left;
    stalled_ = 0;
  }

  int WeightOf(const SoakKey& k) const { return k.vk == favoured_ ? 4 * k.weight : k.weight; }

  uint8_t PickKey() {
    int total = 0;
    for (const SoakKey& k : kKeys) total += WeightOf(k);
    int r = Roll(total);
    for (const SoakKey& k : kKeys) {
      if (r < WeightOf(k)) return k.vk;
      r -= WeightOf(k);
    }
    return kKeys[0].vk;
  }

  // Mostly taps, often short holds, sometimes a long walk; the favoured way is a long walk half
  // the time.
  int HoldLength(bool favoured) {
    const int kind = Roll(10);
    if (kind < (favoured ? 5 : 1)) return Between(46, 240);
    if (kind < 7) return Between(1, 6);
    return Between(7, 45);
  }

  std::mt19937 rng_;
  std::vector<Hold> held_;
  int mood_left_ = 0;
  uint8_t favoured_ = 0;
  int last_x_ = 0;
  int stalled_ = 0;  // frames she has not moved while one way is favoured
};

// ---- what stands --------------------------------------------------------------------------------

Standing StandingNow() {
  switch (SubMode) {
    case kSubWorld:
      return Standing::kNone;
    case kSubTalk:
      return Standing::kTalk;
    case kSubGuideEvent:
      return Standing::kGuideEvent;
    case kSubFieldEvent:
      return Standing::kFieldEvent;
    case kSubPauseMenu:
      return Standing::kPauseMenu;
    case kSubMapLoadFailure:
      return Standing::kErrorScene;
    case kSubStartSequence:
      return SubModeArg == 0 ? Standing::kOpening : SubModeArg == 1 ? Standing::kTitle : Standing::kGameOver;
    default:
      return Standing::kNone;
  }
}

// The step counter the standing kind runs on.
int32_t StepOf(Standing kind) {
  switch (kind) {
    case Standing::kTalk:
      return SubModeArg >= 0 && SubModeArg < 256 ? EventStep[SubModeArg] : 0;
    case Standing::kGuideEvent:
    case Standing::kFieldEvent:
      return StepCounterOf(SubModeArg);
    case Standing::kPauseMenu:
      return MenuState;
    case Standing::kErrorScene:
      return ErrorSceneStep;
    case Standing::kOpening:
    case Standing::kTitle:
    case Standing::kGameOver:
      return SceneStep;
    case Standing::kNone:
      break;
  }
  return 0;
}

// The name of the map in play ("L001CAVE" for "./Data/L001CAVE.MDT"); empty before the first.
std::string MapInPlay() {
  const std::string path(MapPath, strnlen(MapPath, sizeof MapPath));
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (slash == std::string::npos || dot == std::string::npos || dot < slash) return path;
  return path.substr(slash + 1, dot - slash - 1);
}

// ---- the groups she meets -----------------------------------------------------------------------

struct Rect {
  int32_t left, top, right, bottom;  // right and bottom the first pixels outside
};

Rect RectOf(const ActorBox& b) { return {b.left, b.top, b.right, b.bottom}; }

// The two overlap, or with `touching` also meet edge to edge (she stands on it, walks against it).
bool Meet(const Rect& a, const Rect& b, bool touching) {
  const int32_t d = touching ? 1 : 0;
  return BoxesOverlapLTRB(a.left, a.top, a.right, a.bottom, b.left - d, b.top - d, b.right + d, b.bottom + d) != 0;
}

bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// Where a slot stands: its body, or the tile at its position for one without a body; with the
// cells its picture covers where its module keeps them (SpriteBox).
Rect Where(const Actor& a) {
  Rect where = RectOf(a.BodyBox());
  if (Empty(where)) where = {a.PosX(), a.PosY(), a.PosX() + 16, a.PosY() + 16};
  const Rect sprite = RectOf(a.SpriteBox());
  if (Empty(sprite)) return where;
  return {std::min(where.left, sprite.left), std::min(where.top, sprite.top), std::max(where.right, sprite.right),
          std::max(where.bottom, sprite.bottom)};
}

// Counts, after each frame of the random keys, the frame on the map in play and each group she
// meets there: a slot of it active in the view the camera shows; and touched when her body, her
// feet or a shot of hers meets a slot of it, she rides it, a slot's life fell (her shot or her
// stomp) or she talks with it. Read from the game's state after the frame, as a player sees it.
class GroupWatch {
 public:
  void Count(SoakResult& result, StartPlay& played) {
    const std::string name = MapInPlay();
    if (name.empty()) return;
    if (name != map_) {
      map_ = name;
      lives_.assign(lives_.size(), kNoLife);  // a new map's actors: nothing fell yet
    }
    MapPlay& map = result.maps[name];
    std::bitset<256>& drove = played.drove[name];
    map.frames += 1;
    const Rect view = {GetCameraX(), GetCameraY(), GetCameraX() + Camera.screen_width,
                       GetCameraY() + Camera.screen_height};
    const std::vector<Rect> hers = Hers();
    for (int g = kHeroineGroup + 1; g < kActorGroups; ++g) {
      bool seen = false, touched = SubMode == kSubTalk && SubModeArg == g;
      for (int s = 0; s < kActorSlots; ++s) {
        const Actor a(g, s);
        const bool active = a.State() == kActorActive;
        if (g < kTouchableGroups) touched = LifeFell(a, active) || touched;
        if (!active || (seen && touched)) continue;
        const Rect where = Where(a);
        seen = seen || Meet(where, view, false);
        if (g >= kTouchableGroups) continue;
        touched = touched || (g >= kFirstSolidGroup && a.Ridden() == 1) ||
                  std::any_of(hers.begin(), hers.end(), [&](const Rect& r) { return Meet(r, where, true); });
      }
      map.groups[g].on_screen += seen ? 1 : 0;
      map.groups[g].touched += touched ? 1 : 0;
      if (map.placed[g] && (seen || touched)) drove[g] = true;
    }
  }

 private:
  static constexpr int kTouchableGroups = 128;  // townspeople, enemies, mechanisms, scenery, chests, doors
  static constexpr int kFirstSolidGroup = 32;   // below, field 121 is not Ridden (Klaus's cursor)
  static constexpr int32_t kNoLife = INT32_MIN;

  // Her body, her feet and her shots in flight; none while she is not there.
  static std::vector<Rect> Hers() {
    const Actor h(kHeroineGroup, 0);
    if (h.State() != kActorActive) return {};
    std::vector<Rect> hers = {RectOf(h.BodyBox()), RectOf(h.SpriteBox())};
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor shot(kShotGroup, s);
      if (shot.State() == kActorActive || shot.State() == kActorEnding) hers.push_back(RectOf(shot.BodyBox()));
    }
    return hers;
  }

  // The slot's life fell since the frame before, while it stood active.
  bool LifeFell(const Actor& a, bool active) {
    int32_t& before = lives_[static_cast<size_t>(a.group * kActorSlots + a.slot)];
    const bool fell = before != kNoLife && a.Life() < before;
    before = active ? a.Life() : kNoLife;
    return fell;
  }

  std::string map_;
  std::vector<int32_t> lives_ = std::vector<int32_t>(static_cast<size_t>(kTouchableGroups * kActorSlots), kNoLife);
};

// Watches one program, frame by frame.
class Watch {
 public:
  Watch(SoakResult& result, StartPlay& played, int program, std::string start)
      : result_(result), played_(played), program_(program), start_(std::move(start)) {}

  // After each frame; false when the program is stuck and must end.
  bool Check() {
    if (GameMode == kGameHalted) return Find("the game halted (GameMode 254)");
    if (SubMode == kSubDebugMenu || SubMode == kSubMapEditor) return Find("the debug menu or the editor opened");
    groups_.Count(result_, played_);

    const Standing kind = StandingNow();
    const int32_t step = StepOf(kind);
    if (kind != kind_ || SubModeArg != arg_) {
      kind_ = kind;
      arg_ = SubModeArg;
      length_ = idle_ = 0;
      result_.started[static_cast<int>(kind)] += 1;
    } else if (step != step_ || (MessageResult != -1 && MessageResult != 255)) {
      idle_ = 0;
    }
    step_ = step;
    if (kind == Standing::kNone) return true;
    length_ += 1;
    idle_ += 1;
    const int k = static_cast<int>(kind);
    result_.longest[k] = std::max(result_.longest[k], length_);
    result_.longest_idle[k] = std::max(result_.longest_idle[k], idle_);
    if (length_ > kSoakBounds[k].frames) return Find(Stood("stood", kind));
    if (idle_ > kSoakBounds[k].idle) return Find(Stood("stood without progress", kind));
    return true;
  }

  // Counted by the soak: the frames this program has run.
  int frames_in_program = 0;

 private:
  std::string Stood(const char* how, Standing kind) const {
    char text[160];
    std::snprintf(text, sizeof text, "the %s %s for %d frames (SubModeArg %d, step %d, %d idle)",
                  StandingName(kind), how, length_, arg_, step_, idle_);
    return text;
  }

  bool Find(const std::string& what) {
    char where[160];
    std::snprintf(where, sizeof where, "frame %d (program %d from %.40s, its frame %d, map %.40s): ", result_.frames,
                  program_, start_.c_str(), frames_in_program, MapPath);
    result_.findings.push_back(where + what);
    return false;
  }

  SoakResult& result_;
  StartPlay& played_;
  GroupWatch groups_;
  int program_;
  std::string start_;
  Standing kind_ = Standing::kNone;
  int32_t arg_ = 0;
  int32_t step_ = 0;
  int length_ = 0;
  int idle_ = 0;
};

// ---- the maps ----------------------------------------------------------------------------------

// The maps play never enters, and why: what they place is never checked.
struct Unplayed {
  const char* map;
  const char* why;
};
constexpr Unplayed kMapsPlayNeverEnters[] = {
    {"LTOWN001", "scene 0 loads it, and no event, door or menu enters scene 0"},
};

bool PlayNeverEnters(const std::string& map) {
  return std::any_of(std::begin(kMapsPlayNeverEnters), std::end(kMapsPlayNeverEnters),
                     [&](const Unplayed& u) { return map == u.map; });
}

// Every map of the Data folder with the actor groups its layer 4 places, read as the game reads
// a map file.
void ReadMaps(const fs::path& data, SoakResult& result) {
  static uint32_t tiles[kTileCount];
  for (const fs::directory_entry& e : fs::directory_iterator(data)) {
    if (e.path().extension() != ".MDT" || ReadMapFile(e.path().c_str(), tiles) != 0) continue;
    MapPlay& map = result.maps[e.path().stem().string()];
    for (int i = 0; i < kTilesPerLayer; ++i) {
      const uint32_t v = tiles[kEventLayer * kTilesPerLayer + i];
      if (v > kHeroineGroup && v < 128) map.placed[v] = true;
    }
  }
}

// What the slice checks: the groups placed near the start at the landing's shrine, a short walk
// either way from it: the chest where the opening leaves her and the torches up in the first rest
// room. The title's programs end when the opening does, before either can come on screen.
constexpr const char* kSliceMap = "L001CAVE";
constexpr int kSliceGroups[] = {113, 118};

bool Checked(const SoakOptions& options, const std::string& map, int group) {
  if (!options.slice) return true;
  return map == kSliceMap && std::find(std::begin(kSliceGroups), std::end(kSliceGroups), group) != std::end(kSliceGroups);
}

// The placed groups the random keys never drove, and in a whole run the maps play can enter that
// they never played. A whole run checks every group placed on a map play can enter; the slice only
// what its starts stand near. Starts left out leave what they are there for checked.
void CheckMaps(const SoakOptions& options, SoakResult& result) {
  for (auto& [name, map] : result.maps) {
    if (PlayNeverEnters(name)) continue;
    if (!options.slice && map.frames == 0) {
      result.findings.push_back(name + " was never played");
      continue;
    }
    for (int g = 0; g < kActorGroups; ++g) {
      map.checked[g] = map.placed[g] && Checked(options, name, g);
      if (map.checked[g] && !map.groups[g].Driven())
        result.findings.push_back("group " + std::to_string(g) + ", placed on " + name +
                                  ", was never driven there: never on screen, never touched");
    }
  }
}

// ---- the starts ---------------------------------------------------------------------------------

// The saves the soak makes, each a stretch of the route played from the one before it (loaded
// from the title) or, the first, from a new game; each ends at a statue, saving in the first slot.
struct SoakSave {
  const char* name;
  const char* from;      // the save it loads, or none: a new game
  const char* from_map;  // where that save's room lets her out
  Route route;
};

std::vector<SoakSave> Saves(bool slice) {
  std::vector<SoakSave> saves = {
      {"first_shrine", nullptr, nullptr,
       Joined({TheOpening(), ARingOn(), TheFirstShrine(), SaveAtTheStatue("L001CAVE")})},
  };
  if (slice) return saves;
  saves.push_back({"second_shrine", "first_shrine", "L001CAVE",
                   Joined({TheFirstRestRoom(), TheFirstEnemies(), TheElevator(), TheTraps(),
                           SaveAtTheStatue("L001CAVE")})});
  saves.push_back({"third_shrine", "second_shrine", "L001CAVE",
                   Joined({TheWaterworks(), TheWaterDoor(), TheThirdShrine(), SaveAtTheStatue("L001CAVE")})});
  saves.push_back({"corridor_shrine", "third_shrine", "L001CAVE",
                   Joined({TheLava(), TheCardKey(), ThePipeBackUp(), TheExitDoor(), TheCorridorShrine(),
                           SaveAtTheStatue("CORRIDOR")})});
  return saves;
}

// Where a program starts: the title, the title's new game, or a save loaded from the title's menu
// and the way on from the save room.
struct SoakStart {
  std::string name;
  const char* save;  // none: no save is loaded
  Route way;         // from the title's first frame, the save in the first slot; none: the title,
                     // left to the random keys
};

// The boss has come down from above the hall and 526 has been heard.
bool TheBossHasCome() { return GetFlag(0, 526 - 513) != 0 && RouteDriver::WorldFree(); }

// The starts in the route's order: the title and its new game; the save room and the shrines, as
// a player comes back to them; and places along the route beside the groups that the random keys
// would bring on screen from a shrine or a door only by luck (each named below with the groups it
// is there for). Every placed group stands in view of one start or more when the random keys take
// over. The way to a place is the route's, from the save before it.
std::vector<SoakStart> Starts(bool slice) {
  std::vector<SoakStart> starts = {
      {"the title", nullptr, {}},
      {"the landing's shrine", "first_shrine", TheLoadFromTheTitle("L001CAVE")},
  };
  if (slice) return starts;
  // A new game chosen: the opening, in the forest and then the cave, which the title's keys may
  // never choose.
  starts.insert(starts.begin() + 1, {"the opening", nullptr, {TitleMenu(), MenuLine(kNewGame)}});
  const Route cave = TheLoadFromTheTitle("L001CAVE");
  const Route corridor = TheLoadFromTheTitle("CORRIDOR");
  const Route town = Joined({corridor, TheSealedDoor(), TheBoss(), TheTown()});
  const Route main_street = Joined({town, {WalkTo(205), JumpTo(201), JumpTo(197)}});
  const Route teachers_house =
      Joined({main_street, {WalkTo(67), JumpTo(63), JumpTo(59), JumpTo(55), UpAt(17), Arrive("LTOWNSHP")}});
  const Route test_hall = Joined({town, {UpAt(285), Arrive("TEST0000")}});
  // Under the first enemies' hall's coin blocks (70), by the mesa's Kawachan (35).
  starts.push_back({"the first enemies' hall", "first_shrine",
                    Joined({cave, TheFirstRestRoom(), TheFirstEnemiesHall()})});
  // Past the barrier of block lifts (60), by the hidden coin block before it (71).
  starts.push_back({"beyond the barrier", "first_shrine", Joined({cave, TheFirstRestRoom(), TheFirstEnemies()})});
  // On the steps down to the alcove, over the roamer (34) a step below, out of her line of fire.
  starts.push_back({"the steps down", "first_shrine",
                    Joined({cave, TheFirstRestRoom(), TheFirstEnemies(), {WalkTo(190), WalkTo(208)}})});
  // Where the elevator (72) lets her out, by the warning lights (91).
  starts.push_back({"the elevator's foot", "first_shrine",
                    Joined({cave, TheFirstRestRoom(), TheFirstEnemies(), TheElevator()})});
  // In the waterworks' hall between the 16-ton (73), fallen behind her, and the piston weight (74).
  starts.push_back({"between the weights", "first_shrine",
                    Joined({cave, TheFirstRestRoom(), TheFirstEnemies(), TheElevator(), BetweenTheWeights()})});
  starts.push_back({"the save room", "second_shrine", TheTitlesLoad()});
  starts.push_back({"the shrine under the water door", "second_shrine", cave});
  // Before the lifts over the first pit under the waterworks' hall (100).
  starts.push_back({"the first pit's lifts", "second_shrine", Joined({cave, TheFirstPit()})});
  // On the control room's ledges once the waterworks ran: its panels (108, 109), light columns
  // (115), consoles (119) and its door (90), all in view only from up there.
  starts.push_back({"the control room", "second_shrine",
                    Joined({cave, TheWaterworks(), {WalkTo(364), JumpTo(364), JumpTo(364), WalkTo(366)}})});
  starts.push_back({"the shrine by the pipe", "third_shrine", cave});
  // The exit door (117), locked yet.
  starts.push_back({"the exit door", "third_shrine", Joined({cave, {WalkTo(146)}})});
  // The lava (107) and the lifts over it (101).
  starts.push_back({"the lava's edge", "third_shrine", Joined({cave, TheLavasEdge()})});
  // The lowest level, where 517 drops her, by a Kamekichi (33).
  starts.push_back({"the shaft's foot", "third_shrine", Joined({cave, TheLava()})});
  // The storage room's chests (113) at the lowest level's west end.
  starts.push_back({"the storage room", "third_shrine", Joined({cave, TheLava(), TheStorageRoom()})});
  starts.push_back({"the corridor's shrine", "corridor_shrine", corridor});
  // Back west over the stump, under the coin blocks (70).
  starts.push_back({"west of the stump", "corridor_shrine", Joined({corridor, {JumpTo(66)}})});
  // The roamer (34) at the low passage, before the route shoots it.
  starts.push_back({"the low passage", "corridor_shrine", Joined({corridor, TheSunkenStretch()})});
  // The hidden coin block (71) near the sealed door.
  starts.push_back({"the corridor's east end", "corridor_shrine", Joined({corridor, TheLowPassage(), {WalkTo(196)}})});
  starts.push_back({"the boss room", "corridor_shrine", Joined({corridor, TheSealedDoor()})});
  starts.push_back({"the boss fight", "corridor_shrine",
                    Joined({corridor, TheSealedDoor(), {WalkTo(20), WaitUntil("the boss has come", TheBossHasCome)}})});
  // The exit room once the boss has fallen, by its sliding doors (90), open now.
  starts.push_back({"the exit room", "corridor_shrine", Joined({corridor, TheSealedDoor(), TheBoss(), {WalkTo(126)}})});
  starts.push_back({"the town's street", "corridor_shrine", town});
  // The townspeople on their streets: Rod (3), Lime (4), Pancho (5, after a talk with him).
  starts.push_back({"the main street", "corridor_shrine", Joined({main_street, {WalkTo(130)}})});
  starts.push_back({"the lower street", "corridor_shrine", Joined({town, {WalkTo(214)}})});
  starts.push_back({"the east street", "corridor_shrine", Joined({town, ATalkInTheTown()})});
  starts.push_back({"the inn", "corridor_shrine", Joined({town, {UpAt(224), Arrive("LTOWNSHP")}})});
  starts.push_back({"the clinic", "corridor_shrine", Joined({town, {UpAt(342), Arrive("LTOWNSHP")}})});
  starts.push_back({"the teacher's house", "corridor_shrine", teachers_house});
  // Klaus (2), in his room behind the hall's door.
  starts.push_back({"the teacher's room", "corridor_shrine", Joined({teachers_house, {UpAt(85)}})});
  starts.push_back({"the test hall", "corridor_shrine", test_hall});
  // Up the stairwell's ledges and west into the upper room: the coin blocks (70, 71), the weight
  // (73) and the elevator's top (72).
  starts.push_back({"the test hall's upper room", "corridor_shrine",
                    Joined({test_hall, {WalkTo(48), JumpTo(48), JumpTo(48), JumpTo(48), JumpTo(44, 15, 10),
                                        JumpTo(42, 15, 8), WalkTo(34)}})});
  return starts;
}

// ---- the soak -----------------------------------------------------------------------------------

// A folder of the soak's own holding Data/ with what the build made (the maps and the music):
// every program of the soak plays on it, as every start of the game plays on the same folder; and
// saves/ with the saves the soak made, by name.
class SoakFolder {
 public:
  SoakFolder() {
    path_ = FreshProcessFolder("tovia_soak");
    fs::create_directories(data());
    fs::create_directories(fs::path(path_) / "saves");
    for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TOVIA_BINARY_DIR) / "Data")) {
      if (e.is_regular_file()) fs::copy_file(e.path(), data() / e.path().filename());
    }
  }
  ~SoakFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  SoakFolder(const SoakFolder&) = delete;
  SoakFolder& operator=(const SoakFolder&) = delete;
  const std::string& path() const { return path_; }
  fs::path data() const { return fs::path(path_) / "Data"; }
  fs::path save(const char* name) const { return fs::path(path_) / "saves" / (std::string(name) + ".dat"); }
  // The save `name` into the game's slot `slot` (0..2).
  void PutInSlot(const char* name, int slot) const {
    fs::copy_file(save(name), data() / ("save" + std::to_string(slot) + ".dat"), fs::copy_options::overwrite_existing);
  }

 private:
  std::string path_;
};

// A route driver whose failures are findings.
RouteDriver Driver(FrameHarness& game, SoakResult& result, const std::string& what) {
  return RouteDriver(game, "soak", [&result, what](const std::string& failure) {
    result.findings.push_back(what + ": " + failure);
  });
}

// Each save played to and kept; false when one could not be made.
bool MakeSaves(const SoakFolder& folder, const std::vector<SoakSave>& saves, SoakResult& result) {
  for (const SoakSave& save : saves) {
    FrameHarness game(1, folder.path());
    RouteDriver driver = Driver(game, result, std::string("making the save ") + save.name);
    Route route = save.route;
    if (save.from != nullptr) {
      folder.PutInSlot(save.from, 0);
      route = Joined({TheLoadFromTheTitle(save.from_map), route});
    }
    const bool made = driver.Play(save.name, route);
    result.driven += driver.frames();
    if (!made) return false;
    fs::copy_file(folder.data() / "save0.dat", folder.save(save.name), fs::copy_options::overwrite_existing);
  }
  return true;
}

// The random keys' play of one program from `start`, until the start's `share` of frames is
// played (the player then closes the window), the program ends (a quit) or the watch finds it
// stuck. She lies fallen a while: the player closes the window and starts again. From the title,
// the player now and then watches the demo before pressing anything. Once an opening is over and
// she stands in the cave, the player closes the window: the beginning is what the title and the
// new game play, and the starts at the cave's shrines play on from there.
void PlayProgram(FrameHarness& game, const SoakStart& start, int share, RandomKeys& keys, StartPlay& played,
                 SoakResult& result) {
  Watch watch(result, played, result.programs, start.name);
  LookOut look_out;
  keys.LetGo();
  int fallen_for = 0;
  int hands_off = start.way.empty() ? keys.HandsOff() : 0;
  bool opening = false, closing = false;
  while (played.frames < share) {
    const Surroundings near = look_out.Look();
    fallen_for = Actor(kHeroineGroup, 0).State() == kActorEnding ? fallen_for + 1 : 0;
    opening = opening || StandingNow() == Standing::kOpening;
    if (!closing && (played.frames == share - 1 || fallen_for == kFallenFrames ||
                     (opening && StandingNow() == Standing::kNone))) {
      headless::ScheduleEvent(headless::Simple(host::EventKind::Close));
      closing = true;
    }
    if (hands_off > 0) {
      hands_off -= 1;
      game.RunScript({{}});
    } else {
      game.RunScript({keys.Next(near)});
    }
    result.frames += 1;
    played.frames += 1;
    if (MapPath[0] != '\0') played.maps[MapInPlay()] += 1;
    watch.frames_in_program += 1;
    if (!watch.Check() || !Running) break;
  }
}

void Soak(const SoakOptions& options, SoakResult& result) {
  const SoakFolder folder;
  ReadMaps(folder.data(), result);
  std::vector<SoakStart> starts = Starts(options.slice);
  std::erase_if(starts, [&](const SoakStart& s) {
    return std::find(options.without.begin(), options.without.end(), s.name) != options.without.end();
  });
  // The saves up to the deepest one a start loads, each made from the one before it.
  std::vector<SoakSave> saves = Saves(options.slice);
  while (!saves.empty() && std::none_of(starts.begin(), starts.end(), [&](const SoakStart& s) {
           return s.save != nullptr && std::strcmp(s.save, saves.back().name) == 0;
         })) {
    saves.pop_back();
  }
  if (!MakeSaves(folder, saves, result)) return;
  // The deepest save in the other two slots, for a load of the random keys to reach.
  if (!saves.empty()) {
    for (int slot : {1, 2}) folder.PutInSlot(saves.back().name, slot);
  }

  // Each start in turn gets its share of the frames: the player closes the window when it is
  // played, and after a quit starts the game again at the same place.
  RandomKeys keys(options.seed);
  for (size_t i = 0; i < starts.size(); ++i) {
    const SoakStart& start = starts[i];
    StartPlay& played = result.starts.emplace_back();
    played.name = start.name;
    const int share = options.frames_per_start > 0
                          ? options.frames_per_start
                          : static_cast<int>(static_cast<int64_t>(options.frames) * static_cast<int64_t>(i + 1) /
                                             static_cast<int64_t>(starts.size())) - result.frames;
    while (played.frames < share && static_cast<int>(result.findings.size()) < options.max_findings) {
      result.programs += 1;
      played.programs += 1;
      FrameHarness game(1, folder.path());
      if (start.save != nullptr) folder.PutInSlot(start.save, 0);
      if (!start.way.empty()) {
        RouteDriver driver = Driver(game, result, "the way to " + start.name);
        const bool there = driver.Play(start.name, start.way);
        result.driven += driver.frames();
        played.driven += driver.frames();
        if (!there) break;
      }
      PlayProgram(game, start, share, keys, played, result);
    }
  }
  CheckMaps(options, result);
}

}  // namespace

SoakResult RunSoak(const SoakOptions& options) {
  SoakResult result;
  result.output = CaptureOutput([&] { Soak(options, result); });
  return result;
}

namespace {

// The groups of `groups` as "g" each, or "g frames/touched" with `counts`, wrapped after `per_line`
// to lines indented by `indent`; a '!' after each that `marked` holds; "-" for none.
std::string GroupList(const std::bitset<256>& groups, const std::bitset<256>& marked, const MapPlay* counts,
                      int per_line, const std::string& indent) {
  std::string text;
  int on_line = 0;
  for (int g = 0; g < kActorGroups; ++g) {
    if (!groups[g]) continue;
    if (on_line == per_line) {
      while (!text.empty() && text.back() == ' ') text.pop_back();
      text += '\n' + indent;
      on_line = 0;
    }
    std::string item = std::to_string(g);
    if (counts != nullptr) item += ' ' + std::to_string(counts->groups[g].on_screen) + '/' +
                                   std::to_string(counts->groups[g].touched);
    if (marked[g]) item += counts != nullptr ? '!' : '*';
    item.resize(std::max<size_t>(item.size(), counts != nullptr ? 16 : 0), ' ');
    text += item + (counts != nullptr ? "" : " ");
    on_line += 1;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text.empty() ? "-" : text;
}

}  // namespace

std::string DescribeSoak(const SoakResult& result) {
  std::string text;
  char line[256];
  std::snprintf(line, sizeof line, "%d frames of random keys, %d driven, %d programs, %zu findings\n", result.frames,
                result.driven, result.programs, result.findings.size());
  text += line;
  text += "  map        frames  placed groups: frames on screen/touched (never driven: !)\n";
  text += "                     other groups on screen\n";
  const std::string indent(21, ' ');
  for (const auto& [name, map] : result.maps) {
    std::bitset<256> never_driven, shown;
    for (int g = kHeroineGroup + 1; g < kActorGroups; ++g) {
      never_driven[g] = map.checked[g] && !map.groups[g].Driven();
      shown[g] = !map.placed[g] && map.groups[g].on_screen > 0;
    }
    std::snprintf(line, sizeof line, "  %-9s %7d  ", name.c_str(), map.frames);
    text += line + GroupList(map.placed, never_driven, &map, 5, indent);
    text += PlayNeverEnters(name) ? "  (play never enters it)" : map.frames == 0 ? "  (not played)" : "";
    text += '\n' + indent + GroupList(shown, {}, nullptr, 40, indent) + '\n';
  }
  text += "  start                             programs  driven  frames  (by map)\n";
  text += "      the placed groups it drove (*: no other start did)\n";
  for (const StartPlay& s : result.starts) {
    std::snprintf(line, sizeof line, "  %-32s %9d %7d %7d  (", s.name.c_str(), s.programs, s.driven, s.frames);
    text += line;
    const char* comma = "";
    for (const auto& [map, frames] : s.maps) {
      text += comma;
      text += map;
      text += ' ';
      text += std::to_string(frames);
      comma = ", ";
    }
    text += ")\n";
    for (const auto& [map, drove] : s.drove) {
      if (drove.none()) continue;
      std::bitset<256> alone = drove;
      for (const StartPlay& other : result.starts) {
        if (&other != &s && other.drove.count(map) != 0) alone &= ~other.drove.at(map);
      }
      text += "      " + map + ": " + GroupList(drove, alone, nullptr, 40, "") + "\n";
    }
  }
  for (int k = 1; k < kStandingKinds; ++k) {
    std::snprintf(line, sizeof line, "  %-12s %5d times, longest %6d (bound %6d), without progress %5d (bound %5d)\n",
                  StandingName(static_cast<Standing>(k)), result.started[k], result.longest[k], kSoakBounds[k].frames,
                  result.longest_idle[k], kSoakBounds[k].idle);
    text += line;
  }
  for (const std::string& f : result.findings) text += "  FINDING " + f + "\n";
  if (!result.output.empty()) text += "  OUTPUT:\n" + result.output + "\n";
  return text;
}
