// The input: keys and joystick 0 into button masks, the history and its queries, the lock.
#include "platform/input.h"

#include <gtest/gtest.h>

#include "backend/headless/headless.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "support/game_reset.h"

namespace {

class InputTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    InitJoysticks();
    SetDefaultKeys();
    ClearButtonHistory();
  }
  void TearDown() override { ResetGameState(); }

  // Delivers one event through the message queue, as the game's loop would take it in.
  static void Deliver(const host::Event& e) {
    headless::ScheduleEvent(e, headless::NowMs());
    Message m;
    while (GetMessage(m)) {
    }
  }
  static void Press(uint8_t key) { Deliver(headless::KeyDown(key)); }
  static void Release(uint8_t key) { Deliver(headless::KeyUp(key)); }
  // The mask one frame samples with only `key` down.
  static uint32_t MaskOfKey(uint8_t key) {
    Press(key);
    const uint32_t mask = ReadButtons();
    Release(key);
    return mask;
  }
  static host::JoystickState Centred() { return host::JoystickState{}; }
  static uint32_t MaskOfStick(const host::JoystickState& s) {
    headless::SetJoystick(&s);
    return ReadButtons();
  }
};

TEST_F(InputTest, DefaultKeyTable) {
  const KeyBinding expected[] = {{1, 38},    {2, 40},    {4, 37},    {8, 39},   {16, 90},   {32, 88},  {64, 67},
                                 {128, 86},  {1024, 65}, {256, 68},  {2048, 83}, {512, 70},  {8192, 81}, {4096, 69},
                                 {1, 104},   {2, 98},    {4, 100},   {8, 102},  {16, 32},   {8192, 27}, {0, 0}};
  for (int i = 0; i <= kMaxKeyBindings; ++i) {
    EXPECT_EQ(KeyBindings[i].bit, expected[i].bit) << "pair " << i;
    EXPECT_EQ(KeyBindings[i].vk, expected[i].vk) << "pair " << i;
  }
  const uint32_t bits[kButtonCount] = {1, 2, 4, 8, 16, 32, 64, 128, 1024, 256, 2048, 512, 8192, 4096};
  for (int i = 0; i < kButtonCount; ++i) EXPECT_EQ(ButtonBits[i], bits[i]) << "button " << i;
}

TEST_F(InputTest, EveryBoundKeyGivesItsButtonAndNoOther) {
  for (int i = 0; i < kMaxKeyBindings; ++i) {
    EXPECT_EQ(MaskOfKey(static_cast<uint8_t>(KeyBindings[i].vk)), KeyBindings[i].bit) << "key " << KeyBindings[i].vk;
  }
  EXPECT_EQ(MaskOfKey('B'), 0u);
  EXPECT_EQ(MaskOfKey(vk::Return), 0u);
}

TEST_F(InputTest, KeypadArrowsWorkWithNumLockOnAndOff) {
  // With Num Lock on the keypad gives its digits, with it off the arrows printed beside them.
  EXPECT_EQ(MaskOfKey(vk::Numpad0 + 8), 1u);
  EXPECT_EQ(MaskOfKey(vk::Numpad0 + 2), 2u);
  EXPECT_EQ(MaskOfKey(vk::Numpad0 + 4), 4u);
  EXPECT_EQ(MaskOfKey(vk::Numpad0 + 6), 8u);
  EXPECT_EQ(MaskOfKey(vk::Up), 1u);
  EXPECT_EQ(MaskOfKey(vk::Down), 2u);
  EXPECT_EQ(MaskOfKey(vk::Left), 4u);
  EXPECT_EQ(MaskOfKey(vk::Right), 8u);
  // The keypad's middle key is no direction either way.
  EXPECT_EQ(MaskOfKey(vk::Numpad0 + 5), 0u);
  EXPECT_EQ(MaskOfKey(12), 0u);
}

TEST_F(InputTest, NothingIsReadBeforeTheJoysticksAreInitialised) {
  JoystickCalibration.count = -1;
  Press('Z');
  const host::JoystickState s{.buttons = 1};
  headless::SetJoystick(&s);
  EXPECT_EQ(ReadButtons(), 0u);
}

TEST_F(InputTest, WithoutAJoystickOnlyTheKeyboardActs) {
  EXPECT_EQ(InitJoysticks(), 1);  // the slot is there with nothing plugged in
  EXPECT_EQ(ReadButtons(), 0u);
  Press(vk::Left);
  Press(vk::Up);
  InputRecord record;
  EXPECT_EQ(ReadInputDevices(&record), 5u);
  // The record shows the direction keys as a stick.
  EXPECT_EQ(record.buttons, 5u);
  EXPECT_EQ(record.x, -1);
  EXPECT_EQ(record.y, -1);
  EXPECT_EQ(record.x_range + record.y_range + record.z_range + record.r_range, 2u);
}

TEST_F(InputTest, AStickPluggedInAfterStartHasADeadZoneAroundItsCentre) {
  // The joysticks were calibrated with nothing plugged in; the stick arrives now. Its dead zone
  // is 32767 / 4 = 8191 either side of the centre 32767.
  host::JoystickState s = Centred();
  EXPECT_EQ(MaskOfStick(s), 0u);
  s.x = 32767 - 8191;
  EXPECT_EQ(MaskOfStick(s), 0u);
  s.x = 32767 - 8192;
  EXPECT_EQ(MaskOfStick(s), 4u);
  s.x = 32767 + 8191;
  EXPECT_EQ(MaskOfStick(s), 0u);
  s.x = 32767 + 8192;
  EXPECT_EQ(MaskOfStick(s), 8u);
  s = Centred();
  s.y = 0;
  EXPECT_EQ(MaskOfStick(s), 1u);
  s.y = 65535;
  EXPECT_EQ(MaskOfStick(s), 2u);
  s.x = 0;
  s.z = 0;
  s.r = 65535;  // Z and R give no bits
  EXPECT_EQ(MaskOfStick(s), 2u | 4u);
}

