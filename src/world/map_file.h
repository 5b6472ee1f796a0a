// The map file: the whole five-layer tile store as it lies in memory, 600,000 little-endian
// 32-bit values, followed by a CRC-32 of the first 600,000 bytes of that data.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kMapFileSize = 2400004;
constexpr size_t kMapCheckedBytes = 600000;  // the check value covers layer 0 and 75 rows of layer 1

// 0 written; -1 the file cannot be opened for writing; -2 fewer than 600,000 tile values were
// written; 2 the check value cannot be written. The old file is replaced only when the new one
// was written whole.
int SaveMapFile(const char* path);
// 0 read and the check value matches; -1 the file cannot be opened or is not a regular file (the
// store is untouched); -2 the check value does not match, or the file is too short to hold it
// (the store has been overwritten with what the file holds). Every tile 2400 is read as 0.
int LoadMapFile(const char* path);
// LoadMapFile into `store`, kTileCount values, in place of the tile store.
int ReadMapFile(const char* path, uint32_t* store);
// The standard CRC-32 (reflected polynomial 0xEDB88320) of `count` bytes.
uint32_t Crc32(size_t count, const void* data);
