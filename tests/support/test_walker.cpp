#include "support/test_walker.h"

#include "app/game_flow.h"
#include "actors/heroine.h"
#include "modules/module_kit.h"
#include "platform/counters.h"
#include "world/draw_queue.h"

namespace {
constexpr int kBaseCell = 3600;  // sprite sheet 3
}

int GetTestWalkerPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<50>({
      {10, {0, 0, 1, 1, 2, 2, 1, 1}},  // walk
      {30, {0, 1, 2, 1}},              // defeat
  });
  return PatternAt(MoviePtn, cursor, kTestWalkerTicks);
}

void AdvanceTestWalker(int32_t& cursor) { AdvanceLooping(GetTestWalkerPattern, cursor); }

int GetTestWalkerCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {7, 9, 11}}});
  static constexpr auto SPPtn_L = ValueTable<30>({{0, {7, 9, 11}}});
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetTestWalkerSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {2, 2, 2}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetTestWalkerHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({{0, {8, 8, 8}}});
  static constexpr auto VyP = ValueTable<20>({{0, {8, 8, 8}}});
  static constexpr auto Vxs = ValueTable<20>({{0, {16, 16, 16}}});
  static constexpr auto Vys = ValueTable<20>({{0, {24, 24, 24}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kTestWalkerGroup,
    .ticks = kTestWalkerTicks,
    .pattern = GetTestWalkerPattern,
    .cell = GetTestWalkerCell,
    .size = GetTestWalkerSize,
    .size_axes = kAxisNumbers,
    .hit_rect = GetTestWalkerHitRect,
    .hit_box = HitBoxForm::Short,
};

constexpr EnemyRules kRules{
    .stats = {.life = kTestWalkerLife, .exp = 1, .money = 1, .collision_kind = 0, .attack = 5, .defense = 0},
    .walks = true,
    .walk_range = kTestWalkerRange,
    .window = kWalkerWindow,
};

}  // namespace

void SetTestWalkerHitBox(int slot) { ApplyHitBox(kKit, slot); }

void UpdateTestWalker() { UpdateTemplateEnemies(kKit, kRules); }

void MoveTestWalker() { MoveTemplateActors(kKit); }

void DrawTestWalker() {
  DrawTemplateActors(kKit, {.layer = 1, .facing = DrawFacing::Zero, .advance = AdvanceTestWalker, .defeat_entry = 30});
}

void RunWalkerWorldFrame() {
  ClearDrawQueues();
  UpdateObjects();
  UpdateTestWalker();
  RunObjectPass2();
  CheckHeroineMapEvents();
  RunObjectPass3();
  MoveTestWalker();
  DrawObjects();
  DrawTestWalker();
  TickFrame();
}
