// The program's entry on SDL: the game's own start-up runs the rest.
#include <SDL.h>

#include <string>

#include "app/winmain.h"
#include "backend/sdl/sdl_internal.h"
#include "platform/host.h"
#include "platform/resources.h"

namespace {

// SDL logs its own warnings on stderr (a debugging audio driver, a missing display feature); the
// game says nothing in a normal run and reports its own failures where they matter.
void IgnoreSdlLog(void*, int, SDL_LogPriority, const char*) {}

}  // namespace

int main(int argc, char** argv) {
  SDL_LogSetOutputFunction(IgnoreSdlLog, nullptr);
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
