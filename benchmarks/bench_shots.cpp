// The heroine's shots against the enemies in the second pass: three shots in flight among 256
// active enemies of one group, laid out so that every shot sweeps against a row of them. The
// enemies let the shots pass, so every run meets the same field.
#include <benchmark/benchmark.h>

#include <cstring>

#include "actors/actor_table.h"
#include "actors/heroine.h"

namespace {

void SetBox(const Actor& a, int x, int y, int w, int h) {
  const ActorBox b = a.BodyBox();
  b.left = x;
  b.top = y;
  b.right = x + w;
  b.bottom = y + h;
}

void BM_HitEnemiesWithShots(benchmark::State& state) {
  std::memset(ActorTable, 0, sizeof ActorTable);
  const Actor hero(kHeroineGroup, 0);
  hero.State() = kActorActive;
  hero.AnimCursor() = kHeroineStandAnim;
  hero.PosX() = 40;
  hero.PosY() = 300;
  for (int k = 0; k < 3; ++k) {
    const Actor shot(kShotGroup, k);
    shot.State() = kActorActive;
    shot.PosX() = 60 + 200 * k;
    shot.PosY() = 316 + 40 * k;
    shot.StepX() = 16;
    SetBox(shot, shot.PosX() + 4, shot.PosY() + 4, 9, 9);
  }
  constexpr int kGroup = 40;
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor e(kGroup, s);
    e.State() = kActorActive;
    e.CollisionKind() = 2;  // the shots pass
    e.Life() = e.MaxLife() = 10;
    e.StepX() = s % 2 == 0 ? -2 : 2;
    SetBox(e, 20 * (s % 32), 300 + 20 * (s / 32), 24, 32);
  }
  for (auto _ : state) HitEnemiesWithShots();
  if (Actor(kShotGroup, 0).State() != kActorActive) state.SkipWithError("a shot was stopped");
  std::memset(ActorTable, 0, sizeof ActorTable);
}
BENCHMARK(BM_HitEnemiesWithShots)->Unit(benchmark::kMicrosecond);

}  // namespace
