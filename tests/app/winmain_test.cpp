// The process on the headless backend: start-up, the loops, the display switch and the end.
#include "app/winmain.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/game_flow.h"
#include "backend/headless/headless.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/game_reset.h"
#include "world/save_block.h"

namespace {

using headless::KeyDown;
using headless::Simple;
using host::EventKind;

class WinMainTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(WinMainTest, ClosingTheWindowEndsWithStatusZero) {
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 5);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(DisplayReady, 0u);
  EXPECT_EQ(headless::PresentCount(), 5);  // the window ran frames without a focus event
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(WinMainTest, AGameEndedByAKeyEndsWithStatusZero) {
  // No maps: the start shows the fatal error, and closing it with the jump key ends the game.
  for (int frame : {150, 160}) {
    headless::ScheduleEventAtFrame(KeyDown('Z'), frame);
    headless::ScheduleEventAtFrame(headless::KeyUp('Z'), frame + 2);
  }
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(Running, 0u);
  EXPECT_LT(headless::PresentCount(), 170);
}

TEST_F(WinMainTest, StartValues) {
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 1);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(WindowSize.width, 640u);
  EXPECT_EQ(WindowSize.height, 480u);
  EXPECT_EQ(WindowMode, 1);
  EXPECT_EQ(GameMode, 2);  // the one frame that ran started the new game
  EXPECT_EQ(SubMode, 8);
  EXPECT_EQ(MessageResult, -1);
  EXPECT_EQ(SlotHeadersStale, -1);
}

TEST_F(WinMainTest, TabTwiceReturnsToTheWindow) {
  headless::ScheduleEventAtFrame(KeyDown(vk::Tab), 3);
  headless::ScheduleEventAtFrame(KeyDown(vk::Tab), 6);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 9);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(headless::FullscreenSwitches(), 2);
  EXPECT_FALSE(headless::IsFullscreen());
  EXPECT_EQ(WindowMode, 1);
  EXPECT_EQ(DisplayReinit, 0u);
  EXPECT_TRUE(headless::CursorShown());
  EXPECT_EQ(headless::PresentCount(), 9);
}

TEST_F(WinMainTest, HeldTabSwitchesOnce) {
  headless::ScheduleEventAtFrame(KeyDown(vk::Tab), 2);
  for (int i = 0; i < 5; ++i) headless::ScheduleEventAtFrame(KeyDown(vk::Tab, true), 2);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 4);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(headless::FullscreenSwitches(), 1);
  EXPECT_EQ(WindowMode, -1);
}

TEST_F(WinMainTest, TabKeepsTheSheetsAndHidesTheCursorInFullScreen) {
  StartTestDisplay();
  for (int32_t& id : SceneBitmapIds) id = -1;
  SceneBitmapIds[kFirstSheetSurface] = 117;  // the scene's sheet, as a scene change sets it
  SetAndLoadSurfaceBitmap(kFirstSheetSurface, 117);
  const uint32_t before = Surfaces[kFirstSheetSurface].At(8, 8);
  ASSERT_NE(before, 0u);

  MainWndProc(MainWindow, Msg::KeyDown, vk::Tab, 0);
  EXPECT_EQ(DisplayReady, 0u);
  EXPECT_EQ(WindowMode, -1);
  EXPECT_EQ(DisplayReinit, 1u);
  Message m;
  EXPECT_FALSE(GetMessage(m));  // the quit message that ends the inner loop
  StartDisplay(MainWindow);
  EXPECT_EQ(DisplayReady, 1u);
  EXPECT_TRUE(headless::IsFullscreen());
  EXPECT_EQ(DisplayReinit, 0u);
  EXPECT_EQ(Surfaces[kFirstSheetSurface].At(8, 8), before);
}

TEST_F(WinMainTest, ShutdownTwiceReleasesOnce) {
  StartTestDisplay();
  Shutdown(MainWindow);
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(DisplayReady, 0u);
  Shutdown(MainWindow);
  EXPECT_EQ(Running, 0u);
  for (const Surface& s : Surfaces) EXPECT_FALSE(s.Exists());
}

TEST_F(WinMainTest, NoFrameRunsWhileInactive) {
  headless::ScheduleEvent(Simple(EventKind::FocusLost), 0);
  headless::ScheduleEvent(Simple(EventKind::Close), 3000);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(headless::PresentCount(), 0);
  EXPECT_GE(headless::NowMs(), 3000u);  // waited for the close instead of running frames
  EXPECT_EQ(AppActive, 0u);
}

