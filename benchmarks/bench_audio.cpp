// The audio hot paths: the mixer filling one second of output with many effects playing
// (target: under 10 ms).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "backend/headless/headless.h"
#include "platform/host_audio.h"

namespace {

constexpr int kRate = 48000;

// 64 copies of one second of noise, looping, at mixed volumes and pans.
void StartVoices(int count) {
  const int device = host::OpenAudioDevice();
  std::mt19937 rng(3);
  std::vector<uint8_t> noise(kRate * 4);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
  const host::WaveFormat format{1, 2, kRate, kRate * 4, 4, 16};
  const int original = host::CreateSoundBuffer(device, format, noise.size());
  host::FillSoundBuffer(original, noise.data(), noise.size());
  for (int i = 0; i < count; ++i) {
    const int b = i == 0 ? original : host::DuplicateSoundBuffer(original);
    host::SetSoundBufferVolume(b, -static_cast<int32_t>(rng() % 3000));
    host::SetSoundBufferPan(b, static_cast<int32_t>(rng() % 4001) - 2000);
    host::PlaySoundBuffer(b, true);
  }
}

void BM_MixSecond64Voices(benchmark::State& state) {
  headless::Reset();
  StartVoices(64);
  std::vector<int16_t> out(kRate * 2);
  for (auto _ : state) {
    headless::MixAudio(out.data(), kRate);
    benchmark::DoNotOptimize(out.data());
  }
  headless::Reset();
}
BENCHMARK(BM_MixSecond64Voices)->Unit(benchmark::kMillisecond);

}  // namespace
