#include "actors/items.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/player_stats.h"
#include "audio/sound_slots.h"
#include "world/camera.h"
#include "world/save_block.h"

// ---- the catalogue ----------------------------------------------------------------------------
// Five description lines per item; a line left out is an empty string. Row 0 of the first four
// categories explains the category, row k + 1 is the item of bit k (of id k for consumables).

namespace {

using DescriptionRow = const char* const[5];

constexpr DescriptionRow kRingLines[] = {
    {"指輪は装備されていません", "装備すると《ＡＴＴＡＣＫ》が値向上し、", "トヴィアの攻撃力がアップします"},
    {"ＧＬＡＳＳ　ＲＩＮＧ", "ガラス玉をはめ込んだ安物の指輪。", "縁日の屋台で三百円。割れやすいので注意。"},
    {"ＳＩＬＶＥＲ　ＲＩＮＧ", "銀で作られた指輪。", "磨くほど魔力の通りが良くなるという。"},
    {"ＥＭＥＲＡＬＤ　ＲＩＮＧ", "深い緑のエメラルドを載せた指輪。", "森の民が旅人の無事を祈って贈るもの。"},
    {"ＳＡＰＰＨＩＲＥ　ＲＩＮＧ", "青く澄んだサファイアの指輪。", "持ち主の心を落ち着かせると言われている。"},
    {"ＧＡＲＮＥＴ　ＲＩＮＧ", "赤黒いガーネットの指輪。", "戦いの前に握りしめると勇気が湧くらしい。"},
    {"ＢＬＡＣＫＤＩＡ　ＲＩＮＧ", "黒いダイヤモンドの指輪。", "とても硬い。殴られた方はとても痛い。"},
    {"ＪＥＷＥＬＲＹ　ＲＩＮＧ", "ありとあらゆる宝石を散りばめた指輪。", "重くて指が疲れるが、威力は折り紙付き。",
     "値段は聞かない方が良い。"},
};

constexpr DescriptionRow kChokerLines[] = {
    {"首輪は装備されていません。", "首輪を装備すると＜ＤＥＦＥＮＳＥ＞が値向上し、", "トヴィアの防御力を補います。"},
    {"ＢＬＵＥ　ＣＨＯＫＥＲ", "青い布を巻いただけの首輪。", "首元が少し涼しい。"},
    {"ＲＥＤ　ＣＨＯＫＥＲ", "赤く染めた革の首輪。", "迷子札を付ける金具が付いている。", "付ける必要は無い。"},
    {"ＬＥＡＴＨＥＲ　ＣＨＯＫＥＲ", "丈夫な牛革で作られた首輪。", "使い込むほど首になじむ。"},
    {"ＴＩＴＡＮＩＵＭ ＣＨＯＫＥＲ", "チタン合金の首輪。", "軽くて錆びないが、冬は冷たい。"},
    {"ＷＯＯＬ　ＭＵＦＦＬＥＲ", "羊毛で編んだ首巻き。", "首輪ではないが、首輪より守りが固い。"},
    {"ＢＬＡＣＫＭＯＯＮ　ＣＨＯＫＥＲ", "新月の夜に鍛えられた黒い首輪。", "月の無い夜ほど守りが固くなるという噂。"},
    {"Ｂ０１１１０　ＳＹＳＴＥＭ", "首に着ける試作型の防御装置。", "型番の意味は開発者しか知らない。",
     "時々小さな音で何かを数えている。"},
};

constexpr DescriptionRow kPendantLines[] = {
    {"ペンダントは装備されていません。", "ペンダントを装備すると＜ＥＦＦＩＣＩＥＮＣＹ＞が値向上し、",
     "特殊魔法の持続時間が長くなります。"},
    {"ＲＡＤＩＯ　ＰＥＮＤＡＮＴ", "小さなラジオの形をしたペンダント。", "耳に当てると雑音だけが聞こえる。"},
    {"ＢＲＯＮＺＥＣＲＯＳＳ　ＰＥＮＤＡＮＴ", "青銅の十字架のペンダント。", "古い教会の床下から見つかった。"},
    {"ＳＩＬＶＥＲＣＲＯＳＳ　ＰＥＮＤＡＮＴ", "銀の十字架のペンダント。", "魔物の嫌う光を放つと言われている。"},
    {"ＧＯＬＤＭＥＤＡＬ　ＰＥＮＤＡＮＴ", "金メダルのペンダント。", "何の大会で貰ったのかは誰も覚えていない。"},
    {"ＭＥＴＥＯＲＩＴＥ　ＰＥＮＤＡＮＴ", "隕石のかけらを削ったペンダント。", "空から落ちてきた魔力が宿っている。"},
    {"ＲＡＲＥＭＥＴＡＬ　ＰＥＮＤＡＮＴ", "希少金属で作られたペンダント。", "売れば一財産だが、手放す者はいない。"},
    {"ＴＡＬＩＳＭＡＮ", "古くから伝わる護符。", "身に着けた者の魔法を長持ちさせる。", "作った者の名は残っていない。"},
};

// Tools 1..6 name their spell in the second line.
constexpr DescriptionRow kMagicToolLines[] = {
    {"魔道具は装備されていません。", "装備して使うと、トヴィアを支援する様々な魔法が発動します。",
     "魔道具の支援効果は絶大で、ＭＰを多大に消費します。", "正式名称は無いが、「魔法が使える道具」なので【魔道具】又は",
     "【アミュレット（護符）】と呼ばれている。"},
    {"ＢＥＥＴＬＥ", "《ＢＥＥＴＬＥ》発動。甲虫の羽音が響き渡る。", "それ以外には何も起こらない。"},
    {"ＳＨＥＥＬＤ　ＢＯＯＫ", "《ＳＨＩＥＬＤ》発動。ＤＥＦＥＮＳＥ（防御力）をアップする",
     "重ねて唱えるほど守りは固くなるが、", "ＭＰの減りも早くなる。"},
    {"ＯＬＤ　ＮＯＴＥ", "《ＨＯＰＰＥＲ》発動。跳躍力を向上させる。", "古い魔道士の手帳。足元に反発する力場を作る。"},
    {"ＲＡＴ　ＴＡＩＬ", "《ＰＵＲＧＥ》発動。掛かっている魔法を全て解く。", "乾いたネズミのしっぽ。魔力を吸い取ってしまう。"},
    {"ＴＡＣＨＹＯＮ　ＣＬＯＣＫ", "《ＣＬＯＣＫＵＰ》の発動。。", "歩く速さが上がるが、ＭＰを激しく消費する。"},
    {"ＢＬＵＥ　ＡＭＵＬＥＴ", "《ＰＵＲＧＥ》発動。持続中の魔法を打ち消す。", "青い石の護符。守りの魔法を込める筈だったらしい。"},
    {"ＫＬＡＵＳ　ＤＯＬＬ", "クラウスにそっくりな人形。", "振ると魔法が解けてしまう。本人には内緒。"},
    {"未実装"},
};

// Id 0 is five empty lines; id 8 has no description.
constexpr DescriptionRow kConsumableLines[] = {
    {},
    {"ＨＡＭＢＵＲＧＥＲ", "ＨＰが30回復。自動販売機で購入できるハンバーガー。\n", "冷めていても味は変わらない。"},
    {"ＳＯＤＡ", "炭酸飲料水。ＭＰが15回復\n", "振ってから開けてはいけない。"},
    {"ＰＯＴＡＴＯＣＨＩＰ", "ジャガイモを油で揚げたお菓子。ＨＰ７５及びＭＰ10の回復\n", "食べた後の指は服で拭かないこと。"},
    {"ＡＱＵＡＳＷＥＡＴ", "湧き水と数種類の薬草のエキス",
     "をミックスし、砂糖で味を調えた気力回復薬。ＭＰ80の回復。"},
    {"ＥＮＥＲＧＹＯＮＥ", "栄養ドリンク。ＨＰが１００回復する。", "一日一本まで。飲み過ぎると眠れなくなる。"},
    {"未実装"},
    {"未実装"},
};

constexpr DescriptionRow kSpecialItemLines[] = {
    {"特殊アイテムは選択されていません。", "装備する必要は無く、所持しているだけで効果があります\n"},
    {"ギヤマンの鐘", "不快な音色を出す鐘"},
    {"ムーンストーン", "所在不明のアイテム", "取引所ムピで買い取ってもらえる"},
    {"未実装"},
    {"未実装"},
    {"金属のＩＤカード", "最初の地価迷宮出口の鍵。", "「サブリーダー用」と書いてある。"},
    {"未実装"},
    {"未実装"},
    {"健康保険被保険者証－１種", "病院や診療所で見せると、治療費の負担が軽くなる。",
     "毎月の保険料を納めた者だけが持つことができる。", "納付が滞ると使えなくなることもある。",
     "失くしたときは、すみやかに役所へ届け出ること。"},
    {"未実装"},
    {"未実装"},
    {"未実装"},
    {"未実装"},
    {"未実装"},
    {"未実装"},
};

struct CategoryLines {
  const DescriptionRow* rows;
  uint32_t count;
};

template <size_t N>
constexpr CategoryLines Rows(const DescriptionRow (&rows)[N]) {
  return {rows, N};
}

constexpr CategoryLines kDescriptions[] = {
    Rows(kRingLines),       Rows(kChokerLines),      Rows(kPendantLines),
    Rows(kMagicToolLines),  Rows(kConsumableLines),  Rows(kSpecialItemLines),
};

void CopyLine(char* out, const char* text) {
  std::snprintf(out, kDescriptionLineSize, "%s", text != nullptr ? text : "");
}

}  // namespace

