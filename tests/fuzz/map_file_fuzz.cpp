// Map files: each input is the cave's map file twice over. First the input is the whole file (of
// any length: cut short, too long, any check value); then it is the real cave map with the input
// laid over the event layer from the rows above the heroine's start, and a good check value, as a
// map edited elsewhere would be. Each time the cave is entered (load, actors of the event layer,
// presets, heroine, redraw) and frames run with the buttons of the first bytes held: one after
// the whole-file case, three of the world after the edited map.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/fuzz_targets.h"
#include "ui/hud.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

constexpr char kCaveMap[] = "L001CAVE.MDT";
constexpr size_t kEventLayerStart = static_cast<size_t>(kEventLayer) * kTilesPerLayer * 4;
constexpr size_t kOverlayStart = kEventLayerStart + 10 * kTilesPerRow * 4;  // row 10, above her start
constexpr size_t kCheckValueAt = kMapFileSize - 4;

const std::vector<uint8_t>& RealCaveMap() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> b(kMapFileSize);
    const std::string path = std::string(TOVIA_BINARY_DIR) + "/Data/" + kCaveMap;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr || std::fread(b.data(), 1, b.size(), f) != b.size()) {
      std::fprintf(stderr, "tovia fuzz: cannot read %s\n", path.c_str());
      std::abort();
    }
    std::fclose(f);
    return b;
  }();
  return bytes;
}

// Enters the cave, whose map file now holds `file`, and runs `frames` frames with the buttons
// of the first bytes of the input held.
void PlayCave(FuzzGame& game, const uint8_t* file, size_t file_size, const uint8_t* buttons, size_t count,
              size_t frames) {
  WriteScratchFile(kCaveMap, file, file_size);
  SubMode = kSubWorld;
  ChangeScene(kSceneCave);
  ShowHud();
  for (size_t frame = 0; frame < frames; ++frame) {
    HoldButtonsOf(game, frame < count ? buttons[frame] : 0);
    game.Run(1);
  }
  game.ReleaseAll();
}

}  // namespace

int FuzzMapFile(const uint8_t* data, size_t size) {
  FuzzGame game;
  // A file of any length and check value: it fails its check in all but rare cases, which
  // starts the fatal error scene over whatever the store holds.
  PlayCave(game, data, size, data, size, 1);

  std::vector<uint8_t> edited = RealCaveMap();
  const size_t n = std::min(size, kCheckValueAt - kOverlayStart);
  std::copy(data, data + n, edited.begin() + kOverlayStart);
  PlayCave(game, edited.data(), edited.size(), data, size, 3);
  RemoveScratchFile(kCaveMap);  // a target that copies the real map finds none in its way
  return 0;
}
