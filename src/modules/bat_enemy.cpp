// The bat (group 32), a small flier of 2 x 1 cells: it flies 4 pixels a frame the way it faces,
// swoops 40 pixels down and back up on a 24-frame wave in step with its wings, and turns at
// walls and 960 pixels from its home. Floors and ceilings do not stop it. The heroine can stomp
// it or shoot it; defeated, it drops to the floor, lies there blinking for the rest of its 88
// dying frames and comes back at its home once she has left the 960 x 480 window round where it
// fell.
//
// Its body box is where the bat will be after this frame's move, so the heroine meets it where
// it is drawn next.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/map_probes.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"

namespace {
constexpr int kGroup = 32;
constexpr int kLayer = 1;
constexpr int kBaseCell = 3600;  // sprite sheet 3
constexpr int kLeftImages = 40;  // the left-facing pictures lie one sheet row below
constexpr int kSpeed = 4;
constexpr int kRange = 960;
constexpr int32_t kFallCursor = 7;  // wings level while it falls and lies dying
constexpr int32_t kFastestFall = 10;
constexpr int32_t kDyingFrames = 90;
}  // namespace

// One entry a frame: the wing pattern of each cursor value; -1 sends the cursor back to 0.
int GetBatEnemyPattern(int cursor) {
  static constexpr auto WlkTbl = MovieTable<27>({{0, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
                                                      2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1}}});
  return PatternAt(WlkTbl, cursor, 1);
}

// The vertical step of each cursor value: over one cycle the steps add up to 0, the lowest point
// 40 pixels below the start.
int GetBatEnemySwoop(int cursor) {
  static constexpr auto YM = ValueTable<27>({{0, {0, 0, 2, 2, 4, 4, 8, 8, 4, 4, 2, 2, 0, 0,
                                                  -2, -2, -4, -4, -8, -8, -4, -4, -2, -2, -1, -1, -1}}});
  return TableEntry(YM, cursor);
}

int GetBatEnemyCell(int pattern, int facing) {
  static constexpr auto SpNo = ValueTable<3>({{0, {1, 3, 5}}});
  return TableEntry(SpNo, pattern) + (facing == -1 ? kLeftImages : 0) + kBaseCell;
}

int GetBatEnemySize(int pattern, int axis) {
  static constexpr auto SizeX = ValueTable<3>({{0, {2, 2, 2}}});
  static constexpr auto SizeY = ValueTable<3>({{0, {1, 1, 1}}});
  return SizeEntry(SizeX, SizeY, pattern, axis, kAxisNumbers);
}

