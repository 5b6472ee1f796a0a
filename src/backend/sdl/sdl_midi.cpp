// MIDI out on SDL: the FluidSynth synthesiser, created at the first open at the audio device's
// rate and kept until the program ends. It holds one reference to the audio device.
#include <atomic>

#include "backend/common/mixer.h"
#include "backend/common/synth.h"
#include "backend/sdl/sdl_internal.h"
#include "platform/host_audio.h"
#include "platform/host_midi.h"

namespace {

constexpr uint32_t kHandle = 1;

int audio_device = 0;  // our reference to the audio device, while the synthesiser exists
std::atomic<int> open_count = 0;  // the music's timer thread sends too

bool IsOpen(uint32_t handle) { return handle == kHandle && open_count > 0; }

}  // namespace

namespace sdl {

void CloseMidi() {
  open_count = 0;
  backend::StopSynth();
  if (audio_device != 0) host::CloseAudioDevice(audio_device);
  audio_device = 0;
}

}  // namespace sdl

namespace host {

uint32_t OpenMidiOut(int /*device*/) {
  if (!backend::SynthRunning()) {
    if (audio_device == 0) audio_device = OpenAudioDevice();
    if (audio_device == 0 || !backend::StartSynth(backend::MixerRate())) return 0;
  }
  backend::SynthSystemReset();
  ++open_count;
  return kHandle;
}

bool CloseMidiOut(uint32_t handle) {
  if (!IsOpen(handle)) return false;
  if (--open_count == 0) backend::SynthSoundsOff();
  return true;
}

bool SendMidiShort(uint32_t handle, uint32_t message) {
  if (!IsOpen(handle)) return false;
  backend::SynthShortMessage(message & 0xFF, (message >> 8) & 0xFF, (message >> 16) & 0xFF);
  return true;
}

bool SendMidiLong(uint32_t handle, const uint8_t* data, size_t size) {
  if (!IsOpen(handle)) return false;
  backend::SynthLongMessage(data, size);
  return true;
}

bool ResetMidiOut(uint32_t handle) {
  if (!IsOpen(handle)) return false;
  backend::SynthNotesOff();
  return true;
}

const char* MidiOutName(int /*device*/) { return "FluidSynth"; }

}  // namespace host
