// (Compiled with UTF-8 literals: it needs <chrono>.)
#include "audio/mtimer.h"

#include <chrono>

namespace {

constexpr TimerCaps kTimerCaps{1, 1000000};
// A thread that falls this far behind (a busy machine) starts counting again from now instead
// of calling in a burst to catch up.
constexpr auto kMaxLag = std::chrono::milliseconds(20);

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
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  timer_id = 0;
  return 1;
}

void MTimer::TimeProc(uint32_t /*timer_id*/, uint32_t /*message*/, uintptr_t user, uintptr_t, uintptr_t) {
  reinterpret_cast<MTimer*>(user)->OnTimer();
}

void MTimer::Run(uint32_t id, uint32_t delay_ms, TimerCallback callback, uintptr_t user) {
  using Clock = std::chrono::steady_clock;
  const auto period = std::chrono::milliseconds(delay_ms);
  auto next = Clock::now();
  while (true) {
    next += period;
    std::this_thread::sleep_until(next);
    if (stopping_) return;
    callback(id, 0, user, 0, 0);
    const auto now = Clock::now();
    if (now - next > kMaxLag) next = now;
  }
}
