// The pause menu: opened by the menu button over the running world, it freezes the world and
// offers the way back to the game, a status page, the items-and-equipment page, the loading of
// a save slot, the option menus and the end of the program. It runs as a step machine on
// MenuState; its lists are choice lists of the message window, its two pages are queued on
// draw-queue layer 4 every frame.
#pragma once

#include <cstdint>

// One step of the menu; always 0. Called every frame while SubMode is 6.
uint32_t RunPauseMenu();
