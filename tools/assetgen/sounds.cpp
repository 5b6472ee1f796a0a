// The sound effects: one WAVE resource per effect slot, in the slot's own format (rate,
// channels, bits). The table says what each resource must be; sound_effects.cpp designs its
// sound.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sound_effects.h"

namespace {

// ---- what each slot's resource must be -----------------------------------------------------

struct SoundAsset {
  int slot;
  int resource;
  int rate;
  int channels;
  int bits;
};

constexpr SoundAsset kSoundAssets[] = {
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

// ---- the sounds ----------------------------------------------------------------------------

// The slot's effect as the resource's channels: a mono slot hears the mean of the design's two.
std::vector<std::vector<double>> ChannelsOf(const SoundAsset& a) {
  const Effect e = DesignEffect(a.slot, a.rate);
  if (a.channels == 2) return {e.left.s, e.right.s};
  std::vector<double> mono(e.left.s.size());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5 * (e.left.s[i] + e.right.s[i]);
  return {mono};
}

// ---- the WAVE file -------------------------------------------------------------------------

void Tag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

// A PCM WAVE file of the sound in the asset's format: 8-bit samples unsigned, 16-bit signed.
std::vector<uint8_t> EncodeWave(const SoundAsset& a, const std::vector<std::vector<double>>& sound) {
  const uint32_t frames = static_cast<uint32_t>(sound[0].size());
  const uint32_t block = a.channels * a.bits / 8;
  const uint32_t data_bytes = frames * block;
  std::vector<uint8_t> b;
  Tag(b, "RIFF");
  Le32(b, 4 + 8 + 16 + 8 + data_bytes + (data_bytes & 1));
  Tag(b, "WAVE");
  Tag(b, "fmt ");
  Le32(b, 16);
  Le16(b, 1);  // PCM
  Le16(b, a.channels);
  Le32(b, a.rate);
  Le32(b, a.rate * block);
  Le16(b, block);
  Le16(b, a.bits);
  Tag(b, "data");
  Le32(b, data_bytes);
  for (uint32_t i = 0; i < frames; ++i) {
    for (const auto& channel : sound) {
      const double s = std::clamp(channel[i], -1.0, 1.0);
      if (a.bits == 8) {
        b.push_back(static_cast<uint8_t>(std::lround(128 + s * 127)));
      } else {
        Le16(b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767))));
      }
    }
  }
  if (data_bytes & 1) b.push_back(0);
  return b;
}

}  // namespace

void WriteSounds(Output& out) {
  for (const SoundAsset& a : kSoundAssets) out.Wave(a.resource, EncodeWave(a, ChannelsOf(a)));
}
