#include "map_source.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <cstdint>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

#include "terrain.h"
#include "world/map_layers.h"

namespace {

constexpr uint32_t kCellsPerSheet = 1200;
constexpr uint32_t kLastCell = 4 * kCellsPerSheet - 1;
constexpr uint32_t kEmptyPenTile = 2400;  // the loader reads it back as 0
constexpr uint32_t kFirstGroup = 2, kLastGroup = 127, kFirstEvent = 128, kLastEvent = 1199;
constexpr uint32_t kLastTerrainOffset = 84;
constexpr int kSharedLegend = kLayerCount;  // entries given before the first `layer`

// What a legend character writes into a cell.
struct Fill {
  enum class Kind { Undefined, Keep, Value, Repeat, Terrain };
  Kind kind = Kind::Undefined;
  std::vector<uint32_t> values;  // one value, or width x height of a repeat, row by row
  int width = 1, height = 1;
};

// A picture of several tiles, placed whole by 'put'.
struct Picture {
  std::vector<uint32_t> values;  // width x height, row by row; kKeepTile leaves the cell
  int width = 0, height = 0;
};
constexpr uint32_t kKeepTile = UINT32_MAX;

struct Source {
  std::array<std::array<Fill, 128>, kLayerCount + 1> legend{};
  std::map<std::string, Picture, std::less<>> pictures;
  // The first cell of the terrain set each cell was painted with, 0 for none; [layer][row][col].
  std::vector<uint32_t> terrain = std::vector<uint32_t>(kTileCount, 0);
  int layer = -1;
  int col = 0, row = 0;
  bool placed = false;  // an `at` has given where the next row goes
  int line = 0;
  std::string error;
};

uint32_t& Tile(int layer, int col, int row) {
  return BgLayers.TileBuffer[layer * kTilesPerLayer + row * kTilesPerRow + col];
}

bool Fail(Source& s, const std::string& message) {
  if (s.error.empty()) s.error = std::to_string(s.line) + ": " + message;
  return false;
}

// ---- words and numbers --------------------------------------------------------------------------

std::string_view Trim(std::string_view v) {
  const size_t b = v.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  return v.substr(b, v.find_last_not_of(" \t\r") - b + 1);
}

std::string_view StripComment(std::string_view v) { return Trim(v.substr(0, v.find('#'))); }

std::vector<std::string_view> Words(std::string_view v) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (true) {
    at = v.find_first_not_of(" \t\r", at);
    if (at == std::string_view::npos) return words;
    const size_t end = std::min(v.find_first_of(" \t\r", at), v.size());
    words.push_back(v.substr(at, end - at));
    at = end;
  }
}

bool Number(std::string_view word, int64_t& out) {
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, out);
  return ec == std::errc() && ptr == end;
}

bool NumberIn(Source& s, std::string_view word, int64_t low, int64_t high, const char* what, int64_t& out) {
  if (!Number(word, out)) return Fail(s, std::string(what) + ": '" + std::string(word) + "' is not a number");
  if (out < low || out > high)
    return Fail(s, std::string(what) + " " + std::to_string(out) + " is outside " + std::to_string(low) + ".." +
                       std::to_string(high));
  return true;
}

// A legend key or fill character: one printable ASCII character.
bool KeyChar(Source& s, std::string_view word, char& key) {
  if (word.size() != 1 || word[0] <= ' ' || word[0] > '~') return Fail(s, "a legend character is one printable ASCII character");
  key = word[0];
  return true;
}

// ---- values -------------------------------------------------------------------------------------

// Whether a value may stand in the layer: the drawn layers hold cells of the four sheets, the event
// layer actor groups and event numbers.
bool CheckValue(Source& s, int layer, uint32_t v) {
  if (v == kEmptyPenTile) return Fail(s, "tile 2400 reads back as 0: leave the cell empty instead");
  if (layer == kEventLayer) {
    if (v == 0 || (v >= kFirstGroup && v <= kLastEvent)) return true;
    return Fail(s, "layer 4 holds actor groups 2..127 and event numbers 128..1199, not " + std::to_string(v));
  }
  if (v > kLastCell) return Fail(s, "tile " + std::to_string(v) + " is past the last cell of sheet 3 (4799)");
  return true;
}

bool CheckFill(Source& s, int layer, const Fill& fill) {
  if (fill.kind == Fill::Kind::Terrain) {
    if (layer == kEventLayer) return Fail(s, "a terrain cannot stand on layer 4");
    return true;  // its pieces were checked when the legend was read
  }
  for (uint32_t v : fill.values)
    if (!CheckValue(s, layer, v)) return false;
  return true;
}

