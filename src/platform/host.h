// The platform seam: what the game needs from the machine it runs on.
//
// The game never talks to SDL, FreeType, fontconfig, iconv or FluidSynth itself. It calls these
// functions, and exactly one backend defines them: src/backend/sdl (a real window, keyboard,
// joystick and audio device) or src/backend/headless (tests and tools: no window, a scripted
// event queue, a recorded picture). Everything above this header runs the same on both.
#pragma once

#include <cstdint>

namespace host {

// ---- window --------------------------------------------------------------------------------

// A 32 x 32 (or 16 x 16) picture for the window icon: 0x00RRGGBB pixels, black is transparent.
struct IconImage {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// Creates the one game window with the given client size, hidden until OpenDisplay shows and
// raises it. `title` and `class_name` (the window class the desktop groups it by) are ASCII.
// False when no window can be made.
bool CreateWindow(const char* class_name, const char* title, int width, int height, IconImage large,
                  IconImage small);
void DestroyWindow();
// Makes the window ready to show pictures (once; it stays across display switches) and shows it
// the first time. False when it cannot.
bool OpenDisplay();
// Switches between the window and desktop full screen (the picture scaled to fit, aspect kept).
// The monitor's display mode is never changed. Returns 0, or -1 when the switch failed.
int SetFullscreen(bool fullscreen);
// Shows or hides the mouse cursor over the window.
void ShowCursor(bool show);
// Shows a modal message box with an OK button. Both texts are Shift-JIS. `error` selects the
// stop icon. The headless backend records it and never blocks.
void MessageBox(const char* text, const char* caption, bool error);

// ---- presentation --------------------------------------------------------------------------

// Shows one finished 640 x 480 picture (0x00RRGGBB) and then waits for the next 1/60 s deadline,
// so the game runs at 60 frames a second whatever the monitor does. A minimised window shows
// nothing but still waits. Returns 0, or -1 when this frame could not be shown (it is dropped).
int Present(const uint32_t* pixels, int width, int height);

// ---- events --------------------------------------------------------------------------------

enum class EventKind : uint8_t {
  KeyDown,    // vk: the Windows virtual-key code; repeat: an auto-repeat; alt: Alt is held
  KeyUp,      // vk
  FocusGained,
  FocusLost,
  Close,      // the user closed the window
  Exposed,    // the window must be painted again
  LeftClick,
};

struct Event {
  EventKind kind = EventKind::KeyDown;
  uint8_t vk = 0;
  bool repeat = false;
  bool alt = false;
};

// Takes the next waiting event; false when none waits.
bool PollEvent(Event& event);
// Sleeps until an event arrives or `timeout_ms` passes.
void WaitEvent(int timeout_ms);

// ---- joystick ------------------------------------------------------------------------------

// Joystick 0 as the game reads it: axes 0..65535 with the centre at 32767 (down and right are
// larger), the hat in hundredths of a degree clockwise from up (65535 when centred), and
// buttons 1..16 as bits 0..15.
struct JoystickState {
  uint32_t x = 32767, y = 32767, z = 32767, r = 32767;
  uint32_t pov = 65535;
  uint32_t buttons = 0;
};
// Reads joystick 0; false when none is plugged in. A joystick plugged in later is found.
bool ReadJoystick(JoystickState& state);

// ---- time ----------------------------------------------------------------------------------

// Milliseconds on a monotonic clock (the headless backend's clock is virtual).
uint64_t MonotonicMs();
// Seconds since the epoch on the wall clock (tests of the headless backend can set it).
int64_t WallClockSeconds();

}  // namespace host
