// Sheet 117: the small moving pictures that every scene shares.
//   800..803   the heroine's magic bullet of power 1 (4 frames), 840..843 power 0
//   304..319   the small impact spark, 16 frames played once
//   320..350   the large explosion, 2 x 2 cells, pictures at 320 + 2k (k = 0..8, 10..15; the
//              picture at 338 is never shown and is left free)
//   434..436 over 474..476   the speech balloon (3 x 2); the marks drawn in its middle column:
//              437/477 "!", 517/557 "?", 438/478 a note, 514..516 over 554..556 anger veins
//              (any top with any bottom), 518/558 a sweat drop, 594..596 over 634..636 a shock
//              burst over the whole balloon
//   746..749   the insect companion, 4 frames of its wings
//   826..833 over 866..873   the coin springing from a coin block, 8 frames of its spin
//   996/1036, 998/1038, 1078/1118 (2 x 2)   the spell auras: shield, spring, clock
//   1070..1072 over 1110..1112 the closed chest, 1073..1075 over 1113..1115 the open one
//   1034       a map tile kept wholly transparent (written under coin blocks)
//   1198       the ledge she jumps up through: a plank in the cell's top rows
#include <cmath>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

// A four-pointed star of arm length `arm` with a bright centre.
void Star(Image& img, int cx, int cy, int arm, uint32_t outer, uint32_t inner) {
  for (int i = -arm; i <= arm; ++i) {
    img.Put(cx + i, cy, std::abs(i) <= arm / 2 ? inner : outer);
    img.Put(cx, cy + i, std::abs(i) <= arm / 2 ? inner : outer);
  }
  img.Put(cx, cy, pal::White);
}

// ---- the heroine's magic bullet ---------------------------------------------------------------

// A glowing orb that pulses and turns its star as the frame goes round.
Image Bullet(int frame, bool strong) {
  Image img(16, 16);
  const double r = strong ? 5.6 + (frame % 2) * 0.5 : 4.2 + (frame % 2) * 0.4;
  const pal::Ramp ramp = strong ? pal::Ramp{pal::White, pal::Cyan, pal::Teal} : pal::kPurple;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double dx = x + 0.5 - 8.5, dy = y + 0.5 - 8.5;
      const double d = std::hypot(dx, dy);
      if (d > r) continue;
      const double lit = (dx + dy) / (2 * r);
      img.Put(x, y, d < r * 0.45 ? pal::White : lit < -0.15 ? ramp.light : lit < 0.3 ? ramp.mid : ramp.dark);
    }
  art::AddOutline(img, strong ? pal::WaterDark : pal::PurpleDark);
  // The star turns: upright on even frames, diagonal on odd ones.
  const uint32_t star = strong ? pal::White : pal::Yellow;
  const int arm = strong ? 7 : 6;
  if (frame % 2 == 0) {
    Star(img, 8, 8, arm, star, pal::White);
  } else {
    for (int i = -arm + 2; i <= arm - 2; ++i) {
      img.Put(8 + i, 8 + i, star);
      img.Put(8 + i, 8 - i, star);
    }
  }
  return img;
}

// ---- sparks -----------------------------------------------------------------------------------

// The small spark: a flash that throws out four rays and fades to a few embers.
Image SmallSpark(int t) {
  Image img(16, 16);
  const double grow = t < 6 ? t / 6.0 : 1.0;
  const int arm = 2 + static_cast<int>(5 * grow);
  const uint32_t ray = t < 8 ? pal::Yellow : t < 12 ? pal::Orange : pal::Red;
  if (t < 12) {
    for (int i = arm - (t < 6 ? arm : 3); i <= arm; ++i) {
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) img.Put(8 + dx * i, 8 + dy * i, ray);
      if (t >= 3 && i <= arm - 2)
        for (auto [dx, dy] : {std::pair{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}) img.Put(8 + dx * i, 8 + dy * i, pal::Orange);
    }
  }
  if (t < 5) art::FillEllipse(img, 8.5, 8.5, 2.5 - t * 0.3, 2.5 - t * 0.3, pal::White);
  if (t >= 10) {
    const int spread = 3 + (t - 10);
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 1}, {0, -1}, {1, 1}, {-1, -1}})
      img.Put(8 + dx * spread, 8 + dy * spread - (t - 10) / 2, t < 14 ? pal::Orange : pal::RedDark);
  }
  return img;
}

