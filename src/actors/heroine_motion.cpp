// The heroine's control and motion: her update at the head of the update pass (the pad, the
// friction, walking, jumping, crouching and falling), her animation table and boxes, her own map
// probes, the ground check of the second pass and the move of the third pass with its histories.
// Slot 0 is the player; higher slots are trailing copies that follow the slot before them eight
// frames late.
#include <cstdint>

#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "actors/items.h"
#include "actors/map_probes.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "world/save_block.h"

namespace F = ActorField;

namespace {

constexpr int kSoundJump = 2;
constexpr int kSoundHeadBump = 4;

bool Held(int slot, int button) {
  return ActorHasInput(kHeroineGroup, slot, static_cast<int>(ButtonBits[button])) != 0;
}
bool NewlyOn(int slot, int button) {
  return ActorInputNewlyOn(kHeroineGroup, slot, static_cast<int>(ButtonBits[button])) != 0;
}

// Motions in which she goes up: a jump, a bounce off an enemy, a knock-back.
bool IsRising(int motion) {
  return motion == kHeroineRising || motion == kHeroineBouncing || motion == kHeroineHurt;
}

}  // namespace

// ---- motions and animation --------------------------------------------------------------------

void SetHeroineMotion(int slot, int motion) {
  if (motion >= 256) return;
  int32_t& word = Actor(kHeroineGroup, slot).Motion();
  word = (word & ~0xFF) | motion;
}

int GetHeroineMotion(int slot) { return Actor(kHeroineGroup, slot).Motion() & 0xFF; }

int GetHeroineAnimFrame(int cursor) {
  // A sequence is the run of entries between two -1 entries.
  static constexpr int8_t WlkTbl[130] = {
      0,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
      0,  0,  1,  1,  1,  2,  2,  2,  3,  3,   // 10: the stand, and the walk cycle from it
      3,  3,  3,  2,  2,  2,  1,  1,  1,  0,   //
      0,  0,  4,  4,  4,  5,  5,  5,  6,  6,   //
      6,  6,  6,  5,  5,  5,  4,  4,  4,  0,   //
      -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
      7,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 60: in the air
      8,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 70: the head bump
      9,  -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 80: the crouch
      20, 20, 20, 19, 19, 17, 17, 17, 19, 19,  // 90: the death
      -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
      -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
      10, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 120: the door
  };
  // A cursor outside the table shows nothing, as an entry between sequences does.
  if (cursor < 0 || cursor >= static_cast<int>(sizeof WlkTbl)) return -1;
  return WlkTbl[cursor];
}

void StepHeroineAnim(int slot) {
  int32_t& cursor = Actor(kHeroineGroup, slot).AnimCursor();
  int c = cursor;
  // At the end of a sequence, back to the entry after the -1 before it. Before entry 0 there is
  // no entry: it counts as a -1, so a sequence that starts at entry 0 rewinds to 0.
  if (GetHeroineAnimFrame(c + 1) == -1) {
    while (GetHeroineAnimFrame(c) != -1) --c;
  }
  cursor = c + 1;
}

int HeroineAnimForMotion(int motion) {
  switch (motion) {
    case kHeroineCrouching:
      return kHeroineCrouchAnim;
    case kHeroineFalling:
    case kHeroineRising:
    case kHeroineBouncing:
      return kHeroineAirAnim;
    case kHeroineInDoor:
      return kHeroineDoorAnim;
    case kHeroineHurt:
      return kHeroineBumpAnim;
    default:
      return kHeroineStandAnim;
  }
}

