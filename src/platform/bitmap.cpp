#include "platform/bitmap.h"

#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kUncompressed = 0;

}  // namespace

bool ParseBitmap(const uint8_t* data, size_t size, BitmapInfo& info) {
  if (data == nullptr || size < kFileHeaderSize + 40) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const uint32_t bits_offset = Le32(data + 10);
  const uint8_t* h = data + kFileHeaderSize;
  const uint32_t header_size = Le32(h);
  if (header_size < 40 || kFileHeaderSize + header_size > size) return false;
  const int32_t width = static_cast<int32_t>(Le32(h + 4));
  const int32_t height = static_cast<int32_t>(Le32(h + 8));
  const uint16_t bpp = Le16(h + 14);
  const uint32_t compression = Le32(h + 16);
  uint32_t colours = Le32(h + 32);
  if (compression != kUncompressed) return false;
  if (bpp != 8 && bpp != 24 && bpp != 32) return false;
  if (width <= 0 || width > 16384 || height == 0 || height < -16384 || height > 16384) return false;

  info.width = width;
  info.height = height < 0 ? -height : height;
  info.top_down = height < 0;
  info.bits_per_pixel = bpp;
  info.stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  if (bpp == 8) {
    if (colours == 0 || colours > 256) colours = 256;
    const size_t palette_at = kFileHeaderSize + header_size;
    if (palette_at + colours * 4 > size) return false;
    info.palette = data + palette_at;
    info.palette_count = static_cast<int>(colours);
  }
  if (bits_offset > size || info.stride * static_cast<size_t>(info.height) > size - bits_offset) return false;
  info.bits = data + bits_offset;
  return true;
}

void ReadBitmapRow(const BitmapInfo& info, int y, uint32_t* out, int n) {
  if (n > info.width) n = info.width;
  const int stored = info.top_down ? y : info.height - 1 - y;
  const uint8_t* row = info.bits + info.stride * static_cast<size_t>(stored);
  switch (info.bits_per_pixel) {
    case 8:
      for (int x = 0; x < n; ++x) {
        const int i = row[x] < info.palette_count ? row[x] : 0;
        const uint8_t* c = info.palette + i * 4;
        out[x] = static_cast<uint32_t>(c[2]) << 16 | c[1] << 8 | c[0];
      }
      break;
    case 24:
      for (int x = 0; x < n; ++x) {
        const uint8_t* c = row + x * 3;
        out[x] = static_cast<uint32_t>(c[2]) << 16 | c[1] << 8 | c[0];
      }
      break;
    default:
      for (int x = 0; x < n; ++x) out[x] = Le32(row + x * 4) & 0xFFFFFF;
      break;
  }
}
