// Bitmap 196 (sheet 3 of the title scene; local cells, the game adds 3600): the nine sprites of
// the title's opening play, drawn straight onto the screen inside the letterbox.
//   641, 643 (2 x 2)        a small monster walking right
//   561 + 3k (3 x 2, k 0..8)  a floating ghost: whole (0), then bursting into light (1..8)
//   321 + 2k (2 x 2, k 0..11) the heroine's spell spinning as it flies
//   445 + 3k (3 x 3, k 0..8)  a great bubble: whole (0), then blasted apart (1..8)
//   242, 243, 244 (1 x 2)   the insect flying in, bobbing
//   443 (2 x 2)             the glow the spell leaves behind
//   4 (3 x 4)               the heroine standing
//   161..164 (1 x 2)        the insect: 0 and 1 looking about, 2 landing, 3 knocked over
//   10 (14 x 5)             the title logo
#include <cmath>

#include "font5x7.h"
#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

Image WalkingMonster(int frame) {
  art::Canvas c(32, 32);
  const int body = c.Part(pal::kPurple);
  const int foot = c.Part(pal::kDark);
  const int eye = c.FlatPart(pal::White);
  const int pupil = c.FlatPart(pal::Outline);
  c.Ellipse(frame ? 11 : 13, 28, 4, 2.5, foot);
  c.Ellipse(frame ? 21 : 19, 28, 4, 2.5, foot);
  c.Ellipse(16, 17, 11, 10, body);
  c.Poly({{8, 10}, {9, 2}, {13, 8}}, body);
  c.Rect(19, 12, 5, 6, eye);
  c.Rect(22, 14, 2, 3, pupil);
  c.Rect(20, 21, 6, 1, pupil);
  return c.Render();
}

// A ghost floating left; from picture 1 on it bursts into rays and fades.
Image Ghost(int k) {
  Image img(48, 32);
  if (k == 0) {
    art::Canvas c(48, 32);
    const int body = c.Part({pal::White, pal::SkyLight, pal::Sky});
    c.Ellipse(22, 14, 14, 11, body);
    c.Poly({{8, 14}, {36, 14}, {40, 30}, {34, 25}, {28, 30}, {22, 25}, {16, 30}, {10, 25}}, body);
    const int eye = c.FlatPart(pal::Outline);
    c.Rect(14, 11, 3, 4, eye);
    c.Rect(22, 11, 3, 4, eye);
    c.Ellipse(18, 19, 3, 2, c.FlatPart(pal::WaterDark));
    return c.Render();
  }
  const double r = 4 + k * 2.5;
  for (int ray = 0; ray < 12; ++ray) {
    const double a = ray * kPi / 6 + k * 0.1;
    for (double t = r * 0.5; t < r; t += 0.5)
      img.Put(static_cast<int>(24 + std::cos(a) * t * 1.4), static_cast<int>(16 + std::sin(a) * t), k < 6 ? pal::Yellow : pal::SkyLight);
  }
  if (k < 6) art::FillEllipse(img, 24, 16, 7 - k, 6 - k * 0.8, pal::White);
  return img;
}

Image SpinningSpell(int k) {
  Image img(32, 32);
  const double a = k * kPi / 12;
  for (int arm = 0; arm < 4; ++arm) {
    const double b = a + arm * kPi / 2;
    for (double t = 0; t < 12; t += 0.5) {
      const double w = 3.2 * (1 - t / 12);
      const double bx = 16 + std::cos(b) * t, by = 16 + std::sin(b) * t;
      art::FillEllipse(img, bx + std::cos(b + kPi / 2) * w * 0.3, by + std::sin(b + kPi / 2) * w * 0.3, w, w,
                       t < 4 ? pal::White : t < 8 ? pal::Cyan : pal::Teal);
    }
  }
  art::FillEllipse(img, 16, 16, 4, 4, pal::White);
  art::AddOutline(img, pal::WaterDark);
  return img;
}

// A great bubble: whole at 0, then blasted apart into drops that fly off.
Image Bubble(int k) {
  Image img(48, 48);
  if (k == 0) {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) {
        const double d = std::hypot(x + 0.5 - 24, y + 0.5 - 24);
        if (d > 20) continue;
        if (d > 18) img.Put(x, y, pal::Sky);
        else if (d > 16.5 && (x + y) < 44) img.Put(x, y, pal::SkyLight);
        else if (art::Bayer(x, y) < 0.15) img.Put(x, y, pal::SkyDark);
      }
    art::FillEllipse(img, 16, 15, 4, 3, pal::White);
    art::AddOutline(img, pal::WaterDark);
    return img;
  }
  for (int drop = 0; drop < 10; ++drop) {
    const double a = drop * 2 * kPi / 10;
    const double dist = 8 + k * 2.2;
    const double r = std::max(1.0, 4.0 - k * 0.35);
    art::FillEllipse(img, 24 + std::cos(a) * dist, 24 + std::sin(a) * dist, r, r, drop % 2 ? pal::SkyLight : pal::Sky);
  }
  art::AddOutline(img, pal::WaterDark);
  return img;
}

