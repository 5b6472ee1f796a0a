// The far background pictures, shown whole behind map layer 0 and scrolled sideways at a quarter
// of the camera's speed round a 640-pixel ring: each one's left and right edges join (every
// shape here repeats every 640 pixels), and none moves vertically.
//   113  mountains under a blue sky (the forest, the town, the temple, the inn)
//   159  the dark rock of a cave (the cave, the gorilla house)
//   187  a colonnade in torchlight (the corridor)
//   189  the lair: arches in a violet glow (the boss room, the object test)
//   197  the title: an ornamental frame around a black window, where the title's opening play
//        shows through (it must stay pure black inside (100, 100)-(540, 380))
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kW = 640, kH = 480;

// A height line that repeats every 640 pixels: a sum of sines with whole periods.
double Ridge(int x, double base, std::initializer_list<std::pair<int, double>> waves, double phase = 0) {
  double h = base;
  int k = 0;
  for (auto [periods, amp] : waves) h += amp * std::sin(x * 2 * kPi * periods / kW + phase + k++ * 1.7);
  return h;
}

// Picks between two colours by an ordered dither, t in [0, 1] the share of `b`.
uint32_t Mix(int x, int y, uint32_t a, uint32_t b, double t) { return art::Bayer(x, y) < t ? b : a; }

// ---- 113 ------------------------------------------------------------------------------------------

Image MountainSky() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      // Sky: dark at the top, paler towards the horizon.
      const double t = y / 300.0;
      uint32_t c = t < 0.33 ? Mix(x, y, pal::SkyDark, pal::Sky, t * 3) : t < 0.8 ? Mix(x, y, pal::Sky, pal::SkyLight, (t - 0.33) * 2.1) : pal::SkyLight;
      // Clouds: soft bands of white.
      const double cloud = art::SmoothNoise(x, y * 2.5, 48, kW, 301) + art::SmoothNoise(x, y * 2.5, 16, kW, 303) * 0.4;
      if (y > 40 && y < 200 && cloud > 0.95) c = Mix(x, y, pal::SkyLight, pal::White, (cloud - 0.95) * 4);
      // Far mountains with snowy peaks, then nearer blue-green ones, then hills.
      const double far = Ridge(x, 250, {{3, 40}, {7, 18}, {13, 7}});
      const double mid = Ridge(x, 310, {{2, 22}, {5, 14}, {11, 6}}, 1.0);
      const double near = Ridge(x, 380, {{4, 12}, {9, 6}}, 2.0);
      if (y > far) c = y < far + 18 && far < 240 ? pal::White : Mix(x, y, pal::Stone, pal::StoneLight, (y - far) < 30 ? 0.5 : 0.2);
      if (y > mid) c = Mix(x, y, pal::SkyDark, pal::Sky, std::max(0.0, 0.5 - (y - mid) / 80));
      if (y > near) c = Mix(x, y, pal::GrassDark, pal::Grass, std::max(0.0, 0.6 - (y - near) / 60));
      if (y > near + 60) c = Mix(x, y, pal::ForestDeep, pal::GrassDark, 0.3);
      img.Put(x, y, c);
    }
  return img;
}

// ---- 159 ------------------------------------------------------------------------------------------

Image CaveRock() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const double n = art::SmoothNoise(x, y, 40, kW, 311) * 0.6 + art::SmoothNoise(x, y, 12, kW, 313) * 0.4;
      uint32_t c = n < 0.45 ? pal::Night : n < 0.62 ? Mix(x, y, pal::Night, pal::ShadowDeep, (n - 0.45) * 6) : pal::ShadowDeep;
      if (n > 0.72) c = Mix(x, y, pal::ShadowDeep, pal::Shadow, (n - 0.72) * 4);
      // Stalactites hanging from the top.
      const double drip = 40 + 30 * std::abs(std::sin(x * 2 * kPi * 16 / kW)) * (0.5 + 0.5 * std::sin(x * 2 * kPi * 3 / kW));
      if (y < drip && std::abs(std::sin(x * 2 * kPi * 16 / kW)) > 0.4) c = y < drip - 2 ? pal::Shadow : pal::ShadowDeep;
      img.Put(x, y, c);
    }
  // A few glowing crystals in the rock.
  for (int k = 0; k < 14; ++k) {
    const int x = static_cast<int>(art::Noise(k, 0, 317) * kW), y = 120 + static_cast<int>(art::Noise(k, 1, 317) * 320);
    for (int i = 0; i < 6; ++i) {
      img.Put((x + i / 2) % kW, y - i, i < 2 ? pal::White : pal::Cyan);
      img.Put((x + 3 + i / 3) % kW, y - i / 2, pal::Teal);
    }
  }
  return img;
}

