// Sheet 3 (local cells; the game adds 3600): the mechanisms of bitmaps 173 and 112 (and those
// that fit beside the gorilla fighter in 202).
//   794 (3 x 4)   the piston weight, with an eye at its top middle for the rope (x + 23)
//   797 (3 x 4)   the 16-ton weight
//   802, 803 / 842, 843   the hidden coin block once struck: a spent frame with gaps where the
//                 glow behind it shows; 800 its unused other picture
//   1000, 1001 / 1040, 1041   the coin block: a "?" block with see-through gaps for its glow
//   880 + 2p over 920 + 2p, p 0..13   the breakable block: whole (0), cracking (1..4),
//                 crumbling to dust (5..13)
//   954, 955, 956  the moving lift (3 x 1), its top row the surface she stands on
//   957, 958, 959  the elevator's roof, with a window in 958 for the lamp behind it
//   997, 998, 999  the elevator's platform
#include <cmath>

#include "sheets.h"
#include "text.h"

namespace {

uint32_t BlockStone(int x, int y) {
  const int bx = x % 16, by = y % 16;
  if (bx == 0 || by == 0) return pal::StoneLight;
  if (bx == 15 || by == 15) return pal::Shadow;
  return art::Noise(x, y, 251) < 0.08 ? pal::Shadow : pal::Stone;
}

// A trapezoid weight of 48 x 64 with a ring on top; `mark` is drawn on its face.
Image Weight(const char32_t* mark) {
  art::Canvas c(48, 64);
  const int iron = c.Part(pal::kDarkMetal);
  c.Poly({{10, 18}, {38, 18}, {46, 62}, {2, 62}}, iron);
  const int ring = c.Part(pal::kMetal);
  c.Rect(17, 12, 14, 7, iron);
  c.Ellipse(24, 8, 5, 5, ring);
  c.Ellipse(24, 8, 2.2, 2.2, c.Part(pal::Flat(0)));
  c.Replace(c.At(24, 8), 0);
  Image img = c.Render();
  if (mark != nullptr) {
    Image text = RenderText(mark, 16, pal::White);
    img.Blit(text, 24 - text.width / 2, 36);
  } else {
    for (int y = 30; y < 58; y += 8) art::HLine(img, 10 - (y - 30) / 5, y, 28 + (y - 30) / 2, pal::Yellow);
  }
  return img;
}

// A 32 x 32 block frame with gaps; `question` puts a "?" in the middle.
Image CoinBlock(bool question) {
  Image img(32, 32);
  art::Bevel(img, 0, 0, 32, 32, question ? pal::kGold : pal::kStone);
  img.Outline(0, 0, 32, 32, pal::Outline);
  img.Fill(3, 3, 26, 26, 0);
  // Bars across the opening leave four see-through windows.
  img.Fill(3, 14, 26, 4, question ? pal::Orange : pal::Stone);
  img.Fill(14, 3, 4, 26, question ? pal::Orange : pal::Stone);
  if (question) {
    static const char* const kMark[9] = {"..####..", ".##..##.", ".....##.", "....##..", "...##...",
                                         "...##...", "........", "...##...", "...##..."};
    art::Bevel(img, 9, 5, 14, 22, {pal::Yellow, pal::Orange, pal::GoldDark});
    img.Outline(8, 4, 16, 24, pal::Outline);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 8; ++x)
        if (kMark[y][x] == '#') img.Fill(12 + x, 6 + y * 2, 1, 2, pal::White);
  }
  for (auto [x, y] : {std::pair{1, 1}, {29, 1}, {1, 29}, {29, 29}}) img.Fill(x, y, 2, 2, pal::White);
  return img;
}

