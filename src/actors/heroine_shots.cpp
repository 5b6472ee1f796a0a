// The heroine's magic bullets, actors of group 192: their launch from her update, their flight
// (update pass), their hits on the enemies of groups 32..107 with the damage, the enemy gauge and
// the award of experience and money at a defeat (second pass), their meeting with the map (third
// pass), and their drawing and freeing once they leave the view (draw pass).
//
// A shot's fields: DefenseValue is its speed in pixels a frame, ExpReward its power (0 or 1,
// which picks its picture), Input the pad bit of its direction.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "actors/map_probes.h"
#include "actors/player_stats.h"
#include "audio/sound_slots.h"
#include "platform/input.h"
#include "platform/repeaters.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace {

constexpr int kImpactGroup = 110;
constexpr int kFloatTextGroup = 111;

constexpr int kSoundNoDamage = 6;
constexpr int kSoundDefeat = 7;
constexpr int kSoundShot = 13;
constexpr int kSoundShotHit = 16;
constexpr int kSoundBossSegmentDefeat = 28;

constexpr int kShotFlying = 1;      // Motion: flying
constexpr int kShotAfterProbe = 2;  // Motion: a downward floor probe found nothing
constexpr int kShotFlightAnim = 10;

// A table read that never leaves its table: outside it reads `outside`.
template <typename T, int N>
int Entry(const T (&table)[N], int index, int outside) {
  return index >= 0 && index < N ? table[index] : outside;
}

}  // namespace

// ---- the tables -------------------------------------------------------------------------------

int GetShotAnimFrame(int cursor) {
  // The flight loops over entries 10..22; a sequence is the run between two -1 entries.
  static constexpr int8_t MoviePtn[30] = {
      0,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
      0,  0,  1,  1,  1,  2,  2,  2,  3,  3,   // 10: the flight
      3,  3,  3,  -1, -1, -1, -1, -1, -1, -1,  //
  };
  return Entry(MoviePtn, cursor, -1);
}

void StepShotAnim(int slot) {
  int32_t& cursor = Actor(kShotGroup, slot).AnimCursor();
  if (GetShotAnimFrame(cursor + 1) != -1) {
    cursor += 1;
    return;
  }
  // Back to the first entry of the sequence; before entry 0 there is none, which counts as -1.
  int c = cursor;
  while (c > 0 && GetShotAnimFrame(c - 1) != -1) --c;
  cursor = c;
}

int GetShotSpriteCell(int index, int facing) {
  // Power 0 at entries 0..3, power 1 at 10..13; the two facings show the same pictures.
  static constexpr int16_t SPPtn_R[30] = {
      840, 841, 842, 843, -1, -1, -1, -1, -1, -1,  //
      800, 801, 802, 803, -1, -1, -1, -1, -1, -1,  //
      -1,  -1,  -1,  -1,  -1, -1, -1, -1, -1, -1,  //
  };
  static constexpr const int16_t (&SPPtn_L)[30] = SPPtn_R;
  return facing == 1 ? Entry(SPPtn_R, index, -1) : Entry(SPPtn_L, index, -1);
}

int GetShotSpriteSize(int frame, int axis) {
  static constexpr int8_t SpSizeX[10] = {1, 1, 1, 1};
  static constexpr int8_t SpSizeY[10] = {1, 1, 1, 1};
  return axis == 0 ? Entry(SpSizeX, frame, 0) : Entry(SpSizeY, frame, 0);
}

int GetShotBoxParam(int frame, int which) {
  // Entries 10..13 are never looked up: boxes go by frame only.
  static constexpr int8_t VxP[20] = {4, 4, 4, 4, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3};
  static constexpr int8_t VyP[20] = {4, 4, 4, 4, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3};
  static constexpr int8_t Vxs[20] = {9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 12, 12, 12, 12};
  static constexpr int8_t Vys[20] = {9, 9, 9, 9, 0, 0, 0, 0, 0, 0, 12, 12, 12, 12};
  switch (which) {
    case 0:
      return Entry(VxP, frame, 0);
    case 1:
      return Entry(VyP, frame, 0);
    case 2:
      return Entry(Vxs, frame, 0);
    case 3:
      return Entry(Vys, frame, 0);
    default:
      return 0;
  }
}

void UpdateShotBox(int slot) {
  const Actor a(kShotGroup, slot);
  const int f = GetShotAnimFrame(a.AnimCursor());
  const ActorBox box = a.BodyBox();
  box.left = a.PosX() + GetShotBoxParam(f, 0);
  box.top = a.PosY() + GetShotBoxParam(f, 1);
  box.right = box.left + GetShotBoxParam(f, 2);
  box.bottom = box.top + GetShotBoxParam(f, 3);
}

// ---- the launch -------------------------------------------------------------------------------

