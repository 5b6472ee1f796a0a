#include "audio/sound_slots.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "audio/volumes.h"
#include "platform/host.h"
#include "platform/resources.h"

namespace {

constexpr int kStopAllSlots = 20;  // StopAllSounds covers slots 0..19

// The slot of a caller, or nullptr for a number outside 0..255, which is ignored.
SoundSlot* SlotOf(int slot) {
  if (slot < 0 || slot >= kSoundSlotCount) return nullptr;
  return &SoundSlots[slot];
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

// ---- start-up ------------------------------------------------------------------------------

namespace {

// Effect slot n <- WAVE resource, copies.
struct SoundEffect {
  int resource;
  int copies;
};
constexpr SoundEffect kSoundEffects[kSoundEffectCount] = {
    {122, 15}, {123, 5}, {124, 1}, {125, 5}, {128, 5}, {4, 5},   {149, 5}, {140, 5}, {130, 5},
    {129, 5},  {154, 5}, {152, 5}, {153, 5}, {155, 5}, {156, 5}, {157, 5}, {158, 5}, {161, 5},
    {162, 5},  {163, 5}, {164, 5}, {166, 5}, {170, 5}, {172, 5}, {182, 5}, {183, 5}, {184, 5},
    {190, 5},  {191, 5}, {192, 5}, {193, 5}, {198, 5}, {204, 5},
};
constexpr int kCoinSlot = 1;  // loaded with 5 copies, then duplicated up to 15
constexpr int kCoinCopies = 15;

}  // namespace

void LoadSoundEffects(Window window) {
  for (int slot = 0; slot < kSoundEffectCount; ++slot) {
    LoadSoundSlot(window, slot, kSoundEffects[slot].resource, kSoundEffects[slot].copies);
  }
  DuplicateSoundBuffers(kCoinSlot, kCoinCopies);
}

// ---- loading -------------------------------------------------------------------------------

int LoadSoundSlot(Window window, int slot, int resource, int copies) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr) return 0;
  ReleaseSoundSlot(slot);
  CreateSoundDevice(window, slot);
  if (s->device == 0 || s->copies != 0) return 0;  // a slot is loaded only once

  const uint8_t* image = nullptr;
  size_t image_size = 0;
  if (!res::Find(res::Kind::Wave, resource, image, image_size)) {
    char text[64];
    std::snprintf(text, sizeof text, "WAVEリソース %d がみつかりません", resource);
    host::MessageBox(text, "Error", true);  // a box without a caption is titled "Error"
    return 0;
  }
  host::WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!ParseWaveData(image, image_size, format, data, size)) return 0;

  const int buffer = host::CreateSoundBuffer(s->device, format, size);
  if (buffer == 0) return 0;
  if (!FillSoundBuffer(buffer, data, size)) {
    host::ReleaseSoundBuffer(buffer);
    return 0;
  }
  s->buffers[0] = buffer;
  s->copies = 1;
  DuplicateSoundBuffers(slot, copies);
  return 1;
}

void DuplicateSoundBuffers(int slot, int total) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr || s->device == 0 || s->copies == 0) return;
  const int wanted = std::min(total, kMaxSoundCopies);
  for (int i = static_cast<int>(s->copies); i < wanted; ++i) {
    const int copy = host::DuplicateSoundBuffer(s->buffers[0]);
    if (copy != 0) s->buffers[s->copies++] = copy;
  }
}

// ---- playing -------------------------------------------------------------------------------

namespace {

// The first steps of every play: the slot's next copy in turn, cut and rewound when it is still
// playing. 0 when the slot holds nothing or the copy cannot be asked.
int TakeNextCopy(int slot) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr || s->device == 0 || s->copies == 0) return 0;
  if (s->next_copy >= s->copies) s->next_copy = 0;
  const int buffer = s->buffers[s->next_copy++];
  bool playing = false;
  if (!host::GetSoundBufferStatus(buffer, playing)) return 0;
  if (playing) host::StopSoundBuffer(buffer);
  return buffer;
}

// The last steps: the slot's pan, then play, looping when the slot says so.
int StartCopy(int slot, int buffer) {
  host::SetSoundBufferPan(buffer, SoundSlots[slot].pan);
  host::PlaySoundBuffer(buffer, SoundSlots[slot].loop != 0);
  return buffer;
}

}  // namespace

