#include "platform/input.h"

#include <algorithm>
#include <iterator>

#include "platform/host.h"
#include "platform/keys.h"
#include "platform/messages.h"

KeyBinding KeyBindings[kMaxKeyBindings + 1] = {};
JoystickCalibrationTable JoystickCalibration = {-1, {}};

namespace {

// The fixed direction bits of the joystick's axes and hat.
constexpr uint32_t kUpBit = 1;
constexpr uint32_t kDownBit = 2;
constexpr uint32_t kLeftBit = 4;
constexpr uint32_t kRightBit = 8;

// The platform offers one joystick slot, joystick 0, whether or not a stick is plugged in, so
// a stick plugged in later is read too.
constexpr int kJoystickSlots = 1;
// Every backend reports each axis from 0 to 65535.
constexpr uint32_t kAxisMin = 0;
constexpr uint32_t kAxisMax = 65535;

// Half range and centre of one axis from its extremes.
void CalibrateAxis(uint32_t min, uint32_t max, uint32_t& centre, uint32_t& range) {
  range = (max - min) >> 1;
  centre = min + range;
}

// -1 below the dead zone around the centre, +1 above it, 0 inside.
int AxisDirection(uint32_t value, uint32_t centre, uint32_t range) {
  const int64_t dead_zone = range / 4;
  const int64_t v = value;
  if (v < static_cast<int64_t>(centre) - dead_zone) return -1;
  if (v > static_cast<int64_t>(centre) + dead_zone) return 1;
  return 0;
}

// The hat's position in hundredths of a degree as direction bits; centred gives none.
uint32_t HatBits(uint32_t pov) {
  static constexpr struct {
    uint32_t pov;
    uint32_t bits;
  } kHat[] = {{0, kUpBit},
              {4500, kUpBit | kRightBit},
              {9000, kRightBit},
              {13500, kDownBit | kRightBit},
              {18000, kDownBit},
              {22500, kDownBit | kLeftBit},
              {27000, kLeftBit},
              {31500, kUpBit | kLeftBit}};
  for (const auto& h : kHat) {
    if (h.pov == pov) return h.bits;
  }
  return 0;
}

uint32_t ReadKeyboard() {
  uint32_t mask = 0;
  for (int i = 0; i <= kMaxKeyBindings && KeyBindings[i].bit != 0; ++i) {
    if (IsKeyDown(static_cast<int>(KeyBindings[i].vk))) mask |= KeyBindings[i].bit;
  }
  return mask;
}

// Joystick 0's bits; false when it could not be read.
bool ReadJoystick(uint32_t& mask, InputRecord* record) {
  host::JoystickState state;
  if (!host::ReadJoystick(state)) return false;
  const JoystickAxes& c = JoystickCalibration.joysticks[0];
  const int x = AxisDirection(state.x, c.x_centre, c.x_range);
  const int y = AxisDirection(state.y, c.y_centre, c.y_range);
  if (x < 0) mask |= kLeftBit;
  if (x > 0) mask |= kRightBit;
  if (y < 0) mask |= kUpBit;
  if (y > 0) mask |= kDownBit;
  mask |= HatBits(state.pov);
  mask |= (state.buttons & 0xFFFF) << 4;  // button n (1-based) is bit 1 << (n + 3)
  if (record != nullptr) {
    record->x = static_cast<int32_t>(state.x - c.x_centre);
    record->y = static_cast<int32_t>(state.y - c.y_centre);
    record->z = static_cast<int32_t>(state.z - c.z_centre);
    record->r = static_cast<int32_t>(state.r - c.r_centre);
    record->x_range = c.x_range;
    record->y_range = c.y_range;
    record->z_range = c.z_range;
    record->r_range = c.r_range;
  }
  return true;
}

// Without a joystick the record shows the direction keys as a stick at its extremes.
void KeysAsStick(uint32_t mask, InputRecord& record) {
  record.x = ((mask & kRightBit) ? 1 : 0) - ((mask & kLeftBit) ? 1 : 0);
  record.y = ((mask & kDownBit) ? 1 : 0) - ((mask & kUpBit) ? 1 : 0);
  record.x_range = 1;
  record.y_range = 1;
  record.z_range = 0;
  record.r_range = 0;
}

}  // namespace

// ---- devices -------------------------------------------------------------------------------

