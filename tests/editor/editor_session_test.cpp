// A whole session of the map editor as a developer has it: from the halted game through the
// debug menu into the editor, painting on two planes and numbering the event layer, saving the
// map under a new name, clearing it, loading it back and leaving. The pictures of the editor are
// kept in the build folder (editor_grid_and_panel.png, editor_event_numbers.png) to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_flow.h"
#include "editor/halted_game.h"
#include "editor/map_editor.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

int CountColour(uint32_t colour, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += Surfaces[kBackBuffer].At(x, y) == colour;
  return n;
}

TEST(EditorSessionTest, PaintSaveLoadBackAndLeave) {
  HaltedGame game;
  game.PressButton(kButtonMenu);
  ASSERT_EQ(SubMode, kSubDebugMenu);
  game.Choose(1);
  game.Run(1);
  ASSERT_EQ(SubMode, kSubMapEditor);
  ASSERT_STREQ(EditorFileName, "NEW_FILE.MDT");
  game.EditorMenu(4);  // the menu's scroll mode redraws every layer

  // Plane 0: the pen with palette position 85 on the tile under the cursor.
  game.Tap(vk::PageDown);
  game.Tap(vk::PageDown);
  for (int i = 0; i < 5; ++i) game.Tap(vk::End);
  ASSERT_EQ(EditorPalettePos, 85);
  game.PressButton(kButtonJump);
  EXPECT_EQ(game.CursorTile(0), 2485u);
  // Plane 2: a 3 x 2 block of the palette stamped a little to the right.
  game.Tap(vk::Oem6);
  game.Tap(vk::Oem6);
  game.Tap(vk::OemMinus);
  game.HoldFor(vk::Right, 8);
  game.PressButton(kButtonItem);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(game.CursorTile(2, i, 0), 2485u + i);
    EXPECT_EQ(game.CursorTile(2, i, 1), 2525u + i);
  }
  game.Run(1);
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/editor_grid_and_panel.png"));
  EXPECT_GT(CountColour(0x0000FF, 0, 0, 520, 480), 1000);  // the grid
  EXPECT_GT(CountColour(0xFFFFFF, 521, 133, 633, 473), 200);  // the panel's texts
  EXPECT_GT(112 * 112 - CountColour(0x000000, 521, 7, 633, 119), 1000);  // the palette's cells

  // The event layer: two numbers put with the pen.
  game.Tap(vk::Oem6);
  game.Tap(vk::Oem6);
  ASSERT_EQ(EditorLayer, 4);
  EditorPalettePos = 164;
  game.PressButton(kButtonJump);
  game.HoldFor(vk::Left, 16);
  game.Tap(vk::End);
  game.PressButton(kButtonJump);
  game.Run(1);
  EXPECT_EQ(game.CursorTile(4), 165u);
  EXPECT_EQ(game.CursorTile(4, 4, 0), 164u);
  const std::vector<std::string> numbers = Texts(game, 3);
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), "165"), numbers.end());
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), "164"), numbers.end());
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/editor_event_numbers.png"));

  // Saved under a new name into the Data folder: the file holds the map being edited.
  const std::vector<uint32_t> edited = TileStore();
  game.SaveAs("MYROOM01.MDT");
  EXPECT_STREQ(EditorFileName, "MYROOM01.MDT");
  std::ifstream file(game.DataFile("MYROOM01.MDT"), std::ios::binary);
  std::vector<uint32_t> saved(kTileCount + 1);
  file.read(reinterpret_cast<char*>(saved.data()), static_cast<std::streamsize>(saved.size() * 4));
  ASSERT_EQ(file.gcount(), static_cast<std::streamsize>(kMapFileSize));
  EXPECT_EQ(std::vector<uint32_t>(saved.begin(), saved.end() - 1), edited);
  EXPECT_EQ(saved.back(), Crc32(kMapCheckedBytes, edited.data()));

  // Cleared, then loaded back under the name in the field: the same map.
  game.EditorMenu(2);
  EXPECT_NE(TileStore(), edited);
  game.LoadAs("");
  EXPECT_STREQ(EditorFileName, "MYROOM01.MDT");
  EXPECT_EQ(TileStore(), edited);

  // Left through the editor's menu: the game stays halted and the menu button opens the debug
  // menu again.
  game.EditorMenu(1);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GameMode, kGameHalted);
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubDebugMenu);
}

}  // namespace
