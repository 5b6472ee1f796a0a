// The debug menu of the halted game: how it opens and closes, and what each of its lines starts.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "app/game_flow.h"
#include "editor/halted_game.h"
#include "editor/map_editor.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "ui/hud.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {

// The tiles of a map file as the game holds them after reading it.
std::vector<uint32_t> MapTiles(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint32_t> tiles(kTileCount);
  in.read(reinterpret_cast<char*>(tiles.data()), kTileCount * sizeof(uint32_t));
  for (uint32_t& t : tiles) {
    if (t == 2400) t = 0;
  }
  return tiles;
}

TEST(DebugMenuTest, TheMenuButtonOpensATimedMenuThatNoKeyCancels) {
  HaltedGame game;
  game.PressButton(kButtonMenu);
  ASSERT_EQ(SubMode, kSubDebugMenu);
  const MessageWindowRecord& m = MessageWindow;
  EXPECT_EQ(m.open, 1u);
  EXPECT_EQ(m.type, 10u);
  EXPECT_EQ(m.flags, 0u);
  EXPECT_EQ(m.selected, 0u);
  EXPECT_STREQ(m.speaker, "　メインメニュー");
  ASSERT_EQ(m.choice_count, 8);
  const char* kLines[] = {"キャンセル", "BGエディター起動", "ゲーム街北テスト", "ゲーム洞窟テスト",
                          "イベントテスト", "終了する", "タイトルテスト", "OBJテスト"};
  for (int i = 0; i < 8; ++i) EXPECT_STREQ(m.choices[i], kLines[i]) << i;

  // Neither the action button nor the menu button cancels a timed choice.
  game.PressButton(kButtonAction);
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubDebugMenu);
  game.Run(170);
  EXPECT_EQ(SubMode, kSubDebugMenu);
  // The time runs out: closed like its first line, and the game stays halted.
  game.Run(10);
  EXPECT_EQ(m.open, 0u);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(GameMode, kGameHalted);
  // So the menu button opens it again.
  game.PressButton(kButtonMenu);
  EXPECT_EQ(SubMode, kSubDebugMenu);
  game.Choose(0);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GameMode, kGameHalted);
}

TEST(DebugMenuTest, TheEditorStartsAfreshOnTheTempleMapEachTimeItIsChosen) {
  HaltedGame game;
  const std::vector<uint32_t> temple = MapTiles(game.DataFile("TEMPLE00.MDT"));
  game.OpenEditor();
  ASSERT_EQ(SubMode, kSubMapEditor);
  EXPECT_EQ(EditorState, 1);
  EXPECT_EQ(GameMode, kGameHalted);
  EXPECT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
  EXPECT_STREQ(WorldName, "LANCASHIRE=CAVE");
  const int32_t kSheets[] = {113, 117, 203, 174, 202};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(SceneBitmapIds[6 + i], kSheets[i]);
    EXPECT_EQ(SurfaceBitmapIds[6 + i], kSheets[i]);
  }
  EXPECT_EQ(SceneBitmapIds[5], -1);
  EXPECT_STREQ(EditorFileName, "NEW_FILE.MDT");
  EXPECT_EQ(TileStore(), temple);

  // Edit, rename, change the stamp and the plane, and leave.
  game.Tap(vk::End);
  game.PressButton(kButtonJump);
  ASSERT_EQ(game.CursorTile(0), 2401u);
  std::strcpy(EditorFileName, "OTHER.MDT");
  game.Tap(vk::Oem6);
  game.Tap(vk::OemMinus);
  game.EditorMenu(1);
  ASSERT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(GameMode, kGameHalted);

  game.OpenEditor();
  ASSERT_EQ(SubMode, kSubMapEditor);
  EXPECT_STREQ(EditorFileName, "NEW_FILE.MDT");
  EXPECT_STREQ(EditorFileNameBackup, "NEW_FILE.MDT");
  EXPECT_EQ(EditorLayer, 0);
  EXPECT_EQ(EditorPalettePos, 0);
  EXPECT_EQ(EditorStamp.PXS, 2);
  EXPECT_EQ(TileStore(), temple);
}

TEST(DebugMenuTest, AMissingTempleMapEndsTheProgramThroughTheFatalErrorScene) {
  HaltedGame game;
  fs::remove(game.DataFile("TEMPLE00.MDT"));
  game.ChooseDebugLine(1);
  EXPECT_EQ(SubMode, kSubMapLoadFailure);
  EXPECT_EQ(SubModeArg, 1);
  game.Run(1);
  EXPECT_STREQ(MessageWindow.speaker, "システムメッセージ：ＥＲＲ－７Ｅ");
  game.PressButton(kButtonJump);  // the whole page
  game.PressButton(kButtonJump);  // closed
  game.Run(1);
  EXPECT_EQ(Running, 0u);
}

TEST(DebugMenuTest, TheSceneLinesPlayAgainAndQuitEnds) {
  HaltedGame game;
  auto halt = [] {
    GameMode = kGameHalted;
    SubMode = kSubWorld;
    SubModeArg = 0;
  };
  // The town, the cave and the object test: the world runs again in that scene.
  const std::pair<int, const char*> kSceneLines[] = {
      {2, "./Data/LTOWNMID.MDT"}, {3, "./Data/L001CAVE.MDT"}, {7, "./Data/TEST0000.MDT"}};
  for (const auto& [line, map] : kSceneLines) {
    HideHud();
    game.ChooseDebugLine(line);
    EXPECT_STREQ(MapPath, map) << line;
    EXPECT_EQ(HudVisible, 1u) << line;
    EXPECT_EQ(GameMode, kGamePlaying) << line;
    EXPECT_EQ(SubMode, kSubWorld) << line;
    EXPECT_EQ(SubModeArg, 0) << line;
    halt();
  }
  // The opening starts from its first step whatever an earlier run left.
  SceneStep = 37;
  EventSubCounter = 12;
  ShowHud();
  game.ChooseDebugLine(4);
  EXPECT_EQ(HudVisible, 0u);
  EXPECT_EQ(GameMode, kGamePlaying);
  EXPECT_EQ(SubMode, kSubStartSequence);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(SceneStep, 0);
  EXPECT_EQ(EventSubCounter, 0);
  halt();
  SceneStep = 400;
  ShowHud();
  game.ChooseDebugLine(6);  // the title screen
  EXPECT_EQ(HudVisible, 0u);
  EXPECT_EQ(SubMode, kSubStartSequence);
  EXPECT_EQ(SubModeArg, 1);
  EXPECT_EQ(SceneStep, 0);
  halt();
  game.ChooseDebugLine(5);
  EXPECT_EQ(Running, 0u);
  EXPECT_EQ(SubMode, kSubWorld);
}

}  // namespace
