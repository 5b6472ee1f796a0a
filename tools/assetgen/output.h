// Where the asset generator's files go: resources (bitmaps, WAVE sounds, icons) into the asset
// folder with a manifest that the build embeds, and game data files (maps, music) into Data/.
// With a preview folder, every picture is also written there as a PNG contact sheet. An empty
// folder name leaves that kind of output out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

class Output {
 public:
  Output(std::string asset_dir, std::string data_dir, std::string preview_dir = "");

  void Bitmap(int id, const Image& image);
  void Icon(int id, const Image& image);
  void Wave(int id, const std::vector<uint8_t>& bytes);
  void DataFile(const std::string& name, const std::vector<uint8_t>& bytes);

  // Writes the manifest of every resource; false when any file could not be written.
  bool Finish();

 private:
  void Resource(const char* kind, const char* folder, int id, const char* ext, const std::vector<uint8_t>& bytes);
  void Preview(const std::string& name, const Image& image, bool sheet);
  std::string asset_dir_, data_dir_, preview_dir_;
  std::string manifest_;
  bool ok_ = true;
};

// A device-independent bitmap file of the image: 8 bits with a palette when it has at most 256
// colours, else 24 bits.
std::vector<uint8_t> EncodeBmp(const Image& image);
// Little-endian numbers appended to a file being built.
void Le16(std::vector<uint8_t>& b, uint32_t v);
void Le32(std::vector<uint8_t>& b, uint32_t v);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
