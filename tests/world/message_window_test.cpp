#include "world/message_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "audio/sound_slots.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "app/winmain.h"
#include "platform/keys.h"
#include "support/game_reset.h"
#include "support/played_sounds.h"
#include "world/save_block.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kCream = 0xFFEEAA;
constexpr uint32_t kShadow = 0x5A4646;

class MessageWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    LoadSoundEffects(MainWindow);
    SetDefaultKeys();
    InitCounters();
    MessageWindow = MessageWindowRecord{};
    TextEntry = TextEntryRecord{};
  }
  void TearDown() override { ResetGameState(); }

  // One frame with these logical buttons held: the window runs on a black picture.
  int32_t Frame(uint32_t held = 0) {
    for (int k = kHistoryLength - 1; k > 0; --k) ButtonHistory[k] = ButtonHistory[k - 1];
    ButtonHistory[0] = held;
    FillRectColor(0, 0, 640, 480, 0);
    const int32_t result = UpdateMessage();
    TickFrame();
    return result;
  }
  // A press: the button down for one frame, then up.
  int32_t Press(int button) {
    const int32_t r = Frame(ButtonBits[button]);
    return r == 255 ? Frame() : r;
  }
  static uint32_t At(int x, int y) { return Surfaces[kBackBuffer].At(x, y); }
  // Whether any pixel of the colour lies in the rectangle.
  static bool Has(uint32_t colour, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }
};

TEST_F(MessageWindowTest, PagesAreCountedBy144Bytes) {
  const std::string page(144, 'a');
  ASSERT_EQ(OpenMessage(24, 0, 0, "", page.c_str(), nullptr, 1), 0);
  EXPECT_EQ(MessageWindow.page_count, 1u);
  CloseMessage();
  ASSERT_EQ(OpenMessage(24, 0, 0, "", (page + "b").c_str(), nullptr, 1), 0);
  EXPECT_EQ(MessageWindow.page_count, 2u);
  CloseMessage();
  ASSERT_EQ(OpenMessage(15, 0, 0, "", page.c_str(), nullptr, 1), 0);
  EXPECT_EQ(MessageWindow.page_count, 2u);  // 90 bytes a page
}

TEST_F(MessageWindowTest, TalkWindowGeometry) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "ロッド", std::string(144, 'W').c_str(), nullptr, 1), 0);
  Press(kButtonJump);  // the whole page at once
  // The box (128, 82)-(512, 182): cream lines two pixels outside it.
  EXPECT_EQ(At(300, 80), kCream);
  EXPECT_EQ(At(300, 183), kCream);
  EXPECT_EQ(At(126, 120), kCream);
  EXPECT_EQ(At(513, 120), kCream);
  EXPECT_EQ(At(300, 81), 0u);  // black line next to the box
  EXPECT_EQ(At(300, 79), 0u);  // two undrawn lines
  // The speaker at (128, 82), the three text lines at y 102, 122 and 142 over their shadows.
  EXPECT_TRUE(Has(kWhite, 128, 82, 180, 98));
  for (int y : {102, 122, 142}) {
    EXPECT_TRUE(Has(kWhite, 128, y, 512, y + 16)) << y;
    EXPECT_TRUE(Has(kShadow, 130, y, 514, y + 16)) << y;
  }
  EXPECT_FALSE(Has(kWhite, 100, 82, 128, 180));
}

TEST_F(MessageWindowTest, MenuWindowGeometry) {
  const char choices[4][49] = {"はい", "いいえ", "もどる", "おわる"};
  ASSERT_EQ(OpenMessage(15, 4, 0, "", nullptr, choices, 1), 0);
  for (int i = 0; i < 3; ++i) Frame();  // the cursor's pulse is not black
  EXPECT_EQ(At(300, 80), kCream);
  EXPECT_EQ(At(300, 183), kCream);
  EXPECT_EQ(At(198, 120), kCream);
  EXPECT_EQ(At(441, 120), kCream);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Has(kWhite, 232, 102 + 20 * i, 300, 118 + 20 * i)) << i;
  EXPECT_FALSE(Has(kWhite, 200, 102, 232, 182));  // the cursor is grey, not white
  EXPECT_TRUE(Has(0x202020, 216, 102, 232, 118));  // "≫" at x 216 in grey: counter 0 reads 2, 2 * 16
}

