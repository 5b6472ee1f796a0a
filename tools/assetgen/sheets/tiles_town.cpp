// Bitmap 200 (sheet 2 of the town): the town tileset.
// Standard places (tiles.h): ground = cobbled street with a kerb, blocks = red brick, third =
// wooden boards; walls: A half-timbered plaster, B red brick, C shaded alley, D wooden planks;
// a window with shutters' frame, a house door, a dark opening.
// Theme pieces (local cells):
//   320, 321, 322  a roof's left slope, its ridge, its right slope; 360, 361, 362 the same
//                  pieces under them (361 the roof's tiles, repeating); 400..402 its eaves, the
//                  middle one (over the wall) with the beam under it
//   323 / 363      a chimney (top, stack repeating down)
//   324..326       a sign board "役場" (town hall)          364..366  "教会" (church)
//   404..406       "輸入雑貨" (import goods)                 444..446  "宿屋" (inn)
//   327 / 367      a church's cross over a round window
//   328 / 368 / 408  a street lamp (1 x 3)
//   329  a flower box   330  a barrel   331  a crate   332, 333  a bench (2 x 1)
//   334, 335, 336  a shop's striped awning (left end, middle repeating, right end)
//   337, 338 / 377, 378  a well (2 x 2)
//   370, 371 / 372, 373 / 374, 375  the foot trim on the houses' walls of layer 1: on the
//                  half-timbered plaster (wall A), the red brick (B), the planks (D); each pair
//                  for even and odd columns, even rows
//   On the houses' walls of layer 1, the door (2 x 5, from an even row) on the plaster at an even
//   column from 348 (348, 349 / 388, 389 / ... / 508, 509) and at an odd column from 350; on
//   the brick from 352 and 354; on the planks from 356 and 358. The window (2 x 2) on the
//   plaster from 480 (480, 481 / 520, 521) at an even column and an even row, 482 odd and even,
//   484 even and odd, 486 odd and odd; on the brick from 488, 490, 492, 494; on the planks from
//   496, 498, 500, 502.
// Far scenery (layer 0): 560..563 rooftops of the distant town over 600..603 (repeat
// sideways) and 640..643 its houses' walls; 564..567 / 604..607 mountains.
// Foreground (layer 3): 800 a picket fence, 801 flowers in a pot, 802, 803 ivy.
#include <cmath>

#include "tiles.h"

namespace {

uint32_t Cobbles(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const int row = my / 5, by = my % 5;
  const int bx = (mx + row * 3 + variant * 5) % 8;
  if (by == 4 || bx == 7) return pal::Shadow;
  if (by == 0 || bx == 0) return pal::StoneLight;
  return art::Noise(mx, my, 101 + variant) < 0.1 ? pal::Shadow : pal::Stone;
}

uint32_t Kerb(int x, int depth) {
  (void)x;
  if (depth == 0) return pal::Outline;
  if (depth == 1) return pal::White;
  if (depth <= 3) return pal::StoneLight;
  if (depth == 4) return pal::Stone;
  if (depth == 5) return pal::Shadow;
  return 0;
}

uint32_t RedBrick(int x, int y, int variant) {
  return tiles::StoneBrick(x, y, variant, {pal::Red, pal::Hair, pal::RedDark}, pal::HairDark);
}

uint32_t BoardTop(int x, int depth) {
  (void)x;
  return depth == 0 ? pal::Outline : depth == 1 ? pal::WoodLight : 0;
}

uint32_t HalfTimber(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  const bool beam = my < 3 || mx < 3 || (my >= 16 && my < 18);
  const bool brace = std::abs((mx - 3) - (my - 3)) < 2 && mx > 2 && my > 2;
  if (beam || brace) return (mx < 1 || my < 1) ? pal::WoodLight : pal::WoodDark;
  return art::Bayer(mx, my) < 0.12 ? pal::WoodLight : pal::Cream;
}

uint32_t Planks(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (mx % 8 == 7) return pal::WoodDark;
  if (mx % 8 == 0) return pal::WoodLight;
  if ((my + mx / 8 * 11) % 32 == 0) return pal::WoodDark;
  return pal::Wood;
}

// A roof piece: kind 0 left slope, 1 ridge, 2 right slope (top row), 3..5 the row under them,
// 6..8 the eaves.
Image Roof(int kind) {
  Image img(16, 16);
  auto tile = [](int x, int y) {
    const int row = ((y % 6) + 6) % 6, col = (((x + (y / 6) * 4) % 8) + 8) % 8;
    if (row == 5) return pal::RedDark;
    if (col == 0) return pal::HairDark;
    return row == 0 ? pal::Orange : pal::Red;
  };
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int col = kind % 3, row = kind / 3;
      uint32_t c = tile(x, y + row * 16);
      if (row == 0) {
        if (col == 0 && x + y < 15) c = 0;
        if (col == 2 && (15 - x) + y < 15) c = 0;
        if (col == 0 && x + y == 15) c = pal::Outline;
        if (col == 2 && (15 - x) + y == 15) c = pal::Outline;
        if (col == 1 && y < 2) c = y == 0 ? pal::Outline : pal::RedDark;
      }
      if (row == 2) {
        if (y > 5) c = 0;
        if (y == 4) c = pal::RedDark;
        if (y == 5) c = pal::Outline;
        // Under the middle of the eaves, the beam along the wall's top in the roof's shade: the
        // eaves lie over the wall, and the row below them is the wall's first.
        if (col == 1 && y > 5) c = y < 8 ? pal::ShadowDeep : y == 15 ? pal::Outline : y == 9 ? pal::Wood : pal::WoodDark;
      }
      img.Put(x, y, c);
    }
  return img;
}

