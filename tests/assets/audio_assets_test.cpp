// The generated sound effects and music, as the game reads them: every effect parses in its
// slot's format, is levelled and sounds like its role (judged from its waveform), the elevator's
// hum stays steady when replayed every frame; both songs load in the sequencer, agree with an
// independent reader, play one clean pass that ends on every track together and loops, and are
// heard through the synthesiser without clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio/midi_play.h"
#include "audio/mido_reader.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "audio/volumes.h"
#include "backend/headless/headless.h"
#include "platform/host_midi.h"
#include "platform/resources.h"
#include "support/game_reset.h"

namespace {

// ---- the sound effects ---------------------------------------------------------------------

struct EffectFormat {
  int slot;
  int resource;
  uint32_t rate;
  uint16_t channels;
  uint16_t bits;
};

// The slots' resources and formats that the sound effects are loaded from.
constexpr EffectFormat kEffects[] = {
    {0, 122, 22050, 1, 8},   {1, 123, 44100, 2, 16},  {2, 124, 22050, 1, 8},   {3, 125, 44100, 2, 16},
    {4, 128, 22050, 1, 8},   {5, 4, 22050, 1, 8},     {6, 149, 22050, 1, 8},   {7, 140, 22050, 1, 8},
    {8, 130, 22050, 1, 8},   {9, 129, 22050, 1, 8},   {10, 154, 44100, 2, 16}, {11, 152, 44100, 2, 16},
    {12, 153, 44100, 2, 16}, {13, 155, 22050, 1, 8},  {14, 156, 44100, 2, 16}, {15, 157, 44100, 2, 16},
    {16, 158, 22050, 1, 8},  {17, 161, 48000, 1, 16}, {18, 162, 22050, 1, 8},  {19, 163, 22050, 1, 8},
    {20, 164, 22050, 1, 8},  {21, 166, 44100, 2, 16}, {22, 170, 22050, 1, 8},  {23, 172, 44100, 1, 16},
    {24, 182, 44100, 2, 16}, {25, 183, 22050, 1, 8},  {26, 184, 44100, 2, 16}, {27, 190, 48000, 1, 16},
    {28, 191, 44100, 2, 16}, {29, 192, 22050, 1, 16}, {30, 193, 22050, 1, 16}, {31, 198, 22050, 1, 16},
    {32, 204, 22050, 1, 8},
};
constexpr int kHumSlot = 18;

// An effect's samples, -1..1, per channel.
struct Samples {
  host::WaveFormat format;
  std::vector<std::vector<double>> channels;
  std::vector<uint8_t> bytes;  // the data chunk as stored

