// The heroine's items in a running game: the new game's inventory, the bag, the cursor over
// owned bits, the catalogue's names and lines, and casting the magic tools.
#include "actors/items.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "support/frame_harness.h"
#include "support/heroine_pose.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/save_block.h"

namespace {

// A new game after its first frame, with the heroine standing at x 300..324, top 200.
struct NewGame : FrameHarness {
  NewGame() {
    Run();
    PoseHeroineForCamera(312, 200);
    Actor(kHeroineGroup, 0).PosX() = 296;
  }
};

std::vector<std::string> Texts(int group = 111) {
  std::vector<std::string> out;
  for (int s = 0; s < kActorSlots; ++s) {
    if (Actor(group, s).State() != kActorFree) out.push_back(Actor(group, s).Text());
  }
  return out;
}

int Auras() { return CountActors(116); }

// Every byte of text decodes as Shift-JIS.
bool IsCp932(const char* text) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  char out[1024];
  char* in = const_cast<char*>(text);
  size_t in_left = std::strlen(text), out_left = sizeof out;
  char* o = out;
  const bool ok = iconv(cd, &in, &in_left, &o, &out_left) != static_cast<size_t>(-1) && in_left == 0;
  iconv_close(cd);
  return ok;
}

TEST(ItemsTest, ANewGameStartsWithItsStatisticsAndAShieldCastRaisesTheDefense) {
  FrameHarness game;
  PlayerStats.EquipPage = 3;  // the equipment page's row outlives a new game
  game.Run();
  const PlayerStatsRecord& p = PlayerStats;
  EXPECT_EQ(p.Hp, 20);
  EXPECT_EQ(p.MaxHp, 20);
  EXPECT_EQ(p.Mp, 10);
  EXPECT_EQ(p.MaxMp, 10);
  EXPECT_EQ(p.Attack, 5);
  EXPECT_EQ(p.Defense, 2);
  EXPECT_EQ(p.Efficiency, 1);
  EXPECT_EQ(p.OwnedSpecialItems, 0x80u);
  EXPECT_EQ(HasSpecialItem(0x80), 1u);
  EXPECT_EQ(p.EquipPage, 3u);
  const uint32_t bag[8] = {1, 1, 2, 0, 0, 3, 0, 0};
  EXPECT_EQ(std::memcmp(p.Bag, bag, sizeof bag), 0);

  PoseHeroineForCamera(312, 200);
  Actor(kHeroineGroup, 0).PosX() = 296;
  PlayerStats.EquippedMagicTool = 2;  // SHEELD=BOOK
  CastMagic();
  RecalcHeroineStats();
  EXPECT_EQ(p.Defense, 3);
  EXPECT_EQ(p.Mp, 10);  // a cast costs no MP
  ASSERT_EQ(Auras(), 1);
  const Actor aura(116, 0);
  EXPECT_EQ(aura.PosX(), 306);
  EXPECT_EQ(aura.PosY(), 164);
  EXPECT_EQ(aura.DefenseValue(), 996);
  EXPECT_EQ(aura.StepY(), -1);
  EXPECT_EQ(aura.MaxLife(), 70);
  EXPECT_EQ(aura.Param24(), -1);  // blinking
  EXPECT_EQ(aura.Life(), 1);      // following her
  EXPECT_EQ(Texts(), std::vector<std::string>{"BODY@ROCK@PROTECTION:L1"});
  EXPECT_EQ(Actor(111, 0).FaceX(), 'm');
  EXPECT_EQ(Actor(111, 0).PosX(), 312);
  EXPECT_EQ(Actor(111, 0).PosY(), 203);
  EXPECT_EQ(PlayCount(21), 1);
  EXPECT_EQ(FlashState.on, 1);
  EXPECT_EQ(FlashState.remaining, 16);
  EXPECT_EQ(FlashState.period, 2);
  EXPECT_EQ(FlashState.colour, 0xFFFFFFu);
}