// Rows of tile values separated by '/', every row as long as the first; where `keep` is allowed,
// '.' stands for a cell left as it is.
bool ParseGrid(Source& s, const std::vector<std::string_view>& words, bool keep, std::vector<uint32_t>& values,
               int& width, int& height) {
  width = 0;
  height = 1;
  int in_row = 0;
  for (std::string_view w : words) {
    if (w == "/") {
      if (width != 0 && in_row != width) return Fail(s, "every row of tiles needs the same number of tiles");
      width = in_row;
      in_row = 0;
      ++height;
      continue;
    }
    int64_t v = 0;
    if (keep && w == ".") {
      v = kKeepTile;
    } else if (!NumberIn(s, w, 0, UINT32_MAX - 1, "tile", v)) {
      return false;
    }
    values.push_back(static_cast<uint32_t>(v));
    ++in_row;
  }
  if (width == 0) width = in_row;
  if (in_row != width || width == 0) return Fail(s, "every row of tiles needs the same number of tiles");
  return true;
}

// The legend's value text: "keep", "terrain FIRST", one value, or a repeat "A B / C D".
bool ParseFill(Source& s, std::string_view text, Fill& fill) {
  const std::vector<std::string_view> words = Words(text);
  if (words.empty()) return Fail(s, "the legend entry has no value");
  if (words[0] == "keep") {
    if (words.size() != 1) return Fail(s, "'keep' takes nothing after it");
    fill.kind = Fill::Kind::Keep;
    return true;
  }
  if (words[0] == "terrain") {
    int64_t first = 0;
    if (words.size() != 2) return Fail(s, "write 'terrain FIRST': the set's first tile");
    if (!NumberIn(s, words[1], 1, kLastCell, "terrain", first)) return false;
    if (first % kCellsPerSheet + kLastTerrainOffset >= kCellsPerSheet)
      return Fail(s, "the terrain set from " + std::to_string(first) + " runs past the end of its sheet");
    fill.kind = Fill::Kind::Terrain;
    fill.values = {static_cast<uint32_t>(first)};
    return true;
  }
  if (!ParseGrid(s, words, false, fill.values, fill.width, fill.height)) return false;
  fill.kind = fill.values.size() == 1 ? Fill::Kind::Value : Fill::Kind::Repeat;
  return true;
}

const Fill* LegendOf(Source& s, char c) {
  const Fill& own = s.legend[s.layer][static_cast<unsigned char>(c)];
  if (own.kind != Fill::Kind::Undefined) return &own;
  const Fill& shared = s.legend[kSharedLegend][static_cast<unsigned char>(c)];
  if (shared.kind != Fill::Kind::Undefined) return &shared;
  static const Fill kKeep{Fill::Kind::Keep, {}, 1, 1};
  if (c == '.' || c == ' ') return &kKeep;  // unless the legend says otherwise, these leave the cell
  return nullptr;
}

void Put(Source& s, int layer, int col, int row, const Fill& fill) {
  uint32_t& terrain = s.terrain[layer * kTilesPerLayer + row * kTilesPerRow + col];
  switch (fill.kind) {
    case Fill::Kind::Undefined:
    case Fill::Kind::Keep: return;
    case Fill::Kind::Terrain:
      terrain = fill.values[0];
      Tile(layer, col, row) = fill.values[0];  // the piece is chosen when the whole layer is known
      return;
    case Fill::Kind::Value:
    case Fill::Kind::Repeat:
      terrain = 0;
      Tile(layer, col, row) = fill.values[(row % fill.height) * fill.width + col % fill.width];
      return;
  }
}

// ---- statements ---------------------------------------------------------------------------------

bool NeedLayer(Source& s, const char* what) {
  if (s.layer < 0) return Fail(s, std::string(what) + " before any 'layer'");
  return true;
}

bool Layer(Source& s, const std::vector<std::string_view>& w) {
  int64_t n = 0;
  if (w.size() != 2) return Fail(s, "write 'layer N' with N 0..4");
  if (!NumberIn(s, w[1], 0, kLayerCount - 1, "layer", n)) return false;
  s.layer = static_cast<int>(n);
  s.placed = false;
  return true;
}

// legend C = VALUE [# what it is]
bool Legend(Source& s, std::string_view rest) {
  rest = Trim(rest);
  char key = 0;
  if (rest.empty() || !KeyChar(s, rest.substr(0, 1), key)) return Fail(s, "write 'legend C = VALUE'");
  rest = Trim(rest.substr(1));
  if (rest.empty() || rest[0] != '=') return Fail(s, "write 'legend C = VALUE'");
  Fill fill;
  if (!ParseFill(s, StripComment(rest.substr(1)), fill)) return false;
  const int scope = s.layer < 0 ? kSharedLegend : s.layer;
  if (scope != kSharedLegend && !CheckFill(s, scope, fill)) return false;
  s.legend[scope][static_cast<unsigned char>(key)] = fill;
  return true;
}

