// Music written as text and turned into the notes of a track: melodies as note names with
// lengths, harmony as chord symbols, drum parts as step patterns. Bars are checked: a line whose
// bars do not add up is reported on stderr and the call returns false, so a slip in the music's
// data fails the build instead of shifting every note after it.
#pragma once

#include <cstdint>
#include <vector>

#include "smf.h"

// The song's clock.
struct Meter {
  int division;  // ticks per quarter note
  int beats;     // quarter notes per bar
  uint32_t Bar(int bar) const { return static_cast<uint32_t>(bar * beats * division); }  // bar 0 first
};

// A melody from the start of bar `bar`: notes "A4", "F#5", "Bb3" (letter, sharp or flat,
// octave; C4 is key 60) and rests "r", each followed by its length, w h q e s (whole note to
// sixteenth), a dot adding half of it; "|" marks where a bar must end. Each note sounds for
// `legato` of its length.
bool Melody(TrackWriter& t, int channel, const Meter& m, int bar, const char* line, int velocity, double legato);

struct Chord {
  uint32_t tick;
  uint32_t length;
  std::vector<int> tones;  // pitch classes (0 = C), the root first
  int bass;                // pitch class of the bass note: the root, or the note after '/'

  // The key of chord tone number `index`, counted upwards from the lowest at or above `low`.
  int Key(int index, int low) const;
  // The lowest key of the bass note at or above `low`.
  int BassKey(int low) const;
};

// Chords from the start of bar `bar`, bars separated by "|": one symbol fills its bar, two share
// it by halves, four by quarters. Symbols: a root (C, F#, Bb ...), then nothing (major), m, 7,
// m7, maj7, sus2, sus4 or dim, and an optional "/" bass note ("C/E").
bool Chords(const Meter& m, int bar, const char* line, std::vector<Chord>& out);

// A drum part: `pattern` is one bar of equal steps, repeated for `bars` bars from bar `bar`:
// 'X' an accent, 'x' a hit, 'o' a ghost note, '.' nothing. Channel 10 (9 counted from 0).
bool Drums(TrackWriter& t, const Meter& m, int bar, int bars, int key, const char* pattern, int velocity);

constexpr int kDrumChannel = 9;
