// Whole frames over the busiest stretch of play, each frame as the message loop runs it (the
// waiting keys, RunFrame, the frame counters), every frame of the stretch measured once: the
// time is the mean frame, the counter worst_ms the worst one, actors the most that were alive.
//
// The stretch was found by timing every frame of real play: a walk east through the cave, the
// corridor and the town, the boss fight from its door to the talk after it, the title's demo,
// the opening, and 100,000 frames of the soak's random play. The cave costs the most (about 10 %
// over the others, the boss fight included: the cave keeps about 110 actors alive, the boss room
// 68 at the height of the fight), and its busiest stretch is where the opening leaves her: the
// insect's first talk (its window over the crowded landing), then east down the landing's steps
// among the first enemies, jumping and shooting. The frames that change the scene or rebuild the
// display cost more (5 to 16 ms) but come alone, under a wipe or a fade.
//
// Her health is kept full so that the stretch is the same every time: a blow would end it.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>

#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kStretchFrames = 600;  // ten seconds of play
constexpr int kFirstTalkSeenFlag = 0;  // bank 0: the insect's first talk (513) was heard

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The cave as the opening leaves her, the fade-in over.
struct CaveStretch {
  CaveStretch() {
    StartInTheCave(game);
    while (IsFading() == 1) game.Run();
  }

  // The keys of the next frame: an open line is closed with a tap of jump; in the world she
  // walks east, jumping for 10 frames in 40 and shooting for 2 in 8.
  void Keys() {
    if (frame_ % 2 == 1) {
      game.ReleaseAll();  // taps and walks alike let go for a frame now and then
    } else if (MessageWindow.open == 1) {
      game.HoldButton(kButtonJump);
    } else if (SubMode == kSubWorld) {
      game.HoldButton(kButtonRight);
      if (frame_ % 40 < 10) game.HoldButton(kButtonJump);
      if (frame_ % 8 < 2) game.HoldButton(kButtonAction);
    }
    frame_ += 1;
  }

  // One frame, timed: keys, frame, health kept.
  double Frame() {
    Keys();
    const double start = Now();
    game.Run();
    const double ms = Now() - start;
    PlayerStats.Hp = PlayerStats.MaxHp;
    return ms;
  }

  FrameHarness game;
  int frame_ = 0;
};

void BM_RunFrameBusiest(benchmark::State& state) {
  {
    // Once through unmeasured, as play would have shown the opening's text before: the glyphs
    // drawn once are cached.
    CaveStretch warm_up;
    for (int i = 0; i < kStretchFrames; ++i) warm_up.Frame();
  }
  CaveStretch stretch;
  const Actor hero(kHeroineGroup, 0);
  const int start_x = hero.PosX();
  double worst = 0;
  int most_actors = 0;
  for (auto _ : state) {
    const double ms = stretch.Frame();
    state.SetIterationTime(ms / 1e3);
    worst = std::max(worst, ms);
    int actors = 0;
    for (int g = 0; g < kActorGroups; ++g) actors += CountActors(g);
    most_actors = std::max(most_actors, actors);
  }
  state.counters["worst_ms"] = worst;
  state.counters["actors"] = most_actors;
  if (GetFlag(0, kFirstTalkSeenFlag) != 1) state.SkipWithError("the insect's first talk was not heard");
  if (hero.PosX() - start_x < 1000) state.SkipWithError("she did not walk east among the enemies");
}
BENCHMARK(BM_RunFrameBusiest)->Iterations(kStretchFrames)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
