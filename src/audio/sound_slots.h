// Sound effects: 256 numbered slots, each holding one effect loaded from a WAVE resource and up to
// 128 copies of it, so that an effect can overlap itself. Playing a slot takes its copies in
// turn; a copy that is still playing is cut and restarted. `PlaySound` is the effect call of the
// whole game: it applies the options' effect volume and is silent while that is muted.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host_audio.h"
#include "platform/window.h"

constexpr int kSoundSlotCount = 256;
constexpr int kMaxSoundCopies = 128;
constexpr int kSoundEffectCount = 33;  // the effects of the game, in slots 0..32

struct SoundSlot {
  uint32_t reserved;
  int device;                        // the slot's audio device handle; 0 = none
  uint32_t copies;                   // buffers in use; 0 = nothing loaded
  uint32_t next_copy;                // the copy the next play takes
  int buffers[kMaxSoundCopies];      // 0 is the loaded one, 1.. its duplicates
  int32_t pan;                       // given at every play; 0 (centre)
  uint32_t loop;                     // non-zero plays looping; 0
};

inline SoundSlot SoundSlots[kSoundSlotCount];

// Loads the game's 33 effects into slots 0..32 (start-up).
void LoadSoundEffects(Window window);

// 1 loaded, 0 failed (a missing resource also shows a message box).
int LoadSoundSlot(Window window, int slot, int resource, int copies);
// Adds duplicates of buffer 0 until the slot holds `total` copies (at most 128).
void DuplicateSoundBuffers(int slot, int total);

// Each returns the buffer played, or 0 when nothing played.
int PlaySoundSlotAtVolume(int slot, int32_t volume);
int PlaySoundSlot(int slot);  // at the volume the copy was last given: heard even when muted
void PlaySound(int slot);     // at SoundVolume; nothing while effects are muted
int PlaySoundAtVolume(int slot, int32_t volume);

void StopSoundSlot(int slot);
void StopAllSounds();  // slots 0..19
void ReleaseSoundSlot(int slot);
void ReleaseAllSoundSlots();
void SetSoundSlotPan(int slot, int32_t pan);
void SetSoundSlotLoop(int slot, uint32_t loop);

// The steps of a load. ParseWaveData reads a RIFF image of `image_size` bytes: 1 with the format
// and the samples of its first "fmt " and "data" chunks, 0 when it is no PCM WAVE file.
int ParseWaveData(const uint8_t* image, size_t image_size, host::WaveFormat& format, const uint8_t*& data,
                  uint32_t& size);
int FillSoundBuffer(int buffer, const uint8_t* bytes, uint32_t size);
int CreateSoundDevice(Window window, int slot);
