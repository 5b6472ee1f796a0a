#include "backend/common/mixer.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

#include "backend/common/synth.h"
#include "platform/host_audio.h"

namespace backend {

namespace {

constexpr int kDefaultRate = 48000;
constexpr int kChunkFrames = 1024;  // frames summed at once in Mix
constexpr uint16_t kFormatPcm = 1;
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 384000;
constexpr int kDevice = 1;  // the handle of the one device

// Stereo frames (left, right) at the mixer's rate; shared by a buffer and its duplicates.
using Samples = std::shared_ptr<const std::vector<int16_t>>;

struct Buffer {
  bool used = false;
  host::WaveFormat format;
  size_t capacity = 0;  // bytes of samples in `format` it was created for
  Samples samples;      // null until filled
  size_t position = 0;  // the next frame to play
  bool playing = false;
  bool loop = false;
  int32_t volume = host::kVolumeFull;
  int32_t pan = 0;
  float gain[2] = {1.0f, 1.0f};  // left, right
};

struct Mixer {
  std::mutex lock;         // the buffers, between the game's thread and the audio callback
  std::mutex device_lock;  // opening and closing; never held while the callback waits on `lock`
  int references = 0;
  int rate = kDefaultRate;
  std::vector<Buffer> buffers;  // handle = index + 1
  PlayObserver observer = nullptr;
};

// Never destroyed: an audio callback or a static destructor may still reach it at exit.
Mixer& M() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

Buffer* Find(int handle) {
  if (handle <= 0 || static_cast<size_t>(handle) > M().buffers.size()) return nullptr;
  Buffer& b = M().buffers[handle - 1];
  return b.used ? &b : nullptr;
}

int NewBuffer() {
  auto& buffers = M().buffers;
  auto it = std::find_if(buffers.begin(), buffers.end(), [](const Buffer& b) { return !b.used; });
  if (it == buffers.end()) it = buffers.insert(buffers.end(), Buffer{});
  *it = Buffer{};
  it->used = true;
  return static_cast<int>(it - buffers.begin()) + 1;
}

void UpdateGains(Buffer& b) {
  const float gain = GainOf(b.volume);
  b.gain[0] = gain * (b.pan > 0 ? GainOf(-b.pan) : 1.0f);
  b.gain[1] = gain * (b.pan < 0 ? GainOf(b.pan) : 1.0f);
}

bool PlayableFormat(const host::WaveFormat& f) {
  return f.format_tag == kFormatPcm && (f.channels == 1 || f.channels == 2) &&
         (f.bits_per_sample == 8 || f.bits_per_sample == 16) && f.block_align == f.channels * f.bits_per_sample / 8 &&
         f.samples_per_sec >= kMinRate && f.samples_per_sec <= kMaxRate;
}

// ---- conversion to the output format --------------------------------------------------------

// One sample of a frame as 16 bits; a mono frame gives the same sample to both channels.
int16_t SampleAt(const host::WaveFormat& f, const uint8_t* data, size_t frame, int channel) {
  const uint8_t* p = data + frame * f.block_align + (channel % f.channels) * (f.bits_per_sample / 8);
  if (f.bits_per_sample == 8) return static_cast<int16_t>((p[0] - 128) * 256);  // 8-bit PCM is unsigned
  return static_cast<int16_t>(p[0] | p[1] << 8);
}

// The samples as stereo 16-bit frames at `rate`, resampled with linear interpolation.
std::vector<int16_t> ToOutputFormat(const host::WaveFormat& f, const uint8_t* data, size_t bytes, int rate) {
  const size_t in_frames = bytes / f.block_align;
  std::vector<int16_t> out;
  if (in_frames == 0) return out;
  const size_t out_frames =
      std::max<size_t>(1, static_cast<size_t>(static_cast<uint64_t>(in_frames) * rate / f.samples_per_sec));
  out.resize(out_frames * 2);
  const double step = static_cast<double>(f.samples_per_sec) / rate;
  for (size_t j = 0; j < out_frames; ++j) {
    const double at = static_cast<double>(j) * step;
    const size_t i = std::min(static_cast<size_t>(at), in_frames - 1);
    const size_t next = std::min(i + 1, in_frames - 1);
    const double frac = at - static_cast<double>(i);
    for (int c = 0; c < 2; ++c) {
      const double a = SampleAt(f, data, i, c), b = SampleAt(f, data, next, c);
      out[j * 2 + c] = static_cast<int16_t>(std::lround(a + (b - a) * frac));
    }
  }
  return out;
}

// ---- mixing ---------------------------------------------------------------------------------

// Adds n frames of `src` at the two gains to `mix`, four frames at a time.
void AddScaled(float* mix, const int16_t* src, int n, const float gain[2]) {
  const __m128 g = _mm_setr_ps(gain[0], gain[1], gain[0], gain[1]);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 2));
    const __m128i lo = _mm_srai_epi32(_mm_unpacklo_epi16(s, s), 16);  // frames i, i+1
    const __m128i hi = _mm_srai_epi32(_mm_unpackhi_epi16(s, s), 16);  // frames i+2, i+3
    float* m = mix + i * 2;
    _mm_storeu_ps(m, _mm_add_ps(_mm_loadu_ps(m), _mm_mul_ps(_mm_cvtepi32_ps(lo), g)));
    _mm_storeu_ps(m + 4, _mm_add_ps(_mm_loadu_ps(m + 4), _mm_mul_ps(_mm_cvtepi32_ps(hi), g)));
  }
  for (; i < n; ++i) {
    mix[i * 2] += static_cast<float>(src[i * 2]) * gain[0];
    mix[i * 2 + 1] += static_cast<float>(src[i * 2 + 1]) * gain[1];
  }
}

