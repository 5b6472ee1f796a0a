// The title screen as the player meets it: the demo, its skip, the title menu, the load list and
// a load.
#include "ui/title_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/volumes.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/played_sounds.h"
#include "support/title_play.h"
#include "ui/hud.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

namespace fs = std::filesystem;

struct Sprite {
  int32_t x, y, width, height, base, on;
  bool operator==(const Sprite&) const = default;
};
Sprite SpriteNow(int k) {
  const Actor a(kTitleSpriteGroup, k);
  return {a.PosX(), a.PosY(), a.MaxLife(), a.Life(), a.Param24(), a.ExpReward()};
}

uint32_t Pixel(int x, int y) { return Surfaces[kBackBuffer].At(x, y); }

// The pixels of the rectangle that are neither black nor white.
int Coloured(int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += Pixel(x, y) != 0 && Pixel(x, y) != 0xFFFFFF;
  return n;
}

// The picture the demo ends in, skipped or not: the logo and the figure, nothing else.
void ExpectFinalLayout() {
  EXPECT_EQ(SpriteNow(8), (Sprite{208, 152, 14, 5, 10, 1}));
  EXPECT_EQ(SpriteNow(6), (Sprite{304, 232, 3, 4, 4, 1}));
}

TEST(TitleScreenTest, WithoutInputTheDemoPlaysThroughTheWindowAndTheMenuOpens) {
  FrameHarness game;
  ASSERT_TRUE(RunToTitleStep(game, 4001));
  game.Run(40);  // the walker and the glider come from both sides, seen through the window
  EXPECT_GT(Coloured(100, 100, 540, 380), 100);
  EXPECT_EQ(Coloured(0, 0, 640, 100) + Coloured(0, 380, 640, 480) + Coloured(0, 0, 100, 480) +
                Coloured(540, 0, 640, 480),
            0);
  game.Run(35);
  EXPECT_EQ(SceneStep, 4001);
  game.Run();
  EXPECT_EQ(SceneStep, 4002);  // 76 frames after it set off, the walker stands at x 304
  EXPECT_EQ(SpriteNow(0).x, 304);

  ASSERT_TRUE(RunToTitleStep(game, 4010));
  game.Run();  // the picture on white: the logo in colour at its place
  EXPECT_EQ(Pixel(150, 150), 0xFFFFFFu);
  EXPECT_GT(Coloured(208, 152, 432, 232), 1000);
  ExpectFinalLayout();
  ASSERT_TRUE(RunToTitleStep(game, 350));
  ASSERT_TRUE(RunToTitleStep(game, 500));
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_STREQ(MessageWindow.speaker, "　【タイトルメニュー】");
  EXPECT_STREQ(MessageWindow.choices[0], "最初から始める");
  EXPECT_STREQ(MessageWindow.choices[3], "ゲームを終わる");
  EXPECT_EQ(MessageWindow.placement, 1u);
  for (int sound : {27, 23, 31, 2, 4, 9, 29}) EXPECT_GT(PlayCount(sound), 0) << sound;
  EXPECT_STREQ(MusicPath, "");  // no music on the title until its options play some
  EXPECT_EQ(HudVisible, 0u);
}

