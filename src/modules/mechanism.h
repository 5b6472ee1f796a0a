// The mechanism life cycle: what the solid mechanisms (the lifts, the block lift, the coin blocks,
// the elevator and the weights) share beyond the module kit. A mechanism is initialised once
// (State 1: random facings from a freshly seeded generator, its own set-up, its stats), stands
// active in State 3, where its control step and its own behaviour run, and, if something breaks
// it, plays its breaking sequence (State 4), stays away for 255 frames (State 16) and comes back
// where it stood, whatever the heroine's position. While it is away it is hidden, and it blinks
// through the last 38 frames before it returns.
//
// A module describes its own steps as MechanismRules and calls UpdateMechanisms from its Update
// routine; MoveMechanisms is the template's move without the map probes; MechanismVisibility
// tells its Draw routine whether and how a slot is drawn.
#pragma once

#include <cstdint>

#include "actors/actor_table.h"
#include "modules/module_kit.h"

// What State 1 sets beyond the start values: MaxLife and Life, and the CollisionKind. A
// mechanism pays no experience and no money and has no attack or defence.
struct MechanismStats {
  int32_t life;
  int32_t collision_kind;
};

// A mechanism module's kit: one tick an animation entry, sizes asked by axis numbers 0 and 1, the
// short HitBox (its body only).
constexpr ModuleKit MechanismKit(int group, int (*pattern)(int cursor), int (*cell)(int pattern, int facing),
                                 int (*size)(int pattern, int axis), int (*hit_rect)(int pattern, int which)) {
  return {group, 1, pattern, cell, size, kAxisNumbers, hit_rect, HitBoxForm::Short};
}

// FaceX := -1 when Random (2) is not 0, else +1; FaceY the same by a second draw.
void FaceRandomly(const Actor& a);

struct MechanismRules {
  MechanismStats stats;
  // The facings of State 1, drawn after the generator was seeded from the clock.
  void (*facings)(const Actor& a) = FaceRandomly;
  // The module's own set-up in State 1 (map tiles, start values); may be null.
  void (*setup)(const Actor& a) = nullptr;
  // The module's own input rule in the control step of a self-driven slot (Control 0), after
  // Input := 0; may be null.
  void (*input)(const Actor& a) = nullptr;
  // The module's own behaviour in State 3 while Motion is 0, 3 or 7; may be null.
  void (*behave)(const Actor& a) = nullptr;
  // StepY is cleared at the top of each slot's frame (the elevator keeps it: it is its speed).
  bool clears_step_y = true;
  // VelX and VelY are cleared before the behaviour (the weights keep VelY: it is their fall).
  bool clears_velocity = true;
  // States 4 and 16 break and bring back the slot; without them those states only update the box.
  bool breaks = true;
};

// The Update of a mechanism module over all its slots.
void UpdateMechanisms(const ModuleKit& kit, const MechanismRules& rules);

// A slot the move takes: active or held (Control 1), and not frozen.
bool MechanismMoves(const Actor& a);

// The Move of a mechanism module: every slot that is active or held (Control 1), unless it is
// frozen, moves by its velocity grown by its step, with no map probes, and records its histories.
void MoveMechanisms(const ModuleKit& kit);

// How the draw shows a slot: -1 not at all (free, just spawned, or away for 40 frames or more
// yet), 0 blinking (away, returning soon), 1 steady.
int MechanismVisibility(const Actor& a);