TEST_F(MessageWindowTest, ThePlacementOptionMovesTheBox) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "", "x", nullptr, 1), 0);
  SetMessageOption(1);
  Frame();
  EXPECT_EQ(At(300, 218), kCream);  // top at 220
  EXPECT_EQ(At(94, 250), kCream);   // left at 96
}

TEST_F(MessageWindowTest, TypewriterRevealsAndJumpShowsThePageThenTurnsIt) {
  std::string text(300, 'a');
  ASSERT_EQ(OpenMessage(24, 0, 0, "", text.c_str(), nullptr, 1), 0);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(Frame(), 255);
  EXPECT_EQ(MessageWindow.revealed, 4u);  // one character every 7 frames
  EXPECT_EQ(PlayCount(10), 2);                // with a tick each
  EXPECT_EQ(Press(kButtonJump), 255);
  EXPECT_EQ(MessageWindow.revealed, 144u);
  EXPECT_EQ(MessageWindow.page, 0u);
  EXPECT_EQ(Press(kButtonAction), 255);  // the next page, with its first character
  EXPECT_EQ(MessageWindow.page, 1u);
  EXPECT_EQ(MessageWindow.revealed, 146u);
  Press(kButtonJump);
  Press(kButtonJump);
  EXPECT_EQ(MessageWindow.page, 2u);
  Press(kButtonJump);
  EXPECT_EQ(Press(kButtonJump), -2);  // the last page closes
  EXPECT_EQ(MessageWindow.open, 0u);
  EXPECT_EQ(Frame(), -1);
}

TEST_F(MessageWindowTest, FastTypewriterStepsEveryOtherFrame) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "", std::string(40, 'a').c_str(), nullptr, 0), 0);
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(MessageWindow.revealed, 10u);
}

TEST_F(MessageWindowTest, PageEndMarkerAndMoreTextArrow) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "", std::string(200, 'a').c_str(), nullptr, 1), 0);
  Press(kButtonJump);
  Frame();
  // Box (128, 82)-(512, 182): the underline of the marker at (490, 174)-(504, 175).
  EXPECT_EQ(At(495, 174), kWhite);
  EXPECT_EQ(At(495, 175), 0u);
}

TEST_F(MessageWindowTest, ChoiceResultIsSeenForOneFrame) {
  const char choices[3][49] = {"a", "b", "c"};
  ASSERT_EQ(OpenMessage(24, 3, 1, "", nullptr, choices, 1), 0);
  EXPECT_EQ(Frame(), 255);
  EXPECT_EQ(Frame(ButtonBits[kButtonJump]), 1);
  EXPECT_EQ(MessageWindow.open, 0u);
  EXPECT_EQ(Frame(), -1);
}

TEST_F(MessageWindowTest, UpAndDownWrapAround) {
  const char choices[3][49] = {"a", "b", "c"};
  ASSERT_EQ(OpenMessage(24, 3, 0, "", nullptr, choices, 1), 0);
  Press(kButtonUp);
  EXPECT_EQ(MessageWindow.selected, 2u);
  Press(kButtonDown);
  EXPECT_EQ(MessageWindow.selected, 0u);
  Press(kButtonDown);
  Press(kButtonDown);
  Press(kButtonDown);
  EXPECT_EQ(MessageWindow.selected, 0u);
}

TEST_F(MessageWindowTest, TimedChoiceEndsAfter180FramesAndTurnsRedInTheLastSecond) {
  const char choices[2][49] = {"a", "b"};
  ASSERT_EQ(OpenMessage(15, 2, 0, "", nullptr, choices, 0), 0);
  // Box (200, 82)-(440, ...): the time line at y 102 + 40.
  bool white_before = false, red_last_second = false, red_before = false;
  int frames = 0;
  int32_t result = 255;
  while (result == 255 && frames < 400) {
    result = Frame(ButtonBits[kButtonAction]);  // cancel does nothing in a timed choice
    ++frames;
    if (result != 255) break;
    const bool red = Has(0xFF3232, 216, 142, 440, 158);
    if (frames <= 119) red_before = red_before || red, white_before = white_before || Has(kWhite, 216, 142, 440, 158);
    if (frames > 121) red_last_second = red_last_second || red;
  }
  EXPECT_EQ(result, -2);
  EXPECT_EQ(frames, 180);
  EXPECT_TRUE(white_before);
  EXPECT_FALSE(red_before);
  EXPECT_TRUE(red_last_second);
}

