// The signs and furniture the heroine reads or comments on when she presses Up at them: a line
// or a few, hers, the insect companion's or an attendant's, each closed by the player before
// the next; then she walks on.
#pragma once

#include <cstdint>
#include <span>

struct SignLine {
  const char* speaker;
  const char* text;
};

struct SignRow {
  int32_t number;
  std::span<const SignLine> lines;
};

extern const std::span<const SignRow> kSigns;

void RunSign(const SignRow& sign);
