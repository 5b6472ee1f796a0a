// The platform seam for sound effects: one audio device and the sound buffers our own mixer plays.
//
// A sound buffer holds one effect's samples, converted once to the device's format when it is
// filled, and plays them at a volume and a pan. Duplicates share the samples of their original
// and play independently. The mixer sums every playing buffer into the device's output. Both
// backends define these functions alike; without an audio device (a machine with no sound, or a
// failure simulated by a test) opening fails and nothing is heard or reported.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// The format of PCM samples as a WAVE file's "fmt " chunk gives it.
struct WaveFormat {
  uint16_t format_tag = 0;  // 1: PCM
  uint16_t channels = 0;
  uint32_t samples_per_sec = 0;
  uint32_t avg_bytes_per_sec = 0;
  uint16_t block_align = 0;
  uint16_t bits_per_sample = 0;
};

constexpr int32_t kVolumeSilent = -10000;  // volumes are in 1/100 dB: -10000 silent .. 0 full
constexpr int32_t kVolumeFull = 0;
constexpr int32_t kPanLeft = -10000;       // pans: -10000 right side silent .. 10000 left side silent
constexpr int32_t kPanRight = 10000;

// Opens the audio device, or takes one more reference to it when it is open. Returns a handle
// (non-zero), or 0 when there is no device. Each handle is given back with CloseAudioDevice;
// the device closes with the last one.
int OpenAudioDevice();
void CloseAudioDevice(int device);

// A sound buffer for `bytes` bytes of samples in `format` on the open device: PCM, 1 or 2
// channels, 8 (unsigned) or 16 (signed) bits. Returns its handle, or 0 when the device is not
// open or the format is not one the mixer plays.
int CreateSoundBuffer(int device, const WaveFormat& format, size_t bytes);
// Stores the buffer's samples (at most the size it was created with), converted to the
// device's format. False when the buffer does not exist or already holds samples.
bool FillSoundBuffer(int buffer, const uint8_t* data, size_t bytes);
// Another buffer playing the same samples: stopped, at full volume, centred. 0 on failure.
int DuplicateSoundBuffer(int buffer);
void ReleaseSoundBuffer(int buffer);

// Whether the buffer is playing; false (and `playing` untouched) when there is no such buffer.
bool GetSoundBufferStatus(int buffer, bool& playing);
// Starts the buffer from its current position, once or looping.
bool PlaySoundBuffer(int buffer, bool loop);
// Stops the buffer and sets its position back to the start.
bool StopSoundBuffer(int buffer);
// Volume in 1/100 dB, kVolumeSilent .. kVolumeFull. A value outside is refused (false) and the
// buffer keeps the volume it had.
bool SetSoundBufferVolume(int buffer, int32_t volume);
// Pan kPanLeft .. kPanRight: a negative pan lowers the right side by |pan| 1/100 dB, a positive
// one the left side. A value outside is refused (false).
bool SetSoundBufferPan(int buffer, int32_t pan);

}  // namespace host
