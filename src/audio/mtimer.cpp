// (Compiled with UTF-8 literals: it needs <chrono>.)
#include "audio/mtimer.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr TimerCaps kTimerCaps{1, 1000000};
// A thread that falls this far behind (a busy machine) starts counting again from now instead
// of calling in a burst to catch up.
constexpr auto kMaxLag = std::chrono::milliseconds(20);
// The longest sleep through idle calls.
constexpr uint32_t kMaxIdleCalls = 250;

std::atomic<uint32_t> next_timer_id{1};

}  // namespace

MTimer::MTimer() : timer_id(0), caps(kTimerCaps) {}

MTimer::~MTimer() { Stop(); }

uint32_t MTimer::Start(uint32_t delay_ms, TimerCallback callback, uintptr_t user) {
  Stop();
  if (delay_ms < caps.min_period || delay_ms > caps.max_period) return 0;
  if (callback == nullptr) {
    callback = TimeProc;
    user = reinterpret_cast<uintptr_t>(this);
  }
  uint32_t id = next_timer_id++;
  if (id == 0) id = next_timer_id++;
  stopping_ = false;
  thread_ = std::thread(&MTimer::Run, this, id, delay_ms, callback, user);
  timer_id = id;
  return id;
}

int MTimer::Stop() {
  if (timer_id == 0) return 1;
  {
    std::lock_guard<std::mutex> hold(sleep_lock_);
    stopping_ = true;
  }
  sleep_.notify_all();
  if (thread_.joinable()) thread_.join();
  timer_id = 0;
  return 1;
}

void MTimer::TimeProc(uint32_t /*timer_id*/, uint32_t /*message*/, uintptr_t user, uintptr_t, uintptr_t) {
  reinterpret_cast<MTimer*>(user)->OnTimer();
}

void MTimer::Wake() {
  { std::lock_guard<std::mutex> hold(sleep_lock_); }  // a sleeper between its test and its wait sees it
  sleep_.notify_all();
}

void MTimer::Run(uint32_t id, uint32_t delay_ms, TimerCallback callback, uintptr_t user) {
  using Clock = std::chrono::steady_clock;
  const auto period = std::chrono::milliseconds(delay_ms);
  const bool own_calls = callback == TimeProc && user == reinterpret_cast<uintptr_t>(this);
  auto next = Clock::now() + period;  // the time of the next call
  while (true) {
    const auto idle = own_calls ? std::min<uint32_t>(IdleCalls(), kMaxIdleCalls) : 0;
    const auto wake = next + period * idle;
    {
      std::unique_lock<std::mutex> hold(sleep_lock_);
      sleep_.wait_until(hold, wake, [&] { return stopping_.load(); });
    }
    if (stopping_) return;
    // Every call due by now, in order. A thread far behind its wake (a busy machine) makes the
    // calls up to that wake and starts counting again from now instead of calling in a burst.
    const auto now = Clock::now();
    const bool behind = now - wake > kMaxLag;
    const auto last = behind ? wake : now;
    while (next <= last) {
      callback(id, 0, user, 0, 0);
      next += period;
    }
    if (behind) next = now + period;
  }
}
