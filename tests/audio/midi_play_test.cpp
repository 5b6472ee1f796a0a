// The sequencer, stepped by hand one millisecond at a time: events and their timing against an
// independent reader, tempo changes, running status, loops, the channel volumes after every
// event, and files that are damaged or no MIDI files at all.
#include "audio/midi_play.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "audio/mido_reader.h"
#include "audio/music.h"
#include "audio/smf_builder.h"
#include "backend/headless/headless.h"
#include "platform/host_midi.h"
#include "support/game_reset.h"

namespace {

using Kind = headless::MidiOutEvent::Kind;

class MidiPlayTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    char dir[] = "/tmp/tovia_midi_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    BgmChannelVolume = 100;
  }
  void TearDown() override {
    ResetGameState();
    std::system(("rm -rf " + dir_).c_str());
  }

  std::string Write(const std::vector<uint8_t>& bytes, const char* name = "song.mid") {
    const std::string path = dir_ + "/" + name;
    EXPECT_TRUE(WriteBytes(path, bytes));
    return path;
  }
  // Loads the file into player 0 and opens its device, with no timer: the test steps it.
  MidiPlay& Load(const std::vector<uint8_t>& bytes) {
    MidiPlay& p = MusicPlayers[0];
    EXPECT_EQ(p.Load(Write(bytes).c_str()), 1);
    p.Rewind();
    p.out.Open(host::kMidiMapper);
    headless::ClearMidiOutEvents();
    return p;
  }
  // Steps the player `ms` times; every message sent, with the step it was sent in. The channel
  // volumes that follow every event are left out unless asked for.
  static std::vector<Timed> Run(MidiPlay& p, int ms, bool with_volumes = false) {
    std::vector<Timed> out;
    size_t seen = headless::MidiOutEvents().size();
    for (int step = 0; step < ms; ++step) {
      p.OnTimer();
      const auto events = headless::MidiOutEvents();
      for (; seen < events.size(); ++seen) {
        const auto& e = events[seen];
        const bool volume = e.kind == Kind::Short && (e.bytes[0] & 0xF0) == 0xB0 && e.bytes[1] == 7 &&
                            e.bytes[2] == BgmChannelVolume;
        if ((e.kind == Kind::Short || e.kind == Kind::Long) && (with_volumes || !volume)) {
          out.push_back({static_cast<double>(step), e.bytes});
        }
      }
    }
    return out;
  }
  // The same file read by mido.
  std::vector<Timed> ReadIndependently(const std::vector<uint8_t>& bytes) {
    return ReadWithMido(Write(bytes, "independent.mid"));
  }

  std::string dir_;
};

// Format 1: a conductor track with three tempos, a melody using running status and note-ons of
// velocity 0, and drums with a system-exclusive message.
std::vector<uint8_t> FormatOneSong() {
  SmfTrack conductor, melody, drums;
  conductor.Tempo(0, 500000).Tempo(960, 400000).Tempo(960, 750000).End(960);
  melody.At(0, {0xC0, 5}).At(0, {0xB0, 10, 30}).At(0, {0x90, 60, 100});
  for (int i = 0; i < 10; ++i) {
    melody.At(120, {static_cast<uint8_t>(60 + i), 0}).At(0, {static_cast<uint8_t>(61 + i), 90});  // running status
  }
  melody.At(100, {0x80, 70, 64}).At(7, {0xE0, 0x00, 0x50}).At(0, {0xD0, 40}).At(13, {0xA0, 61, 20}).End(0);
  drums.At(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}).At(0, {0x99, 36, 120});
  for (int i = 0; i < 12; ++i) drums.At(i % 2 == 0 ? 240 : 233, {0x99, 42, static_cast<uint8_t>(i == 5 ? 0 : 70)});
  drums.End(2);
  return Smf(1, 480, {conductor, melody, drums});
}

// Format 0: one track holding every channel, with running status across a tempo change.
std::vector<uint8_t> FormatZeroSong() {
  SmfTrack t;
  t.Tempo(0, 600000).At(0, {0x91, 50, 80}).At(96, {0x92, 55, 80}).At(96, {57, 81}).At(50, {0x91, 50, 0});
  t.Tempo(31, 250000).At(0, {0x92, 55, 0}).At(192, {57, 0}).At(1, {0xB3, 64, 127}).At(400, {0x83, 40, 0}).End(17);
  return Smf(0, 192, {t});
}

