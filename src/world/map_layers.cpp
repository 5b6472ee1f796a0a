#include "world/map_layers.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/graphics.h"
#include "platform/host.h"

BgLayerState BgLayers{};

namespace {

constexpr int W = kScreenWidth;
constexpr int H = kScreenHeight;
constexpr int kWorldWidth = 10 * W;
constexpr int kWorldHeight = 10 * H;
constexpr int kStartThreshold = 320;

bool fail_store_allocation = false;

bool ValidLayer(int layer) { return layer >= 0 && layer < kLayerCount; }
int ClampLayer(int layer) { return layer < 0 ? 0 : layer >= kLayerCount ? kLayerCount - 1 : layer; }
bool StoreReady() { return BgLayers.store_ready == 1 && BgLayers.TileBuffer != nullptr; }

// v wrapped into [0, size): a negative value counts from the far edge.
int Wrap(int64_t v, int size) {
  const int64_t r = v % size;
  return static_cast<int>(r < 0 ? r + size : r);
}
int FloorDiv(int v, int d) { return (v >= 0 ? v : v - d + 1) / d; }

Surface& Ring(int layer) { return Surfaces[kFirstRingSurface + layer]; }

// The rows of each tile layer's ring known to hold nothing but the colour key: a row becomes
// empty when a clear spans the whole ring's width and stops being so when a cell is drawn into
// it. Composing skips them, so a sparse layer costs little more than its drawn rows. Only the
// tile layers keep this: the event layer's ring holds the far picture, loaded from its bitmap.
bool ring_row_empty[kLayerCount][H] = {};

bool TracksEmptyRows(int layer) { return layer != kEventLayer && BgLayers.LayerEnabled[layer] != 0; }

void ForgetEmptyRows() {
  for (auto& rows : ring_row_empty) std::fill(std::begin(rows), std::end(rows), false);
}

// Rows [top, bottom) of the ring, clipped to it, as empty or not.
void MarkRows(int layer, int top, int bottom, bool empty) {
  std::fill(ring_row_empty[layer] + std::clamp(top, 0, H), ring_row_empty[layer] + std::clamp(bottom, 0, H), empty);
}

// Copies the ring onto the back buffer so that the ring's pixel at the offset lands on the
// screen's top-left: up to four pieces, one for each side of the ring's seams. A tile layer's
// empty rows are left out: each piece goes as the runs of its rows that may hold pixels.
void ComposeRing(int layer, int rx, int ry) {
  Surface& back = Surfaces[kBackBuffer];
  Surface& ring = Ring(layer);
  const bool* empty = TracksEmptyRows(layer) ? ring_row_empty[layer] : nullptr;
  auto piece = [&](Rect src, Rect dst) {
    if (empty == nullptr) {
      BltSrcKey(back, dst, ring, src);
      return;
    }
    for (int y = src.top; y < src.bottom;) {
      if (empty[y]) {
        ++y;
        continue;
      }
      const int run_top = y;
      while (y < src.bottom && !empty[y]) ++y;
      const int shift = dst.top - src.top;
      BltSrcKey(back, {dst.left, run_top + shift, dst.right, y + shift}, ring, {src.left, run_top, src.right, y});
    }
  };
  if (rx > 0 && ry > 0) {
    piece({0, 0, rx, ry}, {W - rx, H - ry, W, H});
    piece({rx, 0, W, ry}, {0, H - ry, W - rx, H});
    piece({0, ry, rx, H}, {W - rx, 0, W, H - ry});
    piece({rx, ry, W, H}, {0, 0, W - rx, H - ry});
  } else if (rx > 0) {
    piece({0, 0, rx, H}, {W - rx, 0, W, H});
    piece({rx, 0, W, H}, {0, 0, W - rx, H});
  } else if (ry > 0) {
    piece({0, 0, W, ry}, {0, H - ry, W, H});
    piece({0, ry, W, H}, {0, 0, W, H - ry});
  } else {
    piece({0, 0, W, H}, {0, 0, W, H});
  }
}

void DrawStrip(Rect ring, Rect world, int layer) {
  ClearLayerRectWrapped(ring.left, ring.top, ring.right, ring.bottom, layer);
  DrawTilesToRing(ring, world, layer);
}

// Draws the columns and rows that a move of (dx, dy) brought into the view, at the view's new
// origin and ring offset: the horizontal strip first, then the vertical one.
void DrawUncoveredStrips(int dx, int dy, int layer) {
  const int rx = BgLayers.LayerRing.x[layer], ry = BgLayers.LayerRing.y[layer];
  const int ox = BgLayers.LayerOrigin.x[layer], oy = BgLayers.LayerOrigin.y[layer];
  if (dx < 0) DrawStrip({rx, ry, rx - dx, ry + H}, {ox, oy, ox - dx, oy + H}, layer);
  if (dx > 0) DrawStrip({rx - dx, ry, rx, ry + H}, {ox + W - dx, oy, ox + W, oy + H}, layer);
  if (dy < 0) DrawStrip({rx, ry, rx + W, ry - dy}, {ox, oy, ox + W, oy - dy}, layer);
  if (dy > 0) DrawStrip({rx, ry - dy, rx + W, ry}, {ox, oy + H - dy, ox + W, oy + H}, layer);
}

}  // namespace