TEST(ItemsTest, UsingTheBagHealsUpToTheMaximaAndEmptiesOnlyThatSlot) {
  NewGame game;
  PlayerStats.Hp = 10;
  UseBagItem();  // HAMBURGER: 60 HP, but only up to 20
  EXPECT_EQ(PlayerStats.Hp, 20);
  EXPECT_EQ(PlayerStats.Mp, 10);
  EXPECT_EQ(PlayerStats.Bag[0], 0u);
  EXPECT_EQ(PlayerStats.Bag[1], 1u);
  EXPECT_EQ(PlayerStats.BagCursor, 0u);
  EXPECT_EQ(PlayCount(3), 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"DIET@HAMBURGER"});
  EXPECT_EQ(Actor(111, 0).FaceX(), 'm');

  UseBagItem();  // the slot is empty now
  EXPECT_EQ(PlayCount(20), 1);
  EXPECT_EQ(PlayCount(3), 1);
  EXPECT_EQ(Texts().size(), 1u);

  PlayerStats.BagCursor = 5;  // POTATOCHIP at full HP and MP: used up all the same
  UseBagItem();
  EXPECT_EQ(PlayerStats.Bag[5], 0u);
  EXPECT_EQ(PlayerStats.Hp, 20);
  EXPECT_EQ(PlayerStats.Mp, 10);

  PlayerStats.Bag[6] = 4;  // a cursor past the seventh slot reads the seventh
  PlayerStats.Bag[7] = 7;
  PlayerStats.BagCursor = 200;
  PlayerStats.Mp = 1;
  UseBagItem();
  EXPECT_EQ(PlayerStats.Mp, 10);
  EXPECT_EQ(PlayerStats.Bag[6], 0u);
  EXPECT_EQ(PlayerStats.Bag[7], 7u);

  PlayerStats.BagCursor = 2;
  PlayerStats.Hp = INT32_MAX - 5;  // a loaded HP near the top caps instead of overflowing
  UseBagItem();
  EXPECT_EQ(PlayerStats.Hp, 20);
}

TEST(ItemsTest, TheBagTakesItemsIntoItsEmptySlotsUntilItIsFull) {
  NewGame game;
  EXPECT_EQ(AddToBag(5), 1u);
  EXPECT_EQ(AddToBag(8), 1u);
  EXPECT_EQ(AddToBag(4), 1u);
  EXPECT_EQ(AddToBag(2), 0u);
  const uint32_t bag[8] = {1, 1, 2, 5, 8, 3, 4, 0};  // the eighth entry is never used
  EXPECT_EQ(std::memcmp(PlayerStats.Bag, bag, sizeof bag), 0);
  EXPECT_EQ(ItemValue(8, 0), 250);
  EXPECT_EQ(ItemValue(7, 2), 65535);
  EXPECT_EQ(ItemValue(1, 0), 60);  // not the 30 its description names
  EXPECT_EQ(ItemValue(9, 0), 0);
  EXPECT_EQ(ItemValue(1, 4), 0);
  GiveSpecialItem(16);
  EXPECT_EQ(HasSpecialItem(0x90), 1u);
  EXPECT_EQ(HasSpecialItem(0x91), 0u);
}

TEST(ItemsTest, SpellsRiseToTheirCapsAndAPurgeEndsThem) {
  NewGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.EquippedMagicTool = 2;  // SHEELD=BOOK
  for (int i = 0; i < 8; ++i) CastMagic();
  EXPECT_EQ(p.SpellLevel[1], 8);
  EXPECT_EQ(p.SpellTimer[1], 16);
  EXPECT_EQ(Texts().back(), "BODY@ROCK@PROTECTION:L8");
  EXPECT_EQ(PlayCount(21), 8);
  FlashState.on = 0;
  CastMagic();  // at the cap: nothing at all
  EXPECT_EQ(p.SpellLevel[1], 8);
  EXPECT_EQ(PlayCount(21), 8);
  EXPECT_EQ(Texts().size(), 8u);
  EXPECT_EQ(Auras(), 8);
  EXPECT_EQ(FlashState.on, 0);

  p.EquippedMagicTool = 4;  // OLD=NOTE, twice
  CastMagic();
  CastMagic();
  EXPECT_EQ(p.SpellLevel[2], 1);
  EXPECT_EQ(p.SpellTimer[2], 128);
  EXPECT_EQ(Actor(116, 8).DefenseValue(), 998);
  EXPECT_EQ(Texts().back(), "REPULSIVE@FORCE@GENERATED:L1");
  EXPECT_EQ(PlayCount(21), 9);
  EXPECT_EQ(Auras(), 9);

  p.EquippedMagicTool = 16 | 64;  // TACHYON=CLOCK: the lowest bit decides
  p.Mp = 0;
  CastMagic();  // without MP: nothing
  EXPECT_EQ(p.SpellLevel[4], 0);
  p.Mp = 1;
  CastMagic();
  EXPECT_EQ(p.SpellLevel[4], 1);
  EXPECT_EQ(p.SpellTimer[4], 1);
  EXPECT_EQ(Actor(116, 9).DefenseValue(), 1078);
  EXPECT_EQ(Texts().back(), "CLOCK@UP:L1");

  p.EquippedMagicTool = 1;  // BEETLE: its sound only
  CastMagic();
  EXPECT_EQ(PlayCount(11), 1);
  EXPECT_EQ(Texts().size(), 10u);

  p.EquippedMagicTool = 8;  // RAT=TAIL purges every spell
  CastMagic();
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(p.SpellLevel[k], 0) << k;
    EXPECT_EQ(p.SpellTimer[k], 0) << k;
  }
  EXPECT_EQ(Texts().back(), "MAGIC@PURGE");
  EXPECT_EQ(PlayCount(20), 1);
  for (uint32_t tool : {0u, 8u, 64u, 128u, 0x4000u}) {  // with nothing on: the sound without the text
    p.EquippedMagicTool = tool;
    CastMagic();
  }
  EXPECT_EQ(PlayCount(20), 6);
  EXPECT_EQ(Texts().size(), 11u);
  EXPECT_EQ(PlayCount(21), 10);

  p.EquippedMagicTool = 2;
  p.SpellLevel[1] = -1;  // a negative level counts as 0
  CastMagic();
  EXPECT_EQ(p.SpellLevel[1], 1);
  EXPECT_EQ(p.SpellTimer[1], 128);
}