TEST_F(MidiPlayTest, AgreesWithAnIndependentReaderOnEveryEventAndItsTime) {
  for (const auto& [song, length_ms, tempo_changes] :
       {std::tuple{FormatOneSong(), 5000, 3}, std::tuple{FormatZeroSong(), 3000, 2}}) {
    const std::vector<Timed> theirs = ReadIndependently(song);
    ASSERT_FALSE(theirs.empty());
    MidiPlay& p = Load(song);
    // Each step rounds the time up to the next millisecond; a tempo change takes effect in the
    // step that reads it, so each can shift what follows by up to a millisecond.
    const double tolerance = 1.0 + tempo_changes;
    const double end = theirs.back().ms;
    const std::vector<Timed> ours = Run(p, static_cast<int>(end + tolerance) + 1);
    ExpectSameEvents(ours, theirs, tolerance);
    ASSERT_LT(end, length_ms);
  }
}

// The timer sleeps through the calls the player calls idle: they must send nothing, and the
// call after them must be the one that has work (an event read, or the rewind at the song's
// end), so that sleeping moves no event from its millisecond. A fade runs every call.
TEST_F(MidiPlayTest, IdleCallsSendNothingAndEndWhereTheNextEventIsDue) {
  MidiPlay& p = Load(FormatOneSong());
  auto cursors = [&p] {
    std::vector<std::pair<const uint8_t*, int32_t>> at;
    for (int i = 0; i < p.track_count; ++i) at.emplace_back(p.tracks[i].cursor, p.tracks[i].active);
    return at;
  };
  int slept = 0;
  for (int ms = 0; ms < 6000;) {
    const uint32_t idle = p.IdleCalls();
    const uint64_t start = p.elapsed_ms;
    ASSERT_TRUE(Run(p, static_cast<int>(idle), true).empty()) << "at " << ms;
    EXPECT_EQ(p.elapsed_ms, start + idle);
    const auto read = cursors();
    p.OnTimer();
    if (idle > 0 && idle < MidiPlay::kIdleLookAhead) {  // not cut short by the look-ahead
      EXPECT_TRUE(cursors() != read || p.elapsed_ms == 0) << "at " << ms;
    }
    slept += static_cast<int>(idle);
    ms += static_cast<int>(idle) + 1;
  }
  EXPECT_GT(slept, 5000);  // most milliseconds of this song have nothing to send

  MidiPlay fading;  // a player of its own, closed: the game's players outlive the test
  ASSERT_EQ(fading.Load(Write(FormatOneSong(), "fading.mid").c_str()), 1);
  fading.Rewind();
  fading.OnTimer();
  ASSERT_GT(fading.IdleCalls(), 0u);
  fading.StartFade(100);
  EXPECT_EQ(fading.IdleCalls(), 0u);
}

TEST_F(MidiPlayTest, TheSongRestartsWhenEveryTrackHasEnded) {
  SmfTrack a, b;
  a.Tempo(0, 500000).At(0, {0x90, 60, 100}).End(1920);
  b.At(480, {0x91, 64, 100}).End(960);
  MidiPlay& p = Load(Smf(1, 480, {a, b}));
  std::vector<double> starts;
  for (const Timed& t : Run(p, 6100)) {
    if (t.bytes == std::vector<uint8_t>{0x90, 60, 100}) starts.push_back(t.ms);
  }
  // The ends are read at 2000 ms; the next step finds no track active and rewinds; the one after
  // plays tick 0 again.
  EXPECT_EQ(starts, (std::vector<double>{0, 2002, 4004, 6006}));
}

TEST_F(MidiPlayTest, TempoEvents) {
  SmfTrack t;
  t.At(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  MidiPlay& p = Load(Smf(0, 480, {t.At(10, {0x90, 1, 1}).End(0)}));
  EXPECT_EQ(p.tempo, 1000000u);  // until the song sets one
  Run(p, 1);
  EXPECT_EQ(p.tempo, 500000u);

  SmfTrack zero;  // a tempo of 0, and one with no bytes, are ignored
  zero.Tempo(0, 0).At(0, {0xFF, 0x51, 0x00}).At(0, {0x90, 60, 100}).At(480, {0x80, 60, 0}).End(0);
  MidiPlay& q = Load(Smf(0, 480, {zero}));
  const std::vector<Timed> events = Run(q, 1001);  // before it plays again
  EXPECT_EQ(q.tempo, 1000000u);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].ms, 1000);  // a quarter note at 1,000,000 microseconds
}