TEST_F(MessageWindowTest, MenuButtonIsIgnoredInTheFirstFrameAfterAClose) {
  const char choices[2][49] = {"a", "b"};
  CloseMessage();
  ASSERT_EQ(OpenMessage(15, 2, 0, "", nullptr, choices, 1), 0);
  EXPECT_EQ(Frame(ButtonBits[kButtonMenu]), 255);
  EXPECT_EQ(Frame(), 255);
  EXPECT_EQ(Frame(ButtonBits[kButtonMenu]), -2);

  CloseMessage();
  ASSERT_EQ(OpenMessage(15, 2, 0, "", nullptr, choices, 1), 0);
  EXPECT_EQ(Frame(ButtonBits[kButtonAction]), -2);  // the action button cancels at once
  EXPECT_EQ(PlayCount(20), 2);                           // each cancel with its sound
}

TEST_F(MessageWindowTest, LockedInputPicksNothing) {
  const char choices[2][49] = {"a", "b"};
  ASSERT_EQ(OpenMessage(15, 2, 0, "", nullptr, choices, 1), 0);
  InputLock = 1;
  EXPECT_EQ(Frame(ButtonBits[kButtonJump]), 255);
}

TEST_F(MessageWindowTest, RefusedOpens) {
  EXPECT_EQ(OpenMessage(24, 0, 0, nullptr, "x", nullptr, 1), -1);
  EXPECT_EQ(OpenMessage(24, 11, 0, "", "x", nullptr, 1), -1);
  ASSERT_EQ(OpenMessage(24, 0, 0, "first", "x", nullptr, 1), 0);
  EXPECT_EQ(OpenMessage(24, 0, 0, "second", "y", nullptr, 1), -1);
  EXPECT_STREQ(MessageWindow.speaker, "first");
}

TEST_F(MessageWindowTest, CopiesAreBoundedByTheirBuffers) {
  const std::string long_text(6000, 'z');
  const std::string long_line(100, 'q');
  char choices[2][49];
  std::memset(choices, 'c', sizeof choices);  // no terminator in either line
  ASSERT_EQ(OpenMessage(24, 2, 0, long_line.c_str(), long_text.c_str(), choices, 1), 0);
  EXPECT_EQ(std::strlen(MessageWindow.speaker), 48u);
  EXPECT_EQ(std::strlen(MessageWindow.text), 4800u);
  EXPECT_EQ(std::strlen(MessageWindow.choices[0]), 48u);
  EXPECT_EQ(MessageWindow.page_count, 34u);
  EXPECT_EQ(Frame(), 255);
}

TEST_F(MessageWindowTest, TheLastPageOfAFullTextReadsNothingPastIt) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "", std::string(4800, 'k').c_str(), nullptr, 1), 0);
  int32_t result = 255;
  for (int i = 0; i < 200 && result == 255; ++i) result = Press(kButtonJump);
  EXPECT_EQ(result, -2);
  EXPECT_EQ(MessageWindow.page, 33u);
}

TEST_F(MessageWindowTest, WindowWithoutTextClosesOnItsFirstPress) {
  ASSERT_EQ(OpenMessage(24, 0, 0, "ひとこと", nullptr, nullptr, 1), 0);
  EXPECT_EQ(Frame(), 255);
  EXPECT_EQ(Press(kButtonJump), -2);
}

TEST_F(MessageWindowTest, PortraitCellsBesideTheText) {
  Surface& sheet = Surfaces[kFirstSheetSurface];
  auto paint = [&](int cell, uint32_t colour) {
    px::Fill(sheet, Rect{(cell % 40) * 16, (cell / 40) * 16, (cell % 40) * 16 + 16, (cell / 40) * 16 + 16}, colour);
  };
  paint(962 + 4, 0x112233);       // kind 1, expression 2, top-left cell
  paint(962 + 4 + 41, 0x445566);  // its bottom-right cell
  paint(1042, 0x778899);          // kind 0's first cell
  ASSERT_EQ(OpenMessage(24, 0, 0, "", "x", nullptr, 1), 0);
  SetMessagePortrait(1, 2);
  Frame();
  EXPECT_EQ(At(128, 94), 0x112233u);  // (left, top + 12)
  EXPECT_EQ(At(159, 125), 0x445566u);
  CloseMessage();
  ASSERT_EQ(OpenMessage(24, 0, 0, "", "x", nullptr, 1), 0);
  SetMessagePortrait(9, 0);  // no such kind: the first kind's portrait
  Frame();
  EXPECT_EQ(At(128, 94), 0x778899u);
}

