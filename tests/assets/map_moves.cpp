#include "assets/map_moves.h"

#include "world/map_layers.h"

int SpotIndex(const Spot& s) { return s.row * kTilesPerRow + s.col; }

StandingMoves::StandingMoves(std::span<const Platform> platforms, int jump_rows)
    : tiles_(BgLayers.TileBuffer + kCollisionLayer * kTilesPerLayer,
             BgLayers.TileBuffer + (kCollisionLayer + 1) * kTilesPerLayer),
      jump_rows_(jump_rows) {
  for (const Platform& p : platforms) {
    int row = p.row;
    while (p.lands && At(p.col + p.width / 2, row + p.height) == 0) ++row;
    for (int r = row; r < row + p.height; ++r)
      for (int c = p.col; c < p.col + p.width; ++c) tiles_[r * kTilesPerRow + c] = 1200;
  }
}

std::vector<int> StandingMoves::From(int col, int row) const {
  std::vector<int> to;
  for (int dir : {-1, 1})
    if (BodyFree(col + dir, row)) Land(col + dir, row, to);
  for (int rise = 1; rise <= jump_rows_ && Rising(col, row - 3 - rise); ++rise) {
    const int top = row - rise;
    if (!BodyFree(col, top)) continue;  // inside a ledge: no sideways move from here
    Land(col, top, to);
    for (int dir : {-1, 1})
      for (int k = 1; k <= 4 && BodyFree(col + k * dir, top); ++k) Land(col + k * dir, top, to);
  }
  return to;
}

uint32_t StandingMoves::At(int col, int row) const {
  if (col < 0 || row < 0 || col >= kTilesPerRow || row >= kTileRows) return 1200;
  return tiles_[row * kTilesPerRow + col];
}

bool StandingMoves::BodyFree(int col, int row) const {
  for (int r = row - 3; r <= row; ++r)
    if (At(col, r) != 0 || At(col + 1, r) != 0) return false;
  return true;
}

// The row her head rises into is open or a ledge in both her columns.
bool StandingMoves::Rising(int col, int row) const {
  auto through = [&](int c) { return At(c, row) == 0 || At(c, row) == 1198; };
  return through(col) && through(col + 1);
}

// She falls from (col, row), where her body is free, to the first floor.
void StandingMoves::Land(int col, int row, std::vector<int>& to) const {
  while (!Stands(col, row))
    if (++row >= kTileRows - 1) return;
  to.push_back(row * kTilesPerRow + col);
}

int RestingSpot(const StandingMoves& moves, int x, int y) {
  for (int col : {(x + 12) / kTileSize, (x + 12 + kTileSize - 1) / kTileSize})
    for (int row = (y + 63) / kTileSize; row < kTileRows - 1; ++row)
      if (moves.Stands(col, row)) return row * kTilesPerRow + col;
  return -1;
}

std::vector<bool> Reach(const StandingMoves& moves, std::span<const Link> links, const Spot& start, bool backwards) {
  std::vector<std::vector<int>> edges(kTilesPerLayer);
  auto add = [&](int from, int to) { edges[backwards ? to : from].push_back(backwards ? from : to); };
  for (int row = 0; row < kTileRows; ++row)
    for (int col = 0; col < kTilesPerRow; ++col)
      if (moves.Stands(col, row))
        for (int to : moves.From(col, row)) add(row * kTilesPerRow + col, to);
  for (const Link& l : links) {
    add(SpotIndex(l.from), SpotIndex(l.to));
    if (l.both_ways) add(SpotIndex(l.to), SpotIndex(l.from));
  }
  std::vector<bool> seen(kTilesPerLayer, false);
  std::vector<int> open = {SpotIndex(start)};
  seen[open.back()] = true;
  while (!open.empty()) {
    const int at = open.back();
    open.pop_back();
    for (int to : edges[at])
      if (!seen[to]) {
        seen[to] = true;
        open.push_back(to);
      }
  }
  return seen;
}
