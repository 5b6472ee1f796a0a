// The game writes nothing on standard output or standard error in a normal run, the one line
// about a machine without a Japanese font excepted; bad input is no reason to either. The fuzz
// targets run with both captured (support/captured_output.h), and what lands there is a fault
// like a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/captured_output.h"

// Runs the target on the input with standard output and error captured; returns what the game
// wrote there, the line about the missing font left out.
std::string RunCapturingOutput(int (*run)(const uint8_t* data, size_t size), const uint8_t* data, size_t size);

// Writes the captured text to the kept standard error and aborts.
[[noreturn]] void ReportOutputAndAbort(const std::string& output);
