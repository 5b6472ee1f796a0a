#include "actors/map_probes.h"

#include "world/map_layers.h"

namespace {

constexpr int kSampleStep = 16;
constexpr int kWallAgainst = 4;     // a wall probe's answer to a move away from its wall
constexpr int kLineAgainst = -8;    // a floor or ceiling probe's answer to a move away from it

uint32_t Solid(int x, int y) { return GetTile(x, y, kCollisionLayer); }

}  // namespace

uint32_t FindTileInRow(int x, int y, int width) {
  for (int px = x; px < x + width - 1; px += kSampleStep) {
    if (const uint32_t v = Solid(px, y); v != 0) return v;
  }
  return Solid(x + width - 1, y);
}

int AnyTileInColumn(int x, int y, int height) {
  for (int py = y; py < y + height - 1; py += kSampleStep) {
    if (Solid(x, py) != 0) return 1;
  }
  return Solid(x, y + height - 1) != 0 ? 1 : 0;
}

int AnyTileInBox(int x, int y, int w, int h) {
  for (int py = y; py < y + h - 1; py += kSampleStep) {
    for (int px = x; px < x + w - 1; px += kSampleStep) {
      if (Solid(px, py) != 0) return 1;
    }
  }
  return Solid(x + w - 1, y + h - 1) != 0 ? 1 : 0;
}

int ProbeWallRight(int box_x, int move_x, int width, int box_y, int move_y, int height) {
  auto blocked = [&](int k) { return AnyTileInColumn(box_x + width + 1 + k, box_y + move_y, height) != 0; };
  if (!blocked(move_x)) return kProbeFree;
  for (int k = 0; k <= move_x; ++k) {
    if (blocked(k)) return k;
  }
  return kWallAgainst;
}

int ProbeWallLeft(int box_x, int move_x, int /*width*/, int box_y, int move_y, int height) {
  auto blocked = [&](int k) { return AnyTileInColumn(box_x - 1 + k, box_y + move_y, height) != 0; };
  if (!blocked(move_x)) return kProbeFree;
  for (int k = 0; k >= move_x; --k) {
    if (blocked(k)) return k;
  }
  return kWallAgainst;
}

int ProbeFloor(int box_x, int move_x, int width, int box_y, int move_y, int height) {
  auto blocked = [&](int k) { return FindTileInRow(box_x + move_x, box_y + height + k, width) != 0; };
  if (!blocked(move_y)) return kProbeFree;
  for (int k = 0; k <= move_y; ++k) {
    if (blocked(k)) return k;
  }
  return kLineAgainst;
}

int ProbeCeiling(int box_x, int move_x, int width, int box_y, int move_y) {
  auto blocked = [&](int k) { return FindTileInRow(box_x + move_x, box_y + k, width) != 0; };
  if (!blocked(move_y)) return kProbeFree;
  for (int k = 0; k >= move_y; --k) {
    if (blocked(k)) return k;
  }
  return kLineAgainst;
}

int MeasureFloorDrop(int box_x, int move_x, int width, int box_y, int max_dy, int height, uint32_t* tile) {
  for (int k = 0; k <= max_dy; ++k) {
    if (const uint32_t v = FindTileInRow(box_x + move_x, box_y + height + k, width); v != 0) {
      if (tile != nullptr) *tile = v;
      return k - 1;
    }
  }
  return max_dy;
}

int MeasureCeilingRise(int box_x, int move_x, int width, int box_y, int min_dy, int height, uint32_t* tile) {
  for (int k = 0; k >= min_dy; --k) {
    if (const uint32_t v = FindTileInRow(box_x + move_x, box_y + height + k, width); v != 0) {
      if (tile != nullptr) *tile = v;
      return k + 1;
    }
  }
  return min_dy;
}