int InitJoysticks() {
  // Every slot gets the backends' fixed axis range, so the calibration is the same whether the
  // stick was plugged in at start or later (calibrating an absent stick would give it centre 0
  // and range 0, and it would read right and down for ever once plugged in).
  JoystickCalibration.count = std::min(kJoystickSlots, kMaxJoysticks);
  for (int i = 0; i < JoystickCalibration.count; ++i) {
    JoystickAxes& a = JoystickCalibration.joysticks[i];
    CalibrateAxis(kAxisMin, kAxisMax, a.x_centre, a.x_range);
    CalibrateAxis(kAxisMin, kAxisMax, a.y_centre, a.y_range);
    CalibrateAxis(kAxisMin, kAxisMax, a.z_centre, a.z_range);
    CalibrateAxis(kAxisMin, kAxisMax, a.r_centre, a.r_range);
  }
  return JoystickCalibration.count;
}

void SampleInput() {
  for (int k = kHistoryLength - 1; k > 0; --k) ButtonHistory[k] = ButtonHistory[k - 1];
  ButtonHistory[0] = ReadButtons();
}

uint32_t ReadButtons() { return ReadInputBits(); }

uint32_t ReadInputBits() { return ReadInputDevices(nullptr); }

uint32_t ReadInputDevices(InputRecord* record) {
  if (record != nullptr) *record = InputRecord{};
  if (JoystickCalibration.count < 0) return 0;
  uint32_t mask = ReadKeyboard();
  const bool joystick_read = JoystickCalibration.count > 0 && ReadJoystick(mask, record);
  if (record != nullptr) {
    if (!joystick_read) KeysAsStick(mask, *record);
    record->buttons = mask;
  }
  return mask;
}

// ---- queries -------------------------------------------------------------------------------

namespace {
bool AllSet(uint32_t value, uint32_t mask) { return (value & mask) == mask; }
}  // namespace

bool IsButtonHeld(uint32_t mask) { return AllSet(ButtonHistory[0], mask); }

bool IsButtonPressed(uint32_t mask) {
  if (InputLock == 1 || !AllSet(ButtonHistory[0], mask)) return false;
  return !AllSet(ButtonHistory[1], mask);
}

int IsButtonRepeat(uint32_t mask) {
  if (InputLock == 1 || !AllSet(ButtonHistory[0], mask)) return 0;
  if (!AllSet(ButtonHistory[1], mask)) return 1;
  for (const uint32_t past : ButtonHistory) {
    if (!AllSet(past, mask)) return 0;
  }
  return 1;
}

uint32_t GetChangedButtons() { return ButtonHistory[0] != ButtonHistory[1] ? ButtonHistory[0] : 0; }

int NoButtonHeld() { return ButtonHistory[0] == 0 ? 1 : 0; }

// ---- tables --------------------------------------------------------------------------------

void ClearButtonHistory() { std::fill(std::begin(ButtonHistory), std::end(ButtonHistory), 0u); }

uint32_t DefaultButtonBit(int entry) {
  static constexpr uint32_t kDefaultBits[kButtonCount] = {1, 2, 4, 8, 16, 32, 64, 128, 1024, 256, 2048, 512, 8192, 4096};
  return entry >= 0 && entry < kButtonCount ? kDefaultBits[entry] : 0;
}

void SetDefaultKeys() {
  for (int i = 0; i < kButtonCount; ++i) ButtonBits[i] = DefaultButtonBit(i);
  RebuildKeyTable();
}

void RebuildKeyTable() {
  // Each button's first key in button order, then the second keys of the arrows, jump and menu.
  // A letter's virtual key is the code of its capital.
  static constexpr struct {
    int button;
    uint8_t vk;
  } kKeys[kMaxKeyBindings] = {
      {kButtonUp, vk::Up},           {kButtonDown, vk::Down},       {kButtonLeft, vk::Left},
      {kButtonRight, vk::Right},     {kButtonJump, 'Z'},            {kButtonAction, 'X'},
      {kButtonItem, 'C'},            {kButtonMagic, 'V'},           {kButtonItemLeft, 'A'},
      {kButtonMagicLeft, 'D'},       {kButtonItemRight, 'S'},       {kButtonMagicRight, 'F'},
      {kButtonMenu, 'Q'},            {kButtonSpare, 'E'},           {kButtonUp, vk::Numpad0 + 8},
      {kButtonDown, vk::Numpad0 + 2}, {kButtonLeft, vk::Numpad0 + 4}, {kButtonRight, vk::Numpad0 + 6},
      {kButtonJump, vk::Space},      {kButtonMenu, vk::Escape},
  };
  for (int i = 0; i < kMaxKeyBindings; ++i) KeyBindings[i] = KeyBinding{ButtonBits[kKeys[i].button], kKeys[i].vk};
  KeyBindings[kMaxKeyBindings] = KeyBinding{0, 0};
}
