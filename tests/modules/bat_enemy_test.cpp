// The bat in play on fixture maps: it flies 4 pixels a frame on a 24-frame swoop 40 pixels deep,
// swoops through floors, turns at walls and 960 pixels from home, shows its facing, and once
// defeated falls to the floor, blinks, and comes back home when the heroine has left its
// surroundings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "platform/counters.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"

namespace {

constexpr int kBatGroup = 32;

class BatTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // Play on the rows (the first at map row `top`), the heroine far away.
  void Enter(const std::vector<std::string>& rows, int top) {
    LoadFixtureMap(rows, {}, 0, top);
    EnterPlay();
    PutHeroineAt(6000, 100);
  }
  // A bat spawned and run through its first frame, facing right (frame counter 0 odd) or left.
  Actor Spawn(int x, int y, int face) {
    const Actor b(kBatGroup, SpawnActor(kBatGroup, x, y, -1, 0));
    FrameCounters.frame[0] = face == 1 ? 1 : 2;
    game_.Run();
    return b;
  }
  // Its positions over the next n frames.
  std::vector<std::pair<int, int>> Fly(const Actor& b, int n) {
    std::vector<std::pair<int, int>> at;
    for (int i = 0; i < n; ++i) {
      game_.Run();
      at.emplace_back(b.PosX(), b.PosY());
    }
    return at;
  }

  FrameHarness game_;
};

TEST_F(BatTest, FliesFourPixelsAFrameSwoopingFortyPixelsDownAndBackEveryTwentyFourFrames) {
  Enter({}, 0);
  const Actor b = Spawn(400, 200, 1);
  const int x0 = b.PosX(), y0 = b.PosY();
  const auto at = Fly(b, 48);
  int lowest = y0;
  for (int i = 0; i < 48; ++i) {
    EXPECT_EQ(at[i].first, x0 + 4 * (i + 1)) << i;
    lowest = std::max(lowest, at[i].second);
  }
  EXPECT_EQ(at[23].second, y0);  // one whole wave
  EXPECT_EQ(at[47].second, y0);
  EXPECT_EQ(lowest - y0, 40);

  const Actor left = Spawn(400, 300, -1);
  const int lx = left.PosX();
  game_.Run(10);
  EXPECT_EQ(left.PosX(), lx - 40);
}

TEST_F(BatTest, ShowsItsFacingWithTheLeftPicturesOneRowBelow) {
  Enter({}, 0);
  const Actor right = Spawn(100, 100, 1);
  const Actor left = Spawn(300, 100, -1);
  right.AnimCursor() = left.AnimCursor() = 13;  // pattern 2, wings down, shown at the next draw
  game_.Run();
  std::vector<uint32_t> right_cells, left_cells;
  for (const DrawCommand& c : game_.Draws(1)) (c.x < 200 ? right_cells : left_cells).push_back(c.cell);
  // 2 x 1 cells: wings down, from cell 5 of sheet 3 facing right, a row lower facing left.
  EXPECT_EQ(right_cells, (std::vector<uint32_t>{3605, 3606}));
  EXPECT_EQ(left_cells, (std::vector<uint32_t>{3645, 3646}));
}

TEST_F(BatTest, SwoopsThroughAFloorAsThroughTheAir) {
  // A floor across its swoop: row 14, y 224..239.
  std::vector<std::string> rows(20, std::string(60, '.'));
  rows[14] = std::string(60, '#');
  Enter(rows, 0);
  const Actor b = Spawn(400, 200, 1);
  const int y0 = b.PosY();
  std::vector<int> ys;
  for (int i = 0; i < 72; ++i) {
    game_.Run();
    ys.push_back(b.PosY());
  }
  for (size_t i = 23; i < ys.size(); i += 24) EXPECT_EQ(ys[i], y0) << i;
  EXPECT_EQ(*std::max_element(ys.begin(), ys.end()), y0 + 40);  // down into the floor, and out
}

