// The per-frame function, the game flow and the sub-mode dispatcher, run through the frame
// harness.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/volumes.h"
#include "backend/headless/headless.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/repeaters.h"
#include "support/event_handlers.h"
#include "support/frame_harness.h"
#include "support/in_scene.h"
#include "support/heroine_pose.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/map_file.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace {

// The game after the new game's fade-in, playing with the world running and the camera on
// the heroine far from where the view is.
struct Playing : FrameHarness {
  Playing() {
    StartInTheCave(*this);
    Run(129);
    SubMode = kSubWorld;
    SubModeArg = 0;
    SetCameraTarget(1);
    SetCameraPosition(1000, 1000);
    PoseHeroineForCamera(2500, 1200);
  }
};

bool BackBufferHasColour(uint32_t colour, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (Surfaces[kBackBuffer].At(x, y) == colour) return true;
  return false;
}

// Closes the fatal error's message with jump (the first press shows the whole page, the second
// closes it); the frame after the close ends the program.
void CloseTheErrorMessageAndEnd(FrameHarness& game) {
  game.HoldButton(kButtonJump);
  game.Run(1);
  game.ReleaseButton(kButtonJump);
  game.Run(1);
  game.HoldButton(kButtonJump);
  game.Run(1);
  EXPECT_EQ(MessageResult, -2);
  EXPECT_EQ(Running, 1u);
  game.Run(1);
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(ErrorSceneStep, 0);
}

TEST(FrameTest, TheFirstFramePresentsAnEmptyPictureAndStartsTheNewGame) {
  FrameHarness game;
  AddEmitter(100, 100, 0, 0, 1, 3, 1);
  ShowHud();
  ShowEnemyGauge(3, 9);
  EXPECT_EQ(GameMode, kGameNew);
  game.Run(1);
  EXPECT_EQ(headless::PresentCount(), 1);
  for (uint32_t p : headless::LastFrame()) ASSERT_EQ(p, 0u);
  EXPECT_EQ(GameMode, kGamePlaying);
  EXPECT_EQ(SubMode, kSubStartSequence);
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_EQ(SoundVolume, -1500);
  EXPECT_EQ(MusicVolume, 32);
  EXPECT_EQ(PlayerStats.Level, 1);
  EXPECT_EQ(PlayerStats.Money, 320);
  EXPECT_EQ(PlayerStats.Bag[0], 1u);
  EXPECT_EQ(PlayerStats.Bag[2], 2u);
  EXPECT_EQ(PlayerStats.Bag[5], 3u);
  EXPECT_EQ(PlayerStats.Bag[3], 0u);
  EXPECT_EQ(PlayerStats.OwnedChokers, 0x15u);
  EXPECT_EQ(PlayerStats.OwnedRings, 0x2Au);
  EXPECT_EQ(PlayerStats.OwnedPendants, 0x49u);
  EXPECT_EQ(PlayerStats.OwnedMagicTools, 0x17u);
  EXPECT_EQ(SceneBitmapIds[7], -1);
  EXPECT_EQ(HudVisible, 0u);  // the title starts with the HUD hidden and its gauge dark
  EXPECT_EQ(EnemyGaugeTimer, 0);
  EXPECT_EQ(EnemyGaugeMax, -1);
  EXPECT_EQ(IsFading(), 1u);  // the title comes in through the wipe
  EXPECT_EQ(Emitters.entries[0].count, 3);  // the world passes and the emitters did not run
  game.Run(1);
  EXPECT_EQ(Emitters.entries[0].count, 2);
}

TEST(FrameTest, TheFramesAfterTheNewGameEnterTheTitlesBackdrop) {
  FrameHarness game;
  game.Run(1);
  EXPECT_EQ(HudVisible, 0u);
  game.Run(2);
  EXPECT_STREQ(MapPath, "./Data/TITLE001.MDT");
  EXPECT_EQ(SubMode, kSubStartSequence);
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_EQ(HudVisible, 0u);
  EXPECT_EQ(CountActors(kHeroineGroup), 0);
}

