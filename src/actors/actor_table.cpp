#include "actors/actor_table.h"

#include <algorithm>

#include "world/map_layers.h"

int32_t ActorTable[kActorGroups][kActorFields][kActorSlots] = {};

namespace F = ActorField;

// ---- the blocks -------------------------------------------------------------------------------
// A block spans several field rows and holds a fixed number of values a slot, slot after slot:
// slot s's values start at value (s x size) of the block, not in one row of it.

namespace {

int32_t* BlockOf(int group, int first_field, int slot, int values_per_slot) {
  int32_t* fields = &ActorTable[group][0][0];
  return fields + first_field * kActorSlots + slot * values_per_slot;
}

constexpr int kTimerValues = 3 * kTimerCount;

}  // namespace

ActorBox Actor::Box(int first_field) const {
  int32_t* v = BlockOf(group, first_field, slot, 4);
  return ActorBox{v[0], v[1], v[2], v[3]};
}

char* Actor::Text() const {
  return reinterpret_cast<char*>(&ActorTable[group][F::Text][0]) + slot * F::TextBytes;
}

int32_t* Actor::Timers() const { return BlockOf(group, F::Timers, slot, kTimerValues); }

// ---- spawning and freeing ---------------------------------------------------------------------

int FindFreeActorSlot(int group) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    if (ActorTable[group][F::State][slot] == kActorFree) return slot;
  }
  return -1;
}

int SpawnActor(int group, int x, int y, int faceX, int faceY) {
  const int slot = FindFreeActorSlot(group);
  if (slot < 0) return -1;
  Actor a(group, slot);
  a.State() = kActorSpawned;
  a.PosX() = a.HomeX() = x;
  a.PosY() = a.HomeY() = y;
  a.StepX() = a.StepY() = 0;
  a.FaceX() = faceX;
  a.FaceY() = faceY;
  a.HitTimer() = 0;
  a.Input() = 0;
  a.Link() = 0;
  return slot;
}

void KillActor(int group, int slot) { ActorTable[group][F::State][slot] = kActorFree; }

void ClearAllActors() {
  // Field by field: each field of a group is one row of 256 values, and a block its rows.
  auto fill_rows = [](int group, int first_field, int rows, int32_t value) {
    std::fill_n(&ActorTable[group][first_field][0], rows * kActorSlots, value);
  };
  for (int group = 0; group < kActorGroups; ++group) {
    for (int field : {F::State, F::Motion, F::Control, F::AnimCursor, F::StepX, F::StepY, F::VelX, F::VelY, F::Input,
                      F::Ridden}) {
      fill_rows(group, field, 1, 0);
    }
    fill_rows(group, F::SpriteBox, 4, 0);
    fill_rows(group, F::FaceX, 1, 1);
    fill_rows(group, F::FaceY, 1, 0);
    for (int block : {F::XHistory, F::YHistory, F::FaceXHistory, F::FaceYHistory, F::AnimHistory, F::MotionHistory}) {
      fill_rows(group, block, F::HistoryRows, -1);
    }
    fill_rows(group, F::InputHistory, F::HistoryRows, 0);
  }
}

void SpawnMapActors() {
  constexpr uint32_t kFirstGroup = 2, kLastGroup = 127;  // 0, 1 and 128 up (events) spawn nothing
  const int width = static_cast<int>(BgLayers.WorldSize.width);
  const int height = static_cast<int>(BgLayers.WorldSize.height);
  for (int x = 0; x < width; x += kTileSize) {
    for (int y = 0; y < height; y += kTileSize) {
      const uint32_t v = GetTile(x, y, kEventLayer);
      if (v >= kFirstGroup && v <= kLastGroup) SpawnActor(static_cast<int>(v), x, y, -1, 0);
    }
  }
}

int CountActors(int group) {
  const int32_t* state = ActorTable[group][F::State];
  return static_cast<int>(std::count_if(state, state + kActorSlots, [](int32_t s) { return s != kActorFree; }));
}

// ---- accessors --------------------------------------------------------------------------------

void SetActorAnim(int group, int slot, int ticks, int entry) { Actor(group, slot).AnimCursor() = ticks * entry; }

void SetActorControl(int group, int slot, int mode) { Actor(group, slot).Control() = mode; }

int GetActorControl(int group, int slot) { return Actor(group, slot).Control(); }

void SetActorInput(int group, int slot, int bits) { Actor(group, slot).Input() = bits; }

void ClearActorInput(int group, int slot) {
  Actor(group, slot).Input() = 0;
  ClearActorInputHistory(group, slot);
}

void ClearActorInputHistory(int group, int slot) {
  for (int row = 0; row < F::HistoryRows; ++row) Actor(group, slot).History(F::InputHistory, row) = 0;
}

