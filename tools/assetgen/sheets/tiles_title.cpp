// Bitmap 199 (sheet 2 of the title scene): the backdrop of the title menu.
// Standard places (tiles.h): ground = violet stone, blocks = gold-rimmed panels, third = night
// glass; walls: A a violet damask, B a starry night, C deep shade, D dark panels.
// Theme pieces (local cells): an ornamental frame of 1 x 1 pieces:
//   320, 321, 322  top-left corner, top edge (repeats), top-right corner
//   360, 362       left edge, right edge (repeat down);  361 the frame's inside (repeats)
//   400, 401, 402  bottom-left corner, bottom edge, bottom-right corner
//   323, 324 / 363, 364   a medallion with a star (2 x 2)
//   325       a small star       326  a bigger star
#include <cmath>

#include "tiles.h"

namespace {

uint32_t Damask(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  const int dx = std::abs(mx - 16), dy = std::abs(my - 16);
  const double leaf = std::abs(std::hypot(dx, dy * 1.6) - 9);
  if (leaf < 1.0) return pal::Purple;
  if (dx + dy < 3) return pal::PurpleLight;
  if (mx < 2 && my < 2) return pal::Purple;
  return pal::PurpleDark;
}

uint32_t StarryNight(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  const double n = art::Noise(mx, my, 171);
  if (n > 0.985) return pal::White;
  if (n > 0.97) return pal::SkyLight;
  return art::Bayer(mx, my) < my / 64.0 ? pal::PurpleDark : pal::Night;
}

// A frame piece; kind 0..8 reads like a 3 x 3 patch (0 top-left ... 8 bottom-right).
Image FramePiece(int kind) {
  Image img(16, 16);
  const int col = kind % 3, row = kind / 3;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t c = Damask(x, y);
      const bool near_left = col == 0 && x < 6, near_right = col == 2 && x > 9;
      const bool near_top = row == 0 && y < 6, near_bottom = row == 2 && y > 9;
      const int d = std::min({near_left ? x : 99, near_right ? 15 - x : 99, near_top ? y : 99, near_bottom ? 15 - y : 99});
      if (d == 0) c = pal::Outline;
      else if (d == 1) c = pal::GoldDark;
      else if (d == 2) c = pal::Yellow;
      else if (d == 3) c = pal::Orange;
      else if (d == 4) c = pal::Outline;
      img.Put(x, y, c);
    }
  if (kind == 0 || kind == 2 || kind == 6 || kind == 8) {
    const int cx = col == 0 ? 4 : 11, cy = row == 0 ? 4 : 11;
    art::FillEllipse(img, cx + 0.5, cy + 0.5, 2.5, 2.5, pal::Yellow);
    img.Put(cx, cy, pal::White);
  }
  return img;
}

Image Medallion() {
  art::Canvas c(32, 32);
  c.Disc(16, 16, 15, c.Part(pal::kGold));
  c.Disc(16, 16, 11.5, c.Part(pal::kPurple));
  const int star = c.Part({pal::White, pal::Yellow, pal::Orange});
  std::vector<std::pair<double, double>> pts;
  for (int k = 0; k < 10; ++k) {
    const double a = -3.14159 / 2 + k * 3.14159 / 5, r = k % 2 ? 4 : 9.5;
    pts.push_back({16 + std::cos(a) * r, 16 + std::sin(a) * r});
  }
  c.Poly(pts, star);
  return c.Render();
}

Image SmallStar(int size) {
  Image img(16, 16);
  for (int i = -size; i <= size; ++i) {
    img.Put(8 + i, 8, std::abs(i) < 2 ? pal::White : pal::Yellow);
    img.Put(8, 8 + i, std::abs(i) < 2 ? pal::White : pal::Yellow);
  }
  if (size > 3)
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j) img.Put(8 + i, 8 + j, pal::White);
  return img;
}

}  // namespace

void DrawTitleTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {[](int x, int y, int v) { return StoneBrick(x, y, v, pal::kPurple, pal::PurpleDark); },
                               [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::PurpleLight : 0u; }, pal::kPurple});
  DrawTerrain(sheet, kBlock, {[](int x, int y, int) { return Damask(x, y); },
                              [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::Yellow : 0u; }, pal::kGold});
  DrawTerrain(sheet, kThird, {[](int x, int y, int) { return StarryNight(x, y); },
                              [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::SkyLight : 0u; }, pal::kDeepBlue});
  DrawWall(sheet, kWallA, Damask);
  DrawWall(sheet, kWallB, StarryNight);
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.1 ? pal::PurpleDark : pal::Night; });
  DrawWall(sheet, kWallD, [](int x, int y) { return StoneBrick(x, y, 0, pal::kDark, pal::Night); });
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kGold);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, pal::kPurple);
  DrawWindow(sheet, kWindow, pal::kGold, {pal::SkyLight, pal::SkyDark, pal::Night});
  DrawDoorway(sheet, kDoorway, pal::kGold, pal::kPurple);
  DrawOpening(sheet, kOpening, pal::kGold);

  for (int k = 0; k < 9; ++k) PutBlock(sheet, 320 + (k % 3) + 40 * (k / 3), FramePiece(k));
  PutBlock(sheet, 323, Medallion());
  PutBlock(sheet, 325, SmallStar(3));
  PutBlock(sheet, 326, SmallStar(6));
}
