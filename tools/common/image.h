// A picture being drawn by the asset generator: 0x00RRGGBB pixels, pure black transparent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t Get(int x, int y) const { return Inside(x, y) ? pixels[static_cast<size_t>(y) * width + x] : 0; }
  // The pixel at (x, y) with both coordinates wrapped into the picture (for tiling patterns).
  uint32_t Wrapped(int x, int y) const {
    return pixels[static_cast<size_t>(((y % height) + height) % height) * width + ((x % width) + width) % width];
  }
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
  // Copies `src` with its top-left at (x, y); transparent source pixels are skipped.
  void Blit(const Image& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
      for (int i = 0; i < src.width; ++i)
        if (uint32_t c = src.Get(i, j)) Put(x + i, y + j, c);
  }
  // Copies `src` whole, transparent pixels included.
  void Paste(const Image& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
      for (int i = 0; i < src.width; ++i) Put(x + i, y + j, src.Get(i, j));
  }
  // The w x h part of the picture from (x, y).
  Image Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) out.Put(i, j, Get(x + i, y + j));
    return out;
  }
  // The picture turned left to right.
  Image Mirrored() const {
    Image out(width, height);
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) out.Put(width - 1 - i, j, Get(i, j));
    return out;
  }
  bool Empty() const {
    for (uint32_t p : pixels)
      if (p) return false;
    return true;
  }
};

// The top-left pixel of cell n (0..1199) of a 640 x 480 sheet of 16 x 16 cells.
inline int CellX(int n) { return (n % 40) * 16; }
inline int CellY(int n) { return (n / 40) * 16; }

// Puts `picture` into the sheet with its top-left at cell `n`: a w x h block of cells
// n + i + 40 j, as the game draws sprites wider than one cell. Transparent pixels are skipped.
inline void PutBlock(Image& sheet, int n, const Image& picture) { sheet.Blit(picture, CellX(n), CellY(n)); }
