// The plain walker built from the module kit, on fixture maps: its walk, its turns at walls and
// at the ends of its range, its fall off a ledge and in a bottomless column, its defeat and its
// return home, a script holding it and a frozen slot, and its histories.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "platform/counters.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/test_walker.h"
#include "world/draw_queue.h"

namespace {

constexpr int kFloorRow = 20;
constexpr int kFloorTop = kFloorRow * 16;
constexpr int kStandingY = kFloorTop - 33;  // the body's bottom one pixel above the floor

class TestWalkerTest : public testing::Test {
 protected:
  void SetUp() override { game_.Run(); }

  // Enters play on the rows (the first at map row `top`) with no heroine; she is put by hand
  // far away, where she cannot hold a defeated walker back.
  void Enter(const std::vector<std::string>& rows, int top) {
    LoadFixtureMap(rows, {}, 0, top);
    EnterPlay();
    PutHeroine(6000, 100);
  }
  static void PutHeroine(int x, int y) {
    Actor(kHeroineGroup, 0).PosX() = x;
    Actor(kHeroineGroup, 0).PosY() = y;
  }
  // A walker spawned and run through its first frame, in which it starts facing right (frame
  // counter 0 odd) or left (even) and takes its first step.
  static Actor Spawn(int x, int y, int face) {
    const Actor w(kTestWalkerGroup, SpawnActor(kTestWalkerGroup, x, y, -1, 0));
    FrameCounters.frame[0] = face == 1 ? 1 : 2;
    RunWalkerWorldFrame();
    return w;
  }
  static void Frames(int n) {
    for (int i = 0; i < n; ++i) RunWalkerWorldFrame();
  }

