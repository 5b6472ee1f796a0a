// The actor table: every object of the world is one slot of one group, and every field of a
// group is an array of 256 values, one a slot, so a module walks its slots by one index.
//
// Groups: 1 the heroine (slot 0 the player, higher slots her trailing copies), 2..31
// townspeople, 32..107 enemies, the boss and solid mechanisms, 108..127 scenery, effects,
// floating texts, chests and doors, 192 the heroine's shots, 255 the title screen's sprites.
// States: 0 free, 1 just spawned (its module initialises it at the next update), 3 active,
// 4 ending, 16 gone and waiting to return home.
//
// The small operations every module relies on: spawning into a free slot, freeing, clearing
// the table, spawning what a map places, counting, the field accessors, eight timers a slot and
// the packed mode word. A spawn writes only the fields it names: a new occupant inherits every
// other field from the previous one until its module initialises it. No operation checks its
// group or slot; callers pass 0..255.
#pragma once

#include <cstdint>

constexpr int kActorGroups = 256;
constexpr int kActorFields = 148;
constexpr int kActorSlots = 256;

// [group][field][slot]; zero at start, never saved.
extern int32_t ActorTable[kActorGroups][kActorFields][kActorSlots];

// The field numbers. A block (histories, boxes, text, timers) spans several field numbers from
// the one named here.
namespace ActorField {
constexpr int State = 0;          // 0 free, 1 just spawned, 3 active, 4 ending, 16 gone
constexpr int Motion = 1;         // low byte the motion number, byte 1 a second code, flag bits above
constexpr int Control = 2;        // 0 self-driven, 1 held by a talk or an event, 2 frozen
constexpr int Input = 3;          // virtual-pad bits of this frame
constexpr int Link = 4;           // per-group link value: a flag number, a slot, on/off bits
constexpr int ModeBits = 5;       // packed mode word addressed by letter
constexpr int AnimCursor = 6;     // ticks per entry x entry index
constexpr int PosX = 7;           // left edge, world px
constexpr int PosY = 8;           // top edge, world px
constexpr int AnimMode = 9;       // 'r' loops the sequence
constexpr int CentreX = 10;       // centre of BodyBox
constexpr int CentreY = 11;
constexpr int Scratch = 12;       // 12..15
constexpr int HomeX = 16;         // spawn point
constexpr int HomeY = 17;
constexpr int StepX = 18;         // this frame's move
constexpr int StepY = 19;
constexpr int VelX = 20;          // carried velocity
constexpr int VelY = 21;
constexpr int MaxLife = 22;
constexpr int Life = 23;
constexpr int Param24 = 24;
constexpr int Param25 = 25;
constexpr int ExpReward = 26;
constexpr int MoneyReward = 27;
constexpr int Text = 28;          // 28..35: 32 bytes a slot, laid out [slot][32]
constexpr int FaceX = 36;         // +1 right, -1 left, 0 none
constexpr int FaceY = 37;         // -1 up, +1 down, 0 level
constexpr int InputHistory = 38;  // 38..47: 10 rows, row r of slot s is field (38 + r), slot s
constexpr int XHistory = 48;      // 48..57
constexpr int YHistory = 58;      // 58..67
constexpr int FaceXHistory = 68;  // 68..77
constexpr int FaceYHistory = 78;  // 78..87
constexpr int AnimHistory = 88;   // 88..97
constexpr int MotionHistory = 98; // 98..107
constexpr int SpriteBox = 108;    // 108..111: {left, top, right, bottom} a slot, laid out [slot][4]
constexpr int BodyBox = 112;      // 112..115: the same layout
constexpr int CollisionKind = 116;
constexpr int RespawnTimer = 117;
constexpr int HitTimer = 118;
constexpr int AttackValue = 119;
constexpr int DefenseValue = 120;
constexpr int Ridden = 121;       // 1 while the heroine rides this solid actor
constexpr int KlausCursor = 121;  // group 2 is never solid: Klaus's AnimCursor, for the opening
constexpr int MapHits = 122;
constexpr int Timers = 123;       // 123..146: 24 values a slot, laid out [slot][24]
constexpr int AiState = 147;
constexpr int HistoryRows = 10;
constexpr int TextBytes = 32;
}  // namespace ActorField

// Values of State.
constexpr int32_t kActorFree = 0;
constexpr int32_t kActorSpawned = 1;
constexpr int32_t kActorActive = 3;
constexpr int32_t kActorEnding = 4;
constexpr int32_t kActorGone = 16;