void ItemDescription(char* line0, char* line1, char* line2, char* line3, char* line4, uint32_t category,
                     uint32_t index) {
  // Every buffer gets a line: an index beyond the category's rows (a choker of bit 7 and up,
  // which the mouse-click gift makes ownable; consumable 8) reads five empty lines instead of
  // whatever the buffers held.
  static constexpr DescriptionRow kNothing = {};
  const DescriptionRow* row = &kNothing;
  if (category < std::size(kDescriptions) && index < kDescriptions[category].count) {
    row = &kDescriptions[category].rows[index];
  }
  char* const out[5] = {line0, line1, line2, line3, line4};
  for (int i = 0; i < 5; ++i) CopyLine(out[i], (*row)[i]);
}

// ---- consumables: names and values ------------------------------------------------------------

namespace {

constexpr const char* kConsumableNames[9] = {"NO:ITEM",  "HAMBURGER", "SODA",      "POTATOCHIP", "AQUAWATER",
                                              "ENERGYONE", "NON=INPUT", "NON=IMPUT", "LASTWATER"};

// HP gain, MP gain, buy price, sell price. The description lines of ids 1 and 2 name other
// amounts; these are the ones that act.
constexpr int32_t kItemValues[9][4] = {
    {0, 0, 0, 0},         {60, 0, 300, 175},   {30, 0, 120, 60},     {75, 10, 500, 250}, {0, 80, 700, 450},
    {100, 0, 400, 200},   {500, 0, 1000, 500}, {9999, 9999, 65535, 10}, {250, 250, 1000, 500},
};

}  // namespace

