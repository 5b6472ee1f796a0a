#include "actors/player_stats.h"

#include <cstddef>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "audio/sound_slots.h"
#include "platform/utils.h"
#include "world/save_block.h"

// The offsets of the record that the save block does not assert already.
static_assert(offsetof(PlayerStatsRecord, Score) == 0);
static_assert(offsetof(PlayerStatsRecord, Coins) == 4);
static_assert(offsetof(PlayerStatsRecord, Hp) == 12);
static_assert(offsetof(PlayerStatsRecord, MaxMp) == 28);
static_assert(offsetof(PlayerStatsRecord, Exp) == 32);
static_assert(offsetof(PlayerStatsRecord, Level) == 36);
static_assert(offsetof(PlayerStatsRecord, Attack) == 40);
static_assert(offsetof(PlayerStatsRecord, Defense) == 44);
static_assert(offsetof(PlayerStatsRecord, Efficiency) == 48);
static_assert(offsetof(PlayerStatsRecord, OwnedPendants) == 196);
static_assert(offsetof(PlayerStatsRecord, OwnedMagicTools) == 200);
static_assert(offsetof(PlayerStatsRecord, EquipPage) == 240);
static_assert(offsetof(PlayerStatsRecord, EquippedRing) == 244);
static_assert(offsetof(PlayerStatsRecord, EquippedChoker) == 248);
static_assert(offsetof(PlayerStatsRecord, EquippedPendant) == 252);
static_assert(offsetof(PlayerStatsRecord, BagCursor) == 256);
static_assert(offsetof(PlayerStatsRecord, SelectedSpecialItem) == 260);

namespace {

constexpr int kFloatTextGroup = 111;
constexpr int kSoundCoin = 1;
constexpr int kSoundLevelUp = 12;

}  // namespace

void SpawnTextOverHeroine(int font, const char* text) {
  const ActorBox box = Actor(kHeroineGroup, 0).BodyBox();
  SpawnActorWithText(kFloatTextGroup, (box.left + box.right) / 2, box.top, font, 0, text);
}

// ---- damage -----------------------------------------------------------------------------------

int32_t ComputeDamage(int32_t attack, int32_t defense, int32_t kind) {
  int64_t result = 0;
  if (kind == 0) {
    const int32_t b = attack / 2 - defense / 4;
    result = b + Random(b / 16 + 1);
  } else if (kind == 1) {
    // Taken in 64 bits: one and a half times a large attack, tripled, would pass 32 bits.
    const int64_t b = attack / 2 + int64_t{attack} - defense / 4;
    result = (b + Random(static_cast<int>(b / 16 + 1))) * 3;
    if (result > INT32_MAX) result = INT32_MAX;
  }
  return result < 0 ? 0 : static_cast<int32_t>(result);
}

// ---- score and coins --------------------------------------------------------------------------

void AddScore(uint32_t n) {
  PlayerStats.Score += n;
  if (PlayerStats.Score >= kScoreWrap) PlayerStats.Score = 0;
}

void CollectCoin() {
  PlayerStats.Coins += 1;
  AddScore(20);
  if (PlayerStats.Coins >= 100) PlayerStats.Coins = 0;
  PlaySound(kSoundCoin);
}

// ---- money --------------------------------------------------------------------------------------
// The sums are taken in 64 bits, so a large amount or a loaded money value cannot overflow
// before the caps.

uint32_t AddMoney(int32_t n) {
  const int64_t sum = int64_t{PlayerStats.Money} + n;
  if (sum < 0) return 0;
  PlayerStats.Money = sum < kMoneyCap ? static_cast<int32_t>(sum) : kMoneyCap;
  return 1;
}

uint32_t SpendMoney(int32_t n) {
  if (PlayerStats.Money < n) return 0;
  const int64_t rest = int64_t{PlayerStats.Money} - n;
  PlayerStats.Money = rest >= kMoneyCap ? kMoneyCap : static_cast<int32_t>(rest);
  return 1;
}

// ---- level tables -----------------------------------------------------------------------------

