#include "fuzz/fuzz_output.h"

#include <cstdlib>

std::string RunCapturingOutput(int (*run)(const uint8_t* data, size_t size), const uint8_t* data, size_t size) {
  return CaptureOutput([&] { run(data, size); });
}

void ReportOutputAndAbort(const std::string& output) {
  WriteReport("tovia fuzz: the game wrote on standard output or error:\n" + output + "\n");
  std::abort();
}
