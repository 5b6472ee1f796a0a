// The scene change into the cave from another scene: the map file read, the sheets loaded, the
// actors set up and every layer redrawn, as the opening and the debug menu enter it.
#include <benchmark/benchmark.h>

#include "app/scene_change.h"
#include "bench_game.h"

namespace {

void BM_ChangeScene(benchmark::State& state) {
  StartBenchGame();
  for (auto _ : state) {
    state.PauseTiming();
    ChangeScene(kSceneTown);
    state.ResumeTiming();
    ChangeScene(kSceneCave);
  }
  StopBenchGame(state);
}
BENCHMARK(BM_ChangeScene)->Unit(benchmark::kMillisecond);

}  // namespace
