// The pause menu, played with the keys over a new game whose world runs.
#include "ui/pause_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "audio/volumes.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/menu_player.h"
#include "world/draw_queue.h"
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

// The glyphs of a cell font that the last frame queued on layer 4 from (x, y), one every 16
// pixels, read back as the characters they stand for in that font.
std::string Glyphs(const FrameHarness& game, int x, int y, int font = 80) {
  const std::vector<DrawCommand> draws = game.Draws(4);
  std::string out;
  for (;; x += 16) {
    const auto c = std::find_if(draws.begin(), draws.end(),
                                [&](const DrawCommand& d) { return d.type == kDrawCell && d.x == x && d.y == y; });
    if (c == draws.end()) return out;
    out += static_cast<char>(static_cast<int>(c->cell) - font + 48);
  }
}

// The text queued on layer 4 at (x, y), or "(none)".
std::string TextAt(const FrameHarness& game, int x, int y) {
  for (const DrawCommand& d : game.Draws(4)) {
    if (d.type == kDrawText && d.x == x && d.y == y) return d.text;
  }
  return "(none)";
}

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
  // A save keeps a state the menu knows and starts any other over.
  MenuState = 12345;
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  MenuState = 61;  // the load list waiting for a result
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(MenuState, 0);
  ASSERT_EQ(ReadSave(".\\Data\\save1.dat"), 0);
  EXPECT_EQ(MenuState, 61);
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

TEST(PauseMenuTest, TheStatusPageDrawsOnlyItsGlyphsAndClosesOnANewPress) {
  Playing game;
  PlayerStats.Level = 21;
  PlayerStats.EquippedRing = 64;  // the JEWELRY RING
  RefillHeroineHpMp();
  RecalcHeroineStats();
  ASSERT_EQ(PlayerStats.Attack, 1199);
  game.OpenMenu();
  game.menu.Pick(1);  // picked with jump: the page stays open until a new press
  game.menu.Frames(3);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  EXPECT_EQ(SubModeArg, 100);
  EXPECT_EQ(Glyphs(game, 23, 53), "LEVEL");
  EXPECT_EQ(Glyphs(game, 263, 53), "021");
  EXPECT_EQ(Glyphs(game, 167, 69), "9999@9999");
  EXPECT_EQ(Glyphs(game, 263, 133), "119");  // 1199 loses its last digit
  EXPECT_EQ(Glyphs(game, 263, 197), "999");  // FORCE: the level's own attack
  EXPECT_EQ(Glyphs(game, 215, 261), "000320");
  game.menu.Press(kButtonJump);  // straight back to the game
  ExpectClosed();

  PlayerStats.Level = 1;
  PlayerStats.Exp = 5;
  game.OpenMenu();
  game.menu.Pick(1);
  EXPECT_EQ(Glyphs(game, 103, 101), "000005@000020");
  game.menu.Press(kButtonAction);
  ExpectClosed();
}

TEST(PauseMenuTest, TheEquipmentPageStepsThroughOwnedRingsAndTheGameUsesThemAtOnce) {
  Playing game;
  ASSERT_EQ(PlayerStats.OwnedRings, 0x2Au);
  ASSERT_EQ(PlayerStats.EquippedRing, 0u);
  game.OpenMenu();
  game.menu.Pick(2);
  EXPECT_EQ(Glyphs(game, 28, 72, 123), "RING");  // the current row's label in the highlight font
  EXPECT_EQ(Glyphs(game, 28, 104), "CHOKER");
  EXPECT_EQ(TextAt(game, 152, 239), "指輪は装備されていません");
  const int sounds = PlayCount(10);
  for (uint32_t ring : {2u, 8u, 32u, 32u}) {
    game.menu.Press(kButtonRight);
    EXPECT_EQ(PlayerStats.EquippedRing, ring);
  }
  EXPECT_EQ(PlayCount(10), sounds + 4);  // the last step found nothing further and still sounded
  EXPECT_EQ(PlayerStats.Attack, 5 + 99);
  game.menu.Press(kButtonLeft);
  game.menu.Press(kButtonLeft);
  EXPECT_EQ(PlayerStats.EquippedRing, 2u);
  EXPECT_EQ(PlayerStats.Attack, 5 + 20);
  game.menu.Frames(1);
  EXPECT_EQ(Glyphs(game, 576, 160), "025");
  EXPECT_EQ(TextAt(game, 152, 239), "ＳＩＬＶＥＲ　ＲＩＮＧ");
  const auto outline = [&](int x, int y) {
    const std::vector<DrawCommand> draws = game.Draws(4);
    return std::count_if(draws.begin(), draws.end(), [&](const DrawCommand& d) {
      return d.type == kDrawRectOutline && d.x == x && d.y == y && d.w == 32 && d.h == 32;
    });
  };
  EXPECT_EQ(outline(180, 64), 1);  // around the second ring's slot
  game.menu.Press(kButtonLeft);  // from the lowest owned ring to nothing: its bonus is gone
  EXPECT_EQ(PlayerStats.EquippedRing, 0u);
  EXPECT_EQ(PlayerStats.Attack, 5);
  game.menu.Press(kButtonLeft);
  EXPECT_EQ(PlayerStats.EquippedRing, 0u);

  // Down to the special items: the insurance card of a new game is owned, nothing selected.
  for (int i = 0; i < 5; ++i) game.menu.Press(kButtonDown);
  EXPECT_EQ(PlayerStats.EquipPage, 5u);
  EXPECT_EQ(Glyphs(game, 391, 48, 123), "S;ITEM");
  EXPECT_EQ(TextAt(game, 152, 239), "特殊アイテムは選択されていません。");
  game.menu.Press(kButtonRight);
  EXPECT_EQ(PlayerStats.SelectedSpecialItem, 128u);
  game.menu.Frames(1);
  EXPECT_EQ(outline(404, 100), 1);  // bit 7: the second row's first slot
  game.menu.Press(kButtonJump);
  ExpectClosed();
  EXPECT_EQ(PlayerStats.EquipPage, 5u);  // kept for the next visit
}

