// Bitmap 186 (sheet 2 of the boss room and the corridor): the ruins.
// Standard places (tiles.h): ground = dark flagstones with a rune-lit edge, blocks = ancient
// violet blocks, third = an iron grate; walls: A a dark colonnade, B rune blocks, C darkness,
// D cracked rock; a barred window, a sealed door, a dark passage.
// Theme pieces (local cells):
//   320, 321 / 360, 361 / 400, 401 / 440, 441   a gargoyle statue (2 x 4)
//   322 / 362 / 402   a broken column (top, shaft repeating, base)
//   323, 324 / 363, 364 / 403, 404   a torn banner (2 x 3)
//   325, 326   a heap of rubble (2 x 1)     327  a skull     328  chains hanging (repeat down)
//   329, 330 / 369, 370   a rune circle on the floor wall (2 x 2)
//   On the rune blocks (wall B), for the rooms walled with them on layer 1: 331, 332 the top
//   trim and 371, 372 the foot trim (even and odd columns, even rows); 333, 334 / 373, 374 /
//   413, 414 the torn banner hung at an even column and an odd row; the sealed door (2 x 5) at an
//   even column and an even row from 336 (336, 337 / 376, 377 / ... / 496, 497), at an odd column
//   and an odd row from 338, and the dark passage at an odd column and an odd row from 340.
// Far scenery (layer 0): 560..563 / 600..603 arches (repeat sideways), 640..643 darkness.
#include <cmath>

#include "tiles.h"

namespace {

constexpr pal::Ramp kAncient{pal::StoneLight, pal::Shadow, pal::ShadowDeep};
constexpr pal::Ramp kViolet{pal::Stone, pal::PurpleDark, pal::ShadowDeep};

uint32_t Flagstone(int x, int y, int variant) {
  return tiles::StoneBrick(x, y, variant, {pal::Stone, pal::Shadow, pal::ShadowDeep}, pal::Night);
}

uint32_t RuneTop(int x, int depth) {
  const int mx = ((x % 16) + 16) % 16;
  if (depth == 0) return pal::Outline;
  if (depth == 1) return mx % 8 == 3 ? pal::Cyan : pal::Stone;
  if (depth == 2) return mx % 8 == 3 ? pal::Teal : 0;
  return 0;
}

uint32_t VioletBlock(int x, int y, int variant) { return tiles::StoneBrick(x, y, variant, kViolet, pal::Night); }

uint32_t Grate(int x, int y, int) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  if (mx % 4 == 0 || my % 8 == 0) return mx % 4 == 0 && my % 8 == 0 ? pal::StoneLight : pal::Stone;
  if (mx % 4 == 1 || my % 8 == 1) return pal::Shadow;
  return pal::Night;
}

uint32_t Colonnade(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (mx < 8) return mx < 2 ? pal::Stone : mx > 6 ? pal::Night : pal::Shadow;
  const double arch = std::hypot(mx - 20, std::max(0, 12 - my));
  if (my > 6 && arch < 11) return art::Bayer(mx, my) < 0.15 ? pal::PurpleDark : pal::Night;
  return pal::ShadowDeep;
}

uint32_t RuneBlocks(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  uint32_t c = VioletBlock(x, y, 0);
  if ((mx == 8 || mx == 24) && my % 16 > 2 && my % 16 < 6) c = pal::Purple;
  if (mx >= 7 && mx <= 9 && my % 16 == 4) c = pal::PurpleLight;
  return c;
}

uint32_t CrackedRock(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (std::abs(mx - 16 - static_cast<int>(std::sin(my * 0.4) * 5)) < 1 && my < 24) return pal::Night;
  return tiles::RockFill(x, y, 1);
}

Image Gargoyle() {
  art::Canvas c(32, 64);
  const int stone = c.Part(pal::kStone);
  c.Rect(3, 52, 26, 12, stone);
  c.Poly({{8, 30}, {24, 30}, {27, 52}, {5, 52}}, stone);
  c.Ellipse(16, 22, 8, 8, stone);
  c.Poly({{2, 10}, {10, 24}, {4, 34}}, stone);   // wings
  c.Poly({{30, 10}, {22, 24}, {28, 34}}, stone);
  c.Poly({{10, 15}, {13, 8}, {14, 16}}, stone);  // ears
  c.Poly({{22, 15}, {19, 8}, {18, 16}}, stone);
  const int eye = c.FlatPart(pal::Red);
  c.Rect(12, 20, 2, 2, eye);
  c.Rect(18, 20, 2, 2, eye);
  c.Rect(13, 26, 6, 1, c.FlatPart(pal::ShadowDeep));
  return c.Render();
}

