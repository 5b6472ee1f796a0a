// Sheet 117: the item icons, 2 x 2 cells each at base + 2k (cells c, c + 1 over c + 40, c + 41).
// The status panel, the equipment page and the message window (as a portrait) draw them.
//   896  rings 0..6        1056 chokers 0..6      882 pendants 0..6
//   1042 magic tools 0..6  962 special items 0..13 1120 consumables 0..8 (0 is never drawn)
#include <cmath>
#include <functional>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;
using Draw = std::function<void(art::Canvas&)>;

Image Icon(const Draw& draw) {
  art::Canvas c(32, 32);
  draw(c);
  return c.Render();
}

// A small white glint, the mark of something polished.
void Glint(art::Canvas& c, int x, int y) {
  const int g = c.FlatPart(pal::White);
  c.Set(x, y, g);
  c.Set(x + 1, y + 1, g);
}

// ---- rings --------------------------------------------------------------------------------------

Image Ring(pal::Ramp band, pal::Ramp gem, double gem_size) {
  return Icon([&](art::Canvas& c) {
    const int b = c.Part(band);
    const int hole = c.Part(pal::Flat(0));
    c.Ellipse(16, 20, 11, 8.5, b);
    c.Ellipse(16, 20.5, 7.5, 5, hole);
    c.Replace(hole, 0);
    if (gem_size > 0) {
      const int g = c.Part(gem);
      const int setting = c.Part(band);
      c.Rect(12, 10, 9, 3, setting);
      c.Poly({{16, 13 - gem_size * 1.4}, {16 + gem_size, 11}, {16, 13 + gem_size * 0.4}, {16 - gem_size, 11}}, g);
      Glint(c, 14, 8);
    } else {
      Glint(c, 9, 16);
    }
  });
}

// ---- chokers ------------------------------------------------------------------------------------

// A collar seen from the front: a band curving down, with an ornament at its lowest point.
Image Choker(pal::Ramp band, const Draw& ornament, double thickness = 4.0) {
  return Icon([&](art::Canvas& c) {
    const int b = c.Part(band);
    for (int k = 0; k < 20; ++k) {
      const double a0 = kPi * (0.1 + 0.8 * k / 20.0), a1 = kPi * (0.1 + 0.8 * (k + 1) / 20.0);
      c.Line(16 - std::cos(a0) * 12, 10 + std::sin(a0) * 10, 16 - std::cos(a1) * 12, 10 + std::sin(a1) * 10,
             thickness, b);
    }
    ornament(c);
  });
}

void Stud(art::Canvas& c, double x, double y, pal::Ramp ramp, double r = 2.2) { c.Disc(x, y, r, c.Part(ramp)); }

// ---- pendants -----------------------------------------------------------------------------------

// A thin chain hanging in a V from the top to the charm at (16, 17).
Image Pendant(pal::Ramp chain, const Draw& charm) {
  return Icon([&](art::Canvas& c) {
    const int ch = c.Part(chain, art::Shade::Soft);
    c.Line(6, 2, 15, 15, 1.3, ch);
    c.Line(26, 2, 17, 15, 1.3, ch);
    charm(c);
  });
}

void Cross(art::Canvas& c, pal::Ramp metal) {
  const int m = c.Part(metal);
  c.Rect(14, 14, 5, 16, m);
  c.Rect(9, 18, 15, 5, m);
}

// ---- books, cards, boxes and bottles ------------------------------------------------------------

Image Book(pal::Ramp cover, const Draw& emblem) {
  return Icon([&](art::Canvas& c) {
    const int pages = c.Part(pal::kCloth);
    const int cv = c.Part(cover);
    c.Poly({{6, 5}, {25, 3}, {27, 26}, {8, 29}}, pages);
    c.Poly({{4, 4}, {23, 2}, {25, 25}, {6, 28}}, cv);
    const int spine = c.FlatPart(cover.dark);
    c.Line(5.5, 4, 7.5, 28, 1.2, spine);
    emblem(c);
  });
}

Image Card(pal::Ramp body, uint32_t stripe, const Draw& marks) {
  return Icon([&](art::Canvas& c) {
    const int b = c.Part(body);
    c.Rect(3, 8, 26, 17, b);
    c.Rect(3, 11, 26, 3, c.FlatPart(stripe));
    marks(c);
  });
}

