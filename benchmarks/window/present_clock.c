// Preloaded into the game by ./bench-window: notes the monotonic time at which each
// presentation (SDL_UpdateWindowSurface or ...Rects, or SDL_RenderPresent) returns, one line of nanoseconds per frame, in the file that
// TOVIA_PRESENT_LOG names. The lines stay in memory until the program ends, so the
// measurement does no I/O while it runs.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*PresentFn)(void*);
typedef int (*UpdateFn)(void*);
typedef int (*UpdateRectsFn)(void*, const void*, int);

static FILE* log_file;
static char log_buffer[1 << 22];

static void NotePresentation(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (log_file == NULL) {
    const char* path = getenv("TOVIA_PRESENT_LOG");
    if (path == NULL || (log_file = fopen(path, "w")) == NULL) return;
    setvbuf(log_file, log_buffer, _IOFBF, sizeof log_buffer);
  }
  fprintf(log_file, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
}

void SDL_RenderPresent(void* renderer) {
  static PresentFn real_present;
  if (real_present == NULL) real_present = (PresentFn)dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real_present(renderer);
  NotePresentation();
}

int SDL_UpdateWindowSurface(void* window) {
  static UpdateFn real_update;
  if (real_update == NULL) real_update = (UpdateFn)dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
  const int result = real_update(window);
  NotePresentation();
  return result;
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
  static UpdateRectsFn real_update;
  if (real_update == NULL) real_update = (UpdateRectsFn)dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
  const int result = real_update(window, rects, count);
  NotePresentation();
  return result;
}
