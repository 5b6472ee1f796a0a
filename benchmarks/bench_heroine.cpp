// A whole frame of play in the cave with the heroine walking: her thinking, ground check and move
// against the map, the world passes, the camera following her, the map layers and her cells.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "actors/actor_table.h"
#include "app/scene_change.h"
#include "bench_game.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "world/save_block.h"

namespace {

void BM_RunFrameHeroine(benchmark::State& state) {
  StartBenchGame();
  SubMode = kSubWorld;  // straight into play, whatever the start would show first
  SubModeArg = 0;
  ChangeScene(kSceneCave);
  for (int i = 0; i < 30; ++i) RunFrame(MainWindow);  // she lands on the floor
  // A script walks her to and fro on the floor where she landed, 60 frames each way.
  HeroControl = kControlHeld;
  const Actor hero(kHeroineGroup, 0);
  int frame = 0, least_x = hero.PosX(), most_x = hero.PosX();
  for (auto _ : state) {
    const int button = (frame++ / 60) % 2 == 0 ? kButtonLeft : kButtonRight;
    HeroPadBits = static_cast<int32_t>(ButtonBits[button]);
    RunFrame(MainWindow);
    TickFrame();
    least_x = std::min(least_x, hero.PosX());
    most_x = std::max(most_x, hero.PosX());
  }
  if (frame >= 60 && most_x - least_x < 200) state.SkipWithError("the heroine did not walk");
  StopBenchGame(state);
}
BENCHMARK(BM_RunFrameHeroine)->Unit(benchmark::kMicrosecond);

}  // namespace