// An item that exists only by name: a sealed grey box with a question mark.
Image Placeholder() {
  return Icon([](art::Canvas& c) {
    const int box = c.Part(pal::kStone);
    c.Rect(6, 8, 20, 18, box);
    c.Rect(4, 5, 24, 5, c.Part(pal::kStone));
    const int q = c.FlatPart(pal::ShadowDeep);
    c.Stamp(12, 12, {".###.", "#...#", "...#.", "..#..", ".....", "..#.."}, "#", {q});
  });
}

Image Bottle(pal::Ramp glass, pal::Ramp label, pal::Ramp cap) {
  return Icon([&](art::Canvas& c) {
    const int g = c.Part(glass);
    c.Rect(12, 6, 8, 6, g);
    c.Poly({{12, 11}, {20, 11}, {24, 16}, {24, 29}, {8, 29}, {8, 16}}, g);
    c.Rect(11, 2, 10, 5, c.Part(cap));
    c.Rect(8, 17, 16, 8, c.Part(label));
    Glint(c, 10, 13);
  });
}

// ---- the item icons ------------------------------------------------------------------------------

Image RingIcon(int k) {
  static const pal::Ramp kSilver = pal::kMetal;
  switch (k) {
    case 0: return Ring(kSilver, {pal::White, pal::SkyLight, pal::StoneLight}, 4);
    case 1: return Ring(kSilver, kSilver, 0);
    case 2: return Ring(pal::kGold, pal::kGreen, 4);
    case 3: return Ring(pal::kGold, pal::kBlue, 4);
    case 4: return Ring(pal::kGold, pal::kRed, 4);
    case 5: return Ring(kSilver, {pal::Shadow, pal::ShadowDeep, pal::Outline}, 5);
    default: return Ring(pal::kGold, pal::kPink, 6);
  }
}

Image ChokerIcon(int k) {
  switch (k) {
    case 0: return Choker(pal::kBlue, [](art::Canvas& c) { Stud(c, 16, 21, pal::kMetal); });
    case 1: return Choker(pal::kRed, [](art::Canvas& c) { Stud(c, 16, 21, pal::kGold); });
    case 2:
      return Choker(pal::kWood, [](art::Canvas& c) {
        for (double x : {7.0, 11.5, 16.0, 20.5, 25.0}) Stud(c, x, 12 + 9 * std::sin(kPi * (x - 4) / 24), pal::kMetal, 1.4);
      });
    case 3:
      return Choker(pal::kDarkMetal, [](art::Canvas& c) {
        const int seg = c.FlatPart(pal::StoneLight);
        for (double x : {8.0, 12.0, 16.0, 20.0, 24.0}) c.Set(static_cast<int>(x), static_cast<int>(12 + 8.5 * std::sin(kPi * (x - 4) / 24)), seg);
      }, 5.0);
    case 4:
      return Icon([](art::Canvas& c) {  // a wool muffler: a knitted loop with hanging ends
        const int wool = c.Part(pal::kGreen);
        const int stripe = c.Part(pal::kRed);
        c.Ellipse(16, 11, 12, 6, wool);
        c.Ellipse(16, 10, 8, 3, c.Part(pal::Flat(0)));
        c.Replace(c.At(16, 10), 0);
        c.Rect(17, 14, 6, 15, wool);
        c.Rect(17, 20, 6, 2, stripe);
        c.Rect(17, 25, 6, 2, stripe);
      });
    case 5:
      return Choker({pal::Shadow, pal::ShadowDeep, pal::Outline}, [](art::Canvas& c) {
        const int moon = c.Part(pal::kGold);
        c.Disc(16, 23, 5, moon);
        c.Disc(18.5, 21.5, 4.2, c.Part(pal::Flat(0)));
        c.Replace(c.At(19, 21), 0);
      });
    default:
      return Choker(pal::kDarkMetal, [](art::Canvas& c) {
        const int box = c.Part(pal::kDarkMetal);
        c.Rect(11, 18, 10, 8, box);
        const int light = c.FlatPart(pal::Cyan);
        c.Rect(13, 20, 2, 2, light);
        c.Rect(17, 20, 2, 2, c.FlatPart(pal::Red));
        c.Rect(13, 23, 6, 1, light);
      }, 4.5);
  }
}

