// Raising events: every event starts at its first step, a talk goes on where it stopped, and a
// raiser other than the event check never cuts short what stands.
#include <gtest/gtest.h>

#include "app/game_flow.h"
#include "events/event_raise.h"
#include "support/game_reset.h"
#include "world/save_block.h"

namespace {

struct EventRaiseTest : ::testing::Test {
  void SetUp() override { ResetGameState(); }
};

TEST_F(EventRaiseTest, AnEventStartsAtItsFirstStepOnItsOwnCounter) {
  EventStep[2] = 7;
  EventStep[162] = 5;
  EventSubCounter = 40;
  RaiseEvent(kSubFieldEvent, 162);
  EXPECT_EQ(SubMode, kSubFieldEvent);
  EXPECT_EQ(SubModeArg, 162);
  EXPECT_EQ(EventStep[162], 0);
  EXPECT_EQ(EventStep[2], 7);  // 162 runs on its own counter
  EXPECT_EQ(EventSubCounter, 0);

  SubMode = kSubWorld;
  EventStep[2] = 9;
  EventStep[128] = 3;
  RaiseEvent(kSubGuideEvent, 513);
  EXPECT_EQ(EventStep[2], 0);  // guide and field events from 256 up share counter 2
  EXPECT_EQ(EventStep[128], 3);
}

TEST_F(EventRaiseTest, ATalkGoesOnWhereItStopped) {
  EventStep[3] = 4;
  EventSubCounter = 12;
  RaiseEvent(kSubTalk, 3);
  EXPECT_EQ(SubMode, kSubTalk);
  EXPECT_EQ(SubModeArg, 3);
  EXPECT_EQ(EventStep[3], 4);
  EXPECT_EQ(EventSubCounter, 0);
}

TEST_F(EventRaiseTest, RaisingTheEventThatStandsChangesNothing) {
  RaiseEvent(kSubGuideEvent, 701);
  EventStep[2] = 6;
  EventSubCounter = 30;
  RaiseEvent(kSubGuideEvent, 701);
  EXPECT_EQ(RaiseEventIfIdle(kSubGuideEvent, 701), 1);
  EXPECT_EQ(EventStep[2], 6);
  EXPECT_EQ(EventSubCounter, 30);
}

TEST_F(EventRaiseTest, OtherRaisersWaitUntilTheWorldRunsFree) {
  SubMode = kSubPauseMenu;
  EXPECT_EQ(RaiseEventIfIdle(kSubGuideEvent, 701), 0);
  EXPECT_EQ(SubMode, kSubPauseMenu);
  SubMode = kSubFieldEvent;
  SubModeArg = 256;
  EventStep[2] = 2;
  EXPECT_EQ(RaiseEventIfIdle(kSubGuideEvent, 701), 0);
  EXPECT_EQ(SubModeArg, 256);
  EXPECT_EQ(EventStep[2], 2);
  SubMode = kSubWorld;
  EXPECT_EQ(RaiseEventIfIdle(kSubGuideEvent, 701), 1);
  EXPECT_EQ(SubMode, kSubGuideEvent);
  EXPECT_EQ(SubModeArg, 701);
  EXPECT_EQ(EventStep[2], 0);
}

}  // namespace
