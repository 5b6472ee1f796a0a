// Coin pop-up (group 112, BonusPop): the coin that jumps out of a coin block struck from below.
// It spins, rises 80 pixels at 8 a frame, falls back at 6 a frame until it is more than 8
// pixels below where it started, and then turns into the floating text "20". The update decides
// the step; the draw pass moves it, so the coin keeps moving by its last step while the world
// is paused.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"

namespace {
constexpr int kGroup = 112;
constexpr int kLayer = 2;
constexpr int kSpin = 10;
constexpr int kRise = 80;
constexpr int32_t kRising = 0;  // the phases, in ModeBits
constexpr int32_t kFalling = 1;
}  // namespace

int GetBonusPopPattern(int cursor) {
  // One tick an entry: the eight pictures of the spin, each twice.
  static constexpr auto WlkTbl = MovieTable<70>({
      {0, {0}},
      {kSpin, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}},
  });
  return PatternAt(WlkTbl, cursor, 1);
}

void AdvanceBonusPop(int slot) { AdvanceLooping(GetBonusPopPattern, Actor(kGroup, slot).AnimCursor()); }

int GetBonusPopCell(int facing, int pattern) {
  // The eight pictures of the spin from cell 826; the patterns above them show the first.
  static constexpr auto Right = [] {
    auto t = ValueTable<32>({});
    for (int p = 0; p < 32; ++p) t[p] = 826 + (p < 8 ? p : 0);
    return t;
  }();
  static constexpr auto Left = Right;
  return CellEntry(Right, Left, pattern, facing, CellFacing::OldTemplate);
}

int GetBonusPopSize(int letter, int pattern) {
  // One cell wide and two high, whatever the pattern.
  static constexpr auto X = BuildTable<32>(1, {});
  static constexpr auto Y = BuildTable<32>(2, {});
  return SizeEntry(X, Y, pattern, letter, kAxisEitherCase);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = 1,
    .pattern = GetBonusPopPattern,
    .cell = [](int pattern, int facing) { return GetBonusPopCell(facing, pattern); },
    .size = [](int pattern, int axis) { return GetBonusPopSize(axis, pattern); },
    .size_axes = kAxisEitherCase,
    .hit_rect = nullptr,
    .hit_box = HitBoxForm::Short,
};

}  // namespace

void UpdateBonusPop() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    if (a.State() == kActorSpawned) {
      a.AnimCursor() = kSpin;
      a.Motion() = a.ModeBits() = 0;
      a.HomeX() = a.PosX();
      a.HomeY() = a.PosY();
      a.State() = kActorActive;
    } else if (a.State() != kActorActive) {
      continue;
    }
    a.Input() = 0;
    if ((a.Motion() & 255) != 0) continue;
    if (a.ModeBits() == kRising) {
      if (a.PosY() > a.HomeY() - kRise) {
        a.StepY() = -8;
      } else {
        a.ModeBits() = kFalling;
        a.StepY() = 8;
      }
    }
    if (a.ModeBits() == kFalling) {
      a.StepY() = 6;
      if (a.PosY() > a.HomeY() + 8) {
        a.State() = kActorFree;
        SpawnActorWithText(111, a.PosX() + 16, a.PosY(), 's', 'n', "20");
      }
    }
  }
}

void DrawBonusPop() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() < kActorActive) continue;
    PushPatternCells(kKit, slot, GetBonusPopPattern(a.AnimCursor()), 1, kLayer, 1);
    AdvanceBonusPop(slot);
    a.PosY() += a.StepY();
  }
}
