#include "figure.h"

namespace figure {

Pose Standing(double neck_y, double floor) {
  Pose s;
  const double hip = neck_y + (floor - neck_y) * 0.44;
  const double knee = hip + (floor - hip) * 0.5;
  s.neck = {16, neck_y};
  s.near_hip = {18, hip};
  s.near_knee = {18.5, knee};
  s.near_foot = {18.5, floor - 2};
  s.far_hip = {14, hip};
  s.far_knee = {13.5, knee};
  s.far_foot = {13.5, floor - 2};
  s.near_elbow = {21.5, neck_y + 11};
  s.near_hand = {21.5, neck_y + 20};
  s.far_elbow = {10.5, neck_y + 11};
  s.far_hand = {10.5, neck_y + 20};
  return s;
}

Pose Walking(int p, double neck_y, double floor) {
  Pose s = Standing(neck_y, floor);
  if (p == 0) return s;
  const double stride = (p == 2 || p == 4) ? 1.0 : 0.55;
  const double sign = p <= 2 ? 1 : -1;  // +1: the near leg forward
  const double reach = 7 * stride;
  const double hip = s.near_hip.y;
  auto leg = [&](Pt& knee, Pt& foot, double dir) {
    knee = {16 + dir * reach * 0.6 + (dir > 0 ? 2 : 0), hip + (floor - hip) * 0.48};
    foot = {16 + dir * reach + (dir > 0 ? 2 : -1), floor - 2 - (dir < 0 ? stride * 1.5 : 0)};
  };
  leg(s.near_knee, s.near_foot, sign);
  leg(s.far_knee, s.far_foot, -sign);
  // Arms swing against the legs.
  s.near_hand = {21.5 - sign * 5 * stride, neck_y + 19};
  s.near_elbow = {21 - sign * 2.5 * stride, neck_y + 11};
  s.far_hand = {10.5 + sign * 5 * stride, neck_y + 19};
  s.far_elbow = {11 + sign * 2.5 * stride, neck_y + 11};
  s.hem = stride * 2;
  return s;
}

namespace {

pal::Ramp Darker(pal::Ramp r) { return {r.mid, r.dark, r.dark}; }

void Arm(art::Canvas& c, Pt shoulder, Pt elbow, Pt hand, int sleeve, int skin, int edge) {
  if (edge) {
    c.OnlyOver(sleeve);
    c.Line(shoulder.x, shoulder.y + 1, elbow.x, elbow.y, 5.4, edge);
    c.Line(elbow.x, elbow.y, hand.x, hand.y, 4.8, edge);
    c.OnlyOver(-1);
  }
  c.Line(shoulder.x, shoulder.y, elbow.x, elbow.y, 3.8, sleeve);
  c.Line(elbow.x, elbow.y, hand.x, hand.y, 3.4, sleeve);
  c.Disc(hand.x, hand.y + 1, 1.8, skin);
}

void Leg(art::Canvas& c, Pt hip, Pt knee, Pt foot, int trousers, int shoe) {
  c.Line(hip.x, hip.y, knee.x, knee.y, 5, trousers);
  c.Line(knee.x, knee.y, foot.x, foot.y - 1, 4.4, trousers);
  c.Poly({{foot.x - 2.5, foot.y - 2}, {foot.x + 2.5, foot.y - 2}, {foot.x + 5, foot.y + 0.5}, {foot.x + 5, foot.y + 2},
          {foot.x - 2.5, foot.y + 2}},
         shoe);
}

}  // namespace

void DrawBody(art::Canvas& c, const Look& look, const Pose& s) {
  const int skin = c.Part(look.skin);
  const int skin_back = c.Part(Darker(look.skin));
  const int shirt = c.Part(look.shirt);
  const int shirt_back = c.Part(Darker(look.shirt));
  const int legs = c.Part(look.legs);
  const int legs_back = c.Part(Darker(look.legs));
  const int shoes = c.Part(look.shoes);
  const int shoes_back = c.Part(Darker(look.shoes));
  const int edge = c.FlatPart(look.shirt.dark);
  const double sh = look.shoulders;
  const Pt far_shoulder{s.neck.x - sh + 2, s.neck.y + 3}, near_shoulder{s.neck.x + sh - 2, s.neck.y + 3};
  Arm(c, far_shoulder, s.far_elbow, s.far_hand, shirt_back, skin_back, 0);
  Leg(c, s.far_hip, s.far_knee, s.far_foot, legs_back, shoes_back);
  Leg(c, s.near_hip, s.near_knee, s.near_foot, legs, shoes);
  const double waist = s.near_hip.y - 2;
  c.Poly({{s.neck.x - sh, s.neck.y + 1}, {s.neck.x + sh, s.neck.y + 1}, {s.neck.x + sh - 1 + look.belly, waist - 6},
          {s.neck.x + sh - 2 + look.belly * 0.6, waist + 2}, {s.neck.x - sh + 2, waist + 2}},
         shirt);
  // Rounded shoulders.
  c.Disc(s.neck.x - sh + 1.5, s.neck.y + 2.5, 2.5, shirt);
  c.Disc(s.neck.x + sh - 1.5, s.neck.y + 2.5, 2.5, shirt);
  if (look.straps != 0) {
    const int strap = c.FlatPart(look.straps);
    c.Line(s.neck.x - 3, s.neck.y + 1, s.neck.x - 2, waist, 1.5, strap);
    c.Line(s.neck.x + 3, s.neck.y + 1, s.neck.x + 2, waist, 1.5, strap);
  }
  if (look.dress) {
    const int skirt = c.Part(look.skirt);
    const double hem_y = s.near_foot.y - 3;
    c.Poly({{s.neck.x - sh + 1.5, waist - 1}, {s.neck.x + sh - 1.5, waist - 1}, {s.neck.x + sh + 3 + s.hem, hem_y},
            {s.neck.x - sh - 3 - s.hem, hem_y}},
           skirt);
  }
  if (look.apron) {
    const int apron = c.Part(pal::kCloth);
    c.Poly({{s.neck.x - 1, waist - 3}, {s.neck.x + sh - 1, waist - 3}, {s.neck.x + sh + 1, waist + 14}, {s.neck.x, waist + 14}},
           apron);
  }
  if (look.belt != 0) c.Rect(static_cast<int>(s.neck.x - sh + 2), static_cast<int>(waist - 1), static_cast<int>(2 * sh - 3 + look.belly * 0.6), 2,
                             c.FlatPart(look.belt));
  Arm(c, near_shoulder, s.near_elbow, s.near_hand, shirt, skin, edge);
}

Image Facing(art::Canvas c, bool left) {
  if (left) c.MirrorX();
  return c.Render();
}

}  // namespace figure
