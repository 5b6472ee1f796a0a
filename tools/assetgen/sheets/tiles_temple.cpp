// Bitmap 185 (sheet 2 of the temple, the save room): the temple tileset.
// Standard places (tiles.h): ground = polished stone slabs, blocks = sandstone, third = marble;
// walls: A carved stone, B a violet hanging, C deep shade, D sandstone; a stained window, a
// temple door, a dark passage.
// Theme pieces (local cells):
//   320, 321 / 360, 361 / 400, 401 / 440, 441   the save statue: a strange idol on a pedestal
//   322 / 362      a candle stand (1 x 2)
//   323, 324 / 363, 364 / 403, 404   a banner (2 x 3)
//   325..327 / 365..367   an altar (3 x 2)
//   328            a step of stairs (repeats sideways)
//   329, 330 / 369, 370   the strange mark: a glowing sigil (2 x 2)
//   331 / 371      a brazier (1 x 2)
//   332, 333 / 372, 373 / 412, 413 / 452, 453   a guardian statue (2 x 4)
// Far scenery (layer 0): 560..563 / 600..603 a colonnade (repeat sideways), 640..643 its
// floor; 564..567 clouds.
#include <cmath>

#include "tiles.h"

namespace {

constexpr pal::Ramp kSand{pal::Cream, pal::WoodLight, pal::Earth};
constexpr pal::Ramp kMarble{pal::White, pal::StoneLight, pal::Stone};

uint32_t Slab(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  if (mx == 15 || my == 15) return pal::Shadow;
  if (mx == 0 || my == 0) return pal::StoneLight;
  const double n = art::SmoothNoise(mx, my, 4, 16, 121 + variant, 16);
  return n > 0.7 ? pal::StoneLight : pal::Stone;
}

uint32_t SlabTop(int x, int depth) {
  (void)x;
  if (depth == 0) return pal::Outline;
  if (depth == 1) return pal::White;
  if (depth == 2) return pal::StoneLight;
  return 0;
}

uint32_t Sandstone(int x, int y, int variant) { return tiles::StoneBrick(x, y, variant, kSand, pal::Earth); }

uint32_t MarbleFill(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const double vein = std::sin((mx + my * 0.6) * 0.7 + art::SmoothNoise(mx, my, 4, 16, 131 + variant, 16) * 4);
  if (std::abs(vein) < 0.12) return pal::Stone;
  return (mx + my) % 16 == 0 ? pal::StoneLight : pal::White;
}

uint32_t CarvedStone(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  // Square panels with a carved rosette in each.
  if (mx == 0 || my == 0) return pal::StoneLight;
  if (mx == 31 || my == 31) return pal::Shadow;
  const double d = std::hypot(mx - 15.5, my - 15.5);
  if (std::abs(d - 8) < 0.8) return pal::Shadow;
  if (std::abs(d - 7) < 0.6) return pal::StoneLight;
  if (d < 3) return pal::Shadow;
  return pal::Stone;
}

uint32_t Hanging(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (mx % 16 == 0) return pal::PurpleDark;
  const int dx = std::abs(mx % 16 - 8), dy = std::abs(my % 16 - 8);
  if (dx + dy == 5) return pal::Yellow;
  if (dx + dy < 5 && (dx + dy) % 2 == 0) return pal::PurpleLight;
  return pal::Purple;
}

Image SaveStatue() {
  art::Canvas c(32, 64);
  const int stone = c.Part(kMarble);
  const int gold = c.Part(pal::kGold);
  // The pedestal.
  c.Rect(2, 48, 28, 16, stone);
  c.Rect(0, 44, 32, 5, stone);
  c.Rect(0, 59, 32, 5, stone);
  // The idol: a squat round body with stubby arms and an oversized head.
  const int body = c.Part(pal::kTeal);
  c.Ellipse(16, 36, 10, 9, body);
  c.Ellipse(5, 33, 3, 5, body);
  c.Ellipse(27, 33, 3, 5, body);
  c.Ellipse(16, 16, 12, 12, body);
  c.Poly({{6, 9}, {10, 0}, {13, 8}}, gold);  // horns
  c.Poly({{26, 9}, {22, 0}, {19, 8}}, gold);
  const int eye = c.FlatPart(pal::White);
  const int pupil = c.FlatPart(pal::Red);
  c.Ellipse(11, 15, 3.5, 4, eye);
  c.Ellipse(21, 15, 3.5, 4, eye);
  c.Rect(11, 15, 2, 2, pupil);
  c.Rect(21, 15, 2, 2, pupil);
  const int mouth = c.FlatPart(pal::WaterDark);
  c.Rect(11, 22, 10, 2, mouth);
  c.Rect(13, 22, 1, 3, c.FlatPart(pal::White));
  c.Rect(18, 22, 1, 3, c.FlatPart(pal::White));
  c.Disc(16, 36, 3, gold);  // a jewel on its belly
  return c.Render();
}

Image CandleStand() {
  art::Canvas c(16, 32);
  const int gold = c.Part(pal::kGold);
  c.Rect(7, 12, 2, 17, gold);
  c.Rect(4, 28, 8, 4, gold);
  c.Rect(4, 11, 8, 2, gold);
  c.Rect(6, 5, 4, 6, c.Part(pal::kCloth));
  c.Poly({{6, 4}, {10, 4}, {8, -1}}, c.Part({pal::White, pal::Yellow, pal::Orange}));
  return c.Render();
}

Image Banner() {
  art::Canvas c(32, 48);
  c.Rect(1, 0, 30, 3, c.Part(pal::kGold));
  const int cloth = c.Part(pal::kRed);
  c.Poly({{4, 3}, {28, 3}, {28, 44}, {16, 36}, {4, 44}}, cloth);
  const int mark = c.FlatPart(pal::Yellow);
  c.Disc(16, 18, 6, mark);
  c.Disc(16, 18, 4, cloth);
  c.Rect(15, 12, 2, 13, mark);
  return c.Render();
}

Image Altar() {
  art::Canvas c(48, 32);
  c.Rect(2, 12, 44, 20, c.Part(kMarble));
  c.Rect(0, 8, 48, 5, c.Part(kMarble));
  const int cloth = c.Part(pal::kPurple);
  c.Poly({{12, 8}, {36, 8}, {34, 26}, {14, 26}}, cloth);
  c.Disc(24, 16, 3, c.Part(pal::kGold));
  c.Ellipse(24, 5, 5, 3, c.Part(pal::kGold));  // a bowl on top
  return c.Render();
}

Image Step() {
  Image img(16, 16);
  for (int y = 8; y < 16; ++y)
    for (int x = 0; x < 16; ++x) img.Put(x, y, y == 8 ? pal::Outline : y == 9 ? pal::White : y == 15 ? pal::Stone : pal::StoneLight);
  return img;
}

}  // namespace

