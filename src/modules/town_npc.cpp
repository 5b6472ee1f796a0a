// The steps the town NPCs share: their will (the walk switch and chance turns), the walk on the
// ground and the fall, the talk box, the move against the map and the drawing of a walker with
// a head.
#include "modules/town_npc.h"

#include "actors/map_probes.h"
#include "modules/module_kit.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "world/draw_queue.h"

namespace {

constexpr int kDrawLayer = 1;
constexpr int32_t kMaxNpcFall = 10;  // the fall speed stops growing here

int32_t RightBit() { return static_cast<int32_t>(ButtonBits[kButtonRight]); }
int32_t LeftBit() { return static_cast<int32_t>(ButtonBits[kButtonLeft]); }

}  // namespace

int32_t NpcPattern(std::span<const int32_t> walk, int cursor) { return PatternEntry(walk, cursor); }

// ---- the update -------------------------------------------------------------------------------

bool StepNpcWill(const Actor& a) {
  a.StepX() = a.StepY() = 0;
  if (a.State() == kActorSpawned) {
    a.AnimCursor() = 0;
    a.Motion() = 1;
    a.ModeBits() = 0;
    a.HomeX() = a.PosX();
    a.HomeY() = a.PosY();
    a.State() = kActorActive;
  }
  if (a.State() != kActorActive) return true;
  if (a.Control() == kControlFrozen) return false;
  if (a.Control() != kControlSelf) return true;
  a.Input() = 0;
  if (Random(200) == 1) {
    if (a.ModeBits() == 0) {
      a.ModeBits() = 1;
    } else {
      a.ModeBits() = 0;
      a.AnimCursor() = 0;
    }
  }
  if (Random(100) == 1) a.FaceX() = -a.FaceX();
  if (a.ModeBits() == 1) {
    a.Input() |= a.FaceX() != 1 ? LeftBit() : RightBit();
  } else {
    a.AnimCursor() = 0;
  }
  return true;
}

int WalkNpc(const Actor& a, const NpcWalkRules& rules) {
  a.VelX() = a.VelY() = 0;
  int way = 0;
  if ((a.Input() & RightBit()) != 0) {
    way = 1;
  } else if ((a.Input() & LeftBit()) != 0) {
    way = -1;
  }
  if (way == 0) return 0;
  if (rules.faces_by_bit) a.FaceX() = way;
  const bool bounded = !rules.range_only_while_free || Actor(a.group, 0).Control() == kControlSelf;
  const int64_t from_home = int64_t{a.PosX()} - a.HomeX();
  const bool beyond = way == 1 ? from_home > kNpcRange : from_home < -kNpcRange;
  if (bounded && beyond) {
    // It stands there, facing on, until it turns by chance or its switch goes off.
    a.StepX() = a.VelX() = 0;
    a.AnimCursor() = 0;
  } else {
    a.StepX() = kNpcSpeed * way;
    a.AnimCursor() += 1;
  }
  return way;
}

void FallNpc(const Actor& a) {
  a.StepY() = a.VelY() < kMaxNpcFall ? 1 : 0;
  a.VelX() = 0;
}

void RewindNpcWalk(const Actor& a, std::span<const int32_t> walk) {
  if (NpcPattern(walk, a.AnimCursor()) == -1) a.AnimCursor() = 0;
}

void SetNpcTalkBox(const Actor& a, int height) {
  const ActorBox box = a.BodyBox();
  box.left = a.PosX() + kNpcBoxLeft + a.StepX() + a.VelX();
  box.right = box.left + kNpcBoxWidth;
  box.top = a.PosY() + a.StepY() + a.VelY();
  box.bottom = box.top + height;
}

void UpdateTownWalkers(int group, std::span<const int32_t> walk, const NpcWalkRules& rules) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(group, slot);
    if (a.State() == kActorFree) continue;
    if (!StepNpcWill(a)) continue;
    switch (a.Motion()) {
      case 1:
        if (WalkNpc(a, rules) == 0) a.AnimCursor() = 0;
        break;
      case 3:
        FallNpc(a);
        break;
      default:
        break;
    }
    RewindNpcWalk(a, walk);
    SetNpcTalkBox(a, kNpcBoxHeight);
  }
}

// ---- the move ---------------------------------------------------------------------------------

void MoveTownNpcs(int group, std::span<const int32_t> walk, int height) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(group, slot);
    if (a.State() == kActorFree || a.Control() == kControlFrozen) continue;
    const int x = a.PosX() + kNpcBoxLeft, y = a.PosY();
    const auto dx = [&] { return a.StepX() + a.VelX(); };
    const auto dy = [&] { return a.StepY() + a.VelY(); };

    const int floor = ProbeFloor(x, dx(), kNpcBoxWidth, y, dy(), height);
    if (floor != kProbeFree) {
      if (floor != a.StepY()) a.Motion() = 1;  // landed
      a.StepY() = floor;
      a.VelY() = 0;
    } else {
      a.Motion() = 3;
      a.AnimCursor() = 0;
    }
    // Walls stop it where it stands, whichever way it was going; it does not turn.
    const auto stop_at = [&](int wall) {
      if (wall == kProbeFree) return;
      a.StepX() = wall;
      a.VelX() = 0;
      a.AnimCursor() = 0;
    };
    stop_at(ProbeWallLeft(x, dx(), kNpcBoxWidth, y, dy(), height));
    stop_at(ProbeWallRight(x, dx(), kNpcBoxWidth, y, dy(), height));
    RewindNpcWalk(a, walk);

    const ActorBox box = a.BodyBox();
    box.left = x + dx();
    box.top = y + dy();
    box.right = box.left + kNpcBoxWidth;
    box.bottom = box.top + height;
    MoveByVelocity(a);
    RecordHistories(a);
  }
}

// ---- the draw ---------------------------------------------------------------------------------

void PushNpcCells(int x, int y, int columns, int rows, int first) {
  for (int i = 0; i < columns; ++i)
    for (int j = 0; j < rows; ++j) PushCell(kDrawLayer, 1, kWorldCoords, x + 16 * i, y + 16 * j, first + i + 40 * j);
}

void DrawTownWalkers(int group, std::span<const int32_t> walk, const NpcLook& look) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(group, slot);
    if (a.State() == kActorFree) continue;
    const int p = NpcPattern(walk, a.AnimCursor());
    if (p < 0) continue;
    const int left = a.FaceX() == -1 ? 1 : 0;
    const int drop = look.head_bob.empty() ? look.head_drop : TableEntry(look.head_bob, p);
    PushNpcCells(a.PosX(), a.PosY() + drop, 2, 2, look.head_cell + 80 * left);
    PushNpcCells(a.PosX(), a.PosY() + 12, 2, 4, look.body_cell + 2 * p + 160 * left);
  }
}
