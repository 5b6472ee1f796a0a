// Virtual-key codes: the numbers the game's key tables and its window procedure use for keys.
// The backends translate their own key events into these.
#pragma once

#include <cstdint>

namespace vk {
constexpr uint8_t Back = 8;
constexpr uint8_t Tab = 9;
constexpr uint8_t Return = 13;
constexpr uint8_t Shift = 16;
constexpr uint8_t Control = 17;
constexpr uint8_t Alt = 18;
constexpr uint8_t Pause = 19;
constexpr uint8_t CapsLock = 20;
constexpr uint8_t Escape = 27;
constexpr uint8_t Space = 32;
constexpr uint8_t PageUp = 33;
constexpr uint8_t PageDown = 34;
constexpr uint8_t End = 35;
constexpr uint8_t Home = 36;
constexpr uint8_t Left = 37;
constexpr uint8_t Up = 38;
constexpr uint8_t Right = 39;
constexpr uint8_t Down = 40;
constexpr uint8_t Insert = 45;
constexpr uint8_t Delete = 46;
constexpr uint8_t Key0 = 48;  // '0'..'9' are 48..57
constexpr uint8_t KeyA = 65;  // 'A'..'Z' are 65..90
constexpr uint8_t Numpad0 = 96;  // numpad 0..9 are 96..105 while Num Lock is on
constexpr uint8_t Multiply = 106;
constexpr uint8_t Add = 107;
constexpr uint8_t Subtract = 109;
constexpr uint8_t Decimal = 110;
constexpr uint8_t Divide = 111;
constexpr uint8_t F1 = 112;  // F1..F12 are 112..123
constexpr uint8_t F2 = 113;
constexpr uint8_t F10 = 121;
constexpr uint8_t NumLock = 144;
constexpr uint8_t OemSemicolon = 186;  // ';' on a US layout
constexpr uint8_t OemPlus = 187;
constexpr uint8_t OemComma = 188;
constexpr uint8_t OemMinus = 189;
constexpr uint8_t OemPeriod = 190;
constexpr uint8_t OemSlash = 191;
constexpr uint8_t Oem3 = 192;  // '`' on a US layout, '@' on a Japanese one
constexpr uint8_t Oem4 = 219;  // '['
constexpr uint8_t Oem5 = 220;  // '\' (the yen key on a Japanese layout)
constexpr uint8_t Oem6 = 221;  // ']'
constexpr uint8_t Oem7 = 222;  // '\'' on a US layout, '^' on a Japanese one
}  // namespace vk
