#include <gtest/gtest.h>
#include <time.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "world/camera.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"
namespace {
double Now() { timespec t; clock_gettime(CLOCK_MONOTONIC, &t); return t.tv_sec * 1e6 + t.tv_nsec / 1e3; }
struct Timed { std::vector<double> us; std::vector<int> actors; };
int Actors() { int n = 0; for (int g = 0; g < 256; ++g) n += CountActors(g); return n; }
void Report(const char* name, const Timed& t, int window = 300) {
  double sum = 0, mx = 0; int at = 0;
  for (size_t i = 0; i < t.us.size(); ++i) { sum += t.us[i]; if (t.us[i] > mx) { mx = t.us[i]; at = i; } }
  double best = 0; int best_at = 0;
  for (size_t i = 0; i + window <= t.us.size(); i += 10) { double s = 0; for (int k = 0; k < window; ++k) s += t.us[i + k]; if (s > best) { best = s; best_at = i; } }
  int maxa = *std::max_element(t.actors.begin(), t.actors.end());
  std::printf("%-20s frames %6zu mean %7.1f us max %8.1f us (frame %d) busiest %d-window mean %7.1f at %d; max actors %d\n", name, t.us.size(), sum / t.us.size(), mx, at, window, best / window, best_at, maxa);
}
void Frame(FrameHarness& g, Timed& t) { double a = Now(); g.Run(); t.us.push_back(Now() - a); t.actors.push_back(Actors()); }

TEST(Explore, Boss) {
  FrameHarness game; Timed t;
  StartInTheCave(game);
  while (IsFading() == 1) game.Run();
  ChangeScene(kSceneCorridor); RedrawAllLayers();
  const Actor hero{kHeroineGroup, 0}; const Actor head{37, 0};
  PlaceHeroine(0, 221 * 16 + 16 - 24, 26 * 16 - 65, 'R', 'N');
  game.Run(10);
  game.HoldButton(kButtonUp); Frame(game, t); game.ReleaseButton(kButtonUp);
  for (int i = 0; i < 400 && SubMode == kSubFieldEvent; ++i) Frame(game, t);
  if (getenv("RING")) PlayerStats.EquippedRing = 0x08;
  game.HoldButton(kButtonRight);
  for (int i = 0; i < 200 && SubMode != kSubGuideEvent; ++i) Frame(game, t);
  game.ReleaseButton(kButtonRight);
  for (int taps = 0; taps < 60 && SubMode == kSubGuideEvent; ++taps) { if (MessageWindow.open == 1) { game.HoldButton(kButtonJump); Frame(game, t); game.ReleaseButton(kButtonJump); Frame(game,t);} else Frame(game, t); }
  int start = t.us.size();
  for (int i = 0; i < 6000 && head.State() == kActorActive; ++i) {
    const int dx = head.CentreX() - hero.CentreX(), dy = head.CentreY() - hero.CentreY();
    if (i % 2 == 0 && dx > -24 && dx < 24 && dy < -40) { game.HoldButton(kButtonUp); game.HoldButton(kButtonAction); }
    else if (i % 2 == 0 && dy > -40 && dy < 40) { game.HoldButton(kButtonAction); }
    else { game.ReleaseButton(kButtonUp); game.ReleaseButton(kButtonAction); }
    if (i % 300 < 60) game.HoldButton(kButtonLeft); else game.ReleaseButton(kButtonLeft);
    if (i % 300 >= 150 && i % 300 < 210) game.HoldButton(kButtonRight); else game.ReleaseButton(kButtonRight);
    Frame(game, t);
    PlayerStats.Hp = PlayerStats.MaxHp;
  }
  std::printf("boss fight from frame %d; boss state %d after %zu\n", start, head.State(), t.us.size());
  Report("boss", t);
  for (int i = 0; i < 300 && SubMode != 0; ++i) { if (MessageWindow.open == 1) { game.HoldButton(kButtonJump); Frame(game, t); game.ReleaseButton(kButtonJump); Frame(game,t);} else Frame(game, t); }
  Report("boss+after", t);
}

TEST(Explore, CaveWalk) {
  FrameHarness game; Timed t;
  StartInTheCave(game);
  while (IsFading() == 1) game.Run();
  const Actor hero{kHeroineGroup, 0};
  // walk right through the cave's top screens, jumping and shooting, invulnerable
  for (int i = 0; i < 6000; ++i) {
    if (SubMode != 0 && MessageWindow.open == 1) { game.ReleaseButton(kButtonAction); game.HoldButton(kButtonJump); Frame(game, t); game.ReleaseButton(kButtonJump); Frame(game, t); continue; }
    if (SubMode != 0) { Frame(game, t); continue; }
    game.HoldButton(kButtonRight);
    if (i % 40 < 10) game.HoldButton(kButtonJump); else game.ReleaseButton(kButtonJump);
    if (i % 8 < 2) game.HoldButton(kButtonAction); else game.ReleaseButton(kButtonAction);
    Frame(game, t);
    PlayerStats.Hp = PlayerStats.MaxHp;
    if (i % 500 == 0) std::printf("  %d: x %d y %d sub %d/%d\n", i, hero.PosX(), hero.PosY(), SubMode, SubModeArg);
  }
  std::printf("cave walk ends at %d,%d map %s sub %d/%d\n", hero.PosX(), hero.PosY(), MapPath, SubMode, SubModeArg);
  game.SavePicture("/tmp/cave_end.png");
  Report("cave", t);
}

TEST(Explore, Town) {
  InScene game(kSceneTown); Timed t;
  for (int i = 0; i < 4000; ++i) {
    if (SubMode != 0 && MessageWindow.open == 1) { game.HoldButton(kButtonJump); Frame(game, t); game.ReleaseButton(kButtonJump); continue; }
    if ((i / 1000) % 2 == 0) { game.ReleaseButton(kButtonLeft); game.HoldButton(kButtonRight);} else { game.ReleaseButton(kButtonRight); game.HoldButton(kButtonLeft);}
    if (i % 40 < 10) game.HoldButton(kButtonJump); else game.ReleaseButton(kButtonJump);
    Frame(game, t);
  }
  Report("town", t);
}

TEST(Explore, TitleAndOpening) {
  FrameHarness game; Timed t;
  for (int i = 0; i < 1000; ++i) Frame(game, t);
  Report("title demo", t);
}
}
namespace {
void Scan(int scene, const char* name) {
  FrameHarness game;
  game.Run(); SubMode = kSubWorld; SubModeArg = 0; ChangeScene(scene); game.Run(); while (IsFading() == 1) game.Run();
  const Actor hero{kHeroineGroup, 0};
  std::vector<std::tuple<double,int,int,int>> rows;
  for (int sy = 0; sy < 10; ++sy) for (int sx = 0; sx < 10; ++sx) {
    Timed t;
    PlaceHeroine(0, sx * 640 + 320, sy * 480 + 200, 'R', 'N');
    HeroControl = 0;
    for (int i = 0; i < 90; ++i) { if (SubMode != 0) { SubMode = 0; SubModeArg = 0; HeroControl = 0; CloseMessage(); } Frame(game, t); PlayerStats.Hp = PlayerStats.MaxHp; }
    double s = 0; for (int i = 30; i < 90; ++i) s += t.us[i];
    rows.emplace_back(s / 60, sx, sy, t.actors.back());
  }
  std::sort(rows.rbegin(), rows.rend());
  for (int i = 0; i < 8; ++i) std::printf("%s screen %d,%d: mean %.1f us, actors %d\n", name, std::get<1>(rows[i]), std::get<2>(rows[i]), std::get<0>(rows[i]), std::get<3>(rows[i]));
  std::printf("%s cheapest: %.1f\n", name, std::get<0>(rows.back()));
}
TEST(Explore, ScanCave) { Scan(kSceneCave, "cave"); }
TEST(Explore, ScanCorridor) { Scan(kSceneCorridor, "corridor"); }
TEST(Explore, ScanTown) { Scan(kSceneTown, "town"); }
}
