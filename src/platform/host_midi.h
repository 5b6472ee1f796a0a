// The platform seam for MIDI out: one General MIDI device that the music player opens and
// sends messages to. On SDL it is a software synthesiser whose sound is mixed into the same
// output as the effects; without a SoundFont, the synthesiser or an audio device, opening fails
// and every send does nothing. The headless backend records what it is sent.
//
// The music player calls these from its timer thread as well as from the game's thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

constexpr int kMidiMapper = -1;  // the device chosen for the game's music

// Opens the device; returns a handle (non-zero), or 0 when it cannot be opened. A freshly
// opened device starts from its defaults on every channel.
uint32_t OpenMidiOut(int device);
// Closes the handle; the notes still sounding are cut. False when it was not open.
bool CloseMidiOut(uint32_t handle);
// A channel message packed as status | data1 << 8 | data2 << 16. False when not open.
bool SendMidiShort(uint32_t handle, uint32_t message);
// A system-exclusive message: F0, its data, F7. False when not open.
bool SendMidiLong(uint32_t handle, const uint8_t* data, size_t size);
// Every note off on every channel (notes end as if released).
bool ResetMidiOut(uint32_t handle);
// The product name of a device.
const char* MidiOutName(int device);

}  // namespace host
