// Puts the whole game back to the state of a fresh process, for tests that run one after
// another in the same process.
#pragma once

void ResetGameState();

// ResetGameState, then the window and the display as the start-up makes them (windowed, 640 x 480).
void StartTestDisplay();