Image PendantIcon(int k) {
  switch (k) {
    case 0:
      return Pendant(pal::kMetal, [](art::Canvas& c) {  // a small radio
        c.Rect(9, 16, 15, 11, c.Part(pal::kDarkMetal));
        c.Disc(13, 21.5, 3, c.Part(pal::kStone));
        c.Rect(18, 18, 4, 2, c.FlatPart(pal::Yellow));
        c.Line(21, 16, 25, 9, 1.2, c.Part(pal::kMetal));
      });
    case 1: return Pendant(pal::kGold, [](art::Canvas& c) { Cross(c, {pal::WoodLight, pal::Earth, pal::EarthDark}); });
    case 2: return Pendant(pal::kMetal, [](art::Canvas& c) { Cross(c, pal::kMetal); });
    case 3:
      return Pendant(pal::kRed, [](art::Canvas& c) {
        c.Disc(16, 22, 7.5, c.Part(pal::kGold));
        const int star = c.FlatPart(pal::White);
        c.Stamp(13, 19, {"..#..", ".###.", "#####", ".#.#."}, "#", {star});
      });
    case 4:
      return Pendant(pal::kMetal, [](art::Canvas& c) {
        c.Poly({{10, 17}, {18, 14}, {23, 19}, {21, 27}, {12, 28}, {9, 23}}, c.Part(pal::kDark));
        const int glint = c.FlatPart(pal::PurpleLight);
        c.Set(14, 19, glint);
        c.Set(18, 23, glint);
        c.Set(13, 25, c.FlatPart(pal::Purple));
      });
    case 5:
      return Pendant(pal::kMetal, [](art::Canvas& c) {
        c.Poly({{16, 14}, {23, 18}, {23, 25}, {16, 29}, {9, 25}, {9, 18}}, c.Part(pal::kTeal));
        Glint(c, 12, 18);
      });
    default:
      return Pendant(pal::kRed, [](art::Canvas& c) {  // a paper charm with a red seal
        c.Rect(11, 14, 10, 15, c.Part(pal::kCloth));
        const int ink = c.FlatPart(pal::Red);
        c.Disc(16, 19, 2.5, ink);
        c.Rect(15, 23, 2, 4, ink);
      });
  }
}

