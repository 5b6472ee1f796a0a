// Hazard block (group 107, BreakableBlock): a block of lava two cells square, placed by the map,
// bubbling in a loop of six pictures (6 frames each, 36 a cycle). Its body is its lower half: the
// heroine's damage test hurts her by 1 when her foot box meets it (its collision kind 8), unless
// she is immune. It is not solid, so she walks into it, and the shots pass it; nothing lowers its
// life, so it stays active for the scene.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"

namespace {
constexpr int kGroup = 107;
constexpr int kTicks = 3;
constexpr int kBaseCell = 2400;  // sprite sheet 2
constexpr int kLayer = 2;
constexpr int32_t kFootHazard = 8;
}  // namespace

int GetBreakableBlockPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<80>({{10, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

void AdvanceBreakableBlockAnim(int32_t& cursor, int mode) { AdvanceStepBack(GetBreakableBlockPattern, cursor, mode); }

int GetBreakableBlockCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {720, 722, 724, 726, 728, 730}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetBreakableBlockSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetBreakableBlockHitRect(int pattern, int which) {
  // The lower half of the block.
  static constexpr auto VxP = ValueTable<20>({{0, {0, 0, 0, 0, 0, 0}}});
  static constexpr auto VyP = ValueTable<20>({{0, {16, 16, 16, 16, 16, 16}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {32, 32, 32, 32, 32, 32}}});
  static constexpr auto Vys = VyP;
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetBreakableBlockPattern,
    .cell = GetBreakableBlockCell,
    .size = GetBreakableBlockSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetBreakableBlockHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kStats{
    .life = 5, .exp = 5, .money = 1, .collision_kind = kFootHazard, .attack = 5, .defense = 0, .mode_bits = 2};

}  // namespace

void UpdateBreakableBlock() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor block(kGroup, slot);
    if (block.State() == kActorFree) continue;
    AdvanceBreakableBlockAnim(block.AnimCursor(), 'r');
    UpdateFixtureSlot(kKit, slot, kStats);
  }
}

// The heroine's damage test answers the block's touch; it is not solid.
void CollideBreakableBlock() {}

void DrawBreakableBlock() {
  DrawTemplateActors(kKit, {.layer = kLayer, .facing = DrawFacing::Zero, .advance = nullptr, .defeat_entry = -1});
}
