// What the SDL backend's files share.
#pragma once

#include <SDL.h>

#include "platform/host.h"

namespace sdl {

SDL_Window* GameWindow();
// The next presentation draws and sends the whole window, bars and all (after an exposure or a
// change of size), not only the picture.
void RedrawWholeWindow();
// Queues an event that the backend makes itself (the activation when the window is shown).
void PushEvent(const host::Event& event);
// Waits until the next 1/60 s deadline of the frame clock.
void PaceFrame();
// The end of the program: the MIDI synthesiser, every sound buffer and the audio device go.
void CloseAudio();
void CloseMidi();

}  // namespace sdl
