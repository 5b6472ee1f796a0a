#include "preview.h"

#include <zlib.h>

namespace {

void Be32(std::vector<uint8_t>& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  Be32(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  Be32(png, static_cast<uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

uint32_t Checker(int x, int y) { return ((x / 4 + y / 4) & 1) ? 0x303038 : 0x404048; }

// Digits of 3 x 5 pixels for the cell numbers, one row of bits a line.
const uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void DrawNumber(Image& img, int x, int y, int n, uint32_t colour) {
  const std::string s = std::to_string(n);
  for (char ch : s) {
    const uint8_t* d = kDigits[ch - '0'];
    for (int j = 0; j < 5; ++j)
      for (int i = 0; i < 3; ++i)
        if (d[j] & (4 >> i)) img.Put(x + i, y + j, colour);
    x += 4;
  }
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image.height) * (image.width * 3 + 1));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.Get(x, y);
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packed_size);
  compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packed_size);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Be32(header, static_cast<uint32_t>(image.width));
  Be32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", {});
  return png;
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
      DrawNumber(out, ox + 1, oy + 1, n, 0xC0C0C0);
      const int cy = oy + kLabel;
      for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
          const uint32_t p = sheet.Get(c * 16 + x / kScale, r * 16 + y / kScale);
          out.Put(ox + x, cy + y, p ? p : Checker(x, y));
        }
    }
  return out;
}
