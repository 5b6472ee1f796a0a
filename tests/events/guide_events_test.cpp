// The guide events as she meets them: in the cave, 513 speaks once when she steps down from the
// landing and never again, not even after a save is loaded; 517 walks her into the pipe at the
// runway's end and waits until she has fallen to the lowest level; the lower pipe (700) does
// nothing until she crouches on it, then swallows her and brings her out of the upper pipe. On
// fixture floors: 514 keeps her crouched 131 frames before she says what she sees, and the edge
// of the area (128) stops the world until its line is closed and stops her each time she walks
// into it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/flags.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

class GuideEventTest : public testing::Test {
 protected:
  void SetUp() override { StartInTheCave(game); }

  // Closes the lines that come, a tap for the whole page and one to close it, until `done`.
  template <typename Done>
  void CloseLinesUntil(Done done, int taps = 80) {
    for (int i = 0; i < taps && !done(); ++i) {
      if (MessageWindow.open == 1) {
        game.PressButton(kButtonJump);
      } else {
        game.Run();
      }
    }
  }
  // Walks her `way` until `done` (at most `frames` frames).
  template <typename Done>
  void WalkUntil(int way, Done done, int frames = 300) {
    game.HoldButton(way);
    for (int i = 0; i < frames && !done(); ++i) game.Run();
    game.ReleaseButton(way);
  }
  // Puts her standing on the cave's floor at y `floor`.
  void Stand(int x, int floor) {
    hero.PosX() = x;
    hero.PosY() = floor - 65;
    hero.VelX() = hero.VelY() = 0;
    game.Run(20);
  }
  static bool Standing(int number) { return SubMode == kSubGuideEvent && SubModeArg == number; }
  static std::string Line() { return MessageWindow.open == 1 ? MessageWindow.text : ""; }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(GuideEventTest, TheGuardsTalkSpeaksOnceAndNeverAgainNotEvenAfterALoad) {
  game.Run(40);  // the opening's drop onto the landing
  WalkUntil(kButtonRight, [] { return Standing(513); });
  ASSERT_TRUE(Standing(513)) << "she walked past the guide";
  game.Run();
  EXPECT_EQ(Line(), "「ここから先、侵入者対策のためにモンスターが配備されている」");
  EXPECT_EQ(std::string(MessageWindow.speaker), "変な虫：");
  EXPECT_EQ(HeroControl, 1);
  CloseLinesUntil([] { return SubMode == kSubWorld; });
  EXPECT_EQ(GetFlag(0, 0), 1u);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(EventStep[2], 0);

  auto crosses_without_it = [&] {
    bool met = false;
    WalkUntil(kButtonRight, [&] { return (met = met || Standing(513)) || hero.PosX() > 800; }, 120);
    WalkUntil(kButtonLeft, [&] { return (met = met || Standing(513)) || hero.PosX() < 680; }, 120);
    return !met;
  };
  EXPECT_TRUE(crosses_without_it());
  ASSERT_EQ(WriteSave("./Data/save0.dat"), 0);
  ClearAllFlags();  // as a new game leaves them
  ASSERT_EQ(ReadSave("./Data/save0.dat"), 0);
  SubMode = kSubWorld;
  SubModeArg = 0;
  ChangeScene(kSceneCave);
  HeroControl = 0;
  game.Run(40);
  EXPECT_TRUE(crosses_without_it()) << "the loaded game remembers the talk";
}

TEST_F(GuideEventTest, ThePipeTalkWalksHerIntoTheShaftAndGoesOnOnlyOnceSheIsAtTheBottom) {
  Stand(1380, 2816);  // on the runway, left of 517
  WalkUntil(kButtonRight, [] { return Standing(517); });
  ASSERT_TRUE(Standing(517));
  CloseLinesUntil([] { return EventStep[2] == 8; });
  ASSERT_EQ(EventStep[2], 8);
  // She walks and jumps by herself, surprised, up to the shaft.
  int highest = hero.PosY(), frames = 0;
  while (EventStep[2] == 8 && frames < 200) {
    game.Run();
    ++frames;
    highest = std::min(highest, hero.PosY());
  }
  EXPECT_GE(hero.PosX(), 1600);
  EXPECT_LT(highest, 2751 - 40) << "she jumped on the way";
  game.Run();
  EXPECT_EQ(EventStep[2], 13) << "her cry, then its wait";
  EXPECT_EQ(Line(), "「あぁぁぁぁぁ－－－－－－－－－－－－－－－－－－－－－－－－」");
  EXPECT_EQ(MessageWindow.flags, 0u);
  // The talk waits while she falls and goes on when she is at the lowest level.
  CloseLinesUntil([] { return EventStep[2] == 14; });
  ASSERT_LT(hero.PosY(), 4000);
  int waited = 0;
  while (EventStep[2] == 14 && waited < 300) {
    game.Run();
    ++waited;
  }
  EXPECT_GT(waited, 50);
  EXPECT_GE(hero.PosY(), 4000);
  game.Run();
  EXPECT_EQ(std::string(MessageWindow.speaker), "へんな虫：");
  EXPECT_EQ(Line(), "「ここが最下層だ・・・・左の突当りに【倉庫】があり、そこに【カードキー】がある。」");
  CloseLinesUntil([] { return SubMode == kSubWorld; });
  EXPECT_EQ(GetFlag(0, 4), 1u);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(hero.PosY(), 4192 - 65);
}

TEST_F(GuideEventTest, TheLowerPipeTakesHerOnlyWhenSheCrouchesOnItAndLetsHerOutOfTheUpperPipe) {
  Stand(2552, 4128);  // on the lower pipe's rim
  EXPECT_TRUE(Standing(700)) << "standing on it raises it on every frame";
  game.Run(10);
  EXPECT_EQ(HeroControl, 0) << "and it ends at once";
  EXPECT_EQ(hero.PosY(), 4128 - 65);
  WalkUntil(kButtonLeft, [&] { return hero.PosX() < 2500; });
  game.Run();
  EXPECT_EQ(SubMode, kSubWorld) << "she walked off it freely";
  Stand(2552, 4128);
  const int sunk_from = hero.PosY();
  const int plops = PlayCount(26);
  game.HoldButton(kButtonDown);
  int frames = 0;
  while (HeroControl != 2 && frames++ < 30) game.Run();
  ASSERT_EQ(HeroControl, 2) << "she crouched and the pipe took her";
  EXPECT_EQ(PlayCount(26), plops + 1);
  game.Run(33);
  EXPECT_EQ(hero.PosY(), sunk_from + 32);
  EXPECT_EQ(GetCameraTarget(), kNoCameraTarget);
  // The pan goes on until the upper pipe's view; she is put there, and the camera follows her
  // again from there.
  frames = 0;
  while (EventStep[2] != 3 && frames++ < 200) game.Run();
  EXPECT_EQ(hero.PosX(), 1112);
  EXPECT_EQ(hero.PosY(), 2008);
  EXPECT_EQ(GetCameraX(), 816);
  EXPECT_NEAR(GetCameraY(), 1768, 8);
  EXPECT_EQ(GetCameraTarget(), kHeroineGroup);
  game.Run();
  game.ReleaseButton(kButtonDown);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);
  game.Run(10);
  EXPECT_EQ(hero.PosY(), 2080 - 65) << "she stands on the upper pipe";
}

