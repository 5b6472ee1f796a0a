// Falling weights (groups 73, SixteenTon, and 74, PistonWeight): iron weights of 3 x 4 cells that
// drop onto the map under them and hurt the heroine on contact (a share of her maximum HP); both
// are solid, so she can also stand on them. The 16-ton hangs until she passes under it, then
// falls once, speeding up to 8 pixels a frame, and stays where it lands. The piston weight hangs
// on a rope and works by itself: it falls (up to 16 a frame), rests, is hauled back up 2 pixels a
// frame and falls again. A landing near her shakes the view with a thud. The phase of a weight
// is kept in MoneyReward, its fall speed in VelY.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "audio/sound_slots.h"
#include "modules/mechanism.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

namespace {
constexpr int kSixteenTon = 73;
constexpr int kPiston = 74;
constexpr int kBaseCell = 3600;
constexpr int kLayer = 1;
constexpr int kSoundThud = 4;
constexpr int kWidth = 48, kHeight = 64;
constexpr int kLandingSearch = 16;  // the rows under its bottom searched for a free one on landing
constexpr int kRiddenShortfall = 66;  // a piston carrying her turns back this far below its home
constexpr int kRise = -2;
constexpr int32_t kRope = 0xFFFFFF;

// The phases, in MoneyReward.
constexpr int32_t kHanging = 0;  // the 16-ton waits; the piston rises
constexpr int32_t kFalling = 1;
constexpr int32_t kLanded = 2;   // the 16-ton for good; the piston rests from here to kRestEnd
constexpr int32_t kRestEnd = 16;

constexpr MechanismStats kStats{.life = 1, .collision_kind = 64};
}  // namespace

int GetSixteenTonPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<40>({{0, {0}}, {10, {0}}});
  return PatternAt(MoviePtn, cursor, 1);
}

int GetSixteenTonCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {797}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetSixteenTonSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {3}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {4}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetSixteenTonHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({});
  static constexpr auto VyP = ValueTable<20>({});
  static constexpr auto Vxs = ValueTable<20>({{0, {kWidth}}});
  static constexpr auto Vys = ValueTable<20>({{0, {kHeight}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

// The piston weight has the 16-ton's tables but its own picture.
int GetPistonWeightPattern(int cursor) { return GetSixteenTonPattern(cursor); }

int GetPistonWeightCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {794}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetPistonWeightSize(int pattern, int axis) { return GetSixteenTonSize(pattern, axis); }
int GetPistonWeightHitRect(int pattern, int which) { return GetSixteenTonHitRect(pattern, which); }

namespace {

constexpr ModuleKit kSixteenTonKit =
    MechanismKit(kSixteenTon, GetSixteenTonPattern, GetSixteenTonCell, GetSixteenTonSize, GetSixteenTonHitRect);
constexpr ModuleKit kPistonKit =
    MechanismKit(kPiston, GetPistonWeightPattern, GetPistonWeightCell, GetPistonWeightSize, GetPistonWeightHitRect);

int32_t& Phase(const Actor& a) { return a.MoneyReward(); }

void StopStill(const Actor& a) { a.VelX() = a.VelY() = 0; }

void HangAtHome(const Actor& a) {
  StopStill(a);
  a.HomeX() = a.PosX();
  a.HomeY() = a.PosY();
}

bool SolidAt(int x, int y) { return GetTile(x, y, kCollisionLayer) != 0; }

// One frame of a fall: only the tile of the collision layer under its middle column, at its
// bottom plus its speed, can stop it. On landing the last step reaches the first free row found
// searching up from 16 below its bottom (none: no last step), and a landing near her shakes the
// view with a thud. Otherwise it speeds up by 1 to its top speed. True on landing.
bool Fall(const Actor& a, int top_speed) {
  const int x = a.PosX() + kWidth / 2;
  const int bottom = a.PosY() + kHeight;
  if (!SolidAt(x, bottom + a.VelY())) {
    if (a.VelY() < top_speed) a.VelY() += 1;
    return false;
  }
  for (int k = kLandingSearch; k >= 1; --k) {
    if (!SolidAt(x, bottom + k)) {
      a.StepY() = k + 1;
      break;
    }
  }
  a.VelY() = 0;
  if (IsBoxNearHeroine(a.PosX(), a.PosY(), kWidth, kHeight) != 0) {
    StartSmallShake();
    PlaySound(kSoundThud);
  }
  return true;
}

// Her centre after this frame's move lies under the weight's centre, at most 63 pixels to either
// side and 1279 down.
bool HeroineUnder(const Actor& a) {
  const Actor h(kHeroineGroup, 0);
  const ActorBox box = h.BodyBox();
  const int hx = box.left + h.StepX() + h.VelX() + (box.right - box.left) / 2;
  const int hy = box.top + h.StepY() + h.VelY() + (box.bottom - box.top) / 2;
  const int dx = a.PosX() + kWidth / 2 - hx;
  const int dy = a.PosY() + kHeight / 2 - hy;
  return dx >= -63 && dx <= 63 && dy >= -1279 && dy <= -1;
}

void DropSixteenTon(const Actor& a) {
  if (Phase(a) == kHanging && HeroineUnder(a)) Phase(a) = kFalling;
  if (Phase(a) == kFalling && Fall(a, 8)) Phase(a) = kLanded;
}

// Up to its hanging height (only to 66 pixels short of it while she rides it), then down at
// once; after a landing it rests until the phase has counted up to 16.
void WorkPiston(const Actor& a) {
  if (Phase(a) == kHanging) {
    const int limit = a.HomeY() + (a.Ridden() == 1 ? kRiddenShortfall : 0);
    if (a.PosY() + a.VelY() > limit) {
      a.StepY() = kRise;
    } else {
      Phase(a) = kFalling;
    }
  }
  if (Phase(a) == kFalling && Fall(a, 16)) Phase(a) += 1;
  if (Phase(a) >= kLanded) {
    if (Phase(a) == kRestEnd) {
      a.VelY() = 0;
      Phase(a) = kHanging;
    } else {
      Phase(a) += 1;
    }
  }
}

// Weights keep their fall speed from frame to frame; they are never hit and never break.
constexpr MechanismRules kSixteenTonRules{
    .stats = kStats, .setup = StopStill, .behave = DropSixteenTon, .clears_velocity = false};
constexpr MechanismRules kPistonRules{
    .stats = kStats, .setup = HangAtHome, .behave = WorkPiston, .clears_velocity = false};

// A weight moves by its step and its fall speed; the step does not add to the speed.
void MoveWeights(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (!MechanismMoves(a)) continue;
    ApplyHitBox(kit, slot);
    a.PosX() += a.StepX() + a.VelX();
    a.PosY() += a.StepY() + a.VelY();
    RecordHistories(a);
  }
}

// The rope: 2 pixels wide, from the first 16-pixel step above the hanging height down to the
// weight's top; none while the weight is above its hanging height.
void DrawRope(const Actor& a) {
  int n = 0;
  while (a.PosY() - 16 * n >= 0 && a.PosY() - 16 * n >= a.HomeY()) ++n;
  PushFillRect(kLayer, 1, kWorldCoords, a.PosX() + 23, a.PosY() - 16 * n, 2, 16 * n, kRope);
}

void DrawWeights(const ModuleKit& kit, bool rope) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    const int visible = MechanismVisibility(a);
    if (visible < 0) continue;
    if (rope) DrawRope(a);
    PushPatternCells(kit, slot, kit.pattern(a.AnimCursor()), 0, kLayer, visible);
  }
}

}  // namespace

void UpdateSixteenTon() { UpdateMechanisms(kSixteenTonKit, kSixteenTonRules); }
void UpdatePistonWeight() { UpdateMechanisms(kPistonKit, kPistonRules); }

void CollideSixteenTon() { CollideHeroineWithSolids(kSixteenTon); }
void CollidePistonWeight() { CollideHeroineWithSolidsAlt(kPiston); }

void MoveSixteenTon() { MoveWeights(kSixteenTonKit); }
void MovePistonWeight() { MoveWeights(kPistonKit); }

void DrawSixteenTon() { DrawWeights(kSixteenTonKit, false); }
void DrawPistonWeight() { DrawWeights(kPistonKit, true); }
