// The cave's vending machines and the storage room's chests, played on the cave's map as a player
// plays them: she buys at the rest rooms' machines, which charge the item's price whatever their
// header says, refuse without taking money when she has too little, give the money back when her
// bag is full, and come back to their menu after each purchase; the chests give their contents
// once and are empty after.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "support/field_play.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

// The machines' and chests' numbers: their left column and the top of the floor under them.
struct Spot {
  uint32_t number;
  int col, floor;
};
constexpr Spot kFirstRestRoomDrinks = {256, 48, 128};
constexpr Spot kDrinks = {256, 163, 1472};  // the second rest room
constexpr Spot kFoods = {259, 170, 1472};
constexpr Spot kCardKeyChest = {1004, 12, 4160};
constexpr Spot kMoneyChest = {1001, 20, 4160};

constexpr const char* kDrinkMachine = "【ドリンク販売機】";
constexpr const char* kFoodMachine = "【販売機】";
constexpr const char* kWelcome = "「いらっしゃいませ。」";
constexpr const char* kThanks = "「毎度有難うございました。」";
constexpr const char* kSodaLine = "ソーダ　　　　　　　　　　　　　　１２０円";
const std::vector<std::string> kDrinkMenu = {"買わない", kSodaLine, "アクアスウェット　　　　　　　　　７００円",
                                             "エナジー１　　　　　　　　　　　　４００円"};
const std::vector<std::string> kFoodMenu = {"買わない", "ハーンバーガー　　　　　　　　　　３００円",
                                            "ルウチョコレート　　　　　　　　１０００円"};
const std::vector<std::string> kBuyOrNot = {"買わない", "買う"};

struct CaveShoppingTest : testing::Test {
  void SetUp() override {
    EnterCaveWithoutEnemies(game);
    std::memset(PlayerStats.Bag, 0, sizeof PlayerStats.Bag);
  }

  void Visit(const Spot& spot) {
    play.StandAt(spot.number, spot.col, spot.floor);
    play.PressUp();
    ASSERT_EQ(SubModeArg, static_cast<int32_t>(spot.number));
  }

  // From the machine's menu: the item's description read, "買う" chosen under its header; the line
  // that follows.
  Shown Buy(int line, const Shown& description, const char* header) {
    EXPECT_EQ(play.Choose(line), line);
    EXPECT_EQ(play.Await(), description);
    play.Close();
    EXPECT_EQ(play.Await(), (Shown{header, "", kBuyOrNot}));
    EXPECT_EQ(play.Choose(1), 1);
    return play.Await();
  }

  // A line closed and the machine's menu back.
  void BackToTheMenu(const std::vector<std::string>& menu) {
    play.Close();
    EXPECT_EQ(play.Await(), (Shown{"【メニュー】", "", menu}));
  }

  FrameHarness game;
  FieldPlay play{game};
};

TEST_F(CaveShoppingTest, SheBuysASodaAndAHamburgerAndChest1004GivesTheCardKey) {
  PlayerStats.Money = 1000;

  Visit(kDrinks);
  EXPECT_EQ(play.Await(), (Shown{kDrinkMachine, kWelcome}));
  EXPECT_EQ(HeroControl, 2);  // frozen at the drink machine
  play.Close();
  EXPECT_EQ(play.Await(), (Shown{"【メニュー】", "", kDrinkMenu}));
  const int bought = PlayCount(1);
  EXPECT_EQ(Buy(1, {kDrinkMachine, "「ソーダはＨＰを３０回復します。」"}, "【ソーダ　１２０円】"),
            (Shown{kDrinkMachine, kThanks}));
  EXPECT_EQ(PlayCount(1), bought + 1);
  EXPECT_EQ(PlayerStats.Money, 880);
  EXPECT_EQ(PlayerStats.Bag[0], 2u);
  BackToTheMenu(kDrinkMenu);
  const int cancelled = PlayCount(20);
  EXPECT_EQ(play.Choose(0), 0);  // "買わない"
  EXPECT_EQ(PlayCount(20), cancelled + 1);
  EXPECT_TRUE(play.AwaitEnd(5));
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(EventStep[2], 0);

  // The hamburger is charged 300 under a header of 350.
  Visit(kFoods);
  EXPECT_EQ(play.Await(), (Shown{kFoodMachine, kWelcome}));
  EXPECT_EQ(HeroControl, 1);
  play.Close();
  EXPECT_EQ(play.Await(), (Shown{"【メニュー】", "", kFoodMenu}));
  EXPECT_EQ(Buy(1, {kFoodMachine, "「ハンバーガーは、ＨＰを６０回復します。」"}, "【ハンバーガー　３５０円】"),
            (Shown{kFoodMachine, kThanks}));
  EXPECT_EQ(PlayerStats.Money, 580);
  EXPECT_EQ(PlayerStats.Bag[1], 1u);
  BackToTheMenu(kFoodMenu);
  EXPECT_EQ(play.Cancel(), -2);
  EXPECT_TRUE(play.AwaitEnd(5));

  // The storage room: the card key, its picture beside the line and not beside the insect's.
  const Actor chest(113, 1);
  EXPECT_EQ(chest.AnimCursor(), 10);  // closed
  const int chest_sounds = PlayCount(3);
  Visit(kCardKeyChest);
  EXPECT_EQ(play.Await(), (Shown{"", "　　【ＣＡＲＤ　ＫＥＹ】を手に入れた。"}));
  game.Run(25);
  EXPECT_EQ(MessageWindow.portrait_shown, 1u);
  EXPECT_EQ(HasSpecialItem(16), 1u);
  EXPECT_EQ(chest.AnimCursor(), 20);  // open
  EXPECT_EQ(PlayCount(3), chest_sounds + 1);
  play.Close();
  EXPECT_EQ(play.Await(),
            (Shown{"変な虫：", "「これで【出口への扉】が開くので、下の右にある【緑の管】に入り上の層に戻るぞい。」"}));
  EXPECT_EQ(MessageWindow.portrait_shown, 0u);
  play.Close();
  EXPECT_TRUE(play.AwaitEnd(5));

  // Opened again, it is empty.
  Visit(kCardKeyChest);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{"変な虫：", "「もう取っただろ。」"}}));
  EXPECT_EQ(PlayCount(3), chest_sounds + 1);
}