// ---- the store ---------------------------------------------------------------------------------

int InitBgLayers() {
  BgLayers.WorldSize.width = kWorldWidth;
  BgLayers.WorldSize.height = kWorldHeight;
  BgLayers.layer_count = kLayerCount;
  FreeBgLayers();
  ForgetEmptyRows();
  BgLayers.TileBuffer = fail_store_allocation ? nullptr : new (std::nothrow) uint32_t[kTileCount]();
  if (BgLayers.TileBuffer == nullptr) {
    // Every map read and scroll needs the store: running on without it cannot work.
    host::MessageBox("マップ用のメモリを確保できませんでした。", "Tovia", true);
    std::exit(EXIT_FAILURE);
  }
  for (int n = 0; n < kLayerCount; ++n) {
    BgLayers.LayerOrigin.x[n] = BgLayers.LayerOrigin.y[n] = 0;
    BgLayers.LayerRing.x[n] = BgLayers.LayerRing.y[n] = 0;
    BgLayers.LayerEnabled[n] = 1;
    BgLayers.LayerVisible[n] = 1;
  }
  BgLayers.LayerRedrawThreshold = kStartThreshold;
  BgLayers.store_ready = 1;
  return 0;
}

int FreeBgLayers() {
  if (BgLayers.TileBuffer == nullptr) return -1;
  delete[] BgLayers.TileBuffer;
  BgLayers.TileBuffer = nullptr;
  BgLayers.store_ready = 0;
  return 0;
}

void SimulateTileStoreFailure(bool fail) { fail_store_allocation = fail; }

// ---- tiles -------------------------------------------------------------------------------------

namespace {

// The store's entry for world pixel (x, y); nullptr for a layer that does not exist.
uint32_t* TileAt(int x, int y, int layer) {
  if (!ValidLayer(layer) || !StoreReady()) return nullptr;
  const int wx = Wrap(x, kWorldWidth), wy = Wrap(y, kWorldHeight);
  return BgLayers.TileBuffer + layer * kTilesPerLayer + (wy / kTileSize) * kTilesPerRow + wx / kTileSize;
}

}  // namespace

uint32_t GetTile(int x, int y, int layer) {
  // A layer outside 0..4 would read outside the store: it reads as empty.
  const uint32_t* tile = TileAt(x, y, layer);
  return tile != nullptr ? *tile : 0;
}

void SetTile(int x, int y, int layer, uint32_t value) {
  // A layer outside 0..4 would write outside the store: the write is dropped.
  if (uint32_t* tile = TileAt(x, y, layer)) *tile = value;
}

// ---- view positions ----------------------------------------------------------------------------

int MoveLayerOrigin(int dx, int dy, int layer) {
  if (!ValidLayer(layer)) return -1;
  BgLayers.LayerOrigin.x[layer] = Wrap(static_cast<int64_t>(BgLayers.LayerOrigin.x[layer]) + dx, kWorldWidth);
  BgLayers.LayerOrigin.y[layer] = Wrap(static_cast<int64_t>(BgLayers.LayerOrigin.y[layer]) + dy, kWorldHeight);
  return 0;
}

int SetLayerOrigin(int x, int y, int layer) {
  if (!ValidLayer(layer)) return -1;
  BgLayers.LayerOrigin.x[layer] = Wrap(x, kWorldWidth);
  BgLayers.LayerOrigin.y[layer] = Wrap(y, kWorldHeight);
  return 0;
}

