// One picture of play with the effects in it: the test walker on its floor, a "LEVELUP:" text,
// both sparks, an aura and a coin pop-up, each where it was put. The picture is saved for people
// to look at (effects_scene.png in the build folder). And the magic button: the spell's aura and
// its name over the heroine (magic_aura.png).
#include <gtest/gtest.h>

#include <string>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "platform/counters.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "support/test_walker.h"
#include "world/camera.h"
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

// The first slot of the group that is not free, or -1.
int FirstActive(int group) {
  for (int s = 0; s < kActorSlots; ++s) {
    if (Actor(group, s).State() != kActorFree) return s;
  }
  return -1;
}

TEST(EffectsPictureTest, TheMagicButtonShowsTheAuraAndItsNameOverTheHeroine) {
  FrameHarness game;
  game.Run();
  constexpr int kGround = 25 * 16 - 65;
  LoadFixtureMap({std::string(40, '#')}, {}, 0, 25);
  EnterPlay({.heroine = true, .hero_x = 300, .hero_y = kGround});
  SetAndLoadSurfaceBitmap(kFirstSheetSurface, 117);
  ResetFade();
  game.Run(3);
  const Actor hero(kHeroineGroup, 0);

  // The beetle only sounds.
  PlayerStats.EquippedMagicTool = 1;
  game.PressButton(kButtonMagic);
  EXPECT_EQ(PlayCount(11), 1);
  EXPECT_EQ(CountActors(116), 0);
  EXPECT_EQ(CountActors(111), 0);

  // BODY ROCK PROTECTION casts its aura and names itself.
  PlayerStats.EquippedMagicTool = 1u << kSpellBodyRock;
  PlayerStats.Mp = PlayerStats.MaxMp;
  game.HoldButton(kButtonMagic);
  game.Run();
  game.ReleaseButton(kButtonMagic);
  const int aura = FirstActive(116), name = FirstActive(111);
  ASSERT_GE(aura, 0);
  ASSERT_GE(name, 0);
  EXPECT_EQ(Actor(116, aura).DefenseValue(), 996);
  EXPECT_STREQ(Actor(111, name).Text(), "BODY@ROCK@PROTECTION:L1");
  EXPECT_EQ(PlayerStats.SpellLevel[kSpellBodyRock], 1);
  game.Run(40);  // the cast's white flash (16 flashes two frames apart) is over
  while (GetFrameCounter(0) % 2 == 0) game.Run();
  game.Run();  // drawn on an odd value of frame counter 0, when the blinking aura shows
  ASSERT_TRUE(game.SavePicture(TOVIA_BINARY_DIR "/magic_aura.png"));

  // Where the last frame drew them (each has moved on since by a pixel).
  const Actor a(116, aura), t(111, name);
  const int ax = a.PosX() - GetCameraX(), ay = a.PosY() + 1 - GetCameraY();
  const int tx = t.PosX() - GetCameraX(), ty = t.PosY() + 1 - GetCameraY();
  EXPECT_LT(a.PosY() + 32, hero.BodyBox().top);  // over her head
  EXPECT_GT(LitPixels({"aura", ax, ay, 32, 32}), 20);
  EXPECT_LE(t.PosY(), hero.BodyBox().top);
  EXPECT_LT(t.PosX(), hero.PosX());  // centred over her
  EXPECT_GT(LitPixels({"name", tx, ty, 8 * 23, 16}), 100);
  EXPECT_EQ(LitPixels({"nothing", 0, 0, 640, 100}), 0);
}

}  // namespace
