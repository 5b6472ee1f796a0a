// The insect companion (group 114): the small insect that hovers about the heroine while it
// talks to her. Events spawn it at her and free it again. Its update picks a jitter of 0 to 3
// pixels a frame on each axis, turned back towards her whenever it would leave the 64-pixel
// square round her position; its draw shows its wings and moves it. Since it moves in the draw
// pass, it drifts while the world stands still (its speed grows by the last jitter every such
// frame) and comes back once the world runs again.
#include <algorithm>
#include <cstdint>

#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/utils.h"

namespace {
constexpr int kGroup = 114;
constexpr int kTicks = 4;
constexpr int kFlying = 10;  // its one sequence: the four wing beats
constexpr int kReach = 32;   // how far from her it may stray on each axis
constexpr int kDrawLayer = 3;
}  // namespace

int GetInsectCompanionPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<40>({{kFlying, {0, 1, 2, 3}}, {20, {1}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

void AdvanceInsectCompanion(int32_t& cursor, int mode) { AdvanceStepBack(GetInsectCompanionPattern, cursor, mode); }

// Its cells lie on sheet 0, where its pattern numbers start: no base cell is added.
int GetInsectCompanionCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {746, 747, 748, 749}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common);
}

int GetInsectCompanionSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {1, 1, 1, 1}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetInsectCompanionPattern,
    .cell = GetInsectCompanionCell,
    .size = GetInsectCompanionSize,
    .size_axes = kAxisNumbers,
    .hit_rect = nullptr,  // nothing tests its boxes
    .hit_box = HitBoxForm::Short,
};

// One axis of the jitter: `sign` turns by chance (1 in 10), and back towards `target` when the
// step would take it outside target ± 32; the step is `amount` that way.
int32_t Jitter(int32_t at, int32_t target, int32_t amount, int32_t& sign) {
  if (at + amount * sign < target - kReach) sign = 1;
  if (at + amount * sign >= target + kReach) sign = -1;
  return amount * sign;
}

// Its move: VelX += StepX, VelY += StepY, PosX += VelX, PosY += VelY. While the world stands
// still the speed grows every frame; left for minutes (the pause menu open), the drift would
// carry the position past the range of its numbers, so speed and position stop growing far
// beyond anything the world holds.
constexpr int64_t kFastestDrift = int64_t{1} << 24;
constexpr int64_t kFarthestDrift = int64_t{1} << 30;
int32_t Bounded(int64_t value, int64_t bound) { return static_cast<int32_t>(std::clamp(value, -bound, bound)); }
void DriftInsectCompanion(const Actor& a) {
  a.VelX() = Bounded(int64_t{a.VelX()} + a.StepX(), kFastestDrift);
  a.VelY() = Bounded(int64_t{a.VelY()} + a.StepY(), kFastestDrift);
  a.PosX() = Bounded(int64_t{a.PosX()} + a.VelX(), kFarthestDrift);
  a.PosY() = Bounded(int64_t{a.PosY()} + a.VelY(), kFarthestDrift);
}

}  // namespace

void UpdateInsectCompanion() {
  const Actor hero(kHeroineGroup, 0);
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    if (a.State() == kActorSpawned) {
      SetActorAnim(kGroup, slot, kTicks, kFlying);
      a.Motion() = 0;
      a.FaceX() = a.FaceY() = 1;
      a.HomeX() = a.PosX();
      a.HomeY() = a.PosY();
      a.State() = kActorActive;
    }
    if (a.State() != kActorActive) continue;
    a.Input() = 0;
    if (a.Motion() != 0) continue;
    a.VelX() = a.VelY() = 0;
    const int32_t ax = Random(4), ay = Random(4);
    if (Random(10) == 1) a.FaceX() = -a.FaceX();
    if (Random(10) == 1) a.FaceY() = -a.FaceY();
    a.StepX() = Jitter(a.PosX(), hero.PosX(), ax, a.FaceX());
    a.StepY() = Jitter(a.PosY(), hero.PosY(), ay, a.FaceY());
  }
}

void DrawInsectCompanion() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    PushPatternCells(kKit, slot, GetInsectCompanionPattern(a.AnimCursor()), 0, kDrawLayer, 1);
    AdvanceInsectCompanion(a.AnimCursor(), 'r');
    DriftInsectCompanion(a);
    RecordHistories(a);
  }
}
