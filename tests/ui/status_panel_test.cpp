// The status panel through real frames: what the player sees at the bottom of the screen and
// hears while a spell runs.
#include "ui/status_panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/counters.h"
#include "support/played_sounds.h"
#include "ui/hud_game.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr uint32_t kYellow = 0xFFFF00, kGaugeRed = 0xC84040, kDarkBlue = 0x2020C8, kBarDark = 0x550000;

uint32_t Pixel(int x, int y) { return Surfaces[kBackBuffer].At(x, y) & 0xFFFFFF; }

// A game showing the panel with known numbers, frame counter 0 at 0 for its next frame.
struct PanelGame : HudGame {
  PanelGame() {
    PlayerStatsRecord& p = PlayerStats;
    p.Hp = p.MaxHp = 20;
    p.Mp = p.MaxMp = 10;
    FrameCounters.frame[0] = 0;
  }
};

// What one text of the numbers' row looks like on the panel's striped frame alone (its first 15
// rows: the labels of the next row begin on the 16th).
std::vector<uint32_t> TextOnFrame(int x, int y, const char* text, int n, int font) {
  FillRectColor(0, 0, 640, 480, 0);
  DrawWindowFrame(7, 357, 633, 473, 0, 0, 200, 0);
  DrawPanelText(x, y, text, n, font);
  return Pixels(x, y, 16 * n, 15);
}

TEST(StatusPanelTest, HpAtOrBelowAThirdShowsInTheWarningFont) {
  PanelGame game;
  PlayerStats.Hp = 6;  // 6 is not above 20 / 3
  game.Run();
  const std::vector<uint32_t> six = Pixels(63, 360, 64, 15);
  EXPECT_EQ(six, TextOnFrame(63, 360, "0006", 4, kFontWarning));
  EXPECT_NE(six, TextOnFrame(63, 360, "0006", 4, kFontValue));

  PlayerStats.Hp = 7;
  PlayerStats.MaxMp = 31;  // MP 10 is at or below 31 / 3
  game.Run();
  EXPECT_EQ(Pixels(63, 360, 64, 15), TextOnFrame(63, 360, "0007", 4, kFontValue));
  game.Run();
  EXPECT_EQ(Pixels(191, 360, 64, 15), TextOnFrame(191, 360, "0010", 4, kFontWarning));

  // EXP and YEN are always plain; a value wider than its field shows its first glyphs.
  PlayerStats.Exp = 0;
  PlayerStats.Money = 12345678;
  game.Run();
  EXPECT_EQ(Pixels(335, 360, 96, 15), TextOnFrame(335, 360, "000000", 6, kFontValue));
  game.Run();
  EXPECT_EQ(Pixels(511, 360, 96, 15), TextOnFrame(511, 360, "123456", 6, kFontValue));
}

TEST(StatusPanelTest, ANewGameShowsTheHudLineAtTheTopAndThePanelAtTheBottom) {
  HudGame game;  // the new game's statistics, untouched
  game.Run();
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/hud_and_panel.png"));
  EXPECT_FALSE(AllBlack(Pixels(32, 0, 80, 16)));     // "TOVIA"
  EXPECT_FALSE(AllBlack(Pixels(32, 18, 144, 16)));   // the score
  EXPECT_FALSE(AllBlack(Pixels(222, 18, 64, 16)));   // the coin and the count
  EXPECT_EQ(Pixels(63, 360, 64, 15), TextOnFrame(63, 360, "0020", 4, kFontValue));
  game.Run();
  EXPECT_EQ(Pixels(191, 360, 64, 15), TextOnFrame(191, 360, "0010", 4, kFontValue));
  game.Run();
  EXPECT_EQ(Pixels(335, 360, 96, 15), TextOnFrame(335, 360, "000000", 6, kFontValue));
  game.Run();
  EXPECT_EQ(Pixels(511, 360, 96, 15), TextOnFrame(511, 360, "000320", 6, kFontValue));
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kYellow);  // full life
  EXPECT_EQ(Pixel(610, 380), kYellow);
  EXPECT_EQ(Pixel(127, 397), kDarkBlue);  // no enemy hit yet
  EXPECT_EQ(Pixel(610, 397), kDarkBlue);
}

