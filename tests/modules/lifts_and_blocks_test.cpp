// The lifts, the block lift and the coin blocks on a fixture floor. The lifts shuttle with one
// standing frame at each end, starting the way their home row says; the heroine jumps up through a
// vertical lift, lands on it, rides it exactly and walks off it, and rides and rises through a
// horizontal lift. A shot breaks a block lift, which crumbles, stays away hidden, blinks and comes
// back solid where it stood; a held one breaks at once. The coin block pays on every strike from
// below (and bumps only from home), the hidden one pays once and then is solid map; a hidden
// block freed by a scene change stops nobody; the glow follows frame counter 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "modules/modules.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

namespace {

constexpr int kFloor = 400;  // row 25
constexpr int kStanding = kFloor - 65;

class FloorTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap({std::string(120, '#')}, {}, 0, kFloor / 16);
  }
  // Play with the heroine at (hero_x, hero_y), one frame in.
  void Enter(int hero_x, int hero_y = kStanding) {
    EnterPlay({.heroine = true, .hero_x = hero_x, .hero_y = hero_y});
    game.Run();
  }
  // An actor of the group at (x, y), initialised by its module at the next frame...
  static Actor Spawn(int group, int x, int y) { return Actor(group, SpawnActor(group, x, y, -1, 0)); }
  // ...or already initialised.
  Actor Place(int group, int x, int y) {
    const Actor a = Spawn(group, x, y);
    game.Run();
    return a;
  }
  // The jump button held from this frame on.
  void StartJump() {
    game.HoldButton(kButtonJump);
    game.Run();
  }
  // A jump with the button held to its top, and the fall back to the floor.
  void Jump() {
    StartJump();
    game.Run(15);
    game.ReleaseButton(kButtonJump);
    game.Run(30);
  }
  // The draw commands of a type queued this frame on layer 1 at the pixel (x, y).
  std::vector<DrawCommand> DrawsAt(uint32_t type, int x, int y) const {
    std::vector<DrawCommand> found;
    for (const DrawCommand& c : game.Draws(1))
      if (c.type == type && c.x == x && c.y == y) found.push_back(c);
    return found;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

class LiftsTest : public FloorTest {};
class BlocksTest : public FloorTest {};

// The moves make a shuttle: 3 pixels a frame from home to home + 81 (or home - 81), one frame
// standing, 162 pixels the other way, one frame standing, and so on.
void ExpectShuttle(const std::vector<int>& moves, int first) {
  int at = 0, standing = 0, turns = 0, dir = first;
  for (size_t i = 0; i < moves.size(); ++i) {
    if (moves[i] == 0) {
      ++standing;
      EXPECT_EQ(at, dir * 81) << "stood at " << at << ", frame " << i;
      dir = -dir;
      ++turns;
    } else {
      EXPECT_EQ(moves[i], 3 * dir) << "frame " << i;
      at += moves[i];
    }
  }
  EXPECT_EQ(standing, turns);
  EXPECT_GE(turns, 3);
}

TEST_F(LiftsTest, LiftsShuttle81PixelsEachWayStandingOneFrameAtEachEndFirstByTheirRow) {
  Enter(3000);
  const Actor down = Spawn(100, 200, 160), up = Spawn(100, 400, 161);
  const Actor left = Spawn(101, 600, 160), right = Spawn(101, 1000, 161);
  std::vector<int> down_moves, up_moves, left_moves, right_moves;
  for (int i = 0; i < 250; ++i) {
    const int d = down.PosY(), u = up.PosY(), l = left.PosX(), r = right.PosX();
    game.Run();
    down_moves.push_back(down.PosY() - d);
    up_moves.push_back(up.PosY() - u);
    left_moves.push_back(left.PosX() - l);
    right_moves.push_back(right.PosX() - r);
    ASSERT_EQ(down.PosX(), 200);
    ASSERT_EQ(left.PosY(), 160);
  }
  ExpectShuttle(down_moves, 1);   // an even row: down first
  ExpectShuttle(up_moves, -1);    // an odd row: up first
  ExpectShuttle(left_moves, -1);  // the horizontal lift on an even row goes left first
  ExpectShuttle(right_moves, 1);
  // Only its top row of pixels is its body.
  EXPECT_EQ(down.BodyBox().bottom - down.BodyBox().top, 1);
  EXPECT_EQ(down.BodyBox().right - down.BodyBox().left, 48);
}

TEST_F(LiftsTest, SheJumpsUpThroughAVerticalLiftLandsOnItRidesItExactlyAndFallsWhenSheWalksOff) {
  Enter(200);
  const Actor lift = Spawn(100, 188, 250);  // 169..331: over her head as she stands
  game.Run();
  StartJump();
  // Rising she passes through it: it does not catch her.
  while (GetHeroineMotion(0) == kHeroineRising) {
    EXPECT_EQ(lift.Ridden(), 0);
    game.Run();
  }
  game.ReleaseButton(kButtonJump);
  int frames = 0;
  while (lift.Ridden() == 0 && frames++ < 60) {
    ASSERT_LT(hero.PosY() + 64, lift.PosY() + 8);  // above its top once she has passed it
    game.Run();
  }
  ASSERT_EQ(lift.Ridden(), 1) << "she never landed on it";
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(hero.VelX(), 0);
  // From then on she moves exactly with it, up and down, her feet on its top.
  const int gap = lift.PosY() - hero.PosY();
  EXPECT_TRUE(gap == 64 || gap == 65) << gap;
  for (int i = 0; i < 120; ++i) {
    game.Run();
    ASSERT_EQ(lift.PosY() - hero.PosY(), gap) << "frame " << i;
    ASSERT_EQ(GetHeroineMotion(0), kHeroineRiding);
  }
  // Walking off its end, the ride ends and she falls to the floor.
  game.HoldButton(kButtonRight);
  for (int i = 0; i < 30 && lift.Ridden() == 1; ++i) game.Run();
  game.ReleaseButton(kButtonRight);
  EXPECT_EQ(lift.Ridden(), 0);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  game.Run(40);
  EXPECT_EQ(hero.PosY(), kStanding);
}

// Leaving a vertical lift, she falls unless a solid actor that collides before the lifts has
// already carried her in this frame.
TEST_F(LiftsTest, LeavingAVerticalLiftSheFallsUnlessAnotherSolidCarriedHer) {
  Enter(500, 200);
  const Actor lift = Spawn(100, 100, 300);
  game.Run();
  for (int32_t rides : {1, 0}) {
    lift.Ridden() = 1;  // she stood on it, and is far beside it now
    SetHeroineMotion(0, kHeroineRiding);
    UpdateHeroineBodyBox(0);
    RideCount = rides;
    CollideLiftVertical();
    EXPECT_EQ(lift.Ridden(), 0);
    EXPECT_EQ(GetHeroineMotion(0), rides == 0 ? kHeroineFalling : kHeroineRiding) << rides;
  }
}

TEST_F(LiftsTest, SheRidesAHorizontalLiftExactlyAndRisesThroughItFromBelow) {
  // Falling onto it from above she lands on it and rides it exactly, through its turns.
  EnterPlay({.heroine = true, .hero_x = 266, .hero_y = 100});
  const Actor lift = Spawn(101, 290, 290);  // 209..371 across, 110 pixels over the floor
  int frames = 0;
  while (lift.Ridden() == 0 && frames++ < 60) game.Run();
  ASSERT_EQ(lift.Ridden(), 1) << "she never landed on it";
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  game.Run();
  const int dx = hero.PosX() - lift.PosX(), dy = hero.PosY() - lift.PosY();
  for (int i = 0; i < 120; ++i) {
    game.Run();
    ASSERT_EQ(hero.PosX() - lift.PosX(), dx) << "frame " << i;
    ASSERT_EQ(hero.PosY() - lift.PosY(), dy) << "frame " << i;
  }
  // From the floor under it she jumps up through it without being caught on the way up.
  hero.PosX() = 500;
  lift.Ridden() = 0;
  game.Run(30);
  ASSERT_EQ(hero.PosY(), kStanding);
  for (int i = 0; i < 200 && std::abs(lift.PosX() - hero.PosX()) > 4; ++i) game.Run();
  StartJump();
  bool rose_through = false;
  while (GetHeroineMotion(0) == kHeroineRising) {
    EXPECT_EQ(lift.Ridden(), 0);
    rose_through = rose_through || hero.PosY() + 64 < lift.PosY();
    game.Run();
  }
  game.ReleaseButton(kButtonJump);
  EXPECT_TRUE(rose_through);
}

// ---- the block lift and the coin blocks ---------------------------------------------------------

TEST_F(BlocksTest, OneShotBreaksABlockLiftWhichComesBackSolidWhereItStood272FramesLater) {
  Enter(100);
  const Actor block = Place(60, 300, kFloor - 64);
  EXPECT_EQ(block.BodyBox().right - block.BodyBox().left, 32);
  game.PressButton(kButtonAction);  // a shot to the right
  int frames = 0;
  while (block.State() == kActorActive && frames++ < 60) game.Run();
  ASSERT_EQ(block.State(), kActorEnding);
  // It crumbles: its body narrows, then it has none, and after its sequence it is away (with its
  // whole box again, but not solid while away).
  std::vector<int> widths;
  while (block.State() == kActorEnding && frames++ < 100) {
    game.Run();
    widths.push_back(block.BodyBox().right - block.BodyBox().left);
  }
  ASSERT_EQ(block.State(), kActorGone);
  EXPECT_EQ(widths.size(), 17u);
  EXPECT_EQ(widths[1], 22);
  EXPECT_EQ(widths[3], 32);
  EXPECT_EQ(widths[6], 0);
  EXPECT_EQ(widths[15], 0);
  // Away it is not solid: she walks through where it stood.
  game.HoldButton(kButtonRight);
  for (int i = 0; i < 70; ++i) game.Run();
  game.ReleaseButton(kButtonRight);
  EXPECT_GT(hero.PosX() + 12, 340);
  // Hidden, then blinking through its last 38 frames away, then steady.
  int hidden = 0, blinking = 0, away = 17 + 70;
  while (block.State() == kActorGone && away < 400) {
    game.Run();
    ++away;
    const std::vector<DrawCommand> cells = DrawsAt(0, 300, kFloor - 64);
    if (block.State() != kActorGone) break;
    if (cells.empty()) ++hidden;
    if (!cells.empty() && cells[0].visible == 0) ++blinking;
  }
  // Since the draw that broke it: 16 frames of crumbling, one that finds the sequence's end, 255
  // away.
  EXPECT_EQ(away, 16 + 1 + 255);
  EXPECT_EQ(blinking, 38);
  EXPECT_EQ(block.State(), kActorActive);
  EXPECT_EQ(block.PosX(), 300);
  EXPECT_EQ(DrawsAt(0, 300, kFloor - 64)[0].visible, 1u);
  // Back, it is solid again: walking left she is stopped at its side.
  game.HoldButton(kButtonLeft);
  game.Run(60);
  game.ReleaseButton(kButtonLeft);
  EXPECT_GE(hero.PosX() + 12, 332);
}

TEST_F(BlocksTest, AHeldBlockLiftBreaksAtTheNextDrawWhateverItsLife) {
  Enter(1000);
  const Actor block = Place(60, 300, kFloor - 64);
  block.Control() = kControlHeld;
  game.Run();
  EXPECT_EQ(block.State(), kActorEnding);
  EXPECT_EQ(block.Life(), 1);
  EXPECT_EQ(block.Motion() & 255, 5);
}

TEST_F(BlocksTest, ACoinBlockPaysEveryStrikeFromBelowAndBumpsOnlyFromHome) {
  Enter(200);
  const Actor block = Place(70, 200, 288);  // bottom edge 80 pixels over the floor
  for (int dx : {0, 16})
    for (int dy : {0, 16}) EXPECT_EQ(GetTile(200 + dx, 288 + dy, kCollisionLayer), 1034u);
  // A strike: a coin and 20 points, the block 16 pixels up in one frame and back 2 a frame, a
  // coin popping up from over it.
  game.HoldButton(kButtonJump);
  std::vector<int> ys;
  int pop = -1;
  for (int i = 0; i < 24; ++i) {
    game.Run();
    ys.push_back(block.PosY());
    if (pop < 0 && CountActors(112) == 1) pop = i;
  }
  game.ReleaseButton(kButtonJump);
  EXPECT_EQ(PlayerStats.Coins, 1u);
  EXPECT_EQ(PlayerStats.Score, 20u);
  ASSERT_GE(pop, 0);
  const auto up = std::find(ys.begin(), ys.end(), 272);
  ASSERT_NE(up, ys.end());
  EXPECT_EQ(std::vector<int>(up, up + 9), (std::vector<int>{272, 274, 276, 278, 280, 282, 284, 286, 288}));
  EXPECT_EQ(up - ys.begin(), pop);
  EXPECT_EQ(Actor(112, 0).HomeX(), 208);
  EXPECT_EQ(Actor(112, 0).HomeY(), 288 - 24);
  game.Run(40);
  EXPECT_EQ(PlayerStats.Coins, 1u);  // once for one strike

  // Struck while it is still sinking, it pays without another bump.
  Jump();
  ASSERT_EQ(PlayerStats.Coins, 2u);
  game.Run(40);
  block.PosY() = 284;  // sinking
  block.ModeBits() = 1;  // struck, as the collide marks it
  game.Run();
  EXPECT_EQ(PlayerStats.Coins, 3u);
  EXPECT_EQ(block.PosY(), 286);
}

TEST_F(BlocksTest, AHiddenCoinBlockPaysOnceStopsHerHeadAndIsSolidMapAfterwards) {
  Enter(200);
  const Actor block = Place(71, 200, 288);
  EXPECT_EQ(GetTile(200, 288, kCollisionLayer), 0u);
  EXPECT_TRUE(DrawsAt(0, 200, 288).empty());
  game.HoldButton(kButtonJump);
  int top = kStanding;
  for (int i = 0; i < 24; ++i) {
    game.Run();
    top = std::min(top, hero.PosY() + 3);
  }
  game.ReleaseButton(kButtonJump);
  EXPECT_EQ(top, 320);  // her head stopped at its underside
  EXPECT_EQ(PlayerStats.Coins, 1u);
  EXPECT_EQ(block.ModeBits(), 1);
  for (int dx : {0, 16})
    for (int dy : {0, 16}) EXPECT_EQ(GetTile(200 + dx, 288 + dy, kCollisionLayer), 1200u);
  game.Run(20);
  EXPECT_EQ(DrawsAt(0, 200, 288).size(), 1u);  // shown
  EXPECT_EQ(DrawsAt(0, 200, 288)[0].cell, 4402u);
  Jump();
  EXPECT_EQ(PlayerStats.Coins, 1u);
}

// A scene change frees the slots but leaves their old boxes and flags: a hidden block of the
// last map that was never struck must not stop her head in the next one.
TEST_F(BlocksTest, AHiddenBlockOfThePreviousMapStopsNobody) {
  Enter(200);
  const Actor block = Place(71, 200, 288);
  EXPECT_EQ(block.ModeBits(), 0);
  EnterPlay({.heroine = true, .hero_x = 200, .hero_y = kStanding});  // the next map: nothing placed
  EXPECT_EQ(block.State(), kActorFree);
  game.Run();
  game.HoldButton(kButtonJump);
  int top = kStanding;
  for (int i = 0; i < 24; ++i) {
    game.Run();
    top = std::min(top, hero.PosY() + 3);
  }
  EXPECT_LT(top, 300);  // up past where the old block's box lies
  EXPECT_EQ(PlayerStats.Coins, 0u);
}

// The glow's level is (frame counter 0 x 5) modulo 180: red level + 55, green level. The counter
// is a byte, so the colour steps where it wraps from 255 to 0.
TEST_F(BlocksTest, TheGlowFollowsFrameCounterZero) {
  Enter(1000);
  Place(70, 200, 288);
  int seen_wrap = 0;
  for (int i = 0; i < 300; ++i) {
    const uint32_t counter = GetFrameCounter(0);
    game.Run();
    const std::vector<DrawCommand> glow = DrawsAt(3, 200, 288);
    ASSERT_EQ(glow.size(), 1u);
    const uint32_t level = counter * 5 % 180;
    ASSERT_EQ(glow[0].colour, (level + 55) << 16 | level << 8) << "counter " << counter;
    EXPECT_EQ(glow[0].w, 32);
    seen_wrap += counter == 0 ? 1 : 0;
  }
  EXPECT_EQ(seen_wrap, 1);
}

}  // namespace
