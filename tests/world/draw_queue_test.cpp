#include "world/draw_queue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "support/game_reset.h"
#include "support/map_builder.h"
#include "world/camera.h"

namespace {

class DrawQueueTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    InitScreen(6400, 4800, 640, 480);
    PaintTestSheets();
  }
  void TearDown() override { ResetGameState(); }
  static uint32_t Back(int x, int y) { return Surfaces[kBackBuffer].At(x, y); }
  static void ClearBack() { FillRectColor(0, 0, 640, 480, 0); }
};

TEST_F(DrawQueueTest, AFullLayerRefusesThe4097thPush) {
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_EQ(PushCell(2, 1, kScreenCoords, i % 640, 0, 5), 0) << i;
  EXPECT_EQ(PushCell(2, 1, kScreenCoords, 0, 0, 5), -1);
  EXPECT_EQ(PushFillRect(2, 1, kScreenCoords, 0, 0, 4, 4, 0xFF0000), -1);
  EXPECT_EQ(PushRectOutline(2, 1, kScreenCoords, 0, 0, 4, 4, 0xFF0000), -1);
  EXPECT_EQ(PushText(2, 1, kScreenCoords, 0, 0, 0xFF0000, 16, "MS Gothic", "A"), -1);
  EXPECT_EQ(DrawQueue.count[2], static_cast<uint32_t>(kQueueCapacity));
  EXPECT_EQ(PushCell(3, 1, kScreenCoords, 0, 0, 5), 0);  // the other layers still take commands
  EXPECT_EQ(PushCell(0, 1, kScreenCoords, 0, 0, 5), 0);
  EXPECT_EQ(DrawQueuedLayer(2), kQueueCapacity);
  // Layers the queue does not have take nothing.
  EXPECT_EQ(PushCell(5, 1, kScreenCoords, 0, 0, 5), -1);
  EXPECT_EQ(PushFillRect(-1, 1, kScreenCoords, 0, 0, 4, 4, 0), -1);
  ClearDrawQueues();
  for (uint32_t n : DrawQueue.count) EXPECT_EQ(n, 0u);
}

TEST_F(DrawQueueTest, UnknownTypesDrawNothingButCount) {
  PushFillRect(0, 1, kScreenCoords, 0, 0, 10, 10, 0xFFFFFF);
  PushFillRect(0, 1, kScreenCoords, 0, 0, 10, 10, 0xFFFFFF);
  DrawQueue.commands[0][0].type = 1;
  DrawQueue.commands[0][1].type = 2;
  ClearBack();
  EXPECT_EQ(DrawQueuedLayer(0), 2);
  EXPECT_EQ(Back(5, 5), 0u);
}

TEST_F(DrawQueueTest, AnInvisibleCommandBlinksWithFrameCounterZero) {
  PushFillRect(1, 0, kScreenCoords, 0, 0, 4, 4, 0x112233);
  PushFillRect(1, 1, kScreenCoords, 10, 0, 4, 4, 0x445566);
  for (uint8_t frame : {0, 1, 2, 3, 254, 255}) {
    FrameCounters.frame[0] = frame;
    ClearBack();
    DrawQueuedLayer(1);
    EXPECT_EQ(Back(1, 1), frame % 2 == 1 ? 0x112233u : 0u) << int{frame};
    EXPECT_EQ(Back(11, 1), 0x445566u) << int{frame};
  }
}

TEST_F(DrawQueueTest, WorldPositionsHaveTheCameraSubtracted) {
  SetCameraPosition(1000, 500);
  PushFillRect(1, 1, kWorldCoords, 1010, 520, 1, 1, 0x0000FF);
  PushFillRect(1, 1, kScreenCoords, 30, 20, 1, 1, 0x00FF00);
  ClearBack();
  DrawQueuedLayer(1);
  EXPECT_EQ(Back(10, 20), 0x0000FFu);
  EXPECT_EQ(Back(30, 20), 0x00FF00u);
  // No wrap-around: a world position past the seam from the camera is off the screen.
  ClearDrawQueues();
  SetCameraPosition(6200, 0);
  PushFillRect(1, 1, kWorldCoords, 10, 10, 640, 480, 0xFFFFFF);
  ClearBack();
  DrawQueuedLayer(1);
  EXPECT_EQ(CountDifferences(BackBufferPixels(), std::vector<uint32_t>(640 * 480, 0)), 0);
}

