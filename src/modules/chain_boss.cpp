// The chain boss (group 37), the boss of the game: a flying head in slot 0 trailed by 15
// segments in slots 1 to 15 that follow its path like a chain. The head steers by a heading in
// FaceX instead of walking: it aims at the heroine, flies laser runs, and circles over her
// firing shots (group 38, boss_shot.cpp). When its life is gone the chain breaks apart, the
// music stops and guide event 701 follows. Guide event 526 spawns the head; the head builds the
// segments itself.
//
// The head's AI mode is the 'o' field of its mode word and the step within the mode the 'A'
// field; the segments get copies of the word through the chain. Its five timers run from the
// spawn: a running timer counts 0, 1, ..., limit + 1 and then 0, so one set to 1 reads 0 again
// limit + 1 frames later. The animation is advanced in the update (holding form, looping while
// AnimMode is 'r'), and its result tells the flight step when a sequence has come round.
#include "modules/chain_boss.h"

#include <cmath>
#include <cstdint>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "audio/music.h"
#include "audio/sound_slots.h"
#include "events/event_raise.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/flags.h"

namespace {
constexpr int kGroup = 37;
constexpr int kTicks = 4;
constexpr int kBaseCell = 1200;  // sprite sheet 1
constexpr int kLayer = 1;
constexpr int kFlight = 10;  // its sequences: the head in flight, hurt; a segment
constexpr int kHurt = 30;
constexpr int kLink = 50;
}  // namespace

int GetChainBossPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<90>({
      {kFlight, {0, 0, 1, 1, 2, 2, 1, 1}},
      {kHurt, {3, 4, 5, 4}},
      {kLink, {6, 6, 7, 7, 8, 8, 7, 7}},
  });
  return PatternAt(MoviePtn, cursor, kTicks);
}

int AdvanceChainBoss(int32_t& cursor, int mode) { return AdvanceHolding(GetChainBossPattern, cursor, mode); }

// One table whichever way it faces: each pattern's row holds its 16 directions side by side.
int GetChainBossCell(int pattern, int /*facing*/) {
  static constexpr auto SPPtn = ValueTable<30>({{0, {1, 81, 161, 241, 321, 401, 521, 601, 681}}});
  return TableEntry(SPPtn, pattern) + kBaseCell;
}

// 'x' asks the width; any other axis the height.
int GetChainBossSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return axis == 'x' ? TableEntry(SpSizeX, pattern) : TableEntry(SpSizeY, pattern);
}

int GetChainBossHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({});
  static constexpr auto VyP = ValueTable<20>({});
  static constexpr auto Vxs = ValueTable<20>({{0, {32, 32, 32, 32, 32, 32, 32, 32, 32}}});
  static constexpr auto Vys = Vxs;
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

// ---- the heading arithmetic -------------------------------------------------------------------

int AngleTo(int x0, int y0, int x1, int y1) {
  const double dy = static_cast<double>(y0) - y1, dx = static_cast<double>(x1) - x0;
  const double degrees = 180.0 - std::atan2(dy, dx) * 57.295827908797776;
  return static_cast<int>(degrees);
}

int HeadingDx(int a) { return a <= 180 ? 11 * a - 1000 : 11 * (360 - a) - 1000; }

int HeadingDy(int a) {
  int b = a + 90;
  if (b > 360) b = a - 270;
  return b <= 180 ? 1000 - 11 * b : 1000 - 11 * (360 - b);
}

int AngleToPattern(int a) {
  const int r = a % 360;  // a negative heading keeps its sign and shows direction 0
  int k = 0;
  while (k < 16 && r >= 12 + 22 * k) ++k;
  return k == 16 ? 0 : 2 * k;
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetChainBossPattern,
    .cell = GetChainBossCell,
    .size = GetChainBossSize,
    .size_axes = kAxisLetters,
    .hit_rect = GetChainBossHitRect,
    .hit_box = HitBoxForm::Long,
};

constexpr int kChainSlots = 16;  // the head and its 15 segments
constexpr int kSpeed = 8;        // pixels a frame along the heading

// The head's AI modes ('o') and the steps within them ('A').
constexpr int kAim = 0x2000;
constexpr int kVeer = 0x4000;
constexpr int kLaserRun = 0x8000;
constexpr int kHighCircle = 0x1000;
constexpr int kLowCircle = 0x10000;
constexpr int kDefeated = 0x20000;
constexpr int kClimb = 0;  // the laser run: to her upper right, hold, beam left,
constexpr int kHold = 0x100;
constexpr int kLeftBeam = 0x200;
constexpr int kCross = 0x400;  // across to her left, beam right
constexpr int kRightBeam = 0x800;
constexpr int kCircling = 0x100;  // either circle, once it is over her

