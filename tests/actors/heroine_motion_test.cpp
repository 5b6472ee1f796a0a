// The heroine under the keys, frame by frame on fixture maps: walking and its slide, jumps, falls,
// ledges and ceilings, walls, turns, crouching under a script, and a trailing copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/save_block.h"

namespace {

// The floor's top is at y 400: standing, her top-left is 65 pixels above it (a pixel's gap
// under her feet). Over column 5..10 a ledge she can jump through, over columns 20..25 a solid
// ceiling, 18 pixels above her head; walls at columns 2 and 34.
const std::vector<std::string> kRoom = {
    "....................................",  // 18: y 288
    "..#..=======.........######.......#.",  // 19: y 304
    "..#...............................#.",  //
    "..#...............................#.",  //
    "..#...............................#.",  //
    "..#...............................#.",  //
    "..#...............................#.",  // 24
    "####################################",  // 25: y 400
};
constexpr int kGround = 400 - 65;

class HeroineMotionTest : public testing::Test {
 protected:
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(kRoom, {}, 0, 18);
  }

  void Enter(int x, int y = kGround, int face = 1) {
    EnterPlay({.heroine = true, .hero_x = x, .hero_y = y, .face_x = face});
  }

  // Runs frames, returning her position after each.
  std::vector<int> Track(int frames, int32_t& (Actor::*field)() const) {
    std::vector<int> values;
    for (int i = 0; i < frames; ++i) {
      game.Run();
      values.push_back((hero.*field)());
    }
    return values;
  }
  std::vector<int> RunX(int frames) { return Track(frames, &Actor::PosX); }
  std::vector<int> RunY(int frames) { return Track(frames, &Actor::PosY); }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

std::vector<int> Steps(int from, const std::vector<int>& values) {
  std::vector<int> steps;
  for (int v : values) {
    steps.push_back(v - from);
    from = v;
  }
  return steps;
}

TEST_F(HeroineMotionTest, WalksFourPixelsAFrameAndSlidesThreeTwoOneAfterRelease) {
  Enter(100);
  game.HoldButton(kButtonRight);
  EXPECT_EQ(Steps(100, RunX(5)), (std::vector<int>{4, 4, 4, 4, 4}));
  EXPECT_EQ(hero.VelX(), 4);
  EXPECT_EQ(hero.AnimCursor(), 15);  // the walk cycle from the stand at 10
  EXPECT_EQ(hero.PosY(), kGround);
  game.ReleaseButton(kButtonRight);
  const int at = hero.PosX();
  EXPECT_EQ(Steps(at, RunX(5)), (std::vector<int>{3, 2, 1, 0, 0}));  // the floor's friction
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(hero.PosY(), kGround);

  // The cycle runs entries 10..49 and comes back to 10.
  game.HoldButton(kButtonRight);
  game.Run(39);
  EXPECT_EQ(hero.AnimCursor(), 49);
  game.Run();
  EXPECT_EQ(hero.AnimCursor(), 10);
}

TEST_F(HeroineMotionTest, ClockUpWalksFasterAndACarriedSpeedIsMadeUpInTheStep) {
  Enter(300);
  PlayerStats.Mp = 999;
  PlayerStats.SpellLevel[4] = 1;  // CLOCK UP
  game.HoldButton(kButtonRight);
  EXPECT_EQ(Steps(300, RunX(3)), (std::vector<int>{6, 6, 6}));
  game.ReleaseButton(kButtonRight);
  game.Run(8);
  PlayerStats.SpellLevel[4] = 0;

  // Speed 2 carried in (from a lift) and no floor friction: the step makes the move exactly -4.
  hero.Motion() = 0x0500;
  hero.VelX() = 2;
  game.HoldButton(kButtonLeft);
  const int at = hero.PosX();
  game.Run();
  EXPECT_EQ(hero.PosX() - at, -4);
  EXPECT_EQ(hero.VelX(), -4);  // 2 + a step of -6
  EXPECT_EQ(hero.FaceX(), -1);
}

TEST_F(HeroineMotionTest, AHeldJumpRises120PixelsIn15FramesThenFallsBack) {
  Enter(460);
  game.Run();
  game.HoldButton(kButtonJump);
  const std::vector<int> ys = RunY(16);
  EXPECT_EQ(PlayCount(2), 1);
  EXPECT_EQ(hero.AnimCursor(), kHeroineAirAnim);
  std::vector<int> expected;
  for (int speed = 15, y = kGround; speed >= 0; --speed) expected.push_back(y -= speed);
  EXPECT_EQ(ys, expected);  // 15 + 14 + ... + 1 = 120, then one frame at the top
  EXPECT_EQ(GetHeroineMotion(0), kHeroineRising);
  game.Run();
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  // Still holding jump: she comes down, lands and does not jump again.
  game.Run(40);
  EXPECT_EQ(hero.PosY(), kGround);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(PlayCount(2), 1);
}

TEST_F(HeroineMotionTest, ReleasingJumpFallsAtOnceUnlessAScriptHoldsHer) {
  Enter(460);
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run(3);
  EXPECT_EQ(hero.PosY(), kGround - 15 - 14 - 13);
  game.ReleaseButton(kButtonJump);
  const int top = hero.PosY();
  EXPECT_EQ(Steps(top, RunY(3)), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  game.Run(30);
  ASSERT_EQ(hero.PosY(), kGround);

  // A script holding her lets go of jump after one frame: the rise goes on to the top.
  hero.Control() = kControlHeld;
  hero.Input() = static_cast<int32_t>(ButtonBits[kButtonJump]);
  game.Run();
  hero.Input() = 0;
  game.Run(15);
  EXPECT_EQ(hero.PosY(), kGround - 120);
}

TEST_F(HeroineMotionTest, TheMagicButtonCastsRepulsiveForceAndSheJumps253Pixels) {
  Enter(460);
  PlayerStats.Mp = 999;
  PlayerStats.EquippedMagicTool = 1u << kSpellRepulsive;
  game.HoldButton(kButtonMagic);
  game.Run(3);  // cast once, on the press
  game.ReleaseButton(kButtonMagic);
  EXPECT_EQ(PlayerStats.SpellLevel[kSpellRepulsive], 1);
  EXPECT_EQ(PlayCount(21), 1);
  game.Run();
  game.HoldButton(kButtonJump);
  const std::vector<int> ys = RunY(24);
  int top = kGround;
  for (int y : ys) top = std::min(top, y);
  EXPECT_EQ(kGround - top, 253);
  EXPECT_EQ(ys[21], top);  // 22 frames up
}

TEST_F(HeroineMotionTest, TheItemButtonUsesTheBagSlotUnderTheCursorOncePerPress) {
  Enter(460);
  PlayerStats.BagCursor = 2;
  PlayerStats.Bag[2] = 1;
  PlayerStats.Bag[3] = 1;
  PlayerStats.Hp = 1;
  game.HoldButton(kButtonItem);
  game.Run(3);
  EXPECT_GT(PlayerStats.Hp, 1);
  EXPECT_EQ(PlayerStats.Bag[2], 0u);
  EXPECT_EQ(PlayerStats.Bag[3], 1u);
  EXPECT_EQ(PlayCount(3), 1);
}

TEST_F(HeroineMotionTest, FallingGainsOneAFrameUpToTen) {
  Enter(460, kGround - 200);
  const std::vector<int> ys = RunY(16);
  EXPECT_EQ(Steps(kGround - 200, ys), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10, 10, 10}));
  EXPECT_EQ(hero.AnimCursor(), kHeroineAirAnim);
  game.Run(12);
  EXPECT_EQ(hero.PosY(), kGround);  // landed exactly on the floor
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
  EXPECT_EQ(hero.VelY(), 0);
}

