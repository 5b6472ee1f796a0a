// Playing the title screen and the opening as a player does: a button skips the title's demo,
// Down and the jump button pick a line of a menu, and the jump button, tapped, closes each line
// of the opening until it is over.
//
//   FrameHarness game;
//   ASSERT_TRUE(ReachTitleMenu(game));   // the new game, the demo skipped, the menu open
//   ChooseLine(game, 0);                 // "最初から始める"
//   const OpeningRecord opening = PlayOpening(game);
//   EXPECT_TRUE(opening.ended);
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "support/town_talk.h"

class FrameHarness;

// Runs frames until SceneStep is `step` while the title stands (SubMode 8, stage 1); false when
// it did not come within `cap` frames.
bool RunToTitleStep(FrameHarness& game, int32_t step, int cap = 2000);
// From wherever the title is (its first frame included): one key tapped to skip the demo, then
// frames until the title menu waits for a choice.
bool ReachTitleMenu(FrameHarness& game);
// Down pressed `line` times, then the jump button, and one frame more: the one in which the
// menu's owner has taken the choice and gone on to its next step.
void ChooseLine(FrameHarness& game, int line);

struct OpeningRecord {
  std::vector<ShownLine> lines;  // every line the window showed, in order
  int frames = 0;
  bool ended = false;  // the opening was over (SubMode 0) within the frames allowed
};
// Runs the opening, tapping the jump button while a line is open and the keys `tapped` on every
// other frame all the while, until it ends; `each_frame` is called after every frame.
OpeningRecord PlayOpening(FrameHarness& game, const std::vector<uint8_t>& tapped = {},
                          const std::function<void()>& each_frame = {});
