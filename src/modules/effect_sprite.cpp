// Effect sprite (group 116): a free-standing animated picture whose whole look and life the
// spawner gives (SpawnEffectActor14): the aura a spell draws over the heroine, the flame an
// enemy carries. The module counts its life down, animates, moves and draws it. It moves in the
// draw pass, so it keeps drifting by its step (and, when it follows the heroine, by her last
// move) while the world is paused.
//
// Fields as the spawner sets them: FaceX, FaceY the size in cells; StepX, StepY the move a
// frame; ExpReward the number of animation frames; MoneyReward 1 loops, -1 stops on the last
// frame; Param25 ticks a frame; MaxLife the life in frames (-255 lives until its owner frees
// it); Param24 1 steady, -1 blinking; Life 1 follows the heroine; DefenseValue the first cell of
// frame 0. Frame k of a w x h sprite lies k x w cells on from frame 0.
//
// The chain boss's shots (group 38, boss_shot.cpp) are effect sprites too, run by the same passes.
#include "modules/effect_sprite.h"

#include <cstdint>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "modules/modules.h"
#include "world/draw_queue.h"

namespace {

constexpr EffectSpriteGroup kEffects{.group = 116, .collision_kind = kKeepCollisionKind, .halts_in_pause = false};
constexpr int kLayer = 3;
constexpr int32_t kImmortal = -255;
constexpr int32_t kClosingBlink = 128;

// Ticks an animation frame. The spawners pass 1 or more; a smaller value would divide by zero
// or run the animation backwards, so it counts as 1.
int32_t TicksPerFrame(const Actor& a) { return a.Param25() < 1 ? 1 : a.Param25(); }

void CountDownLife(const Actor& a) {
  if (a.Motion() != 0 || a.MaxLife() == kImmortal) return;
  if (a.MaxLife() > 0) {
    a.MaxLife() -= 1;
  } else if (a.Param24() != -1) {
    // A steady sprite blinks a while before it goes.
    a.Param24() = -1;
    a.MaxLife() = kClosingBlink;
  } else {
    a.State() = kActorFree;
  }
}

}  // namespace

void UpdateEffectSprites(const EffectSpriteGroup& sprites) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(sprites.group, slot);
    if (a.State() == kActorFree) continue;
    if (a.State() == kActorSpawned) {
      a.AnimCursor() = a.Motion() = a.ModeBits() = 0;
      a.State() = kActorActive;
      if (sprites.collision_kind != kKeepCollisionKind) a.CollisionKind() = sprites.collision_kind;
    }
    if (a.State() == kActorActive) {
      a.Input() = 0;
      CountDownLife(a);
    }
    const ActorBox sprite = a.SpriteBox(), body = a.BodyBox();
    sprite.left = body.left = a.PosX();
    sprite.top = body.top = a.PosY();
    sprite.right = body.right = a.PosX() + 16 * a.FaceX();
    sprite.bottom = body.bottom = a.PosY() + 16 * a.FaceY();
  }
}

void DrawEffectSprites(const EffectSpriteGroup& sprites) {
  const Actor hero(kHeroineGroup, 0);
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(sprites.group, slot);
    if (a.State() == kActorFree) continue;
    const int w = a.FaceX(), h = a.FaceY();
    const int32_t ticks = TicksPerFrame(a);
    const int first = a.DefenseValue() + (a.AnimCursor() / ticks) * w;
    const int visible = a.Param24() == 1 ? 1 : 0;
    for (int i = 0; i < w; ++i) {
      for (int j = 0; j < h; ++j) {
        PushCell(kLayer, visible, kWorldCoords, a.PosX() + 16 * i, a.PosY() + 16 * j, first + i + 40 * j);
      }
    }
    if (sprites.halts_in_pause && SubMode == kSubPauseMenu) continue;
    // The last frame shows for one tick before a loop starts again; without a loop it stays.
    if (int64_t{a.AnimCursor()} < int64_t{a.ExpReward()} * ticks) {
      a.AnimCursor() += 1;
    } else if (a.MoneyReward() == 1) {
      a.AnimCursor() = 0;
    }
    a.PosX() += a.StepX();
    a.PosY() += a.StepY();
    if (a.Life() == 1) {
      a.PosX() += hero.StepX() + hero.VelX();
      a.PosY() += hero.StepY() + hero.VelY();
    }
  }
}

void UpdateEffectSprite() { UpdateEffectSprites(kEffects); }
void DrawEffectSprite() { DrawEffectSprites(kEffects); }
