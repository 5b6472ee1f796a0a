#include "editor/halted_game.h"

#include "app/game_flow.h"
#include "backend/headless/headless.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "world/map_layers.h"

namespace {

uint8_t KeyFor(char c) {
  if (c == '.') return vk::OemPeriod;
  if (c == ' ') return vk::Space;
  return static_cast<uint8_t>(c);
}

}  // namespace

HaltedGame::HaltedGame() : FrameHarness(HarnessData::BuiltMaps) {
  Run(1);  // the new game, halted before the start sequence enters a scene
  GameMode = kGameHalted;
  SubMode = kSubWorld;
  SubModeArg = 0;
  Run(130);  // its fade-in
}

void HaltedGame::ChooseDebugLine(int line) {
  PressButton(kButtonMenu);
  Choose(line);
}

void HaltedGame::OpenEditor() {
  ChooseDebugLine(1);
  Run(1);
}

void HaltedGame::HoldFor(uint8_t vk, int frames) {
  Hold(vk);
  Run(frames);
  ReleaseAll();
  Run(1);
}

void HaltedGame::RepeatKey(uint8_t vk) {
  headless::ScheduleEvent(headless::KeyDown(vk, true));
  Run(1);
}

void HaltedGame::Choose(int line) {
  for (int i = 0; i < line; ++i) Tap(vk::Down);
  Tap('Z');
}

void HaltedGame::TypeAndEnter(const std::string& keys) {
  for (char c : keys) Tap(KeyFor(c));
  Tap(vk::Return);
}

void HaltedGame::LoadAs(const std::string& keys) {
  Tap(vk::F1);
  Run(1);
  TypeAndEnter(keys);
  Choose(1);
}

void HaltedGame::SaveAs(const std::string& keys) {
  Tap(vk::F2);
  Run(1);
  TypeAndEnter(keys);
  Choose(1);
}

void HaltedGame::EditorMenu(int line) {
  Tap(vk::Escape);
  Run(1);
  Choose(line);
}

uint32_t HaltedGame::CursorTile(int plane, int cols, int rows) const {
  return GetTile(GetLayerOriginX(plane) + 320 + 16 * cols, GetLayerOriginY(plane) + 240 + 16 * rows, plane);
}

void HaltedGame::SetCursorTile(int plane, uint32_t value, int cols, int rows) {
  SetTile(GetLayerOriginX(plane) + 320 + 16 * cols, GetLayerOriginY(plane) + 240 + 16 * rows, plane, value);
}

std::string HaltedGame::DataFile(const std::string& name) const { return folder() + "/Data/" + name; }

std::vector<uint32_t> TileStore() {
  return std::vector<uint32_t>(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount);
}

std::vector<DrawCommand> DrawsOfType(const FrameHarness& game, int layer, uint32_t type) {
  std::vector<DrawCommand> out;
  for (const DrawCommand& c : game.Draws(layer)) {
    if (c.type == type) out.push_back(c);
  }
  return out;
}

std::vector<std::string> Texts(const FrameHarness& game, int layer) {
  std::vector<std::string> out;
  for (const DrawCommand& c : DrawsOfType(game, layer, kDrawText)) out.emplace_back(c.text);
  return out;
}
