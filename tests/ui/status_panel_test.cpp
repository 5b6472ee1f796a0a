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

// Runs a frame, then compares a rectangle of it with the same rectangle drawn on the panel's
// striped frame alone by `draw`.
template <typename Draw>
bool FrameShows(FrameHarness& game, int x, int y, int w, int h, Draw draw) {
  game.Run();
  const std::vector<uint32_t> shown = Pixels(x, y, w, h);
  FillRectColor(0, 0, 640, 480, 0);
  DrawWindowFrame(7, 357, 633, 473, 0, 0, 200, 0);
  draw();
  return shown == Pixels(x, y, w, h);
}

// A number of the top row in a font (its first 15 rows: the next row's labels begin on the 16th).
bool NumberShows(FrameHarness& game, int x, const char* text, int font) {
  const int n = static_cast<int>(std::strlen(text));
  return FrameShows(game, x, 360, 16 * n, 15, [&] { DrawPanelText(x, 360, text, n, font); });
}

// A row's label and the name over it, left of the slots.
bool NameShows(FrameHarness& game, int top, const char* label, const char* name) {
  return FrameShows(game, 15, top, 112, 32, [&] {
    DrawPanelText(15, top + 8, label, 7, kFontLabel);
    DrawPanelTextSmall(15, top + 2, name, static_cast<int>(std::strlen(name)));
  });
}

TEST(StatusPanelTest, ANewGameShowsTheHudLineAtTheTopAndThePanelAtTheBottom) {
  HudGame game;  // the new game's statistics, untouched
  game.Run();
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/hud_and_panel.png"));
  EXPECT_FALSE(AllBlack(Pixels(32, 0, 80, 16)));    // "TOVIA"
  EXPECT_FALSE(AllBlack(Pixels(222, 18, 64, 16)));  // the coin and the count
  EXPECT_EQ(Pixel(610, 380), kYellow);              // full life
  EXPECT_EQ(Pixel(127, 397), kDarkBlue);            // no enemy hit yet
  EXPECT_EQ(Pixel(610, 397), kDarkBlue);
  EXPECT_TRUE(NumberShows(game, 63, "0020", kFontValue));
  EXPECT_TRUE(NumberShows(game, 191, "0010", kFontValue));
  EXPECT_TRUE(NumberShows(game, 335, "000000", kFontValue));
  EXPECT_TRUE(NumberShows(game, 511, "000320", kFontValue));
  EXPECT_TRUE(NameShows(game, 406, "MAGIC<:", "MAGIC=PURGE"));
  EXPECT_TRUE(NameShows(game, 440, "ITEM<<:", "HAMBURGER"));
}

TEST(StatusPanelTest, HpAndMpAtOrBelowAThirdShowInTheWarningFont) {
  PanelGame game;
  PlayerStats.Hp = 6;  // 6 is not above 20 / 3
  EXPECT_TRUE(NumberShows(game, 63, "0006", kFontWarning));
  EXPECT_FALSE(NumberShows(game, 63, "0006", kFontValue));
  PlayerStats.Hp = 7;
  EXPECT_TRUE(NumberShows(game, 63, "0007", kFontValue));
  PlayerStats.MaxMp = 31;  // MP 10 is at or below 31 / 3
  EXPECT_TRUE(NumberShows(game, 191, "0010", kFontWarning));
  // A value wider than its field shows its first glyphs.
  PlayerStats.Money = 12345678;
  EXPECT_TRUE(NumberShows(game, 511, "123456", kFontValue));
}

TEST(StatusPanelTest, TheEnemyGaugeShowsTheLastHitFor255Frames) {
  PanelGame game;
  ShowEnemyGauge(5, 10);  // half its life left: the bar to x 361
  game.Run();
  EXPECT_EQ(Pixel(360, 397), kYellow);
  EXPECT_EQ(Pixel(361, 397), kGaugeRed);
  game.Run(254);
  EXPECT_EQ(Pixel(200, 397), kYellow);  // the 255th frame
  game.Run();
  EXPECT_EQ(Pixel(200, 397), kDarkBlue);

  // Below about 3 % the life bar draws nothing.
  PlayerStats.MaxHp = 1000;
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kGaugeRed);
}