Image Chimney(bool top) {
  Image img(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 3; x < 13; ++x) img.Put(x, y, RedBrick(x, y, 0));
  if (top) {
    img.Fill(2, 0, 12, 3, pal::Stone);
    art::HLine(img, 2, 0, 12, pal::StoneLight);
    img.Put(6, 0, pal::StoneLight);
  }
  for (int y = 0; y < 16; ++y) {
    img.Put(top && y < 3 ? 1 : 2, y, pal::Outline);
    img.Put(top && y < 3 ? 14 : 13, y, pal::Outline);
  }
  if (top) art::HLine(img, 1, 0, 14, pal::Outline);
  return img;
}

Image ChurchCross() {
  art::Canvas c(16, 32);
  const int gold = c.Part(pal::kGold);
  c.Rect(7, 0, 3, 13, gold);
  c.Rect(3, 3, 11, 3, gold);
  c.Disc(8.5, 23, 7, c.Part(pal::kStone));
  c.Disc(8.5, 23, 5, c.Part({pal::Pink, pal::Purple, pal::PurpleDark}));
  const int lead = c.FlatPart(pal::ShadowDeep);
  c.Rect(8, 18, 1, 10, lead);
  c.Rect(4, 23, 9, 1, lead);
  return c.Render();
}

Image FlowerBox() {
  art::Canvas c(16, 16);
  c.Rect(1, 9, 14, 6, c.Part(pal::kWood));
  const int leaf = c.Part(pal::kGreen);
  c.Ellipse(8, 8, 7, 3, leaf);
  for (auto [x, col] : {std::pair{3, pal::Red}, {7, pal::Yellow}, {11, pal::Pink}}) c.Rect(x, 5, 2, 2, c.FlatPart(col));
  return c.Render();
}

Image Barrel() {
  art::Canvas c(16, 16);
  c.Ellipse(8, 8.5, 6.5, 7.5, c.Part(pal::kWood));
  const int hoop = c.FlatPart(pal::Shadow);
  c.Rect(2, 4, 12, 1, hoop);
  c.Rect(2, 12, 12, 1, hoop);
  return c.Render();
}

Image Crate() {
  art::Canvas c(16, 16);
  c.Rect(1, 2, 14, 14, c.Part(pal::kWood));
  const int slat = c.FlatPart(pal::WoodDark);
  c.Line(2, 3, 14, 15, 1.2, slat);
  c.Rect(1, 8, 14, 1, slat);
  return c.Render();
}

