#include "support/captured_output.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

// Part of the sanitizers' runtime when the program has one.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace {

constexpr char kMissingFontLine[] = "tovia: no font on this machine covers Japanese";

int report_fd = -1;
int capture_fd = -1;

void FlushAll() {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(stdout);
  std::fflush(stderr);
}

std::string ReadCapture() {
  std::string text;
  char buffer[4096];
  lseek(capture_fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(capture_fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  return text;
}

// The text without the lines that begin with the missing font's message.
std::string WithoutFontLine(const std::string& text) {
  std::string kept;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    if (text.compare(at, sizeof kMissingFontLine - 1, kMissingFontLine) != 0) kept.append(text, at, end - at);
    at = end;
  }
  return kept;
}

}  // namespace

void KeepReportStream() {
  if (report_fd != -1) return;
  report_fd = dup(2);
  if (__sanitizer_set_report_fd != nullptr) {
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(report_fd)));
  }
  // An unnamed file of its own, open until the process ends.
  std::FILE* scratch = std::tmpfile();
  capture_fd = scratch != nullptr ? fileno(scratch) : -1;
  if (report_fd == -1 || capture_fd == -1) {
    std::perror("tovia tests: cannot capture the output");
    std::abort();
  }
}

std::string CaptureOutput(const std::function<void()>& run) {
  KeepReportStream();
  FlushAll();
  const int out = dup(1), err = dup(2);
  if (ftruncate(capture_fd, 0) != 0 || dup2(capture_fd, 1) == -1 || dup2(capture_fd, 2) == -1) std::abort();
  run();
  FlushAll();
  dup2(out, 1);
  dup2(err, 2);
  close(out);
  close(err);
  return WithoutFontLine(ReadCapture());
}

void WriteReport(const std::string& text) {
  KeepReportStream();
  if (write(report_fd, text.data(), text.size()) < 0) {
    // Nothing more to do: the report stream is gone.
  }
}
