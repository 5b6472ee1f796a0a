// The headless backend: the platform seam without a window, for tests and tools.
//
// Events come from a script, presented pictures are kept for reading, message boxes are
// recorded, and time is virtual: each presented frame advances the clock by 1/60 s and each wait
// by its timeout, so a test runs as fast as the machine allows and always the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"

namespace headless {

// Forgets everything: script, window, pictures, recordings, failures; the clock goes back to 0.
void Reset();

// Delivers `event` once the virtual clock reaches `at_ms`.
void ScheduleEvent(const host::Event& event, uint64_t at_ms = 0);
// Delivers `event` once `frame` pictures have been presented.
void ScheduleEventAtFrame(const host::Event& event, int frame);
// Shorthands for the events tests use most.
host::Event KeyDown(uint8_t vk, bool repeat = false);
host::Event KeyUp(uint8_t vk);
host::Event Simple(host::EventKind kind);

// What was presented.
int PresentCount();
const std::vector<uint32_t>& LastFrame();  // 640 x 480, the last picture presented

// The window as the game left it.
bool WindowExists();
bool IsFullscreen();
bool CursorShown();
int FullscreenSwitches();
const std::vector<std::string>& MessageBoxes();  // texts (Shift-JIS) in the order shown

// Failures to simulate.
void FailCreateWindow(bool fail);
void FailOpenDisplay(bool fail);
void FailFullscreen(bool fail);
void FailPresent(bool fail);
void SetMinimised(bool minimised);

// Joystick 0: plugged in with this state, or unplugged (nullptr).
void SetJoystick(const host::JoystickState* state);

// ---- audio: a virtual device that plays only when a test mixes it -------------------------

// No audio device: every open fails (a machine without sound).
void FailAudioDevice(bool fail);
bool AudioDeviceOpen();
// The device's rate from its next opening on (48000 at first).
void SetAudioRate(int rate);
// Every buffer started, with the volume and pan it started at and the frames presented by then.
struct PlayedBuffer {
  int buffer;
  int32_t volume;
  int32_t pan;
  bool loop;
  int frame;
};
const std::vector<PlayedBuffer>& PlayedBuffers();
// The device's next `frames` stereo frames (interleaved), as the mixer makes them.
void MixAudio(int16_t* out, int frames);

// ---- MIDI out: a recorder ----------------------------------------------------------------

struct MidiOutEvent {
  enum class Kind : uint8_t { Open, Close, Reset, Short, Long };
  Kind kind;
  std::vector<uint8_t> bytes;  // Open: the device; Short: status and its data bytes; Long: the message
};
// What the device was sent, in order (a copy: the music's timer thread adds to it).
std::vector<MidiOutEvent> MidiOutEvents();
void ClearMidiOutEvents();
bool MidiOutIsOpen();
// The device cannot be opened (no synthesiser or no SoundFont).
void FailMidiOut(bool fail);
// The device also plays the FluidSynth synthesiser, heard in MixAudio. False when it cannot.
bool UseSynth(bool use);

// The clocks.
uint64_t NowMs();
void SetWallClock(int64_t seconds_since_epoch);

}  // namespace headless
