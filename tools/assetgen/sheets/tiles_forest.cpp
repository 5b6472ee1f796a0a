// Bitmap 119 (sheet 2 of the forest road and the town's first map): the forest tileset.
// Standard places (tiles.h): ground = grass over earth, blocks = mossy stone, third = logs;
// walls: A dense leaves, B tree bark, C deep shade, D mossy rock; window and door of a cottage.
// Theme pieces (local cells):
//   320..323 / 360..363 / 400..403   a tree's crown, 4 x 3
//   441, 442 (repeat down) / 481, 482   its trunk and roots (2 wide)
//   324, 325  a bush (2 x 1)        326, 327  flowers        328  a mushroom
//   329, 330  a rock (2 x 1)        331 / 371  a signpost (1 x 2)
//   332  a fence (repeats sideways) 333  a fence post        334 / 374 / 414  a lamp post
//   335, 336  a fallen log
//   On the logs of a cabin's wall (the inside of the third terrain, drawn on layer 1): the door
//   (2 x 5) from 337 (337, 338 / 377, 378 / ... / 497, 498), the window (2 x 2) from 339.
// Far scenery (layer 0): 560..563 the tops of a distant tree line over 600..603 (repeat
// sideways), 640..643 its dark body (repeat down); 564..567 / 604..607 a hill's top and body.
// Foreground (layer 3): 800..802 grass tufts, 803, 804 hanging leaves, 805 a fern.
#include <cmath>

#include "tiles.h"

namespace {

uint32_t Leaves(int x, int y, int seed, bool deep) {
  const double n = art::SmoothNoise(x, y, 4, 32, seed, 32);
  const double d = art::Bayer(x, y);
  if (deep) return n + d * 0.3 < 0.55 ? pal::ForestDeep : pal::GrassDark;
  if (n + d * 0.25 < 0.42) return pal::GrassDark;
  if (n + d * 0.25 < 0.78) return pal::Grass;
  return pal::Leaf;
}

uint32_t Bark(int x, int y) {
  const int mx = ((x % 32) + 32) % 32;
  const double n = art::SmoothNoise(mx, y * 0.25, 4, 32, 51, 8);
  if (n < 0.3) return pal::EarthDark;
  if (n < 0.75) return pal::WoodDark;
  return pal::Earth;
}

uint32_t MossyStone(int x, int y, int variant) {
  uint32_t c = tiles::StoneBrick(x, y, variant, pal::kStone, pal::Shadow);
  if (art::SmoothNoise(((x % 16) + 16) % 16, ((y % 16) + 16) % 16, 4, 16, 61 + variant, 16) > 0.72)
    c = (c == pal::StoneLight) ? pal::Leaf : pal::Grass;
  return c;
}

uint32_t LogFill(int x, int y, int) {
  const int my = ((y % 16) + 16) % 16, mx = ((x % 16) + 16) % 16;
  if (my % 8 == 0) return pal::WoodLight;
  if (my % 8 == 7) return pal::EarthDark;
  return (mx * 3 + my) % 11 == 0 ? pal::WoodDark : pal::Wood;
}

uint32_t LogTop(int x, int depth) {
  if (depth == 0) return pal::Outline;
  if (depth == 1) return pal::WoodLight;
  (void)x;
  return 0;
}

Image TreeCrown() {
  art::Canvas c(64, 48);
  const int leaf = c.Part(pal::kGreen);
  c.Ellipse(32, 26, 30, 21, leaf);
  c.Ellipse(18, 20, 14, 12, leaf);
  c.Ellipse(44, 17, 15, 13, leaf);
  Image img = c.Render();
  // Leaf texture inside the silhouette, lit from the top left.
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      if (img.Get(x, y) == 0 || img.Get(x, y) == pal::Outline) continue;
      const double lit = (x - 24) / 64.0 + (y - 14) / 40.0;
      const double n = art::SmoothNoise(x, y, 4, 64, 71) + art::Bayer(x, y) * 0.2;
      img.Put(x, y, n - lit * 0.6 > 0.75 ? pal::Leaf : n - lit * 0.6 > 0.35 ? pal::Grass : pal::GrassDark);
    }
  return img;
}

Image TreeTrunk(bool roots) {
  art::Canvas c(32, 16);
  const int bark = c.Part(pal::kWood);
  c.Rect(8, 0, 16, 16, bark);
  if (roots) c.Poly({{8, 6}, {24, 6}, {31, 16}, {1, 16}}, bark);
  Image img = c.Render();
  for (int y = 0; y < 16; ++y) {
    img.Put(7, y, roots ? img.Get(7, y) : pal::Outline);
    img.Put(24, y, roots ? img.Get(24, y) : pal::Outline);
    if (!roots && img.Get(7, 0) == 0) img.Put(7, y, pal::Outline);
  }
  // The trunk repeats down: no outline across its top and bottom.
  for (int x = 8; x < 24; ++x) {
    img.Put(x, 0, x < 11 ? pal::WoodLight : x > 20 ? pal::WoodDark : pal::Wood);
    if (!roots) img.Put(x, 15, x < 11 ? pal::WoodLight : x > 20 ? pal::WoodDark : pal::Wood);
    if ((x * 7) % 5 == 0) img.Put(x, 4 + x % 6, pal::WoodDark);
  }
  return img;
}

