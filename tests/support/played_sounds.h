// The sound effects played, as the game's slots and copies (from the headless backend's log of
// buffers started).
#pragma once

#include <cstdint>
#include <vector>

struct PlayedSound {
  int slot;
  int copy;
  int32_t volume;  // the copy's volume when it started, 1/100 dB
  int32_t pan;
  bool loop;
  int frame;       // pictures presented before it started
};

std::vector<PlayedSound> PlayedSounds();

// How many times slot `slot` was played so far.
int PlayCount(int slot);
