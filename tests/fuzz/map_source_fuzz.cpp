// Map sources: the input is the text of a map source as the map compiler reads it, compiled into
// the tile store.
#include <string>

#include "fuzz/fuzz_targets.h"
#include "mapc/map_source.h"
#include "world/map_layers.h"

int FuzzMapSource(const uint8_t* data, size_t size) {
  if (BgLayers.TileBuffer == nullptr) InitBgLayers();
  CompileMapSource(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