// The explosion, step t of 16: a fireball that swells, breaks into smoke and drifts apart.
Image LargeSpark(int t) {
  Image img(32, 32);
  if (t < 7) {
    const double r = 4 + t * 1.8;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
        const double d = std::hypot(dx, dy) + (art::Noise(x, y, t) - 0.5) * 3;
        if (d > r) continue;
        const double f = d / r;
        img.Put(x, y, f < 0.35 ? pal::White : f < 0.6 ? pal::Yellow : f < 0.85 ? pal::Orange : pal::Red);
      }
  } else {
    // Puffs of smoke with dying embers, thinning out.
    const double s = (t - 7) / 8.0;
    for (int k = 0; k < 7; ++k) {
      const double a = k * 2 * kPi / 7 + 0.4;
      const double dist = 6 + s * 8;
      const double cx = 16 + std::cos(a) * dist, cy = 16 + std::sin(a) * dist - s * 4;
      const double r = 5.5 - s * 3.5;
      if (r <= 0.8) continue;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
          if (dx * dx + dy * dy > r * r) continue;
          const bool lit = dx + dy < -r * 0.3;
          uint32_t c = lit ? pal::StoneLight : pal::Stone;
          if (t < 10 && dx * dx + dy * dy < r * r * 0.2) c = pal::Orange;
          img.Put(x, y, c);
        }
    }
  }
  art::AddOutline(img, t < 7 ? pal::RedDark : pal::Shadow);
  return img;
}

// ---- coins ------------------------------------------------------------------------------------

// A gold coin seen turning: frame 0 faces the viewer, frame 4 shows its edge.
Image Coin(int frame, int width = 16, int height = 16, int cy = 8) {
  Image img(width, height);
  const double half = std::max(1.0, 5.5 * std::abs(std::cos(frame * kPi / 8)));
  const double cx = width / 2.0;
  for (int y = cy - 6; y < cy + 6; ++y)
    for (int x = 0; x < width; ++x) {
      const double dx = (x + 0.5 - cx) / half, dy = (y + 0.5 - cy) / 6.0;
      if (dx * dx + dy * dy > 1) continue;
      const double lit = dx * 0.6 + dy;
      img.Put(x, y, lit < -0.45 ? pal::White : lit < 0.1 ? pal::Yellow : lit < 0.6 ? pal::Orange : pal::GoldDark);
    }
  if (half > 3) {
    // The stamped mark: a small bar, narrowing with the turn.
    const int mw = std::max(1, static_cast<int>(half / 3));
    img.Fill(static_cast<int>(cx) - mw / 2 - (mw % 2 ? 0 : 0), cy - 3, mw, 6, pal::GoldDark);
  }
  art::AddOutline(img, pal::Outline);
  return img;
}

// The coin springing from a coin block: the coin on top, a sparkle trail under it.
Image CoinPop(int frame) {
  Image img(16, 32);
  img.Blit(Coin(frame), 0, 0);
  const int phase = frame % 4;
  img.Put(6 + phase % 2, 18 + phase, pal::Yellow);
  img.Put(9 - phase % 2, 22 + phase, pal::White);
  Star(img, 8 - (phase % 2) * 2, 27 - phase, 1, pal::Yellow, pal::White);
  return img;
}

// ---- balloons ---------------------------------------------------------------------------------

Image Balloon() {
  art::Canvas c(48, 32);
  const int body = c.Part({pal::White, pal::White, pal::StoneLight});
  c.Ellipse(24, 13.5, 22, 12.5, body);
  c.Poly({{18, 22}, {26, 22}, {17, 31}}, body);  // the tail, pointing down to the speaker
  return c.Render();
}

