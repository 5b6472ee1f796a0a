// The audio hot paths: the mixer filling one second of output with many effects playing
// (target: under 10 ms), and the MIDI synthesiser rendering one second of a song as busy as the
// game's music (target: under 80 ms of CPU).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "../tests/audio/smf_builder.h"
#include "audio/music.h"
#include "backend/headless/headless.h"
#include "platform/host_audio.h"
#include "platform/host_midi.h"

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

// The sequencer steps each millisecond and the mixer renders the synthesiser's 48 frames of it,
// as the timer thread and the audio callback do between them.
void BM_SynthSecond(benchmark::State& state) {
  headless::Reset();
  const std::string path = "/tmp/tovia_bench_song.mid";
  if (!WriteBytes(path, BusySong(32)) || !headless::UseSynth(true)) {
    state.SkipWithError("no song file or no SoundFont");
    return;
  }
  MidiPlay& player = MusicPlayers[0];
  BgmChannelVolume = 96;
  player.Load(path.c_str());
  player.Rewind();
  player.out.Open(host::kMidiMapper);
  std::vector<int16_t> out(kRate / 1000 * 2);
  int peak = 0;
  for (auto _ : state) {
    for (int ms = 0; ms < 1000; ++ms) {
      player.OnTimer();
      headless::MixAudio(out.data(), kRate / 1000);
      for (int16_t s : out) peak = std::max(peak, s < 0 ? -s : static_cast<int>(s));
    }
    state.PauseTiming();
    headless::ClearMidiOutEvents();
    state.ResumeTiming();
  }
  state.counters["peak"] = peak;
  player.Stop();
  player.FreeTracks();
  headless::Reset();
  std::remove(path.c_str());
}
BENCHMARK(BM_SynthSecond)->Unit(benchmark::kMillisecond);

}  // namespace
