// The heroine's statistics in a running game: the damage of a hit, experience and level-ups,
// score, coins and money, and the fighting values derived from level and equipment.
#include "actors/player_stats.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "actors/actor_table.h"
#include "audio/volumes.h"
#include "support/frame_harness.h"
#include "support/heroine_pose.h"
#include "support/played_sounds.h"
#include "world/save_block.h"

namespace {

// A new game after its first frame, with the heroine's body box at x 300..324 from y 203.
struct NewGame : FrameHarness {
  NewGame() {
    Run();
    PoseHeroineForCamera(312, 200);
  }
};

TEST(PlayerStatsTest, DamageIsHalfTheAttackLessAQuarterOfTheDefenseWithASixteenthOfSpread) {
  NewGame game;
  std::set<int32_t> seen;
  for (int i = 0; i < 400; ++i) {
    ASSERT_EQ(ComputeDamage(5, 0, 0), 2);     // a base below 16 has no spread
    ASSERT_EQ(ComputeDamage(0, 4000, 0), 0);  // never negative
    seen.insert(ComputeDamage(100, 8, 0));
  }
  EXPECT_EQ(seen, (std::set<int32_t>{48, 49, 50, 51}));
  EXPECT_GT(ComputeDamage(INT32_MAX, 0, 1), 0);  // the unused strong kind does not overflow
}

TEST(PlayerStatsTest, ExperienceRaisesLevelsEachWithARefillASoundAndAText) {
  NewGame game;
  PlayerStats.Hp = 3;
  SoundVolume = -10000;  // muted: the level-up sound is heard all the same
  AddExp(19);
  EXPECT_EQ(PlayerStats.Level, 1);
  AddExp(1);  // level 2 needs the 20 EXP of level 1
  EXPECT_EQ(PlayerStats.Level, 2);
  EXPECT_EQ(PlayerStats.Score, 20u);
  EXPECT_EQ(PlayerStats.Hp, 40);
  EXPECT_EQ(PlayerStats.Mp, 12);
  EXPECT_EQ(PlayerStats.Defense, 4);
  EXPECT_EQ(PlayCount(12), 1);
  const Actor text(111, 0);
  EXPECT_STREQ(text.Text(), "LEVELUP:");
  EXPECT_EQ(text.FaceX(), 'b');
  EXPECT_EQ(text.PosX(), 312);
  EXPECT_EQ(text.PosY(), 203);

  AddExp(999999);  // nineteen more levels in one call
  EXPECT_EQ(PlayerStats.Level, 21);
  EXPECT_EQ(PlayerStats.Exp, 999999);
  EXPECT_EQ(PlayerStats.Hp, 9999);
  EXPECT_EQ(PlayCount(12), 20);
  EXPECT_EQ(CountActors(111), 20);

  PlayerStats.Hp = 5;
  AddExp(1000);  // nothing beyond level 21 but the score
  EXPECT_EQ(PlayerStats.Hp, 5);
  EXPECT_EQ(PlayerStats.Score, 20u + 999999 + 1000);
  EXPECT_EQ(PlayCount(12), 20);

  PlayerStats.Level = INT32_MAX;  // a loaded level is never stepped past
  PlayerStats.Exp = INT32_MAX - 2;  // and a loaded EXP caps instead of overflowing
  AddExp(100);
  EXPECT_EQ(PlayerStats.Level, INT32_MAX);
  EXPECT_EQ(PlayerStats.Exp, 999999);
}

TEST(PlayerStatsTest, ScoreAndCoinsWrapToZero) {
  NewGame game;
  PlayerStats.Score = 999999990;
  AddScore(20);
  EXPECT_EQ(PlayerStats.Score, 0u);  // not 10
  PlayerStats.Coins = 99;
  CollectCoin();
  EXPECT_EQ(PlayerStats.Coins, 0);
  EXPECT_EQ(PlayerStats.Score, 20u);
  EXPECT_EQ(PlayCount(1), 1);
}

TEST(PlayerStatsTest, MoneyRefusesWhatItCannotPayAndCapsAtTheMaximum) {
  NewGame game;
  PlayerStats.Money = 300;
  EXPECT_EQ(AddMoney(-500), 0u);
  EXPECT_EQ(SpendMoney(500), 0u);
  EXPECT_EQ(PlayerStats.Money, 300);
  EXPECT_EQ(AddMoney(200), 1u);
  EXPECT_EQ(SpendMoney(500), 1u);
  EXPECT_EQ(PlayerStats.Money, 0);
  EXPECT_EQ(AddMoney(INT32_MAX), 1u);  // summed without overflow, then capped
  EXPECT_EQ(PlayerStats.Money, 999999);
  PlayerStats.Money = 10;
  EXPECT_EQ(SpendMoney(INT32_MIN), 1u);  // a refund, capped
  EXPECT_EQ(PlayerStats.Money, 999999);
}

TEST(PlayerStatsTest, FightingValuesFollowLevelEquipmentAndTheShieldSpell) {
  NewGame game;
  PlayerStats.SpellLevel[1] = 3;  // BODY ROCK PROTECTION at level 3, no choker
  RecalcHeroineStats();
  EXPECT_EQ(PlayerStats.Defense, 5);  // 2 + 1 x 3
  PlayerStats.EquippedChoker = 0x4;   // LEATHER CHOKER, +32
  PlayerStats.EquippedRing = 0x80;    // bit 7: a bonus without an item
  PlayerStats.EquippedPendant = 0x200;  // bit 9: no bonus at all
  RecalcHeroineStats();
  EXPECT_EQ(PlayerStats.Defense, 34 + 17 * 3);
  EXPECT_EQ(PlayerStats.Attack, 750 + 5);
  EXPECT_EQ(PlayerStats.Efficiency, 1);

  PlayerStats.Level = 40;  // the tables clamp their index
  RefillHeroineHpMp();
  EXPECT_EQ(PlayerStats.MaxMp, 9999);
  PlayerStats.Level = -3;
  RefillHeroineHpMp();
  EXPECT_EQ(PlayerStats.MaxMp, 0);
}

}  // namespace
