// PNG files (8-bit RGB) of 0x00RRGGBB pictures, for people to look at: the asset generator's
// contact sheets and the pictures tests save.
#pragma once

#include <cstdint>
#include <vector>

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height);
