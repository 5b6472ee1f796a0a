// Synthetic maps and sheets for tests: tile layers filled by rule or at random, sprite sheets
// whose every pixel tells which cell it came from, and the picture a layer's view must show,
// worked out pixel by pixel from the tiles without the ring surfaces.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Paints the four sprite sheets: each opaque pixel of cell v (0..4799) is a colour unique to
// (v, x, y); a diagonal pattern of pixels in every cell is black, the transparent colour.
void PaintTestSheets();
// The pixel (x, y) of cell v (0..4799) as PaintTestSheets paints it; 0 is transparent.
uint32_t TestSheetPixel(uint32_t cell, int x, int y);

// Fills a whole layer with tiles drawn at random: empty tiles, multiples of 1200, values past
// the last sheet, and ordinary cells of all four sheets.
void FillLayerRandom(int layer, std::mt19937& rng);
// Sets the tile at column col, row row of a layer.
void PutTile(int col, int row, int layer, uint32_t value);

// The 640 x 480 picture of a layer's view whose top-left is world pixel (ox, oy), laid over
// `under` (640 x 480), as the tiles and the test sheets say it must look.
std::vector<uint32_t> ExpectedView(int layer, int ox, int oy, const std::vector<uint32_t>& under);
// The back buffer's pixels.
std::vector<uint32_t> BackBufferPixels();
// The number of pixels where two pictures differ.
int CountDifferences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b);
