// Looping decorations (groups 118, LoopDecorA, and 119, LoopDecorB): one-cell decorations placed
// by the map that play a loop of four pictures, two frames each, for ever: A is a wall torch, B a
// console's blinking lights. The draw pass steps the loop, so it runs in every frame the game
// draws, also in the pause menu and during talks and events. Two decorations side by side
// animate in step only when they started in the same frame.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "world/draw_queue.h"

namespace {
constexpr int kTicks = 2;
constexpr int kLayer = 1;
constexpr int kSheet2 = 2400;  // the draw adds the sheet to the cell
}  // namespace

// The two groups share all but their cells.
int GetLoopDecorPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<40>({{10, {0, 1, 2, 3}}, {20, {1}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

void AdvanceLoopDecorAnim(int32_t& cursor, int mode) { AdvanceStepBack(GetLoopDecorPattern, cursor, mode); }

int GetLoopDecorACell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {984, 985, 986, 987}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common);
}

int GetLoopDecorBCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {988, 989, 990, 991}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common);
}

int GetLoopDecorSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {1, 1, 1, 1}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetLoopDecorHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {0}}});
  static constexpr auto VyP = VxP;
  static constexpr auto Vxs = ValueTable<20>({{0, {16}}});
  static constexpr auto Vys = Vxs;
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit KitOf(int group, int (*cell)(int pattern, int facing)) {
  return {
      .group = group,
      .ticks = kTicks,
      .pattern = GetLoopDecorPattern,
      .cell = cell,
      .size = GetLoopDecorSize,
      .size_axes = kAxisNumbers,
      .hit_rect = GetLoopDecorHitRect,
      .hit_box = HitBoxForm::Short,
  };
}
constexpr ModuleKit kKitA = KitOf(118, GetLoopDecorACell);
constexpr ModuleKit kKitB = KitOf(119, GetLoopDecorBCell);

void UpdateLoopDecor(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor decor(kit.group, slot);
    if (decor.State() == kActorFree) continue;
    decor.StepX() = decor.StepY() = 0;
    if (decor.State() == kActorSpawned) {
      SetActorAnim(kit.group, slot, kTicks, 10);
      decor.Motion() = 0;
      decor.FaceX() = decor.FaceY() = 1;
      decor.State() = kActorActive;
      decor.HomeX() = decor.PosX();
      decor.HomeY() = decor.PosY();
    }
    if (decor.State() == kActorActive) {
      decor.Input() = 0;
      if (decor.Motion() == 0) decor.VelX() = decor.VelY() = 0;
    }
    ApplyHitBox(kit, slot);
  }
}

// The cell, then the loop's step and the move (its steps are 0, so it stays where it is).
void DrawLoopDecor(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor decor(kit.group, slot);
    if (decor.State() == kActorFree) continue;
    const int p = kit.pattern(decor.AnimCursor());
    if (p >= 0) PushCell(kLayer, 1, kWorldCoords, decor.PosX(), decor.PosY(), kit.cell(p, decor.FaceX()) + kSheet2);
    AdvanceLoopDecorAnim(decor.AnimCursor(), 'r');
    MoveByVelocity(decor);
    RecordHistories(decor);
  }
}

}  // namespace

void UpdateLoopDecorA() { UpdateLoopDecor(kKitA); }
void DrawLoopDecorA() { DrawLoopDecor(kKitA); }
void UpdateLoopDecorB() { UpdateLoopDecor(kKitB); }
void DrawLoopDecorB() { DrawLoopDecor(kKitB); }