TEST_F(MidiPlayTest, EveryEventIsFollowedByTheMusicVolumeOnEveryChannel) {
  SmfTrack t;
  t.Tempo(0, 500000).At(0, {0xB2, 7, 110}).At(10, {0x92, 60, 100}).End(0);
  MidiPlay& p = Load(Smf(0, 480, {t}));
  p.volume_offset = -30;
  const std::vector<Timed> all = Run(p, 12, true);  // the note and the end come at 11 ms
  // The tempo event, the controller and the note: each followed by 16 channel volumes.
  ASSERT_EQ(all.size(), 16u + 17u + 17u);
  EXPECT_EQ(all[16].bytes, (std::vector<uint8_t>{0xB2, 7, 80}));  // the file's value, moved by the offset
  for (int i : {0, 17, 34}) {
    for (int c = 0; c < 16; ++c) {
      EXPECT_EQ(all[i + c].bytes, (std::vector<uint8_t>{static_cast<uint8_t>(0xB0 + c), 7, 100}));
    }
  }
  EXPECT_EQ(p.channels[2].volume, 110);
  EXPECT_EQ(p.channels[2].sent_volume, 80);

  BgmChannelVolume = 300;  // sent clamped
  MidiPlay& q = Load(Smf(0, 480, {SmfTrack{}.At(0, {0x90, 1, 1}).End(0)}));
  EXPECT_EQ(Run(q, 1, true).back().bytes, (std::vector<uint8_t>{0xBF, 7, 127}));
  BgmChannelVolume = 100;
  q.mute = 1;
  q.Rewind();
  EXPECT_EQ(Run(q, 1, true).size(), 1u);  // only the note
}

TEST_F(MidiPlayTest, TheChannelStateFollowsTheEvents) {
  SmfTrack t;
  t.At(0, {0x93, 60, 100}).At(0, {64, 100}).At(0, {0xB3, 0, 8}).At(0, {0xB3, 91, 40}).At(0, {0xB3, 93, 20});
  t.At(0, {0xC3, 19}).At(0, {0xB3, 10, 99}).At(5, {0x93, 60, 0}).At(5, {0x83, 64, 0}).End(0);
  MidiPlay& p = Load(Smf(0, 480, {t}));
  Run(p, 1);
  const MidiChannelState& c = p.channels[3];
  EXPECT_EQ(c.noteOn[7], 1 << 4);  // note 60
  EXPECT_EQ(c.noteOn[8], 1 << 0);  // note 64
  EXPECT_EQ(c.bank, 8);
  EXPECT_EQ(c.reverb, 40);
  EXPECT_EQ(c.chorus, 20);
  EXPECT_EQ(c.program, 19);
  EXPECT_EQ(c.pan, 99);
  Run(p, 21);  // both notes end at 21 ms
  for (uint8_t bits : c.noteOn) EXPECT_EQ(bits, 0);
}

TEST_F(MidiPlayTest, DamagedTracksEndSafely) {
  // A data byte before any status ends the track at once.
  EXPECT_TRUE(Run(Load(Smf(0, 480, {SmfTrack{}.At(0, {0x40, 0x40}).At(0, {0x90, 1, 1})})), 5).empty());

  // F7 skips its counted bytes, which would otherwise read as a note.
  SmfTrack escape;
  escape.At(0, {0xF7, 0x03, 0x90, 0x30, 0x40}).At(0, {0x90, 61, 1}).End(0);
  auto events = Run(Load(Smf(0, 480, {escape})), 2);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].bytes, (std::vector<uint8_t>{0x90, 61, 1}));

  // Data bytes are 7 bits; a variable-length number stops after 4 bytes.
  SmfTrack wild;
  wild.At(0, {0x95, 0xC5, 0xF0}).Raw({0x80, 0x80, 0x80, 0x80}).Raw({0x95, 1, 2});
  events = Run(Load(Smf(0, 480, {wild})), 1);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].bytes, (std::vector<uint8_t>{0x95, 0x45, 0x70}));
  EXPECT_EQ(events[1].bytes, (std::vector<uint8_t>{0x95, 1, 2}));

  // Cut inside an event, a count, a meta event, a system-exclusive message: every place ends.
  SmfTrack full;
  full.At(0, {0xF0, 0x04, 1, 2, 3, 0xF7}).At(0, {0xFF, 0x01, 0x05, 'a', 'b', 'c', 'd', 'e'});
  full.At(0, {0x90, 60, 100}).At(0, {0xC0, 5}).End(0);
  const std::vector<uint8_t> whole = Smf(0, 480, {full});
  for (size_t cut = 22; cut < whole.size(); ++cut) {
    std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
    MidiPlay& p = Load(bytes);
    ASSERT_EQ(p.track_count, 1) << cut;
    Run(p, 5);  // rewinds and plays again whatever is left; the sanitizers watch the reads
  }
  // Without an end-of-track event the end of the data ends the track, and the song loops.
  SmfTrack open_end;
  open_end.At(0, {0x90, 60, 100}).At(10, {0x80, 60, 0});
  EXPECT_EQ(Run(Load(Smf(0, 480, {open_end})), 46).size(), 4u);  // off at 21 ms, on again at 23 and 46
}