TEST(PauseMenuTest, WithEffectsMutedOnlyLeftIsSilentOnTheEquipmentPage) {
  Playing game;
  SoundVolume = -10000;
  game.OpenMenu();
  game.menu.Pick(2);
  int sounds = PlayCount(10);
  game.menu.Press(kButtonRight);
  EXPECT_EQ(PlayCount(10), ++sounds);
  game.menu.Press(kButtonDown);
  EXPECT_EQ(PlayCount(10), ++sounds);
  game.menu.Press(kButtonUp);
  EXPECT_EQ(PlayCount(10), ++sounds);
  game.menu.Press(kButtonLeft);
  EXPECT_EQ(PlayCount(10), sounds);
  EXPECT_EQ(PlayerStats.EquippedRing, 0u);  // the step left was taken, silently
}

// Waits until the menu has let the loaded game go (at most 400 frames).
void RunUntilReleased(Playing& game) {
  for (int i = 0; i < 400 && SubMode == kSubPauseMenu; ++i) game.Run(1);
}

TEST(PauseMenuTest, LoadingTheThirdSlotFadesEntersTheSaveRoomAndReleasesHerFacingRight) {
  Playing game;
  PlayerStats.Money = 4321;
  EventStep[2] = 5;
  EventStep[128] = 1;
  EventStep[160] = 2;
  EventStep[164] = 3;  // the save statue writes in the middle of its own script
  EventStep[40] = 7;   // a talk's step is not reset
  ASSERT_EQ(WriteSave(".\\Data\\save2.dat"), 0);
  PlayerStats.Money = 320;
  std::fill(std::begin(EventStep), std::end(EventStep), 0);
  Actor(kHeroineGroup, 0).FaceX() = -1;

  game.OpenMenu();
  game.menu.Pick(3);
  const int loads = PlayCount(19);
  game.menu.Pick(3);  // the third slot
  EXPECT_EQ(PlayCount(19), loads + 1);
  EXPECT_EQ(IsFading(), 1u);
  EXPECT_EQ(Wipe.direction, 1u);  // towards black
  EXPECT_EQ(PlayerStats.Money, 320);  // read only once the screen is black
  for (int i = 0; i < 200 && MenuState != 65; ++i) game.Run(1);
  ASSERT_EQ(MenuState, 65);
  EXPECT_EQ(PlayerStats.Money, 4321);
  EXPECT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
  EXPECT_EQ(Wipe.direction, 0u);  // coming back in
  EXPECT_EQ(MenuLoadSlot, 0);
  RunUntilReleased(game);
  ExpectClosed();
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(Actor(kHeroineGroup, 0).FaceX(), 1);
  EXPECT_EQ(EventStep[2], 0);
  EXPECT_EQ(EventStep[128], 0);
  EXPECT_EQ(EventStep[160], 0);
  EXPECT_EQ(EventStep[164], 0);
  EXPECT_EQ(EventStep[40], 7);
  EXPECT_EQ(SlotHeadersStale, -1);
  EXPECT_EQ(IsFading(), 0u);
}

TEST(PauseMenuTest, ASaveWithOutsizedValuesLoadsAndShowsHarmlessly) {
  Playing game;
  PlayerStats.Money = 2147483647;  // ten digits
  PlayerStats.MaxHp = 0;
  PlayerStats.EquipPage = 9;
  ButtonBits[kButtonJump] = 64;  // jump on joystick button 3
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  PlayerStats.Money = 320;
  PlayerStats.MaxHp = 20;
  PlayerStats.EquipPage = 0;
  SetDefaultKeys();

  game.OpenMenu();
  game.menu.Pick(3);
  game.menu.Pick(1);
  RunUntilReleased(game);
  ExpectClosed();
  // The money and the maximum come in as play could have made them.
  ASSERT_EQ(PlayerStats.Money, 999999);
  ASSERT_EQ(PlayerStats.MaxHp, 20);
  ASSERT_EQ(ButtonBits[kButtonJump], 64u);
  game.Run(60);  // she lands

  // The keyboard's jump key follows the loaded assignment: she jumps.
  const int32_t y = Actor(kHeroineGroup, 0).PosY();
  game.Hold('Z');
  game.Run(6);
  game.Release('Z');
  EXPECT_LT(Actor(kHeroineGroup, 0).PosY(), y);
  game.Run(60);

  game.OpenMenu();
  game.menu.Pick(1);
  EXPECT_EQ(Glyphs(game, 215, 261), "999999");
  EXPECT_EQ(Glyphs(game, 167, 69).substr(4), "@0020");
  game.menu.Press(kButtonJump);
  ExpectClosed();

  // Row 9 comes in as the special items' row, the last one.
  game.OpenMenu();
  game.menu.Pick(2);
  EXPECT_EQ(Glyphs(game, 391, 48, 123), "S;ITEM");
  EXPECT_EQ(TextAt(game, 152, 239), "特殊アイテムは選択されていません。");
  game.menu.Press(kButtonUp);
  EXPECT_EQ(PlayerStats.EquipPage, 4u);
}

}  // namespace