// Adds up to n frames of one playing buffer; at its end it loops or stops at position 0.
void MixBuffer(Buffer& b, float* mix, int n) {
  const std::vector<int16_t>& s = *b.samples;
  const size_t total = s.size() / 2;
  int done = 0;
  while (done < n && b.playing) {
    const int k = static_cast<int>(std::min<size_t>(n - done, total - b.position));
    AddScaled(mix + done * 2, s.data() + b.position * 2, k, b.gain);
    done += k;
    b.position += k;
    if (b.position >= total) {
      b.position = 0;
      b.playing = b.loop;
    }
  }
}

// Clips the sum to 16 bits.
void Clip(const float* mix, int16_t* out, int samples) {
  int i = 0;
  for (; i + 8 <= samples; i += 8) {
    const __m128i a = _mm_cvtps_epi32(_mm_loadu_ps(mix + i));
    const __m128i b = _mm_cvtps_epi32(_mm_loadu_ps(mix + i + 4));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packs_epi32(a, b));  // saturates
  }
  for (; i < samples; ++i) {
    out[i] = static_cast<int16_t>(std::clamp(std::lrint(mix[i]), -32768L, 32767L));
  }
}

}  // namespace

float GainOf(int32_t volume) {
  if (volume <= host::kVolumeSilent) return 0.0f;
  return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

int MixerRate() { return M().rate; }

void Mix(int16_t* out, int frames) {
  std::lock_guard<std::mutex> hold(M().lock);
  float mix[kChunkFrames * 2];
  while (frames > 0) {
    const int n = std::min(frames, kChunkFrames);
    std::fill(mix, mix + n * 2, 0.0f);
    for (Buffer& b : M().buffers) {
      if (b.used && b.playing) MixBuffer(b, mix, n);
    }
    SynthMixInto(mix, n);
    Clip(mix, out, n * 2);
    out += n * 2;
    frames -= n;
  }
}

void SetPlayObserver(PlayObserver observer) {
  std::lock_guard<std::mutex> hold(M().lock);
  M().observer = observer;
}

void ResetAudio() {
  std::lock_guard<std::mutex> device(M().device_lock);
  if (M().references > 0) CloseAudioOutput();
  M().references = 0;
  std::lock_guard<std::mutex> hold(M().lock);
  M().buffers.clear();
  M().observer = nullptr;
}

}  // namespace backend

// ---- the seam ---------------------------------------------------------------------------------

