// The HUD line through real frames, the cell fonts and the framed box as queued commands.
#include "ui/hud.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "ui/hud_game.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace {

using Cell = std::pair<int, int>;  // x, cell

// The cells queued on the HUD's layer in one row, in push order.
std::vector<Cell> RowCells(const std::vector<DrawCommand>& draws, int y) {
  std::vector<Cell> out;
  for (const DrawCommand& c : draws)
    if (c.type == kDrawCell && c.y == y && c.visible == 1 && c.coords == kScreenCoords)
      out.emplace_back(c.x, static_cast<int32_t>(c.cell));
  return out;
}

std::vector<Cell> From(const std::vector<Cell>& cells, int x0, int x1) {
  std::vector<Cell> out;
  for (const Cell& c : cells)
    if (c.first >= x0 && c.first < x1) out.push_back(c);
  return out;
}

TEST(HudTest, TheLineShowsTheNameScoreCoinsAndWorld) {
  HudGame game;
  PlayerStats.Score = 0;
  PlayerStats.Coins = 7;
  std::strcpy(WorldName, "RAITAI=RUINS");
  game.Run();
  const std::vector<DrawCommand> draws = game.Draws(4);
  const std::vector<Cell> top = RowCells(draws, 0), bottom = RowCells(draws, 18);
  // 'T' 'O' 'V' 'I' 'A' in the HUD font ('0' is cell 1, 'A' cell 18).
  EXPECT_EQ(From(top, 32, 222), (std::vector<Cell>{{32, 37}, {48, 32}, {64, 39}, {80, 26}, {96, 18}}));
  EXPECT_EQ(From(top, 222, 360), (std::vector<Cell>{{222, 20}, {238, 32}, {254, 26}, {270, 31}}));
  EXPECT_EQ(From(top, 360, 640).size(), 5u);
  // Score 0: nine zeros.
  std::vector<Cell> zeros;
  for (int k = 0; k < 9; ++k) zeros.emplace_back(32 + 16 * k, 1);
  EXPECT_EQ(From(bottom, 0, 222), zeros);
  // The coin first, then "=;07" over it: a blank, the times sign, '0', '7'.
  EXPECT_EQ(From(bottom, 222, 360), (std::vector<Cell>{{222, 295}, {222, 14}, {238, 12}, {254, 1}, {270, 8}}));
  // A 12-character world name: 12 cells from x 360.
  const std::vector<Cell> world = From(bottom, 360, 640);
  ASSERT_EQ(world.size(), 12u);
  EXPECT_EQ(world.front(), Cell(360, 'R' - 47));
  EXPECT_EQ(world.back(), Cell(536, 'S' - 47));

  // A score of ten digits from a save, and 255 coins: the line keeps its glyph count.
  PlayerStats.Score = 1234567890;
  PlayerStats.Coins = 255;
  game.Run();
  const std::vector<Cell> wide = RowCells(game.Draws(4), 18);
  EXPECT_EQ(From(wide, 0, 222).size(), 9u);
  EXPECT_EQ(From(wide, 222, 360).size(), 5u);  // the coin and four glyphs
}

TEST(HudTest, AnEmptyWorldNameDrawsNothingAndAHyphenLeavesAGap) {
  HudGame game;
  WorldName[0] = 0;
  game.Run();
  EXPECT_TRUE(From(RowCells(game.Draws(4), 18), 360, 640).empty());

  std::strcpy(WorldName, "LAN-EAST-FOREST");
  game.Run();
  EXPECT_EQ(From(RowCells(game.Draws(4), 18), 360, 640).size(), 15u);
  // The HUD font has no hyphen: its cell lies outside the sheets and nothing is drawn there,
  // while the 'N' before it shows.
  EXPECT_FALSE(AllBlack(Pixels(392, 18, 16, 16)));
  EXPECT_TRUE(AllBlack(Pixels(408, 18, 16, 16)));
  EXPECT_FALSE(AllBlack(Pixels(424, 18, 16, 16)));
}

int CoinCell(const std::vector<DrawCommand>& draws) {
  for (const Cell& c : RowCells(draws, 18))
    if (c.first == 222 && c.second >= kHudCoinCell && c.second < kHudCoinCell + 8) return c.second;
  return -1;
}