// Values of Control.
constexpr int32_t kControlSelf = 0;    // its own logic (or the pad, for the heroine) drives it
constexpr int32_t kControlHeld = 1;    // a talk or an event drives its Input; it still moves
constexpr int32_t kControlFrozen = 2;  // update, move and collision steps skip it

constexpr int kHeroineGroup = 1;
constexpr int kShotGroup = 192;
constexpr int kTimerCount = 8;

// A box of the table, {left, top, right, bottom} in world pixels; right and bottom are the
// first pixels outside. The members refer to the table's own values.
struct ActorBox {
  int32_t& left;
  int32_t& top;
  int32_t& right;
  int32_t& bottom;
};

// The fields of one slot by name: Actor(g, s).PosX() is ActorTable[g][ActorField::PosX][s].
struct Actor {
  int group;
  int slot;

  Actor(int g, int s) : group(g), slot(s) {}

  int32_t& Field(int field) const { return ActorTable[group][field][slot]; }
  int32_t& State() const { return Field(ActorField::State); }
  int32_t& Motion() const { return Field(ActorField::Motion); }
  int32_t& Control() const { return Field(ActorField::Control); }
  int32_t& Input() const { return Field(ActorField::Input); }
  int32_t& Link() const { return Field(ActorField::Link); }
  int32_t& ModeBits() const { return Field(ActorField::ModeBits); }
  int32_t& AnimCursor() const { return Field(ActorField::AnimCursor); }
  int32_t& PosX() const { return Field(ActorField::PosX); }
  int32_t& PosY() const { return Field(ActorField::PosY); }
  int32_t& AnimMode() const { return Field(ActorField::AnimMode); }
  int32_t& CentreX() const { return Field(ActorField::CentreX); }
  int32_t& CentreY() const { return Field(ActorField::CentreY); }
  int32_t& Scratch(int i) const { return Field(ActorField::Scratch + i); }  // i 0..3
  int32_t& HomeX() const { return Field(ActorField::HomeX); }
  int32_t& HomeY() const { return Field(ActorField::HomeY); }
  int32_t& StepX() const { return Field(ActorField::StepX); }
  int32_t& StepY() const { return Field(ActorField::StepY); }
  int32_t& VelX() const { return Field(ActorField::VelX); }
  int32_t& VelY() const { return Field(ActorField::VelY); }
  int32_t& MaxLife() const { return Field(ActorField::MaxLife); }
  int32_t& Life() const { return Field(ActorField::Life); }
  int32_t& Param24() const { return Field(ActorField::Param24); }
  int32_t& Param25() const { return Field(ActorField::Param25); }
  int32_t& ExpReward() const { return Field(ActorField::ExpReward); }
  int32_t& MoneyReward() const { return Field(ActorField::MoneyReward); }
  int32_t& FaceX() const { return Field(ActorField::FaceX); }
  int32_t& FaceY() const { return Field(ActorField::FaceY); }
  int32_t& CollisionKind() const { return Field(ActorField::CollisionKind); }
  int32_t& RespawnTimer() const { return Field(ActorField::RespawnTimer); }
  int32_t& HitTimer() const { return Field(ActorField::HitTimer); }
  int32_t& AttackValue() const { return Field(ActorField::AttackValue); }
  int32_t& DefenseValue() const { return Field(ActorField::DefenseValue); }
  int32_t& Ridden() const { return Field(ActorField::Ridden); }
  int32_t& MapHits() const { return Field(ActorField::MapHits); }
  int32_t& AiState() const { return Field(ActorField::AiState); }

  // Row r (0..9) of a history block (ActorField::InputHistory ... ActorField::MotionHistory).
  int32_t& History(int block, int row) const { return Field(block + row); }
  // The slot's four values of a box block.
  ActorBox SpriteBox() const { return Box(ActorField::SpriteBox); }
  ActorBox BodyBox() const { return Box(ActorField::BodyBox); }
  // The slot's 32 bytes of text.
  char* Text() const;
  // The slot's 24 timer values: Count[8], Limit[8], Running[8].
  int32_t* Timers() const;

 private:
  ActorBox Box(int first_field) const;
};

// The heroine's Control and Input under the names the scene change and the events use.
inline int32_t& HeroControl = ActorTable[kHeroineGroup][ActorField::Control][0];
inline int32_t& HeroPadBits = ActorTable[kHeroineGroup][ActorField::Input][0];

