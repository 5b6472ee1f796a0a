// The heroine's routines that the frame and the world passes call. Group 1 is hers: slot 0 is
// the player, higher slots her trailing copies; group 192 holds her shots.
#pragma once

#include <cstdint>

// Control and motion: her thinking comes first in the update pass; the ground check comes first
// in the second pass, before the rides on solid actors are counted afresh; her move comes first
// in the third pass and is skipped while she is ending.
void ThinkHeroine();
void CheckHeroineGround();
void MoveHeroine();

// Damage and event triggers: the enemies, hazards and solid actors against her, last in the
// second pass; the events of map layer 4 under her, between the second and third passes.
void HitHeroineWithEnemies();
void CheckHeroineMapEvents();

// Drawing; the end of her draw also starts her death.
void DrawHeroine();

// Her shots: launched by ThinkHeroine, updated right after the town NPCs, tested against the
// enemies after her ground check, moved and drawn with her.
void UpdateShots();
void HitEnemiesWithShots();
void MoveShots();
void DrawShots();

// What her thinking and drawing hand on to her damage, spell and shot code: the spell timers and
// their MP cost (first thing of ThinkHeroine), the bag and magic-tool cursor buttons (slot 0,
// before the friction), the launch of a shot from a slot (every slot she thinks for) and the
// start of her death when her HP is gone (the end of DrawHeroine).
void UpkeepHeroineSpells();
void SwitchHeroineCursors();
void LaunchHeroineShot(int slot);
void StartHeroineDeath();

// ---- motions and animation --------------------------------------------------------------------

// Motion numbers: the low byte of her Motion word.
constexpr int kHeroineOnGround = 0;  // standing or walking
constexpr int kHeroineCrouching = 1;
constexpr int kHeroineFalling = 3;
constexpr int kHeroineRising = 4;    // a jump, a bounce, a knock-back
constexpr int kHeroineInDoor = 6;
constexpr int kHeroineOnGroundToo = 17;  // handled as 0; nothing sets it
constexpr int kHeroineBouncing = 18;     // off a stomped enemy
constexpr int kHeroineHurt = 19;
constexpr int kHeroineRiding = 20;       // standing on a solid actor
constexpr int kHeroineRidingCrouched = 21;

// Flag bits of her Motion word: friction on the floor every frame, or every 8th frame; the arm
// overlays her drawing shows (set from her recent input by DrawHeroine).
constexpr int32_t kHeroineFriction = 0x1000;
constexpr int32_t kHeroineSlowFriction = 0x2000;
constexpr int32_t kHeroineShootingArm = 0x10000;
constexpr int32_t kHeroineRaisedArm = 0x20000;

// Entries of her animation table: the stand (and the walk cycle from it), in the air, the head
// bump, the crouch, the death sequence and the door.
constexpr int kHeroineStandAnim = 10;
constexpr int kHeroineAirAnim = 60;
constexpr int kHeroineBumpAnim = 70;
constexpr int kHeroineCrouchAnim = 80;
constexpr int kHeroineDeathAnim = 90;
constexpr int kHeroineDoorAnim = 120;

// Her probes' answer when nothing is in the way; callers take any answer below 640 as a hit.
constexpr int kHeroineProbeNone = 9800;
constexpr int kHeroineProbeHit = 640;
// The one tile she passes up through: a ledge she can jump onto from below.
constexpr uint32_t kLedgeTile = 1198;