int GetHeroineBoxParam(int key, int frame) {
  // By frame: the body box's left and top offsets and its width and height; the foot box's top
  // offset and height. Frames 11 and 21 (not her own poses) hold other widths.
  static constexpr int8_t BXTbl[30] = {12, 12, 11, 6,  12, 11, 6,  12, 12, 12, 12, 16, 12, 12, 12,
                                       12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
  static constexpr int8_t BYTbl[30] = {3, 5, 7, 10, 5, 7, 10, 3, 3, 20, 3, 3, 3, 3, 3,
                                       3, 3, 3, 3,  3, 3, 3,  3, 3, 3,  3, 3, 3, 3, 3};
  static constexpr int8_t BXsTbl[30] = {24, 24, 26, 36, 24, 26, 36, 24, 24, 24, 24, 16, 24, 24, 24,
                                        24, 24, 24, 24, 24, 24, 16, 24, 24, 24, 24, 24, 24, 24, 24};
  static constexpr int8_t BYsTbl[30] = {61, 59, 57, 54, 59, 57, 54, 61, 61, 44, 61, 61, 61, 61, 61,
                                        61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61};
  static constexpr int8_t BYTbl2[30] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 20, 3, 3, 3, 3, 3,
                                        3, 3, 3, 3, 3, 3, 3, 3, 3, 3,  3, 3, 3, 3, 3};
  static constexpr int8_t BYsTbl2[30] = {61, 61, 61, 61, 61, 61, 61, 61, 61, 44, 61, 61, 61, 61, 61,
                                         61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61, 61};
  // A frame outside the tables (the -1 between sequences among them) has no box.
  if (frame < 0 || frame >= 30) return 0;
  switch (key) {
    case 'x':
      return BXTbl[frame];
    case 'y':
      return BYTbl[frame];
    case 'X':
      return BXsTbl[frame];
    case 'Y':
      return BYsTbl[frame];
    case 'z':
      return BYTbl2[frame];
    case 'Z':
      return BYsTbl2[frame];
    default:
      return 0;
  }
}

void UpdateHeroineBodyBox(int slot) {
  const Actor h(kHeroineGroup, slot);
  const int f = GetHeroineAnimFrame(h.AnimCursor());
  const ActorBox box = h.BodyBox();
  box.left = h.PosX() + GetHeroineBoxParam('x', f);
  box.top = h.PosY() + GetHeroineBoxParam('y', f);
  box.right = box.left + GetHeroineBoxParam('X', f);
  box.bottom = box.top + GetHeroineBoxParam('Y', f);
  h.CentreX() = box.left + (box.right - box.left) / 2;
  h.CentreY() = box.top + (box.bottom - box.top) / 2;
}

void UpdateHeroineFootBox(int slot) {
  const Actor h(kHeroineGroup, slot);
  const int f = GetHeroineAnimFrame(h.AnimCursor());
  const ActorBox box = h.SpriteBox();
  box.left = h.PosX() + 12;
  box.top = h.PosY() + GetHeroineBoxParam('z', f);
  box.right = box.left + 24;
  box.bottom = box.top + GetHeroineBoxParam('Z', f);
}

int GetHeroineWalkSpeed() { return HeroineWalkSpeedAt(PlayerStats.SpellLevel[kSpellClockUp]); }

int HeroineWalkSpeedAt(int32_t clock_up_level) {
  switch (clock_up_level) {
    case 1:
      return 6;
    case 2:
      return 8;
    case 3:
      return 16;
    default:
      return 4;
  }
}

// ---- the update -------------------------------------------------------------------------------

