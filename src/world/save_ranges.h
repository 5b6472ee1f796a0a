// What a save file may hold: for every field of the save block that the game reads, the values
// that play can produce. A file from elsewhere (copied from another machine, edited by hand,
// damaged on a disk) may hold anything; the loader brings each field into its range, keeping the
// player's progress, so that what is loaded plays as a game that play made.
#pragma once

#include "world/save_block.h"

// Brings every field of `block` into its range. The fields of the running process are not the
// file's and are left to the loader.
void BringSaveIntoRange(SaveBlock& block);

// The name of the first field of `block` outside its range, or nullptr when every field lies in
// its range: the check that the loader's result and every save play writes must pass.
const char* SaveFieldOutOfRange(const SaveBlock& block);
