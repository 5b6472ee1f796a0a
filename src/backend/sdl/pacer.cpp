// The frame clock: the game counts time in frames at 60 a second, and the monitor's refresh
// cannot be trusted to give that, so presentation waits for the next 1/60 s deadline itself.
// Deadlines are counted from an anchor on the monotonic clock (frame n at anchor + n / 60 s, so
// they do not drift), and the thread sleeps to each one on that clock's absolute time: it wakes
// at the deadline however long the frame took, without spinning.
#include <time.h>

#include <cerrno>
#include <cstdint>

#include "backend/sdl/sdl_internal.h"

namespace sdl {

namespace {

constexpr int64_t kSecond = 1'000'000'000;
constexpr int64_t kFramesPerSecond = 60;

int64_t anchor = -1;  // nanoseconds on the monotonic clock; -1 before the first frame
int64_t frame = 0;    // the deadline waited for next is frame `frame` after the anchor

timespec FromNanoseconds(int64_t ns) { return timespec{static_cast<time_t>(ns / kSecond), static_cast<long>(ns % kSecond)}; }

int64_t Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * kSecond + t.tv_nsec;
}

int64_t Deadline(int64_t n) { return anchor + n * kSecond / kFramesPerSecond; }

void StartCountingAt(int64_t now) {
  anchor = now;
  frame = 1;
}

}  // namespace

void PaceFrame() {
  const int64_t now = Now();
  // First frame, or more than a period late: start counting again from now instead of racing
  // to catch up.
  if (anchor < 0 || now > Deadline(frame + 1)) {
    StartCountingAt(now);
    return;
  }
  const timespec deadline = FromNanoseconds(Deadline(frame));
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
  ++frame;
}

}  // namespace sdl