  FrameHarness game_;
};

std::string Floor(int columns) { return std::string(static_cast<size_t>(columns), '#'); }

TEST_F(TestWalkerTest, WalksAPixelAFrameAndTurnsBackAtAWall) {
  // A wall at column 30 (x 480).
  std::string row(40, '.');
  row[30] = '#';
  Enter({row, Floor(40)}, kFloorRow - 1);
  const Actor w = Spawn(320, kStandingY, 1);
  std::vector<int> xs;
  for (int i = 0; i < 200; ++i) {
    RunWalkerWorldFrame();
    xs.push_back(w.PosX());
  }
  EXPECT_EQ(w.PosY(), kStandingY);  // it stood on the floor throughout
  for (int i = 1; i < 20; ++i) EXPECT_EQ(xs[i] - xs[i - 1], 1) << i;
  int far = 0;
  for (int x : xs) far = std::max(far, x);
  EXPECT_LE(far + 8 + 16, 480);  // its body never entered the wall
  EXPECT_EQ(w.FaceX(), -1);
  EXPECT_EQ(xs[199] - xs[198], -1);  // and it walks back
}

TEST_F(TestWalkerTest, TurnsAboutNineHundredAndSixtyPixelsFromItsHome) {
  Enter({Floor(170)}, kFloorRow);
  const Actor w = Spawn(1000, kStandingY, 1);
  int right_turn = -1, left_turn = -1;
  for (int i = 0; i < 3000 && left_turn < 0; ++i) {
    const int face = w.FaceX();
    RunWalkerWorldFrame();
    if (face == 1 && w.FaceX() == -1) right_turn = w.PosX();
    if (face == -1 && w.FaceX() == 1) left_turn = w.PosX();
  }
  EXPECT_EQ(right_turn, 1961);  // the first step past HomeX + 960
  EXPECT_EQ(left_turn, 39);     // the first step past HomeX - 960
}

TEST_F(TestWalkerTest, WalksOffALedgeAndLandsOnTheFloorBelow) {
  Enter({Floor(10) + std::string(20, '.'), std::string(30, '.'), std::string(30, '.'), std::string(30, '.'),
         Floor(30)},
        kFloorRow);
  const Actor w = Spawn(120, kStandingY, 1);
  Frames(60);
  EXPECT_EQ(w.PosY(), kStandingY + 64);  // four rows lower, standing
  EXPECT_EQ(w.Motion(), 0);
  const int x = w.PosX();
  Frames(5);
  EXPECT_EQ(w.PosX(), x + 5);  // walking on
  EXPECT_EQ(w.PosY(), kStandingY + 64);
}

TEST_F(TestWalkerTest, ABottomlessFallStopsGainingSpeed) {
  Enter({}, 0);
  const Actor w = Spawn(320, 100, 1);
  Frames(5200);
  EXPECT_EQ(w.VelY(), 4800);
  const int y = w.PosY();
  RunWalkerWorldFrame();
  EXPECT_EQ(w.PosY() - y, 4800);
}

TEST_F(TestWalkerTest, GoneOnTheEightyNinthUpdateAndHomeWhenSheLeavesWhereItFell) {
  Enter({Floor(60)}, kFloorRow);
  const Actor w = Spawn(300, kStandingY, 1);
  Frames(98);
  w.Life() = 0;
  RunWalkerWorldFrame();  // its last step, then the draw starts the defeat
  ASSERT_EQ(w.State(), kActorEnding);
  const int fell_x = w.PosX();
  ASSERT_EQ(fell_x, 400);
  PutHeroine(fell_x + 960, kStandingY - 480);  // at the corner of its window
  EXPECT_EQ(w.HitTimer(), 90);
  int updates = 0;
  while (w.State() == kActorEnding && updates < 200) {
    RunWalkerWorldFrame();
    ++updates;
    if (w.State() == kActorEnding) {
      ASSERT_EQ(DrawQueue.commands[1][0].visible, 0u);  // blinking
    }
  }
  EXPECT_EQ(updates, 89);
  EXPECT_EQ(w.State(), kActorGone);
  EXPECT_EQ(w.PosX(), fell_x);
  DrawQueue.count[1] = 0;
  DrawTestWalker();
  EXPECT_EQ(DrawQueue.count[1], 0u);  // not drawn

  Frames(1000);  // long after the respawn timer ran out: she is still within the window
  EXPECT_EQ(w.State(), kActorGone);
  PutHeroine(fell_x + 961, kStandingY);
  RunWalkerWorldFrame();
  EXPECT_EQ(w.State(), kActorSpawned);
  EXPECT_EQ(w.PosX(), 300);  // home
  EXPECT_EQ(w.PosY(), kStandingY);
  RunWalkerWorldFrame();
  EXPECT_EQ(w.State(), kActorActive);
  EXPECT_EQ(w.Life(), kTestWalkerLife);
}

TEST_F(TestWalkerTest, AHeldWalkerIsDefeatedAtTheNextDrawAndAFrozenOneStandsStill) {
  Enter({Floor(60)}, kFloorRow);
  const Actor held = Spawn(300, kStandingY, 1);
  const Actor frozen = Spawn(600, kStandingY, -1);
  Frames(4);
  held.Control() = 1;
  EXPECT_EQ(held.Life(), kTestWalkerLife);
  RunWalkerWorldFrame();
  EXPECT_EQ(held.State(), kActorEnding);
  EXPECT_EQ(held.Life(), 0);

  frozen.Control() = 2;
  const int x = frozen.PosX(), box = frozen.BodyBox().left;
  frozen.Input() = 99;
  Frames(30);
  EXPECT_EQ(frozen.PosX(), x);
  EXPECT_EQ(frozen.Input(), 99);  // no control step
  EXPECT_EQ(frozen.BodyBox().left, box);
  EXPECT_EQ(frozen.State(), kActorActive);
}

TEST_F(TestWalkerTest, HistoryRowsZeroAndOneHoldThisFrame) {
  Enter({Floor(60)}, kFloorRow);
  const Actor w = Spawn(300, kStandingY, 1);
  Frames(12);
  namespace F = ActorField;
  EXPECT_EQ(w.History(F::XHistory, 0), w.PosX());
  EXPECT_EQ(w.History(F::XHistory, 1), w.PosX());
  EXPECT_EQ(w.History(F::XHistory, 2), w.PosX() - 1);
  EXPECT_EQ(w.History(F::XHistory, 9), w.PosX() - 8);
  for (int block : {F::InputHistory, F::YHistory, F::FaceXHistory, F::FaceYHistory, F::AnimHistory,
                    F::MotionHistory}) {
    EXPECT_EQ(w.History(block, 0), w.History(block, 1)) << block;
  }
  EXPECT_EQ(w.History(F::AnimHistory, 0), w.AnimCursor() - 1);  // the draw stepped it on since
}

}  // namespace
