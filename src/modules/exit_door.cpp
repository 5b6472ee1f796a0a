// Exit door (group 117, ExitDoor): a door picture two cells wide and five tall that plays its
// opening once, when an event sets its Link, and then stays open: eight pictures, two frames
// each, from cursor 20 to 35 in 15 updates; after that the cursor goes back and forth between 34
// and 35, both the open picture. It is neither solid nor hit; walking through the doorway is an
// event of the map. Only the update pass opens it, so the opening waits while the world is
// paused. Each door opens by its own Link alone: the event sets slot 0's.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"

namespace {
constexpr int kGroup = 117;
constexpr int kTicks = 2;
constexpr int kBaseCell = 2400;  // sprite sheet 2
constexpr int kLayer = 1;
}  // namespace

int GetExitDoorPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<80>({{10, {0, 1, 2, 3, 4, 5, 6, 7}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

// Any mode but 'r' steps back at the end: the open picture stays.
void AdvanceExitDoorAnim(int32_t& cursor, int mode) { AdvanceStepBack(GetExitDoorPattern, cursor, mode); }

int GetExitDoorCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {1024, 1026, 1028, 1030, 1032, 1034, 1036, 1038}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetExitDoorSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2, 2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {5, 5, 5, 5, 5, 5, 5, 5}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetExitDoorHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {0, 0, 0, 0, 0, 0, 0, 0}}});
  static constexpr auto VyP = ValueTable<20>({{0, {0, 0, 0, 0, 0, 0, 0, 0}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {32, 32, 32, 32, 32, 32, 32, 32}}});
  static constexpr auto Vys = ValueTable<20>({{0, {80, 80, 80, 80, 80, 80, 80, 80}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetExitDoorPattern,
    .cell = GetExitDoorCell,
    .size = GetExitDoorSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetExitDoorHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kStats{.life = 5, .exp = 5, .money = 1, .collision_kind = 128, .attack = 5, .defense = 0};

}  // namespace

void UpdateExitDoor() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor door(kGroup, slot);
    if (door.State() == kActorFree) continue;
    if (door.State() == kActorActive && door.Link() != 0) AdvanceExitDoorAnim(door.AnimCursor(), 0);
    UpdateFixtureSlot(kKit, slot, kStats);
  }
}

void DrawExitDoor() {
  DrawTemplateActors(kKit, {.layer = kLayer, .facing = DrawFacing::Zero, .advance = nullptr, .defeat_entry = -1});
}