int PlaySoundSlotAtVolume(int slot, int32_t volume) {
  const int buffer = TakeNextCopy(slot);
  if (buffer == 0) return 0;
  host::SetSoundBufferVolume(buffer, volume);  // a volume out of range is refused: the copy keeps its own
  return StartCopy(slot, buffer);
}

int PlaySoundSlot(int slot) {
  const int buffer = TakeNextCopy(slot);
  return buffer == 0 ? 0 : StartCopy(slot, buffer);
}

void PlaySound(int slot) {
  if (SoundVolume > host::kVolumeSilent) PlaySoundSlotAtVolume(slot, SoundVolume);
}

int PlaySoundAtVolume(int slot, int32_t volume) { return PlaySoundSlotAtVolume(slot, volume); }

void StopSoundSlot(int slot) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr || s->device == 0) return;
  for (uint32_t i = 0; i < s->copies; ++i) host::StopSoundBuffer(s->buffers[i]);
}

void StopAllSounds() {
  for (int slot = 0; slot < kStopAllSlots; ++slot) StopSoundSlot(slot);
}

// ---- releasing -----------------------------------------------------------------------------

void ReleaseSoundSlot(int slot) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr || s->device == 0) return;
  // The copies go with the device, so that a reload starts from an empty slot.
  for (uint32_t i = 0; i < s->copies; ++i) host::ReleaseSoundBuffer(s->buffers[i]);
  std::fill(std::begin(s->buffers), std::end(s->buffers), 0);
  s->copies = 0;
  s->next_copy = 0;
  host::CloseAudioDevice(s->device);
  s->device = 0;
}

void ReleaseAllSoundSlots() {
  for (int slot = 0; slot < kSoundSlotCount; ++slot) ReleaseSoundSlot(slot);
}

void SetSoundSlotPan(int slot, int32_t pan) {
  if (SoundSlot* s = SlotOf(slot)) s->pan = pan;
}

void SetSoundSlotLoop(int slot, uint32_t loop) {
  if (SoundSlot* s = SlotOf(slot)) s->loop = loop;
}

// ---- the steps of a load -------------------------------------------------------------------

namespace {

constexpr size_t kChunkHead = 8;  // identifier and little-endian length
constexpr size_t kPcmFormatSize = 16;
constexpr uint16_t kFormatPcm = 1;

}  // namespace

int ParseWaveData(const uint8_t* image, size_t image_size, host::WaveFormat& format, const uint8_t*& data,
                  uint32_t& size) {
  if (image == nullptr || image_size < 12 || std::memcmp(image, "RIFF", 4) != 0 ||
      std::memcmp(image + 8, "WAVE", 4) != 0) {
    return 0;
  }
  // The chunks end with the RIFF body, and never past the bytes we were given.
  const size_t end = std::min<size_t>(kChunkHead + Le32(image + 4), image_size);
  bool have_format = false, have_data = false;
  size_t at = 12;
  while (!(have_format && have_data)) {
    if (at >= end || end - at < kChunkHead) return 0;
    const uint8_t* head = image + at;
    const size_t length = Le32(head + 4);
    const size_t body = at + kChunkHead;
    if (length > end - body) return 0;  // a length that lies about the data present
    if (!have_format && std::memcmp(head, "fmt ", 4) == 0) {
      if (length < kPcmFormatSize) return 0;
      const uint8_t* f = image + body;
      format.format_tag = Le16(f);
      format.channels = Le16(f + 2);
      format.samples_per_sec = Le32(f + 4);
      format.avg_bytes_per_sec = Le32(f + 8);
      format.block_align = Le16(f + 12);
      format.bits_per_sample = Le16(f + 14);
      if (format.format_tag != kFormatPcm) return 0;
      have_format = true;
    } else if (!have_data && std::memcmp(head, "data", 4) == 0 && length != 0) {
      data = image + body;
      size = static_cast<uint32_t>(length);
      have_data = true;
    }
    at = body + length + (length & 1);
  }
  return 1;
}

int FillSoundBuffer(int buffer, const uint8_t* bytes, uint32_t size) {
  return host::FillSoundBuffer(buffer, bytes, size) ? 1 : 0;
}

int CreateSoundDevice(Window /*window*/, int slot) {
  SoundSlot* s = SlotOf(slot);
  if (s == nullptr) return 0;
  if (s->device == 0) s->device = host::OpenAudioDevice();
  return s->device != 0 ? 1 : 0;
}