// The timers, with their limits.
constexpr int kAttackTimer = 0;  // the time between attacks, and a circle's length
constexpr int kAimTimer = 1;     // how often it aims at her anew
constexpr int kVeerTimer = 2;
constexpr int kHoldTimer = 3;
constexpr int kBeamTimer = 4;
constexpr int kTimerLimits[] = {512, 128, 64, 64, 16};

// MapHits: the floor probe is the only probe it ever makes, switched on by the defeat, which also
// marks with it each slot that has burst.
constexpr int32_t kProbeBits = 64 | 128 | 256 | 512;
constexpr int32_t kResultBits = 1 | 2 | 4 | 8 | 16 | 32;
constexpr int32_t kFloorProbe = 128;
constexpr int32_t kHitFloor = 2;

struct ChainStats {
  int32_t life, defense, attack, exp, money;
};
constexpr ChainStats kHeadStats{.life = 50, .defense = 10, .attack = 9, .exp = 200, .money = 1800};
// A segment's defence takes every shot's damage to nothing: it stops shots but takes no harm.
constexpr ChainStats kSegmentStats{.life = 99999, .defense = 99999, .attack = kHeadStats.attack, .exp = 0, .money = 0};
constexpr int32_t kRespawnTimer = 2560;
constexpr int32_t kDyingFrames = 90;
constexpr int kFastestFall = 10;

constexpr int kShotGroup = 38;
constexpr int kImpactGroup = 110;
constexpr int kShotSound = 30;
constexpr int kBeamSound = 27;
constexpr int kDefeatTalk = 701;
constexpr int kDoorsFlag = 110;  // bank 1: the boss room's exit doors open

Actor Head() { return Actor(kGroup, 0); }
Actor Heroine() { return Actor(kHeroineGroup, 0); }
int HeadMode() { return GetActorModeBits(kGroup, 0, 'o'); }
int HeadStep() { return GetActorModeBits(kGroup, 0, 'A'); }
void SetHeadMode(int mode, int step) {
  SetActorModeBits(kGroup, 0, mode, 'o');
  SetActorModeBits(kGroup, 0, step, 'A');
}
void SetHeadStep(int step) { SetActorModeBits(kGroup, 0, step, 'A'); }
bool HeadTimerReadsZero(int timer) { return GetActorTimer(kGroup, 0, timer) == 0; }
void SetHeadTimer(int timer, int count) { SetActorTimer(kGroup, 0, timer, count); }
int32_t ShotBit() { return static_cast<int32_t>(ButtonBits[kButtonAction]); }

// The mark that the talk after the defeat still waits for a frame in which nothing stands over
// the world (kept in the head's slot, the module's own state).
int32_t& DefeatTalkWaiting() { return Head().AiState(); }

void SetChainStats(const Actor& a, const ChainStats& stats) {
  a.MaxLife() = a.Life() = stats.life;
  a.DefenseValue() = stats.defense;
  a.AttackValue() = stats.attack;
  a.ExpReward() = stats.exp;
  a.MoneyReward() = stats.money;
  a.CollisionKind() = 0;
  a.RespawnTimer() = kRespawnTimer;
}

// ---- the spawn --------------------------------------------------------------------------------

// Until the head has moved four times, each segment takes the places that the history rows of the
// slot before it hold: filled with where the head starts, the chain stands coiled on it rather
// than at whatever the rows held before (the corner of the world after the actors were cleared).
void SeedChainHistories(const Actor& head) {
  for (int n = 0; n < kChainSlots; ++n) {
    const Actor a(kGroup, n);
    for (int row = 0; row < ActorField::HistoryRows; ++row) {
      a.History(ActorField::XHistory, row) = head.PosX();
      a.History(ActorField::YHistory, row) = head.PosY();
      a.History(ActorField::FaceXHistory, row) = head.FaceX();
      a.History(ActorField::InputHistory, row) = head.ModeBits();
    }
  }
}

