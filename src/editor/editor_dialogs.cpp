#include "editor/editor_dialogs.h"

#include <cstring>
#include <string>

#include "app/game_flow.h"
#include "editor/map_editor.h"
#include "platform/files.h"
#include "world/camera.h"
#include "world/map_file.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

// Steps of the load dialog.
constexpr int32_t kLoadAskName = 1004;
constexpr int32_t kLoadConfirm = 1005;
constexpr int32_t kLoadRead = 1006;
constexpr int32_t kLoadBadFile = 1007;
// Steps of the save dialog.
constexpr int32_t kSaveAskName = 1001;
constexpr int32_t kSaveConfirm = 1002;
constexpr int32_t kSaveWrite = 1003;
// Steps of the menu.
constexpr int32_t kMenuOpen = 1008;
constexpr int32_t kMenuChoose = 1009;

constexpr int kPathBytes = 20;  // "./Data/", twelve characters and the terminator

// The map being edited while a load is tried, so that a file with a wrong check value does not
// replace it.
uint32_t kept_map[kTileCount];

void EndDialog() {
  SubModeArg = 0;
  EditorDialogState = 0;
}

void SetFileName(const char* name) {
  std::memset(EditorFileName, 0, sizeof EditorFileName);
  std::strncpy(EditorFileName, name, kEditorFileNameLength);
}

void KeepFileName() { std::memcpy(EditorFileNameBackup, EditorFileName, sizeof EditorFileName); }
void RestoreFileName() { std::memcpy(EditorFileName, EditorFileNameBackup, sizeof EditorFileName); }

// "./Data/" and the file name without its trailing blanks (the entry box's Backspace leaves
// blanks, and on this system they would be part of the name). False for a name that would not
// name a file inside the Data folder: one the file layer trims to nothing (blanks, dots), "..",
// or one with a separator in it.
bool BuildMapPath(char (&path)[kPathBytes]) {
  size_t length = strnlen(EditorFileName, kEditorFileNameLength);
  while (length > 0 && EditorFileName[length - 1] == ' ') --length;
  if (!IsFileName(std::string(EditorFileName, length))) return false;
  std::memcpy(path, "./Data/", 7);
  std::memcpy(path + 7, EditorFileName, length);
  path[7 + length] = '\0';
  return true;
}

void LoadNamedMap() {
  KeepFileName();
  char path[kPathBytes];
  const bool store = BgLayers.TileBuffer != nullptr;
  if (store) std::memcpy(kept_map, BgLayers.TileBuffer, sizeof kept_map);
  const int result = store && BuildMapPath(path) ? LoadMapFile(path) : -1;
  if (result == -1) {
    SetFileName("NOT'FILE");
    EndDialog();
  } else if (result == -2) {
    // The damaged file was read into the store all the same: the map being edited goes back.
    std::memcpy(BgLayers.TileBuffer, kept_map, sizeof kept_map);
    EditorDialogState = kLoadBadFile;
    CloseMessage();
    OpenMessage(15, 0, 0, "システムメッセージ：", "例外的問題が発生しました。修復できません。", nullptr, 1);
  } else {
    KeepFileName();
    EndDialog();
  }
}

void SaveNamedMap() {
  KeepFileName();
  char path[kPathBytes];
  // Every failure is told: a short write or a lost check value leaves no usable file either.
  if (!BuildMapPath(path) || SaveMapFile(path) != 0) {
    SetFileName("WRITE_ERR");
  } else {
    KeepFileName();
  }
  EndDialog();
}

// The steps the load and the save dialogs share: the name in the entry box, a question with the
// name as its speaker, and the load or save itself.
struct FileDialog {
  int32_t ask_name, confirm, act;  // the steps
  const char* prompt;
  uint32_t prompt_colour;
  char choices[2][49];
  void (*act_on_name)();
};

void RunFileDialog(const FileDialog& d) {
  const int32_t step = EditorDialogState;
  if (step == d.ask_name) {
    CloseTextEntry();
    OpenTextEntry(d.prompt, d.prompt_colour, EditorFileName, kEditorFileNameLength, &LastKey);
    EditorDialogState = d.confirm;
  } else if (step == d.confirm) {
    if (MessageResult == -2) {
      RestoreFileName();
      EndDialog();
    } else if (MessageResult == 0) {
      CloseMessage();
      OpenMessage(10, 2, 0, EditorFileName, nullptr, d.choices, 1);
      EditorDialogState = d.act;
    }
  } else if (step == d.act) {
    if (MessageResult == -2 || MessageResult == 0) {
      RestoreFileName();
      EndDialog();
    } else if (MessageResult == 1) {
      d.act_on_name();
    }
  }
}

}  // namespace

int RunEditorDialogs() {
  switch (SubModeArg) {
    case kEditorLoadRequest:
      EditorDialogState = kLoadAskName;
      SubModeArg = kEditorLoadRunning;
      return 0;
    case kEditorLoadRunning:
      RunEditorLoadDialog();
      return 0;
    case kEditorSaveRequest:
      EditorDialogState = kSaveAskName;
      SubModeArg = kEditorSaveRunning;
      return 0;
    case kEditorSaveRunning:
      RunEditorSaveDialog();
      return 0;
    case kEditorMenuRequest:
      EditorDialogState = kMenuOpen;
      SubModeArg = kEditorMenuRunning;
      return 0;
    case kEditorMenuRunning:
      RunEditorMenu();
      return 0;
    default:
      return 1;
  }
}

void RunEditorLoadDialog() {
  static constexpr FileDialog kLoad = {kLoadAskName, kLoadConfirm, kLoadRead, "ロード:", 0x8080FF,
                                       {"キャンセル", "ロードする"}, LoadNamedMap};
  if (EditorDialogState == kLoadBadFile) {
    // Once the message is closed the editor runs on with its map: ending the program here
    // would lose the work.
    if (MessageResult != 255) EndDialog();
    return;
  }
  RunFileDialog(kLoad);
}

void RunEditorSaveDialog() {
  static constexpr FileDialog kSave = {kSaveAskName, kSaveConfirm, kSaveWrite, "セーブ:", 0xFF8080,
                                       {"キャンセル", "セーブする"}, SaveNamedMap};
  RunFileDialog(kSave);
}

void RunEditorMenu() {
  static const char kChoices[5][49] = {"キャンセル", "エディタの終了", "BGのCLEAR", "貫通スクロールOFF",
                                       "逆算スクロールON"};
  switch (EditorDialogState) {
    case kMenuOpen:
      CloseMessage();
      OpenMessage(10, 5, 0, EditorFileName, nullptr, kChoices, 1);
      EditorDialogState = kMenuChoose;
      break;
    case kMenuChoose:
      switch (MessageResult) {
        case -2:
        case 0:
          EndDialog();
          break;
        case 1:  // leave the editor; the game stays halted
          SubMode = kSubWorld;
          SubModeArg = 0;
          EditorDialogState = 0;
          break;
        case 2:
          if (BgLayers.TileBuffer != nullptr) std::memset(BgLayers.TileBuffer, 0, kTileCount * sizeof(uint32_t));
          RedrawAllLayers();
          EndDialog();
          break;
        case 3:
          EditorScrollMode = 1;
          EndDialog();
          RedrawAllLayers();
          break;
        case 4:
          EditorScrollMode = 0;
          EndDialog();
          RedrawAllLayers();
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}
