// The steps the town NPCs Klaus, Rod, Lime and Pancho (groups 2 to 5) share. They are the
// inline form of a module: no lookup routines, each of their routines holds its own tables
// (the walk cycle WlkTbl, indexed by AnimCursor itself, one tick an entry) and hands them to
// these steps.
//
// A town NPC walks about at random: a walk switch in ModeBits (1 walking, 0 standing) that flips
// now and then, a turn now and then, 2 pixels a frame the way it faces, stopping (never
// turning) 640 pixels from home. It stops at walls without turning, walks off ledges and falls.
// A talk or a scene holds it (Control 1) and drives its Input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "actors/actor_table.h"
#include "modules/module_kit.h"

constexpr int kNpcRange = 640;   // how far from home it walks
constexpr int kNpcSpeed = 2;     // pixels a frame
constexpr int kNpcBoxLeft = 4;   // its box: 24 pixels wide from PosX + 4
constexpr int kNpcBoxWidth = 24;
constexpr int kNpcBoxHeight = 76;  // Rod, Lime and Pancho; Klaus is 96 tall

// A walk table of N entries: the 48-frame walk cycle every town NPC shares in entries 0 to 47
// (standing 0, the near leg forward 1, 2, 1, standing 0, the far leg forward 3, 4, 3, and 0
// again), then the runs given (Klaus's gestures); every other entry -1.
template <size_t N>
constexpr std::array<int32_t, N> NpcWalkTable(std::initializer_list<TableRun> more = {}) {
  std::array<int32_t, N> table = MovieTable<N>({
      {0, {0, 0, 0, 0, 0}},
      {5, {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1}},
      {23, {0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3}},
      {47, {0}},
  });
  StoreTableRuns(table, more);
  return table;
}

// The pattern of the walk table at a cursor: -1 past either end, where nothing is drawn.
int32_t NpcPattern(std::span<const int32_t> walk, int cursor);

// Steps 1 to 3 of a slot's update: StepX and StepY cleared; a newly spawned slot stands at its
// home, walk switch off, on the ground (Motion 1); then, while it drives itself (Control 0),
// its Input cleared, the walk switch flipped (1 in 200 a frame) and a turn (1 in 100), and
// the way it faces pressed while the switch is on. False for a frozen slot (Control 2): it is
// done for this frame.
bool StepNpcWill(const Actor& a);

// How a town NPC walks on the ground.
struct NpcWalkRules {
  bool range_only_while_free;  // the home range holds only while slot 0 of its group drives itself
  bool faces_by_bit;           // it turns to the way it walks
};
// Motion 1, on the ground: 2 pixels a frame by the right or left bit of Input, the walk cycle
// moving on, or standing in pattern 0 beyond home ± 640. Answers 1 or -1 for the way it was
// pressed, 0 when neither was (the caller decides what it does then).
int WalkNpc(const Actor& a, const NpcWalkRules& rules);
// Motion 3, in the air: gravity, its speed growing up to 10 pixels a frame.
void FallNpc(const Actor& a);
// A cursor on the end of the walk table (or anywhere outside it) goes back to 0.
void RewindNpcWalk(const Actor& a, std::span<const int32_t> walk);
// The box the heroine's talk test reads this frame: 24 pixels wide from PosX + 4 and `height`
// tall from PosY, where this frame's move takes it.
void SetNpcTalkBox(const Actor& a, int height);

// The update of a walker that only walks (Rod, Lime and Pancho), over all its slots.
void UpdateTownWalkers(int group, std::span<const int32_t> walk, const NpcWalkRules& rules);

// The move of a town NPC of the given height, over all its slots: it lands on floors and falls
// off ledges, stops at walls (both sides are probed every frame) with its animation reset, then
// moves by its steps and speeds and records its histories.
void MoveTownNpcs(int group, std::span<const int32_t> walk, int height);

// How a walker with a head is drawn: a 2 x 2 head, then a 2 x 4 body 12 pixels lower. A facing
// of -1 adds 80 to the head's cell and 160 to the body's.
struct NpcLook {
  int head_cell;
  std::span<const int32_t> head_bob;  // the head's drop by pattern (BYHTbl); empty: `head_drop`
  int head_drop;
  int body_cell;  // pattern p's body is 2p cells on
};
// The draw of such walkers, over all their slots, on draw layer 1.
void DrawTownWalkers(int group, std::span<const int32_t> walk, const NpcLook& look);
// Columns x rows cells from `first` (40 a sheet row) at (x, y) in the world, on draw layer 1.
void PushNpcCells(int x, int y, int columns, int rows, int first);
