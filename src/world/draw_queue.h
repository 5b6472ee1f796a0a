// The draw queue: actors, effects, the HUD, menus and the editor push draw commands during the
// frame, and the screen manager executes them once, queue layer n right after map layer n, so
// that each command lands at a fixed depth. The queue is emptied after every frame.
#pragma once

#include <cstdint>

constexpr int kQueueLayers = 5;
constexpr int kQueueCapacity = 4096;
constexpr int kFaceBytes = 64;   // the longest face name kept
constexpr int kTextBytes = 256;  // the longest text kept

// Command types.
constexpr uint32_t kDrawCell = 0;
constexpr uint32_t kDrawFillRect = 3;
constexpr uint32_t kDrawText = 4;
constexpr uint32_t kDrawRectOutline = 5;

// Coordinates: world pixels have the camera subtracted when drawn; anything else is the screen.
constexpr uint32_t kWorldCoords = 1;
constexpr uint32_t kScreenCoords = 0;

struct DrawCommand {
  uint32_t type;         // 0 cell, 3 filled rectangle, 4 text, 5 outline; other types draw nothing
  uint32_t visible;      // 1 every frame; 0 only on frames when frame counter 0 is odd (a blink)
  uint32_t coords;       // 1 world pixels, else screen pixels
  int32_t x, y;          // top-left
  int32_t w, h;          // size of a rectangle or outline
  uint32_t cell;         // a cell of the sprite sheets
  uint32_t colour;       // 0xRRGGBB
  uint32_t font_height;  // text height in pixels
  char face[kFaceBytes + 1];
  char text[kTextBytes + 1];  // Shift-JIS
};

struct DrawQueueState {
  DrawCommand commands[kQueueLayers][kQueueCapacity];
  uint32_t count[kQueueLayers];
  // The commands of the frame drawn last stay in place until the next frame pushes over them:
  // how many there were, for anyone who wants to look at what a frame drew.
  uint32_t drawn[kQueueLayers];
};

extern DrawQueueState DrawQueue;

// Sets every record of one queue layer to its start values and empties the layer.
void InitDrawQueueLayer(int layer);

// Each push returns 0, or -1 when the layer holds 4096 commands already or does not exist
// (nothing is queued). A push stores only the fields its type uses.
int PushCell(int layer, int visible, int coords, int x, int y, int cell);
int PushFillRect(int layer, int visible, int coords, int x, int y, int w, int h, uint32_t colour);
int PushRectOutline(int layer, int visible, int coords, int x, int y, int w, int h, uint32_t colour);
// Also -2, nothing queued, when face or text is null. Face is cut to 64 bytes, text to 256.
int PushText(int layer, int visible, int coords, int x, int y, uint32_t colour, int font_height, const char* face,
             const char* text);

// Executes one queue layer in push order; returns the number of commands walked.
int DrawQueuedLayer(int layer);
void ClearDrawQueues();