int GetBatEnemyHitRect(int pattern, int which) {
  static constexpr auto VXTbl = ValueTable<3>({{0, {4, 4, 4}}});
  static constexpr auto VYTbl = ValueTable<3>({{0, {0, 8, 2}}});
  static constexpr auto VXSTbl = ValueTable<3>({{0, {24, 24, 24}}});
  static constexpr auto VYSTbl = ValueTable<3>({{0, {16, 8, 14}}});
  return HitEntry(VXTbl, VYTbl, VXSTbl, VYSTbl, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = 1,
    .pattern = GetBatEnemyPattern,
    .cell = GetBatEnemyCell,
    .size = GetBatEnemySize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetBatEnemyHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kStats{.life = 5, .exp = 1, .money = 1, .collision_kind = 1, .attack = 5, .defense = 0};

// The body box where the bat will be once this frame's step and speed have moved it.
void SetBatEnemyBox(int slot) {
  const Actor a(kGroup, slot);
  const int p = GetBatEnemyPattern(a.AnimCursor());
  const ActorBox body = a.BodyBox();
  body.left = a.PosX() + GetBatEnemyHitRect(p, kHitLeft) + a.StepX() + a.VelX();
  body.top = a.PosY() + GetBatEnemyHitRect(p, kHitTop) + a.StepY() + a.VelY();
  body.right = body.left + GetBatEnemyHitRect(p, kHitWidth);
  body.bottom = body.top + GetBatEnemyHitRect(p, kHitHeight);
}

// A wave's end sends the cursor back to its start.
void WrapBatEnemyCursor(const Actor& a) {
  if (GetBatEnemyPattern(a.AnimCursor()) == -1) a.AnimCursor() = 0;
}

void SpawnBatEnemy(int slot) {
  SpawnEnemy(kKit, slot, kStats);
  Actor(kGroup, slot).AnimCursor() = 0;  // the wave starts at its first frame
}

// Dying: it falls (at most 10 pixels a frame) with its wings level until a floor holds it, and
// lies there.
void DieBatEnemy(const Actor& a) {
  const int slot = a.slot;
  const int motion = a.Motion() & 255;
  if (motion == 0) {
    a.VelX() = a.VelY() = a.StepX() = 0;
  } else if (motion == 3) {
    a.StepY() = a.VelY() >= kFastestFall ? 0 : 1;
    a.VelX() = 0;
    a.AnimCursor() = kFallCursor;
    FallActorToFloor(kGroup, slot);
  }
  CountDownDying(a);
}

constexpr EnemyStateSteps kStates{.spawn = SpawnBatEnemy, .dying = DieBatEnemy, .window = kWalkerWindow};

// One frame of flight the way Input presses (or a turn about beyond its range), and the swoop.
void FlyBatEnemy(const Actor& a) {
  a.VelX() = a.VelY() = a.StepY() = 0;
  const auto turn = [&] {
    a.StepX() = a.VelX() = 0;
    a.FaceX() = -a.FaceX();
  };
  if (a.Input() == static_cast<int32_t>(ButtonBits[kButtonRight])) {
    if (a.PosX() > a.HomeX() + kRange) {
      turn();
    } else {
      a.StepX() = kSpeed;
    }
  } else if (a.Input() == static_cast<int32_t>(ButtonBits[kButtonLeft])) {
    if (a.PosX() < a.HomeX() - kRange) {
      turn();
    } else {
      a.StepX() = -kSpeed;
    }
  }
  a.AnimCursor() += 1;
  WrapBatEnemyCursor(a);
  a.StepY() = GetBatEnemySwoop(a.AnimCursor());
}

}  // namespace

void UpdateBatEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    StepEnemyState(a, kStates);
    if (a.State() == kActorActive) {
      if (!ControlStep(a, true)) continue;
      const int motion = a.Motion() & 255;
      if (motion == 3) a.Motion() = 0;
      if (motion == 0 || motion == 3 || motion == 7) FlyBatEnemy(a);
    }
    SetBatEnemyBox(slot);
  }
}

void MoveBatEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!MovesThisFrame(a)) continue;
    // Only walls turn it, from the next frame on: this frame's step is not cut short, so it may
    // overlap a wall by a step for one frame. Floors and ceilings it flies through.
    SetBatEnemyBox(slot);
    const ActorBox box = a.BodyBox();
    const int width = box.right - box.left, height = box.bottom - box.top;
    const int dx = a.StepX() + a.VelX(), dy = a.StepY() + a.VelY();
    if (a.StepX() >= 0) {
      if (ProbeWallRight(box.left + 1, dx, width, box.top, dy, height) != kProbeFree) {
        a.FaceX() = -1;
        a.VelX() = 0;
      }
    } else if (ProbeWallLeft(box.left - 1, dx, width, box.top, dy, height) != kProbeFree) {
      a.FaceX() = 1;
      a.VelX() = 0;
    }
    WrapBatEnemyCursor(a);
    SetBatEnemyBox(slot);
    a.VelX() += a.StepX();
    a.VelY() += a.StepY();
    a.PosX() += a.VelX();
    a.PosY() += a.VelY();
    RecordHistories(a);
  }
}

void DrawBatEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!(a.State() == kActorActive || a.State() == kActorEnding || a.Control() == kControlHeld)) continue;
    PushPatternCells(kKit, slot, GetBatEnemyPattern(a.AnimCursor()), a.FaceX(), kLayer, a.HitTimer() < 1 ? 1 : 0);
    // Defeated, it drops: the fall of its dying frames.
    if ((a.Life() <= 0 && a.State() == kActorActive) || a.Control() == kControlHeld) {
      a.Life() = 0;
      a.State() = kActorEnding;
      a.Motion() = 3;
      a.HitTimer() = kDyingFrames;
    }
  }
}
