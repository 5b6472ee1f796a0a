// A frame-harness game past its first frame, playing with the world running, the shared sprite
// sheet loaded, the wipe idle and the HUD shown; and ways to read what it drew.
#pragma once

#include <cstdint>
#include <vector>

#include "app/game_flow.h"
#include "platform/graphics.h"
#include "support/frame_harness.h"
#include "ui/hud.h"
#include "world/screen_wipe.h"

struct HudGame : FrameHarness {
  HudGame() {
    Run();
    ResetFade();
    SubMode = kSubWorld;
    SubModeArg = 0;
    SetAndLoadSurfaceBitmap(kFirstSheetSurface, 117);
    ShowHud();
  }
};

// The back buffer's pixels in a rectangle (size form), row by row.
inline std::vector<uint32_t> Pixels(int x, int y, int w, int h) {
  std::vector<uint32_t> out;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) out.push_back(Surfaces[kBackBuffer].At(i, j) & 0xFFFFFF);
  return out;
}

inline bool AllBlack(const std::vector<uint32_t>& pixels) {
  for (uint32_t p : pixels)
    if (p != 0) return false;
  return true;
}
