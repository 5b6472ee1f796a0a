// A slice of the soak (soak.h): the save at the landing's shrine made by the route, then random
// buttons from the title and from that save, 3,000 frames each (under half a minute under the
// sanitizers in all). The whole run, from every start, is tests/soak/run-soak.
#include "soak/soak.h"

#include <gtest/gtest.h>

namespace {

TEST(Soak, RandomButtonsFromTheTitleAndTheFirstShrineLeaveNothingStuck) {
  const SoakResult r = RunSoak({.seed = 7, .frames = 6000, .slice = true});
  SCOPED_TRACE(DescribeSoak(r));
  EXPECT_EQ(r.frames, 6000);
  ASSERT_EQ(r.starts.size(), 2u);
  for (const StartPlay& start : r.starts) EXPECT_EQ(start.frames, 3000) << start.name;
  EXPECT_GT(r.starts[1].maps.count("L001CAVE"), 0u) << "the save's load let her out in the cave";
  EXPECT_TRUE(r.findings.empty());
  EXPECT_EQ(r.output, "") << "the game wrote on stdout or stderr";
}

}  // namespace
