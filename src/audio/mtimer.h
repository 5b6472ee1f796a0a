// A periodic timer whose one virtual operation, OnTimer, is called every `delay` milliseconds on
// a thread of the timer's own. A derived class overrides OnTimer; the music player runs its
// sequencer from it. Stopping joins the thread: once Stop returns, no call is running or to come.
// A derived class that knows its next calls will only count time says how many (IdleCalls): the
// thread then sleeps through them and makes them when it wakes, in a row, just before the call
// that has work, which runs at its own millisecond as before. Waking a thread a thousand times a
// second costs far more than the calls.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// A timer's callback: the timer's identifier, a message (0), the user value, two reserved (0).
using TimerCallback = void (*)(uint32_t timer_id, uint32_t message, uintptr_t user, uintptr_t reserved1,
                               uintptr_t reserved2);

struct TimerCaps {
  uint32_t min_period;  // milliseconds
  uint32_t max_period;
};

class MTimer {
 public:
  MTimer();
  ~MTimer();
  MTimer(const MTimer&) = delete;
  MTimer& operator=(const MTimer&) = delete;

  virtual void OnTimer() {}
  // How many of the next OnTimer calls are known to do nothing but count time; asked on the
  // timer's thread after each call. Wake cuts such a sleep short when that changes.
  virtual uint32_t IdleCalls() { return 0; }
  void Wake();

  // Stops any running timer, then calls `callback` (or, without one, this timer's OnTimer)
  // every `delay_ms` milliseconds. Returns the new timer's identifier; 0 when the delay is
  // outside the capabilities.
  uint32_t Start(uint32_t delay_ms, TimerCallback callback = nullptr, uintptr_t user = 0);
  // Ends the running timer and waits for its thread. Always 1. Never called from the timer's
  // own thread.
  int Stop();
  // The default callback: `user` is the MTimer whose OnTimer is called.
  static void TimeProc(uint32_t timer_id, uint32_t message, uintptr_t user, uintptr_t reserved1,
                       uintptr_t reserved2);

  uint32_t timer_id;  // 0: no timer running
  TimerCaps caps;

 private:
  void Run(uint32_t id, uint32_t delay_ms, TimerCallback callback, uintptr_t user);

  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::mutex sleep_lock_;
  std::condition_variable sleep_;
};
