#include "support/frame_harness.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/game_flow.h"
#include "app/winmain.h"
#include "backend/headless/headless.h"
#include "platform/counters.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/utils.h"
#include "support/game_reset.h"
#include "support/png.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {
constexpr int64_t kFixedClock = 1'765'000'000;  // the wall clock the game sees: Randomize seeds with it
}

std::string FreshProcessFolder(const std::string& prefix) {
  static int count = 0;
  const fs::path folder =
      fs::temp_directory_path() / (prefix + "_" + std::to_string(::getpid()) + "_" + std::to_string(count++));
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  return folder.string();
}

FrameHarness::FrameHarness(HarnessData data, uint32_t seed, const std::string& folder, bool sound)
    : folder_(folder) {
  ResetGameState();
  headless::FailAudioDevice(!sound);
  if (folder_.empty()) {
    folder_ = FreshProcessFolder("tovia_harness");
    const fs::path data_folder = fs::path(folder_) / "Data";
    fs::create_directories(data_folder);
    own_folder_ = true;
    if (data == HarnessData::BuiltMaps) {
      for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TOVIA_BINARY_DIR) / "Data")) {
        if (e.path().extension() == ".MDT") fs::copy_file(e.path(), data_folder / e.path().filename());
      }
    }
  }
  SetFileBase(folder_);
  headless::SetWallClock(kFixedClock);
  StartProcess(0, "", 1);
  SeedRandom(seed);
  host::ShowCursor(WindowMode == 1);
  StartDisplay(MainWindow);
}

FrameHarness::~FrameHarness() {
  ResetGameState();
  SetFileBase("");
  if (own_folder_) {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
}

void FrameHarness::PumpMessages() {
  Message msg;
  while (Running && PeekMessage()) {
    if (GetMessage(msg)) {
      MainWndProc(MainWindow, msg.id, msg.wparam, msg.lparam);
    } else if (Running) {
      // The quit message of a display switch: the outer loop builds the display again.
      host::ShowCursor(WindowMode == 1);
      StartDisplay(MainWindow);
    }
  }
}

void FrameHarness::Run(int frames) {
  for (int i = 0; i < frames && Running; ++i) {
    PumpMessages();
    if (!Running || DisplayReady != 1 || AppActive == 0) continue;
    RunFrame(MainWindow);
    TickFrame();
    ++frames_;
  }
}

void FrameHarness::RunScript(const std::vector<std::vector<uint8_t>>& keys_per_frame) {
  for (const std::vector<uint8_t>& keys : keys_per_frame) {
    for (uint8_t vk : std::vector<uint8_t>(held_)) {
      if (std::find(keys.begin(), keys.end(), vk) == keys.end()) Release(vk);
    }
    for (uint8_t vk : keys) Hold(vk);
    Run(1);
  }
}

void FrameHarness::Hold(uint8_t vk) {
  if (std::find(held_.begin(), held_.end(), vk) != held_.end()) return;
  held_.push_back(vk);
  headless::ScheduleEvent(headless::KeyDown(vk));
}

void FrameHarness::Release(uint8_t vk) {
  const auto it = std::find(held_.begin(), held_.end(), vk);
  if (it == held_.end()) return;
  held_.erase(it);
  headless::ScheduleEvent(headless::KeyUp(vk));
}

void FrameHarness::ReleaseAll() {
  for (uint8_t vk : std::vector<uint8_t>(held_)) Release(vk);
}

void FrameHarness::Tap(uint8_t vk) {
  Hold(vk);
  Run(1);
  Release(vk);
  Run(1);
}

uint8_t FrameHarness::KeyOf(int entry) const {
  for (const KeyBinding& k : KeyBindings) {
    if (k.bit == 0) break;
    if (k.bit == ButtonBits[entry]) return static_cast<uint8_t>(k.vk);
  }
  return 0;
}

void FrameHarness::HoldButton(int entry) { Hold(KeyOf(entry)); }
void FrameHarness::ReleaseButton(int entry) { Release(KeyOf(entry)); }
void FrameHarness::PressButton(int entry) { Tap(KeyOf(entry)); }

bool FrameHarness::SavePicture(const std::string& path) const {
  const Surface& back = Surfaces[kBackBuffer];
  return back.Exists() && WritePng(path, back.pixels, back.width, back.height);
}

std::vector<DrawCommand> FrameHarness::Draws(int layer) const {
  if (layer < 0 || layer >= kQueueLayers) return {};
  const DrawCommand* first = DrawQueue.commands[layer];
  return std::vector<DrawCommand>(first, first + DrawQueue.drawn[layer]);
}

std::vector<PlayedSound> FrameHarness::Sounds() const { return PlayedSounds(); }
