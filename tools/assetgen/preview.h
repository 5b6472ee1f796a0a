// The contact sheets: every picture the generator makes written as a PNG for a person to look
// at, sheets enlarged with a cell grid and every cell's number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// A PNG file (8-bit RGB) of the picture.
std::vector<uint8_t> EncodePng(const Image& image);

// The picture enlarged twice, each cell framed and numbered above it; transparent pixels show as
// a dark checker so that near-black stays visible.
Image ContactSheet(const Image& sheet);
// The picture at its own size, transparent pixels as the checker.
Image PlainPreview(const Image& picture, int scale);