Image Bush() {
  art::Canvas c(32, 16);
  const int leaf = c.Part(pal::kGreen);
  c.Ellipse(10, 10, 9, 7, leaf);
  c.Ellipse(21, 9, 10, 8, leaf);
  c.Erase(0, 16, 32, 1);
  const int berry = c.FlatPart(pal::Red);
  c.Set(8, 8, berry);
  c.Set(20, 6, berry);
  c.Set(24, 11, berry);
  return c.Render();
}

Image Flowers(uint32_t petal) {
  art::Canvas c(16, 16);
  const int stem = c.Part(pal::kGreen, art::Shade::Soft);
  const int p = c.FlatPart(petal);
  const int eye = c.FlatPart(pal::Yellow);
  for (auto [x, h] : {std::pair{3, 7}, {8, 10}, {12, 6}}) {
    c.Rect(x, 16 - h, 1, h, stem);
    c.Rect(x - 1, 15 - h, 3, 3, p);
    c.Set(x, 16 - h, eye);
  }
  return c.Render();
}

Image Mushroom() {
  art::Canvas c(16, 16);
  c.Rect(6, 10, 4, 6, c.Part(pal::kCloth));
  c.Ellipse(8, 9, 7, 5, c.Part(pal::kRed));
  c.Erase(0, 10, 16, 6, c.At(8, 9));
  const int dot = c.FlatPart(pal::White);
  c.Set(5, 6, dot);
  c.Set(10, 7, dot);
  c.Set(8, 5, dot);
  return c.Render();
}

Image Rock() {
  art::Canvas c(32, 16);
  c.Ellipse(16, 12, 14, 9, c.Part(pal::kStone));
  c.Erase(0, 16, 32, 1);
  return c.Render();
}

Image Signpost() {
  art::Canvas c(16, 32);
  c.Rect(7, 10, 3, 22, c.Part(pal::kWood));
  c.Poly({{1, 3}, {13, 3}, {15, 7}, {13, 11}, {1, 11}}, c.Part(pal::kWood));
  const int ink = c.FlatPart(pal::WoodDark);
  c.Rect(3, 6, 8, 1, ink);
  c.Rect(3, 8, 6, 1, ink);
  return c.Render();
}

Image Fence(bool post) {
  art::Canvas c(16, 16);
  const int wood = c.Part(pal::kWood);
  if (post) {
    c.Rect(6, 2, 4, 14, wood);
  } else {
    c.Rect(0, 5, 16, 3, wood);
    c.Rect(0, 11, 16, 3, wood);
    c.Rect(6, 3, 4, 13, wood);
  }
  Image img = c.Render();
  if (!post)  // rails run on into the next fence
    for (int y : {5, 6, 7, 11, 12, 13}) {
      img.Put(0, y, img.Get(1, y));
      img.Put(15, y, img.Get(14, y));
    }
  return img;
}

Image Log() {
  art::Canvas c(32, 16);
  const int bark = c.Part(pal::kWood);
  c.Rect(2, 5, 28, 11, bark);
  const int ring = c.Part({pal::WoodLight, pal::WoodLight, pal::Wood});
  c.Ellipse(28, 10.5, 3.5, 5.5, ring);
  c.Set(28, 10, c.FlatPart(pal::WoodDark));
  return c.Render();
}

Image GrassTuft(int kind) {
  Image img(16, 16);
  static const int kHeights[3][5] = {{5, 8, 6, 9, 4}, {3, 6, 4, 0, 0}, {7, 10, 12, 9, 6}};
  for (int k = 0; k < 5; ++k) {
    const int h = kHeights[kind][k];
    const int x = 2 + k * 3;
    for (int y = 16 - h; y < 16; ++y) {
      img.Put(x, y, y < 16 - h + 2 ? pal::Leaf : pal::Grass);
      img.Put(x + 1, y, y > 13 ? pal::GrassDark : 0);
    }
  }
  art::AddOutline(img, pal::ForestDeep);
  return img;
}

Image HangingLeaves(int seed) {
  Image img(16, 16);
  for (int x = 0; x < 16; ++x) {
    const int len = 3 + static_cast<int>(art::Noise(x / 3, 0, seed) * 10);
    for (int y = 0; y < len; ++y) img.Put(x, y, Leaves(x, y, seed, y > len / 2));
  }
  art::AddOutline(img, pal::ForestDeep);
  for (int x = 0; x < 16; ++x) img.Put(x, 0, Leaves(x, 0, seed, false));
  return img;
}

