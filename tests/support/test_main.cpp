// The tests' entry: the embedded resources are installed as in the game, then GoogleTest runs.
#include <gtest/gtest.h>

#include "platform/resources.h"

int main(int argc, char** argv) {
  res::InstallEmbedded();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
