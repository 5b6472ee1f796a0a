// The fonts behind host::OpenFont: one FreeType face a family, and for each height the glyphs
// drawn so far, rendered once (1-bit, no antialiasing) and kept as runs of set pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/host_text.h"

namespace backend {

// A run of set pixels on one row of a glyph, from `left` up to `right` (exclusive). Positions
// are relative to the pen: x from the pen's position, y from the top of the line.
struct GlyphSpan {
  int16_t y, left, right;
};

// A glyph in the cache: its spans are `span_count` entries of its font's span store from
// `first_span` on.
struct Glyph {
  bool ready = false;
  int16_t advance = 0;
  uint32_t first_span = 0;
  uint32_t span_count = 0;
};

// 256 consecutive code points.
struct GlyphPage {
  Glyph glyph[256];
};

// What tests read to see that fonts are opened once and glyphs rendered once.
struct TextStats {
  int faces_opened = 0;
  int glyphs_rendered = 0;
};
TextStats& Stats();

// The glyph of `code_point`, which took `bytes` bytes of Shift-JIS text, rendered on first use.
const Glyph& GlyphOf(host::Font& font, uint32_t code_point, int bytes);
const GlyphSpan* Spans(const host::Font& font, const Glyph& glyph);

}  // namespace backend
