// The generator's pixel font: the 43 characters '0' to 'Z' of the game's cell fonts in 5 x 7
// pixels, plus the few shapes the fonts use instead of some of them.
#pragma once

namespace font5x7 {

constexpr int kWidth = 5;
constexpr int kHeight = 7;

// Glyph of character ch ('0'..'Z'), 7 rows of 5 characters, '#' set; nullptr outside the range.
const char* const* Glyph(char ch);
// Extra shapes: a multiplication sign, a middle dot and a slash.
extern const char* const kTimes[kHeight];
extern const char* const kDot[kHeight];
extern const char* const kSlash[kHeight];

}  // namespace font5x7