TEST_F(MessageWindowTest, TextEntryKeys) {
  char name[13] = "ABCDEFGHIJKL";
  uint32_t key = 0;
  ASSERT_EQ(OpenMessage(24, 0, 0, "", "hidden", nullptr, 1), 0);
  OpenTextEntry("FILE NAME", 0xFFFF00, name, 12, &key);
  auto type = [&](uint32_t k) {
    key = k;
    const int32_t r = Frame();
    key = 0;
    return r;
  };
  EXPECT_EQ(type(vk::Back), 255);  // at 0: blanks that character and stays
  EXPECT_EQ(name[0], ' ');
  EXPECT_EQ(TextEntry.cursor, 0);
  EXPECT_EQ(type(vk::Space), 255);  // '_' without moving
  EXPECT_EQ(name[0], '_');
  EXPECT_EQ(TextEntry.cursor, 0);
  type('T');
  type(vk::Key0 + 1);
  type(vk::Decimal);
  EXPECT_EQ(std::string(name, 3), "T1.");
  EXPECT_EQ(TextEntry.cursor, 3);
  type(':');  // the codes between the digits and the letters type nothing
  type('@');
  EXPECT_EQ(std::string(name, 4), "T1.D");
  EXPECT_EQ(TextEntry.cursor, 3);
  type(vk::Left);
  EXPECT_EQ(TextEntry.cursor, 2);
  for (int i = 0; i < 20; ++i) type(vk::Right);
  EXPECT_EQ(TextEntry.cursor, 11);  // stops at the last character
  type(vk::KeyA);
  EXPECT_EQ(TextEntry.cursor, 11);
  EXPECT_EQ(name[11], 'A');
  EXPECT_EQ(name[12], '\0');
  // The message window is hidden while the entry box is open: its box is not drawn.
  EXPECT_NE(At(300, 80), kCream);
  EXPECT_EQ(type(vk::Return), 0);
  EXPECT_EQ(TextEntry.open, 0u);
  EXPECT_EQ(Frame(), 255);  // the message window is back
  OpenTextEntry("X", 0xFFFFFF, name, 12, &key);
  EXPECT_EQ(type(vk::Escape), -2);
}

TEST_F(MessageWindowTest, WindowFrameBorders) {
  EXPECT_EQ(DrawWindowFrame(100, 100, 120, 110, 10, 20, 30, 0), 0);
  EXPECT_EQ(At(100, 105), 0x0A141Eu);  // stripes at l, l + 2, ...
  EXPECT_EQ(At(101, 105), 0u);
  EXPECT_EQ(At(118, 105), 0x0A141Eu);
  // Top: t-1 black, t-2 cream, t-5 black, t-6 cream, t-7 black; black rows from l-7 to r+6.
  EXPECT_EQ(At(110, 98), kCream);
  EXPECT_EQ(At(110, 94), kCream);
  EXPECT_EQ(At(93, 93), 0u);
  EXPECT_EQ(At(94, 94), kCream);
  EXPECT_EQ(At(124, 94), kCream);
  EXPECT_EQ(At(125, 94), kCream);  // the outer cream column on the right
  EXPECT_EQ(At(126, 94), 0u);
  // Bottom: b+1 and b+5 cream; columns span t-6 to b+4.
  EXPECT_EQ(At(110, 111), kCream);
  EXPECT_EQ(At(110, 115), kCream);
  EXPECT_EQ(At(98, 113), kCream);
  EXPECT_EQ(At(98, 114), 0u);
  EXPECT_EQ(At(121, 100), kCream);
  EXPECT_EQ(At(125, 100), kCream);
}

TEST_F(MessageWindowTest, WindowFrameAnswersItsLastFill) {
  EXPECT_EQ(DrawWindowFrame(200, 100, 200, 110, 0, 0, 0, 1), 0);  // an empty inside; the border is drawn
  EXPECT_EQ(At(205, 105), kCream);
  EXPECT_EQ(DrawWindowFrame(200, 300, 220, 290, 0, 0, 0, 1), -1);  // the columns are empty too
  ReleaseDirectDraw();  // no back buffer to fill
  EXPECT_EQ(DrawWindowFrame(100, 100, 120, 110, 0, 0, 0, 1), -1);
}

}  // namespace
