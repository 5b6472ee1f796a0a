// The audio device on SDL: 16-bit stereo at 48 kHz (or the rate the device prefers), filled by
// our mixer from SDL's audio thread. A machine without sound opens nothing and stays silent.
#include <dlfcn.h>

#include "backend/common/mixer.h"
#include "backend/sdl/sdl_internal.h"

namespace {

constexpr int kRate = 48000;
constexpr Uint16 kFrames = 512;  // about 11 ms: the music's events wait at most that long

SDL_AudioDeviceID device = 0;

// ALSA prints its own complaints on a machine without a sound card; the game says nothing
// there. SDL loads ALSA itself, so its error handler is set through the same library.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
  using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY);  // kept open: SDL uses it
  if (alsa == nullptr) return;
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(IgnoreAlsaError);
}

void Callback(void* /*user*/, Uint8* stream, int bytes) {
  backend::Mix(reinterpret_cast<int16_t*>(stream), bytes / static_cast<int>(2 * sizeof(int16_t)));
}

}  // namespace

namespace backend {

bool OpenAudioOutput(int& rate) {
  QuietAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kFrames;
  want.callback = Callback;
  SDL_AudioSpec have{};
  device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  rate = have.freq;
  SDL_PauseAudioDevice(device, 0);
  return true;
}

void CloseAudioOutput() {
  if (device == 0) return;
  SDL_CloseAudioDevice(device);  // waits for the callback to return
  device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace backend

namespace sdl {

void CloseAudio() {
  CloseMidi();
  backend::ResetAudio();
}

}  // namespace sdl
