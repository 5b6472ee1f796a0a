// The program's entry on SDL: the game's own start-up runs the rest.
#include <SDL.h>

#include <string>

#include "app/winmain.h"
#include "backend/sdl/sdl_internal.h"
#include "platform/host.h"
#include "platform/resources.h"

int main(int argc, char** argv) {
  res::InstallEmbedded();
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  const int result = WinMain(0, 0, command_line.c_str(), 1);
  host::DestroyWindow();
  sdl::CloseAudio();
  SDL_Quit();
  return result;
}
