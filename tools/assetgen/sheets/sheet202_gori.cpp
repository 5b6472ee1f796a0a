// Bitmap 202 (sheet 3 of the test rooms; local cells, the game adds 3600): Gori, the gorilla
// fighter, 6 x 8 cells (96 x 128) a pattern, with red boxing gloves.
//   facing left:  patterns 0..5 at 0, 6, 12, 18, 24, 30 (rows 0-7); pattern 6 at 664
//   facing right: patterns 0..5 at 320, 326, 332, 338, 344, 350 (rows 8-15); pattern 6 at 670
//   0 stance, 1 and 2 steps, 3 the punch drawn back, 6 coiled low, 4 the punch thrown (the glove
//   reaching the picture's far edge), 5 landing in a squat.
// Beside him the sheet holds the pieces that fit around him: the flame (720..), the 16-ton
// weight (797), the coin blocks (802, 1000) and the elevator (957, 997).
#include "figure.h"

namespace {

using figure::Pt;

struct GoriPose {
  double dy = 0;       // crouch: the whole body lower
  double lean = 0;     // the head and shoulders forward
  Pt near_foot{58, 124}, far_foot{38, 124};
  Pt near_elbow{68, 78}, near_glove{64, 96};
  Pt far_elbow{28, 78}, far_glove{32, 94};
  bool squint = false;
};

GoriPose PoseOf(int p) {
  GoriPose g;
  switch (p) {
    case 1:
      g.near_foot = {64, 122};
      g.far_foot = {34, 124};
      g.near_glove = {58, 98};
      g.far_glove = {38, 92};
      break;
    case 2:
      g.near_foot = {52, 124};
      g.far_foot = {44, 121};
      g.near_glove = {70, 92};
      g.far_glove = {26, 98};
      break;
    case 3:  // the punch drawn back beside the head
      g.lean = -3;
      g.near_elbow = {50, 70};
      g.near_glove = {42, 50};
      g.far_glove = {40, 88};
      g.far_elbow = {32, 76};
      break;
    case 6:  // coiled, low
      g.dy = 12;
      g.lean = 4;
      g.near_foot = {64, 124};
      g.far_foot = {32, 124};
      g.near_elbow = {52, 90};
      g.near_glove = {58, 74};
      g.far_elbow = {38, 86};
      g.far_glove = {46, 74};
      g.squint = true;
      break;
    case 4:  // the punch thrown: the glove reaches x 87..95
      g.dy = 12;
      g.lean = 8;
      g.near_foot = {68, 124};
      g.far_foot = {30, 124};
      g.near_elbow = {76, 66};
      g.near_glove = {87, 66};
      g.far_elbow = {36, 86};
      g.far_glove = {42, 76};
      g.squint = true;
      break;
    case 5:  // landing squat
      g.dy = 14;
      g.near_foot = {70, 124};
      g.far_foot = {26, 124};
      g.near_elbow = {76, 86};
      g.near_glove = {80, 100};
      g.far_elbow = {20, 86};
      g.far_glove = {16, 100};
      break;
    default:
      break;
  }
  return g;
}

Image Gori(int p, bool left) {
  const GoriPose g = PoseOf(p);
  art::Canvas c(96, 128);
  const int fur = c.Part({pal::Stone, pal::Shadow, pal::ShadowDeep});
  const int fur_back = c.Part({pal::Shadow, pal::ShadowDeep, pal::Outline});
  const int chest = c.Part({pal::SkinShadow, pal::Earth, pal::EarthDark});
  const int face = c.Part({pal::SkinShadow, pal::Earth, pal::EarthDark});
  const int glove = c.Part(pal::kRed);
  const int glove_back = c.Part({pal::Red, pal::RedDark, pal::HairDark});
  const int belt = c.Part(pal::kGold);
  const int eye = c.FlatPart(pal::White);
  const int pupil = c.FlatPart(pal::Outline);
  const int fur_edge = c.FlatPart(pal::ShadowDeep);
  const double d = g.dy, l = g.lean;
  const Pt hip_near{54, 96 + d}, hip_far{40, 96 + d};
  const Pt far_shoulder{34 + l, 54 + d}, near_shoulder{60 + l, 54 + d};
  // Far arm and far leg, behind.
  c.Line(far_shoulder.x, far_shoulder.y, g.far_elbow.x, g.far_elbow.y, 12, fur_back);
  c.Line(g.far_elbow.x, g.far_elbow.y, g.far_glove.x, g.far_glove.y, 10, fur_back);
  c.Disc(g.far_glove.x, g.far_glove.y, 8, glove_back);
  c.Line(hip_far.x, hip_far.y, g.far_foot.x, g.far_foot.y - 4, 13, fur_back);
  c.Ellipse(g.far_foot.x - 1, g.far_foot.y - 1, 9, 4, fur_back);
  // Near leg.
  c.Line(hip_near.x, hip_near.y, g.near_foot.x, g.near_foot.y - 4, 13, fur);
  c.Ellipse(g.near_foot.x + 2, g.near_foot.y - 1, 9, 4, fur);
  // Torso, chest and belt.
  c.Ellipse(48 + l * 0.5, 74 + d, 23, 28, fur);
  c.Ellipse(55 + l * 0.6, 72 + d, 12, 17, chest);
  c.Rect(static_cast<int>(27 + l * 0.4), static_cast<int>(92 + d), 43, 6, belt);
  // Head: a heavy brow over a flat face, small eyes.
  const double hx = 57 + l, hy = 36 + d;
  c.Ellipse(hx - 2, hy - 2, 14, 13, fur);
  c.Ellipse(hx + 5, hy + 4, 9, 8, face);
  c.Rect(static_cast<int>(hx - 2), static_cast<int>(hy - 5), 15, 3, c.Part({pal::Shadow, pal::ShadowDeep, pal::Outline}));
  if (g.squint) {
    c.Rect(static_cast<int>(hx + 4), static_cast<int>(hy - 1), 6, 1, pupil);
  } else {
    c.Rect(static_cast<int>(hx + 4), static_cast<int>(hy - 2), 4, 3, eye);
    c.Rect(static_cast<int>(hx + 6), static_cast<int>(hy - 1), 2, 2, pupil);
  }
  c.Rect(static_cast<int>(hx + 9), static_cast<int>(hy + 3), 2, 1, pupil);  // nostril
  c.Rect(static_cast<int>(hx + 3), static_cast<int>(hy + 8), 8, 1, pupil);  // mouth
  // Near arm over everything, with a dark edge where it crosses the body.
  c.OnlyOver(fur);
  c.Line(near_shoulder.x, near_shoulder.y, g.near_elbow.x, g.near_elbow.y, 15, fur_edge);
  c.Line(g.near_elbow.x, g.near_elbow.y, g.near_glove.x, g.near_glove.y, 13, fur_edge);
  c.OnlyOver(chest);
  c.Line(near_shoulder.x, near_shoulder.y, g.near_elbow.x, g.near_elbow.y, 15, fur_edge);
  c.Line(g.near_elbow.x, g.near_elbow.y, g.near_glove.x, g.near_glove.y, 13, fur_edge);
  c.OnlyOver(-1);
  c.Line(near_shoulder.x, near_shoulder.y, g.near_elbow.x, g.near_elbow.y, 12, fur);
  c.Line(g.near_elbow.x, g.near_elbow.y, g.near_glove.x, g.near_glove.y, 10, fur);
  c.Disc(g.near_glove.x, g.near_glove.y, 8, glove);
  c.Rect(static_cast<int>(g.near_glove.x - 7), static_cast<int>(g.near_glove.y + 3), 5, 4, c.Part(pal::kCloth));
  return figure::Facing(c, left);
}

}  // namespace

void DrawGori(Image& sheet) {
  static const int kRight[7] = {320, 326, 332, 338, 344, 350, 670};
  static const int kLeft[7] = {0, 6, 12, 18, 24, 30, 664};
  for (int p = 0; p < 7; ++p) {
    PutBlock(sheet, kRight[p], Gori(p, false));
    PutBlock(sheet, kLeft[p], Gori(p, true));
  }
}
