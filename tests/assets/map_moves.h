// Where the heroine can stand on a map, and where one move takes her from there: the flood fills
// of the map tests (the cave's route, the screens the camera shows round her).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A tile (column, row) where she stands: her body covers that column and the next (24 pixels
// wide) and the four rows up to this one; the floor is the row below.
struct Spot {
  int col, row;
  const char* what;
};

int SpotIndex(const Spot& s);

// Something a mechanism gives her to stand on (or keeps her from): a block of tiles counted as
// solid, at the tile of layer 4 that places its group, or where it lands when it falls.
struct Platform {
  int col, row, width, height;
  uint32_t group = 0;
  bool lands = false;  // it falls to the floor under its middle and stays there
};

// A way that is no walk (an elevator, a pipe), from one spot to another.
struct Link {
  Spot from, to;
  bool both_ways;
};

// What the cave's mechanisms give her to stand on, or keep her from, as the route takes them: the
// elevator's platform at the top, the lifts over the first pit under the waterworks' hall and over
// the lava pit, the block lifts over the second pit, the coin blocks (a hidden one is solid once
// struck) and the 16-ton where it lands. The barrier of block lifts in the first enemies' hall is
// left out: she breaks it with her shots.
inline constexpr Platform kCavePlatforms[] = {
    {244, 45, 3, 1, 72},   {226, 110, 3, 1, 100}, {232, 110, 3, 1, 100}, {294, 110, 2, 2, 60},
    {299, 110, 2, 2, 60},  {38, 170, 3, 1, 101},  {56, 170, 3, 1, 101},  {80, 18, 2, 2, 70},
    {118, 22, 2, 2, 70},   {120, 22, 2, 2, 70},   {160, 22, 2, 2, 71},   {150, 103, 2, 2, 70},
    {152, 103, 2, 2, 70},  {270, 103, 2, 2, 71},  {89, 150, 2, 2, 70},   {91, 150, 2, 2, 70},
    {94, 150, 2, 2, 71},   {220, 70, 3, 4, 73, true},
};

// The cave's ways that are no walk: the elevator up and down; the pipe of guide 700, from the
// lower pipe's top to where it lets her out.
inline constexpr Link kCaveLinks[] = {
    {{244, 44, "the elevator at the top"}, {244, 88, "the elevator at the foot"}, true},
    {{160, 257, "on the lower pipe"}, {70, 129, "out of the upper pipe"}, false},
};

// How many rows a jump lifts her: 7 (120 pixels) on her own, 15 (253 pixels) with the spell
// she owns from the start of a new game.
inline constexpr int kJumpRows = 7;
inline constexpr int kSpellJumpRows = 15;

// The loaded map's layer 2 with the platforms, and the moves she can make on it: walk a tile,
// fall, and jump up to `jump_rows` rows with up to 4 tiles sideways at the top; a ledge (1198)
// lets her rise through it and holds her from above.
class StandingMoves {
 public:
  StandingMoves(std::span<const Platform> platforms, int jump_rows);

  bool Stands(int col, int row) const { return BodyFree(col, row) && (Floor(col, row + 1) || Floor(col + 1, row + 1)); }

  // Every spot (as a tile index) one move leads to from a spot where she stands.
  std::vector<int> From(int col, int row) const;

 private:
  uint32_t At(int col, int row) const;
  bool Floor(int col, int row) const { return At(col, row) != 0; }
  bool BodyFree(int col, int row) const;
  bool Rising(int col, int row) const;
  void Land(int col, int row, std::vector<int>& to) const;

  std::vector<uint32_t> tiles_;
  int jump_rows_;
};

// Where she comes to rest when a scene or an event puts her at (x, y) (her PosX, PosY): the spot
// (a tile index) under her, or -1 when she finds no floor.
int RestingSpot(const StandingMoves& moves, int x, int y);

// The spots reachable from `start`, following the moves and the links forwards, or (backwards)
// the spots from which `start` can be reached.
std::vector<bool> Reach(const StandingMoves& moves, std::span<const Link> links, const Spot& start, bool backwards);
