#include <algorithm>
#include <cstdio>

#include "backend/headless/headless.h"
#include "backend/headless/headless_internal.h"

namespace {

struct Scheduled {
  host::Event event;
  bool by_frame;
  uint64_t at;  // ms, or a presented-frame count
};

struct State {
  std::vector<Scheduled> script;
  uint64_t now_us = 0;
  int presents = 0;
  std::vector<uint32_t> last_frame = std::vector<uint32_t>(640 * 480, 0);
  bool window = false;
  bool display = false;
  bool fullscreen = false;
  bool cursor = true;
  int switches = 0;
  std::vector<std::string> boxes;
  bool fail_window = false, fail_display = false, fail_fullscreen = false, fail_present = false;
  bool minimised = false;
  bool joystick_present = false;
  host::JoystickState joystick;
  int64_t wall_clock = 1'765'000'000;
};

State& S() {
  static State state;
  return state;
}

constexpr uint64_t kFrameUs = 1'000'000 / 60;

bool Due(const Scheduled& s) {
  return s.by_frame ? static_cast<uint64_t>(S().presents) >= s.at : S().now_us / 1000 >= s.at;
}

}  // namespace

namespace headless {

void Reset() {
  S() = State{};
  ResetMidi();
  ResetAudio();
}

void ScheduleEvent(const host::Event& event, uint64_t at_ms) { S().script.push_back({event, false, at_ms}); }
void ScheduleEventAtFrame(const host::Event& event, int frame) {
  S().script.push_back({event, true, static_cast<uint64_t>(frame)});
}

host::Event KeyDown(uint8_t vk, bool repeat) { return host::Event{host::EventKind::KeyDown, vk, repeat, false}; }
host::Event KeyUp(uint8_t vk) { return host::Event{host::EventKind::KeyUp, vk, false, false}; }
host::Event Simple(host::EventKind kind) { return host::Event{kind, 0, false, false}; }

int PresentCount() { return S().presents; }
const std::vector<uint32_t>& LastFrame() { return S().last_frame; }
bool WindowExists() { return S().window; }
bool IsFullscreen() { return S().fullscreen; }
bool CursorShown() { return S().cursor; }
int FullscreenSwitches() { return S().switches; }
const std::vector<std::string>& MessageBoxes() { return S().boxes; }

void FailCreateWindow(bool fail) { S().fail_window = fail; }
void FailOpenDisplay(bool fail) { S().fail_display = fail; }
void FailFullscreen(bool fail) { S().fail_fullscreen = fail; }
void FailPresent(bool fail) { S().fail_present = fail; }
void SetMinimised(bool minimised) { S().minimised = minimised; }

void SetJoystick(const host::JoystickState* state) {
  S().joystick_present = state != nullptr;
  if (state != nullptr) S().joystick = *state;
}

uint64_t NowMs() { return S().now_us / 1000; }
void SetWallClock(int64_t seconds_since_epoch) { S().wall_clock = seconds_since_epoch; }

}  // namespace headless

namespace host {

bool CreateWindow(const char*, const char*, int, int, IconImage, IconImage) {
  if (S().fail_window) return false;
  S().window = true;
  S().script.insert(S().script.begin(), Scheduled{Event{EventKind::FocusGained}, false, 0});
  return true;
}

void DestroyWindow() {
  S().window = false;
  S().display = false;
}

bool OpenDisplay() {
  if (!S().window || S().fail_display) return false;
  S().display = true;
  return true;
}

int SetFullscreen(bool fullscreen) {
  if (!S().window || S().fail_fullscreen) return -1;
  if (S().fullscreen != fullscreen) ++S().switches;
  S().fullscreen = fullscreen;
  return 0;
}

void ShowCursor(bool show) { S().cursor = show; }

void MessageBox(const char* text, const char*, bool) { S().boxes.emplace_back(text); }

int Present(const uint32_t* pixels, int width, int height) {
  S().now_us += kFrameUs;
  if (S().minimised) return 0;
  if (S().fail_present || !S().display) return -1;
  const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
  S().last_frame.assign(pixels, pixels + n);
  ++S().presents;
  return 0;
}

bool PollEvent(Event& event) {
  auto& script = S().script;
  const auto it = std::find_if(script.begin(), script.end(), Due);
  if (it == script.end()) return false;
  event = it->event;
  script.erase(it);
  return true;
}

void WaitEvent(int timeout_ms) { S().now_us += static_cast<uint64_t>(std::max(timeout_ms, 1)) * 1000; }

bool ReadJoystick(JoystickState& state) {
  if (!S().joystick_present) return false;
  state = S().joystick;
  return true;
}

uint64_t MonotonicMs() { return S().now_us / 1000; }
int64_t WallClockSeconds() { return S().wall_clock; }

}  // namespace host