TEST(StatusPanelTest, MaximaOfZeroDrawEmptyGaugesAndHugeValuesFullOnes) {
  PanelGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.MaxHp = p.MaxMp = 0;
  p.SpellLevel[4] = 1;
  ShowEnemyGauge(3, 0);
  game.Run();
  EXPECT_EQ(Pixel(127, 380), kGaugeRed);
  EXPECT_EQ(Pixel(127, 397), kGaugeRed);
  // MP at 0 %: only the bar's two-pixel dark edge in the middle.
  EXPECT_EQ(Pixels(318, 344, 4, 1), (std::vector<uint32_t>{0, kBarDark, kBarDark, 0}));

  // Values from a save far beyond their maxima: nothing overflows.
  p.MaxHp = p.MaxMp = 20;
  p.Hp = p.Mp = 2'000'000'000;
  ShowEnemyGauge(2'000'000'000, 1);
  game.Run();
  EXPECT_EQ(Pixel(610, 380), kYellow);
  EXPECT_EQ(Pixel(610, 397), kYellow);
  EXPECT_NE(Pixel(0, 344), 0u);  // the bar is wider than the screen
  EXPECT_NE(Pixel(639, 344), 0u);
}

// Whether "MAGIC ON" shows above the panel this frame (the bar under it is red only).
bool MagicOnShows() {
  for (uint32_t p : Pixels(256, 336, 128, 14))
    if ((p >> 8 & 0xFF) > 100) return true;
  return false;
}

std::vector<int> WarningFrames() {
  std::vector<int> out;
  for (const PlayedSound& s : PlayedSounds())
    if (s.slot == 24) out.push_back(s.frame);
  return out;
}

TEST(StatusPanelTest, AtFullMpTheBarIs608WideAndWarnsOnceIn256Frames) {
  PanelGame game;
  PlayerStats.SpellLevel[4] = 1;  // CLOCK UP
  PlayerStats.SpellTimer[4] = 1000;  // far from costing MP within the test
  int shown = 0;
  for (int f = 0; f < 512; ++f) {
    game.Run();
    shown += MagicOnShows();
    // In the pulsing red (red 0 with the bits of 136 at frame counter 0), inside a dark edge.
    if (f == 0) {
      EXPECT_EQ(Pixels(15, 344, 3, 1), (std::vector<uint32_t>{kBarDark, 0x880000, 0x880000}));
      EXPECT_EQ(Pixels(622, 344, 3, 1), (std::vector<uint32_t>{0x880000, 0x880000, kBarDark}));
    }
  }
  EXPECT_EQ(shown, 512);  // steady
  const std::vector<int> sounds = WarningFrames();
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[1] - sounds[0], 256);
}

TEST(StatusPanelTest, At5PercentTheWarningBlinksEvery16FramesAndSoundsEvery8) {
  PanelGame game;
  PlayerStats.SpellLevel[1] = 3;
  PlayerStats.SpellTimer[1] = 1000;  // far from costing the last MP within the test
  PlayerStats.Mp = 1;
  PlayerStats.MaxMp = 20;
  for (int f = 0; f < 64; ++f) {
    game.Run();
    EXPECT_EQ(MagicOnShows(), f % 16 < 8) << f;
    if (f == 0) {  // 30 wide, centred, with its edge: 304..335
      EXPECT_EQ(Pixels(303, 344, 3, 1), (std::vector<uint32_t>{0, kBarDark, 0x880000}));
      EXPECT_EQ(Pixels(334, 344, 3, 1), (std::vector<uint32_t>{0x880000, kBarDark, 0}));
    }
  }
  const std::vector<int> sounds = WarningFrames();
  ASSERT_EQ(sounds.size(), 8u);
  for (size_t k = 1; k < sounds.size(); ++k) EXPECT_EQ(sounds[k] - sounds[k - 1], 8);

  // No spell: no bar, no text, no sound.
  PlayerStats.SpellLevel[1] = 0;
  game.Run(64);
  EXPECT_EQ(Pixel(320, 344), 0u);
  EXPECT_FALSE(MagicOnShows());
  EXPECT_EQ(WarningFrames().size(), 8u);
}

TEST(StatusPanelTest, TheRowsShowOwnedIconsTheirNamesAndPulseTheSelectedSlots) {
  PanelGame game;
  PlayerStatsRecord& p = PlayerStats;
  p.OwnedMagicTools = 0x17;  // bits 0, 1, 2, 4
  p.EquippedMagicTool = 2;
  p.Bag[3] = 0;
  p.BagCursor = 3;
  FrameCounters.frame[0] = 5;  // the grey of this frame: 40
  game.Run();
  auto slot_x = [](int i) { return 128 + 34 * i; };
  EXPECT_EQ(Pixel(slot_x(1), 407), 0x282828u);
  EXPECT_EQ(Pixel(slot_x(0), 407), 0x7777BBu);
  EXPECT_EQ(Pixel(slot_x(3), 441), 0x282828u);
  // An empty slot shows its dark inside only; an owned tool or a held item its icon over it.
  const std::vector<uint32_t> empty(26 * 28, 0x000044);
  EXPECT_EQ(Pixels(slot_x(3) + 2, 408, 26, 28), empty);
  EXPECT_NE(Pixels(slot_x(4) + 2, 408, 26, 28), empty);
  EXPECT_EQ(Pixels(slot_x(3) + 2, 442, 26, 28), empty);
  EXPECT_NE(Pixels(slot_x(0) + 2, 442, 26, 28), empty);

  EXPECT_TRUE(NameShows(game, 440, "ITEM<<:", "NO:ITEM"));
  p.BagCursor = 2;  // SODA
  EXPECT_TRUE(NameShows(game, 440, "ITEM<<:", "SODA"));
  EXPECT_TRUE(NameShows(game, 406, "MAGIC<:", "SHEELD=BOOK"));
  p.EquippedMagicTool = 64;  // the doll purges, and says so; so do nothing and a higher bit
  EXPECT_TRUE(NameShows(game, 406, "MAGIC<:", "MAGIC=PURGE"));
  p.EquippedMagicTool = 8;  // RAT=TAIL purges too, but keeps its name
  EXPECT_TRUE(NameShows(game, 406, "MAGIC<:", "RAT=TAIL"));
  EXPECT_FALSE(NameShows(game, 406, "MAGIC<:", "MAGIC=PURGE"));

  HideHud();  // hidden with the HUD
  game.Run();
  EXPECT_TRUE(AllBlack(Pixels(0, 330, 640, 150)));
}

}  // namespace
