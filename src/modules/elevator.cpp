// Elevator (group 72): a cabin on a cable that the heroine drives. Standing on its platform wholly
// inside the cabin's width, she holds down or up and it speeds up by 2 pixels a frame to 8 along
// its shaft until the map stops it; letting go stops it at once. While it runs freely it hums
// (sound 18) and shows her in the door pose. The picture is a white cable from the rock above,
// a lamp (green while she is inside, else red, pulsing), the dark cabin, and the platform and
// roof cells in front of her. It is the first module the draw pass calls, so its rectangles lie
// under every other actor.
#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "actors/map_probes.h"
#include "audio/sound_slots.h"
#include "modules/mechanism.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {
constexpr int kGroup = 72;
constexpr int kBaseCell = 3600;
constexpr int kRoofCell = 4557;
constexpr int kSoundRunning = 18;
constexpr int kTopSpeed = 8;
constexpr int kCabinHeight = 96;  // from the roof's top to the platform's top
constexpr uint32_t kCable = 0xFFFFFF;
constexpr uint32_t kCabin = 0x220000;
constexpr int32_t kHeroineInside = 1;  // ModeBits

int32_t Bit(int button) { return static_cast<int32_t>(ButtonBits[button]); }
}  // namespace

int GetElevatorPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<40>({{0, {0}}, {10, {0}}});
  return PatternAt(MoviePtn, cursor, 1);
}

int GetElevatorCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {997}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetElevatorSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {3}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {1}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

// The body is the platform; the cabin above it is only drawn.
int GetElevatorHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({});
  static constexpr auto VyP = ValueTable<20>({});
  static constexpr auto Vxs = ValueTable<20>({{0, {48}}});
  static constexpr auto Vys = ValueTable<20>({{0, {16}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit =
    MechanismKit(kGroup, GetElevatorPattern, GetElevatorCell, GetElevatorSize, GetElevatorHitRect);

bool HeroineDying() { return Actor(kHeroineGroup, 0).State() == kActorEnding; }

// She steers it while she rides it with her body strictly inside the cabin's width: it takes
// her pad as its own and its lamp turns green.
void TakeHerPad(const Actor& a) {
  const Actor h(kHeroineGroup, 0);
  const int width = GetElevatorHitRect(a.AnimCursor(), kHitWidth);  // its cursor stays 0: 48
  if (a.Ridden() == 1 && a.PosX() < h.BodyBox().left && a.PosX() + width > h.BodyBox().right) {
    a.ModeBits() = kHeroineInside;
    a.Input() = h.Input();
  } else {
    a.ModeBits() = 0;
  }
}

// A probe's answer for a move of this frame's speed: the map stops it at the answer's distance,
// and she stands again; a free way hums, keeps her on the platform and speeds it up.
void RunTowards(const Actor& a, int r, int accelerate) {
  const Actor h(kHeroineGroup, 0);
  if (r != kProbeFree) {
    a.StepY() = r;
    if (!HeroineDying() && h.AnimCursor() == kHeroineDoorAnim) {
      h.AnimCursor() = kHeroineStandAnim;
      SetActorMotion(kHeroineGroup, 0, kHeroineRiding);
    }
    return;
  }
  PlaySound(kSoundRunning);
  if (!HeroineDying()) SetActorMotion(kHeroineGroup, 0, kHeroineRiding);
  if (accelerate > 0 && a.StepY() < kTopSpeed) a.StepY() += 2;
  if (accelerate < 0 && a.StepY() >= -(kTopSpeed - 1)) a.StepY() -= 2;
}

// The probes look ahead by the speed of the frame before: a one-pixel column under the
// platform's middle, or a row 16 pixels wide just above the roof.
void RunElevator(const Actor& a) {
  const Actor h(kHeroineGroup, 0);
  if (HeroineDying()) {
    a.VelX() = a.VelY() = a.StepX() = a.StepY() = 0;
    return;
  }
  TakeHerPad(a);
  const bool down = a.Input() == Bit(kButtonDown);
  const bool up = a.Input() == Bit(kButtonUp);
  if (down || up) {
    if (a.Ridden() == 1) h.AnimCursor() = kHeroineDoorAnim;
    if (down) {
      RunTowards(a, ProbeFloor(a.PosX() + 24, a.StepX(), 1, a.PosY(), a.StepY(), 16), 1);
    } else {
      RunTowards(a, ProbeCeiling(a.PosX() + 24, a.StepX(), 16, a.PosY() - 97, a.StepY()), -1);
    }
    return;
  }
  // Let go: it stops, and she stands on it with her pad's history forgotten.
  a.StepY() = 0;
  if (a.Ridden() == 1) {
    if (h.AnimCursor() == kHeroineDoorAnim) h.AnimCursor() = kHeroineStandAnim;
    h.Motion() &= 0xFFFF;
    ClearActorInputHistory(kHeroineGroup, 0);
  }
}

// Its speed is StepY, kept from frame to frame.
constexpr MechanismRules kRules{
    .stats = {.life = 1, .collision_kind = 128}, .behave = RunElevator, .clears_step_y = false};

// A white line from just below the first solid tile above the cabin (or the world's top) down to
// the bottom of the roof's row.
void DrawCable(const Actor& a) {
  const int cx = a.PosX() + 23;
  const int r0 = (a.PosY() - kCabinHeight) / 16 * 16;
  int n = 0;
  int cy = r0;
  while (cy >= 0 && GetTile(cx, cy, kCollisionLayer) == 0) {
    ++n;
    cy = r0 - 16 * n;
  }
  PushFillRect(1, 1, kWorldCoords, cx, cy + 16, 1, 16 * n, kCable);
}

void DrawLampAndCabin(const Actor& a) {
  const int level = static_cast<int>(GetFrameCounter(0) * 10 % 256);
  const uint32_t lamp = a.ModeBits() == kHeroineInside ? static_cast<uint32_t>(level / 2 + level / 4) << 8
                                                       : static_cast<uint32_t>(level) << 16;
  PushFillRect(1, 1, kWorldCoords, a.PosX() + 16, a.PosY() - kCabinHeight, 16, 16, lamp);
  PushFillRect(1, 1, kWorldCoords, a.PosX(), a.PosY() - 80, 48, 96, kCabin);
}

}  // namespace

void UpdateElevator() { UpdateMechanisms(kKit, kRules); }

void CollideElevator() { CollideHeroineWithSolids(kGroup); }

void MoveElevator() { MoveMechanisms(kKit); }

void DrawElevator() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    const int visible = MechanismVisibility(a);
    if (visible < 0) continue;
    DrawCable(a);
    DrawLampAndCabin(a);
    const int pattern = GetElevatorPattern(a.AnimCursor());
    const int columns = GetElevatorSize(pattern, 0);
    const int platform = GetElevatorCell(pattern, 0);
    for (int i = 0; i < columns; ++i) {
      PushCell(2, visible, kWorldCoords, a.PosX() + 16 * i, a.PosY(), platform + i);
      PushCell(2, visible, kWorldCoords, a.PosX() + 16 * i, a.PosY() - kCabinHeight, kRoofCell + i);
    }
  }
}