// The head comes to life and builds its chain at its own position.
void SpawnChainBoss(int slot) {
  const Actor a(kGroup, slot);
  SetActorAnim(kGroup, slot, kTicks, kFlight);
  a.StepX() = a.StepY() = a.VelX() = a.VelY() = a.Motion() = 0;
  ResetActorTimers(kGroup, slot);
  for (int t = 0; t < 5; ++t) {
    SetActorTimerLimit(kGroup, slot, t, kTimerLimits[t]);
    StartActorTimer(kGroup, slot, t);
  }
  a.AnimMode() = 'r';
  a.FaceX() = 0;
  a.FaceY() = -1;
  a.MapHits() &= ~(kProbeBits | kResultBits);
  BossActive = 1;  // and nothing clears it again
  a.State() = kActorActive;
  SetActorModeBits(kGroup, slot, kAim, 'o');
  a.HitTimer() = 0;
  SetChainStats(a, kHeadStats);

  const Actor head = Head();
  for (int n = 1; n < kChainSlots; ++n) {
    const Actor s(kGroup, n);
    if (s.State() == kActorFree) s.State() = kActorActive;
    s.PosX() = head.PosX();
    s.PosY() = head.PosY();
    s.FaceX() = head.FaceX();
    s.FaceY() = head.FaceY();
    s.Motion() = head.Motion();
    SetActorAnim(kGroup, n, kTicks, kLink);
    s.HitTimer() = 0;
    SetChainStats(s, kSegmentStats);
    s.AnimMode() = 'r';
    // A slot that burst in an earlier fight keeps its floor probe on: on the floor, a segment of
    // the new chain would count as landed and break the chain while the head still lives.
    s.MapHits() &= ~(kProbeBits | kResultBits);
  }
  SeedChainHistories(head);
}

// ---- dying and gone ---------------------------------------------------------------------------

// Falling (or just hit) it keeps falling and the countdown waits; on the ground it counts down.
void DieChainBoss(const Actor& a) {
  a.VelX() = a.StepX() = 0;
  const int motion = a.Motion() & 255;
  if (motion == 3 || motion == 7) {
    if (a.VelY() <= kFastestFall) a.StepY() = 1;
    return;
  }
  if (motion == 0) a.VelY() = a.StepY() = 0;
  CountDownDying(a);
}

// Once its time is out and the heroine is outside the 960 x 480 window round it, the slot is
// freed: the boss never comes back by itself.
void StepChainBossGone(const Actor& a) {
  if (a.RespawnTimer() >= 2) {
    a.RespawnTimer() -= 1;
    return;
  }
  const Actor hero = Heroine();
  const int64_t dx = int64_t{a.PosX()} - hero.PosX();
  const int64_t dy = int64_t{a.PosY()} - hero.PosY();
  if (dx >= -960 && dx <= 960 && dy >= -480 && dy <= 480) return;
  a.State() = kActorFree;
  a.PosX() = a.HomeX();
  a.PosY() = a.HomeY();
}

// ---- the AI of the head -----------------------------------------------------------------------

void SteerChainBoss(int x, int y) {
  const Actor head = Head();
  head.FaceX() = AngleTo(head.CentreX(), head.CentreY(), x, y);
}

// A beam 1280 pixels long from `left` at the head's height, narrowing about its centre line as
// t runs from 1 to 17: from 15 pixels to nothing. A band of height 0 or less neither hurts nor
// shows (the hazard list refuses it; the fill has no pixels).
void FireChainBossBeam(int left, int t) {
  const Actor head = Head();
  const int top = head.CentreY() + t / 2 - 8, height = 16 - t;
  AddHazard(left, top, 1280, height, 10, 0);
  const uint32_t red = static_cast<uint32_t>(Random(256));
  const uint32_t green = static_cast<uint32_t>(Random(256));
  const uint32_t blue = static_cast<uint32_t>(Random(256));
  PushFillRect(kLayer, 1, kWorldCoords, left, top, 1280, height, red * 65536 + green * 256 + blue);
}

