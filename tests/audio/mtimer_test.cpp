// The timer thread: one timer however often it is started, and nothing of it runs once Stop has
// returned.
#include "audio/mtimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

namespace {

class Recorder : public MTimer {
 public:
  void OnTimer() override {
    inside = true;
    {
      std::lock_guard<std::mutex> hold(lock);
      threads.insert(std::this_thread::get_id());
    }
    ++calls;
    if (slow) std::this_thread::sleep_for(std::chrono::milliseconds(3));
    inside = false;
  }
  std::set<std::thread::id> Threads() {
    std::lock_guard<std::mutex> hold(lock);
    return threads;
  }
  void Forget() {
    std::lock_guard<std::mutex> hold(lock);
    threads.clear();
  }

  std::atomic<int> calls{0};
  std::atomic<bool> inside{false};
  bool slow = false;

 private:
  std::mutex lock;
  std::set<std::thread::id> threads;
};

void WaitForCalls(Recorder& r, int n) {
  for (int i = 0; i < 2000 && r.calls < n; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(MTimerTest, StopOnAnIdleTimerDoesNothing) {
  Recorder r;
  EXPECT_EQ(r.timer_id, 0u);
  EXPECT_EQ(r.Stop(), 1);
  EXPECT_EQ(r.caps.min_period, 1u);
  EXPECT_EQ(r.calls, 0);
}

TEST(MTimerTest, StartingTwiceLeavesOneTimer) {
  Recorder r;
  const uint32_t first = r.Start(1);
  const uint32_t second = r.Start(1);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(r.timer_id, second);
  WaitForCalls(r, 5);
  r.Forget();
  const int before = r.calls;
  WaitForCalls(r, before + 20);
  EXPECT_EQ(r.Threads().size(), 1u);  // only one thread calls now
  EXPECT_NE(*r.Threads().begin(), std::this_thread::get_id());
  r.Stop();
}

TEST(MTimerTest, StopWaitsForTheCallInProgressAndEndsTheCalls) {
  Recorder r;
  r.slow = true;
  r.Start(1);
  WaitForCalls(r, 3);
  EXPECT_EQ(r.Stop(), 1);
  EXPECT_FALSE(r.inside);
  EXPECT_EQ(r.timer_id, 0u);
  const int calls = r.calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(r.calls, calls);
}

std::atomic<uintptr_t> seen_user{0};
std::atomic<uint32_t> seen_id{0};
void Callback(uint32_t id, uint32_t, uintptr_t user, uintptr_t, uintptr_t) {
  seen_id = id;
  seen_user = user;
}

TEST(MTimerTest, AGivenCallbackGetsItsUserValue) {
  Recorder r;
  const uint32_t id = r.Start(2, Callback, 77);
  for (int i = 0; i < 2000 && seen_user == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  r.Stop();
  EXPECT_EQ(seen_user, 77u);
  EXPECT_EQ(seen_id, id);
  EXPECT_EQ(r.calls, 0);  // OnTimer is only the default
  EXPECT_EQ(r.Start(0), 0u);  // a delay under the minimum is refused
  EXPECT_EQ(r.timer_id, 0u);
}

}  // namespace
