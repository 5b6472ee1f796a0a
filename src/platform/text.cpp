#include "platform/text.h"

#include <cstring>

#include "platform/graphics.h"
#include "platform/host_text.h"

// The face names below, like all the game's text, must be Shift-JIS bytes at run time.
static_assert(sizeof("ゴ") == 3, "game sources must be compiled with -fexec-charset=CP932");

namespace {

// The faces the game names, and the family each comes out in.
struct FaceFamily {
  const char* face;
  host::FontFamily family;
};
constexpr FaceFamily kFaces[] = {
    {"ＭＳ ゴシック", host::FontFamily::Gothic},
    {"MS Gothic", host::FontFamily::Gothic},
    {"MS UI Gothic", host::FontFamily::ProportionalGothic},
};

// Any other face falls back to the fixed-pitch gothic, so text is never shown in a font without
// Japanese.
host::FontFamily FamilyOfFace(const char* face) {
  if (face == nullptr) return host::FontFamily::Gothic;
  for (const FaceFamily& f : kFaces) {
    if (std::strcmp(face, f.face) == 0) return f.family;
  }
  return host::FontFamily::Gothic;
}

// A GDI colour value (red in the low byte) as a surface pixel (red in the high byte).
uint32_t PixelOfColour(uint32_t colour) {
  const uint32_t red = colour & 0xFF, green = colour >> 8 & 0xFF, blue = colour >> 16 & 0xFF;
  return red << 16 | green << 8 | blue;
}

}  // namespace

int DrawTextOnSurface(Surface& surface, const char* text, int x, int y, int height, const char* face, uint32_t colour) {
  // 1. The surface's pixels stand for its device context.
  if (!surface.Exists()) return -1;
  // 2. and 3. The font of the face at this height is opened once and kept, not made per call.
  host::Font* font = host::OpenFont(FamilyOfFace(face), height);
  // 4. The text in its colour; the background stays as it was.
  host::TextOut(surface.pixels, surface.width, surface.height, x, y, text, font, PixelOfColour(colour));
  return 0;
}

void DrawTextRgb(int x, int y, const char* text, int height, const char* face, int red, int green, int blue) {
  const uint32_t colour = static_cast<uint32_t>(red & 0xFF) | static_cast<uint32_t>(green & 0xFF) << 8 |
                          static_cast<uint32_t>(blue & 0xFF) << 16;
  DrawTextOnSurface(Surfaces[kBackBuffer], text, x, y, height, face, colour);
}
