// A busy frame's picture: the far picture, four map layers full of tiles scrolling 3 pixels a
// frame on both axes, 2,000 queued cells and 20 lines of text. Target: under 1.5 ms a frame.
#include <benchmark/benchmark.h>

#include <random>

#include "platform/graphics.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

namespace {

constexpr int kSheetBitmap = 117;  // the sheet every scene uses, in all four places

void SetUpBusyScene() {
  Display.bits_per_pixel = 32;
  Display.ColorKey = 0;
  Display.CellSize.width = Display.CellSize.height = 16;
  for (int i = kBackBuffer; i < kSurfaceCount; ++i) {
    AllocateSurface(Surfaces[i], kScreenWidth, kScreenHeight);
    Surfaces[i].keyed = i >= kFirstRingSurface;
    if (i >= kFirstSheetSurface) LoadBitmapToSurface(kSheetBitmap, i);
  }
  InitBgLayers();
  InitScreen(6400, 4800, kScreenWidth, kScreenHeight);
  SetBackPictureMode(1);
  // The far picture in the event layer's ring, which is never drawn into.
  BgLayers.LayerEnabled[kEventLayer] = 0;
  Surface& picture = Surfaces[kFirstRingSurface + kEventLayer];
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) picture.Row(y)[x] = 0x102030u + static_cast<uint32_t>((x / 8) ^ y);
  std::mt19937 rng(5);
  for (int layer = 0; layer < 4; ++layer)
    for (int i = 0; i < kTilesPerLayer; ++i) BgLayers.TileBuffer[layer * kTilesPerLayer + i] = 1 + rng() % 4799;
  SetCameraPosition(2000, 2000);
  RedrawAllLayers();
}

void QueueBusyFrame(int frame) {
  const int cx = GetCameraX(), cy = GetCameraY();
  for (int i = 0; i < 2000; ++i)
    PushCell(1 + i % 3, 1, kWorldCoords, cx + (i * 37 + frame) % 660 - 10, cy + (i * 53) % 500 - 10, (i * 7) % 4800);
  for (int i = 0; i < 20; ++i)
    PushText(4, 1, kScreenCoords, 8, 8 + i * 22, 0xFFFFFF, 16, "ＭＳ ゴシック", "ＨＰ 120/120  ＭＰ 30/30  Lv.12");
}

void BM_RenderFrameBusy(benchmark::State& state) {
  SetUpBusyScene();
  int frame = 0;
  for (auto _ : state) {
    const int step = (frame / 256) % 2 == 0 ? 3 : -3;  // back and forth, away from the world's seam
    QueueBusyFrame(frame);
    SetScroll(step, step);
    RenderFrame();
    benchmark::ClobberMemory();
    ++frame;
  }
  FreeBgLayers();
  for (Surface& s : Surfaces) FreeSurface(s);
}
BENCHMARK(BM_RenderFrameBusy)->Unit(benchmark::kMicrosecond);

}  // namespace
