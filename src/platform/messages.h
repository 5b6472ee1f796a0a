// The window's message queue: the backend's events become the messages the window procedure
// handles, one at a time, the way the game's main loop expects them.
#pragma once

#include <cstdint>

enum class Msg : uint32_t {
  KeyDown,      // wparam: virtual-key code; lparam: kKeyRepeatBit when the key was already down
  SysKeyDown,   // a key pressed with Alt held, Alt itself or F10
  Timer,        // wparam: timer id
  LButtonDown,
  Destroy,      // the window was closed
  EraseBkgnd,   // the window must be painted again
  ActivateApp,  // wparam: 1 activated, 0 deactivated
  Quit,         // posted by PostQuitMessage; ends the message loop
};

struct Message {
  Msg id = Msg::Quit;
  uint32_t wparam = 0;
  uint32_t lparam = 0;
};

// Set in a key message's lparam when the key was already down (an auto-repeat).
constexpr uint32_t kKeyRepeatBit = 1u << 30;

// True when a message waits; takes in the backend's events and the timer first.
bool PeekMessage();
// Takes the next message into `msg`; false when it is the quit message (or none waits).
bool GetMessage(Message& msg);
// Appends a message at the end of the queue.
void PostMessage(Msg id, uint32_t wparam = 0, uint32_t lparam = 0);
void PostQuitMessage(int exit_code);
// Sleeps until an event arrives, the timer is due or `timeout_ms` passes.
void WaitMessage(int timeout_ms);
// Drops every waiting message and the timer (a fresh start, for tests).
void ResetMessages();

// The one-second window timer: a Timer message each period, also while the window is inactive.
// Periods missed while nobody pumped give one message, not a burst.
void SetTimer(uint32_t id, uint32_t period_ms);
void KillTimer(uint32_t id);

// The keyboard as the game polls it: true while the key with this virtual-key code is down.
// Kept from the key events; losing the focus releases every key.
bool IsKeyDown(int vk);