// ---- on fixture floors -----------------------------------------------------------------------------

constexpr int kFloorRow = 20;
constexpr int kFloorTop = kFloorRow * 16;

class GuideOnFloorTest : public GuideEventTest {
 protected:
  // A floor with the guide's column at column 20 (x 320); she starts at x 200.
  // A Kamekichi at `walker_col` when it is not 0.
  void Enter(uint32_t number, int walker_col = 0) {
    std::vector<std::string> rows(kFloorRow, std::string(60, '.'));
    for (int r = 0; r < kFloorRow; ++r) rows[r][20] = 'g';
    if (walker_col != 0) rows[kFloorRow - 2][walker_col] = 'k';
    rows.push_back(std::string(60, '#'));
    LoadFixtureMap(rows, {{'g', 4, number}, {'k', 4, 33}});
    EnterPlay({.heroine = true, .hero_x = 200, .hero_y = kFloorTop - 65});
    game.Run(3);
  }
};

TEST_F(GuideOnFloorTest, TheCrouchTalkKeepsHerCrouched131FramesBeforeHerNextLine) {
  Enter(514);
  WalkUntil(kButtonRight, [] { return Standing(514); });
  ASSERT_TRUE(Standing(514));
  CloseLinesUntil([] { return EventStep[2] == 4; });
  int crouched = 0;
  while (MessageWindow.open == 0 && crouched < 300) {
    game.Run();
    if (GetActorMotion(kHeroineGroup, 0) == 1 && MessageWindow.open == 0) ++crouched;
  }
  EXPECT_EQ(crouched, 131);
  EXPECT_EQ(Line(), "「なるほど・・・こんなに深いのか・・・右に行ったほうが無難かな・・・」");
  game.Run(20);
  EXPECT_EQ(GetActorMotion(kHeroineGroup, 0), 1) << "crouched while she says it";
  CloseLinesUntil([] { return SubMode == kSubWorld; });
  EXPECT_EQ(GetFlag(0, 1), 1u);
  EXPECT_NE(GetActorMotion(kHeroineGroup, 0), 1);
}

TEST_F(GuideOnFloorTest, TheEdgeOfTheAreaStopsTheWorldUntilItsLineIsClosedAndStopsHerEachTimeAgain) {
  Enter(128, 40);
  game.Run(5);
  const Actor walker(33, 0);
  ASSERT_EQ(walker.State(), kActorActive);
  WalkUntil(kButtonRight, [] { return Standing(128); });
  ASSERT_TRUE(Standing(128));
  game.Run();
  EXPECT_EQ(Line(), "「ここから先は進めないみたい」");
  const int x = walker.PosX(), hero_x = hero.PosX();
  game.Run(30);
  EXPECT_EQ(walker.PosX(), x) << "the world stands still";
  EXPECT_EQ(hero.PosX(), hero_x);
  CloseLinesUntil([] { return SubMode == kSubWorld; });
  EXPECT_EQ(EventStep[128], 0);
  EXPECT_EQ(GetFlag(0, 0), 0u) << "no flag";
  game.Run(10);
  EXPECT_NE(walker.PosX(), x) << "the world runs again";
  // Walking on, she is stopped again; walking back, she is free.
  WalkUntil(kButtonRight, [] { return Standing(128); }, 30);
  EXPECT_TRUE(Standing(128));
  CloseLinesUntil([] { return SubMode == kSubWorld; });
  WalkUntil(kButtonLeft, [&] { return hero.PosX() < hero_x - 60; }, 60);
  EXPECT_EQ(SubMode, kSubWorld);
}

}  // namespace
