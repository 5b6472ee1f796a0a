#include "audio/midi_play.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/music.h"
#include "platform/files.h"
#include "platform/host_midi.h"

std::atomic<int32_t> BgmChannelVolume{0};
std::atomic<int32_t> BgmFadeVolume{48};

namespace {

constexpr uint32_t kStartTempo = 1000000;  // 60 quarter notes a minute until the song says otherwise
constexpr size_t kChunkHead = 8;           // identifier and big-endian length
constexpr uint32_t kHeaderSize = 6;        // format, track count, division
constexpr int kMaxVarLenBytes = 4;

uint32_t Be32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return SwapBytes32(v);
}
uint16_t Be16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return SwapBytes16(v);
}

// Ticks played in `ms` milliseconds at `tempo`.
uint64_t TicksIn(uint64_t ms, int32_t division, uint32_t tempo) {
  return tempo == 0 ? 0 : ms * static_cast<uint64_t>(division) * 1000 / tempo;
}

}  // namespace

// ---- helpers -----------------------------------------------------------------------------------

bool ReadVarLen(const uint8_t*& cursor, const uint8_t* end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < kMaxVarLenBytes; ++i) {
    if (cursor >= end) return false;
    const uint8_t b = *cursor++;
    value = value << 7 | (b & 0x7F);
    if ((b & 0x80) == 0) break;
  }
  return true;
}

uint16_t SwapBytes16(uint16_t v) { return static_cast<uint16_t>(v >> 8 | v << 8); }

uint32_t SwapBytes32(uint32_t v) {
  return v >> 24 | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | v << 24;
}

// ---- MIDI out ----------------------------------------------------------------------------------

MidiOutDevice::~MidiOutDevice() { Close(); }

int MidiOutDevice::Open(int new_device) {
  if (handle != 0 && device == new_device) return 1;
  if (handle != 0) Close();
  device = new_device;
  handle = host::OpenMidiOut(new_device);
  return handle != 0 ? 1 : 0;
}

int MidiOutDevice::Close() {
  const uint32_t h = handle.exchange(0);
  if (h == 0) return 0;
  host::CloseMidiOut(h);
  return 1;
}

void MidiOutDevice::ResetClose() {
  Reset();
  Close();
}

int MidiOutDevice::Send3(uint8_t status, uint8_t data1, uint8_t data2) {
  return SendShort(status | data1 << 8 | data2 << 16);
}

int MidiOutDevice::SendLong(const uint8_t* data, size_t size) {
  const uint32_t h = handle;
  return h != 0 && host::SendMidiLong(h, data, size) ? 1 : 0;
}

int MidiOutDevice::SendShort(uint32_t message) {
  const uint32_t h = handle;
  return h != 0 && host::SendMidiShort(h, message) ? 1 : 0;
}

int MidiOutDevice::GetDeviceName(int of_device, char* name, size_t size) {
  if (name == nullptr || size == 0) return 0;
  std::snprintf(name, size, "%s", host::MidiOutName(of_device));
  return 1;
}

void MidiOutDevice::Reset() {
  if (const uint32_t h = handle) host::ResetMidiOut(h);
}

// ---- the player --------------------------------------------------------------------------------

MidiPlay::MidiPlay()
    : track_count(0), format(0), division(0), tempo(0), elapsed_ms(0), tick_base(0), tracks(nullptr), channels{},
      transpose(0), fade_level(0), fade_level_int(0), volume_offset(0), mute(0), fading(0), fade_length(0),
      fade_count(0) {
  CurrentSong = 0;
}

MidiPlay::~MidiPlay() {
  Stop();
  FreeTracks();
}

int MidiPlay::Load(const char* path) {
  MTimer::Stop();  // the timer thread must not read the tracks being replaced
  FreeTracks();
  FILE* f = OpenFile(path, "rb");
  if (f == nullptr) return 0;
  uint8_t* image = nullptr;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (size > 0 && std::fseek(f, 0, SEEK_SET) == 0) image = static_cast<uint8_t*>(std::malloc(size));
  if (image != nullptr && std::fread(image, 1, size, f) == static_cast<size_t>(size)) {
    ReadTracks(image, static_cast<size_t>(size));
  }
  std::free(image);
  std::fclose(f);
  tempo = kStartTempo;
  return 1;
}

