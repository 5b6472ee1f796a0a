// The fuzz targets: one function for each reader of bytes that come from outside the program
// (save files, map files, WAVE sounds, MIDI files, Shift-JIS text, map sources). Each takes one
// input, feeds it to the reader the way the game does, lets the game use what was read, and
// returns 0. A fault shows as a sanitizer report or an abort, never as a result.
//
// The fuzz build links each function to libFuzzer's entry point (driver/libfuzzer_entry.cpp) or
// to our own mutation loop (driver/mutation_loop.cpp); the unit tests replay the seeds and every
// input that once found a fault through the same functions (fuzz_replay_test.cpp).
//
// A target writes only inside its scratch folder (fuzz_scratch.h) and puts back the game state
// its reader depends on before every input, so each input runs as in a fresh process.
#pragma once

#include <cstddef>
#include <cstdint>

int FuzzSaveFiles(const uint8_t* data, size_t size);
// The save inputs that FuzzSaveFiles also plays after the load (one in 64); the rest are loads only.
bool SaveInputPlaysTheLoad(const uint8_t* data, size_t size);
int FuzzMapFile(const uint8_t* data, size_t size);
int FuzzWave(const uint8_t* data, size_t size);
int FuzzMidiFile(const uint8_t* data, size_t size);
int FuzzSjisText(const uint8_t* data, size_t size);
int FuzzMapSource(const uint8_t* data, size_t size);

struct FuzzTarget {
  const char* name;  // also the folder of its seeds: tests/fuzz/seeds/<name>
  int (*run)(const uint8_t* data, size_t size);
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"save_files", FuzzSaveFiles}, {"map_file", FuzzMapFile},   {"wave", FuzzWave},
    {"midi_file", FuzzMidiFile},   {"sjis_text", FuzzSjisText}, {"map_source", FuzzMapSource},
};
