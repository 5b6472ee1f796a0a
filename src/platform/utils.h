// Small routines many parts of the game share: pseudo-random numbers, an integer distance, bit
// routines for one-bit masks, full-width text, and the reload of the scene's sprite sheets.
#pragma once

#include <cstddef>
#include <cstdint>

// Seeds the generator with the wall clock's seconds.
void Randomize();
// Seeds the generator with `seed`.
void SeedRandom(uint32_t seed);
// 0..n - 1; 0 without drawing a number when n is below 1.
int Random(int n);

// The length of (x1 - x0, y1 - y0), truncated towards zero.
int32_t Distance(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// The number of set bits.
int CountBits(uint32_t value);
// The k in 0..n - 1 for which value is exactly 1 << k; 0 when there is none.
int BitIndex(uint32_t value, int n);

// Widens every character from space to '}' into its two-byte full-width form, in place. The
// text is cut where the next character would not fit into `capacity` bytes with its NUL.
void ToFullWidth(char* text, size_t capacity);

// Loads the current scene's bitmaps into the sprite sheets again (after a display switch).
void ReloadSheetBitmaps();

uint32_t MakeRgb(int r, int g, int b);
