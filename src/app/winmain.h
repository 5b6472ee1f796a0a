// The process: start-up, the window, the message loop, the display switch and the orderly end.
#pragma once

#include <cstdint>

#include "platform/messages.h"
#include "platform/window.h"

extern Window MainWindow;  // the single game window

// The program: runs until the window is closed or the game quits. Returns the last message's
// wparam (0).
int WinMain(int instance, int previous_instance, const char* command_line, int show_command);
// The start-up before the loops: the start values, the window, the counters and repeaters, the
// one-second timer and the systems. False when the window cannot be made.
bool StartProcess(int instance, const char* command_line, int show_command);
bool CreateMainWindow(int instance, int show_command);
int MainWndProc(Window window, Msg message, uint32_t wparam, uint32_t lparam);
int InitSystems(Window window);
int StartDisplay(Window window);
// Releases everything and posts the quit message; every step is safe to repeat.
void Shutdown(Window window);
