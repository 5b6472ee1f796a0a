// The opening, with which a new game starts: the heroine walks with her teacher Klaus along the
// forest-edge street, his magic goes wrong and blasts her down into the cave under the town,
// where she finds the chest with the magic tool BEETLE and frees the insect companion, who stays
// with her to guide her. And the game-over scene, which nothing in play selects.
//
// Both are step machines on SceneStep, called once a frame while the start sequence's stage is 0
// (the opening) or 2 (the game over).
#pragma once

#include <cstdint>

// One step of the opening, SceneStep read as a signed value; 1 when the world runs this frame.
// A step the opening does not have does nothing and answers 0.
uint32_t RunOpeningScene();
// One step of the game-over scene; answers 0 (the world stands) on every frame.
uint32_t RunGameOverScene();

// The steps each scene has: a loaded save keeps a known step.
bool IsOpeningSceneStep(int32_t step);
bool IsGameOverSceneStep(int32_t step);
