// Bitmap 201 (sheet 2 of the town's houses, the inn and the gorilla house): the interiors.
// Standard places (tiles.h): ground = wooden floor boards, blocks = plastered wall, third =
// cellar stone; walls: A wallpaper, B wood panelling, C shade, D stone; a curtained window, a
// room door, a dark doorway.
// Theme pieces (local cells):
//   320, 321 / 360, 361 / 400, 401   a bookshelf of physics books (2 x 3)
//   322..324 / 362..364   a desk (3 x 2)           325, 326 / 365, 366  a chest of drawers (2 x 2)
//   327..329 / 367..369   a bed (3 x 2)            330, 331  a table (2 x 1)   332 / 372  a chair
//   333, 334, 335         a counter: left end, middle (repeats), right end
//   336, 337 / 376, 377   the painting of a vase that is also two faces (2 x 2)
//   338, 339 / 378, 379   the painting of a red building (2 x 2)
//   440  a wall clock      441 / 481  a standing lamp     442 / 482  a potted plant
//   447..449 / 487..489 / 527..529  a fireplace (3 x 3)
//   444..446  a door sign "先生の部屋"   484..486  "私の部屋"   524..526  "受付"
//   530..535  a notice "２０歳未満入場禁止"
//   340, 341 / ... / 500, 501  the cellar door: a banded plank door in an arch of cellar stone (2 x 5)
//   342, 343 / ... / 502, 503  the stairway up out of the cellar: wooden steps climbing into the
//                              dark inside an arch of cellar stone (2 x 5)
// Far scenery (layer 0): 560..563 / 600..603 a plain back wall with a skirting board.
#include <algorithm>
#include <cmath>

#include "tiles.h"

