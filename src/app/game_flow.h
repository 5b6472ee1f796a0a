// The game-flow state that every frame dispatches on.
#pragma once

#include <cstdint>

#include "platform/window.h"

extern int32_t GameMode;       // 0 before the first frame's new-game set-up, 2 playing, 254 halted
extern int32_t SubMode;        // what the frame runs: 0 the world, 1..8 debug menu .. start sequence
extern int32_t SubModeArg;     // the sub-mode's argument: actor group, event number or stage
extern int32_t MessageResult;  // the message window's result of the frame; -1 when none is open

// One frame of the game.
void RunFrame(Window window);
