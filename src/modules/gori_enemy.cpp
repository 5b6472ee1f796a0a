// Gori (group 40), the strongest walking enemy: a gorilla fighter of 6 x 8 cells with 6000 life
// points. It wanders, jumps and turns; when it sights the heroine in a box ahead of it, it walks
// up to her and throws a punch whose box all but kills her.
//
// Its brain is a mode word in AiState: the low 16 bits the mode, the high 16 bits the sub-state.
//   mode 1 landed:  sub 2 plays the landing, then it wanders
//   mode 2 wander:  sub 1 stands, sub 2 walks ahead at 1 pixel a frame
//   mode 4 spotted: becomes an attack at once
//   mode 16 attack: sub 1 approaches her at 2 pixels a frame, sub 2 punches
// The animation is advanced in the update (holding form, looping while AnimMode is 'r'), and
// its result tells the brain when a sequence has come round.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "platform/repeaters.h"
#include "platform/utils.h"
#include "world/camera.h"

namespace {
constexpr int kGroup = 40;
constexpr int kTicks = 4;
constexpr int kBaseCell = 3600;  // sprite sheet 3
constexpr int kWalk = 10;        // its sequences
constexpr int kLanding = 30;
constexpr int kPunch = 50;
constexpr int kStand = 70;
constexpr int kDeath = 80;
constexpr int kApproach = 90;
constexpr int kPunchPattern = 9;  // the punch thrown
constexpr int kTurnPattern = 2;   // the punch's step, where it turns to face her again
}  // namespace

int GetGoriEnemyPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<110>({
      {kWalk, {0, 1, 1, 1, 0, 0, 0, 2, 2, 2, 0, 0}},
      {kLanding, {5, 5, 2, 0}},
      {kPunch, {0, 2, 3, 6, 3, 9, 4, 4, 4}},
      {kStand, {0}},
      {kDeath, {0, 1, 2, 3, 4, 5}},
      {kApproach, {0, 1, 1, 0, 0, 2, 2, 0}},
  });
  return PatternAt(MoviePtn, cursor, kTicks);
}

int AdvanceGoriEnemy(int32_t& cursor, int mode) { return AdvanceHolding(GetGoriEnemyPattern, cursor, mode); }

int GetGoriEnemyCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {320, 326, 332, 338, 344, 350, 670, -1, -1, 344}}});
  static constexpr auto SPPtn_L = ValueTable<30>({{0, {0, 6, 12, 18, 24, 30, 664, -1, -1, 24}}});
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Fighter) + kBaseCell;
}

int GetGoriEnemySize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {6, 6, 6, 6, 6, 6, 6, 0, 0, 6}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {8, 8, 8, 8, 8, 8, 8, 0, 0, 8}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisLetters);
}

// The same whichever way it faces: the body stands, then crouches lower and wider to punch.
int GetGoriEnemyHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {28, 28, 28, 28, 16, 16, 16, 0, 0, 16}}});
  static constexpr auto VyP = ValueTable<20>({{0, {20, 20, 20, 20, 32, 32, 32, 0, 0, 32}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {40, 40, 40, 40, 56, 56, 56, 0, 0, 56}}});
  static constexpr auto Vys = ValueTable<20>({{0, {107, 107, 107, 107, 96, 96, 96, 0, 0, 96}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

// 1 on the first tick of an entry.
int IsGoriEnemyAnimStep(int slot) { return Actor(kGroup, slot).AnimCursor() % kTicks == 0 ? 1 : 0; }

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetGoriEnemyPattern,
    .cell = GetGoriEnemyCell,
    .size = GetGoriEnemySize,
    .size_axes = kAxisLetters,
    .hit_rect = GetGoriEnemyHitRect,
    .hit_box = HitBoxForm::Long,
};

constexpr EnemyStats kStats{
    .life = 6000, .exp = 7, .money = 10, .collision_kind = 0, .attack = 55, .defense = 220, .respawn_timer = 2560};

// ---- the mode word ----------------------------------------------------------------------------

constexpr int kLanded = 1;
constexpr int kWander = 2;
constexpr int kSpotted = 4;
constexpr int kAttack = 16;
constexpr int kEntering = 1;  // sub-states: standing, approaching
constexpr int kRunning = 2;   // walking, punching

int ModeOf(const Actor& a) { return a.AiState() & 0xFFFF; }
int SubOf(const Actor& a) { return static_cast<int>(static_cast<uint32_t>(a.AiState()) >> 16); }
void SetMode(const Actor& a, int mode) {
  a.AiState() = static_cast<int32_t>((static_cast<uint32_t>(a.AiState()) & 0xFFFF0000u) | static_cast<uint32_t>(mode));
}
void SetSub(const Actor& a, int sub) {
  a.AiState() = static_cast<int32_t>((static_cast<uint32_t>(a.AiState()) & 0xFFFFu) | (static_cast<uint32_t>(sub) << 16));
}
// A new mode and sub-state with the sequence that goes with them.
void Become(int slot, int mode, int sub, int entry) {
  const Actor a(kGroup, slot);
  SetMode(a, mode);
  SetSub(a, sub);
  SetActorAnim(kGroup, slot, kTicks, entry);
}

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }
// The pad bit of the way it faces.
int32_t AheadBit(const Actor& a) { return a.FaceX() == 1 ? Bit(kButtonRight) : Bit(kButtonLeft); }

// It makes every probe of the map (MapHits' enable bits).
constexpr int32_t kProbesAll = kProbeCeilingBit | kProbeFloorBit | kProbeWallsBit | kProbeLedgesBit;

}  // namespace