TEST(FrameTest, TheWorldFollowsTheCameraOnlyWhenTheDispatcherLetsItRun) {
  Playing game;
  game.Run(1);
  const int moved = GetCameraX();
  EXPECT_NE(moved, 1000);
  int heroine_x = 2500;
  // A guide event holds the world while its handler answers 0, a talk never does.
  ScopedGuideHandler frozen_guide(0, GuideRoutine([]() -> uint32_t { return 0; }));
  ScopedTalk standing_talk(0, [] {});
  for (int32_t frozen : {kSubDebugMenu, kSubMapEditor, kSubGuideEvent, kSubPauseMenu, kSubMapLoadFailure}) {
    SubMode = frozen;
    SubModeArg = 0;
    PoseHeroineForCamera(heroine_x += 100, 1200);
    const int x = GetCameraX();
    game.Run(1);
    EXPECT_EQ(GetCameraX(), x) << "sub-mode " << frozen;
  }
  for (int32_t running : {kSubTalk, kSubFieldEvent, kSubStartSequence, 9, 42, -1}) {
    SubMode = running;
    SubModeArg = running == kSubStartSequence ? 3 : 0;  // a stage the start sequence does not have
    PoseHeroineForCamera(heroine_x += 100, 1200);
    const int x = GetCameraX();
    game.Run(1);
    EXPECT_NE(GetCameraX(), x) << "sub-mode " << running;
  }
}

TEST(FrameTest, TheMenuButtonOpensThePauseMenuOnlyOverTheRunningWorld) {
  Playing game;
  ScopedTalk standing_talk(0, [] {});
  SubMode = kSubTalk;
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubTalk);
  SubMode = kSubWorld;
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubPauseMenu);
}

TEST(FrameTest, UnderThePauseMenuTheWorldStandsButEmittersRunAndTheHelpLinesShow) {
  Playing game;
  SubMode = kSubPauseMenu;
  AddEmitter(100, 100, 0, 0, 1, 5, 1);
  const int x = GetCameraX();
  game.Run(2);
  EXPECT_EQ(GetCameraX(), x);
  EXPECT_EQ(Emitters.entries[0].count, 3);
  // The help lines are the texts of layer 3 (the cave's effects share the layer).
  std::vector<DrawCommand> lines = game.Draws(3);
  std::erase_if(lines, [](const DrawCommand& c) { return c.type != kDrawText; });
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_STREQ(lines[0].text, "[ﾒﾆｭｰ:ESC][画面切替:TAB][ｱｲﾃﾑ切替:A/S][魔法切替:D/F]");
  EXPECT_STREQ(lines[2].text, "[移動:←・→][座る:↓][扉・話:↑][跳躍:Z][話:X][ｱｲﾃﾑ:C][魔法:V]");
  EXPECT_EQ(lines[0].colour, 0x000000u);  // the shadow first, one pixel right and down
  EXPECT_EQ(lines[0].x, 1);
  EXPECT_EQ(lines[0].y, 1);
  EXPECT_EQ(lines[1].colour, 0xFFFFFFu);
  EXPECT_EQ(lines[1].x, 0);
  EXPECT_EQ(lines[3].y, 20);
  EXPECT_EQ(lines[3].font_height, 18u);
  EXPECT_STREQ(lines[3].face, "MS Gothic");
  EXPECT_EQ(lines[3].coords, kScreenCoords);
  EXPECT_TRUE(BackBufferHasColour(0xFFFFFF, 0, 0, 400, 18));  // drawn on the picture
}

TEST(FrameTest, HaltedGameRunsOnlyTheDispatcherAndTheDebugMenuKey) {
  Playing game;
  GameMode = kGameHalted;
  AddEmitter(100, 100, 0, 0, 1, 5, 1);
  const int x = GetCameraX();
  game.Run(3);
  EXPECT_EQ(GetCameraX(), x);
  EXPECT_EQ(Emitters.entries[0].count, 5);  // no emitters, no actors drawn
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubDebugMenu);
  EXPECT_EQ(GameMode, kGameHalted);
}

