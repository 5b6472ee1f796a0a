// The frame counters: every duration in the game is counted in frames.
//
// Frame counter 0 is the shared free-running phase (blinking, pulsing, animation); counter 1 is
// the waiting service of `WaitFrames`. The counters advance after every frame, so everything
// inside one frame sees the same values; the one-second timer counts seconds and the frame rate.
#pragma once

#include <cstdint>

constexpr int kFrameCounterCount = 8;
constexpr int kWordCounterCount = 4;
constexpr int kSecondCounterCount = 2;

struct FrameCounterTable {
  uint8_t frame[kFrameCounterCount];  // wrap from 255 to 0
  uint32_t frame_enabled[kFrameCounterCount];
  uint32_t frame_wait[kFrameCounterCount];  // 1 while a WaitFrames wait is armed
  uint16_t word[kWordCounterCount];
  uint32_t word_enabled[kWordCounterCount];
  uint16_t second[kSecondCounterCount];
  uint32_t second_enabled[kSecondCounterCount];
  uint32_t frames_this_second;
  uint32_t frames_per_second;  // of the last full second
  uint32_t seconds;            // since start
};
extern FrameCounterTable FrameCounters;

// Every counter 0 and counting, every wait disarmed.
void InitCounters();
// After every frame.
void TickFrame();
// On every one-second timer message.
void TickSecond();
uint32_t GetFrameCounter(int i);
// The first call arms the wait and sets counter i to 0 (result 0); while armed the call at which
// counter i reads n - 1 returns 1 and disarms. Called once per frame it returns 1 every n frames.
int WaitFrames(int i, int n);
// Disarms the wait of counter i, so the next WaitFrames starts afresh.
void CancelWait(int i);

// The rest of the set. The single-counter setters refuse counter 0, the shared phase.
uint32_t GetFps();
void ResetSecondCounter(int i);
void StopSecondCounter(int i);
void StartSecondCounter(int i);
uint32_t GetSecondCounter(int i);
// Stop and restart frame counters 1..7 and word counters 1..3.
void PauseCounters();
void ResumeCounters();
void StopFrameCounter(int i);
void StartFrameCounter(int i);
void StopWordCounter(int i);
void SetWordCounterOne(int i);  // counts again
uint32_t GetWordCounter(int i);
// Frame counters 1..7 := 0.
void ClearFrameCounters();
void ClearFrameCounter(int i);
