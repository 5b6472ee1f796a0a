// Hazard boxes and actor input bits, two small facilities the heroine and the modules share.
//
// Hazard boxes are damaging areas that are not actor bodies (a boss's beam, an enemy's punch):
// modules register boxes during the update pass, and the heroine's damage test of the second
// pass tests her body against them and then empties the list. The list (`HazardBoxes`,
// `HazardCount`) lies in the save block.
//
// Input bits are the queries on an actor's virtual pad (`Input`, with the values of
// `ButtonBits`), so that a script driving an actor and the player's pad are one path. During the
// update pass `InputHistory` row 0 holds the previous frame's `Input`.
#pragma once

constexpr int kHazardCapacity = 64;

// Every value of all 64 entries := -1; HazardCount := 0.
void ClearHazards();
// Appends the box (x, y, w, h in size form) with its attack and kind; ignored when the list is
// full, or when the box has no area.
void AddHazard(int x, int y, int w, int h, int attack, int kind);
// A second pair that marks free entries by -1 and ignores HazardCount: every value -1, and a
// box stored into the first entry whose x is -1.
void ResetHazardSlots();
void AddHazardToFreeSlot(int x, int y, int w, int h, int attack, int kind);

// 1 when every bit of mask is in the slot's Input.
int ActorHasInput(int group, int slot, int mask);
// 1 when every bit of mask is in Input but was not all in the previous frame's, and InputLock
// is not 1. A press made under the lock is never reported.
int ActorInputNewlyOn(int group, int slot, int mask);
// 1 on the first frame of a press, and on every frame once mask has been held for ten frames
// (this one and history rows 0..8).
int ActorInputRepeat(int group, int slot, int mask);
