// Preloaded into the game by ./bench-window: notes the monotonic time at which each
// SDL_RenderPresent returns, one line of nanoseconds per frame, in the file that
// TOVIA_PRESENT_LOG names. The lines stay in memory until the program ends, so the
// measurement does no I/O while it runs.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*PresentFn)(void*);

static FILE* log_file;
static char log_buffer[1 << 22];

void SDL_RenderPresent(void* renderer) {
  static PresentFn real_present;
  if (real_present == NULL) real_present = (PresentFn)dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real_present(renderer);

  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (log_file == NULL) {
    const char* path = getenv("TOVIA_PRESENT_LOG");
    if (path == NULL || (log_file = fopen(path, "w")) == NULL) return;
    setvbuf(log_file, log_buffer, _IOFBF, sizeof log_buffer);
  }
  fprintf(log_file, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
}
