// Sheet 117: the status panel's fixed picture, 14 x 4 cells (224 x 64) shown at the panel's
// right, stored in four blocks: 352 (8 x 2, top left), 1150 (6 x 2, top right), 910 (10 x 2,
// bottom left), 990 (4 x 2, bottom right). It is a plate with a magic circle and the name
// "TOVIA". (The HUD's spinning coin is drawn with the other coins, in sheet117_effects.cpp.)
#include <cmath>

#include "font5x7.h"
#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

void MagicCircle(Image& img, double cx, double cy, double r) {
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (std::abs(d - r) < 0.9 || std::abs(d - r * 0.8) < 0.6) img.Put(x, y, pal::PurpleLight);
      if (d < r * 0.8 - 1 && art::Bayer(x, y) < 0.25 * (1 - d / r)) img.Put(x, y, pal::Purple);
    }
  // Runes between the two rings.
  for (int k = 0; k < 12; ++k) {
    const double a = k * kPi / 6;
    const int x = static_cast<int>(cx + std::cos(a) * r * 0.9), y = static_cast<int>(cy + std::sin(a) * r * 0.9);
    img.Put(x, y, pal::Cyan);
    img.Put(x + (k % 2), y + 1 - (k % 2), pal::Cyan);
  }
  // A five-pointed star joining points on the inner ring.
  for (int k = 0; k < 5; ++k) {
    const double a0 = -kPi / 2 + k * 4 * kPi / 5, a1 = -kPi / 2 + (k + 1) * 4 * kPi / 5;
    art::DrawLine(img, static_cast<int>(cx + std::cos(a0) * r * 0.8), static_cast<int>(cy + std::sin(a0) * r * 0.8),
                  static_cast<int>(cx + std::cos(a1) * r * 0.8), static_cast<int>(cy + std::sin(a1) * r * 0.8),
                  pal::Yellow);
  }
  art::FillEllipse(img, cx, cy, 3, 3, pal::White);
}

// Text in the generator's font at three times its size, lit from above, outlined.
void BigWord(Image& img, int x, int y, const char* text) {
  Image word(static_cast<int>(std::char_traits<char>::length(text)) * 18 + 2, 24);
  for (int k = 0; text[k] != 0; ++k) {
    const char* const* g = font5x7::Glyph(text[k]);
    for (int j = 0; j < 21; ++j)
      for (int i = 0; i < 15; ++i)
        if (g[j / 3][i / 3] == '#')
          word.Put(1 + k * 18 + i, 1 + j, j < 7 ? pal::White : j < 14 ? pal::Yellow : pal::Orange);
  }
  art::AddOutline(word, pal::Outline);
  img.Blit(word, x, y);
}

Image PanelPicture() {
  Image img(224, 64);
  // The plate: a dark violet ground inside a gold frame.
  for (int y = 2; y < 62; ++y)
    for (int x = 2; x < 222; ++x) img.Put(x, y, art::Bayer(x, y) < y / 90.0 ? pal::PurpleDark : pal::Night);
  img.Outline(0, 0, 224, 64, pal::GoldDark);
  img.Outline(1, 1, 222, 62, pal::Yellow);
  art::HLine(img, 2, 61, 220, pal::GoldDark);
  MagicCircle(img, 32, 32, 26);
  BigWord(img, 80, 8, "TOVIA");
  // A rule with small stars under the name.
  art::HLine(img, 78, 40, 130, pal::GoldDark);
  for (int x : {84, 143, 202}) {
    img.Put(x, 39, pal::Yellow);
    img.Put(x, 41, pal::Yellow);
    img.Put(x - 1, 40, pal::Yellow);
    img.Put(x + 1, 40, pal::Yellow);
    img.Put(x, 40, pal::White);
  }
  for (int x = 90; x < 200; x += 9) img.Put(x, 50 + (x / 9) % 3, pal::StoneLight);
  return img;
}

}  // namespace

void DrawStatusPanelPicture(Image& sheet) {
  const Image pic = PanelPicture();
  PutBlock(sheet, 352, pic.Crop(0, 0, 128, 32));
  PutBlock(sheet, 1150, pic.Crop(128, 0, 96, 32));
  PutBlock(sheet, 910, pic.Crop(0, 32, 160, 32));
  PutBlock(sheet, 990, pic.Crop(160, 32, 64, 32));
}
