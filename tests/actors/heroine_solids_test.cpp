// The heroine against solid actors. A synthetic solid slot stands in for a lift: the test moves
// it as its module would, and runs the heroine's passes by hand with the collide call where the
// module puts it (after her ground check and the reset of RideCount, before her move).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/save_block.h"

namespace {

constexpr int kGround = 400 - 65;  // standing on the map floor at y 400

class HeroineSolidsTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap({"##############################"}, {}, 0, 25);
  }

  // A solid slot of the group, active, its body box at (x, y) of the size.
  Actor Solid(int group, int x, int y, int w, int h) {
    const Actor a(group, SpawnActor(group, x, y, -1, 0));
    a.State() = kActorActive;
    Place(a, x, y, w, h);
    return a;
  }
  static void Place(const Actor& a, int x, int y, int w, int h) {
    a.PosX() = x;
    a.PosY() = y;
    a.BodyBox().left = x;
    a.BodyBox().top = y;
    a.BodyBox().right = x + w;
    a.BodyBox().bottom = y + h;
  }

  // One frame of the heroine's passes with the pad `buttons` (ButtonBits entries). The solid
  // moves by (dx, dy) this frame: its update sets the step, its move applies it.
  void Frame(std::initializer_list<int> buttons, const std::function<void()>& collide, const Actor* solid = nullptr,
             int dx = 0, int dy = 0) {
    uint32_t pad = 0;
    for (int b : buttons) pad |= ButtonBits[b];
    ButtonHistory[0] = pad;
    if (solid != nullptr) {
      solid->StepX() = dx;
      solid->StepY() = dy;
    }
    ThinkHeroine();
    CheckHeroineGround();
    RideCount = 0;
    collide();
    MoveHeroine();
    if (solid != nullptr) {
      const ActorBox box = solid->BodyBox();
      Place(*solid, solid->PosX() + dx, solid->PosY() + dy, box.right - box.left, box.bottom - box.top);
      solid->StepX() = solid->StepY() = 0;
    }
  }

  // The bottom of her foot box as her move has left it.
  int FeetBottom() const { return hero.PosY() + 64; }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(HeroineSolidsTest, SheLandsOnALiftRidesItUpExactlyAndFallsWhenSheWalksOffItsEdge) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = 100});
  const Actor gone = Solid(60, 80, 170, 64, 16);  // waiting to return: not solid
  gone.State() = kActorGone;
  const Actor lift = Solid(60, 80, 200, 64, 16);
  auto collide = [] { CollideHeroineWithSolids(60); };
  // She falls through the slot that is not active onto the lift and stands a pixel above it.
  for (int i = 0; i < 20 && lift.Ridden() == 0; ++i) Frame({}, collide, &lift);
  EXPECT_EQ(gone.Ridden(), 0);
  ASSERT_EQ(lift.Ridden(), 1);
  EXPECT_EQ(RideCount, 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(FeetBottom(), 200 - 1);

  // The lift rises 3 a frame: each frame she is carried by exactly its move.
  for (int i = 0; i < 10; ++i) {
    const int y = hero.PosY();
    Frame({}, collide, &lift, 0, -3);
    ASSERT_EQ(hero.PosY() - y, -3) << i;
    ASSERT_EQ(RideCount, 1);
  }
  EXPECT_EQ(FeetBottom(), lift.BodyBox().top - 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);

  // Walking right she leaves its edge: the ride ends in the frame her feet have left it, no
  // ride is counted, and with no floor under her she falls.
  int frames = 0;
  while (lift.Ridden() == 1 && frames++ < 30) Frame({kButtonRight}, collide, &lift);
  ASSERT_EQ(lift.Ridden(), 0);
  EXPECT_GE(hero.SpriteBox().left, lift.BodyBox().right);
  EXPECT_EQ(RideCount, 0);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  const int y = hero.PosY();
  Frame({}, collide, &lift);
  Frame({}, collide, &lift);
  EXPECT_GT(hero.PosY(), y);
}

TEST_F(HeroineSolidsTest, SheWalksOnAMovingLiftAndAJumpFromItLandsOnItAgainStanding) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = 100});
  const Actor lift = Solid(72, 40, 200, 160, 16);
  auto collide = [] { CollideHeroineWithSolids(72); };
  for (int i = 0; i < 20 && lift.Ridden() == 0; ++i) Frame({}, collide, &lift);
  ASSERT_EQ(GetHeroineMotion(0), kHeroineRiding);

  // Moving right by 2 under her while she walks left: her move is the lift's plus her own.
  const int x = hero.PosX();
  Frame({kButtonLeft}, collide, &lift, 2, 0);
  EXPECT_EQ(hero.PosX() - x, 2 - 4);

  Frame({kButtonJump}, collide, &lift);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRising);
  EXPECT_EQ(lift.Ridden(), 0);  // the ride ends as she leaves motion 20
  EXPECT_EQ(RideCount, 0);
  int frames = 0;
  while (lift.Ridden() == 0 && frames++ < 60) Frame({kButtonJump}, collide, &lift);
  EXPECT_EQ(RideCount, 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(FeetBottom(), 200 - 1);
  EXPECT_EQ(PlayCount(4), 0);
}

