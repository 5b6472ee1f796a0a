#include "score.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool Fail(const char* what, const char* line) {
  std::fprintf(stderr, "assetgen: music: %s in \"%s\"\n", what, line);
  return false;
}

// A pitch class from a letter and an optional accidental; advances `p`. -1 when it is none.
int PitchClass(const char*& p) {
  constexpr int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  if (letter < 'A' || letter > 'G') return -1;
  int pc = kNatural[letter - 'A'];
  ++p;
  if (*p == '#') pc += 1, ++p;
  else if (*p == 'b') pc += 11, ++p;
  return pc % 12;
}

// A length letter and its optional dot, in ticks; advances `p`. 0 when it is none.
uint32_t Length(const char*& p, const Meter& m) {
  uint32_t ticks = 0;
  switch (*p) {
    case 'w': ticks = 4 * m.division; break;
    case 'h': ticks = 2 * m.division; break;
    case 'q': ticks = m.division; break;
    case 'e': ticks = m.division / 2; break;
    case 's': ticks = m.division / 4; break;
    default: return 0;
  }
  ++p;
  if (*p == '.') ticks += ticks / 2, ++p;
  return ticks;
}

// Each symbol's tones above its root.
struct Quality {
  const char* name;
  std::vector<int> intervals;
};
const Quality kQualities[] = {
    {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}}, {"sus2", {0, 2, 7}}, {"sus4", {0, 5, 7}},
    {"dim", {0, 3, 6}},      {"m", {0, 3, 7}},      {"7", {0, 4, 7, 10}}, {"", {0, 4, 7}},
};

bool ParseChord(const std::string& symbol, Chord& chord) {
  const char* p = symbol.c_str();
  const int root = PitchClass(p);
  if (root < 0) return false;
  const char* slash = std::strchr(p, '/');
  const std::string quality(p, slash != nullptr ? slash : p + std::strlen(p));
  const Quality* q = std::find_if(std::begin(kQualities), std::end(kQualities),
                                  [&](const Quality& k) { return quality == k.name; });
  if (q == std::end(kQualities)) return false;
  chord.tones.clear();
  for (int i : q->intervals) chord.tones.push_back((root + i) % 12);
  chord.bass = root;
  if (slash != nullptr) {
    const char* b = slash + 1;
    chord.bass = PitchClass(b);
    if (chord.bass < 0 || *b != '\0') return false;
  }
  return true;
}

}  // namespace

bool Melody(TrackWriter& t, int channel, const Meter& m, int bar, const char* line, int velocity, double legato) {
  uint32_t tick = m.Bar(bar);
  const uint32_t bar_ticks = m.Bar(1);
  for (const char* p = line; *p != '\0';) {
    if (*p == ' ') {
      ++p;
    } else if (*p == '|') {
      if ((tick - m.Bar(bar)) % bar_ticks != 0) return Fail("a bar that does not add up", line);
      ++p;
    } else {
      int key = -1;
      if (*p == 'r') {
        ++p;
      } else {
        const int pc = PitchClass(p);
        if (pc < 0 || !std::isdigit(static_cast<unsigned char>(*p))) return Fail("a bad note", line);
        key = 12 * (*p++ - '0' + 1) + pc;
      }
      const uint32_t length = Length(p, m);
      if (length == 0) return Fail("a note without its length", line);
      if (key >= 0) t.Note(tick, static_cast<uint32_t>(length * legato), channel, key, velocity);
      tick += length;
    }
  }
  if ((tick - m.Bar(bar)) % bar_ticks != 0) return Fail("a last bar that does not add up", line);
  return true;
}

int Chord::Key(int index, int low) const {
  int found = -1;
  for (int key = low; key < 128; ++key) {
    if (std::find(tones.begin(), tones.end(), key % 12) != tones.end() && ++found == index) return key;
  }
  return low;
}

int Chord::BassKey(int low) const { return low + ((bass - low % 12) + 12) % 12; }

bool Chords(const Meter& m, int bar, const char* line, std::vector<Chord>& out) {
  const std::string text(line);
  size_t start = 0;
  for (int b = bar;; ++b) {
    const size_t end = std::min(text.find('|', start), text.size());
    std::vector<std::string> symbols;
    for (size_t i = start; i < end;) {
      if (text[i] == ' ') {
        ++i;
        continue;
      }
      const size_t stop = std::min(text.find_first_of(" |", i), end);
      symbols.push_back(text.substr(i, stop - i));
      i = stop;
    }
    const size_t n = symbols.size();
    if (n != 1 && n != 2 && n != 4) return Fail("a bar without 1, 2 or 4 chords", line);
    const uint32_t length = m.Bar(1) / static_cast<uint32_t>(n);
    for (size_t i = 0; i < n; ++i) {
      Chord chord{m.Bar(b) + static_cast<uint32_t>(i) * length, length, {}, 0};
      if (!ParseChord(symbols[i], chord)) return Fail("a chord symbol that is not known", line);
      out.push_back(chord);
    }
    if (end == text.size()) return true;
    start = end + 1;
  }
}

bool Drums(TrackWriter& t, const Meter& m, int bar, int bars, int key, const char* pattern, int velocity) {
  const uint32_t steps = static_cast<uint32_t>(std::strlen(pattern));
  if (steps == 0 || m.Bar(1) % steps != 0) return Fail("a pattern that does not divide the bar", pattern);
  const uint32_t step = m.Bar(1) / steps;
  for (int b = bar; b < bar + bars; ++b) {
    for (uint32_t i = 0; i < steps; ++i) {
      int v = 0;
      switch (pattern[i]) {
        case 'X': v = velocity + 25; break;
        case 'x': v = velocity; break;
        case 'o': v = velocity / 2; break;
        case '.': continue;
        default: return Fail("a step that is not X, x, o or .", pattern);
      }
      t.Note(m.Bar(b) + i * step, step / 2, kDrumChannel, key, v);
    }
  }
  return true;
}
