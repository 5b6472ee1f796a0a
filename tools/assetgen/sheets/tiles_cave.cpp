// Bitmap 174 (sheet 2 of the cave; also the map editor's palette): the cave tileset.
// Standard places (tiles.h): ground = rock with a lit lip, blocks = cut stone of the old
// waterworks, third = riveted metal; walls: A cave rock, B metal panels, C darkness, D dark
// brick; a metal hatch window, a facility door, a dark passage.
// Theme pieces (local cells):
//   320, 321 / 360, 361   the green pipe: its rim (2 x 1) over its body (2 x 1, repeating down)
//   322 / 323             a pipe running sideways (repeats) / its elbow turning down
//   324, 325 / 364, 365 / 404, 405   the drink machine (2 x 3)
//   326, 327 / 366, 367 / 406, 407   the food machine (2 x 3)
//   328..330 / 368..370 / 408..410   the waterworks control machine with its red button (3 x 3)
//   331..333 / 371..373 / 411..413   a small shrine (3 x 3); 334, 335 / 374, 375 the strange mark
//   336 / 376      water: its surface (repeats sideways) / deep water (repeats)
//   337 / 377      a stalactite / a stalagmite      338  a glowing crystal
//   339            hazard stripes (repeat sideways)
//   On the waterworks' walls of layer 1: 340, 341 the top trim on the metal panels (wall B),
//   342, 343 on the dark brick (wall D), even rows; 344, 345 the foot trim on the panels, 346,
//   347 on the brick, odd rows (each pair for even and odd columns); a pillar on the brick at an
//   even column: 348 its capital (even row), 349 / 389 its shaft (odd / even row), 350 its base
//   (odd row).
//   444..446  a sign "休憩所" (rest room)   484..486  "制御室" (control room)   524..526  "出口" (exit)
//   On the metal panels (wall B) of layer 1, from an odd row (the panels repeat every column):
//   448, 449 / 488, 489 / 528, 529 the drink machine; 450, 451 / 490, 491 / 530, 531 the food
//   machine; 452..454 / 492..494 / 532..534 the waterworks control machine; 455..457 the sign
//   "休憩所". On the dark brick (wall D), from an even column and an odd row: 458..460 the sign
//   "出口".
//   462, 463 / 502, 503   a rock pillar standing nearer than the far ones (layer 1, repeats down),
//                         for the torches of the natural chambers to hang on
// Far scenery (layer 0): 560..563 / 600..603 distant rock pillars (repeat), 640..643 their
// dark foot.
#include <cmath>

#include "tiles.h"

namespace {

uint32_t RockTop(int x, int depth) {
  const int mx = ((x % 16) + 16) % 16;
  static const int kRise[16] = {0, 0, 1, 1, 0, 0, 0, 1, 2, 1, 0, 0, 1, 0, 0, 0};
  if (depth < kRise[mx]) return tiles::kAir;
  if (depth == kRise[mx]) return pal::Outline;
  if (depth <= kRise[mx] + 2) return pal::StoneLight;
  if (depth == kRise[mx] + 3) return pal::Stone;
  return 0;
}

uint32_t CutStone(int x, int y, int variant) { return tiles::StoneBrick(x, y, variant, pal::kStone, pal::ShadowDeep); }

uint32_t MetalPlate(int x, int y, int) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  if (mx == 15 || my == 15) return pal::ShadowDeep;
  if (mx == 0 || my == 0) return pal::StoneLight;
  if ((mx == 2 || mx == 13) && (my == 2 || my == 13)) return pal::White;  // rivets
  return pal::Stone;
}

uint32_t PlateTop(int x, int depth) {
  (void)x;
  return depth == 0 ? pal::Outline : depth == 1 ? pal::White : 0;
}

uint32_t CaveRock(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  const double n = art::SmoothNoise(mx, my, 8, 32, 151, 32) * 0.7 + art::SmoothNoise(mx, my, 4, 32, 153, 32) * 0.3;
  if (n < 0.35) return pal::Night;
  if (n < 0.6) return pal::ShadowDeep;
  return art::Bayer(mx, my) < (n - 0.6) * 2.5 ? pal::Shadow : pal::ShadowDeep;
}

