#include "preview.h"

#include "digits.h"
#include "png_encode.h"

namespace {

uint32_t Checker(int x, int y) { return ((x / 4 + y / 4) & 1) ? 0x303038 : 0x404048; }

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
  return EncodePng(image.pixels.data(), image.width, image.height);
}

Image PlainPreview(const Image& picture, int scale) {
  Image out(picture.width * scale, picture.height * scale);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      const uint32_t p = picture.Get(x / scale, y / scale);
      out.Put(x, y, p ? p : Checker(x, y));
    }
  return out;
}

Image ContactSheet(const Image& sheet) {
  constexpr int kScale = 2, kCell = 16 * kScale, kLabel = 7, kPitchX = kCell + 2, kPitchY = kCell + kLabel + 2;
  const int cols = sheet.width / 16, rows = sheet.height / 16;
  Image out(cols * kPitchX + 1, rows * kPitchY + 1, 0x101010);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      const int ox = c * kPitchX + 1, oy = r * kPitchY + 1;
      const int n = r * cols + c;
      digits::Draw(out, ox + 1, oy + 1, n, 0xC0C0C0);
      const int cy = oy + kLabel;
      for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
          const uint32_t p = sheet.Get(c * 16 + x / kScale, r * 16 + y / kScale);
          out.Put(ox + x, cy + y, p ? p : Checker(x, y));
        }
    }
  return out;
}
