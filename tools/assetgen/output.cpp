#include "output.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "palette.h"
#include "preview.h"

void Le16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Le32(std::vector<uint8_t>& b, uint32_t v) {
  Le16(b, v & 0xFFFF);
  Le16(b, v >> 16);
}

std::vector<uint8_t> EncodeBmp(const Image& image) {
  std::map<uint32_t, int> colours;
  for (uint32_t p : image.pixels) {
    if (colours.size() > 256) break;
    colours.emplace(p & 0xFFFFFF, 0);
  }
  const bool indexed = colours.size() <= 256;
  const int bpp = indexed ? 8 : 24;
  const size_t stride = ((static_cast<size_t>(image.width) * bpp + 31) / 32) * 4;
  const uint32_t palette_bytes = indexed ? 256 * 4 : 0;
  const uint32_t offset = 14 + 40 + palette_bytes;
  const uint32_t size = offset + static_cast<uint32_t>(stride * image.height);

  std::vector<uint8_t> b;
  b.reserve(size);
  b.push_back('B');
  b.push_back('M');
  Le32(b, size);
  Le32(b, 0);
  Le32(b, offset);
  Le32(b, 40);
  Le32(b, static_cast<uint32_t>(image.width));
  Le32(b, static_cast<uint32_t>(image.height));  // bottom-up
  Le16(b, 1);
  Le16(b, static_cast<uint32_t>(bpp));
  Le32(b, 0);
  Le32(b, static_cast<uint32_t>(stride * image.height));
  Le32(b, 2835);
  Le32(b, 2835);
  Le32(b, indexed ? 256 : 0);
  Le32(b, 0);
  if (indexed) {
    int index = 0;
    for (auto& [colour, i] : colours) {
      i = index++;
      b.push_back(colour & 0xFF);
      b.push_back((colour >> 8) & 0xFF);
      b.push_back((colour >> 16) & 0xFF);
      b.push_back(0);
    }
    for (; index < 256; ++index) Le32(b, 0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.Get(x, y) & 0xFFFFFF;
      if (indexed) {
        b.push_back(static_cast<uint8_t>(colours[p]));
      } else {
        b.push_back(p & 0xFF);
        b.push_back((p >> 8) & 0xFF);
        b.push_back((p >> 16) & 0xFF);
      }
    }
    while (b.size() - start < stride) b.push_back(0);
  }
  return b;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

Output::Output(std::string asset_dir, std::string data_dir, std::string preview_dir)
    : asset_dir_(std::move(asset_dir)), data_dir_(std::move(data_dir)), preview_dir_(std::move(preview_dir)) {
  std::error_code ec;
  if (!asset_dir_.empty())
    for (const char* sub : {"bitmap", "wave", "icon"}) std::filesystem::create_directories(asset_dir_ + "/" + sub, ec);
  if (!data_dir_.empty()) std::filesystem::create_directories(data_dir_, ec);
  if (!preview_dir_.empty()) std::filesystem::create_directories(preview_dir_, ec);
}

void Output::Resource(const char* kind, const char* folder, int id, const char* ext,
                      const std::vector<uint8_t>& bytes) {
  if (asset_dir_.empty()) return;
  const std::string rel = std::string(folder) + "/" + std::to_string(id) + ext;
  if (!WriteFile(asset_dir_ + "/" + rel, bytes)) {
    std::fprintf(stderr, "assetgen: cannot write %s\n", rel.c_str());
    ok_ = false;
    return;
  }
  manifest_ += std::string(kind) + " " + std::to_string(id) + " " + rel + "\n";
}

bool Output::Finish() {
  if (asset_dir_.empty()) return ok_;
  if (!WriteFile(asset_dir_ + "/manifest.txt", std::vector<uint8_t>(manifest_.begin(), manifest_.end()))) {
    std::fprintf(stderr, "assetgen: cannot write the manifest\n");
    ok_ = false;
  }
  return ok_;
}

namespace {

// Every pixel is transparent or a colour of the shared palette; the first stray one is reported.
bool UsesPalette(const Image& image, const std::string& name) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.Get(x, y);
      if (p == pal::Transparent) continue;
      bool found = false;
      for (uint32_t c : pal::kAll) found = found || c == p;
      if (!found) {
        std::fprintf(stderr, "assetgen: %s has the colour %06X outside the palette at (%d, %d)\n", name.c_str(),
                     static_cast<unsigned>(p), x, y);
        return false;
      }
    }
  return true;
}

}  // namespace

void Output::Preview(const std::string& name, const Image& image, bool sheet) {
  if (preview_dir_.empty()) return;
  bool ok = WriteFile(preview_dir_ + "/" + name + ".png", EncodePng(sheet ? ContactSheet(image) : PlainPreview(image, 4)));
  if (sheet) ok = WriteFile(preview_dir_ + "/" + name + "_1x.png", EncodePng(PlainPreview(image, 1))) && ok;
  if (!ok) {
    std::fprintf(stderr, "assetgen: cannot write the preview of %s\n", name.c_str());
    ok_ = false;
  }
}

void Output::Bitmap(int id, const Image& image) {
  const std::string name = "bitmap_" + std::to_string(id);
  if (image.width != 640 || image.height != 480 || !UsesPalette(image, name)) {
    std::fprintf(stderr, "assetgen: bitmap %d is not a 640 x 480 picture of the palette\n", id);
    ok_ = false;
    return;
  }
  Resource("Bitmap", "bitmap", id, ".bmp", EncodeBmp(image));
  Preview(name, image, true);
}

void Output::Icon(int id, const Image& image) {
  Resource("Icon", "icon", id, ".bmp", EncodeBmp(image));
  Preview("icon_" + std::to_string(id), image, false);
}
void Output::Wave(int id, const std::vector<uint8_t>& bytes) { Resource("Wave", "wave", id, ".wav", bytes); }

void Output::DataFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (data_dir_.empty()) return;
  if (!WriteFile(data_dir_ + "/" + name, bytes)) {
    std::fprintf(stderr, "assetgen: cannot write Data/%s\n", name.c_str());
    ok_ = false;
  }
}
