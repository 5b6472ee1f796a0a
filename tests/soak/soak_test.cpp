// A slice of the soak (soak.h): the save at the landing's shrine made by the route, then random
// buttons from the title and from that save, 3,000 frames each (about a quarter of a minute under
// the sanitizers); and the title's programs alone, without the start that the landing's groups
// need. The whole run, from every start, is tests/soak/run-soak.
#include "soak/soak.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(Soak, RandomButtonsFromTheTitleAndTheFirstShrineLeaveNothingStuck) {
  const SoakResult r = RunSoak({.seed = 3, .frames = 6000, .slice = true});
  SCOPED_TRACE(DescribeSoak(r));
  EXPECT_EQ(r.frames, 6000);
  ASSERT_EQ(r.starts.size(), 2u);
  for (const StartPlay& start : r.starts) EXPECT_EQ(start.frames, 3000) << start.name;
  EXPECT_GT(r.starts[1].maps.count("L001CAVE"), 0u) << "the save's load let her out in the cave";
  EXPECT_TRUE(r.findings.empty());
  EXPECT_EQ(r.output, "") << "the game wrote on stdout or stderr";
}

// The title's programs end when the opening does: the chest by the opening's end comes on screen,
// the torches up in the first rest room never do, and nothing but the random keys counts.
TEST(Soak, AGroupWhoseStartIsLeftOutIsNeverDriven) {
  const SoakResult r = RunSoak({.seed = 3, .frames = 3000, .slice = true, .without = {"the landing's shrine"}});
  SCOPED_TRACE(DescribeSoak(r));
  ASSERT_EQ(r.starts.size(), 1u);
  EXPECT_EQ(r.driven, 0) << "no start loads a save: none is made";
  EXPECT_GT(r.maps.at("L001CAVE").groups[113].on_screen, 0);
  EXPECT_THAT(r.findings, ElementsAre(HasSubstr("group 118, placed on L001CAVE, was never driven")));
}

}  // namespace
