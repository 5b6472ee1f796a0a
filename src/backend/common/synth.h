// The General MIDI synthesiser that stands in for the MIDI-out device: FluidSynth with a
// SoundFont from /usr/share/sounds/sf2 (TimGM6mb, else any .sf2 there). Its output is mixed into
// the effects' stream by the mixer. Every function may be called from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace backend {

// The SoundFont the synthesiser loads; "" when there is none.
std::string FindSoundFont();

// Creates the synthesiser once, at the given output rate, with the SoundFont loaded. False when
// FluidSynth or the SoundFont cannot be had. FluidSynth's own messages are kept quiet.
bool StartSynth(int rate);
void StopSynth();
bool SynthRunning();

// A channel message (the status decides how many data bytes count).
void SynthShortMessage(uint8_t status, uint8_t data1, uint8_t data2);
// A system-exclusive message as a file holds it: F0, the data, usually F7.
void SynthLongMessage(const uint8_t* data, size_t size);
// Back to the state of a freshly opened device: every channel's program and controllers.
void SynthSystemReset();
// Every note off and the sustain pedal up on all channels (notes fade as released).
void SynthNotesOff();
// Every sound cut at once.
void SynthSoundsOff();

// Adds `frames` stereo frames of the synthesiser's output to `mix` (interleaved, in 16-bit
// sample units). Does nothing while no synthesiser runs or nothing sounds.
void SynthMixInto(float* mix, int frames);

}  // namespace backend
