// Plays the game's menus as a player does: presses a button for one frame and lets it go for
// one, moves the arrow of the open list to a line and confirms it. Each frame is the harness's
// frame, followed by `after_frame` for a step machine that a test runs itself.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "platform/input.h"
#include "support/frame_harness.h"
#include "world/message_window.h"

class MenuPlayer {
 public:
  explicit MenuPlayer(FrameHarness& game, std::function<void()> after_frame = {})
      : game_(game), after_frame_(std::move(after_frame)) {}

  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      game_.Run(1);
      if (after_frame_) after_frame_();
    }
  }
  // The button's key is looked up once: a capture in the button list may give its bit to
  // another key while it is down.
  void Press(int button) {
    const uint8_t key = KeyOf(button);
    game_.Hold(key);
    Frames(1);
    game_.Release(key);
    Frames(1);
  }
  // Moves the arrow to `line`, confirms it with the jump button and runs one frame more, in
  // which the menu opens whatever the line leads to.
  void Pick(int line) {
    ASSERT_EQ(MessageWindow.open, 1u) << "no list is open";
    ASSERT_LT(line, MessageWindow.choice_count);
    for (int moves = 0; static_cast<int>(MessageWindow.selected) != line; ++moves) {
      ASSERT_LT(moves, 10) << "the arrow does not reach line " << line;
      Press(static_cast<int>(MessageWindow.selected) < line ? kButtonDown : kButtonUp);
    }
    Press(kButtonJump);
    Frames(1);
  }
  // Cancels the open list with the action button, and the frame after.
  void Cancel() {
    Press(kButtonAction);
    Frames(1);
  }

 private:
  static uint8_t KeyOf(int button) {
    for (const KeyBinding& k : KeyBindings) {
      if (k.bit == 0) break;
      if (k.bit == ButtonBits[button]) return static_cast<uint8_t>(k.vk);
    }
    return 0;
  }

  FrameHarness& game_;
  std::function<void()> after_frame_;
};
