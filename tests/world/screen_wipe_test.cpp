#include "world/screen_wipe.h"

#include <gtest/gtest.h>

#include "platform/graphics.h"
#include "support/game_reset.h"

namespace {

class ScreenWipeTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    ResetFade();
  }
  void TearDown() override { ResetGameState(); }
  // One frame over a white picture: the wipe draws, then the picture is read.
  uint32_t Frame() {
    FillRectRgb(0, 0, 640, 480, 255, 255, 255);
    return DrawFade();
  }
  static bool Black(int x, int y) { return Surfaces[kBackBuffer].At(x, y) == 0; }
  static bool AllBlack() {
    for (int y = 0; y < 480; y += 7)
      for (int x = 0; x < 640; x += 7)
        if (!Black(x, y)) return false;
    return Black(639, 479);
  }
};

TEST_F(ScreenWipeTest, FadeOutTakes92FramesThenStaysBlack) {
  FadeOut();
  int frames = 0;
  while (IsFading() == 1) {
    Frame();
    ++frames;
    ASSERT_LE(frames, 200);
  }
  EXPECT_EQ(frames, 92);
  EXPECT_TRUE(AllBlack());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Frame(), 0u);
    EXPECT_TRUE(AllBlack());
  }
}

TEST_F(ScreenWipeTest, FadeOutStartsAtTheTopLeftAndEndsAtTheBottomRight) {
  FadeOut();
  Frame();  // step 0: only cell (0, 0) grows, by one pixel
  EXPECT_TRUE(Black(0, 0));
  EXPECT_FALSE(Black(1, 1));
  EXPECT_FALSE(Black(40, 0));
  for (int i = 1; i < 91; ++i) Frame();
  EXPECT_TRUE(Black(0, 0) && Black(39, 39));
  EXPECT_TRUE(Black(600, 440));
  EXPECT_FALSE(Black(639, 479));  // the bottom-right cell is one pixel short of full
  Frame();
  EXPECT_TRUE(Black(639, 479));
}

TEST_F(ScreenWipeTest, FadeInHoldsBlackThen38FramesThenUncoversFromTheBottomRight) {
  FadeIn();
  for (int i = 0; i < 38; ++i) {
    Frame();
    ASSERT_TRUE(AllBlack()) << "frame " << i;
  }
  Frame();
  EXPECT_FALSE(Black(639, 479));  // the bottom-right cell shrank first
  EXPECT_TRUE(Black(600, 440));
  EXPECT_TRUE(Black(0, 0));
  int frames = 39;
  while (IsFading() == 1) {
    Frame();
    ++frames;
    ASSERT_LE(frames, 300);
  }
  EXPECT_EQ(frames, 130);
  Frame();
  EXPECT_FALSE(Black(0, 0));  // nothing drawn once the fade-in is over
  EXPECT_FALSE(Black(320, 240));
}

TEST_F(ScreenWipeTest, StartingAgainRestartsFromTheStartValues) {
  FadeOut();
  for (int i = 0; i < 50; ++i) Frame();
  FadeOut();
  EXPECT_EQ(Wipe.step, 0);
  EXPECT_EQ(Wipe.FadeCells[0], 0);
  FadeIn();
  EXPECT_EQ(Wipe.step, 91);
  EXPECT_EQ(Wipe.FadeCells[207], 4000);
}

}  // namespace
