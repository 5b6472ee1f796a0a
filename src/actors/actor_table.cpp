#include "actors/actor_table.h"

int32_t ActorTable[kActorGroups][kActorFields][kActorSlots] = {};

namespace {

// A box block holds four values a slot: slot s's box starts at value 4 s of the block, so it
// spans the block's field rows rather than lying in one of them.
const int32_t* ActorBox(int group, int first_field, int slot) {
  const int32_t* fields = &ActorTable[group][0][0];
  return fields + first_field * kActorSlots + slot * 4;
}

}  // namespace

int GetActorCentreX(int group, int slot) {
  const int32_t* box = ActorBox(group, ActorField::BodyBox, slot);
  return box[0] + (box[2] - box[0]) / 2;
}

int GetActorPosY(int group, int slot) { return ActorTable[group][ActorField::PosY][slot]; }

int GetActorMotion(int group, int slot) { return ActorTable[group][ActorField::Motion][slot] & 255; }