bool At(Source& s, const std::vector<std::string_view>& w) {
  int64_t col = 0, row = 0;
  if (!NeedLayer(s, "'at'")) return false;
  if (w.size() != 3) return Fail(s, "write 'at COLUMN ROW' in tiles");
  if (!NumberIn(s, w[1], 0, kTilesPerRow - 1, "column", col) || !NumberIn(s, w[2], 0, kTileRows - 1, "row", row)) return false;
  s.col = static_cast<int>(col);
  s.row = static_cast<int>(row);
  s.placed = true;
  return true;
}

bool Row(Source& s, std::string_view text) {
  if (!NeedLayer(s, "a row")) return false;
  if (!s.placed) return Fail(s, "a row before any 'at' in this layer");
  while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (s.row >= kTileRows) return Fail(s, "the rows run past the last row (299)");
  if (s.col + static_cast<int>(text.size()) > kTilesPerRow) return Fail(s, "the row runs past the last column (399)");
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c < ' ' || c > '~') return Fail(s, "rows hold printable ASCII characters only");
    const Fill* fill = LegendOf(s, c);
    if (fill == nullptr) return Fail(s, std::string("'") + c + "' is not in the legend of layer " + std::to_string(s.layer));
    if (!CheckFill(s, s.layer, *fill)) return false;
    Put(s, s.layer, s.col + static_cast<int>(i), s.row, *fill);
  }
  ++s.row;
  return true;
}

bool Rectangle(Source& s, std::string_view cw, std::string_view rw, std::string_view ww, std::string_view hw, int rect[4]) {
  int64_t col = 0, row = 0, width = 0, height = 0;
  if (!NumberIn(s, cw, 0, kTilesPerRow - 1, "column", col) || !NumberIn(s, rw, 0, kTileRows - 1, "row", row) ||
      !NumberIn(s, ww, 1, kTilesPerRow - col, "width", width) || !NumberIn(s, hw, 1, kTileRows - row, "height", height))
    return false;
  rect[0] = static_cast<int>(col);
  rect[1] = static_cast<int>(row);
  rect[2] = static_cast<int>(width);
  rect[3] = static_cast<int>(height);
  return true;
}

// fill C COLUMN ROW WIDTH HEIGHT
bool FillRect(Source& s, std::string_view rest) {
  if (!NeedLayer(s, "'fill'")) return false;
  rest = Trim(rest);
  char key = 0;
  if (rest.empty() || !KeyChar(s, rest.substr(0, 1), key)) return Fail(s, "write 'fill C COLUMN ROW WIDTH HEIGHT'");
  const std::vector<std::string_view> w = Words(StripComment(rest.substr(1)));
  int rect[4];
  if (w.size() != 4) return Fail(s, "write 'fill C COLUMN ROW WIDTH HEIGHT'");
  if (!Rectangle(s, w[0], w[1], w[2], w[3], rect)) return false;
  const Fill* fill = LegendOf(s, key);
  if (fill == nullptr) return Fail(s, std::string("'") + key + "' is not in the legend of layer " + std::to_string(s.layer));
  if (!CheckFill(s, s.layer, *fill)) return false;
  for (int r = rect[1]; r < rect[1] + rect[3]; ++r)
    for (int c = rect[0]; c < rect[0] + rect[2]; ++c) Put(s, s.layer, c, r, *fill);
  return true;
}

// place group N at COLUMN ROW | place event N at COLUMN ROW [size WIDTH HEIGHT]
bool Place(Source& s, const std::vector<std::string_view>& w) {
  const char* usage = "write 'place group N at COLUMN ROW' or 'place event N at COLUMN ROW [size WIDTH HEIGHT]'";
  if ((w.size() != 6 && w.size() != 9) || w[3] != "at" || (w[1] != "group" && w[1] != "event")) return Fail(s, usage);
  const bool group = w[1] == "group";
  if (group && w.size() != 6) return Fail(s, "an actor group takes one tile: " + std::string(usage));
  if (w.size() == 9 && w[6] != "size") return Fail(s, usage);
  int64_t v = 0;
  if (!NumberIn(s, w[2], group ? kFirstGroup : kFirstEvent, group ? kLastGroup : kLastEvent, group ? "group" : "event", v))
    return false;
  int rect[4];
  if (!Rectangle(s, w[4], w[5], w.size() == 9 ? w[7] : "1", w.size() == 9 ? w[8] : "1", rect)) return false;
  for (int r = rect[1]; r < rect[1] + rect[3]; ++r)
    for (int c = rect[0]; c < rect[0] + rect[2]; ++c) Tile(kEventLayer, c, r) = static_cast<uint32_t>(v);
  return true;
}

