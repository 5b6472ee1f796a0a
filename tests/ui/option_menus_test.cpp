// The option menus, played through the pause menu of a new game and, for the title's variant,
// run on SceneStep by the test itself.
#include "ui/option_menus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "audio/volumes.h"
#include "backend/headless/headless.h"
#include "platform/host_audio.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/menu_player.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {

// A new game with the world running, its pause menu open on the option list.
struct PauseOptions : FrameHarness {
  MenuPlayer menu{*this};
  PauseOptions() {
    Run(131);  // past the new game's fade-in
    SubMode = kSubWorld;
    SubModeArg = 0;
    PressButton(kButtonMenu);
    menu.Pick(4);  // "オプション"
  }
};

// The last play of `slot`, or a record with slot -1.
PlayedSound LastPlay(int slot) {
  PlayedSound last{-1, -1, 0, 0, false, 0};
  for (const PlayedSound& p : PlayedSounds()) {
    if (p.slot == slot) last = p;
  }
  return last;
}

bool IsPlaying(int buffer) {
  bool playing = false;
  return host::GetSoundBufferStatus(buffer, playing) && playing;
}

void SetJoystickButtons(uint32_t buttons, uint32_t pov = 65535) {
  host::JoystickState state;
  state.buttons = buttons;
  state.pov = pov;
  headless::SetJoystick(&state);
}

TEST(OptionMenusTest, ThePauseMenusListHasFiveLinesAndGoesBackToTheMainMenu) {
  PauseOptions game;
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
  ASSERT_EQ(MessageWindow.choice_count, 5);
  EXPECT_STREQ(MessageWindow.choices[3], "グラフィック負荷設定");
  EXPECT_EQ(MessageWindow.placement, 0u);  // the window in its usual place
  EXPECT_EQ(SubModeArg, 100);
  game.menu.Cancel();
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  game.menu.Pick(4);
  const int backs = PlayCount(20);
  game.menu.Pick(4);  // "戻る"
  EXPECT_STREQ(MessageWindow.speaker, "　【メインメニュー】");
  EXPECT_EQ(PlayCount(20), backs + 1);
  EXPECT_EQ(SubMode, kSubPauseMenu);
}

TEST(OptionMenusTest, ANewGamesVolumeListsMarkItsLevels) {
  PauseOptions game;
  game.menu.Pick(1);
  EXPECT_STREQ(MessageWindow.speaker, "　【効果音音量－現在Ｌ４】");
  EXPECT_EQ(MessageWindow.selected, 2u);
  ASSERT_EQ(MessageWindow.choice_count, 8);
  EXPECT_STREQ(MessageWindow.choices[0], "最　　大　■■■■■■");
  EXPECT_STREQ(MessageWindow.choices[6], "無　　音　□□□□□□");
  game.menu.Pick(7);  // "戻る"
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
  game.menu.Pick(0);
  EXPECT_STREQ(MessageWindow.speaker, "　【ＢＧＭ音量－現在Ｌ１】");
  EXPECT_EQ(MessageWindow.selected, 5u);
  game.menu.Cancel();
  // A level that no line offers (from a save) shows as unknown with the first line marked.
  MusicVolume = 50;
  game.menu.Pick(0);
  EXPECT_STREQ(MessageWindow.speaker, "　【ＢＧＭ音量－現在不明】");
  EXPECT_EQ(MessageWindow.selected, 0u);
}

TEST(OptionMenusTest, MuteStopsTheFirstTwentySlotsAndALevelPlaysTheSampleAtIt) {
  PauseOptions game;
  game.menu.Pick(1);
  const int low = PlaySoundSlot(5);
  const int high = PlaySoundSlot(25);
  ASSERT_TRUE(IsPlaying(low));
  game.menu.Pick(6);  // "無　　音"
  EXPECT_EQ(SoundVolume, -10000);
  EXPECT_FALSE(IsPlaying(low));
  EXPECT_TRUE(IsPlaying(high));  // the mute stops slots 0..19 only
  EXPECT_STREQ(MessageWindow.speaker, "　【効果音音量－現在無音】");
  EXPECT_EQ(MessageWindow.selected, 6u);
  EXPECT_EQ(LastPlay(1).slot, -1);
  game.menu.Pick(5);  // level 1
  EXPECT_EQ(SoundVolume, -3000);
  EXPECT_EQ(LastPlay(1).volume, -3000);
  game.menu.Pick(0);  // the loudest
  EXPECT_EQ(SoundVolume, 0);
  EXPECT_EQ(LastPlay(1).volume, 0);
  EXPECT_STREQ(MessageWindow.speaker, "　【効果音音量－現在最大】");
}

