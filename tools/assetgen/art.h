// The drawing kit of the asset generator.
//
// A sprite is drawn on a Canvas as shapes of numbered parts (a sleeve, a boot, a face), each with
// the shades of its material. Render then shades every part with light from the top left (its
// edges facing the light take the light shade, the edges turned away the dark one) and puts a
// one-pixel outline around the whole silhouette. Because shading happens at the end, a figure
// drawn facing right and turned with MirrorX is lit from the top left as well.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "image.h"
#include "palette.h"

namespace art {

// Part kinds: shaded parts take light and dark edges; flat parts (eyes, marks, buttons) take one
// colour and are ignored when the parts around them are shaded.
enum class Shade : uint8_t { Shaded, Flat, Soft };

class Canvas {
 public:
  Canvas(int w, int h);

  int width() const { return w_; }
  int height() const { return h_; }

  // A new part with the given shades; returns its number (1..255).
  int Part(pal::Ramp ramp, Shade shade = Shade::Shaded);
  int FlatPart(uint32_t colour) { return Part(pal::Flat(colour), Shade::Flat); }

  int At(int x, int y) const { return Inside(x, y) ? ids_[y * w_ + x] : 0; }
  void Set(int x, int y, int part) {
    if (Inside(x, y) && (only_over_ < 0 || ids_[y * w_ + x] == only_over_)) ids_[y * w_ + x] = static_cast<uint8_t>(part);
  }
  // From now on, drawing changes only pixels of part `over` (-1: every pixel again). Draws
  // inner lines, such as an arm's edge where it lies over the body.
  void OnlyOver(int over) { only_over_ = over; }
  void Rect(int x, int y, int w, int h, int part);
  // A filled ellipse with centre (cx, cy) and radii (rx, ry); half-pixel centres allowed.
  void Ellipse(double cx, double cy, double rx, double ry, int part);
  void Disc(double cx, double cy, double r, int part) { Ellipse(cx, cy, r, r, part); }
  // A thick line from (x0, y0) to (x1, y1): a round-ended stroke of the given width.
  void Line(double x0, double y0, double x1, double y1, double width, int part);
  // A filled polygon (even-odd rule, pixel centres).
  void Poly(std::initializer_list<std::pair<double, double>> points, int part);
  void Poly(const std::vector<std::pair<double, double>>& points, int part);
  // Pixel art written as rows of characters: each character of `legend` stands for the part at
  // the same index of `parts`; any other character leaves the pixel as it is ('.' by custom).
  void Stamp(int x, int y, std::initializer_list<const char*> rows, const char* legend,
             std::initializer_list<int> parts) {
    Stamp(x, y, std::vector<const char*>(rows), legend, parts);
  }
  void Stamp(int x, int y, const std::vector<const char*>& rows, const char* legend, std::initializer_list<int> parts);
  // Clears pixels: everything of `part` inside the rectangle becomes empty (part 0 for all).
  void Erase(int x, int y, int w, int h, int part = 0);
  // Replaces one part by another everywhere.
  void Replace(int from, int to);
  // Turns the drawing left to right (parts and all).
  void MirrorX();
  // Moves every pixel by (dx, dy).
  void Shift(int dx, int dy);

  // The shaded picture, with a one-pixel outline of `outline` (0 for none) around it.
  Image Render(uint32_t outline = pal::Outline) const;

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  int w_, h_;
  int only_over_ = -1;
  std::vector<uint8_t> ids_;
  std::vector<pal::Ramp> ramps_;
  std::vector<Shade> shades_;
};

// Puts a one-pixel outline of `colour` around every opaque pixel of the picture, inside its bounds.
void AddOutline(Image& image, uint32_t colour = pal::Outline);
// Clears the outline along the picture's top and bottom rows: for pieces stacked on themselves
// (a door's middle, a column's shaft), whose outline must not cut the joins.
void OpenJoins(Image& image, uint32_t colour = pal::Outline);

// A stable pseudo-random number for (x, y, seed): tiles use it so the same tile comes out the
// same on every build.
uint32_t Hash(int x, int y, int seed);
// Hash as a number in [0, 1).
double Noise(int x, int y, int seed);
// Smooth value noise in [0, 1), periodic with `period` in x (far pictures wrap around) and, when
// `period_y` is not 0, with that period in y too (tiles that repeat both ways).
double SmoothNoise(double x, double y, double scale, int period, int seed, int period_y = 0);
// An ordered dither threshold in [0, 1) for the pixel (4 x 4 Bayer matrix).
double Bayer(int x, int y);

// Draws straight onto a picture (tiles, backgrounds, icons without a canvas).
void HLine(Image& img, int x, int y, int w, uint32_t c);
void VLine(Image& img, int x, int y, int h, uint32_t c);
void FillEllipse(Image& img, double cx, double cy, double rx, double ry, uint32_t c);
void DrawLine(Image& img, int x0, int y0, int x1, int y1, uint32_t c);
// A box with light top and left edges and dark bottom and right ones.
void Bevel(Image& img, int x, int y, int w, int h, pal::Ramp r);

}  // namespace art
