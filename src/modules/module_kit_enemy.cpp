// The module kit's template passes: the enemy state machine with the control and walk steps,
// the template Update, Move and Draw.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/map_probes.h"
#include "app/game_flow.h"
#include "modules/module_kit.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {

constexpr int kSpawnEntry = 10;
constexpr int32_t kDyingFrames = 90;
constexpr int32_t kGoneFrames = 255;

int32_t RightBit() { return static_cast<int32_t>(ButtonBits[kButtonRight]); }
int32_t LeftBit() { return static_cast<int32_t>(ButtonBits[kButtonLeft]); }

}  // namespace

// ---- the enemy state machine ------------------------------------------------------------------

void SpawnEnemy(const ModuleKit& kit, int slot, const EnemyStats& stats) {
  const Actor a(kit.group, slot);
  SetActorAnim(kit.group, slot, kit.ticks, kSpawnEntry);
  a.StepX() = a.StepY() = a.Motion() = 0;
  a.FaceX() = GetFrameCounter(0) % 2 == 0 ? -1 : 1;
  a.ModeBits() = stats.mode_bits;
  a.HitTimer() = 0;
  a.RespawnTimer() = stats.respawn_timer;
  a.MaxLife() = a.Life() = stats.life;
  a.ExpReward() = stats.exp;
  a.MoneyReward() = stats.money;
  a.CollisionKind() = stats.collision_kind;
  a.AttackValue() = stats.attack;
  a.DefenseValue() = stats.defense;
  a.State() = kActorActive;
}

void CountDownDying(const Actor& a) {
  if (a.HitTimer() < 3) {
    a.State() = kActorGone;
    a.RespawnTimer() = kGoneFrames;
  } else {
    a.HitTimer() -= 1;
  }
}

void StepDying(const Actor& a) {
  const int motion = a.Motion() & 255;
  if (motion == 0 || motion == 3) {
    a.VelX() = a.StepX() = 0;
    if (motion == 3) a.StepY() = 1;
  }
  CountDownDying(a);
}

void StepDyingAirborne(const Actor& a) {
  const int motion = a.Motion() & 255;
  if (motion == 0 || motion == 3 || motion == 4 || motion == 7) a.VelX() = a.StepX() = 0;
  if (motion == 7) a.VelY() = 0;
  if (motion == 3 || motion == 4 || motion == 7) a.StepY() = 1;
  CountDownDying(a);
}

void StepGone(const Actor& a, RespawnWindow window) {
  if (a.RespawnTimer() > 1) {
    a.RespawnTimer() -= 1;
    return;
  }
  const Actor hero(kHeroineGroup, 0);
  const int64_t dx = int64_t{a.PosX()} - hero.PosX();
  const int64_t dy = int64_t{a.PosY()} - hero.PosY();
  if (dx >= -window.w && dx <= window.w && dy >= -window.h && dy <= window.h) return;
  a.State() = kActorSpawned;
  a.PosX() = a.HomeX();
  a.PosY() = a.HomeY();
}

void StepEnemyState(const Actor& a, const EnemyStateSteps& steps) {
  switch (a.State()) {
    case kActorSpawned:
      steps.spawn(a.slot);
      break;
    case kActorEnding:
      steps.dying(a);
      break;
    case kActorGone:
      if (steps.gone != nullptr) {
        steps.gone(a);
      } else {
        StepGone(a, steps.window);
      }
      break;
    default:
      break;
  }
}

bool ControlStep(const Actor& a, bool walks) {
  if (a.Control() == 2) return false;
  if (a.Control() == 0) {
    a.Input() = 0;
    if (walks && a.ModeBits() == 0) a.Input() = a.FaceX() == 1 ? RightBit() : LeftBit();
  }
  return true;
}

void WalkStep(const Actor& a, int range) {
  const int motion = a.Motion() & 255;
  if (motion == 3) {
    a.Motion() = 0;
    a.VelX() = 0;
    a.StepY() = 1;
    return;
  }
  if (motion != 0 && motion != 7) return;
  a.VelX() = a.VelY() = 0;
  const auto turn = [&] {
    a.StepX() = a.VelX() = 0;
    a.FaceX() = -a.FaceX();
  };
  if (a.Input() == RightBit()) {
    if (a.PosX() > a.HomeX() + range) {
      turn();
    } else {
      a.StepX() = 1;
    }
  }
  if (a.Input() == LeftBit()) {
    if (a.PosX() < a.HomeX() - range) {
      turn();
    } else {
      a.StepX() = -1;
    }
  }
}

int BeginFighterUpdate(const ModuleKit& kit, int slot, int (*advance)(int32_t& cursor, int mode)) {
  const Actor a(kit.group, slot);
  a.StepX() = a.StepY() = 0;
  if (a.State() != kActorActive && a.State() != kActorEnding) return 0;
  ApplyHitBox(kit, slot);
  return SubMode != kSubPauseMenu ? advance(a.AnimCursor(), a.AnimMode()) : 0;
}