TEST(TitleScreenTest, APressAnywhereInTheDemoJumpsToItsLastPicture) {
  for (int32_t step : {3999, 4003, 5000}) {
    FrameHarness game;
    ASSERT_TRUE(RunToTitleStep(game, step));
    if (step == 4003) game.Run(20);
    game.HoldButton(kButtonAction);
    game.Run();
    EXPECT_EQ(SceneStep, 6001) << step;
    ExpectFinalLayout();
    for (int k : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(SpriteNow(k).on, 0) << step << " sprite " << k;
    game.ReleaseAll();
    ASSERT_TRUE(RunToTitleStep(game, 500, 400)) << step;
  }
}

TEST(TitleScreenTest, TheMenuComesBackAfterACancelAnEmptySlotOrTheLoadListsCancelAndQuitEnds) {
  FrameHarness game;
  ASSERT_TRUE(ReachTitleMenu(game));
  game.PressButton(kButtonAction);  // cancel
  game.Run();
  EXPECT_EQ(SceneStep, 500);
  EXPECT_EQ(MessageWindow.open, 1u);

  ChooseLine(game, 1);  // "続きから始める": no save yet
  ASSERT_EQ(SceneStep, 610);
  EXPECT_STREQ(MessageWindow.speaker, "　ロードメニュー");
  EXPECT_STREQ(MessageWindow.choices[0], "キャンセル");
  for (int n = 1; n <= 3; ++n) EXPECT_STREQ(MessageWindow.choices[n], "－記録がありません－");
  const int refused = PlayCount(20);
  ChooseLine(game, 3);
  EXPECT_EQ(PlayCount(20), refused + 1);
  EXPECT_EQ(SlotHeadersStale, -1);
  EXPECT_EQ(SceneStep, 500);
  EXPECT_STREQ(MessageWindow.speaker, "　【タイトルメニュー】");
  ChooseLine(game, 1);
  ChooseLine(game, 0);  // "キャンセル"
  EXPECT_EQ(PlayCount(20), refused + 2);
  EXPECT_EQ(SceneStep, 500);

  ChooseLine(game, 3);  // "ゲームを終わる"
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(SubMode, kSubWorld);
}

// A game saved in the cave, then the title entered again as the debug menu enters it.
class TitleLoadTest : public testing::Test {
 protected:
  void SetUp() override {
    StartInTheCave(game);
    game.Run(40);
    PlayerStats.Money = 4321;
    EventStep[164] = 3;  // the save statue's script writes the save in the middle of its steps
    EventStep[2] = 5;    // and any other event's counter may stand in the middle too
    EventStep[128] = 2;
    EventStep[161] = 4;
    ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
    PlayerStats.Money = 5;
    SubMode = kSubStartSequence;
    SubModeArg = 1;
    SceneStep = 0;
    HideHud();
    ASSERT_TRUE(ReachTitleMenu(game));
    ChooseLine(game, 1);
    ASSERT_EQ(SceneStep, 610);
  }
  FrameHarness game;
};

TEST_F(TitleLoadTest, ALoadReadsTheSlotAtOnceAndBringsHerIntoTheSaveRoomWithTheHudOn) {
  EXPECT_STRNE(MessageWindow.choices[2], "－記録がありません－");
  const int loads = PlayCount(19);
  ChooseLine(game, 2);
  EXPECT_EQ(PlayerStats.Money, 4321);  // read before the fade begins
  EXPECT_EQ(PlayCount(19), loads + 1);
  for (int i = 0; i < 400 && SubMode == kSubStartSequence; ++i) game.Run();
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GameMode, kGamePlaying);
  EXPECT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
  EXPECT_EQ(HudVisible, 1u);
  EXPECT_EQ(HeroControl, kControlSelf);
  EXPECT_EQ(Actor(kHeroineGroup, 0).FaceX(), 1);
  for (int n : {2, 128, 160, 161, 162, 163, 164}) EXPECT_EQ(EventStep[n], 0) << n;
  EXPECT_EQ(SceneStep, 0);
  EXPECT_EQ(SlotHeadersStale, -1);
  const int x = Actor(kHeroineGroup, 0).PosX();
  game.HoldButton(kButtonRight);
  game.Run(20);
  EXPECT_GT(Actor(kHeroineGroup, 0).PosX(), x);  // she plays on
}

// The load's sound plays as the read begins, at the volume in force then: a save made with the
// effects muted still gives it, and mutes what follows.
TEST_F(TitleLoadTest, TheLoadSoundPlaysAtTheVolumeInForceBeforeTheSaveIsRead) {
  constexpr int32_t kMuted = -10000;
  const int32_t volume = SoundVolume;
  ASSERT_GT(volume, kMuted);
  SoundVolume = kMuted;
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
  SoundVolume = volume;
  ChooseLine(game, 2);
  EXPECT_EQ(SoundVolume, kMuted);  // the save's
  std::vector<int32_t> load_sounds;
  for (const PlayedSound& p : PlayedSounds())
    if (p.slot == 19) load_sounds.push_back(p.volume);
  EXPECT_EQ(load_sounds, (std::vector<int32_t>{volume}));
}

TEST_F(TitleLoadTest, ASlotWhoseFileWentAwayAfterTheListOpenedLoadsNothing) {
  fs::remove(fs::path(game.folder()) / "Data" / "save1.dat");
  const int refused = PlayCount(20);
  ChooseLine(game, 2);
  EXPECT_EQ(PlayCount(19), 1) << "the load's sound, as the read begins";
  EXPECT_EQ(PlayCount(20), refused + 1);
  EXPECT_EQ(PlayedSounds().back().slot, 20) << "the refusal follows it";
  EXPECT_EQ(PlayerStats.Money, 5);
  EXPECT_EQ(SlotHeadersStale, -1);
  EXPECT_EQ(SceneStep, 500);  // back in the title menu
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_STREQ(MapPath, "./Data/TITLE001.MDT");
}

}  // namespace

// For the end-to-end test of the real window (which asks for it through TOVIA_E2E_FIXTURE_DIR):
// a save made in the cave, as save0.dat, and the picture of the save room that a load of it from
// the title shows, as save_room.png.
TEST(WindowFixture, ASaveOfTheCaveAndThePictureOfItsLoad) {
  const char* dir = std::getenv("TOVIA_E2E_FIXTURE_DIR");
  if (dir == nullptr) GTEST_SKIP() << "only for the end-to-end test";
  FrameHarness game;
  StartInTheCave(game);
  game.Run(40);
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  SubMode = kSubStartSequence;
  SubModeArg = 1;
  SceneStep = 0;
  ASSERT_TRUE(ReachTitleMenu(game));
  ChooseLine(game, 1);
  ChooseLine(game, 1);
  for (int i = 0; i < 400 && SubMode == kSubStartSequence; ++i) game.Run();
  ASSERT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
  game.Run(60);
  fs::create_directories(dir);
  fs::copy_file(fs::path(game.folder()) / "Data" / "save0.dat", fs::path(dir) / "save0.dat",
                fs::copy_options::overwrite_existing);
  ASSERT_TRUE(game.SavePicture((fs::path(dir) / "save_room.png").string()));
}
