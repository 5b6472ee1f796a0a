// Kamekichi (group 33) and the roamer (group 34), two small enemies of 2 x 2 cells on draw
// layer 1, drawn the same whichever way they face.
//
// Kamekichi is the plain walker: 1 pixel a frame the way it faces, turning at walls and 960
// pixels from its home, falling off ledges. The roamer rests, and now and then hops 4 pixels
// forward and 4 up in one frame, leaps 45 pixels straight up, or turns about.
//
// Both die in 88 frames and come back at their homes once the heroine has left the 960 x 480
// window round where they fell; the shot that empties their life pays their reward.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "platform/utils.h"

// ---- Kamekichi --------------------------------------------------------------------------------

namespace {
constexpr int kKamekichiGroup = 33;
constexpr int kKamekichiTicks = 2;
constexpr int kBaseCell = 3600;  // sprite sheet 3
constexpr int kWalkRange = 960;
}  // namespace

int GetKamekichiEnemyPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<50>({
      {10, {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 1}},  // walk
      {30, {0, 0, 1, 1, 2, 2, 1, 1}},                          // death
  });
  return PatternAt(MoviePtn, cursor, kKamekichiTicks);
}

void AdvanceKamekichiEnemy(int32_t& cursor) { AdvanceLooping(GetKamekichiEnemyPattern, cursor); }

int GetKamekichiEnemyCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {7, 9, 11}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetKamekichiEnemySize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetKamekichiEnemyHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {8, 8, 8}}});
  static constexpr auto VyP = VxP;
  static constexpr auto Vxs = ValueTable<20>({{0, {16, 16, 16}}});
  static constexpr auto Vys = ValueTable<20>({{0, {24, 24, 24}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKamekichi{
    .group = kKamekichiGroup,
    .ticks = kKamekichiTicks,
    .pattern = GetKamekichiEnemyPattern,
    .cell = GetKamekichiEnemyCell,
    .size = GetKamekichiEnemySize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetKamekichiEnemyHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyRules kKamekichiRules{
    .stats = {.life = 5, .exp = 1, .money = 1, .collision_kind = 0, .attack = 5, .defense = 0},
    .walks = true,
    .walk_range = kWalkRange,
    .window = kWalkerWindow,
};

}  // namespace

void UpdateKamekichiEnemy() { UpdateTemplateEnemies(kKamekichi, kKamekichiRules); }

void MoveKamekichiEnemy() { MoveTemplateActors(kKamekichi); }

void DrawKamekichiEnemy() {
  DrawTemplateActors(kKamekichi,
                     {.layer = 1, .facing = DrawFacing::Zero, .advance = AdvanceKamekichiEnemy, .defeat_entry = 30});
}

// ---- the roamer -------------------------------------------------------------------------------

namespace {
constexpr int kRoamerGroup = 34;
constexpr int kRoamerTicks = 2;
constexpr int kRest = 10;  // its sequences
constexpr int kDeath = 30;
constexpr int kLeap = 50;
constexpr int kFall = 70;
constexpr int32_t kHopping = 0;  // ModeBits: in the frame of a hop and until it is down again
constexpr int32_t kResting = 2;
constexpr int kRoamRange = 960;
constexpr int kHop = 4;          // pixels across and up in the frame of a hop
constexpr int32_t kLeapSpeed = -10;
}  // namespace

int GetRoamerEnemyPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<80>({
      {kRest, {0, 0, 0, 1, 1, 1, 2, 2, 2, 1, 1, 1}},
      {kDeath, {0, 1, 2, 3, 4, 3, 2, 1}},
      {kLeap, {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}},
      {kFall, {4}},
  });
  return PatternAt(MoviePtn, cursor, kRoamerTicks);
}

void AdvanceRoamerEnemy(int32_t& cursor) { AdvanceStepBack(GetRoamerEnemyPattern, cursor, 'r'); }

int GetRoamerEnemyCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {167, 169, 171, 247, 249}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetRoamerEnemySize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

// The body grows taller and narrower as the roamer gathers itself for a leap.
int GetRoamerEnemyHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {3, 3, 6, 6, 10}}});
  static constexpr auto VyP = ValueTable<20>({{0, {14, 10, 8, 4, 0}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {26, 26, 20, 20, 12}}});
  static constexpr auto Vys = ValueTable<20>({{0, {18, 22, 24, 28, 32}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kRoamer{
    .group = kRoamerGroup,
    .ticks = kRoamerTicks,
    .pattern = GetRoamerEnemyPattern,
    .cell = GetRoamerEnemyCell,
    .size = GetRoamerEnemySize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetRoamerEnemyHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kRoamerStats{
    .life = 5, .exp = 2, .money = 2, .collision_kind = 0, .attack = 5, .defense = 2, .mode_bits = kResting};

constexpr EnemyStateSteps kRoamerStates{
    .spawn = [](int slot) { SpawnEnemy(kRoamer, slot, kRoamerStats); },
    .dying = StepDyingAirborne,
    .window = kWalkerWindow,
};

int32_t RightBit() { return static_cast<int32_t>(ButtonBits[kButtonRight]); }
int32_t LeftBit() { return static_cast<int32_t>(ButtonBits[kButtonLeft]); }

// Back on its feet after a hop or a fall: the resting sequence starts again, unless it was
// already standing in the frame before.
void RestAgain(int slot) {
  if (Actor(kRoamerGroup, slot).History(ActorField::MotionHistory, 0) != 0)
    SetActorAnim(kRoamerGroup, slot, kRoamerTicks, kRest);
}

// What the roamer of its own will does this frame: it rests again once a hop is over, and from
// rest it may hop, leap or turn about.
void DecideRoamerEnemy(int slot) {
  const Actor a(kRoamerGroup, slot);
  a.Input() = 0;
  if (a.ModeBits() == kHopping && a.Motion() == 0) {
    a.ModeBits() = kResting;
    RestAgain(slot);
  }
  if (a.ModeBits() == kResting && a.Motion() == 0 && Random(10) == 1) {
    a.ModeBits() = kHopping;
    a.Input() = a.FaceX() != 1 ? LeftBit() : RightBit();
  }
  if (a.ModeBits() == kResting && a.Motion() == 0 && Random(200) == 1) {
    a.Motion() = 4;
    a.VelY() = kLeapSpeed;
    SetActorAnim(kRoamerGroup, slot, kRoamerTicks, kLeap);
  }
  if (Random(100) == 1) a.FaceX() = -a.FaceX();
}

// A hop the way Input presses, or a turn about instead when that way lies beyond its range.
void HopRoamerEnemy(const Actor& a) {
  const auto hop = [&](int dx) {
    a.StepY() = -kHop;
    a.StepX() = dx;
  };
  const auto turn = [&] {
    a.StepX() = a.VelX() = 0;
    a.FaceX() = -a.FaceX();
  };
  if (a.Input() == RightBit()) {
    if (a.PosX() <= a.HomeX() + kRoamRange) {
      hop(kHop);
    } else {
      turn();
    }
  } else if (a.Input() == LeftBit()) {
    if (a.PosX() >= a.HomeX() - kRoamRange) {
      hop(-kHop);
    } else {
      turn();
    }
  }
}

// Its motion this frame: falling (gravity without a limit of its own), rising from a leap, or on
// the ground, where it hops.
void StepRoamerEnemy(int slot) {
  const Actor a(kRoamerGroup, slot);
  switch (a.Motion()) {
    case 3:
      if (a.VelY() >= 5) SetActorAnim(kRoamerGroup, slot, kRoamerTicks, kFall);
      a.VelX() = a.StepX() = 0;
      a.StepY() = 1;
      break;
    case 4:
      a.VelX() = a.StepX() = 0;
      if (a.VelY() >= 0) {
        a.Motion() = 3;
        SetActorAnim(kRoamerGroup, slot, kRoamerTicks, kFall);
      } else {
        a.VelY() += 1;
      }
      break;
    case 7:
    case 0:
      a.Motion() = 0;
      a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
      HopRoamerEnemy(a);
      break;
    default:
      break;
  }
}

}  // namespace

void UpdateRoamerEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kRoamerGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    StepEnemyState(a, kRoamerStates);
    if (a.State() == kActorActive) {
      if (a.Control() == kControlFrozen) continue;
      if (a.Control() == kControlSelf) DecideRoamerEnemy(slot);
      StepRoamerEnemy(slot);
    }
    ApplyHitBox(kRoamer, slot);
  }
}

void MoveRoamerEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kRoamerGroup, slot);
    if (!MovesThisFrame(a)) continue;
    // A landing counts only while it is active: a dying roamer falls on in its own Motion.
    const MapContact found = MoveAgainstMap(a, {.landing = false});
    if (found.landed && a.State() == kActorActive) {
      a.Motion() = 0;
      RestAgain(slot);
    }
    IntegrateMove(kRoamer, slot);
    RecordHistories(a);
  }
}

void DrawRoamerEnemy() {
  DrawTemplateActors(kRoamer,
                     {.layer = 1, .facing = DrawFacing::Zero, .advance = AdvanceRoamerEnemy, .defeat_entry = kDeath});
}
