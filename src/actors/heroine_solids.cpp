// The heroine against solid actors: lifts, the elevator, the weights and the sliding door carry
// her, catch her when she lands on them, stop her head from below and push her back at their
// sides. A solid module calls one of these routines with its own group from its collide step in
// the second pass, after her ground check and RideCount := 0 and before her move: the routine
// corrects her step for this frame, counts her rides in RideCount (so that her move neither drops
// her onto the map floor nor lets her fall) and marks the ridden slot.
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"

namespace {

constexpr int kSoundHeadBump = 4;

// How a landing sets her step: one pixel above the actor, or that plus the speed she fell with
// (the falling weights, which move by their own rule).
enum class Landing { kAbove, kAboveWithFall };

struct Move {
  int dx, dy;
};

Move MoveOf(const Actor& a) { return {a.StepX() + a.VelX(), a.StepY() + a.VelY()}; }

// Only active slots, or slots a script holds, are solid.
bool TakesPart(const Actor& a) { return a.State() == kActorActive || a.Control() == kControlHeld; }

bool StandsOnSolid() {
  const int m = GetHeroineMotion(0);
  return m == kHeroineRiding || m == kHeroineRidingCrouched;
}

// Her foot box, with its top and bottom taken from the actor's body: in contact while the two
// meet side by side.
int SweepRide(const Actor& solid, int dx, int dy, int out[4]) {
  const ActorBox foot = Actor(kHeroineGroup, 0).SpriteBox();
  const ActorBox b = solid.BodyBox();
  const Move am = MoveOf(solid);
  return SweepBoxes(foot.left, b.top, foot.right, b.bottom, b.left, b.top, b.right, b.bottom, dx, dy, am.dx, am.dy,
                    out);
}

// Rides in progress: while she stands on a slot she ridden last frame and still meets it, the
// slot's move is added to hers; otherwise the ride ends. With `whole_move` her own move this
// frame counts in the test and the ride also stops her sideways speed.
void CarryHeroine(int group, bool whole_move) {
  const Actor h(kHeroineGroup, 0);
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor solid(group, s);
    if (!TakesPart(solid) || solid.Ridden() != 1) continue;
    int out[4] = {0, 0, 0, 0};
    const Move hm = MoveOf(h);
    if (SweepRide(solid, whole_move ? hm.dx : 0, hm.dy, out) == 0 || !StandsOnSolid()) {
      solid.Ridden() = 0;
      continue;
    }
    const Move am = MoveOf(solid);
    h.StepX() += am.dx;
    if (whole_move) h.VelX() = 0;
    h.VelY() = 0;
    h.StepY() += am.dy;
    RideCount += 1;
    if (!whole_move && h.AnimCursor() == kHeroineAirAnim) h.AnimCursor() = kHeroineStandAnim;
  }
}

int SweepFoot(const Actor& solid, Move hm, Move am, int out[4]) {
  const ActorBox a = Actor(kHeroineGroup, 0).SpriteBox();
  const ActorBox b = solid.BodyBox();
  out[0] = out[1] = out[2] = out[3] = 0;
  return SweepBoxes(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom, hm.dx, hm.dy, am.dx, am.dy,
                    out);
}

// An actor wholly above her feet: her rise stops under it and she falls.
void BumpHeroineHead(const Actor& solid) {
  const Actor h(kHeroineGroup, 0);
  int out[4];
  if (SweepFoot(solid, {0, MoveOf(h).dy}, {0, MoveOf(solid).dy}, out) == 0) return;
  h.VelY() = 0;
  h.StepY() = out[1] + 1;
  SetHeroineMotion(0, kHeroineFalling);
  PlaySound(kSoundHeadBump);
}

// An actor wholly below her feet: she lands a pixel above it and rides it from now on. Coming
// down from the air she stands; landing in the head-bump pose she keeps her motion.
void LandHeroine(const Actor& solid, Landing landing) {
  const Actor h(kHeroineGroup, 0);
  int out[4];
  if (SweepFoot(solid, MoveOf(h), MoveOf(solid), out) == 0) return;
  RideCount += 1;
  h.StepY() = out[1] - 1 + (landing == Landing::kAboveWithFall ? h.VelY() : 0);
  h.VelY() = 0;
  solid.Ridden() = 1;
  if (h.AnimCursor() == kHeroineAirAnim) {
    h.AnimCursor() = kHeroineStandAnim;
    SetHeroineMotion(0, kHeroineRiding);
  }
}

// An actor whose centre lies beyond her feet on one side pushes her back on that side.
void PushHeroineAside(const Actor& solid) {
  const Actor h(kHeroineGroup, 0);
  const ActorBox a = h.SpriteBox();
  const ActorBox b = solid.BodyBox();
  const int centre = b.right - (b.right - b.left) / 2;
  int out[4];
  if (centre > a.right + 1 && SweepFoot(solid, MoveOf(h), MoveOf(solid), out) != 0) {
    h.VelX() = 0;
    h.StepX() = out[0] - 1;
  } else if (centre < a.left - 1 && SweepFoot(solid, MoveOf(h), MoveOf(solid), out) != 0) {
    h.VelX() = 0;
    h.StepX() = out[0] + 1;
  }
}

void CollideHeroineFoot(int group, Landing landing) {
  if (Actor(kHeroineGroup, 0).State() == kActorEnding) return;
  CarryHeroine(group, false);
  const ActorBox a = Actor(kHeroineGroup, 0).SpriteBox();
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor solid(group, s);
    if (!TakesPart(solid) || solid.Ridden() == 1) continue;
    const ActorBox b = solid.BodyBox();
    if (b.bottom < a.top + 1) {
      BumpHeroineHead(solid);
    } else if (b.top > a.bottom - 1) {
      LandHeroine(solid, landing);
    }
    PushHeroineAside(solid);
  }
}

}  // namespace

void CollideHeroineWithSolids(int group) { CollideHeroineFoot(group, Landing::kAbove); }

void CollideHeroineWithSolidsAlt(int group) { CollideHeroineFoot(group, Landing::kAboveWithFall); }

void CollideHeroineWithSolidsSorted(int group) {
  const Actor h(kHeroineGroup, 0);
  if (h.State() == kActorEnding) return;
  CarryHeroine(group, true);
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor solid(group, s);
    if (!TakesPart(solid) || solid.Ridden() == 1) continue;
    const ActorBox a = h.BodyBox();
    const ActorBox b = solid.BodyBox();
    // Inside its core she is rising through it: it does not catch her.
    if (BoxesOverlapLTRB(a.left, a.top, a.right, a.bottom, b.left + 5, b.top + 5, b.right - 5, b.bottom - 5) != 0) {
      continue;
    }
    if (b.top < a.bottom) continue;  // only from above
    int out[4] = {0, 0, 0, 0};
    const Move hm = MoveOf(h), am = MoveOf(solid);
    if (SweepBoxesSorted(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom, hm.dx, hm.dy, am.dx,
                         am.dy, out) == 0) {
      continue;
    }
    h.VelY() = 0;
    h.StepY() = out[1] - 1;
    RideCount += 1;
    solid.Ridden() = 1;
    const int before = GetActorPrevMotion(kHeroineGroup, 0);
    if (before != kHeroineOnGround && before != kHeroineRiding) h.AnimCursor() = kHeroineStandAnim;
    SetHeroineMotion(0, kHeroineRiding);
  }
}
