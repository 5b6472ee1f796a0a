#include "world/camera.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "actors/actor_table.h"
#include "platform/graphics.h"
#include "support/game_reset.h"
#include "support/heroine_pose.h"
#include "support/map_builder.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

namespace {

constexpr int kStanding = 0;
constexpr int kCrouching = 1;
constexpr int kFalling = 3;
constexpr int kJumping = 4;

class CameraTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    ASSERT_EQ(InitBgLayers(), 0);
    InitScreen(6400, 4800, 640, 480);
    ActorTable[1][ActorField::State][0] = 3;
  }
  void TearDown() override { ResetGameState(); }

  // Slot 0 of the heroine's group: body centred on cx, top at py.
  // Places the camera and the heroine where the follow wants her: nothing moves.
  static void SettleAt(int cx, int cy, int motion = kStanding) {
    SetCameraPosition(cx, cy);
    PoseHeroineForCamera(cx + 320, cy + 200, motion);
  }
  // One frame while the world runs.
  static void Frame() {
    FillRectColor(0, 0, 640, 480, 0);
    CameraFollow(GetCameraTarget());
    RenderFrame();
  }
  // The camera's vertical move in each of n frames.
  static std::vector<int> StepsY(int n) {
    std::vector<int> steps;
    for (int i = 0; i < n; ++i) {
      const int before = GetCameraY();
      Frame();
      steps.push_back(GetCameraY() - before);
    }
    return steps;
  }
};

TEST_F(CameraTest, TheFollowStopsAtTheWorldsLeftEdgeAndOnePixelShortOfItsRight) {
  SetCameraPosition(2000, 1000);
  PoseHeroineForCamera(100, 1200, kStanding);
  Frame();
  EXPECT_EQ(GetCameraX(), 0);
  PoseHeroineForCamera(6300, 1200, kStanding);
  Frame();
  EXPECT_EQ(GetCameraX(), 5759);
  Frame();
  EXPECT_EQ(GetCameraX(), 5759);
  SetCameraPosition(5760, 1000);  // placed there by a script: the follow leaves it
  Frame();
  EXPECT_EQ(GetCameraX(), 5760);
  PoseHeroineForCamera(3000, 1200, kStanding);
  Frame();
  EXPECT_EQ(GetCameraX(), 2680);  // the step is taken whole
  EXPECT_EQ(GetLayerOriginX(2), 2680);
}

TEST_F(CameraTest, TheVerticalFollowEasesAnEighthAFrame) {
  SetCameraPosition(1000, 1000);
  PoseHeroineForCamera(1320, 1520, kStanding);
  EXPECT_EQ(StepsY(3), (std::vector<int>{40, 35, 30}));
  // Falling far below the view, she is settled 80 pixels below its top instead of 200.
  SetCameraPosition(1000, 1000);
  PoseHeroineForCamera(1320, 1400, kFalling);
  EXPECT_EQ(StepsY(1), (std::vector<int>{40}));
  EXPECT_EQ(Camera.follow_mode, 3);
  // Near the bottom the view stops at 4319 at the latest.
  SetCameraPosition(1000, 4300);
  PoseHeroineForCamera(1320, 4700, kStanding);
  for (int i = 0; i < 40; ++i) Frame();
  EXPECT_LE(GetCameraY(), 4319);
  EXPECT_GT(GetCameraY(), 4311);
}

TEST_F(CameraTest, AJumpDoesNotMoveTheViewUpOrDown) {
  SettleAt(1000, 1000);
  Frame();
  PoseHeroineForCamera(1320, 1050, kJumping);
  EXPECT_EQ(StepsY(5), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Camera.follow_mode, 2);
}

TEST_F(CameraTest, ASmallShakeMovesTheViewSixTimesThenStops) {
  SettleAt(1000, 1000);
  StartSmallShake();
  EXPECT_EQ(StepsY(8), (std::vector<int>{-3, 2, -2, 1, -1, 0, 0, 0}));
  EXPECT_EQ(CameraShake.on, 0);
}

TEST_F(CameraTest, AShakeAtTheWorldsTopKeepsTheViewInsideIt) {
  SettleAt(0, 0);
  PoseHeroineForCamera(320, 150);  // where the follow would take the view above the top
  StartSmallShake();
  std::vector<int> ys;
  for (int i = 0; i < 7; ++i) {
    Frame();
    ys.push_back(GetCameraY());
  }
  EXPECT_EQ(ys, (std::vector<int>{0, 2, 0, 1, 0, 0, 0}));
}

