// Treasure chest (group 113, TreasureChest): the picture of a chest, shut while its scenario
// flag (bank 1, number Link) is 0 and open from the first update after it is set. Opening it and
// giving what it holds are the map's field events, which set the flag; the chest only shows it.
// Nothing shuts it again, so an opened chest stays open for the scene; a new scene spawns it shut
// or open by its flag. A chest whose Link is 0 reads flag 0, which nothing sets.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "world/flags.h"

namespace {
constexpr int kGroup = 113;
constexpr int kTicks = 1;
constexpr int kLayer = 1;
constexpr int kShut = 10;  // the two sequences
constexpr int kOpen = 20;
constexpr int kFlagBank = 1;
}  // namespace

int GetTreasureChestPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<40>({{kShut, {0}}, {kOpen, {1}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

int GetTreasureChestCell(int pattern, int facing) {
  // Sheet 0: no base cell.
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {1070, 1073}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common);
}

int GetTreasureChestSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {3, 3}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {2, 2}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetTreasureChestHitRect(int pattern, int which) {
  // Only the shut chest has a body; the open one's is empty.
  static constexpr auto VxP = ValueTable<20>({{0, {0}}});
  static constexpr auto VyP = ValueTable<20>({{0, {0}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {48}}});
  static constexpr auto Vys = ValueTable<20>({{0, {32}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetTreasureChestPattern,
    .cell = GetTreasureChestCell,
    .size = GetTreasureChestSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetTreasureChestHitRect,
    .hit_box = HitBoxForm::Short,
};

}  // namespace

void UpdateTreasureChestHitBox(int slot) { ApplyHitBox(kKit, slot); }

void UpdateTreasureChest() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor chest(kGroup, slot);
    if (chest.State() == kActorFree) continue;
    chest.StepX() = chest.StepY() = 0;
    if (chest.State() == kActorSpawned) {
      chest.AnimCursor() = kShut;
      chest.Motion() = 0;
      chest.FaceX() = 1;
      chest.State() = kActorActive;
      chest.HomeX() = chest.PosX();
      chest.HomeY() = chest.PosY();
    }
    if (chest.State() == kActorActive) {
      chest.Input() = 0;
      if (chest.Motion() == 0 && GetFlag(kFlagBank, chest.Link()) != 0) chest.AnimCursor() = kOpen;
    }
    UpdateTreasureChestHitBox(slot);
  }
}

void DrawTreasureChest() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor chest(kGroup, slot);
    if (chest.State() == kActorFree) continue;
    PushPatternCells(kKit, slot, GetTreasureChestPattern(chest.AnimCursor()), chest.FaceX(), kLayer, 1);
  }
}
