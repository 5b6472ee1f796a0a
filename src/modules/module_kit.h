// The module kit: what every actor module is built from. A module owns the 256 slots of its
// group and keeps all its state in them; its file holds its constant tables (local arrays of
// its lookup routines) and its own steps, and calls the kit for the steps all modules share:
//
//   - the bounded table lookups and the three forms of the animation step (Advance);
//   - HitBox, short and long;
//   - the enemy state machine (spawn, dying, gone and back home), the control step and the
//     walk step, and the template Update of a plain walker built from them;
//   - the template Move (map probes, turning at walls, HitBox, integration, the histories);
//   - the template Draw (the pattern's cells, blinking while HitTimer runs, the animation and
//     the start of a defeat);
//   - the conversation step machine of the townspeople on EventStep[group].
//
// A module describes itself to the kit once, as a ModuleKit: its group, its ticks per entry
// and pointers to its own lookup routines. The kit calls those routines, so each module keeps
// its own named Pattern, Cell, Size and HitRect routines with its tables beside them:
//
//   int GetFooEnemyPattern(int cursor) {
//     static constexpr auto MoviePtn = MovieTable<50>({{10, {0, 0, 1, 1}}, {30, {2, 2}}});
//     return PatternAt(MoviePtn, cursor, kTicks);
//   }
//   void AdvanceFooEnemy(int32_t& cursor) { AdvanceLooping(GetFooEnemyPattern, cursor); }
//   int GetFooEnemyCell(int pattern, int facing) {
//     static constexpr auto SPPtn_R = ValueTable<30>({{0, {7, 9, 11}}});
//     static constexpr auto SPPtn_L = SPPtn_R;
//     return CellEntry(SPPtn_R, SPPtn_L, pattern, facing, CellFacing::Common) + kBaseCell;
//   }
//   ... GetFooEnemySize (SizeEntry), GetFooEnemyHitRect (HitEntry), then
//   constexpr ModuleKit kKit{.group = 33, .ticks = kTicks, .pattern = GetFooEnemyPattern, ...};
//   void UpdateFooEnemy() { UpdateTemplateEnemies(kKit, kRules); }
//
// tests/support/test_walker.cpp is a whole module built this way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "actors/actor_table.h"

// ---- tables -----------------------------------------------------------------------------------

// A run of listed values from entry `at` on.
struct TableRun {
  int at;
  std::initializer_list<int32_t> values;
};

// The runs stored over a table. Runs that would reach past the table stop at its end.
template <size_t N>
constexpr void StoreTableRuns(std::array<int32_t, N>& table, std::initializer_list<TableRun> runs) {
  for (const TableRun& run : runs) {
    size_t i = static_cast<size_t>(run.at);
    for (int32_t v : run.values) {
      if (i < N) table[i] = v;
      ++i;
    }
  }
}

// A table of N entries: every entry `fill`, then the runs stored over it.
template <size_t N>
constexpr std::array<int32_t, N> BuildTable(int32_t fill, std::initializer_list<TableRun> runs) {
  std::array<int32_t, N> table{};
  table.fill(fill);
  StoreTableRuns(table, runs);
  return table;
}

// An animation table (MoviePtn, WlkTbl): unlisted entries -1, which ends a sequence.
template <size_t N>
constexpr std::array<int32_t, N> MovieTable(std::initializer_list<TableRun> runs) {
  return BuildTable<N>(-1, runs);
}

// A cell, size or hit table: unlisted entries 0.
template <size_t N>
constexpr std::array<int32_t, N> ValueTable(std::initializer_list<TableRun> runs) {
  return BuildTable<N>(0, runs);
}

// ---- bounded lookups --------------------------------------------------------------------------
// No lookup reads outside its table: an index outside a pattern table answers -1 (nothing to
// show), outside any other table 0. A pattern of -1 thus has no cells and an empty box.

// Entry `index` of an animation table, -1 outside it.
int32_t PatternEntry(std::span<const int32_t> table, int index);
// Entry `index` of a cell, size or hit table, 0 outside it.
int32_t TableEntry(std::span<const int32_t> table, int index);

// The Pattern routine's lookup: the entry shown at tick `cursor`, entry cursor / ticks. A
// negative cursor lies before the table (-1).
int32_t PatternAt(std::span<const int32_t> movie, int cursor, int ticks);

// Which facing reads the left-facing cell table (SPPtn_L, Left).
enum class CellFacing {
  Common,       // facing +1 reads it, any other facing the right-facing table
  Fighter,      // the walking fighters: facing -1 reads it, any other the right-facing table
  OldTemplate,  // facing +1 reads the right-facing table, -1 the left-facing one, any other 0
};
// The first cell of a pattern for a facing, before the module's base cell is added.
int32_t CellEntry(std::span<const int32_t> right, std::span<const int32_t> left, int pattern, int facing,
                  CellFacing rule);

