// Talking with a townsperson as a player does: she walks up to slot 0 of its group (the one
// every talk speaks through), presses the action button, and reads each line with the jump
// button until the talk is over.
//
//   WalkUpTo(game, 3);
//   game.PressButton(kButtonAction);
//   const TalkRecord talk = ReadTalk(game, 3);
//   EXPECT_EQ(talk.lines[0], (ShownLine{"ロドリゲス・ホーン：", "「こんにはトヴィアちゃん。」", 1}));
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class FrameHarness;

// One line as the message window showed it: the speaker, the text and OpenMessage's last argument.
struct ShownLine {
  std::string speaker, text;
  uint32_t flags;
  bool operator==(const ShownLine&) const = default;
};
// Printed in UTF-8.
void PrintTo(const ShownLine& line, std::ostream* out);

struct TalkRecord {
  std::vector<ShownLine> lines;
  bool held = true;        // she and the group's slot 0 were held (Control 1) while each line showed
  int frames = 0;          // how long it ran
  bool ended = false;      // the talk ended (SubMode back to 0) within the frames allowed
};

// Holds the pad's left or right until her body's middle is within 24 pixels of the middle of
// slot 0's, then lets go. False when she did not get there within the frames allowed.
bool WalkUpTo(FrameHarness& game, int group);
// Runs frames, pressing and releasing the jump button, while the talk with the group stands;
// `each_frame` is called after every one of them.
TalkRecord ReadTalk(FrameHarness& game, int group, const std::function<void()>& each_frame = {});
// WalkUpTo, the action button, ReadTalk.
TalkRecord TalkWith(FrameHarness& game, int group, const std::function<void()>& each_frame = {});
