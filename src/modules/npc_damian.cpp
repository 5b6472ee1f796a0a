// Damian (group 6), the barman at the inn's counter, who will not sell the heroine a drink. He
// stands in his place and now and then changes between a still pose and a looping "no" of his
// hand, and turns about at random, which shows nothing: he is drawn from the front either way.
//
// He is built as the walking fighters are: a mode word in AiState (mode 2, idle, with sub-state
// 1 still or 2 gesturing), the holding Advance with AnimMode run by the update, and map probes
// switched on by the enable bits of MapHits (the ceiling, the walls and the ledges; not the
// floor, so he stands exactly where he was placed). Nothing hurts him: the hit passes do not
// test the townspeople's groups.
#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/utils.h"
#include "world/save_block.h"

namespace {
constexpr int kGroup = 6;
constexpr int kTicks = 4;
constexpr int kBaseCell = 1200;  // sprite sheet 1
constexpr int kGesture = 30;     // his sequences
constexpr int kStill = 70;
constexpr int kCompanionGroup = 116;  // effect sprites that walk along with a fighter
}  // namespace

int GetNpcDamianPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<110>({
      {10, {0}},
      {kGesture, {1, 1, 1, 1, 2, 2, 2, 2}},
      {50, {0}},
      {kStill, {0}},
      {80, {0}},
      {90, {0}},
  });
  return PatternAt(MoviePtn, cursor, kTicks);
}

int AdvanceNpcDamian(int32_t& cursor, int mode) { return AdvanceHolding(GetNpcDamianPattern, cursor, mode); }

int GetNpcDamianCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {1025, 1027, 1029}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Fighter) + kBaseCell;
}

int GetNpcDamianSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<20>({{0, {2, 2, 2}}});
  static constexpr auto SpSizeY = ValueTable<20>({{0, {5, 5, 5}}});
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisLetters);
}

int GetNpcDamianHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<20>({});
  static constexpr auto VyP = ValueTable<20>({});
  static constexpr auto Vxs = ValueTable<20>({{0, {32, 32, 32}}});
  static constexpr auto Vys = ValueTable<20>({{0, {80, 80, 80}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

namespace {

constexpr ModuleKit kKit{
    .group = kGroup,
    .ticks = kTicks,
    .pattern = GetNpcDamianPattern,
    .cell = GetNpcDamianCell,
    .size = GetNpcDamianSize,
    .size_axes = kAxisLetters,
    .hit_rect = GetNpcDamianHitRect,
    .hit_box = HitBoxForm::Long,
};

// The mode word: mode 2 (idle) in the low 16 bits, the sub-state in the high ones.
constexpr int32_t kIdle = 2;
constexpr int32_t kStanding = 1;
constexpr int32_t kGesturing = 2;
int32_t IdleWord(int32_t sub) {
  return static_cast<int32_t>(static_cast<uint32_t>(kIdle) | static_cast<uint32_t>(sub) << 16);
}
int32_t SubOf(const Actor& a) { return static_cast<int32_t>(static_cast<uint32_t>(a.AiState()) >> 16); }
// A new sub-state with the sequence that goes with it.
void Become(int slot, int32_t sub, int entry) {
  Actor(kGroup, slot).AiState() = IdleWord(sub);
  SetActorAnim(kGroup, slot, kTicks, entry);
}


void SpawnNpcDamian(int slot) {
  const Actor a(kGroup, slot);
  SetActorAnim(kGroup, slot, kTicks, kStill);
  SetActorFacingRandom(kGroup, slot, 1);
  a.FaceX() = 1;
  a.StepX() = a.StepY() = a.VelX() = a.VelY() = a.Motion() = 0;
  a.AnimMode() = 'r';
  ClearActorMapHits(kGroup, slot);
  // The ceiling, the walls and the ledges; no floor, so he stands exactly where he was placed.
  a.MapHits() = (a.MapHits() | kProbeCeilingBit | kProbeWallsBit | kProbeLedgesBit) & ~kProbeFloorBit;
  // The gesture's sub-state with the still pose: his first change, to the still pose, shows
  // nothing new, and the gesture begins at the second.
  a.AiState() = IdleWord(kGesturing);
  a.HitTimer() = 0;
  a.State() = kActorActive;
}

}  // namespace

// Idle, he changes between the still pose and the gesture (1 in 200 a frame) and turns (1 in
// 100). `ended` (the sequence came round) changes nothing in this mode.
void ThinkNpcDamian(int slot, int /*ended*/) {
  const Actor a(kGroup, slot);
  if ((a.AiState() & 0xFFFF) != kIdle) return;
  if (Random(200) == 1) {
    if (SubOf(a) == kGesturing) {
      Become(slot, kStanding, kStill);
    } else if (SubOf(a) == kStanding) {
      Become(slot, kGesturing, kGesture);
    }
  }
  if (Random(100) == 1) a.FaceX() = -a.FaceX();
}

void UpdateNpcDamian() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    const int ended = BeginFighterUpdate(kKit, slot, AdvanceNpcDamian);
    if (a.State() == kActorSpawned) SpawnNpcDamian(slot);
    if (a.State() == kActorActive) {
      if (a.Control() == kControlFrozen) continue;
      if (a.Control() == kControlSelf) {
        a.Input() = 0;
        if (a.Motion() == 0) ThinkNpcDamian(slot, ended);
      }
    }
    if (a.Motion() == 0) a.StepX() = a.StepY() = a.VelX() = a.VelY() = 0;
    ApplyHitBox(kKit, slot);
  }
}

void MoveNpcDamian() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (!MovesThisFrame(a)) continue;
    MoveFighterAgainstMap(kKit, slot);
    IntegrateMove(kKit, slot);
    // The effect that goes along with him moves as he does. His Link is never set, but an
    // actor's Link may hold anything: only a slot of the group is moved.
    const int32_t link = a.Link();
    if (link >= 0 && link < kActorSlots) {
      const Actor companion(kCompanionGroup, link);
      companion.PosX() += a.VelX();
      companion.PosY() += a.VelY();
    }
    RecordHistories(a);
  }
}

void DrawNpcDamian() {
  // The update runs his animation; nothing ever defeats him.
  DrawTemplateActors(kKit, {.layer = 1, .facing = DrawFacing::FaceX, .advance = nullptr, .defeat_entry = -1});
}

// His greeting and hers, then his refusal on every later talk. Each talk unlocks the input
// while it runs and locks it at its end, until jump and action are released.
void TalkNpcDamian() {
  static constexpr const char* kDamian = "ダミアン：";
  static constexpr TalkStep kSteps[] = {
      {TalkAction::Line, 1, kDamian, "「こんにちは。」"},
      {TalkAction::Wait, 2},
      {TalkAction::Line, 3, "トヴィア：", "「ダミアンさん、こんにちはー」"},
      {TalkAction::End, 4},
      {TalkAction::Line, 5, kDamian, "「お前さんには酒は売れないよ」"},
      {TalkAction::End, 4},
  };
  InputLock = 0;
  if (RunConversation(kGroup, kSteps) == 1) InputLock = 1;
}
