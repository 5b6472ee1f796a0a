// The five tile-map layers: the tile store, each layer's view position, and the drawing of each
// layer into its own 640 x 480 ring surface, scrolled by drawing only the strips a scroll
// uncovers and composed onto the back buffer in up to four pieces.
#pragma once

#include <cstdint>

#include "platform/surface.h"

constexpr int kLayerCount = 5;
constexpr int kTileSize = 16;
constexpr int kTilesPerRow = 400;
constexpr int kTileRows = 300;
constexpr int kTilesPerLayer = kTilesPerRow * kTileRows;  // 120,000
constexpr int kTileCount = kLayerCount * kTilesPerLayer;   // 600,000
constexpr int kCollisionLayer = 2;                         // any non-zero tile is solid
constexpr int kEventLayer = 4;                             // actor groups and event numbers; never drawn

struct BgLayerState {
  uint32_t layer_count;
  uint32_t store_ready;        // 1 while TileBuffer is allocated
  uint32_t LayerVisible[kLayerCount];  // 1: composed onto the back buffer
  uint32_t LayerEnabled[kLayerCount];  // 1: tiles are drawn into the ring surface; 0: it keeps its contents
  struct {
    uint32_t width, height;
  } WorldSize;                 // 6400 x 4800
  struct {
    int32_t x[kLayerCount], y[kLayerCount];
  } LayerOrigin;               // world position of each view's top-left pixel, inside the world
  struct {
    int32_t x[kLayerCount], y[kLayerCount];
  } LayerRing;                 // where that pixel lies in the ring surface
  uint32_t* TileBuffer;        // [layer][row][column], 400 x 300 tiles a layer
  int32_t LayerRedrawThreshold;  // a step this large on either axis redraws the whole layer
};

extern BgLayerState BgLayers;

// 0; a store that cannot be allocated ends the program with a message.
int InitBgLayers();
// 0, or -1 when no store is allocated.
int FreeBgLayers();

// The tile at world pixel (x, y), both wrapped into the world. A layer outside 0..4 or a store
// that is not there reads 0 and takes no writes.
uint32_t GetTile(int x, int y, int layer);
void SetTile(int x, int y, int layer, uint32_t value);

int MoveLayerOrigin(int dx, int dy, int layer);
int SetLayerOrigin(int x, int y, int layer);
int MoveLayer(int dx, int dy, int layer);  // the layer is clamped into 0..4
int GetLayerOriginX(int layer);
int GetLayerOriginY(int layer);

// Moves a layer's view and draws what the move uncovered; then composes the layer when visible.
// -1 when the store is not ready or there is no such layer.
int ScrollAndDrawLayer(int dx, int dy, int layer);
// Moves only the ring offset of a layer whose surface holds a picture, and composes it when
// draw is 1.
int ScrollAndDrawPicture(int dx, int dy, int layer, int draw);
// Redraws the layer's whole view with ring offset (0, 0); -1 when the layer is not enabled.
int RedrawLayer(int layer);
int RedrawAllLayers();

void SetLayerVisible(int layer, int flag);
int IsLayerVisible(int layer);
void SetRedrawThreshold(int d);
int GetRedrawThreshold();

// The wrap-around primitives of the ring surfaces.
int ClearLayerRectWrapped(int l, int t, int r, int b, int layer);
int BlitCellToLayerWrapped(Rect dst, Rect sub, uint32_t cell, int layer);
int DrawTilesToRing(Rect ring, Rect world, int layer);

// For tests: makes the next InitBgLayers find no memory for the store.
void SimulateTileStoreFailure(bool fail);