void UpdateTemplateEnemies(const ModuleKit& kit, const EnemyRules& rules) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    switch (a.State()) {
      case kActorSpawned:
        SpawnEnemy(kit, slot, rules.stats);
        break;
      case kActorEnding:
        StepDying(a);
        break;
      case kActorGone:
        StepGone(a, rules.window);
        break;
      default:
        break;
    }
    // The spawn has just made the slot active, so it goes on as an active one in this frame.
    if (a.State() == kActorActive) {
      if (!ControlStep(a, rules.walks)) continue;
      if (rules.walks) WalkStep(a, rules.walk_range);
    }
    ApplyHitBox(kit, slot);
  }
}

void UpdateFighterEnemies(const ModuleKit& kit, const FighterSteps& steps) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (a.State() == kActorFree) continue;
    const int ended = BeginFighterUpdate(kit, slot, steps.advance);
    StepEnemyState(a, steps.states);
    if (a.State() == kActorActive) {
      if (a.Control() == kControlFrozen) continue;
      if (a.Control() == kControlSelf) {
        a.Input() = 0;
        if (steps.think != nullptr) steps.think(slot, ended);
      }
      steps.step(slot);
    }
    ApplyHitBox(kit, slot);
    if (steps.finish != nullptr) steps.finish(slot);
  }
}

// ---- fixtures ---------------------------------------------------------------------------------

void SpawnFixture(const ModuleKit& kit, int slot, const EnemyStats& stats) {
  SpawnEnemy(kit, slot, stats);
  SetActorFacingRandom(kit.group, slot, 0);
}

bool UpdateFixtureSlot(const ModuleKit& kit, int slot, const EnemyStats& stats) {
  const Actor a(kit.group, slot);
  a.StepX() = a.StepY() = 0;
  switch (a.State()) {
    case kActorSpawned:
      SpawnFixture(kit, slot, stats);
      break;  // active now, it goes on as one in this frame
    case kActorEnding:
      StepDying(a);
      return false;
    case kActorGone:
      StepGone(a, kFixtureWindow);
      return false;
    default:
      break;
  }
  if (a.State() != kActorActive || !ControlStep(a, false)) return false;
  ApplyHitBox(kit, slot);
  const int motion = a.Motion() & 255;
  if (motion == 0 || motion == 7) {
    a.StepX() = a.StepY() = a.VelX() = a.VelY() = 0;
    ApplyHitBox(kit, slot);
  }
  return true;
}

void MoveFixtures(const ModuleKit& kit) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (!MovesThisFrame(a)) continue;
    MoveByVelocity(a);
    RecordHistories(a);
  }
}

// ---- the template Move ------------------------------------------------------------------------

bool MovesThisFrame(const Actor& a) {
  if (a.Control() == 2) return false;
  return a.State() == kActorActive || a.State() == kActorEnding || a.Control() == 1;
}

MapContact MoveAgainstMap(const Actor& a, const MapRules& rules) {
  MapContact found;
  const ActorBox box = a.BodyBox();
  const int left = box.left, top = box.top;
  const int width = box.right - box.left, height = box.bottom - box.top;

  const int dy = a.StepY() + a.VelY();
  if (dy < 0) {
    if (rules.ceiling) {
      const int r = ProbeCeiling(left, 0, width, top, dy);
      if (r != kProbeFree) {
        found.ceiling = true;
        a.StepY() = r + 1;  // the first free line below the ceiling
        a.VelY() = 0;
      }
    }
  } else if (rules.floor) {
    const int r = ProbeFloor(left, 0, width, top + 1, dy, height);
    if (r != kProbeFree) {
      found.floor = true;
      if (r != a.StepY()) {
        found.landed = true;
        if (rules.landing) a.Motion() = 0;
      }
      a.StepY() = r;
      a.VelY() = 0;
    } else {
      found.no_floor = true;
      a.Motion() = 3;
    }
  }

  if (!rules.walls) return found;
  const int dx = a.StepX() + a.VelX();
  const int dy_after = a.StepY() + a.VelY();
  if (dx >= 0) {
    const int r = ProbeWallRight(left + 1, dx, width, top, dy_after, height);
    if (r != kProbeFree) {
      found.wall_right = true;
      a.StepX() = r;
      a.FaceX() = -1;
      a.VelX() = 0;
    }
  } else {
    const int r = ProbeWallLeft(left - 1, dx, width, top, dy_after, height);
    if (r != kProbeFree) {
      found.wall_left = true;
      a.StepX() = r;
      a.FaceX() = 1;
      a.VelX() = 0;
    }
  }
  return found;
}

