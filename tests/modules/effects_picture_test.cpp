// One picture of play with the effects in it: the test walker on its floor, a "LEVELUP:" text,
// both sparks, an aura and a coin pop-up, each where it was put. The picture is saved for people
// to look at (effects_scene.png in the build folder).
#include <gtest/gtest.h>

#include <string>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/test_walker.h"
#include "world/screen_wipe.h"

namespace {

struct Area {
  const char* what;
  int x, y, w, h;  // on the screen (the camera stands at the world's corner)
};

// Pixels of the area that are not black.
int LitPixels(const Area& a) {
  const Surface& back = Surfaces[kBackBuffer];
  int lit = 0;
  for (int y = a.y; y < a.y + a.h; ++y)
    for (int x = a.x; x < a.x + a.w; ++x) lit += back.Row(y)[x] != 0 ? 1 : 0;
  return lit;
}

TEST(EffectsPictureTest, TheWalkerATextBothSparksAnAuraAndACoinShow) {
  FrameHarness game;
  game.Run();
  LoadFixtureMap({std::string(40, '#')}, {}, 0, 20);
  EnterPlay();
  SetAndLoadSurfaceBitmap(kFirstSheetSurface, 117);
  SetAndLoadSurfaceBitmap(kFirstSheetSurface + 3, 173);
  ResetFade();  // the new game's fade-in would cover the picture for a while

  SpawnActor(kTestWalkerGroup, 64, 20 * 16 - 33, -1, 0);
  SpawnActorWithText(111, 320, 140, 'b', 0, "LEVELUP:");
  SpawnActor(110, 150, 200, -1, 0);  // small
  SpawnActor(110, 220, 200, 1, 0);   // large
  SpawnEffectActor14(116, 360, 250, 2, 2, 0, -1, 0, 0, 1, 70, 0, 1, 996);
  SpawnActor(112, 520, 260, -1, 0);

  // A few frames with the walker in the passes; the last one drawn on an odd value of frame
  // counter 0, when the flickering sparks and the blinking aura show.
  int frames = 0;
  while (frames < 6 || GetFrameCounter(0) % 2 == 1) {  // the counter moves on after each frame
    UpdateTestWalker();
    MoveTestWalker();
    DrawTestWalker();
    game.Run();
    ++frames;
  }
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/effects_scene.png"));

  const Area shown[] = {
      {"walker", 50, 20 * 16 - 33, 48, 32},
      {"LEVELUP:", 320 - 64, 120, 128, 24},
      {"small spark", 150, 200, 16, 16},
      {"large spark", 220, 200, 32, 32},
      {"aura", 360, 240, 32, 32},
      {"coin", 520, 200, 16, 48},
  };
  for (const Area& a : shown) EXPECT_GT(LitPixels(a), 20) << a.what;
  EXPECT_EQ(LitPixels({"nothing", 400, 40, 200, 60}), 0);
}

}  // namespace