Image Mark(const std::initializer_list<const char*>& rows, pal::Ramp ramp, int x = 0, int y = 0) {
  art::Canvas c(16, 32);
  const int part = c.Part(ramp);
  c.Stamp(x, y, rows, "#", {part});
  return c.Render();
}

Image Exclamation() {
  return Mark({"", "", "", "......##", ".....###", ".....###", ".....###", ".....##", ".....##", "....###",
               "....##", "....##", "....##", "....#", "", "", "....##", "....##"},
              pal::kRed, 0, 1);
}

Image Question() {
  return Mark({"", "", "", ".....####", "....######", "...##...##", "........##", ".......###", "......###",
               "......##", "......##", ".....##", "", "", ".....##", ".....##"},
              pal::kDeepBlue, 0, 1);
}

Image Note() {
  return Mark({"", "", "", ".........#", "........###", ".......##.##", ".......#...#", ".......#....",
               ".......#....", ".......#....", ".......#....", "....####....", "...#####....", "...####.....",
               "....##......"},
              pal::kPurple, 0, 2);
}

// One half of the anger mark, a cross of four thick strokes centred on the line between the two
// cells: half 0 is the upper half (top cell), 1 the lower. The variants differ in size, so a top
// and a bottom picked at random every frame make the mark throb.
Image AngerVein(int half, int variant) {
  art::Canvas c(16, 32);
  const int vein = c.Part(pal::kRed);
  const double r = 4.5 + variant * 1.0;
  for (int k = 0; k < 4; ++k) {
    const double a = kPi / 4 + k * kPi / 2;
    c.Line(8 + std::cos(a) * 1.8, 16 + std::sin(a) * 1.8, 8 + std::cos(a) * r, 16 + std::sin(a) * r, 2.4, vein);
  }
  return c.Render().Crop(0, half * 16, 16, 16);
}

Image SweatDrop() {
  art::Canvas c(16, 32);
  const int drop = c.Part({pal::White, pal::SkyLight, pal::Sky});
  c.Disc(8, 17, 3.6, drop);
  c.Poly({{5, 16}, {11, 16}, {8, 8}}, drop);
  return c.Render();
}

// The shock burst: a jagged red star filling the balloon, with "!!".
Image ShockBurst() {
  art::Canvas c(48, 32);
  const int burst = c.Part({pal::Yellow, pal::Orange, pal::Red});
  std::vector<std::pair<double, double>> pts;
  for (int k = 0; k < 24; ++k) {
    const double a = k * 2 * kPi / 24;
    const double r = k % 2 ? 0.62 : 1.0;
    pts.push_back({24 + std::cos(a) * 21 * r, 14 + std::sin(a) * 12.5 * r});
  }
  c.Poly(pts, burst);
  const int mark = c.FlatPart(pal::RedDark);
  for (int x : {19, 26}) {
    c.Rect(x, 7, 3, 9, mark);
    c.Rect(x, 18, 3, 3, mark);
  }
  return c.Render();
}

// ---- the insect companion ----------------------------------------------------------------------

// A round bug with one big eye and a wide mouth; `frame` moves its wings up, level, down, level.
Image Insect(int frame) {
  art::Canvas c(16, 16);
  const int wing = c.Part({pal::White, pal::SkyLight, pal::Sky});
  const int body = c.Part({pal::Leaf, pal::Grass, pal::GrassDark});
  const int belly = c.Part({pal::Cream, pal::Yellow, pal::Orange});
  const int eye = c.FlatPart(pal::White);
  const int pupil = c.FlatPart(pal::Outline);
  const int mouth = c.FlatPart(pal::RedDark);
  static const int kWingY[4] = {1, 3, 5, 3};
  const int wy = kWingY[frame % 4];
  c.Ellipse(5, wy + 1.5, 3.5, 2.2, wing);
  c.Ellipse(10, wy + 1.0, 3.5, 2.2, wing);
  c.Ellipse(8, 9.5, 5.5, 5, body);
  c.Ellipse(9, 11.5, 3.5, 2.5, belly);
  c.Rect(9, 5, 3, 3, eye);
  c.Rect(10, 6, 2, 2, pupil);
  c.Rect(9, 11, 4, 1, mouth);
  c.Set(12, 10, mouth);
  c.Set(12, 3, pupil);  // an antenna
  c.Set(11, 4, pupil);
  return c.Render();
}