// The laser run, its steps in order, each on the step as it stands by then.
void FlyLaserRun(int& speed) {
  const Actor head = Head(), hero = Heroine();
  if (HeadStep() == kClimb) {
    if (head.CentreX() <= hero.CentreX() + 100 || head.CentreY() >= hero.CentreY() - 96) {
      SteerChainBoss(hero.CentreX() + 120, hero.CentreY() - 116);
    } else {
      SetHeadStep(kHold);
      SetHeadTimer(kHoldTimer, 1);
    }
  }
  if (HeadStep() == kHold) {
    if (!HeadTimerReadsZero(kHoldTimer)) {
      head.FaceX() = 0;
      speed = 0;
    } else {
      SetHeadStep(kLeftBeam);
      PlaySound(kBeamSound);
      SetHeadTimer(kBeamTimer, 1);
    }
  }
  if (HeadStep() == kLeftBeam) {
    speed = 0;
    const int t = GetActorTimer(kGroup, 0, kBeamTimer);
    if (t != 0) {
      head.FaceX() = 0;
      FireChainBossBeam(head.CentreX() - 1280, t);
    } else {
      SetHeadStep(kCross);
    }
  }
  if (HeadStep() == kCross) {
    if (head.CentreX() >= hero.CentreX() - 100 || head.CentreY() >= hero.PosY() + 48) {
      SteerChainBoss(hero.CentreX() - 120, hero.PosY() + 28);
    } else {
      head.FaceX() = 180;
      SetHeadStep(kRightBeam);
      SetHeadTimer(kBeamTimer, 1);
      PlaySound(kBeamSound);
    }
  }
  if (HeadStep() == kRightBeam) {
    speed = 0;
    const int t = GetActorTimer(kGroup, 0, kBeamTimer);
    if (t != 0) {
      head.FaceX() = 180;
      FireChainBossBeam(head.CentreX(), t);
    } else {
      SetHeadTimer(kAttackTimer, 1);
      SetHeadMode(kVeer, 0);
    }
  }
}

// Up to her upper right, until it is more than 100 pixels right of her centre and more than
// `above` over it (it steers for `rise` over it); then it circles until the attack timer, set to
// `start`, reads 0 again: 513 frames from 1, 509 from 5.
void ClimbToCircle(int above, int rise, int start) {
  const Actor head = Head(), hero = Heroine();
  if (head.CentreX() <= hero.CentreX() + 100 || head.CentreY() >= hero.CentreY() - above) {
    SteerChainBoss(hero.CentreX() + 120, hero.CentreY() - rise);
  } else {
    SetHeadStep(kCircling);
    SetHeadTimer(kAttackTimer, start);
  }
}

// Round and round, 4 degrees a frame (a loop of 90 frames at speed 8), firing every 16 frames.
void Circle() {
  const Actor head = Head();
  head.FaceX() += 4;
  if ((GetFrameCounter(0) + 1) % 16 == 0) head.Input() |= ShotBit();
  if (head.FaceX() >= 360) head.FaceX() %= 360;
  if (HeadTimerReadsZero(kAttackTimer)) {
    SetHeadTimer(kAttackTimer, 1);
    SetHeadMode(kAim, 0);
  }
}

// The AI's parts run in this order, each on the mode and step as they stand by then: a mode set
// by an earlier part runs in the same frame.
void ThinkChainBoss(int& speed) {
  const Actor head = Head(), hero = Heroine();
  if (Distance(head.CentreX(), head.CentreY(), hero.CentreX(), hero.CentreY()) > 600) {
    SteerChainBoss(hero.CentreX(), hero.CentreY());
    SetHeadMode(kAim, 0);
  }
  if (HeadMode() == kAim) {
    if (HeadTimerReadsZero(kAimTimer)) SteerChainBoss(hero.CentreX(), hero.CentreY());
    if (HeadTimerReadsZero(kAttackTimer)) {
      SetHeadTimer(kAttackTimer, 1);
      int attack = kLowCircle;
      if (Random(3) == 1) {
        attack = kLaserRun;
      } else if (Random(2) != 0) {
        attack = kHighCircle;
      }
      SetHeadMode(attack, 0);
    }
  }
  if (HeadMode() == kVeer) {
    if (!HeadTimerReadsZero(kVeerTimer)) {
      // The heading toward her, mirrored top to bottom.
      head.FaceX() = (360 - AngleTo(head.CentreX(), head.CentreY(), hero.CentreX(), hero.CentreY())) % 360;
    } else {
      SetHeadTimer(kAttackTimer, 1);
      SetHeadMode(kAim, 0);
    }
  }
  if (HeadMode() == kLaserRun) FlyLaserRun(speed);
  if (HeadMode() == kHighCircle && HeadStep() == 0) ClimbToCircle(128, 148, 1);
  if (HeadMode() == kLowCircle && HeadStep() == 0) ClimbToCircle(60, 80, 5);
  if ((HeadMode() == kHighCircle || HeadMode() == kLowCircle) && HeadStep() == kCircling) Circle();
}

