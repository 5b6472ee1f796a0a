// The map editor's dialogs: loading and saving a map file by name, and the editor's menu. Each is
// a step machine on EditorDialogState that runs in the message window and the text entry box.
// The editor asks for one by setting SubModeArg; RunEditorDialogs turns the request into a
// running dialog, which then moves one step a frame as the window reports its results.
#pragma once

#include <cstdint>

// The requests the editor puts into SubModeArg, and the running dialogs they become.
constexpr int32_t kEditorLoadRequest = 1001;
constexpr int32_t kEditorLoadRunning = 1002;
constexpr int32_t kEditorSaveRequest = 1003;
constexpr int32_t kEditorSaveRunning = 1004;
constexpr int32_t kEditorMenuRequest = 1005;
constexpr int32_t kEditorMenuRunning = 1006;

// 1 when no dialog runs (the editor may take its keys), else 0.
int RunEditorDialogs();
// One step each a frame.
void RunEditorLoadDialog();
void RunEditorSaveDialog();
void RunEditorMenu();