// ---- the brain --------------------------------------------------------------------------------

namespace {

// The punch: its box ahead of the fighter at shoulder height, with a thud and a shake, but only
// while it is near the view.
void ThrowGoriEnemyPunch(int slot) {
  const Actor a(kGroup, slot);
  if (IsActorOnScreen(kGroup, slot, 1) == 0) return;
  const ActorBox body = a.BodyBox();
  const int x = a.FaceX() != -1 ? body.left + 48 : body.left - 20;
  AddHazard(x, body.top + 32, 32, 32, 9000, 0);
  QueueRepeatedSound(4, 1, 1);
  StartSmallShake();
}

}  // namespace

void ThinkGoriEnemy(int slot, int ended) {
  const Actor a(kGroup, slot);
  const Actor hero(kHeroineGroup, 0);

  // Sight: a box 200 pixels ahead of its centre, from 16 above to 64 below the top of its body.
  if (ActorSightHits(kGroup, slot, 200, 16, 64, kHeroineGroup, 0, 0) == 1 && hero.State() == kActorActive) {
    if (ModeOf(a) == kWander) {
      SetMode(a, kSpotted);
      SetSub(a, kEntering);
    }
  } else if ((ModeOf(a) == kSpotted || ModeOf(a) == kAttack) && SubOf(a) == kEntering) {
    Become(slot, kWander, kEntering, kStand);  // lost her: it gives up
  }

  if (ModeOf(a) == kWander) {
    if (Random(200) == 1) {
      if (SubOf(a) == kEntering) {
        Become(slot, kWander, kRunning, kWalk);
      } else if (SubOf(a) == kRunning) {
        Become(slot, kWander, kEntering, kStand);
      }
    }
    if (Random(100) == 1) {
      if (Random(5) == 1) {
        Become(slot, kAttack, kEntering, kApproach);
      } else {
        a.FaceX() = -a.FaceX();
      }
    }
    if (SubOf(a) == kRunning) a.Input() |= AheadBit(a);
    if (Random(300) == 1) a.Input() += Bit(kButtonJump);
  }

  if (ModeOf(a) == kLanded && SubOf(a) == kRunning && ended == 1) Become(slot, kWander, kEntering, kStand);

  if (ModeOf(a) == kSpotted && SubOf(a) == kEntering) Become(slot, kAttack, kEntering, kApproach);

  if (ModeOf(a) != kAttack) return;
  if (SubOf(a) == kEntering) {
    const int d = Distance(a.CentreX(), a.BodyBox().bottom, hero.CentreX(), hero.BodyBox().bottom);
    if (d < 49) {
      Become(slot, kAttack, kRunning, kPunch);
    } else {
      a.FaceX() = CompareActorCentreX(kHeroineGroup, 0, kGroup, slot);
      a.Input() |= AheadBit(a);
    }
  } else if (SubOf(a) == kRunning) {
    // Each time the punch has come round it may stop, or throw another at once.
    if (ended == 1 && Random(2) == 0) Become(slot, kWander, kEntering, kStand);
    const int pattern = GetGoriEnemyPattern(a.AnimCursor());
    if (pattern == kPunchPattern && IsGoriEnemyAnimStep(slot) == 1) {
      ThrowGoriEnemyPunch(slot);
      return;
    }
    if (pattern == kTurnPattern && IsGoriEnemyAnimStep(slot) == 1)
      a.FaceX() = CompareActorCentreX(kHeroineGroup, 0, kGroup, slot);
  }
}

