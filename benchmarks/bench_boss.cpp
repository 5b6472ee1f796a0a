// A whole frame of the boss fight in the boss room: the head and its 15 segments, 64 of its shots
// in flight and three of the heroine's, the world passes, the camera, the map layers and every
// cell. Two set-ups, measured apart: the head circling and firing (a shot every frame), and a
// laser run with its beam on (the head hovering). The fight is put back before each frame, so
// that every measured frame does that work: the shots where they were, a full beam, the head's
// life, the heroine's health and place.
#include <benchmark/benchmark.h>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/scene_change.h"
#include "bench_game.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "world/save_block.h"

namespace {

constexpr int kBoss = 37;
constexpr int kBossShots = 38;
constexpr int kHeroX = 176, kHeroY = 975;

void EnterFight() {
  StartBenchGame();
  SubMode = kSubWorld;
  SubModeArg = 0;
  ChangeScene(kSceneBossRoom);
  HeroControl = 0;
  for (int i = 0; i < 30; ++i) RunFrame(MainWindow);  // she lands on the floor
  SpawnActor(kBoss, 520, 700, 0, 0);
  for (int i = 0; i < 60; ++i) RunFrame(MainWindow);  // the chain uncoils
}

// The fight as each measured frame finds it.
void PutBackFight(bool laser) {
  const Actor head(kBoss, 0);
  head.Life() = head.MaxLife();
  if (laser) {
    // Hovering in its left beam, which stays at its fullest but one.
    SetActorModeBits(kBoss, 0, 0x8000, 'o');
    SetActorModeBits(kBoss, 0, 0x200, 'A');
    SetActorTimer(kBoss, 0, 4, 2);
    head.PosX() = 520;
    head.PosY() = 700;
  } else {
    // Circling for good, firing on every frame.
    SetActorModeBits(kBoss, 0, 0x1000, 'o');
    SetActorModeBits(kBoss, 0, 0x100, 'A');
    SetActorTimer(kBoss, 0, 0, 100);
    FrameCounters.frame[0] = 15;
  }
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor shot(kBossShots, s);
    if (s >= 64) {
      shot.State() = kActorFree;
      continue;
    }
    if (shot.State() == kActorFree) SpawnEffectActor(kBossShots, 0, 0, 1, 1, 0, 0, 15, 1, 2, 256, 1, 0, 4081, 6);
    shot.PosX() = 240 + 8 * s;
    shot.PosY() = 640 + 4 * (s % 16);
    shot.StepX() = s % 2 == 0 ? -5 : 5;
    shot.StepY() = s % 3 - 1;
    shot.MaxLife() = 200;
  }
  for (int k = 0; k < 3; ++k) {
    const Actor shot(kShotGroup, k);
    shot.State() = kActorActive;
    shot.Control() = kControlSelf;
    shot.Motion() = 1;
    shot.AnimCursor() = 10;
    shot.FaceX() = 1;
    shot.FaceY() = 0;
    shot.DefenseValue() = 8;
    shot.PosX() = 300 + 60 * k;
    shot.PosY() = 690 + 8 * k;
    shot.StepX() = shot.StepY() = shot.VelX() = shot.VelY() = 0;
  }
  const Actor hero(kHeroineGroup, 0);
  hero.PosX() = kHeroX;
  hero.PosY() = kHeroY;
  hero.VelX() = hero.VelY() = 0;
  hero.HitTimer() = 0;
  PlayerStats.Hp = PlayerStats.MaxHp;
}

void RunFight(benchmark::State& state, bool laser) {
  EnterFight();
  int beams = 0, fired = 0;
  for (auto _ : state) {
    PutBackFight(laser);
    const int shots = CountActors(kBossShots);
    RunFrame(MainWindow);
    TickFrame();
    if (GetActorModeBits(kBoss, 0, 'A') == 0x200 && GetActorTimer(kBoss, 0, 4) == 3) ++beams;
    if (CountActors(kBossShots) > shots) ++fired;
  }
  if (Actor(kBoss, 0).State() != kActorActive) state.SkipWithError("the boss is gone");
  if (laser && beams == 0) state.SkipWithError("no beam");
  if (!laser && fired == 0) state.SkipWithError("it never fired");
  StopBenchGame(state);
}

void BM_RunFrameBossFight(benchmark::State& state) { RunFight(state, state.range(0) == 1); }
BENCHMARK(BM_RunFrameBossFight)->ArgName("laser")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