// The breakable block at step p: a stone block that cracks, then falls apart into dust.
Image BreakingBlock(int p) {
  Image img(32, 32);
  if (p <= 4) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) img.Put(x, y, BlockStone(x, y));
    img.Outline(0, 0, 32, 32, pal::Outline);
    // Cracks spreading from the middle.
    for (int k = 0; k < p * 3; ++k) {
      const double a = k * 2.39996;
      const int len = 4 + k * 2;
      for (int t = 0; t < len; ++t)
        img.Put(16 + static_cast<int>(std::cos(a) * t), 16 + static_cast<int>(std::sin(a) * t), pal::ShadowDeep);
    }
    return img;
  }
  // Crumbling: chunks drifting apart and falling, smaller each step.
  const int s = p - 5;
  for (int k = 0; k < 9; ++k) {
    const int bx = (k % 3) * 10 + 2, by = (k / 3) * 10 + 2;
    const double fall = s * s * 0.3 + s * (k % 3 == 1 ? 1 : 0.5);
    const int size = std::max(1, 8 - s);
    const int x = bx + static_cast<int>((k % 3 - 1) * s * 1.5), y = by + static_cast<int>(fall);
    if (y > 31) continue;
    for (int j = 0; j < size; ++j)
      for (int i = 0; i < size; ++i) img.Put(x + i, y + j, (i == 0 || j == 0) ? pal::StoneLight : pal::Stone);
  }
  art::AddOutline(img);
  return img;
}

// A platform of 48 x 16 whose top row is its surface.
Image Lift() {
  Image img(48, 16);
  for (int x = 0; x < 48; ++x) {
    img.Put(x, 0, pal::Outline);
    img.Put(x, 1, pal::White);
    img.Put(x, 2, pal::StoneLight);
    for (int y = 3; y < 8; ++y) img.Put(x, y, (x % 12 == 0) ? pal::Shadow : pal::Stone);
    img.Put(x, 8, pal::Shadow);
    img.Put(x, 9, pal::Outline);
  }
  for (int x : {6, 41}) img.Fill(x - 1, 10, 3, 5, pal::Shadow);
  art::VLine(img, 0, 0, 10, pal::Outline);
  art::VLine(img, 47, 0, 10, pal::Outline);
  img.Fill(22, 4, 4, 3, pal::Yellow);
  return img;
}

Image ElevatorRoof() {
  Image img(48, 16);
  art::Bevel(img, 0, 4, 48, 12, pal::kDarkMetal);
  img.Outline(0, 4, 48, 12, pal::Outline);
  img.Fill(10, 0, 28, 5, pal::Shadow);
  img.Outline(10, 0, 28, 5, pal::Outline);
  // The lamp's window: the middle cell is open so the lamp drawn behind shows.
  img.Fill(18, 5, 12, 10, 0);
  img.Outline(17, 4, 14, 12, pal::Outline);
  return img;
}

Image ElevatorPlatform() {
  Image img(48, 16);
  art::Bevel(img, 0, 0, 48, 8, pal::kMetal);
  img.Outline(0, 0, 48, 8, pal::Outline);
  for (int x = 2; x < 46; x += 4) img.Put(x, 4, pal::Stone);
  img.Fill(4, 8, 40, 3, pal::Shadow);
  art::HLine(img, 4, 11, 40, pal::Outline);
  return img;
}

}  // namespace

void DrawPistonWeight(Image& sheet) { PutBlock(sheet, 794, Weight(nullptr)); }
void DrawSixteenTon(Image& sheet) { PutBlock(sheet, 797, Weight(U"16t")); }

void DrawCoinBlocks(Image& sheet) {
  PutBlock(sheet, 802, CoinBlock(false));
  PutBlock(sheet, 800, CoinBlock(false).Crop(0, 0, 16, 16));
  PutBlock(sheet, 1000, CoinBlock(true));
}

void DrawBlockLift(Image& sheet) {
  for (int p = 0; p < 14; ++p) PutBlock(sheet, 880 + 2 * p, BreakingBlock(p));
}

void DrawLifts(Image& sheet) { PutBlock(sheet, 954, Lift()); }

void DrawElevator(Image& sheet) {
  PutBlock(sheet, 957, ElevatorRoof());
  PutBlock(sheet, 997, ElevatorPlatform());
}
