// Flag-driven warning light (group 91, FlagLight): a one-cell lamp that stays dark while its
// scenario flag (bank 1, number Link) is 0 and then turns like a beacon: 13 pictures, two frames
// each, a cycle of 26 frames, with beams of one to five cells blinking about it. In the one
// picture where the beam points straight out the whole screen flashes red, once a cycle on an
// odd frame, while the heroine is within 320 pixels (measured between the two top-left corners).
// The cycle stops where it stands when the flag is cleared again. The lamp neither moves nor
// meets anything.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/utils.h"
#include "world/draw_queue.h"
#include "world/flags.h"

namespace {
constexpr int kGroup = 91;
constexpr int kTicks = 2;
constexpr int kBaseCell = 2400;  // sprite sheet 2
constexpr int kLampLayer = 1;
constexpr int kBeamLayer = 3;
constexpr int kFlagBank = 1;
constexpr int kFlashReach = 320;
constexpr uint32_t kFlashColour = 0xFF0000;
}  // namespace

int GetFlagLightPattern(int cursor) {
  // Pattern 7 is the dark lamp, where the cycle begins; pattern 0 faces out.
  static constexpr auto MoviePtn = MovieTable<80>({{10, {7, 3, 2, 0, 1, 2, 3, 7, 6, 5, 4, 5, 6}}});
  return PatternAt(MoviePtn, cursor, kTicks);
}

void AdvanceFlagLightAnim(int32_t& cursor, int mode) { AdvanceStepBack(GetFlagLightPattern, cursor, mode); }

int GetFlagLightCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetFlagLightSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {1, 1, 1, 1, 1, 1, 1, 1}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetFlagLightHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {0, 0, 0, 0, 0, 0, 0, 0}}});
  static constexpr auto VyP = VxP;
  static constexpr auto Vxs = ValueTable<20>({{0, {16, 16, 16, 16, 16, 16, 16, 16}}});
  static constexpr auto Vys = Vxs;
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetFlagLightPattern,
    .cell = GetFlagLightCell,
    .size = GetFlagLightSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetFlagLightHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyStats kStats{.life = 5, .exp = 5, .money = 1, .collision_kind = 128, .attack = 5, .defense = 0};

// The beam of a pattern: its cells at x offsets from the lamp, on the lamp's row. Patterns 4 to 7
// show the lamp's back and have none.
struct BeamCell {
  int cell, dx;
};
struct Beam {
  int count;
  BeamCell cells[5];
};
constexpr Beam kBeams[4] = {
    {1, {{3486, 0}}},
    {2, {{3526, -4}, {3527, 12}}},
    {3, {{3566, -16}, {3567, 0}, {3568, 16}}},
    {5, {{3487, -32}, {3488, -16}, {3489, 0}, {3490, 16}, {3491, 32}}},
};
constexpr int kFacingOut = 0;  // the pattern that flashes the screen

void DrawBeam(const Actor& lamp, int pattern) {
  if (pattern < 0 || pattern >= 4) return;
  if (pattern == kFacingOut) {
    const Actor hero(kHeroineGroup, 0);
    if (Distance(lamp.PosX(), lamp.PosY(), hero.PosX(), hero.PosY()) < kFlashReach)
      PushFillRect(kBeamLayer, 0, kScreenCoords, 0, 0, 640, 480, kFlashColour);
  }
  const Beam& beam = kBeams[pattern];
  for (int k = 0; k < beam.count; ++k)
    PushCell(kBeamLayer, 0, kWorldCoords, lamp.PosX() + beam.cells[k].dx, lamp.PosY(), beam.cells[k].cell);
}

}  // namespace

void UpdateFlagLight() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor lamp(kGroup, slot);
    if (lamp.State() == kActorFree) continue;
    if (lamp.State() == kActorActive && GetFlag(kFlagBank, lamp.Link()) != 0)
      AdvanceFlagLightAnim(lamp.AnimCursor(), 'r');
    UpdateFixtureSlot(kKit, slot, kStats);
  }
}

// The lamp is intangible.
void CollideFlagLight() {}

void MoveFlagLight() { MoveFixtures(kKit); }

void DrawFlagLight() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor lamp(kGroup, slot);
    if (lamp.State() == kActorFree || lamp.State() == kActorGone) continue;
    const int p = GetFlagLightPattern(lamp.AnimCursor());
    PushPatternCells(kKit, slot, p, 0, kLampLayer, lamp.HitTimer() < 1 ? 1 : 0);
    DrawBeam(lamp, p);
  }
}