TEST_F(WinMainTest, FramesStopAndResumeWithTheFocus) {
  headless::ScheduleEventAtFrame(Simple(EventKind::FocusLost), 2);
  headless::ScheduleEvent(Simple(EventKind::FocusGained), 5000);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 4);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(headless::PresentCount(), 4);
  EXPECT_GE(headless::NowMs(), 5000u);
}

TEST_F(WinMainTest, DisplayFailureShowsItsStepAndEnds) {
  headless::FailOpenDisplay(true);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0], "-1:DIRECT DRAW CreateError\n");
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(headless::PresentCount(), 0);
}

TEST_F(WinMainTest, FullScreenFailureAfterTabEndsTheProgram) {
  headless::ScheduleEventAtFrame(KeyDown(vk::Tab), 2);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 50);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(headless::PresentCount(), 50);  // the switch itself worked
  ResetGameState();
  headless::FailFullscreen(true);
  WinMain(0, 0, "", 1);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0], "-4:DIRECT DRAW CreateError\n");
}

TEST_F(WinMainTest, NoWindowEndsWithAMessage) {
  headless::FailCreateWindow(true);
  EXPECT_NE(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(headless::MessageBoxes().size(), 1u);
}

TEST_F(WinMainTest, KeysAndSystemKeys) {
  headless::ScheduleEventAtFrame(KeyDown(vk::KeyA + 25), 1);
  headless::ScheduleEventAtFrame(host::Event{EventKind::KeyDown, vk::KeyA + 23, false, true}, 1);  // Alt+X
  headless::ScheduleEventAtFrame(KeyDown(vk::F10), 1);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 1);  // before the next frame clears it
  WinMain(0, 0, "", 1);
  EXPECT_EQ(LastKey, static_cast<uint32_t>(vk::KeyA + 25));  // Z; the system keys never arrive
}

TEST_F(WinMainTest, LastKeyLastsOneFrame) {
  StartTestDisplay();
  MainWndProc(MainWindow, Msg::KeyDown, 'Z', 0);
  EXPECT_EQ(LastKey, static_cast<uint32_t>('Z'));
  RunFrame(MainWindow);
  EXPECT_EQ(LastKey, 0u);
}

TEST_F(WinMainTest, StartUpPreparesTheInput) {
  headless::ScheduleEventAtFrame(KeyDown('X'), 2);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 3);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(ButtonBits[12], 8192u);
  EXPECT_EQ(KeyBindings[19].vk, static_cast<uint32_t>(vk::Escape));
  EXPECT_EQ(ButtonHistory[0], 32u);  // the frame after the key went down sampled it
  EXPECT_EQ(ButtonHistory[1], 0u);
}

TEST_F(WinMainTest, CommandLineIsCutTo127Characters) {
  const std::string longer(300, 'x');
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 1);
  WinMain(0, 0, longer.c_str(), 1);
  EXPECT_EQ(std::strlen(CommandLine), 127u);
}

TEST_F(WinMainTest, ExposeRepaintsWithoutClearing) {
  StartTestDisplay();
  AppActive = 1;
  FillRectColor(0, 0, 640, 480, 0x202020);
  MainWndProc(MainWindow, Msg::EraseBkgnd, 0, 0);
  EXPECT_EQ(headless::PresentCount(), 1);
  EXPECT_EQ(headless::LastFrame()[0], 0x202020u);
  EXPECT_EQ(Surfaces[kBackBuffer].At(0, 0), 0x202020u);
  AppActive = 0;
  MainWndProc(MainWindow, Msg::EraseBkgnd, 0, 0);
  EXPECT_EQ(headless::PresentCount(), 1);
}

TEST_F(WinMainTest, ALeftClickGivesEveryChoker) {
  headless::ScheduleEventAtFrame(Simple(EventKind::LeftClick), 2);
  headless::ScheduleEventAtFrame(Simple(EventKind::Close), 3);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(PlayerStats.OwnedChokers, 0xFFFFu);
}

TEST_F(WinMainTest, TheSaveBlockIsTheStorageOfTheGlobals) {
  Running = 0x01020304;
  const auto* bytes = reinterpret_cast<const uint8_t*>(&Save);
  EXPECT_EQ(bytes[152], 0x04);
  EXPECT_EQ(bytes[155], 0x01);
  InputLock = 7;
  EXPECT_EQ(bytes[8720], 7);
}

}  // namespace
