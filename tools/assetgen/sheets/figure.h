// Grown-up figures of the townspeople, drawn from a posed skeleton on a part canvas: legs and
// arms as strokes, a torso and skirt as shapes, a head from pixel art. The sheets of Rod, Lime,
// Pancho, Damian and Klaus build on it; the heroine has her own (sheet117_heroine.cpp).
#pragma once

#include <functional>

#include "sheets.h"

namespace figure {

struct Pt {
  double x, y;
};

// What a figure wears and how it is built.
struct Look {
  pal::Ramp skin = pal::kSkin, hair = pal::kHair, shirt = pal::kGreen, legs = pal::kWood, shoes = pal::kDark;
  pal::Ramp skirt = pal::kWood;  // used when `dress` is set
  bool dress = false;            // a long skirt over the legs instead of trousers
  double belly = 0;              // extra width of the belly (Pancho)
  double shoulders = 7;          // half the width of the shoulders
  uint32_t belt = 0;             // a belt of this colour at the waist (0 none)
  bool apron = false;            // a white apron over the front
  uint32_t straps = 0;           // braces of this colour over the shirt (0 none)
};

// A pose, facing right, in the figure's canvas: x centre 16, feet on the given floor row.
struct Pose {
  Pt near_hip, near_knee, near_foot, far_hip, far_knee, far_foot;
  Pt near_elbow, near_hand, far_elbow, far_hand;
  Pt neck;  // the top of the torso
  double hem = 0;  // extra flare of a skirt
};

// The standing pose of a figure whose neck is at `neck_y` and feet at `floor` (last row).
Pose Standing(double neck_y, double floor);
// Walk pattern p of the townspeople's cycle: 0 standing, 1 and 2 a half and a full stride with
// the near leg forward, 3 and 4 the same with the far leg forward.
Pose Walking(int p, double neck_y, double floor);

// Draws the body of `look` in `pose` on the canvas (everything but the head).
void DrawBody(art::Canvas& c, const Look& look, const Pose& pose);

// Renders a drawing made facing right, turned to face left when `left` (light stays top left).
Image Facing(art::Canvas c, bool left);

}  // namespace figure
