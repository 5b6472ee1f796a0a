// The heroine's items in a running game: the new game's inventory, the bag, casting the magic
// tools, the cursor over owned bits and the catalogue's texts.
#include "actors/items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "support/frame_harness.h"
#include "support/heroine_pose.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/save_block.h"

namespace {

// The heroine at x 296, top 200, her body box at x 300..324 from y 203.
void PoseHeroine() {
  PoseHeroineForCamera(312, 200);
  Actor(kHeroineGroup, 0).PosX() = 296;
}

struct NewGame : FrameHarness {
  NewGame() {
    Run();
    PoseHeroine();
  }
};

// The text of the newest floating text.
std::string LastText() {
  const int n = CountActors(111);
  return n > 0 ? Actor(111, n - 1).Text() : "";
}

TEST(ItemsTest, ANewGameStartsWithItsStatisticsAndAShieldCastRaisesTheDefense) {
  FrameHarness game;
  PlayerStats.EquipPage = 3;  // the equipment page's row outlives a new game
  game.Run();
  const PlayerStatsRecord& p = PlayerStats;
  EXPECT_EQ(p.Hp + p.MaxHp, 40);
  EXPECT_EQ(p.Mp + p.MaxMp, 20);
  EXPECT_EQ(p.Attack, 5);
  EXPECT_EQ(p.Defense, 2);
  EXPECT_EQ(p.Efficiency, 1);
  EXPECT_EQ(HasSpecialItem(0x80), 1u);
  EXPECT_EQ(p.EquipPage, 3u);

  PoseHeroine();
  PlayerStats.EquippedMagicTool = 2;  // SHEELD=BOOK
  CastMagic();
  RecalcHeroineStats();
  EXPECT_EQ(p.Defense, 3);
  EXPECT_EQ(p.Mp, 10);  // a cast costs no MP
  ASSERT_EQ(CountActors(116), 1);
  const Actor aura(116, 0);
  EXPECT_EQ(aura.PosX(), 306);
  EXPECT_EQ(aura.PosY(), 164);
  EXPECT_EQ(aura.DefenseValue(), 996);
  EXPECT_EQ(aura.MaxLife(), 70);
  EXPECT_EQ(aura.Life(), 1);  // following her
  EXPECT_EQ(LastText(), "BODY@ROCK@PROTECTION:L1");
  EXPECT_EQ(Actor(111, 0).FaceX(), 'm');
  EXPECT_EQ(PlayCount(21), 1);
  EXPECT_EQ(FlashState.remaining, 16);
  EXPECT_EQ(FlashState.period, 2);
}

TEST(ItemsTest, UsingTheBagHealsUpToTheMaximaAndEmptiesOnlyThatSlot) {
  NewGame game;
  PlayerStats.Hp = 10;
  UseBagItem();  // HAMBURGER: 60 HP, but only up to 20
  EXPECT_EQ(PlayerStats.Hp, 20);
  EXPECT_EQ(PlayerStats.Bag[0], 0u);
  EXPECT_EQ(PlayerStats.Bag[1], 1u);
  EXPECT_EQ(PlayCount(3), 1);
  EXPECT_EQ(LastText(), "DIET@HAMBURGER");
  UseBagItem();  // the slot is empty now
  EXPECT_EQ(PlayCount(20), 1);
  EXPECT_EQ(CountActors(111), 1);

  PlayerStats.Bag[6] = 4;  // a cursor past the seventh slot reads the seventh
  PlayerStats.BagCursor = 200;
  UseBagItem();  // at full MP: used up all the same
  EXPECT_EQ(PlayerStats.Bag[6], 0u);
  EXPECT_EQ(PlayerStats.Mp, 10);

  EXPECT_EQ(AddToBag(5), 1u);
  EXPECT_EQ(AddToBag(8), 1u);
  EXPECT_EQ(AddToBag(8), 1u);
  EXPECT_EQ(AddToBag(8), 1u);
  EXPECT_EQ(AddToBag(2), 0u);  // full
  const uint32_t bag[8] = {5, 1, 2, 8, 8, 3, 8, 0};
  EXPECT_EQ(std::memcmp(PlayerStats.Bag, bag, sizeof bag), 0);
}

TEST(ItemsTest, SpellsRiseToTheirCapsAndAPurgeEndsThem) {
  NewGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.EquippedMagicTool = 2;  // SHEELD=BOOK
  for (int i = 0; i < 9; ++i) CastMagic();  // the ninth does nothing at all
  EXPECT_EQ(p.SpellLevel[1], 8);
  EXPECT_EQ(p.SpellTimer[1], 16);
  EXPECT_EQ(LastText(), "BODY@ROCK@PROTECTION:L8");
  EXPECT_EQ(CountActors(116), 8);
  EXPECT_EQ(PlayCount(21), 8);

  p.EquippedMagicTool = 4 | 16;  // OLD=NOTE, twice: the lowest bit decides
  CastMagic();
  CastMagic();
  EXPECT_EQ(p.SpellLevel[2], 1);
  EXPECT_EQ(p.SpellTimer[2], 128);
  EXPECT_EQ(Actor(116, 8).DefenseValue(), 998);
  EXPECT_EQ(LastText(), "REPULSIVE@FORCE@GENERATED:L1");
  p.EquippedMagicTool = 16;  // TACHYON=CLOCK without MP: nothing
  p.Mp = 0;
  CastMagic();
  EXPECT_EQ(p.SpellLevel[4], 0);
  EXPECT_EQ(PlayCount(21), 9);

  p.EquippedMagicTool = 8;  // RAT=TAIL purges every spell
  CastMagic();
  EXPECT_EQ(p.SpellLevel[1] | p.SpellLevel[2] | p.SpellTimer[1], 0);
  EXPECT_EQ(LastText(), "MAGIC@PURGE");
  for (uint32_t tool : {0u, 64u, 128u}) {  // with nothing on: the sound without the text
    p.EquippedMagicTool = tool;
    CastMagic();
  }
  EXPECT_EQ(PlayCount(20), 4);
  EXPECT_EQ(CountActors(111), 10);
  p.EquippedMagicTool = 1;  // BEETLE: its sound only
  CastMagic();
  EXPECT_EQ(PlayCount(11), 1);
  EXPECT_EQ(CountActors(111), 10);
}

TEST(ItemsTest, TheCursorWalksOwnedBitsAndAnswersNoneBeyondTheChain) {
  EXPECT_EQ(NextOwnedBit(1, 0, 0x17), 1u);
  EXPECT_EQ(NextOwnedBit(1, 4, 0x17), 16u);  // 8 is not owned
  EXPECT_EQ(NextOwnedBit(1, 16, 0x17), kNoOwnedBit);
  EXPECT_EQ(NextOwnedBit(-1, 1, 0x17), 0u);
  EXPECT_EQ(NextOwnedBit(7, 8, 0), 0u);  // down always stops at 0
  EXPECT_EQ(NextOwnedBit(-1, 0, 0xFFFF), kNoOwnedBit);
  EXPECT_EQ(NextOwnedBit(1, 8192, 0xFFFF), kNoOwnedBit);
  for (uint32_t odd : {3u, 16384u, 0x80000000u}) {
    EXPECT_EQ(NextOwnedBit(1, odd, 0xFFFFFFFF), kNoOwnedBit) << odd;
    EXPECT_EQ(NextOwnedBit(-1, odd, 0xFFFFFFFF), kNoOwnedBit) << odd;
  }
}

TEST(ItemsTest, NamesAndDescriptionsAreAlwaysWellFormed) {
  char name[kShortNameSize];
  std::memset(name, 'x', sizeof name);
  MagicToolName(3, name);  // no tool: an empty name, not the buffer's old bytes
  EXPECT_STREQ(name, "");
  ConsumableName(9, name);
  EXPECT_STREQ(name, "NO:ITEM");

  char lines[5][kDescriptionLineSize];
  auto describe = [&](uint32_t category, uint32_t index) {
    std::memset(lines, 'x', sizeof lines);
    ItemDescription(lines[0], lines[1], lines[2], lines[3], lines[4], category, index);
    int filled = 0;
    for (auto& line : lines) {
      EXPECT_NE(std::memchr(line, 0, sizeof line), nullptr) << category << "/" << index;
      filled += line[0] != 0;
    }
    return filled;
  };
  // A choker of bit 7 (the mouse-click gift), consumable 8, an unknown category: empty lines.
  const std::pair<uint32_t, uint32_t> beyond[] = {{1, 8}, {4, 8}, {5, 15}, {6, 0}};
  for (auto [category, index] : beyond) EXPECT_EQ(describe(category, index), 0) << category << "/" << index;
  // Every named ring, choker, pendant and magic tool has lore after its title.
  for (uint32_t category = 0; category < 4; ++category) {
    for (uint32_t index = 1; index <= 7; ++index) EXPECT_GE(describe(category, index), 2) << category << "/" << index;
  }
  describe(1, 4);  // the half-width blank in one choker's name
  EXPECT_EQ(std::string(lines[0]).find(' '), 16u);
  describe(5, 8);  // the full-width dash of the insurance card, in Shift-JIS
  EXPECT_NE(std::string(lines[0]).find("\x81\x7C"), std::string::npos);
}

}  // namespace