// The keys a module's Size routine takes for its two axes (a second pair for modules that take
// either case of a letter); any other key answers 0.
struct AxisKeys {
  int x, y;
  int x2 = x, y2 = y;
};
constexpr AxisKeys kAxisNumbers{0, 1};
constexpr AxisKeys kAxisLetters{'x', 'y'};
constexpr AxisKeys kAxisEitherCase{'x', 'y', 'X', 'Y'};

// SpSizeX or SpSizeY of a pattern by the module's axis key.
int32_t SizeEntry(std::span<const int32_t> size_x, std::span<const int32_t> size_y, int pattern, int axis,
                  AxisKeys keys);

// Which value of the hit rectangle HitRect answers.
constexpr int kHitLeft = 0;    // VxP: left offset from PosX
constexpr int kHitTop = 1;     // VyP: top offset from PosY
constexpr int kHitWidth = 2;   // Vxs
constexpr int kHitHeight = 3;  // Vys
// VxP, VyP, Vxs or Vys of a pattern; any other `which` 0.
int32_t HitEntry(std::span<const int32_t> vxp, std::span<const int32_t> vyp, std::span<const int32_t> vxs,
                 std::span<const int32_t> vys, int pattern, int which);

// ---- a module, as the kit sees it -------------------------------------------------------------

enum class HitBoxForm {
  Short,  // BodyBox only
  Long,   // BodyBox, SpriteBox and the body's centre
};

struct ModuleKit {
  int group;
  int ticks;                                // T: ticks per animation entry
  int (*pattern)(int cursor);               // the module's Pattern routine
  int (*cell)(int pattern, int facing);     // its Cell routine (base cell included)
  int (*size)(int pattern, int axis);       // its Size routine, asked with `size_axes`
  AxisKeys size_axes;
  int (*hit_rect)(int pattern, int which);  // its HitRect routine, asked with kHitLeft ...; may be null
  HitBoxForm hit_box;
};

// ---- Advance ----------------------------------------------------------------------------------
// The animation step of a slot's AnimCursor, in ticks; each asks the module's Pattern routine.
// A sequence begins after a -1 entry and runs to the next -1. Before entry 0 the table counts as
// -1, and so does every entry past its end.

// Looping: at the end of a sequence the cursor goes back to its first tick.
void AdvanceLooping(int (*pattern)(int cursor), int32_t& cursor);
// Mode 'r' loops. Any other mode steps back one tick at the end, so with two or more ticks an
// entry the last entry stays on screen (with one tick the last two entries alternate).
void AdvanceStepBack(int (*pattern)(int cursor), int32_t& cursor, int mode);
// Mode 'r' loops and answers 1 when it went back. Any other mode stops on the last tick and
// answers 1 there on every call.
int AdvanceHolding(int (*pattern)(int cursor), int32_t& cursor, int mode);

// ---- HitBox -----------------------------------------------------------------------------------

// The module's HitBox routine in its form: BodyBox from (PosX, PosY) and the hit rectangle of
// the pattern shown; the long form also SpriteBox (the pattern's cells) and CentreX, CentreY.
void ApplyHitBox(const ModuleKit& kit, int slot);

// ---- the enemy state machine, the control step and the walk step -----------------------------

// What an enemy module's spawn state sets: its stats and start values.
struct EnemyStats {
  int32_t life;  // MaxLife and Life
  int32_t exp;
  int32_t money;
  int32_t collision_kind;
  int32_t attack;
  int32_t defense;
  int32_t mode_bits = 0;
  int32_t respawn_timer = 0;
};

// How near the heroine may be to where a defeated slot lies for it to stay gone.
struct RespawnWindow {
  int w, h;
};
constexpr RespawnWindow kWalkerWindow{960, 480};
constexpr RespawnWindow kFixtureWindow{64, 96};  // blocks, doors and lights

