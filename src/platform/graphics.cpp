#include "platform/graphics.h"

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/resources.h"
#include "world/map_layers.h"

DisplayParams Display{};
uint32_t DisplayReady = 0;
Surface Surfaces[kSurfaceCount];
// No surface holds a bitmap until a scene names one.
int32_t SurfaceBitmapIds[kSurfaceCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

namespace {

// The primary surface is the window's own picture: it exists while the display does but has no
// pixels of ours.
bool primary_exists = false;

int ScreenW() { return static_cast<int>(Display.ScreenSize.width); }
int ScreenH() { return static_cast<int>(Display.ScreenSize.height); }

}  // namespace

// ---- display -----------------------------------------------------------------------------------

int CreateDirectDraw(Window window) {
  // 1. The display object: the window's presentation.
  if (window == 0 || !host::OpenDisplay()) return -1;
  // 2. The cooperative level has no counterpart here.
  // 3. The primary surface in the requested mode, and the back buffer.
  const bool fullscreen = Display.window_mode != 1;
  if (host::SetFullscreen(fullscreen) != 0) return fullscreen ? -3 : -4;
  primary_exists = true;
  if (!AllocateSurface(Surfaces[kBackBuffer], ScreenW(), ScreenH())) return -5;
  // 4. Ring surfaces and sprite sheets, cleared to the colour key, which they leave out when blitted.
  for (int i = kFirstRingSurface; i < kSurfaceCount; ++i) {
    Surface& s = Surfaces[i];
    if (!AllocateSurface(s, ScreenW(), ScreenH())) return -5;
    px::Fill(s, Rect{0, 0, s.width, s.height}, Display.ColorKey);
    s.keyed = true;
    s.key = Display.ColorKey;
  }
  // 5. The device capabilities are not needed.
  // 6. The bitmaps of the surfaces.
  LoadAllSheetBitmaps();
  // 7. Every blit onto surfaces 1..10 is clipped to the surface: the surfaces do that themselves.
  return 0;
}

void ReleaseDirectDraw() {
  if (DisplayReady != 1) return;
  for (int i = kSurfaceCount - 1; i >= 1; --i) FreeSurface(Surfaces[i]);
  primary_exists = false;
  DisplayReady = 0;
}

int PresentAndClear(Window window, int clear) {
  PresentFrame(window);
  if (clear == 1) FillSurfaceRect(Surfaces[kBackBuffer], 0, 0, ScreenW(), ScreenH(), MakeColor(0, 0, 0));
  return 0;
}

void PresentFrame(Window /*window*/) {
  const Surface& back = Surfaces[kBackBuffer];
  if (!primary_exists || !back.Exists()) return;
  // Software surfaces are never lost. A frame that cannot be shown is dropped, never retried:
  // retrying a presentation that keeps failing would hang the game.
  host::Present(back.pixels, back.width, back.height);
  Display.surface_lost = 0;
}

int RestoreSurfaces() {
  for (int i = 0; i < kSurfaceCount; ++i) {
    if (i == kPrimarySurface ? !primary_exists : !Surfaces[i].Exists()) return -(i + 1);
  }
  LoadAllSheetBitmaps();
  for (int layer = 0; layer < kLayerCount; ++layer) RedrawLayer(layer);
  return 0;
}

// ---- bitmaps -----------------------------------------------------------------------------------

int LoadBitmapToSurface(int id, int surface) {
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  if (!res::Find(res::Kind::Bitmap, id, bytes, size)) return -1;
  if (bytes == nullptr || size == 0) return -2;
  BitmapInfo info;
  if (!ParseBitmap(bytes, size, info)) return -3;
  if (surface < 0 || surface >= kSurfaceCount || !Surfaces[surface].Exists()) return -4;
  // Copied unscaled to (0, 0); a smaller bitmap leaves the rest of the surface as it was.
  Surface& s = Surfaces[surface];
  const int rows = std::min(info.height, s.height);
  const int cols = std::min(info.width, s.width);
  for (int y = 0; y < rows; ++y) ReadBitmapRow(info, y, s.Row(y), cols);
  return 0;
}

int SetAndLoadSurfaceBitmap(int surface, int id) {
  SetSurfaceBitmapId(surface, id);
  return LoadBitmapToSurface(id, surface);
}

int LoadAllSheetBitmaps() {
  for (int i = 0; i < kSurfaceCount; ++i) {
    if (SurfaceBitmapIds[i] != -1) LoadBitmapToSurface(SurfaceBitmapIds[i], i);
  }
  return 0;
}

void ClearSurfaceBitmapIds() { std::fill(std::begin(SurfaceBitmapIds), std::end(SurfaceBitmapIds), -1); }

int SetSurfaceBitmapId(int surface, int id) {
  if (surface >= 0 && surface < kSurfaceCount) SurfaceBitmapIds[surface] = id;
  return 0;
}

// ---- colour ------------------------------------------------------------------------------------

uint32_t MakeColor(int r, int g, int b) {
  switch (Display.bits_per_pixel) {
    case 32:
      return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
    case 16:
      return (static_cast<uint32_t>(r / 8) << 11) + (static_cast<uint32_t>(g / 4) << 5) + static_cast<uint32_t>(b / 8);
    default:
      return 0;
  }
}

uint32_t MakeColorAlt(int r, int g, int b) { return MakeColor(r, g, b); }

// ---- surface primitives ------------------------------------------------------------------------

int FillSurfaceRect(Surface& surface, int left, int top, int right, int bottom, uint32_t colour) {
  return px::Fill(surface, Rect{left, top, right, bottom}, colour);
}

int BltSrcKey(Surface& dst, const Rect& dst_rect, Surface& src, const Rect& src_rect) {
  return px::Blit(dst, dst_rect, src, src_rect);
}

int BltFastSrcKey(Surface& dst, int x, int y, Surface& src, const Rect& src_rect) {
  // The fast blit is not clipped: a destination that does not fit the surface draws nothing.
  const Rect d{x, y, x + src_rect.Width(), y + src_rect.Height()};
  if (d.left < 0 || d.top < 0 || d.right > dst.width || d.bottom > dst.height) return -1;
  return px::Blit(dst, d, src, src_rect);
}

int BltOrClear(Surface& dst, const Rect& dst_rect, Surface& src, const Rect& src_rect, int use_source) {
  if (use_source == 0) return px::Fill(dst, dst_rect, Display.ColorKey) == 0 ? 0 : -1;
  return BltSrcKey(dst, dst_rect, src, src_rect);
}

int PutPixel(Surface& surface, int x, int y, uint32_t colour) {
  return px::Fill(surface, Rect{x, y, x + 1, y + 1}, colour);
}

// ---- back-buffer drawing -----------------------------------------------------------------------

int FillRectColor(int left, int top, int right, int bottom, uint32_t colour) {
  return FillSurfaceRect(Surfaces[kBackBuffer], left, top, right, bottom, colour);
}

int FillRectRgb(int left, int top, int right, int bottom, int red, int green, int blue) {
  return FillRectColor(left, top, right, bottom, MakeColor(red, green, blue));
}

int FillRectSized(int x, int y, int w, int h, uint32_t colour) { return FillRectColor(x, y, x + w, y + h, colour); }

void DrawRectOutline(int left, int top, int right, int bottom, uint32_t colour) {
  FillRectColor(left, top, right, top + 1, colour);
  FillRectColor(left, bottom - 1, right, bottom, colour);
  FillRectColor(left, top, left + 1, bottom, colour);
  FillRectColor(right - 1, top, right, bottom, colour);
}

void FillEveryOtherColumn(int left, int top, int right, int bottom, uint32_t colour) {
  px::FillEveryOtherColumn(Surfaces[kBackBuffer], Rect{left, top, right, bottom}, colour);
}

int BlitTileCell(const Rect& dst, const Rect& sub, int cell) {
  // Cell numbers outside the four sheets address no sheet: nothing is drawn.
  if (cell < 0 || cell >= kCellCount) return -1;
  Surface& sheet = Surfaces[kFirstSheetSurface + cell / kCellsPerSheet];
  const int cw = static_cast<int>(Display.CellSize.width);
  const int ch = static_cast<int>(Display.CellSize.height);
  if (cw <= 0 || ch <= 0 || !sheet.Exists()) return -1;
  const int columns = sheet.width / cw;
  const int n = cell % kCellsPerSheet;
  const int left = (n % columns) * cw;
  const int top = (n / columns) * ch;
  const Rect src{left + sub.left, top + sub.top, left + sub.right, top + sub.bottom};
  return BltSrcKey(Surfaces[kBackBuffer], dst, sheet, src);
}

int DrawCell(int x, int y, int w, int h, int cell) {
  return BlitTileCell(Rect{x, y, x + w, y + h}, Rect{0, 0, 16, 16}, cell);
}
