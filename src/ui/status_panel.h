// The status panel: a dark-blue panel across the bottom of the screen with the heroine's numbers,
// her life gauge, the gauge of the last enemy hit, the magic-tool and bag slots with the names of
// the selected tool and item, and, while a spell runs, a pulsing MP bar above it with a blinking
// warning and a warning sound that quickens as MP falls.
#pragma once

// Once a frame, in every sub-mode, after the map layers and the draw queue: drawn at once on the
// back buffer, over the world and under the wipe and the message window. Nothing while the HUD
// is hidden. Counts the enemy gauge down.
void DrawStatusPanel();
