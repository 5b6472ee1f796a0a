#include "smf.h"

#include <algorithm>

namespace {

void PutBe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A MIDI variable-length number: 7 bits a byte, the high bit set on all but the last.
void PutVarLen(std::vector<uint8_t>& b, uint32_t v) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v != 0);
  while (n > 1) b.push_back(groups[--n] | 0x80);
  b.push_back(groups[0]);
}

uint8_t Byte(int v) { return static_cast<uint8_t>(v & 0x7F); }

void Chunk(std::vector<uint8_t>& b, const char* id, const std::vector<uint8_t>& body) {
  b.insert(b.end(), id, id + 4);
  PutBe(b, static_cast<uint32_t>(body.size()), 4);
  b.insert(b.end(), body.begin(), body.end());
}

}  // namespace

TrackWriter::TrackWriter(const std::string& name) {
  std::vector<uint8_t> meta = {0xFF, 0x03};
  PutVarLen(meta, static_cast<uint32_t>(name.size()));
  meta.insert(meta.end(), name.begin(), name.end());
  Add(0, kMeta, meta);
}

void TrackWriter::Add(uint32_t tick, Order order, std::vector<uint8_t> bytes) {
  events_.push_back(Event{tick, order, std::move(bytes)});
}

void TrackWriter::Tempo(uint32_t tick, uint32_t us) {
  Add(tick, kMeta,
      {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)});
}

void TrackWriter::TimeSignature(uint32_t tick, int beats, int beat_note) {
  uint8_t power = 0;
  while ((1 << power) < beat_note) ++power;
  Add(tick, kMeta, {0xFF, 0x58, 0x04, static_cast<uint8_t>(beats), power, 24, 8});
}

void TrackWriter::Program(uint32_t tick, int channel, int program) {
  Add(tick, kSetup, {static_cast<uint8_t>(0xC0 | channel), Byte(program)});
}

void TrackWriter::Controller(uint32_t tick, int channel, int controller, int value) {
  Add(tick, kSetup, {static_cast<uint8_t>(0xB0 | channel), Byte(controller), Byte(value)});
}

void TrackWriter::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  Add(tick, kNoteOn, {static_cast<uint8_t>(0x90 | channel), Byte(key), Byte(std::clamp(velocity, 1, 127))});
  Add(tick + std::max<uint32_t>(length, 1), kNoteOff, {static_cast<uint8_t>(0x80 | channel), Byte(key), 0});
}

std::vector<uint8_t> TrackWriter::Chunk(uint32_t end) const {
  std::vector<Event> kept;
  for (const Event& e : events_) {
    if (e.tick < end) {
      kept.push_back(e);
    } else if (e.order == kNoteOff) {
      kept.push_back(Event{end, kNoteOff, e.bytes});  // a note held over the end stops there
    }
  }
  std::stable_sort(kept.begin(), kept.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<uint8_t> body;
  int sounding[16][128] = {};
  uint32_t now = 0;
  for (const Event& e : kept) {
    // A note-on dropped at the end leaves its note-off without a note: only note-offs that end a
    // sounding note are written.
    const int channel = e.bytes[0] & 0x0F;
    if (e.order == kNoteOn) ++sounding[channel][e.bytes[1]];
    if (e.order == kNoteOff) {
      if (sounding[channel][e.bytes[1]] == 0) continue;
      --sounding[channel][e.bytes[1]];
    }
    PutVarLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, end - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  return body;
}

std::vector<uint8_t> EncodeSmf(int division, const std::vector<TrackWriter>& tracks, uint32_t end) {
  std::vector<uint8_t> header;
  PutBe(header, 1, 2);
  PutBe(header, static_cast<uint32_t>(tracks.size()), 2);
  PutBe(header, static_cast<uint32_t>(division), 2);
  std::vector<uint8_t> file;
  Chunk(file, "MThd", header);
  for (const TrackWriter& t : tracks) Chunk(file, "MTrk", t.Chunk(end));
  return file;
}
