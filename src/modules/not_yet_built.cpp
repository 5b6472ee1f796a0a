// The pass routines of the actor modules that are not part of the game yet: each does nothing,
// so the world passes can call every routine in its place. A module's issue moves its routines
// from here into the module's own file.
#include "modules/modules.h"

// Town NPCs Klaus, Rod, Lime and Pancho.
void UpdateNpcKlaus() {}
void MoveNpcKlaus() {}
void DrawNpcKlaus() {}
void UpdateNpcRod() {}
void MoveNpcRod() {}
void DrawNpcRod() {}
void UpdateNpcLime() {}
void MoveNpcLime() {}
void DrawNpcLime() {}
void UpdateNpcPancho() {}
void MoveNpcPancho() {}
void DrawNpcPancho() {}

// Townsperson Damian.
void UpdateNpcDamian() {}
void MoveNpcDamian() {}
void DrawNpcDamian() {}

// Kawachan enemy.
void UpdateKawachanEnemy() {}
void MoveKawachanEnemy() {}
void DrawKawachanEnemy() {}

// Wisp.
void UpdateWispEnemy() {}
void MoveWispEnemy() {}
void DrawWispEnemy() {}

// Insect companion.
void UpdateInsectCompanion() {}
void DrawInsectCompanion() {}