void SetActorLink(int group, int slot, int value) { Actor(group, slot).Link() = value; }

void SetActorMotion(int group, int slot, int motion) {
  if (motion >= 256) return;
  int32_t& word = Actor(group, slot).Motion();
  word = (word & ~0xFF) | (motion & 0xFF);
}

int GetActorMotion(int group, int slot) { return Actor(group, slot).Motion() & 255; }

int GetActorPrevMotion(int group, int slot) { return Actor(group, slot).History(F::MotionHistory, 0) & 255; }

void SetActorMotionHigh(int group, int slot, int value) {
  int32_t& word = Actor(group, slot).Motion();
  word = (word & ~0xFF00) | value;
}

int GetActorMotionHigh(int group, int slot) { return Actor(group, slot).Motion() & 0xFF00; }

int GetActorState(int group, int slot) { return Actor(group, slot).State(); }

void SetActorStateByLetter(int group, int letter, int slot) {
  int32_t state = kActorSpawned;
  if (letter == 'A' || letter == 'a') state = kActorFree;
  if (letter == 'R' || letter == 'r') state = kActorActive;
  if (letter == 'Z' || letter == 'z') state = kActorGone;
  Actor(group, slot).State() = state;
}

int GetActorCentreX(int group, int slot) {
  const ActorBox box = Actor(group, slot).BodyBox();
  return box.left + (box.right - box.left) / 2;
}

int GetActorPosY(int group, int slot) { return Actor(group, slot).PosY(); }

void ClearActorMapHits(int group, int slot) { Actor(group, slot).MapHits() &= ~0x3F; }

int IsActorEnding(int group, int slot) { return Actor(group, slot).State() == kActorEnding ? 1 : 0; }

void SetActorAnimGuarded(int guard, int group, int value, int slot) {
  if (guard != 0 && IsActorEnding(group, slot)) return;
  Actor(group, slot).AnimCursor() = value;
}

void SetActorMotionGuarded(int guard, int group, int slot, int motion) {
  if (guard != 0 && IsActorEnding(group, slot)) return;
  SetActorMotion(group, slot, motion);
}

// ---- timers -----------------------------------------------------------------------------------

namespace {

struct TimerRef {
  int32_t& count;
  int32_t& limit;
  int32_t& running;
};

TimerRef TimerOf(int group, int slot, int timer) {
  // A timer number outside 0..7 would reach into the next slot's timers: it means the nearest.
  const int t = std::clamp(timer, 0, kTimerCount - 1);
  int32_t* v = Actor(group, slot).Timers();
  return TimerRef{v[t], v[kTimerCount + t], v[2 * kTimerCount + t]};
}

constexpr int32_t kTimerStartLimit = 1024;

}  // namespace

void ResetActorTimers(int group, int slot) {
  for (int t = 0; t < kTimerCount; ++t) {
    const TimerRef timer = TimerOf(group, slot, t);
    timer.count = 0;
    timer.limit = kTimerStartLimit;
    timer.running = 0;
  }
}

void SetActorTimerLimit(int group, int slot, int timer, int limit) { TimerOf(group, slot, timer).limit = limit; }

void StartActorTimer(int group, int slot, int timer) { TimerOf(group, slot, timer).running = 1; }

void StopActorTimer(int group, int slot, int timer) { TimerOf(group, slot, timer).running = 0; }

void ZeroActorTimer(int group, int slot, int timer) { TimerOf(group, slot, timer).count = 0; }

void TickActorTimers(int group, int slot) {
  for (int t = 0; t < kTimerCount; ++t) {
    const TimerRef timer = TimerOf(group, slot, t);
    if (timer.running != 1) continue;
    if (timer.count > timer.limit) {
      timer.count = 0;
    } else {
      ++timer.count;
    }
  }
}

int GetActorTimer(int group, int slot, int timer) { return TimerOf(group, slot, timer).count; }

void SetActorTimer(int group, int slot, int timer, int count) { TimerOf(group, slot, timer).count = count; }

// ---- the mode word ----------------------------------------------------------------------------

namespace {

// The bits of ModeBits that a letter addresses; 0 for a letter that names none.
int32_t ModeMask(int letter) {
  switch (letter) {
    case 't':
      return 0x0000000F;
    case 'a':
      return 0x000000F0;
    case 'A':
      return 0x00000F00;
    case 'o':
      return 0x0FFFF000;
    default:
      return 0;
  }
}

}  // namespace

void SetActorModeBits(int group, int slot, int value, int letter) {
  const int32_t mask = ModeMask(letter);
  if (mask == 0) return;
  int32_t& word = Actor(group, slot).ModeBits();
  word = (word & ~mask) | value;
}

int GetActorModeBits(int group, int slot, int letter) { return Actor(group, slot).ModeBits() & ModeMask(letter); }