int32_t ItemValue(uint32_t id, uint32_t property) {
  if (id > 8 || property > 3) return 0;
  return kItemValues[id][property];
}

void ConsumableName(uint32_t id, char* out) { std::strcpy(out, kConsumableNames[id <= 8 ? id : 0]); }

// ---- magic tools: names -----------------------------------------------------------------------

void MagicToolName(uint32_t bitValue, char* out) {
  // By bit number; bit 7 is an empty name. A value that is no tool writes an empty string too,
  // so the caller never shows what its buffer held.
  static constexpr const char* kToolNames[8] = {"BEETLE",        "SHEELD=BOOK",     "OLD=NOTE",   "RAT=TAIL",
                                                "TACHYON=CLOCK", "HIGHSHEELD=BOOK", "KLAUS=DOLL", ""};
  const char* name = "";
  if (bitValue == 0) {
    name = "UNSLECTED";
  } else {
    for (int k = 0; k < 8; ++k) {
      if (bitValue == (1u << k)) name = kToolNames[k];
    }
  }
  std::strcpy(out, name);
}

// ---- the bag ----------------------------------------------------------------------------------

uint32_t AddToBag(uint32_t id) {
  for (int i = 0; i < kBagSlots; ++i) {
    if (PlayerStats.Bag[i] == 0) {
      PlayerStats.Bag[i] = id;
      return 1;
    }
  }
  return 0;
}

