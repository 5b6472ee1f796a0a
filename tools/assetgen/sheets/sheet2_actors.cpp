// Sheet 2 (local cells; the game adds 2400): the mechanisms placed by maps, at the same cells in
// every sheet-2 bitmap, so that any map may hold them.
//   720 + 2p over 760 + 2p (p 0..5)   the hazard block: lava bubbling in its lower half
//   960..967   the shimmering panel and light column, 8 frames, seamless in x and y
//   968..975   the light column's second colour, 8 frames
//   984..987   looping decoration A: a wall torch;  988..991 B: a console's blinking lights
//   1024 + 2p (p 0..7), 2 x 5 cells   the exit door, shut (0) to open (7)
//   1040 / 1080 / 1160   the sliding door's top, middle (used four times) and bottom
//   1046..1053 the warning light's lamp, patterns 0..7 (0 facing out, 7 dark)
//   1086; 1126, 1127; 1166..1168; 1087..1091   its beams for patterns 0, 1, 2 and 3
#include <cmath>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

// ---- the hazard block ---------------------------------------------------------------------------

// Lava in the lower half with bubbles rising and bursting; heat shimmer above it. Seamless when
// blocks stand side by side.
Image LavaBlock(int p) {
  Image img(32, 32);
  const double phase = p / 6.0 * 2 * kPi;
  for (int x = 0; x < 32; ++x) {
    const int surface = 17 + static_cast<int>(std::lround(std::sin(x * kPi / 8 + phase) * 1.2));
    for (int y = surface; y < 32; ++y) {
      const double n = art::SmoothNoise(x, y * 2 + p * 3, 8, 32, 7);
      uint32_t c = n < 0.35 ? pal::Red : n < 0.7 ? pal::Orange : pal::Yellow;
      if (y == surface) c = pal::Yellow;
      if (y == surface + 1 && c == pal::Red) c = pal::Orange;
      if (y > 27 && n < 0.5) c = pal::RedDark;
      img.Put(x, y, c);
    }
    // A dark crust edge marks the surface for the eye.
    if (x % 11 == p % 11) img.Put(x, surface, pal::RedDark);
  }
  // A bubble that swells and bursts in two places, out of step.
  for (int k = 0; k < 2; ++k) {
    const int t = (p + k * 3) % 6;
    const double bx = k == 0 ? 9.5 : 24.5;
    if (t < 4) {
      art::FillEllipse(img, bx, 17.5 - t * 0.5, 1.5 + t * 0.6, 1.2 + t * 0.5, pal::Orange);
      img.Put(static_cast<int>(bx) - 1, 16 - t / 2, pal::Yellow);
    } else {
      img.Put(static_cast<int>(bx) - 2, 13 - t, pal::Orange);
      img.Put(static_cast<int>(bx) + 2, 12 - t, pal::Yellow);
    }
  }
  // Heat shimmer: a few sparks drifting up.
  for (int k = 0; k < 3; ++k) {
    const int sx = (k * 11 + 3) % 32, sy = 14 - ((p * 2 + k * 5) % 12);
    img.Put(sx, sy, k % 2 ? pal::Orange : pal::Yellow);
  }
  return img;
}

// ---- panels and light columns -------------------------------------------------------------------

// Streaks of light falling through the cell, frame p of 8; the pattern repeats every 16 pixels
// both ways, so the 4 x 8 panels and the 1 x 8 columns join without seams.
Image Shimmer(int p, pal::Ramp ramp) {
  Image img(16, 16);
  static const int kStreakX[4] = {1, 5, 9, 13};
  static const int kOffset[4] = {0, 9, 4, 13};
  static const int kLength[4] = {7, 5, 9, 6};
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < kLength[k]; ++i) {
      const int y = (kOffset[k] + p * 2 + i) % 16;
      const uint32_t c = i == kLength[k] - 1 ? ramp.light : i > kLength[k] / 2 ? ramp.mid : ramp.dark;
      img.Put(kStreakX[k], y, c);
      if (i > 1) img.Put(kStreakX[k] + 1, y, ramp.dark);
    }
  return img;
}

// ---- looping decorations ------------------------------------------------------------------------

