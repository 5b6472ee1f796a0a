#include "backend/common/synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <vector>

namespace backend {

namespace {

constexpr const char* kSoundFontDir = "/usr/share/sounds/sf2";
constexpr const char* kGeneralMidiFont = "TimGM6mb.sf2";
constexpr double kSynthGain = 0.4;  // FluidSynth's own default (0.2) is quiet beside the effects
constexpr int kRenderFrames = 1024;
constexpr float kToSampleUnits = 32768.0f;

struct Synth {
  std::mutex lock;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  float render[kRenderFrames * 2];
};

// Never destroyed: the audio callback may still ask for it at exit.
Synth& S() {
  static Synth* synth = new Synth;
  return *synth;
}

void Quiet() {
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
}

void Delete(Synth& s) {
  if (s.synth != nullptr) delete_fluid_synth(s.synth);
  if (s.settings != nullptr) delete_fluid_settings(s.settings);
  s.synth = nullptr;
  s.settings = nullptr;
}

}  // namespace

std::string FindSoundFont() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path preferred = fs::path(kSoundFontDir) / kGeneralMidiFont;
  if (fs::is_regular_file(preferred, ec)) return preferred.string();
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(kSoundFontDir, ec)) {
    if (entry.path().extension() == ".sf2" && fs::is_regular_file(entry.path(), ec)) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found.empty() ? std::string() : found.front();
}

bool StartSynth(int rate) {
  std::lock_guard<std::mutex> hold(S().lock);
  Synth& s = S();
  if (s.synth != nullptr) return true;
  Quiet();
  const std::string font = FindSoundFont();
  if (font.empty()) return false;
  s.settings = new_fluid_settings();
  if (s.settings == nullptr) return false;
  fluid_settings_setnum(s.settings, "synth.sample-rate", rate);
  fluid_settings_setnum(s.settings, "synth.gain", kSynthGain);
  fluid_settings_setint(s.settings, "synth.threadsafe-api", 0);  // our lock serialises every call
  s.synth = new_fluid_synth(s.settings);
  if (s.synth == nullptr || fluid_synth_sfload(s.synth, font.c_str(), 1) == FLUID_FAILED) {
    Delete(s);
    return false;
  }
  return true;
}

void StopSynth() {
  std::lock_guard<std::mutex> hold(S().lock);
  Delete(S());
}

bool SynthRunning() {
  std::lock_guard<std::mutex> hold(S().lock);
  return S().synth != nullptr;
}

void SynthShortMessage(uint8_t status, uint8_t data1, uint8_t data2) {
  std::lock_guard<std::mutex> hold(S().lock);
  fluid_synth_t* synth = S().synth;
  if (synth == nullptr) return;
  const int channel = status & 0x0F;
  data1 &= 0x7F;
  data2 &= 0x7F;
  switch (status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, data1); break;
    case 0x90: fluid_synth_noteon(synth, channel, data1, data2); break;  // velocity 0 is a note off
    case 0xA0: fluid_synth_key_pressure(synth, channel, data1, data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7); break;
    default: break;
  }
}

void SynthLongMessage(const uint8_t* data, size_t size) {
  // FluidSynth takes the message without its F0 and its closing F7.
  if (data == nullptr || size < 2 || data[0] != 0xF0) return;
  size_t length = size - 1;
  if (data[size - 1] == 0xF7) --length;
  std::lock_guard<std::mutex> hold(S().lock);
  if (S().synth == nullptr || length == 0) return;
  fluid_synth_sysex(S().synth, reinterpret_cast<const char*>(data + 1), static_cast<int>(length), nullptr, nullptr,
                    nullptr, 0);
}

void SynthSystemReset() {
  std::lock_guard<std::mutex> hold(S().lock);
  if (S().synth != nullptr) fluid_synth_system_reset(S().synth);
}

void SynthNotesOff() {
  std::lock_guard<std::mutex> hold(S().lock);
  if (S().synth == nullptr) return;
  for (int channel = 0; channel < 16; ++channel) fluid_synth_cc(S().synth, channel, 64, 0);
  fluid_synth_all_notes_off(S().synth, -1);
}

void SynthSoundsOff() {
  std::lock_guard<std::mutex> hold(S().lock);
  if (S().synth != nullptr) fluid_synth_all_sounds_off(S().synth, -1);
}

void SynthMixInto(float* mix, int frames) {
  std::lock_guard<std::mutex> hold(S().lock);
  Synth& s = S();
  if (s.synth == nullptr || fluid_synth_get_active_voice_count(s.synth) == 0) return;
  while (frames > 0) {
    const int n = std::min(frames, kRenderFrames);
    fluid_synth_write_float(s.synth, n, s.render, 0, 2, s.render, 1, 2);
    for (int i = 0; i < n * 2; ++i) mix[i] += s.render[i] * kToSampleUnits;
    mix += n * 2;
    frames -= n;
  }
}

}  // namespace backend
