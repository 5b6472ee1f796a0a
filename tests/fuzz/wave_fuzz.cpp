// WAVE sounds: the input is the WAVE resource of an effect slot. The slot loads it as the game
// loads its effects (parse, buffer, samples converted to the device's format, copies), then it
// plays once and looping, at a volume and a pan, and the device mixes what it hears.
#include <vector>

#include "audio/sound_slots.h"
#include "backend/headless/headless.h"
#include "fuzz/fuzz_targets.h"
#include "platform/resources.h"

namespace {

constexpr int kSlot = 7;
constexpr int kResource = 90001;  // a number no embedded resource has
constexpr int kCopies = 5;

}  // namespace

int FuzzWave(const uint8_t* data, size_t size) {
  const res::Entry wave[] = {{res::Kind::Wave, kResource, data, data + size}};
  res::Install(wave, 1);
  if (LoadSoundSlot(0, kSlot, kResource, kCopies) == 1) {
    std::vector<int16_t> out(2 * 2048);
    SetSoundSlotPan(kSlot, -2500);
    PlaySoundSlotAtVolume(kSlot, -600);
    headless::MixAudio(out.data(), 2048);
    SetSoundSlotLoop(kSlot, 1);
    PlaySoundSlotAtVolume(kSlot, 0);
    PlaySoundSlot(kSlot);
    headless::MixAudio(out.data(), 2048);
  }
  // The slot and the device as a fresh process has them; the game's own resources back.
  ReleaseAllSoundSlots();
  SoundSlots[kSlot] = SoundSlot{};
  headless::Reset();
  res::InstallEmbedded();
  return 0;
}
