#include "platform/utils.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/graphics.h"
#include "platform/host.h"
#include "world/save_block.h"

// ---- random numbers ------------------------------------------------------------------------

namespace {

// A linear congruential generator with 15-bit results, the same on every machine, so a seed
// gives the same game everywhere.
uint32_t random_state = 1;

int NextRandom() {
  random_state = random_state * 214013u + 2531011u;
  return static_cast<int>((random_state >> 16) & 0x7FFF);
}

}  // namespace

void Randomize() { SeedRandom(static_cast<uint32_t>(host::WallClockSeconds())); }

void SeedRandom(uint32_t seed) { random_state = seed; }

int Random(int n) {
  if (n < 1) return 0;
  return NextRandom() % n;
}

// ---- distance and bits ---------------------------------------------------------------------

int32_t Distance(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  const double dx = std::abs(static_cast<double>(x0) - x1);
  const double dy = std::abs(static_cast<double>(y0) - y1);
  return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
}

int CountBits(uint32_t value) { return std::popcount(value); }

int BitIndex(uint32_t value, int n) {
  for (int k = 0; k < n && k < 32; ++k) {
    if (value == 1u << k) return k;
  }
  return 0;
}

// ---- full-width text -----------------------------------------------------------------------

namespace {

// The full-width forms of the characters 0x20 to 0x7D, two bytes each.
constexpr char kFullWidth[] =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝";
constexpr unsigned kFirstWide = 0x20;
constexpr unsigned kLastWide = 0x7D;
static_assert(sizeof kFullWidth == 2 * (kLastWide - kFirstWide + 1) + 1);

bool IsWidened(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= kFirstWide && b <= kLastWide;
}

}  // namespace

void ToFullWidth(char* text, size_t capacity) {
  if (text == nullptr || capacity == 0) return;
  // How many characters fit widened, with the NUL, into the buffer: a text too long for it is
  // cut rather than written past its end.
  const size_t length = strnlen(text, capacity);
  size_t fitting = 0;
  size_t widened_length = 0;
  for (; fitting < length; ++fitting) {
    const size_t width = IsWidened(text[fitting]) ? 2 : 1;
    if (widened_length + width > capacity - 1) break;
    widened_length += width;
  }
  // Widened from the end backwards: every character lands at or after its own place, so the
  // ones still to be read are never overwritten.
  size_t at = widened_length;
  text[at] = '\0';
  for (size_t i = fitting; i-- > 0;) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (IsWidened(text[i])) {
      at -= 2;
      text[at] = kFullWidth[2 * (b - kFirstWide)];
      text[at + 1] = kFullWidth[2 * (b - kFirstWide) + 1];
    } else {
      text[--at] = static_cast<char>(b);
    }
  }
}

// ---- sheets and colours --------------------------------------------------------------------

void ReloadSheetBitmaps() {
  ClearSurfaceBitmapIds();
  for (int i = 0; i < 64; ++i) {
    if (SceneBitmapIds[i] != -1) SetSurfaceBitmapId(i, SceneBitmapIds[i]);
  }
  LoadAllSheetBitmaps();
}

uint32_t MakeRgb(int r, int g, int b) { return MakeColor(r, g, b); }
