// Builds standard MIDI files for the tests and benchmarks of the music player.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

struct SmfTrack {
  std::vector<uint8_t> bytes;

  // A delta time as a variable-length number.
  SmfTrack& Delta(uint32_t ticks) {
    uint8_t groups[5];
    int n = 0;
    do {
      groups[n++] = ticks & 0x7F;
      ticks >>= 7;
    } while (ticks != 0);
    while (n > 1) bytes.push_back(groups[--n] | 0x80);
    bytes.push_back(groups[0]);
    return *this;
  }
  SmfTrack& Raw(std::initializer_list<uint8_t> b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return *this;
  }
  // An event after `delta` ticks: its bytes as the file holds them (a running status omits its
  // status byte).
  SmfTrack& At(uint32_t delta, std::initializer_list<uint8_t> b) { return Delta(delta).Raw(b); }
  SmfTrack& Tempo(uint32_t delta, uint32_t us) {
    return At(delta, {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                      static_cast<uint8_t>(us)});
  }
  SmfTrack& End(uint32_t delta) { return At(delta, {0xFF, 0x2F, 0x00}); }
};

inline void PutBe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> Smf(int format, int division, const std::vector<SmfTrack>& tracks) {
  std::vector<uint8_t> b = {'M', 'T', 'h', 'd'};
  PutBe(b, 6, 4);
  PutBe(b, format, 2);
  PutBe(b, static_cast<uint32_t>(tracks.size()), 2);
  PutBe(b, division, 2);
  for (const SmfTrack& t : tracks) {
    b.insert(b.end(), {'M', 'T', 'r', 'k'});
    PutBe(b, static_cast<uint32_t>(t.bytes.size()), 4);
    b.insert(b.end(), t.bytes.begin(), t.bytes.end());
  }
  return b;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A song of about the density of the game's music: 120 beats a minute, a melody in eighths, a
// three-note chord and a bass note each beat, and drums, over `bars` bars of 4/4.
inline std::vector<uint8_t> BusySong(int bars) {
  const int q = 480, e = q / 2;
  SmfTrack conductor, melody, chords, bass, drums;
  conductor.Tempo(0, 500000).End(static_cast<uint32_t>(bars * 4 * q));
  melody.At(0, {0xC0, 73});
  chords.At(0, {0xC1, 0});
  bass.At(0, {0xC2, 33});
  const uint8_t scale[8] = {72, 74, 76, 77, 79, 77, 76, 74};
  for (int bar = 0; bar < bars; ++bar) {
    for (int i = 0; i < 8; ++i) melody.At(0, {0x90, scale[(bar + i) % 8], 90}).At(static_cast<uint32_t>(e), {0x80, scale[(bar + i) % 8], 0});
    for (int beat = 0; beat < 4; ++beat) {
      const uint8_t root = static_cast<uint8_t>(60 + (bar % 4) * 2);
      chords.At(0, {0x91, root, 70}).At(0, {0x91, static_cast<uint8_t>(root + 4), 70}).At(0, {0x91, static_cast<uint8_t>(root + 7), 70});
      chords.At(static_cast<uint32_t>(q), {0x81, root, 0}).At(0, {0x81, static_cast<uint8_t>(root + 4), 0}).At(0, {0x81, static_cast<uint8_t>(root + 7), 0});
      bass.At(0, {0x92, static_cast<uint8_t>(root - 24), 100}).At(static_cast<uint32_t>(q), {0x82, static_cast<uint8_t>(root - 24), 0});
      for (int half = 0; half < 2; ++half) {
        drums.At(0, {0x99, 42, 80});
        if (half == 0) drums.At(0, {0x99, static_cast<uint8_t>(beat % 2 == 0 ? 36 : 38), 110});
        drums.At(static_cast<uint32_t>(e), {0x89, 42, 0});
      }
    }
  }
  for (SmfTrack* t : {&melody, &chords, &bass, &drums}) t->End(0);
  return Smf(1, q, {conductor, melody, chords, bass, drums});
}
