// Sheet 3 (local cells; the game adds 3600): the enemies of bitmaps 173 and 112.
//   1, 3, 5 (row 0) / 41, 43, 45 (row 1)   the bat, 2 x 1, wings up, level, down; facing right
//                                          / facing left
//   7, 9, 11        Kamekichi, a turtle walking towards the viewer (2 x 2, three steps)
//   167, 169, 171, 247, 249   the roamer, a slime gathering itself for a leap (2 x 2), from
//                   squashed (0) to stretched (4) as its body box grows
//   13 + 2p (rows 0-3) / 173 + 2p (rows 4-7), p 0..6   Kawachan, a river imp with a shell
//                   (2 x 4): 0 stand, 1 and 2 steps, 3 follow-through, 4 wind-up,
//                   5 release, 6 the swing over its head; facing right / left
//   720 + 2k (rows 18-19), k 0..6   the flame Kawachan carries and throws, also the wisp
//   481..496        the chain boss's shot, 16 frames
#include <algorithm>
#include <cmath>

#include "sheets.h"

namespace {

constexpr double kPi = 3.14159265358979;

// The bat, facing right (mirrored for left): its head sits forward of its body on the side it
// flies to, with the eyes and the fang at the front.
Image Bat(int wings, bool left) {
  art::Canvas c(32, 16);
  const int wing = c.Part(pal::kPurple);
  const int body = c.Part({pal::Purple, pal::PurpleDark, pal::ShadowDeep});
  const int eye = c.FlatPart(pal::Yellow);
  const int fang = c.FlatPart(pal::White);
  static const double kTip[3] = {1, 7, 14};
  for (int side = -1; side <= 1; side += 2) {
    const double tip_x = 16 + side * 14, tip_y = kTip[wings];
    c.Poly({{16.0 + side * 3, 6}, {tip_x, tip_y}, {16 + side * 11.0, tip_y + 4}, {16 + side * 7.0, 9}, {16.0 + side * 3, 11}}, wing);
  }
  c.Ellipse(15, 9.5, 4.5, 4, body);
  c.Ellipse(18.5, 7.5, 3.5, 3.5, body);  // the head, forward
  c.Poly({{16, 6}, {16.5, 1}, {18, 5}}, body);  // ears
  c.Poly({{19, 5}, {21, 1}, {21.5, 6}}, body);
  c.Rect(19, 6, 1, 2, eye);
  c.Rect(21, 6, 1, 2, eye);
  c.Set(20, 10, fang);
  if (left) c.MirrorX();
  return c.Render();
}

// Kamekichi, seen from the front: a green head over a round shell, stubby legs; `step` moves
// the feet (0 left foot up, 1 both down, 2 right foot up).
Image Kamekichi(int step) {
  art::Canvas c(32, 32);
  const int skin = c.Part(pal::kGreen);
  const int shell = c.Part({pal::Orange, pal::GoldDark, pal::WoodDark});
  const int belly = c.Part(pal::kCloth);
  const int eye = c.FlatPart(pal::Outline);
  const int mark = c.FlatPart(pal::WoodDark);
  const double lift_l = step == 0 ? 2 : 0, lift_r = step == 2 ? 2 : 0;
  c.Ellipse(10, 29 - lift_l, 4, 2.5, skin);
  c.Ellipse(22, 29 - lift_r, 4, 2.5, skin);
  c.Ellipse(16, 21, 10, 8.5, shell);
  c.Ellipse(16, 22, 6, 6, belly);
  c.Rect(16, 17, 1, 10, mark);
  c.Rect(11, 22, 11, 1, mark);
  c.Ellipse(5, 20 + (step == 1 ? 0 : 1), 3, 2.5, skin);  // arms
  c.Ellipse(27, 20 + (step == 1 ? 0 : -1) + (step == 2 ? 2 : 0), 3, 2.5, skin);
  c.Ellipse(16, 10 + (step == 1 ? -0.5 : 0), 7, 6, skin);
  c.Rect(12, 9, 2, 3, eye);
  c.Rect(19, 9, 2, 3, eye);
  c.Set(12, 9, c.FlatPart(pal::White));
  c.Set(19, 9, c.FlatPart(pal::White));
  c.Rect(14, 13, 4, 1, c.FlatPart(pal::GrassDark));
  return c.Render();
}

// The roamer: a slime whose body fills its hit box: pattern 0 squashed wide, 4 stretched tall.
Image Roamer(int p) {
  static const double kTop[5] = {14, 10, 8, 4, 0}, kWidth[5] = {26, 26, 20, 20, 12};
  art::Canvas c(32, 32);
  const int slime = c.Part({pal::White, pal::Pink, pal::Red});
  const double top = kTop[p] + 1, w = kWidth[p] / 2 + 1;
  c.Ellipse(16, top + (31 - top) * 0.55, w, (31 - top) * 0.55, slime);
  c.Rect(static_cast<int>(16 - w + 1), static_cast<int>(top + (31 - top) * 0.55), static_cast<int>(2 * w - 2),
         static_cast<int>(31 - (top + (31 - top) * 0.55)), slime);
  const int eye = c.FlatPart(pal::Outline);
  const double ey = top + (31 - top) * 0.4;
  c.Rect(12, static_cast<int>(ey), 2, 3, eye);
  c.Rect(18, static_cast<int>(ey), 2, 3, eye);
  c.Set(12, static_cast<int>(ey), c.FlatPart(pal::White));
  c.Set(18, static_cast<int>(ey), c.FlatPart(pal::White));
  c.Rect(14, static_cast<int>(ey) + 4, 4, 1, c.FlatPart(pal::RedDark));
  Image img = c.Render();
  // A shine on the slime's top left.
  img.Put(static_cast<int>(16 - w * 0.5), static_cast<int>(top + 3), pal::White);
  return img;
}

// Kawachan, facing right: a green river imp with a shell on its back, a beak and a dish of a
// head. Pattern 0 stand, 1 and 2 steps (the near hand held forward under the flame it carries
// at its side), 3 follow-through, 4 wind-up, 5 release, 6 the swing over its head. The throw
// plays 4, 6, 5, 3: the arm cocked back, brought over the head, stretched up and forward as
// the wisp leaves over its head, then swung down in front as it leans into the throw.
Image Kawachan(int p, bool left) {
  art::Canvas c(32, 64);
  const int skin = c.Part(pal::kGreen);
  const int skin_back = c.Part(pal::kDeepGreen);
  const int shell = c.Part({pal::Earth, pal::WoodDark, pal::EarthDark});
  const int beak = c.Part(pal::kGold);
  const int dish = c.Part(pal::kCloth);
  const int hair = c.Part(pal::kDeepBlue);
  const int eye = c.FlatPart(pal::Outline);
  const int belly = c.Part({pal::Cream, pal::Yellow, pal::GoldDark});
  // The pose: lean, legs and the throwing (near) arm, shoulder to elbow to hand, by pattern.
  static const double kLean[7] = {0, 0.5, 1, 2, -3, 3, 0};
  static const double kHop[7] = {0, 3, 0, 0, 0, 0, 0};
  static const double kNearFoot[7] = {19, 23, 25, 25, 14, 24, 20};
  static const double kFarFoot[7] = {14, 11, 9, 10, 20, 11, 14};
  static const double kElbowX[7] = {21, 21, 21, 24, 10, 24, 6};
  static const double kElbowY[7] = {40, 39, 39, 40, 30, 23, 22};
  static const double kHandX[7] = {27, 27, 27, 28, 2, 29, 13};
  static const double kHandY[7] = {34, 33, 34, 47, 24, 12, 2};
  const bool arm_behind_head = p == 6;  // brought over from behind: the head hides the forearm
  const double lean = kLean[p], hop = kHop[p];
  const double hip = 46 - hop;
  c.Line(15, hip, kFarFoot[p], 61 - hop * 0.5, 4.5, skin_back);
  c.Ellipse(kFarFoot[p] + 1, 62 - hop * 0.5, 3.5, 1.8, skin_back);
  c.Line(18, 34 - hop, kFarFoot[p] > 14 ? 12 : 10, 42 - hop, 3.5, skin_back);  // far arm
  c.Line(17, hip, kNearFoot[p], 61 - hop * 0.5, 4.5, skin);
  c.Ellipse(kNearFoot[p] + 1.5, 62 - hop * 0.5, 3.8, 1.8, skin);
  // Body with the shell on its back (the left side when facing right).
  c.Ellipse(16 + lean * 0.5, 38 - hop, 7, 10, skin);
  c.Ellipse(19 + lean * 0.5, 39 - hop, 4, 7.5, belly);
  c.Ellipse(10 + lean * 0.5, 37 - hop, 5.5, 10, shell);
  const double shoulder_x = 18 + lean * 0.6, shoulder_y = 33 - hop;
  const auto near_arm = [&] {
    c.Line(shoulder_x, shoulder_y, kElbowX[p], kElbowY[p] - hop, 3.8, skin);
    c.Line(kElbowX[p], kElbowY[p] - hop, kHandX[p], kHandY[p] - hop, 3.4, skin);
    c.Disc(kHandX[p], kHandY[p] - hop, 2.3, skin);
  };
  if (arm_behind_head) near_arm();
  // Head: a round face with a beak, hair around a white dish.
  const double hx = 17 + lean, hy = 18 - hop;
  c.Ellipse(hx, hy, 8, 8, skin);
  c.Poly({{hx + 5, hy + 1}, {hx + 12, hy + 3}, {hx + 5, hy + 6}}, beak);
  c.Ellipse(hx - 1, hy - 6, 8, 3.5, hair);
  c.Ellipse(hx - 1, hy - 8, 5.5, 2.5, dish);
  c.Rect(static_cast<int>(hx + 3), static_cast<int>(hy - 2), 2, 3, eye);
  c.Set(static_cast<int>(hx + 3), static_cast<int>(hy - 2), c.FlatPart(pal::White));
  if (!arm_behind_head) near_arm();  // over the body, and over the face when stretched up
  if (left) c.MirrorX();
  return c.Render();
}

// The flame, picture k of 7: a flickering ball of fire with two small eyes (the wisp).
Image Flame(int k) {
  Image img(32, 32);
  const double sway = std::sin(k * 2 * kPi / 7) * 2;
  const double height = 13 + std::cos(k * 2 * kPi / 7 * 2) * 1.5;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double dx = x + 0.5 - 18, dy = y + 0.5 - 21;
      const double body = std::hypot(dx, dy * 1.1);
      const double t = std::clamp((21 - (y + 0.5)) / height, 0.0, 1.0);
      const double tongue_x = 18 + sway * t;
      const double tongue = std::abs(x + 0.5 - tongue_x) / (7.5 * (1 - t) + 0.5);
      const bool in_ball = body < 8;
      const bool in_tongue = y + 0.5 < 21 && y + 0.5 > 21 - height && tongue < 1;
      if (!in_ball && !in_tongue) continue;
      const double heat = in_ball ? body / 8 : std::max(tongue, t);
      img.Put(x, y, heat < 0.35 ? pal::White : heat < 0.6 ? pal::Yellow : heat < 0.85 ? pal::Orange : pal::Red);
    }
  art::AddOutline(img, pal::RedDark);
  img.Fill(16, 20, 2, 3, pal::Outline);
  img.Fill(20, 20, 2, 3, pal::Outline);
  return img;
}

