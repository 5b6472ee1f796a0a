// The heroine's progression on the PlayerStats record of the save block: the damage of one hit,
// score and coins, money, experience with its level-ups, the level tables and the equipment
// bonuses, and the fighting values derived from them.
#pragma once

#include <cstdint>

#include "world/save_block.h"

constexpr int32_t kMaxLevel = 21;      // the last row of the level tables
constexpr int32_t kExpCap = 999999;
constexpr int32_t kMoneyCap = 999999;
constexpr uint32_t kScoreWrap = 999999999;  // a score that reaches this becomes 0

// The damage of one hit of `attack` against `defense`; callers pass kind 0. Never negative.
int32_t ComputeDamage(int32_t attack, int32_t defense, int32_t kind);

// Experience and the same amount of score; raises the level as often as the EXP reaches the
// next row, each level with a full refill, sound 12 and a "LEVELUP:" text over the heroine.
void AddExp(int32_t n);
// Score += n; a score of 999,999,999 or more becomes 0.
void AddScore(uint32_t n);
// One coin (100 coins become 0), 20 points and sound 1.
void CollectCoin();
// 1 when applied (capped at 999999), 0 when it would make the money negative.
uint32_t AddMoney(int32_t n);
// 1 when paid (a negative n refunds, capped at 999999), 0 when the money is less than n.
uint32_t SpendMoney(int32_t n);

// Attack, Defense and Efficiency from the level, the equipped items and BODY ROCK PROTECTION: of
// the game's record, or of another (a save's as it loads).
void RecalcHeroineStats();
void RecalcHeroineStats(PlayerStatsRecord& p);
// MaxHp and MaxMp from the level; HP and MP filled.
void RefillHeroineHpMp();

// One row of the level tables; a level below 0 reads row 0, above 21 row 21.
int32_t ExpForLevel(int32_t level);  // the EXP needed to reach the level
int32_t AttackForLevel(int32_t level);
int32_t DefenseForLevel(int32_t level);
int32_t EfficiencyForLevel(int32_t level);
int32_t MaxHpForLevel(int32_t level);
int32_t MaxMpForLevel(int32_t level);

// The bonus of an equipped ring, choker or pendant (one bit, or 0 for nothing).
int32_t RingAttackBonus(uint32_t equipped);
int32_t ChokerDefenseBonus(uint32_t equipped);
int32_t PendantEfficiencyBonus(uint32_t equipped);
// 0 for no bit; else 1 + the number of the lowest set bit among bits 0..8, 0 when none of them
// is set.
uint32_t EquipIndex(uint32_t mask);

// A floating text (group 111, font letter `font`) rising from the middle of the top of the
// heroine's BodyBox.
void SpawnTextOverHeroine(int font, const char* text);
