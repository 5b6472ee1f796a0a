// The dispatchers of the scripted sub-modes: each reads SubModeArg and calls that number's
// handler once a frame while its sub-mode stands. A talk, a guide event and a field event run
// until their last step sets SubMode and SubModeArg back to 0; the handlers are in the tables of
// events/event_tables.h.
#pragma once

#include <cstdint>

// The conversation of actor group SubModeArg: 0 after a conversation, 1 for a group that has
// none (the talk then ends at once). The result is not used.
uint32_t DispatchTalk();
// The guide handler of number SubModeArg: its result, 1 when the world runs this frame.
uint32_t DispatchGuideEvent();
// The field handler of number SubModeArg: 0 for the numbers field events have (160..164,
// 256..511, 1000..1199), 1 for any other. The result is not used.
uint32_t DispatchFieldEvent();
// SubModeArg 1 runs the fatal error scene (0: the world is held); any other value answers 1.
uint32_t DispatchErrorScene();
// The start sequence's stage SubModeArg: 0 the opening, 1 the title screen, 2 the game over;
// the scene's result (1: the world runs); any other stage answers 1.
uint32_t DispatchStartScene();
