// The game writes nothing on standard output or standard error in a normal run, the one line
// about a machine without a Japanese font excepted; bad input is no reason to either. The fuzz
// targets run with both going to a scratch file, and what lands there is a fault like a crash.
// Sanitizer reports go to the standard error the process started with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Keeps the standard error the process has now for the sanitizers' reports and for
// ReportOutputAndAbort. Called once, before anything else redirects it (the first capture calls
// it otherwise).
void KeepReportStream();

// Runs the target on the input with standard output and error captured; returns what the game
// wrote there, the line about the missing font left out.
std::string RunCapturingOutput(int (*run)(const uint8_t* data, size_t size), const uint8_t* data, size_t size);

// Writes the captured text to the kept standard error and aborts.
[[noreturn]] void ReportOutputAndAbort(const std::string& output);
