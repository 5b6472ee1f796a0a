// The sub-mode dispatcher: every frame of play runs whatever stands over the world (a talk, an
// event, a menu, a scene, the editor) and learns whether the world itself runs this frame. And
// the fatal error scene, shown when a map file cannot be loaded.
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "editor/debug_menu.h"
#include "editor/map_editor.h"
#include "events/event_dispatch.h"
#include "ui/hud.h"
#include "world/message_window.h"
#include "world/save_block.h"

uint32_t DispatchSubMode() {
  switch (SubMode) {
    case kSubWorld:
      return 1;
    case kSubDebugMenu:
      HandleDebugMenu();
      return 0;
    case kSubMapEditor:
      RunMapEditor();
      return 0;
    case kSubTalk:
      DispatchTalk();
      return 1;  // the world runs beside a talk, whatever the talk does
    case kSubGuideEvent:
      return DispatchGuideEvent();
    case kSubFieldEvent:
      DispatchFieldEvent();
      return 1;
    case kSubPauseMenu:
      return 0;  // the pause menu runs after the world passes
    case kSubMapLoadFailure:
      DispatchErrorScene();
      return 0;
    case kSubStartSequence:
      return DispatchStartScene();
    default:
      return 1;
  }
}

uint32_t EnterCaveInPlaceOfTitle() {
  // The sub-mode goes back to the world first, so that a cave map that fails to load leaves the
  // fatal error scene in its place.
  SubMode = kSubWorld;
  SubModeArg = 0;
  ChangeScene(kSceneCave);
  ShowHud();
  return 1;
}

// No scene of the start sequence runs yet: it knows only its first step.
bool IsKnownSceneStep(int32_t step) { return step == 0; }

// Step 0 opens the message, step 1 waits for the player to close it.
bool IsKnownErrorSceneStep(int32_t step) { return step == 0 || step == 1; }

void RunFatalErrorScene() {
  // A step that the scene does not know starts it over, so the message always comes and the
  // program always ends.
  if (!IsKnownErrorSceneStep(ErrorSceneStep)) ErrorSceneStep = 0;
  switch (ErrorSceneStep) {
    case 0:
      CloseMessage();
      OpenMessage(15, 0, 0, "システムメッセージ：ＥＲＲ－７Ｅ",
                  "修復できないエラーが発生しました。プログラム保護の為終了します。", nullptr, 1);
      ErrorSceneStep = 1;
      break;
    case 1:
      if (MessageResult == -2) {  // the player closed the message: the program ends
        SubModeArg = 0;
        SubMode = kSubWorld;
        ErrorSceneStep = 0;
        Running = 0;
      }
      break;
    default:
      break;
  }
}
