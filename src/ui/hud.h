// The HUD: the line of cell-font text across the top of the screen and the state that the status
// panel at the bottom reads. One flag shows or hides both.
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

void ShowHud();
void HideHud();
// The same switch under the names its other callers use.
inline void EnableHud() { ShowHud(); }
inline void DisableHud() { HideHud(); }

// The new game's state of the HUD: the enemy gauge dark and empty, the coin at its first frame.
void ResetHud();
// Lights the enemy gauge with an enemy's life after a hit.
void ShowEnemyGauge(int32_t hp, int32_t max_hp);