TEST_F(HeroineMotionTest, SheJumpsUpThroughALedgeAndLandsOnIt) {
  Enter(100);
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run(16);
  EXPECT_EQ(hero.PosY(), kGround - 120);  // up through the ledge's row
  game.Run(40);
  EXPECT_EQ(hero.PosY(), 304 - 65);  // standing on it
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
  EXPECT_EQ(PlayCount(4), 0);
}

TEST_F(HeroineMotionTest, ASolidCeilingStopsTheRiseWithTheBumpFrameAndSound) {
  Enter(340);  // under the ceiling at y 304..319
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run();
  EXPECT_EQ(hero.PosY(), kGround - 15);
  game.Run();
  EXPECT_EQ(hero.PosY() + 3, 320);  // her head right under it
  EXPECT_EQ(hero.AnimCursor(), kHeroineBumpAnim);
  EXPECT_EQ(PlayCount(4), 1);
  const int top = hero.PosY();
  EXPECT_EQ(Steps(top, RunY(3)), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  game.Run(30);
  EXPECT_EQ(hero.PosY(), kGround);
  EXPECT_EQ(PlayCount(4), 1);
}

TEST_F(HeroineMotionTest, WallsStopHerWithHerSpeedGone) {
  Enter(400);
  game.HoldButton(kButtonRight);
  game.Run(40);
  // The wall's column starts at x 544: her body box (x + 12, 24 wide) stops two pixels short.
  EXPECT_EQ(hero.PosX(), 544 - 38);
  EXPECT_EQ(hero.VelX(), 0);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  game.ReleaseButton(kButtonRight);
  game.HoldButton(kButtonLeft);
  game.Run(150);
  // The left wall ends at x 48: one pixel is left free.
  EXPECT_EQ(hero.PosX() + 12, 49);
  EXPECT_EQ(hero.VelX(), 0);

  // With no bit at all in her Motion word the left wall does not stop her.
  hero.Motion() = 0;
  game.Run(3);
  EXPECT_LT(hero.PosX() + 12, 48);
}

TEST_F(HeroineMotionTest, TurningRestartsTheWalkAtTheStand) {
  Enter(300);
  game.HoldButton(kButtonRight);
  game.Run(6);
  EXPECT_EQ(hero.AnimCursor(), 16);
  game.ReleaseButton(kButtonRight);
  game.HoldButton(kButtonLeft);
  game.Run();
  EXPECT_EQ(hero.FaceX(), -1);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  game.Run();
  EXPECT_EQ(hero.AnimCursor(), 11);
}

TEST_F(HeroineMotionTest, CrouchingUnderAScriptTurnsLeftByHerInputButRightOnlyByThePad) {
  Enter(300);
  game.Run();
  hero.Control() = kControlHeld;
  const int32_t down = static_cast<int32_t>(ButtonBits[kButtonDown]);
  const int32_t left = static_cast<int32_t>(ButtonBits[kButtonLeft]);
  const int32_t right = static_cast<int32_t>(ButtonBits[kButtonRight]);
  hero.Input() = down;
  game.Run();
  EXPECT_EQ(GetHeroineMotion(0), kHeroineCrouching);
  EXPECT_EQ(hero.AnimCursor(), kHeroineCrouchAnim);
  hero.Input() = down | left;
  game.Run();
  EXPECT_EQ(hero.FaceX(), -1);
  hero.Input() = down | right;
  game.Run();
  EXPECT_EQ(hero.FaceX(), -1);  // her Input does not turn her right
  game.HoldButton(kButtonRight);
  game.Run();
  EXPECT_EQ(hero.FaceX(), 1);  // the pad does
  EXPECT_EQ(hero.PosX(), 300);
  hero.Input() = 0;
  game.Run();
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
}

TEST_F(HeroineMotionTest, ATrailingCopyFollowsHerPathEightFramesBehind) {
  Enter(100);
  ASSERT_EQ(SpawnActor(kHeroineGroup, 0, 0, 1, 0), 1);
  const Actor copy(kHeroineGroup, 1);
  game.Run();
  game.HoldButton(kButtonRight);
  std::vector<int> lead_x, lead_anim, copy_x, copy_anim;
  for (int i = 0; i < 20; ++i) {
    if (i == 12) game.HoldButton(kButtonJump);
    game.Run();
    lead_x.push_back(hero.PosX());
    lead_anim.push_back(hero.AnimCursor());
    copy_x.push_back(copy.PosX());
    copy_anim.push_back(copy.AnimCursor());
  }
  for (int i = 8; i < 20; ++i) {
    EXPECT_EQ(copy_x[i], lead_x[i - 8]) << i;
    EXPECT_EQ(copy_anim[i], lead_anim[i - 8]) << i;
  }
  EXPECT_EQ(copy_x[3], 100);  // where she stood before walking
}

// The start enters the cave: she drops onto its first floor (y 272) and the keys move her.
TEST(HeroineInTheCaveTest, SheLandsAndWalksCrouchesJumpsAndFallsUnderTheKeys) {
  FrameHarness game;
  const Actor hero(kHeroineGroup, 0);
  game.Run(40);
  ASSERT_EQ(hero.State(), kActorActive);
  EXPECT_EQ(hero.PosY(), 272 - 65);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);

  const int x = hero.PosX(), camera_x = GetCameraX();
  game.HoldButton(kButtonLeft);
  game.Run(40);
  game.ReleaseButton(kButtonLeft);
  game.Run(5);
  EXPECT_EQ(hero.PosX(), x - 160 - 6);
  EXPECT_EQ(hero.FaceX(), -1);
  EXPECT_LT(GetCameraX(), camera_x);  // the view follows her

  game.HoldButton(kButtonDown);
  game.Run(2);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineCrouching);
  EXPECT_EQ(hero.BodyBox().top, hero.PosY() + 20);
  game.ReleaseButton(kButtonDown);
  game.Run();
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);

  game.HoldButton(kButtonJump);
  game.Run(5);
  EXPECT_LT(hero.PosY(), 272 - 65 - 40);
  game.ReleaseButton(kButtonJump);
  game.Run(40);
  EXPECT_EQ(hero.PosY(), 272 - 65);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
}

}  // namespace