// ---- the cursor over owned bits ---------------------------------------------------------------

namespace {

constexpr uint32_t kChainTop = 8192;

// The successor of a value of the chain 0, 1, 2, 4, ..., 8192; kNoOwnedBit past the end and
// for a value that is not in the chain.
uint32_t ChainStep(bool up, uint32_t value) {
  const bool in_chain = value == 0 || (value <= kChainTop && (value & (value - 1)) == 0);
  if (!in_chain) return kNoOwnedBit;
  if (up) return value == 0 ? 1 : value == kChainTop ? kNoOwnedBit : value << 1;
  return value == 0 ? kNoOwnedBit : value >> 1;
}

}  // namespace

// Walked along the chain by arithmetic rather than through lookup tables indexed by the
// current value, which comes from a save file and may be anything.
uint32_t NextOwnedBit(int32_t direction, uint32_t current, uint32_t owned) {
  uint32_t value = current;
  for (;;) {
    value = ChainStep(direction == 1, value);
    if (value == kNoOwnedBit) return kNoOwnedBit;
    if ((owned & value) == value) return value;  // 0 always passes
  }
}

// ---- special items ----------------------------------------------------------------------------

void GiveSpecialItem(uint32_t bits) { PlayerStats.OwnedSpecialItems |= bits; }

uint32_t HasSpecialItem(uint32_t bits) { return (PlayerStats.OwnedSpecialItems & bits) == bits ? 1 : 0; }

// ---- using a consumable -----------------------------------------------------------------------

namespace {

constexpr int kSoundItemUsed = 3;
constexpr int kSoundBeetle = 11;
constexpr int kSoundRefused = 20;
constexpr int kSoundSpellCast = 21;

// value + gain, or the maximum when that reaches it; taken in 64 bits so a loaded value near
// the top of the range cannot overflow.
int32_t RaiseTo(int32_t value, int32_t gain, int32_t maximum) {
  const int64_t sum = int64_t{value} + gain;
  return sum >= maximum ? maximum : static_cast<int32_t>(sum);
}

}  // namespace

void UseBagItem() {
  PlayerStatsRecord& p = PlayerStats;
  // The cursor indexes the bag: a value past the last used slot reads that slot.
  uint32_t& slot = p.Bag[std::min<uint32_t>(p.BagCursor, kBagSlots - 1)];
  const uint32_t id = slot;
  if (id == 0) {
    PlaySound(kSoundRefused);
    return;
  }
  p.Hp = RaiseTo(p.Hp, ItemValue(id, 0), p.MaxHp);
  p.Mp = RaiseTo(p.Mp, ItemValue(id, 1), p.MaxMp);
  PlaySound(kSoundItemUsed);
  slot = 0;
  char text[ActorField::TextBytes];
  char name[kShortNameSize];
  ConsumableName(id, name);
  std::snprintf(text, sizeof text, "DIET@%s", name);
  SpawnTextOverHeroine('m', text);
}

