#include "world/map_file.h"

#include <array>
#include <bit>
#include <cstdio>

#include "platform/files.h"
#include "world/map_layers.h"

// The file holds the store's bytes as they lie in memory, and the format is little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr size_t kTileBytes = kTileCount * sizeof(uint32_t);
// The editor stores 2400 for its empty pen (a cell that draws nothing); reading makes it 0.
constexpr uint32_t kEmptyPenTile = 2400;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

// The tiles and then their check value: 0, or -2 / 2 as SaveMapFile gives them.
int WriteMapData(FILE* file) {
  if (std::fwrite(BgLayers.TileBuffer, sizeof(uint32_t), kTileCount, file) != static_cast<size_t>(kTileCount)) return -2;
  const uint32_t check = Crc32(kMapCheckedBytes, BgLayers.TileBuffer);
  if (std::fwrite(&check, sizeof check, 1, file) != 1) return 2;
  return 0;
}

}  // namespace

int SaveMapFile(const char* path) {
  if (path == nullptr || BgLayers.TileBuffer == nullptr) return -1;  // no store: nothing to write
  // Written beside the old map and renamed over it only when whole, so a failed save never
  // destroys the map that was there.
  FileReplacement file = BeginFileReplacement(path);
  if (file.file == nullptr) return -1;
  const int result = WriteMapData(file.file);
  const int finished = FinishFileReplacement(file, result == 0);
  if (result != 0) return result;
  if (finished == -1) return 2;  // the last bytes may not have reached the disk
  return finished == 0 ? 0 : -1;
}

int LoadMapFile(const char* path) {
  if (BgLayers.TileBuffer == nullptr) return -1;  // no store to read into: as if unreadable
  return ReadMapFile(path, BgLayers.TileBuffer);
}

int ReadMapFile(const char* path, uint32_t* store) {
  FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return -1;
  const size_t read = std::fread(store, 1, kTileBytes, file);
  // A file too short to hold its check value fails the check.
  uint32_t stored = 0;
  const bool has_check = read == kTileBytes && std::fread(&stored, 1, sizeof stored, file) == sizeof stored;
  const uint32_t computed = Crc32(kMapCheckedBytes, store);
  std::fclose(file);
  for (int i = 0; i < kTileCount; ++i) {
    if (store[i] == kEmptyPenTile) store[i] = 0;
  }
  return has_check && computed == stored ? 0 : -2;
}

uint32_t Crc32(size_t count, const void* data) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < count; ++i) c = kCrcTable[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}
