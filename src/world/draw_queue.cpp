#include "world/draw_queue.h"

#include <cstring>

#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "world/camera.h"

DrawQueueState DrawQueue{};

namespace {

constexpr uint32_t kStartFontHeight = 16;

bool ValidLayer(int layer) { return layer >= 0 && layer < kQueueLayers; }

// The next free record of a layer, or nullptr when the layer is full or does not exist (callers
// pass 0..4; another number queues nothing).
DrawCommand* NextCommand(int layer) {
  if (!ValidLayer(layer) || DrawQueue.count[layer] >= kQueueCapacity) return nullptr;
  return &DrawQueue.commands[layer][DrawQueue.count[layer]++];
}

DrawCommand* NextShape(int layer, uint32_t type, int visible, int coords, int x, int y) {
  DrawCommand* c = NextCommand(layer);
  if (c == nullptr) return nullptr;
  c->type = type;
  c->visible = static_cast<uint32_t>(visible);
  c->coords = static_cast<uint32_t>(coords);
  c->x = x;
  c->y = y;
  return c;
}

// Copies at most `limit` bytes; the byte after them stays the terminator.
void CopyCut(char* dst, const char* src, size_t limit) {
  const size_t n = strnlen(src, limit);
  std::memcpy(dst, src, n);
  dst[n] = '\0';
}

int Red(uint32_t colour) { return static_cast<int>(colour >> 16 & 0xFF); }
int Green(uint32_t colour) { return static_cast<int>(colour >> 8 & 0xFF); }
int Blue(uint32_t colour) { return static_cast<int>(colour & 0xFF); }

void ExecuteCommand(const DrawCommand& c, int sx, int sy) {
  switch (c.type) {
    case kDrawCell:
      DrawCell(sx, sy, 16, 16, static_cast<int>(c.cell));
      break;
    case kDrawFillRect:
      FillRectColor(sx, sy, sx + c.w, sy + c.h, MakeColorAlt(Red(c.colour), Green(c.colour), Blue(c.colour)));
      break;
    case kDrawText:
      DrawTextRgb(sx, sy, c.text, static_cast<int>(c.font_height), c.face, Red(c.colour), Green(c.colour),
                  Blue(c.colour));
      break;
    case kDrawRectOutline:
      DrawRectOutline(sx, sy, sx + c.w, sy + c.h, MakeColorAlt(Red(c.colour), Green(c.colour), Blue(c.colour)));
      break;
    default:
      break;
  }
}

}  // namespace

void InitDrawQueueLayer(int layer) {
  if (!ValidLayer(layer)) return;
  for (DrawCommand& c : DrawQueue.commands[layer]) {
    c = DrawCommand{};
    c.visible = 1;
    c.font_height = kStartFontHeight;
  }
  DrawQueue.count[layer] = 0;
}

int PushCell(int layer, int visible, int coords, int x, int y, int cell) {
  DrawCommand* c = NextShape(layer, kDrawCell, visible, coords, x, y);
  if (c == nullptr) return -1;
  c->cell = static_cast<uint32_t>(cell);
  return 0;
}

namespace {

int PushRect(uint32_t type, int layer, int visible, int coords, int x, int y, int w, int h, uint32_t colour) {
  DrawCommand* c = NextShape(layer, type, visible, coords, x, y);
  if (c == nullptr) return -1;
  c->w = w;
  c->h = h;
  c->colour = colour;
  return 0;
}

}  // namespace

int PushFillRect(int layer, int visible, int coords, int x, int y, int w, int h, uint32_t colour) {
  return PushRect(kDrawFillRect, layer, visible, coords, x, y, w, h, colour);
}

int PushRectOutline(int layer, int visible, int coords, int x, int y, int w, int h, uint32_t colour) {
  return PushRect(kDrawRectOutline, layer, visible, coords, x, y, w, h, colour);
}

int PushText(int layer, int visible, int coords, int x, int y, uint32_t colour, int font_height, const char* face,
             const char* text) {
  if (face == nullptr || text == nullptr) return -2;
  DrawCommand* c = NextShape(layer, kDrawText, visible, coords, x, y);
  if (c == nullptr) return -1;
  c->colour = colour;
  c->font_height = static_cast<uint32_t>(font_height);
  CopyCut(c->face, face, kFaceBytes);
  CopyCut(c->text, text, kTextBytes);
  return 0;
}

int DrawQueuedLayer(int layer) {
  if (!ValidLayer(layer)) return 0;
  const uint32_t count = DrawQueue.count[layer];
  const bool blink_shown = (GetFrameCounter(0) & 1) != 0;
  const int cx = GetCameraX(), cy = GetCameraY();
  for (uint32_t i = 0; i < count; ++i) {
    const DrawCommand& c = DrawQueue.commands[layer][i];
    if (c.visible == 0 && !blink_shown) continue;
    // World positions are not wrapped: beyond the world's seam they are simply off the screen.
    if (c.coords == kWorldCoords) ExecuteCommand(c, c.x - cx, c.y - cy);
    else ExecuteCommand(c, c.x, c.y);
  }
  return static_cast<int>(count);
}

void ClearDrawQueues() {
  for (int layer = 0; layer < kQueueLayers; ++layer) {
    DrawQueue.drawn[layer] = DrawQueue.count[layer];
    DrawQueue.count[layer] = 0;
  }
}
