// Preloaded into the game by ./bench-window with present_clock.c: when TOVIA_MUSIC_LOG names a
// file, notes each note the synthesiser is told to start ("n <ns>") and each block of sound it
// renders ("s <ns> <frames>"), at monotonic times, so that a run can tell that the music really
// played and was heard. The music's timer thread starts the notes and the audio thread renders,
// so the lines are written under a lock; they stay in memory until the program ends.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef int (*NoteOnFn)(void*, int, int, int);
typedef int (*WriteFloatFn)(void*, int, void*, int, int, void*, int, int);

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static FILE* log_file;
static int log_failed;
static char log_buffer[1 << 20];

static void note_line(const char* kind, long long value) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  pthread_mutex_lock(&lock);
  if (log_file == NULL && !log_failed) {
    const char* path = getenv("TOVIA_MUSIC_LOG");
    log_file = path != NULL ? fopen(path, "w") : NULL;
    if (log_file == NULL) {
      log_failed = 1;
    } else {
      setvbuf(log_file, log_buffer, _IOFBF, sizeof log_buffer);
    }
  }
  if (log_file != NULL) fprintf(log_file, "%s %lld %lld\n", kind, (long long)now.tv_sec * 1000000000LL + now.tv_nsec, value);
  pthread_mutex_unlock(&lock);
}

int fluid_synth_noteon(void* synth, int channel, int key, int velocity) {
  static NoteOnFn real;
  if (real == NULL) real = (NoteOnFn)dlsym(RTLD_NEXT, "fluid_synth_noteon");
  if (velocity > 0) note_line("n", key);
  return real(synth, channel, key, velocity);
}

int fluid_synth_write_float(void* synth, int length, void* left, int left_offset, int left_step, void* right,
                            int right_offset, int right_step) {
  static WriteFloatFn real;
  if (real == NULL) real = (WriteFloatFn)dlsym(RTLD_NEXT, "fluid_synth_write_float");
  note_line("s", length);
  return real(synth, length, left, left_offset, left_step, right, right_offset, right_step);
}
