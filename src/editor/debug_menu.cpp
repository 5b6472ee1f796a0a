#include "editor/debug_menu.h"

#include <algorithm>
#include <cstring>

#include "app/game_flow.h"
#include "app/scene_change.h"
#include "editor/map_editor.h"
#include "platform/utils.h"
#include "ui/hud.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

// The editor works on the temple's map with the temple's background and the cave's tiles.
void StartMapEditor() {
  ResetEditor();  // the editor starts afresh on its next frame
  SubMode = kSubMapEditor;
  SubModeArg = 0;
  std::fill(std::begin(SceneBitmapIds), std::end(SceneBitmapIds), -1);
  std::memset(MapPath, 0, sizeof MapPath);
  std::strcpy(MapPath, "./Data/TEMPLE00.MDT");
  std::memset(WorldName, 0, sizeof WorldName);
  std::strcpy(WorldName, "LANCASHIRE=CAVE");
  SceneBitmapIds[6] = 113;
  SceneBitmapIds[7] = 117;
  SceneBitmapIds[8] = 203;
  SceneBitmapIds[9] = 174;
  SceneBitmapIds[10] = 202;
  ReloadSheetBitmaps();
  // The layers are not redrawn here: the pen, the scrolling and the editor's menu redraw them.
  if (LoadMapFile(MapPath) != 0) {
    SubMode = kSubMapLoadFailure;
    SubModeArg = 1;  // the fatal error scene
  }
}

// The town, the cave and the object test: the game plays again in that scene.
void StartSceneTest(int scene) {
  SubMode = kSubWorld;
  SubModeArg = 0;
  GameMode = kGamePlaying;
  ChangeScene(scene);
  ShowHud();
  RedrawAllLayers();
}

}  // namespace

void OpenDebugMenu() {
  static const char kChoices[8][49] = {"キャンセル",     "BGエディター起動", "ゲーム街北テスト", "ゲーム洞窟テスト",
                                       "イベントテスト", "終了する",         "タイトルテスト",   "OBJテスト"};
  CloseMessage();
  OpenMessage(10, 8, 0, "　メインメニュー", nullptr, kChoices, 0);
}

void HandleDebugMenu() {
  switch (MessageResult) {
    case -2:  // the three seconds ran out
    case 0:
      SubMode = kSubWorld;
      SubModeArg = 0;
      break;
    case 1:
      StartMapEditor();
      break;
    case 2:  // the town
      StartSceneTest(600);
      break;
    case 3:  // the cave
      StartSceneTest(500);
      break;
    case 4:  // the opening
      SubMode = kSubStartSequence;
      SubModeArg = 0;
      GameMode = kGamePlaying;
      // The opening starts from its first step, whatever an earlier run left there.
      SceneStep = 0;
      EventSubCounter = 0;
      HideHud();
      DisableHud();
      RedrawAllLayers();
      break;
    case 5:  // quit: the program ends after this frame
      SubMode = kSubWorld;
      SubModeArg = 0;
      Running = 0;
      break;
    case 6:  // the title screen
      SubMode = kSubStartSequence;
      SubModeArg = 1;
      GameMode = kGamePlaying;
      DisableHud();
      SceneStep = 0;
      break;
    case 7:  // the object test
      StartSceneTest(-2);
      break;
    default:  // the window is still open
      break;
  }
}
