// Text: one line of a help bar or message window drawn from a warm glyph cache must cost well
// under 10 µs.
#include <benchmark/benchmark.h>

#include "platform/graphics.h"
#include "platform/text.h"

namespace {

// 48 bytes: half-width katakana, ASCII, kanji, and trail bytes that are 0x5C.
constexpr char kLine[] = "[ﾒﾆｭｰ:ESC][画面切替:TAB][ｱｲﾃﾑ切替:A/S]表示能力ソ";
static_assert(sizeof kLine - 1 == 48);

void BM_TextLine48(benchmark::State& state) {
  AllocateSurface(Surfaces[kBackBuffer], kScreenWidth, kScreenHeight);
  DrawTextRgb(0, 0, kLine, 18, "MS Gothic", 255, 255, 255);  // warms the cache
  for (auto _ : state) {
    DrawTextRgb(0, 20, kLine, 18, "MS Gothic", 255, 255, 255);
    benchmark::ClobberMemory();
  }
  FreeSurface(Surfaces[kBackBuffer]);
}
BENCHMARK(BM_TextLine48);

}  // namespace