// picture NAME = A B / C D
bool DefinePicture(Source& s, std::string_view text) {
  const size_t eq = text.find('=');
  const std::vector<std::string_view> name = Words(text.substr(0, eq));
  if (eq == std::string_view::npos || name.size() != 2) return Fail(s, "write 'picture NAME = TILES / TILES ...'");
  Picture picture;
  if (!ParseGrid(s, Words(StripComment(text.substr(eq + 1))), true, picture.values, picture.width, picture.height))
    return false;
  s.pictures[std::string(name[1])] = picture;
  return true;
}

// put NAME at COLUMN ROW
bool PutPicture(Source& s, const std::vector<std::string_view>& w) {
  if (!NeedLayer(s, "'put'")) return false;
  if (w.size() != 5 || w[2] != "at") return Fail(s, "write 'put NAME at COLUMN ROW'");
  const auto found = s.pictures.find(w[1]);
  if (found == s.pictures.end()) return Fail(s, "no picture is named '" + std::string(w[1]) + "'");
  const Picture& p = found->second;
  int64_t col = 0, row = 0;
  if (!NumberIn(s, w[3], 0, kTilesPerRow - 1, "column", col) || !NumberIn(s, w[4], 0, kTileRows - 1, "row", row)) return false;
  if (col + p.width > kTilesPerRow || row + p.height > kTileRows) return Fail(s, "the picture runs past the world's edge");
  for (int r = 0; r < p.height; ++r)
    for (int c = 0; c < p.width; ++c) {
      const uint32_t v = p.values[r * p.width + c];
      if (v == kKeepTile) continue;
      if (!CheckValue(s, s.layer, v)) return false;
      Put(s, s.layer, static_cast<int>(col) + c, static_cast<int>(row) + r, Fill{Fill::Kind::Value, {v}, 1, 1});
    }
  return true;
}

bool Statement(Source& s, std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text[0] == '#') return true;
  if (text[0] == '|') return Row(s, line.substr(line.find('|') + 1));
  const std::vector<std::string_view> first = Words(text.substr(0, text.find_first_of(" \t")));
  if (first[0] == "legend") return Legend(s, text.substr(6));
  if (first[0] == "fill") return FillRect(s, text.substr(4));
  const std::vector<std::string_view> w = Words(StripComment(text));
  if (w[0] == "layer") return Layer(s, w);
  if (w[0] == "at") return At(s, w);
  if (w[0] == "place") return Place(s, w);
  if (w[0] == "picture") return DefinePicture(s, text);
  if (w[0] == "put") return PutPicture(s, w);
  return Fail(s, "unknown statement '" + std::string(w[0]) + "'");
}

// ---- terrain ------------------------------------------------------------------------------------

// Every cell painted with a terrain gets the piece that its neighbours call for; the world wraps,
// so the neighbours of an edge cell lie at the opposite edge.
void ShapeTerrain(const Source& s) {
  for (int layer = 0; layer < kEventLayer; ++layer) {
    const uint32_t* t = s.terrain.data() + layer * kTilesPerLayer;
    auto same = [&](int col, int row, uint32_t set) {
      col = (col + kTilesPerRow) % kTilesPerRow;
      row = (row + kTileRows) % kTileRows;
      return t[row * kTilesPerRow + col] == set;
    };
    for (int row = 0; row < kTileRows; ++row)
      for (int col = 0; col < kTilesPerRow; ++col) {
        const uint32_t set = t[row * kTilesPerRow + col];
        if (set == 0) continue;
        const Neighbours n{same(col, row - 1, set),     same(col, row + 1, set),     same(col - 1, row, set),
                           same(col + 1, row, set),     same(col - 1, row - 1, set), same(col + 1, row - 1, set),
                           same(col - 1, row + 1, set), same(col + 1, row + 1, set)};
        const uint32_t seed = static_cast<uint32_t>(col) * 73856093u ^ static_cast<uint32_t>(row) * 19349663u;
        Tile(layer, col, row) = TerrainPiece(set, n, seed >> 4);
      }
  }
}

}  // namespace

std::string CompileMapSource(const std::string& text) {
  std::fill(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount, 0u);
  Source s;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    ++s.line;
    if (!Statement(s, std::string_view(text).substr(at, end - at))) return s.error;
    at = end + 1;
  }
  ShapeTerrain(s);
  return "";
}

std::string CompileMapSourceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return path + ": cannot read the map source";
  std::ostringstream all;
  all << in.rdbuf();
  const std::string error = CompileMapSource(all.str());
  return error.empty() ? "" : path + ":" + error;
}
