// The scene change into the cave from another scene: the map file read, the sheets loaded, the
// actors set up and every layer redrawn, as the opening and the debug menu enter it.
#include <benchmark/benchmark.h>

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "app/winmain.h"
#include "platform/files.h"

namespace {

void BM_ChangeScene(benchmark::State& state) {
  SetFileBase(TOVIA_BINARY_DIR);  // the build's Data folder holds the maps
  StartProcess(0, "", 1);
  StartDisplay(MainWindow);
  RunFrame(MainWindow);  // the new game
  for (auto _ : state) {
    state.PauseTiming();
    ChangeScene(kSceneTown);
    state.ResumeTiming();
    ChangeScene(kSceneCave);
  }
  if (SubMode == kSubMapLoadFailure) state.SkipWithError("the maps are missing from the build's Data folder");
  Shutdown(MainWindow);
  SetFileBase("");
}
BENCHMARK(BM_ChangeScene)->Unit(benchmark::kMillisecond);

}  // namespace
