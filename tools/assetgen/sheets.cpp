#include "sheets.h"

#include "palette.h"

namespace {

// Sheet 117 is sheet 0 in every scene. Until its pictures are drawn, every cell is a framed tile
// so that a drawn cell shows where it lands.
Image Sheet117() {
  Image img(640, 480);
  for (int n = 0; n < 1200; ++n) {
    img.Fill(CellX(n) + 1, CellY(n) + 1, 14, 14, n % 2 ? pal::Stone : pal::StoneLight);
    img.Outline(CellX(n), CellY(n), 16, 16, pal::Outline);
  }
  return img;
}

}  // namespace

void DrawSheets(Output& out) { out.Bitmap(117, Sheet117()); }
