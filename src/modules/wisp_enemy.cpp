// The wisp (group 36): the flame a Kawachan throws. Spawned at the thrower's top-left corner, it
// springs up 15 pixels a frame, flies 4 pixels a frame the way the thrower faced (its Link: 0
// left, 1 right) while it falls back, at most 10 pixels a frame, and bursts where it lands: a
// spark, a sound, and it is gone for good. While it flies its touch hurts the heroine; her
// shots pass through it.
//
// It meets the map in its own way: a floor is found by measuring the drop below it, and walls
// turn its facing but not its way, so it presses on against a wall while it falls.
#include "actors/actor_table.h"
#include "actors/actor_library.h"
#include "actors/map_probes.h"
#include "audio/sound_slots.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"

namespace {
constexpr int kGroup = 36;
constexpr int kTicks = 4;
constexpr int kBaseCell = 3600;  // sprite sheet 3
constexpr int kFlicker = 10;     // its only sequence
constexpr int kDeath = 30;       // a defeat asks for this one, which the table lacks
}  // namespace

int GetWispEnemyPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<90>({{kFlicker, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

int AdvanceWispEnemy(int32_t& cursor, int mode) { return AdvanceHolding(GetWispEnemyPattern, cursor, mode); }

int GetWispEnemyCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {720, 722, 724, 726, 728, 730}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Fighter) + kBaseCell;
}

int GetWispEnemySize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetWispEnemyHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {10, 10, 10, 10, 10, 10}}});
  static constexpr auto VyP = ValueTable<20>({{0, {5, 5, 5, 5, 5, 5}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {16, 16, 16, 16, 16, 16}}});
  static constexpr auto Vys = ValueTable<20>({{0, {24, 24, 24, 24, 24, 24}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetWispEnemyPattern,
    .cell = GetWispEnemyCell,
    .size = GetWispEnemySize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetWispEnemyHitRect,
    .hit_box = HitBoxForm::Long,
};

constexpr EnemyStats kStats{
    .life = 135, .exp = 5, .money = 10, .collision_kind = 16, .attack = 55, .defense = 10, .respawn_timer = 2560};

constexpr int kSpring = -15;     // its first rise, pixels a frame
constexpr int kFastestFall = 10;
constexpr int kImpactGroup = 110;
constexpr int kBurstSound = 29;

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }

void SpawnWispEnemy(int slot) {
  const Actor a(kGroup, slot);
  SpawnEnemy(kKit, slot, kStats);
  a.VelX() = a.VelY() = 0;
  for (int i = 0; i < 4; ++i) a.Scratch(i) = 0;
  a.AnimMode() = 'r';
  SetActorFacingRandom(kGroup, slot, 1);
  a.StepY() = kSpring;
  a.Motion() = 4;
}

// Dying, it stands where it burst; then it is gone, and the slot is freed at the next update.
void DieWispEnemy(const Actor& a) {
  const int motion = a.Motion() & 255;
  if (motion == 0 || motion == 3 || motion == 4 || motion == 7) a.StepX() = a.StepY() = a.VelX() = 0;
  if (motion == 7) a.VelY() = 0;
  if (a.HitTimer() <= 2) {
    a.State() = kActorGone;
    a.RespawnTimer() = 0;
  } else {
    a.HitTimer() -= 1;
  }
}

// A wisp never comes back.
void VanishWispEnemy(const Actor& a) {
  if (a.RespawnTimer() < 2) {
    a.State() = kActorFree;
  } else {
    a.RespawnTimer() -= 1;
  }
}

constexpr EnemyStateSteps kStates{
    .spawn = SpawnWispEnemy, .dying = DieWispEnemy, .window = kWalkerWindow, .gone = VanishWispEnemy};

// Its way this frame from its Link, and where its burst stands from its centre: ahead of it.
struct Heading {
  int speed = 4;   // Svx
  int burst = -8;  // ExSyuusei; a wisp without a way bursts centred
};
Heading HeadWispEnemy(const Actor& a) {
  Heading h;
  if (a.Link() == 0) {
    a.Input() = Bit(kButtonLeft);
    h.burst = -16;
  } else if (a.Link() == 1) {
    a.Input() = Bit(kButtonRight);
    h.burst = -4;
  }
  return h;
}

// Across: the speed the way Input presses, when it presses exactly one way.
void FlyAcross(const Actor& a, const Heading& h) {
  a.VelX() = a.StepX() = 0;
  if (a.Input() == Bit(kButtonRight)) a.StepX() = h.speed;
  if (a.Input() == Bit(kButtonLeft)) a.StepX() = -h.speed;
}

void StepWispEnemy(int slot, const Heading& h) {
  const Actor a(kGroup, slot);
  switch (a.Motion() & 255) {
    case 4:  // rising: the spring becomes its upward speed in the move
      FlyAcross(a, h);
      if (a.VelY() >= 0) {
        a.Motion() = 3;
        SetActorAnim(kGroup, slot, kTicks, kFlicker);
      } else {
        a.VelY() += 1;
      }
      break;
    case 3:  // in the air
      FlyAcross(a, h);
      if (a.VelY() >= 5) SetActorAnim(kGroup, slot, kTicks, kFlicker);
      if (a.VelY() < kFastestFall) a.StepY() = 1;
      break;
    case 7:
    case 0:  // landed: it bursts, and its draw starts the defeat
      a.Motion() = 0;
      a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
      a.Life() = 0;
      SpawnActor(kImpactGroup, a.CentreX() + h.burst, a.CentreY(), 0, -1);
      break;
    default:
      break;
  }
}

// Step 1 of its move downwards: the free pixels under its body up to this frame's fall. A floor
// within the fall ends it there (a landing, unless it was already standing); none lets it fall.
void MeasureWispFloor(int slot, int dy) {
  const Actor a(kGroup, slot);
  const ActorBox box = a.BodyBox();
  const int r = MeasureFloorDrop(box.left, 0, box.right - box.left, box.top + 1, dy, box.bottom - box.top, nullptr);
  if (r == dy) {
    a.Motion() = 3;
    return;
  }
  if (r != a.StepY()) {
    a.Motion() = 0;
    if (a.History(ActorField::MotionHistory, 0) != 0) SetActorAnim(kGroup, slot, kTicks, kFlicker);
  }
  a.StepY() = r;
  a.VelY() = 0;
}

}  // namespace

void UpdateWispEnemy() {
  UpdateFighterEnemies(kKit, {.states = kStates,
                              .advance = AdvanceWispEnemy,
                              .think = nullptr,
                              .step = [](int slot) { StepWispEnemy(slot, HeadWispEnemy(Actor(kGroup, slot))); }});
}

void MoveWispEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!MovesThisFrame(a)) continue;
    // Its boxes stay as the update left them. Rising it meets ceilings; falling it measures the
    // drop; then walls turn its facing only, not its way.
    const int dy = a.StepY() + a.VelY();
    if (dy < 0) {
      MoveAgainstMap(a, {.floor = false});
    } else {
      MeasureWispFloor(slot, dy);
      MoveAgainstMap(a, {.ceiling = false, .floor = false});
    }
    IntegrateMove(kKit, slot);
    RecordHistories(a);
  }
}

void DrawWispEnemy() {
  // The animation is advanced by the update. A defeat asks for a sequence the table lacks: for
  // all its dying frames the wisp has no pattern and draws nothing.
  DrawTemplateActors(kKit, {.layer = 2,
                            .facing = DrawFacing::FaceX,
                            .advance = nullptr,
                            .defeat_entry = kDeath,
                            .defeated = [](int) { PlaySound(kBurstSound); }});
}