// The boss's shot, frame k of 16: a dark violet orb with a red spark circling it.
Image BossShot(int k) {
  Image img(16, 16);
  art::FillEllipse(img, 8, 8, 5 + (k % 4 == 0 ? 0.5 : 0), 5, pal::PurpleDark);
  art::FillEllipse(img, 7, 7, 3, 3, pal::Purple);
  art::FillEllipse(img, 6.5, 6.5, 1.2, 1.2, pal::PurpleLight);
  const double a = k * 2 * kPi / 16;
  const int sx = static_cast<int>(std::lround(8 + std::cos(a) * 5.5)), sy = static_cast<int>(std::lround(8 + std::sin(a) * 5.5));
  img.Put(sx, sy, pal::White);
  img.Put(sx + 1, sy, pal::Red);
  img.Put(sx, sy + 1, pal::Red);
  art::AddOutline(img, pal::Outline);
  return img;
}

}  // namespace

void DrawBat(Image& sheet) {
  for (int p = 0; p < 3; ++p) {
    PutBlock(sheet, 1 + 2 * p, Bat(p, false));
    PutBlock(sheet, 41 + 2 * p, Bat(p, true));
  }
}

void DrawKamekichi(Image& sheet) {
  for (int p = 0; p < 3; ++p) PutBlock(sheet, 7 + 2 * p, Kamekichi(p));
}

void DrawRoamer(Image& sheet) {
  static const int kCells[5] = {167, 169, 171, 247, 249};
  for (int p = 0; p < 5; ++p) PutBlock(sheet, kCells[p], Roamer(p));
}

void DrawKawachan(Image& sheet) {
  for (int p = 0; p < 7; ++p) {
    PutBlock(sheet, 13 + 2 * p, Kawachan(p, false));
    PutBlock(sheet, 173 + 2 * p, Kawachan(p, true));
  }
}

void DrawFlame(Image& sheet) {
  for (int k = 0; k < 7; ++k) PutBlock(sheet, 720 + 2 * k, Flame(k));
}

void DrawBossShot(Image& sheet) {
  for (int k = 0; k < 16; ++k) PutBlock(sheet, 481 + k, BossShot(k));
}