TEST(ItemsTest, TheCursorWalksOwnedBitsAndAnswersNoneBeyondTheChain) {
  EXPECT_EQ(NextOwnedBit(1, 0, 0x17), 1u);
  EXPECT_EQ(NextOwnedBit(1, 4, 0x17), 16u);  // 8 is not owned
  EXPECT_EQ(NextOwnedBit(1, 16, 0x17), kNoOwnedBit);
  EXPECT_EQ(NextOwnedBit(-1, 1, 0x17), 0u);
  EXPECT_EQ(NextOwnedBit(-1, 16, 0x17), 4u);
  EXPECT_EQ(NextOwnedBit(7, 8, 0), 0u);  // down always stops at 0
  EXPECT_EQ(NextOwnedBit(-1, 0, 0xFFFF), kNoOwnedBit);
  EXPECT_EQ(NextOwnedBit(1, 4096, 0xFFFF), 8192u);
  EXPECT_EQ(NextOwnedBit(1, 8192, 0xFFFF), kNoOwnedBit);
  EXPECT_EQ(NextOwnedBit(-1, 8192, 0xFFFF), 4096u);
  for (uint32_t odd : {3u, 6u, 16384u, 9999u, 0x80000000u, kNoOwnedBit}) {
    EXPECT_EQ(NextOwnedBit(1, odd, 0xFFFFFFFF), kNoOwnedBit) << odd;
    EXPECT_EQ(NextOwnedBit(-1, odd, 0xFFFFFFFF), kNoOwnedBit) << odd;
  }
}

TEST(ItemsTest, NamesAndDescriptionsAreAlwaysWellFormed) {
  char name[kShortNameSize];
  std::memset(name, 'x', sizeof name);
  MagicToolName(3, name);  // no tool: an empty name, not the buffer's old bytes
  EXPECT_STREQ(name, "");
  MagicToolName(0, name);
  EXPECT_STREQ(name, "UNSLECTED");
  MagicToolName(32, name);
  EXPECT_STREQ(name, "HIGHSHEELD=BOOK");
  MagicToolName(128, name);
  EXPECT_STREQ(name, "");
  ConsumableName(9, name);
  EXPECT_STREQ(name, "NO:ITEM");
  ConsumableName(4, name);
  EXPECT_STREQ(name, "AQUAWATER");

  char lines[5][kDescriptionLineSize];
  auto describe = [&](uint32_t category, uint32_t index) {
    std::memset(lines, 'x', sizeof lines);
    ItemDescription(lines[0], lines[1], lines[2], lines[3], lines[4], category, index);
    int filled = 0;
    for (auto& line : lines) {
      EXPECT_NE(std::memchr(line, 0, sizeof line), nullptr) << category << "/" << index;
      EXPECT_TRUE(IsCp932(line)) << category << "/" << index;
      filled += line[0] != 0;
    }
    return filled;
  };
  // A choker of bit 7 (the mouse-click gift), consumable 8, an unknown category: empty lines.
  const std::pair<uint32_t, uint32_t> beyond[] = {{1, 8}, {4, 8}, {3, 9}, {5, 15}, {6, 0}};
  for (auto [category, index] : beyond) {
    EXPECT_EQ(describe(category, index), 0) << category << "/" << index;
  }
  EXPECT_EQ(describe(4, 0), 0);
  // Every named ring, choker, pendant and magic tool has lore after its title, and tools 1..6
  // name their spell in the second line.
  for (uint32_t category = 0; category < 4; ++category) {
    for (uint32_t index = 0; index <= 7; ++index) EXPECT_GE(describe(category, index), 2) << category << "/" << index;
  }
  for (uint32_t index = 1; index <= 6; ++index) {
    describe(3, index);
    EXPECT_EQ(std::string(lines[1]).rfind("《", 0), 0u) << index;
  }
  // The half-width blank of one choker's name and the full-width dash of the insurance card.
  describe(1, 4);
  EXPECT_EQ(std::strlen(lines[0]), 2u * 8 + 1 + 2u * 6);
  EXPECT_EQ(lines[0][16], ' ');
  describe(5, 8);
  EXPECT_NE(std::string(lines[0]).find("\x81\x7C"), std::string::npos);
  EXPECT_EQ(describe(5, 8), 5);
  describe(5, 0);
  EXPECT_EQ(std::string(lines[1]).back(), '\n');
}

}  // namespace
