// The heroine's items on the PlayerStats record: the catalogue of the six categories (names,
// icons, values and descriptions), the bag of consumables, the cursor over owned bits, the use
// of a consumable, the casting of the equipped magic tool and the end of every spell.
//
// Owned items are bit masks: bit k is the item of description index k + 1, index 0 standing for
// nothing equipped or selected. Consumables are ids 1..8 in the seven used slots of the bag.
#pragma once

#include <cstdint>

// The categories, as the descriptions and the pause menu's equipment page number them.
constexpr uint32_t kCategoryRings = 0;
constexpr uint32_t kCategoryChokers = 1;
constexpr uint32_t kCategoryPendants = 2;
constexpr uint32_t kCategoryMagicTools = 3;
constexpr uint32_t kCategoryConsumables = 4;
constexpr uint32_t kCategorySpecialItems = 5;

// The top-left cell of each category's first 2 x 2 icon; item k (bit number, or consumable id)
// starts at base + 2k, its other cells at +1, +40 and +41.
constexpr int kItemIconBase[6] = {896, 1056, 882, 1042, 1120, 962};

constexpr int kBagSlots = 7;                   // Bag[0..6]; the eighth entry is never used
constexpr uint32_t kNoOwnedBit = 0xFFFFFFFFu;  // NextOwnedBit past either end
constexpr int kDescriptionLineSize = 255;      // the buffers ItemDescription fills
constexpr int kShortNameSize = 16;             // the buffers of the short names

// The spell slots: SpellLevel and SpellTimer by the bit number of the magic tool.
constexpr int kSpellBodyRock = 1;   // SHEELD=BOOK: BODY ROCK PROTECTION
constexpr int kSpellRepulsive = 2;  // OLD=NOTE: REPULSIVE FORCE
constexpr int kSpellClockUp = 4;    // TACHYON=CLOCK: CLOCK UP
// The highest level casting raises a slot to: 8 for BODY ROCK PROTECTION, 1 for REPULSIVE FORCE
// and CLOCK UP, 0 for the slots no magic tool casts.
int32_t SpellLevelCap(int slot);

// Stores id in the first empty bag slot: 1, or 0 when all seven are full.
uint32_t AddToBag(uint32_t id);
// Property 0 HP gain, 1 MP gain, 2 buy price, 3 sell price of consumable id; 0 for an id above
// 8 or a property above 3.
int32_t ItemValue(uint32_t id, uint32_t property);
// The short name of a consumable ("NO:ITEM" for 0 and for any id above 8), into at least 16 bytes.
void ConsumableName(uint32_t id, char* out);
// The short name of a magic tool by its bit value ("UNSLECTED" for 0), into at least 16 bytes;
// an empty string for a value that names no tool.
void MagicToolName(uint32_t bitValue, char* out);
// The five description lines of the item of `index` in `category` into five buffers of 255
// bytes; lines the item does not fill, and every line of an index beyond its category's rows,
// are empty strings.
void ItemDescription(char* line0, char* line1, char* line2, char* line3, char* line4, uint32_t category,
                     uint32_t index);

// The next owned value after `current` up (direction 1) or down (any other direction) the chain
// 0, 1, 2, 4, ..., 8192: up skips unowned bits, down always stops at 0. kNoOwnedBit past either
// end and for a current value that is not 0 or a single bit up to 8192; the caller keeps its value.
uint32_t NextOwnedBit(int32_t direction, uint32_t current, uint32_t owned);

// OwnedSpecialItems |= bits.
void GiveSpecialItem(uint32_t bits);
// 1 when every bit of bits is owned.
uint32_t HasSpecialItem(uint32_t bits);

// Uses the consumable under BagCursor: HP and MP up to their maxima, sound 3, the slot emptied
// and "DIET@" with its name rising over the heroine; an empty slot plays sound 20.
void UseBagItem();
// Casts the equipped magic tool: BEETLE sounds, SHEELD=BOOK, OLD=NOTE and TACHYON=CLOCK start or
// raise their spell (with an aura, a text, a white flash and sound 21) while MP lasts and below
// the cap, every other tool and none purges every spell.
void CastMagic();
// Every SpellLevel and SpellTimer := 0.
void ClearSpells();
