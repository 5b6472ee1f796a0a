// The map editor at work: the pen, the eraser, the stamp and the pick under the cursor, the
// palette and the plane keys, the grid, the panel and the event numbers, and the scrolling.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_flow.h"
#include "audio/volumes.h"
#include "editor/halted_game.h"
#include "editor/map_editor.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "support/played_sounds.h"
#include "world/camera.h"
#include "world/map_layers.h"

namespace {

// The editor on an empty map.
struct Editor : HaltedGame {
  Editor() {
    OpenEditor();
    std::fill_n(BgLayers.TileBuffer, kTileCount, 0u);
  }
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The palette's cells as the panel queued them: (column, row) of the 7 x 7 box -> cell.
std::vector<std::vector<int>> PaletteCells(const FrameHarness& game) {
  std::vector<std::vector<int>> grid(7, std::vector<int>(7, -1));
  for (const DrawCommand& c : DrawsOfType(game, 4, kDrawCell)) {
    const int col = (c.x - 521) / 16, row = (c.y - 7) / 16;
    if (col >= 0 && col < 7 && row >= 0 && row < 7) grid[row][col] = static_cast<int>(c.cell);
  }
  return grid;
}

TEST(MapEditorTest, TheStampLaysBlocksOfThePaletteAtTheCursor) {
  Editor game;
  EditorPalettePos = 85;
  game.PressButton(kButtonItem);
  // 2 x 2: p, p + 1 across, p + 40, p + 41 below, from the cursor; the cells of sheet 2.
  EXPECT_EQ(game.CursorTile(0), 2485u);
  EXPECT_EQ(game.CursorTile(0, 1, 0), 2486u);
  EXPECT_EQ(game.CursorTile(0, 0, 1), 2525u);
  EXPECT_EQ(game.CursorTile(0, 1, 1), 2526u);
  EXPECT_EQ(game.CursorTile(0, 2, 0), 0u);
  EXPECT_EQ(game.CursorTile(0, 0, 2), 0u);

  // Two copies across and two down of a 1 x 2 block.
  game.Tap('0');
  game.Tap('O');
  game.Tap(vk::Oem3);
  EXPECT_EQ(EditorStamp.PXS, 1);
  EXPECT_EQ(EditorStamp.DXS, 2);
  EXPECT_EQ(EditorStamp.DYS, 2);
  game.Tap(vk::Oem6);  // plane 1
  game.PressButton(kButtonItem);
  for (int col = 0; col < 2; ++col) {
    for (int row = 0; row < 4; ++row) {
      EXPECT_EQ(game.CursorTile(1, col, row), row % 2 == 0 ? 2485u : 2525u) << col << "," << row;
    }
  }
  EXPECT_EQ(game.CursorTile(1, 2, 0), 0u);

  // The sizes stay within 0..40, and a size of 0 puts nothing.
  for (int i = 0; i < 45; ++i) game.Tap(vk::OemMinus);
  EXPECT_EQ(EditorStamp.PXS, 40);
  for (int i = 0; i < 45; ++i) game.Tap('0');
  EXPECT_EQ(EditorStamp.PXS, 0);
  game.Tap('P');
  game.Tap('P');
  game.Tap('P');
  EXPECT_EQ(EditorStamp.DYS, 0);
  game.Tap('I');
  game.Tap(vk::Oem7);
  game.Tap(vk::Oem5);
  EXPECT_EQ(EditorStamp.DXS, 1);
  EXPECT_EQ(EditorStamp.PYS, 2);
  game.Tap(vk::Oem6);  // plane 2, still empty under the cursor
  game.Tap(vk::OemMinus);
  game.PressButton(kButtonItem);  // PXS 1 but DYS 0
  EXPECT_EQ(game.CursorTile(2), 0u);
}

TEST(MapEditorTest, AHeldPenPaintsOnceThenEveryFrameAfter32Frames) {
  Editor game;
  EditorPalettePos = 5;
  game.Tap(vk::Oem6);  // plane 1, whose cursor tile is empty
  std::vector<int> painted;
  game.HoldButton(kButtonJump);
  for (int frame = 1; frame <= 35; ++frame) {
    game.SetCursorTile(1, 0);
    game.Run(1);
    if (game.CursorTile(1) == 2405u) painted.push_back(frame);
  }
  EXPECT_EQ(painted, (std::vector<int>{1, 32, 33, 34, 35}));
  // A key held down repeats at the keyboard's own rate: every auto-repeat moves the palette.
  game.ReleaseAll();
  game.Hold(vk::End);
  game.Run(1);
  for (int i = 0; i < 3; ++i) game.RepeatKey(vk::End);
  game.Release(vk::End);
  game.Run(1);
  EXPECT_EQ(EditorPalettePos, 9);
}

TEST(MapEditorTest, PickPenAndEraseOnTheTilePlanesAndTheEventLayer) {
  Editor game;
  game.Tap(vk::Oem6);  // plane 1
  game.SetCursorTile(1, 1234);
  game.PressButton(kButtonMagic);
  EXPECT_EQ(EditorPalettePos, -1166);
  game.PressButton(kButtonAction);
  EXPECT_EQ(game.CursorTile(1), 0u);
  game.PressButton(kButtonJump);
  EXPECT_EQ(game.CursorTile(1), 1234u);
  // An empty tile picks -2400, whose pen is the empty tile again.
  game.SetCursorTile(1, 0, 1, 0);
  game.Tap(vk::Right);
  game.Tap(vk::Right);
  game.Tap(vk::Right);
  game.Tap(vk::Right);  // four frames of 4 pixels: one tile to the right
  game.PressButton(kButtonMagic);
  EXPECT_EQ(EditorPalettePos, -2400);
  // Any value a map file holds can be picked; the palette around it and the pen wrap as the
  // tile values do.
  game.SetCursorTile(1, 0x80000010u);
  game.PressButton(kButtonMagic);
  EXPECT_EQ(EditorPalettePos, static_cast<int32_t>(0x80000010u - 2400u));
  game.SetCursorTile(1, 0);
  game.PressButton(kButtonJump);
  EXPECT_EQ(game.CursorTile(1), 0x80000010u);

  // The event layer holds plain numbers.
  for (int i = 0; i < 3; ++i) game.Tap(vk::Oem6);
  ASSERT_EQ(EditorLayer, 4);
  game.SetCursorTile(4, 700);
  game.PressButton(kButtonMagic);
  EXPECT_EQ(EditorPalettePos, 700);
  game.Tap(vk::End);
  game.PressButton(kButtonJump);
  EXPECT_EQ(game.CursorTile(4), 701u);
}

TEST(MapEditorTest, ThePaletteShowsOneRowOfTheSheetAtATime) {
  Editor game;
  EditorPalettePos = 39;
  game.Run(1);
  const std::vector<std::vector<int>> grid = PaletteCells(game);
  for (int row = 0; row < 7; ++row) {
    const int dy = row - 3;
    for (int col = 0; col < 7; ++col) {
      const int dx = col - 3;
      const int expected = dx > 0 ? -1 : 39 + dx + 40 * dy + 2400;
      EXPECT_EQ(grid[row][col], expected) << "dx " << dx << " dy " << dy;
    }
  }
  // The keys: Page Up only above 40, Page Down below 1199, End below 1200, Home from 1.
  EditorPalettePos = 40;
  game.Tap(vk::PageUp);
  EXPECT_EQ(EditorPalettePos, 40);
  EditorPalettePos = 41;
  game.Tap(vk::PageUp);
  EXPECT_EQ(EditorPalettePos, 1);
  game.Tap(vk::Home);
  game.Tap(vk::Home);
  EXPECT_EQ(EditorPalettePos, 0);
  EditorPalettePos = 1198;
  game.Tap(vk::PageDown);
  game.Tap(vk::PageDown);
  EXPECT_EQ(EditorPalettePos, 1238);
  EditorPalettePos = 1199;
  game.Tap(vk::End);
  game.Tap(vk::End);
  EXPECT_EQ(EditorPalettePos, 1200);
  // On the event layer the palette shows the numbers themselves.
  EditorPalettePos = 700;
  EditorLayer = 4;
  game.Run(1);
  const std::vector<std::string> texts = Texts(game, 4);
  EXPECT_TRUE(Contains(texts, "700"));
  EXPECT_TRUE(Contains(texts, "577"));  // 700 - 3 - 3 x 40
  EXPECT_TRUE(PaletteCells(game)[3][3] == -1);
}

TEST(MapEditorTest, TheGridTheLayerSwitchesAndThePlaneKeys) {
  Editor game;
  game.Run(1);
  // The grid lies on the queue layer of the plane: 30 lines across, 40 down.
  EXPECT_EQ(DrawsOfType(game, 0, kDrawFillRect).size(), 70u);
  game.Tap(vk::Insert);
  EXPECT_EQ(EditorGridOn, 0);
  EXPECT_EQ(DrawsOfType(game, 0, kDrawFillRect).size(), 0u);
  game.Tap(vk::Insert);
  EXPECT_EQ(EditorGridOn, 1);

  // The keys 1..5 hide and show the layers.
  game.Tap('3');
  EXPECT_EQ(IsLayerVisible(2), 0);
  game.Run(1);
  const std::vector<DrawCommand> squares = [&] {
    std::vector<DrawCommand> out;
    for (const DrawCommand& c : DrawsOfType(game, 4, kDrawText)) {
      if (std::string(c.text) == "■") out.push_back(c);
    }
    return out;
  }();
  ASSERT_EQ(squares.size(), 5u);
  EXPECT_EQ(squares[1].colour, 0xC8C8C8u);
  EXPECT_EQ(squares[2].colour, 0x646464u);
  EXPECT_EQ(squares[2].x, 569 + 32);
  game.Tap('3');
  EXPECT_EQ(IsLayerVisible(2), 1);

  // '[' plays the selection sound, even with the effects muted, and stops at plane 0.
  SoundVolume = -10000;
  const int before = PlayCount(0);
  game.Tap(vk::Oem4);
  EXPECT_EQ(EditorLayer, 0);
  EXPECT_EQ(PlayCount(0), before + 1);
  for (int i = 0; i < 6; ++i) game.Tap(vk::Oem6);
  EXPECT_EQ(EditorLayer, 4);
  game.Tap(vk::Oem4);
  EXPECT_EQ(EditorLayer, 3);
  game.Run(1);
  EXPECT_EQ(DrawsOfType(game, 3, kDrawFillRect).size(), 70u);
  EXPECT_TRUE(Contains(Texts(game, 4), "BgMap[3]:"));
}

TEST(MapEditorTest, TheArrowsScrollTheMapUnderTheCursorAndThePanelFollows) {
  Editor game;
  game.Hold(vk::Down);
  game.HoldFor(vk::Right, 10);
  EXPECT_EQ(GetLayerOriginX(2), 40);
  EXPECT_EQ(GetLayerOriginY(2), 40);
  EXPECT_EQ(GetLayerOriginX(4), 40);
  EXPECT_EQ(GetLayerOriginX(0), 20);  // half the speed
  const std::vector<std::string> texts = Texts(game, 4);
  EXPECT_TRUE(Contains(texts, " X=340 Y=280"));  // the cursor on plane 0, which moves at half the speed
  EXPECT_TRUE(Contains(texts, " X=0040 Y=0040"));  // layer 2's origin
  EXPECT_TRUE(Contains(texts, " X=0020 Y=0040"));  // layer 0's
  // On plane 2, left across the world's left edge: the right edge shows as a yellow line.
  game.Tap(vk::Oem6);
  game.Tap(vk::Oem6);
  game.HoldFor(vk::Left, 20);
  EXPECT_EQ(GetLayerOriginX(2), 6360);
  bool yellow = false;
  for (const DrawCommand& c : DrawsOfType(game, 4, kDrawFillRect)) yellow |= c.colour == 0xFFFF00 && c.x == 40;
  EXPECT_TRUE(yellow);
}

TEST(MapEditorTest, TheEventLayerShowsItsNumbersOnlyWhileItIsEdited) {
  Editor game;
  game.SetCursorTile(4, 128);
  game.SetCursorTile(4, 1001, -20, -15);  // the screen's top-left tile
  game.Run(1);
  EXPECT_TRUE(DrawsOfType(game, 3, kDrawText).empty());
  EditorLayer = 4;
  game.HoldFor(vk::Right, 1);
  const std::vector<DrawCommand> numbers = DrawsOfType(game, 3, kDrawText);
  ASSERT_EQ(numbers.size(), 2u);
  // The view moved 4 pixels: the numbers sit on their tiles, 4 pixels to the left.
  EXPECT_STREQ(numbers[0].text, "1001");
  EXPECT_EQ(numbers[0].x, -4);
  EXPECT_EQ(numbers[0].y, 0);
  EXPECT_STREQ(numbers[1].text, "128");
  EXPECT_EQ(numbers[1].x, 316);
  EXPECT_EQ(numbers[1].y, 240);
  EXPECT_STREQ(numbers[1].face, "MS Gothic");
}

}  // namespace
