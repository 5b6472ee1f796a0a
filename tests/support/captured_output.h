// The game writes nothing on standard output or standard error in a normal run, the one line
// about a machine without a Japanese font excepted. A test runs the game with both going to a
// scratch file and reads what landed there. Sanitizer reports go to the standard error the
// process started with, so that they are seen even when they end the process mid-capture.
#pragma once

#include <functional>
#include <string>

// Keeps the standard error the process has now for the sanitizers' reports and for
// WriteReport. Called once, before anything else redirects it (the first capture calls it
// otherwise).
void KeepReportStream();

// Runs `run` with standard output and error captured; returns what was written there, the line
// about the missing font left out.
std::string CaptureOutput(const std::function<void()>& run);

// Writes the text on the kept standard error.
void WriteReport(const std::string& text);