  double Seconds() const { return static_cast<double>(channels[0].size()) / format.samples_per_sec; }
  // The mean of the channels over a part of the effect, from and to fractions of its length.
  std::vector<double> Mono(double from = 0.0, double to = 1.0) const {
    const size_t n = channels[0].size();
    std::vector<double> out;
    for (size_t i = static_cast<size_t>(from * n); i < static_cast<size_t>(to * n); ++i) {
      double sum = 0;
      for (const auto& c : channels) sum += c[i];
      out.push_back(sum / channels.size());
    }
    return out;
  }
  // The pitch of a part, as zero crossings a second (a tone's frequency, or noise's brightness).
  double CrossingHz(double from, double to) const {
    const std::vector<double> s = Mono(from, to);
    int crossings = 0;
    for (size_t i = 1; i < s.size(); ++i) crossings += (s[i] >= 0) != (s[i - 1] >= 0);
    return crossings / 2.0 / (s.size() / static_cast<double>(format.samples_per_sec));
  }
};

Samples Decode(int resource) {
  Samples out;
  const uint8_t* image = nullptr;
  size_t size = 0;
  EXPECT_TRUE(res::Find(res::Kind::Wave, resource, image, size)) << "resource " << resource;
  const uint8_t* data = nullptr;
  uint32_t data_size = 0;
  EXPECT_EQ(ParseWaveData(image, size, out.format, data, data_size), 1) << "resource " << resource;
  out.channels.resize(std::max<uint16_t>(out.format.channels, 1));
  if (data == nullptr || out.format.block_align == 0) return out;
  out.bytes.assign(data, data + data_size);
  for (uint32_t at = 0; at + out.format.block_align <= data_size; at += out.format.block_align) {
    for (uint16_t c = 0; c < out.format.channels; ++c) {
      const uint8_t* p = data + at + c * out.format.bits_per_sample / 8;
      out.channels[c].push_back(out.format.bits_per_sample == 8 ? (p[0] - 128) / 128.0
                                                                : static_cast<int16_t>(p[0] | p[1] << 8) / 32768.0);
    }
  }
  return out;
}

double PeakDb(const Samples& s) {
  double peak = 0;
  for (const auto& c : s.channels)
    for (double v : c) peak = std::max(peak, std::fabs(v));
  return 20 * std::log10(peak);
}

TEST(AudioAssetsTest, EveryEffectParsesInItsSlotsFormatAndIsLevelled) {
  // The data chunks are kept as strings: ordering std::vector<uint8_t> makes GCC 12 at -O3 report
  // a stringop-overread in the memcmp it inlines (a false positive of that compiler).
  std::set<std::string> seen;
  for (const EffectFormat& e : kEffects) {
    SCOPED_TRACE("slot " + std::to_string(e.slot));
    const Samples s = Decode(e.resource);
    EXPECT_EQ(s.format.format_tag, 1);
    EXPECT_EQ(s.format.samples_per_sec, e.rate);
    EXPECT_EQ(s.format.channels, e.channels);
    EXPECT_EQ(s.format.bits_per_sample, e.bits);
    EXPECT_EQ(s.format.block_align, e.channels * e.bits / 8);
    EXPECT_EQ(s.format.avg_bytes_per_sec, e.rate * s.format.block_align);
    ASSERT_FALSE(s.channels[0].empty());
    EXPECT_TRUE(seen.emplace(s.bytes.begin(), s.bytes.end()).second) << "the same sound as another slot";

    // Short enough for its role, loud enough to hear, never at full scale.
    EXPECT_LE(s.Seconds(), 1.1);
    const double peak = PeakDb(s);
    if (e.slot == kHumSlot) {
      EXPECT_NEAR(peak, -18, 1.0);  // several copies of it sound at once
    } else {
      EXPECT_NEAR(peak, -6, 1.0);
    }
    // It starts and ends in silence, so it neither clicks on nor cuts off.
    for (const auto& c : s.channels) {
      EXPECT_LT(std::fabs(c.front()), 0.02);
      EXPECT_LT(std::fabs(c.back()), 0.02);
    }
  }
}

TEST(AudioAssetsTest, EffectsSoundLikeTheirRoles) {
  std::map<int, Samples> s;
  for (const EffectFormat& e : kEffects) s[e.slot] = Decode(e.resource);

  // The typewriter ticks for every character, every 2 frames at the fastest; the alarm repeats
  // every 8 frames at the fastest.
  EXPECT_LE(s[10].Seconds(), 0.030);
  EXPECT_LE(s[24].Seconds(), 8 / 60.0);
  // A jump and the boss's shot rise; her shot and the power running out fall.
  for (int rising : {2, 30}) {
    EXPECT_GT(s[rising].CrossingHz(0.6, 0.9), 1.5 * s[rising].CrossingHz(0.05, 0.3)) << rising;
  }
  for (int falling : {13, 22}) {
    EXPECT_LT(s[falling].CrossingHz(0.6, 0.9), 0.6 * s[falling].CrossingHz(0.05, 0.3)) << falling;
  }
  // Cancel is lower than choose; a thud is dull and a tink bright; a coin rings high.
  EXPECT_LT(s[20].CrossingHz(0, 1), 0.7 * s[0].CrossingHz(0, 1));
  EXPECT_LT(s[4].CrossingHz(0.2, 1), 200);
  EXPECT_GT(s[6].CrossingHz(0, 1), 2000);
  EXPECT_GT(s[1].CrossingHz(0.3, 0.9), 1000);
  // The stereo effects that are spread really differ between the ears.
  for (int wide : {1, 11, 21}) EXPECT_NE(s[wide].channels[0], s[wide].channels[1]) << wide;
}

std::vector<int16_t> Mix(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  headless::MixAudio(out.data(), frames);
  return out;
}

int MaxStep(const std::vector<int16_t>& mix, size_t from) {
  int step = 0;
  for (size_t i = from + 2; i < mix.size(); i += 2) step = std::max(step, std::abs(mix[i] - mix[i - 2]));
  return step;
}

// The elevator plays its hum every frame while it moves, taking the slot's 5 copies in turn.
TEST(AudioAssetsTest, TheElevatorHumIsSteadyWhenPlayedEveryFrame) {
  ResetGameState();
  LoadSoundEffects(0);
  SoundVolume = host::kVolumeFull;
  constexpr int kFrame = 48000 / 60;  // the headless device's frames in one picture
  PlaySound(kHumSlot);
  const std::vector<int16_t> alone = Mix(5 * kFrame);
  const int grain_step = MaxStep(alone, 0);
  ASSERT_GT(grain_step, 0);

  std::vector<int16_t> moving;
  for (int frame = 0; frame < 60; ++frame) {
    PlaySound(kHumSlot);
    const std::vector<int16_t> part = Mix(kFrame);
    moving.insert(moving.end(), part.begin(), part.end());
  }
  // Once 5 copies overlap, the level is the same in every period of the 120 Hz whine and never
  // clips; no seam makes a jump larger than the overlapping grains' own steepest slope.
  constexpr size_t kPeriod = 2 * 48000 / 120;
  std::vector<double> levels;
  for (size_t at = 10 * kFrame * 2; at + kPeriod <= moving.size(); at += kPeriod) {
    double sum = 0;
    for (size_t i = at; i < at + kPeriod; ++i) sum += static_cast<double>(moving[i]) * moving[i];
    levels.push_back(10 * std::log10(sum / kPeriod + 1));
  }
  const auto [quiet, loud] = std::minmax_element(levels.begin(), levels.end());
  EXPECT_LT(*loud - *quiet, 1.5);
  int peak = 0;
  for (int16_t v : moving) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_LT(peak, 32767 / 2 + 2000);
  EXPECT_LE(MaxStep(moving, 10 * kFrame * 2), 4 * grain_step + 200);

  // When it stops, the hum dies with the last grain, which has at most 4 frames left.
  Mix(4 * kFrame + 10);
  const std::vector<int16_t> after = Mix(kFrame);
  for (size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i], 0) << i;
  ResetGameState();
}

