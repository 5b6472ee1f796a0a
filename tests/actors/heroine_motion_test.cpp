// The heroine under the keys, frame by frame on a fixture map: walking and its slide, turns,
// jumps, falls, ledges and ceilings, walls, crouching under a script and a trailing copy; then
// in the cave that the start enters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/save_block.h"

namespace {

// The floor's top is at y 400: standing, her top is 65 pixels above it (a pixel's gap under her
// feet). Over columns 5..11 a ledge she can jump through, over columns 21..26 a solid ceiling 18
// pixels above her head; walls at columns 2 and 34.
const std::vector<std::string> kRoom = {
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
    LoadFixtureMap(kRoom, {}, 0, 19);
  }

  void Enter(int x, int y = kGround) { EnterPlay({.heroine = true, .hero_x = x, .hero_y = y}); }

  // Runs frames, returning how far she moved along x (or y) in each.
  std::vector<int> Moves(int frames, int32_t& (Actor::*pos)() const) {
    std::vector<int> moves;
    for (int i = 0; i < frames; ++i) {
      const int before = (hero.*pos)();
      game.Run();
      moves.push_back((hero.*pos)() - before);
    }
    return moves;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

using Trace = std::vector<int>;

TEST_F(HeroineMotionTest, SheWalksAtHerSpeedSlidesThreeTwoOneAndATurnRestartsTheCycle) {
  Enter(100);
  game.HoldButton(kButtonRight);
  EXPECT_EQ(Moves(5, &Actor::PosX), (Trace{4, 4, 4, 4, 4}));
  EXPECT_EQ(hero.AnimCursor(), 15);  // the walk cycle from the stand at 10
  game.ReleaseButton(kButtonRight);
  EXPECT_EQ(Moves(5, &Actor::PosX), (Trace{3, 2, 1, 0, 0}));  // the floor's friction
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_EQ(hero.PosY(), kGround);

  // The cycle runs entries 10..49 and comes back to 10; a turn starts it again at 10.
  game.HoldButton(kButtonRight);
  game.Run(39);
  EXPECT_EQ(hero.AnimCursor(), 49);
  game.Run();
  EXPECT_EQ(hero.AnimCursor(), 10);
  game.Run(5);
  game.ReleaseButton(kButtonRight);
  game.HoldButton(kButtonLeft);
  game.Run();
  EXPECT_EQ(hero.FaceX(), -1);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  game.Run();
  EXPECT_EQ(hero.AnimCursor(), 11);
  game.ReleaseButton(kButtonLeft);
  game.Run(8);

  // CLOCK UP walks at 6.
  PlayerStats.Mp = 999;
  PlayerStats.SpellLevel[kSpellClockUp] = 1;
  game.HoldButton(kButtonRight);
  EXPECT_EQ(Moves(3, &Actor::PosX), (Trace{6, 6, 6}));
  game.ReleaseButton(kButtonRight);
  game.Run(8);
  PlayerStats.SpellLevel[kSpellClockUp] = 0;

  // A speed of 2 carried in (from a lift) with no floor friction: the step makes the move -4.
  hero.Motion() = 0x0500;
  hero.VelX() = 2;
  game.HoldButton(kButtonLeft);
  EXPECT_EQ(Moves(1, &Actor::PosX), (Trace{-4}));
  EXPECT_EQ(hero.VelX(), -4);  // 2 + a step of -6
}

TEST_F(HeroineMotionTest, AHeldJumpRises120PixelsIn15FramesAnEarlyReleaseFallsAtOnce) {
  Enter(460);
  game.Run();
  game.HoldButton(kButtonJump);
  EXPECT_EQ(Moves(16, &Actor::PosY), (Trace{-15, -14, -13, -12, -11, -10, -9, -8, -7, -6, -5, -4, -3, -2, -1, 0}));
  EXPECT_EQ(hero.AnimCursor(), kHeroineAirAnim);
  // Still holding jump she comes down, lands and does not jump again.
  EXPECT_EQ(Moves(8, &Actor::PosY), (Trace{0, 1, 2, 3, 4, 5, 6, 7}));
  game.Run(20);
  EXPECT_EQ(hero.PosY(), kGround);
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);
  EXPECT_EQ(PlayCount(2), 1);

  game.ReleaseButton(kButtonJump);
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run(3);
  game.ReleaseButton(kButtonJump);
  EXPECT_EQ(Moves(3, &Actor::PosY), (Trace{0, 1, 2}));
  EXPECT_EQ(GetHeroineMotion(0), kHeroineFalling);
  game.Run(20);
  ASSERT_EQ(hero.PosY(), kGround);

  // A script that holds her lets go of jump after a frame: the rise goes on to the top.
  hero.Control() = kControlHeld;
  hero.Input() = static_cast<int32_t>(ButtonBits[kButtonJump]);
  game.Run();
  hero.Input() = 0;
  game.Run(15);
  EXPECT_EQ(hero.PosY(), kGround - 120);
}

TEST_F(HeroineMotionTest, TheMagicButtonCastsRepulsiveForceForA253PixelJumpAndTheItemButtonUsesTheBag) {
  Enter(460);
  PlayerStats.Mp = 999;
  PlayerStats.EquippedMagicTool = 1u << kSpellRepulsive;
  PlayerStats.Hp = 1;
  PlayerStats.Bag[PlayerStats.BagCursor = 2] = 1;
  game.HoldButton(kButtonMagic);
  game.HoldButton(kButtonItem);
  game.Run(3);  // each once, on the press
  EXPECT_EQ(PlayerStats.SpellLevel[kSpellRepulsive], 1);
  EXPECT_EQ(PlayCount(21), 1);
  EXPECT_GT(PlayerStats.Hp, 1);
  EXPECT_EQ(PlayerStats.Bag[2], 0u);
  EXPECT_EQ(PlayCount(3), 1);

  game.HoldButton(kButtonJump);
  game.Run(22);
  EXPECT_EQ(hero.PosY(), kGround - 253);
  game.Run();
  EXPECT_EQ(hero.PosY(), kGround - 253);
}

TEST_F(HeroineMotionTest, FallsGainOneAFrameUpToTenLedgesLetHerUpAndCeilingsBumpHerHead) {
  Enter(460, kGround - 200);
  EXPECT_EQ(Moves(16, &Actor::PosY), (Trace{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10, 10, 10}));
  game.Run(11);
  EXPECT_EQ(hero.PosY(), kGround);  // landed exactly on the floor
  EXPECT_EQ(GetHeroineMotion(0), kHeroineOnGround);

  // Up through the ledge's row and down onto it.
  Enter(100);
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run(16);
  EXPECT_EQ(hero.PosY(), kGround - 120);
  game.Run(40);
  EXPECT_EQ(hero.PosY(), 304 - 65);
  EXPECT_EQ(PlayCount(4), 0);

  // Under the solid ceiling (y 304..319) her head stops right under it, with the bump frame
  // and sound 4, and she falls back.
  game.ReleaseButton(kButtonJump);
  Enter(340);
  game.Run();
  game.HoldButton(kButtonJump);
  EXPECT_EQ(Moves(2, &Actor::PosY), (Trace{-15, 320 - 3 - (kGround - 15)}));
  EXPECT_EQ(hero.AnimCursor(), kHeroineBumpAnim);
  EXPECT_EQ(PlayCount(4), 1);
  EXPECT_EQ(Moves(3, &Actor::PosY), (Trace{0, 1, 2}));
  game.Run(30);
  EXPECT_EQ(hero.PosY(), kGround);
  EXPECT_EQ(PlayCount(4), 1);
}

TEST_F(HeroineMotionTest, WallsStopHerWithHerSpeedGone) {
  Enter(400);
  game.HoldButton(kButtonRight);
  game.Run(40);
  // The right wall's column starts at x 544: her body box (x + 12, 24 wide) stops two short.
  EXPECT_EQ(hero.PosX(), 544 - 38);
  EXPECT_EQ(hero.VelX(), 0);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  game.ReleaseButton(kButtonRight);
  game.HoldButton(kButtonLeft);
  game.Run(150);
  EXPECT_EQ(hero.PosX() + 12, 48 + 1);  // the left wall ends at x 48: one pixel is left free
  EXPECT_EQ(hero.VelX(), 0);

  // With no bit at all in her Motion word the left wall does not stop her.
  hero.Motion() = 0;
  game.Run(3);
  EXPECT_LT(hero.PosX() + 12, 48);
}

TEST_F(HeroineMotionTest, CrouchingUnderAScriptTurnsLeftByHerInputButRightOnlyByThePad) {
  Enter(300);
  game.Run();
  hero.Control() = kControlHeld;
  const int32_t down = static_cast<int32_t>(ButtonBits[kButtonDown]);
  hero.Input() = down;
  game.Run();
  EXPECT_EQ(GetHeroineMotion(0), kHeroineCrouching);
  EXPECT_EQ(hero.AnimCursor(), kHeroineCrouchAnim);
  hero.Input() = down | static_cast<int32_t>(ButtonBits[kButtonLeft]);
  game.Run();
  EXPECT_EQ(hero.FaceX(), -1);
  hero.Input() = down | static_cast<int32_t>(ButtonBits[kButtonRight]);
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
  std::vector<int> lead_x, lead_anim;
  for (int i = 0; i < 20; ++i) {
    if (i == 12) game.HoldButton(kButtonJump);
    game.Run();
    lead_x.push_back(hero.PosX());
    lead_anim.push_back(hero.AnimCursor());
    if (i < 8) {
      EXPECT_EQ(copy.PosX(), 100) << i;  // where she stood before walking
    } else {
      EXPECT_EQ(copy.PosX(), lead_x[i - 8]) << i;
      EXPECT_EQ(copy.AnimCursor(), lead_anim[i - 8]) << i;
    }
  }
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