TEST_F(CaveShoppingTest, ExactlyThePriceLeavesNothingThenTooLittleOrAFullBagCostsNothing) {
  const Shown soda = {kDrinkMachine, "「ソーダはＨＰを３０回復します。」"};
  PlayerStats.Money = 120;
  Visit(kFirstRestRoomDrinks);
  play.Close();
  EXPECT_EQ(Buy(1, soda, "【ソーダ　１２０円】"), (Shown{kDrinkMachine, kThanks}));
  EXPECT_EQ(PlayerStats.Money, 0);
  BackToTheMenu(kDrinkMenu);

  EXPECT_EQ(Buy(1, soda, "【ソーダ　１２０円】"), (Shown{"【トヴィア】", "「お金が足りない・・・・」"}));
  EXPECT_EQ(PlayerStats.Money, 0);
  EXPECT_EQ(PlayerStats.Bag[1], 0u);
  BackToTheMenu(kDrinkMenu);

  PlayerStats.Money = 1000;
  for (int slot = 0; slot < kBagSlots; ++slot) PlayerStats.Bag[slot] = 1;
  EXPECT_EQ(Buy(3, {kDrinkMachine, "「エナジーワンはＨＰを１００回復します。」"}, "【エナジーワン　４００円】"),
            (Shown{"【トヴィア】", "「荷物がいっぱいなので買えない・・・・」"}));
  EXPECT_EQ(PlayerStats.Money, 1000);
  BackToTheMenu(kDrinkMenu);

  // "買わない" under a header goes back to the greeting.
  EXPECT_EQ(play.Choose(2), 2);
  play.Close();
  play.Await();
  EXPECT_EQ(play.Choose(0), 0);
  EXPECT_EQ(play.Await(), (Shown{kDrinkMachine, kWelcome}));
}

TEST_F(CaveShoppingTest, TheChocolateIsItem8WhoseDescriptionIsFiveEmptyLines) {
  PlayerStats.Money = 1000;
  Visit(kFoods);
  play.Close();
  EXPECT_EQ(Buy(2, {kFoodMachine, "「ルウチョコレートはＨＰ・ＭＰを２５０回復します。」"}, "【ルウチョコレート　１０００円】"),
            (Shown{kFoodMachine, kThanks}));
  EXPECT_EQ(PlayerStats.Money, 0);
  ASSERT_EQ(PlayerStats.Bag[0], 8u);

  char lines[5][kDescriptionLineSize];
  std::memset(lines, '?', sizeof lines);
  ItemDescription(lines[0], lines[1], lines[2], lines[3], lines[4], kCategoryConsumables, PlayerStats.Bag[0]);
  for (const auto& line : lines) EXPECT_STREQ(line, "");
}

TEST_F(CaveShoppingTest, The1000YenChestPaysOnceAndIsEmptyAfter) {
  PlayerStats.Money = 5;
  Visit(kMoneyChest);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{"", "１０００円手に入れた。"}}));
  EXPECT_EQ(PlayerStats.Money, 1005);
  EXPECT_EQ(GetFlag(1, 1001), 1u);
  EXPECT_EQ(Actor(113, 2).AnimCursor(), 20);
  EXPECT_EQ(HeroControl, 0);

  Visit(kMoneyChest);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{"トヴィア：", "何も入っていない。"}}));
  EXPECT_EQ(PlayerStats.Money, 1005);
}

}  // namespace
