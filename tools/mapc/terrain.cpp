#include "terrain.h"

namespace {

// Offsets of the pieces from the set's first cell.
constexpr uint32_t kTopLeft = 0, kTop = 1, kTopRight = 2;
constexpr uint32_t kLeft = 40, kInside = 41, kRight = 42;
constexpr uint32_t kBottomLeft = 80, kBottom = 81, kBottomRight = 82;
constexpr uint32_t kInnerTopLeft = 3, kInnerTopRight = 4, kInnerBottomLeft = 43, kInnerBottomRight = 44;
constexpr uint32_t kInsideVariant1 = 83, kInsideVariant2 = 84;
constexpr uint32_t kLedgeLeft = 5, kLedge = 6, kLedgeRight = 7, kSingle = 8;

// One row of the patch: the left, middle or right piece by the open sides. A column one tile
// wide has no piece of its own and takes the left one.
uint32_t PatchColumn(const Neighbours& n, uint32_t left, uint32_t middle, uint32_t right) {
  if (!n.left) return left;
  if (!n.right) return right;
  return middle;
}

uint32_t Inside(const Neighbours& n, uint32_t seed) {
  if (!n.up_left) return kInnerTopLeft;
  if (!n.up_right) return kInnerTopRight;
  if (!n.down_left) return kInnerBottomLeft;
  if (!n.down_right) return kInnerBottomRight;
  // About one inside in six shows one of the two variations.
  switch (seed % 12) {
    case 0: return kInsideVariant1;
    case 1: return kInsideVariant2;
    default: return kInside;
  }
}

uint32_t PieceOffset(const Neighbours& n, uint32_t seed) {
  if (!n.up && !n.down) {
    if (!n.left && !n.right) return kSingle;
    return PatchColumn(n, kLedgeLeft, kLedge, kLedgeRight);
  }
  if (!n.up) return PatchColumn(n, kTopLeft, kTop, kTopRight);
  if (!n.down) return PatchColumn(n, kBottomLeft, kBottom, kBottomRight);
  if (!n.left) return kLeft;
  if (!n.right) return kRight;
  return Inside(n, seed);
}

}  // namespace

uint32_t TerrainPiece(uint32_t first, const Neighbours& n, uint32_t seed) {
  return first + PieceOffset(n, seed);
}
