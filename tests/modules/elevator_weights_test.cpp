// The elevator and the falling weights on fixture maps: the elevator's speeds and stops, letting
// go, her body over the cabin's edge, its cable; the 16-ton's trigger window, the landing's
// shake and thud only near her, the landing on thick and thin floors; the piston's cycle, its
// speed cap and its shorter rise while she rides it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/draw_queue.h"

namespace {

constexpr int kSoundThud = 4;
constexpr int kSoundElevator = 18;

// A floor at row 25 (y 400) with a shaft at columns 10..12 down to a floor at row 41 (y 656), a
// stop over it at row 18, and open sky over columns 30..32.
std::vector<std::string> ShaftRows() {
  std::vector<std::string> rows(25, std::string(40, '.'));
  rows[18].replace(10, 3, "###");
  rows.push_back("##########...###########################");
  for (int r = 26; r <= 40; ++r) rows.push_back("#########.....##########################");
  rows.push_back(std::string(40, '#'));
  return rows;
}

class ElevatorTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(ShaftRows());
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = 400 - 65});
    elevator = Actor(72, SpawnActor(72, 160, 400, -1, 0));
    game.Run(3);
  }
  // The elevator's speed in each frame while the button is held.
  std::vector<int> Hold(int button, int frames) {
    std::vector<int> speeds;
    game.HoldButton(button);
    for (int i = 0; i < frames; ++i) {
      game.Run();
      speeds.push_back(elevator.StepY());
    }
    game.ReleaseButton(button);
    return speeds;
  }
  std::vector<DrawCommand> Rects(int x) const {
    std::vector<DrawCommand> found;
    for (const DrawCommand& c : game.Draws(1))
      if (c.type == 3 && c.x == x) found.push_back(c);
    return found;
  }

  FrameHarness game;
  int hero_x = 166;  // her body strictly inside the cabin's 48 pixels
  Actor elevator{72, 0};
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(ElevatorTest, ItSpeedsUpBy2To8RunsToTheFloorAndBackToItsStopCarryingHer) {
  ASSERT_EQ(elevator.Ridden(), 1);
  const int hums = PlayCount(kSoundElevator);
  const std::vector<int> down = Hold(kButtonDown, 40);
  EXPECT_EQ(std::vector<int>(down.begin(), down.begin() + 6), (std::vector<int>{2, 4, 6, 8, 8, 8}));
  // 240 pixels down: 20 speeding up, 27 frames at 8, the last 4 as the probe measures them.
  EXPECT_EQ(down[30], 8);
  EXPECT_EQ(down[31], 4);
  EXPECT_EQ(down[32], 0);
  EXPECT_EQ(elevator.PosY(), 640);  // flush on the floor
  EXPECT_EQ(hero.PosY(), 640 - 65);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_GE(PlayCount(kSoundElevator), hums + 31);
  const std::vector<int> up = Hold(kButtonUp, 40);
  EXPECT_EQ(std::vector<int>(up.begin(), up.begin() + 5), (std::vector<int>{-2, -4, -6, -8, -8}));
  EXPECT_EQ(elevator.PosY(), 400);  // its roof under the stop
  EXPECT_EQ(hero.PosY(), 400 - 65);
}

TEST_F(ElevatorTest, LettingGoStopsItInTheSameFrameAndClearsHerPadsHistory) {
  Hold(kButtonDown, 10);
  ASSERT_EQ(elevator.StepY(), 8);
  game.Run();  // let go
  EXPECT_EQ(elevator.StepY(), 0);
  const int y = elevator.PosY();
  for (int row = 0; row < 10; ++row) EXPECT_EQ(hero.History(ActorField::InputHistory, row), 0) << row;
  game.Run(10);
  EXPECT_EQ(elevator.PosY(), y);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
}

TEST_F(ElevatorTest, WithHerBodyOverTheCabinsEdgeSheDoesNotSteerItAndItsLampStaysRed) {
  hero.PosX() = 148;  // her body from x 160, the cabin's own left edge
  game.Run(3);
  ASSERT_EQ(elevator.Ridden(), 1);
  Hold(kButtonDown, 10);
  EXPECT_EQ(elevator.PosY(), 400);
  EXPECT_EQ(elevator.ModeBits(), 0);
  const std::vector<DrawCommand> lamp = Rects(160 + 16);
  ASSERT_EQ(lamp.size(), 1u);
  EXPECT_EQ(lamp[0].colour & 0x00FFFF, 0u);  // a red ramp
  hero.PosX() = 166;
  game.Run(3);
  EXPECT_EQ(elevator.ModeBits(), 1);
  EXPECT_EQ(Rects(160 + 16)[0].colour & 0xFF00FF, 0u);  // a green ramp
}

// The cable hangs from just below the first solid tile over the cabin, or from the world's top.
TEST_F(ElevatorTest, ItsCableHangsFromTheRockOverItOrFromTheWorldsTop) {
  const Actor open(72, SpawnActor(72, 480, 400, -1, 0));
  game.Run();
  auto cable = [&](int x) {
    for (const DrawCommand& c : Rects(x + 23))
      if (c.w == 1) return c;
    return DrawCommand{};
  };
  EXPECT_EQ(cable(160).y, 19 * 16);
  EXPECT_EQ(cable(160).y + cable(160).h, 304 + 16);  // to the bottom of the roof's row
  EXPECT_EQ(cable(open.PosX()).y, 0);
  EXPECT_EQ(cable(open.PosX()).h, 304 + 16);
}

// ---- the weights --------------------------------------------------------------------------------

