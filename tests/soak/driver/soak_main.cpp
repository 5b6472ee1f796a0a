// The whole soak as a program of its own (tests/soak/run-soak runs it under the sanitizers):
//   tovia_soak [--frames N | --frames-per-start N] [--seed S] [--without START]... [--slice]
// (defaults: 100000 frames of random keys shared among the starts, seed 1, every start). Prints
// the figures of the run (its maps and their groups, its starts, what stood over the world, the
// findings); the status is 1 when anything was found.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/resources.h"
#include "soak/soak.h"
#include "support/captured_output.h"

namespace {

double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  SoakOptions options;
  options.frames = 100000;
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (std::strcmp(argv[i], "--slice") == 0) {
      options.slice = true;
    } else if (has_value && std::strcmp(argv[i], "--frames") == 0) {
      options.frames = std::atoi(argv[++i]);
    } else if (has_value && std::strcmp(argv[i], "--frames-per-start") == 0) {
      options.frames_per_start = std::atoi(argv[++i]);
    } else if (has_value && std::strcmp(argv[i], "--seed") == 0) {
      options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (has_value && std::strcmp(argv[i], "--without") == 0) {
      options.without.emplace_back(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s [--frames N | --frames-per-start N] [--seed S] [--without START]... [--slice]\n",
                   argv[0]);
      return 2;
    }
  }
  res::InstallEmbedded();
  KeepReportStream();
  const double start = Seconds();
  const SoakResult result = RunSoak(options);
  const double seconds = Seconds() - start;
  std::printf("soak, seed %u: %s", options.seed, DescribeSoak(result).c_str());
  std::printf("  %.1f s, %.0f frames a second (random and driven)\n", seconds, (result.frames + result.driven) / seconds);
  const int frames = options.frames_per_start > 0
                         ? options.frames_per_start * static_cast<int>(result.starts.size())
                         : options.frames;
  const bool clean = result.findings.empty() && result.output.empty() && result.frames == frames;
  return clean ? 0 : 1;
}
