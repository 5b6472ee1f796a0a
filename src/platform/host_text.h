// The platform seam for text: Japanese fonts found on this machine, and Shift-JIS text drawn
// with them onto 32-bit pixels. Both backends share one implementation (src/backend/common), so
// tests see the same glyphs the game window shows.
#pragma once

#include <cstdint>

namespace host {

// The font families the game's faces come out in. Both cover kana and kanji.
enum class FontFamily : uint8_t {
  Gothic,              // fixed pitch: a half-width character is half the height wide, a full-width one as wide as high
  ProportionalGothic,  // each character as wide as its shape
};

// A family at one pixel height (the em), with the glyphs drawn with it so far.
struct Font;

// The font of `family` at `height` pixels, opened on the first call and kept: every later call
// with the same pair gives the same font. nullptr when the height is outside 1..255 or the
// machine has no font that covers Japanese.
Font* OpenFont(FontFamily family, int height);

// Draws Shift-JIS text with its top-left at (x, y) onto `pixels` (`width` x `height`,
// 0x00RRGGBB, row after row): the set pixels of every glyph in `rgb`, 1-bit without
// antialiasing, the rest left as it was; clipped to the pixels. The baseline is 0.86 of the
// font's height below y. Bytes that start no character draw nothing, as does a lead byte cut off
// at the end of the text; a character the font has no glyph for draws nothing but keeps its
// room; control characters draw nothing and take no room. A null font draws nothing.
void TextOut(uint32_t* pixels, int width, int height, int x, int y, const char* text, Font* font,
             uint32_t rgb);

}  // namespace host