// State 1: the spawn sequence (entry 10), steps and Motion 0, a facing from the parity of frame
// counter 0 (left when even), ModeBits, HitTimer, RespawnTimer and the stats; State 3.
void SpawnEnemy(const ModuleKit& kit, int slot, const EnemyStats& stats);
// State 4, the dying countdown: once HitTimer is below 3 the slot is gone (State 16) with
// RespawnTimer 255, else HitTimer counts down.
void CountDownDying(const Actor& a);
// State 4 as the template has it: on the ground or in the air it stops (and keeps falling),
// then the countdown.
void StepDying(const Actor& a);
// State 4 of the enemies that hop, jump and fall: on the ground (Motion 0) it stops; falling
// or rising (3, 4) it stops across and falls; just hit (7) it stops and starts to fall from a
// standstill; then the countdown.
void StepDyingAirborne(const Actor& a);
// State 16: RespawnTimer runs down to 1; then the slot stays gone while the heroine is within
// the window of where it lies (where it was defeated), and once she is not, it starts again at
// its home (State 1).
void StepGone(const Actor& a, RespawnWindow window);
// The control step of States 1 and 3. Control 0: Input := 0, and a walker with ModeBits 0
// presses the way it faces. Control 2 (frozen): false, the slot is done for this frame.
bool ControlStep(const Actor& a, bool walks);
// The walk step: in the air it starts falling (StepY 1, Motion 0 until Move finds no floor); on
// the ground it walks 1 pixel a frame the way Input presses, and turns about beyond its home ±
// range.
void WalkStep(const Actor& a, int range);

// The states of an enemy's update around its active one: State 1 calls `spawn` (which makes the
// slot active, so it goes on as an active one in the same frame), State 4 `dying`, State 16
// waits to come back home (StepGone) within `window`, or calls `gone` when the module has its
// own; other states do nothing here.
struct EnemyStateSteps {
  void (*spawn)(int slot);
  void (*dying)(const Actor& a);
  RespawnWindow window;
  void (*gone)(const Actor& a) = nullptr;
};
void StepEnemyState(const Actor& a, const EnemyStateSteps& steps);

// The first steps of a walking fighter's update: StepX and StepY cleared; while the slot is
// active or ending, the HitBox and, unless the pause menu is open, the module's holding Advance
// with the slot's AnimMode. 1 when the sequence came to its end (the brain's cue), else 0.
int BeginFighterUpdate(const ModuleKit& kit, int slot, int (*advance)(int32_t& cursor, int mode));

struct EnemyRules {
  EnemyStats stats;
  bool walks;
  int walk_range;  // R, when it walks
  RespawnWindow window;
};
// The template Update of an enemy module, over all its slots: steps cleared, the state machine,
// in States 1 and 3 the control and walk steps, and the HitBox.
void UpdateTemplateEnemies(const ModuleKit& kit, const EnemyRules& rules);

// The Update of the enemies that step their animation there (the holding form: its result, 1
// when a sequence came round, is what they think with) and move by their own steps. For every
// slot not free: steps cleared; in State 3 or 4 the HitBox and, unless the pause menu is open,
// `advance` with AnimMode; the state machine; then an active slot that is not frozen (a frozen
// one is done for the frame): under Control 0 Input := 0 and `think` (slot, the Advance's
// result), then `step`; last the HitBox and, when given, `finish`.
struct FighterSteps {
  EnemyStateSteps states;
  int (*advance)(int32_t& cursor, int mode);
  void (*think)(int slot, int ended);  // may be null
  void (*step)(int slot);
  void (*finish)(int slot) = nullptr;
};
void UpdateFighterEnemies(const ModuleKit& kit, const FighterSteps& steps);

// ---- fixtures: doors, lights and blocks -------------------------------------------------------
// The mechanisms a map places where they stand (doors, lights, the hazard block) keep the enemy
// state machine with the fixture window, but neither walk nor meet the map.

// State 1 of a fixture: SpawnEnemy, but facing right and down (FaceX, FaceY := 1) whatever the
// frame.
void SpawnFixture(const ModuleKit& kit, int slot, const EnemyStats& stats);
// One slot's Update up to the fixture's own steps: StepX and StepY cleared, the state machine
// (the spawn, dying, gone within kFixtureWindow), then, in State 3 only, the control step, the
// HitBox and, while it stands (Motion 0 or 7), its steps and speed cleared and the HitBox again.
// True when the slot is active and not frozen: the module's own steps follow.
bool UpdateFixtureSlot(const ModuleKit& kit, int slot, const EnemyStats& stats);
// The Move of a fixture: each slot that moves this frame goes by its speed, without a HitBox,
// and records its histories.
void MoveFixtures(const ModuleKit& kit);

// ---- the template Move ------------------------------------------------------------------------

// Which map probes a module makes; a module that does not meet the map makes none.
struct MapRules {
  bool ceiling = true;
  bool floor = true;
  bool walls = true;
  bool landing = true;  // a floor that cuts a fall short sets Motion 0
};

