// Bitmap 203 (sheet 1; local cells, the game adds 1200): the townspeople.
// Rod, Lime and Pancho: a 2 x 2 head drawn first, then a 2 x 4 body 12 pixels lower that covers
// the head's neck; five walk patterns (0 standing, 1 and 2 half and full stride with the near
// leg forward, 3 and 4 with the far leg), facing right and facing left:
//   Rod     body 0 + 2p (rows 0-3) / 160 + 2p (rows 4-7); head 30 / 110 (at y + 1)
//   Lime    body 10 + 2p / 170 + 2p;                     head 32 / 112 (at y + 4..6)
//   Pancho  body 320 + 2p (rows 8-11) / 480 + 2p (rows 12-15); head 36 / 116 (at y + 4..6)
// Damian: 2 x 5 cells at 1025 (still), 1027 and 1029 (his gesture), seen from the front, since
// both facings show the same cells.
// 1040: the passage that opens in the wall of the inn (written as a 2 x 5 block of this one
// tile), dark and seamless every way.
#include <vector>

#include "figure.h"

namespace {

using figure::Look;

constexpr double kBodyTop = 12;  // the body's cells start 12 pixels under the figure's top

struct Person {
  Look look;
  std::vector<const char*> head;  // facing right, 14 wide
  double head_top;                          // the head art's top row in the head cells
  pal::Ramp hair;
  int head_cell, body_cell;                 // facing right; left adds 80 and 160
};

Image HeadImage(const Person& p, bool left) {
  art::Canvas c(32, 32);
  const int hair = c.Part(p.hair);
  const int skin = c.Part(p.look.skin);
  const int eye = c.FlatPart(pal::Outline);
  const int mouth = c.FlatPart(pal::SkinShadow);
  const int beard = c.Part({pal::Shadow, pal::ShadowDeep, pal::Outline});
  const int brow = c.FlatPart(pal::ShadowDeep);
  c.Stamp(9, static_cast<int>(p.head_top), p.head, "hsembB", {hair, skin, eye, mouth, beard, brow});
  return figure::Facing(c, left);
}

Image BodyImage(const Person& p, int pattern, bool left) {
  art::Canvas c(32, 64);
  // The figure's neck is 24 pixels under its top, its feet on the body's last row.
  figure::DrawBody(c, p.look, figure::Walking(pattern, 24 - kBodyTop, 63));
  return figure::Facing(c, left);
}

void DrawPerson(Image& sheet, const Person& p) {
  PutBlock(sheet, p.head_cell, HeadImage(p, false));
  PutBlock(sheet, p.head_cell + 80, HeadImage(p, true));
  for (int pattern = 0; pattern < 5; ++pattern) {
    PutBlock(sheet, p.body_cell + 2 * pattern, BodyImage(p, pattern, false));
    PutBlock(sheet, p.body_cell + 160 + 2 * pattern, BodyImage(p, pattern, true));
  }
}

const Person kRod{
    {pal::kSkin, pal::kHair, pal::kBlue, {pal::WoodLight, pal::Wood, pal::WoodDark}, pal::kDark, pal::kWood, false, 0, 7,
     pal::WoodDark},
    {
        "....hhhhhh....",
        "..hhhhhhhhhh..",
        ".hhhhhhhhhhhh.",
        ".hhhhhhhhhhhhh",
        "hhhhhhhhhshhh.",
        "hhhhhhsssssssh",
        "hhhhhsssssssss",
        "hhhhsssssesss.",
        "hhhssssssesss.",
        ".hhssssssssss.",
        ".hsssssssssss.",
        "..ssssssssmms.",
        "..sssssssssss.",
        "...sssssssss..",
        ".....ssss.....",
        ".....ssss.....",
        ".....ssss.....",
    },
    8, {pal::WoodLight, pal::Wood, pal::WoodDark}, 30, 0};

const Person kLime{
    {pal::kSkin, pal::kHair, {pal::Leaf, pal::Grass, pal::GrassDark}, pal::kCloth, {pal::Red, pal::RedDark, pal::HairDark},
     {pal::Leaf, pal::Grass, pal::GrassDark}, true, 0, 6, 0, true},
    {
        "....hhhhhh....",
        "..hhhhhhhhhh..",
        ".hhhhhhhhhhhh.",
        "hhhhhhhhhhhhhh",
        "hhhhhhhhhhhhh.",
        "hhhhhhhsshhhs.",
        "hhhhhhssssssss",
        "hhhhhssssBesss",
        "hhhhsssssseess",
        "hhhhsssssssss.",
        "hhhhsssssssss.",
        "hhhh.sssssmms.",
        "hhhh..ssssss..",
        "hhhhh..ssss...",
        "hhhhh..sss....",
        ".hhhh..sss....",
        "..hh...sss....",
    },
    5, {pal::White, pal::Yellow, pal::Orange}, 32, 10};

const Person kPancho{
    {pal::kSkin, pal::kHair, pal::kRed, pal::kDeepBlue, pal::kWood, pal::kWood, false, 3, 8, 0, false, pal::SkyDark},
    {
        "....ssssss....",
        "..ssssssssss..",
        ".ssssssssssss.",
        ".ssssssssssss.",
        "ssssssssssssss",
        "bssssssBBBBss.",
        "bsssssssssssss",
        "bsssssssseesss",
        "bssssssssesss.",
        "bsssssssssssss",
        ".sssssssssssss",
        ".ssssssbbbbbb.",
        "..sssssssmmss.",
        "...ssssssssb..",
        ".....ssss.....",
        ".....ssss.....",
        ".....ssss.....",
    },
    5, pal::kDark, 36, 320};

// Damian, seen from the front: a barman in a waistcoat and apron; `gesture` 0 still, 1 and 2
// a raised hand wagging "no".
Image Damian(int gesture) {
  art::Canvas c(32, 80);
  const int skin = c.Part(pal::kSkin);
  const int hair = c.Part(pal::kDark);
  const int shirt = c.Part(pal::kCloth);
  const int vest = c.Part(pal::kPurple);
  const int apron = c.Part({pal::White, pal::White, pal::StoneLight});
  const int trousers = c.Part(pal::kDark);
  const int shoes = c.Part(pal::kWood);
  const int tie = c.FlatPart(pal::Red);
  const int eye = c.FlatPart(pal::Outline);
  const int moustache = c.FlatPart(pal::ShadowDeep);
  // Legs and shoes.
  c.Rect(10, 54, 5, 22, trousers);
  c.Rect(17, 54, 5, 22, trousers);
  c.Rect(8, 75, 7, 4, shoes);
  c.Rect(17, 75, 7, 4, shoes);
  // Arms: at rest both hang; in the gesture the right hand (his left) is raised.
  c.Line(7, 27, 6, 47, 4, shirt);
  c.Disc(6, 49, 2, skin);
  if (gesture == 0) {
    c.Line(25, 27, 26, 47, 4, shirt);
    c.Disc(26, 49, 2, skin);
  } else {
    const double hx = gesture == 1 ? 28 : 30;
    c.Line(25, 27, 28, 36, 4, shirt);
    c.Line(28, 36, hx, 24, 3.5, shirt);
    c.Disc(hx, 21, 2.2, skin);
    c.Rect(static_cast<int>(hx), 15, 1, 5, skin);  // the wagging finger
  }
  // Torso with waistcoat and apron.
  c.Poly({{8, 24}, {24, 24}, {23, 56}, {9, 56}}, shirt);
  c.Poly({{8, 25}, {13, 25}, {16, 40}, {19, 25}, {24, 25}, {23, 45}, {9, 45}}, vest);
  c.Poly({{9, 42}, {23, 42}, {25, 66}, {7, 66}}, apron);
  c.Rect(14, 24, 4, 2, tie);
  c.Set(13, 25, tie);
  c.Set(18, 25, tie);
  // Head: slick dark hair, a moustache.
  c.Rect(13, 20, 6, 4, skin);
  c.Ellipse(16, 13, 7, 8, skin);
  c.Ellipse(16, 8, 7.5, 4.5, hair);
  c.Rect(9, 8, 2, 6, hair);
  c.Rect(21, 8, 2, 6, hair);
  c.Rect(13, 12, 1, 2, eye);
  c.Rect(18, 12, 1, 2, eye);
  c.Rect(12, 16, 8, 1, moustache);
  c.Set(11, 17, moustache);
  c.Set(20, 17, moustache);
  return c.Render();
}

// The passage in the inn's wall: darkness with faint brick edges, the same tile in every place.
Image DarkPassage() {
  Image img(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) img.Put(x, y, (y % 8 == 7 || (x + (y / 8) * 8) % 16 == 15) ? pal::ShadowDeep : pal::Night);
  return img;
}

}  // namespace

void DrawTownsfolk(Image& sheet) {
  DrawPerson(sheet, kRod);
  DrawPerson(sheet, kLime);
  DrawPerson(sheet, kPancho);
  for (int g = 0; g < 3; ++g) PutBlock(sheet, 1025 + 2 * g, Damian(g));
  PutBlock(sheet, 1040, DarkPassage());
}