void LaunchHeroineShot(int slot) {
  const Actor h(kHeroineGroup, slot);
  if (h.AnimCursor() == kHeroineDoorAnim) return;
  // Every slot shoots when slot 0's action button goes down.
  if (!ActorInputNewlyOn(kHeroineGroup, 0, static_cast<int>(ButtonBits[kButtonAction]))) return;
  if (ActorHasInput(kHeroineGroup, 0, static_cast<int>(ButtonBits[kButtonUp]))) {
    SpawnActor(kShotGroup, h.PosX() + 15, h.PosY(), 0, -1);
    return;
  }
  const int motion = GetHeroineMotion(0);
  const bool crouching = motion == kHeroineCrouching || motion == kHeroineRidingCrouched;
  const int offset = crouching ? 36 : GetHeroineBoxParam('y', GetHeroineAnimFrame(h.AnimCursor())) + 15;
  SpawnActor(kShotGroup, h.PosX(), h.PosY() + offset, h.FaceX(), 0);
}

// ---- the update pass --------------------------------------------------------------------------

namespace {

// Speed and power by the heroine's Attack, with the shot's sound; nothing for a negative Attack.
void ArmShot(const Actor& a) {
  const int32_t attack = PlayerStats.Attack;
  if (attack < 0) return;
  a.DefenseValue() = attack < 100 ? 8 : attack < 300 ? 12 : attack < 500 ? 14 : 16;
  a.ExpReward() = attack < 100 ? 0 : 1;
  PlaySound(kSoundShot);
}

// A new shot's fields. False when there are more than three shots for each heroine slot: this one
// is freed at once.
bool StartShot(const Actor& a) {
  a.AnimCursor() = kShotFlightAnim;
  a.Motion() = kShotFlying;
  a.HitTimer() = a.RespawnTimer() = a.MaxLife() = a.Life() = 0;
  a.DefenseValue() = a.AttackValue() = a.ExpReward() = a.MoneyReward() = 0;
  a.CollisionKind() = 1;
  a.State() = kActorActive;
  if (CountActors(kShotGroup) > 3 * CountActors(kHeroineGroup)) {
    a.State() = kActorFree;
    return false;
  }
  ArmShot(a);
  // A shot to the right starts in front of her hand.
  if (a.FaceX() == 1 && a.FaceY() == 0) a.PosX() += 38;
  return true;
}

// The pad bit of the shot's direction: right, left or up.
int32_t DirectionBit(const Actor& a) {
  if (a.FaceX() == 1 && a.FaceY() == 0) return static_cast<int32_t>(ButtonBits[kButtonRight]);
  if (a.FaceX() == -1 && a.FaceY() == 0) return static_cast<int32_t>(ButtonBits[kButtonLeft]);
  if (a.FaceX() == 0 && a.FaceY() == -1) return static_cast<int32_t>(ButtonBits[kButtonUp]);
  return 0;
}

// One frame of flight: exactly its speed along its direction.
void FlyShot(const Actor& a) {
  const int32_t speed = a.DefenseValue();
  a.VelX() = a.VelY() = 0;
  if (a.Input() == static_cast<int32_t>(ButtonBits[kButtonRight])) {
    a.StepX() = speed;
  } else if (a.Input() == static_cast<int32_t>(ButtonBits[kButtonLeft])) {
    a.StepX() = -speed;
  } else if (a.Input() == static_cast<int32_t>(ButtonBits[kButtonUp])) {
    a.StepY() = -speed;
  }
  StepShotAnim(a.slot);
}

}  // namespace

void UpdateShots() {
  for (int k = 0; k < kActorSlots; ++k) {
    const Actor a(kShotGroup, k);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    // A shot over the limit ends this frame's update: the shots after it are not updated.
    if (a.State() == kActorSpawned && !StartShot(a)) return;
    if (a.State() != kActorActive) {
      // A shot stopped while flying is freed at the next update.
      if (a.State() == kActorEnding && a.Motion() == kShotFlying) a.State() = kActorFree;
      UpdateShotBox(k);
      continue;
    }
    if (a.Control() == kControlFrozen) continue;
    if (a.Control() == kControlSelf) a.Input() |= DirectionBit(a);
    if (a.Motion() == kShotAfterProbe) a.Motion() = kShotFlying;
    if (a.Motion() == kShotFlying) FlyShot(a);
    UpdateShotBox(k);
  }
}

// ---- hits on the enemies ----------------------------------------------------------------------

void DamageActor(int group, int slot, int sound, int32_t damage) {
  if (damage == 0) {
    PlaySound(kSoundNoDamage);
    return;
  }
  const Actor e(group, slot);
  e.Life() = static_cast<int32_t>(std::max<int64_t>(int64_t{e.Life()} - damage, 0));
  PlaySound(sound);
  ShowEnemyGauge(e.Life(), e.MaxLife());
}

