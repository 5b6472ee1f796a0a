// Save files: the input is the file of slot 0. The load list reads the slot headers; a file that
// loads must hold every field in its range afterwards (the loader's own check, SaveFieldOutOfRange),
// else the target reports the field as the game's output, which fails the run like a crash.
//
// The time goes to loads: most inputs end there. One in 64 (those whose bytes add up to a
// multiple of 64, the seed of a return point among them: its padding after the input lock, which
// the game never reads, makes it so) loads into a fresh game's process and is
// played as a load plays it: the save room, a few frames of the world with buttons held, and the
// way out to the return point.
#include <cstdio>
#include <numeric>

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "fuzz/fuzz_game.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/fuzz_targets.h"
#include "ui/hud.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/save_ranges.h"

namespace {

// The save room, where a load enters, and the maps of the seeds' return points.
constexpr const char* kMaps[] = {"TEMPLE00.MDT", "L001CAVE.MDT", "CORRIDOR.MDT"};

// The load as the load list makes it; false when the file does not load.
bool Load() {
  ReadSlotHeaders();
  if (ReadSave(".\\Data\\save0.dat") != 0) return false;
  if (const char* field = SaveFieldOutOfRange(Save)) std::printf("the loaded save holds %s out of its range\n", field);
  return true;
}

// The save room, a few frames of the world with the buttons that the padding after the input lock
// chooses (the game never reads it), and the way out to the return point.
void PlayTheLoad(FuzzGame& game) {
  SubMode = kSubWorld;
  ChangeScene(kSceneSaveRoom);
  ShowHud();
  for (int frame = 0; frame < 2; ++frame) {
    HoldButtonsOf(game, Save.Reserved8721[frame + 1]);
    game.Run(1);
  }
  game.ReleaseAll();
  SubMode = kSubWorld;
  ChangeScene(kSceneSavedPosition);
  game.Run(2);
}

}  // namespace

bool SaveInputPlaysTheLoad(const uint8_t* data, size_t size) {
  return std::accumulate(data, data + size, 0u) % 64 == 0;
}

int FuzzSaveFiles(const uint8_t* data, size_t size) {
  UseScratchFolder();
  for (const char* map : kMaps) CopyBuiltMap(map);
  WriteScratchFile("Save0.dat", data, size);
  if (!SaveInputPlaysTheLoad(data, size)) {
    Load();
    return 0;
  }
  FuzzGame game;  // a fresh game's process, which the load keeps
  if (Load()) PlayTheLoad(game);
  return 0;
}
