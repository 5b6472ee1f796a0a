// The opening, played from the title's "最初から始める" with every line closed by the jump
// button, and the game-over scene.
#include "events/opening_scene.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "support/title_play.h"
#include "ui/hud.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

constexpr int kInsectGroup = 114;

struct OpeningEnd {
  OpeningRecord record;
  int hero_x = 0, hero_y = 0;
  std::set<int32_t> heights_while_frozen;  // her PosY on the frames of steps 0..3 in the forest
  std::vector<std::string> cries;          // the panel's lines of the blast, as they changed
};

OpeningEnd PlayFromTheTitle(const std::vector<uint8_t>& tapped) {
  FrameHarness game;
  OpeningEnd end;
  EXPECT_TRUE(ReachTitleMenu(game));
  PlayerStats.Money = 777;  // the title's new game goes on with the first frame's set-up
  ChooseLine(game, 0);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(HudVisible, 0u);
  const Actor hero(kHeroineGroup, 0);
  end.record = PlayOpening(game, tapped, [&] {
    if (SceneStep == 3) end.heights_while_frozen.insert(hero.PosY());
    for (const DrawCommand& c : game.Draws(4)) {
      if (c.type != kDrawText || std::strstr(c.text, "ギャー") == nullptr) continue;
      if (end.cries.empty() || end.cries.back() != c.text) end.cries.push_back(c.text);
    }
  });
  end.hero_x = hero.PosX();
  end.hero_y = hero.PosY();
  EXPECT_EQ(PlayerStats.Money, 777);
  EXPECT_EQ(SceneStep, 0);
  EXPECT_EQ(EventSubCounter, 0);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(GetFlag(1, 1000), 1);  // the chest she opened
  EXPECT_STREQ(MapPath, "./Data/L001CAVE.MDT");
  EXPECT_EQ(CountActors(kInsectGroup), 1);  // the insect stays with her
  EXPECT_EQ(HudVisible, 1u);
  EXPECT_EQ(HeroControl, kControlSelf);
  EXPECT_EQ(Actor(2, 0).Control(), kControlSelf);  // Klaus let go
  EXPECT_EQ(PlayCount(11), 1);  // the two blasts and the tool she found
  EXPECT_EQ(PlayCount(8), 1);
  EXPECT_EQ(PlayCount(3), 1);
  return end;
}

TEST(OpeningSceneTest, ANewGameFromTheTitlePlaysTheOpeningIntoTheCaveWhateverElseIsPressed) {
  const OpeningEnd plain = PlayFromTheTitle({});
  ASSERT_TRUE(plain.record.ended);
  const std::vector<ShownLine>& lines = plain.record.lines;
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], (ShownLine{"【山岳都市ランカシャア東区】",
                                 "　クラウスに呼出しされたトヴィアは、ランカシャア東区のへ向かった。", 1}));
  EXPECT_EQ(lines[8], (ShownLine{"クラウス先生", "「Ｇｏ！」", 1}));
  EXPECT_EQ(lines[11], (ShownLine{"【？？？】", "山岳都市ランカシャア東区地下部", 1}));
  EXPECT_EQ(lines[14], (ShownLine{"", "　　魔道具【ＢＥＥＴＬＥ】を手に入れた。", 1}));
  EXPECT_EQ(lines[23].speaker, "【変な虫】");
  // The world stood still while the first caption showed: she hung where the street put her.
  EXPECT_EQ(plain.heights_while_frozen, (std::set<int32_t>{2626}));
  // The first blast's cry is in brackets, the one she trails as she falls is not.
  EXPECT_EQ(plain.cries, (std::vector<std::string>{"「ギャーーーーーー！」", "ギャーーーーーー！"}));

  // Up (a door's key) and the action key (talk, and a line's close) pressed all through change
  // nothing but how soon the lines close.
  const OpeningEnd pressed = PlayFromTheTitle({vk::Up, static_cast<uint8_t>('X')});
  ASSERT_TRUE(pressed.record.ended);
  EXPECT_EQ(pressed.record.lines, lines);
  EXPECT_EQ(pressed.hero_x, plain.hero_x);
  EXPECT_EQ(pressed.hero_y, plain.hero_y);
}

// A step the opening does not have (a save's, or one a later change left behind) does nothing
// and holds the world; a loaded save starts it over.
TEST(OpeningSceneTest, AStepWithoutACaseDoesNothingAndHoldsTheWorld) {
  FrameHarness game;
  StartInTheCave(game);
  game.Run(40);
  const Actor hero(kHeroineGroup, 0);
  for (int32_t step : {19, 20, 57, 58, 63, 68, 69, -18, 71, 9999, 10001}) {
    SubMode = kSubStartSequence;
    SubModeArg = 0;
    SceneStep = step;
    hero.PosY() -= 40;  // in the air: she would fall if the world ran
    const int y = hero.PosY();
    game.Run(3);
    EXPECT_EQ(SceneStep, step);
    EXPECT_EQ(hero.PosY(), y) << step;
    EXPECT_EQ(SubMode, kSubStartSequence);
    EXPECT_FALSE(IsKnownSceneStep(step)) << step;
    SubMode = kSubWorld;
    game.Run(40);
  }
}

TEST(OpeningSceneTest, TheGameOverSceneShowsItsCaptionInTheForestAndHaltsTheGame) {
  FrameHarness game;
  StartInTheCave(game);
  game.Run(40);
  SubMode = kSubStartSequence;
  SubModeArg = 2;
  SceneStep = 0;
  const OpeningRecord over = PlayOpening(game);
  ASSERT_TRUE(over.ended);
  ASSERT_EQ(over.lines.size(), 1u);
  EXPECT_EQ(over.lines[0], (ShownLine{"【クロノス】", "　ゲームオーバー", 1}));
  EXPECT_STREQ(MapPath, "./Data/LAFOREST.MDT");
  EXPECT_EQ(GameMode, kGameHalted);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(HeroControl, kControlSelf);
}

}  // namespace
