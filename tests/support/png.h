// Writing a picture of 0x00RRGGBB pixels as a PNG file, for people to look at what a test saw.
#pragma once

#include <cstdint>
#include <string>

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);
