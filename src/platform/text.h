// Text on the surfaces: Shift-JIS strings drawn in one colour on a transparent background, in
// the Japanese gothic fonts the game's faces stand for.
#pragma once

#include <cstdint>

#include "platform/surface.h"

// Draws `text` (Shift-JIS) with its top-left at (x, y) on `surface`, `height` pixels high in the
// face `face` ("ＭＳ ゴシック" and "MS Gothic" are the fixed-pitch gothic, "MS UI Gothic" the
// proportional one, any other name the fixed-pitch gothic), in `colour`, a GDI colour value
// (red | green << 8 | blue << 16). Only the glyphs' pixels change. 0, or -1 when the surface
// does not exist.
int DrawTextOnSurface(Surface& surface, const char* text, int x, int y, int height, const char* face, uint32_t colour);

// The same on the back buffer, in the colour (red, green, blue).
void DrawTextRgb(int x, int y, const char* text, int height, const char* face, int red, int green, int blue);
