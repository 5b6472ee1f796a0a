// The four world passes. Each calls the actor modules' routines by name in a fixed order, which
// decides who sees whose changes in the same frame: the heroine thinks and moves first, the
// solid actors are tested against her after everyone updated and before anyone moves, and the
// draw order inside one draw-queue layer is the order of the draw pass. Each module adds its
// routines here, at its place in these orders.
#include "app/game_flow.h"

void UpdateObjects() {}

void RunObjectPass2() {}

void RunObjectPass3() {}

void DrawObjects() {}
