// The mechanisms in real play on the game's own maps: the object test (scene -2), where the
// heroine strikes the coin blocks, meets the 16-ton as it falls and rides the elevator down to the
// hall and back up; and the cave, where the elevator after guide 514 takes her down to the
// waterworks' hall and she runs under the 16-ton and the piston weight of guide 515.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"

namespace {

constexpr int kSoundThud = 4;
constexpr int kSoundElevator = 18;

class MechanismsInPlayTest : public testing::Test {
 protected:
  void Enter(int scene) {
    game.Run();  // the new game
    SubMode = kSubWorld;
    SubModeArg = 0;
    ChangeScene(scene);
    RedrawAllLayers();
    game.Run(2);
  }

  // Walks her towards x and lets go in time to slide to a stop there.
  void WalkTo(int x) {
    const int button = x > hero.PosX() ? kButtonRight : kButtonLeft;
    game.HoldButton(button);
    for (int i = 0; i < 400 && (button == kButtonRight ? hero.PosX() < x - 6 : hero.PosX() > x + 6); ++i) game.Run();
    game.ReleaseButton(button);
    game.Run(5);
  }

  // A jump with the button held to its top, then the fall back to where she stands.
  void Jump() {
    game.HoldButton(kButtonJump);
    game.Run(16);
    game.ReleaseButton(kButtonJump);
    game.Run();
    for (int i = 0; i < 60 && GetHeroineMotion(0) != kHeroineOnGround && GetHeroineMotion(0) != kHeroineRiding; ++i)
      game.Run();
  }

  // Holds the button until the elevator has stopped at the end of its way.
  void Ride(int button, const Actor& elevator) {
    game.HoldButton(button);
    game.Run(3);
    for (int i = 0; i < 200 && elevator.StepY() != 0; ++i) game.Run();
    game.ReleaseButton(button);
    game.Run();
  }

  // The cells of the group's picture queued on draw layer 1 this frame.
  int CellsDrawn(uint32_t cell) const {
    int n = 0;
    for (const DrawCommand& c : game.Draws(1)) n += c.type == 0 && c.cell == cell ? 1 : 0;
    return n;
  }