// The insect at 1 x 2 cells: `pose` 0 and 1 looking about, 2 landing, 3 knocked over; `lift`
// raises it (the bob of its flight), `wings` 0..2.
Image TitleInsect(int pose, double lift, int wings) {
  art::Canvas c(16, 32);
  const int wing = c.Part({pal::White, pal::SkyLight, pal::Sky});
  const int body = c.Part(pal::kGreen);
  const int belly = c.Part({pal::Cream, pal::Yellow, pal::Orange});
  const int eye = c.FlatPart(pal::White);
  const int pupil = c.FlatPart(pal::Outline);
  const double cy = 22 - lift;
  if (pose == 3) {  // on its back, legs in the air
    c.Ellipse(8, 27, 6, 4, body);
    c.Ellipse(8, 25, 4, 2, belly);
    const int leg = c.FlatPart(pal::Outline);
    for (int x : {4, 8, 12}) c.Rect(x, 20, 1, 3, leg);
    c.Rect(11, 27, 2, 1, pupil);
    return c.Render();
  }
  const double wy = cy - 7 + wings * 2;
  c.Ellipse(5, wy, 3.5, 2.5, wing);
  c.Ellipse(10, wy - 1, 3.5, 2.5, wing);
  c.Ellipse(8, cy, 6, 5.5, body);
  c.Ellipse(9, cy + 2, 3.5, 2.5, belly);
  const int look = pose == 1 ? -3 : 0;
  c.Rect(9 + look, static_cast<int>(cy) - 3, 3, 3, eye);
  c.Rect(10 + look + (pose == 1 ? 0 : 1), static_cast<int>(cy) - 2, 2, 2, pupil);
  c.Rect(9 + look, static_cast<int>(cy) + 2, 3, 1, c.FlatPart(pal::RedDark));
  return c.Render();
}

Image Afterglow() {
  Image img(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
      if (d < 4) img.Put(x, y, pal::White);
      else if (d < 8 && art::Bayer(x, y) < (8 - d) / 4) img.Put(x, y, pal::Cyan);
    }
  for (int i = -14; i <= 14; ++i) {
    if (std::abs(i) > 4) {
      img.Put(16 + i, 16, pal::Cyan);
      img.Put(16, 16 + i, pal::Cyan);
    }
  }
  return img;
}

// The logo, 224 x 80: "TOVIA" in large lit letters with a violet shadow, stars around it.
Image Logo() {
  Image img(224, 80);
  const char* word = "TOVIA";
  constexpr int kScale = 6, kPitch = 38;
  const int left = (224 - (5 * kPitch - 8)) / 2;
  Image letters(224, 80);
  for (int k = 0; k < 5; ++k) {
    const char* const* g = font5x7::Glyph(word[k]);
    for (int j = 0; j < 7 * kScale; ++j)
      for (int i = 0; i < 5 * kScale; ++i)
        if (g[j / kScale][i / kScale] == '#') {
          const int x = left + k * kPitch + i, y = 12 + j;
          // The violet shadow, then the lit letter.
          img.Put(x + 3, y + 3, pal::PurpleDark);
          const uint32_t c = j < 12 ? pal::White : j < 24 ? pal::Yellow : j < 34 ? pal::Orange : pal::Red;
          letters.Put(x, y, (i % kScale == 0 || j % kScale == 0) && j < 12 ? pal::Cream : c);
        }
  }
  art::AddOutline(img, pal::Outline);
  art::AddOutline(letters, pal::Outline);
  img.Blit(letters, 0, 0);
  // A swoosh under the name and a few stars.
  for (int x = 16; x < 208; ++x) {
    const int y = 66 + static_cast<int>(std::lround(std::sin((x - 16) * kPi / 192) * -4));
    img.Put(x, y, pal::Cyan);
    img.Put(x, y + 1, pal::Teal);
  }
  static const int kStars[4][3] = {{8, 10, 4}, {214, 16, 3}, {200, 70, 4}, {22, 72, 2}};
  for (const auto& [x, y, s] : kStars) {
    for (int i = -s; i <= s; ++i) {
      img.Put(x + i, y, pal::Yellow);
      img.Put(x, y + i, pal::Yellow);
    }
    img.Put(x, y, pal::White);
  }
  return img;
}

}  // namespace

void DrawTitleSprites(Image& sheet) {
  PutBlock(sheet, 641, WalkingMonster(0));
  PutBlock(sheet, 643, WalkingMonster(1));
  for (int k = 0; k < 9; ++k) PutBlock(sheet, 561 + 3 * k, Ghost(k));
  for (int k = 0; k < 12; ++k) PutBlock(sheet, 321 + 2 * k, SpinningSpell(k));
  for (int k = 0; k < 9; ++k) PutBlock(sheet, 445 + 3 * k, Bubble(k));
  for (int k = 0; k < 3; ++k) PutBlock(sheet, 242 + k, TitleInsect(0, k * 2, k));
  PutBlock(sheet, 443, Afterglow());
  PutBlock(sheet, 4, HeroineFrame(0, false));
  for (int k = 0; k < 4; ++k) PutBlock(sheet, 161 + k, TitleInsect(k, k == 2 ? 0 : 0, 1));
  PutBlock(sheet, 10, Logo());
}