TEST_F(CameraTest, AFlashDrawsEveryOtherFollowedFrameAndEnds) {
  SettleAt(1000, 1000);
  StartFlash(16, 2, 0xFFFFFF);
  std::vector<int> white;
  for (int frame = 0; frame < 40; ++frame) {
    Frame();
    if (Surfaces[kBackBuffer].At(320, 240) == 0xFFFFFF && Surfaces[kBackBuffer].At(0, 479) == 0xFFFFFF)
      white.push_back(frame);
  }
  EXPECT_EQ(white, (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31}));
  EXPECT_EQ(FlashState.on, 0);
}

TEST_F(CameraTest, AFlashPeriodBelowOneCountsAsOne) {
  SettleAt(1000, 1000);
  StartFlash(4, 0, 0xFF0000);
  EXPECT_EQ(FlashState.period, 1);
  for (int frame = 0; frame < 10; ++frame) Frame();  // would divide by zero
  EXPECT_EQ(FlashState.remaining, 4);
  StartFlash(4, -3, 0xFF0000);
  EXPECT_EQ(FlashState.period, 1);
}

TEST_F(CameraTest, CrouchingEightyFramesPansTheViewDown) {
  SettleAt(1000, 1000, kCrouching);
  const std::vector<int> steps = StepsY(110);
  for (int i = 0; i < 79; ++i) ASSERT_EQ(steps[i], 0) << i;
  for (int i = 79; i < 99; ++i) EXPECT_EQ(steps[i], i - 79) << i;  // 0, 1, ... 19
  for (int i = 99; i < 110; ++i) EXPECT_EQ(steps[i], 0) << i;
  EXPECT_EQ(GetCameraY(), 1190);
  // Standing up, the follow pulls the view back while the pan's speed dies away.
  PoseHeroineForCamera(1320, 1200, kStanding);
  const std::vector<int> back = StepsY(100);
  EXPECT_EQ(back[0], -190 / 8 + 20);
  EXPECT_LE(std::abs(GetCameraY() - 1000), 7);
  EXPECT_EQ(Camera.pan, 0);
  EXPECT_EQ(CameraHoldCounter, 0);
}

TEST_F(CameraTest, NoPanWhileTheBossLivesAShakeRunsOrNearTheBottom) {
  SettleAt(1000, 1000, kCrouching);
  StartSmallShake();
  StepsY(6);
  EXPECT_EQ(CameraHoldCounter, 0);
  StepsY(6);
  EXPECT_EQ(CameraHoldCounter, 6);  // counting resumes as soon as the shake is over
  BossActive = 1;
  StepsY(100);
  EXPECT_EQ(CameraHoldCounter, 0);
  BossActive = 0;
  SettleAt(1000, 4250, kCrouching);  // her top 64 pixels above the last 286
  StepsY(100);
  EXPECT_EQ(CameraHoldCounter, 0);
}

TEST_F(CameraTest, NoFollowWithoutATargetOrWhileTheHeroineDies) {
  SetCameraPosition(1000, 1000);
  PoseHeroineForCamera(3000, 3000, kStanding);
  StartSmallShake();
  SetCameraTarget(kNoCameraTarget);
  Frame();
  EXPECT_EQ(GetCameraX(), 1000);
  EXPECT_EQ(GetCameraY(), 1000);
  SetCameraTarget(1);
  ActorTable[1][ActorField::State][0] = 4;
  Frame();
  EXPECT_EQ(GetCameraX(), 1000);
  EXPECT_EQ(CameraShake.index, 35);  // the shake waits too
  ActorTable[1][ActorField::State][0] = 3;
  Frame();
  EXPECT_EQ(GetCameraX(), 2680);
}

TEST_F(CameraTest, TheTargetGroupsSlotZeroIsFollowed) {
  SetCameraPosition(1000, 1000);
  PoseHeroineForCamera(1320, 1200, kStanding);
  int32_t* box = &ActorTable[7][ActorField::BodyBox][0];
  box[0] = 2000;
  box[2] = 2040;
  ActorTable[7][ActorField::PosY][0] = 1200;
  SetCameraTarget(7);
  EXPECT_EQ(GetCameraTarget(), 7);
  Frame();
  EXPECT_EQ(GetCameraX(), 2020 - 320);
}

TEST_F(CameraTest, SetCameraPositionWrapsIntoTheWorld) {
  SetCameraPosition(6410, 5000);
  EXPECT_EQ(GetCameraX(), 0);
  EXPECT_EQ(GetCameraY(), 192);
  EXPECT_EQ(GetLayerOriginX(0), 0);
  EXPECT_EQ(GetLayerOriginY(3), 192);
  SetCameraPosition(-16, 0);
  EXPECT_EQ(GetCameraX(), 6384);
  EXPECT_EQ(GetLayerOriginX(0), 6392);
  EXPECT_EQ(GetLayerOriginX(1), 6384);
  EXPECT_EQ(GetLayerOriginX(4), 6384);
  SetCameraPosition(-6500, 801);
  EXPECT_EQ(GetCameraX(), 6304);  // -(100 cut to 96), then one wrap
  EXPECT_EQ(GetLayerOriginX(0), 6400 - 48);
  EXPECT_EQ(GetCameraY(), 801);
}

