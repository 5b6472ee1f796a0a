// PNG files (8-bit RGB) of 0x00RRGGBB pictures, for people to look at: the asset generator's
// contact sheets, the map previews and the pictures tests save.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height);
// Writes the PNG of the picture to `path`; false when the file cannot be written whole.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);