int MoveLayer(int dx, int dy, int layer) { return MoveLayerOrigin(dx, dy, ClampLayer(layer)); }

int GetLayerOriginX(int layer) { return ValidLayer(layer) ? BgLayers.LayerOrigin.x[layer] : 0; }
int GetLayerOriginY(int layer) { return ValidLayer(layer) ? BgLayers.LayerOrigin.y[layer] : 0; }

// ---- scrolling and composing -------------------------------------------------------------------

int ScrollAndDrawLayer(int dx, int dy, int layer) {
  if (!StoreReady() || !ValidLayer(layer)) return -1;
  int& rx = BgLayers.LayerRing.x[layer];
  int& ry = BgLayers.LayerRing.y[layer];
  MoveLayerOrigin(dx, dy, layer);
  rx += dx;
  ry += dy;
  const int threshold = BgLayers.LayerRedrawThreshold;
  if (std::abs(dx) >= threshold || std::abs(dy) >= threshold) {
    rx = ry = 0;
    RedrawLayer(layer);
  } else {
    rx = Wrap(rx, W);
    ry = Wrap(ry, H);
    if (BgLayers.LayerEnabled[layer] != 0) DrawUncoveredStrips(dx, dy, layer);
  }
  if (BgLayers.LayerVisible[layer] == 0) return 0;
  ComposeRing(layer, rx, ry);
  return 0;
}

int ScrollAndDrawPicture(int dx, int dy, int layer, int draw) {
  if (!StoreReady() || !ValidLayer(layer)) return -1;
  int& rx = BgLayers.LayerRing.x[layer];
  int& ry = BgLayers.LayerRing.y[layer];
  rx += dx;
  if (rx > W) rx %= W;
  else if (rx < 0) rx += W;
  ry += dy;
  if (ry >= H) ry %= H;
  else if (ry < 0) ry += H;
  if (draw == 1) ComposeRing(layer, rx, ry);
  return 0;
}

int RedrawLayer(int layer) {
  layer = ClampLayer(layer);
  if (!StoreReady() || BgLayers.LayerEnabled[layer] == 0) return -1;
  BgLayers.LayerRing.x[layer] = BgLayers.LayerRing.y[layer] = 0;
  const int ox = BgLayers.LayerOrigin.x[layer], oy = BgLayers.LayerOrigin.y[layer];
  ClearLayerRectWrapped(0, 0, W, H, layer);
  DrawTilesToRing({0, 0, W, H}, {ox, oy, ox + W, oy + H}, layer);
  return 0;
}

int RedrawAllLayers() { return RedrawLayer(4) + RedrawLayer(0) + RedrawLayer(1) + RedrawLayer(2) + RedrawLayer(3); }

void SetLayerVisible(int layer, int flag) {
  if (ValidLayer(layer)) BgLayers.LayerVisible[layer] = static_cast<uint32_t>(flag);
}
int IsLayerVisible(int layer) { return ValidLayer(layer) ? static_cast<int>(BgLayers.LayerVisible[layer]) : 0; }

void SetRedrawThreshold(int d) { BgLayers.LayerRedrawThreshold = d; }
int GetRedrawThreshold() { return BgLayers.LayerRedrawThreshold; }

// ---- the wrap-around primitives ----------------------------------------------------------------

int ClearLayerRectWrapped(int l, int t, int r, int b, int layer) {
  if (!ValidLayer(layer)) return -1;
  // The near edge moved into the ring by one ring size at most; the far edge moves with it.
  auto bring_in = [](int& near, int& far, int size) {
    const int shift = near < 0 ? size : near >= size ? -size : 0;
    near += shift;
    far += shift;
  };
  bring_in(l, r, W);
  bring_in(t, b, H);
  Surface& ring = Ring(layer);
  const uint32_t key = Display.ColorKey;
  int sum = FillSurfaceRect(ring, l, t, r, b, key);
  if (l >= 0 && r - l >= W && t >= 0 && t < b && ring.Exists()) {  // whole rows of the ring, across its seam
    MarkRows(layer, t, b, true);
    MarkRows(layer, 0, b - H, true);
  }
  if (r > W && b > H) {
    sum += FillSurfaceRect(ring, 0, t, r - W, b, key);
    sum += FillSurfaceRect(ring, 0, 0, r - W, b - H, key);
    sum += FillSurfaceRect(ring, l, 0, W, b - H, key);
  } else if (r > W) {
    sum += FillSurfaceRect(ring, 0, t, r - W, b, key);
  } else if (b > H) {
    sum += FillSurfaceRect(ring, l, 0, r, b - H, key);
  }
  return sum;
}

