#include "app/winmain.h"

#include <cstdio>
#include <cstring>

#include "actors/hazards_and_input.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "platform/bitmap.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/repeaters.h"
#include "platform/resources.h"
#include "platform/utils.h"
#include "world/map_layers.h"
#include "world/save_block.h"

Window MainWindow = 0;

namespace {

constexpr uint32_t kSecondTimer = 1;
constexpr int kLargeIcon = 194;
constexpr int kSmallIcon = 195;
constexpr int kIdleWaitMs = 10;

// An icon resource as the window wants it; an icon that is missing gives the default icon.
struct Icon {
  uint32_t pixels[32 * 32] = {};
  host::IconImage image;
};

void LoadIcon(int id, int size, Icon& icon) {
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  BitmapInfo info;
  if (!res::Find(res::Kind::Icon, id, bytes, length) || !ParseBitmap(bytes, length, info)) return;
  if (info.width != size || info.height != size) return;
  for (int y = 0; y < size; ++y) ReadBitmapRow(info, y, icon.pixels + y * size, size);
  icon.image = host::IconImage{icon.pixels, size, size};
}

void CopyCommandLine(const char* command_line) {
  std::memset(CommandLine, 0, sizeof CommandLine);
  if (command_line != nullptr) std::strncpy(CommandLine, command_line, sizeof CommandLine - 1);
}

void SwitchWindowMode() {
  ReleaseDirectDraw();
  WindowMode *= -1;
  DisplayReinit = 1;
  PostQuitMessage(0);  // ends the inner loop only: the outer loop builds the display again
}

}  // namespace

int WinMain(int instance, int /*previous_instance*/, const char* command_line, int show_command) {
  if (!StartProcess(instance, command_line, show_command)) {
    host::MessageBox("ウィンドウを作成できませんでした。", "Tovia", true);
    return 1;
  }
  Message msg;
  // The status is that of the last quit message. A game ended from its menus leaves the loops
  // with some other message last (the key that chose "quit"), which is no failure.
  uint32_t exit_code = 0;
  while (Running) {
    host::ShowCursor(WindowMode == 1);
    StartDisplay(MainWindow);
    while (Running) {
      if (PeekMessage()) {
        if (!GetMessage(msg)) {
          exit_code = msg.wparam;
          break;
        }
        MainWndProc(MainWindow, msg.id, msg.wparam, msg.lparam);
      } else if (DisplayReady == 1 && AppActive != 0) {
        RunFrame(MainWindow);
        TickFrame();
      } else {
        // Nothing to do until a message comes: sleep instead of spinning.
        WaitMessage(kIdleWaitMs);
      }
    }
  }
  Shutdown(MainWindow);
  return static_cast<int>(exit_code);
}

bool StartProcess(int instance, const char* command_line, int show_command) {
  Running = 1;
  WindowSize.width = 640;
  WindowSize.height = 480;
  WindowMode = 1;  // the game always starts windowed
  DisplayReady = 0;
  DisplayReinit = 0;
  GameMode = 0;
  MessageResult = -1;
  SubMode = 0;
  SubModeArg = 0;

  if (!CreateMainWindow(instance, show_command)) return false;
  InitRepeaters();
  InitCounters();
  SetTimer(kSecondTimer, 1000);
  InitSystems(MainWindow);
  LastKey = 0;
  CopyCommandLine(command_line);
  return true;
}

bool CreateMainWindow(int /*instance*/, int /*show_command*/) {
  static Icon large, small;
  LoadIcon(kLargeIcon, 32, large);
  LoadIcon(kSmallIcon, 16, small);
  if (!host::CreateWindow("Qelmora Ver1.0", "Tovia", 640, 480, large.image, small.image)) return false;
  MainWindow = 1;
  return true;
}

int MainWndProc(Window window, Msg message, uint32_t wparam, uint32_t lparam) {
  switch (message) {
    case Msg::KeyDown:
      LastKey = wparam;
      // A held TAB repeats its key press: only the first one switches the display.
      if (wparam == vk::Tab && (lparam & kKeyRepeatBit) == 0) SwitchWindowMode();
      return 0;
    case Msg::SysKeyDown:
      return 0;  // swallowed, so Alt and F10 reach nothing
    case Msg::Timer:
      TickSecond();
      return 1;
    case Msg::LButtonDown:
      PlayerStats.OwnedChokers = 0xFFFF;  // a left click gives every choker
      return 0;
    case Msg::Destroy:
      Shutdown(window);
      return 0;
    case Msg::EraseBkgnd:
      if (DisplayReady == 1 && AppActive != 0) PresentAndClear(window, 0);
      return 0;
    case Msg::ActivateApp:
      AppActive = wparam & 0xFF;
      return 0;
    case Msg::Quit:
      return 0;
  }
  return 0;
}

int InitSystems(Window window) {
  InitJoysticks();
  LoadSoundEffects(window);
  Randomize();
  ClearButtonHistory();
  SetDefaultKeys();
  return 0;
}

int StartDisplay(Window window) {
  ClearHazards();
  Display.ScreenSize.width = WindowSize.width;
  Display.ScreenSize.height = WindowSize.height;
  Display.window_mode = WindowMode;
  Display.bits_per_pixel = 32;
  Display.surface_count = kSurfaceCount;
  Display.CellSize.width = kCellSize;
  Display.CellSize.height = kCellSize;
  Display.ColorKey = MakeColor(0, 0, 0);
  Display.surface_lost = 0;

  const int n = CreateDirectDraw(window);
  if (n != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%d:DIRECT DRAW CreateError\n", n);
    Shutdown(window);
    host::MessageBox(text, "Tovia", false);
    return 0;
  }
  DisplayReady = 1;
  SlotHeadersStale = -1;
  InputLock = 0;
  if (DisplayReinit == 1) {
    ReloadSheetBitmaps();
    for (int layer = 0; layer < kLayerCount; ++layer) RedrawLayer(layer);
    DisplayReinit = 0;
  }
  return 0;
}

void Shutdown(Window /*window*/) {
  FreeBgLayers();
  ReleaseDirectDraw();
  Running = 0;
  ReleaseAllSoundSlots();
  StopSongReset();
  KillTimer(kSecondTimer);
  PostQuitMessage(0);
}
