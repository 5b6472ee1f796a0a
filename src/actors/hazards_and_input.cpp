#include "actors/hazards_and_input.h"

#include <algorithm>
#include <iterator>

#include "actors/actor_table.h"
#include "world/save_block.h"

namespace {

void StoreHazard(int entry, int x, int y, int w, int h, int attack, int kind) {
  int32_t* e = HazardBoxes[entry];
  e[0] = x;
  e[1] = y;
  e[2] = w;
  e[3] = h;
  e[4] = attack;
  e[5] = kind;
}

// A box of width or height 0 or less would still hurt where its origin lies inside her body
// (the overlap rule of zero-size boxes): a beam shrunk to nothing must not, so none is stored.
bool HasArea(int w, int h) { return w > 0 && h > 0; }

}  // namespace

void ClearHazards() {
  ResetHazardSlots();
  HazardCount = 0;
}

void AddHazard(int x, int y, int w, int h, int attack, int kind) {
  if (HazardCount >= kHazardCapacity || !HasArea(w, h)) return;
  StoreHazard(static_cast<int>(HazardCount), x, y, w, h, attack, kind);
  ++HazardCount;
}

void ResetHazardSlots() {
  for (auto& entry : HazardBoxes) std::fill(std::begin(entry), std::end(entry), -1);
}

void AddHazardToFreeSlot(int x, int y, int w, int h, int attack, int kind) {
  if (!HasArea(w, h)) return;
  for (int entry = 0; entry < kHazardCapacity; ++entry) {
    if (HazardBoxes[entry][0] != -1) continue;
    StoreHazard(entry, x, y, w, h, attack, kind);
    return;
  }
}

namespace {

bool Holds(int32_t bits, int mask) { return (bits & mask) == mask; }

}  // namespace

int ActorHasInput(int group, int slot, int mask) { return Holds(Actor(group, slot).Input(), mask) ? 1 : 0; }

int ActorInputNewlyOn(int group, int slot, int mask) {
  const Actor a(group, slot);
  return InputLock != 1 && !Holds(a.History(ActorField::InputHistory, 0), mask) && Holds(a.Input(), mask) ? 1 : 0;
}

int ActorInputRepeat(int group, int slot, int mask) {
  const Actor a(group, slot);
  if (!Holds(a.Input(), mask)) return 0;
  if (!Holds(a.History(ActorField::InputHistory, 0), mask)) return 1;
  for (int row = 1; row <= 8; ++row) {
    if (!Holds(a.History(ActorField::InputHistory, row), mask)) return 0;
  }
  return 1;
}
