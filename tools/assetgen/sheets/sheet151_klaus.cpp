// Bitmap 151 (sheet 1; local cells, the game adds 1200): Klaus, the heroine's teacher, an old
// mage in a blue robe and pointed hat with a staff. Every picture is 6 cells (96 pixels) tall
// and `width` cells wide from its first cell; where the picture is shifted 16 pixels left
// (wide walk and wind-up frames) his body stands in its second and third columns.
//   pattern: first cell (facing right), width, shift
//   0 480 2 0 stand;  1 482 2 0 / 2 484 4 16 walk, near leg;  3 488 2 0 / 4 490 4 16 far leg
//   5 0 2 0 ... 15 32 5 0   the big spell: raising the staff, swinging it back, thrusting it
//                           forward in a blast (15 reaches 80 pixels)
//   16 240 3 0 .. 19 249 4 0  a smaller spell from the open hand
//   20 254 2 0, 21 256 2 0    raising a hand;  22 258 3 0 pointing ahead ("Go!")
// Facing left only the walk is needed: patterns 0..4 at the first cell + 240 (rows 18-23).
#include <cmath>

#include "figure.h"

namespace {

constexpr double kPi = 3.14159265358979;
using figure::Pt;

struct KlausPose {
  double lean = 0;                  // the upper body moved forward (+) or back (-)
  double step = 0;                  // the walk: -1..1, the near foot forward at 1
  Pt staff_hand{8, 0};              // the hand on the staff, from the shoulder (near side)
  double staff_angle = 0;           // the staff's tilt from upright, degrees, forward positive
  Pt free_hand{-5, 18};             // the other hand, from its shoulder
  double glow = 0;                  // a ball of light at the staff's head or the free hand
  bool glow_in_hand = false;
  bool blast = false;               // the released spell, a beam out of the staff
  bool staff = true;
};

struct Pattern {
  int first, width, shift;
  KlausPose pose;
};

KlausPose Walk(double step) {
  KlausPose p;
  p.step = step;
  p.staff_hand = {7, 14};
  p.free_hand = {-6 * step - 1, 17};
  return p;
}

KlausPose Spell(double lean, double angle, Pt hand, double glow, bool blast = false) {
  KlausPose p;
  p.lean = lean;
  p.staff_angle = angle;
  p.staff_hand = hand;
  p.glow = glow;
  p.blast = blast;
  return p;
}

KlausPose Hand(Pt free_hand, double glow, bool staff = true) {
  KlausPose p;
  p.free_hand = free_hand;
  p.glow = glow;
  p.glow_in_hand = glow > 0;
  p.staff = staff;
  p.staff_hand = {-1, 14};
  return p;
}

const Pattern kPatterns[23] = {
    {480, 2, 0, Walk(0)},
    {482, 2, 0, Walk(0.5)},
    {484, 4, 16, Walk(1)},
    {488, 2, 0, Walk(-0.5)},
    {490, 4, 16, Walk(-1)},
    {0, 2, 0, Spell(0, 0, {7, 14}, 0)},
    {2, 3, 0, Spell(0, 20, {10, 8}, 0)},
    {5, 2, 0, Spell(-1, 0, {4, -8}, 1)},
    {7, 4, 16, Spell(-3, -40, {-2, -10}, 2)},
    {11, 4, 16, Spell(-4, -60, {-6, -8}, 3)},
    {15, 4, 16, Spell(-5, -75, {-9, -4}, 4)},
    {19, 4, 16, Spell(-3, -50, {-5, -9}, 5)},
    {23, 3, 0, Spell(0, 10, {6, -6}, 5)},
    {26, 3, 0, Spell(2, 45, {11, 0}, 6)},
    {29, 3, 0, Spell(3, 70, {14, 6}, 6)},
    {32, 5, 0, Spell(4, 90, {16, 10}, 7, true)},
    {240, 3, 0, Hand({6, 10}, 1)},
    {243, 3, 0, Hand({10, 8}, 2)},
    {246, 3, 0, Hand({14, 8}, 3)},
    {249, 4, 0, Hand({20, 9}, 6)},
    {254, 2, 0, Hand({2, -4}, 0)},
    {256, 2, 0, Hand({4, -12}, 0)},
    {258, 3, 0, Hand({20, 4}, 0)},
};

Image DrawKlaus(const Pattern& pat, bool left) {
  const KlausPose& p = pat.pose;
  art::Canvas c(16 * pat.width, 96);
  const double cx = 16 + pat.shift;  // the body's centre
  const int robe = c.Part({pal::Sky, pal::SkyDark, pal::WaterDark});
  const int robe_back = c.Part({pal::SkyDark, pal::WaterDark, pal::WaterDark});
  const int trim = c.FlatPart(pal::Yellow);
  const int skin = c.Part(pal::kSkin);
  const int beard = c.Part({pal::White, pal::White, pal::StoneLight});
  const int hat = c.Part(pal::kPurple);
  const int shoe = c.Part(pal::kWood);
  const int staff = c.Part(pal::kWood);
  const int gem = c.Part({pal::White, pal::Cyan, pal::Teal});
  const int eye = c.FlatPart(pal::Outline);
  const int sleeve_edge = c.FlatPart(pal::WaterDark);

  const double top = 4;                    // the hat's tip
  const double head_y = top + 20 + std::abs(p.step) * 1.5;
  const double nx = cx + p.lean;           // the neck's x
  const Pt near_shoulder{nx + 5, head_y + 14}, far_shoulder{nx - 5, head_y + 14};

  // The far arm (the free hand), behind the body.
  const Pt free_hand{far_shoulder.x + p.free_hand.x, far_shoulder.y + p.free_hand.y};
  c.Line(far_shoulder.x, far_shoulder.y, (far_shoulder.x + free_hand.x) / 2, (far_shoulder.y + free_hand.y) / 2 + 2, 5, robe_back);
  c.Line((far_shoulder.x + free_hand.x) / 2, (far_shoulder.y + free_hand.y) / 2 + 2, free_hand.x, free_hand.y, 4.5, robe_back);
  c.Disc(free_hand.x, free_hand.y, 2.2, skin);

  // Feet peeking under the robe.
  c.Rect(static_cast<int>(cx - 7 + p.step * 5), 90, 8, 5, shoe);
  c.Rect(static_cast<int>(cx - 1 - p.step * 5), 90, 8, 5, shoe);
  // The robe: from the shoulders to the hem, flaring; the stride opens it.
  const double flare = 10 + std::abs(p.step) * 4;
  c.Poly({{nx - 7, head_y + 12}, {nx + 7, head_y + 12}, {cx + flare, 91}, {cx - flare, 91}}, robe);
  c.Rect(static_cast<int>(cx - flare + 1), 88, static_cast<int>(2 * flare - 1), 2, trim);
  c.Line(nx, head_y + 14, cx + p.step * 2, 90, 1.2, trim);
  // Head, beard and hat.
  c.Ellipse(nx + 1, head_y + 4, 6, 6.5, skin);
  c.Poly({{nx - 5, head_y + 5}, {nx + 7, head_y + 5}, {nx + 3, head_y + 22}, {nx - 3, head_y + 18}}, beard);
  c.Rect(static_cast<int>(nx + 3), static_cast<int>(head_y + 2), 1, 2, eye);
  c.Poly({{nx - 9, head_y - 1}, {nx + 10, head_y - 1}, {nx + 6, head_y - 5}, {nx - 2 - p.lean, top}, {nx - 5, head_y - 5}}, hat);
  c.Rect(static_cast<int>(nx - 9), static_cast<int>(head_y - 2), 19, 2, trim);

  // The staff and the near arm holding it.
  const Pt hand{near_shoulder.x + p.staff_hand.x, near_shoulder.y + p.staff_hand.y};
  if (p.staff) {
    const double a = p.staff_angle * kPi / 180;
    const double dx = std::sin(a), dy = -std::cos(a);
    const Pt head{hand.x + dx * 28, hand.y + dy * 28}, foot{hand.x - dx * 30, hand.y - dy * 30};
    c.Line(foot.x, foot.y, head.x, head.y, 2.2, staff);
    c.Disc(head.x, head.y, 2.6, gem);
    if (p.glow > 0 && !p.glow_in_hand) c.Disc(head.x, head.y, 2.6 + p.glow * 0.7, gem);
    if (p.blast) {
      // The blast: a beam from the staff's head to the picture's right edge.
      c.Line(head.x, head.y, 16 * pat.width - 1, head.y + 3, 7, gem);
      c.Disc(16 * pat.width - 5, head.y + 3, 5, gem);
    }
  }
  c.OnlyOver(robe);
  c.Line(near_shoulder.x, near_shoulder.y, (near_shoulder.x + hand.x) / 2, (near_shoulder.y + hand.y) / 2 + 2, 7, sleeve_edge);
  c.Line((near_shoulder.x + hand.x) / 2, (near_shoulder.y + hand.y) / 2 + 2, hand.x, hand.y, 6.5, sleeve_edge);
  c.OnlyOver(-1);
  c.Line(near_shoulder.x, near_shoulder.y, (near_shoulder.x + hand.x) / 2, (near_shoulder.y + hand.y) / 2 + 2, 5, robe);
  c.Line((near_shoulder.x + hand.x) / 2, (near_shoulder.y + hand.y) / 2 + 2, hand.x, hand.y, 4.5, robe);
  c.Disc(hand.x, hand.y, 2.2, skin);
  if (p.glow_in_hand) {
    // The gesture's light gathers in the free hand.
    c.Disc(free_hand.x + 1, free_hand.y - 1, 1.5 + p.glow * 0.8, gem);
  }
  return figure::Facing(c, left);
}

}  // namespace

void DrawKlaus(Image& sheet) {
  for (int p = 0; p < 23; ++p) PutBlock(sheet, kPatterns[p].first, DrawKlaus(kPatterns[p], false));
  for (int p = 0; p < 5; ++p) PutBlock(sheet, kPatterns[p].first + 240, DrawKlaus(kPatterns[p], true));
}
