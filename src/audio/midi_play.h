// The MIDI sequencer: plays one standard MIDI file (format 0 or 1) on the MIDI-out device. The
// whole file is loaded into memory; the player's timer calls it every millisecond on the timer
// thread, where it turns the elapsed time into ticks, sends every event that is due, and starts
// the song again when every track has ended, so music loops forever. After every event each
// channel's volume is set to the music volume of the options.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "audio/mtimer.h"

// One track chunk.
struct MidiTrack {
  int32_t active;          // 0 after its end
  int64_t next_tick;       // absolute tick of its next event (64-bit: deltas may add up past 2^31)
  int32_t length;          // bytes
  int32_t running_status;  // 0: none yet
  uint8_t* data;           // the chunk body, owned
  const uint8_t* cursor;   // read position
};

// What the player keeps of one channel.
struct MidiChannelState {
  uint8_t noteOn[16];  // a bit for each sounding note
  uint8_t program;
  uint8_t bank;         // controller 0
  uint8_t pan;          // controller 10
  uint8_t reverb;       // controller 91
  uint8_t chorus;       // controller 93
  uint8_t volume;       // controller 7 as read
  uint8_t sent_volume;  // controller 7 as sent
};

// One handle of the MIDI-out device. Every send does nothing (0) while it is closed.
class MidiOutDevice {
 public:
  ~MidiOutDevice();
  int Open(int device);  // 1 open, 0 the device cannot be opened
  int Close();           // 1 when it closed a handle
  void ResetClose();     // every note off, then close
  int Send3(uint8_t status, uint8_t data1, uint8_t data2);
  int SendLong(const uint8_t* data, size_t size);
  int SendShort(uint32_t message);
  int GetDeviceName(int device, char* name, size_t size);
  void Reset();

  std::atomic<uint32_t> handle{0};  // 0 = closed; the timer thread sends through it
  int32_t device = -1;              // -1: the device chosen for music
};

// The controller-7 value sent to all 16 channels after every event (set by the music
// interface), and the volume handed to the volume send during a fade.
extern std::atomic<int32_t> BgmChannelVolume;
extern std::atomic<int32_t> BgmFadeVolume;

class MidiPlay : public MTimer {
 public:
  MidiPlay();
  ~MidiPlay();

  int Load(const char* path);  // 1 loaded (a file that is no MIDI file loads as no tracks), 0 not opened
  int Play();                  // from the beginning, looping
  int Stop();
  int StopReset();
  void Rewind();
  void FreeTracks();
  void OnTimer() override;
  // The calls before the next event, counted up to kIdleLookAhead.
  uint32_t IdleCalls() override;
  static constexpr uint32_t kIdleLookAhead = 250;
  void ProcessEvent(MidiTrack& track);
  void SendChannelVolumes(int volume);
  void StartFade(int length);

  int32_t track_count;
  int32_t format;
  int32_t division;  // ticks per quarter note
  uint32_t tempo;    // microseconds per quarter note
  uint64_t elapsed_ms;
  uint64_t tick_base;
  MidiTrack* tracks;
  MidiOutDevice out;
  MidiChannelState channels[16];
  int8_t transpose;
  float fade_level;
  int32_t fade_level_int;
  int32_t volume_offset;
  int32_t mute;  // 0: channel volumes are sent
  int32_t fading;
  int32_t fade_length;
  int32_t fade_count;

 private:
  void ReadTracks(const uint8_t* image, size_t size);
  void KeepChannelState(uint8_t status, uint8_t data1, uint8_t& data2);
  void StepFade();
  std::atomic<int32_t> fade_request_{0};  // a fade asked for by the game's thread
};

// A MIDI variable-length number (at most 4 bytes), read without passing `end`. False when the
// data ends inside it.
bool ReadVarLen(const uint8_t*& cursor, const uint8_t* end, uint32_t& value);
uint16_t SwapBytes16(uint16_t big_endian);
uint32_t SwapBytes32(uint32_t big_endian);