TEST_F(DrawQueueTest, CommandsDrawInPushOrder) {
  PushCell(2, 1, kScreenCoords, 100, 100, 1234);
  PushFillRect(2, 1, kScreenCoords, 108, 100, 8, 16, 0xA0B0C0);
  PushRectOutline(2, 1, kScreenCoords, 200, 200, 10, 5, 0x102030);
  ClearBack();
  DrawQueuedLayer(2);
  ASSERT_NE(TestSheetPixel(1234, 4, 1), 0u);
  EXPECT_EQ(Back(100 + 4, 100 + 1), TestSheetPixel(1234, 4, 1));
  EXPECT_EQ(Back(100 + 9, 100 + 1), 0xA0B0C0u);  // the later rectangle covers the cell
  EXPECT_EQ(Back(200, 200), 0x102030u);
  EXPECT_EQ(Back(209, 204), 0x102030u);
  EXPECT_EQ(Back(205, 202), 0u);  // an outline only
}

TEST_F(DrawQueueTest, TextIsCutTo256BytesAndItsFaceTo64) {
  const std::string text(300, 'W');
  const std::string face = "MS Gothic" + std::string(100, ' ');
  EXPECT_EQ(PushText(4, 1, kScreenCoords, 100 - 256 * 8, 40, 0xFFFFFF, 16, face.c_str(), text.c_str()), 0);
  EXPECT_EQ(std::strlen(DrawQueue.commands[4][0].text), 256u);
  EXPECT_EQ(std::strlen(DrawQueue.commands[4][0].face), 64u);
  ClearBack();
  DrawQueuedLayer(4);
  const std::vector<uint32_t> queued = BackBufferPixels();
  // Drawn so that the 256th byte ends at x 100: the bytes after it would show to its right.
  ClearBack();
  DrawTextRgb(100 - 256 * 8, 40, text.substr(0, 256).c_str(), 16, "MS Gothic", 255, 255, 255);
  EXPECT_EQ(CountDifferences(queued, BackBufferPixels()), 0);
  ClearBack();
  DrawTextRgb(100 - 256 * 8, 40, text.c_str(), 16, "MS Gothic", 255, 255, 255);
  EXPECT_GT(CountDifferences(queued, BackBufferPixels()), 0);
  EXPECT_GT(CountDifferences(queued, std::vector<uint32_t>(640 * 480, 0)), 0);
}

TEST_F(DrawQueueTest, TextNeedsAFaceAndAText) {
  EXPECT_EQ(PushText(4, 1, kScreenCoords, 0, 0, 0, 16, nullptr, "A"), -2);
  EXPECT_EQ(PushText(4, 1, kScreenCoords, 0, 0, 0, 16, "MS Gothic", nullptr), -2);
  EXPECT_EQ(DrawQueue.count[4], 0u);
}

TEST_F(DrawQueueTest, TextTakesItsColourAndHeight) {
  PushText(3, 1, kWorldCoords, 1000 + 20, 30, 0x3366CC, 24, "ＭＳ ゴシック", "テスト");
  SetCameraPosition(1000, 0);
  ClearBack();
  DrawQueuedLayer(3);
  const std::vector<uint32_t> queued = BackBufferPixels();
  ClearBack();
  DrawTextRgb(20, 30, "テスト", 24, "ＭＳ ゴシック", 0x33, 0x66, 0xCC);
  EXPECT_EQ(CountDifferences(queued, BackBufferPixels()), 0);
  EXPECT_GT(CountDifferences(queued, std::vector<uint32_t>(640 * 480, 0)), 0);
}

}  // namespace
