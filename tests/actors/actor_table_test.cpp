#include "actors/actor_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fixture_map.h"
#include "support/game_reset.h"

namespace {

class ActorTableTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

// A box block holds four values a slot across its four field rows: slot s's box is values
// 4 s .. 4 s + 3 of the block, so slot 70's lies in row 113 at 24..27.
TEST_F(ActorTableTest, TheBodyBoxIsLaidOutSlotBySlotAcrossItsRows) {
  ActorTable[40][113][24] = 1000;  // left
  ActorTable[40][113][26] = 1031;  // right
  EXPECT_EQ(GetActorCentreX(40, 70), 1015);
  ActorTable[40][115][252] = -20;  // slot 255: the block's last four values
  ActorTable[40][115][254] = 0;
  EXPECT_EQ(GetActorCentreX(40, 255), -10);
  ActorTable[40][112][0] = 8;
  ActorTable[40][112][2] = 40;
  EXPECT_EQ(GetActorCentreX(40, 0), 24);
  EXPECT_EQ(GetActorCentreX(41, 70), 0);
}

TEST_F(ActorTableTest, SpawnsFillTheLowestFreeSlotAndTheNewOccupantInheritsTheRest) {
  for (int i = 0; i < kActorSlots; ++i) ASSERT_EQ(SpawnActor(50, i, 0, 1, 0), i);
  EXPECT_EQ(SpawnActor(50, 0, 0, 1, 0), -1);  // the 257th
  EXPECT_EQ(CountActors(50), 256);

  // The occupant of slot 7 leaves a trail that a spawn does not wipe.
  const Actor old(50, 7);
  old.Life() = 12;
  old.CollisionKind() = 64;
  old.BodyBox().right = 99;
  old.Motion() = 0x1003;
  old.VelX() = 5;
  old.StepX() = 3;
  old.HitTimer() = 40;
  old.Link() = 8;
  old.Input() = 16;
  SetActorTimer(50, 7, 2, 30);
  KillActor(50, 30);
  KillActor(50, 7);
  EXPECT_EQ(old.Life(), 12);  // freeing changes State only
  EXPECT_EQ(CountActors(50), 254);

  EXPECT_EQ(SpawnActor(50, 300, 400, -1, 1), 7);
  const Actor a(50, 7);
  EXPECT_EQ(a.State(), kActorSpawned);
  EXPECT_EQ(a.PosX(), 300);
  EXPECT_EQ(a.HomeX(), 300);
  EXPECT_EQ(a.PosY(), 400);
  EXPECT_EQ(a.HomeY(), 400);
  EXPECT_EQ(a.FaceX(), -1);
  EXPECT_EQ(a.FaceY(), 1);
  EXPECT_EQ(a.StepX(), 0);
  EXPECT_EQ(a.HitTimer(), 0);
  EXPECT_EQ(a.Link(), 0);
  EXPECT_EQ(a.Input(), 0);
  EXPECT_EQ(a.Life(), 12);
  EXPECT_EQ(a.CollisionKind(), 64);
  EXPECT_EQ(a.BodyBox().right, 99);
  EXPECT_EQ(a.Motion(), 0x1003);
  EXPECT_EQ(a.VelX(), 5);
  EXPECT_EQ(GetActorTimer(50, 7, 2), 30);
  EXPECT_EQ(SpawnActor(50, 0, 0, 1, 0), 30);
}

TEST_F(ActorTableTest, ClearingResetsTheMovingPartsAndKeepsBodiesLinksLivesAndTimers) {
  const Actor a(12, 200);
  a.State() = kActorActive;
  a.Motion() = 0x1503;
  a.Control() = 2;
  a.AnimCursor() = 60;
  a.StepX() = a.StepY() = a.VelX() = a.VelY() = 4;
  a.Input() = a.Ridden() = 1;
  a.SpriteBox().left = a.SpriteBox().bottom = 50;
  a.BodyBox().left = a.BodyBox().bottom = 60;
  a.FaceX() = -1;
  a.FaceY() = 1;
  a.Link() = 1001;
  a.HitTimer() = 90;
  a.PosX() = 640;
  a.Life() = 3;
  a.ModeBits() = 0x4000;
  SetActorTimer(12, 200, 0, 17);
  for (int row = 0; row < ActorField::HistoryRows; ++row) {
    a.History(ActorField::InputHistory, row) = 8;
    a.History(ActorField::XHistory, row) = 640;
    a.History(ActorField::MotionHistory, row) = 20;
  }
  ClearAllActors();
  EXPECT_EQ(a.State(), 0);
  EXPECT_EQ(a.Motion(), 0);
  EXPECT_EQ(a.Control(), 0);
  EXPECT_EQ(a.AnimCursor(), 0);
  EXPECT_EQ(a.StepY(), 0);
  EXPECT_EQ(a.VelX(), 0);
  EXPECT_EQ(a.Ridden(), 0);
  EXPECT_EQ(a.SpriteBox().left, 0);
  EXPECT_EQ(a.SpriteBox().bottom, 0);
  EXPECT_EQ(a.FaceX(), 1);
  EXPECT_EQ(a.FaceY(), 0);
  for (int row = 0; row < ActorField::HistoryRows; ++row) {
    EXPECT_EQ(a.History(ActorField::InputHistory, row), 0);
    EXPECT_EQ(a.History(ActorField::XHistory, row), -1);
    EXPECT_EQ(a.History(ActorField::MotionHistory, row), -1);
  }
  EXPECT_EQ(GetActorPrevMotion(12, 200), 255);  // the -1 left in the history
  EXPECT_EQ(a.BodyBox().left, 60);
  EXPECT_EQ(a.BodyBox().bottom, 60);
  EXPECT_EQ(a.Link(), 1001);
  EXPECT_EQ(a.HitTimer(), 90);
  EXPECT_EQ(a.PosX(), 640);
  EXPECT_EQ(a.Life(), 3);
  EXPECT_EQ(a.ModeBits(), 0x4000);
  EXPECT_EQ(GetActorTimer(12, 200, 0), 17);
}

TEST_F(ActorTableTest, MapActorsAreGroupsTwoToOneHundredTwentySeven) {
  LoadFixtureMap({".aAbB",  // 1, 2, 127, 128
                  "....C"},  // 130
                 {{'a', 4, 1}, {'A', 4, 2}, {'b', 4, 127}, {'B', 4, 128}, {'C', 4, 130}});
  SpawnMapActors();
  EXPECT_EQ(CountActors(1), 0);
  EXPECT_EQ(CountActors(2), 1);
  EXPECT_EQ(CountActors(127), 1);
  EXPECT_EQ(CountActors(128), 0);
  EXPECT_EQ(CountActors(130), 0);
  EXPECT_EQ(Actor(2, 0).PosX(), 32);
  EXPECT_EQ(Actor(127, 0).PosX(), 48);
  // A group that is full silently gets no more.
  for (int i = 0; i < kActorSlots; ++i) SpawnActor(127, 0, 0, 1, 0);
  SpawnMapActors();
  EXPECT_EQ(CountActors(2), 2);
  EXPECT_EQ(CountActors(127), 256);
}

TEST_F(ActorTableTest, ATimerCountsToItsLimitPlusOneAndStartsAgain) {
  ResetActorTimers(5, 1);
  SetActorTimer(5, 2, 0, 77);  // the next slot's timers lie right after this slot's
  TickActorTimers(5, 1);
  EXPECT_EQ(GetActorTimer(5, 1, 3), 0);  // not running
  SetActorTimerLimit(5, 1, 3, 3);
  StartActorTimer(5, 1, 3);
  std::vector<int> counts;
  for (int i = 0; i < 8; ++i) {
    counts.push_back(GetActorTimer(5, 1, 3));
    TickActorTimers(5, 1);
  }
  EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2}));
  EXPECT_EQ(GetActorTimer(5, 1, 0), 0);  // the others stand

  // A timer number outside 0..7 counts as the nearest, and never reaches another slot.
  SetActorTimer(5, 1, 12, 40);
  SetActorTimer(5, 1, -3, 41);
  EXPECT_EQ(GetActorTimer(5, 1, 7), 40);
  EXPECT_EQ(GetActorTimer(5, 1, 0), 41);
  EXPECT_EQ(GetActorTimer(5, 2, 0), 77);
  StopActorTimer(5, 1, 3);
  ZeroActorTimer(5, 1, 3);
  TickActorTimers(5, 1);
  EXPECT_EQ(GetActorTimer(5, 1, 3), 0);
}

