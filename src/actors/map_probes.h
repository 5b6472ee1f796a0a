// Map collision probes: actors meet the map through map layer 2, where any tile other than 0 is
// solid. The scans read that layer along a row or a column; the probes tell a mover how far this
// frame's move may go before a wall, a floor or a ceiling.
//
// A probe takes a box as (box x, move x, width, box y, move y, height): its left and top before
// the move, this frame's displacement and its size. It tests the moved line first: when that is
// free the answer is kProbeFree. Otherwise it walks the move from 0 and answers the first blocked
// line's offset; for a move against the probe's direction that walk is empty and the answer is 4
// (walls) or -8 (floor and ceiling), which callers take as an allowed move. Coordinates wrap
// into the world (GetTile), so probes work across its edges.
#pragma once

#include <cstdint>

constexpr int kProbeFree = 0x10000;

// Scans sample every 16th pixel and the last one, so a span shorter than 16 still tests both ends.
// The first non-zero tile along the row y from x rightwards, else 0.
uint32_t FindTileInRow(int x, int y, int width);
// 1 when the column x from y downwards holds a non-zero tile.
int AnyTileInColumn(int x, int y, int height);
// 1 when the box holds a non-zero tile: rows y, y + 16, ... and in each the columns x, x + 16,
// ... below the far edges, then only the far corner.
int AnyTileInBox(int x, int y, int w, int h);

// The column right of the box: box x + width + 1 + k.
int ProbeWallRight(int box_x, int move_x, int width, int box_y, int move_y, int height);
// The column left of the box: box x - 1 + k; the answer is 0 or negative.
int ProbeWallLeft(int box_x, int move_x, int width, int box_y, int move_y, int height);
// The row under the box: box y + height + k, columns from box x + move x.
int ProbeFloor(int box_x, int move_x, int width, int box_y, int move_y, int height);
// The row box y + k. Modules move by the answer + 1, the first free line below it.
int ProbeCeiling(int box_x, int move_x, int width, int box_y, int move_y);
// The free pixels below the box up to max_dy: k - 1 at the first row box y + height + k with a
// tile, whose value is stored through tile when one is given; max_dy when none.
int MeasureFloorDrop(int box_x, int move_x, int width, int box_y, int max_dy, int height, uint32_t* tile);
// The same upwards, k = 0, -1, ..., min_dy: k + 1 at the first tile; min_dy when none.
int MeasureCeilingRise(int box_x, int move_x, int width, int box_y, int min_dy, int height, uint32_t* tile);
