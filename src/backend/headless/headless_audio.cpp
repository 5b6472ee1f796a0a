// Audio on the headless backend: a virtual audio device that our mixer fills when a test asks,
// and a log of the buffers played.
#include "backend/common/mixer.h"
#include "backend/headless/headless.h"
#include "backend/headless/headless_internal.h"

namespace {

constexpr int kDefaultRate = 48000;

struct Audio {
  bool fail_device = false;
  bool device_open = false;
  int rate = kDefaultRate;
  std::vector<headless::PlayedBuffer> played;
};

// Never destroyed: a static destructor may still give a buffer back at exit.
Audio& A() {
  static Audio* audio = new Audio;
  return *audio;
}

void RecordPlay(int buffer, int32_t volume, int32_t pan, bool loop) {
  A().played.push_back(headless::PlayedBuffer{buffer, volume, pan, loop, headless::PresentCount()});
}

}  // namespace

namespace backend {

bool OpenAudioOutput(int& rate) {
  if (A().fail_device) return false;
  backend::SetPlayObserver(RecordPlay);
  A().device_open = true;
  rate = A().rate;
  return true;
}

void CloseAudioOutput() { A().device_open = false; }

}  // namespace backend

namespace headless {

void ResetAudio() {
  backend::ResetAudio();
  A() = Audio{};
}

void FailAudioDevice(bool fail) { A().fail_device = fail; }
bool AudioDeviceOpen() { return A().device_open; }
void SetAudioRate(int rate) { A().rate = rate; }
const std::vector<PlayedBuffer>& PlayedBuffers() { return A().played; }
void MixAudio(int16_t* out, int frames) { backend::Mix(out, frames); }

}  // namespace headless
