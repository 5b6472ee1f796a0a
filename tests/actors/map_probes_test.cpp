// The map collision probes on small fixture maps: where the scans sample, which line a probe
// tests first, and its answers for moves with and against its direction.
#include "actors/map_probes.h"

#include <gtest/gtest.h>

#include "support/fixture_map.h"
#include "support/game_reset.h"

namespace {

class MapProbesTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(MapProbesTest, ScansSampleEverySixteenthPixelAndTheLast) {
  LoadFixtureMap({".ab.....",
                  "........"},
                 {{'a', 2, 501}, {'b', 2, 502}});
  // A row from x 10: 10 pixels reach x 19 in tile 1; 6 pixels stop at 15 in tile 0.
  EXPECT_EQ(FindTileInRow(10, 0, 10), 501u);
  EXPECT_EQ(FindTileInRow(10, 0, 6), 0u);
  EXPECT_EQ(FindTileInRow(0, 5, 48), 501u);  // the first tile met
  EXPECT_EQ(FindTileInRow(0, 16, 128), 0u);
  // Across the world's right edge the row wraps to column 0 and on.
  EXPECT_EQ(FindTileInRow(6390, 0, 20), 0u);
  EXPECT_EQ(FindTileInRow(6390, 0, 27), 501u);
  // The column likewise: x 20 from y -8 reaches tile row 0 only with its last pixel.
  EXPECT_EQ(AnyTileInColumn(20, -8, 9), 1);
  EXPECT_EQ(AnyTileInColumn(20, -8, 8), 0);
  EXPECT_EQ(AnyTileInColumn(40, 10, 30), 1);
}

TEST_F(MapProbesTest, WallProbesTestTheMovedColumnFirst) {
  // A wall in tile column 5 (x 80..95), rows 0..3.
  LoadFixtureMap({".....#", ".....#", ".....#", ".....#"});
  // A box 20 wide at x 59: its right probe column is x + 21 + k = 80 + k.
  EXPECT_EQ(ProbeWallRight(59, 0, 20, 0, 0, 32), 0);
  EXPECT_EQ(ProbeWallRight(58, 0, 20, 0, 0, 32), kProbeFree);
  EXPECT_EQ(ProbeWallRight(50, 12, 20, 0, 0, 32), 9);   // columns 71..82: the first blocked is 80
  EXPECT_EQ(ProbeWallRight(59, -3, 20, 0, 0, 32), kProbeFree);
  EXPECT_EQ(ProbeWallRight(65, -3, 20, 0, 0, 32), 4);   // moving away, still blocked
  EXPECT_EQ(ProbeWallRight(50, 12, 20, 64, 0, 32), kProbeFree);  // rows 64..95 pass under it
  // The left probe column is x - 1 + k; from x 110 a move of -16 first meets column 95.
  EXPECT_EQ(ProbeWallLeft(110, -16, 20, 0, 0, 32), -14);
  EXPECT_EQ(ProbeWallLeft(110, -10, 20, 0, 0, 32), kProbeFree);
  EXPECT_EQ(ProbeWallLeft(75, 12, 20, 0, 0, 32), 4);  // moving away from a left wall: column 86
}

TEST_F(MapProbesTest, FloorAndCeilingProbes) {
  // Tile row 3 (y 48..63) and row 4 are solid.
  LoadFixtureMap({"....", "....", "....", "####", "####"});
  // A box whose bottom line is y 45: the floor lies 3 lines below it.
  EXPECT_EQ(ProbeFloor(0, 0, 24, 5, 5, 40), 3);
  EXPECT_EQ(ProbeFloor(0, 0, 24, 5, 2, 40), kProbeFree);
  EXPECT_EQ(ProbeFloor(0, 0, 24, 5, -2, 40), kProbeFree);
  EXPECT_EQ(ProbeFloor(0, 0, 24, 10, -2, 40), -8);  // inside the floor, rising
  // Only the moved line is tested first: a line 4 blocked and line 5 free is a free move.
  LoadFixtureMap({"....", "....", "....", "####", "....", "...."});
  EXPECT_EQ(ProbeFloor(0, 0, 24, 19, 5, 40), kProbeFree);  // lines 59..64
  EXPECT_EQ(ProbeFloor(0, 0, 24, 19, 4, 40), 0);
  // The ceiling probe answers the blocking row's own offset.
  EXPECT_EQ(ProbeCeiling(0, 0, 24, 70, -10), -7);  // row 63
  EXPECT_EQ(ProbeCeiling(0, 0, 24, 70, -5), kProbeFree);
  EXPECT_EQ(ProbeCeiling(0, 0, 24, 60, 3), -8);
  EXPECT_EQ(ProbeCeiling(64, 0, 24, 70, -10), kProbeFree);  // beside the row
  EXPECT_EQ(ProbeCeiling(64, -20, 24, 70, -10), -7);        // the move x shifts the columns
}

TEST_F(MapProbesTest, FloorDropCountsTheFreePixelsBelow) {
  LoadFixtureMap({"....", "....", "..a."}, {{'a', 2, 777}});
  uint32_t tile = 0;
  EXPECT_EQ(MeasureFloorDrop(32, 0, 16, 0, 40, 32, &tile), -1);  // directly under the box
  EXPECT_EQ(tile, 777u);
  tile = 0;
  EXPECT_EQ(MeasureFloorDrop(32, 0, 16, 0, 40, 20, &tile), 11);
  EXPECT_EQ(tile, 777u);
  EXPECT_EQ(MeasureFloorDrop(32, 0, 16, 0, 10, 20, nullptr), 10);  // none within the reach
  EXPECT_EQ(MeasureFloorDrop(0, 0, 16, 0, 40, 20, &tile), 40);
  tile = 0;
  EXPECT_EQ(MeasureCeilingRise(32, 0, 16, 30, -20, 20, &tile), -2);  // row 47, k = -3
  EXPECT_EQ(tile, 777u);
  EXPECT_EQ(MeasureCeilingRise(0, 0, 16, 40, -20, 20, &tile), -20);
}

}  // namespace
