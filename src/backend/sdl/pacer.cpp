// The frame clock: the game counts time in frames at 60 a second, and the monitor's refresh
// cannot be trusted to give that, so presentation waits for the next 1/60 s deadline itself.
// (Compiled with UTF-8 literals: it needs <chrono>.)
#include <chrono>
#include <thread>

#include "backend/sdl/sdl_internal.h"

namespace sdl {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kPeriod = std::chrono::nanoseconds(1'000'000'000 / 60);
constexpr auto kSpinMargin = std::chrono::microseconds(500);
Clock::time_point deadline{};
}  // namespace

void PaceFrame() {
  const auto now = Clock::now();
  if (deadline == Clock::time_point{} || now > deadline + kPeriod) {
    // First frame, or more than a period late: start counting again from now instead of
    // racing to catch up.
    deadline = now + kPeriod;
    return;
  }
  // Sleep to just before the deadline, then spin the rest: sleeps overshoot by a little.
  if (deadline - now > kSpinMargin) std::this_thread::sleep_until(deadline - kSpinMargin);
  while (Clock::now() < deadline) {
  }
  deadline += kPeriod;
}

}  // namespace sdl
