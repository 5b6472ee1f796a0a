// The debug menu: the developers' entrance to the map editor and to test starts of scenes. It
// opens on the menu button while the game is halted, and play never leads there.
#pragma once

// Opens the menu's eight lines in the message window, as a timed choice.
void OpenDebugMenu();
// The handler of the debug menu's sub-mode: acts on the window's result once there is one.
void HandleDebugMenu();