TEST(HudTest, TheCoinTurnsOnlyWhileTheLineIsDrawn) {
  HudGame game;
  std::vector<int> seen;
  for (int f = 0; f < 25; ++f) {
    game.Run();
    seen.push_back(CoinCell(game.Draws(4)));
  }
  // Eight pictures, three frames each, a 24-frame round (the first frame already steps on).
  std::vector<int> expected;
  for (int k = 1; k <= 25; ++k) expected.push_back(kHudCoinCell + k % 24 / 3);
  EXPECT_EQ(seen, expected);

  // Hidden: no line, and the coin stands.
  const int32_t frame = HudCoinFrame;
  HideHud();
  game.Run(10);
  EXPECT_TRUE(game.Draws(4).empty());
  EXPECT_EQ(HudCoinFrame, frame);

  // Under the pause menu the world stands: no line, the coin stands, but the panel stays.
  ShowHud();
  SubMode = kSubPauseMenu;
  game.Run(10);
  EXPECT_TRUE(RowCells(game.Draws(4), 18).empty());
  EXPECT_EQ(HudCoinFrame, frame);
  EXPECT_EQ(Surfaces[kBackBuffer].At(7, 400) & 0xFFFFFF, 0x0000C8u);
}

struct Box {
  int x, y, w, h;
  uint32_t colour;
  bool operator==(const Box&) const = default;
};

std::vector<Box> QueuedBoxes() {
  std::vector<Box> out;
  for (uint32_t i = 0; i < DrawQueue.count[4]; ++i) {
    const DrawCommand& c = DrawQueue.commands[4][i];
    EXPECT_EQ(c.type, kDrawFillRect);
    EXPECT_EQ(c.coords, kScreenCoords);
    out.push_back({c.x, c.y, c.w, c.h, c.colour});
  }
  return out;
}

TEST(HudTest, TheFramedBoxIsQueuedFillFirstThenBlackThenLightLines) {
  ClearDrawQueues();
  DrawFrameBox(12, 32, 628, 448, 0, 1);
  const std::vector<Box> boxes = QueuedBoxes();
  const std::vector<Box> expected = {
      {12, 32, 616, 416, 0},
      // black: three lines above and below, three on each side
      {5, 31, 630, 1, 0}, {5, 27, 630, 1, 0}, {5, 25, 630, 1, 0},
      {5, 448, 630, 1, 0}, {5, 452, 630, 1, 0}, {5, 454, 630, 1, 0},
      {11, 26, 1, 428, 0}, {7, 26, 1, 428, 0}, {5, 26, 1, 428, 0},
      {628, 26, 1, 428, 0}, {632, 26, 1, 428, 0}, {634, 26, 1, 428, 0},
      // light: two lines a side, over the black ones
      {6, 449, 628, 1, 0xFFEEAA}, {6, 453, 628, 1, 0xFFEEAA}, {6, 30, 628, 1, 0xFFEEAA}, {6, 26, 628, 1, 0xFFEEAA},
      {10, 26, 1, 427, 0xFFEEAA}, {6, 26, 1, 427, 0xFFEEAA}, {629, 26, 1, 427, 0xFFEEAA}, {633, 26, 1, 427, 0xFFEEAA},
  };
  EXPECT_EQ(boxes, expected);

  // Not solid: one-pixel columns at every second x, then the same border.
  ClearDrawQueues();
  DrawFrameBox(100, 50, 110, 60, 0x102030, 0);
  const std::vector<Box> striped = QueuedBoxes();
  ASSERT_EQ(striped.size(), 5u + 20u);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(striped[k], (Box{100 + 2 * k, 50, 1, 10, 0x102030})) << k;
  EXPECT_EQ(striped[5], (Box{93, 49, 24, 1, 0}));
}

TEST(HudTest, CellFontsDrawNothingForACountBelowOne) {
  ClearDrawQueues();
  DrawHudText(0, 0, "AB", 0);
  DrawMenuText(2, 0, 0, "AB", -3, kFontLabel);
  EXPECT_EQ(DrawQueue.count[4] + DrawQueue.count[2], 0u);
  DrawMenuText(2, 40, 70, "A:Z9", 3, kFontWarning);
  ASSERT_EQ(DrawQueue.count[2], 3u);
  EXPECT_EQ(DrawQueue.commands[2][2].x, 72);
  EXPECT_EQ(DrawQueue.commands[2][2].cell, 166u + 42);  // 'Z', the font's last glyph
}

}  // namespace