uint32_t MetalPanels(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (mx % 16 == 15 || my == 31) return pal::ShadowDeep;
  if (mx % 16 == 0 || my == 0) return pal::Stone;
  if (my == 10 || my == 21) return pal::ShadowDeep;
  return pal::Shadow;
}

Image PipeRim() {
  art::Canvas c(32, 16);
  c.Rect(0, 2, 32, 14, c.Part(pal::kGreen));
  c.Rect(3, 2, 26, 3, c.FlatPart(pal::ForestDeep));  // the dark mouth
  Image img = c.Render();
  return img;
}

Image PipeBody() {
  Image img(32, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 2; x < 30; ++x) {
      uint32_t col = x < 5 ? pal::Outline : x < 9 ? pal::Leaf : x < 22 ? pal::Grass : x < 27 ? pal::GrassDark : pal::Outline;
      if (x == 2 || x == 29) col = pal::Outline;
      img.Put(x, y, col);
    }
  for (int y = 0; y < 16; ++y) {
    img.Put(3, y, pal::Grass);
    img.Put(4, y, pal::Leaf);
  }
  return img;
}

Image SidePipe(bool elbow) {
  Image img(16, 16);
  for (int y = 3; y < 13; ++y)
    for (int x = 0; x < 16; ++x) img.Put(x, y, y == 3 || y == 12 ? pal::Outline : y < 6 ? pal::StoneLight : y < 10 ? pal::Stone : pal::Shadow);
  if (elbow)
    for (int y = 3; y < 16; ++y)
      for (int x = 3; x < 13; ++x)
        if (y >= 8 || x >= 8) img.Put(x, y, x == 3 || x == 12 ? pal::Outline : x < 6 ? pal::StoneLight : x < 10 ? pal::Stone : pal::Shadow);
  return img;
}

Image VendingMachine(pal::Ramp body, bool drinks) {
  art::Canvas c(32, 48);
  c.Rect(1, 1, 30, 47, c.Part(body));
  const int glass = c.Part({pal::SkyLight, pal::Sky, pal::SkyDark});
  c.Rect(4, 5, 24, 20, glass);
  // Goods on the shelves.
  static const uint32_t kGoods[4] = {pal::Red, pal::Yellow, pal::Leaf, pal::White};
  for (int row = 0; row < 2; ++row)
    for (int k = 0; k < 4; ++k) {
      const int g = c.FlatPart(kGoods[(k + row) % 4]);
      if (drinks)
        c.Rect(6 + k * 6, 8 + row * 9, 3, 6, g);
      else
        c.Rect(5 + k * 6, 11 + row * 9, 5, 3, g);
    }
  c.Rect(4, 28, 24, 4, c.FlatPart(pal::ShadowDeep));  // the buttons' strip
  for (int k = 0; k < 4; ++k) c.Set(6 + k * 6, 29, c.FlatPart(pal::Leaf));
  c.Rect(20, 34, 6, 6, c.Part(pal::kDarkMetal));      // the coin slot
  c.Rect(4, 42, 18, 4, c.FlatPart(pal::Outline));     // the take-out flap
  return c.Render();
}

Image ControlMachine() {
  art::Canvas c(48, 48);
  c.Rect(1, 4, 46, 44, c.Part(pal::kDarkMetal));
  c.Rect(4, 8, 24, 14, c.FlatPart(pal::WaterDark));  // a screen with a water gauge
  const int wave = c.FlatPart(pal::Cyan);
  for (int x = 5; x < 27; ++x) c.Set(x, 16 + static_cast<int>(std::lround(std::sin(x * 0.7) * 2)), wave);
  for (int k = 0; k < 3; ++k) c.Disc(36, 10 + k * 6, 2, c.FlatPart(k == 0 ? pal::Leaf : pal::Yellow));
  c.Rect(8, 27, 32, 12, c.Part(pal::kStone));
  c.Disc(24, 32, 5.5, c.Part(pal::kRed));  // the red button
  c.Rect(4, 42, 40, 3, c.FlatPart(pal::Yellow));
  c.Rect(10, 0, 2, 5, c.Part(pal::kMetal));  // pipes into the ceiling
  c.Rect(36, 0, 2, 5, c.Part(pal::kMetal));
  return c.Render();
}