TEST_F(MidiPlayTest, WhatIsNoMidiFileLoadsAsNoTracksAndPlaysNothing) {
  MidiPlay& p = MusicPlayers[0];
  EXPECT_EQ(p.Load((dir_ + "/missing.mid").c_str()), 0);
  EXPECT_EQ(p.track_count, 0);

  std::mt19937 rng(99);
  std::vector<uint8_t> noise(5000);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  std::vector<uint8_t> map_file(2400004, 0);  // a map: tiles, then the check value
  for (size_t i = 0; i < map_file.size(); i += 4) map_file[i] = static_cast<uint8_t>(i / 4 % 1200);
  const std::vector<uint8_t> good = Smf(1, 480, {SmfTrack{}.At(0, {0x90, 60, 1}).End(0)});
  std::vector<uint8_t> zero_division = good, short_header = good, lying_header = good;
  zero_division[12] = zero_division[13] = 0;
  short_header[7] = 4;
  lying_header[6] = 0x7F;
  for (const auto& bytes : {noise, map_file, zero_division, short_header, lying_header,
                            std::vector<uint8_t>(good.begin(), good.begin() + 10), std::vector<uint8_t>{}}) {
    EXPECT_EQ(p.Load(Write(bytes, "TOWN.MID").c_str()), 1);
    EXPECT_EQ(p.track_count, 0);
    p.Rewind();
    p.out.Open(host::kMidiMapper);
    headless::ClearMidiOutEvents();
    EXPECT_TRUE(Run(p, 20, true).empty());
  }
}

TEST_F(MidiPlayTest, LongerHeadersAndOtherChunksArePassedOver) {
  SmfTrack t;
  t.At(0, {0x90, 60, 1}).End(0);
  std::vector<uint8_t> bytes = {'M', 'T', 'h', 'd', 0, 0, 0, 10, 0, 1, 0, 2, 0x01, 0xE0, 9, 9, 9, 9};
  bytes.insert(bytes.end(), {'X', 'F', 'I', 'H', 0, 0, 0, 3, 1, 2, 3});
  bytes.insert(bytes.end(), {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(t.bytes.size())});
  bytes.insert(bytes.end(), t.bytes.begin(), t.bytes.end());
  bytes.insert(bytes.end(), {'M', 'T', 'r', 'k', 0x7F, 0, 0, 0, 0x00, 0x91, 70, 1});  // a length past the end
  MidiPlay& p = Load(bytes);
  EXPECT_EQ(p.division, 480);
  ASSERT_EQ(p.track_count, 2);
  EXPECT_EQ(p.tracks[1].length, 4);
  EXPECT_EQ(Run(p, 1).size(), 2u);
}

TEST_F(MidiPlayTest, RandomDamageNeverReadsOutside) {
  const std::vector<uint8_t> song = FormatOneSong();
  std::mt19937 rng(5);
  for (int i = 0; i < 60; ++i) {
    std::vector<uint8_t> bytes = song;
    for (int h = 0; h < 6; ++h) bytes[14 + rng() % (bytes.size() - 14)] = static_cast<uint8_t>(rng());
    MidiPlay& p = Load(bytes);
    Run(p, 400);  // the sanitizers check every read
    for (int t = 0; t < p.track_count; ++t) {
      EXPECT_GE(p.tracks[t].cursor, p.tracks[t].data);
      EXPECT_LE(p.tracks[t].cursor, p.tracks[t].data + p.tracks[t].length);
    }
  }
}

}  // namespace