TEST(FrameTest, AClosedWindowLocksInputUntilJumpAndActionAreUp) {
  Playing game;
  const char lines[2][49] = {"はい", "いいえ"};
  OpenMessage(15, 2, 0, "", nullptr, lines, 1);
  game.HoldButton(kButtonJump);
  game.Run(1);
  EXPECT_EQ(MessageResult, 0);  // the first line, picked
  EXPECT_EQ(InputLock, 1u);
  // Still holding jump: a new menu opened now does not see it as a new press.
  OpenMessage(15, 2, 1, "", nullptr, lines, 1);
  game.Run(5);
  EXPECT_EQ(MessageResult, 255);
  EXPECT_EQ(InputLock, 1u);
  game.HoldButton(kButtonAction);
  game.ReleaseButton(kButtonJump);
  game.Run(1);
  EXPECT_EQ(InputLock, 1u);  // action is still down
  game.ReleaseButton(kButtonAction);
  game.Run(1);
  EXPECT_EQ(InputLock, 0u);
  EXPECT_EQ(MessageResult, 255);
  game.PressButton(kButtonJump);
  EXPECT_EQ(MessageWindow.open, 0u);  // a fresh press picks again
}

TEST(FrameTest, AResultIsSeenForOneFrameThenMinusOne) {
  Playing game;
  OpenMessage(24, 0, 0, "", "ab", nullptr, 1);
  game.Run(3);
  EXPECT_EQ(MessageResult, 255);
  game.HoldButton(kButtonJump);
  game.Run(1);  // the whole text at once
  game.ReleaseButton(kButtonJump);
  game.Run(1);
  game.HoldButton(kButtonJump);
  game.Run(1);
  EXPECT_EQ(MessageResult, -2);
  game.Run(1);
  EXPECT_EQ(MessageResult, -1);
}

TEST(FrameTest, AMissingMapShowsTheFatalErrorAndEndsTheProgramAfterItIsClosed) {
  FrameHarness game(HarnessData::Empty);  // its Data folder holds no maps
  game.Run(3);  // the new game, then the title enters its backdrop, whose map is missing
  EXPECT_STREQ(MapPath, "./Data/TITLE001.MDT");
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
  EXPECT_EQ(SubModeArg, 1);
  SetCameraTarget(1);
  SetCameraPosition(1000, 1000);
  PoseHeroineForCamera(2500, 1200);

  game.Run(45);  // the wipe is over; the message stands over the picture
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_STREQ(MessageWindow.speaker, "システムメッセージ：ＥＲＲ－７Ｅ");
  EXPECT_STREQ(MessageWindow.text, "修復できないエラーが発生しました。プログラム保護の為終了します。");
  EXPECT_EQ(GetCameraX(), 1000);  // the world stands still
  game.PressButton(kButtonMenu);  // nothing else reacts to the keys
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
  EXPECT_EQ(MessageWindow.open, 1u);
  // The box of type 15 at (200, 82): its speaker in white, its cream border around it.
  EXPECT_TRUE(BackBufferHasColour(0xFFFFFF, 200, 82, 440, 98));
  EXPECT_EQ(Surfaces[kBackBuffer].At(300, 80), 0xFFEEAAu);
  const std::string picture = ::testing::TempDir() + "fatal_error.png";
  ASSERT_TRUE(game.SavePicture(picture));
  EXPECT_GT(std::filesystem::file_size(picture), 100u);

  CloseTheErrorMessageAndEnd(game);
}