namespace host {

using backend::M;

int OpenAudioDevice() {
  std::lock_guard<std::mutex> device(M().device_lock);
  if (M().references == 0) {
    int rate = 0;
    if (!backend::OpenAudioOutput(rate)) return 0;
    std::lock_guard<std::mutex> hold(M().lock);
    M().rate = rate;
  }
  ++M().references;
  return backend::kDevice;
}

void CloseAudioDevice(int device) {
  std::lock_guard<std::mutex> lock(M().device_lock);
  if (device != backend::kDevice || M().references == 0) return;
  if (--M().references == 0) backend::CloseAudioOutput();
}

int CreateSoundBuffer(int device, const WaveFormat& format, size_t bytes) {
  if (device != backend::kDevice || !backend::PlayableFormat(format) || bytes == 0) return 0;
  std::lock_guard<std::mutex> hold(M().lock);
  if (M().references == 0) return 0;
  const int handle = backend::NewBuffer();
  backend::Buffer& b = M().buffers[handle - 1];
  b.format = format;
  b.capacity = bytes;
  return handle;
}

bool FillSoundBuffer(int buffer, const uint8_t* data, size_t bytes) {
  WaveFormat format;
  size_t capacity = 0;
  int rate = 0;
  {
    std::lock_guard<std::mutex> hold(M().lock);
    const backend::Buffer* b = backend::Find(buffer);
    if (b == nullptr || b->samples != nullptr) return false;
    format = b->format;
    capacity = b->capacity;
    rate = M().rate;
  }
  // Converted outside the lock: the callback keeps playing meanwhile.
  auto samples = std::make_shared<const std::vector<int16_t>>(
      backend::ToOutputFormat(format, data, std::min(bytes, capacity), rate));
  std::lock_guard<std::mutex> hold(M().lock);
  backend::Buffer* b = backend::Find(buffer);
  if (b == nullptr) return false;
  b->samples = std::move(samples);
  return true;
}

int DuplicateSoundBuffer(int buffer) {
  std::lock_guard<std::mutex> hold(M().lock);
  const backend::Buffer* original = backend::Find(buffer);
  if (original == nullptr || original->samples == nullptr) return 0;
  const backend::Buffer copy_of = *original;  // NewBuffer may move the table
  const int handle = backend::NewBuffer();
  backend::Buffer& b = M().buffers[handle - 1];
  b.format = copy_of.format;
  b.capacity = copy_of.capacity;
  b.samples = copy_of.samples;
  return handle;
}

void ReleaseSoundBuffer(int buffer) {
  std::lock_guard<std::mutex> hold(M().lock);
  if (backend::Buffer* b = backend::Find(buffer)) *b = backend::Buffer{};
}

bool GetSoundBufferStatus(int buffer, bool& playing) {
  std::lock_guard<std::mutex> hold(M().lock);
  const backend::Buffer* b = backend::Find(buffer);
  if (b == nullptr) return false;
  playing = b->playing;
  return true;
}

bool PlaySoundBuffer(int buffer, bool loop) {
  backend::PlayObserver observer = nullptr;
  int32_t volume = 0, pan = 0;
  {
    std::lock_guard<std::mutex> hold(M().lock);
    backend::Buffer* b = backend::Find(buffer);
    if (b == nullptr) return false;
    b->loop = loop;
    b->playing = b->samples != nullptr && !b->samples->empty();
    observer = M().observer;
    volume = b->volume;
    pan = b->pan;
  }
  if (observer != nullptr) observer(buffer, volume, pan, loop);
  return true;
}

bool StopSoundBuffer(int buffer) {
  std::lock_guard<std::mutex> hold(M().lock);
  backend::Buffer* b = backend::Find(buffer);
  if (b == nullptr) return false;
  b->playing = false;
  b->position = 0;
  return true;
}

bool SetSoundBufferVolume(int buffer, int32_t volume) {
  if (volume < kVolumeSilent || volume > kVolumeFull) return false;
  std::lock_guard<std::mutex> hold(M().lock);
  backend::Buffer* b = backend::Find(buffer);
  if (b == nullptr) return false;
  b->volume = volume;
  backend::UpdateGains(*b);
  return true;
}

bool SetSoundBufferPan(int buffer, int32_t pan) {
  if (pan < kPanLeft || pan > kPanRight) return false;
  std::lock_guard<std::mutex> hold(M().lock);
  backend::Buffer* b = backend::Find(buffer);
  if (b == nullptr) return false;
  b->pan = pan;
  backend::UpdateGains(*b);
  return true;
}

}  // namespace host