// ---- the music -----------------------------------------------------------------------------

const std::string kTown = TOVIA_BINARY_DIR "/Data/TOWN.MID";
const std::string kBoss = TOVIA_BINARY_DIR "/Data/MGYASAU.MDT";

// One pass of a song through the sequencer, stepped a millisecond at a time until every track
// has ended.
struct Pass {
  std::vector<Timed> events;  // without the channel volumes the player sends after each event
  std::vector<double> track_ends;
  double end_ms = 0;
  uint32_t tempo = 0;  // after the first step
  bool notes_left = false;
  bool ended_by_marker = true;  // every track's last event was its end-of-track
  int format = 0;
  int tracks = 0;
};

constexpr int kPlayerVolume = 100;

Pass PlayOnce(const std::string& path) {
  ResetGameState();
  BgmChannelVolume = kPlayerVolume;
  Pass pass;
  MidiPlay& p = MusicPlayers[0];
  EXPECT_EQ(p.Load(path.c_str()), 1);
  pass.format = p.format;
  pass.tracks = p.track_count;
  p.Rewind();
  p.out.Open(host::kMidiMapper);
  headless::ClearMidiOutEvents();
  pass.track_ends.assign(p.track_count, -1);
  for (int ms = 0; ms < 120000; ++ms) {
    p.OnTimer();
    if (ms == 0) pass.tempo = p.tempo;
    for (const auto& e : headless::MidiOutEvents()) {
      if (e.kind != headless::MidiOutEvent::Kind::Short && e.kind != headless::MidiOutEvent::Kind::Long) continue;
      const bool volume = (e.bytes[0] & 0xF0) == 0xB0 && e.bytes[1] == 7 && e.bytes[2] == kPlayerVolume;
      if (!volume) pass.events.push_back({static_cast<double>(ms), e.bytes});
    }
    headless::ClearMidiOutEvents();
    bool any = false;
    for (int i = 0; i < p.track_count; ++i) {
      if (p.tracks[i].active == 0 && pass.track_ends[i] < 0) pass.track_ends[i] = ms;
      any = any || p.tracks[i].active != 0;
    }
    if (!any) {
      pass.end_ms = ms;
      for (const MidiChannelState& c : p.channels)
        for (uint8_t bits : c.noteOn) pass.notes_left = pass.notes_left || bits != 0;
      for (int i = 0; i < p.track_count; ++i)
        pass.ended_by_marker = pass.ended_by_marker && p.tracks[i].cursor == p.tracks[i].data + p.tracks[i].length;
      break;
    }
  }
  p.FreeTracks();
  return pass;
}

