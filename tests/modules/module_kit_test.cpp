// The module kit: the three forms of Advance at the ends of their sequences, lookups that never
// leave their tables, and the conversation step machine.
#include "modules/module_kit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "support/game_reset.h"
#include "support/test_walker.h"
#include "world/draw_queue.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

// Sequences at entry 0 (two entries), 10 (three) and 20 (one), one tick an entry.
int OneTick(int cursor) {
  static constexpr auto MoviePtn = MovieTable<30>({{0, {5, 6}}, {10, {0, 1, 2}}, {20, {7}}});
  return PatternAt(MoviePtn, cursor, 1);
}

// The same sequences at two ticks an entry.
int TwoTicks(int cursor) {
  static constexpr auto MoviePtn = MovieTable<30>({{0, {5, 6}}, {10, {0, 1, 2}}, {20, {7}}});
  return PatternAt(MoviePtn, cursor, 2);
}

template <typename Step>
std::vector<int32_t> Trace(int32_t cursor, int calls, Step step) {
  std::vector<int32_t> seen;
  for (int i = 0; i < calls; ++i) {
    step(cursor);
    seen.push_back(cursor);
  }
  return seen;
}

TEST(AdvanceTest, TheLoopingFormPlaysASequenceAndStartsItAgain) {
  const auto loop = [](int32_t& c) { AdvanceLooping(OneTick, c); };
  EXPECT_EQ(Trace(10, 5, loop), (std::vector<int32_t>{11, 12, 10, 11, 12}));
  EXPECT_EQ(Trace(20, 3, loop), (std::vector<int32_t>{20, 20, 20}));  // one entry loops on itself
  // A sequence at entry 0 goes back to 0: the scan stops where the table begins.
  EXPECT_EQ(Trace(0, 4, loop), (std::vector<int32_t>{1, 0, 1, 0}));
  // Two ticks an entry: back to the sequence's first tick.
  EXPECT_EQ(Trace(20, 6, [](int32_t& c) { AdvanceLooping(TwoTicks, c); }),
            (std::vector<int32_t>{21, 22, 23, 24, 25, 20}));
  EXPECT_EQ(Trace(0, 4, [](int32_t& c) { AdvanceLooping(TwoTicks, c); }), (std::vector<int32_t>{1, 2, 3, 0}));
}

TEST(AdvanceTest, TheStepBackFormHoldsTheEndOrLoopsInModeR) {
  const auto back = [](int32_t& c) { AdvanceStepBack(OneTick, c, 'n'); };
  EXPECT_EQ(Trace(10, 6, back), (std::vector<int32_t>{11, 12, 11, 12, 11, 12}));  // the last two alternate
  // With two ticks the last entry (ticks 24 and 25) stays on screen.
  EXPECT_EQ(Trace(20, 6, [](int32_t& c) { AdvanceStepBack(TwoTicks, c, 0); }),
            (std::vector<int32_t>{21, 22, 23, 24, 25, 24}));
  EXPECT_EQ(Trace(10, 4, [](int32_t& c) { AdvanceStepBack(OneTick, c, 'r'); }),
            (std::vector<int32_t>{11, 12, 10, 11}));
}

TEST(AdvanceTest, TheHoldingFormStopsOnTheLastTickAndSaysSoEveryCall) {
  int32_t cursor = 20;
  std::vector<int> ended;
  for (int i = 0; i < 8; ++i) ended.push_back(AdvanceHolding(TwoTicks, cursor, 0));
  EXPECT_EQ(cursor, 25);
  EXPECT_EQ(ended, (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 1}));
  // In mode 'r' it loops and says 1 on the call that went back.
  cursor = 10;
  ended.clear();
  for (int i = 0; i < 4; ++i) ended.push_back(AdvanceHolding(OneTick, cursor, 'r'));
  EXPECT_EQ(ended, (std::vector<int>{0, 0, 1, 0}));
  EXPECT_EQ(cursor, 11);
}

TEST(AdvanceTest, ACursorPastTheTableShowsNothingAndNeverReadsOutside) {
  int32_t cursor = 5000;
  AdvanceLooping(OneTick, cursor);
  EXPECT_EQ(cursor, 5001);
  EXPECT_EQ(OneTick(cursor), -1);
  // The step-back form walks back into the table's last sequence.
  cursor = 31;
  AdvanceStepBack(OneTick, cursor, 0);
  EXPECT_EQ(cursor, 30);
  EXPECT_EQ(AdvanceHolding(OneTick, cursor, 0), 1);
  EXPECT_EQ(OneTick(-3), -1);
}

TEST(LookupTest, EveryLookupAnswersOutsideItsTable) {
  static constexpr auto table = ValueTable<20>({{0, {4, 5}}, {19, {9, 8, 7}}});  // the run stops at the end
  EXPECT_EQ(table[19], 9);
  EXPECT_EQ(TableEntry(table, 19), 9);
  EXPECT_EQ(TableEntry(table, 20), 0);
  EXPECT_EQ(TableEntry(table, -1), 0);
  EXPECT_EQ(PatternEntry(table, 20), -1);
  EXPECT_EQ(PatternEntry(table, -1), -1);

  // Pattern -1 and patterns past the tables, through a module's own routines.
  for (int p : {-1, 20, 30, 1000000}) {
    EXPECT_EQ(GetTestWalkerCell(p, 0), 3600) << p;  // the base cell only
    EXPECT_EQ(GetTestWalkerSize(p, 0), 0) << p;
    EXPECT_EQ(GetTestWalkerSize(p, 1), 0) << p;
    for (int which = 0; which < 4; ++which) EXPECT_EQ(GetTestWalkerHitRect(p, which), 0) << p;
  }
  EXPECT_EQ(GetTestWalkerPattern(1000000), -1);
  EXPECT_EQ(GetTestWalkerSize(0, 'x'), 0);  // a key the module does not take
  EXPECT_EQ(GetTestWalkerHitRect(0, 4), 0);
}

class PatternMinusOneTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(PatternMinusOneTest, DrawsNothingAndGivesAnEmptyBox) {
  const Actor a(kTestWalkerGroup, 0);
  a.State() = kActorActive;
  a.PosX() = 300;
  a.PosY() = 200;
  a.Life() = kTestWalkerLife;
  a.AnimCursor() = 2 * 40;  // entry 40: no sequence there
  DrawTestWalker();
  EXPECT_EQ(DrawQueue.count[1], 0u);
  SetTestWalkerHitBox(0);
  EXPECT_EQ(a.BodyBox().left, a.BodyBox().right);
  EXPECT_EQ(a.BodyBox().top, a.BodyBox().bottom);
}

// ---- the conversation step machine ------------------------------------------------------------

constexpr int kTalkGroup = 7;

const TalkStep kTalk[] = {
    {.action = TalkAction::Line, .next = 1, .speaker = "語り手：", .text = "「一」"},
    {.action = TalkAction::Wait, .next = 2, .speaker = "トヴィア：", .text = "「はい」"},
    {.action = TalkAction::End, .next = 3},
    {.action = TalkAction::Line, .next = 4, .speaker = "語り手：", .text = "「二」", .flag = 0, .balloon = 3},
    {.action = TalkAction::End, .next = 3, .balloon = 3},
};

class ConversationTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    SubMode = kSubTalk;
    SubModeArg = kTalkGroup;
    Actor(kTalkGroup, 0).State() = kActorActive;
    Actor(kTalkGroup, 2).State() = kActorActive;  // the one she spoke to
  }
  void TearDown() override { ResetGameState(); }

  // One frame of the talk, with the window's result of the frame before.
  static int Frame(int32_t result) {
    MessageResult = result;
    ClearDrawQueues();
    return RunConversation(kTalkGroup, kTalk);
  }
  static bool Shows(const char* text) { return MessageWindow.open == 1 && std::strcmp(MessageWindow.text, text) == 0; }
};

TEST_F(ConversationTest, ALineAWaitOnTheCloseAndTheEndThatReleasesBoth) {
  const Actor hero(kHeroineGroup, 0), npc(kTalkGroup, 0);
  hero.Input() = npc.Input() = 8;
  EXPECT_EQ(Frame(-1), 0);
  EXPECT_TRUE(Shows("「一」"));
  EXPECT_EQ(MessageWindow.flags, 1u);
  EXPECT_EQ(EventStep[kTalkGroup], 1);
  EXPECT_EQ(hero.Control(), 1);
  EXPECT_EQ(npc.Control(), 1);
  EXPECT_EQ(hero.Input(), 0);
  EXPECT_EQ(npc.Input(), 0);
  EXPECT_EQ(Actor(kTalkGroup, 2).Control(), 0);  // always slot 0

  // The wait stands while the window is open, and opens her line once it was closed.
  EXPECT_EQ(Frame(255), 0);
  EXPECT_EQ(EventStep[kTalkGroup], 1);
  EXPECT_EQ(Frame(-2), 0);
  EXPECT_TRUE(Shows("「はい」"));
  EXPECT_EQ(EventStep[kTalkGroup], 2);

  EXPECT_EQ(Frame(255), 0);
  EXPECT_EQ(SubMode, kSubTalk);
  EXPECT_EQ(Frame(-2), 1);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(SubModeArg, 0);
  EXPECT_EQ(hero.Control(), 0);
  EXPECT_EQ(npc.Control(), 0);
  EXPECT_EQ(EventStep[kTalkGroup], 3);  // where the next talk begins
}

TEST_F(ConversationTest, TheLastBlockRepeatsOnEveryLaterTalkWithItsBalloon) {
  EventStep[kTalkGroup] = 3;
  for (int talk = 0; talk < 2; ++talk) {
    SubMode = kSubTalk;
    Frame(-1);
    EXPECT_TRUE(Shows("「二」"));
    EXPECT_EQ(MessageWindow.flags, 0u);
    Frame(255);
    ASSERT_GT(DrawQueue.count[3], 0u);  // the balloon over slot 0, every frame of the step
    EXPECT_EQ(DrawQueue.commands[3][0].cell, 434u);
    EXPECT_EQ(Frame(-2), 1);
    EXPECT_EQ(EventStep[kTalkGroup], 3);
  }
}

TEST_F(ConversationTest, AStepTheTalkDoesNotHaveEndsItAtOnce) {
  for (int32_t step : {5, 99, -4}) {
    SubMode = kSubTalk;
    EventStep[kTalkGroup] = step;
    EXPECT_EQ(Frame(255), 1) << step;
    EXPECT_EQ(SubMode, kSubWorld);
    EXPECT_EQ(Actor(kHeroineGroup, 0).Control(), 0);
    EXPECT_EQ(EventStep[kTalkGroup], 0);
  }
}

}  // namespace
