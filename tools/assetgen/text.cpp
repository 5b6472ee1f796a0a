#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

}  // namespace

Image RenderText(const char32_t* text, int height, uint32_t colour) {
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  if (FT_Init_FreeType(&lib) != 0) return Image(1, 1);
  if (FT_New_Face(lib, kFontPath, 0, &face) != 0) {
    std::fprintf(stderr, "assetgen: cannot read %s\n", kFontPath);
    FT_Done_FreeType(lib);
    return Image(1, 1);
  }
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height));
  int width = 0;
  for (const char32_t* p = text; *p != 0; ++p)
    if (FT_Load_Char(face, *p, FT_LOAD_DEFAULT) == 0) width += static_cast<int>(face->glyph->advance.x >> 6);
  Image img(width > 0 ? width : 1, height);
  const int baseline = height * 7 / 8;
  int pen = 0;
  for (const char32_t* p = text; *p != 0; ++p) {
    if (FT_Load_Char(face, *p, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) continue;
    const FT_Bitmap& bm = face->glyph->bitmap;
    for (unsigned y = 0; y < bm.rows; ++y)
      for (unsigned x = 0; x < bm.width; ++x)
        if (bm.buffer[y * bm.pitch + x / 8] & (0x80 >> (x % 8)))
          img.Put(pen + face->glyph->bitmap_left + static_cast<int>(x), baseline - face->glyph->bitmap_top + static_cast<int>(y),
                  colour);
    pen += static_cast<int>(face->glyph->advance.x >> 6);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return img;
}