TEST_F(BatTest, TurnsAtAWallAndFliesBack) {
  // A wall at column 40 (x 640).
  std::vector<std::string> rows(20, std::string(60, '.'));
  for (std::string& r : rows) r[40] = '#';
  Enter(rows, 0);
  const Actor b = Spawn(400, 100, 1);
  std::vector<int> xs;
  for (int i = 0; i < 120; ++i) {
    game_.Run();
    xs.push_back(b.PosX());
  }
  const size_t turn = static_cast<size_t>(std::max_element(xs.begin(), xs.end()) - xs.begin());
  const int furthest = xs[turn];
  // Its body (x + 4 .. x + 28) came within a step of the wall; its probe looks past the step it
  // takes, so the wall turned it before it reached it.
  EXPECT_GE(furthest + 28, 640 - 6);
  EXPECT_LE(furthest + 28, 640);
  EXPECT_EQ(b.FaceX(), -1);
  ASSERT_LT(turn, 60u);
  for (size_t i = turn + 1; i < xs.size(); ++i) EXPECT_EQ(xs[i], xs[i - 1] - 4) << i;  // flying back
}

TEST_F(BatTest, TurnsNineHundredAndSixtyPixelsFromHome) {
  Enter({}, 0);
  const Actor b = Spawn(1000, 200, 1);
  int turn_right = -1, turn_left = -1;
  for (int i = 0; i < 1200 && turn_left < 0; ++i) {
    const int face = b.FaceX();
    game_.Run();
    if (face == 1 && b.FaceX() == -1) turn_right = b.PosX();
    if (face == -1 && b.FaceX() == 1) turn_left = b.PosX();
  }
  EXPECT_EQ(turn_right, 1964);  // the first position past HomeX + 960
  EXPECT_EQ(turn_left, 36);     // and past HomeX - 960
}

TEST_F(BatTest, DefeatedItFallsToTheFloorBlinksAndReturnsHomeWhenSheHasLeft) {
  // A floor at row 20 (y 320).
  Enter({std::string(60, '#')}, 20);
  const Actor b = Spawn(400, 100, 1);
  game_.Run(5);
  b.Life() = 0;
  game_.Run();  // the draw starts the defeat
  ASSERT_EQ(b.State(), kActorEnding);
  EXPECT_EQ(b.Motion(), 3);
  const int x = b.PosX();
  PutHeroineAt(x + 900, 300);  // near where it falls
  int last_y = b.PosY(), fastest = 0, frames = 0;
  while (b.State() == kActorEnding && frames < 200) {
    game_.Run();
    ++frames;
    fastest = std::max(fastest, b.PosY() - last_y);
    last_y = b.PosY();
    EXPECT_EQ(b.PosX(), x);  // straight down
    if (b.State() == kActorEnding) {
      const std::vector<DrawCommand> cells = game_.Draws(1);
      ASSERT_EQ(cells.size(), 2u);
      EXPECT_EQ(cells[0].visible, 0u);  // blinking
      EXPECT_TRUE(cells[0].cell == 3603u || cells[0].cell == 3643u) << cells[0].cell;  // wings level
    }
    if (frames == 60) {
      EXPECT_EQ(b.BodyBox().bottom, 319) << "lying on the floor";
    }
  }
  EXPECT_EQ(frames, 89);
  EXPECT_EQ(fastest, 10);
  EXPECT_EQ(b.State(), kActorGone);
  game_.Run(300);
  EXPECT_EQ(b.State(), kActorGone);  // she is still about
  PutHeroineAt(x + 961, 300);
  game_.Run();
  game_.Run();
  EXPECT_EQ(b.State(), kActorActive);
  EXPECT_EQ(b.HomeX(), 400);
  EXPECT_EQ(b.Life(), 5);
  EXPECT_LT(std::abs(b.PosX() - 400), 12);  // back home, flying again
}

}  // namespace
