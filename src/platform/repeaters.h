// The timed repeaters, run once per frame: sound effects played later or several times, and
// emitters that sprinkle impact effects (actor group 110) around a place for some frames.
#pragma once

#include <cstdint>

struct SoundRepeat {
  uint32_t active;
  uint32_t slot;         // the sound effect
  int32_t frames_left;
  int32_t interval;      // plays when frames_left is a multiple of it; at least 1
};
constexpr int kSoundRepeatCount = 128;
struct SoundRepeatTable {
  SoundRepeat entries[kSoundRepeatCount];
  uint32_t initialised;
};
extern SoundRepeatTable SoundRepeats;

struct Emitter {
  int32_t count;  // spawns left; 0 = free
  int32_t x, y;   // world pixels
  int32_t range_x, range_y;
  int32_t parameter;  // the effect's facing x
  int32_t interval;   // at least 1
  int32_t phase;      // 0..256
};
constexpr int kEmitterCount = 256;
struct EmitterTable {
  Emitter entries[kEmitterCount];
  uint32_t initialised;
};
extern EmitterTable Emitters;

// Clears both tables (start-up).
void InitRepeaters();

// Plays `slot` at every frame of the countdown frames, frames - 1, ..., 0 that is a multiple of
// interval: frames / interval + 1 times, the last one `frames` frames from now. Dropped when
// all 128 entries are busy.
void QueueRepeatedSound(int slot, int frames, int interval);
void RunRepeatedSounds();

void ClearEmitters();
// Spawns `count` impact effects, one every `interval` frames, each at a random point up to
// range_x and range_y away from (x, y). Dropped when all 256 emitters are busy.
void AddEmitter(int x, int y, int range_x, int range_y, int parameter, int count, int interval);
void RunEmitters();