Image Bench() {
  art::Canvas c(32, 16);
  const int wood = c.Part(pal::kWood);
  c.Rect(1, 4, 30, 3, wood);
  c.Rect(1, 8, 30, 2, wood);
  const int iron = c.Part(pal::kDarkMetal);
  c.Rect(4, 10, 2, 6, iron);
  c.Rect(26, 10, 2, 6, iron);
  return c.Render();
}

Image Awning(int piece) {
  Image img(16, 16);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t c = (x / 4) % 2 ? pal::White : pal::Red;
      if (y == 0) c = pal::Outline;
      if (y >= 8) c = (x % 4 < 2) ? ((x / 4) % 2 ? pal::Cream : pal::RedDark) : 0;
      if (y == 10 && c != 0) c = pal::Outline;
      img.Put(x, y, c);
    }
  if (piece == 0) art::VLine(img, 0, 0, 10, pal::Outline);
  if (piece == 2) art::VLine(img, 15, 0, 10, pal::Outline);
  return img;
}

Image Well() {
  art::Canvas c(32, 32);
  const int wood = c.Part(pal::kWood);
  c.Rect(4, 2, 3, 18, wood);
  c.Rect(25, 2, 3, 18, wood);
  c.Poly({{0, 4}, {16, -2}, {32, 4}, {32, 7}, {0, 7}}, c.Part(pal::kRed));
  c.Rect(2, 18, 28, 14, c.Part(pal::kStone));
  c.Rect(15, 7, 1, 9, c.FlatPart(pal::WoodDark));
  c.Rect(13, 14, 5, 4, c.Part(pal::kWood));
  return c.Render();
}

uint32_t FarRooftops(int x, int y) {
  const int mx = ((x % 64) + 64) % 64;
  static const int kPeak[4] = {4, 9, 2, 7};
  const int house = mx / 16, hx = mx % 16;
  const int top = kPeak[house] + std::abs(hx - 8) * 3 / 4;
  if (y < top) return tiles::kAir;
  if (house == 2 && hx >= 11 && hx <= 12 && y < top) return pal::Shadow;
  return y < top + 1 ? pal::Hair : pal::RedDark;
}

uint32_t FarHouses(int x, int y) {
  const int mx = ((x % 64) + 64) % 64;
  if (mx % 16 == 0) return pal::ShadowDeep;
  const bool window = (mx % 16 >= 5 && mx % 16 <= 8) && (y % 16 >= 4 && y % 16 <= 8);
  if (window) return (mx / 16) % 2 ? pal::Yellow : pal::SkyDark;
  return art::Bayer(x, y) < 0.3 ? pal::Stone : pal::Shadow;
}

uint32_t FarMountain(int x, int y) {
  const int mx = ((x % 64) + 64) % 64;
  const int top = 2 + std::abs(mx - 32) * 9 / 10;
  if (y < top) return tiles::kAir;
  if (y < top + 5 && std::abs(mx - 32) < 10) return pal::White;
  return art::Bayer(x, y) < 0.4 ? pal::StoneLight : pal::Stone;
}

Image PicketFence() {
  art::Canvas c(16, 16);
  const int wood = c.Part({pal::White, pal::White, pal::StoneLight});
  for (int x : {1, 9}) {
    c.Rect(x, 4, 5, 12, wood);
    c.Poly({{x, 4.0}, {x + 5.0, 4.0}, {x + 2.5, 1.0}}, wood);
  }
  c.Rect(0, 8, 16, 2, wood);
  Image img = c.Render();
  img.Put(0, 8, pal::White);
  img.Put(0, 9, pal::StoneLight);
  img.Put(15, 8, pal::White);
  img.Put(15, 9, pal::StoneLight);
  return img;
}

Image PotFlowers() {
  art::Canvas c(16, 16);
  c.Poly({{4, 10}, {12, 10}, {11, 16}, {5, 16}}, c.Part({pal::Orange, pal::Hair, pal::HairDark}));
  const int leaf = c.Part(pal::kGreen);
  c.Ellipse(8, 7, 5, 4, leaf);
  c.Rect(6, 3, 2, 2, c.FlatPart(pal::Pink));
  c.Rect(9, 5, 2, 2, c.FlatPart(pal::White));
  return c.Render();
}

