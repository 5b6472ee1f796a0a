// The HUD: the line of cell-font text across the top of the screen and the state that the status
// panel at the bottom reads. One flag shows or hides both. Also the drawing routines that the
// HUD, the status panel and the menus share: four ways to write a string as a row of 16 x 16
// sprite cells, and a framed box.
#pragma once

#include <cstdint>

// 1 shows the HUD line and the status panel, 0 hides both. Not saved: the new game and the
// title hide it, a loaded game and the opening show it.
extern uint32_t HudVisible;
// Index into the spinning coin's frame table.
extern int32_t HudCoinFrame;
// The enemy gauge: frames it stays lit (255 on each hit, counted down by the status panel; 0 is
// dark), and the life and maximum life of the last enemy hit (-1 after ResetHud).
extern int32_t EnemyGaugeTimer;
extern int32_t EnemyGaugeHp;
extern int32_t EnemyGaugeMax;

// The spinning coin: 8 pictures (cells 295 + value), 3 frames each, then -1 to start over.
constexpr int kHudCoinCell = 295;
extern const int32_t CoinP[25];

void ShowHud();
void HideHud();
// The same switch under the names its other callers use.
inline void EnableHud() { ShowHud(); }
inline void DisableHud() { HideHud(); }

// The new game's state of the HUD: the enemy gauge dark and empty, the coin at its first frame.
void ResetHud();
// Lights the enemy gauge with an enemy's life after a hit.
void ShowEnemyGauge(int32_t hp, int32_t max_hp);

// The HUD line: name and score, coins with the spinning coin, the world's name, queued on draw
// layer 4. Once a frame while the world runs; nothing (and the coin stands) while hidden.
void DrawHud();

// ---- cell fonts ----------------------------------------------------------------------------
// Each draws exactly n characters of text from (x, y), one 16 x 16 cell a character, nothing
// when n < 1. The fonts hold '0' to 'Z'; a character whose cell falls outside the sheets leaves
// a gap.
// The menu and panel fonts: values, labels (and the highlighted entry), warnings.
constexpr int kFontValue = 80;
constexpr int kFontLabel = 123;
constexpr int kFontWarning = 166;

// The HUD font (cell ch - 47), queued on draw layer 4 in screen pixels, 16 pixels apart.
void DrawHudText(int x, int y, const char* text, int n);
// A menu font (cell base + ch - 48), queued on the given draw layer in screen pixels.
void DrawMenuText(int layer, int x, int y, const char* text, int n, int base);
// A panel font (cell base + ch - 48), drawn at once on the back buffer.
void DrawPanelText(int x, int y, const char* text, int n, int base);
// The small font (cell ch + 161), drawn at once on the back buffer 8 pixels apart.
void DrawPanelTextSmall(int x, int y, const char* text, int n);

// A box filled with colour (0xRRGGBB; solid, or else in one-pixel columns at every second x)
// inside a black and light double border, queued on draw layer 4 in screen pixels.
void DrawFrameBox(int left, int top, int right, int bottom, uint32_t colour, uint32_t solid);
