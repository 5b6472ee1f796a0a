// Coin blocks (groups 70, CoinBlock, and 71, HiddenCoinBlock): blocks of 2 x 2 cells that pay a
// coin when the heroine strikes them from below with her head. Each strike bumps the block up 16
// pixels in one frame (it sinks back 2 a frame), plays the thud, adds a coin and sends up a coin
// pop-up (group 112). The coin block is visible and solid map from the start (it writes its
// tiles into the collision layer) and pays on every strike; the hidden one is neither drawn nor
// solid until its one strike, which stops her head, shows it and makes its tiles solid. A glow
// that follows the frame counter shines through the blocks' gaps.
#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/player_stats.h"
#include "audio/sound_slots.h"
#include "modules/mechanism.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "platform/counters.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

namespace {
constexpr int kCoinBlock = 70;
constexpr int kHiddenBlock = 71;
constexpr int kBaseCell = 3600;
constexpr int kLayer = 1;
constexpr int kPopUp = 112;
constexpr int kSoundStrike = 4;
constexpr int kBump = -16;  // the strike lifts it this far in one frame
constexpr int kSink = 2;    // and it sinks back this much a frame
constexpr uint32_t kSolidBlockTile = 1034;  // the coin block's cells of the collision layer
constexpr uint32_t kStruckTile = 1200;      // the hidden block's, once struck: solid, drawn as nothing

// ModeBits, the strike flag.
constexpr int32_t kStruck = 1;          // the coin block: struck this frame
constexpr int32_t kHiddenUnstruck = 0;  // the hidden block: not struck yet
constexpr int32_t kHiddenShown = 1;     // ... struck and paid out, shown
constexpr int32_t kHiddenStruck = 2;    // ... struck this frame

constexpr MechanismStats kStats{.life = 1, .collision_kind = 128};
}  // namespace

int GetCoinBlockPattern(int cursor) {
  static constexpr auto MoviePtn = MovieTable<50>({{0, {0}}, {10, {0}}, {30, {0, 0, 1, 1, 1, 2, 2, 3, 3, 4, 4}}});
  return PatternAt(MoviePtn, cursor, 1);
}

int GetCoinBlockCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {1000, 1000, 1000, 1000, 1000}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetCoinBlockSize(int pattern, int axis) {
  static constexpr auto SpSizeX = ValueTable<10>({{0, {2, 2, 2, 2, 2}}});
  static constexpr auto SpSizeY = SpSizeX;
  return SizeEntry(SpSizeX, SpSizeY, pattern, axis, kAxisNumbers);
}

int GetCoinBlockHitRect(int pattern, int which) {
  static constexpr auto VxP = ValueTable<10>({});
  static constexpr auto VyP = ValueTable<10>({});
  static constexpr auto Vxs = ValueTable<10>({{0, {32, 22, 32, 32, 32}}});
  static constexpr auto Vys = ValueTable<10>({{0, {32, 32, 32, 32, 32}}});
  return HitEntry(VxP, VyP, Vxs, Vys, pattern, which);
}

// The hidden block has the coin block's tables but its own pictures: the spent block it shows
// once struck.
int GetHiddenCoinBlockPattern(int cursor) { return GetCoinBlockPattern(cursor); }

int GetHiddenCoinBlockCell(int pattern, int facing) {
  static constexpr auto SPPtn_R = ValueTable<30>({{0, {802, 800, 800, 800, 800}}});
  static constexpr auto SPPtn_L = SPPtn_R;
  return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
}

int GetHiddenCoinBlockSize(int pattern, int axis) { return GetCoinBlockSize(pattern, axis); }
int GetHiddenCoinBlockHitRect(int pattern, int which) { return GetCoinBlockHitRect(pattern, which); }