// The header and the track chunks. Anything that is not a standard MIDI file leaves no tracks,
// so it plays nothing: the identifiers are checked, lengths are cut to the bytes present, chunks
// of other kinds are passed over, and a division of 0 (no tick would ever pass) is refused.
void MidiPlay::ReadTracks(const uint8_t* image, size_t size) {
  if (size < kChunkHead || std::memcmp(image, "MThd", 4) != 0) return;
  const uint32_t header_size = Be32(image + 4);
  if (header_size < kHeaderSize || header_size > size - kChunkHead) return;
  const uint8_t* header = image + kChunkHead;
  if (Be16(header + 4) == 0) return;
  format = Be16(header);
  division = Be16(header + 4);
  const int count = Be16(header + 2);
  tracks = static_cast<MidiTrack*>(std::calloc(std::max(count, 1), sizeof(MidiTrack)));
  if (tracks == nullptr) return;

  size_t at = kChunkHead + header_size;
  int found = 0;
  while (found < count && size - at >= kChunkHead) {
    const uint8_t* head = image + at;
    const size_t length = std::min<size_t>(Be32(head + 4), size - at - kChunkHead);
    at += kChunkHead;
    if (std::memcmp(head, "MTrk", 4) == 0) {
      auto* data = static_cast<uint8_t*>(std::malloc(std::max<size_t>(length, 1)));
      if (data == nullptr) break;
      std::memcpy(data, image + at, length);
      tracks[found++] = MidiTrack{1, 0, static_cast<int32_t>(length), 0, data, data};
    }
    at += length;
  }
  track_count = found;
}

int MidiPlay::Play() {
  MTimer::Stop();  // a player started twice must not rewind under its own timer
  out.Close();
  Rewind();
  out.Open(host::kMidiMapper);
  Start(1);
  return 1;
}

int MidiPlay::Stop() {
  MTimer::Stop();
  out.Close();
  return 1;
}

int MidiPlay::StopReset() {
  MTimer::Stop();
  out.ResetClose();
  return 1;
}

void MidiPlay::Rewind() {
  elapsed_ms = 0;
  tick_base = 0;
  for (int i = 0; i < track_count; ++i) {
    MidiTrack& t = tracks[i];
    t.cursor = t.data;
    t.active = 1;
    t.running_status = 0;  // each pass reads the track as from a fresh start
    uint32_t delta = 0;
    if (ReadVarLen(t.cursor, t.data + t.length, delta)) {
      t.next_tick = delta;
    } else {
      t.active = 0;
    }
  }
}

void MidiPlay::FreeTracks() {
  for (int i = 0; i < track_count; ++i) std::free(tracks[i].data);
  std::free(tracks);
  tracks = nullptr;
  track_count = 0;
}

// ---- one millisecond ---------------------------------------------------------------------------

void MidiPlay::OnTimer() {
  const int64_t now = static_cast<int64_t>(TicksIn(elapsed_ms, division, tempo) + tick_base);
  StepFade();
  bool any_active = false;
  for (int i = 0; i < track_count; ++i) {
    MidiTrack& t = tracks[i];
    if (t.active == 0) continue;
    any_active = true;
    while (t.active != 0 && t.next_tick <= now) ProcessEvent(t);
  }
  ++elapsed_ms;
  if (!any_active) Rewind();
}

// The calls before the first that sends an event: with no fade running or asked for, they only
// count milliseconds. None while no track is left (the next call rewinds).
uint32_t MidiPlay::IdleCalls() {
  if (fading != 0 || fade_request_ != 0) return 0;
  int64_t first = INT64_MAX;
  for (int i = 0; i < track_count; ++i) {
    if (tracks[i].active != 0) first = std::min(first, tracks[i].next_tick);
  }
  if (first == INT64_MAX) return 0;
  uint32_t calls = 0;
  while (calls < kIdleLookAhead && static_cast<int64_t>(TicksIn(elapsed_ms + calls, division, tempo) + tick_base) < first) {
    ++calls;
  }
  return calls;
}