void ExpectWellFormedSong(const std::string& path, double min_seconds, double max_seconds) {
  SCOPED_TRACE(path);
  const Pass pass = PlayOnce(path);
  EXPECT_EQ(pass.format, 1);
  EXPECT_GE(pass.tracks, 5);  // a tempo track, melody, harmony, bass, drums
  EXPECT_NE(pass.tempo, 1000000u) << "the tempo is set at tick 0";
  EXPECT_GE(pass.end_ms, min_seconds * 1000);
  EXPECT_LE(pass.end_ms, max_seconds * 1000);

  // A seamless loop: every track ends with its end-of-track event at the song's end, no note is
  // left sounding into the next pass, and the music goes on until the last beat.
  EXPECT_TRUE(pass.ended_by_marker);
  for (double end : pass.track_ends) EXPECT_NEAR(end, pass.end_ms, 1.0);
  EXPECT_FALSE(pass.notes_left);
  double last_note = 0;
  for (const Timed& t : pass.events)
    if ((t.bytes[0] & 0xF0) == 0x90 && t.bytes[2] != 0) last_note = t.ms;
  EXPECT_LT(pass.end_ms - last_note, pass.tempo / 1000.0);

  // The same messages at the same times as mido reads them (a step rounds up to the next
  // millisecond, and the tempo at tick 0 takes effect in the step that reads it), and no system
  // exclusive at all.
  const std::vector<Timed> mido = ReadWithMido(path);
  ExpectSameEvents(pass.events, mido, 2.0);
  const auto theirs = ByChannel(mido);
  EXPECT_EQ(theirs.count(16), 0u);
  EXPECT_EQ(theirs.count(9), 1u) << "drums on channel 10";

  // General MIDI: each melodic channel chooses its instrument before its first note; no key is
  // struck again while it still sounds (its first note-off would cut the second note).
  for (const auto& [channel, list] : theirs) {
    bool program = channel == 9;
    std::set<int> sounding;
    for (const Timed& t : list) {
      const int kind = t.bytes[0] & 0xF0;
      if (kind == 0xC0) program = true;
      if (kind == 0x90 && t.bytes[2] != 0) {
        EXPECT_TRUE(program) << "channel " << channel;
        EXPECT_TRUE(sounding.insert(t.bytes[1]).second)
            << "channel " << channel << " key " << int{t.bytes[1]} << " at " << t.ms;
      } else if (kind == 0x80 || kind == 0x90) {
        sounding.erase(t.bytes[1]);
      }
    }
  }
}

TEST(AudioAssetsTest, TheTownTuneIsAWellFormedLoopOfAMinuteOrMore) { ExpectWellFormedSong(kTown, 60, 120); }

TEST(AudioAssetsTest, TheBossTuneIsAWellFormedLoopOfAbout40To60Seconds) { ExpectWellFormedSong(kBoss, 40, 60); }

// The whole of each song through FluidSynth at the loudest music level: never silent for long,
// and never near clipping.
TEST(AudioAssetsTest, BothSongsAreHeardThroughTheSynthesiserWithoutClipping) {
  for (const std::string& path : {kTown, kBoss}) {
    SCOPED_TRACE(path);
    ResetGameState();
    ASSERT_TRUE(headless::UseSynth(true)) << "timgm6mb-soundfont must be installed (tools/install-deps)";
    BgmChannelVolume = 127;
    MidiPlay& p = MusicPlayers[0];
    ASSERT_EQ(p.Load(path.c_str()), 1);
    p.Rewind();
    p.out.Open(host::kMidiMapper);
    int peak = 0;
    double energy = 0, quietest = 0;
    std::vector<int16_t> out(2 * 48);
    for (int ms = 1; ms <= 40000; ++ms) {  // both songs are at least this long
      p.OnTimer();
      headless::MixAudio(out.data(), 48);
      for (int16_t v : out) {
        peak = std::max(peak, std::abs(static_cast<int>(v)));
        energy += static_cast<double>(v) * v;
      }
      if (ms % 2000 == 0) {  // every 2 seconds
        const double db = 10 * std::log10(energy / (2 * 48 * 2000) / (32768.0 * 32768.0) + 1e-12);
        quietest = ms == 2000 ? db : std::min(quietest, db);
        energy = 0;
        headless::ClearMidiOutEvents();
      }
    }
    EXPECT_LT(peak, 29000);  // about -1 dBFS
    EXPECT_GT(quietest, -40.0);
    p.Stop();
    p.FreeTracks();
  }
  ResetGameState();
}

}  // namespace