namespace {

// The first update of a slot: from now on her histories hold where she is, so a trailing copy
// never reads an empty row.
void FillHeroineHistories(const Actor& h) {
  for (int r = 0; r < F::HistoryRows; ++r) {
    h.History(F::XHistory, r) = h.PosX();
    h.History(F::YHistory, r) = h.PosY();
    h.History(F::FaceXHistory, r) = h.FaceX();
    h.History(F::FaceYHistory, r) = h.FaceY();
    h.History(F::AnimHistory, r) = h.AnimCursor();
    h.History(F::MotionHistory, r) = h.Motion();
  }
}

// The floor slows her by 1 a frame, or only every 8th frame.
void RubHeroineOnFloor(const Actor& h) {
  const int32_t word = h.Motion();
  const bool rub = (word & kHeroineFriction) != 0 ||
                   ((word & kHeroineSlowFriction) != 0 && GetFrameCounter(0) % 8 == 0);
  if (!rub) return;
  if (h.VelX() >= 1) {
    h.VelX() -= 1;
  } else if (h.VelX() < 0) {
    h.VelX() += 1;
  }
}

// Crouching she turns left by her Input, but right only by the pad itself: a script that holds
// her can turn her left, not right.
void TurnCrouchingHeroine(const Actor& h) {
  if (Held(h.slot, kButtonLeft)) {
    h.FaceX() = -1;
  } else if (IsButtonHeld(ButtonBits[kButtonRight])) {
    h.FaceX() = 1;
  }
}

// Left or right in the air: the frame's move is exactly the walking speed.
void SteerHeroineInAir(const Actor& h, int speed) {
  if (Held(h.slot, kButtonLeft)) {
    h.StepX() = -speed - h.VelX();
  } else if (Held(h.slot, kButtonRight)) {
    h.StepX() = speed - h.VelX();
  }
}

void StandUpFromCrouch(const Actor& h, int standing_motion) {
  if (Held(h.slot, kButtonDown)) return;
  h.AnimCursor() = kHeroineStandAnim;
  SetHeroineMotion(h.slot, standing_motion);
}

// Slot 0's motion step.
void StepHeroineMotion(int speed) {
  const Actor h(kHeroineGroup, 0);
  switch (GetHeroineMotion(0)) {
    case kHeroineOnGround:
    case kHeroineOnGroundToo:
      if (WalkHeroine(0, speed) == 0) StartHeroineJumpOrCrouch(0, kHeroineCrouching);
      break;
    case kHeroineCrouching:
      TurnCrouchingHeroine(h);
      StandUpFromCrouch(h, kHeroineOnGround);
      break;
    case kHeroineFalling:
      SteerHeroineInAir(h, speed);
      h.StepY() = h.VelY() < kHeroineFallCap ? 1 : 0;  // gravity
      break;
    case kHeroineRising:
      SteerHeroineInAir(h, speed);
      // Letting go of jump cuts the rise, except while a script holds her.
      if ((!Held(0, kButtonJump) && h.Control() != kControlHeld) || h.VelY() >= 0) {
        h.VelY() = 0;
        h.StepY() = 0;
        SetHeroineMotion(0, kHeroineFalling);
      } else {
        h.VelY() += 1;
      }
      break;
    case kHeroineInDoor:
      h.AnimCursor() = kHeroineDoorAnim;
      break;
    case kHeroineBouncing:
      h.VelX() = h.VelY() = 0;
      h.StepY() = -4;
      SetHeroineMotion(0, kHeroineRising);
      break;
    case kHeroineHurt:
      h.VelX() = 0;
      h.VelY() = -4;
      SetHeroineMotion(0, kHeroineRising);
      h.VelX() = h.FaceX() != 1 ? 4 : -4;  // thrown back against her facing
      break;
    case kHeroineRiding:
      h.VelX() = h.VelY() = 0;
      if (WalkHeroine(0, speed) == 0) StartHeroineJumpOrCrouch(0, kHeroineRidingCrouched);
      break;
    case kHeroineRidingCrouched:
      h.VelX() = h.VelY() = 0;
      TurnCrouchingHeroine(h);
      StandUpFromCrouch(h, kHeroineRiding);
      break;
    default:  // 22 and above, and the numbers no motion uses: nothing
      break;
  }
}

// While she is dying she floats up 2 pixels a frame, the death sequence running every other frame.
void FloatDyingHeroine() {
  const Actor h(kHeroineGroup, 0);
  h.VelY() = 0;
  h.PosY() -= 2;
  if (GetFrameCounter(0) % 2 == 0) StepHeroineAnim(0);
}

}  // namespace

int WalkHeroine(int slot, int speed) {
  const Actor h(kHeroineGroup, slot);
  const int32_t faced = h.History(F::FaceXHistory, 0);  // her facing of the frame before
  if (Held(slot, kButtonLeft)) {
    h.FaceX() = -1;
    StepHeroineAnim(slot);
    if (faced != -1) h.AnimCursor() = kHeroineStandAnim;  // a turn starts the walk afresh
    h.StepX() = -speed - h.VelX();
  } else if (Held(slot, kButtonRight)) {
    h.FaceX() = 1;
    StepHeroineAnim(slot);
    if (faced != 1) h.AnimCursor() = kHeroineStandAnim;
    h.StepX() = speed - h.VelX();
  } else {
    if (h.AnimCursor() == kHeroineDoorAnim) return 1;
    h.AnimCursor() = kHeroineStandAnim;
  }
  return h.AnimCursor() == kHeroineDoorAnim ? 1 : 0;
}

int StartHeroineJumpOrCrouch(int slot, int crouch_motion) {
  const Actor h(kHeroineGroup, slot);
  if (NewlyOn(slot, kButtonJump)) {
    PlaySound(kSoundJump);
    // The rise loses 1 of speed a frame: 15 + 14 + ... + 1 = 120 pixels, or 253 under the
    // REPULSIVE FORCE spell.
    h.StepY() = PlayerStats.SpellLevel[kSpellRepulsive] >= 1 ? -22 : -15;
    SetHeroineMotion(slot, kHeroineRising);
    h.AnimCursor() = kHeroineAirAnim;
    return 1;
  }
  if (Held(slot, kButtonDown)) {
    SetHeroineMotion(slot, crouch_motion);
    h.StepX() = h.VelX() = 0;
    h.AnimCursor() = kHeroineCrouchAnim;
    return 1;
  }
  return 0;
}

