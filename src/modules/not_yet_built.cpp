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

// Chain boss.
void UpdateChainBoss() {}
void MoveChainBoss() {}
void DrawChainBoss() {}

// Boss shots.
void UpdateBossShot() {}
void DrawBossShot() {}

// Block lift.
void UpdateBlockLift() {}
void CollideBlockLift() {}
void MoveBlockLift() {}
void DrawBlockLift() {}

// Coin blocks.
void UpdateCoinBlock() {}
void CollideCoinBlock() {}
void MoveCoinBlock() {}
void DrawCoinBlock() {}
void UpdateHiddenCoinBlock() {}
void CollideHiddenCoinBlock() {}
void MoveHiddenCoinBlock() {}
void DrawHiddenCoinBlock() {}

// Elevator.
void UpdateElevator() {}
void CollideElevator() {}
void MoveElevator() {}
void DrawElevator() {}

// Falling weights.
void UpdateSixteenTon() {}
void CollideSixteenTon() {}
void MoveSixteenTon() {}
void DrawSixteenTon() {}
void UpdatePistonWeight() {}
void CollidePistonWeight() {}
void MovePistonWeight() {}
void DrawPistonWeight() {}

// Vertical and horizontal lifts.
void UpdateLiftVertical() {}
void CollideLiftVertical() {}
void MoveLiftVertical() {}
void DrawLiftVertical() {}
void UpdateLiftHorizontal() {}
void CollideLiftHorizontal() {}
void MoveLiftHorizontal() {}
void DrawLiftHorizontal() {}

// Insect companion.
void UpdateInsectCompanion() {}
void DrawInsectCompanion() {}
