// Writing a picture of 0x00RRGGBB pixels as a PNG file, for people to look at what a test saw:
// the encoder the tools share.
#pragma once

#include "png_encode.h"