TEST_F(ActorTableTest, ModeBitsAndMotionWriteOnlyTheirBits) {
  Actor a(9, 0);
  a.ModeBits() = static_cast<int32_t>(0xF0000FFF);
  SetActorModeBits(9, 0, 0x5000, 'o');
  EXPECT_EQ(static_cast<uint32_t>(a.ModeBits()), 0xF0005FFFu);
  EXPECT_EQ(GetActorModeBits(9, 0, 'o'), 0x5000);
  EXPECT_EQ(GetActorModeBits(9, 0, 'A'), 0xF00);
  SetActorModeBits(9, 0, 0x3, 'x');  // no such letter
  EXPECT_EQ(static_cast<uint32_t>(a.ModeBits()), 0xF0005FFFu);
  EXPECT_EQ(GetActorModeBits(9, 0, 'x'), 0);
  a.ModeBits() = 0x7;
  SetActorModeBits(9, 0, 0x21, 't');  // the value is not masked
  EXPECT_EQ(a.ModeBits(), 0x21);

  a.Motion() = 0x21503;
  SetActorMotion(9, 0, 300);
  EXPECT_EQ(a.Motion(), 0x21503);
  SetActorMotion(9, 0, 19);
  EXPECT_EQ(a.Motion(), 0x21513);
  EXPECT_EQ(GetActorMotion(9, 0), 19);
  SetActorMotionHigh(9, 0, 0x0200);
  EXPECT_EQ(a.Motion(), 0x20213);
  EXPECT_EQ(GetActorMotionHigh(9, 0), 0x0200);
  a.MapHits() = 0x3FF;
  ClearActorMapHits(9, 0);
  EXPECT_EQ(a.MapHits(), 0x3C0);
}

TEST_F(ActorTableTest, TheHeroinesControlAndPadAreHerSlotsFields) {
  SetActorControl(kHeroineGroup, 0, 2);
  EXPECT_EQ(HeroControl, 2);
  HeroPadBits = 24;
  EXPECT_EQ(Actor(kHeroineGroup, 0).Input(), 24);
  Actor(kHeroineGroup, 0).History(ActorField::InputHistory, 9) = 8;
  ClearActorInput(kHeroineGroup, 0);
  EXPECT_EQ(HeroPadBits, 0);
  EXPECT_EQ(Actor(kHeroineGroup, 0).History(ActorField::InputHistory, 9), 0);
}

}  // namespace