int BlitCellToLayerWrapped(Rect dst, Rect sub, uint32_t cell, int layer) {
  if (!ValidLayer(layer)) return -1;
  // A multiple of 1200 clears its area; any other value must name a cell of the four sheets.
  const int use_source = static_cast<int>(cell % kCellsPerSheet);
  if (use_source != 0 && cell >= static_cast<uint32_t>(kCellCount)) return -1;
  // 1. The rectangle moved by whole rings until its left and top lie within one ring of 0.
  const int l = dst.left % W, r = dst.right - (dst.left - l);
  const int t = dst.top % H, b = dst.bottom - (dst.top - t);
  // 2. The source: the cell's place on its sheet plus the sub-rectangle.
  Surface& sheet = Surfaces[kFirstSheetSurface + (use_source != 0 ? static_cast<int>(cell) / kCellsPerSheet : 0)];
  const int cx = (use_source % 40) * kCellSize, cy = (use_source / 40) * kCellSize;
  const Rect src{cx + sub.left, cy + sub.top, cx + sub.right, cy + sub.bottom};
  // 3. The edges brought into the ring.
  auto wrap_x = [](int v) { return v < 0 ? v + W : v > W ? v % W : v; };
  auto wrap_y = [](int v) { return v < 0 ? v + H : v > H ? v % H : v; };
  const int L = wrap_x(l), R = wrap_x(r), T = wrap_y(t), B = wrap_y(b);
  const int w = sub.Width(), h = sub.Height();
  // 4. Pieces on both sides of a seam; the clip of the ring surface cuts each at its edges, so
  // every pixel of the cell is drawn once.
  Surface& ring = Ring(layer);
  auto piece = [&](Rect d) {
    if (use_source != 0) MarkRows(layer, d.top, d.bottom, false);
    BltOrClear(ring, d, sheet, src, use_source);
  };
  if (L > R && T < B) {  // across the right edge
    const int raise = t < 0 ? H : 0;
    piece({l, t + raise, r, b + raise});
    piece(l >= 0 ? Rect{R - w, T, R, B} : Rect{L, T, L + w, B});
  } else if (T > B && L < R) {  // across the bottom edge
    const int raise = l < 0 ? W : 0;
    piece({l + raise, t, r + raise, b});
    piece(t >= 0 ? Rect{L, B - h, R, B} : Rect{L, T, R, T + h});
  } else if (T > B && L > R) {  // across both
    piece({R - w, B - h, R, B});
    piece({L, B - h, L + w, B});
    piece({R - w, T, R, T + h});
    piece({L, T, L + w, T + h});
  } else {
    piece({L, T, R, B});
  }
  return 0;
}

int DrawTilesToRing(Rect ring, Rect world, int layer) {
  if (!ValidLayer(layer) || !StoreReady() || BgLayers.LayerEnabled[layer] == 0) return 0;
  const int first_col = FloorDiv(world.left, kTileSize), last_col = FloorDiv(world.right - 1, kTileSize);
  const int first_row = FloorDiv(world.top, kTileSize), last_row = FloorDiv(world.bottom - 1, kTileSize);
  const int left_in = Wrap(world.left, kTileSize), right_in = Wrap(world.right, kTileSize);
  const int top_in = Wrap(world.top, kTileSize), bottom_in = Wrap(world.bottom, kTileSize);
  int dt = ring.top;
  for (int row = first_row; row <= last_row; ++row) {
    const int st = row == first_row ? top_in : 0;
    const int sb = row == last_row && bottom_in != 0 ? bottom_in : kTileSize;
    int dl = ring.left;
    for (int col = first_col; col <= last_col; ++col) {
      const int sl = col == first_col ? left_in : 0;
      const int sr = col == last_col && right_in != 0 ? right_in : kTileSize;
      const uint32_t value = GetTile(col * kTileSize, row * kTileSize, layer);
      if (value != 0) BlitCellToLayerWrapped({dl, dt, dl + sr - sl, dt + sb - st}, {sl, st, sr, sb}, value, layer);
      dl += sr - sl;
    }
    dt += sb - st;
  }
  return 0;
}