void TurnAtLedge(const Actor& a) {
  const ActorBox body = a.BodyBox();
  const int dx = a.StepX() + a.VelX();
  if (dx < 0 && GetTile(body.left - 1, body.bottom + 1, kCollisionLayer) == 0) {
    a.FaceX() = 1;
    a.MapHits() |= 16;
  } else if (dx > 0 && GetTile(body.right + 1, body.bottom + 1, kCollisionLayer) == 0) {
    a.FaceX() = -1;
    a.MapHits() |= 32;
  }
}

MapContact MoveFighterAgainstMap(const ModuleKit& kit, int slot) {
  const Actor a(kit.group, slot);
  ClearActorMapHits(kit.group, slot);
  ApplyHitBox(kit, slot);
  const auto enabled = [&](int32_t bit) { return (a.MapHits() & bit) != 0; };
  const MapContact found = MoveAgainstMap(
      a, {.ceiling = enabled(kProbeCeilingBit), .floor = enabled(kProbeFloorBit), .walls = enabled(kProbeWallsBit)});
  if (found.ceiling) a.MapHits() |= 1;
  if (found.floor) a.MapHits() |= 2;
  if (found.wall_right) a.MapHits() |= 8;
  if (found.wall_left) a.MapHits() |= 16;
  if (enabled(kProbeLedgesBit) && (a.Motion() & 255) == 0) TurnAtLedge(a);
  return found;
}

void MoveByVelocity(const Actor& a) {
  a.VelX() += a.StepX();
  a.VelY() += a.StepY();
  // Gravity has no end in a bottomless column; a speed of one world height a frame is more than
  // any fall reaches in play and keeps the position from overflowing.
  if (a.VelY() > kMaxFallSpeed) a.VelY() = kMaxFallSpeed;
  a.PosX() += a.VelX();
  a.PosY() += a.VelY();
}

void IntegrateMove(const ModuleKit& kit, int slot) {
  ApplyHitBox(kit, slot);
  MoveByVelocity(Actor(kit.group, slot));
}

void RecordHistories(const Actor& a) {
  namespace F = ActorField;
  static constexpr struct {
    int block;
    int field;
  } kHistories[] = {
      {F::XHistory, F::PosX},       {F::YHistory, F::PosY},         {F::FaceXHistory, F::FaceX},
      {F::FaceYHistory, F::FaceY},  {F::AnimHistory, F::AnimCursor}, {F::MotionHistory, F::Motion},
      {F::InputHistory, F::Input},
  };
  for (const auto& h : kHistories) {
    a.History(h.block, 0) = a.Field(h.field);
    for (int k = F::HistoryRows - 2; k >= 0; --k) a.History(h.block, k + 1) = a.History(h.block, k);
  }
}

void MoveTemplateActors(const ModuleKit& kit, const MapRules& rules) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (!MovesThisFrame(a)) continue;
    MoveAgainstMap(a, rules);
    IntegrateMove(kit, slot);
    RecordHistories(a);
  }
}

// ---- the template Draw ------------------------------------------------------------------------

void PushPatternCells(const ModuleKit& kit, int slot, int pattern, int facing, int layer, int visible) {
  const Actor a(kit.group, slot);
  const int columns = kit.size(pattern, kit.size_axes.x);
  const int rows = kit.size(pattern, kit.size_axes.y);
  if (columns <= 0 || rows <= 0) return;
  const int first = kit.cell(pattern, facing);
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      PushCell(layer, visible, kWorldCoords, a.PosX() + 16 * i, a.PosY() + 16 * j, first + i + 40 * j);
    }
  }
}

bool StartDefeatIfDue(const ModuleKit& kit, int slot, int entry) {
  const Actor a(kit.group, slot);
  if (!((a.Life() <= 0 && a.State() == kActorActive) || a.Control() == 1)) return false;
  a.Life() = 0;
  a.State() = kActorEnding;
  a.Motion() = 0;
  a.HitTimer() = kDyingFrames;
  SetActorAnim(kit.group, slot, kit.ticks, entry);
  return true;
}

void DrawTemplateActors(const ModuleKit& kit, const DrawRules& rules) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kit.group, slot);
    if (a.State() == kActorFree || a.State() == kActorGone) continue;
    const int pattern = kit.pattern(a.AnimCursor());
    const int facing = rules.facing == DrawFacing::FaceX ? a.FaceX() : 0;
    PushPatternCells(kit, slot, pattern, facing, rules.layer, a.HitTimer() < 1 ? 1 : 0);
    if (rules.advance != nullptr && SubMode != kSubPauseMenu) rules.advance(a.AnimCursor());
    if (rules.defeat_entry >= 0 && StartDefeatIfDue(kit, slot, rules.defeat_entry) && rules.defeated != nullptr)
      rules.defeated(slot);
  }
}
