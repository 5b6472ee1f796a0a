// Software surfaces: the pixel buffers every picture of the game is drawn into, and the few
// operations the graphics layer is built from (colour fills and colour-keyed blits, each clipped
// to the destination surface).
#pragma once

#include <cstdint>
#include <memory>

// A rectangle with right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
};

// A 32-bit surface: 0x00RRGGBB pixels, row after row, `width` pixels a row. A surface with a
// source colour key leaves its key-coloured pixels out when it is blitted.
struct Surface {
  std::unique_ptr<uint32_t[]> store;
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  bool keyed = false;
  uint32_t key = 0;

  bool Exists() const { return pixels != nullptr; }
  uint32_t* Row(int y) { return pixels + static_cast<ptrdiff_t>(y) * width; }
  const uint32_t* Row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * width; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// Gives the surface pixels of the given size, all black; false when the memory cannot be had.
bool AllocateSurface(Surface& s, int width, int height);
// Frees the pixels; the surface no longer exists and its contents are lost.
void FreeSurface(Surface& s);

namespace px {

// Fills `r`, clipped to the surface. -1 for an empty or inverted rectangle or a surface that
// does not exist (nothing drawn); 0 otherwise, also when the clip leaves nothing.
int Fill(Surface& dst, Rect r, uint32_t colour);

// Fills columns r.left, r.left + 2, ... of `r`, clipped to the surface.
void FillEveryOtherColumn(Surface& dst, Rect r, uint32_t colour);

// Copies `src_rect` of `src` onto `dst_rect` of `dst`, stretched with nearest-neighbour when the
// sizes differ, leaving out the source's key-coloured pixels when it has a key. The destination
// is clipped to its surface; the source position of each pixel comes from the unclipped
// rectangles, so a clipped blit draws exactly the pixels the whole one would. The source
// rectangle must lie inside its surface and both must be non-empty: otherwise -1, nothing drawn.
int Blit(Surface& dst, Rect dst_rect, const Surface& src, Rect src_rect);

// One row of a keyed copy: dst[i] = src[i] unless (src[i] & 0xFFFFFF) == key.
void CopyRowKeyed(uint32_t* dst, const uint32_t* src, int n, uint32_t key);
// The same with a plain loop: the reference the fast one is tested against.
void CopyRowKeyedReference(uint32_t* dst, const uint32_t* src, int n, uint32_t key);

}  // namespace px
