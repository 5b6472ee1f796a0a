// Hazard boxes and the queries on an actor's virtual pad.
#include "actors/hazards_and_input.h"

#include <gtest/gtest.h>

#include "actors/actor_table.h"
#include "support/game_reset.h"
#include "world/save_block.h"

namespace {

class HazardsAndInputTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(HazardsAndInputTest, SixtyFourBoxesAFrameAndNoneWithoutArea) {
  ClearHazards();
  EXPECT_EQ(HazardCount, 0u);
  EXPECT_EQ(HazardBoxes[63][7], -1);
  AddHazard(10, 20, 30, 40, 7, 2);
  EXPECT_EQ(HazardCount, 1u);
  const int32_t first[8] = {10, 20, 30, 40, 7, 2, -1, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(HazardBoxes[0][i], first[i]) << i;

  // A beam shrunk to height 0 or -1, or a box of no width, hurts nobody: it is not stored.
  AddHazard(10, 20, 30, 0, 7, 2);
  AddHazard(10, 20, 30, -1, 7, 2);
  AddHazard(10, 20, 0, 40, 7, 2);
  EXPECT_EQ(HazardCount, 1u);

  for (int i = 1; i < kHazardCapacity; ++i) AddHazard(i, 0, 8, 8, 1, 0);
  EXPECT_EQ(HazardCount, 64u);
  AddHazard(999, 0, 8, 8, 1, 0);  // the 65th
  EXPECT_EQ(HazardCount, 64u);
  EXPECT_EQ(HazardBoxes[63][0], 63);

  // The second pair finds free entries by their -1.
  ResetHazardSlots();
  AddHazardToFreeSlot(5, 6, 7, 8, 9, 1);
  AddHazardToFreeSlot(15, 6, 7, 8, 9, 1);
  EXPECT_EQ(HazardBoxes[1][0], 15);
  EXPECT_EQ(HazardCount, 64u);  // not counted
}

TEST_F(HazardsAndInputTest, PadQueriesNeedEveryBitOfTheMask) {
  const Actor a(33, 4);
  a.Input() = 8 | 16;
  EXPECT_EQ(ActorHasInput(33, 4, 8), 1);
  EXPECT_EQ(ActorHasInput(33, 4, 8 | 16), 1);
  EXPECT_EQ(ActorHasInput(33, 4, 8 | 32), 0);

  // Newly on: held now, not all held in the frame before.
  a.History(ActorField::InputHistory, 0) = 8;
  EXPECT_EQ(ActorInputNewlyOn(33, 4, 8), 0);
  EXPECT_EQ(ActorInputNewlyOn(33, 4, 16), 1);
  EXPECT_EQ(ActorInputNewlyOn(33, 4, 8 | 16), 1);

  // A press made under the input lock is never reported, neither now nor in the next frame.
  InputLock = 1;
  EXPECT_EQ(ActorInputNewlyOn(33, 4, 16), 0);
  InputLock = 0;
  a.History(ActorField::InputHistory, 0) = a.Input();
  EXPECT_EQ(ActorInputNewlyOn(33, 4, 16), 0);
}

}  // namespace