namespace {

struct LevelRow {
  int32_t exp, attack, defense, efficiency, maxHp, maxMp;
};

// Level 2 needs the 20 EXP of level 1, and level 20 has one HP more than level 19.
constexpr LevelRow kLevelTables[kMaxLevel + 1] = {
    {0, 2, 1, 1, 20, 0},
    {20, 5, 2, 1, 20, 10},
    {20, 8, 4, 1, 40, 12},
    {60, 12, 6, 1, 80, 15},
    {120, 16, 8, 1, 120, 20},
    {180, 20, 10, 1, 180, 25},
    {300, 25, 12, 1, 240, 30},
    {400, 30, 15, 1, 320, 40},
    {750, 35, 20, 1, 480, 60},
    {1500, 40, 28, 1, 660, 66},
    {2500, 45, 36, 1, 800, 71},
    {3750, 55, 40, 1, 1200, 78},
    {5000, 70, 52, 1, 1600, 88},
    {8000, 85, 72, 1, 1980, 96},
    {12800, 100, 80, 1, 2400, 100},
    {25600, 120, 99, 1, 2800, 105},
    {51200, 140, 112, 1, 2980, 110},
    {102400, 160, 120, 1, 3200, 128},
    {204800, 190, 160, 1, 3600, 169},
    {409600, 220, 180, 1, 3980, 220},
    {655350, 255, 224, 1, 3981, 255},
    {999999, 999, 666, 10, 9999, 9999},
};

const LevelRow& LevelTableRow(int32_t level) {
  if (level < 0) level = 0;
  if (level > kMaxLevel) level = kMaxLevel;
  return kLevelTables[level];
}

}  // namespace

int32_t ExpForLevel(int32_t level) { return LevelTableRow(level).exp; }
int32_t AttackForLevel(int32_t level) { return LevelTableRow(level).attack; }
int32_t DefenseForLevel(int32_t level) { return LevelTableRow(level).defense; }
int32_t EfficiencyForLevel(int32_t level) { return LevelTableRow(level).efficiency; }
int32_t MaxHpForLevel(int32_t level) { return LevelTableRow(level).maxHp; }
int32_t MaxMpForLevel(int32_t level) { return LevelTableRow(level).maxMp; }

// ---- equipment bonuses ------------------------------------------------------------------------

uint32_t EquipIndex(uint32_t mask) {
  for (uint32_t bit = 0; bit <= 8; ++bit) {
    if (mask & (1u << bit)) return bit + 1;
  }
  return 0;
}

namespace {

struct BonusRow {
  int32_t ring, choker, pendant;
};

// By equip index: 0 nothing equipped, 1..8 bits 0..7 (bit 7 has a bonus but no item).
constexpr BonusRow kBonusTables[9] = {
    {0, 0, 0},     {10, 5, 1},    {20, 18, 2},   {40, 32, 3},    {50, 48, 10},
    {70, 66, 15},  {99, 82, 30},  {200, 180, 50}, {750, 512, 78},
};

const BonusRow& BonusRowFor(uint32_t equipped) {
  const uint32_t index = EquipIndex(equipped);
  return kBonusTables[index > 8 ? 8 : index];
}

}  // namespace

int32_t RingAttackBonus(uint32_t equipped) { return BonusRowFor(equipped).ring; }
int32_t ChokerDefenseBonus(uint32_t equipped) { return BonusRowFor(equipped).choker; }
int32_t PendantEfficiencyBonus(uint32_t equipped) { return BonusRowFor(equipped).pendant; }

// ---- derived values, refill and experience ----------------------------------------------------

void RecalcHeroineStats() { RecalcHeroineStats(PlayerStats); }

void RecalcHeroineStats(PlayerStatsRecord& p) {
  const int32_t base = ChokerDefenseBonus(p.EquippedChoker) + DefenseForLevel(p.Level);
  const int32_t spell = p.SpellLevel[1] != 0 ? (base / 2) * p.SpellLevel[1] : 0;
  p.Defense = base + spell;
  p.Attack = RingAttackBonus(p.EquippedRing) + AttackForLevel(p.Level);
  p.Efficiency = PendantEfficiencyBonus(p.EquippedPendant) + EfficiencyForLevel(p.Level);
}

void RefillHeroineHpMp() {
  PlayerStatsRecord& p = PlayerStats;
  p.MaxHp = MaxHpForLevel(p.Level);
  p.Hp = p.MaxHp;
  p.MaxMp = MaxMpForLevel(p.Level);
  p.Mp = p.MaxMp;
}

void AddExp(int32_t n) {
  PlayerStatsRecord& p = PlayerStats;
  AddScore(static_cast<uint32_t>(n));
  const int64_t exp = int64_t{p.Exp} + n;
  p.Exp = exp >= kExpCap ? kExpCap : exp < 0 ? 0 : static_cast<int32_t>(exp);
  // The level is tested first, so a loaded level at the top of its range is never stepped past.
  while (p.Level < kMaxLevel && ExpForLevel(p.Level + 1) <= p.Exp) {
    p.Level += 1;
    RecalcHeroineStats();
    RefillHeroineHpMp();
    PlaySoundSlot(kSoundLevelUp);
    SpawnTextOverHeroine('b', "LEVELUP:");
  }
}