// The strange mark: a glowing ring of runes around an eye (also drawn in the cave's shrines).
Image StrangeMark() {
  Image img(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
      if (std::abs(d - 13) < 1.0) img.Put(x, y, pal::Cyan);
      else if (std::abs(d - 11) < 0.6 && (static_cast<int>(std::atan2(y - 16.0, x - 16.0) * 6) % 2 == 0))
        img.Put(x, y, pal::Teal);
    }
  art::FillEllipse(img, 16, 16, 8, 5, pal::Cyan);
  art::FillEllipse(img, 16, 16, 6.5, 3.8, pal::White);
  art::FillEllipse(img, 16, 16, 3, 3, pal::Purple);
  art::FillEllipse(img, 16, 16, 1.5, 1.5, pal::Outline);
  art::AddOutline(img, pal::WaterDark);
  return img;
}

namespace {

Image Brazier() {
  art::Canvas c(16, 32);
  const int iron = c.Part(pal::kDarkMetal);
  c.Rect(7, 14, 2, 16, iron);
  c.Rect(4, 29, 8, 3, iron);
  c.Poly({{1, 9}, {15, 9}, {12, 15}, {4, 15}}, iron);
  c.Poly({{2, 9}, {14, 9}, {11, 1}, {8, 4}, {5, 0}}, c.Part({pal::White, pal::Yellow, pal::Orange}));
  return c.Render();
}

Image Guardian() {
  art::Canvas c(32, 64);
  const int stone = c.Part(pal::kStone);
  c.Rect(2, 54, 28, 10, stone);
  c.Poly({{9, 20}, {23, 20}, {26, 54}, {6, 54}}, stone);  // a robed figure
  c.Disc(16, 13, 7, stone);
  c.Line(8, 22, 4, 40, 4, stone);
  c.Line(24, 22, 28, 40, 4, stone);
  c.Line(28, 40, 28, 8, 2, c.Part(pal::kDarkMetal));  // a spear
  c.Poly({{25, 9}, {31, 9}, {28, 2}}, c.Part(pal::kMetal));
  const int eye = c.FlatPart(pal::Shadow);
  c.Set(13, 12, eye);
  c.Set(18, 12, eye);
  return c.Render();
}

uint32_t FarColonnade(int x, int y) {
  const int mx = ((x % 32) + 32) % 32;
  if (y < 6) return y < 2 ? pal::StoneLight : pal::Stone;  // the architrave
  if (mx >= 4 && mx < 12) return mx < 6 ? pal::StoneLight : mx > 9 ? pal::Shadow : pal::Stone;
  return tiles::kAir;
}

uint32_t FarCloud(int x, int y) {
  const double n = art::SmoothNoise(x, y * 2, 8, 64, 141);
  if (n + (std::abs(y - 8) / 16.0) > 0.75) return tiles::kAir;
  return n > 0.35 ? pal::White : pal::SkyLight;
}

}  // namespace

void DrawTempleTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {Slab, SlabTop, pal::kStone});
  DrawTerrain(sheet, kBlock, {Sandstone, [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::Cream : 0u; }, kSand});
  DrawTerrain(sheet, kThird, {MarbleFill, SlabTop, kMarble});
  DrawWall(sheet, kWallA, CarvedStone);
  DrawWall(sheet, kWallB, Hanging);
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.2 ? pal::PurpleDark : pal::ShadowDeep; });
  DrawWall(sheet, kWallD, [](int x, int y) { return Sandstone(x, y, 1); });
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kGold);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, kMarble);
  DrawWindow(sheet, kWindow, pal::kStone, {pal::Pink, pal::Purple, pal::PurpleDark});
  DrawDoorway(sheet, kDoorway, kMarble, pal::kPurple);
  DrawOpening(sheet, kOpening, kMarble);

  PutBlock(sheet, 320, SaveStatue());
  PutBlock(sheet, 322, CandleStand());
  PutBlock(sheet, 323, Banner());
  PutBlock(sheet, 325, Altar());
  PutBlock(sheet, 328, Step());
  PutBlock(sheet, 329, StrangeMark());
  PutBlock(sheet, 331, Brazier());
  PutBlock(sheet, 332, Guardian());

  DrawPattern(sheet, kFarFirst, 4, 2, FarColonnade);
  DrawPattern(sheet, kFarFirst + 80, 4, 1, [](int x, int y) { return Slab(x, y, 0); });
  DrawPattern(sheet, kFarFirst + 4, 4, 1, FarCloud);
}