namespace {

constexpr ModuleKit kCoinKit =
    MechanismKit(kCoinBlock, GetCoinBlockPattern, GetCoinBlockCell, GetCoinBlockSize, GetCoinBlockHitRect);
constexpr ModuleKit kHiddenKit =
    MechanismKit(kHiddenBlock, GetHiddenCoinBlockPattern, GetHiddenCoinBlockCell, GetHiddenCoinBlockSize, GetHiddenCoinBlockHitRect);

// The block's four cells of the collision layer := the tile.
void SetBlockTiles(const Actor& a, uint32_t tile) {
  for (int dy : {0, 16})
    for (int dx : {0, 16}) SetTile(a.PosX() + dx, a.PosY() + dy, kCollisionLayer, tile);
}

void MakeCoinBlockSolid(const Actor& a) { SetBlockTiles(a, kSolidBlockTile); }

// The pay-out of a strike: the thud, the bump, a coin and the pop-up over the block.
void PayStrike(const ModuleKit& kit, const Actor& a) {
  ApplyHitBox(kit, a.slot);
  PlaySound(kSoundStrike);
  a.StepY() = kBump;
  CollectCoin();
}

void SendUpCoin(const Actor& a) {
  const ActorBox box = a.BodyBox();
  SpawnActor(kPopUp, box.left + 8, box.top - 24, -1, 0);
}

void PayCoinBlock(const Actor& a) {
  if (a.ModeBits() != kStruck) return;
  PayStrike(kCoinKit, a);
  SendUpCoin(a);
  a.ModeBits() = 0;
}

// The hidden block pays once: it shows from now on, its tiles are solid, and the heroine's
// sideways move is stopped under it.
void PayHiddenBlock(const Actor& a) {
  if (a.ModeBits() != kHiddenStruck) return;
  PayStrike(kHiddenKit, a);
  a.ModeBits() = kHiddenShown;
  SendUpCoin(a);
  const Actor h(kHeroineGroup, 0);
  h.VelX() = h.StepX() = 0;
  SetBlockTiles(a, kStruckTile);
}

// Lifted by a strike, it sinks back home. A strike while it sinks pays without a bump: the
// sinking step replaces the bump.
void SinkHome(const Actor& a) {
  if (a.PosY() != a.HomeY()) a.StepY() = kSink;
}

constexpr MechanismRules kCoinRules{
    .stats = kStats, .setup = MakeCoinBlockSolid, .input = PayCoinBlock, .behave = SinkHome};
constexpr MechanismRules kHiddenRules{.stats = kStats, .input = PayHiddenBlock, .behave = SinkHome};

struct Move {
  int dx, dy;
};

// Her head meets the block's underside this frame: she is below it, and her body's sweep with
// her move meets its body. Only blocks that stand in the scene count: a freed slot keeps its old
// box and strike flag, and must not stop her head where nothing stands any more.
bool StruckFromBelow(const Actor& block, int strictly_below, Move block_move, int out[4]) {
  if (block.State() != kActorActive && block.Control() != kControlHeld) return false;
  const Actor h(kHeroineGroup, 0);
  const ActorBox a = h.BodyBox();
  const ActorBox b = block.BodyBox();
  if (!(b.bottom + strictly_below < a.top + 1)) return false;
  return SweepBoxesSorted(a.left, a.top, a.right, a.bottom, b.left, b.top, b.right, b.bottom, h.StepX() + h.VelX(),
                          h.StepY() + h.VelY(), block_move.dx, block_move.dy, out) != 0;
}

// The glow behind the block's gaps, from red to orange as frame counter 0 runs, then its cells.
void DrawBlock(const ModuleKit& kit, const Actor& a, int visible) {
  const int level = static_cast<int>(GetFrameCounter(0) * 5 % 180);
  const uint32_t glow = static_cast<uint32_t>(level + 55) << 16 | static_cast<uint32_t>(level) << 8;
  PushFillRect(kLayer, 1, kWorldCoords, a.PosX(), a.PosY(), 32, 32, glow);
  const int facing = a.FaceY() == -1 ? 1 : 0;  // both cell tables are the same
  PushPatternCells(kit, a.slot, kit.pattern(a.AnimCursor()), facing, kLayer, visible);
}

}  // namespace

void UpdateCoinBlock() { UpdateMechanisms(kCoinKit, kCoinRules); }
void UpdateHiddenCoinBlock() { UpdateMechanisms(kHiddenKit, kHiddenRules); }

// The coin block only marks the strike: its tiles stop her head (her own ceiling probe).
void CollideCoinBlock() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor block(kCoinBlock, slot);
    int out[4] = {0, 0, 0, 0};
    if (StruckFromBelow(block, -1, {0, 0}, out)) block.ModeBits() = kStruck;
  }
}

// The hidden block has no tiles yet: its strike stops her head at its underside.
void CollideHiddenCoinBlock() {
  const Actor h(kHeroineGroup, 0);
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor block(kHiddenBlock, slot);
    int out[4] = {0, 0, 0, 0};
    if (!StruckFromBelow(block, 1, {0, block.StepY() + block.VelY()}, out)) continue;
    if (block.ModeBits() != kHiddenUnstruck) continue;
    block.ModeBits() = kHiddenStruck;
    h.VelY() = 0;
    h.StepY() = out[1];
  }
}

void MoveCoinBlock() { MoveMechanisms(kCoinKit); }
void MoveHiddenCoinBlock() { MoveMechanisms(kHiddenKit); }

void DrawCoinBlock() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kCoinBlock, slot);
    const int visible = MechanismVisibility(a);
    if (visible >= 0) DrawBlock(kCoinKit, a, visible);
  }
}

void DrawHiddenCoinBlock() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kHiddenBlock, slot);
    const int visible = MechanismVisibility(a);
    if (visible >= 0 && a.ModeBits() != kHiddenUnstruck) DrawBlock(kHiddenKit, a, visible);
  }
}
