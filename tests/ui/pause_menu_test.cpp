// The pause menu, played with the keys over a new game whose world runs.
#include "ui/pause_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/game_flow.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/menu_player.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace fs = std::filesystem;

namespace {

// A new game past its fade-in, with the world running.
struct Playing : FrameHarness {
  MenuPlayer menu{*this};
  Playing() {
    Run(131);
    SubMode = kSubWorld;
    SubModeArg = 0;
  }
  // The menu button, and the main menu is open.
  void OpenMenu() {
    PressButton(kButtonMenu);
    ASSERT_EQ(SubMode, kSubPauseMenu);
    ASSERT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  }
  fs::path SaveFile(int slot) const { return fs::path(folder()) / "Data" / ("save" + std::to_string(slot) + ".dat"); }
};

void ExpectClosed() {
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(MenuState, 0);
}

TEST(PauseMenuTest, CancelAndBackToTheGameCloseAtOnceAndAHeldMenuKeyDoesNotReopen) {
  Playing game;
  game.Hold(vk::Escape);
  game.Run(1);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  ASSERT_EQ(MessageWindow.choice_count, 6);
  EXPECT_STREQ(MessageWindow.choices[5], "ゲームを終了");
  game.Run(5);  // still held: the menu stays
  EXPECT_EQ(MessageWindow.open, 1u);
  game.Release(vk::Escape);
  game.Run(1);
  game.Hold(vk::Escape);  // pressed again: the menu key cancels
  game.Run(2);
  ExpectClosed();
  game.Run(10);  // held on: the world runs and the menu stays shut
  ExpectClosed();
  EXPECT_EQ(MessageWindow.open, 0u);
  game.Release(vk::Escape);
  game.Run(1);
  game.Tap(vk::Escape);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  game.menu.Pick(0);  // "ゲームに戻る"
  ExpectClosed();
  game.menu.Frames(5);
  EXPECT_EQ(SubMode, kSubWorld);
}

TEST(PauseMenuTest, TheMenuAlwaysOpensOnItsMainMenu) {
  Playing game;
  MenuState = 61;  // as a save could hold it: the load list waiting for a result
  game.OpenMenu();
  EXPECT_EQ(MenuState, 1);
  game.menu.Pick(3);
  EXPECT_STREQ(MessageWindow.speaker, "　【ロードメニュー】");
  EXPECT_EQ(SubModeArg, 100);
}

TEST(PauseMenuTest, QuitAsksFirstAndYesEndsTheProgram) {
  Playing game;
  game.OpenMenu();
  game.menu.Pick(5);
  EXPECT_STREQ(MessageWindow.speaker, "　【ゲーム終了】");
  EXPECT_STREQ(MessageWindow.choices[0], "いいえ");
  EXPECT_EQ(SubModeArg, 0);
  game.menu.Pick(0);  // "いいえ": the main menu again
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  EXPECT_EQ(Running, 1u);
  game.menu.Pick(5);
  game.menu.Pick(1);  // "はい"
  EXPECT_EQ(Running, 0u);
  ExpectClosed();
}

TEST(PauseMenuTest, TheLoadListRefusesEmptySlotsAndGoesBack) {
  Playing game;
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
  game.OpenMenu();
  game.menu.Pick(3);
  ASSERT_EQ(MessageWindow.choice_count, 4);
  EXPECT_STREQ(MessageWindow.choices[0], "戻る");
  EXPECT_STREQ(MessageWindow.choices[1], "－記録がありません－");
  EXPECT_STREQ(MessageWindow.choices[2], SlotHeaders[1]);
  EXPECT_STRNE(MessageWindow.choices[2], "－記録がありません－");
  EXPECT_EQ(SlotHeadersStale, 0);

  int refusals = PlayCount(20);
  game.menu.Pick(1);  // the empty slot
  EXPECT_EQ(PlayCount(20), refusals + 1);
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  EXPECT_EQ(SlotHeadersStale, -1);

  game.menu.Pick(3);
  refusals = PlayCount(20);
  game.menu.Pick(0);  // "戻る"
  EXPECT_EQ(PlayCount(20), refusals + 1);
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");

  game.menu.Pick(3);
  refusals = PlayCount(20);
  game.menu.Cancel();  // only the window's own cancel sound
  EXPECT_EQ(PlayCount(20), refusals + 1);
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  EXPECT_EQ(SlotHeadersStale, -1);
}

TEST(PauseMenuTest, ASlotWhoseFileVanishedAfterTheListWasReadLeavesTheGameAsItWas) {
  Playing game;
  PlayerStats.Money = 777;
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
  PlayerStats.Money = 320;
  game.OpenMenu();
  game.menu.Pick(3);
  fs::remove(game.SaveFile(1));
  const int loads = PlayCount(19);
  const int refusals = PlayCount(20);
  game.menu.Pick(2);
  EXPECT_EQ(PlayCount(19), loads + 1);
  EXPECT_EQ(IsFading(), 1u);
  for (int i = 0; i < 200 && MenuState != 1; ++i) game.Run(1);
  // The picture comes back and the main menu opens again over the unchanged game.
  EXPECT_EQ(PlayCount(20), refusals + 1);
  EXPECT_EQ(PlayerStats.Money, 320);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  EXPECT_EQ(Wipe.direction, 0u);
  EXPECT_EQ(SlotHeadersStale, -1);
}

}  // namespace
