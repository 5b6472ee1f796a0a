// The music interface with its real timer thread: a song plays and loops, volume 0 loads
// nothing, a missing file or a file that is no MIDI file plays nothing, a volume change starts
// the song again, stopping silences, and the synthesiser is heard in the mix.
#include "audio/music.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/winmain.h"
#include "audio/smf_builder.h"
#include "audio/volumes.h"
#include "backend/common/synth.h"
#include "backend/headless/headless.h"
#include "platform/files.h"
#include "support/game_reset.h"

namespace {

using Kind = headless::MidiOutEvent::Kind;
const std::vector<uint8_t> kFirstNote = {0x90, 60, 100};

// A short song: a note at the start and the end 0.1 s later, so that it loops quickly.
std::vector<uint8_t> ShortSong() {
  SmfTrack t;
  t.Tempo(0, 500000).At(0, {0x90, 60, 100}).At(96, {0x80, 60, 0}).End(0);
  return Smf(0, 480, {t});
}

class MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    char dir[] = "/tmp/tovia_music_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    ASSERT_EQ(mkdir((dir_ + "/Data").c_str(), 0755), 0);
    ASSERT_TRUE(WriteBytes(dir_ + "/Data/TOWN.MID", ShortSong()));
    SetFileBase(dir_);
    MusicVolume = 32;
  }
  void TearDown() override {
    ResetGameState();
    SetFileBase("");
    std::system(("rm -rf " + dir_).c_str());
  }

  static int Count(const std::vector<headless::MidiOutEvent>& events, Kind kind, const std::vector<uint8_t>& bytes = {}) {
    int n = 0;
    for (const auto& e : events) n += e.kind == kind && (bytes.empty() || e.bytes == bytes);
    return n;
  }
  // Waits (at most 5 s) until the device was sent `bytes` `times` times.
  static bool WaitFor(const std::vector<uint8_t>& bytes, int times) {
    for (int i = 0; i < 5000; ++i) {
      if (Count(headless::MidiOutEvents(), Kind::Short, bytes) >= times) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  std::string dir_;
};

TEST_F(MusicTest, TheTownSongPlaysAndLoopsAtTheMusicVolume) {
  PlayMusic("./Data/TOWN.MID");
  EXPECT_STREQ(MusicPath, "./Data/TOWN.MID");
  EXPECT_NE(MusicPlayers[0].timer_id, 0u);
  EXPECT_EQ(CurrentSong, 0);
  ASSERT_TRUE(WaitFor(kFirstNote, 2));  // it came round again
  EXPECT_GT(Count(headless::MidiOutEvents(), Kind::Short, {0xB9, 7, 32}), 0);

  StopMusic();
  EXPECT_EQ(MusicPlayers[0].timer_id, 0u);
  const auto events = headless::MidiOutEvents();
  EXPECT_EQ(events.back().kind, Kind::Close);
  EXPECT_EQ(Count(events, Kind::Reset), 0);  // a stop closes without a reset
  EXPECT_FALSE(headless::MidiOutIsOpen());
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(headless::MidiOutEvents().size(), events.size());  // nothing after the stop
}

TEST_F(MusicTest, VolumeZeroStopsTheMusicAndLoadsNothing) {
  PlayMusic("./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor(kFirstNote, 1));
  MusicVolume = 0;
  PlayMusic("./Data/OTHER.MID");
  EXPECT_STREQ(MusicPath, "./Data/OTHER.MID");
  EXPECT_EQ(MusicPlayers[0].timer_id, 0u);
  EXPECT_EQ(MusicPlayers[0].track_count, 1);  // the old song stays loaded, stopped
  EXPECT_FALSE(headless::MidiOutIsOpen());

  ResetGameState();
  SetFileBase(dir_);
  MusicVolume = 0;
  PlayMusic("./Data/TOWN.MID");
  EXPECT_EQ(MusicPlayers[0].track_count, 0);
  EXPECT_EQ(Count(headless::MidiOutEvents(), Kind::Open), 0);
}

TEST_F(MusicTest, AMissingFileStopsTheMusicAndPlaysNothing) {
  PlayMusic("./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor(kFirstNote, 1));
  headless::ClearMidiOutEvents();
  PlayMusic("./Data/NOSUCH.MID");
  EXPECT_EQ(MusicPlayers[0].timer_id, 0u);
  // The timer thread may still send a note of the old song before the stop takes hold; what
  // matters is that the device is reset and closed, and that nothing follows.
  auto events = headless::MidiOutEvents();
  while (!events.empty() && events.front().kind == Kind::Short) events.erase(events.begin());
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, Kind::Reset);
  EXPECT_EQ(events[1].kind, Kind::Close);
}

TEST_F(MusicTest, AVolumeChangeStartsTheSongAgainAtTheNewVolume) {
  PlayMusic("./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor(kFirstNote, 1));
  MusicVolume = 127;
  PlayMusic(MusicPath);  // as the pause menu does
  EXPECT_STREQ(MusicPath, "./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor({0xB0, 7, 127}, 1));
  MusicPlayers[0].Stop();

  const auto events = headless::MidiOutEvents();
  size_t reopened = 0;
  for (size_t i = 1; i < events.size(); ++i) {
    if (events[i].kind == Kind::Open) reopened = i;
  }
  ASSERT_GE(reopened, 2u);
  EXPECT_EQ(events[reopened - 2].kind, Kind::Reset);
  EXPECT_EQ(events[reopened - 1].kind, Kind::Close);
  // The new start begins with the song's first events, at the new volume.
  ASSERT_GT(events.size(), reopened + 18);
  EXPECT_EQ(events[reopened + 17].bytes, kFirstNote);
  EXPECT_EQ(events[reopened + 18].bytes, (std::vector<uint8_t>{0xB0, 7, 127}));
  EXPECT_EQ(BgmChannelVolume, 127);
}

TEST_F(MusicTest, AFileThatIsNoMidiFilePlaysNothing) {
  // The boss room's music path, holding a map.
  ASSERT_TRUE(WriteBytes(dir_ + "/Data/MGYASAU.MDT", std::vector<uint8_t>(2400004, 7)));
  PlayMusic("./Data/MGYASAU.MDT");
  EXPECT_EQ(MusicPlayers[0].track_count, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(Count(headless::MidiOutEvents(), Kind::Short), 0);
  StopMusic();
}

TEST_F(MusicTest, WithoutAMidiDeviceTheGameGoesOnSilent) {
  headless::FailMidiOut(true);
  PlayMusic("./Data/TOWN.MID");
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_TRUE(headless::MidiOutEvents().empty());
  EXPECT_TRUE(headless::MessageBoxes().empty());
  StopMusic();
}

TEST_F(MusicTest, ShutdownResetsAndClosesTheDevice) {
  PlayMusic("./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor(kFirstNote, 1));
  Shutdown(0);
  EXPECT_EQ(MusicPlayers[0].timer_id, 0u);
  const auto events = headless::MidiOutEvents();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2].kind, Kind::Reset);
  EXPECT_EQ(events.back().kind, Kind::Close);
}

TEST_F(MusicTest, TheSynthesiserIsHeardInTheMix) {
  ASSERT_FALSE(backend::FindSoundFont().empty()) << "timgm6mb-soundfont must be installed (tools/install-deps)";
  ASSERT_TRUE(headless::UseSynth(true));
  std::vector<int16_t> out(4800 * 2);
  headless::MixAudio(out.data(), 4800);
  for (int16_t s : out) ASSERT_EQ(s, 0);  // nothing before the music

  MusicVolume = 127;
  PlayMusic("./Data/TOWN.MID");
  ASSERT_TRUE(WaitFor(kFirstNote, 1));
  headless::MixAudio(out.data(), 4800);
  int loud = 0, peak = 0;
  for (int16_t s : out) { loud += s > 1000 || s < -1000; peak = std::max(peak, std::abs(s)); }
  EXPECT_GT(loud, 100) << peak;
  StopMusic();
}

}  // namespace
