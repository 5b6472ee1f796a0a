// The Kawachan's throw as the player sees it, facing either way: it holds its flame up at its
// side; then the throw winds the arm back, brings it over the head, stretches it up and forward
// as the wisp leaves over its head, and swings it down in front. Each pose is cut out of the
// picture of its frame; the strips are saved for people to look at (kawachan_throw.png in the
// build folder, right-facing above, left-facing below).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "platform/graphics.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/png.h"
#include "world/camera.h"
#include "world/screen_wipe.h"

namespace {

constexpr int kKawachan = 35;
constexpr int kFloorTop = 30 * 16;
// A pose: the 32 x 64 cells of the thrower with 48 pixels above them, where the wisp leaves,
// and 16 at either side, where it holds its flame.
constexpr int kAbove = 48;
constexpr int kSide = 16;
constexpr int kW = kSide + 32 + kSide, kH = kAbove + 64;

using Pose = std::vector<uint32_t>;

// The thrower's cells and the space over its head as the last frame drew them.
Pose CutPose(const Actor& k) {
  const Surface& back = Surfaces[kBackBuffer];
  const int left = k.PosX() - kSide - GetCameraX(), top = k.PosY() - kAbove - GetCameraY();
  Pose pose;
  for (int y = top; y < top + kH; ++y)
    for (int x = left; x < left + kW; ++x) pose.push_back(back.Row(y)[x]);
  return pose;
}

// Lit pixels of a pose in the box (x, y, w, h) of the thrower's own 32 x 64 cells, given as if it
// faced right (mirrored when it faces left); y may be negative, over its head.
int Lit(const Pose& pose, int face, int x, int y, int w, int h) {
  int lit = 0;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      const int col = kSide + (face == 1 ? px : 31 - px);
      lit += pose[static_cast<size_t>((py + kAbove) * kW + col)] != 0 ? 1 : 0;
    }
  return lit;
}

TEST(KawachanPictureTest, TheThrowReadsAsWindUpSwingOverReleaseAndFollowThrough) {
  FrameHarness game;
  game.Run();
  std::vector<std::string> rows(14, "#" + std::string(58, '.') + "#");
  rows.back() = std::string(60, '#');
  LoadFixtureMap(rows, {}, 0, 17);
  SetAndLoadSurfaceBitmap(kFirstSheetSurface + 3, 173);

  std::vector<Pose> strips;
  for (const int face : {1, -1}) {
    SCOPED_TRACE(face == 1 ? "facing right" : "facing left");
    EnterPlay({.heroine = true, .hero_x = 480, .hero_y = kFloorTop - 120});
    ResetFade();
    game.Run(20);
    HeroControl = kControlFrozen;
    const Actor hero(kHeroineGroup, 0);
    // Standing 130 pixels from her: a step, then the throw.
    const Actor k(kKawachan, SpawnActor(kKawachan, 3000, kFloorTop - 64, -1, 0));
    k.CentreX() = 3000;
    game.Run();
    k.PosX() = hero.CentreX() - 17 - 130 * face;
    k.PosY() = kFloorTop - 64;
    k.VelY() = k.Motion() = 0;
    k.FaceX() = face;
    game.Run();
    const Pose holding = CutPose(k);
    game.Run();
    ASSERT_EQ(GetActorModeBits(kKawachan, k.slot, 'a'), 64) << "it threw";
    std::vector<Pose> poses = {holding};
    for (const int frames : {1, 8, 3, 5}) {  // wind-up, the swing over, release, follow-through
      game.Run(frames);
      poses.push_back(CutPose(k));
    }
    const Pose &wind_up = poses[1], &swing = poses[2], &release = poses[3], &follow = poses[4];

    // Holding: the flame up at its side, in front of its face, over its hand.
    EXPECT_GT(Lit(holding, face, 26, 14, 16, 14), 100);
    // Wind-up: the arm back, behind its head.
    EXPECT_GT(Lit(wind_up, face, 0, 18, 6, 10), 8);
    EXPECT_EQ(Lit(holding, face, 0, 18, 6, 10), 0);
    // The swing: the hand over its head.
    EXPECT_GT(Lit(swing, face, 8, -2, 10, 8), 8);
    EXPECT_EQ(Lit(wind_up, face, 0, -kAbove, 32, 6 + kAbove), 0);
    // Release: the wisp leaves over its head (15 pixels up, 4 ahead in its first frame).
    EXPECT_GT(Lit(release, face, 6, -12, 20, 12), 40);
    // Follow-through: the arm swung down in front.
    EXPECT_GT(Lit(follow, face, 26, 44, 6, 6), 8);
    EXPECT_EQ(Lit(release, face, 26, 44, 6, 6), 0);
    for (size_t i = 1; i < poses.size(); ++i)
      for (size_t j = i + 1; j < poses.size(); ++j) EXPECT_NE(poses[i], poses[j]) << i << " and " << j;

    Pose strip(static_cast<size_t>(kW * 5 * kH));
    for (size_t p = 0; p < poses.size(); ++p)
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
          strip[static_cast<size_t>(y * kW * 5 + static_cast<int>(p) * kW + x)] = poses[p][static_cast<size_t>(y * kW + x)];
    strips.push_back(strip);
  }
  Pose picture = strips[0];
  picture.insert(picture.end(), strips[1].begin(), strips[1].end());
  EXPECT_TRUE(WritePng(TOVIA_BINARY_DIR "/kawachan_throw.png", picture.data(), kW * 5, kH * 2));
}

}  // namespace
