// The module kit's lookups, the three forms of Advance and HitBox.
#include "modules/module_kit.h"

// ---- bounded lookups --------------------------------------------------------------------------

int32_t PatternEntry(std::span<const int32_t> table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return -1;
  return table[static_cast<size_t>(index)];
}

int32_t TableEntry(std::span<const int32_t> table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return 0;
  return table[static_cast<size_t>(index)];
}

int32_t PatternAt(std::span<const int32_t> movie, int cursor, int ticks) {
  if (cursor < 0) return -1;
  return PatternEntry(movie, cursor / (ticks < 1 ? 1 : ticks));
}

int32_t CellEntry(std::span<const int32_t> right, std::span<const int32_t> left, int pattern, int facing,
                  CellFacing rule) {
  switch (rule) {
    case CellFacing::Common:
      return TableEntry(facing == 1 ? left : right, pattern);
    case CellFacing::Fighter:
      return TableEntry(facing == -1 ? left : right, pattern);
    case CellFacing::OldTemplate:
      if (facing == 1) return TableEntry(right, pattern);
      if (facing == -1) return TableEntry(left, pattern);
      return 0;
  }
  return 0;
}

int32_t SizeEntry(std::span<const int32_t> size_x, std::span<const int32_t> size_y, int pattern, int axis,
                  AxisKeys keys) {
  if (axis == keys.x || axis == keys.x2) return TableEntry(size_x, pattern);
  if (axis == keys.y || axis == keys.y2) return TableEntry(size_y, pattern);
  return 0;
}

int32_t HitEntry(std::span<const int32_t> vxp, std::span<const int32_t> vyp, std::span<const int32_t> vxs,
                 std::span<const int32_t> vys, int pattern, int which) {
  switch (which) {
    case kHitLeft:
      return TableEntry(vxp, pattern);
    case kHitTop:
      return TableEntry(vyp, pattern);
    case kHitWidth:
      return TableEntry(vxs, pattern);
    case kHitHeight:
      return TableEntry(vys, pattern);
    default:
      return 0;
  }
}

// ---- Advance ----------------------------------------------------------------------------------

namespace {

// Back to the -1 just before the sequence (the first tick before the table counts as one), then
// onto its first tick.
void Rewind(int (*pattern)(int cursor), int32_t& cursor) {
  while (cursor >= 0 && pattern(cursor) != -1) --cursor;
  ++cursor;
}

bool AtSequenceEnd(int (*pattern)(int cursor), int32_t cursor) { return pattern(cursor + 1) == -1; }

}  // namespace

void AdvanceLooping(int (*pattern)(int cursor), int32_t& cursor) {
  if (AtSequenceEnd(pattern, cursor)) {
    Rewind(pattern, cursor);
  } else {
    ++cursor;
  }
}

void AdvanceStepBack(int (*pattern)(int cursor), int32_t& cursor, int mode) {
  if (mode == 'r') {
    AdvanceLooping(pattern, cursor);
  } else if (AtSequenceEnd(pattern, cursor)) {
    --cursor;
  } else {
    ++cursor;
  }
}

int AdvanceHolding(int (*pattern)(int cursor), int32_t& cursor, int mode) {
  const bool end = AtSequenceEnd(pattern, cursor);
  if (mode == 'r') {
    AdvanceLooping(pattern, cursor);
  } else if (!end) {
    ++cursor;
  }
  return end ? 1 : 0;
}

// ---- HitBox -----------------------------------------------------------------------------------

void ApplyHitBox(const ModuleKit& kit, int slot) {
  const Actor a(kit.group, slot);
  const int p = kit.pattern(a.AnimCursor());
  const auto hit = [&](int which) { return kit.hit_rect != nullptr ? kit.hit_rect(p, which) : 0; };
  const ActorBox body = a.BodyBox();
  body.left = a.PosX() + hit(kHitLeft);
  body.top = a.PosY() + hit(kHitTop);
  body.right = body.left + hit(kHitWidth);
  body.bottom = body.top + hit(kHitHeight);
  if (kit.hit_box != HitBoxForm::Long) return;
  const ActorBox sprite = a.SpriteBox();
  sprite.left = a.PosX();
  sprite.top = a.PosY();
  sprite.right = a.PosX() + 16 * kit.size(p, kit.size_axes.x);
  sprite.bottom = a.PosY() + 16 * kit.size(p, kit.size_axes.y);
  a.CentreX() = body.left + (body.right - body.left) / 2;
  a.CentreY() = body.top + (body.bottom - body.top) / 2;
}