void ThinkHeroine() {
  UpkeepHeroineSpells();
  RecalcHeroineStats();
  const int speed = GetHeroineWalkSpeed();
  bool ending = false;
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor h(kHeroineGroup, s);
    if (h.State() == kActorFree) continue;
    h.StepX() = h.StepY() = 0;
    if (h.HitTimer() > 0) h.HitTimer() -= 1;
    if (h.State() == kActorSpawned) {
      h.State() = kActorActive;
      h.HitTimer() = 0;
      FillHeroineHistories(h);
    } else if (h.State() == kActorEnding) {
      ending = true;
      break;
    }
    if (h.State() == kActorActive) {
      if (h.Control() == kControlFrozen) continue;
      if (h.Control() == kControlSelf) h.Input() = static_cast<int32_t>(ButtonHistory[0]);
    }
    LaunchHeroineShot(s);
    if (s != 0) continue;  // the copies only shoot; they move by following
    SwitchHeroineCursors();
    RubHeroineOnFloor(h);
    if (NewlyOn(0, kButtonMagic)) CastMagic();
    if (NewlyOn(0, kButtonItem)) UseBagItem();
    StepHeroineMotion(speed);
    UpdateHeroineBodyBox(0);
    UpdateHeroineFootBox(0);
  }
  if (ending) FloatDyingHeroine();
}

// ---- her own map probes -----------------------------------------------------------------------
// The body box of her frame and this frame's move.

namespace {

struct ProbeBox {
  int bx, w, top, h;  // the body box
  int mx, my;         // the move
};

ProbeBox HeroineProbeBox(int slot) {
  const Actor a(kHeroineGroup, slot);
  const int f = GetHeroineAnimFrame(a.AnimCursor());
  return {a.PosX() + GetHeroineBoxParam('x', f), GetHeroineBoxParam('X', f), a.PosY() + GetHeroineBoxParam('y', f),
          GetHeroineBoxParam('Y', f), a.StepX() + a.VelX(), a.StepY() + a.VelY()};
}

// A wall column: a tile within the 60 pixels from 3 below her top, where the move takes her.
bool WallAt(int x, int slot, int my) {
  return AnyTileInColumn(x, Actor(kHeroineGroup, slot).PosY() + 3 + my, 60) != 0;
}

}  // namespace

int ProbeHeroineWallRight(int slot) {
  const ProbeBox b = HeroineProbeBox(slot);
  if (!WallAt(b.bx + b.mx + b.w + 1, slot, b.my)) return kHeroineProbeNone;
  for (int k = 0; k <= b.mx; ++k) {
    if (WallAt(b.bx + b.w + k + 1, slot, b.my)) return k - 1;
  }
  return kHeroineProbeNone;
}

int ProbeHeroineWallLeft(int slot) {
  const ProbeBox b = HeroineProbeBox(slot);
  if (Actor(kHeroineGroup, slot).Motion() == 0) return kHeroineProbeNone;
  if (!WallAt(b.bx + b.mx - 1, slot, b.my)) return kHeroineProbeNone;
  for (int k = 0; k >= b.mx; --k) {
    if (WallAt(b.bx + k - 1, slot, b.my)) return k + 1;
  }
  return kHeroineProbeNone;
}

int ProbeHeroineFloor(int slot) {
  const ProbeBox b = HeroineProbeBox(slot);
  auto blocked = [&](int y) { return FindTileInRow(b.bx, y, b.w) != 0; };
  // A pixel's gap is left under her feet.
  if (!blocked(b.top + b.h + b.my + 1)) return kHeroineProbeNone;
  for (int k = 0; k <= b.my; ++k) {
    if (blocked(b.top + b.h + k + 1)) return k;
  }
  return kHeroineProbeNone;
}

int ProbeHeroineCeiling(int slot) {
  const ProbeBox b = HeroineProbeBox(slot);
  // A row whose first tile is a ledge lets her through from below.
  auto blocked = [&](int y) {
    const uint32_t tile = FindTileInRow(b.bx, y, b.w);
    return tile != 0 && tile != kLedgeTile;
  };
  for (int k = 0; k >= b.my; --k) {
    if (blocked(b.top + k)) return k + 1;
  }
  return kHeroineProbeNone;
}

// ---- the ground check and the move ------------------------------------------------------------

