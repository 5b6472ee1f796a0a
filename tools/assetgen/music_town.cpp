// "TOWN.MID": a calm tune for a town in the mountains, in F major at 96 beats a minute, 32 bars
// (80 seconds) in four sections, A A' B A''. A flute sings the melody over a nylon guitar's
// arpeggios and an acoustic bass; strings join for the second half, and a shaker, with a side
// stick and a soft kick from the second section on, keeps the time. The last bar turns back to
// the first chord, so the loop has no seam.
#include "music.h"

#include <algorithm>

namespace {

constexpr Meter kMeter{480, 4};
constexpr int kTempo = 96;
constexpr int kBars = 32;

// The sections start at these bars (counted from 0).
constexpr int kA = 0, kA2 = 8, kB = 16, kA3 = 24;

constexpr int kFlute = 73, kNylonGuitar = 24, kAcousticBass = 32, kStrings = 49;
constexpr int kKick = 36, kSideStick = 37, kShaker = 82, kTriangle = 81;

const char* const kHarmony[] = {
    /* A   */ "F | Am | Bb | F | Dm | Gm | C7 | F",
    /* A'  */ "F | Am | Bb | F | Dm | Gm | C7 | F",
    /* B   */ "Bb | C | Am | Dm | Gm | C | F/A | Gm7 C7",
    /* A'' */ "F | Am | Bb | F | Dm | Gm7 C7 | F | Gm7 C7",
};

const char* const kMelody[] = {
    /* A   */ "A4q C5q F5q. E5e | E5q C5q A4h | D5q. C5e Bb4q D5q | C5h. rq |"
              "D5q F5q A5q. G5e | G5q F5e D5e Bb4h | C5q E5q G5q Bb5q | A5h. rq",
    /* A'  */ "A4q C5q F5q. G5e | A5q G5e E5e C5h | D5q F5q Bb5q. A5e | A5q G5e F5e C5h |"
              "D5e E5e F5e A5e D6q. C6e | Bb5q A5e G5e D5h | E5q G5q Bb5q. A5e | F5h. rq",
    /* B   */ "D6q. C6e Bb5q F5q | G5q. A5e G5q E5q | E5q A5q C6q. B5e | A5h. rq |"
              "Bb5q. A5e G5q D5q | E5q G5q C6q. Bb5e | A5q. G5e F5q C5q | D5h E5h",
    /* A'' */ "A4q C5q F5q. E5e | E5q C5q A4h | D5q. C5e Bb4q D5q | C5h F5h |"
              "D5q F5q A5q. G5e | G5q F5e D5e E5q C5q | F5h. rq | rh Bb4q G4q",
};

// The guitar picks each chord upwards and back in eighths from around E3, each note ringing
// into the next until the chord changes: root, fifth, octave, third ... (a chord of half a bar
// takes the first four).
void Arpeggios(TrackWriter& t, int channel, const std::vector<Chord>& chords) {
  constexpr int kPattern[] = {0, 1, 2, 3, 2, 1, 2, 1};
  const uint32_t eighth = kMeter.division / 2;
  for (const Chord& c : chords) {
    for (uint32_t i = 0; i * eighth < c.length; ++i) {
      const int key = i == 0 ? c.BassKey(48) : c.Key(kPattern[i], c.BassKey(48));
      const uint32_t ring = std::min(eighth * 3 / 2, c.length - i * eighth);
      t.Note(c.tick + i * eighth, ring, channel, key, i == 0 ? 80 : 68);
    }
  }
}

// The bass: the chord's bass note, then its fifth, a half note each (one note for half a bar).
void Bass(TrackWriter& t, int channel, const std::vector<Chord>& chords) {
  const uint32_t half = 2 * kMeter.division;
  for (const Chord& c : chords) {
    const int bass = c.BassKey(36);
    t.Note(c.tick, half * 9 / 10, channel, bass, 96);
    if (c.length > half) {
      const int fifth = bass + 1 + ((c.tones[2] - (bass + 1) % 12) + 12) % 12;
      t.Note(c.tick + half, half * 9 / 10, channel, fifth, 84);
    }
  }
}

// The strings hold each chord softly, its three lowest tones from middle C up.
void Pad(TrackWriter& t, int channel, const std::vector<Chord>& chords, int from_bar) {
  for (const Chord& c : chords) {
    if (c.tick < kMeter.Bar(from_bar)) continue;
    for (int i = 0; i < 3; ++i) t.Note(c.tick, c.length - 10, channel, c.Key(i, 60), 50);
  }
}

bool Percussion(TrackWriter& t) {
  return Drums(t, kMeter, 0, kBars, kShaker, "xoxoxoxo", 52) &&
         Drums(t, kMeter, kA2, kBars - kA2, kSideStick, "..x...x.", 56) &&
         Drums(t, kMeter, kA2, kBars - kA2, kKick, "x...x...", 64) &&
         Drums(t, kMeter, kB, kA3 - kB, kTriangle, "x.......", 44);
}

}  // namespace

std::vector<uint8_t> ComposeTownSong() {
  TrackWriter conductor = Conductor("Town", kTempo, kMeter);
  TrackWriter flute = Instrument("Flute", 0, kFlute, 72, 64);
  TrackWriter guitar = Instrument("Guitar", 1, kNylonGuitar, 44, 50);
  TrackWriter bass = Instrument("Bass", 2, kAcousticBass, 64, 30);
  TrackWriter strings = Instrument("Strings", 3, kStrings, 88, 70);
  TrackWriter drums = Instrument("Percussion", kDrumChannel, 0, 60, 40);

  std::vector<Chord> chords;
  constexpr int kSections[] = {kA, kA2, kB, kA3};
  for (int s = 0; s < 4; ++s) {
    if (!Chords(kMeter, kSections[s], kHarmony[s], chords) ||
        !Melody(flute, 0, kMeter, kSections[s], kMelody[s], 100, 0.92)) {
      return {};
    }
  }
  Arpeggios(guitar, 1, chords);
  Bass(bass, 2, chords);
  Pad(strings, 3, chords, kB);
  if (!Percussion(drums)) return {};
  return EncodeSmf(kMeter.division, {conductor, flute, guitar, bass, strings, drums}, kMeter.Bar(kBars));
}