void MidiPlay::ProcessEvent(MidiTrack& t) {
  const uint8_t* end = t.data + t.length;
  // The end of the data is the end of the track; so is a data byte with no status to repeat.
  if (t.cursor >= end) {
    t.active = 0;
    return;
  }
  uint8_t status = static_cast<uint8_t>(t.running_status);
  if (*t.cursor >= 0x80) {
    status = *t.cursor++;
  } else if (status == 0) {
    t.active = 0;
    return;
  }

  uint32_t count = 0;
  if (status < 0xF0) {
    const int n = (status & 0xE0) == 0xC0 ? 1 : 2;  // program change and channel pressure take one
    if (end - t.cursor < n) {
      t.active = 0;
      return;
    }
    const uint8_t data1 = t.cursor[0] & 0x7F;
    uint8_t data2 = n == 2 ? t.cursor[1] & 0x7F : 0;
    t.cursor += n;
    KeepChannelState(status, data1, data2);
    out.Send3(status, data1, data2);
  } else if (status == 0xF0 || status == 0xF7) {
    if (!ReadVarLen(t.cursor, end, count)) {
      t.active = 0;
      return;
    }
    count = static_cast<uint32_t>(std::min<size_t>(count, end - t.cursor));
    if (status == 0xF0) {
      // The message is F0 and the counted bytes; the buffer lives until the device is done.
      if (auto* message = static_cast<uint8_t*>(std::malloc(count + 1))) {
        message[0] = 0xF0;
        std::memcpy(message + 1, t.cursor, count);
        out.SendLong(message, count + 1);
        std::free(message);
      }
    }  // an F7 escape is skipped whole
    t.cursor += count;
  } else if (status == 0xFF) {
    if (t.cursor >= end) {
      t.active = 0;
      return;
    }
    const uint8_t type = *t.cursor++;
    if (!ReadVarLen(t.cursor, end, count)) {
      t.active = 0;
      return;
    }
    count = static_cast<uint32_t>(std::min<size_t>(count, end - t.cursor));
    if (type == 0x2F) {  // end of track
      t.active = 0;
      return;
    }
    if (type == 0x51) {  // set tempo
      uint32_t new_tempo = 0;
      for (uint32_t i = 0; i < count; ++i) new_tempo = new_tempo << 8 | t.cursor[i];
      if (new_tempo != 0) {  // a tempo of 0 would stop time: it is ignored
        tick_base += TicksIn(elapsed_ms, division, tempo);
        elapsed_ms = 0;
        tempo = new_tempo;
      }
    }
    t.cursor += count;
  }  // other system statuses carry nothing further

  t.running_status = status;
  uint32_t delta = 0;
  if (ReadVarLen(t.cursor, end, delta)) {
    t.next_tick += delta;
  } else {
    t.active = 0;
  }
  const int32_t song = CurrentSong;
  if (song >= 0 && song < kMusicPlayerCount) MusicPlayers[song].SendChannelVolumes(BgmFadeVolume);
}

// The channel's bookkeeping. A volume controller is sent as the file's value moved by the
// player's offset and fade, which the next event's channel volumes override again.
void MidiPlay::KeepChannelState(uint8_t status, uint8_t data1, uint8_t& data2) {
  MidiChannelState& c = channels[status & 0x0F];
  const int note = (data1 + transpose) & 0x7F;
  const uint8_t bit = static_cast<uint8_t>(1 << (note & 7));
  switch (status & 0xF0) {
    case 0x80:
      c.noteOn[note >> 3] &= static_cast<uint8_t>(~bit);
      break;
    case 0x90:
      if (data2 != 0) {
        c.noteOn[note >> 3] |= bit;
      } else {
        c.noteOn[note >> 3] &= static_cast<uint8_t>(~bit);
      }
      break;
    case 0xB0:
      if (data1 == 0) c.bank = data2;
      if (data1 == 10) c.pan = data2;
      if (data1 == 91) c.reverb = data2;
      if (data1 == 93) c.chorus = data2;
      if (data1 == 7) {
        c.volume = data2;
        data2 = static_cast<uint8_t>(std::clamp(data2 + volume_offset + fade_level_int, 0, 127));
        c.sent_volume = data2;
      }
      break;
    case 0xC0:
      c.program = data1;
      break;
    default:
      break;
  }
}

void MidiPlay::SendChannelVolumes(int /*volume*/) {
  if (mute != 0) return;
  const auto value = static_cast<uint8_t>(std::clamp<int32_t>(BgmChannelVolume, 0, 127));
  for (int channel = 0; channel < 16; ++channel) out.Send3(static_cast<uint8_t>(0xB0 | channel), 7, value);
}

// ---- fading ------------------------------------------------------------------------------------

// Asked for on the game's thread; the timer thread, which owns the fade, starts it at its next
// step.
void MidiPlay::StartFade(int length) {
  fade_request_ = std::max(length, 1);
  Wake();
}

// One step of a fade: the level added to the file's volume controllers falls from 0 to -127
// over the fade's length; the channel volumes sent after it stay the music volume.
void MidiPlay::StepFade() {
  if (const int32_t length = fade_request_.exchange(0); length != 0) {
    fade_level = 0;
    fade_level_int = 0;
    fade_length = length;
    fade_count = 0;
    fading = 1;
  }
  if (fading == 0) return;
  ++fade_count;
  fade_level = -127.0f * static_cast<float>(fade_count) / static_cast<float>(fade_length);
  const auto level = static_cast<int32_t>(fade_level);
  if (level != fade_level_int) {
    fade_level_int = level;
    SendChannelVolumes(BgmFadeVolume);
  }
  if (fade_count >= fade_length) fading = 0;
}
