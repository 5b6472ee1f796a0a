// "MGYASAU.MDT": the boss fight, a driving tune in D minor at 168 beats a minute, 32 bars (about
// 46 seconds): a riff of four bars, a square-lead theme and its answer an octave up, a half-time
// bridge of long notes over held power chords, and the riff again, ending on A so that it falls
// back into the first bar. Distorted guitar chugs power chords over a synth bass in eighths;
// strings and orchestra hits mark the sections; the drums drive throughout.
#include "music.h"

namespace {

constexpr Meter kMeter{480, 4};
constexpr int kTempo = 168;
constexpr int kBars = 32;

// The sections start at these bars (counted from 0).
constexpr int kIntro = 0, kTheme = 4, kAnswer = 12, kBridge = 20, kOutro = 28;

constexpr int kSquareLead = 80, kDistortionGuitar = 30, kSynthBass = 38, kStrings = 48, kOrchestraHit = 55;
constexpr int kKick = 36, kSnare = 38, kClosedHat = 42, kCrash = 49, kRide = 51;

const char* const kHarmony[] = {
    /* riff   */ "Dm | Dm | Bb | C",
    /* theme  */ "Dm | Dm | Bb | C | Dm | Dm | Bb | A",
    /* answer */ "Dm | Dm | Bb | C | Dm | Gm | A | A",
    /* bridge */ "Bb | C | Dm | A | Bb | C | Gm | A",
    /* riff   */ "Dm | Dm | Bb | A",
};
constexpr int kHarmonyBars[] = {kIntro, kTheme, kAnswer, kBridge, kOutro};

const char* const kThemeLine =
    "D5q. A4e D5e E5e F5q | E5e D5e C5e D5e A4h | Bb4q. D5e F5q Bb5q | A5e G5e E5e C5e G5h |"
    "D5q. A4e D5e E5e F5q | G5e F5e E5e F5e D5h | F5q. G5e F5q D5q | C#5q E5q A5h";
const char* const kAnswerLine =
    "D6e C6e A5e F5e D5e F5e A5e D6e | C6e A5e F5e E5e D5h | D6e Bb5e F5e D5e Bb4e D5e F5e Bb5e | G5e E5e C5e E5e G5h |"
    "A5q. F5e D5q A5q | Bb5q. G5e D5q Bb5q | A5e G5e F5e E5e C#5q E5q | A5h. rq";
const char* const kBridgeLine =
    "F5h D5h | E5h G5h | A5h. F5q | E5h. C#5q | D5h F5h | G5h E5h | D5h Bb4q D5q | C#5h E5q A5q";

bool InRange(const Chord& c, int from, int to) { return c.tick >= kMeter.Bar(from) && c.tick < kMeter.Bar(to); }

// The guitar: palm-muted power chords (root, fifth, octave from around E2) in eighths, accented
// 3 + 3 + 2; in the bridge each chord rings for its whole bar.
void PowerChords(TrackWriter& t, int channel, const std::vector<Chord>& chords) {
  constexpr bool kAccent[] = {true, false, false, true, false, false, true, false};
  const uint32_t eighth = kMeter.division / 2;
  for (const Chord& c : chords) {
    const int root = c.BassKey(40);
    for (int interval : {0, 7, 12}) {
      if (InRange(c, kBridge, kOutro)) {
        t.Note(c.tick, c.length - 20, channel, root + interval, 76);
        continue;
      }
      for (uint32_t i = 0; i * eighth < c.length; ++i) {
        t.Note(c.tick + i * eighth, eighth / 2, channel, root + interval, kAccent[i % 8] ? 84 : 64);
      }
    }
  }
}

// The bass: the root in eighths, the seventh eighth jumping an octave; quarters in the bridge.
void Bass(TrackWriter& t, int channel, const std::vector<Chord>& chords) {
  for (const Chord& c : chords) {
    const int root = c.BassKey(28);
    const bool bridge = InRange(c, kBridge, kOutro);
    const uint32_t step = bridge ? kMeter.division : kMeter.division / 2;
    for (uint32_t i = 0; i * step < c.length; ++i) {
      const bool jump = !bridge && i % 8 == 6;
      t.Note(c.tick + i * step, step * 4 / 5, channel, root + (jump ? 12 : 0), i % 2 == 0 ? 92 : 78);
    }
  }
}

// The strings hold the chords under the answer and the bridge.
void Pad(TrackWriter& t, int channel, const std::vector<Chord>& chords) {
  for (const Chord& c : chords) {
    if (!InRange(c, kAnswer, kOutro)) continue;
    for (int i = 0; i < 3; ++i) t.Note(c.tick, c.length - 10, channel, c.Key(i, 62), 54);
  }
}

// An orchestra hit, and a crash, at the start of every section.
void SectionHits(TrackWriter& hits, int channel, TrackWriter& drums, const std::vector<Chord>& chords) {
  for (int bar : kHarmonyBars) {
    for (const Chord& c : chords) {
      if (c.tick != kMeter.Bar(bar)) continue;
      for (int i = 0; i < 3; ++i) hits.Note(c.tick, kMeter.division, channel, c.Key(i, 62), 80);
    }
    drums.Note(kMeter.Bar(bar), kMeter.division, kDrumChannel, kCrash, 88);
  }
}

bool DrumKit(TrackWriter& t) {
  const int driving[][2] = {{kIntro, kBridge}, {kOutro, kBars - 1}};
  for (const auto& [from, to] : driving) {
    if (!Drums(t, kMeter, from, to - from, kKick, "X..x..x.X..x..x.", 88) ||
        !Drums(t, kMeter, from, to - from, kSnare, "....X.......X...", 86) ||
        !Drums(t, kMeter, from, to - from, kClosedHat, "x.x.x.x.x.x.x.x.", 62)) {
      return false;
    }
  }
  return Drums(t, kMeter, kBridge, kOutro - kBridge, kKick, "X.......x.x.....", 88) &&
         Drums(t, kMeter, kBridge, kOutro - kBridge, kSnare, "........X.......", 90) &&
         Drums(t, kMeter, kBridge, kOutro - kBridge, kRide, "x.x.x.x.x.x.x.x.", 64) &&
         // The last bar rolls on the snare into the riff.
         Drums(t, kMeter, kBars - 1, 1, kKick, "X.......X.......", 88) &&
         Drums(t, kMeter, kBars - 1, 1, kSnare, "....X...xxxxXXXX", 72);
}

}  // namespace