Image MagicToolIcon(int k) {
  switch (k) {
    case 0:
      return Icon([](art::Canvas& c) {  // a beetle, seen from above
        const int leg = c.FlatPart(pal::Outline);
        for (int y : {12, 17, 22}) {
          c.Line(6, y - 2, 26, y + 2, 1.2, leg);
          c.Line(6, y + 2, 26, y - 2, 1.2, leg);
        }
        const int shell = c.Part({pal::Leaf, pal::GrassDark, pal::ForestDeep});
        c.Ellipse(16, 18, 8, 10, shell);
        c.Rect(16, 10, 1, 17, c.FlatPart(pal::ForestDeep));
        c.Ellipse(16, 7, 5, 3.5, c.Part(pal::kDark));
        c.Line(16, 5, 16, 1, 1.5, c.Part(pal::kDark));  // the horn
        Glint(c, 11, 13);
      });
    case 1:
      return Book(pal::kDeepBlue, [](art::Canvas& c) {
        const int s = c.Part(pal::kMetal);
        c.Poly({{11, 9}, {21, 8}, {21, 15}, {16.5, 21}, {11, 15}}, s);
        c.Disc(16, 13, 1.8, c.Part(pal::kGold));
      });
    case 2:
      return Book({pal::WoodLight, pal::Earth, pal::EarthDark}, [](art::Canvas& c) {
        const int ink = c.FlatPart(pal::EarthDark);
        for (int y : {9, 13, 17}) c.Rect(10, y, 10, 1, ink);
        c.Rect(18, 21, 5, 5, c.FlatPart(pal::Cream));  // a dog-eared corner
      });
    case 3:
      return Icon([](art::Canvas& c) {  // a rat's tail, curled, tied with a ribbon
        const int tail = c.Part({pal::Pink, pal::SkinShadow, pal::HairDark});
        double px = 6, py = 26;
        for (int k = 1; k <= 40; ++k) {
          const double t = k / 40.0, a = t * 3.4 * kPi;
          const double r = 11 * (1 - t * 0.7);
          const double x = 16 + std::cos(a + kPi) * r + (1 - t) * 2, y = 16 + std::sin(a + kPi) * r * 0.8;
          c.Line(px, py, x, y, 3.2 - 2 * t, tail);
          px = x;
          py = y;
        }
        const int ribbon = c.Part(pal::kRed);
        c.Poly({{3, 22}, {9, 25}, {3, 29}}, ribbon);
        c.Poly({{9, 25}, {14, 21}, {14, 28}}, ribbon);
      });
    case 4:
      return Icon([](art::Canvas& c) {  // a pocket clock between small wings
        const int wing = c.Part({pal::White, pal::Cyan, pal::Teal});
        c.Poly({{2, 10}, {9, 14}, {9, 22}, {4, 18}}, wing);
        c.Poly({{30, 10}, {23, 14}, {23, 22}, {28, 18}}, wing);
        c.Disc(16, 18, 10, c.Part(pal::kGold));
        c.Disc(16, 18, 7.5, c.Part({pal::White, pal::White, pal::SkyLight}));
        c.Rect(15, 4, 3, 4, c.Part(pal::kGold));
        const int hand = c.FlatPart(pal::Outline);
        c.Line(16, 18, 16, 12, 1.2, hand);
        c.Line(16, 18, 20, 20, 1.2, hand);
      });
    case 5:
      return Icon([](art::Canvas& c) {  // a blue amulet in a gold frame
        const int frame = c.Part(pal::kGold);
        c.Ellipse(16, 18, 9, 11, frame);
        c.Ellipse(16, 18, 6.5, 8.5, c.Part(pal::kBlue));
        c.Rect(14, 3, 4, 5, frame);
        Glint(c, 13, 12);
      });
    default:
      return Icon([](art::Canvas& c) {  // a little doll of the teacher in his robe
        const int robe = c.Part({pal::WoodLight, pal::Earth, pal::EarthDark});
        c.Poly({{16, 10}, {24, 29}, {8, 29}}, robe);
        c.Disc(16, 10, 5.5, c.Part(pal::kSkin));
        const int beard = c.Part(pal::kCloth);
        c.Poly({{12, 12}, {20, 12}, {16, 21}}, beard);
        c.Poly({{9, 7}, {23, 7}, {16, 0}}, c.Part(pal::kPurple));  // his hat
        const int eye = c.FlatPart(pal::Outline);
        c.Set(14, 10, eye);
        c.Set(18, 10, eye);
      });
  }
}

Image SpecialItemIcon(int k) {
  switch (k) {
    case 0:
      return Icon([](art::Canvas& c) {  // the glass bell
        const int glass = c.Part({pal::White, pal::SkyLight, pal::Sky});
        c.Poly({{10, 8}, {22, 8}, {24, 22}, {28, 26}, {4, 26}, {8, 22}}, glass);
        c.Rect(14, 3, 4, 6, c.Part(pal::kGold));
        c.Disc(16, 28, 2.2, c.Part(pal::kGold));
        Glint(c, 11, 11);
      });
    case 1:
      return Icon([](art::Canvas& c) {  // the moonstone
        c.Ellipse(16, 17, 10, 9, c.Part({pal::White, pal::SkyLight, pal::PurpleLight}));
        const int sheen = c.FlatPart(pal::Cyan);
        c.Rect(12, 14, 5, 1, sheen);
        c.Rect(11, 15, 3, 1, sheen);
        Glint(c, 10, 11);
      });
    case 4:
      return Card(pal::kMetal, pal::Shadow, [](art::Canvas& c) {  // the metal ID card: the card key
        c.Rect(6, 16, 7, 7, c.Part(pal::kGold));  // a chip
        const int ink = c.FlatPart(pal::ShadowDeep);
        c.Stamp(16, 16, {"#.##.", "#.#.#", "#.#.#", "#.##."}, "#", {ink});
      });
    case 7:
      return Card(pal::kCloth, pal::Red, [](art::Canvas& c) {  // the health-insurance card
        const int ink = c.FlatPart(pal::Shadow);
        for (int y : {17, 20}) c.Rect(6, y, 14, 1, ink);
        c.Disc(24, 19.5, 2.5, c.FlatPart(pal::Red));
      });
    default:
      return Placeholder();
  }
}