TEST(FrameTest, AfterASaveOfGarbageAMapLoadFailureStillShowsItsMessageAndEnds) {
  FrameHarness game(HarnessData::Empty);  // no maps: every map load fails
  game.Run(1);
  // A save of exactly the right size holding random bytes, its step counters among them.
  std::mt19937 rng(13);
  std::vector<char> garbage(32 + sizeof(SaveBlock));
  for (char& c : garbage) c = static_cast<char>(rng());
  const auto* file_block = reinterpret_cast<const SaveBlock*>(garbage.data() + 32);
  ASSERT_FALSE(IsKnownMenuState(file_block->SceneVars[0]));
  ASSERT_FALSE(IsKnownErrorSceneStep(file_block->SceneVars[1]));
  ASSERT_FALSE(IsKnownSceneStep(file_block->SceneVars[2]));
  FILE* f = OpenFile(".\\Data\\save0.dat", "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite(garbage.data(), 1, garbage.size(), f), garbage.size());
  std::fclose(f);

  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(MenuState, 0);
  EXPECT_EQ(ErrorSceneStep, 0);
  EXPECT_EQ(SceneStep, 0);
  EXPECT_EQ(SceneVars[3], file_block->SceneVars[3]);  // the other scene variables are the file's

  ASSERT_NE(LoadMapFile("./Data/LTOWN001.MDT"), 0);
  SubMode = kSubMapLoadFailure;
  SubModeArg = 1;
  game.Run(2);
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_STREQ(MessageWindow.text, "修復できないエラーが発生しました。プログラム保護の為終了します。");
  CloseTheErrorMessageAndEnd(game);
}

TEST(FrameTest, TheErrorSceneStartsOverFromAStepItDoesNotKnow) {
  Playing game;
  SubMode = kSubMapLoadFailure;
  SubModeArg = 1;
  ErrorSceneStep = 1234567;
  game.Run(1);
  EXPECT_EQ(ErrorSceneStep, 1);
  EXPECT_STREQ(MessageWindow.speaker, "システムメッセージ：ＥＲＲ－７Ｅ");
  game.Run(2);
  CloseTheErrorMessageAndEnd(game);
}

TEST(FrameTest, TheErrorSceneNeedsItsArgument) {
  Playing game;
  SubMode = kSubMapLoadFailure;
  SubModeArg = 0;
  game.Run(3);
  EXPECT_EQ(MessageWindow.open, 0u);
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
}

TEST(FrameTest, TheHarnessReplaysTheSameGame) {
  auto play = [] {
    FrameHarness game(7);
    game.Run(1);
    SubMode = kSubWorld;
    AddEmitter(3000, 2000, 50, 30, 1, 4, 1);
    game.RunScript({{vk::Right}, {vk::Right, vk::KeyA + 25}, {}, {vk::Escape}});
    return std::make_tuple(game.frames(), SubMode, Emitters.entries[0].count, ButtonHistory[0], ButtonHistory[2]);
  };
  const auto first = play();
  EXPECT_EQ(first, play());
  EXPECT_EQ(std::get<0>(first), 5);
  EXPECT_EQ(std::get<1>(first), kSubPauseMenu);  // Esc opened the pause menu
  EXPECT_EQ(std::get<3>(first), 8192u);  // the menu button's default bit
  EXPECT_EQ(std::get<4>(first), 8u | 16u);  // right and jump
}

TEST(FrameTest, TabInTheHarnessRebuildsTheDisplayAndGoesOn) {
  Playing game;
  game.Tap(vk::Tab);
  EXPECT_TRUE(headless::IsFullscreen());
  EXPECT_EQ(DisplayReady, 1u);
  const int frames = game.frames();
  game.Run(2);
  EXPECT_EQ(game.frames(), frames + 2);
}

}  // namespace

// A harness's folder left by a process that died with the pid this one now has must not hand its
// stale saves and maps to the new test.
TEST(FrameHarnessFolderTest, AFolderLeftUnderThisPidIsEmptiedFirst) {
  namespace fs = std::filesystem;
  const fs::path first = FreshProcessFolder("tovia_reuse");
  const std::string name = first.filename().string();
  const int n = std::stoi(name.substr(name.rfind('_') + 1));
  const fs::path next = first.parent_path() / (name.substr(0, name.rfind('_') + 1) + std::to_string(n + 1));
  fs::create_directories(next / "Data");
  std::ofstream(next / "Data" / "save0.dat") << "stale";
  EXPECT_EQ(FreshProcessFolder("tovia_reuse"), next.string());
  EXPECT_TRUE(fs::is_empty(next));
  fs::remove_all(first);
  fs::remove_all(next);
}
