// Kawachan (group 35), the flame thrower: a river imp of 2 x 4 cells that carries a flame, an
// effect sprite of group 116, at its side. It wanders with random turns and pauses; when the
// heroine comes into a sight box ahead of it, it turns to her and walks up to her, and at a
// distance of exactly 128 or 129 pixels it throws the flame: the carried sprite vanishes and,
// twelve frames into the throw, a wisp (group 36) springs out over its head and runs the way it
// faces. It carries a new flame 257 frames after the throw.
//
// Its ModeBits: 'a' 16 stand, 32 walk, 64 throwing (also while it dies); 't' 2 while the
// heroine is in sight (it walks 2 pixels a frame), else 1; 'o' 4096 while it carries a flame,
// whose slot in group 116 is its Link. Scratch 0 is the throw's cooldown: 1 at the throw, then
// 2 more each frame (it stays odd) until the update after it passes 513 sets it back to 0.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "platform/utils.h"

namespace {
constexpr int kGroup = 35;
constexpr int kFlameGroup = 116;
constexpr int kWispGroup = 36;
constexpr int kTicks = 4;
constexpr int kBaseCell = 3600;  // sprite sheet 3
constexpr int kWalk = 10;        // its sequences
constexpr int kStand = 20;
constexpr int kDeath = 30;
constexpr int kFall = 70;
constexpr int kThrow = 80;
}  // namespace

int GetKawachanEnemyPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<90>({
      {kWalk, {0, 0, 1, 1, 2, 2, 1, 1}},
      {kStand, {0}},
      {kDeath, {0, 1, 2, 3, 4, 5, 4, 3, 2, 1}},
      {50, {0}},
      {60, {0}},
      {kFall, {0}},
      {kThrow, {4, 4, 6, 5, 3, 3, 3, 3}},  // wind-up, the swing over, release, follow-through
  });
  return PatternAt(MoviePtn, cursor, kTicks);
}

int AdvanceKawachanEnemy(int32_t& cursor, int mode) { return AdvanceHolding(GetKawachanEnemyPattern, cursor, mode); }

int GetKawachanEnemyCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {13, 15, 17, 19, 21, 23, 25}}});
  static constexpr auto SPPtn_L = ValueTable<30>({{0, {173, 175, 177, 179, 181, 183, 185}}});
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Fighter) + kBaseCell;
}

int GetKawachanEnemySize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {4, 4, 4, 4, 4, 4, 4}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

