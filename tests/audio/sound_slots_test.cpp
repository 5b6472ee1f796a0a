// The effect slots: the start-up catalogue, round-robin copies, the mute and its bypass, volumes
// the device refuses, stopping, releasing, and a machine without an audio device.
#include "audio/sound_slots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/winmain.h"
#include "audio/volumes.h"
#include "backend/headless/headless.h"
#include "platform/host_audio.h"
#include "support/game_reset.h"
#include "support/played_sounds.h"

namespace {

class SoundSlotsTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    LoadSoundEffects(0);
  }
  void TearDown() override { ResetGameState(); }
};

bool Playing(int slot, int copy) {
  bool playing = false;
  EXPECT_TRUE(host::GetSoundBufferStatus(SoundSlots[slot].buffers[copy], playing));
  return playing;
}

std::vector<int16_t> Mix(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  headless::MixAudio(out.data(), frames);
  return out;
}

TEST_F(SoundSlotsTest, StartUpLoadsTheCatalogue) {
  EXPECT_TRUE(headless::MessageBoxes().empty());
  for (int slot = 0; slot < kSoundEffectCount; ++slot) {
    const uint32_t expected = slot == 0 || slot == 1 ? 15 : slot == 2 ? 1 : 5;
    EXPECT_EQ(SoundSlots[slot].copies, expected) << "slot " << slot;
    EXPECT_NE(SoundSlots[slot].device, 0);
  }
  EXPECT_EQ(SoundSlots[kSoundEffectCount].copies, 0u);
  EXPECT_EQ(SoundSlots[kSoundEffectCount].device, 0);
}

TEST_F(SoundSlotsTest, SixPlaysOnFiveCopiesRestartTheFirst) {
  SoundVolume = -1500;
  PlaySound(3);
  const std::vector<int16_t> first = Mix(300);  // copy 0 is 300 frames in
  for (int i = 0; i < 5; ++i) PlaySound(3);

  std::vector<int> copies;
  for (const PlayedSound& p : PlayedSounds()) copies.push_back(p.copy);
  EXPECT_EQ(copies, (std::vector<int>{0, 1, 2, 3, 4, 0}));
  for (const PlayedSound& p : PlayedSounds()) EXPECT_EQ(p.slot, 3);

  // All five copies now play from their start together: five times the first 300 frames.
  const std::vector<int16_t> five = Mix(300);
  for (size_t i = 0; i < first.size(); ++i) ASSERT_NEAR(five[i], 5 * first[i], 5) << "sample " << i;
}

TEST_F(SoundSlotsTest, MuteSilencesPlaySoundButNotPlaySoundSlot) {
  SoundVolume = -2000;
  PlaySound(2);  // slot 2 has one copy: it now plays at -2000
  SoundVolume = host::kVolumeSilent;
  StopSoundSlot(2);
  PlaySound(2);
  PlaySound(7);
  ASSERT_EQ(PlayedSounds().size(), 1u);

  EXPECT_NE(PlaySoundSlot(2), 0);
  ASSERT_EQ(PlayedSounds().size(), 2u);
  EXPECT_EQ(PlayedSounds()[1].slot, 2);
  EXPECT_EQ(PlayedSounds()[1].volume, -2000);  // the copy's last volume
  bool heard = false;
  for (int16_t s : Mix(2000)) heard |= s != 0;
  EXPECT_TRUE(heard);

  SoundVolume = -10001;  // below mute is mute too
  PlaySound(2);
  EXPECT_EQ(PlayedSounds().size(), 2u);
}

TEST_F(SoundSlotsTest, AVolumeOutOfRangeKeepsTheCopysOwn) {
  PlaySoundSlotAtVolume(2, 5000);  // a fresh copy: full volume
  EXPECT_EQ(PlayedSounds().back().volume, 0);
  PlaySoundSlotAtVolume(2, -3000);
  PlaySoundSlotAtVolume(2, 5000);
  EXPECT_EQ(PlayedSounds().back().volume, -3000);
  PlaySoundSlotAtVolume(2, -10001);
  EXPECT_EQ(PlayedSounds().back().volume, -3000);
  PlaySoundAtVolume(2, -10000);  // the edge itself is accepted
  EXPECT_EQ(PlayedSounds().back().volume, -10000);
  EXPECT_EQ(PlayedSounds().size(), 5u);
}

TEST_F(SoundSlotsTest, StopAllSoundsStopsSlotsZeroToNineteen) {
  SoundVolume = 0;
  for (int slot = 0; slot < kSoundEffectCount; ++slot) PlaySound(slot);
  StopAllSounds();
  for (int slot = 0; slot < kSoundEffectCount; ++slot) EXPECT_EQ(Playing(slot, 0), slot >= 20) << "slot " << slot;
}

