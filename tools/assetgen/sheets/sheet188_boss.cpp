// Bitmap 188 (sheet 1 of the cave and the boss room; local cells, the game adds 1200): the chain
// boss, an eye creature whose chain of links trails behind it. Every picture is 2 x 2 cells; each
// pattern's row holds its 16 directions side by side at first + 2d, direction d pointing at the
// screen angle d x 22.5 degrees (0 left, 4 up, 8 right, 12 down).
//   1, 81, 161     the head in flight (patterns 0..2, the eye pulsing)
//   241, 321, 401  the head hurt (patterns 3..5, the eye squeezed, flinching)
//   521, 601, 681  the chain's links (patterns 6..8, their glow pulsing)
// Rows 19..29 are left for the cave and boss-room tiles.
#include <cmath>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

// The direction d as a unit vector on the screen (y grows downwards).
void Heading(int d, double& hx, double& hy) {
  const double a = d * 22.5 * kPi / 180;
  hx = -std::cos(a);
  hy = -std::sin(a);
}

// The eye: a lit sphere whose iris looks along the heading, with fins trailing behind.
// `pulse` 0..2 in flight; `hurt` squeezes it shut and reddens it.
Image Eye(int d, int pulse, bool hurt) {
  double hx, hy;
  Heading(d, hx, hy);
  Image img(32, 32);
  const double cx = 16, cy = 16;
  const double r = 10.5 + (hurt ? 0 : pulse * 0.4) - (hurt && pulse == 1 ? 1 : 0);
  // Fins: two points trailing behind the sphere.
  for (int side = -1; side <= 1; side += 2) {
    const double bx = cx - hx * (r + 3) + hy * side * 6, by = cy - hy * (r + 3) - hx * side * 6;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double t = ((x + 0.5 - cx) * (bx - cx) + (y + 0.5 - cy) * (by - cy)) / ((bx - cx) * (bx - cx) + (by - cy) * (by - cy));
        if (t < 0 || t > 1) continue;
        const double px = cx + (bx - cx) * t, py = cy + (by - cy) * t;
        if (std::hypot(x + 0.5 - px, y + 0.5 - py) < 3.5 * (1 - t) + 0.6) img.Put(x, y, t > 0.6 ? pal::PurpleDark : pal::Purple);
      }
  }
  const double ix = cx + hx * r * 0.45, iy = cy + hy * r * 0.45;
  const double iris = hurt ? 3.0 : 5.0 - (pulse == 2 ? 0.6 : 0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double dist = std::hypot(dx, dy);
      if (dist > r) continue;
      const double lit = (dx + dy) / (2 * r);
      uint32_t c = lit < -0.35 ? pal::White : lit < 0.2 ? (hurt ? pal::Pink : pal::White) : lit < 0.45 ? pal::StoneLight : pal::Stone;
      // Veins near the rim, more when hurt.
      if (dist > r * 0.7 && art::Noise(x, y, 201 + pulse) < (hurt ? 0.3 : 0.08)) c = pal::Red;
      const double di = std::hypot(x + 0.5 - ix, y + 0.5 - iy);
      if (di < iris) c = di < iris * 0.45 ? pal::Outline : (hurt ? pal::Red : (di < iris * 0.75 ? pal::Purple : pal::PurpleDark));
      // Lids: squeezed almost shut when hurt, half-lowered on the third pulse.
      const double across = -dx * hy + dy * hx;  // distance from the line along the heading
      const double lid = hurt ? r * 0.25 : pulse == 2 ? r * 0.75 : r * 2;
      if (std::abs(across) > lid) c = std::abs(across) < lid + 1.2 ? pal::PurpleDark : pal::Purple;
      img.Put(x, y, c);
    }
  if (!hurt) img.Put(static_cast<int>(ix - 2), static_cast<int>(iy - 2), pal::White);  // the eye's glint
  art::AddOutline(img, pal::Outline);
  return img;
}

// A chain link lying along the heading, with a pulsing core.
Image Link(int d, int pulse) {
  double hx, hy;
  Heading(d, hx, hy);
  Image img(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
      const double along = dx * hx + dy * hy, across = -dx * hy + dy * hx;
      const double e = (along * along) / (9.5 * 9.5) + (across * across) / (6.0 * 6.0);
      const double inner = (along * along) / (5.5 * 5.5) + (across * across) / (2.6 * 2.6);
      if (e > 1) continue;
      if (inner < 1) {
        if (inner < 0.35 + pulse * 0.2) img.Put(x, y, pulse == 1 ? pal::PurpleLight : pal::Purple);
        continue;
      }
      const double lit = (dx + dy) / 20.0;
      img.Put(x, y, lit < -0.3 ? pal::StoneLight : lit < 0.25 ? pal::Stone : pal::Shadow);
    }
  art::AddOutline(img, pal::Outline);
  return img;
}

}  // namespace

void DrawChainBoss(Image& sheet) {
  static const int kFirst[9] = {1, 81, 161, 241, 321, 401, 521, 601, 681};
  for (int d = 0; d < 16; ++d) {
    for (int p = 0; p < 3; ++p) {
      PutBlock(sheet, kFirst[p] + 2 * d, Eye(d, p, false));
      PutBlock(sheet, kFirst[3 + p] + 2 * d, Eye(d, p, true));
      PutBlock(sheet, kFirst[6 + p] + 2 * d, Link(d, p));
    }
  }
}