Image Fern() {
  art::Canvas c(16, 16);
  const int leaf = c.Part(pal::kGreen);
  c.Line(8, 16, 3, 4, 2, leaf);
  c.Line(8, 16, 13, 3, 2, leaf);
  c.Line(8, 16, 8, 2, 2, leaf);
  for (int k = 0; k < 4; ++k) {
    c.Line(5 - k * 0.5, 12 - k * 2.5, 2 - k * 0.3, 11 - k * 2.5, 1.5, leaf);
    c.Line(11 + k * 0.5, 12 - k * 2.5, 14 + k * 0.3, 11 - k * 2.5, 1.5, leaf);
  }
  return c.Render(pal::ForestDeep);
}

// The distant tree line: rounded treetops against the sky, then a solid dark body.
uint32_t FarTrees(int x, int y) {
  const double top = 8 + 5 * std::sin(x * 0.19) + 3 * std::sin(x * 0.41 + 1) + 2 * std::sin(x * 0.9);
  if (y < top) return tiles::kAir;
  if (y < top + 1.5) return pal::Grass;
  return art::Bayer(x, y) < 0.3 && y < top + 8 ? pal::GrassDark : pal::ForestDeep;
}

uint32_t FarHill(int x, int y) {
  const double top = 10 + 6 * std::cos(x * 3.14159 / 32);
  if (y < top) return tiles::kAir;
  if (y < top + 2) return pal::Leaf;
  return art::Bayer(x, y) < 0.5 ? pal::Grass : pal::GrassDark;
}

}  // namespace

void DrawForestTiles(Image& sheet) {
  using namespace tiles;
  DrawTerrain(sheet, kGround, {EarthFill, GrassTop, {pal::WoodLight, pal::Earth, pal::EarthDark}});
  DrawTerrain(sheet, kBlock, {MossyStone, [](int x, int d) { return GrassTop(x + 5, d + 1); }, pal::kStone});
  DrawTerrain(sheet, kThird, {LogFill, LogTop, pal::kWood});
  DrawWall(sheet, kWallA, [](int x, int y) { return Leaves(x, y, 81, false); });
  DrawWall(sheet, kWallB, Bark);
  DrawWall(sheet, kWallC, [](int x, int y) { return Leaves(x, y, 83, true); });
  DrawWall(sheet, kWallD, [](int x, int y) { return MossyStone(x, y, 1); });
  DrawTrims(sheet, kWallTop, kWallFoot, pal::kWood);
  DrawPillar(sheet, kPillarTop, kPillar, kPillarBase, pal::kWood);
  DrawWindow(sheet, kWindow, pal::kWood, {pal::SkyLight, pal::Sky, pal::SkyDark});
  DrawDoorway(sheet, kDoorway, pal::kStone, pal::kWood);
  DrawOpening(sheet, kOpening, pal::kStone);

  PutBlock(sheet, 320, TreeCrown());
  PutBlock(sheet, 441, TreeTrunk(false));
  PutBlock(sheet, 481, TreeTrunk(true));
  PutBlock(sheet, 324, Bush());
  PutBlock(sheet, 326, Flowers(pal::Pink));
  PutBlock(sheet, 327, Flowers(pal::Yellow));
  PutBlock(sheet, 328, Mushroom());
  PutBlock(sheet, 329, Rock());
  PutBlock(sheet, 331, Signpost());
  PutBlock(sheet, 332, Fence(false));
  PutBlock(sheet, 333, Fence(true));
  PutBlock(sheet, 334, LampPost());
  PutBlock(sheet, 335, Log());
  PutOnTile(sheet, 337, Cells(sheet, kDoorway, 2, 5), kThird + 41);
  PutOnTile(sheet, 339, Cells(sheet, kWindow, 2, 2), kThird + 41);

  DrawPattern(sheet, kFarFirst, 4, 1, FarTrees);
  DrawPattern(sheet, kFarFirst + 40, 4, 1, [](int x, int y) { return FarTrees(x, y + 16); });
  DrawPattern(sheet, kFarFirst + 80, 4, 1, [](int x, int y) { return art::Bayer(x, y) < 0.1 ? pal::GrassDark : pal::ForestDeep; });
  DrawPattern(sheet, kFarFirst + 4, 4, 1, FarHill);
  DrawPattern(sheet, kFarFirst + 44, 4, 1, [](int x, int y) { return art::Bayer(x, y) < 0.5 ? pal::Grass : pal::GrassDark; });

  for (int k = 0; k < 3; ++k) PutBlock(sheet, kFrontFirst + k, GrassTuft(k));
  PutBlock(sheet, kFrontFirst + 3, HangingLeaves(91));
  PutBlock(sheet, kFrontFirst + 4, HangingLeaves(93));
  PutBlock(sheet, kFrontFirst + 5, Fern());
}
