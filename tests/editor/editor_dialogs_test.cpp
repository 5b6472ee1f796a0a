// The editor's load and save dialogs and its menu: names typed into the entry box, files in the
// Data folder, every failure told in the name field, and the menu's clear and scroll modes.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_flow.h"
#include "editor/editor_dialogs.h"
#include "editor/halted_game.h"
#include "editor/map_editor.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "world/camera.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {

struct Editor : HaltedGame {
  Editor() { OpenEditor(); }
  // The editor takes its keys: End moves the palette.
  bool TakesKeys() {
    const int32_t before = EditorPalettePos;
    Tap(vk::End);
    const bool moved = EditorPalettePos == before + 1;
    EditorPalettePos = before;
    return moved;
  }
};

TEST(EditorDialogsTest, EscapeInTheEntryBoxKeepsTheNameAndGivesTheKeysBack) {
  Editor game;
  game.Tap(vk::F1);
  game.Run(1);
  ASSERT_EQ(TextEntry.open, 1u);
  EXPECT_STREQ(TextEntry.prompt, "ロード:");
  EXPECT_EQ(TextEntry.prompt_colour, 0x8080FFu);
  game.Tap('A');
  game.Tap('B');
  EXPECT_STREQ(EditorFileName, "ABW_FILE.MDT");
  game.Hold(vk::Escape);
  game.Run(1);
  EXPECT_EQ(TextEntry.open, 0u);
  game.Release(vk::Escape);
  game.Run(1);  // the dialog ends
  EXPECT_STREQ(EditorFileName, "NEW_FILE.MDT");
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(EditorDialogState, 0);
  EXPECT_EQ(SubMode, kSubMapEditor);  // the Escape neither opened the editor's menu nor the debug menu
  EXPECT_TRUE(game.TakesKeys());

  // Cancelling the question that follows the entry box keeps the name too.
  game.Tap(vk::F2);
  game.Run(1);
  EXPECT_STREQ(TextEntry.prompt, "セーブ:");
  game.TypeAndEnter("XY");
  EXPECT_STREQ(MessageWindow.speaker, "XYW_FILE.MDT");
  game.Choose(0);
  EXPECT_STREQ(EditorFileName, "NEW_FILE.MDT");
  EXPECT_FALSE(fs::exists(game.DataFile("XYW_FILE.MDT")));
}

TEST(EditorDialogsTest, AMissingFileShowsNotFileAndASaveThenWritesThatName) {
  Editor game;
  game.SetCursorTile(2, 2999);
  const std::vector<uint32_t> map = TileStore();
  game.LoadAs("NOPE0000.MDT");
  EXPECT_STREQ(EditorFileName, "NOT'FILE");
  EXPECT_EQ(TileStore(), map);
  EXPECT_TRUE(game.TakesKeys());
  // The panel's name line shows it.
  game.Run(1);
  const std::vector<std::string> texts = Texts(game, 4);
  EXPECT_NE(std::find(texts.begin(), texts.end(), " NOT'FILE"), texts.end());
  // Saved without changing the name: a file of that name in the Data folder.
  game.SaveAs("");
  EXPECT_STREQ(EditorFileName, "NOT'FILE");
  ASSERT_TRUE(fs::is_regular_file(game.DataFile("NOT'FILE")));
  EXPECT_EQ(fs::file_size(game.DataFile("NOT'FILE")), kMapFileSize);
  EXPECT_EQ(LoadMapFile("./Data/NOT'FILE"), 0);
  EXPECT_EQ(TileStore(), map);
}

TEST(EditorDialogsTest, EveryFailedWriteShowsWriteErrAndLeavesNoFile) {
  Editor game;
  // A folder where the file is written first.
  fs::create_directory(game.DataFile("BLOCKED0.MDT.tmp"));
  game.SaveAs("BLOCKED0.MDT");
  EXPECT_STREQ(EditorFileName, "WRITE_ERR");
  EXPECT_FALSE(fs::exists(game.DataFile("BLOCKED0.MDT")));

  // A disk that fills up: the writes fail part of the way.
  struct rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 100000;
  setrlimit(RLIMIT_FSIZE, &small);
  game.SaveAs("FULLDISK.MDT");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_STREQ(EditorFileName, "WRITE_ERR");
  EXPECT_FALSE(fs::exists(game.DataFile("FULLDISK.MDT")));
  EXPECT_FALSE(fs::exists(game.DataFile("FULLDISK.MDT.tmp")));
  EXPECT_EQ(SubMode, kSubMapEditor);
  EXPECT_TRUE(game.TakesKeys());
}

