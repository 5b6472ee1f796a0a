// The effect sprite's two passes over the slots of a group: group 116's free-standing effects,
// and the chain boss's shots (group 38), which are effect sprites that hurt the heroine.
#pragma once

#include <cstdint>

struct EffectSpriteGroup {
  int group;
  int32_t collision_kind;  // the kind a new slot takes; kKeepCollisionKind leaves it as it is
  bool halts_in_pause;     // the sprites neither animate nor move while the pause menu is open
};
constexpr int32_t kKeepCollisionKind = -1;

// The first pass: a new slot starts its animation and becomes active; an active one counts its
// life down, blinks its last 128 frames and then frees its slot; every slot's boxes cover its
// cells.
void UpdateEffectSprites(const EffectSpriteGroup& sprites);
// The draw pass: the cells of the animation frame, then the animation's step and the move.
void DrawEffectSprites(const EffectSpriteGroup& sprites);
