// The window icons 194 (32 x 32) and 195 (16 x 16): a violet magic orb with a gold star, the
// heroine's magic bullet.
#include "icons.h"

#include <cmath>

#include "palette.h"

namespace {

Image DrawOrb(int size) {
  Image img(size, size);
  const double c = (size - 1) / 2.0;
  const double r = size / 2.0 - 1;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - c, y - c);
      if (d > r) continue;
      // Light from the top left: lighter towards it, darker away.
      const double lit = ((x - c) + (y - c)) / (2 * r);
      uint32_t colour = lit < -0.35 ? pal::PurpleLight : lit < 0.25 ? pal::Purple : pal::ShadowDeep;
      if (d > r - 1.2) colour = pal::Outline;
      img.Put(x, y, colour);
    }
  }
  // A four-pointed star in the middle and a highlight at the top left.
  const int m = size / 2;
  const int arm = size / 4;
  for (int i = -arm; i <= arm; ++i) {
    img.Put(m + i, m, pal::Yellow);
    img.Put(m, m + i, pal::Yellow);
  }
  img.Fill(m - size / 16, m - size / 16, size / 8 + 1, size / 8 + 1, pal::White);
  img.Put(size / 4 + 1, size / 4 + 1, pal::White);
  return img;
}

}  // namespace

void DrawIcons(Output& out) {
  out.Icon(194, DrawOrb(32));
  out.Icon(195, DrawOrb(16));
}
