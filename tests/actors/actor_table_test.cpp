#include "actors/actor_table.h"

#include <gtest/gtest.h>

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

}  // namespace
