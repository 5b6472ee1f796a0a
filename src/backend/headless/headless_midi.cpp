// MIDI out on the headless backend: a device that records what it is sent, for tests. For
// benchmarks and listening tests it can also drive the synthesiser, heard in MixAudio.
#include <atomic>
#include <mutex>

#include "backend/common/mixer.h"
#include "backend/common/synth.h"
#include "backend/headless/headless.h"
#include "backend/headless/headless_internal.h"
#include "platform/host_audio.h"
#include "platform/host_midi.h"

namespace {

constexpr uint32_t kHandle = 1;

struct Midi {
  std::mutex lock;  // the music's timer thread records too
  std::vector<headless::MidiOutEvent> events;
  std::atomic<bool> fail = false;
  std::atomic<bool> synth = false;
  std::atomic<int> open_count = 0;
  int audio_device = 0;  // held while the synthesiser plays
};

// Never destroyed: a music player's destructor may close the device at exit.
Midi& Mi() {
  static Midi* midi = new Midi;
  return *midi;
}

void Record(headless::MidiOutEvent::Kind kind, std::vector<uint8_t> bytes = {}) {
  std::lock_guard<std::mutex> hold(Mi().lock);
  Mi().events.push_back(headless::MidiOutEvent{kind, std::move(bytes)});
}

bool IsOpen(uint32_t handle) { return handle == kHandle && Mi().open_count > 0; }

void StopSynthesiser() {
  Mi().synth = false;
  backend::StopSynth();
  if (Mi().audio_device != 0) host::CloseAudioDevice(Mi().audio_device);
  Mi().audio_device = 0;
}

}  // namespace

namespace headless {

void ResetMidi() {
  StopSynthesiser();
  std::lock_guard<std::mutex> hold(Mi().lock);
  Mi().events.clear();
  Mi().fail = false;
  Mi().open_count = 0;
}

std::vector<MidiOutEvent> MidiOutEvents() {
  std::lock_guard<std::mutex> hold(Mi().lock);
  return Mi().events;
}

void ClearMidiOutEvents() {
  std::lock_guard<std::mutex> hold(Mi().lock);
  Mi().events.clear();
}

bool MidiOutIsOpen() { return Mi().open_count > 0; }
void FailMidiOut(bool fail) { Mi().fail = fail; }

bool UseSynth(bool use) {
  if (!use) {
    StopSynthesiser();
    return true;
  }
  if (Mi().audio_device == 0) Mi().audio_device = host::OpenAudioDevice();
  if (Mi().audio_device == 0 || !backend::StartSynth(backend::MixerRate())) {
    StopSynthesiser();
    return false;
  }
  Mi().synth = true;
  return true;
}

}  // namespace headless

namespace host {

using headless::MidiOutEvent;

uint32_t OpenMidiOut(int device) {
  if (Mi().fail) return 0;
  ++Mi().open_count;
  if (Mi().synth) backend::SynthSystemReset();
  Record(MidiOutEvent::Kind::Open, {static_cast<uint8_t>(device)});
  return kHandle;
}

bool CloseMidiOut(uint32_t handle) {
  if (!IsOpen(handle)) return false;
  if (--Mi().open_count == 0 && Mi().synth) backend::SynthSoundsOff();
  Record(MidiOutEvent::Kind::Close);
  return true;
}

bool SendMidiShort(uint32_t handle, uint32_t message) {
  if (!IsOpen(handle)) return false;
  const uint8_t status = message & 0xFF, data1 = (message >> 8) & 0xFF, data2 = (message >> 16) & 0xFF;
  if (Mi().synth) backend::SynthShortMessage(status, data1, data2);
  if ((status & 0xE0) == 0xC0) {  // program change and channel pressure have one data byte
    Record(MidiOutEvent::Kind::Short, {status, data1});
  } else {
    Record(MidiOutEvent::Kind::Short, {status, data1, data2});
  }
  return true;
}

bool SendMidiLong(uint32_t handle, const uint8_t* data, size_t size) {
  if (!IsOpen(handle)) return false;
  if (Mi().synth) backend::SynthLongMessage(data, size);
  Record(MidiOutEvent::Kind::Long, std::vector<uint8_t>(data, data + size));
  return true;
}

bool ResetMidiOut(uint32_t handle) {
  if (!IsOpen(handle)) return false;
  if (Mi().synth) backend::SynthNotesOff();
  Record(MidiOutEvent::Kind::Reset);
  return true;
}

const char* MidiOutName(int /*device*/) { return "Recorder"; }

}  // namespace host