// ---- 187 ------------------------------------------------------------------------------------------

Image Colonnade() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const int bay = x % 80, bx = bay - 40;
      uint32_t c = Mix(x, y, pal::Night, pal::ShadowDeep, 0.3);
      // Arches between the columns, a faint warm glow under each.
      const double arch = std::hypot(bx, std::max(0, 150 - y) * 1.2);
      if (arch < 28 && y > 60) c = Mix(x, y, pal::Night, pal::PurpleDark, std::max(0.0, 0.5 - arch / 60));
      // Columns.
      if (bay < 14) c = bay < 3 ? pal::Shadow : bay > 10 ? pal::Night : pal::ShadowDeep;
      if (bay < 18 && (y % 160 < 8)) c = pal::Shadow;
      // Torches between the arches.
      const double glow = std::hypot(bx + 33, (y - 200) * 0.8);
      if (glow < 24 && bay >= 14) c = Mix(x, y, c, pal::RedDark, (24 - glow) / 30);
      if (glow < 4) c = glow < 2 ? pal::Yellow : pal::Orange;
      // The floor.
      if (y > 400) c = (y - 400) % 16 == 0 ? pal::Shadow : Mix(x, y, pal::ShadowDeep, pal::Night, 0.4);
      img.Put(x, y, c);
    }
  return img;
}

// ---- 189 ------------------------------------------------------------------------------------------

Image Lair() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint32_t c = Mix(x, y, pal::Night, pal::PurpleDark, std::max(0.0, 0.55 - std::abs(y - 220) / 300.0));
      // Great arches, two to the ring.
      const int bay = x % 320, bx = bay - 160;
      const double arch = std::hypot(bx, std::max(0, 260 - y) * 1.1);
      if (arch > 120 && arch < 140) c = Mix(x, y, pal::ShadowDeep, pal::Shadow, arch < 124 ? 0.6 : 0.1);
      if (std::abs(bx) > 120 && std::abs(bx) < 140 && y > 260) c = Mix(x, y, pal::ShadowDeep, pal::Shadow, 0.2);
      // An eye-shaped glow in each arch.
      const double ex = bx / 40.0, ey = (y - 200) / 14.0;
      if (ex * ex + ey * ey < 1) c = ex * ex + ey * ey < 0.3 ? pal::PurpleLight : pal::Purple;
      if (std::hypot(bx, y - 200) < 5) c = pal::Outline;
      // Runes along the floor line.
      if (y > 430) c = (x % 20 < 2 && y % 12 < 6) ? pal::Purple : pal::Night;
      img.Put(x, y, c);
    }
  return img;
}

// ---- 197 ------------------------------------------------------------------------------------------

Image TitleFrame() {
  Image img(kW, kH);
  auto inside = [](int x, int y) { return x >= 100 && x < 540 && y >= 100 && y < 380; };
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (inside(x, y)) continue;
      // A starry violet night around the window.
      uint32_t c = Mix(x, y, pal::Night, pal::PurpleDark, std::abs(y - 240) / 400.0);
      const double n = art::Noise(x, y, 321);
      if (n > 0.995) c = pal::White;
      else if (n > 0.99) c = pal::SkyLight;
      // A gold double frame hugging the window.
      const int d = std::max({100 - x, x - 539, 100 - y, y - 379});
      if (d >= 1 && d <= 4) c = d == 1 || d == 4 ? pal::Outline : d == 2 ? pal::Yellow : pal::GoldDark;
      if (d == 8) c = pal::GoldDark;
      img.Put(x, y, c);
    }
  // Corner ornaments: a star in a ring at each corner of the window.
  for (auto [cx, cy] : {std::pair{96, 96}, {543, 96}, {96, 383}, {543, 383}}) {
    for (int y = -12; y <= 12; ++y)
      for (int x = -12; x <= 12; ++x) {
        if (inside(cx + x, cy + y)) continue;
        const double d = std::hypot(x, y);
        if (std::abs(d - 9) < 1.2) img.Put(cx + x, cy + y, pal::Yellow);
        if ((x == 0 || y == 0) && d < 7) img.Put(cx + x, cy + y, d < 3 ? pal::White : pal::Yellow);
      }
  }
  return img;
}

}  // namespace

void DrawFarPictures(Output& out) {
  out.Bitmap(113, MountainSky());
  out.Bitmap(159, CaveRock());
  out.Bitmap(187, Colonnade());
  out.Bitmap(189, Lair());
  out.Bitmap(197, TitleFrame());
}