namespace {

// The shot stops where it met the enemy, with a spark there.
void StopShot(const Actor& shot, const int out[4]) {
  shot.VelX() = shot.VelY() = 0;
  shot.StepX() = out[0];
  shot.StepY() = out[1];
  shot.State() = kActorEnding;
  SpawnActor(kImpactGroup, shot.PosX() + out[0], shot.PosY() + out[1], 0, -1);
}

// An enemy whose life is gone while it is still active pays its experience and money, with a
// text "%dEXP=%dYEN" over it and a sound. Its own update moves it on from State 3, so every shot
// that meets it in this frame pays again.
void AwardDefeat(const Actor& e) {
  const int32_t kind = e.CollisionKind();
  if (e.Life() > 0 || e.State() != kActorActive || e.Control() == kControlHeld || kind == 16 || kind == 128) return;
  if (e.ExpReward() != 0) AddExp(e.ExpReward());
  if (e.MoneyReward() != 0) AddMoney(e.MoneyReward());
  if (e.ExpReward() != 0 || e.MoneyReward() != 0) {
    char text[ActorField::TextBytes];
    std::snprintf(text, sizeof text, "%dEXP=%dYEN", e.ExpReward(), e.MoneyReward());
    const ActorBox b = e.BodyBox();
    SpawnActorWithText(kFloatTextGroup, b.left, b.top, 's', 0, text);
  }
  if (kind == 0 || kind == 1 || kind == 4) {
    QueueRepeatedSound(kSoundDefeat, 1, 1);
  } else if (kind == 32 && e.slot == 0) {
    QueueRepeatedSound(kSoundBossSegmentDefeat, 1, 1);
  }
}

// The pixels along one axis that a box from `low` to `high` (exclusive) covers anywhere on a move
// of `d`: a box of no size still counts its first pixel.
struct Span {
  int64_t first, last;
};
Span SweptSpan(int32_t low, int32_t high, int32_t d) {
  const int64_t last = std::max<int64_t>(int64_t{high} - 1, low);
  return {std::min<int64_t>(low, int64_t{low} + d), std::max<int64_t>(last, last + d)};
}
bool Apart(const Span& a, const Span& b) { return a.last < b.first || b.last < a.first; }

// One flying shot against one enemy: kinds 0, 1, 4 and 32 stop it and take damage, 64 stops it
// unharmed, the others let it pass. Then the defeat test, whatever the kind.
void HitEnemyWithShot(const Actor& e, const Actor& shot) {
  const ActorBox sb = shot.BodyBox();
  const ActorBox eb = e.BodyBox();
  // The enemy is swept by its step only.
  const int32_t sdx = shot.StepX() + shot.VelX(), sdy = shot.StepY() + shot.VelY();
  // Two movers whose whole paths lie apart cannot meet: the sweep is spared.
  if (Apart(SweptSpan(sb.left, sb.right, sdx), SweptSpan(eb.left, eb.right, e.StepX())) ||
      Apart(SweptSpan(sb.top, sb.bottom, sdy), SweptSpan(eb.top, eb.bottom, e.StepY())))
    return;
  int out[4] = {};
  if (!SweepBoxesSorted(sb.left, sb.top, sb.right, sb.bottom, eb.left, eb.top, eb.right, eb.bottom, sdx, sdy,
                        e.StepX(), e.StepY(), out))
    return;
  switch (e.CollisionKind()) {
    case 0:
    case 1:
    case 4:
    case 32: {
      StopShot(shot, out);
      const int32_t d = ComputeDamage(PlayerStats.Attack, e.DefenseValue(), 0);
      if (d >= 1) SetActorMotion(e.group, e.slot, 7);
      DamageActor(e.group, e.slot, kSoundShotHit, d);
      break;
    }
    case 64:
      StopShot(shot, out);
      break;
    default:
      break;
  }
  AwardDefeat(e);
}

}  // namespace

void HitEnemiesWithShots() {
  UpdateHeroineBodyBox(0);
  if (Actor(kHeroineGroup, 0).State() == kActorEnding) return;
  // The flying shots, found once: a shot only leaves State 3 here, never enters it.
  int flying[kActorSlots];
  int count = 0;
  for (int k = 0; k < kActorSlots; ++k)
    if (Actor(kShotGroup, k).State() == kActorActive) flying[count++] = k;
  if (count == 0) return;
  for (int g = 32; g <= 107; ++g) {
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor e(g, s);
      if (e.State() != kActorActive) continue;
      for (int i = 0; i < count; ++i) {
        const Actor shot(kShotGroup, flying[i]);
        if (shot.State() == kActorActive) HitEnemyWithShot(e, shot);
      }
    }
  }
}

