#include "backend/common/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

#include "backend/common/font_match.h"

namespace host {

struct Font {
  FontFamily family;
  int height;
  int baseline;  // rows from the top of the line down to the baseline
  FT_Face face;  // shared by every height of the family
  std::vector<backend::GlyphSpan> spans;
  std::unique_ptr<backend::GlyphPage> pages[256];
};

}  // namespace host

namespace backend {

namespace {

// What a font must draw to show the game's text: hiragana, katakana, half-width katakana, kanji.
constexpr uint32_t kJapaneseSamples[] = {0x3042, 0x30A2, 0xFF71, 0x6F22};  // あ ア ｱ 漢

// The faces the game names put their baseline at 0.86 of the em below the top of the line.
int Baseline(int height) { return (height * 86 + 50) / 100; }

FT_Library Library() {
  static FT_Library library = nullptr;
  static const bool ready = FT_Init_FreeType(&library) == 0;
  return ready ? library : nullptr;
}

bool CoversJapanese(FT_Face face) {
  for (const uint32_t c : kJapaneseSamples) {
    if (FT_Get_Char_Index(face, c) == 0) return false;
  }
  return true;
}

// The face of a family: the first file fontconfig offers that covers Japanese, opened once.
FT_Face FamilyFace(host::FontFamily family) {
  struct Entry {
    bool looked_up = false;
    FT_Face face = nullptr;
  };
  static Entry entries[2];
  Entry& e = entries[family == host::FontFamily::ProportionalGothic ? 1 : 0];
  if (e.looked_up) return e.face;
  e.looked_up = true;
  FT_Library library = Library();
  if (library == nullptr) return nullptr;
  for (const FontFile& file : FontCandidates(family)) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) continue;
    ++Stats().faces_opened;
    if (CoversJapanese(face)) {
      e.face = face;
      return face;
    }
    FT_Done_Face(face);
  }
  std::fprintf(stderr, "tovia: no font on this machine covers Japanese (fonts-ipafont-gothic); text is not shown\n");
  return nullptr;
}

bool PixelSet(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x) {
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] >> (7 - (x & 7)) & 1) != 0;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) return row[x] >= 128;
  return false;
}

// Stores the runs of set pixels of a rendered glyph whose top-left pixel is at (left, top) from
// the pen.
void AddSpans(host::Font& font, const FT_Bitmap& bitmap, int left, int top) {
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    unsigned x = 0;
    while (x < bitmap.width) {
      while (x < bitmap.width && !PixelSet(bitmap, row, x)) ++x;
      const unsigned start = x;
      while (x < bitmap.width && PixelSet(bitmap, row, x)) ++x;
      if (x > start) {
        font.spans.push_back(GlyphSpan{static_cast<int16_t>(top + static_cast<int>(y)),
                                       static_cast<int16_t>(left + static_cast<int>(start)),
                                       static_cast<int16_t>(left + static_cast<int>(x))});
      }
    }
  }
}

void RenderGlyph(host::Font& font, uint32_t code_point, int bytes, Glyph& glyph) {
  ++Stats().glyphs_rendered;
  glyph.ready = true;
  glyph.first_span = static_cast<uint32_t>(font.spans.size());
  if (code_point < 0x20 || code_point == 0x7F) return;  // control characters are no text
  // A character the font lacks keeps the room the grid gives it, so the rest of the line stays
  // where the layout expects it.
  glyph.advance = static_cast<int16_t>(bytes * font.height / 2);
  FT_Face face = font.face;
  const FT_UInt index = FT_Get_Char_Index(face, code_point);
  if (index == 0) return;
  if (face->size->metrics.y_ppem != font.height && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(font.height)) != 0) return;
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return;
  const FT_GlyphSlot slot = face->glyph;
  glyph.advance = static_cast<int16_t>((slot->advance.x + 32) >> 6);
  AddSpans(font, slot->bitmap, slot->bitmap_left, font.baseline - slot->bitmap_top);
  glyph.span_count = static_cast<uint32_t>(font.spans.size()) - glyph.first_span;
}

}  // namespace

TextStats& Stats() {
  static TextStats stats;
  return stats;
}

const Glyph& GlyphOf(host::Font& font, uint32_t code_point, int bytes) {
  static const Glyph kNone{true, 0, 0, 0};
  if (code_point > 0xFFFF) return kNone;
  std::unique_ptr<GlyphPage>& page = font.pages[code_point >> 8];
  if (!page) page = std::make_unique<GlyphPage>();
  Glyph& glyph = page->glyph[code_point & 0xFF];
  if (!glyph.ready) RenderGlyph(font, code_point, bytes, glyph);
  return glyph;
}

const GlyphSpan* Spans(const host::Font& font, const Glyph& glyph) { return font.spans.data() + glyph.first_span; }

}  // namespace backend

namespace host {

Font* OpenFont(FontFamily family, int height) {
  static std::vector<std::unique_ptr<Font>> fonts;
  if (height < 1 || height > 255) return nullptr;
  for (const auto& f : fonts) {
    if (f->family == family && f->height == height) return f.get();
  }
  FT_Face face = backend::FamilyFace(family);
  if (face == nullptr) return nullptr;
  auto font = std::make_unique<Font>();
  font->family = family;
  font->height = height;
  font->baseline = backend::Baseline(height);
  font->face = face;
  fonts.push_back(std::move(font));
  return fonts.back().get();
}

}  // namespace host