  bool FloatingText(const char* text) const {
    for (int s = 0; s < kActorSlots; ++s)
      if (Actor(111, s).State() != kActorFree && std::string(Actor(111, s).Text()) == text) return true;
    return false;
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(MechanismsInPlayTest, ObjectTestCoinBlocksTheSixteenTonAndTheElevatorDownAndUp) {
  Enter(kSceneObjectTest);
  const Actor coin(70, 0), hidden(71, 0), weight(73, 0), elevator(72, 0);
  ASSERT_EQ(coin.State(), kActorActive);
  const int hp = PlayerStats.Hp;

  // The coin block: her head strikes it from below. It pays a coin (20 points), bumps up 16
  // pixels and sinks back, and its coin pops up and turns into "20".
  EXPECT_EQ(GetTile(coin.PosX(), coin.PosY(), kCollisionLayer), 1034u);
  WalkTo(coin.PosX() - 8);
  game.HoldButton(kButtonJump);
  int top = coin.PosY(), pops = 0;
  bool twenty = false;
  for (int i = 0; i < 60; ++i) {
    game.Run();
    if (i == 16) game.ReleaseButton(kButtonJump);
    top = std::min(top, coin.PosY());
    pops = std::max(pops, CountActors(112));
    twenty = twenty || FloatingText("20");
  }
  EXPECT_EQ(PlayerStats.Coins, 1u);
  EXPECT_EQ(PlayerStats.Score, 20u);
  EXPECT_EQ(top, coin.HomeY() - 16);
  EXPECT_EQ(coin.PosY(), coin.HomeY());
  EXPECT_EQ(pops, 1);
  EXPECT_TRUE(twenty);

  // The hidden block: nothing shows and nothing is solid there until she strikes it; then it
  // shows, pays once and is solid map: a second jump bumps her head on it without a coin.
  EXPECT_EQ(CellsDrawn(4402), 0);
  EXPECT_EQ(GetTile(hidden.PosX(), hidden.PosY(), kCollisionLayer), 0u);
  WalkTo(hidden.PosX() - 8);
  Jump();
  EXPECT_EQ(PlayerStats.Coins, 2u);
  EXPECT_EQ(CellsDrawn(4402), 1);
  EXPECT_EQ(GetTile(hidden.PosX() + 16, hidden.PosY() + 16, kCollisionLayer), 1200u);
  const int bumps = PlayCount(kSoundThud);
  Jump();
  EXPECT_EQ(PlayerStats.Coins, 2u);
  EXPECT_GT(PlayCount(kSoundThud), bumps);  // her head on the block, no strike

  // The 16-ton: running on under it, she sets it falling; here it hangs too low for her to get
  // through, and it comes down right in front of her, stops her and lands with a thud and a
  // shake of the view. It hurt nobody; she jumps over it.
  game.HoldButton(kButtonRight);
  int frames = 0;
  while (weight.MoneyReward() == 0 && frames++ < 100) game.Run();
  ASSERT_EQ(weight.MoneyReward(), 1) << "it did not fall";
  EXPECT_GT(hero.PosX() + 24, weight.PosX() + 24 - 64);  // her centre under its reach
  int thuds = 0;
  while (weight.MoneyReward() == 1 && frames++ < 200) {
    thuds = PlayCount(kSoundThud);
    game.Run();
  }
  EXPECT_EQ(weight.PosY() + 64, 224);  // on the floor
  EXPECT_EQ(PlayCount(kSoundThud), thuds + 1);
  EXPECT_EQ(CameraShake.on, 1);
  game.Run(10);
  game.ReleaseButton(kButtonRight);
  EXPECT_LE(hero.PosX() + 36, weight.PosX());  // stopped at its side
  EXPECT_EQ(PlayerStats.Hp, hp);
  game.HoldButton(kButtonRight);
  Jump();
  game.Run(20);
  game.ReleaseButton(kButtonRight);
  EXPECT_GT(hero.PosX() + 12, weight.PosX() + 48);

  // The elevator: she steps onto it inside its cabin and holds down; it runs down its shaft to
  // the hall, humming, with her in the door pose and its lamp green, and stops flush with the
  // hall's floor. Holding up takes her back to the upper room.
  WalkTo(elevator.PosX() + 4);
  ASSERT_EQ(elevator.Ridden(), 1);
  const int hums = PlayCount(kSoundElevator);
  game.HoldButton(kButtonDown);
  game.Run(5);
  EXPECT_EQ(hero.AnimCursor(), kHeroineDoorAnim);
  EXPECT_EQ(elevator.ModeBits(), 1);  // the lamp is green
  game.ReleaseButton(kButtonDown);
  Ride(kButtonDown, elevator);
  EXPECT_EQ(elevator.PosY(), 592);
  EXPECT_EQ(hero.PosY(), 592 - 65);
  EXPECT_EQ(hero.AnimCursor(), kHeroineStandAnim);
  EXPECT_GT(PlayCount(kSoundElevator), hums + 40);
  game.Run(60);
  EXPECT_GT(GetCameraY(), 300);  // the view followed her down
  Ride(kButtonUp, elevator);
  EXPECT_EQ(elevator.PosY(), 224);
  EXPECT_EQ(hero.PosY(), 224 - 65);
  EXPECT_EQ(PlayerStats.Hp, hp);
}

// Guide 514 sends her to the elevator right of the pit, guide 515 warns her of the weights on the
// way west. She rides down to the waterworks' hall, runs under the 16-ton unhurt as it falls
// behind her, and passes under the piston weight while it is hauled up.
TEST_F(MechanismsInPlayTest, TheCavesElevatorAndWeightsWhereTheGuidesSpeakOfThem) {
  Enter(kSceneCave);
  SetFlag(0, 514 - 513, 1);  // both guides have spoken already
  SetFlag(0, 515 - 513, 1);
  const Actor elevator(72, 0), weight(73, 0), piston(74, 0);
  ASSERT_EQ(elevator.PosX(), 244 * 16);
  hero.PosX() = elevator.PosX();
  hero.PosY() = elevator.PosY() - 70;
  game.Run(10);
  ASSERT_EQ(elevator.Ridden(), 1);
  const int hp = PlayerStats.Hp;

  Ride(kButtonDown, elevator);
  EXPECT_EQ(elevator.PosY(), 88 * 16);  // flush with the hall's floor
  EXPECT_EQ(hero.PosY(), 88 * 16 - 65);

  // West under the 16-ton at her walking speed: it falls as she comes under it and lands behind
  // her.
  game.HoldButton(kButtonLeft);
  for (int i = 0; i < 200 && weight.MoneyReward() != 2; ++i) game.Run();
  EXPECT_EQ(weight.MoneyReward(), 2);
  EXPECT_EQ(weight.PosY() + 64, 88 * 16);
  EXPECT_EQ(CameraShake.on, 1);
  EXPECT_LT(hero.PosX() + 36, weight.PosX() + 4);  // past it
  EXPECT_EQ(PlayerStats.Hp, hp);

  // The piston weight: she waits until it starts rising, then walks on under it.
  game.ReleaseButton(kButtonLeft);
  const int before = piston.PosY();
  for (int i = 0; i < 300 && !(piston.MoneyReward() == 0 && piston.PosY() < before); ++i) game.Run();
  ASSERT_EQ(piston.MoneyReward(), 0);
  game.HoldButton(kButtonLeft);
  for (int i = 0; i < 200 && hero.PosX() + 12 > piston.PosX() - 48; ++i) game.Run();
  game.ReleaseButton(kButtonLeft);
  EXPECT_LT(hero.PosX() + 12, piston.PosX() - 40);
  EXPECT_EQ(PlayerStats.Hp, hp);
}

}  // namespace