TEST_F(InputTest, HatPositionsIncludingDiagonals) {
  const struct {
    uint32_t pov, bits;
  } kCases[] = {{0, 1},     {4500, 9},  {9000, 8},  {13500, 10}, {18000, 2},
                {22500, 6}, {27000, 4}, {31500, 5}, {65535, 0},  {1000, 0}};
  for (const auto& c : kCases) {
    host::JoystickState s = Centred();
    s.pov = c.pov;
    EXPECT_EQ(MaskOfStick(s), c.bits) << "hat at " << c.pov;
  }
}

TEST_F(InputTest, JoystickButtonsOneToSixteen) {
  const struct {
    uint32_t buttons, bits;
  } kCases[] = {{1u << 0, 16}, {1u << 1, 32}, {1u << 9, 8192}, {1u << 15, 1u << 19}, {1u << 16, 0}};
  for (const auto& c : kCases) {
    host::JoystickState s = Centred();
    s.buttons = c.buttons;
    EXPECT_EQ(MaskOfStick(s), c.bits) << "buttons " << c.buttons;
  }
}

TEST_F(InputTest, JumpReassignedToJoystickButtonThree) {
  ButtonBits[kButtonJump] = 64;
  RebuildKeyTable();
  EXPECT_EQ(MaskOfKey('Z'), 64u);
  EXPECT_EQ(MaskOfKey(vk::Space), 64u);
  host::JoystickState s = Centred();
  s.buttons = 1u << 2;
  EXPECT_EQ(MaskOfStick(s), 64u);
  SampleInput();
  EXPECT_TRUE(IsButtonHeld(ButtonBits[kButtonJump]));
  EXPECT_FALSE(IsButtonHeld(16));
  // The restore of the defaults brings the keys back to bit 16.
  headless::SetJoystick(nullptr);
  SetDefaultKeys();
  EXPECT_EQ(MaskOfKey('Z'), 16u);
}

TEST_F(InputTest, HistoryKeepsTheLast32Masks) {
  host::JoystickState s = Centred();
  for (uint32_t frame = 0; frame < 40; ++frame) {
    s.buttons = frame;
    headless::SetJoystick(&s);
    SampleInput();
  }
  for (uint32_t k = 0; k < 32; ++k) EXPECT_EQ(ButtonHistory[k], (39 - k) << 4) << "frame -" << k;
  ClearButtonHistory();
  for (const uint32_t mask : ButtonHistory) EXPECT_EQ(mask, 0u);
}

TEST_F(InputTest, PressedOnlyOnTheFirstFrameOfAllBits) {
  Press('Z');
  SampleInput();
  EXPECT_TRUE(IsButtonPressed(16));
  EXPECT_FALSE(IsButtonPressed(16 | 1));  // up is not held
  SampleInput();
  EXPECT_FALSE(IsButtonPressed(16));
  EXPECT_TRUE(IsButtonHeld(16));
  Press(vk::Up);
  SampleInput();
  EXPECT_TRUE(IsButtonPressed(16 | 1));  // the pair is complete only now
  EXPECT_FALSE(IsButtonPressed(16));
  Release('Z');
  Release(vk::Up);
  SampleInput();
  EXPECT_FALSE(IsButtonHeld(16));
  Press('Z');
  SampleInput();
  EXPECT_TRUE(IsButtonPressed(16));
}

TEST_F(InputTest, TheLockSilencesPressAndRepeatButNotHeldOrChanged) {
  InputLock = 1;
  Press('Z');
  SampleInput();
  EXPECT_TRUE(IsButtonHeld(16));
  EXPECT_FALSE(IsButtonPressed(16));
  EXPECT_EQ(IsButtonRepeat(16), 0);
  EXPECT_EQ(GetChangedButtons(), 16u);
  for (int i = 0; i < 40; ++i) SampleInput();
  EXPECT_EQ(IsButtonRepeat(16), 0);
  InputLock = 0;
  EXPECT_EQ(IsButtonRepeat(16), 1);
  EXPECT_FALSE(IsButtonPressed(16));  // it was already held: unlocking makes no new press
}

TEST_F(InputTest, RepeatStartsAfter32FramesAndRestartsAfterARelease) {
  Press(vk::Down);
  for (int frame = 1; frame <= 40; ++frame) {
    SampleInput();
    const int expected = frame == 1 || frame >= 32 ? 1 : 0;
    EXPECT_EQ(IsButtonRepeat(2), expected) << "frame " << frame;
  }
  Release(vk::Down);
  SampleInput();
  EXPECT_EQ(IsButtonRepeat(2), 0);
  Press(vk::Down);
  for (int frame = 1; frame <= 32; ++frame) {
    SampleInput();
    const int expected = frame == 1 || frame == 32 ? 1 : 0;
    EXPECT_EQ(IsButtonRepeat(2), expected) << "frame " << frame << " after the release";
  }
}

TEST_F(InputTest, ChangedButtons) {
  SampleInput();
  EXPECT_EQ(NoButtonHeld(), 1);
  Press('C');
  SampleInput();
  EXPECT_EQ(GetChangedButtons(), 64u);
  SampleInput();
  EXPECT_EQ(GetChangedButtons(), 0u);
  Release('C');
  SampleInput();
  EXPECT_EQ(GetChangedButtons(), 0u);  // a change to nothing reads as nothing
}

}  // namespace