TEST_F(SoundSlotsTest, PanAndLoopSettersReachEveryPlay) {
  SetSoundSlotPan(4, -2500);
  SetSoundSlotLoop(4, 1);
  PlaySoundSlot(4);
  EXPECT_EQ(PlayedSounds().back().pan, -2500);
  EXPECT_TRUE(PlayedSounds().back().loop);
  Mix(48000);  // far longer than the effect: a looping copy goes on
  EXPECT_TRUE(Playing(4, 0));
}

TEST_F(SoundSlotsTest, SlotsOutsideTheTableAreIgnored) {
  EXPECT_EQ(LoadSoundSlot(0, 256, 122, 5), 0);
  EXPECT_EQ(LoadSoundSlot(0, -1, 122, 5), 0);
  EXPECT_EQ(PlaySoundSlot(-1), 0);
  EXPECT_EQ(PlaySoundSlotAtVolume(256, 0), 0);
  PlaySound(1000);
  StopSoundSlot(-5);
  ReleaseSoundSlot(256);
  SetSoundSlotPan(256, 0);
  SetSoundSlotLoop(-1, 1);
  DuplicateSoundBuffers(999, 5);
  EXPECT_TRUE(PlayedSounds().empty());
  EXPECT_EQ(PlaySoundSlot(40), 0);  // inside the table, but empty
}

TEST_F(SoundSlotsTest, ReleaseFreesTheCopiesSoAReloadStartsClean) {
  const int old_first = SoundSlots[3].buffers[0];
  ReleaseSoundSlot(3);
  EXPECT_EQ(SoundSlots[3].copies, 0u);
  EXPECT_EQ(SoundSlots[3].device, 0);
  bool playing = false;
  EXPECT_FALSE(host::GetSoundBufferStatus(old_first, playing));  // the buffer is gone
  EXPECT_EQ(PlaySoundSlot(3), 0);

  EXPECT_EQ(LoadSoundSlot(0, 3, 125, 5), 1);
  EXPECT_EQ(SoundSlots[3].copies, 5u);
  EXPECT_NE(PlaySoundSlot(3), 0);
  EXPECT_EQ(LoadSoundSlot(0, 3, 125, 5), 1);  // a load releases what the slot held first
  EXPECT_EQ(SoundSlots[3].copies, 5u);

  ReleaseAllSoundSlots();
  EXPECT_FALSE(headless::AudioDeviceOpen());  // the last slot gave the device back
}

TEST_F(SoundSlotsTest, DuplicatesStopAtOneHundredAndTwentyEight) {
  DuplicateSoundBuffers(5, 500);
  EXPECT_EQ(SoundSlots[5].copies, 128u);
  DuplicateSoundBuffers(5, 3);  // never fewer
  EXPECT_EQ(SoundSlots[5].copies, 128u);
}

TEST_F(SoundSlotsTest, AMissingResourceSaysSoAndLeavesTheSlotSilent) {
  EXPECT_EQ(LoadSoundSlot(0, 40, 9999, 5), 0);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0], "WAVEリソース 9999 がみつかりません");
  EXPECT_EQ(SoundSlots[40].copies, 0u);
  PlaySound(40);
  EXPECT_TRUE(PlayedSounds().empty());
}

TEST(SoundSlotsNoDevice, TheGameRunsSilentAndSaysNothing) {
  ResetGameState();
  headless::FailAudioDevice(true);
  headless::ScheduleEventAtFrame(headless::Simple(host::EventKind::Close), 3);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_TRUE(headless::MessageBoxes().empty());
  for (int slot = 0; slot < kSoundEffectCount; ++slot) EXPECT_EQ(SoundSlots[slot].copies, 0u);
  SoundVolume = 0;
  PlaySound(0);
  EXPECT_EQ(PlaySoundSlot(1), 0);
  EXPECT_TRUE(headless::PlayedBuffers().empty());
  ResetGameState();
}

TEST(SoundSlotsProcess, ShutdownReleasesEverySlot) {
  ResetGameState();
  headless::ScheduleEventAtFrame(headless::Simple(host::EventKind::Close), 2);
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  for (int slot = 0; slot < kSoundEffectCount; ++slot) EXPECT_EQ(SoundSlots[slot].device, 0);
  EXPECT_FALSE(headless::AudioDeviceOpen());
  ResetGameState();
}

}  // namespace