Image Shrine() {
  art::Canvas c(48, 48);
  const int wood = c.Part(pal::kRed);
  c.Rect(8, 18, 4, 30, wood);
  c.Rect(36, 18, 4, 30, wood);
  c.Poly({{0, 14}, {48, 14}, {42, 6}, {6, 6}}, c.Part({pal::Stone, pal::Shadow, pal::ShadowDeep}));
  c.Rect(2, 16, 44, 3, wood);
  c.Rect(12, 24, 24, 24, c.FlatPart(pal::Night));
  c.Rect(14, 40, 20, 8, c.Part(pal::kWood));  // the offering box
  const int rope = c.Part(pal::kCloth);
  c.Rect(12, 20, 24, 2, rope);
  return c.Render();
}

Image Water(bool surface) {
  Image img(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t c = art::Bayer(x, y) < 0.3 ? pal::SkyDark : pal::WaterDark;
      if (surface) {
        const int top = 3 + static_cast<int>(std::lround(std::sin(x * 3.14159 / 8)));
        if (y < top) c = 0;
        else if (y == top) c = pal::SkyLight;
        else if (y == top + 1) c = pal::Sky;
      }
      img.Put(x, y, c);
    }
  return img;
}

Image Stalactite(bool up) {
  art::Canvas c(16, 16);
  const int rock = c.Part(pal::kStone);
  if (up)
    c.Poly({{2, 16}, {14, 16}, {9, 2}}, rock);
  else
    c.Poly({{2, 0}, {14, 0}, {7, 14}}, rock);
  return c.Render();
}

Image Crystal() {
  art::Canvas c(16, 16);
  const int glow = c.Part({pal::White, pal::Cyan, pal::Teal});
  c.Poly({{4, 16}, {7, 3}, {10, 16}}, glow);
  c.Poly({{8, 16}, {12, 7}, {14, 16}}, glow);
  c.Poly({{1, 16}, {3, 9}, {6, 16}}, glow);
  return c.Render();
}

Image HazardStripes() {
  Image img(16, 16);
  for (int y = 4; y < 12; ++y)
    for (int x = 0; x < 16; ++x) img.Put(x, y, ((x + y) / 4) % 2 ? pal::Yellow : pal::ShadowDeep);
  art::HLine(img, 0, 3, 16, pal::Outline);
  art::HLine(img, 0, 12, 16, pal::Outline);
  return img;
}

uint32_t FarPillars(int x, int y) {
  const int mx = ((x % 64) + 64) % 64;
  const double w = 7 + 3 * std::sin(y * 0.2 + mx * 0.1);
  const double d = std::abs(mx - 20) - w;
  if (d > 0 && std::abs(mx - 50) > 4) return tiles::kAir;
  return art::Bayer(x, y) < 0.3 ? pal::Shadow : pal::ShadowDeep;
}

// A rock pillar a little nearer and lighter than the far ones, with a wavering outline: lit on
// its left, in shade on its right; 32 x 32, repeating down.
uint32_t NearPillar(int x, int y) {
  const double w = 10 + 2 * std::sin(y * 2 * M_PI / 32);
  const double d = std::abs(x + 0.5 - 16) - w;
  if (d > 0) return tiles::kAir;
  if (d > -1) return pal::Outline;
  const double t = (x + 0.5 - (16 - w)) / (2 * w);  // 0 at its left edge, 1 at its right
  const double n = art::SmoothNoise(x, y, 8, 32, 157, 32);
  if (t < 0.1) return art::Bayer(x, y) < 0.3 ? pal::Stone : pal::Shadow;
  if (t < 0.3) return art::Bayer(x, y) < 0.6 + n * 0.3 ? pal::Shadow : pal::ShadowDeep;
  if (t > 0.8) return art::Bayer(x, y) < 0.1 ? pal::Shadow : pal::ShadowDeep;
  return art::Bayer(x, y) < 0.2 + n * 0.35 ? pal::Shadow : pal::ShadowDeep;
}

}  // namespace

void DrawCaveTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {RockFill, RockTop, pal::kStone});
  DrawTerrain(sheet, kBlock, {CutStone, [](int, int d) { return d == 0 ? pal::Outline : 0u; }, pal::kStone});
  DrawTerrain(sheet, kThird, {MetalPlate, PlateTop, pal::kMetal});
  DrawWall(sheet, kWallA, CaveRock);
  DrawWall(sheet, kWallB, MetalPanels);
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.1 ? pal::ShadowDeep : pal::Night; });
  DrawWall(sheet, kWallD, [](int x, int y) { return StoneBrick(x, y, 0, pal::kDark, pal::Night); });
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kDarkMetal);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, pal::kStone);
  DrawWindow(sheet, kWindow, pal::kDarkMetal, {pal::Cyan, pal::Teal, pal::WaterDark});
  DrawDoorway(sheet, kDoorway, pal::kDarkMetal, pal::kMetal);
  DrawOpening(sheet, kOpening, pal::kStone);

  PutBlock(sheet, 320, PipeRim());
  PutBlock(sheet, 360, PipeBody());
  PutBlock(sheet, 322, SidePipe(false));
  PutBlock(sheet, 323, SidePipe(true));
  PutBlock(sheet, 324, VendingMachine(pal::kRed, true));
  PutBlock(sheet, 326, VendingMachine(pal::kBlue, false));
  PutBlock(sheet, 328, ControlMachine());
  PutBlock(sheet, 331, Shrine());
  PutBlock(sheet, 334, StrangeMark());
  PutBlock(sheet, 336, Water(true));
  PutBlock(sheet, 376, Water(false));
  PutBlock(sheet, 337, Stalactite(false));
  PutBlock(sheet, 377, Stalactite(true));
  PutBlock(sheet, 338, Crystal());
  PutBlock(sheet, 339, HazardStripes());
  PutRunOnWall(sheet, 340, kWallTop, kWallB, false);
  PutRunOnWall(sheet, 342, kWallTop, kWallD, false);
  PutRunOnWall(sheet, 344, kWallFoot, kWallB, true);
  PutRunOnWall(sheet, 346, kWallFoot, kWallD, true);
  PutOnWall(sheet, 348, Cells(sheet, kPillarTop, 1, 1), kWallD, false, false);
  Image shaft(16, 32);
  shaft.Paste(Cells(sheet, kPillar, 1, 1), 0, 0);
  shaft.Paste(Cells(sheet, kPillar, 1, 1), 0, 16);
  PutOnWall(sheet, 349, shaft, kWallD, false, true);
  PutOnWall(sheet, 350, Cells(sheet, kPillarBase, 1, 1), kWallD, false, true);
  PutBlock(sheet, 444, SignBoard(3, U"休憩所", pal::kDarkMetal, pal::Yellow));
  PutBlock(sheet, 484, SignBoard(3, U"制御室", pal::kDarkMetal, pal::Yellow));
  PutBlock(sheet, 524, SignBoard(3, U"出口", pal::kDarkMetal, pal::Yellow));
  // The rest rooms' machines and sign and the control room's machine stand on the metal panels.
  PutOnWall(sheet, 448, Cells(sheet, 324, 2, 3), kWallB, false, true);
  PutOnWall(sheet, 450, Cells(sheet, 326, 2, 3), kWallB, false, true);
  PutOnWall(sheet, 452, Cells(sheet, 328, 3, 3), kWallB, false, true);
  PutOnWall(sheet, 455, Cells(sheet, 444, 3, 1), kWallB, false, true);
  PutOnWall(sheet, 458, Cells(sheet, 524, 3, 1), kWallD, false, true);
  DrawPattern(sheet, 462, 2, 2, NearPillar);

  DrawPattern(sheet, kFarFirst, 4, 2, FarPillars);
  DrawPattern(sheet, kFarFirst + 80, 4, 1, [](int x, int y) { return art::Bayer(x, y) < 0.2 ? pal::ShadowDeep : pal::Night; });
}