Image Torch(int p) {
  art::Canvas c(16, 16);
  const int bracket = c.Part(pal::kDarkMetal);
  c.Rect(6, 10, 4, 2, bracket);
  c.Rect(7, 12, 2, 4, bracket);
  c.Rect(5, 8, 6, 2, bracket);
  const int flame = c.Part({pal::White, pal::Yellow, pal::Orange});
  static const double kLean[4] = {0, 1, 0, -1};
  static const double kHeight[4] = {7, 6, 7.5, 6.5};
  c.Poly({{5, 8}, {11, 8}, {8 + kLean[p], 8 - kHeight[p]}}, flame);
  c.Disc(8, 6.5, 2.5, flame);
  const int core = c.FlatPart(pal::White);
  c.Set(8, 6, core);
  return c.Render(pal::RedDark);
}

Image ConsoleLights(int p) {
  Image img(16, 16);
  art::Bevel(img, 1, 2, 14, 12, pal::kDarkMetal);
  static const uint32_t kOn[3] = {pal::Leaf, pal::Red, pal::Cyan};
  for (int k = 0; k < 3; ++k) {
    const bool lit = ((p + k) % 4) < 2 || (k == 1 && p == 3);
    img.Fill(3 + k * 4, 5, 2, 2, lit ? kOn[k] : pal::ShadowDeep);
  }
  for (int k = 0; k < 4; ++k) img.Put(3 + k * 3, 10, (p + k) % 2 ? pal::Yellow : pal::Shadow);
  art::AddOutline(img);
  return img;
}

// ---- the exit door ------------------------------------------------------------------------------

// A heavy double door in a frame, 32 x 80; at p = 0 shut, its halves slide apart until p = 7.
Image ExitDoor(int p) {
  art::Canvas c(32, 80);
  const int frame = c.Part(pal::kStone);
  const int dark = c.FlatPart(pal::Night);
  const int door = c.Part(pal::kMetal);
  const int stripe = c.Part({pal::Yellow, pal::Orange, pal::GoldDark});
  c.Rect(0, 0, 32, 80, frame);
  c.Rect(3, 4, 26, 76, dark);
  const int open = p * 13 / 7;  // pixels each half has slid into the frame
  const int half = 13 - open;
  if (half > 0) {
    c.Rect(3, 4, half, 76, door);
    c.Rect(29 - half, 4, half, 76, door);
    for (int y = 8; y < 80; y += 14) {
      c.Rect(3, y, half, 2, stripe);
      c.Rect(29 - half, y, half, 2, stripe);
    }
  }
  // The card reader beside the frame's top: red while shut, green once opening.
  c.Rect(12, 0, 8, 3, c.FlatPart(p == 0 ? pal::Red : pal::Leaf));
  return c.Render();
}

// ---- the sliding door ---------------------------------------------------------------------------

// A metal shutter 16 x 96 with its body in the middle columns (the solid slab is x 4..11).
Image SlidingDoorPiece(int piece) {
  art::Canvas c(16, 16);
  const int plate = c.Part(pal::kMetal);
  const int rib = c.FlatPart(pal::Stone);
  const int cap = c.Part(pal::kDarkMetal);
  if (piece == 0) {  // top: a cap with a lamp
    c.Rect(2, 0, 12, 5, cap);
    c.Rect(3, 5, 10, 11, plate);
    c.Rect(7, 1, 2, 2, c.FlatPart(pal::Yellow));
  } else if (piece == 1) {  // middle: ribbed plate, joining above and below
    c.Rect(3, 0, 10, 16, plate);
    c.Rect(3, 7, 10, 1, rib);
    c.Rect(3, 15, 10, 1, rib);
  } else {  // bottom: a heavy foot with hazard stripes
    c.Rect(3, 0, 10, 11, plate);
    c.Rect(2, 11, 12, 5, cap);
    const int stripe = c.FlatPart(pal::Yellow);
    for (int x = 3; x < 13; x += 3) c.Rect(x, 12, 1, 3, stripe);
  }
  Image img = c.Render();
  if (piece == 1) art::OpenJoins(img);  // the middle piece is stacked four times
  return img;
}

// ---- the warning light --------------------------------------------------------------------------

