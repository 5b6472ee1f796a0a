// Our own mixer, shared by both backends. It defines the sound-buffer functions of
// platform/host_audio.h: each buffer's samples are converted once to the output format (16-bit
// stereo at the device's rate), and Mix sums every playing buffer at its gain and pan, adds the
// MIDI synthesiser and clips to 16 bits. The backend supplies the device (below) and pulls Mix
// from its audio callback; the headless backend pulls it when a test asks.
#pragma once

#include <cstdint>

namespace backend {

// ---- supplied by each backend ------------------------------------------------------------

// Opens the real (or virtual) output and gives its sample rate; false when there is none.
bool OpenAudioOutput(int& rate);
void CloseAudioOutput();

// ---- the mixer ---------------------------------------------------------------------------

// The output rate while the device is open (and the last one after it closed).
int MixerRate();

// Fills `frames` stereo frames (interleaved left, right) with everything that plays, and moves
// every playing buffer on. Called by the audio callback; takes the mixer's lock.
void Mix(int16_t* out, int frames);

// The gain of a volume in 1/100 dB: 10^(volume / 2000); -10000 and below are silence.
float GainOf(int32_t volume);

// Called (on the caller's thread) for every buffer that starts playing; none by default.
using PlayObserver = void (*)(int buffer, int32_t volume, int32_t pan, bool loop);
void SetPlayObserver(PlayObserver observer);

// Releases every buffer and closes the device whatever its references (the end of the program,
// and a fresh start for tests).
void ResetAudio();

}  // namespace backend