// ---- spell auras --------------------------------------------------------------------------------

// BODY ROCK PROTECTION: a round shield of stone and steel.
Image ShieldAura() {
  art::Canvas c(32, 32);
  const int rim = c.Part(pal::kMetal);
  const int face = c.Part(pal::kDeepBlue);
  const int boss = c.Part(pal::kGold);
  c.Poly({{5, 4}, {27, 4}, {27, 15}, {16, 29}, {5, 15}}, rim);
  c.Poly({{8, 7}, {24, 7}, {24, 15}, {16, 25}, {8, 15}}, face);
  c.Disc(16, 14, 3.2, boss);
  return c.Render();
}

// REPULSIVE FORCE: a spring pushing up between two arrows.
Image SpringAura() {
  art::Canvas c(32, 32);
  const int coil = c.Part(pal::kMetal);
  const int arrow = c.Part(pal::kGreen);
  for (int k = 0; k < 4; ++k) c.Line(10, 26 - k * 5, 22, 23.5 - k * 5, 2.4, coil);
  c.Rect(9, 26, 14, 3, coil);
  c.Poly({{3, 14}, {8, 6}, {13, 14}}, arrow);
  c.Rect(6, 14, 4, 10, arrow);
  c.Poly({{19, 10}, {24, 2}, {29, 10}}, arrow);
  c.Rect(22, 10, 4, 10, arrow);
  return c.Render();
}

// CLOCK UP: a pocket clock with the hands racing.
Image ClockAura() {
  art::Canvas c(32, 32);
  const int caseing = c.Part(pal::kGold);
  const int face = c.Part({pal::White, pal::White, pal::Cream});
  const int hands = c.FlatPart(pal::Outline);
  const int marks = c.FlatPart(pal::Shadow);
  c.Rect(14, 2, 4, 4, caseing);
  c.Disc(16, 17, 12.5, caseing);
  c.Disc(16, 17, 9.5, face);
  for (int k = 0; k < 12; ++k) {
    const double a = k * kPi / 6;
    c.Set(static_cast<int>(16 + std::cos(a) * 8), static_cast<int>(17 + std::sin(a) * 8), marks);
  }
  c.Line(16, 17, 16, 10, 1.5, hands);
  c.Line(16, 17, 21, 20, 1.5, hands);
  return c.Render();
}

// ---- the treasure chest -----------------------------------------------------------------------

Image Chest(bool open) {
  art::Canvas c(48, 32);
  const int wood = c.Part(pal::kWood);
  const int band = c.Part(pal::kGold);
  const int dark = c.FlatPart(pal::EarthDark);
  const int lock = c.Part({pal::White, pal::Yellow, pal::GoldDark});
  if (!open) {
    c.Poly({{6, 9}, {42, 9}, {40, 3}, {8, 3}}, wood);  // the curved lid
    c.Rect(5, 9, 38, 4, wood);
    c.Rect(5, 14, 38, 16, wood);
    for (int x : {10, 35}) c.Rect(x, 3, 3, 27, band);
    c.Rect(5, 13, 38, 1, dark);
    c.Rect(21, 11, 6, 7, lock);
    c.Rect(23, 14, 2, 2, dark);
  } else {
    // The lid stands up at the back, showing its darker underside; in front of it the empty
    // inside of the box, seen from above.
    const int underside = c.Part({pal::Earth, pal::WoodDark, pal::EarthDark});
    const int rim = c.FlatPart(pal::WoodLight);
    const int old_band = c.Part({pal::Orange, pal::GoldDark, pal::EarthDark});
    c.Poly({{8, 0}, {40, 0}, {41, 11}, {7, 11}}, underside);
    c.Rect(8, 0, 32, 1, rim);
    for (int x : {11, 34}) c.Rect(x, 1, 3, 10, old_band);
    c.Rect(6, 11, 36, 5, c.FlatPart(pal::ShadowDeep));  // the empty inside
    c.Rect(6, 11, 36, 1, c.FlatPart(pal::WoodDark));    // its back wall
    c.Rect(5, 16, 38, 14, wood);
    c.Rect(5, 16, 38, 1, c.FlatPart(pal::WoodLight));   // the front wall's top edge
    for (int x : {10, 35}) c.Rect(x, 16, 3, 14, band);
    c.Rect(21, 17, 6, 5, lock);  // the hasp, hanging open
    c.Rect(23, 19, 2, 2, dark);
  }
  return c.Render();
}

