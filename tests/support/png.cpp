#include "support/png.h"

#include <cstdio>
#include <vector>

#include "png_encode.h"

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height) {
  const std::vector<uint8_t> file = EncodePng(pixels, width, height);
  if (file.empty()) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}
