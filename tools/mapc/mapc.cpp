// mapc: compiles a map source (assets/maps/NAME.txt) into the game's map file (Data/NAME.MDT),
// written by the game's own SaveMapFile with its check value.
//
//   mapc SOURCE OUTPUT
//   mapc --preview OUT [--scale N] [--crop X Y W H] [--at X Y]... [SOURCE...]
//
// Exit status 0 when the map was written; 1 with "SOURCE:LINE: message" on standard error when the
// source is malformed or the file cannot be written; 2 for a wrong command line.
//
// --preview draws each map source (every one of assets/maps when none is named) as PNG pictures
// in the folder OUT, for a person to look at (see preview.h): the whole map 1/N of its size (N 1,
// 2 or 4; 2 when not given), a screen as the game shows it at each place where it puts the
// heroine, and with --crop the part X, Y, W x H of the world (pixels) at full size. --at adds a
// place of her own (PosX, PosY) to look from.
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
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "map_source.h"
#include "preview.h"
#include "world/map_file.h"
#include "world/map_layers.h"

namespace {

int Compile(const char* source, const char* output) {
  if (const std::string error = CompileMapSourceFile(source); !error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
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

bool Whole(const char* word, int low, int high, int& out) {
  char* end = nullptr;
  const long v = std::strtol(word, &end, 10);
  if (end == word || *end != '\0' || v < low || v > high) return false;
  out = static_cast<int>(v);
  return true;
}

// The preview's command line after "--preview"; false when it is malformed.
bool ReadPreviewOptions(int argc, char** argv, PreviewOptions& o) {
  constexpr int kWorldWidth = 6400, kWorldHeight = 4800;
  if (argc < 3) return false;
  o.out_dir = argv[2];
  for (int i = 3; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--scale") {
      if (i + 1 >= argc || !Whole(argv[++i], 1, 4, o.scale) || o.scale == 3) return false;
    } else if (word == "--crop") {
      if (i + 4 >= argc || !Whole(argv[i + 1], 0, kWorldWidth - 1, o.crop_left) ||
          !Whole(argv[i + 2], 0, kWorldHeight - 1, o.crop_top) ||
          !Whole(argv[i + 3], 1, kWorldWidth - o.crop_left, o.crop_width) ||
          !Whole(argv[i + 4], 1, kWorldHeight - o.crop_top, o.crop_height))
        return false;
      o.crop = true;
      i += 4;
    } else if (word == "--at") {
      int x = 0, y = 0;
      if (i + 2 >= argc || !Whole(argv[i + 1], 0, kWorldWidth - 1, x) || !Whole(argv[i + 2], 0, kWorldHeight - 1, y))
        return false;
      o.extra_places.emplace_back(x, y);
      i += 2;
    } else if (word.rfind("--", 0) == 0) {
      return false;
    } else {
      o.sources.push_back(word);
    }
  }
  if (o.sources.empty()) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(TOVIA_MAP_SOURCE_DIR, ec))
      if (entry.path().extension() == ".txt") o.sources.push_back(entry.path().string());
    std::sort(o.sources.begin(), o.sources.end());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage =
      "usage: mapc SOURCE OUTPUT\n"
      "       mapc --preview OUT [--scale 1|2|4] [--crop X Y W H] [--at X Y]... [SOURCE...]\n";
  if (argc >= 2 && std::strcmp(argv[1], "--preview") == 0) {
    PreviewOptions options;
    if (!ReadPreviewOptions(argc, argv, options)) {
      std::fprintf(stderr, "%s", usage);
      return 2;
    }
    InitBgLayers();
    const int result = WriteMapPreviews(options);
    FreeBgLayers();
    return result;
  }
  if (argc != 3) {
    std::fprintf(stderr, "%s", usage);
    return 2;
  }
  InitBgLayers();
  const int result = Compile(argv[1], argv[2]);
  FreeBgLayers();
  return result;
}
