// Small digits for the pictures people look at (the contact sheets' cell numbers, the map
// previews' layer-4 values): 3 x 5 pixels each, one pixel apart, drawn `size` times as large.
#pragma once

#include <cstdint>
#include <string>

#include "image.h"

namespace digits {

constexpr int kWidth = 3, kHeight = 5, kPitch = 4;

// One row of bits a line, the leftmost pixel the highest bit.
inline constexpr uint8_t kGlyphs[10][kHeight] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

// The width in pixels that Draw takes for n.
inline int Width(int n, int size = 1) { return (static_cast<int>(std::to_string(n).size()) * kPitch - 1) * size; }

// Draws the decimal digits of n (n >= 0) with their top-left at (x, y).
inline void Draw(Image& img, int x, int y, int n, uint32_t colour, int size = 1) {
  for (char ch : std::to_string(n)) {
    const uint8_t* glyph = kGlyphs[ch - '0'];
    for (int j = 0; j < kHeight; ++j)
      for (int i = 0; i < kWidth; ++i)
        if (glyph[j] & (4 >> i)) img.Fill(x + i * size, y + j * size, size, size, colour);
    x += kPitch * size;
  }
}

}  // namespace digits
