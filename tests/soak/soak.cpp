#include "soak/soak.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "actors/actor_library.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "backend/headless/headless.h"
#include "events/event_raise.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "support/captured_output.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "world/map_layers.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

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
constexpr int kPressOneIn = 6;  // a new key goes down on one frame in six

class RandomKeys {
 public:
  explicit RandomKeys(uint32_t seed) : rng_(seed) {}

  // The keys held in the next frame.
  std::vector<uint8_t> Next() {
    if (--mood_left_ <= 0) NewMood();
    for (Hold& h : held_) h.frames_left -= 1;
    std::erase_if(held_, [](const Hold& h) { return h.frames_left <= 0; });
    if (Roll(kPressOneIn) == 0) {
      const uint8_t vk = PickKey();
      if (std::none_of(held_.begin(), held_.end(), [vk](const Hold& h) { return h.vk == vk; })) {
        held_.push_back({vk, HoldLength()});
      }
    }
    std::vector<uint8_t> keys;
    for (const Hold& h : held_) keys.push_back(h.vk);
    return keys;
  }

  // The frames a program runs before the player closes its window, unless a quit comes first.
  int SessionLength() { return Between(3000, 25000); }

 private:
  struct Hold {
    uint8_t vk;
    int frames_left;
  };

  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // A player who explores: for a while one way along the map is favoured (or neither).
  void NewMood() {
    mood_left_ = Between(300, 3000);
    const int r = Roll(3);
    favoured_ = r == 0 ? vk::Left : r == 1 ? vk::Right : 0;
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

  // Mostly taps, often short holds, sometimes a long walk.
  int HoldLength() {
    const int kind = Roll(10);
    if (kind < 6) return Between(1, 6);
    if (kind < 9) return Between(7, 45);
    return Between(46, 240);
  }

  std::mt19937 rng_;
  std::vector<Hold> held_;
  int mood_left_ = 0;
  uint8_t favoured_ = 0;
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

// Watches one program, frame by frame.
class Watch {
 public:
  Watch(SoakResult& result, int program) : result_(result), program_(program) {}

  // After each frame; false when the program is stuck and must end.
  bool Check() {
    if (GameMode == kGameHalted) return Find("the game halted (GameMode 254)");
    if (SubMode == kSubDebugMenu || SubMode == kSubMapEditor) return Find("the debug menu or the editor opened");
    if (MapPath[0] != '\0') result_.maps.insert(std::string(MapPath, strnlen(MapPath, sizeof MapPath)));

    const Standing kind = StandingNow();
    const int32_t step = StepOf(kind);
    if (kind != kind_ || SubModeArg != arg_) {
      kind_ = kind;
      arg_ = SubModeArg;
      length_ = idle_ = 0;
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
    char where[96];
    std::snprintf(where, sizeof where, "frame %d (program %d, its frame %d, map %.40s): ", result_.frames,
                  program_, frames_in_program, MapPath);
    result_.findings.push_back(where + what);
    return false;
  }

  SoakResult& result_;
  int program_;
  Standing kind_ = Standing::kNone;
  int32_t arg_ = 0;
  int32_t step_ = 0;
  int length_ = 0;
  int idle_ = 0;
};

// A folder of the soak's own holding Data/ with what the build made (the maps and the music):
// every program of the soak plays on it, as every start of the game plays on the same folder.
class SoakFolder {
 public:
  SoakFolder() {
    path_ = FreshProcessFolder("tovia_soak");
    const fs::path data = fs::path(path_) / "Data";
    fs::create_directories(data);
    for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TOVIA_BINARY_DIR) / "Data")) {
      if (e.is_regular_file()) fs::copy_file(e.path(), data / e.path().filename());
    }
  }
  ~SoakFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  SoakFolder(const SoakFolder&) = delete;
  SoakFolder& operator=(const SoakFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// ---- games saved deeper in ---------------------------------------------------------------------

// Random keys seldom take a new game past the cave's first screens. The soak's folder holds games
// saved further on, so that a load, from the title or the pause menu, takes the soak there: each
// made as a player makes it, through a shrine's door into the save room, then written as the
// statue writes it. Two of the three slots hold the corridor's, which leads on to the boss.
struct PreparedSave {
  int scene;
  int middle_x;  // the shrine's door: its middle, the floor under it
  int floor_y;
  const char* slot;
};
constexpr PreparedSave kPreparedSaves[] = {
    {kSceneCorridor, 80 * kTileSize, 26 * kTileSize, ".\\Data\\save0.dat"},
    {kSceneCave, 88 * kTileSize + 24, 134 * kTileSize, ".\\Data\\save1.dat"},  // the cave's lower shrine
    {kSceneCorridor, 80 * kTileSize, 26 * kTileSize, ".\\Data\\save2.dat"},
};
constexpr char kSaveRoomMap[] = "./Data/TEMPLE00.MDT";

bool MakeSave(const std::string& folder, const PreparedSave& save) {
  FrameHarness game(1, folder);
  StartInTheCave(game);
  if (save.scene != kSceneCave) {
    ChangeScene(save.scene);
    RedrawAllLayers();
  }
  PlaceHeroine(0, save.middle_x - 24, save.floor_y - 65, 'R', 'N');
  game.Run(10);
  game.HoldButton(kButtonUp);
  game.Run();
  game.ReleaseButton(kButtonUp);
  for (int i = 0; i < 400 && (SubMode != kSubWorld || IsFading() != 0); ++i) game.Run();
  return std::strcmp(MapPath, kSaveRoomMap) == 0 && WriteSave(save.slot) == 0;
}

void Soak(const SoakOptions& options, SoakResult& result) {
  const SoakFolder folder;
  for (const PreparedSave& save : kPreparedSaves) {
    if (!MakeSave(folder.path(), save)) result.findings.push_back(std::string("no game could be saved for ") + save.slot);
  }
  RandomKeys keys(options.seed);
  while (result.frames < options.frames && static_cast<int>(result.findings.size()) < options.max_findings) {
    result.programs += 1;
    FrameHarness game(1, folder.path());
    Watch watch(result, result.programs);
    const int session = keys.SessionLength();
    while (result.frames < options.frames) {
      if (watch.frames_in_program == session) headless::ScheduleEvent(headless::Simple(host::EventKind::Close));
      game.RunScript({keys.Next()});
      result.frames += 1;
      watch.frames_in_program += 1;
      if (!watch.Check() || !Running) break;
    }
  }
}

}  // namespace

SoakResult RunSoak(const SoakOptions& options) {
  SoakResult result;
  result.output = CaptureOutput([&] { Soak(options, result); });
  return result;
}

std::string DescribeSoak(const SoakResult& result) {
  std::string text;
  char line[160];
  std::snprintf(line, sizeof line, "%d frames, %d programs, %zu findings, %zu maps:", result.frames, result.programs,
                result.findings.size(), result.maps.size());
  text += line;
  for (const std::string& map : result.maps) text += " " + map;
  text += "\n";
  for (int k = 1; k < kStandingKinds; ++k) {
    std::snprintf(line, sizeof line, "  %-12s longest %6d (bound %6d), without progress %5d (bound %5d)\n",
                  StandingName(static_cast<Standing>(k)), result.longest[k], kSoakBounds[k].frames,
                  result.longest_idle[k], kSoakBounds[k].idle);
    text += line;
  }
  for (const std::string& f : result.findings) text += "  FINDING " + f + "\n";
  if (!result.output.empty()) text += "  OUTPUT:\n" + result.output + "\n";
  return text;
}
