#include "world/flags.h"

#include <algorithm>
#include <iterator>

#include "world/save_block.h"

namespace {

// Flag n of a bank is the nibble n mod 8 (the low nibble first) of word n / 8. Negative banks
// and indices would lie before the tables; they are clamped to 0 like the large ones to the end.
struct FlagPlace {
  int bank, word, shift;
};

FlagPlace Place(int bank, int index) {
  bank = std::clamp(bank, 0, kFlagBankCount - 1);
  index = std::clamp(index, 0, kFlagsPerBank - 1);
  return FlagPlace{bank, index / 8, 4 * (index % 8)};
}

}  // namespace

uint32_t GetFlag(const FlagBankTable& banks, int bank, int index) {
  const FlagPlace p = Place(bank, index);
  return (banks[p.bank][p.word] >> p.shift) & 0xF;
}

void SetFlag(FlagBankTable& banks, int bank, int index, int value) {
  const uint32_t nibble = value >= 16 ? 15u : static_cast<uint32_t>(value) & 0xF;
  const FlagPlace p = Place(bank, index);
  uint32_t& word = banks[p.bank][p.word];
  word = (word & ~(0xFu << p.shift)) | nibble << p.shift;
}

uint32_t GetFlag(int bank, int index) { return GetFlag(FlagBanks, bank, index); }

void SetFlag(int bank, int index, int value) { SetFlag(FlagBanks, bank, index, value); }

void ClearFlagBank(int bank) {
  if (bank < 0 || bank >= kFlagBankCount) return;
  std::fill(std::begin(FlagBanks[bank]), std::end(FlagBanks[bank]), 0u);
}

void ClearAllFlags() {
  for (int bank = 0; bank < kFlagBankCount; ++bank) ClearFlagBank(bank);
}
