#include "support/played_sounds.h"

#include "audio/sound_slots.h"
#include "backend/headless/headless.h"

std::vector<PlayedSound> PlayedSounds() {
  std::vector<PlayedSound> out;
  for (const headless::PlayedBuffer& p : headless::PlayedBuffers()) {
    PlayedSound played{-1, -1, p.volume, p.pan, p.loop, p.frame};
    for (int slot = 0; slot < kSoundSlotCount && played.slot < 0; ++slot) {
      for (uint32_t copy = 0; copy < SoundSlots[slot].copies; ++copy) {
        if (SoundSlots[slot].buffers[copy] == p.buffer) played = {slot, static_cast<int>(copy), p.volume, p.pan, p.loop, p.frame};
      }
    }
    out.push_back(played);
  }
  return out;
}

int PlayCount(int slot) {
  int n = 0;
  for (const PlayedSound& p : PlayedSounds()) n += p.slot == slot;
  return n;
}
