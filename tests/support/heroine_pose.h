// Puts the heroine (group 1, slot 0) where the camera reads her, for tests that run the camera
// before the heroine's own code exists: her body box around the horizontal centre `cx`, her top
// at `py`, and her motion number.
#pragma once

#include "actors/actor_table.h"

inline void PoseHeroineForCamera(int cx, int py, int motion = 0) {
  int32_t* box = &ActorTable[1][ActorField::BodyBox][0];  // slot 0's box: the row's first four values
  box[0] = cx - 12;
  box[1] = py + 3;
  box[2] = cx + 12;
  box[3] = py + 64;
  ActorTable[1][ActorField::PosY][0] = py;
  ActorTable[1][ActorField::Motion][0] = 0x1000 | motion;
}
