// A picture being drawn by the asset generator: 0x00RRGGBB pixels, pure black transparent.
#pragma once

#include <cstdint>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t Get(int x, int y) const { return Inside(x, y) ? pixels[static_cast<size_t>(y) * width + x] : 0; }
  void Put(int x, int y, uint32_t c) {
    if (Inside(x, y)) pixels[static_cast<size_t>(y) * width + x] = c;
  }
  void Fill(int x, int y, int w, int h, uint32_t c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) Put(i, j, c);
  }
  void Outline(int x, int y, int w, int h, uint32_t c) {
    Fill(x, y, w, 1, c);
    Fill(x, y + h - 1, w, 1, c);
    Fill(x, y, 1, h, c);
    Fill(x + w - 1, y, 1, h, c);
  }
};

// The top-left pixel of cell n (0..1199) of a 640 x 480 sheet of 16 x 16 cells.
inline int CellX(int n) { return (n % 40) * 16; }
inline int CellY(int n) { return (n / 40) * 16; }
