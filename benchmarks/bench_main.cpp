// The benchmarks' entry: the embedded resources are installed as in the game.
#include <benchmark/benchmark.h>

#include "platform/resources.h"

int main(int argc, char** argv) {
  res::InstallEmbedded();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
