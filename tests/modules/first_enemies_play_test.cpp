// The first enemies in play on the built maps, with the heroine's shots, stomps and damage: in the
// gorilla house Gori sights her, closes in and punches her (her HP falls, with a thud and a
// shake); in the corridor she shoots a Kamekichi down (its award text rises) and stomps a bat
// down (she is paid, and no text shows).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {

constexpr int kTextGroup = 111;

Actor Heroine() { return Actor(kHeroineGroup, 0); }

std::vector<std::string> Texts() {
  std::vector<std::string> texts;
  for (int s = 0; s < kActorSlots; ++s)
    if (Actor(kTextGroup, s).State() != kActorFree) texts.push_back(Actor(kTextGroup, s).Text());
  return texts;
}

TEST(FirstEnemiesPlayTest, InTheGorillaHouseGoriSightsHerClosesInAndPunches) {
  InScene game(1000);
  ASSERT_EQ(CountActors(40), 1);
  const Actor gori(40, 0);
  EXPECT_EQ(gori.HomeX(), 1280);
  // She comes over the block of the hall (cols 72..75) and waits on its far side, behind him.
  PlaceHeroine(0, 1220, 516, 'R', 'N');
  game.Run(10);
  ASSERT_EQ(Heroine().PosY(), 592 - 65);  // standing on the hall's floor

  bool approached = false;
  int punch_frame = -1;
  for (int i = 0; i < 3000 && punch_frame < 0; ++i) {
    const int hp = static_cast<int>(PlayerStats.Hp), thuds = PlayCount(4);
    game.Run();
    approached = approached || gori.AiState() == (16 | 1 << 16);
    if (static_cast<int>(PlayerStats.Hp) < hp) {
      punch_frame = i;
      EXPECT_EQ(PlayCount(4), thuds + 1) << "the thud of the punch";
    }
  }
  ASSERT_GE(punch_frame, 0) << "he never hurt her";
  EXPECT_EQ(Heroine().PosX(), 1220);  // nothing touched her before the punch
  EXPECT_TRUE(approached);
  EXPECT_EQ(gori.AiState(), 16 | 2 << 16);  // punching
  EXPECT_EQ(PlayerStats.Hp, 0u);            // a punch of 9000 leaves nothing
  EXPECT_EQ(CameraShake.on, 1);
  EXPECT_EQ(Texts().front(), "HARDHIT!:");
}

TEST(FirstEnemiesPlayTest, InTheCorridorSheShootsAKamekichiAndStompsABat) {
  InScene game(900);
  ASSERT_EQ(CountActors(33), 2);
  ASSERT_EQ(CountActors(32), 2);
  const uint32_t exp = PlayerStats.Exp, money = PlayerStats.Money;

  // The Kamekichi of the low passage (the second by column), on the passage's floor at y 368;
  // she stands 100 pixels west of it and crouches, so that her shots fly low enough.
  const Actor kamekichi(33, 1);
  PlaceHeroine(0, kamekichi.PosX() - 100, 368 - 80, 'R', 'N');
  game.Run(10);
  game.HoldButton(kButtonDown);
  game.Run(3);
  for (int i = 0; i < 120 && kamekichi.State() == kActorActive; ++i) {
    if (i % 8 == 0) game.HoldButton(kButtonAction);
    if (i % 8 == 4) game.ReleaseButton(kButtonAction);
    game.Run();
  }
  game.ReleaseAll();
  ASSERT_EQ(kamekichi.State(), kActorEnding);
  EXPECT_EQ(PlayerStats.Exp, exp + 1);
  EXPECT_EQ(PlayerStats.Money, money + 1);
  ASSERT_EQ(Texts(), (std::vector<std::string>{"1EXP=1YEN"}));
  const Actor award(kTextGroup, 0);
  const int text_y = award.PosY();
  game.Run(10);
  EXPECT_LT(award.PosY(), text_y);  // it rises
  game.Run(120);
  ASSERT_TRUE(Texts().empty());

  // The first bat: she drops onto it from just above (and bounces on it), again and again,
  // until it falls. Each stomp does 2 of its 5 life.
  const Actor bat(32, 0);
  const int stomp_sounds = PlayCount(9);
  size_t texts_before_defeat = 0, texts_after_defeat = 1;
  for (int tries = 0; tries < 10 && bat.State() == kActorActive; ++tries) {
    // Her body (24 wide from PosX + 12, its bottom at PosY + 64) over where the bat will be
    // two frames on.
    PlaceHeroine(3, bat.PosX() + 8 * bat.FaceX() + 4 - 12, bat.BodyBox().top - 68, 'R', 'N');
    for (int i = 0; i < 30 && bat.State() == kActorActive; ++i) {
      texts_before_defeat = Texts().size();
      game.Run();
      texts_after_defeat = Texts().size();
    }
  }
  ASSERT_EQ(bat.State(), kActorEnding);
  EXPECT_EQ(PlayCount(9) - stomp_sounds, 3);
  EXPECT_LE(bat.Life(), 0);
  EXPECT_EQ(PlayerStats.Exp, exp + 2);
  EXPECT_EQ(PlayerStats.Money, money + 2);
  EXPECT_EQ(texts_after_defeat, texts_before_defeat) << "a stomp pays without a text";
  // And down it fell, to lie on the floor under it.
  game.Run(20);
  EXPECT_EQ(bat.State(), kActorEnding);
  EXPECT_EQ(bat.Motion(), 0);
  EXPECT_NE(GetTile(bat.BodyBox().left, bat.BodyBox().bottom + 1, kCollisionLayer), 0u);
}

}  // namespace