// The body stands 16 wide; a step lifts its head, and the wind-up leans it back to the full width.
int GetKawachanEnemyHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {9, 9, 9, 9, 0, 9, 9}}});
  static constexpr auto VyP = ValueTable<20>({{0, {4, 1, 4, 4, 4, 4, 4}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {16, 16, 16, 16, 29, 16, 16}}});
  static constexpr auto Vys = ValueTable<20>({{0, {60, 63, 60, 60, 60, 60, 60}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

// ---- the carried flame ------------------------------------------------------------------------
// Its Link names the flame's slot only while it carries one ('o' 4096); a spawn into a full
// group gives no slot, and after a throw or a defeat the freed slot may soon hold another
// sprite (a spell's aura, another thrower's flame), so Link is -1 whenever no flame is carried
// and neither routine touches anything then.

namespace {
constexpr int kCarrying = 4096;  // 'o'

bool CarriesFlame(int slot) {
  const int32_t link = Actor(kGroup, slot).Link();
  return GetActorModeBits(kGroup, slot, 'o') == kCarrying && link >= 0 && link < kActorSlots;
}
}  // namespace

// The flame of the thrower in `slot` put at (x, y).
void PlaceKawachanCompanion(int group, int slot, int x, int y) {
  if (!CarriesFlame(slot)) return;
  const Actor flame(group, Actor(kGroup, slot).Link());
  flame.PosX() = x;
  flame.PosY() = y;
}

// The flame of the thrower in `slot` freed; the thrower carries none from now on.
void FreeKawachanCompanion(int group, int slot) {
  if (CarriesFlame(slot)) KillActor(group, Actor(kGroup, slot).Link());
  Actor(kGroup, slot).Link() = -1;
  SetActorModeBits(kGroup, slot, 0, 'o');
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetKawachanEnemyPattern,
    .cell = GetKawachanEnemyCell,
    .size = GetKawachanEnemySize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetKawachanEnemyHitRect,
    .hit_box = HitBoxForm::Long,
};

constexpr EnemyStats kStats{
    .life = 60, .exp = 5, .money = 10, .collision_kind = 0, .attack = 28, .defense = 10, .respawn_timer = 2560};

// 'a'
constexpr int kStanding = 16;
constexpr int kWalking = 32;
constexpr int kThrowing = 64;
// 't'
constexpr int kInSight = 2;
constexpr int kOutOfSight = 1;

constexpr int32_t kTurnsAtLedges = 512;                       // the MapHits bit of the ledge test
constexpr int32_t kProbesAll = 64 | 128 | 256 | kTurnsAtLedges;  // ceiling, floor, walls, ledges
constexpr int32_t kHitFloor = 2;

constexpr int kSightLength = 200;
constexpr int kSightAbove = 16;  // the sight box: from 16 above the body's top to 28 below it
constexpr int kSightBelow = 28;
constexpr int kThrowNear = 128;  // the only distances it throws from
constexpr int kThrowFar = 129;
constexpr int32_t kCooldownEnd = 256;  // (Scratch 0 - 1) / 2 past this: ready again
constexpr int32_t kReleaseCursor = kThrow * kTicks + 3 * kTicks;  // the first tick of the release

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }
int Mode(int slot, int letter) { return GetActorModeBits(kGroup, slot, letter); }
void SetMode(int slot, int letter, int value) { SetActorModeBits(kGroup, slot, value, letter); }
int32_t& Cooldown(const Actor& a) { return a.Scratch(0); }

// Standing or walking, with the sequence that goes with it.
void StandKawachanEnemy(int slot) {
  SetMode(slot, 'a', kStanding);
  SetActorAnim(kGroup, slot, kTicks, kStand);
}
void WalkKawachanEnemy(int slot) {
  SetMode(slot, 'a', kWalking);
  SetActorAnim(kGroup, slot, kTicks, kWalk);
}

// ---- the brain --------------------------------------------------------------------------------

// Sight: a box from its CentreX 200 pixels the way it faces, from 16 above to 28 below the top
// of its body, against her SpriteBox, while she is active.
bool SightsHeroine(int slot) {
  return ActorSightHits(kGroup, slot, kSightLength, kSightAbove, kSightBelow, kHeroineGroup, 0, 0) == 1 &&
         Actor(kHeroineGroup, 0).State() == kActorActive;
}

// A flame in its hand when it has none and the cooldown is over.
void TakeFlame(int slot) {
  const Actor a(kGroup, slot);
  if (Mode(slot, 'o') != 0 || Cooldown(a) != 0) return;
  const int flame = SpawnEffectActor14(kFlameGroup, a.PosX(), a.PosY(), 2, 2, 0, 0, 6, 1, 6, -255, 1, 0, 4320);
  a.Link() = flame;
  if (flame >= 0) SetMode(slot, 'o', kCarrying);
}

// Out of sight: it turns at ledges, now and then turns about, and stands or walks by chance.
void WanderKawachanEnemy(int slot) {
  const Actor a(kGroup, slot);
  a.MapHits() |= kTurnsAtLedges;
  if (Random(100) == 1) a.FaceX() = -a.FaceX();
  if (Mode(slot, 'a') == kWalking) {
    if (Random(200) == 1) StandKawachanEnemy(slot);
  } else if (Mode(slot, 'a') == kStanding) {
    if (Random(100) == 1) WalkKawachanEnemy(slot);
  }
}

// In sight or throwing: it faces her; it walks up to her, or throws from 128 or 129 pixels
// (measured between the two centres at the feet); during the throw the wisp leaves at the
// release, and once the cooldown is over it stands again.
void AttackKawachanEnemy(int slot, int ended) {
  const Actor a(kGroup, slot);
  const Actor hero(kHeroineGroup, 0);
  a.FaceX() = CompareActorCentreX(kHeroineGroup, 0, kGroup, slot);
  const int d = Distance(a.CentreX(), a.BodyBox().bottom, hero.CentreX(), hero.BodyBox().bottom);
  if (Mode(slot, 'a') != kThrowing) {
    a.MapHits() &= ~kTurnsAtLedges;
    if (d == kThrowNear || d == kThrowFar) {
      if (Cooldown(a) == 0) a.Input() |= Bit(kButtonAction);  // thrown in this frame's step
    } else if (Mode(slot, 'a') != kWalking) {
      WalkKawachanEnemy(slot);
    }
  } else if (Cooldown(a) != 0) {
    if (ended == 1) {
      SetActorAnim(kGroup, slot, kTicks, kStand);
    } else if (a.AnimCursor() == kReleaseCursor) {
      const int wisp = SpawnActor(kWispGroup, a.PosX(), a.PosY(), 1, 1);
      if (wisp >= 0) Actor(kWispGroup, wisp).Link() = a.FaceX() == -1 ? 0 : 1;
    }
  } else {
    StandKawachanEnemy(slot);
  }
}

void ThinkKawachanEnemy(int slot, int ended) {
  const Actor a(kGroup, slot);
  SetMode(slot, 't', SightsHeroine(slot) ? kInSight : kOutOfSight);
  TakeFlame(slot);
  if (Mode(slot, 't') != kInSight && Mode(slot, 'a') != kThrowing) {
    WanderKawachanEnemy(slot);
  } else {
    AttackKawachanEnemy(slot, ended);
  }
  if (Mode(slot, 'a') == kWalking) a.Input() |= a.FaceX() != 1 ? Bit(kButtonLeft) : Bit(kButtonRight);
}

// ---- the passes -------------------------------------------------------------------------------

void SpawnKawachanEnemy(int slot) {
  const Actor a(kGroup, slot);
  SpawnEnemy(kKit, slot, kStats);
  SetActorAnim(kGroup, slot, kTicks, kStand);
  a.VelX() = a.VelY() = 0;
  for (int i = 0; i < 4; ++i) a.Scratch(i) = 0;
  a.AnimMode() = 'r';
  SetActorFacingRandom(kGroup, slot, 1);
  a.Link() = -1;  // no flame yet: it takes one in its first frame
  ClearActorMapHits(kGroup, slot);
  a.MapHits() |= kProbesAll;
  SetMode(slot, 'a', kStanding);
  SetMode(slot, 't', kOutOfSight);
}

constexpr EnemyStateSteps kStates{.spawn = SpawnKawachanEnemy, .dying = StepDyingAirborne, .window = kWalkerWindow};

// Its motion this frame: on the ground it stands or walks the way Input presses, and throws when
// Input holds the action bit; in the air it falls, a pixel a frame faster each frame up to 11.
void StepKawachanEnemy(int slot) {
  const Actor a(kGroup, slot);
  const int speed = Mode(slot, 't') == kInSight ? 2 : 1;
  switch (a.Motion() & 255) {
    case 7:
    case 0:
      a.Motion() = 0;
      a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
      WalkActorByInput(kGroup, slot, speed, 0, 0);
      if (ActorHasInput(kGroup, slot, Bit(kButtonAction)) == 1) {
        Cooldown(a) = 1;
        SetActorAnim(kGroup, slot, kTicks, kThrow);
        SetMode(slot, 'a', kThrowing);
        FreeKawachanCompanion(kFlameGroup, slot);
      }
      break;
    case 3:
      if (a.VelY() >= 5) SetActorAnim(kGroup, slot, kTicks, kFall);
      a.VelX() = a.StepX() = 0;
      WalkActorByInput(kGroup, slot, speed, 0, 0);
      if (a.VelY() <= 10) a.StepY() = 1;
      break;
    default:
      break;
  }
}

// Its own will, each frame: the cooldown ends once it has run 257 frames; standing on the
// ground it thinks.
void DecideKawachanEnemy(int slot, int ended) {
  const Actor a(kGroup, slot);
  if ((Cooldown(a) - 1) / 2 > kCooldownEnd) Cooldown(a) = 0;
  if (a.Motion() == 0) ThinkKawachanEnemy(slot, ended);
}

// Every frame, whatever its state: a running cooldown counts on.
void CountCooldown(int slot) {
  const Actor a(kGroup, slot);
  if (Cooldown(a) % 2 != 0) Cooldown(a) += 2;
}

}  // namespace

void UpdateKawachanEnemy() {
  UpdateFighterEnemies(kKit, {.states = kStates,
                              .advance = AdvanceKawachanEnemy,
                              .think = DecideKawachanEnemy,
                              .step = StepKawachanEnemy,
                              .finish = CountCooldown});
}

void MoveKawachanEnemy() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!MovesThisFrame(a)) continue;
    ClearActorMapHits(kGroup, slot);
    ApplyHitBox(kKit, slot);
    const MapContact found = MoveAgainstMap(a);
    if (found.landed) {
      SetActorAnim(kGroup, slot, kTicks, kWalk);
      a.MapHits() |= kHitFloor;
    }
    if (found.no_floor) SetActorAnim(kGroup, slot, kTicks, kFall);
    if ((a.Motion() & 255) == 0 && (a.MapHits() & kTurnsAtLedges) != 0) TurnAtLedge(a);
    IntegrateMove(kKit, slot);
    // The flame in its hand, at its side the way it faces, level with its head: placed from
    // its boxes before the move and then moved with it.
    const ActorBox sprite = a.SpriteBox();
    const int x = a.FaceX() != -1 ? sprite.right - 18 : sprite.left - 14;
    PlaceKawachanCompanion(kFlameGroup, slot, x + a.VelX(), a.CentreY() - 32 + a.VelY());
    RecordHistories(a);
  }
}

void DrawKawachanEnemy() {
  // The animation is advanced by the update. A defeat drops the flame.
  DrawTemplateActors(kKit, {.layer = 1,
                            .facing = DrawFacing::FaceX,
                            .advance = nullptr,
                            .defeat_entry = kDeath,
                            .defeated = [](int slot) {
                              SetMode(slot, 'a', kThrowing);
                              FreeKawachanCompanion(kFlameGroup, slot);
                            }});
}