namespace {

uint32_t FloorTop(int x, int depth) {
  (void)x;
  return depth == 0 ? pal::Outline : depth == 1 ? pal::WoodLight : depth == 2 ? pal::Wood : 0;
}

uint32_t Plaster(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const double n = art::Noise(mx, my, 161 + variant);
  return n < 0.06 ? pal::WoodLight : pal::Cream;
}

uint32_t Wallpaper(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  const int dx = std::abs(mx % 16 - 8), dy = std::abs(my % 16 - 8);
  if (dx + dy == 6) return pal::Pink;
  if (dx + dy < 2) return pal::Red;
  if (mx % 16 == 0) return pal::WoodLight;
  return pal::Cream;
}

uint32_t Panelling(int x, int y) {
  const int mx = ((x % 32) + 32) % 32, my = ((y % 32) + 32) % 32;
  if (mx == 0 || my == 0) return pal::WoodLight;
  if (mx == 31 || my == 31) return pal::WoodDark;
  if ((mx == 4 || my == 4) && mx >= 4 && my >= 4 && mx <= 27 && my <= 27) return pal::WoodDark;
  if ((mx == 27 || my == 27) && mx >= 4 && my >= 4) return pal::WoodLight;
  return pal::Wood;
}

Image Bookshelf() {
  art::Canvas c(32, 48);
  c.Rect(0, 0, 32, 48, c.Part(pal::kWood));
  static const uint32_t kSpines[6] = {pal::Red, pal::SkyDark, pal::GrassDark, pal::Purple, pal::GoldDark, pal::RedDark};
  for (int shelf = 0; shelf < 3; ++shelf) {
    c.Rect(3, 3 + shelf * 15, 26, 12, c.FlatPart(pal::EarthDark));
    for (int k = 0; k < 6; ++k) {
      const int h = 9 + (k * 5 + shelf) % 3;
      c.Rect(4 + k * 4, 15 + shelf * 15 - h, 3, h, c.Part({kSpines[(k + shelf) % 6], kSpines[(k + shelf) % 6], pal::Outline}, art::Shade::Soft));
    }
  }
  return c.Render();
}

Image Desk() {
  art::Canvas c(48, 32);
  const int wood = c.Part(pal::kWood);
  c.Rect(0, 10, 48, 5, wood);
  c.Rect(2, 15, 5, 17, wood);
  c.Rect(30, 15, 16, 17, wood);
  c.Rect(32, 19, 12, 1, c.FlatPart(pal::WoodDark));
  c.Rect(32, 25, 12, 1, c.FlatPart(pal::WoodDark));
  c.Rect(8, 3, 12, 7, c.Part(pal::kCloth));  // papers
  c.Rect(24, 2, 3, 8, c.Part(pal::kDarkMetal));  // an ink pot and pen
  return c.Render();
}

Image Drawers() {
  art::Canvas c(32, 32);
  c.Rect(1, 2, 30, 30, c.Part(pal::kWood));
  for (int k = 0; k < 3; ++k) {
    c.Rect(4, 5 + k * 9, 24, 7, c.Part(pal::kWood));
    c.Rect(14, 8 + k * 9, 4, 1, c.FlatPart(pal::Yellow));
  }
  return c.Render();
}

Image Bed() {
  art::Canvas c(48, 32);
  const int wood = c.Part(pal::kWood);
  c.Rect(0, 4, 5, 28, wood);
  c.Rect(43, 12, 5, 20, wood);
  c.Rect(4, 18, 40, 8, wood);
  c.Rect(4, 12, 40, 7, c.Part(pal::kBlue));  // the blanket
  c.Rect(6, 8, 12, 5, c.Part(pal::kCloth));  // the pillow
  return c.Render();
}

Image Table() {
  art::Canvas c(32, 16);
  const int wood = c.Part(pal::kWood);
  c.Rect(0, 3, 32, 4, wood);
  c.Rect(3, 7, 3, 9, wood);
  c.Rect(26, 7, 3, 9, wood);
  c.Rect(12, 0, 6, 3, c.Part(pal::kCloth));  // a cup
  return c.Render();
}

Image Chair() {
  art::Canvas c(16, 32);
  const int wood = c.Part(pal::kWood);
  c.Rect(3, 8, 3, 24, wood);
  c.Rect(3, 18, 11, 3, wood);
  c.Rect(11, 21, 3, 11, wood);
  c.Rect(3, 8, 3, 10, wood);
  c.Rect(6, 10, 3, 1, c.FlatPart(pal::WoodDark));
  return c.Render();
}

Image Counter(int piece) {
  Image img(16, 16);
  for (int y = 2; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t col = y < 5 ? (y == 2 ? pal::Outline : y == 3 ? pal::WoodLight : pal::Wood) : (x % 8 == 0 ? pal::WoodDark : pal::Wood);
      if (y == 5) col = pal::WoodDark;
      img.Put(x, y, col);
    }
  if (piece == 0) art::VLine(img, 0, 2, 14, pal::Outline);
  if (piece == 2) art::VLine(img, 15, 2, 14, pal::Outline);
  return img;
}

Image Frame(const std::function<void(art::Canvas&)>& inside) {
  art::Canvas c(32, 32);
  c.Rect(1, 1, 30, 30, c.Part(pal::kGold));
  c.Rect(4, 4, 24, 24, c.FlatPart(pal::Cream));
  inside(c);
  return c.Render();
}

// A vase whose outline is also two faces looking at each other.
Image FaceToFace() {
  return Frame([](art::Canvas& c) {
    const int dark = c.FlatPart(pal::ShadowDeep);
    c.Rect(4, 4, 24, 24, dark);
    const int vase = c.FlatPart(pal::White);
    for (int y = 4; y < 28; ++y) {
      const double t = (y - 4) / 23.0;
      const double half = 4 + 3 * std::sin(t * 3.14159 * 2.2) + (t > 0.8 ? 2 : 0);
      c.Rect(static_cast<int>(16 - half), y, static_cast<int>(2 * half), 1, vase);
    }
  });
}

Image RedBuilding() {
  return Frame([](art::Canvas& c) {
    c.Rect(4, 4, 24, 24, c.FlatPart(pal::SkyLight));
    c.Rect(4, 24, 24, 4, c.FlatPart(pal::Grass));
    c.Rect(9, 10, 14, 15, c.FlatPart(pal::Red));
    c.Poly({{7, 11}, {25, 11}, {16, 5}}, c.FlatPart(pal::RedDark));
    const int win = c.FlatPart(pal::Yellow);
    for (int k = 0; k < 3; ++k) c.Rect(11 + k * 4, 14, 2, 3, win);
    c.Rect(14, 20, 4, 5, c.FlatPart(pal::WoodDark));
  });
}

Image WallClock() {
  art::Canvas c(16, 16);
  c.Disc(8, 8, 7, c.Part(pal::kWood));
  c.Disc(8, 8, 5, c.Part({pal::White, pal::White, pal::Cream}));
  const int hand = c.FlatPart(pal::Outline);
  c.Rect(8, 4, 1, 5, hand);
  c.Rect(8, 8, 3, 1, hand);
  return c.Render();
}

Image StandingLamp() {
  art::Canvas c(16, 32);
  c.Poly({{3, 10}, {13, 10}, {11, 2}, {5, 2}}, c.Part({pal::White, pal::Cream, pal::WoodLight}));
  c.Rect(7, 10, 2, 19, c.Part(pal::kDarkMetal));
  c.Rect(4, 29, 8, 3, c.Part(pal::kDarkMetal));
  return c.Render();
}

Image PottedPlant() {
  art::Canvas c(16, 32);
  const int leaf = c.Part(pal::kGreen);
  c.Ellipse(8, 10, 6, 9, leaf);
  c.Ellipse(4, 16, 4, 4, leaf);
  c.Ellipse(12, 15, 4, 4, leaf);
  c.Poly({{3, 21}, {13, 21}, {11, 32}, {5, 32}}, c.Part({pal::Orange, pal::Hair, pal::HairDark}));
  return c.Render();
}

Image Fireplace() {
  art::Canvas c(48, 48);
  c.Rect(0, 4, 48, 44, c.Part(pal::kStone));
  c.Rect(0, 0, 48, 6, c.Part(pal::kWood));
  c.Rect(9, 18, 30, 30, c.FlatPart(pal::Night));
  c.Poly({{14, 48}, {34, 48}, {30, 30}, {26, 38}, {22, 26}, {18, 38}}, c.Part({pal::White, pal::Yellow, pal::Orange}));
  c.Rect(12, 44, 24, 4, c.Part(pal::kWood));
  return c.Render();
}

// The arch of cellar stone round the cellar's two ways, the size of a room door, its inside
// left to the caller; returns the part of the stone.
int CellarArch(art::Canvas& c) {
  const int stone = c.Part(pal::kStone);
  c.Rect(0, 2, 32, 78, stone);
  c.Ellipse(16, 10, 16, 10, stone);
  const int joint = c.FlatPart(pal::Shadow);
  for (int y = 20; y < 80; y += 12) {
    c.Rect(0, y, 3, 1, joint);
    c.Rect(29, y + 6, 3, 1, joint);
  }
  return stone;
}

// A low, heavy door of dark planks held by iron bands, with a ring to pull it.
Image CellarDoor() {
  art::Canvas c(32, 80);
  CellarArch(c);
  const int planks = c.Part({pal::Wood, pal::WoodDark, pal::EarthDark});
  c.Rect(4, 11, 24, 69, planks);
  c.Ellipse(16, 13, 12, 8, planks);
  const int seam = c.FlatPart(pal::EarthDark);
  for (int x = 10; x < 28; x += 6) c.Rect(x, 7, 1, 73, seam);
  const int iron = c.Part(pal::kDarkMetal);
  for (int y : {20, 46, 70}) c.Rect(4, y, 24, 3, iron);
  c.Ellipse(22, 40, 3, 3, iron);
  c.Ellipse(22, 40, 1.5, 1.5, planks);
  return c.Render();
}

// Steps seen from the side, rising to the right into the dark, their treads paler near the floor.
Image CellarStairway() {
  art::Canvas c(32, 80);
  CellarArch(c);
  const int dark = c.FlatPart(pal::Night);
  c.Rect(4, 11, 24, 69, dark);
  c.Ellipse(16, 12, 12, 8, dark);
  const int wood[3] = {c.FlatPart(pal::Wood), c.FlatPart(pal::WoodDark), c.FlatPart(pal::EarthDark)};
  const int edge[3] = {c.FlatPart(pal::WoodLight), c.FlatPart(pal::Wood), c.FlatPart(pal::WoodDark)};
  for (int k = 0; k < 9; ++k) {
    const int x = 4 + k * 3, y = 72 - k * 7, shade = std::min(2, k / 3);
    c.Rect(x, y, 28 - x, 80 - y, wood[shade]);
    c.Rect(x, y, 28 - x, 1, edge[shade]);  // the tread's nosing
  }
  return c.Render();
}

}  // namespace

void DrawInteriorTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {[](int x, int y, int) { return PlankFill(x, y, pal::kWood); }, FloorTop, pal::kWood});
  DrawTerrain(sheet, kBlock, {Plaster, [](int, int d) { return d == 0 ? pal::Outline : d == 1 ? pal::White : 0u; }, pal::kCloth});
  DrawTerrain(sheet, kThird, {[](int x, int y, int v) { return StoneBrick(x, y, v, pal::kStone, pal::Shadow); },
                              [](int, int d) { return d == 0 ? pal::Outline : 0u; }, pal::kStone});
  DrawWall(sheet, kWallA, Wallpaper);
  DrawWall(sheet, kWallB, Panelling);
  DrawWall(sheet, kWallC, [](int x, int y) { return art::Bayer(x, y) < 0.3 ? pal::WoodDark : pal::EarthDark; });
  DrawWall(sheet, kWallD, [](int x, int y) { return StoneBrick(x, y, 0, pal::kStone, pal::Shadow); });
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kWood);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, pal::kWood);
  DrawWindow(sheet, kWindow, pal::kWood, {pal::SkyLight, pal::Sky, pal::SkyDark});
  DrawDoorway(sheet, kDoorway, pal::kWood, {pal::WoodLight, pal::Earth, pal::EarthDark});
  DrawOpening(sheet, kOpening, pal::kWood);

  PutBlock(sheet, 320, Bookshelf());
  PutBlock(sheet, 322, Desk());
  PutBlock(sheet, 325, Drawers());
  PutBlock(sheet, 327, Bed());
  PutBlock(sheet, 330, Table());
  PutBlock(sheet, 332, Chair());
  for (int k = 0; k < 3; ++k) PutBlock(sheet, 333 + k, Counter(k));
  PutBlock(sheet, 336, FaceToFace());
  PutBlock(sheet, 338, RedBuilding());
  PutBlock(sheet, 440, WallClock());
  PutBlock(sheet, 441, StandingLamp());
  PutBlock(sheet, 442, PottedPlant());
  PutBlock(sheet, 447, Fireplace());
  PutBlock(sheet, 444, SignBoard(3, U"先生の部屋", pal::kWood, pal::Cream));
  PutBlock(sheet, 484, SignBoard(3, U"私の部屋", pal::kWood, pal::Cream));
  PutBlock(sheet, 524, SignBoard(3, U"受付", pal::kBlue, pal::White));
  PutBlock(sheet, 530, SignBoard(6, U"２０歳未満入場禁止", pal::kRed, pal::White));
  PutBlock(sheet, 340, CellarDoor());
  PutBlock(sheet, 342, CellarStairway());

  DrawPattern(sheet, kFarFirst, 4, 1, Wallpaper);
  DrawPattern(sheet, kFarFirst + 40, 4, 1, [](int x, int y) { return y < 10 ? Wallpaper(x, y + 16) : y == 10 ? pal::WoodLight : pal::Wood; });
}