TEST_F(HeroineSolidsTest, ALandingStopsHerAPixelAboveAndStandsHerOnlyFromTheAirPose) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = 100});
  // Falling at 5 a frame, her feet 3 pixels above the solid: the sweep stops her 3 pixels down.
  auto land = [&](int group, int cursor, void (*collide)(int)) {
    const Actor solid = Solid(group, 80, 200, 64, 16);
    hero.PosY() = 200 - 64 - 3;
    hero.AnimCursor() = cursor;
    SetHeroineMotion(0, kHeroineFalling);
    UpdateHeroineFootBox(0);
    hero.VelY() = 5;
    hero.StepY() = 0;
    RideCount = 0;
    collide(group);
    EXPECT_EQ(RideCount, 1);
    EXPECT_EQ(solid.Ridden(), 1);
    KillActor(group, solid.slot);
    return hero.StepY();
  };
  EXPECT_EQ(land(73, kHeroineAirAnim, CollideHeroineWithSolids), 3 - 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  // The falling weights' routine keeps her fall speed in the step.
  EXPECT_EQ(land(74, kHeroineAirAnim, CollideHeroineWithSolidsAlt), 3 + 5 - 1);
  // Landing in the head-bump pose counts the ride but leaves her falling.
  EXPECT_EQ(land(60, kHeroineBumpAnim, CollideHeroineWithSolids), 3 - 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  EXPECT_EQ(hero.AnimCursor(), kHeroineBumpAnim);
}

TEST_F(HeroineSolidsTest, JumpingIntoASolidFromBelowStopsOnePixelUnderIt) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = kGround});
  const Actor block = Solid(90, 80, 292, 64, 16);  // its bottom row is y 307
  auto collide = [] { CollideHeroineWithSolids(90); };
  Frame({}, collide, &block);
  int top = hero.PosY() + 3;
  for (int i = 0; i < 6; ++i) {
    Frame({kButtonJump}, collide, &block);
    top = std::min(top, hero.PosY() + 3);
  }
  EXPECT_EQ(top, 309);  // row 308 is left between them
  EXPECT_EQ(PlayCount(4), 1);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  for (int i = 0; i < 30; ++i) Frame({kButtonJump}, collide, &block);
  EXPECT_EQ(hero.PosY(), kGround);
  EXPECT_EQ(RideCount, 0);
}

TEST_F(HeroineSolidsTest, ASolidAtHerSideStopsHerWalk) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = kGround});
  const Actor door = Solid(90, 160, 300, 32, 100);
  auto collide = [] { CollideHeroineWithSolids(90); };
  for (int i = 0; i < 20; ++i) Frame({kButtonRight}, collide, &door);
  // Her foot box (x + 12, 24 wide) is held where the sweep last found it free of the door.
  EXPECT_EQ(hero.SpriteBox().right, 160 - 1);
  EXPECT_EQ(hero.VelX(), 0);
  for (int i = 0; i < 5; ++i) Frame({kButtonLeft}, collide, &door);
  EXPECT_LT(hero.SpriteBox().right, 160 - 1);  // nothing holds her going the other way
}

TEST_F(HeroineSolidsTest, TheHorizontalLiftLetsHerRiseThroughItFromBelowAndCatchesHerFromAbove) {
  EnterPlay({.heroine = true, .hero_x = 100, .hero_y = kGround});
  const Actor lift = Solid(101, 80, 290, 96, 16);
  auto collide = [] { CollideHeroineWithSolidsSorted(101); };
  Frame({}, collide, &lift);
  for (int i = 0; i < 40 && lift.Ridden() == 0; ++i) Frame({kButtonJump}, collide, &lift);
  ASSERT_EQ(lift.Ridden(), 1);
  EXPECT_EQ(PlayCount(4), 0);  // no head bump on the way up
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRiding);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);  // she came down from motion 3
  EXPECT_EQ(hero.PosY() + 64, 290 - 1);

  // It carries her sideways by its move.
  const int x = hero.PosX();
  Frame({}, collide, &lift, 3, 0);
  EXPECT_EQ(hero.PosX() - x, 3);
  EXPECT_EQ(RideCount, 1);
}

}  // namespace
