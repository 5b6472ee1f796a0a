#include "ui/hud.h"

uint32_t HudVisible = 0;
int32_t HudCoinFrame = 0;
int32_t EnemyGaugeTimer = 0;
int32_t EnemyGaugeHp = -1;
int32_t EnemyGaugeMax = -1;

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