// ---- the breakup and the flight ---------------------------------------------------------------

// Each segment processed after the defeat bursts one slot of the chain, the first not yet
// burst, so all of them burst in the first frame after it.
void BurstChainBoss(int& speed) {
  speed = 0;
  for (int k = 0; k < kChainSlots; ++k) {
    const Actor a(kGroup, k);
    if ((a.MapHits() & kFloorProbe) != 0) continue;
    a.MapHits() |= kFloorProbe;
    SpawnActor(kImpactGroup, a.CentreX(), a.CentreY(), 1, -1);
    return;
  }
}

// A shot 16 pixels ahead of the head's centre that flies on with the head's step of this frame.
void FireChainBossShot() {
  const Actor head = Head();
  PlaySound(kShotSound);
  SpawnEffectActor(kShotGroup, head.CentreX() + HeadingDx(head.FaceX()) * 16 / 1000,
                   head.CentreY() + HeadingDy(head.FaceX()) * 16 / 1000, 1, 1, head.StepX(), head.StepY(), 15, 1, 2,
                   256, 1, 0, 4081, 6);
}

// `ended` is the last animation step's result in this update; the sequences it restarts are
// always the head's.
void FlyChainBoss(const Actor& a, int speed, int ended) {
  switch (a.Motion() & 255) {
    case 0:
      a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
      if (ended == 1) SetActorAnim(kGroup, 0, kTicks, kFlight);
      a.StepX() = HeadingDx(a.FaceX()) * speed / 1000;
      a.StepY() = HeadingDy(a.FaceX()) * speed / 1000;
      if (ActorHasInput(kGroup, 0, ShotBit()) == 1) FireChainBossShot();
      break;
    case 3:  // falling
      if (a.VelY() >= 5) SetActorAnim(kGroup, 0, kTicks, kFlight);
      a.VelX() = a.StepX() = 0;
      if (a.VelY() <= kFastestFall) a.StepY() = 1;
      break;
    case 7:  // hit by a shot that did damage: the head plays its hurt sequence
      a.Motion() = 0;
      SetActorAnim(kGroup, 0, kTicks, kHurt);
      break;
    default:
      break;
  }
}

// The control step: false when the slot is done for this frame (frozen, or a segment of a living
// chain, which only the move places).
bool ControlChainBoss(const Actor& a, int& speed) {
  if (a.Control() == kControlFrozen) return false;
  if (a.Control() == kControlSelf) {
    a.Input() = 0;
    const bool defeated = HeadMode() == kDefeated;
    if (a.slot >= 1 && !defeated) return false;
    if (!defeated) {
      ThinkChainBoss(speed);
    } else {
      BurstChainBoss(speed);
    }
  }
  return true;
}

void CloseChainBossStep(int slot) {
  ApplyHitBox(kKit, slot);
  TickActorTimers(kGroup, slot);
}

}  // namespace

void UpdateChainBoss() {
  int speed = kSpeed;  // not reset between slots
  int ended = 1;
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    a.StepX() = a.StepY() = 0;
    if (a.State() == kActorActive || a.State() == kActorEnding) {
      ApplyHitBox(kKit, slot);
      if (SubMode != kSubPauseMenu) ended = AdvanceChainBoss(a.AnimCursor(), a.AnimMode());
    }
    switch (a.State()) {
      case kActorSpawned:
        SpawnChainBoss(slot);
        break;  // it goes on with the control step in this frame
      case kActorActive:
        break;
      case kActorEnding:
        DieChainBoss(a);
        CloseChainBossStep(slot);
        continue;
      case kActorGone:
        StepChainBossGone(a);
        CloseChainBossStep(slot);
        continue;
      default:
        CloseChainBossStep(slot);
        continue;
    }
    if (!ControlChainBoss(a, speed)) continue;
    if (HeadMode() == kDefeated) speed = kSpeed;
    FlyChainBoss(a, speed, ended);
    CloseChainBossStep(slot);
  }
}

// ---- the move and the chain -------------------------------------------------------------------

namespace {

// The template's histories, except that the row of the pad keeps the mode word, which the chain
// hands down from segment to segment.
void RecordChainHistories(const Actor& a) {
  const int32_t input = a.Input();
  a.Input() = a.ModeBits();
  RecordHistories(a);
  a.Input() = input;
}

}  // namespace

