// Sheet 117: the heroine, 3 x 4 cells (48 x 64) a frame, her feet on the block's bottom row.
//   400..430 step 3 (rows 10-13)  frames 0..10 facing right
//   560..590 step 3 (rows 14-17)  frames 0..10 facing left
//   frames: 0 stand; 1-3 walk with the near leg forward (small step, half stride, full stride,
//   the head lower each time); 4-6 the same with the far leg; 7 in the air; 8 head bump;
//   9 crouch; 10 the door pose, seen from behind
//   720, 723, 726, 729 / 760 ..769   stride overlays of walk frames 2, 3, 5, 6 (3 x 1 at y + 32):
//                                    the far hand swinging, drawn behind the body
//   732 over 772 / 733 over 773      the raised arm (1 x 2, above her head), right / left
//   734, 735 / 774, 775              the casting arm stretched forward (2 x 1), right / left
//   737, 740, 743, 755               death frames 17, 18, 19, 20 (3 x 4, one facing)
// She is a young mage: red hair in a ponytail, a violet dress with a cream collar, dark tights
// and brown boots.
#include <cmath>

#include "sheets.h"

namespace {

struct Pt {
  double x, y;
};

// A pose of her skeleton, facing right, in block pixels.
struct Pose {
  double dy = 0;     // the whole upper body moved down (stride, crouch)
  double lean = 0;   // the shoulders and head moved forward
  Pt near_hip{26, 40}, near_knee{26.5, 49}, near_ankle{26.5, 56};
  Pt far_hip{22, 40}, far_knee{21.5, 49}, far_ankle{21.5, 56};
  Pt near_elbow{30, 28}, near_hand{31, 33};
  Pt far_elbow{19, 28}, far_hand{18.5, 34};
  double skirt = 0;      // extra flare of the hem
  double tail = 0;       // the ponytail swung back (+) or up (-)
  bool near_arm = true;  // false: the near arm is left to an overlay
  int face = 0;          // 0 normal, 1 eyes shut, 2 wincing
};

struct Parts {
  int hair, hair_back, skin, skin_back, dress, collar, belt, tights, tights_back, boot, boot_back, eye, shine, mouth;
  int arm_edge;
};

Parts MakeParts(art::Canvas& c) {
  Parts p{};
  p.hair = c.Part({pal::Red, pal::Hair, pal::HairDark});
  p.hair_back = c.Part({pal::Hair, pal::HairDark, pal::HairDark});
  p.skin = c.Part({pal::Skin, pal::Skin, pal::SkinShadow});
  p.skin_back = c.Part({pal::SkinShadow, pal::SkinShadow, pal::HairDark});
  p.dress = c.Part(pal::kPurple);
  p.collar = c.Part({pal::White, pal::Cream, pal::StoneLight});
  p.belt = c.Part({pal::Yellow, pal::Orange, pal::GoldDark});
  p.tights = c.Part({pal::Shadow, pal::ShadowDeep, pal::ShadowDeep});
  p.tights_back = c.Part({pal::ShadowDeep, pal::ShadowDeep, pal::Outline}, art::Shade::Soft);
  p.boot = c.Part({pal::WoodLight, pal::Wood, pal::WoodDark});
  p.boot_back = c.Part({pal::Wood, pal::WoodDark, pal::EarthDark});
  p.eye = c.FlatPart(pal::Outline);
  p.shine = c.FlatPart(pal::SkyLight);
  p.mouth = c.FlatPart(pal::SkinShadow);
  p.arm_edge = c.FlatPart(pal::PurpleDark);
  return p;
}

void Leg(art::Canvas& c, Pt hip, Pt knee, Pt ankle, int tights, int boot) {
  c.Line(hip.x, hip.y, knee.x, knee.y, 4.2, tights);
  c.Line(knee.x, knee.y, ankle.x, ankle.y, 3.6, tights);
  // The boot: a shaft up the shin and a foot pointing forward.
  c.Line(knee.x + (ankle.x - knee.x) * 0.7, knee.y + (ankle.y - knee.y) * 0.7, ankle.x, ankle.y + 1, 4.0, boot);
  c.Poly({{ankle.x - 2.0, ankle.y + 1}, {ankle.x + 2.0, ankle.y + 1}, {ankle.x + 4.8, ankle.y + 4.0},
          {ankle.x + 4.8, ankle.y + 6.6}, {ankle.x - 2.2, ankle.y + 6.6}},
         boot);
}

void Arm(art::Canvas& c, Pt shoulder, Pt elbow, Pt hand, int sleeve, int skin, int edge = 0) {
  if (edge != 0) {
    // A dark line around the arm where it lies over the sleeve's own colour.
    c.OnlyOver(sleeve);
    c.Line(shoulder.x, shoulder.y + 1, elbow.x, elbow.y, 5.4, edge);
    c.Line(elbow.x, elbow.y, hand.x, hand.y, 4.6, edge);
    c.Disc(hand.x, hand.y, 2.7, edge);
    c.OnlyOver(-1);
  }
  c.Line(shoulder.x, shoulder.y, elbow.x, elbow.y, 3.6, sleeve);
  c.Line(elbow.x, elbow.y, hand.x, hand.y, 2.8, skin);
  c.Line(elbow.x, elbow.y, elbow.x + (hand.x - elbow.x) * 0.3, elbow.y + (hand.y - elbow.y) * 0.3, 3.6, sleeve);
  c.Disc(hand.x, hand.y, 1.7, skin);
}

// The head seen from the side, facing right, its top-left at (x, y): 14 x 15 pixels.
void Head(art::Canvas& c, const Parts& p, double x, double y, double tail, int face) {
  const int hx = static_cast<int>(std::lround(x)), hy = static_cast<int>(std::lround(y));
  // The ponytail hangs from the back of the head, behind everything else.
  c.Line(hx + 2, hy + 4, hx - 3 - tail * 0.5, hy + 10 - tail, 3.8, p.hair_back);
  c.Line(hx - 3 - tail * 0.5, hy + 10 - tail, hx - 3 - tail, hy + 17 - tail * 1.5, 3.0, p.hair_back);
  c.Stamp(hx, hy,
          {
              "....hhhhhh....",
              "..hhhhhhhhhh..",
              ".hhhhhhhhhhhh.",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhshhh.",
              "hhhhhhhhssshhs",
              "hhhhhhsssssshs",
              "hhhhhssssssss.",
              "hhhhssssssssss",
              ".hhhssssssssss",
              ".hhhsssssssss.",
              "..hhssssssss..",
              "..hhhsssssss..",
              "...hh.sssss...",
              "........ss....",
          },
          "hs", {p.hair, p.skin});
  if (face == 1) {
    c.Rect(hx + 9, hy + 8, 3, 1, p.eye);
  } else if (face == 2) {
    c.Stamp(hx + 9, hy + 7, {"#..", ".##", "#.."}, "#", {p.eye});
  } else {
    c.Rect(hx + 10, hy + 7, 2, 3, p.eye);
    c.Set(hx + 10, hy + 7, p.shine);
  }
  c.Rect(hx + 10, hy + 12, 2, 1, p.mouth);
  c.Set(hx + 8, hy + 10, p.mouth);  // a blush under the eye
}

art::Canvas DrawPose(const Pose& s) {
  art::Canvas c(48, 64);
  const Parts p = MakeParts(c);
  const double d = s.dy, l = s.lean;
  const Pt far_shoulder{21 + l, 22 + d}, near_shoulder{27.5 + l, 22 + d};
  Head(c, p, 18 + l, 3 + d, s.tail, s.face);
  Arm(c, far_shoulder, s.far_elbow, s.far_hand, p.dress, p.skin_back);
  Leg(c, s.far_hip, s.far_knee, s.far_ankle, p.tights_back, p.boot_back);
  Leg(c, s.near_hip, s.near_knee, s.near_ankle, p.tights, p.boot);
  // The dress: a bodice from the shoulders to the waist, a skirt flaring to the hem.
  const double waist = 32 + d * 0.8, hem = 43 + d * 0.6;
  c.Poly({{19.5 + l, 19 + d}, {30 + l, 19 + d}, {30 + l * 0.6, waist}, {19.5 + l * 0.6, waist}}, p.dress);
  c.Poly({{19 + l * 0.6, waist - 1}, {30 + l * 0.6, waist - 1}, {33.5 + s.skirt, hem}, {15.5 - s.skirt, hem}}, p.dress);
  c.Rect(static_cast<int>(std::lround(19.5 + l * 0.6)), static_cast<int>(std::lround(waist - 2)), 11, 2, p.belt);
  c.Poly({{21 + l, 18 + d}, {29 + l, 18 + d}, {27 + l, 22 + d}, {23 + l, 22 + d}}, p.collar);
  if (s.near_arm) Arm(c, near_shoulder, s.near_elbow, s.near_hand, p.dress, p.skin, p.arm_edge);
  return c;
}

// The poses of frames 0..10 (facing right).
Pose FramePose(int frame) {
  Pose s;
  switch (frame) {
    case 1:  // small step, near leg forward
      s.dy = 2;
      s.near_knee = {28.5, 49};
      s.near_ankle = {30, 56};
      s.far_knee = {20.5, 50};
      s.far_ankle = {18, 56};
      s.near_elbow = {29, 29};
      s.near_hand = {30, 34};
      s.far_elbow = {20, 29};
      s.far_hand = {21, 35};
      s.tail = 1;
      break;
    case 2:  // half stride
      s.dy = 4;
      s.lean = 1;
      s.near_hip = {26, 42};
      s.far_hip = {22, 42};
      s.near_knee = {31, 49};
      s.near_ankle = {34, 56};
      s.far_knee = {19, 51};
      s.far_ankle = {14, 55};
      s.near_elbow = {27, 31};
      s.near_hand = {24, 36};
      s.far_elbow = {23, 30};
      s.far_hand = {26, 35};
      s.skirt = 1;
      s.tail = 2;
      break;
    case 3:  // full stride, the head lowest
      s.dy = 7;
      s.lean = 2;
      s.near_hip = {27, 44};
      s.far_hip = {22, 44};
      s.near_knee = {34, 50};
      s.near_ankle = {37, 56};
      s.far_knee = {17, 51};
      s.far_ankle = {10, 54};
      s.near_elbow = {26, 34};
      s.near_hand = {22, 38};
      s.far_elbow = {25, 33};
      s.far_hand = {28, 37};
      s.skirt = 2;
      s.tail = 3;
      break;
    case 4:
    case 5:
    case 6: {  // the same phases with the far leg forward
      Pose a = FramePose(frame - 3);
      s = a;
      s.near_hip = a.near_hip;
      s.far_hip = a.far_hip;
      s.near_knee = {a.far_knee.x + 4, a.far_knee.y};
      s.near_ankle = {a.far_ankle.x + 4, a.far_ankle.y};
      s.far_knee = {a.near_knee.x - 4, a.near_knee.y};
      s.far_ankle = {a.near_ankle.x - 4, a.near_ankle.y};
      s.near_elbow = {a.far_elbow.x + 8, a.far_elbow.y};
      s.near_hand = {a.far_hand.x + 9, a.far_hand.y};
      s.far_elbow = {a.near_elbow.x - 8, a.near_elbow.y};
      s.far_hand = {a.near_hand.x - 9, a.near_hand.y};
      break;
    }
    case 7:  // in the air: the near knee drawn up, the far leg reaching down, arms out
      s.near_knee = {30, 45};
      s.near_ankle = {28, 52};
      s.far_knee = {21, 49};
      s.far_ankle = {19, 56};
      s.near_elbow = {33, 25};
      s.near_hand = {37, 22};
      s.far_elbow = {17, 25};
      s.far_hand = {14, 21};
      s.skirt = 2;
      s.tail = -4;
      break;
    case 8:  // head bump: squashed, wincing, a hand on her head
      s.dy = 2;
      s.near_knee = {29, 48};
      s.near_ankle = {29, 56};
      s.far_knee = {20, 49};
      s.far_ankle = {19, 56};
      s.near_elbow = {32, 17};
      s.near_hand = {28, 9};
      s.far_elbow = {17, 27};
      s.far_hand = {14, 30};
      s.skirt = 1;
      s.tail = -3;
      s.face = 2;
      break;
    case 9:  // crouch: the head at y + 20
      s.dy = 17;
      s.lean = 2;
      s.near_hip = {27, 52};
      s.far_hip = {22, 52};
      s.near_knee = {33, 51};
      s.near_ankle = {30, 56};
      s.far_knee = {26, 53};
      s.far_ankle = {20, 56};
      s.near_elbow = {33, 44};
      s.near_hand = {35, 50};
      s.far_elbow = {22, 45};
      s.far_hand = {25, 50};
      s.skirt = 3;
      s.tail = 1;
      break;
    default:
      break;
  }
  return s;
}

// Frame 10: seen from behind, facing into the scene (doors, talks, events).
art::Canvas DrawBackView() {
  art::Canvas c(48, 64);
  const Parts p = MakeParts(c);
  Leg(c, {21, 40}, {21, 49}, {21, 56}, p.tights, p.boot);
  Leg(c, {27, 40}, {27, 49}, {27, 56}, p.tights, p.boot);
  c.Erase(0, 57, 48, 7, p.boot);
  c.Rect(18, 57, 6, 6, p.boot);
  c.Rect(25, 57, 6, 6, p.boot);
  c.Poly({{18.5, 19}, {30.5, 19}, {30, 32}, {19, 32}}, p.dress);
  c.Poly({{18, 31}, {31, 31}, {33.5, 43}, {15.5, 43}}, p.dress);
  c.Rect(19, 30, 11, 2, p.belt);
  Arm(c, {19, 22}, {17, 29}, {17, 34}, p.dress, p.skin);
  Arm(c, {30, 22}, {32, 29}, {32, 34}, p.dress, p.skin);
  c.Stamp(17, 3,
          {
              "....hhhhhh....",
              "..hhhhhhhhhh..",
              ".hhhhhhhhhhhh.",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhhhhhh",
              "hhhhhhhhhhhhhh",
              ".hhhhhhhhhhhh.",
              ".shhhhhhhhhhs.",
              "..shhhhhhhhs..",
              "...sshhhhss...",
              "....ssssss....",
              "......ss......",
          },
          "hs", {p.hair, p.skin});
  c.Line(24, 7, 24, 23, 4, p.hair_back);
  c.Line(24, 23, 24.5, 27, 3, p.hair_back);
  c.Poly({{21, 17}, {28, 17}, {29, 20}, {20, 20}}, p.collar);
  return c;
}

// Death: limp, eyes shut, arms up, tilting as she floats away. tilt -1, 0, 1.
art::Canvas DrawDeathPose(double tilt, bool arms_high) {
  Pose s;
  s.face = 1;
  s.lean = tilt;
  s.near_knee = {27 + tilt, 49};
  s.near_ankle = {29 + tilt * 2, 55};
  s.far_knee = {22 + tilt, 50};
  s.far_ankle = {22 + tilt * 2, 56};
  s.near_elbow = {33 + tilt, arms_high ? 16.0 : 21.0};
  s.near_hand = {36 + tilt, arms_high ? 9.0 : 15.0};
  s.far_elbow = {16 + tilt, arms_high ? 16.0 : 21.0};
  s.far_hand = {13 + tilt, arms_high ? 10.0 : 15.0};
  s.skirt = 2;
  s.tail = -2;
  art::Canvas c = DrawPose(s);
  return c;
}

Image RenderFacing(art::Canvas c, bool left) {
  if (left) c.MirrorX();
  return c.Render();
}

// The far hand swinging behind her at waist height, for walk frame f (3 x 1 cells at y + 32).
Image StrideOverlay(int frame, bool left) {
  art::Canvas c(48, 64);
  const Parts p = MakeParts(c);
  const Pose s = FramePose(frame);
  // Only the forearm and hand below y 32 are seen; the swing reaches beyond the body outline.
  const double reach = (frame == 3 || frame == 6) ? 6 : 4;
  const double dir = (frame <= 3) ? -1 : 1;
  const Pt elbow{s.far_elbow.x + dir * 2, s.far_elbow.y};
  const Pt hand{s.far_elbow.x + dir * (reach + 3), s.far_elbow.y + 7};
  c.Line(elbow.x, elbow.y, hand.x, hand.y, 2.8, p.skin_back);
  c.Disc(hand.x, hand.y, 1.7, p.skin_back);
  c.Line(elbow.x - 1, elbow.y - 4, elbow.x, elbow.y + 1, 3.6, p.dress);
  if (left) c.MirrorX();
  Image img = c.Render();
  return img.Crop(0, 32, 48, 16);
}

// The raised arm: an arm reaching straight up past her head, 1 x 2 cells at (x + 16, y + y(f) - 19),
// so that its row 19 is the top of her head in every pose. The body is drawn over it: only what
// rises above her hair is seen, so the sleeve comes up past the head and the open hand is wide.
Image RaisedArm(bool left) {
  art::Canvas c(16, 32);
  const Parts p = MakeParts(c);
  c.Line(9.5, 30, 10.5, 11, 4.6, p.dress);  // the sleeve, from the shoulder behind her head
  c.Line(10.5, 11, 11, 5, 3.4, p.skin);     // the forearm
  c.Poly({{8.5, 5.5}, {13.5, 5.5}, {13.5, 2}, {12.5, 0.5}, {9.5, 0.5}, {8.5, 2}}, p.skin);  // the open hand
  c.Set(9, 1, 0);
  c.Rect(8, 11, 6, 1, p.collar);  // the cuff
  if (left) c.MirrorX();
  return c.Render();
}

// The casting arm stretched forward at shoulder height, 2 x 1 cells; right: at (x + 29, y + 18).
Image CastingArm(bool left) {
  art::Canvas c(32, 16);
  const Parts p = MakeParts(c);
  c.Line(0, 6, 14, 6.5, 3.8, p.dress);
  c.Line(13, 6.5, 25, 6.5, 2.8, p.skin);
  c.Disc(26, 6.5, 2.2, p.skin);
  c.Set(27, 4, p.skin);
  // A spark at the fingertips.
  const int spark = c.Part({pal::White, pal::Cyan, pal::Teal});
  c.Stamp(27, 2, {"..#..", "..#..", "#####", "..#..", "..#.."}, "#", {spark});
  if (left) c.MirrorX();
  Image img = c.Render();
  return img;
}

}  // namespace

