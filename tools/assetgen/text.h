// Lettering for pictures (signs, the weight's "16t" mark): text rendered with the same IPA
// Gothic font as the game's text, one bit a pixel, in one colour on a transparent ground.
#pragma once

#include <cstdint>

#include "image.h"

// The text at the given pixel height; an empty picture when the font cannot be read.
Image RenderText(const char32_t* text, int height, uint32_t colour);