// The low byte of the slot's Motion := motion; 256 or more changes nothing.
void SetHeroineMotion(int slot, int motion);
// Motion & 255.
int GetHeroineMotion(int slot);
// The frame shown at an animation entry; -1 between sequences and outside the table.
int GetHeroineAnimFrame(int cursor);
// One entry on: at the end of a sequence back to its first entry.
void StepHeroineAnim(int slot);
// The entry that shows a motion (1 the crouch, 3, 4 and 18 in the air, 6 the door, 19 the head
// bump, else the stand). Nothing calls it.
int HeroineAnimForMotion(int motion);
// Her boxes by frame: 'x', 'y' the body box's offsets from her position, 'X', 'Y' its size; 'z'
// and 'Z' the foot box's top offset and height. Any other key, or a frame outside, gives 0.
int GetHeroineBoxParam(int key, int frame);
// BodyBox, CentreX and CentreY from her position and frame.
void UpdateHeroineBodyBox(int slot);
// SpriteBox := her foot box: 24 pixels wide from PosX + 12, against solid actors and foot hazards.
void UpdateHeroineFootBox(int slot);
// Pixels a frame: 4, or 6, 8, 16 under the CLOCK UP spell at level 1, 2, 3; the first for the
// spell's level now.
int HeroineWalkSpeedAt(int32_t clock_up_level);
int GetHeroineWalkSpeed();
// Gravity adds a pixel a frame to her fall until it moves her this far a frame.
constexpr int kHeroineFallCap = 10;

// Walking by her Input: the facing, the walk cycle (afresh after a turn) and StepX for a frame's
// move of exactly `speed`; without left or right she stands. 1 while she shows the door pose.
int WalkHeroine(int slot, int speed);
// A jump (jump newly pressed) or a crouch into crouch_motion (down held): 1 when one started.
int StartHeroineJumpOrCrouch(int slot, int crouch_motion);

// ---- her own map probes -----------------------------------------------------------------------
// Each answers a displacement for this frame's move or kHeroineProbeNone.
int ProbeHeroineWallRight(int slot);
int ProbeHeroineWallLeft(int slot);
int ProbeHeroineFloor(int slot);
int ProbeHeroineCeiling(int slot);

// ---- the heroine against solid actors ---------------------------------------------------------
// A solid module calls one of these with its own group from its collide step in the second pass:
// it carries her while she stands on a slot, lands her on one, bumps her head under one and
// pushes her back at its sides, counting her rides in RideCount and marking the ridden slot.
void CollideHeroineWithSolids(int group);
// The same, but a landing keeps her velocity of the frame in the step (the falling weights).
void CollideHeroineWithSolidsAlt(int group);
// Her body box against the slots, landing only from above and letting her rise through one from
// inside (the horizontal lift); no head bump and no side push.
void CollideHeroineWithSolidsSorted(int group);

// ---- spells, damage and death -----------------------------------------------------------------

// One frame of every running spell's timer: down by the spell's level, reloaded once it has run
// out (only the spells that have a reload).
void TickSpellTimers();
// The value a spell slot's timer is reloaded with at `level` (above 0) once it has run out; -1
// for the slots without one.
int32_t SpellReload(int slot, int32_t level);
// A spell's MP cost, taken on the frame its timer is 0; MP run out shows "OUT@OF@MAGIC@POWER"
// with sound 22 and stays at 0. The MP afterwards.
int32_t DrainHeroineMp(int32_t cost, int32_t timer);
// A hit on her: 0 damage only makes her immune for 15 frames ("NO=DAMAGE:", sound 6); any other
// takes the HP (not below 0), makes her immune for 90 frames and shows the damage, as a hard hit
// when it is more than a third of her maximum HP.
void HurtHeroine(int32_t damage);
// A hit of 10 or 20 percent of her maximum HP.
void HurtHeroineByPercent();

// ---- shots ------------------------------------------------------------------------------------

// The animation entry's frame (-1 between sequences and outside the table), and one entry on,
// looping at the end of a sequence.
int GetShotAnimFrame(int cursor);
void StepShotAnim(int slot);
// The top-left sprite cell of a shot picture (power x 10 + frame), -1 for none.
int GetShotSpriteCell(int index, int facing);
// A frame's size in cells, axis 0 across and 1 down.
int GetShotSpriteSize(int frame, int axis);
// A frame's hit box: which 0 and 1 its offset from the shot's position, 2 and 3 its size.
int GetShotBoxParam(int frame, int which);
// BodyBox from the shot's position and frame.
void UpdateShotBox(int slot);
// A hit on an actor: 0 damage only sounds 6; any other takes its Life (not below 0), plays the
// sound and lights the enemy gauge with what is left.
void DamageActor(int group, int slot, int sound, int32_t damage);
