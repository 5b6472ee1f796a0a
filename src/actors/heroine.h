// The heroine's routines that the frame and the world passes call. Group 1 is hers: slot 0 is
// the player, higher slots her trailing copies; group 192 holds her shots.
#pragma once

// Control and motion: her thinking comes first in the update pass; the ground check comes first
// in the second pass, before the rides on solid actors are counted afresh; her move comes first
// in the third pass and is skipped while she is ending.
void ThinkHeroine();
void CheckHeroineGround();
void MoveHeroine();

// Damage and event triggers: the enemies, hazards and solid actors against her, last in the
// second pass; the events of map layer 4 under her, between the second and third passes.
void HitHeroineWithEnemies();
void CheckHeroineMapEvents();

// Drawing; the end of her draw also starts her death.
void DrawHeroine();

// Her shots: launched by ThinkHeroine, updated right after the town NPCs, tested against the
// enemies after her ground check, moved and drawn with her.
void UpdateShots();
void HitEnemiesWithShots();
void MoveShots();
void DrawShots();
