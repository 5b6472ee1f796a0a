// Impact effect (group 110): the spark that shows where a hit lands. A spawn facing right (1)
// plays the large form, 2 x 2 cells, any other facing the small one, one cell; either plays its
// 32 frames once, flickering, and frees its slot. The draw pass steps it, so a spark also plays
// out while the world is paused; one spawned then waits, undrawn, for the next update.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"

namespace {
constexpr int kGroup = 110;
constexpr int kLayer = 2;
constexpr int kSmallSpark = 10;
constexpr int kLargeSpark = 50;
}  // namespace

int GetImpactEffectPattern(int cursor) {
  // One tick an entry; the large spark has no pattern 25, and its last two entries show
  // pattern 32, which has no cells.
  static constexpr auto WlkTbl = MovieTable<130>({
      {0, {0}},
      {kSmallSpark, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7,
                     8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15}},
      {kLargeSpark, {16, 16, 17, 17, 18, 18, 19, 19, 20, 20, 21, 21, 22, 22, 23, 23,
                     24, 24, 26, 26, 27, 27, 28, 28, 29, 29, 30, 30, 31, 31, 32, 32}},
  });
  return PatternAt(WlkTbl, cursor, 1);
}

int GetImpactEffectCell(int facing, int pattern) {
  // Patterns 0-15 are the small spark's cells 304-319, patterns 16-31 the large one's, two
  // cells apart from 320.
  static constexpr auto Right = [] {
    auto t = ValueTable<40>({});
    for (int p = 0; p < 16; ++p) t[p] = 304 + p;
    for (int p = 16; p < 32; ++p) t[p] = 320 + 2 * (p - 16);
    return t;
  }();
  static constexpr auto Left = Right;
  return CellEntry(Right, Left, pattern, facing, CellFacing::OldTemplate);
}

int GetImpactEffectSize(int letter, int pattern) {
  static constexpr auto Sizes = [] {
    auto t = ValueTable<40>({});
    for (int p = 0; p < 16; ++p) t[p] = 1;
    for (int p = 16; p < 32; ++p) t[p] = 2;
    return t;
  }();
  return SizeEntry(Sizes, Sizes, pattern, letter, kAxisEitherCase);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = 1,
    .pattern = GetImpactEffectPattern,
    .cell = [](int pattern, int facing) { return GetImpactEffectCell(facing, pattern); },
    .size = [](int pattern, int axis) { return GetImpactEffectSize(axis, pattern); },
    .size_axes = kAxisEitherCase,
    .hit_rect = nullptr,
    .hit_box = HitBoxForm::Short,
};

}  // namespace

void UpdateImpactEffect() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    if (a.State() == kActorSpawned) {
      a.AnimCursor() = a.FaceX() == 1 ? kLargeSpark : kSmallSpark;
      a.Motion() = a.ModeBits() = 0;
      a.HomeX() = a.PosX();
      a.HomeY() = a.PosY();
      a.Input() = 0;
      a.State() = kActorActive;
    } else if (a.State() == kActorActive) {
      a.Input() = 0;
    }
  }
}

void DrawImpactEffect() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() < kActorActive) continue;
    // Queued invisible: the spark is drawn on every other frame only.
    PushPatternCells(kKit, slot, GetImpactEffectPattern(a.AnimCursor()), 1, kLayer, 0);
    if (GetImpactEffectPattern(a.AnimCursor() + 1) != -1) {
      a.AnimCursor() += 1;
    } else {
      a.State() = kActorFree;
      a.AnimCursor() = 0;
    }
  }
}