void MoveChainBoss() {
  const Actor head = Head();
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if ((a.State() != kActorActive && a.State() != kActorEnding) || a.Control() == kControlFrozen) continue;
    ClearActorMapHits(kGroup, slot);
    ApplyHitBox(kKit, slot);
    if ((a.MapHits() & kFloorProbe) != 0) {
      const MapContact found = MoveAgainstMap(a, {.ceiling = false, .floor = true, .walls = false});
      if (found.landed) {
        a.MapHits() |= kHitFloor;
        a.Life() = 0;  // its draw breaks the chain (again)
      }
    }
    IntegrateMove(kKit, slot);
    if (HeadMode() == kDefeated) continue;
    // Each segment trails three of the head's moves behind the slot before it, which has already
    // moved this frame; the chain stands still while the head hovers.
    if (slot >= 1) {
      const Actor ahead(kGroup, slot - 1);
      a.PosX() = ahead.History(ActorField::XHistory, 4);
      a.PosY() = ahead.History(ActorField::YHistory, 4);
      a.FaceX() = ahead.History(ActorField::FaceXHistory, 4);
      a.ModeBits() = ahead.History(ActorField::InputHistory, 4);
    }
    if (head.StepX() != 0 || head.StepY() != 0 || head.VelX() != 0 || head.VelY() != 0) RecordChainHistories(a);
  }
}

// ---- the draw and the defeat ------------------------------------------------------------------

namespace {

// The talk that follows the defeat. Started over a field event, a talk or the pause menu it would
// cut them short with their step counters mid-way, so it then waits for the first frame in which
// nothing stands over the world. Only the end of that world (a scene change) forgets it.
void RaiseDefeatTalk() {
  if (RaiseEventIfIdle(kSubGuideEvent, kDefeatTalk) == 0) DefeatTalkWaiting() = 1;
}

void RaiseWaitingDefeatTalk() {
  if (DefeatTalkWaiting() != 0 && RaiseEventIfIdle(kSubGuideEvent, kDefeatTalk) == 1) DefeatTalkWaiting() = 0;
}

// The defeat of the slot (the head, or a segment that landed after the breakup): the whole chain
// stops and turns its headings apart, the music stops, the exit doors' flag is set, the slot starts
// dying and pays its reward, and the talk after the fight follows.
void DefeatChainBoss(const Actor& a) {
  for (int n = 0; n < kChainSlots; ++n) {
    const Actor s(kGroup, n);
    s.StepX() = s.VelX() = s.StepY() = s.VelY() = 0;
    s.FaceX() = 25 * n;
    s.AttackValue() = 0;
  }
  StopMusic();
  SetFlag(1, kDoorsFlag, 1);
  SetActorModeBits(kGroup, a.slot, kDefeated, 'o');
  Head().MapHits() |= kFloorProbe;
  a.Life() = 0;
  a.AttackValue() = 0;
  a.State() = kActorEnding;
  a.HitTimer() = kDyingFrames;
  // On top of what the shot that emptied its life paid.
  AddExp(a.ExpReward());
  AddMoney(a.MoneyReward());
  SetActorAnim(kGroup, 0, kTicks, kHurt);
  const Actor hero = Heroine();
  hero.StepX() = hero.StepY() = hero.VelX() = hero.VelY() = 0;
  RaiseDefeatTalk();
}

}  // namespace

void ForgetChainBossDefeatTalk() { DefeatTalkWaiting() = 0; }

void DrawChainBoss() {
  RaiseWaitingDefeatTalk();
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree || a.State() == kActorGone) continue;
    a.Input() = 0;
    const int pattern = GetChainBossPattern(a.AnimCursor());
    const int visible = a.HitTimer() <= 0 ? 1 : 0;
    // A segment trailing an aiming head shows direction 0.
    const bool turns = slot == 0 || GetActorModeBits(kGroup, slot, 'o') != kAim;
    const int first = GetChainBossCell(pattern, 0) + (turns ? AngleToPattern(a.FaceX()) : 0);
    for (int i = 0; i < GetChainBossSize(pattern, 'x'); ++i) {
      for (int j = 0; j < GetChainBossSize(pattern, 'y'); ++j) {
        PushCell(kLayer, visible, kWorldCoords, a.PosX() + 16 * i, a.PosY() + 16 * j, first + i + 40 * j);
      }
    }
    if (a.Life() <= 0 && a.State() == kActorActive) DefeatChainBoss(a);
  }
}
