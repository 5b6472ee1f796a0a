// The blits every frame is made of: a keyed full-screen blit must cost about what a plain copy
// of the same bytes costs.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "platform/graphics.h"
#include "platform/surface.h"

namespace {

// A source like the pictures the game blits: 16 x 16 cells, a third of them empty (transparent
// black), a third solid tiles, a third round sprites with transparent corners.
void FillMixed(Surface& s) {
  std::mt19937 rng(7);
  for (int cy = 0; cy < s.height / 16; ++cy) {
    for (int cx = 0; cx < s.width / 16; ++cx) {
      const int kind = static_cast<int>(rng() % 3);
      const uint32_t colour = (rng() & 0xFFFFFF) | 0x010101;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          const int dx = 2 * x - 15, dy = 2 * y - 15;
          const bool inside = kind == 1 || (kind == 2 && dx * dx + dy * dy < 200);
          s.Row(cy * 16 + y)[cx * 16 + x] = inside ? colour ^ static_cast<uint32_t>(x * 3 + y) : 0;
        }
      }
    }
  }
}

struct Screens {
  Surface dst, src;
  Screens() {
    AllocateSurface(dst, 640, 480);
    AllocateSurface(src, 640, 480);
    FillMixed(src);
    src.keyed = true;
  }
};

void BM_CopyFullScreen(benchmark::State& state) {
  Screens s;
  for (auto _ : state) {
    std::memcpy(s.dst.pixels, s.src.pixels, 640 * 480 * sizeof(uint32_t));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyFullScreen);

void BM_KeyedBlitFullScreen(benchmark::State& state) {
  Screens s;
  for (auto _ : state) {
    px::Blit(s.dst, Rect{0, 0, 640, 480}, s.src, Rect{0, 0, 640, 480});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedBlitFullScreen);

void BM_KeyedStretchBlit(benchmark::State& state) {
  Screens s;
  for (auto _ : state) {
    px::Blit(s.dst, Rect{0, 0, 640, 480}, s.src, Rect{0, 0, 320, 240});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedStretchBlit);

void BM_CellBlits4000(benchmark::State& state) {
  Display.bits_per_pixel = 32;
  Display.CellSize.width = Display.CellSize.height = 16;
  for (int i = 1; i < kSurfaceCount; ++i) {
    AllocateSurface(Surfaces[i], 640, 480);
    FillMixed(Surfaces[i]);
    Surfaces[i].keyed = i >= 2;
  }
  for (auto _ : state) {
    for (int i = 0; i < 4000; ++i) DrawCell((i * 37) % 640 - 8, (i * 53) % 480 - 8, 16, 16, (i * 7) % 4800);
    benchmark::ClobberMemory();
  }
  for (Surface& s : Surfaces) FreeSurface(s);
}
BENCHMARK(BM_CellBlits4000)->Unit(benchmark::kMicrosecond);

}  // namespace
