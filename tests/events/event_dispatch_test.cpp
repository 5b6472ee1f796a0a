// The dispatchers and the tables of handlers: every number and every group that can be raised
// reaches a handler, a number without a script ends on its first frame, a scripted entry runs
// its own routine or its runner with its row, and the guide handler's answer decides whether the
// world runs.
#include <gtest/gtest.h>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "events/event_dispatch.h"
#include "events/event_raise.h"
#include "events/event_tables.h"
#include "support/event_handlers.h"
#include "support/game_reset.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

struct EventDispatchTest : ::testing::Test {
  void SetUp() override { ResetGameState(); }
};

// The heroine held in the middle of something, as a raised event finds her.
void HoldEverything() {
  HeroControl = 1;
  InputLock = 0;
  EventStep[2] = 4;
  EventStep[128] = 4;
  for (int n = 160; n <= 164; ++n) EventStep[n] = 4;
  EventSubCounter = 17;
}

bool GuideNumber(int n) { return n == 128 || (n >= 513 && n <= 799); }
bool FieldNumber(int n) { return (n >= 160 && n <= 164) || (n >= 256 && n <= 511) || (n >= 1000 && n <= 1199); }
bool Scripted(int n) {
  return GuideNumber(n) ? GuideHandlerOf(n) != GuideRoutine(GuideEventWithoutScript)
                        : FieldHandlerOf(n) != FieldRoutine(FieldEventWithoutScript);
}

TEST_F(EventDispatchTest, EveryNumberTheCheckCanRaiseEndsOnItsFirstFrameUntilItIsScripted) {
  for (int n = 0; n < kEventNumbers; ++n) {
    if ((!GuideNumber(n) && !FieldNumber(n)) || Scripted(n)) continue;
    const int32_t mode = GuideNumber(n) ? kSubGuideEvent : kSubFieldEvent;
    HoldEverything();
    RaiseEvent(mode, n);
    EventStep[n == 128 || (n >= 160 && n <= 164) ? n : 2] = 4;  // a step the script would be on
    EXPECT_EQ(DispatchSubMode(), 1u) << n;
    EXPECT_EQ(SubMode, kSubWorld) << n;
    EXPECT_EQ(SubModeArg, 0) << n;
    EXPECT_EQ(HeroControl, 0) << n;
    EXPECT_EQ(InputLock, 1) << n;
    EXPECT_EQ(EventSubCounter, 0) << n;
    EXPECT_EQ(StepCounterOf(n), 0) << n;
    // A guide talk shown once per game is marked seen, so she is not stopped on it again;
    // 700..799 have no seen flag.
    if (mode == kSubGuideEvent && n >= 513) {
      EXPECT_EQ(GetFlag(0, n - 513), n <= 699 ? 1u : 0u) << n;
    }
  }
}

TEST_F(EventDispatchTest, ANumberNoHandlerCoversStillEnds) {
  for (int32_t mode : {kSubGuideEvent, kSubFieldEvent}) {
    for (int32_t n : {0, 1, 129, 531, 1200, 4000, -3}) {
      HoldEverything();
      SubMode = mode;
      SubModeArg = n;
      EXPECT_EQ(DispatchSubMode(), 1u) << mode << " " << n;
      EXPECT_EQ(SubMode, kSubWorld) << mode << " " << n;
      EXPECT_EQ(HeroControl, 0) << mode << " " << n;
      EXPECT_EQ(InputLock, 1) << mode << " " << n;
    }
  }
}

TEST_F(EventDispatchTest, ATalkWithoutAConversationEndsAndReleasesSlotZeroOfTheGroupKeepingItsProgress) {
  for (int group = 7; group < kTalkGroups; ++group) {  // 2..6 have their conversations
    HoldEverything();
    Actor(group, 0).Control() = 1;
    Actor(group, 1).Control() = 1;
    EventStep[group] = 3;
    RaiseEvent(kSubTalk, group);
    EXPECT_EQ(DispatchSubMode(), 1u) << group;
    EXPECT_EQ(SubMode, kSubWorld) << group;
    EXPECT_EQ(SubModeArg, 0) << group;
    EXPECT_EQ(HeroControl, 0) << group;
    EXPECT_EQ(InputLock, 1) << group;
    EXPECT_EQ(Actor(group, 0).Control(), 0) << group;
    EXPECT_EQ(Actor(group, 1).Control(), 1) << group;  // only the slot a talk speaks through
    EXPECT_EQ(EventStep[group], 3) << group;
  }
  SubMode = kSubTalk;
  SubModeArg = 4000;  // no such group: it ends all the same
  DispatchSubMode();
  EXPECT_EQ(SubMode, kSubWorld);
}

