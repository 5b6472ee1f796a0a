// libFuzzer's entry points for one fuzz target, chosen when the executable is built
// (TOVIA_FUZZ_TARGET names its function). Our own mutation loop calls the same two.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_targets.h"
#include "platform/resources.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  res::InstallEmbedded();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return TOVIA_FUZZ_TARGET(data, size); }