Image ConsumableIcon(int id) {
  switch (id) {
    case 0:
      return Icon([](art::Canvas& c) {  // an empty slot: a faint dotted ring
        const int dot = c.FlatPart(pal::Shadow);
        for (int k = 0; k < 12; ++k)
          c.Set(static_cast<int>(16 + std::cos(k * kPi / 6) * 9), static_cast<int>(16 + std::sin(k * kPi / 6) * 9), dot);
      });
    case 1:
      return Icon([](art::Canvas& c) {  // hamburger
        const int bun = c.Part({pal::Yellow, pal::Orange, pal::GoldDark});
        c.Ellipse(16, 12, 12, 7, bun);
        c.Rect(4, 12, 25, 3, bun);
        c.Rect(4, 15, 25, 3, c.Part(pal::kGreen));
        c.Rect(5, 18, 23, 4, c.Part({pal::Earth, pal::WoodDark, pal::EarthDark}));
        c.Poly({{5, 22}, {28, 22}, {26, 27}, {7, 27}}, c.Part({pal::Yellow, pal::Orange, pal::GoldDark}));
        const int seed = c.FlatPart(pal::Cream);
        for (auto [x, y] : {std::pair{11, 8}, {16, 7}, {21, 9}, {14, 10}}) c.Set(x, y, seed);
      });
    case 2:
      return Icon([](art::Canvas& c) {  // soda can
        c.Rect(9, 5, 14, 24, c.Part(pal::kBlue));
        c.Rect(9, 3, 14, 3, c.Part(pal::kMetal));
        c.Rect(9, 28, 14, 2, c.Part(pal::kMetal));
        const int wave = c.FlatPart(pal::White);
        for (int x = 9; x < 23; ++x) c.Set(x, 16 + static_cast<int>(std::lround(std::sin(x * 0.8) * 1.5)), wave);
        Glint(c, 11, 8);
      });
    case 3:
      return Icon([](art::Canvas& c) {  // a bag of potato chips
        c.Poly({{7, 4}, {25, 4}, {27, 28}, {5, 28}}, c.Part(pal::kRed));
        c.Rect(6, 4, 20, 3, c.Part(pal::kMetal));
        c.Ellipse(16, 17, 6, 5, c.Part(pal::kGold));
        c.Ellipse(17, 16, 2, 1.5, c.FlatPart(pal::GoldDark));
      });
    case 4: return Bottle({pal::White, pal::SkyLight, pal::Sky}, pal::kBlue, pal::kMetal);
    case 5:
      return Icon([](art::Canvas& c) {  // energy drink: a small brown bottle with a gold label
        const int g = c.Part({pal::Earth, pal::WoodDark, pal::EarthDark});
        c.Rect(13, 7, 6, 5, g);
        c.Poly({{13, 11}, {19, 11}, {22, 15}, {22, 29}, {10, 29}, {10, 15}}, g);
        c.Rect(12, 3, 8, 4, c.Part(pal::kGold));
        c.Rect(10, 18, 12, 7, c.Part(pal::kGold));
        c.Rect(13, 20, 6, 3, c.FlatPart(pal::Red));
      });
    case 8: return Bottle({pal::Cyan, pal::Teal, pal::WaterDark}, pal::kGold, pal::kPurple);
    default: return Placeholder();
  }
}

void DrawIconRow(Image& sheet, int base, int count, Image (*icon)(int)) {
  for (int k = 0; k < count; ++k) PutBlock(sheet, base + 2 * k, icon(k));
}

}  // namespace

void DrawItemIcons(Image& sheet) {
  DrawIconRow(sheet, 896, 7, RingIcon);
  DrawIconRow(sheet, 1056, 7, ChokerIcon);
  DrawIconRow(sheet, 882, 7, PendantIcon);
  DrawIconRow(sheet, 1042, 7, MagicToolIcon);
  DrawIconRow(sheet, 962, 14, SpecialItemIcon);
  DrawIconRow(sheet, 1120, 9, ConsumableIcon);
}
