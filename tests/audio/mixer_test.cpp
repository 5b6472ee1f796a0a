// The mixer: gain and pan against 10^(v/2000), clipping, conversion of every effect format to
// the device's, and the end of a buffer.
#include "backend/common/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "backend/headless/headless.h"
#include "platform/host_audio.h"
#include "support/game_reset.h"

namespace {

class MixerTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    device_ = host::OpenAudioDevice();
    ASSERT_NE(device_, 0);
  }
  void TearDown() override { ResetGameState(); }

  // A buffer of `frames` frames whose every sample is `left` / `right` (16-bit stereo at the
  // device's rate), or the given mono 8-bit value at another rate.
  int Constant16(int16_t left, int16_t right, int frames) {
    host::WaveFormat f{1, 2, 48000, 48000 * 4, 4, 16};
    std::vector<uint8_t> bytes;
    for (int i = 0; i < frames; ++i) {
      for (int16_t s : {left, right}) {
        bytes.push_back(static_cast<uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
      }
    }
    return Make(f, bytes);
  }
  int Make(const host::WaveFormat& f, const std::vector<uint8_t>& bytes) {
    const int b = host::CreateSoundBuffer(device_, f, bytes.size());
    EXPECT_NE(b, 0);
    EXPECT_TRUE(host::FillSoundBuffer(b, bytes.data(), bytes.size()));
    return b;
  }
  static std::vector<int16_t> Mix(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    headless::MixAudio(out.data(), frames);
    return out;
  }
  // Frames mixed from the start until the buffer stops by itself.
  static int PlayedLength(int buffer) {
    host::StopSoundBuffer(buffer);
    host::PlaySoundBuffer(buffer, false);
    int frames = 0;
    bool playing = true;
    int16_t out[2];
    while (host::GetSoundBufferStatus(buffer, playing) && playing && frames < 1000000) {
      headless::MixAudio(out, 1);
      ++frames;
    }
    return frames;
  }

  int device_ = 0;
};

TEST_F(MixerTest, GainAndPanFollowTheFormula) {
  struct Case {
    int32_t volume, pan;
  };
  for (const Case c : {Case{0, 0}, Case{-600, 0}, Case{-600, -2000}, Case{-1500, 3000}, Case{-2500, -10000},
                       Case{-10000, 0}, Case{-100, 10000}}) {
    const int b = Constant16(20000, -12000, 64);
    ASSERT_TRUE(host::SetSoundBufferVolume(b, c.volume));
    ASSERT_TRUE(host::SetSoundBufferPan(b, c.pan));
    host::PlaySoundBuffer(b, false);
    const std::vector<int16_t> out = Mix(16);
    const double gain = c.volume == -10000 ? 0.0 : std::pow(10.0, c.volume / 2000.0);
    const double left = c.pan == 10000 ? 0.0 : c.pan > 0 ? std::pow(10.0, -c.pan / 2000.0) : 1.0;
    const double right = c.pan == -10000 ? 0.0 : c.pan < 0 ? std::pow(10.0, c.pan / 2000.0) : 1.0;
    for (int i = 0; i < 16; ++i) {
      EXPECT_NEAR(out[i * 2], 20000 * gain * left, 1.0) << c.volume << " " << c.pan;
      EXPECT_NEAR(out[i * 2 + 1], -12000 * gain * right, 1.0) << c.volume << " " << c.pan;
    }
    host::ReleaseSoundBuffer(b);
  }
  EXPECT_FLOAT_EQ(backend::GainOf(-2000), 0.1f);
  EXPECT_FLOAT_EQ(backend::GainOf(-4000), 0.01f);
}

TEST_F(MixerTest, RefusedSettingsKeepTheOldOnes) {
  const int b = Constant16(10000, 10000, 64);
  ASSERT_TRUE(host::SetSoundBufferVolume(b, -2000));
  EXPECT_FALSE(host::SetSoundBufferVolume(b, 1));
  EXPECT_FALSE(host::SetSoundBufferVolume(b, -10001));
  EXPECT_FALSE(host::SetSoundBufferPan(b, 10001));
  host::PlaySoundBuffer(b, false);
  const std::vector<int16_t> out = Mix(4);
  EXPECT_NEAR(out[0], 1000, 1);
  EXPECT_NEAR(out[1], 1000, 1);
}

TEST_F(MixerTest, TheSumIsClipped) {
  for (int i = 0; i < 3; ++i) host::PlaySoundBuffer(Constant16(20000, -20000, 64), false);
  const std::vector<int16_t> out = Mix(8);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[1], -32768);
}

TEST_F(MixerTest, EveryFormatBecomesStereoAtTheDeviceRate) {
  // 8-bit mono: unsigned, the same on both sides.
  const int mono8 = Make(host::WaveFormat{1, 1, 48000, 48000, 1, 8}, std::vector<uint8_t>(100, 0xC0));
  host::PlaySoundBuffer(mono8, false);
  std::vector<int16_t> out = Mix(10);
  EXPECT_EQ(out[0], 64 * 256);
  EXPECT_EQ(out[1], 64 * 256);
  EXPECT_EQ(PlayedLength(mono8), 100);

  // 22050 Hz and 44100 Hz last as long at 48000 Hz.
  const int slow = Make(host::WaveFormat{1, 1, 22050, 44100, 2, 16}, std::vector<uint8_t>(22050 * 2, 0x10));
  EXPECT_EQ(PlayedLength(slow), 48000);
  const int cd = Make(host::WaveFormat{1, 2, 44100, 176400, 4, 16}, std::vector<uint8_t>(4410 * 4, 0x10));
  EXPECT_EQ(PlayedLength(cd), 4800);

  // Formats the mixer does not play are refused when the buffer is made.
  EXPECT_EQ(host::CreateSoundBuffer(device_, host::WaveFormat{1, 1, 48000, 144000, 3, 24}, 300), 0);
  EXPECT_EQ(host::CreateSoundBuffer(device_, host::WaveFormat{1, 6, 48000, 576000, 12, 16}, 1200), 0);
  EXPECT_EQ(host::CreateSoundBuffer(device_, host::WaveFormat{1, 2, 48000, 192000, 2, 16}, 400), 0);  // bad align
  EXPECT_EQ(host::CreateSoundBuffer(device_, host::WaveFormat{1, 1, 0, 0, 1, 8}, 100), 0);
}

TEST_F(MixerTest, ADeviceAt44100HzConvertsToIt) {
  ResetGameState();
  headless::SetAudioRate(44100);
  device_ = host::OpenAudioDevice();
  const int b = Make(host::WaveFormat{1, 1, 22050, 22050, 1, 8}, std::vector<uint8_t>(2205, 0x90));
  EXPECT_EQ(PlayedLength(b), 4410);
}

TEST_F(MixerTest, ABufferEndsAtItsStartAndPlaysWholeAgain) {
  const int b = Constant16(1000, 1000, 100);
  EXPECT_EQ(PlayedLength(b), 100);
  EXPECT_EQ(PlayedLength(b), 100);
  const int d = host::DuplicateSoundBuffer(b);  // shares the samples, plays on its own
  host::PlaySoundBuffer(d, true);
  const std::vector<int16_t> out = Mix(250);
  EXPECT_EQ(out[2 * 249], 1000);  // looping past its end
  bool playing = false;
  ASSERT_TRUE(host::GetSoundBufferStatus(b, playing));
  EXPECT_FALSE(playing);
  host::ReleaseSoundBuffer(b);
  EXPECT_EQ(Mix(1)[0], 1000);  // the duplicate keeps the samples alive
}

}  // namespace