TEST(StatusPanelTest, TheEnemyGaugeShowsTheLastHitFor255Frames) {
  PanelGame game;
  game.Run();
  EXPECT_EQ(Pixel(200, 397), kDarkBlue);
  EXPECT_EQ(Pixel(200, 380), kYellow);  // full life reaches the right end
  EXPECT_EQ(Pixel(610, 380), kYellow);

  ShowEnemyGauge(5, 10);  // half its life left: the bar to x 361
  game.Run();
  EXPECT_EQ(Pixel(200, 397), kYellow);
  EXPECT_EQ(Pixel(360, 397), kYellow);
  EXPECT_EQ(Pixel(361, 397), kGaugeRed);
  game.Run(254);
  EXPECT_EQ(Pixel(200, 397), kYellow);  // the 255th frame
  EXPECT_EQ(EnemyGaugeTimer, 0);
  game.Run();
  EXPECT_EQ(Pixel(200, 397), kDarkBlue);
  EXPECT_EQ(Pixel(610, 397), kDarkBlue);

  // Below about 3 % the life bar draws nothing.
  PlayerStats.Hp = 20;
  PlayerStats.MaxHp = 1000;
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kGaugeRed);
}

TEST(StatusPanelTest, MaximaOfZeroAndHugeValuesDrawEmptyOrFullGauges) {
  PanelGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.MaxHp = 0;
  p.MaxMp = 0;
  p.SpellLevel[4] = 1;
  ShowEnemyGauge(3, 0);
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kGaugeRed);  // the empty life gauge
  EXPECT_EQ(Pixel(127, 397), kGaugeRed);  // the lit, empty enemy gauge
  // MP at 0 %: only the bar's two-pixel dark edge in the middle.
  EXPECT_EQ(Pixel(319, 344), kBarDark);
  EXPECT_EQ(Pixel(320, 344), kBarDark);
  EXPECT_EQ(Pixel(318, 344), 0u);
  EXPECT_EQ(Pixel(321, 344), 0u);

  // Values from a save far beyond their maxima: full gauges, nothing overflows.
  p.MaxHp = p.MaxMp = 20;
  p.Hp = p.Mp = 2'000'000'000;
  ShowEnemyGauge(2'000'000'000, 1);
  game.Run();
  EXPECT_EQ(Pixel(610, 380), kYellow);
  EXPECT_EQ(Pixel(610, 397), kYellow);
  EXPECT_NE(Pixel(0, 344), 0u);  // the bar is wider than the screen
  EXPECT_NE(Pixel(639, 344), 0u);

  p.Hp = p.Mp = -5;  // below zero: empty, and the warning font
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kGaugeRed);
  EXPECT_EQ(Pixel(320, 344), 0u);
}

// Whether "MAGIC ON" shows above the panel this frame.
bool MagicOnShows() {
  for (uint32_t p : Pixels(256, 336, 128, 14))
    if ((p >> 8 & 0xFF) > 100) return true;  // the bar under it is red only
  return false;
}

std::vector<int> SoundFrames(int slot) {
  std::vector<int> out;
  for (const PlayedSound& s : PlayedSounds())
    if (s.slot == slot) out.push_back(s.frame);
  return out;
}

TEST(StatusPanelTest, AtFullMpTheBarSpansTheScreenAndWarnsOnceIn256Frames) {
  PanelGame game;
  PlayerStats.SpellLevel[4] = 1;  // CLOCK UP
  const int first = game.frames();
  int shown = 0;
  for (int f = 0; f < 512; ++f) {
    game.Run();
    shown += MagicOnShows();
    if (f == 0) {
      // 608 pixels wide in the pulsing red, inside a dark-red edge.
      EXPECT_EQ(Pixel(15, 344), kBarDark);
      EXPECT_EQ(Pixel(624, 344), kBarDark);
      EXPECT_EQ(Pixel(16, 344), 0x880000u);  // frame counter 0 at 0: red 0 with the bits of 136
      EXPECT_EQ(Pixel(623, 344), 0x880000u);
      EXPECT_EQ(Pixel(320, 339), kBarDark);
      EXPECT_EQ(Pixel(320, 348), kBarDark);
    }
  }
  EXPECT_EQ(shown, 512);  // steady
  const std::vector<int> sounds = SoundFrames(24);
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[1] - sounds[0], 256);
  EXPECT_LE(sounds[0] - first, 1);  // with frame counter 0 at 0
}