// The beacon's lamp, pattern p: 0 its lens facing out (glare), 1..3 turning aside, 4..6 its back,
// 7 dark.
Image BeaconLamp(int p) {
  art::Canvas c(16, 16);
  const int base = c.Part(pal::kDarkMetal);
  c.Rect(3, 12, 10, 4, base);
  const bool lit = p != 7;
  const int dome = c.Part(lit ? pal::Ramp{pal::Orange, pal::Red, pal::RedDark} : pal::Ramp{pal::Red, pal::RedDark, pal::HairDark});
  c.Ellipse(8, 9, 5, 5.5, dome);
  c.Erase(0, 12, 16, 4, dome);
  if (p <= 3) {
    // The lens: centred at pattern 0, moving to the side as the lamp turns.
    static const int kLensX[4] = {8, 10, 11, 12};
    const int lens = c.FlatPart(p == 0 ? pal::White : pal::Yellow);
    c.Rect(kLensX[p] - (p == 0 ? 2 : 1), 7, p == 0 ? 4 : 2, 3, lens);
  } else if (p <= 6) {
    const int back = c.FlatPart(pal::RedDark);
    c.Rect(5 + (p - 4), 7, 2, 3, back);
  }
  return c.Render();
}

// A beam cell: rays of red light spreading sideways from the lamp. `from` and `to` are the
// strength at the left and right edges (0 none, 1 full), `centre` marks the glare on the lamp.
Image Beam(double from, double to, bool centre) {
  Image img(16, 16);
  for (int x = 0; x < 16; ++x) {
    const double s = from + (to - from) * x / 15.0;
    const int spread = static_cast<int>(1 + s * 4);
    for (int y = 9 - spread; y <= 9 + spread; ++y) {
      const double edge = std::abs(y - 9) / double(spread + 1);
      if (art::Bayer(x, y) < s * (1.1 - edge)) img.Put(x, y, edge < 0.4 ? pal::Orange : pal::Red);
    }
  }
  if (centre) {
    for (int i = -6; i <= 6; ++i) {
      img.Put(8 + i, 9, std::abs(i) < 3 ? pal::White : pal::Yellow);
      img.Put(8, 9 + i, std::abs(i) < 3 ? pal::White : pal::Yellow);
    }
    art::FillEllipse(img, 8.5, 9.5, 2.5, 2.5, pal::White);
  }
  return img;
}

}  // namespace

void DrawSheet2Actors(Image& sheet) {
  for (int p = 0; p < 6; ++p) PutBlock(sheet, 720 + 2 * p, LavaBlock(p));
  for (int p = 0; p < 8; ++p) {
    PutBlock(sheet, 960 + p, Shimmer(p, {pal::White, pal::SkyLight, pal::Sky}));
    PutBlock(sheet, 968 + p, Shimmer(p, {pal::White, pal::PurpleLight, pal::Purple}));
  }
  for (int p = 0; p < 4; ++p) {
    PutBlock(sheet, 984 + p, Torch(p));
    PutBlock(sheet, 988 + p, ConsoleLights(p));
  }
  for (int p = 0; p < 8; ++p) PutBlock(sheet, 1024 + 2 * p, ExitDoor(p));
  PutBlock(sheet, 1040, SlidingDoorPiece(0));
  PutBlock(sheet, 1080, SlidingDoorPiece(1));
  PutBlock(sheet, 1160, SlidingDoorPiece(2));
  for (int p = 0; p < 8; ++p) PutBlock(sheet, 1046 + p, BeaconLamp(p));
  PutBlock(sheet, 1086, Beam(0.4, 0.4, true));
  PutBlock(sheet, 1126, Beam(0.9, 0.5, false));
  PutBlock(sheet, 1127, Beam(0.5, 0.9, false));
  PutBlock(sheet, 1166, Beam(1.0, 0.6, false));
  PutBlock(sheet, 1167, Beam(0.6, 0.6, false));
  PutBlock(sheet, 1168, Beam(0.6, 1.0, false));
  static const double kFan[6] = {1.0, 0.8, 0.6, 0.6, 0.8, 1.0};
  for (int k = 0; k < 5; ++k) PutBlock(sheet, 1087 + k, Beam(kFan[k], kFan[k + 1], false));
}
