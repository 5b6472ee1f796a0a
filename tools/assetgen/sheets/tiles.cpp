#include "tiles.h"

#include "text.h"

namespace tiles {
namespace {

struct Open {
  bool top, left, right, bottom;
};

// One terrain tile: the inside, the surface where the top is open, the edges where the sides
// are open; `corner` opens one corner of an inner corner tile (1 top-left, 2 top-right,
// 3 bottom-left, 4 bottom-right).
Image TerrainTile(const Terrain& t, Open open, int gx, int gy, int variant, int corner = 0) {
  Image img(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t c = t.fill(gx + x, gy + y, variant);
      if (open.left && x == 1) c = t.edge.light;
      if (open.right && x == 14) c = t.edge.dark;
      if (open.bottom && y == 14) c = t.edge.dark;
      if (open.left && x == 0) c = t.outline;
      if (open.right && x == 15) c = t.outline;
      if (open.bottom && y == 15) c = t.outline;
      if (open.top) {
        const uint32_t s = t.top(gx + x, y);
        if (s != 0) c = s;
        // Round the outer corners of the surface.
        if ((open.left && x == 0 && y < 2) || (open.right && x == 15 && y < 2)) c = kAir;
        if ((open.left && x == 1 && y == 0) || (open.right && x == 14 && y == 0)) c = kAir;
      }
      if (open.bottom && ((open.left && x == 0) || (open.right && x == 15)) && y == 15) c = kAir;
      img.Put(x, y, c == kAir ? 0 : c);
    }
  // An inner corner: the surface and edges of the neighbours meet in one corner.
  if (corner == 1 || corner == 2) {
    const int cx = corner == 1 ? 0 : 15, dir = corner == 1 ? 1 : -1;
    for (int y = 0; y < 3; ++y)
      for (int k = 0; k < 3 - y; ++k) {
        const uint32_t s = t.top(gx + cx + dir * k, y);
        img.Put(cx + dir * k, y, s == 0 || s == kAir ? t.edge.mid : s);
      }
    img.Put(cx, 0, t.outline);
  } else if (corner == 3 || corner == 4) {
    const int cx = corner == 3 ? 0 : 15;
    img.Put(cx, 15, t.outline);
    img.Put(cx + (corner == 3 ? 1 : -1), 15, t.edge.dark);
    img.Put(cx, 14, t.edge.dark);
  }
  return img;
}

}  // namespace

void DrawTerrain(Image& sheet, int first, const Terrain& t) {
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      const Open open{j == 0, i == 0, i == 2, j == 2};
      PutBlock(sheet, first + i + 40 * j, TerrainTile(t, open, 16 * i, 16 * j, 0));
    }
  PutBlock(sheet, first + kInnerTopLeft, TerrainTile(t, {}, 0, 16, 0, 1));
  PutBlock(sheet, first + kInnerTopRight, TerrainTile(t, {}, 16, 16, 0, 2));
  PutBlock(sheet, first + kInnerBottomLeft, TerrainTile(t, {}, 0, 0, 0, 3));
  PutBlock(sheet, first + kInnerBottomRight, TerrainTile(t, {}, 16, 0, 0, 4));
  PutBlock(sheet, first + kVariant1, TerrainTile(t, {}, 16, 16, 1));
  PutBlock(sheet, first + kVariant2, TerrainTile(t, {}, 16, 16, 2));
  PutBlock(sheet, first + kLedgeLeft, TerrainTile(t, {true, true, false, true}, 0, 0, 0));
  PutBlock(sheet, first + kLedge, TerrainTile(t, {true, false, false, true}, 16, 0, 0));
  PutBlock(sheet, first + kLedgeRight, TerrainTile(t, {true, false, true, true}, 32, 0, 0));
  PutBlock(sheet, first + kSingle, TerrainTile(t, {true, true, true, true}, 0, 0, 0));
}

void DrawWall(Image& sheet, int first, const std::function<uint32_t(int x, int y)>& pattern) {
  DrawPattern(sheet, first, 2, 2, pattern);
}

void DrawPattern(Image& sheet, int first, int w, int h, const std::function<uint32_t(int x, int y)>& pattern) {
  Image img(16 * w, 16 * h);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const uint32_t c = pattern(x, y);
      img.Put(x, y, c == kAir ? 0 : c);
    }
  PutBlock(sheet, first, img);
}