// ---- spawning and freeing ---------------------------------------------------------------------

// The first slot of the group whose State is 0, or -1 when all 256 are used.
int FindFreeActorSlot(int group);
// Takes the first free slot of the group: State 1, position and home (x, y), StepX and StepY 0,
// facing (faceX, faceY), HitTimer, Input and Link 0. -1 when all 256 slots are used.
int SpawnActor(int group, int x, int y, int faceX, int faceY);
// State := 0; nothing else changes.
void KillActor(int group, int slot);
// Resets the moving parts of every slot of every group: State, Motion, Control, AnimCursor,
// steps, velocities, Input, Ridden and SpriteBox 0, facing (1, 0), the position, facing,
// animation and motion histories -1 and the input history 0. BodyBox, Link, HitTimer,
// positions, lives, rewards, timers and the other fields keep their values.
void ClearAllActors();
// Spawns the actors that map layer 4 places, column by column (x outer, y inner, every 16
// pixels): a value 2..127 spawns that group there facing (-1, 0).
void SpawnMapActors();
// The number of slots of the group whose State is not 0.
int CountActors(int group);

// ---- accessors --------------------------------------------------------------------------------

// AnimCursor := ticks x entry.
void SetActorAnim(int group, int slot, int ticks, int entry);
void SetActorControl(int group, int slot, int mode);
int GetActorControl(int group, int slot);
void SetActorInput(int group, int slot, int bits);
// Input and the 10 rows of InputHistory := 0.
void ClearActorInput(int group, int slot);
// The 10 rows of InputHistory := 0.
void ClearActorInputHistory(int group, int slot);
void SetActorLink(int group, int slot, int value);
// The low byte of Motion := motion, the other bits kept; motion 256 or more changes nothing.
void SetActorMotion(int group, int slot, int motion);
// Motion & 255.
int GetActorMotion(int group, int slot);
// MotionHistory row 0 & 255: the motion number of the frame before.
int GetActorPrevMotion(int group, int slot);
// Bits 8..15 of Motion := 0, then Motion |= value (value given already shifted).
void SetActorMotionHigh(int group, int slot, int value);
// Motion & 0xFF00.
int GetActorMotionHigh(int group, int slot);
int GetActorState(int group, int slot);
// 'A'/'a' 0, 'R'/'r' 3, 'Z'/'z' 16, any other letter 1.
void SetActorStateByLetter(int group, int letter, int slot);
// Horizontal centre of the slot's BodyBox.
int GetActorCentreX(int group, int slot);
int GetActorPosY(int group, int slot);
// Clears the result bits 1, 2, 4, 8, 16 and 32 of MapHits and keeps the rest.
void ClearActorMapHits(int group, int slot);

// 1 when the slot's State is 4.
int IsActorEnding(int group, int slot);
// These write their value unless guard is nonzero and the actor is ending.
void SetActorAnimGuarded(int guard, int group, int value, int slot);
void SetActorMotionGuarded(int guard, int group, int slot, int motion);

// ---- timers -----------------------------------------------------------------------------------
// Eight timers a slot, each a Count, a Limit and a Running flag. A running timer counts 0, 1, ...,
// Limit + 1 and then 0 again. A timer number outside 0..7 means the nearest of 0 and 7.

// Every Count 0, Limit 1024, Running 0.
void ResetActorTimers(int group, int slot);
void SetActorTimerLimit(int group, int slot, int timer, int limit);
void StartActorTimer(int group, int slot, int timer);
void StopActorTimer(int group, int slot, int timer);
void ZeroActorTimer(int group, int slot, int timer);
// One tick of every running timer of the slot.
void TickActorTimers(int group, int slot);
// The Count.
int GetActorTimer(int group, int slot, int timer);
void SetActorTimer(int group, int slot, int timer, int count);

// ---- the mode word ----------------------------------------------------------------------------
// ModeBits by letter: 't' bits 0-3, 'a' 4-7, 'A' 8-11, 'o' 12-27. Values are given and returned
// in place, not shifted. Setting clears the letter's bits and ORs value in (not masked); any
// other letter changes nothing. Getting masks to the letter's bits, 0 for any other letter.
void SetActorModeBits(int group, int slot, int value, int letter);
int GetActorModeBits(int group, int slot, int letter);
