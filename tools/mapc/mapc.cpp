// mapc: compiles a map source (assets/maps/NAME.txt) into the game's map file (Data/NAME.MDT),
// written by the game's own SaveMapFile with its check value.
//
//   mapc SOURCE OUTPUT
//
// Exit status 0 when the map was written; 1 with "SOURCE:LINE: message" on standard error when the
// source is malformed or the file cannot be written; 2 for a wrong command line.
//
// The source format
// -----------------
// A map is five layers of 400 x 300 tiles (16 x 16 pixels each; the world is 6400 x 4800 pixels
// and wraps at its edges): 0 the far background (half the camera's horizontal speed), 1 behind the
// actors, 2 collision (any non-zero tile is solid; drawn too), 3 foreground, 4 actor groups and
// event numbers (never drawn). A source paints the parts of the layers that the map uses; every
// other tile is 0 (empty). A tile value v draws cell v % 1200 of the scene's sheet v / 1200; a
// multiple of 1200 draws nothing (1200 and 3600 on layer 2 are invisible solids), and 2400 is
// refused because the game reads it back as 0.
//
// One statement per line; '#' starts a comment, except inside rows and as a legend character.
//
//   layer N                  the layer that the following legend, at, rows and fill lines paint
//   legend C = VALUE         what character C paints on this layer (before the first 'layer':
//                            on every layer that does not define C itself). VALUE is one of:
//                              1205              one tile value
//                              2520 2521 / 2560 2561
//                                                a repeat: rows of tiles separated by '/', laid
//                                                on the world's grid (the tile of column c, row r
//                                                is the one at c % width, r % height), so that
//                                                neighbouring blocks join
//                              terrain 2409      a terrain set whose 3 x 3 patch starts at that
//                                                tile (the layout of tools/assetgen/sheets/
//                                                tiles.h): each cell gets the edge, corner,
//                                                ledge or inside piece that its neighbours of the
//                                                same terrain call for, once the layer is whole
//                              keep              leaves the cell as it is
//                            '.' and ' ' keep the cell unless the legend gives them a value.
//   at COLUMN ROW            the tile where the next row begins (tiles: x = 16 * COLUMN)
//   | ....####..             a row: one character per tile from the 'at' column; each row line
//                            goes one row down
//   fill C COL ROW W H       paints a W x H rectangle of tiles with character C
//   picture NAME = 2532 2533 / 2572 2573 / . 2613
//                            names a picture of several tiles (rows separated by '/'; '.' leaves
//                            the cell under it); pictures are known on every layer
//   put NAME at COL ROW      paints the picture with its top-left tile there
//   place group N at COL ROW           an actor group (2..127) on layer 4, spawned at the tile
//   place event N at COL ROW [size W H] an event number (128..1199) on layer 4, on one tile or
//                                      a W x H block
//
// Later lines paint over earlier ones. Errors name the line: an unknown character or statement,
// a coordinate outside the world, a row past its edge, a value that no sheet holds or that the
// layer cannot take.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "map_source.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

bool ReadWhole(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  text = all.str();
  return true;
}

int Compile(const char* source, const char* output) {
  std::string text;
  if (!ReadWhole(source, text)) {
    std::fprintf(stderr, "%s: cannot read the map source\n", source);
    return 1;
  }
  const std::string error = CompileMapSource(text);
  if (!error.empty()) {
    std::fprintf(stderr, "%s:%s\n", source, error.c_str());
    return 1;
  }
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(output).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  const int saved = SaveMapFile(output);
  if (saved != 0) {
    std::fprintf(stderr, "%s: cannot write the map file (SaveMapFile %d)\n", output, saved);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mapc SOURCE OUTPUT\n");
    return 2;
  }
  InitBgLayers();
  const int result = Compile(argv[1], argv[2]);
  FreeBgLayers();
  return result;
}