std::vector<uint8_t> ComposeBossSong() {
  TrackWriter conductor = Conductor("Boss", kTempo, kMeter);
  TrackWriter lead = Instrument("Lead", 0, kSquareLead, 64, 40);
  TrackWriter guitar = Instrument("Guitar", 1, kDistortionGuitar, 40, 30);
  TrackWriter bass = Instrument("Bass", 2, kSynthBass, 64, 10);
  TrackWriter strings = Instrument("Strings", 3, kStrings, 90, 60);
  TrackWriter hits = Instrument("Hits", 4, kOrchestraHit, 64, 50);
  TrackWriter drums = Instrument("Drums", kDrumChannel, 0, 64, 30);

  std::vector<Chord> chords;
  for (int s = 0; s < 5; ++s) {
    if (!Chords(kMeter, kHarmonyBars[s], kHarmony[s], chords)) return {};
  }
  if (!Melody(lead, 0, kMeter, kTheme, kThemeLine, 88, 0.85) ||
      !Melody(lead, 0, kMeter, kAnswer, kAnswerLine, 92, 0.85) ||
      !Melody(lead, 0, kMeter, kBridge, kBridgeLine, 86, 0.95)) {
    return {};
  }
  PowerChords(guitar, 1, chords);
  Bass(bass, 2, chords);
  Pad(strings, 3, chords);
  SectionHits(hits, 4, drums, chords);
  if (!DrumKit(drums)) return {};
  return EncodeSmf(kMeter.division, {conductor, lead, guitar, bass, strings, hits, drums}, kMeter.Bar(kBars));
}
