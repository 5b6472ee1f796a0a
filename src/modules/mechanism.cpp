// The mechanism life cycle that the solid mechanisms share.
#include "modules/mechanism.h"

#include "platform/utils.h"

namespace {

constexpr int kBreakingDone = -1;  // the pattern past the breaking sequence's last entry
constexpr int32_t kAwayFrames = 255;
constexpr int kStandEntry = 10;
constexpr int32_t kShownBelow = 40;  // a slot away this long or longer is not drawn

void Initialise(const Actor& a, const MechanismRules& rules) {
  a.AnimCursor() = 0;
  a.StepX() = a.StepY() = a.Motion() = 0;
  // Seeded here only, when a mechanism starts: reseeding every frame would make every later
  // random number repeat for a whole second.
  Randomize();
  rules.facings(a);
  if (rules.setup != nullptr) rules.setup(a);
  a.ModeBits() = a.Ridden() = a.HitTimer() = 0;
  a.MaxLife() = a.Life() = rules.stats.life;
  a.ExpReward() = a.MoneyReward() = 0;
  a.CollisionKind() = rules.stats.collision_kind;
  a.AttackValue() = a.DefenseValue() = 0;
  a.RespawnTimer() = 0;
  a.State() = kActorActive;
}

// The breaking sequence plays on; once it has, the slot is away.
void StepBreaking(const ModuleKit& kit, const Actor& a) {
  if (kit.pattern(a.AnimCursor()) == kBreakingDone) {
    a.State() = kActorGone;
    a.RespawnTimer() = kAwayFrames;
    a.AnimCursor() = kStandEntry;
  } else {
    a.AnimCursor() += 1;
  }
}

// Away: it comes back where it stands when the wait has run down.
void StepAway(const Actor& a) {
  if (a.RespawnTimer() < 2) {
    a.Life() = a.MaxLife();
    a.State() = kActorActive;
  } else {
    a.RespawnTimer() -= 1;
  }
}

// The control step and the behaviour of an active slot; false when the slot is frozen.
bool StepActive(const Actor& a, const MechanismRules& rules) {
  if (a.Control() == kControlFrozen) return false;
  if (a.Control() == kControlSelf) {
    a.Input() = 0;
    if (rules.input != nullptr) rules.input(a);
  }
  const int motion = a.Motion() & 255;
  if (motion == 0 || motion == 3 || motion == 7) {
    if (rules.clears_velocity) a.VelX() = a.VelY() = 0;
    if (rules.behave != nullptr) rules.behave(a);
  }
  return true;
}

}  // namespace

void FaceRandomly(const Actor& a) {
  a.FaceX() = Random(2) != 0 ? -1 : 1;
  a.FaceY() = Random(2) != 0 ? -1 : 1;
}

void UpdateMechanisms(const ModuleKit& kit, const MechanismRules& rules) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = 0;
    if (rules.clears_step_y) a.StepY() = 0;
    if (a.State() == kActorSpawned) Initialise(a, rules);  // and on as an active slot at once
    if (a.State() == kActorActive) {
      if (!StepActive(a, rules)) continue;
    } else if (rules.breaks && a.State() == kActorEnding) {
      StepBreaking(kit, a);
    } else if (rules.breaks && a.State() == kActorGone) {
      StepAway(a);
    }
    ApplyHitBox(kit, slot);
  }
}

bool MechanismMoves(const Actor& a) {
  if (a.Control() == kControlFrozen) return false;
  return a.State() == kActorActive || a.Control() == kControlHeld;
}

void MoveMechanisms(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (!MechanismMoves(a)) continue;
    IntegrateMove(kit, slot);
    RecordHistories(a);
  }
}

int MechanismVisibility(const Actor& a) {
  if (a.State() < kActorActive || a.RespawnTimer() >= kShownBelow) return -1;
  return a.RespawnTimer() <= 1 ? 1 : 0;
}