Image HeroineFrame(int frame, bool left) { return RenderFacing(DrawPose(FramePose(frame)), left); }

void DrawHeroine(Image& sheet) {
  static const int kRight[11] = {400, 403, 406, 409, 412, 415, 418, 421, 424, 427, 430};
  static const int kLeft[11] = {560, 563, 566, 569, 572, 575, 578, 581, 584, 587, 590};
  for (int f = 0; f <= 9; ++f) {
    PutBlock(sheet, kRight[f], RenderFacing(DrawPose(FramePose(f)), false));
    PutBlock(sheet, kLeft[f], RenderFacing(DrawPose(FramePose(f)), true));
  }
  PutBlock(sheet, kRight[10], DrawBackView().Render());
  PutBlock(sheet, kLeft[10], DrawBackView().Render());

  // Stride overlays of walk frames 2, 3, 5, 6.
  static const int kStrideFrames[4] = {2, 3, 5, 6};
  for (int k = 0; k < 4; ++k) {
    PutBlock(sheet, 720 + 3 * k, StrideOverlay(kStrideFrames[k], false));
    PutBlock(sheet, 760 + 3 * k, StrideOverlay(kStrideFrames[k], true));
  }
  PutBlock(sheet, 732, RaisedArm(false));
  PutBlock(sheet, 733, RaisedArm(true));
  PutBlock(sheet, 734, CastingArm(false));
  PutBlock(sheet, 774, CastingArm(true));

  // Death frames 17..20: one facing, as the table gives one cell for both.
  PutBlock(sheet, 737, DrawDeathPose(1, false).Render());
  PutBlock(sheet, 740, DrawDeathPose(0, false).Render());
  PutBlock(sheet, 743, DrawDeathPose(-1, true).Render());
  PutBlock(sheet, 755, DrawDeathPose(0, true).Render());
}
