// Standard MIDI files for the game's music: tracks of timed events, written as format 1 with a
// ticks-per-quarter division. Every track ends (FF 2F) at the song's end, so the game's player,
// which starts a song again once every track has ended, loops it there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TrackWriter {
 public:
  explicit TrackWriter(const std::string& name);

  void Tempo(uint32_t tick, uint32_t us_per_quarter);
  void TimeSignature(uint32_t tick, int beats, int beat_note);
  void Program(uint32_t tick, int channel, int program);
  void Controller(uint32_t tick, int channel, int controller, int value);
  // A note-on at `tick` and its note-off `length` ticks later.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);

  // The MTrk chunk: the events in time order (at one tick: meta events, then controllers and
  // programs, then note-offs, then note-ons), nothing at or after `end` but the note-offs of
  // notes still sounding, and the end of the track at `end`.
  std::vector<uint8_t> Chunk(uint32_t end) const;

 private:
  enum Order { kMeta, kSetup, kNoteOff, kNoteOn };
  struct Event {
    uint32_t tick;
    Order order;
    std::vector<uint8_t> bytes;
  };
  void Add(uint32_t tick, Order order, std::vector<uint8_t> bytes);
  std::vector<Event> events_;
};

// The whole file: the header (format 1, the tracks, `division` ticks a quarter note) and each
// track's chunk ending at `end`.
std::vector<uint8_t> EncodeSmf(int division, const std::vector<TrackWriter>& tracks, uint32_t end);