// ---- the map ----------------------------------------------------------------------------------

namespace {

// Row 0 of the seven histories := this frame's values, then every history moves on by a row.
void RecordShotHistory(const Actor& a) {
  namespace F = ActorField;
  a.History(F::XHistory, 0) = a.PosX();
  a.History(F::YHistory, 0) = a.PosY();
  a.History(F::FaceXHistory, 0) = a.FaceX();
  a.History(F::FaceYHistory, 0) = a.FaceY();
  a.History(F::AnimHistory, 0) = a.AnimCursor();
  a.History(F::MotionHistory, 0) = a.Motion();
  a.History(F::InputHistory, 0) = a.Input();
  for (int block : {F::InputHistory, F::XHistory, F::YHistory, F::FaceXHistory, F::FaceYHistory, F::AnimHistory,
                    F::MotionHistory}) {
    for (int r = F::HistoryRows - 1; r >= 1; --r) a.History(block, r) = a.History(block, r - 1);
  }
}

// The shot against the map for this frame's move: a floor or ceiling, then the walls on both
// sides whatever its direction; the first that stops it makes a spark where it will be.
void MoveShot(const Actor& a) {
  const ActorBox b = a.BodyBox();
  const int32_t left = b.left, top = b.top, width = b.right - b.left, height = b.bottom - b.top;
  const int32_t dy = a.StepY() + a.VelY();
  bool sparked = false;
  auto stop_with_spark = [&]() {
    a.State() = kActorEnding;
    if (sparked) return;
    SpawnActor(kImpactGroup, a.PosX() + a.StepX() + a.VelX(), a.PosY() + a.StepY() + a.VelY(), 0, -1);
    sparked = true;
  };

  if (a.StepY() > 0) {
    const int r = ProbeFloor(left, 0, width, top + 1, dy, height);
    if (r != kProbeFree) {
      if (r != a.StepY()) a.Motion() = kShotFlying;
      a.StepY() = r;
      a.VelY() = 0;
      stop_with_spark();
    } else {
      a.Motion() = kShotAfterProbe;
    }
  } else {
    // A level shot stops when the row at its position meets a tile.
    const int r = ProbeCeiling(left, 0, width, a.PosY(), dy);
    if (r != kProbeFree) {
      a.StepY() = r;
      a.VelY() = 0;
      stop_with_spark();
    }
  }
  const int r_left = ProbeWallLeft(left - 1, a.StepX() + a.VelX(), width, top, dy, height);
  if (r_left != kProbeFree) {
    a.StepX() = r_left;
    a.VelX() = 0;
    stop_with_spark();
  }
  const int r_right = ProbeWallRight(left + 1, a.StepX() + a.VelX(), width, top, dy, height);
  if (r_right != kProbeFree) {
    a.StepX() = r_right;
    a.VelX() = 0;
    stop_with_spark();
  }

  UpdateShotBox(a.slot);
  a.VelX() += a.StepX();
  a.VelY() += a.StepY();
  a.PosX() += a.VelX();
  a.PosY() += a.VelY();
  RecordShotHistory(a);
}

bool IsShown(const Actor& a) {
  return a.State() == kActorActive || a.State() == kActorEnding || a.Control() == kControlHeld;
}

}  // namespace

void MoveShots() {
  for (int k = 0; k < kActorSlots; ++k) {
    const Actor a(kShotGroup, k);
    if (IsShown(a) && a.Control() != kControlFrozen) MoveShot(a);
  }
}

// ---- drawing ----------------------------------------------------------------------------------

void DrawShots() {
  for (int k = 0; k < kActorSlots; ++k) {
    const Actor a(kShotGroup, k);
    if (!IsShown(a)) continue;
    const int f = GetShotAnimFrame(a.AnimCursor());
    const int cell = GetShotSpriteCell(a.ExpReward() * 10 + f, a.FaceX());
    if (cell >= 0) {
      for (int i = 0; i < GetShotSpriteSize(f, 0); ++i)
        for (int j = 0; j < GetShotSpriteSize(f, 1); ++j)
          PushCell(1, a.HitTimer() < 1, kWorldCoords, a.PosX() + 16 * i, a.PosY() + 16 * j, cell + i + 40 * j);
    }
    // Out of the view and a margin of 32 pixels round it: stopped, and freed at the next update.
    const int x = a.PosX() + GetShotBoxParam(f, 0) + a.StepX() + a.VelX();
    const int y = a.PosY() + GetShotBoxParam(f, 1) + a.StepY() + a.VelY();
    if (!BoxesOverlap(x, y, GetShotBoxParam(f, 2), GetShotBoxParam(f, 3), GetCameraX() - 32, GetCameraY() - 32, 704,
                      544))
      a.State() = kActorEnding;
  }
}
