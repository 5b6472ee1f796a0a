// Reading the device-independent bitmaps that the resources hold (uncompressed, 8 bits with a
// palette, 24 or 32 bits, bottom-up or top-down).
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapInfo {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  bool top_down = false;
  const uint8_t* palette = nullptr;  // 4 bytes an entry: blue, green, red, unused
  int palette_count = 0;
  const uint8_t* bits = nullptr;
  size_t stride = 0;  // bytes a row, padded to 4
};

// Checks the headers and that every row lies inside the data; false for anything else.
bool ParseBitmap(const uint8_t* data, size_t size, BitmapInfo& info);
// Row y (0 is the top row) as 0x00RRGGBB pixels; `n` pixels from the left, at most the width.
void ReadBitmapRow(const BitmapInfo& info, int y, uint32_t* out, int n);
