// The frame counters, the waits, the one-second tick, and how the message loop drives them.
#include "platform/counters.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/winmain.h"
#include "backend/headless/headless.h"
#include "support/game_reset.h"

namespace {

class CountersTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    InitCounters();
  }
  void TearDown() override { ResetGameState(); }
};

TEST_F(CountersTest, FrameCounterWrapsFrom255To0) {
  for (int i = 0; i < 255; ++i) TickFrame();
  EXPECT_EQ(GetFrameCounter(0), 255u);
  EXPECT_EQ(GetWordCounter(0), 255u);
  TickFrame();
  EXPECT_EQ(GetFrameCounter(0), 0u);
  EXPECT_EQ(GetWordCounter(0), 256u);  // the word counters are 16-bit
  EXPECT_EQ(GetFrameCounter(8), 0u);   // no such counter
  EXPECT_EQ(GetFrameCounter(-1), 0u);
}

TEST_F(CountersTest, WaitOfTwoFramesFiresEverySecondFrame) {
  std::vector<int> results;
  for (int frame = 0; frame < 8; ++frame) {
    results.push_back(WaitFrames(1, 2));
    TickFrame();
  }
  EXPECT_EQ(results, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));
}

TEST_F(CountersTest, WaitOf180FramesFiresOnThe180thCall) {
  for (int i = 0; i < 5; ++i) TickFrame();  // whatever the counter read before, the wait starts at 0
  for (int call = 1; call <= 181; ++call) {
    EXPECT_EQ(WaitFrames(1, 180), call == 180 ? 1 : 0) << "call " << call;
    if (call < 180) {
      EXPECT_EQ(GetFrameCounter(1), static_cast<uint32_t>(call - 1));
    }
    TickFrame();
  }
}

TEST_F(CountersTest, CancelledWaitStartsAfresh) {
  EXPECT_EQ(WaitFrames(1, 3), 0);
  TickFrame();
  EXPECT_EQ(WaitFrames(1, 3), 0);
  TickFrame();
  CancelWait(1);
  EXPECT_EQ(WaitFrames(1, 3), 0);  // re-armed instead of firing on counter 2
  EXPECT_EQ(GetFrameCounter(1), 0u);
  TickFrame();
  EXPECT_EQ(WaitFrames(1, 3), 0);
  TickFrame();
  EXPECT_EQ(WaitFrames(1, 3), 1);
}

TEST_F(CountersTest, SecondTickCountsSecondsAndTheFrameRate) {
  for (int i = 0; i < 57; ++i) TickFrame();
  TickSecond();
  EXPECT_EQ(GetFps(), 57u);
  EXPECT_EQ(FrameCounters.frames_this_second, 0u);
  for (int i = 0; i < 3; ++i) TickSecond();
  EXPECT_EQ(GetFps(), 0u);
  EXPECT_EQ(FrameCounters.seconds, 4u);
  EXPECT_EQ(GetSecondCounter(0), 1u);  // set back before every tick
  EXPECT_EQ(GetSecondCounter(1), 4u);
  StopSecondCounter(1);
  TickSecond();
  EXPECT_EQ(GetSecondCounter(1), 4u);
  ResetSecondCounter(1);
  StartSecondCounter(1);
  TickSecond();
  EXPECT_EQ(GetSecondCounter(1), 1u);
}

TEST_F(CountersTest, PauseAndTheSettersLeaveCounterZeroAlone) {
  PauseCounters();
  StopFrameCounter(0);
  ClearFrameCounter(0);
  TickFrame();
  ClearFrameCounters();
  EXPECT_EQ(GetFrameCounter(0), 1u);
  EXPECT_EQ(GetWordCounter(0), 1u);
  EXPECT_EQ(GetWordCounter(3), 0u);
  ResumeCounters();
  StopWordCounter(2);
  TickFrame();
  EXPECT_EQ(GetFrameCounter(7), 1u);
  EXPECT_EQ(GetWordCounter(3), 1u);
  EXPECT_EQ(GetWordCounter(2), 0u);
  SetWordCounterOne(2);
  TickFrame();
  EXPECT_EQ(GetWordCounter(2), 1u);
}

TEST_F(CountersTest, TheLoopTicksAfterEveryFrameAndEverySecond) {
  headless::ScheduleEventAtFrame(headless::Simple(host::EventKind::Close), 150);
  WinMain(0, 0, "", 1);
  EXPECT_EQ(GetFrameCounter(0), 150u);
  EXPECT_EQ(GetWordCounter(0), 150u);
  EXPECT_EQ(FrameCounters.seconds, 2u);  // 150 frames of 1/60 s
  EXPECT_NEAR(GetFps(), 60u, 1u);
}

}  // namespace