// ---- the passes -------------------------------------------------------------------------------

namespace {

void SpawnGoriEnemy(int slot) {
  const Actor a(kGroup, slot);
  SpawnEnemy(kKit, slot, kStats);
  SetActorAnim(kGroup, slot, kTicks, kStand);
  a.FaceX() = 1;
  a.VelX() = a.VelY() = 0;
  a.AnimMode() = 'r';
  ClearActorMapHits(kGroup, slot);
  a.MapHits() |= kProbesAll;
  a.AiState() = kWander | (kRunning << 16);
}

// The dying fighter flips every frame.
void DieGoriEnemy(const Actor& a) {
  a.FaceX() = -a.FaceX();
  StepDyingAirborne(a);
}

constexpr EnemyStateSteps kStates{.spawn = SpawnGoriEnemy, .dying = DieGoriEnemy, .window = kWalkerWindow};

// Its motion this frame at the speed of its mode: on the ground it stands or walks the way Input
// presses, and jumps (14 pixels up, one less each frame: 105 in all); in the air it steers.
void StepGoriEnemy(int slot) {
  const Actor a(kGroup, slot);
  const int speed = ModeOf(a) == kAttack ? 2 : 1;
  switch (a.Motion() & 255) {
    case 7:
    case 0:
      a.Motion() = 0;
      a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
      if (ActorHasInput(kGroup, slot, Bit(kButtonJump)) == 1) {
        a.StepY() = -14;
        a.Motion() = 4;
        SetActorAnim(kGroup, slot, kTicks, kStand);
      }
      WalkActorByInput(kGroup, slot, speed, 0, 0);
      break;
    case 3:
      if (a.VelY() >= 5) SetActorAnim(kGroup, slot, kTicks, kStand);
      a.VelX() = a.StepX() = 0;
      WalkActorByInput(kGroup, slot, speed, 0, 0);
      if (a.VelY() <= 10) a.StepY() = 1;
      break;
    case 4:
      a.VelX() = a.StepX() = 0;
      WalkActorByInput(kGroup, slot, speed, 0, 0);
      if (a.VelY() >= 0) {
        a.Motion() = 3;
        SetActorAnim(kGroup, slot, kTicks, kStand);
      } else {
        a.VelY() += 1;
      }
      break;
    default:
      break;
  }
}

}  // namespace

void UpdateGoriEnemy() {
  UpdateFighterEnemies(kKit, {.states = kStates,
                              .advance = AdvanceGoriEnemy,
                              .think =
                                  [](int slot, int ended) {
                                    if (Actor(kGroup, slot).Motion() == 0) ThinkGoriEnemy(slot, ended);
                                  },
                              .step = StepGoriEnemy,
                              .finish = [](int slot) { TickActorTimers(kGroup, slot); }});
}

void MoveGoriEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!MovesThisFrame(a)) continue;
    const int motion_before = a.Motion() & 255;
    const MapContact found = MoveFighterAgainstMap(kKit, slot);
    if (found.landed && motion_before == 3) {
      // A fall ends in the landing, whatever it was doing, with a thud and a shake near the view.
      SetActorAnim(kGroup, slot, kTicks, kLanding);
      a.AiState() = kLanded | (kRunning << 16);
      if (IsActorOnScreen(kGroup, slot, 1) == 1) {
        QueueRepeatedSound(4, 1, 1);
        StartSmallShake();
      }
    }
    if (found.no_floor) SetActorAnim(kGroup, slot, kTicks, kStand);
    IntegrateMove(kKit, slot);
    RecordHistories(a);
  }
}

void DrawGoriEnemy() {
  // The animation is advanced by the update; a defeat plays the death sequence while it blinks.
  DrawTemplateActors(kKit, {.layer = 1, .facing = DrawFacing::FaceX, .advance = nullptr, .defeat_entry = kDeath});
}
