// Map tiles: the places every sheet-2 tileset keeps its tiles in (so a map legend reads the same
// in every theme), and the drawing of terrain sets.
//
// Local cells of sheet 2; a map's tile value is 2400 + cell.
//   27..29 / 67..69 / 107..109  ground: a 3 x 3 patch (top-left, top, top-right / left,
//                          inside, right / bottom-left, bottom, bottom-right), solid terrain of
//                          layer 2. Cell 0 stays empty: a map cannot show it, since a tile value
//                          that is a multiple of 1200 draws nothing.
//   30, 31 / 70, 71        ground's inner corners: the inside with its top-left, top-right,
//                          bottom-left, bottom-right corner open
//   110, 111               two more insides of ground, to break the repeat
//   32, 33, 34             a ground ledge one tile thick: left end, middle, right end
//   35                     a single ground block
//   9..17, 49..53, 89..93  the same set for blocks (bricks, stone blocks, walls): patch 9..11 /
//                          49..51 / 89..91, inner corners 12, 13 / 52, 53, insides 92, 93,
//                          ledge 14..16, single 17
//   18..26, 58..62, 98..102  the same for the third material: patch 18..20 / 58..60 / 98..100,
//                          inner corners 21, 22 / 61, 62, insides 101, 102, ledge 23..25, 26
//   120, 121 / 160, 161    back wall A, a 2 x 2 repeat (layer 1)
//   122, 123 / 162, 163    back wall B;  124, 125 / 164, 165 back wall C (dark, for shade)
//   126, 127 / 166, 167    back wall D
//   128                    wall top trim (repeats sideways); 168 wall foot trim
//   129 / 169 / 209        a pillar: capital, shaft (repeats down), base
//   130, 131 / 170, 171    a window (2 x 2)
//   132, 133 / ... / 292, 293   a doorway, 2 x 5 (the door events' picture)
//   134, 135 / ... / 294, 295   an opening, 2 x 5: a dark passage
// From cell 320 on each theme places its own pieces (furniture, machines, plants, signs),
// 560..719 its far scenery for layer 0, and 800..959 foreground pieces for layer 3; each
// theme's file lists them. Rows 18..19 (cells 720..799) and 24..29 hold the mechanisms that
// every sheet-2 bitmap shares (sheet2_actors.cpp); the cells between them are free.
#pragma once

#include <functional>

#include "sheets.h"

namespace tiles {

constexpr int kGround = 27;
constexpr int kBlock = 9;
constexpr int kThird = 18;
// Offsets of the pieces of a terrain set from its first cell.
constexpr int kInnerTopLeft = 3, kInnerTopRight = 4, kInnerBottomLeft = 43, kInnerBottomRight = 44;
constexpr int kVariant1 = 83, kVariant2 = 84;
constexpr int kLedgeLeft = 5, kLedge = 6, kLedgeRight = 7, kSingle = 8;

constexpr int kWallA = 120, kWallB = 122, kWallC = 124, kWallD = 126;
constexpr int kWallTop = 128, kWallFoot = 168;
constexpr int kPillarTop = 129, kPillar = 169, kPillarBase = 209;
constexpr int kWindow = 130;
constexpr int kDoorway = 132;
constexpr int kOpening = 134;
constexpr int kThemeFirst = 320;
constexpr int kFarFirst = 560;
constexpr int kFrontFirst = 800;

// A colour that leaves the pixel transparent (the grass above a ground's top, say).
constexpr uint32_t kAir = 0x1000000;

// A material that fills terrain.
struct Terrain {
  // The inside at pixel (x, y) (any integers; the pattern repeats every 16 pixels), variant
  // 0..2 for the plain inside and its two variations.
  std::function<uint32_t(int x, int y, int variant)> fill;
  // The surface on an exposed top, `depth` rows below the tile's top at column x; 0 when the
  // inside shows from there down, kAir for no pixel.
  std::function<uint32_t(int x, int depth)> top;
  // The shades of exposed sides: light on the left, dark on the right and below.
  pal::Ramp edge;
  uint32_t outline = pal::Outline;
};

// Draws the whole set (3 x 3 patch, inner corners, variants, ledge, single block) with its
// first cell at `first`.
void DrawTerrain(Image& sheet, int first, const Terrain& t);

// A 2 x 2 back wall: `pattern` gives the colour at (x, y) of a 32 x 32 repeat.
void DrawWall(Image& sheet, int first, const std::function<uint32_t(int x, int y)>& pattern);
// Any w x h block of cells from `first`, each pixel from `pattern` at block coordinates.
void DrawPattern(Image& sheet, int first, int w, int h, const std::function<uint32_t(int x, int y)>& pattern);

// Common surfaces and insides.
uint32_t EarthFill(int x, int y, int variant);
uint32_t GrassTop(int x, int depth);
uint32_t StoneBrick(int x, int y, int variant, pal::Ramp ramp, uint32_t mortar);
uint32_t RockFill(int x, int y, int variant);
uint32_t PlankFill(int x, int y, pal::Ramp wood);

// Common pieces, drawn the same way in every theme with the theme's materials.
void DrawWindow(Image& sheet, int first, pal::Ramp frame, pal::Ramp glass);      // 2 x 2
void DrawDoorway(Image& sheet, int first, pal::Ramp frame, pal::Ramp door);      // 2 x 5
void DrawOpening(Image& sheet, int first, pal::Ramp frame);                      // 2 x 5
void DrawPillar(Image& sheet, int top, int shaft, int base, pal::Ramp stone);    // 1 x 3
void DrawTrims(Image& sheet, int top, int foot, pal::Ramp ramp);                 // 1 x 1 each
// Pictures on a back wall of layer 1: a picture that hangs on such a wall, or a trim along it,
// takes the wall's place in its cells, so the far picture would show through its open parts.
// These copies carry the wall behind them, as the 2 x 2 repeat lies on the world's grid under a
// picture whose top-left tile stands at an odd or even column and row.
Image Cells(const Image& sheet, int first, int w, int h);
void PutOnWall(Image& sheet, int to, const Image& piece, int wall, bool odd_col, bool odd_row);
// The same on a wall that repeats every cell (the inside of a terrain set drawn on layer 1).
void PutOnTile(Image& sheet, int to, const Image& piece, int tile);
// A one-cell piece laid sideways along the wall (a trim): two cells from `to`, the first for the
// even columns, for rows of the given parity.
void PutRunOnWall(Image& sheet, int to, int piece, int wall, bool odd_row);
// A board `cells` wide and one high with lettering in the IPA font.
Image SignBoard(int cells, const char32_t* text, pal::Ramp board, uint32_t ink);
// A street lamp, 1 x 3 cells.
Image LampPost();

}  // namespace tiles

// The strange mark, a glowing sigil of 2 x 2 cells over shrines (tiles_temple.cpp; the cave
// uses it too).
Image StrangeMark();

namespace tiles {

}  // namespace tiles
