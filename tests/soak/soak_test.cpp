// A slice of the soak (soak.h): random buttons from the title on, 10,000 frames (about half a
// minute under the sanitizers). The whole run is tests/soak/run-soak.
#include "soak/soak.h"

#include <gtest/gtest.h>

namespace {

TEST(Soak, RandomButtonsFromTheTitleLeaveNothingStuck) {
  const SoakResult r = RunSoak({.seed = 7, .frames = 10000});
  SCOPED_TRACE(DescribeSoak(r));
  EXPECT_EQ(r.frames, 10000);
  EXPECT_TRUE(r.findings.empty());
  EXPECT_EQ(r.output, "") << "the game wrote on stdout or stderr";
}

}  // namespace
