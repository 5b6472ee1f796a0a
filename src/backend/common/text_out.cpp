// Shift-JIS text drawn onto 32-bit pixels with the cached glyphs of a font.
#include <algorithm>

#include "backend/common/fonts.h"
#include "backend/common/sjis.h"
#include "platform/host_text.h"

namespace {

// Fills the glyph's runs with the colour, clipped to the pixels. (pen, top) is where the
// character's cell starts.
void DrawGlyph(uint32_t* pixels, int width, int height, int64_t pen, int64_t top, const backend::GlyphSpan* spans,
               uint32_t count, uint32_t rgb) {
  for (uint32_t i = 0; i < count; ++i) {
    const backend::GlyphSpan& s = spans[i];
    const int64_t y = top + s.y;
    if (y < 0 || y >= height) continue;
    const int64_t left = std::max<int64_t>(pen + s.left, 0);
    const int64_t right = std::min<int64_t>(pen + s.right, width);
    if (left >= right) continue;
    uint32_t* row = pixels + y * width;
    std::fill(row + left, row + right, rgb);
  }
}

}  // namespace

namespace host {

void TextOut(uint32_t* pixels, int width, int height, int x, int y, const char* text, Font* font, uint32_t rgb) {
  if (pixels == nullptr || text == nullptr || font == nullptr || width <= 0 || height <= 0) return;
  int64_t pen = x;
  uint32_t code_point = 0;
  for (int bytes; (bytes = backend::DecodeSjisChar(text, code_point)) != 0; text += bytes) {
    if (code_point == 0) continue;  // a byte that starts no character
    const backend::Glyph& glyph = backend::GlyphOf(*font, code_point, bytes);
    DrawGlyph(pixels, width, height, pen, y, backend::Spans(*font, glyph), glyph.span_count, rgb);
    pen += glyph.advance;
  }
}

}  // namespace host