uint32_t EarthFill(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  // Clods of darker earth, and pebbles: small lit stones set in it.
  const int px = (mx + 5 * variant) % 16, py = (my + 3 * variant) % 16;
  if ((px == 4 || px == 5) && (py == 6 || py == 7)) return px == 4 && py == 6 ? pal::StoneLight : pal::Stone;
  if (px == 5 && py == 8) return pal::EarthDark;
  if ((px == 11 || px == 12) && py == 12) return pal::Stone;
  if (px == 12 && py == 13) return pal::EarthDark;
  const double n = art::SmoothNoise(mx, my, 4, 16, 11 + variant, 16);
  if (n < 0.3) return pal::WoodDark;
  return pal::Earth;
}

uint32_t GrassTop(int x, int depth) {
  const int mx = ((x % 16) + 16) % 16;
  // Blades of uneven height along the top; a band of grass; its dark underside.
  static const int kBlade[16] = {1, 0, 2, 1, 0, 1, 2, 0, 1, 1, 0, 2, 1, 0, 1, 2};
  if (depth < kBlade[mx]) return kAir;
  if (depth == kBlade[mx]) return pal::Outline;
  if (depth <= 3) return pal::Leaf;
  if (depth <= 5) return art::Bayer(mx, depth) < 0.5 ? pal::Grass : pal::Leaf;
  if (depth <= 7) return pal::Grass;
  if (depth == 8) return (mx % 3 == 0) ? pal::Grass : pal::GrassDark;
  if (depth == 9 && mx % 4 == 1) return pal::GrassDark;
  if (depth == 9 || (depth == 10 && mx % 4 == 1)) return pal::EarthDark;
  return 0;
}

uint32_t StoneBrick(int x, int y, int variant, pal::Ramp ramp, uint32_t mortar) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const int row = my / 8;
  const int bx = (mx + (row % 2) * 8) % 16;
  const int by = my % 8;
  if (by == 7 || bx == 15) return mortar;
  if (by == 0 || bx == 0) return ramp.light;
  if (by == 6 || bx == 14) return ramp.dark;
  const double n = art::Noise(mx, my, 23 + variant);
  if (variant > 0 && n < 0.08 * variant) return ramp.dark;
  return ramp.mid;
}

uint32_t RockFill(int x, int y, int variant) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const double n = art::SmoothNoise(mx, my, 4, 16, 31 + variant, 16);
  const double m = art::Noise(mx, my, 37 + variant);
  if (n < 0.22) return pal::ShadowDeep;
  if (n < 0.6) return m < 0.1 ? pal::ShadowDeep : pal::Shadow;
  if (n < 0.8) return pal::Stone;
  return m < 0.5 ? pal::Stone : pal::StoneLight;
}

uint32_t PlankFill(int x, int y, pal::Ramp wood) {
  const int mx = ((x % 16) + 16) % 16, my = ((y % 16) + 16) % 16;
  const int board = my / 4;
  if (my % 4 == 3) return wood.dark;
  if (my % 4 == 0) return wood.light;
  if ((mx + board * 7) % 16 == 0) return wood.dark;  // the boards' joints
  return art::Noise(mx, my, 41) < 0.1 ? wood.dark : wood.mid;
}

void DrawWindow(Image& sheet, int first, pal::Ramp frame, pal::Ramp glass) {
  art::Canvas c(32, 32);
  const int f = c.Part(frame);
  const int g = c.Part(glass, art::Shade::Soft);
  c.Rect(2, 2, 28, 28, f);
  c.Rect(5, 5, 10, 10, g);
  c.Rect(17, 5, 10, 10, g);
  c.Rect(5, 17, 10, 10, g);
  c.Rect(17, 17, 10, 10, g);
  const int shine = c.FlatPart(pal::White);
  for (int k = 0; k < 4; ++k) c.Set(7 + k, 11 - k, shine);
  c.Rect(0, 28, 32, 3, c.Part(frame));  // the sill
  PutBlock(sheet, first, c.Render());
}

void DrawDoorway(Image& sheet, int first, pal::Ramp frame, pal::Ramp door) {
  art::Canvas c(32, 80);
  const int f = c.Part(frame);
  c.Rect(0, 2, 32, 78, f);
  c.Ellipse(16, 10, 16, 10, f);
  const int d = c.Part(door);
  c.Rect(3, 11, 26, 69, d);
  c.Ellipse(16, 12, 13, 8, d);
  const int line = c.FlatPart(door.dark);
  c.Rect(16, 6, 1, 74, line);
  for (int y = 24; y < 80; y += 14) {
    c.Rect(5, y, 9, 1, line);
    c.Rect(19, y, 8, 1, line);
  }
  const int knob = c.Part(pal::kGold);
  c.Disc(22, 46, 1.8, knob);
  PutBlock(sheet, first, c.Render());
}

