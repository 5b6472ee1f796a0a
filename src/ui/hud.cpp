#include "ui/hud.h"

#include <cstdio>
#include <cstring>

#include "platform/graphics.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

uint32_t HudVisible = 0;
int32_t HudCoinFrame = 0;
int32_t EnemyGaugeTimer = 0;
int32_t EnemyGaugeHp = -1;
int32_t EnemyGaugeMax = -1;

const int32_t CoinP[25] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7, -1};

void ShowHud() { HudVisible = 1; }

void HideHud() { HudVisible = 0; }

void ResetHud() {
  EnemyGaugeMax = -1;
  EnemyGaugeHp = -1;
  EnemyGaugeTimer = 0;
  HudCoinFrame = 0;
}

void ShowEnemyGauge(int32_t hp, int32_t max_hp) {
  EnemyGaugeMax = max_hp;
  EnemyGaugeHp = hp;
  EnemyGaugeTimer = 255;
}

namespace {

constexpr int kHudLayer = 4;
constexpr int kHudTop = 0, kHudBottom = 18;  // the two rows of the line

// The next picture of the spinning coin.
void TurnHudCoin() {
  if (CoinP[HudCoinFrame + 1] == -1) {
    HudCoinFrame = 0;
  } else {
    ++HudCoinFrame;
  }
}

}  // namespace

void DrawHud() {
  if (HudVisible == 0) return;
  // Wide enough for any value of its type: only the line's own glyph count is drawn.
  char number[16];

  DrawHudText(32, kHudTop, "TOVIA", 5);
  std::snprintf(number, sizeof number, "%09d", static_cast<int32_t>(PlayerStats.Score));
  DrawHudText(32, kHudBottom, number, 9);

  DrawHudText(222, kHudTop, "COIN", 4);
  TurnHudCoin();
  PushCell(kHudLayer, 1, kScreenCoords, 222, kHudBottom, kHudCoinCell + CoinP[HudCoinFrame]);
  // Queued after the coin: its first glyph, the blank '=', lies on the coin.
  std::snprintf(number, sizeof number, "=;%02d", PlayerStats.Coins);
  DrawHudText(222, kHudBottom, number, 4);

  DrawHudText(360, kHudTop, "WORLD", 5);
  DrawHudText(360, kHudBottom, WorldName, static_cast<int>(strnlen(WorldName, sizeof WorldName)));
}

// ---- cell fonts ----------------------------------------------------------------------------

namespace {

// The character code as the fonts count it (a byte above 0x7F counts below zero).
int CharCode(char c) { return static_cast<signed char>(c); }

}  // namespace

void DrawHudText(int x, int y, const char* text, int n) {
  for (int k = 0; k < n; ++k) PushCell(kHudLayer, 1, kScreenCoords, x + 16 * k, y, CharCode(text[k]) - 47);
}

void DrawMenuText(int layer, int x, int y, const char* text, int n, int base) {
  for (int k = 0; k < n; ++k) PushCell(layer, 1, kScreenCoords, x + 16 * k, y, base + CharCode(text[k]) - 48);
}

void DrawPanelText(int x, int y, const char* text, int n, int base) {
  for (int k = 0; k < n; ++k) DrawCell(x + 16 * k, y, kCellSize, kCellSize, base + CharCode(text[k]) - 48);
}

void DrawPanelTextSmall(int x, int y, const char* text, int n) {
  for (int k = 0; k < n; ++k) DrawCell(x + 8 * k, y, kCellSize, kCellSize, CharCode(text[k]) + 161);
}

// ---- framed box ----------------------------------------------------------------------------

void DrawFrameBox(int left, int top, int right, int bottom, uint32_t colour, uint32_t solid) {
  const int w = right - left, h = bottom - top;
  auto line = [](int x, int y, int width, int height, uint32_t c) {
    PushFillRect(kHudLayer, 1, kScreenCoords, x, y, width, height, c);
  };
  if (solid != 0) {
    line(left, top, w, h, colour);
  } else {
    for (int x = left; x < right; x += 2) line(x, top, 1, h, colour);
  }
  constexpr uint32_t kBlack = 0x000000, kLight = 0xFFEEAA;
  for (int y : {top - 1, top - 5, top - 7, bottom, bottom + 4, bottom + 6}) line(left - 7, y, w + 14, 1, kBlack);
  for (int x : {left - 1, left - 5, left - 7, right, right + 4, right + 6}) line(x, top - 6, 1, h + 12, kBlack);
  // Pushed after the black lines, so the light ones lie over them where they cross.
  for (int y : {bottom + 1, bottom + 5, top - 2, top - 6}) line(left - 6, y, w + 12, 1, kLight);
  for (int x : {left - 2, left - 6, right + 1, right + 5}) line(x, top - 6, 1, h + 11, kLight);
}
