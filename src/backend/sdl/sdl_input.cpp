// Events, keys and the joystick on SDL.
#include <array>
#include <ctime>

#include "backend/sdl/sdl_internal.h"
#include "platform/keys.h"

namespace {

constexpr int kPendingSize = 16;
std::array<host::Event, kPendingSize> pending;
int pending_count = 0;

// The virtual key each physical key went down as, so that its release matches even when Num
// Lock changed in between.
std::array<uint8_t, SDL_NUM_SCANCODES> down_as{};

SDL_Joystick* joystick = nullptr;

// Keypad keys give digits while Num Lock is on and the navigation keys printed beside them
// while it is off, as the game's key tables expect.
uint8_t KeypadVk(SDL_Scancode sc, bool num_lock) {
  struct Pad {
    SDL_Scancode sc;
    uint8_t with_num_lock;
    uint8_t without;
  };
  static constexpr Pad kPad[] = {
      {SDL_SCANCODE_KP_0, vk::Numpad0 + 0, vk::Insert},   {SDL_SCANCODE_KP_1, vk::Numpad0 + 1, vk::End},
      {SDL_SCANCODE_KP_2, vk::Numpad0 + 2, vk::Down},     {SDL_SCANCODE_KP_3, vk::Numpad0 + 3, vk::PageDown},
      {SDL_SCANCODE_KP_4, vk::Numpad0 + 4, vk::Left},     {SDL_SCANCODE_KP_5, vk::Numpad0 + 5, 12},
      {SDL_SCANCODE_KP_6, vk::Numpad0 + 6, vk::Right},    {SDL_SCANCODE_KP_7, vk::Numpad0 + 7, vk::Home},
      {SDL_SCANCODE_KP_8, vk::Numpad0 + 8, vk::Up},       {SDL_SCANCODE_KP_9, vk::Numpad0 + 9, vk::PageUp},
      {SDL_SCANCODE_KP_PERIOD, vk::Decimal, vk::Delete},
  };
  for (const Pad& p : kPad) {
    if (p.sc == sc) return num_lock ? p.with_num_lock : p.without;
  }
  switch (sc) {
    case SDL_SCANCODE_KP_ENTER: return vk::Return;
    case SDL_SCANCODE_KP_MULTIPLY: return vk::Multiply;
    case SDL_SCANCODE_KP_PLUS: return vk::Add;
    case SDL_SCANCODE_KP_MINUS: return vk::Subtract;
    case SDL_SCANCODE_KP_DIVIDE: return vk::Divide;
    default: return 0;
  }
}

uint8_t KeyVk(const SDL_Keysym& key) {
  const SDL_Scancode sc = key.scancode;
  if (sc >= SDL_SCANCODE_KP_DIVIDE && sc <= SDL_SCANCODE_KP_PERIOD) return KeypadVk(sc, (key.mod & KMOD_NUM) != 0);
  if (sc == SDL_SCANCODE_INTERNATIONAL3) return vk::Oem5;  // the yen key
  const SDL_Keycode k = key.sym;
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<uint8_t>(vk::KeyA + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<uint8_t>(vk::Key0 + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<uint8_t>(vk::F1 + (k - SDLK_F1));
  switch (k) {
    case SDLK_BACKSPACE: return vk::Back;
    case SDLK_TAB: return vk::Tab;
    case SDLK_RETURN: return vk::Return;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return vk::Shift;
    case SDLK_LCTRL: case SDLK_RCTRL: return vk::Control;
    case SDLK_LALT: case SDLK_RALT: return vk::Alt;
    case SDLK_PAUSE: return vk::Pause;
    case SDLK_CAPSLOCK: return vk::CapsLock;
    case SDLK_ESCAPE: return vk::Escape;
    case SDLK_SPACE: return vk::Space;
    case SDLK_PAGEUP: return vk::PageUp;
    case SDLK_PAGEDOWN: return vk::PageDown;
    case SDLK_END: return vk::End;
    case SDLK_HOME: return vk::Home;
    case SDLK_LEFT: return vk::Left;
    case SDLK_UP: return vk::Up;
    case SDLK_RIGHT: return vk::Right;
    case SDLK_DOWN: return vk::Down;
    case SDLK_INSERT: return vk::Insert;
    case SDLK_DELETE: return vk::Delete;
    case SDLK_NUMLOCKCLEAR: return vk::NumLock;
    case SDLK_SEMICOLON: case SDLK_COLON: return vk::OemSemicolon;
    case SDLK_EQUALS: return vk::OemPlus;
    case SDLK_COMMA: return vk::OemComma;
    case SDLK_MINUS: return vk::OemMinus;
    case SDLK_PERIOD: return vk::OemPeriod;
    case SDLK_SLASH: return vk::OemSlash;
    case SDLK_BACKQUOTE: case SDLK_AT: return vk::Oem3;
    case SDLK_LEFTBRACKET: return vk::Oem4;
    case SDLK_BACKSLASH: return vk::Oem5;
    case SDLK_RIGHTBRACKET: return vk::Oem6;
    case SDLK_QUOTE: case SDLK_CARET: return vk::Oem7;
    default: return 0;
  }
}

void OpenFirstJoystick() {
  if (joystick != nullptr) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    joystick = SDL_JoystickOpen(i);
    if (joystick != nullptr) return;
  }
}

// One SDL event as the game's event; false for events the game does not see.
bool Translate(const SDL_Event& e, host::Event& out) {
  using host::EventKind;
  switch (e.type) {
    case SDL_KEYDOWN: {
      const uint8_t v = KeyVk(e.key.keysym);
      if (v == 0) return false;
      down_as[e.key.keysym.scancode] = v;
      out = host::Event{EventKind::KeyDown, v, e.key.repeat != 0, (e.key.keysym.mod & KMOD_ALT) != 0};
      return true;
    }
    case SDL_KEYUP: {
      uint8_t v = down_as[e.key.keysym.scancode];
      if (v == 0) v = KeyVk(e.key.keysym);
      down_as[e.key.keysym.scancode] = 0;
      if (v == 0) return false;
      out = host::Event{EventKind::KeyUp, v};
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button != SDL_BUTTON_LEFT) return false;
      out = host::Event{EventKind::LeftClick};
      return true;
    case SDL_QUIT:
      out = host::Event{EventKind::Close};
      return true;
    case SDL_JOYDEVICEADDED:
      OpenFirstJoystick();
      return false;
    case SDL_JOYDEVICEREMOVED:
      if (joystick != nullptr && SDL_JoystickInstanceID(joystick) == e.jdevice.which) {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        OpenFirstJoystick();
      }
      return false;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          out = host::Event{EventKind::FocusGained};
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          down_as.fill(0);
          out = host::Event{EventKind::FocusLost};
          return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          sdl::RedrawWholeWindow();
          return false;
        case SDL_WINDOWEVENT_EXPOSED:
          sdl::RedrawWholeWindow();
          out = host::Event{EventKind::Exposed};
          return true;
        case SDL_WINDOWEVENT_CLOSE:
          out = host::Event{EventKind::Close};
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

uint32_t AxisValue(int axis) {
  if (joystick == nullptr || axis >= SDL_JoystickNumAxes(joystick)) return 32767;
  return static_cast<uint32_t>(SDL_JoystickGetAxis(joystick, axis) + 32768);
}

}  // namespace

namespace sdl {
void PushEvent(const host::Event& event) {
  if (pending_count < kPendingSize) pending[pending_count++] = event;
}
}  // namespace sdl

namespace host {

bool PollEvent(Event& event) {
  if (pending_count > 0) {
    event = pending[0];
    for (int i = 1; i < pending_count; ++i) pending[i - 1] = pending[i];
    --pending_count;
    return true;
  }
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (Translate(e, event)) return true;
  }
  return false;
}

void WaitEvent(int timeout_ms) {
  if (pending_count > 0) return;
  SDL_WaitEventTimeout(nullptr, timeout_ms);
}

bool ReadJoystick(JoystickState& state) {
  if (joystick == nullptr) OpenFirstJoystick();
  if (joystick == nullptr || !SDL_JoystickGetAttached(joystick)) return false;
  state.x = AxisValue(0);
  state.y = AxisValue(1);
  state.z = AxisValue(2);
  state.r = AxisValue(3);
  // The hat as an angle in hundredths of a degree, clockwise from up.
  static constexpr struct {
    Uint8 hat;
    uint32_t pov;
  } kHat[] = {{SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 4500},  {SDL_HAT_RIGHT, 9000},
              {SDL_HAT_RIGHTDOWN, 13500}, {SDL_HAT_DOWN, 18000}, {SDL_HAT_LEFTDOWN, 22500},
              {SDL_HAT_LEFT, 27000},     {SDL_HAT_LEFTUP, 31500}};
  state.pov = 65535;
  if (SDL_JoystickNumHats(joystick) > 0) {
    const Uint8 h = SDL_JoystickGetHat(joystick, 0);
    for (const auto& entry : kHat) {
      if (entry.hat == h) state.pov = entry.pov;
    }
  }
  state.buttons = 0;
  const int buttons = SDL_JoystickNumButtons(joystick);
  for (int i = 0; i < buttons && i < 16; ++i) {
    if (SDL_JoystickGetButton(joystick, i)) state.buttons |= 1u << i;
  }
  return true;
}

uint64_t MonotonicMs() { return SDL_GetTicks64(); }

int64_t WallClockSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace host