// ---- magic ------------------------------------------------------------------------------------

void ClearSpells() {
  std::fill(std::begin(PlayerStats.SpellLevel), std::end(PlayerStats.SpellLevel), 0);
  std::fill(std::begin(PlayerStats.SpellTimer), std::end(PlayerStats.SpellTimer), 0);
}

namespace {

constexpr int kAuraGroup = 116;
constexpr uint32_t kWhite = 0xFFFFFF;

// The number of the lowest set bit among bits 0..13 of the equipped tool, 14 for none.
int EquippedToolBit() {
  for (int k = 0; k < 14; ++k) {
    if (PlayerStats.EquippedMagicTool & (1u << k)) return k;
  }
  return 14;
}

// A blinking aura that rises over the heroine and follows her for 70 frames, and the spell's
// name with its level.
void ShowSpell(int auraCell, const char* format, int level) {
  const Actor heroine(kHeroineGroup, 0);
  SpawnEffectActor14(kAuraGroup, heroine.PosX() + 10, heroine.PosY() - 36, 2, 2, 0, -1, 0, 0, 1, 70, 0, 1, auraCell);
  char text[ActorField::TextBytes];
  std::snprintf(text, sizeof text, format, level);
  SpawnTextOverHeroine('m', text);
}

// A spell that a cast switches on at level 1; nothing while it is on or without MP.
bool StartSpell(int slot, int32_t timer, int auraCell, const char* format) {
  PlayerStatsRecord& p = PlayerStats;
  if (p.SpellLevel[slot] >= SpellLevelCap(slot) || p.Mp < 1) return false;
  p.SpellLevel[slot] = 1;
  p.SpellTimer[slot] = timer;
  ShowSpell(auraCell, format, 1);
  return true;
}

// BODY ROCK PROTECTION rises a level a cast up to 8, its timer shortening with the level.
bool RaiseBodyRock() {
  PlayerStatsRecord& p = PlayerStats;
  // A level below 0 can only come from a save: counted as 0, so the timer never divides by 0.
  const int32_t level = std::max(p.SpellLevel[kSpellBodyRock], 0);
  if (level >= SpellLevelCap(kSpellBodyRock) || p.Mp < 1) return false;
  p.SpellLevel[kSpellBodyRock] = level + 1;
  p.SpellTimer[kSpellBodyRock] = 128 / (level + 1);
  ShowSpell(996, "BODY@ROCK@PROTECTION:L%d", level + 1);
  return true;
}

void PurgeSpells() {
  const bool any = std::any_of(std::begin(PlayerStats.SpellLevel), std::end(PlayerStats.SpellLevel),
                               [](int32_t level) { return level != 0; });
  if (any) SpawnTextOverHeroine('m', "MAGIC@PURGE");
  ClearSpells();
  PlaySound(kSoundRefused);
}

}  // namespace

int32_t SpellLevelCap(int slot) {
  switch (slot) {
    case kSpellBodyRock:
      return 8;
    case kSpellRepulsive:
    case kSpellClockUp:
      return 1;
    default:
      return 0;
  }
}

void CastMagic() {
  bool success = false;
  switch (EquippedToolBit()) {
    case 0:
      PlaySound(kSoundBeetle);
      break;
    case kSpellBodyRock:
      success = RaiseBodyRock();
      break;
    case kSpellRepulsive:
      success = StartSpell(kSpellRepulsive, 128, 998, "REPULSIVE@FORCE@GENERATED:L%d");
      break;
    case kSpellClockUp:
      success = StartSpell(kSpellClockUp, 1, 1078, "CLOCK@UP:L%d");
      break;
    default:
      PurgeSpells();
      break;
  }
  if (success) {
    StartFlash(16, 2, kWhite);
    PlaySound(kSoundSpellCast);
  }
}