namespace {

// On the ground or in a fall: she stands on the floor within her move, or she falls. While a
// solid actor carries her (RideCount), the map floor does neither.
void SettleHeroineOnFloor(const Actor& h) {
  if (RideCount != 0) return;
  const int floor = ProbeHeroineFloor(0);
  if (floor < kHeroineProbeHit) {
    h.StepY() = floor;
    h.VelY() = 0;
    if (GetHeroineMotion(0) == kHeroineFalling) {  // she lands
      SetHeroineMotion(0, kHeroineOnGround);
      h.AnimCursor() = kHeroineStandAnim;
    }
  } else {  // she walks off an edge
    SetHeroineMotion(0, kHeroineFalling);
    h.AnimCursor() = kHeroineAirAnim;
  }
}

void StopHeroineAtWall(const Actor& h, int step) {
  h.StepX() = step;
  h.VelX() = 0;
  if (GetHeroineMotion(0) == kHeroineOnGround) h.AnimCursor() = kHeroineStandAnim;
}

bool HeroineStands(const Actor& h) { return h.State() != kActorFree && h.Control() != kControlFrozen; }

// The end of the move for every slot: position += velocity + step, velocity += step. A trailing
// copy then takes the place, facing, animation and motion of the slot before it eight frames
// ago; and the histories move on by a row.
void MoveHeroineSlot(int s) {
  const Actor h(kHeroineGroup, s);
  h.PosX() += h.VelX() + h.StepX();
  h.PosY() += h.VelY() + h.StepY();
  h.VelX() += h.StepX();
  h.VelY() += h.StepY();
  h.StepX() = h.StepY() = 0;
  if (s >= 1) {
    const Actor lead(kHeroineGroup, s - 1);  // already moved: its row 9 is eight frames old
    h.PosX() = lead.History(F::XHistory, 9);
    h.PosY() = lead.History(F::YHistory, 9);
    h.FaceX() = lead.History(F::FaceXHistory, 9);
    h.AnimCursor() = lead.History(F::AnimHistory, 9);
    h.Motion() = lead.History(F::MotionHistory, 9);
  }
  h.History(F::XHistory, 0) = h.PosX();
  h.History(F::YHistory, 0) = h.PosY();
  h.History(F::FaceXHistory, 0) = h.FaceX();
  h.History(F::FaceYHistory, 0) = h.FaceY();
  h.History(F::AnimHistory, 0) = h.AnimCursor();
  h.History(F::MotionHistory, 0) = h.Motion();
  for (int block = F::InputHistory; block <= F::MotionHistory; block += F::HistoryRows) {
    for (int r = F::HistoryRows - 1; r >= 1; --r) h.History(block, r) = h.History(block, r - 1);
  }
  h.History(F::InputHistory, 0) = h.Input();
}

}  // namespace

void CheckHeroineGround() {
  const Actor h(kHeroineGroup, 0);
  if (!HeroineStands(h)) return;
  UpdateHeroineBodyBox(0);
  if (!IsRising(GetHeroineMotion(0))) {
    SettleHeroineOnFloor(h);  // RideCount is still the frame before's here
    return;
  }
  const int ceiling = ProbeHeroineCeiling(0);
  if (ceiling < kHeroineProbeHit) {
    h.AnimCursor() = kHeroineBumpAnim;
    h.PosY() += ceiling - 1;
    h.StepY() = ceiling - 1;
    h.VelY() = 0;
  }
}

void MoveHeroine() {
  const Actor h(kHeroineGroup, 0);
  if (!HeroineStands(h)) return;
  UpdateHeroineBodyBox(0);
  if (!IsRising(GetHeroineMotion(0))) {
    SettleHeroineOnFloor(h);  // with this frame's rides, counted by the solid actors by now
  } else if (const int ceiling = ProbeHeroineCeiling(0); ceiling < kHeroineProbeHit) {
    h.AnimCursor() = kHeroineBumpAnim;
    PlaySound(kSoundHeadBump);
    h.StepY() = ceiling;
    h.VelY() = 0;
  }
  // Walls: the left first, then the right, whose answer wins when both stop her.
  if (const int left = ProbeHeroineWallLeft(0); left < kHeroineProbeHit) StopHeroineAtWall(h, left);
  if (const int right = ProbeHeroineWallRight(0); right < kHeroineProbeHit) StopHeroineAtWall(h, right);
  UpdateHeroineBodyBox(0);
  for (int s = 0; s < kActorSlots; ++s) {
    if (Actor(kHeroineGroup, s).State() != kActorFree) MoveHeroineSlot(s);
  }
}
