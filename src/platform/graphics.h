// The graphics layer: the display, its eleven surfaces, bitmap loading, presentation, and the
// drawing primitives every other drawing path of the game uses.
#pragma once

#include <cstdint>

#include "platform/surface.h"
#include "platform/window.h"

// Surfaces: 0 the primary (the window's picture), 1 the back buffer every frame is drawn into,
// 2..6 the ring surfaces of map layers 0..4 (6 also holds the far background picture),
// 7..10 the sprite sheets 0..3.
constexpr int kSurfaceCount = 11;
constexpr int kPrimarySurface = 0;
constexpr int kBackBuffer = 1;
constexpr int kFirstRingSurface = 2;
constexpr int kFirstSheetSurface = 7;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kCellSize = 16;
constexpr int kCellsPerSheet = 1200;  // 40 x 30 cells of 16 x 16
constexpr int kCellCount = 4 * kCellsPerSheet;

// The display record, set before every display start.
struct DisplayParams {
  uint32_t surface_lost;
  struct {
    uint32_t width, height;
  } ScreenSize;
  int32_t window_mode;  // 1 windowed, -1 full screen
  uint32_t surface_count;
  uint32_t bits_per_pixel;
  struct {
    uint32_t width, height;
  } CellSize;
  uint32_t ColorKey;  // the transparent colour of every surface and the clear colour of the rings
};

extern DisplayParams Display;
extern uint32_t DisplayReady;  // 1 while the display exists
extern Surface Surfaces[kSurfaceCount];
extern int32_t SurfaceBitmapIds[kSurfaceCount];  // bitmap resource loaded into each surface, -1 none

// ---- display -------------------------------------------------------------------------------
// 0, or the negative number of the failing step.
int CreateDirectDraw(Window window);
void ReleaseDirectDraw();
// Presents the last frame, then (clear 1) clears the back buffer to black.
int PresentAndClear(Window window, int clear);
void PresentFrame(Window window);
int RestoreSurfaces();

// ---- bitmaps -------------------------------------------------------------------------------
// 0; -1 no bitmap of that number; -2 it cannot be read; -3 it is no picture we can read;
// -4 the surface does not exist.
int LoadBitmapToSurface(int id, int surface);
int SetAndLoadSurfaceBitmap(int surface, int id);
int LoadAllSheetBitmaps();
void ClearSurfaceBitmapIds();
int SetSurfaceBitmapId(int surface, int id);

// ---- colour --------------------------------------------------------------------------------
uint32_t MakeColor(int r, int g, int b);
uint32_t MakeColorAlt(int r, int g, int b);

// ---- surface primitives --------------------------------------------------------------------
int FillSurfaceRect(Surface& surface, int left, int top, int right, int bottom, uint32_t colour);
int BltSrcKey(Surface& dst, const Rect& dst_rect, Surface& src, const Rect& src_rect);
int BltFastSrcKey(Surface& dst, int x, int y, Surface& src, const Rect& src_rect);
int BltOrClear(Surface& dst, const Rect& dst_rect, Surface& src, const Rect& src_rect, int use_source);
int PutPixel(Surface& surface, int x, int y, uint32_t colour);

// ---- back-buffer drawing -------------------------------------------------------------------
// Each answers the fill's result: 0, or -1 when there is no back buffer or the rectangle is empty.
int FillRectColor(int left, int top, int right, int bottom, uint32_t colour);
int FillRectRgb(int left, int top, int right, int bottom, int red, int green, int blue);
int FillRectSized(int x, int y, int w, int h, uint32_t colour);
void DrawRectOutline(int left, int top, int right, int bottom, uint32_t colour);
// Every other column of the rectangle, from its left one on, clipped to the back buffer: what a
// one-pixel-wide fill of each of those columns draws, in one pass over the rows.
void FillEveryOtherColumn(int left, int top, int right, int bottom, uint32_t colour);
// Blits `sub` (offsets 0..16 inside the cell) of cell `cell` onto `dst` of the back buffer.
// A cell outside 0..4799 draws nothing and returns -1.
int BlitTileCell(const Rect& dst, const Rect& sub, int cell);
int DrawCell(int x, int y, int w, int h, int cell);
