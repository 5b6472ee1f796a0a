#include "support/map_builder.h"

#include "platform/graphics.h"
#include "world/map_layers.h"

uint32_t TestSheetPixel(uint32_t cell, int x, int y) {
  if ((x + 2 * y + static_cast<int>(cell)) % 7 == 0) return 0;
  return ((cell * 2654435761u ^ static_cast<uint32_t>(x << 4 | y) * 40503u) & 0xFFFFFF) | 0x000100;
}

void PaintTestSheets() {
  for (uint32_t cell = 0; cell < static_cast<uint32_t>(kCellCount); ++cell) {
    Surface& sheet = Surfaces[kFirstSheetSurface + cell / kCellsPerSheet];
    const int n = static_cast<int>(cell % kCellsPerSheet);
    for (int y = 0; y < kCellSize; ++y) {
      for (int x = 0; x < kCellSize; ++x) sheet.Row((n / 40) * 16 + y)[(n % 40) * 16 + x] = TestSheetPixel(cell, x, y);
    }
  }
}

void FillLayerRandom(int layer, std::mt19937& rng) {
  for (int row = 0; row < kTileRows; ++row) {
    for (int col = 0; col < kTilesPerRow; ++col) {
      const uint32_t kind = rng() % 20;
      uint32_t value;
      if (kind < 5) value = 0;
      else if (kind < 7) value = 1200 * (1 + rng() % 4);
      else if (kind == 7) value = 4801 + rng() % 1000;
      else value = 1 + rng() % 4799;
      PutTile(col, row, layer, value);
    }
  }
}

void PutTile(int col, int row, int layer, uint32_t value) { SetTile(col * kTileSize, row * kTileSize, layer, value); }

std::vector<uint32_t> ExpectedView(int layer, int ox, int oy, const std::vector<uint32_t>& under) {
  std::vector<uint32_t> out = under;
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      const int wx = (ox + x) % 6400, wy = (oy + y) % 4800;
      const uint32_t v = GetTile(wx, wy, layer);
      if (v == 0 || v % 1200 == 0 || v >= static_cast<uint32_t>(kCellCount)) continue;
      const uint32_t p = TestSheetPixel(v, wx % 16, wy % 16);
      if (p != 0) out[static_cast<size_t>(y) * kScreenWidth + x] = p;
    }
  }
  return out;
}

std::vector<uint32_t> BackBufferPixels() {
  const Surface& back = Surfaces[kBackBuffer];
  return std::vector<uint32_t>(back.pixels, back.pixels + static_cast<size_t>(back.width) * back.height);
}

int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}
