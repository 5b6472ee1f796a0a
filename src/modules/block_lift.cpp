// Block lift (group 60, BlockLift): a solid stone block of 2 x 2 cells that the heroine stands on
// and that one of her shots breaks. It crumbles in 16 frames (its body narrowing, then gone),
// stays away for 255 frames, blinking through the last 38, and comes back where it stood.
#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "modules/mechanism.h"
#include "modules/module_kit.h"
#include "modules/modules.h"

namespace {
constexpr int kGroup = 60;
constexpr int kBaseCell = 3600;
constexpr int kLayer = 1;
constexpr int kBreaking = 30;  // the breaking sequence's first entry
constexpr int kBreakingMotion = 5;
}  // namespace

int GetBlockLiftPattern(int cursor) {
  // Standing: pattern 0. Breaking: cracks (1..4), then crumbling to dust (5..13).
  static constexpr auto MoviePtn = MovieTable<60>({
      {0, {0}},
      {10, {0}},
      {kBreaking, {0, 0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
  });
  return PatternAt(MoviePtn, cursor, 1);
}

int GetBlockLiftCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = [] {
    auto t = ValueTable<30>({});
    for (int p = 0; p < 14; ++p) t[p] = 880 + 2 * p;
    return t;
  }();
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetBlockLiftSize(int pattern, int axis) {
  static constexpr auto SpSizeX = BuildTable<20>(2, {});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

// The body narrows as it cracks and is gone once it crumbles.
int GetBlockLiftHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({});
  static constexpr auto VyP = ValueTable<20>({});
  static constexpr auto Vxs = ValueTable<20>({{0, {32, 22, 32, 32, 32}}});
  static constexpr auto Vys = ValueTable<20>({{0, {32, 32, 32, 32, 32}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit =
    MechanismKit(kGroup, GetBlockLiftPattern, GetBlockLiftCell, GetBlockLiftSize, GetBlockLiftHitRect);

// One point of damage breaks it; its foot-touch kind lets her shots hit it. It stands still: it
// has no input of its own and nothing else drives it.
constexpr MechanismRules kRules{.stats = {.life = 1, .collision_kind = 4}};

// A block whose life is gone, or one a script holds, starts breaking.
void StartBreakingIfDue(const Actor& a) {
  if (!((a.Life() <= 0 && a.State() == kActorActive) || a.Control() == kControlHeld)) return;
  a.State() = kActorEnding;
  SetActorMotion(kGroup, a.slot, kBreakingMotion);
  a.AnimCursor() = kBreaking;
}

}  // namespace

void UpdateBlockLift() { UpdateMechanisms(kKit, kRules); }

void CollideBlockLift() { CollideHeroineWithSolids(kGroup); }

void MoveBlockLift() { MoveMechanisms(kKit); }

void DrawBlockLift() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    const int visible = MechanismVisibility(a);
    if (visible < 0) continue;
    const int facing = a.FaceY() == -1 ? 1 : 0;  // both cell tables are the same
    PushPatternCells(kKit, slot, GetBlockLiftPattern(a.AnimCursor()), facing, kLayer, visible);
    StartBreakingIfDue(a);
  }
}
