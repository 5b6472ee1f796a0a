// Boss shots (group 38): the shots the chain boss fires while it circles. Each is an effect
// sprite (effect_sprite.cpp) whose slot takes collision kind 16, so the heroine's contact test
// hurts her with its attack while her own shots pass through it. It meets no wall and flies on
// until its life and its closing blink are over. It moves in the draw pass, so it keeps flying
// during a talk or an event that stops the world (its life does not run down then), but it
// stands still while the pause menu is open.
#include "modules/effect_sprite.h"
#include "modules/modules.h"

namespace {
constexpr EffectSpriteGroup kBossShots{.group = 38, .collision_kind = 16, .halts_in_pause = true};
}  // namespace

void UpdateBossShot() { UpdateEffectSprites(kBossShots); }
void DrawBossShot() { DrawEffectSprites(kBossShots); }
