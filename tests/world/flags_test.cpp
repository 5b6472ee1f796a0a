// The scenario flags: four-bit values in three banks of the save block.
#include "world/flags.h"

#include <gtest/gtest.h>

#include "support/game_reset.h"
#include "world/save_block.h"

namespace {

class FlagsTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(FlagsTest, FlagsAreNibblesOfTheSaveBlock) {
  SetFlag(1, 9, 3);  // bank 1, word 1, nibble 1
  const auto* bytes = reinterpret_cast<const uint8_t*>(&Save);
  EXPECT_EQ(bytes[2904 + 1024 + 4], 0x30);
  EXPECT_EQ(FlagBanks[1][1], 0x30u);
  SetFlag(2, 2047, 0xA);
  EXPECT_EQ(bytes[2904 + 2048 + 1023], 0xA0);
}

TEST_F(FlagsTest, NeighboursAreIndependent) {
  SetFlag(0, 0, 5);
  SetFlag(0, 7, 9);
  EXPECT_EQ(GetFlag(0, 0), 5u);
  EXPECT_EQ(GetFlag(0, 7), 9u);
  EXPECT_EQ(FlagBanks[0][0], 0x90000005u);
  SetFlag(0, 8, 1);
  SetFlag(0, 10, 2);
  SetFlag(0, 9, 20);  // stored as 15
  EXPECT_EQ(GetFlag(0, 9), 15u);
  EXPECT_EQ(GetFlag(0, 8), 1u);
  EXPECT_EQ(GetFlag(0, 10), 2u);
  SetFlag(0, 9, -14);  // a negative value keeps its low four bits
  EXPECT_EQ(GetFlag(0, 9), 2u);
  EXPECT_EQ(GetFlag(0, 8), 1u);
  EXPECT_EQ(GetFlag(1, 9), 0u);  // the same index of another bank
}

TEST_F(FlagsTest, OutOfRangeBanksAndIndicesAreClamped) {
  SetFlag(1, 5000, 1);
  EXPECT_EQ(GetFlag(1, 2047), 1u);
  EXPECT_EQ(GetFlag(1, 5000), 1u);
  SetFlag(7, 4, 6);
  EXPECT_EQ(GetFlag(2, 4), 6u);
  // Negative banks and indices go to 0 rather than before the tables.
  SetFlag(-1, 6, 7);
  EXPECT_EQ(GetFlag(0, 6), 7u);
  SetFlag(1, -100, 8);
  EXPECT_EQ(GetFlag(1, 0), 8u);
  EXPECT_EQ(GetFlag(-5, -5), GetFlag(0, 0));
  EXPECT_EQ(Save.EventStep[255], 0);  // the words before the banks are untouched
  EXPECT_EQ(Save.Reserved5976, 0u);   // and the one after them
}

TEST_F(FlagsTest, ClearingBanks) {
  for (int bank = 0; bank < 3; ++bank) {
    for (int i = 0; i < kFlagsPerBank; i += 97) SetFlag(bank, i, 1 + i % 15);
  }
  ClearFlagBank(1);
  ClearFlagBank(3);   // no such bank: nothing happens
  ClearFlagBank(-1);
  for (int i = 0; i < kFlagsPerBank; ++i) EXPECT_EQ(GetFlag(1, i), 0u);
  EXPECT_EQ(GetFlag(0, 97), 8u);
  EXPECT_EQ(GetFlag(2, 97), 8u);
  ClearAllFlags();
  for (const auto& bank : FlagBanks) {
    for (const uint32_t word : bank) EXPECT_EQ(word, 0u);
  }
}

}  // namespace
