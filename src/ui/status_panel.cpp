#include "ui/status_panel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "actors/items.h"
#include "audio/sound_slots.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "ui/hud.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr int kGaugeLeft = 127;

// value x scale / max in 64 bits, 0 when the maximum is 0 or less, so that neither a product
// nor a division can fail whatever a save holds. The result is kept within -limit..limit;
// beyond that the pictures drawn from it do not change.
int Ratio(int32_t value, int32_t max, int scale, int limit) {
  if (max <= 0) return 0;
  const int64_t r = static_cast<int64_t>(value) * scale / max;
  return static_cast<int>(std::clamp<int64_t>(r, -limit, limit));
}

// A frame-counter pulse: (frame counter 0 x speed) mod 256.
int Pulse(int speed) { return static_cast<int>(GetFrameCounter(0)) * speed % 256; }

void DrawPanelFrame() { DrawWindowFrame(7, 357, 633, 473, 0, 0, 200, 0); }

// A number at or below a third of its maximum shows in the warning font.
int ValueFont(int32_t value, int32_t max) { return value > max / 3 ? kFontValue : kFontWarning; }

void DrawPanelNumbers() {
  const PlayerStatsRecord& p = PlayerStats;
  char number[16];  // any int32 in any of the formats below; only the glyph count is drawn
  DrawPanelText(15, 360, "HP", 2, kFontLabel);
  std::snprintf(number, sizeof number, "%04d", p.Hp);
  DrawPanelText(63, 360, number, 4, ValueFont(p.Hp, p.MaxHp));
  DrawPanelText(143, 360, "MP", 2, kFontLabel);
  std::snprintf(number, sizeof number, "%04d", p.Mp);
  DrawPanelText(191, 360, number, 4, ValueFont(p.Mp, p.MaxMp));
  DrawPanelText(271, 360, "EXP", 3, kFontLabel);
  std::snprintf(number, sizeof number, "%06d", p.Exp);
  DrawPanelText(335, 360, number, 6, kFontValue);
  DrawPanelText(447, 360, "YEN", 3, kFontLabel);
  std::snprintf(number, sizeof number, "%06d", p.Money);
  DrawPanelText(511, 360, number, 6, kFontValue);
}

// A yellow bar over a red background, full at 1000 per mille; below about 3 % the bar's right
// edge lies left of its left edge and nothing is drawn.
void DrawLitGauge(int top, int permille) {
  FillRectRgb(kGaugeLeft, top, 611, top + 13, 200, 64, 64);
  FillRectRgb(kGaugeLeft, top, 111 + permille / 2, top + 13, 255, 255, 0);
}

void DrawLifeGauge() {
  DrawPanelText(15, 375, "PLAYER", 6, kFontLabel);
  DrawLitGauge(376, Ratio(PlayerStats.Hp, PlayerStats.MaxHp, 1000, 2000));
}

// The last enemy hit, for 255 frames after the hit; then dark blue.
void DrawEnemyGauge() {
  DrawPanelText(15, 390, "ENEMY", 5, kFontLabel);
  if (EnemyGaugeTimer == 0) {
    FillRectRgb(kGaugeLeft, 391, 611, 404, 32, 32, 200);
    return;
  }
  DrawLitGauge(391, Ratio(EnemyGaugeHp, EnemyGaugeMax, 1000, 2000));
  EnemyGaugeTimer -= 1;
}

// A block of cells from `first`, `columns` x `rows`, cell first + column + 40 x row.
void DrawCellBlock(int first, int columns, int rows, int x, int y) {
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      DrawCell(x + 16 * column, y + 16 * row, kCellSize, kCellSize, first + column + 40 * row);
}

void DrawPanelPicture() {
  DrawCellBlock(352, 8, 2, 376, 408);
  DrawCellBlock(1150, 6, 2, 504, 408);
  DrawCellBlock(910, 10, 2, 376, 440);
  DrawCellBlock(990, 4, 2, 536, 440);
}

constexpr int kSlots = 7;