TEST(EditorDialogsTest, NamesThatNameNoMapFileAreRefusedAndTheMapIsKept) {
  Editor game;
  game.SetCursorTile(0, 2777);
  const std::vector<uint32_t> map = TileStore();

  // A name of blanks only: Backspace over every character.
  auto blank_name = [&] {
    for (int i = 0; i < 11; ++i) game.Tap(vk::Right);
    for (int i = 0; i < 12; ++i) game.Tap(vk::Back);
    game.Tap(vk::Return);
    game.Choose(1);
  };
  game.Tap(vk::F1);
  game.Run(1);
  blank_name();
  EXPECT_STREQ(EditorFileName, "NOT'FILE");
  EXPECT_EQ(TileStore(), map);
  game.Tap(vk::F2);
  game.Run(1);
  blank_name();
  EXPECT_STREQ(EditorFileName, "WRITE_ERR");
  EXPECT_TRUE(fs::is_directory(game.folder() + "/Data"));
  EXPECT_FALSE(fs::exists(game.folder() + "/Data.tmp"));

  // Names of dots, the rest blanks, that the file layer trims to nothing or reads as this folder
  // or the one above: refused alike, and nothing is written, made or removed beside the Data
  // folder.
  const auto beside_data = [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(game.folder())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const auto dots_then_blanks = [&](int dots) {
    for (int i = 0; i < dots; ++i) game.Tap(vk::OemPeriod);
    for (int i = dots; i < 11; ++i) game.Tap(vk::Right);
    for (int i = dots; i < 12; ++i) game.Tap(vk::Back);
    game.Tap(vk::Return);
    game.Choose(1);
  };
  const std::string bystander = game.folder() + "/Data.tmp";  // a file of the player's beside Data
  std::ofstream(bystander) << "kept";
  const std::vector<std::string> before = beside_data();
  for (int dots : {12, 2, 1}) {
    game.Tap(vk::F1);
    game.Run(1);
    dots_then_blanks(dots);
    EXPECT_STREQ(EditorFileName, "NOT'FILE") << dots;
    game.Tap(vk::F2);
    game.Run(1);
    dots_then_blanks(dots);
    EXPECT_STREQ(EditorFileName, "WRITE_ERR") << dots;
    EXPECT_EQ(beside_data(), before) << dots;
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(bystander).rdbuf()), {}), "kept") << dots;
    EXPECT_EQ(TileStore(), map) << dots;
  }

  // A folder of the name.
  fs::create_directory(game.DataFile("FOLDER00.MDT"));
  game.LoadAs("FOLDER00.MDT");
  EXPECT_STREQ(EditorFileName, "NOT'FILE");
  game.SaveAs("FOLDER00.MDT");
  EXPECT_STREQ(EditorFileName, "WRITE_ERR");
  EXPECT_TRUE(fs::is_directory(game.DataFile("FOLDER00.MDT")));
  EXPECT_EQ(TileStore(), map);

  // A map whose check value is wrong: the system message, then the editor runs on its map.
  std::vector<char> bytes(kMapFileSize, 0);
  bytes[0] = 7;  // the tiles of layer 0 no longer match the check value of an empty map
  const uint32_t empty_check = 0xD0FDD3B3u;
  std::memcpy(bytes.data() + kMapFileSize - 4, &empty_check, 4);
  std::ofstream(game.DataFile("DAMAGED0.MDT"), std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  game.LoadAs("DAMAGED0.MDT");
  ASSERT_EQ(MessageWindow.open, 1u);
  EXPECT_STREQ(MessageWindow.speaker, "システムメッセージ：");
  EXPECT_STREQ(MessageWindow.text, "例外的問題が発生しました。修復できません。");
  EXPECT_EQ(TileStore(), map);
  game.PressButton(kButtonJump);
  game.PressButton(kButtonJump);
  EXPECT_EQ(MessageWindow.open, 0u);
  EXPECT_EQ(Running, 1u);
  EXPECT_EQ(SubMode, kSubMapEditor);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(TileStore(), map);
  EXPECT_TRUE(game.TakesKeys());
}

TEST(EditorDialogsTest, TheMenuClearsEveryLayerAndSetsTheScrollMode) {
  Editor game;
  game.EditorMenu(3);
  EXPECT_EQ(EditorScrollMode, 1);
  EXPECT_EQ(SubModeArg, 0);
  game.Run(1);
  const std::vector<std::string> texts = Texts(game, 4);
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.ends_with(" -貫通Mode"); }));
  game.EditorMenu(4);
  EXPECT_EQ(EditorScrollMode, 0);
  game.EditorMenu(0);
  EXPECT_EQ(SubMode, kSubMapEditor);
  EXPECT_TRUE(game.TakesKeys());

  for (int layer = 0; layer < kLayerCount; ++layer) game.SetCursorTile(layer, 1000 + static_cast<uint32_t>(layer));
  game.EditorMenu(2);
  const std::vector<uint32_t> map = TileStore();
  EXPECT_TRUE(std::all_of(map.begin(), map.end(), [](uint32_t t) { return t == 0; }));
  EXPECT_STREQ(MessageWindow.choices[2], "BGのCLEAR");
  EXPECT_TRUE(game.TakesKeys());
}

}  // namespace
