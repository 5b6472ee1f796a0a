// The inn's paintings and the clinic's reception, played in the town's houses: a painting only
// says her plain line, whatever its button flags hold, since nothing lets her examine it closely;
// examined closely (as the script allows) each painting's button is found once, and the second
// one makes a sound. The clinic charges 30 yen with the insurance card and 500 without, charges
// nothing when she cannot pay or cancels, and heals her in the consultation room.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/items.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "support/field_play.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/map_layers.h"
#include "world/save_block.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kRoomFloor = 784;  // the inn rooms' floor
constexpr int kVaseCol = 182, kRedBuildingCol = 222;
constexpr int kCounterCol = 20, kClinicFloor = 304;  // the clinic's counter, columns 20..22
constexpr const char* kReception = "受付";
constexpr const char* kTovia = "トヴィア：";
constexpr const char* kInsect = "変な虫：";

struct TownTest : testing::Test {
  void SetUp() override {
    game.Run(2);  // the new game
    SubMode = kSubWorld;
    SubModeArg = 0;
    SetCameraPosition(0, 0);
    ChangeScene(610);  // the houses: the caller puts her in
    SpawnActor(kHeroineGroup, 556, 232, 1, 0);
    SetCameraTarget(kHeroineGroup);
    RedrawAllLayers();
    game.Run(10);
  }

  std::vector<Shown> Look(int col, uint32_t number) {
    play.StandAt(number, col, kRoomFloor);
    play.PressUp();
    EXPECT_EQ(SubModeArg, static_cast<int32_t>(number));
    game.Run(2);
    insect_came = Actor(114, 0).State() != 0;
    return play.ReadToTheEnd();
  }

  FrameHarness game;
  FieldPlay play{game};
  bool insect_came = false;
};

TEST_F(TownTest, EachPaintingSaysOnlyItsPlainLineWhateverItsButtonsHold) {
  SetFlag(1, 12, 1);  // the other painting's button, as no event of the game can set it
  EXPECT_EQ(Look(kVaseCol, 280), (std::vector<Shown>{{kTovia, "「壺みたいな絵画だなぁ。」"}}));
  EXPECT_TRUE(insect_came);
  EXPECT_EQ(Actor(114, 0).State(), 0);
  EXPECT_EQ(Look(kRedBuildingCol, 281), (std::vector<Shown>{{kTovia, "「綺麗な赤い建物の絵だ。」"}}));
  EXPECT_EQ(GetFlag(1, 11), 0u);
  EXPECT_EQ(GetFlag(1, 12), 1u);
  EXPECT_EQ(HeroControl, 0);
}

TEST_F(TownTest, ExaminedCloselyEachButtonIsPressedOnceAndTheSecondMakesASound) {
  SetFlag(1, 10, 1);
  const std::vector<Shown> vase = Look(kVaseCol, 280);
  std::vector<std::string> speakers;
  for (const Shown& s : vase) speakers.push_back(s.speaker);
  EXPECT_EQ(speakers, (std::vector<std::string>{kInsect, kTovia, kInsect, kTovia, kInsect}));
  ASSERT_EQ(vase.size(), 5u);
  EXPECT_EQ(vase[0].text, "「これは、もしかし“フェイストゥフェイス”かも？」");
  EXPECT_EQ(vase[4].text, "「ほんとスイッチを見たら考え無しに押すね・・・・・」");
  EXPECT_EQ(GetFlag(1, 11), 1u);
  EXPECT_EQ(GetFlag(1, 12), 0u);

  const int sounds = PlayCount(32);
  const std::vector<Shown> red = Look(kRedBuildingCol, 281);
  ASSERT_EQ(red.size(), 6u);
  EXPECT_EQ(red[0], (Shown{kInsect, "「ん？・・・よく見ると“グランドレッド”じゃないか。」"}));
  EXPECT_EQ(red[5], (Shown{kTovia, "「へんな音聞こえた。」"}));
  EXPECT_EQ(PlayCount(32), sounds + 2);  // twice, a frame apart
  EXPECT_EQ(GetFlag(1, 12), 1u);

  EXPECT_EQ(Look(kVaseCol, 280), (std::vector<Shown>{{kTovia, "「ボタンはもう押した。」"}}));
  EXPECT_EQ(Actor(114, 0).State(), 0);
}