// Slot i of a row: its frame, grey (pulsing) when it is the selected one, and its dark inside.
void DrawSlot(int i, int top, bool selected, int grey) {
  const uint32_t frame = selected ? MakeColor(grey, grey, grey) : MakeColor(119, 119, 187);
  FillRectSized(128 + 34 * i, top + 1, 30, 30, frame);
  FillRectSized(130 + 34 * i, top + 2, 26, 28, MakeColor(0, 0, 68));
}

// A name in the small font, all its characters.
void DrawSlotName(int x, int y, const char* name) {
  DrawPanelTextSmall(x, y, name, static_cast<int>(std::strlen(name)));
}

// A 2 x 2 icon of the item sheet in slot i of a row.
void DrawSlotIcon(int i, int top, int first) { DrawCellBlock(first, 2, 2, 127 + 34 * i, top); }

void DrawMagicRow() {
  constexpr int kTop = 406;
  const PlayerStatsRecord& p = PlayerStats;
  DrawPanelText(15, 414, "MAGIC<:", 7, kFontLabel);
  // Nothing equipped, the doll or a higher bit: the button purges, and the name says so.
  char name[16] = {};
  if ((p.EquippedMagicTool & 0x3F) != 0) {
    MagicToolName(p.EquippedMagicTool, name);
  } else {
    std::strcpy(name, "MAGIC=PURGE");
  }
  DrawSlotName(15, 408, name);
  const int grey = Pulse(8);
  for (int i = 0; i < kSlots; ++i) {
    DrawSlot(i, kTop, (p.EquippedMagicTool >> i & 1) != 0, grey);
    if ((p.OwnedMagicTools >> i & 1) != 0) DrawSlotIcon(i, kTop, 1042 + 2 * i);
  }
}

void DrawItemRow() {
  constexpr int kTop = 440;
  const PlayerStatsRecord& p = PlayerStats;
  DrawPanelText(15, 448, "ITEM<<:", 7, kFontLabel);
  char name[16] = {};
  ConsumableName(p.Bag[p.BagCursor], name);
  DrawSlotName(15, 442, name);
  const int grey = Pulse(8);
  for (int i = 0; i < kSlots; ++i) {
    DrawSlot(i, kTop, static_cast<uint32_t>(i) == p.BagCursor, grey);
    if (p.Bag[i] != 0) DrawSlotIcon(i, kTop, static_cast<int>(1120 + 2 * p.Bag[i]));
  }
}

bool SpellRunning() {
  return std::any_of(std::begin(PlayerStats.SpellLevel), std::end(PlayerStats.SpellLevel),
                     [](int32_t level) { return level != 0; });
}

// How fast the warning blinks and how often its sound plays, by the MP left in per cent.
struct MpWarning {
  int speed, period;
};
MpWarning MpWarningFor(int pct) {
  if (pct >= 50) return {1, 256};
  if (pct >= 35) return {2, 128};
  if (pct >= 11) return {4, 64};
  if (pct >= 6) return {8, 16};
  return {16, 8};
}

// While a spell runs: a bar centred on x 320 that shrinks toward the middle as MP falls, and
// "MAGIC ON" that blinks ever faster below half, with a warning sound once a period.
void DrawMpBar() {
  const int pct = Ratio(PlayerStats.Mp, PlayerStats.MaxMp, 100, 1000);
  const int w = 608 * pct / 100;
  const int red = Pulse(4) | 136;
  FillRectSized((608 - w) / 2 + 15, 339, w + 2, 10, MakeColor(85, 0, 0));
  FillRectSized((608 - w) / 2 + 16, 340, w, 8, MakeColor(red, 0, 0));
  const MpWarning warning = MpWarningFor(pct);
  const int phase = Pulse(warning.speed);
  if ((static_cast<int>(GetFrameCounter(0)) + 1) % warning.period == 1) PlaySound(24);
  if (pct >= 50 || phase < 128) DrawPanelText(256, 336, "MAGIC<ON", 8, kFontValue);
}

}  // namespace

void DrawStatusPanel() {
  if (HudVisible == 0) return;
  DrawPanelFrame();
  DrawPanelNumbers();
  DrawLifeGauge();
  DrawEnemyGauge();
  DrawPanelPicture();
  DrawMagicRow();
  DrawItemRow();
  if (SpellRunning()) DrawMpBar();
}
