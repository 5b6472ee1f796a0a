// The sound effects: one WAVE resource per effect slot, in the slot's own format (rate,
// channels, bits). The table says what each resource must be; the synthesis below makes its
// sound. For now every effect is a short tone of its own pitch, so each slot is heard and told
// apart; designed effects replace ToneFor without touching the table.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// A sound: samples -1..1, one vector per channel, all of one length.
using Channels = std::vector<std::vector<double>>;

constexpr double kPi = 3.14159265358979323846;
constexpr double kToneSeconds = 0.15;
constexpr double kBaseHz = 262.0;  // middle C; each slot a semitone above the one before

// A short tone of the slot's own pitch with a quick attack and decay.
Channels ToneFor(const SoundAsset& a) {
  const int n = static_cast<int>(kToneSeconds * a.rate);
  const double hz = kBaseHz * std::pow(2.0, a.slot / 12.0);
  std::vector<double> tone(n);
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double envelope = std::min(1.0, t / 0.005) * std::exp(-t / 0.05);
    tone[i] = 0.5 * envelope * std::sin(2 * kPi * hz * t);
  }
  return Channels(a.channels, tone);
}

// ---- the WAVE file -------------------------------------------------------------------------

void Tag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

// A PCM WAVE file of the sound in the asset's format: 8-bit samples unsigned, 16-bit signed.
std::vector<uint8_t> EncodeWave(const SoundAsset& a, const Channels& sound) {
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
  for (const SoundAsset& a : kSoundAssets) out.Wave(a.resource, EncodeWave(a, ToneFor(a)));
}
