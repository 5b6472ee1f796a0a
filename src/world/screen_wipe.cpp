#include "world/screen_wipe.h"

#include <algorithm>

#include "platform/graphics.h"

ScreenWipe Wipe{};

namespace {

constexpr int kCell = 40;             // pixels a side
constexpr int kColumns = 16;          // cells a row in the table
constexpr int kWipedCells = 16 * 13;  // the cells the wipes set
constexpr int kFull = 4000;           // a whole cell, in 1/100 pixel
constexpr int kGrowth = 100;          // one pixel a frame
constexpr int kLastStep = 91;         // the fade-out's last frame; the fade-in's first step

int32_t& Cell(int column, int row) { return Wipe.FadeCells[row * kColumns + column]; }

void DrawSquare(int x, int y, int side) {
  if (side > 0) FillRectRgb(x, y, x + side, y + side, 0, 0, 0);
}

template <typename PerCell>
void ForEachCell(PerCell per_cell) {
  const int w = static_cast<int>(Display.ScreenSize.width);
  const int h = static_cast<int>(Display.ScreenSize.height);
  for (int x = 0; x < w; x += kCell) {
    for (int y = 0; y < h; y += kCell) per_cell(x, y, x / kCell, y / kCell);
  }
}

}  // namespace

void FadeOut() {
  Wipe.direction = 1;
  Wipe.busy = 1;
  Wipe.step = 0;
  std::fill(Wipe.FadeCells, Wipe.FadeCells + kWipedCells, 0);
}

void FadeIn() {
  Wipe.direction = 0;
  Wipe.busy = 1;
  Wipe.step = kLastStep;
  std::fill(Wipe.FadeCells, Wipe.FadeCells + kWipedCells, kFull);
}

uint32_t IsFading() { return Wipe.busy; }

uint32_t DrawFade() {
  const int wave = Wipe.step / 2;
  if (Wipe.busy == 1 && Wipe.direction == 1) {
    if (Wipe.step == kLastStep) Wipe.busy = 0;  // the full cells are still drawn this frame
    ForEachCell([&](int x, int y, int c, int r) {
      if (c + r <= wave) Cell(c, r) += kGrowth;
      DrawSquare(x, y, Cell(c, r) / 100);
    });
    ++Wipe.step;
  } else if (Wipe.busy == 1) {
    ForEachCell([&](int x, int y, int c, int r) {
      if (c + r >= wave) Cell(c, r) -= kGrowth;
      DrawSquare(x, y, Cell(c, r) / 100);
    });
    if (Cell(0, 0) <= 0) Wipe.busy = 0;
    --Wipe.step;
  } else if (Wipe.direction == 1) {
    // After a fade-out the picture stays black until the next fade-in.
    FillRectRgb(0, 0, static_cast<int>(Display.ScreenSize.width), static_cast<int>(Display.ScreenSize.height), 0, 0, 0);
  }
  return Wipe.busy;
}

void ResetFade() {
  Wipe.busy = 0;
  Wipe.direction = 0;
  std::fill(std::begin(Wipe.FadeCells), std::end(Wipe.FadeCells), 0);
}
