// Save files: a 32-byte header with the date and time of the save in full-width characters,
// then the whole save block as it lies in memory. Three slots, one file each.
#pragma once

#include <cstdint>
#include <ctime>

// 0, or -1 when the file could not be written whole (the old file is then still there).
int WriteSave(const char* path);
// 0, or -1 when the file cannot be read or is not a save file (the game is then unchanged). What
// is read is brought into the ranges of play (world/save_ranges.h).
int ReadSave(const char* path);
// After a loaded game: the step counters of the events a save may hold in mid-script start over
// (EventStep 2, shared by every guide and field event from 256 on, 128 and the field events
// 160..164, the save statue's among them), so no event resumes waiting on a window that is not
// open. Both loaders, the title's and the pause menu's, call it.
void ResetEventStepsAfterLoad();
// Reads the three slots' headers into SlotHeaders; a slot without a good file shows
// "－記録がありません－".
void ReadSlotHeaders();

// The clock, and its conversion to local calendar time.
void QueryTime(int64_t* time_out);
std::tm ConvertLocalTime(int64_t time);

// The header text of a save made at `time`: "%m/%d-%H:%M" widened to full-width characters.
void FormatSaveHeader(int64_t time, char (&header)[32]);
