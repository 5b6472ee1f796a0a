// Animated scenery panels and light columns: map-placed scenery that shimmers in place. The large
// back panel (group 108, BigPanelBack) and front panel (group 109, BigPanelFront) are 4 x 8 cells
// that cycle eight pictures, two frames each, flickering; the back one lies behind the actors, the
// front one before them. The light column (group 115, FlagColumn), 1 x 8 cells, shows only while
// bit 1 of its Link is set; bit 2 gives its second colour, bits 4 and 8 one and two more steps a
// frame (up to four), so its 32-step cycle runs in 8 to 32 frames. A column switched off keeps its
// place and its cursor, and goes on from there when it is switched on again.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "world/draw_queue.h"

namespace {
constexpr int kPanelCell = 3360;  // every cell of a panel shows this cell + its pattern
constexpr int kPanelColumns = 4;
constexpr int kPanelRows = 8;
constexpr int kColumnRows = 8;
constexpr int kColumnLayer = 2;
constexpr int32_t kColumnFirstSet = 960;  // the column's cell base, kept in MoneyReward
constexpr int32_t kColumnSecondSet = 968;
constexpr int kSheet2 = 2400;

// Link bits of a light column.
constexpr int32_t kColumnOn = 1;
constexpr int32_t kColumnSecondColour = 2;
constexpr int32_t kColumnOneMore = 4;
constexpr int32_t kColumnTwoMore = 8;
}  // namespace

// The tables are indexed by AnimCursor itself, one step an entry.

// The panels' pictures, each of the eight for two steps.
int GetBigPanelPattern(int cursor) {
  static constexpr auto Pattern = MovieTable<20>({{0, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}}});
  return PatternEntry(Pattern, cursor);
}

// The column's, each of the eight for four steps.
int GetFlagColumnPattern(int cursor) {
  static constexpr auto Pattern = [] {
    auto t = MovieTable<41>({});
    for (int k = 0; k < 32; ++k) t[k] = k / 4;
    return t;
  }();
  return PatternEntry(Pattern, cursor);
}

namespace {

// The scenery's own animation step: when the next entry is -1 (or lies past the table) the
// cursor goes back to 0, else on by one. Unlike the kit's looping step, which rewinds to the
// start of the sequence, this brings a cursor that stands on a -1 entry back to the first picture.
void StepScenery(int (*pattern)(int cursor), int32_t& cursor) {
  if (pattern(cursor + 1) == -1) {
    cursor = 0;
  } else {
    ++cursor;
  }
}

// What the spawn sets in the three groups; the body is the first cell.
void StartScenery(const Actor& a) {
  a.AnimCursor() = 0;
  a.Motion() = 1;
  a.FaceY() = 1;
  a.ModeBits() = 1;
  a.HomeX() = a.PosX();
  a.HomeY() = a.PosY();
  a.State() = kActorActive;
}

void SetSceneryBody(const Actor& a) {
  const ActorBox body = a.BodyBox();
  body.left = a.PosX();
  body.top = a.PosY();
  body.right = a.PosX() + 16;
  body.bottom = a.PosY() + 16;
}

void UpdatePanels(int group) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor panel(group, slot);
    if (panel.State() == kActorFree) continue;
    panel.StepX() = panel.StepY() = 0;
    if (panel.State() == kActorSpawned) StartScenery(panel);
    StepScenery(GetBigPanelPattern, panel.AnimCursor());
    SetSceneryBody(panel);
  }
}

// Queued invisible: a panel flickers.
void DrawPanels(int group, int layer) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor panel(group, slot);
    if (panel.State() == kActorFree) continue;
    const int p = GetBigPanelPattern(panel.AnimCursor());
    if (p < 0) continue;
    for (int i = 0; i < kPanelColumns; ++i)
      for (int j = 0; j < kPanelRows; ++j)
        PushCell(layer, 0, kWorldCoords, panel.PosX() + 16 * i, panel.PosY() + 16 * j, kPanelCell + p);
  }
}

}  // namespace

void UpdateBigPanelBack() { UpdatePanels(108); }
void DrawBigPanelBack() { DrawPanels(108, 2); }
void UpdateBigPanelFront() { UpdatePanels(109); }
void DrawBigPanelFront() { DrawPanels(109, 3); }

void UpdateFlagColumn() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor column(115, slot);
    if (column.State() == kActorFree) continue;
    column.StepX() = column.StepY() = 0;
    if (column.State() == kActorSpawned) {
      StartScenery(column);
      column.MoneyReward() = kColumnFirstSet;
    }
    const int32_t link = column.Link();
    column.MoneyReward() = (link & kColumnSecondColour) != 0 ? kColumnSecondSet : kColumnFirstSet;
    if ((link & kColumnOn) != 0) {
      int steps = 1;
      if ((link & kColumnOneMore) != 0) steps += 1;
      if ((link & kColumnTwoMore) != 0) steps += 2;
      for (int k = 0; k < steps; ++k) StepScenery(GetFlagColumnPattern, column.AnimCursor());
    }
    SetSceneryBody(column);
  }
}

// Queued invisible: a column flickers.
void DrawFlagColumn() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor column(115, slot);
    if (column.State() == kActorFree || (column.Link() & kColumnOn) == 0) continue;
    const int p = GetFlagColumnPattern(column.AnimCursor());
    if (p < 0) continue;
    for (int j = 0; j < kColumnRows; ++j)
      PushCell(kColumnLayer, 0, kWorldCoords, column.PosX(), column.PosY() + 16 * j, column.MoneyReward() + p + kSheet2);
  }
}
