// The game halted, the way the debug menu and the map editor are reached in tests: after the new
// game's first frame GameMode is set to 254 with nothing over the world, before the start
// sequence enters a scene, and the fade-in runs to its end. The Data folder holds the maps the
// build made.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/frame_harness.h"

struct HaltedGame : FrameHarness {
  HaltedGame();

  // The debug menu opened with the menu button, then line `line` chosen.
  void ChooseDebugLine(int line);
  // The debug menu's editor line, and the editor's first frame.
  void OpenEditor();
  // The key held for `frames` frames, then every key released (one frame more).
  void HoldFor(uint8_t vk, int frames);
  // A key down for one frame as the keyboard's auto-repeat sends it while the key stays down.
  void RepeatKey(uint8_t vk);
  // Line `line` of the open message window, by the down key and jump.
  void Choose(int line);
  // Types the keys into the open text entry box, then Enter.
  void TypeAndEnter(const std::string& keys);
  // The editor's load (F1) or save (F2) of the name typed over the start of the name field,
  // confirmed in the question that follows.
  void LoadAs(const std::string& keys);
  void SaveAs(const std::string& keys);
  // Line `line` of the editor's menu (Esc).
  void EditorMenu(int line);

  // The tile under the editor's cursor on a plane, and the one `cols` and `rows` tiles from it.
  uint32_t CursorTile(int plane, int cols = 0, int rows = 0) const;
  void SetCursorTile(int plane, uint32_t value, int cols = 0, int rows = 0);
  // The path of a file in the Data folder.
  std::string DataFile(const std::string& name) const;
};

// The whole tile store, all five layers.
std::vector<uint32_t> TileStore();
// The commands of one type on a queue layer, from the frame drawn last.
std::vector<DrawCommand> DrawsOfType(const FrameHarness& game, int layer, uint32_t type);
// The texts a queue layer held in the frame drawn last, in push order.
std::vector<std::string> Texts(const FrameHarness& game, int layer);