TEST(OptionMenusTest, AMusicLevelPlaysTheLastTuneAgainAndSilenceStopsIt) {
  PauseOptions game;
  fs::copy_file(fs::path(TOVIA_BINARY_DIR) / "Data" / "TOWN.MID", fs::path(game.folder()) / "Data" / "TOWN.MID",
                fs::copy_options::overwrite_existing);
  game.menu.Pick(0);
  game.menu.Pick(1);  // level 5, with no tune asked for yet
  EXPECT_EQ(MusicVolume, 96);
  EXPECT_FALSE(headless::MidiOutIsOpen());
  EXPECT_STREQ(MessageWindow.speaker, "　【ＢＧＭ音量－現在Ｌ５】");
  PlayMusic("./Data/TOWN.MID");
  StopMusic();  // a scene change stopped it
  game.menu.Pick(0);
  EXPECT_EQ(MusicVolume, 127);
  EXPECT_TRUE(headless::MidiOutIsOpen());
  game.menu.Pick(6);
  EXPECT_EQ(MusicVolume, 0);
  EXPECT_FALSE(headless::MidiOutIsOpen());
  game.menu.Pick(2);
  EXPECT_TRUE(headless::MidiOutIsOpen());
  game.menu.Pick(7);  // leaving the list leaves the music playing in the pause menu
  EXPECT_TRUE(headless::MidiOutIsOpen());
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
}

// The joypad menu of the pause menu, reached through its notice.
void OpenJoypadMenu(PauseOptions& game) {
  game.menu.Pick(2);
  EXPECT_EQ(MessageWindow.type, 24u);
  EXPECT_STREQ(MessageWindow.text,
               "※キーボードでＪＡＹＰＡＤ各キーの設定を行わないでください。設定はＪＯＹＳＴＩＣＫの操作で行ってください。");
  game.menu.Press(kButtonJump);  // the whole text at once
  game.menu.Press(kButtonJump);  // closed
  game.menu.Frames(1);
  EXPECT_STREQ(MessageWindow.speaker, "【ＪＯＹＰＡＤメニュー】");
}

TEST(OptionMenusTest, AJoystickButtonIsCapturedOnTheLineUnderTheArrow) {
  PauseOptions game;
  OpenJoypadMenu(game);
  game.menu.Pick(0);
  EXPECT_STREQ(MessageWindow.speaker, "【矢印を合わせてＪＯＹＰＡＤを押してください】");
  ASSERT_EQ(MessageWindow.choice_count, 10);
  EXPECT_STREQ(MessageWindow.choices[0], "ジャンプ（肯定）－－ボタン０");
  EXPECT_STREQ(MessageWindow.choices[3], "ＭＡＧＩＣ利用－－ボタン３");
  EXPECT_STREQ(MessageWindow.choices[4], "Ｍｅｎｕ－－－－－－ボタン９");
  EXPECT_STREQ(MessageWindow.choices[8], "ＭＡＧＩＣ選択Ｌ－ボタン４");
  EXPECT_STREQ(MessageWindow.choices[9], "戻る");

  // Joystick button 3 (bit 64) on line 0.
  const int chosen = PlayCount(0);
  SetJoystickButtons(4);
  game.menu.Frames(1);
  SetJoystickButtons(0);
  game.menu.Frames(2);
  EXPECT_EQ(ButtonBits[kButtonJump], 64u);
  EXPECT_EQ(PlayCount(0), chosen + 1);
  EXPECT_STREQ(MessageWindow.choices[0], "ジャンプ（肯定）－－ボタン２");
  EXPECT_EQ(MessageWindow.selected, 0u);
  // The keyboard's jump key follows: it still confirms.
  EXPECT_EQ(KeyBindings[kButtonJump].bit, 64u);

  // Moving the arrow assigns nothing; two buttons at once assign nothing either.
  const SaveBlock before = Save;
  game.menu.Press(kButtonDown);
  game.menu.Press(kButtonDown);
  SetJoystickButtons(0, 18000);  // the hat down
  game.menu.Frames(1);
  SetJoystickButtons(0);
  game.menu.Frames(1);
  EXPECT_EQ(MessageWindow.selected, 3u);
  SetJoystickButtons((1u << 4) | (1u << 5));  // buttons 5 and 6: bits 256 and 512
  game.menu.Frames(2);
  EXPECT_EQ(0, std::memcmp(before.ButtonBits, ButtonBits, sizeof ButtonBits));
  EXPECT_EQ(MessageWindow.open, 1u);
  EXPECT_EQ(MessageWindow.selected, 0u);  // opened again on the line of the last capture
  // Letting one of them go leaves the other as a change of one button: it is taken.
  SetJoystickButtons(1u << 5);
  game.menu.Frames(1);
  SetJoystickButtons(0);
  game.menu.Frames(2);
  EXPECT_EQ(ButtonBits[kButtonJump], 512u);
  EXPECT_STREQ(MessageWindow.choices[0], "ジャンプ（肯定）－－ボタン５");

  // A button on "戻る" leaves the list.
  game.menu.Press(kButtonUp);
  EXPECT_EQ(MessageWindow.selected, 9u);
  SetJoystickButtons(1);
  game.menu.Frames(1);
  SetJoystickButtons(0);
  game.menu.Frames(2);
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
  EXPECT_EQ(JoypadListCursor, 9);
  EXPECT_EQ(ButtonBits[kButtonJump], 512u);
}

