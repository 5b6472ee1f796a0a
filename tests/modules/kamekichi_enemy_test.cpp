// Kamekichi and the roamer in play on fixture maps: Kamekichi walks its floor and looks the same
// whichever way it goes, and keeps walking when a hit has set its motion; the roamer hops 4
// pixels across and up in one frame and drops back, leaps 45 pixels, never hops further out than
// 960 pixels from its home, falls ever faster from a height, and dies on its own sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "platform/counters.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"

namespace {

constexpr int kFloorRow = 20;
constexpr int kFloorTop = kFloorRow * 16;
constexpr int kStandingY = kFloorTop - 32;  // a 2 x 2 enemy's tile: two rows over the floor
constexpr int kLandedY = kFloorTop - 33;    // where a fall ends: the body's bottom over the floor

class SmallEnemyTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // Play on the rows, the last of which is the floor row; the heroine far away.
  void Enter(const std::vector<std::string>& rows) {
    LoadFixtureMap(rows, {}, 0, kFloorRow + 1 - static_cast<int>(rows.size()));
    EnterPlay();
    PutHeroineAt(6000, 100);
  }
  // One of the group spawned at (x, y), through its first frame, facing right (frame counter 0
  // odd at the spawn) or left.
  Actor Spawn(int group, int x, int y, int face) {
    const Actor a(group, SpawnActor(group, x, y, -1, 0));
    FrameCounters.frame[0] = face == 1 ? 1 : 2;
    game_.Run();
    return a;
  }
  // The first cells queued this frame on layer 1, one a 2 x 2 picture.
  std::set<uint32_t> FirstCells() const {
    std::set<uint32_t> cells;
    for (const DrawCommand& c : game_.Draws(1)) cells.insert(c.cell);
    return cells;
  }

  FrameHarness game_;
};

std::string Row(int columns, char c) { return std::string(static_cast<size_t>(columns), c); }

TEST_F(SmallEnemyTest, KamekichiWalksToTheWallAndBackLookingTheSameEitherWay) {
  std::string row = Row(40, '.');
  row[30] = '#';  // a wall at x 480
  Enter({row, Row(40, '#')});
  const Actor k = Spawn(33, 320, kStandingY, 1);
  std::set<uint32_t> right_cells, left_cells;
  int last_x = k.PosX(), far = 0;
  for (int i = 0; i < 200; ++i) {
    game_.Run();
    ASSERT_EQ(std::abs(k.PosX() - last_x), 1) << i;  // a pixel a frame, there and back
    last_x = k.PosX();
    far = std::max(far, k.PosX());
    for (const uint32_t c : FirstCells()) (k.FaceX() == 1 ? right_cells : left_cells).insert(c);
  }
  EXPECT_EQ(k.PosY(), kStandingY);
  EXPECT_LE(far + 8 + 16, 480);  // its body came up against the wall, and it turned
  EXPECT_GE(far + 8 + 16, 476);
  EXPECT_EQ(k.FaceX(), -1);
  // The three steps of its walk, 2 x 2 cells each from 3607, 3609 and 3611, the same both ways.
  const std::set<uint32_t> walk = {3607, 3608, 3647, 3648, 3609, 3610, 3649, 3650, 3611, 3612, 3651, 3652};
  EXPECT_EQ(right_cells, walk);
  EXPECT_EQ(left_cells, walk);
}

TEST_F(SmallEnemyTest, AKamekichiJustHitWalksOnAndStaysHit) {
  Enter({Row(40, '#')});
  const Actor k = Spawn(33, 320, kStandingY, 1);
  k.Motion() = 7;  // what a shot's hit sets
  const int x = k.PosX();
  game_.Run(5);
  EXPECT_EQ(k.PosX(), x + 5);
  EXPECT_EQ(k.Motion(), 7);  // standing on its floor: no landing sets its motion anew
}

// The frames until the roamer's ModeBits show a hop (0) or its Motion a leap (4); the position
// before that frame and in it.
struct Jump {
  int before_x, before_y;
  int x, y;
};
template <typename Started>
Jump RunUntil(FrameHarness& game, const Actor& r, Started started) {
  for (int i = 0; i < 2000; ++i) {
    const int x = r.PosX(), y = r.PosY();
    game.Run();
    if (started()) return {x, y, r.PosX(), r.PosY()};
  }
  ADD_FAILURE() << "it never started";
  return {};
}

