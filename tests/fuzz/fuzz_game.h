// The game for the fuzz targets that let the game use what a reader read: the frame harness on
// the scratch folder, with a new game already in play (the start-up, the new game's set-up and
// the world running, nothing over it), so that a target can enter a scene and run frames. Each
// one starts from the state of a fresh process and leaves that state behind.
#pragma once

#include "support/frame_harness.h"

class FuzzGame : public FrameHarness {
 public:
  FuzzGame();
};

// The headless buttons of one frame from a byte of input: bit k holds logical button k (up,
// down, left, right, jump, action, item, magic), pressed through the key bound to it.
void HoldButtonsOf(FrameHarness& game, uint8_t bits);