Image BrokenColumn(int piece) {
  art::Canvas c(16, 16);
  const int stone = c.Part(pal::kStone);
  if (piece == 0)
    c.Poly({{3, 16}, {13, 16}, {13, 6}, {10, 9}, {7, 3}, {3, 7}}, stone);
  else if (piece == 1)
    c.Rect(3, 0, 10, 16, stone);
  else {
    c.Rect(3, 0, 10, 11, stone);
    c.Rect(1, 11, 14, 5, stone);
  }
  Image img = c.Render();
  if (piece == 1) art::OpenJoins(img);  // the shaft repeats down
  return img;
}

Image TornBanner() {
  art::Canvas c(32, 48);
  c.Rect(1, 0, 30, 3, c.Part(pal::kDarkMetal));
  c.Poly({{4, 3}, {28, 3}, {28, 30}, {24, 44}, {20, 34}, {15, 46}, {10, 36}, {4, 40}}, c.Part(pal::kPurple));
  const int mark = c.FlatPart(pal::Yellow);
  c.Disc(16, 17, 5, mark);
  c.Disc(16, 17, 3, c.FlatPart(pal::Purple));
  return c.Render();
}

Image Rubble() {
  art::Canvas c(32, 16);
  const int stone = c.Part(pal::kStone);
  c.Ellipse(9, 13, 8, 5, stone);
  c.Ellipse(20, 12, 7, 6, c.Part(pal::kStone));
  c.Ellipse(27, 14, 4, 3, c.Part(pal::kStone));
  c.Erase(0, 16, 32, 1);
  return c.Render();
}

Image Skull() {
  art::Canvas c(16, 16);
  c.Ellipse(8, 8, 6, 5.5, c.Part(pal::kCloth));
  c.Rect(5, 12, 6, 3, c.Part(pal::kCloth));
  const int hole = c.FlatPart(pal::ShadowDeep);
  c.Rect(5, 7, 2, 2, hole);
  c.Rect(9, 7, 2, 2, hole);
  c.Set(8, 10, hole);
  return c.Render();
}

Image Chains() {
  Image img(16, 16);
  for (int y = 0; y < 16; ++y) {
    const bool ring = (y / 4) % 2 == 0;
    if (ring) {
      img.Put(6, y, pal::Stone);
      img.Put(9, y, pal::Shadow);
      if (y % 4 == 0 || y % 4 == 3) img.Fill(7, y, 2, 1, pal::StoneLight);
    } else {
      img.Fill(7, y, 2, 1, pal::StoneLight);
    }
  }
  return img;
}

uint32_t FarArches(int x, int y) {
  const int mx = ((x % 64) + 64) % 64;
  const double arch = std::hypot(mx - 32, std::max(0, 20 - y));
  if (arch < 22 && y > 2) return tiles::kAir;
  return art::Bayer(x, y) < 0.25 ? pal::PurpleDark : pal::ShadowDeep;
}

}  // namespace

void DrawRuinsTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {Flagstone, RuneTop, kAncient});
  DrawTerrain(sheet, kBlock, {VioletBlock, [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::Purple : 0u; }, kViolet});
  DrawTerrain(sheet, kThird, {Grate, [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::StoneLight : 0u; }, pal::kDarkMetal});
  DrawWall(sheet, kWallA, Colonnade);
  DrawWall(sheet, kWallB, RuneBlocks);
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.06 ? pal::ShadowDeep : pal::Night; });
  DrawWall(sheet, kWallD, CrackedRock);
  DrawTrims(sheet, kWallTop, kWallFoot, kViolet);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, kAncient);
  DrawWindow(sheet, kWindow, pal::kDarkMetal, {pal::PurpleLight, pal::Purple, pal::PurpleDark});
  DrawDoorway(sheet, kDoorway, kAncient, kViolet);
  DrawOpening(sheet, kOpening, kAncient);

  PutBlock(sheet, 320, Gargoyle());
  PutBlock(sheet, 322, BrokenColumn(0));
  PutBlock(sheet, 362, BrokenColumn(1));
  PutBlock(sheet, 402, BrokenColumn(2));
  PutBlock(sheet, 323, TornBanner());
  PutBlock(sheet, 325, Rubble());
  PutBlock(sheet, 327, Skull());
  PutBlock(sheet, 328, Chains());
  PutBlock(sheet, 329, StrangeMark());
  PutRunOnWall(sheet, 331, kWallTop, kWallB, false);
  PutRunOnWall(sheet, 371, kWallFoot, kWallB, false);
  PutOnWall(sheet, 333, Cells(sheet, 323, 2, 3), kWallB, false, true);
  PutOnWall(sheet, 336, Cells(sheet, kDoorway, 2, 5), kWallB, false, false);
  PutOnWall(sheet, 338, Cells(sheet, kDoorway, 2, 5), kWallB, true, true);
  PutOnWall(sheet, 340, Cells(sheet, kOpening, 2, 5), kWallB, true, true);

  DrawPattern(sheet, kFarFirst, 4, 2, FarArches);
  DrawPattern(sheet, kFarFirst + 80, 4, 1, [](int x, int y) { return art::Bayer(x, y) < 0.06 ? pal::ShadowDeep : pal::Night; });
}
