// Vertical and horizontal lifts (groups 100, LiftVertical, and 101, LiftHorizontal): platforms
// of 3 x 1 cells that shuttle on their own 81 pixels to either side of their home at 3 pixels a
// frame, standing still for one frame at each end, and carry the heroine. Only the top row of
// pixels is solid. The vertical lift is a one-way platform of its own (she jumps up through it
// and lands on it from above); the horizontal one carries her through the sorted solid collide.
// A lift placed on an even row starts down (vertical) or left (horizontal), on an odd one the
// other way.
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "modules/mechanism.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "world/save_block.h"

namespace {
constexpr int kVertical = 100;
constexpr int kHorizontal = 101;
constexpr int kBaseCell = 3600;
constexpr int kLayer = 1;
constexpr int kSpeed = 3;
constexpr int kReach = 80;  // it turns once it is past its home by more than this
constexpr MechanismStats kStats{.life = 65535, .collision_kind = 2};

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }
}  // namespace

// Both lifts have the same tables: one pattern, no animation.
int GetLiftVerticalPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<30>({{0, {0}}, {10, {0}}});
  return PatternAt(MoviePtn, cursor, 1);
}

int GetLiftVerticalCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {954}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetLiftVerticalSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<10>({{0, {3, 3}}});
  static constexpr auto SpSizeY = ValueTable<10>({{0, {1, 1}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

// The body is the platform's top row of pixels.
int GetLiftVerticalHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<10>({});
  static constexpr auto VyP = ValueTable<10>({});
  static constexpr auto Vxs = ValueTable<10>({{0, {48, 48}}});
  static constexpr auto Vys = ValueTable<10>({{0, {1, 1}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

int GetLiftHorizontalPattern(int cursor) { return GetLiftVerticalPattern(cursor); }
int GetLiftHorizontalCell(int pattern, int facing) { return GetLiftVerticalCell(pattern, facing); }
int GetLiftHorizontalSize(int pattern, int axis) { return GetLiftVerticalSize(pattern, axis); }
int GetLiftHorizontalHitRect(int pattern, int which) { return GetLiftVerticalHitRect(pattern, which); }

namespace {

constexpr ModuleKit kVerticalKit =
    MechanismKit(kVertical, GetLiftVerticalPattern, GetLiftVerticalCell, GetLiftVerticalSize, GetLiftVerticalHitRect);
constexpr ModuleKit kHorizontalKit =
    MechanismKit(kHorizontal, GetLiftHorizontalPattern, GetLiftHorizontalCell, GetLiftHorizontalSize, GetLiftHorizontalHitRect);

int OddRowFacing(const Actor& a) { return a.HomeY() % 2 != 0 ? -1 : 1; }
int RandomFacing() { return Random(2) != 0 ? -1 : 1; }

// Its direction of travel is FaceY (vertical) or FaceX (horizontal); the other facing is drawn
// at random and not used.
void FaceVertical(const Actor& a) {
  a.FaceX() = RandomFacing();
  a.FaceY() = OddRowFacing(a);
}
void FaceHorizontal(const Actor& a) {
  a.FaceX() = OddRowFacing(a);
  a.FaceY() = RandomFacing();
}

// Its own pad: the button of its direction of travel (`face` 1 presses `forward`, else `back`),
// unless ModeBits holds it still.
void PressButtonOfTravel(const Actor& a, int32_t face, int forward, int back) {
  if (a.ModeBits() != 0) {
    a.AnimCursor() = 0;
    return;
  }
  a.Input() = face == 1 ? Bit(forward) : Bit(back);
}
void PressVertical(const Actor& a) { PressButtonOfTravel(a, a.FaceY(), kButtonDown, kButtonUp); }
void PressHorizontal(const Actor& a) { PressButtonOfTravel(a, a.FaceX(), kButtonRight, kButtonLeft); }

// One axis of a lift's travel: its position, home, step, velocity and facing along it.
struct Axis {
  int32_t &pos, &home, &step, &vel, &face;
};

// 3 pixels a frame, the `plus` button towards higher coordinates and the `minus` one towards
// lower; past its reach it stands this frame and turns.
void Travel(const Actor& a, Axis axis, int plus, int minus) {
  const auto turn = [&] {
    axis.step = axis.vel = 0;
    axis.face = -axis.face;
  };
  if (a.Input() == Bit(plus)) {
    if (axis.pos > axis.home + kReach) {
      turn();
    } else {
      axis.step = kSpeed;
    }
  }
  if (a.Input() == Bit(minus)) {
    if (axis.pos < axis.home - kReach) {
      turn();
    } else {
      axis.step = -kSpeed;
    }
  }
}
void TravelVertical(const Actor& a) {
  Travel(a, {a.PosY(), a.HomeY(), a.StepY(), a.VelY(), a.FaceY()}, kButtonDown, kButtonUp);
}
// The horizontal lift reads its buttons the other way round: the left bit moves it right.
void TravelHorizontal(const Actor& a) {
  Travel(a, {a.PosX(), a.HomeX(), a.StepX(), a.VelX(), a.FaceX()}, kButtonLeft, kButtonRight);
}

// A lift is never hit and never breaks: it is active until the scene changes.
constexpr MechanismRules kVerticalRules{.stats = kStats,
                                        .facings = FaceVertical,
                                        .input = PressVertical,
                                        .behave = TravelVertical,
                                        .breaks = false};
constexpr MechanismRules kHorizontalRules{.stats = kStats,
                                          .facings = FaceHorizontal,
                                          .input = PressHorizontal,
                                          .behave = TravelHorizontal,
                                          .breaks = false};

void DrawLifts(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (a.State() != kActorActive) continue;
    const int facing = a.FaceY() == -1 ? 1 : 0;  // both cell tables are the same
    PushPatternCells(kit, slot, kit.pattern(a.AnimCursor()), facing, kLayer, a.HitTimer() < 1 ? 1 : 0);
  }
}

// ---- the vertical lift's one-way collide ------------------------------------------------------

struct Move {
  int dx, dy;
};
Move MoveOf(const Actor& a) { return {a.StepX() + a.VelX(), a.StepY() + a.VelY()}; }

bool OnPlatform() {
  const int m = GetActorMotion(kHeroineGroup, 0);
  return m == kHeroineRiding || m == kHeroineRidingCrouched;
}
bool TakesPart(const Actor& a) { return a.State() == kActorActive || a.Control() == kControlHeld; }

// The strip of one pixel just above the lift's top, from x left to x right.
int SweepTopStrips(int left, int right, const Actor& lift, Move hm, Move lm, int out[4]) {
  const ActorBox b = lift.BodyBox();
  return SweepBoxes(left, b.top - 1, right, b.top, b.left, b.top - 1, b.right, b.top, hm.dx, hm.dy, lm.dx, lm.dy, out);
}

// The lift she rode last frame carries her on while she still stands over it; once she has left
// it (or jumped), the ride ends and, unless she is rising or something else carried her, she
// falls.
void CarryOnLift() {
  const Actor h(kHeroineGroup, 0);
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor lift(kVertical, s);
    if (lift.Ridden() != 1) continue;
    if (!TakesPart(lift) && OnPlatform()) continue;
    const ActorBox her = h.BodyBox();
    const Move hm = MoveOf(h), lm = MoveOf(lift);
    int out[4] = {0, 0, 0, 0};
    if (SweepTopStrips(her.left, her.right, lift, hm, lm, out) != 0 && OnPlatform()) {
      h.StepX() += lm.dx;
      h.VelY() = 0;
      h.StepY() += lm.dy;
      RideCount += 1;
    } else {
      lift.Ridden() = 0;
      if (GetActorMotion(kHeroineGroup, 0) != kHeroineRising && RideCount == 0) {
        SetActorMotion(kHeroineGroup, 0, kHeroineFalling);
      }
    }
    return;  // only the first lift she rides
  }
}

// Her feet meet a lift's top from above: she stands on it, placed by the lift's move.
void LandOnLifts() {
  const Actor h(kHeroineGroup, 0);
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor lift(kVertical, s);
    if (!TakesPart(lift)) continue;
    if (lift.Ridden() == 1) return;
    const ActorBox her = h.BodyBox();
    const ActorBox b = lift.BodyBox();
    const Move hm = MoveOf(h), lm = MoveOf(lift);
    if (b.top + hm.dy < her.bottom + 1 + lm.dy) continue;  // her feet are below its top
    int out[4] = {0, 0, 0, 0};
    if (SweepBoxes(her.left, her.bottom, her.right, her.bottom + 1, b.left, b.top - 1, b.right, b.top, hm.dx, hm.dy,
                   lm.dx, lm.dy, out) == 0) {
      continue;
    }
    h.VelX() = h.VelY() = 0;
    h.StepX() = out[0];
    h.PosY() = b.top - 65 + lm.dy;
    lift.Ridden() = 1;
    SetActorMotion(kHeroineGroup, 0, kHeroineRiding);
    h.AnimCursor() = kHeroineStandAnim;
    RideCount += 1;
  }
}

}  // namespace

void UpdateLiftVertical() { UpdateMechanisms(kVerticalKit, kVerticalRules); }
void UpdateLiftHorizontal() { UpdateMechanisms(kHorizontalKit, kHorizontalRules); }

void CollideLiftVertical() {
  CarryOnLift();
  LandOnLifts();
}
void CollideLiftHorizontal() { CollideHeroineWithSolidsSorted(kHorizontal); }

void MoveLiftVertical() { MoveMechanisms(kVerticalKit); }
void MoveLiftHorizontal() { MoveMechanisms(kHorizontalKit); }

void DrawLiftVertical() { DrawLifts(kVerticalKit); }
void DrawLiftHorizontal() { DrawLifts(kHorizontalKit); }
