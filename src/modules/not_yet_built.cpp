// The pass routines of the actor modules that are not part of the game yet: each does nothing,
// so the world passes can call every routine in its place. A module's issue moves its routines
// from here into the module's own file.
#include "modules/modules.h"

// Chain boss.
void UpdateChainBoss() {}
void MoveChainBoss() {}
void DrawChainBoss() {}

// Boss shots.
void UpdateBossShot() {}
void DrawBossShot() {}

