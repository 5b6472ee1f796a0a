// Box overlap and the two swept tests.
#include "actors/collision.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Out = std::array<int, 4>;
constexpr Out kUntouched = {7, 7, 7, 7};

TEST(CollisionTest, TouchingBoxesDoNotOverlapButAZeroSizeBoxInsideDoes) {
  EXPECT_EQ(BoxesOverlap(0, 0, 10, 10, 10, 0, 10, 10), 0);
  EXPECT_EQ(BoxesOverlap(0, 0, 10, 10, 9, 9, 1, 1), 1);
  EXPECT_EQ(BoxesOverlap(5, 0, 0, 10, 0, 0, 10, 10), 1);  // width 0 at x 5
  EXPECT_EQ(BoxesOverlap(0, 0, 10, 10, 5, 3, 0, 0), 1);   // a point inside
  EXPECT_EQ(BoxesOverlap(0, 0, 10, 10, 5, 10, 0, 0), 0);  // a point on the bottom edge
  EXPECT_EQ(BoxesOverlapXYWH(0, 0, 10, 10, 3, 3, 2, 2), 1);
  EXPECT_EQ(BoxesOverlapLTRB(0, 0, 10, 10, 10, 0, 20, 10), 0);
  EXPECT_EQ(BoxesOverlapLTRB(0, 0, 10, 10, 9, 0, 20, 10), 1);
  EXPECT_EQ(BoxesOverlapLTRB(0, 0, 10, 10, 0, 10, 10, 20), 0);
}

// A 1 x 1 box A moving (dx, dy) towards a 1 x 1 box B standing at (px, py).
std::pair<int, Out> SweepPoint(int dx, int dy, int px, int py) {
  Out out = kUntouched;
  const int hit = SweepBoxes(0, 0, 1, 1, px, py, px + 1, py + 1, dx, dy, 0, 0, out.data());
  return {hit, out};
}

TEST(CollisionTest, AMoverFollowsItsDominantAxisWithTheMinorInProportion) {
  // (10, 5): every pixel of its path meets a point placed there, and contact takes the whole
  // step back, diagonal steps both axes at once.
  const std::vector<std::pair<int, int>> path = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2},
                                                 {6, 3}, {7, 3}, {8, 4}, {9, 4}, {10, 5}};
  for (size_t i = 1; i < path.size(); ++i) {
    const auto [hit, out] = SweepPoint(10, 5, path[i].first, path[i].second);
    EXPECT_EQ(hit, 1) << "step " << i;
    EXPECT_EQ(out, (Out{path[i - 1].first, path[i - 1].second, 0, 0})) << "step " << i;
  }
  // Points beside the path are never met; no contact leaves out all 0.
  for (auto [x, y] : std::vector<std::pair<int, int>>{{2, 0}, {1, 1}, {10, 4}, {11, 5}}) {
    EXPECT_EQ(SweepPoint(10, 5, x, y), std::make_pair(0, Out{0, 0, 0, 0})) << x << ", " << y;
  }
  // The mirror: vertical dominance, moving up and left.
  EXPECT_EQ(SweepPoint(-5, -10, -1, -2), std::make_pair(1, Out{0, -1, 0, 0}));
  EXPECT_EQ(SweepPoint(-5, -10, -1, -1), std::make_pair(0, Out{0, 0, 0, 0}));
}

TEST(CollisionTest, SweepReportsTheLastFreeOffsets) {
  Out out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 25, 0, 35, 10, 20, 0, 0, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{15, 0, 0, 0}));

  // Without moves it is a plain overlap test that also fills out.
  out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 5, 5, 15, 15, 0, 0, 0, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{0, 0, 0, 0}));
  out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 10, 0, 20, 10, 0, 0, 0, 0, out.data()), 0);
  EXPECT_EQ(out, (Out{0, 0, 0, 0}));
}

TEST(CollisionTest, TwoMoversTakeTurnsAndATieMovesB) {
  // Ten pixels apart, both moving five towards each other: B moves first, so the tenth turn is
  // A's, and A's step is taken back.
  Out out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 19, 0, 29, 10, 5, 0, -5, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{4, 0, -5, 0}));
  // Eleven apart: the eleventh turn would be B's sixth pixel; it has none.
  out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 20, 0, 30, 10, 5, 0, -5, 0, out.data()), 0);
  EXPECT_EQ(out, (Out{0, 0, 0, 0}));
  // A slow A and a fast B are paced: B takes three pixels for each of A's (B, A, B, B, B, A,
  // B, B: contact at B's sixth pixel, A at its second).
  out = kUntouched;
  EXPECT_EQ(SweepBoxes(0, 0, 10, 10, 17, 0, 27, 10, 3, 0, -9, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{2, 0, -5, 0}));
}

TEST(CollisionTest, TheSortedSweepNeverTestsItsLastStep) {
  Out out = kUntouched;
  // N = 10: contact only at step 10 (A's right edge reaching 19) is left for the next frame.
  EXPECT_EQ(SweepBoxesSorted(0, 0, 10, 10, 19, 0, 29, 10, 10, 0, 0, 0, out.data()), 0);
  EXPECT_EQ(out, kUntouched);
  // At step 9 it is found, with A taken back to step 8.
  EXPECT_EQ(SweepBoxesSorted(0, 0, 10, 10, 18, 0, 28, 10, 10, 0, 0, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{8, 0, 0, 0}));
  // Within a step A moves first: here B's own step makes the contact, and only B is taken back.
  out = kUntouched;
  EXPECT_EQ(SweepBoxesSorted(0, 0, 10, 10, 14, 0, 24, 10, 0, 0, -10, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{0, 0, -4, 0}));
  // A largest move of 1 tests nothing; an overlap at the start is found at once.
  out = kUntouched;
  EXPECT_EQ(SweepBoxesSorted(0, 0, 10, 10, 10, 0, 20, 10, 1, 1, 0, -1, out.data()), 0);
  EXPECT_EQ(out, kUntouched);
  EXPECT_EQ(SweepBoxesSorted(0, 0, 10, 10, 9, 0, 20, 10, 0, 0, 0, 0, out.data()), 1);
  EXPECT_EQ(out, (Out{0, 0, 0, 0}));

  int moves[4] = {3, -7, 12, 0};
  std::qsort(moves, 4, sizeof moves[0], CompareDescending);
  EXPECT_EQ(moves[0], 12);
  EXPECT_EQ(moves[3], -7);
}

}  // namespace