TEST(OptionMenusTest, TheDefaultsComeBackWithSoundTwelve) {
  PauseOptions game;
  ButtonBits[kButtonJump] = 64;
  ButtonBits[kButtonMenu] = 1u << 20;
  RebuildKeyTable();
  OpenJoypadMenu(game);
  game.menu.Pick(1);
  EXPECT_STREQ(MessageWindow.speaker, "【ＪＯＹＰＡＤ設定初期化】");
  game.menu.Pick(0);  // "戻る"
  EXPECT_STREQ(MessageWindow.speaker, "【ＪＯＹＰＡＤメニュー】");
  EXPECT_EQ(ButtonBits[kButtonJump], 64u);
  game.menu.Pick(1);
  const int before = PlayCount(12);
  game.menu.Pick(1);  // "初期化の設定に戻す"
  EXPECT_EQ(PlayCount(12), before + 1);
  EXPECT_EQ(ButtonBits[kButtonJump], 16u);
  EXPECT_EQ(ButtonBits[kButtonMenu], 8192u);
  EXPECT_EQ(KeyBindings[kButtonJump].bit, 16u);
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
}

TEST(OptionMenusTest, TheGraphicsListNamesAndSetsTheRedrawThreshold) {
  PauseOptions game;
  game.menu.Pick(3);
  EXPECT_STREQ(MessageWindow.speaker, "　【負担小－手抜き描画】");
  EXPECT_EQ(MessageWindow.selected, 1u);
  EXPECT_STREQ(MessageWindow.choices[0], "ＰＣ性能に問題は無い　背景を念入りに描画");
  game.menu.Pick(0);
  EXPECT_EQ(GetRedrawThreshold(), 6);
  EXPECT_STREQ(MessageWindow.speaker, "　【負荷大－念入りに描画】");
  EXPECT_EQ(MessageWindow.selected, 0u);
  game.menu.Pick(1);
  EXPECT_EQ(GetRedrawThreshold(), 320);
  SetRedrawThreshold(100);
  game.menu.Pick(2);  // "戻る"
  game.menu.Pick(3);
  EXPECT_STREQ(MessageWindow.speaker, "　【負荷不明：設定してください】");
  EXPECT_EQ(MessageWindow.selected, 0u);
}

TEST(OptionMenusTest, TheTitlesVariantRunsOnSceneStepWithItsOwnLinesLowerAndStopsItsTune) {
  FrameHarness game;
  fs::copy_file(fs::path(TOVIA_BINARY_DIR) / "Data" / "TOWN.MID", fs::path(game.folder()) / "Data" / "TOWN.MID",
                fs::copy_options::overwrite_existing);
  game.Run(1);
  MenuPlayer menu(game, [] {
    if (IsOptionMenuStep(kTitleOptions, SceneStep)) RunOptionMenus(kTitleOptions);
  });
  SceneStep = kOptionMenuStep;
  menu.Frames(1);
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
  ASSERT_EQ(MessageWindow.choice_count, 4);
  EXPECT_STREQ(MessageWindow.choices[3], "戻る");
  EXPECT_EQ(MessageWindow.placement, 1u);  // lower and further left
  EXPECT_FALSE(IsOptionMenuStep(kTitleOptions, 620));  // the title's own load step

  menu.Pick(0);
  EXPECT_EQ(MessageWindow.placement, 1u);
  menu.Pick(1);
  EXPECT_EQ(MusicVolume, 96);
  EXPECT_STREQ(MusicPath, "./Data/TOWN.MID");
  EXPECT_TRUE(headless::MidiOutIsOpen());
  menu.Cancel();  // leaving the list stops the tune
  EXPECT_FALSE(headless::MidiOutIsOpen());
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");

  menu.Pick(2);
  EXPECT_EQ(MessageWindow.placement, 1u);
  menu.Press(kButtonJump);
  menu.Press(kButtonJump);
  menu.Frames(1);
  menu.Pick(0);
  EXPECT_EQ(MessageWindow.placement, 1u);
  EXPECT_STREQ(MessageWindow.choices[3], "Ｍ・ＩＴＥＭ利用－－ボタン３");
  EXPECT_STREQ(MessageWindow.choices[7], "Ｍ・ＩＴＥＭ切替Ｒ－ボタン５");
  EXPECT_STREQ(MessageWindow.choices[8], "Ｍ・ＩＴＥＭ選択Ｌ－ボタン４");
  menu.Cancel();  // the cancel key is a button too: it is captured on line 0
  EXPECT_EQ(ButtonBits[kButtonJump], 32u);
  SetDefaultKeys();
  menu.Pick(9);  // the jump key on "戻る" leaves the list
  EXPECT_STREQ(MessageWindow.speaker, "　【オプションメニュー】");
  menu.Pick(3);  // "戻る": the title menu
  EXPECT_EQ(SceneStep, 400);
}

}  // namespace
