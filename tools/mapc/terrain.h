// Terrain sets: which piece of a tileset's terrain patch goes where, chosen from the neighbours.
//
// A terrain set is laid out as tools/assetgen/sheets/tiles.h lays out every tileset's ground,
// blocks and third material: from its first cell, a 3 x 3 patch (offsets 0, 1, 2 / 40, 41, 42 /
// 80, 81, 82), inner corners 3, 4 / 43, 44, two more insides 83, 84, a ledge one tile thick
// 5, 6, 7 and a single block 8.
#pragma once

#include <cstdint>

// Which of the eight neighbours hold the same terrain.
struct Neighbours {
  bool up, down, left, right;
  bool up_left, up_right, down_left, down_right;
};

// The tile value of the piece of the set starting at `first` for a cell with these neighbours;
// `seed` picks among the plain insides so that large masses do not repeat one picture.
uint32_t TerrainPiece(uint32_t first, const Neighbours& n, uint32_t seed);