TEST_F(SmallEnemyTest, TheRoamerHopsFourAcrossAndUpAndDropsBack) {
  Enter({Row(60, '#')});
  const Actor r = Spawn(34, 400, kStandingY, 1);
  EXPECT_EQ(r.ModeBits(), 2);  // resting
  const Jump hop = RunUntil(game_, r, [&] { return r.ModeBits() == 0; });
  EXPECT_EQ(hop.y - hop.before_y, -4);
  EXPECT_EQ(std::abs(hop.x - hop.before_x), 4);
  // Nothing holds it up there: within a few frames it is down on the floor again.
  bool down = false;
  for (int i = 0; i < 10 && !down; ++i) {
    game_.Run();
    down = r.PosY() == kLandedY;
  }
  EXPECT_TRUE(down);
}

TEST_F(SmallEnemyTest, TheRoamerLeapsFortyFivePixels) {
  Enter({Row(60, '#')});
  const Actor r = Spawn(34, 400, kStandingY, 1);
  const Jump leap = RunUntil(game_, r, [&] { return r.Motion() == 4; });
  int top = leap.y;
  for (int i = 0; i < 12; ++i) {
    game_.Run();
    top = std::min(top, r.PosY());
    EXPECT_EQ(r.PosX(), leap.x);  // straight up and down
  }
  EXPECT_EQ(leap.before_y - top, 45);
}

TEST_F(SmallEnemyTest, TheRoamerNeverHopsFurtherThanNineHundredAndSixtyFromHome) {
  Enter({Row(200, '#')});
  const Actor out_right = Spawn(34, 1500, kStandingY, 1);
  out_right.HomeX() = 1500 - 961;
  const Actor out_left = Spawn(34, 2500, kStandingY, -1);
  out_left.HomeX() = 2500 + 961;
  int hops_right = 0, hops_left = 0;
  for (int i = 0; i < 1500; ++i) {
    const int xr = out_right.PosX(), xl = out_left.PosX();
    game_.Run();
    ASSERT_LE(out_right.PosX(), xr + (xr <= out_right.HomeX() + 960 ? 4 : 0)) << i;
    ASSERT_GE(out_left.PosX(), xl - (xl >= out_left.HomeX() - 960 ? 4 : 0)) << i;
    hops_right += out_right.PosX() != xr ? 1 : 0;
    hops_left += out_left.PosX() != xl ? 1 : 0;
  }
  // They did hop, back towards home: nothing else held them.
  EXPECT_GT(hops_right, 10);
  EXPECT_GT(hops_left, 10);
  EXPECT_LT(out_right.PosX(), 1500);
  EXPECT_GT(out_left.PosX(), 2500);
}

TEST_F(SmallEnemyTest, ARoamerFallsEverFasterAndDiesOnItsOwnSequence) {
  Enter({Row(40, '#')});
  const Actor r = Spawn(34, 320, kStandingY - 200, 1);
  std::vector<int> steps;
  int y = r.PosY();
  while (r.PosY() != kLandedY && steps.size() < 40) {
    game_.Run();
    steps.push_back(r.PosY() - y);
    y = r.PosY();
  }
  EXPECT_EQ(r.Motion(), 0);  // landed
  // A pixel a frame faster every frame, with no top speed (the heroine's falls stop at 10), until
  // the floor cuts the last step short.
  ASSERT_GE(steps.size(), 3u);
  for (size_t i = 1; i + 1 < steps.size(); ++i) EXPECT_EQ(steps[i], steps[i - 1] + 1) << i;
  EXPECT_GT(steps[steps.size() - 2], 10);

  r.Life() = 0;
  game_.Run();  // the draw starts the defeat
  ASSERT_EQ(r.State(), kActorEnding);
  std::vector<uint32_t> firsts;
  for (int i = 0; i < 16; ++i) {
    game_.Run();
    const std::vector<DrawCommand> cells = game_.Draws(1);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].visible, 0u);  // blinking
    firsts.push_back(cells[0].cell);
  }
  // Its death: patterns 0 1 2 3 4 3 2 1, two frames each, over and over.
  const uint32_t p[5] = {3767, 3769, 3771, 3847, 3849};
  const std::vector<uint32_t> death = {p[0], p[0], p[1], p[1], p[2], p[2], p[3], p[3],
                                       p[4], p[4], p[3], p[3], p[2], p[2], p[1], p[1]};
  EXPECT_EQ(firsts, death);
}

}  // namespace