// What the probes found this frame.
struct MapContact {
  bool ceiling = false;     // a ceiling cut the rise short
  bool floor = false;       // a floor cut the fall short or holds the slot up
  bool landed = false;      // ... and the probe's answer differed from StepY
  bool no_floor = false;    // nothing under it: Motion 3
  bool wall_right = false;  // it now faces left
  bool wall_left = false;   // it now faces right
};

// The fastest fall: gravity stops adding to VelY here, so an endless fall never overflows.
constexpr int32_t kMaxFallSpeed = 4800;

// 1 for a slot that Move moves: State 3 or 4, or held (Control 1); never a frozen one.
bool MovesThisFrame(const Actor& a);
// Steps 1 and 2 of Move: the vertical probe against this frame's move (StepY + VelY) from the
// BodyBox, then the horizontal probe, which turns the slot about at a wall.
MapContact MoveAgainstMap(const Actor& a, const MapRules& rules = {});
// The walking fighters' ledge test, after the walls: moving left over nothing of layer 2 under
// the pixel left of its feet, it turns right (MapHits |= 16); moving right over nothing right of
// its feet, it turns left (MapHits |= 32). This frame's step still takes it on.
void TurnAtLedge(const Actor& a);
// The enable bits of a walking fighter's MapHits: which probes of the map it makes.
constexpr int32_t kProbeCeilingBit = 64;
constexpr int32_t kProbeFloorBit = 128;
constexpr int32_t kProbeWallsBit = 256;
constexpr int32_t kProbeLedgesBit = 512;
// The walking fighters' steps 1 and 2 of Move, switched by those bits: the result bits cleared,
// the HitBox, the probes that are enabled, the result bits set from what they found (ceiling 1,
// floor 2, a wall on the right 8, on the left 16) and, on the ground, the ledge test.
MapContact MoveFighterAgainstMap(const ModuleKit& kit, int slot);
// VelX += StepX, VelY += StepY (at most kMaxFallSpeed), PosX += VelX, PosY += VelY.
void MoveByVelocity(const Actor& a);
// Step 3: the HitBox, then MoveByVelocity.
void IntegrateMove(const ModuleKit& kit, int slot);
// Step 4: row 0 of the seven histories := the values now, then every row moves one down, so
// rows 0 and 1 hold the same values and row k the values of k - 1 frames before.
void RecordHistories(const Actor& a);
// The template Move over all the group's slots.
void MoveTemplateActors(const ModuleKit& kit, const MapRules& rules = {});

// ---- the template Draw ------------------------------------------------------------------------

// The pattern's cells for the slot on the draw layer, at (PosX + 16 i, PosY + 16 j), world
// coordinates; visible 0 blinks.
void PushPatternCells(const ModuleKit& kit, int slot, int pattern, int facing, int layer, int visible);
// The defeat test: (Life <= 0 in State 3) or Control 1 starts the defeat: Life 0, State 4,
// Motion 0, HitTimer 90, the sequence at `entry`. True when it started one.
bool StartDefeatIfDue(const ModuleKit& kit, int slot, int entry);

enum class DrawFacing {
  Zero,   // facing 0 for the Cell routine, whichever way the slot faces
  FaceX,  // the slot's FaceX
};
struct DrawRules {
  int layer;
  DrawFacing facing;
  void (*advance)(int32_t& cursor);  // the module's Advance, run unless the pause menu is open; may be null
  int defeat_entry;                  // the sequence a defeat starts; -1 for modules without defeat
  void (*defeated)(int slot) = nullptr;  // what the module adds to a defeat in the frame it starts
};
// The template Draw over all slots that are neither free nor gone: the pattern's cells, steady
// while HitTimer < 1 and blinking while it runs, then the animation and the defeat test.
void DrawTemplateActors(const ModuleKit& kit, const DrawRules& rules);

// ---- the conversation step machine ------------------------------------------------------------
// The townspeople's talks run one step a frame on EventStep[group], which keeps the talk's
// progress after it ends, so the next talk goes on where the last stopped.

enum class TalkAction {
  Line,  // opens its line and goes on at once
  Wait,  // waits until the window was closed; then opens its line, if it has one, and goes on
  End,   // waits until the window was closed, then ends the talk: `next` is where the next begins
};

struct TalkStep {
  TalkAction action;
  int next;
  const char* speaker = nullptr;
  const char* text = nullptr;
  int flag = 1;      // OpenMessage's last argument: 1 types slowly
  int balloon = -1;  // an emotion balloon over the group's slot 0 in every frame of the step
};

// One frame of the talk with the group's slot 0: the heroine and that slot are held (Control 1,
// Input 0), then the step of EventStep[group] runs. Answers 1 in the frame the talk ended.
int RunConversation(int group, std::span<const TalkStep> steps);
