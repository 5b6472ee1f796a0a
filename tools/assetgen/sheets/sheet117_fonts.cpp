// Sheet 117, cells 0..294: the cell fonts. Every font holds the characters '0' to 'Z' in that
// order, one 16 x 16 cell a character:
//   0..43     the HUD font (also floating-text font 1), large, white over gold, outlined; its
//             arithmetic (ch - 47) puts '/' in cell 0, so it holds a slash too
//   50..59    digits of floating-text font 2 in yellow, 8 pixels wide
//   60..69    digits of floating-text font 5, large, orange
//   70..79    digits of floating-text font 2 in red, 8 pixels wide
//   80..122   menu and panel font for values, white
//   123..165  menu and panel font for labels and the highlighted entry, cyan
//   166..208  menu and panel font for warnings, red
//   209..251  the small font (panel names, floating-text font 3), white, 8 pixels wide
//   252..294  the second small font (floating-text font 4), light blue, 8 pixels wide
// Symbols: ':' is a colon everywhere; '=' and '<' are blank gaps ('=' in the HUD font lies over
// the spinning coin); ';' reads as a times sign in the HUD font ("x07" coins) and as a dot in
// the others; '@' is a slash (the panel's "0020@0020"), but a word gap in the second small font.
// The 8-pixel fonts keep their glyph in the left half of the cell, since the next character is
// drawn 8 pixels further on, over the right half.
#include "font5x7.h"
#include "sheets.h"

namespace {

// The colour of a glyph pixel by its row (0..13 for the large fonts, 0..6 for the small ones).
struct FontColours {
  uint32_t top, middle, bottom;
  int split1, split2;  // first rows of the middle and bottom colours
  uint32_t edge;       // outline (large) or shadow (small)
};

enum class Symbols { Hud, Menu, Small, SmallWordGap };

// The shape of character ch in a font with the given symbol rules; nullptr for a blank gap.
const char* const* GlyphFor(char ch, Symbols symbols) {
  switch (ch) {
    case '=':
    case '<':
      return nullptr;
    case ';':
      return symbols == Symbols::Hud ? font5x7::kTimes : font5x7::kDot;
    case '@':
      return symbols == Symbols::SmallWordGap ? nullptr : font5x7::kSlash;
    case '/':
      return font5x7::kSlash;
    default:
      return font5x7::Glyph(ch);
  }
}

uint32_t RowColour(const FontColours& c, int row) {
  return row >= c.split2 ? c.bottom : row >= c.split1 ? c.middle : c.top;
}

// A large glyph: the 5 x 7 shape doubled to 10 x 14, with a one-pixel outline, centred.
void DrawLargeGlyph(Image& sheet, int cell, const char* const* rows, const FontColours& c) {
  Image g(16, 16);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 10; ++x)
      if (rows[y / 2][x / 2] == '#') g.Put(3 + x, 1 + y, RowColour(c, y));
  art::AddOutline(g, c.edge);
  PutBlock(sheet, cell, g);
}

// A small glyph: the 5 x 7 shape in the cell's top-left corner with a shadow to the right and
// below it, 6 x 8 pixels in all.
void DrawSmallGlyph(Image& sheet, int cell, const char* const* rows, const FontColours& c) {
  Image g(16, 16);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 5; ++x)
      if (rows[y][x] == '#') {
        for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}})
          if (g.Get(x + dx, y + dy) == 0) g.Put(x + dx, y + dy, c.edge);
        g.Put(x, y, RowColour(c, y));
      }
  PutBlock(sheet, cell, g);
}

void DrawFont(Image& sheet, int first_cell, char first, char last, Symbols symbols, bool large,
              const FontColours& colours) {
  for (char ch = first; ch <= last; ++ch) {
    const char* const* rows = GlyphFor(ch, symbols);
    if (rows == nullptr) continue;
    const int cell = first_cell + (ch - first);
    if (large)
      DrawLargeGlyph(sheet, cell, rows, colours);
    else
      DrawSmallGlyph(sheet, cell, rows, colours);
  }
}

constexpr FontColours kHudColours{pal::White, pal::Yellow, pal::Orange, 6, 11, pal::Outline};
constexpr FontColours kBigDigitColours{pal::Yellow, pal::Orange, pal::Red, 4, 10, pal::Outline};
constexpr FontColours kValueColours{pal::White, pal::White, pal::StoneLight, 7, 10, pal::Outline};
constexpr FontColours kLabelColours{pal::Cyan, pal::Cyan, pal::Teal, 7, 10, pal::Outline};
constexpr FontColours kWarningColours{pal::Pink, pal::Red, pal::Red, 5, 7, pal::Outline};
constexpr FontColours kSmallColours{pal::White, pal::White, pal::StoneLight, 4, 6, pal::ShadowDeep};
constexpr FontColours kSmall2Colours{pal::SkyLight, pal::SkyLight, pal::Sky, 4, 6, pal::WaterDark};
constexpr FontColours kYellowDigitColours{pal::Yellow, pal::Yellow, pal::Orange, 4, 6, pal::RedDark};
constexpr FontColours kRedDigitColours{pal::Orange, pal::Red, pal::Red, 2, 4, pal::Outline};

}  // namespace

void DrawCellFonts(Image& sheet) {
  DrawFont(sheet, 0, '/', 'Z', Symbols::Hud, true, kHudColours);
  DrawFont(sheet, 50, '0', '9', Symbols::Small, false, kYellowDigitColours);
  DrawFont(sheet, 60, '0', '9', Symbols::Hud, true, kBigDigitColours);
  DrawFont(sheet, 70, '0', '9', Symbols::Small, false, kRedDigitColours);
  DrawFont(sheet, 80, '0', 'Z', Symbols::Menu, true, kValueColours);
  DrawFont(sheet, 123, '0', 'Z', Symbols::Menu, true, kLabelColours);
  DrawFont(sheet, 166, '0', 'Z', Symbols::Menu, true, kWarningColours);
  DrawFont(sheet, 209, '0', 'Z', Symbols::Small, false, kSmallColours);
  DrawFont(sheet, 252, '0', 'Z', Symbols::SmallWordGap, false, kSmall2Colours);
}
