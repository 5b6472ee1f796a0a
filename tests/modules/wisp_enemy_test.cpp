// The wisp on fixture maps: it springs up 15 pixels and rises one less each frame, falls at
// most 10 pixels a frame and flies 4 a frame its way; thrown from a shelf it falls to the floor
// far below; at a wall it falls straight down along it; it bursts where it lands, the spark
// ahead of its centre, with its sound, draws nothing while it dies, and its slot is freed for
// good.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"

namespace {

constexpr int kWisp = 36;
constexpr int kImpact = 110;
constexpr int kBurstSound = 29;

class WispTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // A hall 60 columns wide, walls at both ends, its floor on row 30; a shelf on row 14 reaches
  // from the west wall to column `west_shelf`, and from column `east_shelf` to the east wall.
  void Enter(int west_shelf = 0, int east_shelf = 0) {
    std::vector<std::string> rows(31, "#" + std::string(58, '.') + "#");
    rows[0] = rows[30] = std::string(60, '#');
    rows[14].replace(0, static_cast<size_t>(west_shelf), std::string(static_cast<size_t>(west_shelf), '#'));
    if (east_shelf > 0)
      rows[14].replace(static_cast<size_t>(east_shelf), static_cast<size_t>(60 - east_shelf),
                       std::string(static_cast<size_t>(60 - east_shelf), '#'));
    LoadFixtureMap(rows);
    EnterPlay();
    PutHeroineAt(6000, 100);
  }
  // A wisp thrown at (x, y) the way `link` says (0 left, 1 right), as a thrower throws it.
  Actor Throw(int x, int y, int link) {
    const Actor w(kWisp, SpawnActor(kWisp, x, y, 1, 1));
    w.Link() = link;
    return w;
  }
  // Its positions frame by frame until it lands (Motion 0) or `n` frames have run.
  std::vector<std::pair<int, int>> Fly(const Actor& w, int n) {
    std::vector<std::pair<int, int>> at;
    for (int i = 0; i < n; ++i) {
      game_.Run();
      at.emplace_back(w.PosX(), w.PosY());
      if (w.Motion() == 0) break;
    }
    return at;
  }

  FrameHarness game_;
};

// Thrown from a shelf 256 pixels over the floor, either way: off its edge it goes on falling,
// 10 pixels a frame, to the floor far below.
TEST_F(WispTest, RisesFifteenThenOneLessEachFrameFallsAtMostTenAndFliesFourAcross) {
  for (const int link : {1, 0}) {
    SCOPED_TRACE(link == 1 ? "thrown right" : "thrown left");
    Enter(link == 1 ? 20 : 0, link == 1 ? 0 : 40);  // the shelf's edge at x 320 or 640
    const int x0 = link == 1 ? 256 : 672, y0 = 14 * 16 - 29;  // its body on the shelf
    const Actor w = Throw(x0, y0, link);
    const auto at = Fly(w, 100);
    ASSERT_EQ(w.Motion(), 0);
    int x = x0, y = y0;
    std::vector<int> dys;
    for (const auto& [px, py] : at) {
      EXPECT_EQ(px - x, link == 1 ? 4 : -4);
      dys.push_back(py - y);
      x = px;
      y = py;
    }
    ASSERT_GT(dys.size(), 40u);
    for (int i = 0; i <= 25; ++i) EXPECT_EQ(dys[i], -15 + i) << i;  // up 15 .. 1, then down 1 .. 10
    for (size_t i = 26; i + 1 < dys.size(); ++i) EXPECT_EQ(dys[i], 10) << i;
    // The last frame's fall ends on the floor, 2 pixels over it.
    EXPECT_EQ(w.BodyBox().bottom + dys.back(), 30 * 16 - 2);
    game_.Run();
    EXPECT_EQ(w.State(), kActorEnding) << "it burst";
    game_.Run(100);
  }
}

TEST_F(WispTest, AtAWallItFallsStraightDownAlongItAndBurstsAtItsFoot) {
  Enter();
  const Actor w = Throw(59 * 16 - 80, 300, 1);  // the east wall's face at x 944
  const auto at = Fly(w, 100);
  ASSERT_EQ(w.Motion(), 0);
  const int against = w.BodyBox().right;
  EXPECT_GE(against, 944 - 3);
  EXPECT_LE(against, 944);
  // Once at the wall it keeps pressing against it and comes straight down.
  size_t met = 0;
  while (met < at.size() && at[met].first != at.back().first) ++met;
  ASSERT_LT(met + 5, at.size());
  EXPECT_LT(at[met].second, at.back().second - 50);
  EXPECT_EQ(w.FaceX(), -1);  // the wall turned it about, but its way stays
  EXPECT_EQ(w.Link(), 1);
  EXPECT_GT(w.PosY(), 30 * 16 - 48);
}

TEST_F(WispTest, ItsBurstStandsAheadOfItsCentreAndItIsGoneForGood) {
  Enter();
  for (const int link : {0, 1}) {
    SCOPED_TRACE(link == 1 ? "thrown right" : "thrown left");
    const Actor w = Throw(480, 400, link);
    Fly(w, 100);
    ASSERT_EQ(w.Motion(), 0);
    const int centre_x = w.PosX() + 10 + 8, centre_y = w.PosY() + 5 + 12;  // of its body
    const int sounds = PlayCount(kBurstSound);
    game_.Run();
    ASSERT_EQ(w.State(), kActorEnding);
    EXPECT_EQ(PlayCount(kBurstSound), sounds + 1);
    int spark = -1;
    for (int s = 0; s < kActorSlots && spark < 0; ++s)
      if (Actor(kImpact, s).State() != kActorFree) spark = s;
    ASSERT_GE(spark, 0);
    EXPECT_EQ(Actor(kImpact, spark).HomeX(), centre_x + (link == 1 ? -4 : -16));
    EXPECT_EQ(Actor(kImpact, spark).HomeY(), centre_y);

    // Dying, it draws nothing; after its dying frames its slot is free, and stays free.
    int frames = 0;
    while (w.State() != kActorFree && frames < 200) {
      game_.Run();
      ++frames;
      for (const DrawCommand& c : game_.Draws(2)) EXPECT_FALSE(c.cell >= 4320 && c.cell < 4332) << frames;
    }
    EXPECT_EQ(frames, 90);
    game_.Run(300);
    EXPECT_EQ(CountActors(kWisp), 0);
    EXPECT_EQ(PlayCount(kBurstSound), sounds + 1);
  }
}

}  // namespace