// Up at the clinic's counter, the card asked for and the fee named: the menu.
Shown AskAtTheCounter(FieldPlay& play, const char* fee_line) {
  play.StandAt(317, kCounterCol, kClinicFloor);
  play.PressUp();
  EXPECT_EQ(SubModeArg, 317);
  EXPECT_EQ(play.Await(), (Shown{kReception, "健康保険証を拝見します。"}));
  play.Close();
  EXPECT_EQ(play.Await(), (Shown{kReception, fee_line}));
  play.Close();
  return play.Await();
}

constexpr const char* kInsuredFee =
    "拝見します・・・・・・ケンプファー様の扶養家族様ですね。第一種医療保険を適応し、医療費負担額はは【３０】円となります。";
constexpr const char* kUninsuredFee = "保険証は無しですね。一般での医療費は【５００円】です。";
const std::vector<std::string> kTreatOrNot = {"キャンセル", "治療を受る"};

TEST_F(TownTest, WithTheInsuranceCardSheIsHealedForExactlyThirtyYen) {
  GiveSpecialItem(128);
  PlayerStats.Money = 30;
  PlayerStats.Hp = 1;
  PlayerStats.Mp = 0;
  EXPECT_EQ(AskAtTheCounter(play, kInsuredFee), (Shown{"【治療費　３０円】", "", kTreatOrNot}));
  EXPECT_EQ(play.Choose(1), 1);
  EXPECT_EQ(PlayerStats.Money, 0);
  EXPECT_EQ(play.Await(), (Shown{kReception, "診療室にお入りください。"}));
  const int healed = PlayCount(19);
  play.Close();
  EXPECT_TRUE(play.AwaitEnd(600));  // through the fade
  // Put at (112, 232) in the consultation room, she stands on its floor.
  const Actor hero(kHeroineGroup, 0);
  EXPECT_EQ(hero.PosX(), 112);
  EXPECT_EQ(hero.PosY() + 65, kClinicFloor);
  EXPECT_EQ(PlayerStats.Hp, PlayerStats.MaxHp);
  EXPECT_EQ(PlayerStats.Mp, PlayerStats.MaxMp);
  EXPECT_EQ(PlayCount(19), healed + 2);  // twice, a frame apart
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(EventStep[2], 0);
}

TEST_F(TownTest, WithoutTheCardTheFeeIsFiveHundredAndNothingIsChargedWhenSheCannotPayOrCancels) {
  PlayerStats.OwnedSpecialItems &= ~128u;
  PlayerStats.Money = 499;
  PlayerStats.Hp = 1;
  EXPECT_EQ(AskAtTheCounter(play, kUninsuredFee), (Shown{"【治療費　５００円】", "", kTreatOrNot}));
  EXPECT_EQ(play.Choose(1), 1);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{kReception, "所持金が不足しています。"}}));
  EXPECT_EQ(PlayerStats.Money, 499);
  EXPECT_EQ(PlayerStats.Hp, 1);

  PlayerStats.Money = 5000;
  AskAtTheCounter(play, kUninsuredFee);
  EXPECT_EQ(play.Cancel(), -2);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{kReception, "キャンセルしました。"}}));
  EXPECT_EQ(PlayerStats.Money, 5000);

  AskAtTheCounter(play, kUninsuredFee);
  EXPECT_EQ(play.Choose(0), 0);
  EXPECT_EQ(play.ReadToTheEnd(), (std::vector<Shown>{{kReception, "キャンセルしました。"}}));
  EXPECT_EQ(PlayerStats.Money, 5000);
  EXPECT_EQ(PlayerStats.Hp, 1);
}

}  // namespace