TEST(StatusPanelTest, At5PercentTheWarningBlinksEvery16FramesAndSoundsEvery8) {
  PanelGame game;
  PlayerStats.SpellLevel[1] = 3;
  PlayerStats.Mp = 1;
  PlayerStats.MaxMp = 20;
  std::vector<bool> shown;
  for (int f = 0; f < 64; ++f) {
    game.Run();
    shown.push_back(MagicOnShows());
    if (f == 0) {  // 30 pixels wide, centred
      EXPECT_EQ(Pixel(304, 344), kBarDark);
      EXPECT_EQ(Pixel(305, 344), 0x880000u);
      EXPECT_EQ(Pixel(334, 344), 0x880000u);
      EXPECT_EQ(Pixel(335, 344), kBarDark);
      EXPECT_EQ(Pixel(336, 344), 0u);
    }
  }
  for (int f = 0; f < 64; ++f) EXPECT_EQ(shown[f], f % 16 < 8) << f;
  const std::vector<int> sounds = SoundFrames(24);
  ASSERT_EQ(sounds.size(), 8u);
  for (size_t k = 1; k < sounds.size(); ++k) EXPECT_EQ(sounds[k] - sounds[k - 1], 8);

  // No spell: no bar, no text, no sound.
  PlayerStats.SpellLevel[1] = 0;
  game.Run(64);
  EXPECT_EQ(Pixel(320, 344), 0u);
  EXPECT_FALSE(MagicOnShows());
  EXPECT_EQ(SoundFrames(24).size(), 8u);
}

TEST(StatusPanelTest, TheSlotsShowOwnedIconsAndPulseTheSelectedOnes) {
  PanelGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.OwnedMagicTools = 0x17;  // bits 0, 1, 2, 4
  p.EquippedMagicTool = 2;
  p.Bag[0] = 1;
  p.Bag[3] = 0;
  p.BagCursor = 3;
  FrameCounters.frame[0] = 5;  // the grey of this frame: 40
  game.Run();
  auto slot_x = [](int i) { return 128 + 34 * i; };
  EXPECT_EQ(Pixel(slot_x(1), 407), 0x282828u);
  EXPECT_EQ(Pixel(slot_x(0), 407), 0x7777BBu);
  EXPECT_EQ(Pixel(slot_x(3), 441), 0x282828u);
  EXPECT_EQ(Pixel(slot_x(0), 441), 0x7777BBu);
  // An empty slot shows its dark inside only; an owned tool or a held item its icon over it.
  auto inside = [&](int i, int top) { return Pixels(slot_x(i) + 2, top + 2, 26, 28); };
  const std::vector<uint32_t> empty(26 * 28, 0x000044);
  EXPECT_EQ(inside(3, 406), empty);
  EXPECT_NE(inside(4, 406), empty);
  EXPECT_EQ(inside(3, 440), empty);
  EXPECT_NE(inside(0, 440), empty);

  // Hidden with the HUD.
  HideHud();
  game.Run();
  EXPECT_TRUE(AllBlack(Pixels(0, 330, 640, 150)));
}

// What a row's label and name look like on the panel's frame alone, left of the slots.
std::vector<uint32_t> NameOnFrame(int top, const char* label, const char* name) {
  FillRectColor(0, 0, 640, 480, 0);
  DrawWindowFrame(7, 357, 633, 473, 0, 0, 200, 0);
  DrawPanelText(15, top + 8, label, 7, kFontLabel);
  DrawPanelTextSmall(15, top + 2, name, static_cast<int>(std::strlen(name)));
  return Pixels(15, top, 112, 32);
}

TEST(StatusPanelTest, TheRowsNameTheEquippedToolAndTheSelectedItem) {
  PanelGame game;
  PlayerStatsRecord& p = PlayerStats;
  const struct {
    uint32_t equipped;
    const char* name;
  } kTools[] = {{0, "MAGIC=PURGE"}, {64, "MAGIC=PURGE"}, {128, "MAGIC=PURGE"}, {8, "RAT=TAIL"}, {16, "TACHYON=CLOCK"}};
  for (const auto& tool : kTools) {
    p.EquippedMagicTool = tool.equipped;
    game.Run();
    const std::vector<uint32_t> shown = Pixels(15, 406, 112, 32);
    EXPECT_EQ(shown, NameOnFrame(406, "MAGIC<:", tool.name)) << tool.equipped;
  }
  p.EquippedMagicTool = 3;  // two tools at once names none
  game.Run();
  EXPECT_EQ(Pixels(15, 406, 112, 32), NameOnFrame(406, "MAGIC<:", ""));

  p.Bag[2] = 2;
  p.Bag[4] = 0;
  p.BagCursor = 2;
  game.Run();
  EXPECT_EQ(Pixels(15, 440, 112, 32), NameOnFrame(440, "ITEM<<:", "SODA"));
  p.BagCursor = 4;
  game.Run();
  EXPECT_EQ(Pixels(15, 440, 112, 32), NameOnFrame(440, "ITEM<<:", "NO:ITEM"));
  EXPECT_NE(NameOnFrame(440, "ITEM<<:", "NO:ITEM"), NameOnFrame(440, "ITEM<<:", "SODA"));
}

}  // namespace