Image Ivy(int seed) {
  Image img(16, 16);
  for (int k = 0; k < 30; ++k) {
    const int x = static_cast<int>(art::Noise(k, 0, seed) * 15), y = static_cast<int>(art::Noise(k, 1, seed) * 15);
    img.Fill(x, y, 2, 2, k % 3 ? pal::Grass : pal::Leaf);
  }
  art::AddOutline(img, pal::ForestDeep);
  return img;
}

}  // namespace

void DrawTownTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {Cobbles, Kerb, pal::kStone});
  DrawTerrain(sheet, kBlock, {RedBrick, [](int, int d) { return d == 0 ? pal::Outline : 0u; }, pal::kRed});
  DrawTerrain(sheet, kThird, {[](int x, int y, int) { return PlankFill(x, y, pal::kWood); }, BoardTop, pal::kWood});
  DrawWall(sheet, kWallA, HalfTimber);
  DrawWall(sheet, kWallB, [](int x, int y) { return RedBrick(x, y, 0); });
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.25 ? pal::Shadow : pal::ShadowDeep; });
  DrawWall(sheet, kWallD, Planks);
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kWood);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, pal::kStone);
  DrawWindow(sheet, kWindow, pal::kWood, {pal::SkyLight, pal::Sky, pal::SkyDark});
  DrawDoorway(sheet, kDoorway, pal::kStone, pal::kWood);
  DrawOpening(sheet, kOpening, pal::kStone);

  for (int k = 0; k < 9; ++k) PutBlock(sheet, 320 + (k % 3) + 40 * (k / 3), Roof(k));
  PutBlock(sheet, 323, Chimney(true));
  PutBlock(sheet, 363, Chimney(false));
  PutBlock(sheet, 324, SignBoard(3, U"役場", pal::kWood, pal::Cream));
  PutBlock(sheet, 364, SignBoard(3, U"教会", pal::kStone, pal::ShadowDeep));
  PutBlock(sheet, 404, SignBoard(3, U"輸入雑貨", {pal::Sky, pal::SkyDark, pal::WaterDark}, pal::White));
  PutBlock(sheet, 444, SignBoard(3, U"宿屋", pal::kWood, pal::Yellow));
  PutBlock(sheet, 327, ChurchCross());
  PutBlock(sheet, 328, LampPost());
  PutBlock(sheet, 329, FlowerBox());
  PutBlock(sheet, 330, Barrel());
  PutBlock(sheet, 331, Crate());
  PutBlock(sheet, 332, Bench());
  for (int k = 0; k < 3; ++k) PutBlock(sheet, 334 + k, Awning(k));
  PutBlock(sheet, 337, Well());
  PutRunOnWall(sheet, 370, kWallFoot, kWallA, false);
  PutRunOnWall(sheet, 372, kWallFoot, kWallB, false);
  PutRunOnWall(sheet, 374, kWallFoot, kWallD, false);
  const int walls[3] = {kWallA, kWallB, kWallD};
  for (int w = 0; w < 3; ++w) {
    for (int odd_col = 0; odd_col < 2; ++odd_col)
      PutOnWall(sheet, 348 + 4 * w + 2 * odd_col, Cells(sheet, kDoorway, 2, 5), walls[w], odd_col, false);
    for (int k = 0; k < 4; ++k)
      PutOnWall(sheet, 480 + 8 * w + 2 * k, Cells(sheet, kWindow, 2, 2), walls[w], k % 2, k / 2);
  }

  DrawPattern(sheet, kFarFirst, 4, 1, FarRooftops);
  DrawPattern(sheet, kFarFirst + 40, 4, 1, [](int x, int y) { return FarRooftops(x, y + 16); });
  DrawPattern(sheet, kFarFirst + 80, 4, 1, FarHouses);
  DrawPattern(sheet, kFarFirst + 4, 4, 1, FarMountain);
  DrawPattern(sheet, kFarFirst + 44, 4, 1, [](int x, int y) { return FarMountain(x, y + 16); });

  PutBlock(sheet, kFrontFirst, PicketFence());
  PutBlock(sheet, kFrontFirst + 1, PotFlowers());
  PutBlock(sheet, kFrontFirst + 2, Ivy(111));
  PutBlock(sheet, kFrontFirst + 3, Ivy(113));
}
