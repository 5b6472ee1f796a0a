// The dispatchers of the scripted sub-modes: each reads SubModeArg and calls that number's
// handler once a frame while its sub-mode stands.
#pragma once

#include <cstdint>

// SubModeArg 1 runs the fatal error scene (0: the world is held); any other value answers 1.
uint32_t DispatchErrorScene();
