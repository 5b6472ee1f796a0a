#include "platform/counters.h"

FrameCounterTable FrameCounters = {};

namespace {

bool IsFrame(int i) { return i >= 0 && i < kFrameCounterCount; }
bool IsWord(int i) { return i >= 0 && i < kWordCounterCount; }
bool IsSecond(int i) { return i >= 0 && i < kSecondCounterCount; }

}  // namespace

void InitCounters() {
  FrameCounters = FrameCounterTable{};
  for (uint32_t& e : FrameCounters.frame_enabled) e = 1;
  for (uint32_t& e : FrameCounters.word_enabled) e = 1;
  for (uint32_t& e : FrameCounters.second_enabled) e = 1;
}

void TickFrame() {
  FrameCounterTable& c = FrameCounters;
  for (int i = 0; i < kFrameCounterCount; ++i) {
    if (c.frame_enabled[i] == 1) ++c.frame[i];
  }
  for (int i = 0; i < kWordCounterCount; ++i) {
    if (c.word_enabled[i] == 1) ++c.word[i];
  }
  ++c.frames_this_second;
}

void TickSecond() {
  FrameCounterTable& c = FrameCounters;
  c.frames_per_second = c.frames_this_second;
  c.frames_this_second = 0;
  c.second[0] = 0;  // so second counter 0 reads 1 after every tick
  for (int i = 0; i < kSecondCounterCount; ++i) {
    if (c.second_enabled[i] == 1) ++c.second[i];
  }
  ++c.seconds;
}

uint32_t GetFrameCounter(int i) { return IsFrame(i) ? FrameCounters.frame[i] : 0; }

int WaitFrames(int i, int n) {
  if (!IsFrame(i)) return 0;
  FrameCounterTable& c = FrameCounters;
  if (c.frame_wait[i] == 0) {
    c.frame_wait[i] = 1;
    c.frame[i] = 0;
    return 0;
  }
  if (static_cast<int>(c.frame[i]) != n - 1) return 0;
  c.frame_wait[i] = 0;
  return 1;
}

void CancelWait(int i) {
  if (IsFrame(i)) FrameCounters.frame_wait[i] = 0;
}

// ---- the rest of the set -------------------------------------------------------------------

uint32_t GetFps() { return FrameCounters.frames_per_second; }

void ResetSecondCounter(int i) {
  if (i != 0 && IsSecond(i)) FrameCounters.second[i] = 0;
}

void StopSecondCounter(int i) {
  if (i != 0 && IsSecond(i)) FrameCounters.second_enabled[i] = 0;
}

void StartSecondCounter(int i) {
  if (i != 0 && IsSecond(i)) FrameCounters.second_enabled[i] = 1;
}

uint32_t GetSecondCounter(int i) { return IsSecond(i) ? FrameCounters.second[i] : 0; }

void PauseCounters() {
  for (int i = 1; i < kFrameCounterCount; ++i) FrameCounters.frame_enabled[i] = 0;
  for (int i = 1; i < kWordCounterCount; ++i) FrameCounters.word_enabled[i] = 0;
}

void ResumeCounters() {
  for (int i = 1; i < kFrameCounterCount; ++i) FrameCounters.frame_enabled[i] = 1;
  for (int i = 1; i < kWordCounterCount; ++i) FrameCounters.word_enabled[i] = 1;
}

void StopFrameCounter(int i) {
  if (i != 0 && IsFrame(i)) FrameCounters.frame_enabled[i] = 0;
}

void StartFrameCounter(int i) {
  if (i != 0 && IsFrame(i)) FrameCounters.frame_enabled[i] = 1;
}

void StopWordCounter(int i) {
  if (i != 0 && IsWord(i)) FrameCounters.word_enabled[i] = 0;
}

void SetWordCounterOne(int i) {
  if (i != 0 && IsWord(i)) FrameCounters.word_enabled[i] = 1;
}

uint32_t GetWordCounter(int i) { return IsWord(i) ? FrameCounters.word[i] : 0; }

void ClearFrameCounters() {
  for (int i = 1; i < kFrameCounterCount; ++i) FrameCounters.frame[i] = 0;
}

void ClearFrameCounter(int i) {
  if (i != 0 && IsFrame(i)) FrameCounters.frame[i] = 0;
}
