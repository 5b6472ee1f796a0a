// libFuzzer's entry points for one fuzz target, chosen when the executable is built
// (TOVIA_FUZZ_TARGET names its function). Our own mutation loop calls the same two. An input on
// which the game writes on standard output or error aborts like a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_output.h"
#include "fuzz/fuzz_targets.h"
#include "platform/resources.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  res::InstallEmbedded();
  KeepReportStream();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string output = RunCapturingOutput(TOVIA_FUZZ_TARGET, data, size);
  if (!output.empty()) ReportOutputAndAbort(output);
  return 0;
}