TEST_F(CameraTest, MoveCameraWraps) {
  MoveCamera(-10, 4810);
  EXPECT_EQ(GetCameraX(), 6390);
  EXPECT_EQ(GetCameraY(), 10);
  MoveCamera(7000, -9620);
  EXPECT_EQ(GetCameraX(), 590);
  EXPECT_EQ(GetCameraY(), 4790);
}

TEST_F(CameraTest, LayersScrollWithTheirParallax) {
  SetBackPictureMode(1);
  BgLayers.LayerEnabled[4] = 0;
  SetScroll(10, 6);
  EXPECT_EQ(GetLayerOriginX(4), 10);  // at once
  RenderFrame();
  EXPECT_EQ(GetCameraX(), 10);
  EXPECT_EQ(GetCameraY(), 6);
  EXPECT_EQ(GetLayerOriginX(2), 10);
  EXPECT_EQ(GetLayerOriginX(0), 5);
  EXPECT_EQ(GetLayerOriginY(0), 6);
  EXPECT_EQ(BgLayers.LayerRing.x[4], 2);  // the far picture: a quarter, and not vertically
  EXPECT_EQ(BgLayers.LayerRing.y[4], 0);
  EXPECT_EQ(FrameScroll.dx, 0);
  EXPECT_EQ(GetLayerOriginX(4), 10);
  // Odd steps: layer 0 stays at half of layer 2.
  for (int i = 0; i < 3; ++i) {
    SetScroll(3, 0);
    RenderFrame();
  }
  EXPECT_EQ(GetLayerOriginX(2), 19);
  EXPECT_EQ(GetLayerOriginX(0), 9);
  // The editor's other mode halves each step instead.
  EditorScrollMode = 1;
  for (int i = 0; i < 3; ++i) {
    SetScroll(3, 0);
    RenderFrame();
  }
  EXPECT_EQ(GetLayerOriginX(2), 28);
  EXPECT_EQ(GetLayerOriginX(0), 12);
}

// The whole picture, frame after frame: the far picture, then map layer n and queue layer n for
// n = 0..3, then queue layer 4; map layer 4 never shows.
TEST_F(CameraTest, TheFramesPictureInterleavesMapAndQueueLayers) {
  PaintTestSheets();
  std::mt19937 rng(21);
  for (int n = 0; n < 5; ++n) FillLayerRandom(n, rng);
  Surface& picture = Surfaces[kFirstRingSurface + 4];
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) picture.Row(y)[x] = 0x800000u | static_cast<uint32_t>(y << 10 | x);
  BgLayers.LayerEnabled[4] = 0;
  SetBackPictureMode(1);
  SetCameraPosition(3000, 2000);
  RedrawAllLayers();
  const uint32_t queue_colour[5] = {0x010101, 0x020202, 0x030303, 0x040404, 0x050505};
  for (int frame = 0; frame < 12; ++frame) {
    const int dx = static_cast<int>(rng() % 31) - 15, dy = static_cast<int>(rng() % 31) - 15;
    for (int n = 0; n < 5; ++n) PushFillRect(n, 1, kScreenCoords, 40 + 100 * n, 40, 160, 300, queue_colour[n]);
    FillRectColor(0, 0, 640, 480, 0);
    SetScroll(dx, dy);
    RenderFrame();

    const int rx = BgLayers.LayerRing.x[4];
    std::vector<uint32_t> want(640 * 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) want[y * 640 + x] = picture.At((x + rx) % 640, y);
    for (int n = 0; n < 5; ++n) {
      if (n < 4) want = ExpectedView(n, GetLayerOriginX(n), GetLayerOriginY(n), want);
      for (int y = 40; y < 340; ++y)
        for (int x = 40 + 100 * n; x < 200 + 100 * n; ++x) want[y * 640 + x] = queue_colour[n];
    }
    ASSERT_EQ(CountDifferences(BackBufferPixels(), want), 0) << "frame " << frame;
    EXPECT_EQ(GetLayerOriginX(3), GetCameraX());
    EXPECT_EQ(GetLayerOriginY(1), GetCameraY());
    for (uint32_t count : DrawQueue.count) EXPECT_EQ(count, 0u);
  }
}

}  // namespace