// ---- map tiles of sheet 0 --------------------------------------------------------------------

// The ledge: a plank across the top of the cell that joins its neighbours on both sides.
Image Ledge() {
  Image img(16, 16);
  img.Fill(0, 0, 16, 5, pal::Wood);
  art::HLine(img, 0, 0, 16, pal::WoodLight);
  art::HLine(img, 0, 4, 16, pal::WoodDark);
  art::HLine(img, 0, 5, 16, pal::Outline);
  img.Put(3, 2, pal::WoodDark);
  img.Put(11, 2, pal::WoodDark);
  // A bracket under the plank's middle.
  img.Fill(7, 6, 2, 3, pal::WoodDark);
  img.Put(6, 6, pal::WoodDark);
  img.Put(9, 6, pal::WoodDark);
  return img;
}

}  // namespace

void DrawShots(Image& sheet) {
  for (int f = 0; f < 4; ++f) {
    PutBlock(sheet, 840 + f, Bullet(f, false));
    PutBlock(sheet, 800 + f, Bullet(f, true));
  }
}

void DrawSparks(Image& sheet) {
  for (int t = 0; t < 16; ++t) PutBlock(sheet, 304 + t, SmallSpark(t));
  for (int t = 0; t < 16; ++t)
    if (t != 9) PutBlock(sheet, 320 + 2 * t, LargeSpark(t));
}

void DrawHudCoin(Image& sheet) {
  for (int f = 0; f < 8; ++f) PutBlock(sheet, 295 + f, Coin(f));
}

void DrawCoinPop(Image& sheet) {
  for (int f = 0; f < 8; ++f) PutBlock(sheet, 826 + f, CoinPop(f));
}

void DrawBalloons(Image& sheet) {
  PutBlock(sheet, 434, Balloon());
  PutBlock(sheet, 437, Exclamation());
  PutBlock(sheet, 517, Question());
  PutBlock(sheet, 438, Note());
  for (int v = 0; v < 3; ++v) {
    PutBlock(sheet, 514 + v, AngerVein(0, v));
    PutBlock(sheet, 554 + v, AngerVein(1, v));
  }
  PutBlock(sheet, 518, SweatDrop());
  PutBlock(sheet, 594, ShockBurst());
}

void DrawInsect(Image& sheet) {
  for (int f = 0; f < 4; ++f) PutBlock(sheet, 746 + f, Insect(f));
}

void DrawSpellAuras(Image& sheet) {
  PutBlock(sheet, 996, ShieldAura());
  PutBlock(sheet, 998, SpringAura());
  PutBlock(sheet, 1078, ClockAura());
}

void DrawChest(Image& sheet) {
  PutBlock(sheet, 1070, Chest(false));
  PutBlock(sheet, 1073, Chest(true));
}

void DrawSheet0Tiles(Image& sheet) {
  // Cell 1034 stays transparent: coin blocks write it into the collision layer under themselves.
  sheet.Fill(CellX(1034), CellY(1034), 16, 16, pal::Transparent);
  PutBlock(sheet, 1198, Ledge());
}
