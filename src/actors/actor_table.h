// The actor table: every object of the world is one slot of one group, and every field of a
// group is an array of 256 values, one a slot, so a module walks its slots by one index.
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
constexpr int Ridden = 121;
constexpr int MapHits = 122;
constexpr int Timers = 123;       // 123..146: 24 values a slot, laid out [slot][24]
constexpr int AiState = 147;
constexpr int HistoryRows = 10;
}  // namespace ActorField

// Horizontal centre of the slot's BodyBox.
int GetActorCentreX(int group, int slot);
int GetActorPosY(int group, int slot);
// The motion number: the low byte of Motion.
int GetActorMotion(int group, int slot);