// ---- scripted entries ----------------------------------------------------------------------------

int calls = 0;
int last_row = 0;

struct TestRow {
  int value;
};
constexpr TestRow kRows[] = {{11}, {22}};

void RunTestRow(const TestRow& row) {
  ++calls;
  last_row = row.value;
}
uint32_t RunFrozenTestRow(const TestRow& row) {
  RunTestRow(row);
  return 0;
}

TEST_F(EventDispatchTest, AScriptedEntryRunsItsRoutineOrItsRunnerWithItsOwnRowEveryFrameUntilItEnds) {
  ScopedFieldHandler door_a(300, FieldRunner<RunTestRow>(kRows[0]));
  ScopedFieldHandler door_b(301, FieldRunner<RunTestRow>(kRows[1]));
  ScopedGuideHandler frozen(600, GuideRunner<RunFrozenTestRow>(kRows[1]));
  ScopedTalk talk(7, [] { ++calls; });

  RaiseEvent(kSubFieldEvent, 301);
  EXPECT_EQ(DispatchSubMode(), 1u);
  EXPECT_EQ(DispatchSubMode(), 1u);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(last_row, 22);
  EXPECT_EQ(SubModeArg, 301);  // a script ends when it says so
  EXPECT_EQ(DispatchFieldEvent(), 0u);

  SubMode = kSubWorld;
  RaiseEvent(kSubFieldEvent, 300);
  DispatchSubMode();
  EXPECT_EQ(last_row, 11);

  SubMode = kSubWorld;
  RaiseEvent(kSubGuideEvent, 600);
  EXPECT_EQ(DispatchSubMode(), 0u);  // the guide handler holds the world
  EXPECT_EQ(SubModeArg, 600);
  EXPECT_EQ(GetFlag(0, 600 - 513), 0u);

  SubMode = kSubWorld;
  RaiseEvent(kSubTalk, 7);
  calls = 0;
  EXPECT_EQ(DispatchSubMode(), 1u);
  EXPECT_EQ(DispatchTalk(), 0u);  // a conversation was called
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(SubMode, kSubTalk);
}

TEST_F(EventDispatchTest, ATestHandlerLeavesItsEntryAsItWasAndNumbersOutsideTheTableTakeNothing) {
  const FieldHandler before = FieldHandlerOf(1000);
  {
    ScopedFieldHandler mine(1000, FieldRoutine([] { ++calls; }));
    EXPECT_FALSE(FieldHandlerOf(1000) == before);
  }
  EXPECT_TRUE(FieldHandlerOf(1000) == before);
  EXPECT_TRUE(FieldHandlerOf(1000) == FieldRoutine(FieldEventWithoutScript));
  SetGuideHandler(1200, GuideRoutine([]() -> uint32_t { return 0; }));
  EXPECT_TRUE(GuideHandlerOf(1200) == GuideRoutine(GuideEventWithoutScript));
  SetTalkRoutine(-1, [] {});
  EXPECT_EQ(TalkRoutineOf(-1), TalkWithoutConversation);
}

TEST_F(EventDispatchTest, TheStartSequenceLetsTheWorldRunInTheStagesNotBuilt) {
  for (int32_t stage : {0, 2, 3, -1}) {
    SubMode = kSubStartSequence;
    SubModeArg = stage;
    EXPECT_EQ(DispatchSubMode(), 1u) << stage;
    EXPECT_EQ(SubMode, kSubStartSequence) << stage;
    EXPECT_EQ(SubModeArg, stage) << stage;
  }
}

}  // namespace
