// Sliding door (group 90, SlidingDoor): a shutter one cell wide and six tall that slides up out
// of the way while the heroine stands near it and back down when she leaves. It is solid while
// it stands in her way: the heroine-against-solids routine stops her at its slab.
//
// A door may be locked by a scenario flag: while its Link names a flag of bank 1 that is 0, the
// door neither moves nor sounds and keeps its wish (ModeBits 1 open, 2 closed) and its height,
// so a door locked while open stays open. Link 0 never locks. The wish follows her foot box in
// the trigger zone, 64 pixels either side of the door and as tall as it; every change of wish
// from shut to open or back plays sound 25, also halfway, and the door moves 8 pixels a frame
// towards its wish: 12 frames from shut to 96 pixels up.
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/heroine.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/input.h"
#include "world/draw_queue.h"
#include "world/flags.h"

namespace {
constexpr int kGroup = 90;
constexpr int kTicks = 2;
constexpr int kBaseCell = 2400;  // sprite sheet 2
constexpr int kLayer = 1;
constexpr int32_t kWishOpen = 1;  // ModeBits
constexpr int32_t kWishShut = 2;
constexpr int kTravel = 96;  // how far it rises above its home
constexpr int kSpeed = 8;
constexpr int kZoneReach = 64;  // the zone's reach either side of the door's 16 pixels
constexpr int kSoundDoor = 25;
constexpr int kFlagBank = 1;
}  // namespace

int GetSlidingDoorPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<80>({{10, {0}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

void AdvanceSlidingDoorAnim(int32_t& cursor, int mode) { AdvanceStepBack(GetSlidingDoorPattern, cursor, mode); }

int GetSlidingDoorCell(int pattern, int facing) {
  // The top piece; the middle one lies a sheet row below it, the bottom one three rows below.
  static constexpr auto SPPtn_R = BuildTable<29>(-1, {{0, {1040, -2}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetSlidingDoorSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {1}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {6}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetSlidingDoorHitRect(int pattern, int which) {
  // An 8-pixel slab in the middle of the door, as tall as it.
  static constexpr auto VxP = ValueTable<20>({{0, {4}}});
  static constexpr auto VyP = ValueTable<20>({{0, {0}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {8}}});
  static constexpr auto Vys = ValueTable<20>({{0, {96}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetSlidingDoorPattern,
    .cell = GetSlidingDoorCell,
    .size = GetSlidingDoorSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetSlidingDoorHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kStats{
    .life = 5, .exp = 5, .money = 1, .collision_kind = 128, .attack = 5, .defense = 0, .mode_bits = kWishShut};

bool Locked(const Actor& door) { return door.Link() != 0 && GetFlag(kFlagBank, door.Link()) == 0; }

// Her foot box in the zone: from 64 pixels left of the door's home to 64 right of its width, from
// its home down as tall as the door. A box that only touches the zone is outside.
bool HeroineInZone(const Actor& door) {
  const ActorBox foot = Actor(kHeroineGroup, 0).SpriteBox();
  return BoxesOverlapLTRB(door.HomeX() - kZoneReach, door.HomeY(), door.HomeX() + 16 + kZoneReach,
                          door.HomeY() + kTravel, foot.left, foot.top, foot.right, foot.bottom) != 0;
}

// Only a change between the two wishes sounds; a wish word that holds neither takes the new one
// silently.
void FollowWish(const Actor& door, int32_t wish) {
  const int32_t was = door.ModeBits();
  if ((was == kWishShut && wish == kWishOpen) || (was == kWishOpen && wish == kWishShut)) PlaySound(kSoundDoor);
  door.ModeBits() = wish;
}

void Slide(const Actor& door) {
  const int32_t input = door.Input();
  if (input == static_cast<int32_t>(ButtonBits[kButtonUp]) || door.ModeBits() == kWishOpen) {
    door.StepY() = door.PosY() <= door.HomeY() - kTravel ? 0 : -kSpeed;
  } else if (input == static_cast<int32_t>(ButtonBits[kButtonDown]) || door.ModeBits() == kWishShut) {
    door.StepY() = door.PosY() >= door.HomeY() ? 0 : kSpeed;
  }
}

}  // namespace

void UpdateSlidingDoor() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor door(kGroup, slot);
    if (door.State() == kActorFree) continue;
    if (!UpdateFixtureSlot(kKit, slot, kStats) || door.Motion() != 0) continue;
    if (Locked(door)) continue;
    FollowWish(door, HeroineInZone(door) ? kWishOpen : kWishShut);
    Slide(door);
  }
}

void CollideSlidingDoor() { CollideHeroineWithSolids(kGroup); }

void MoveSlidingDoor() { MoveFixtures(kKit); }

void DrawSlidingDoor() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor door(kGroup, slot);
    if (door.State() == kActorFree || door.State() == kActorGone) continue;
    const int p = GetSlidingDoorPattern(door.AnimCursor());
    const int visible = door.HitTimer() < 1 ? 1 : 0;
    const int columns = GetSlidingDoorSize(p, 0), rows = GetSlidingDoorSize(p, 1);
    if (rows > 0) {
      // The top piece, the middle piece on every row between, the bottom piece.
      const int x = door.PosX(), y = door.PosY();
      PushCell(kLayer, visible, kWorldCoords, x, y, GetSlidingDoorCell(p, -1));
      for (int i = 0; i < columns; ++i)
        for (int j = 1; j <= rows - 2; ++j)
          PushCell(kLayer, visible, kWorldCoords, x + 16 * i, y + 16 * j, GetSlidingDoorCell(p, 0) + 40);
      PushCell(kLayer, visible, kWorldCoords, x, y + 16 * (rows - 1), GetSlidingDoorCell(p, -1) + 120);
    }
    if (SubMode != kSubPauseMenu) AdvanceSlidingDoorAnim(door.AnimCursor(), 'r');
  }
}