class WeightsTest : public testing::Test {
 protected:
  void SetUp() override { game.Run(); }
  // Floors `thickness` rows thick from row `row` on, and the heroine standing on it at x.
  void Enter(int row, int thickness, int hero_x) {
    LoadFixtureMap(std::vector<std::string>(thickness, std::string(200, '#')), {}, 0, row);
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = row * 16 - 65});
    game.Run();
  }
  static Actor Weight(int group, int x, int y) { return Actor(group, SpawnActor(group, x, y, -1, 0)); }
  static int32_t Phase(const Actor& w) { return w.MoneyReward(); }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

// Her centre is (524, 1568): the 16-ton falls when its centre is at most 63 pixels to either side
// and from 1 to 1279 pixels above hers.
TEST_F(WeightsTest, TheSixteenTonFallsOnlyWhenSheIsUnderItWithinItsWindow) {
  Enter(100, 2, 500);
  struct Case {
    int dx, dy;
    bool falls;
  } const cases[] = {
      {63, -100, true}, {64, -100, false}, {-63, -100, true}, {-64, -100, false},
      {0, -1, true},    {0, 0, false},     {0, -1279, true},  {0, -1280, false},
  };
  std::vector<Actor> weights;
  for (const Case& c : cases) weights.push_back(Weight(73, 524 + c.dx - 24, 1568 + c.dy - 32));
  game.Run();
  for (size_t i = 0; i < weights.size(); ++i)
    EXPECT_EQ(Phase(weights[i]), cases[i].falls ? 1 : 0) << "dx " << cases[i].dx << ", dy " << cases[i].dy;
}

TEST_F(WeightsTest, ALandingShakesTheViewWithAThudOnlyNearHerAndTheSpeedStopsAt8) {
  Enter(60, 2, 100);
  const Actor far = Weight(73, 1600, 200), near = Weight(73, 400, 200);
  game.Run();
  for (const Actor* w : {&far, &near}) {
    const int thuds = PlayCount(kSoundThud);
    w->MoneyReward() = 1;  // falling, as if she had passed under it
    int top_speed = 0, frames = 0;
    bool shook = false;
    while (Phase(*w) == 1 && frames++ < 200) {
      game.Run();
      top_speed = std::max(top_speed, w->VelY());
      shook = shook || CameraShake.on != 0;
    }
    EXPECT_EQ(w->PosY() + 64, 960);  // on the floor
    EXPECT_EQ(top_speed, 8);
    EXPECT_EQ(shook, w == &near);
    EXPECT_EQ(PlayCount(kSoundThud), thuds + (w == &near ? 1 : 0));
  }
}

// A weight that starts falling with its bottom on the floor searches the 16 rows under it for a
// free one: a floor of two rows holds it, one of a single row lets it through.
TEST_F(WeightsTest, AWeightFallingFromTheFloorSinksThroughAFloorOfOneRow) {
  Enter(60, 2, 100);
  const Actor thick = Weight(73, 400, 960 - 64);
  game.Run();
  thick.MoneyReward() = 1;
  game.Run(3);
  EXPECT_EQ(Phase(thick), 2);
  EXPECT_EQ(thick.PosY(), 960 - 64);
  Enter(60, 1, 100);
  const Actor thin = Weight(73, 400, 960 - 64);
  game.Run();
  thin.MoneyReward() = 1;
  game.Run();
  EXPECT_EQ(thin.PosY(), 960 - 64 + 17);
}

TEST_F(WeightsTest, ThePistonFallsRestsRisesAndFallsAgainTurningShortWhileSheRidesIt) {
  Enter(25, 2, 1000);
  const Actor piston = Weight(74, 300, 100);  // rests on the floor at 336
  std::vector<int> phases, ys, speeds;
  for (int i = 0; i < 200; ++i) {
    game.Run();
    phases.push_back(Phase(piston));
    ys.push_back(piston.PosY());
    speeds.push_back(piston.VelY());
  }
  EXPECT_EQ(*std::max_element(speeds.begin(), speeds.end()), 16);
  const size_t landed = std::find(ys.begin(), ys.end(), 336) - ys.begin();
  ASSERT_LT(landed, ys.size());
  EXPECT_EQ(phases[landed], 3);
  for (size_t i = landed; i <= landed + 14; ++i) EXPECT_EQ(ys[i], 336) << i - landed;
  EXPECT_EQ(ys[landed + 15], 334);  // rising from the 15th frame after the landing
  EXPECT_EQ(ys[landed + 16], 332);
  // Back at its hanging height it falls again at once.
  int frames = 0;
  while (piston.PosY() > 100 && frames++ < 200) game.Run();
  EXPECT_EQ(piston.PosY(), 100);
  game.Run();
  EXPECT_EQ(Phase(piston), 1);
  EXPECT_GT(piston.PosY(), 100);
  // She stands on it while it rests and rides it up: it turns back 66 pixels short.
  while (Phase(piston) < 3 && frames++ < 400) game.Run();
  hero.PosX() = 300;
  hero.PosY() = 336 - 70;
  int highest = 336;
  while (Phase(piston) != 1 && frames++ < 600) {
    game.Run();
    highest = std::min(highest, piston.PosY());
  }
  EXPECT_EQ(piston.Ridden(), 1);
  EXPECT_EQ(highest, 100 + 66);
  // Its rope hangs from the step over its hanging height down to its top.
  int ropes = 0;
  for (const DrawCommand& c : game.Draws(1)) {
    if (c.type != 3 || c.w != 2) continue;
    ++ropes;
    EXPECT_EQ(c.x, 300 + 23);
    EXPECT_EQ(c.y + c.h, piston.PosY());
    EXPECT_EQ(c.h % 16, 0);
    EXPECT_TRUE(c.y < 100 && c.y >= 100 - 16) << c.y;
  }
  EXPECT_EQ(ropes, 1);
}

}  // namespace
