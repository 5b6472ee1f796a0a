// The game's music: the town's tune "TOWN.MID" and the boss's tune "MGYASAU.MDT", both standard
// MIDI files for General MIDI, written into the Data folder. Each song is data in a file of its
// own; this is what they share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output.h"
#include "score.h"

// Writes both songs; false when a song's data has a slip (reported on stderr).
bool WriteMusic(Output& out);

// Each song's file; empty when its data has a slip.
std::vector<uint8_t> ComposeTownSong();
std::vector<uint8_t> ComposeBossSong();

// The first track of a song: its name, tempo and metre at tick 0.
TrackWriter Conductor(const std::string& name, int beats_per_minute, const Meter& m);
// A track for one instrument: its General MIDI program, pan (0 left .. 127 right) and reverb
// set at tick 0, so every pass of the loop starts with them.
TrackWriter Instrument(const std::string& name, int channel, int program, int pan, int reverb);
