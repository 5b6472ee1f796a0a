// The bitmaps of the game: sprite sheets (40 x 30 cells of 16 x 16, pure black transparent)
// and far background pictures, each 640 x 480, under their resource numbers.
#pragma once
#include "output.h"

void DrawSheets(Output& out);