void DrawOpening(Image& sheet, int first, pal::Ramp frame) {
  art::Canvas c(32, 80);
  const int f = c.Part(frame);
  c.Rect(0, 2, 32, 78, f);
  c.Ellipse(16, 10, 16, 10, f);
  const int dark = c.FlatPart(pal::Night);
  c.Rect(4, 11, 24, 69, dark);
  c.Ellipse(16, 12, 12, 8, dark);
  PutBlock(sheet, first, c.Render());
}

void DrawPillar(Image& sheet, int top, int shaft, int base, pal::Ramp stone) {
  auto piece = [&](int kind) {
    Image img(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 2; x < 14; ++x) {
        uint32_t c = x < 5 ? stone.light : x > 10 ? stone.dark : stone.mid;
        if (x == 2 || x == 13) c = pal::Outline;
        if (x == 7 && kind == 1) c = stone.dark;  // a flute down the shaft
        img.Put(x, y, c);
      }
    if (kind != 1) {
      const int y0 = kind == 0 ? 0 : 11;
      for (int y = y0; y < y0 + 5; ++y)
        for (int x = 0; x < 16; ++x) {
          uint32_t c = y == y0 ? stone.light : y == y0 + 4 ? stone.dark : stone.mid;
          if (x == 0 || x == 15 || (kind == 0 && y == y0) || (kind == 2 && y == y0 + 4)) c = pal::Outline;
          img.Put(x, y, c);
        }
    }
    return img;
  };
  PutBlock(sheet, top, piece(0));
  PutBlock(sheet, shaft, piece(1));
  PutBlock(sheet, base, piece(2));
}

void DrawTrims(Image& sheet, int top, int foot, pal::Ramp ramp) {
  Image t(16, 16), f(16, 16);
  for (int x = 0; x < 16; ++x) {
    t.Put(x, 0, pal::Outline);
    t.Put(x, 1, ramp.light);
    t.Put(x, 2, ramp.mid);
    t.Put(x, 3, ramp.mid);
    t.Put(x, 4, ramp.dark);
    t.Put(x, 5, x % 4 == 0 ? ramp.dark : 0);
    f.Put(x, 10, ramp.light);
    for (int y = 11; y < 15; ++y) f.Put(x, y, ramp.mid);
    f.Put(x, 15, ramp.dark);
  }
  PutBlock(sheet, top, t);
  PutBlock(sheet, foot, f);
}

Image Cells(const Image& sheet, int first, int w, int h) { return sheet.Crop(CellX(first), CellY(first), 16 * w, 16 * h); }

namespace {

// The piece over the repeating back, which starts (dx, dy) into its repeat at the piece's corner.
void PutOverBack(Image& sheet, int to, const Image& piece, const Image& back, int dx, int dy) {
  Image img(piece.width, piece.height);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) img.Put(x, y, back.Wrapped(x + dx, y + dy));
  img.Blit(piece, 0, 0);
  PutBlock(sheet, to, img);
}

}  // namespace

void PutOnWall(Image& sheet, int to, const Image& piece, int wall, bool odd_col, bool odd_row) {
  PutOverBack(sheet, to, piece, Cells(sheet, wall, 2, 2), odd_col ? 16 : 0, odd_row ? 16 : 0);
}

void PutOnTile(Image& sheet, int to, const Image& piece, int tile) {
  PutOverBack(sheet, to, piece, Cells(sheet, tile, 1, 1), 0, 0);
}

void PutRunOnWall(Image& sheet, int to, int piece, int wall, bool odd_row) {
  Image run(32, 16);
  run.Paste(Cells(sheet, piece, 1, 1), 0, 0);
  run.Paste(Cells(sheet, piece, 1, 1), 16, 0);
  PutOnWall(sheet, to, run, wall, false, odd_row);
}

Image SignBoard(int cells, const char32_t* text, pal::Ramp board, uint32_t ink) {
  art::Canvas c(16 * cells, 16);
  c.Rect(1, 1, 16 * cells - 2, 14, c.Part(board));
  Image img = c.Render();
  Image letters = RenderText(text, 12, ink);
  if (letters.width > 16 * cells - 4) letters = RenderText(text, 10, ink);
  img.Blit(letters, (16 * cells - letters.width) / 2, letters.height == 12 ? 2 : 3);
  return img;
}

Image LampPost() {
  art::Canvas c(16, 48);
  const int iron = c.Part(pal::kDarkMetal);
  c.Rect(7, 10, 2, 36, iron);
  c.Rect(5, 44, 6, 4, iron);
  c.Rect(4, 1, 8, 2, iron);
  c.Rect(5, 3, 6, 6, c.Part({pal::White, pal::Yellow, pal::Orange}));
  c.Rect(4, 9, 8, 2, iron);
  c.Rect(3, 16, 10, 1, iron);
  return c.Render();
}

}  // namespace tiles
