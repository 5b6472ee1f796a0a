// mido (Debian's python3-mido, run by /usr/bin/python3), the independent reader of standard MIDI
// files that the music tests compare the sequencer with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// A message and when it is heard, in milliseconds from the start of the song.
struct Timed {
  double ms;
  std::vector<uint8_t> bytes;
};

// The file's channel and system-exclusive messages as mido reads them, in time order.
inline std::vector<Timed> ReadWithMido(const std::string& path) {
  const std::string command = "/usr/bin/python3 " TOVIA_SOURCE_DIR "/tests/audio/smf_events.py " + path;
  FILE* pipe = popen(command.c_str(), "r");
  std::vector<Timed> out;
  if (pipe == nullptr) return out;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream in(line);
    Timed t;
    in >> t.ms;
    std::string hex;
    while (in >> hex) t.bytes.push_back(static_cast<uint8_t>(std::stoul(hex, nullptr, 16)));
    out.push_back(t);
  }
  EXPECT_EQ(pclose(pipe), 0) << "python3-mido must be installed (tools/install-deps)";
  return out;
}

// Messages by channel (system exclusive as 16), each in its order.
inline std::map<int, std::vector<Timed>> ByChannel(const std::vector<Timed>& events) {
  std::map<int, std::vector<Timed>> out;
  for (const Timed& t : events) out[t.bytes[0] < 0xF0 ? t.bytes[0] & 0x0F : 16].push_back(t);
  return out;
}

// The same messages on every channel in the same order, each heard within `tolerance_ms`.
inline void ExpectSameEvents(const std::vector<Timed>& ours, const std::vector<Timed>& theirs, double tolerance_ms) {
  const auto a = ByChannel(ours), b = ByChannel(theirs);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [channel, list] : b) {
    ASSERT_EQ(a.at(channel).size(), list.size()) << "channel " << channel << " last at " << list.back().ms;
    for (size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(a.at(channel)[i].bytes, list[i].bytes) << "channel " << channel << " event " << i;
      EXPECT_NEAR(a.at(channel)[i].ms, list[i].ms, tolerance_ms) << "channel " << channel << " event " << i;
    }
  }
}
