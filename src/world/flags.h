// The scenario flags: three banks of 2048 four-bit values that record the story's progress
// (a talk heard, a chest opened, a switch thrown). They lie in the save block.
#pragma once

#include <cstdint>

constexpr int kFlagBankCount = 3;
constexpr int kFlagsPerBank = 2048;

// Banks and indices outside the tables are clamped into them.
uint32_t GetFlag(int bank, int index);
// Values of 16 and more are stored as 15, negative ones as their low four bits.
void SetFlag(int bank, int index, int value);
// The same on banks other than the game's (a save's as it loads).
using FlagBankTable = uint32_t[kFlagBankCount][256];
uint32_t GetFlag(const FlagBankTable& banks, int bank, int index);
void SetFlag(FlagBankTable& banks, int bank, int index, int value);
// A bank outside 0..2 is left alone.
void ClearFlagBank(int bank);
void ClearAllFlags();
