// The input: the keyboard and joystick 0, read once per frame into one mask of logical buttons.
//
// The game never asks the devices: it asks the history of the last 32 masks whether a button is
// held, newly pressed, repeating or changed. `ButtonHistory` and `ButtonBits` live in the save
// block; `InputLock` too.
#pragma once

#include <cstdint>

#include "world/save_block.h"

// The logical buttons: indices into `ButtonBits`.
enum Button : int {
  kButtonUp = 0,
  kButtonDown = 1,
  kButtonLeft = 2,
  kButtonRight = 3,
  kButtonJump = 4,    // also confirm in menus
  kButtonAction = 5,  // talk, shoot; also cancel in menus
  kButtonItem = 6,
  kButtonMagic = 7,
  kButtonItemLeft = 8,
  kButtonMagicLeft = 9,
  kButtonItemRight = 10,
  kButtonMagicRight = 11,
  kButtonMenu = 12,
  kButtonSpare = 13,  // no function of its own
};
constexpr int kButtonCount = 14;
constexpr int kHistoryLength = 32;

// One (button bit, virtual key) pair of the keyboard table; a pair whose bit is 0 ends it.
struct KeyBinding {
  uint32_t bit;
  uint32_t vk;
};
constexpr int kMaxKeyBindings = 20;
extern KeyBinding KeyBindings[kMaxKeyBindings + 1];

// What one reading of the devices gives: the mask, the joystick's axes as offsets from their
// centres and the axes' half ranges. Only the mask is used by the game.
struct InputRecord {
  uint32_t buttons;
  int32_t x, y, z, r;
  uint32_t x_range, y_range, z_range, r_range;
};

// The centre and half range of each axis of one joystick.
struct JoystickAxes {
  uint32_t x_centre, x_range, y_centre, y_range, z_centre, z_range, r_centre, r_range;
};
constexpr int kMaxJoysticks = 8;
struct JoystickCalibrationTable {
  int32_t count;  // -1 until InitJoysticks ran
  JoystickAxes joysticks[kMaxJoysticks];
};
extern JoystickCalibrationTable JoystickCalibration;

// ---- devices -------------------------------------------------------------------------------
// Start-up: calibrates the joysticks and returns their count.
int InitJoysticks();
// Once per frame, first thing: the history moves on by one and the new reading becomes mask 0.
void SampleInput();
uint32_t ReadButtons();
uint32_t ReadInputBits();
// Reads the keyboard through `KeyBindings` and joystick 0; fills `record` when one is given.
uint32_t ReadInputDevices(InputRecord* record);

// ---- queries -------------------------------------------------------------------------------
// Every bit of mask is set this frame. Not affected by the input lock.
bool IsButtonHeld(uint32_t mask);
// Every bit of mask is set this frame and was not all set the frame before; false while locked.
bool IsButtonPressed(uint32_t mask);
// 1 on the first frame of a press and on every frame once mask was held for all 32 frames of
// the history; 0 while locked.
int IsButtonRepeat(uint32_t mask);
// This frame's mask when it differs from the previous frame's, else 0. Not affected by the lock.
uint32_t GetChangedButtons();
// 1 when no button is held this frame.
int NoButtonHeld();

// ---- tables --------------------------------------------------------------------------------
void ClearButtonHistory();
// The default button bits and keys.
void SetDefaultKeys();
// The bit that logical button `entry` stands for by default.
uint32_t DefaultButtonBit(int entry);
// The default keys again, with the button bits as they are now (after a joypad reassignment).
void RebuildKeyTable();
