// The hit sparks, the effect sprites (the spell aura among them) and the coin pop-up in play:
// what each shows frame by frame, how long it lives, and how it behaves while the world is
// paused.
#include <gtest/gtest.h>

#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"

namespace {

class EffectsTest : public testing::Test {
 protected:
  void SetUp() override {
    game_.Run();
    LoadFixtureMap({});
    EnterPlay();
  }

  // The cells queued on the layer this frame at the pixel column x.
  std::vector<DrawCommand> DrawsAt(int layer, int x) const {
    std::vector<DrawCommand> found;
    for (const DrawCommand& c : game_.Draws(layer)) {
      if (c.x == x || c.x == x + 16) found.push_back(c);
    }
    return found;
  }

  FrameHarness game_;
};

TEST_F(EffectsTest, SparksPlayOnceSmallOrLargeByFacingAndFlicker) {
  const int small = SpawnActor(110, 200, 200, -1, 0);
  const int large = SpawnActor(110, 400, 200, 1, 0);
  std::vector<uint32_t> small_cells, large_cells;
  std::vector<size_t> large_counts;
  for (int frame = 0; frame < 40; ++frame) {
    game_.Run();
    for (const DrawCommand& c : DrawsAt(2, 200)) small_cells.push_back(c.cell);
    const std::vector<DrawCommand> l = DrawsAt(2, 400);
    large_counts.push_back(l.size());
    if (!l.empty()) large_cells.push_back(l[0].cell);
    for (const DrawCommand& c : game_.Draws(2)) ASSERT_EQ(c.visible, 0u);
  }
  ASSERT_EQ(small_cells.size(), 32u);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(small_cells[k], 304u + k / 2) << k;
  // The large spark: 2 x 2 cells for 30 frames, then two empty frames; pattern 25 is skipped.
  for (int f = 0; f < 30; ++f) EXPECT_EQ(large_counts[f], 4u) << f;
  for (int f = 30; f < 40; ++f) EXPECT_EQ(large_counts[f], 0u) << f;
  EXPECT_EQ(large_cells[0], 320u);
  EXPECT_EQ(large_cells[17], 336u);
  EXPECT_EQ(large_cells[18], 340u);
  EXPECT_EQ(Actor(110, small).State(), kActorFree);
  EXPECT_EQ(Actor(110, large).State(), kActorFree);
}

TEST_F(EffectsTest, ASparkSpawnedWhilePausedWaitsUndrawnThenPlaysOutPaused) {
  SubMode = kSubPauseMenu;
  const Actor s(110, SpawnActor(110, 200, 200, -1, 0));
  game_.Run(3);
  EXPECT_EQ(s.State(), kActorSpawned);
  EXPECT_TRUE(game_.Draws(2).empty());
  SubMode = kSubWorld;
  game_.Run();
  EXPECT_EQ(game_.Draws(2).size(), 1u);
  SubMode = kSubPauseMenu;
  game_.Run(30);
  EXPECT_EQ(s.State(), kActorActive);
  game_.Run();
  EXPECT_EQ(s.State(), kActorFree);  // its 32nd frame, in the pause
}

TEST_F(EffectsTest, TheAuraRisesOverTheHeroineBlinkingAndGoesAfterSeventyOneFrames) {
  const Actor hero(kHeroineGroup, 0);
  hero.PosX() = 500;
  hero.PosY() = 300;
  hero.VelX() = 2;  // she walks on: the aura goes with her
  const Actor aura(116, SpawnEffectActor14(116, 510, 264, 2, 2, 0, -1, 0, 0, 1, 70, 0, 1, 996));
  int frames = 0;
  while (aura.State() != kActorFree && frames < 200) {
    const int x = aura.PosX(), y = aura.PosY();
    game_.Run();
    ++frames;
    if (aura.State() == kActorFree) break;
    const std::vector<DrawCommand> d = DrawsAt(3, x);
    ASSERT_EQ(d.size(), 4u) << frames;
    std::vector<uint32_t> cells;
    for (const DrawCommand& c : d) {
      cells.push_back(c.cell);
      EXPECT_EQ(c.visible, 0u);
    }
    EXPECT_EQ(cells, (std::vector<uint32_t>{996, 1036, 997, 1037}));  // frame 0 throughout
    EXPECT_EQ(d[0].y, y);
    EXPECT_EQ(aura.PosY(), y - 1);
    EXPECT_EQ(aura.PosX(), x + 2);
    EXPECT_EQ(aura.AnimCursor(), 0);
  }
  EXPECT_EQ(frames, 71);

  // While the world is paused it drifts on, but its life does not run.
  const Actor second(116, SpawnEffectActor14(116, 510, 264, 2, 2, 0, -1, 0, 0, 1, 70, 0, 1, 998));
  game_.Run();
  SubMode = kSubPauseMenu;
  const int y = second.PosY();
  game_.Run(100);
  EXPECT_EQ(second.PosY(), y - 100);
  EXPECT_EQ(second.MaxLife(), 69);
  EXPECT_EQ(second.State(), kActorActive);
}

TEST_F(EffectsTest, ALoopShowsItsLastFrameOnceAndADelayBelowOneCountsAsOne) {
  // Three frames looping, delay 0, living until its owner frees it.
  const Actor flame(116, SpawnEffectActor14(116, 100, 100, 1, 1, 0, 0, 3, 1, 0, -255, 1, 0, 4320));
  std::vector<uint32_t> cells;
  for (int i = 0; i < 5; ++i) {
    game_.Run();
    cells.push_back(DrawsAt(3, 100).at(0).cell);
  }
  EXPECT_EQ(cells, (std::vector<uint32_t>{4320, 4321, 4322, 4323, 4320}));
  game_.Run(300);
  EXPECT_EQ(flame.State(), kActorActive);
}

TEST_F(EffectsTest, TheCoinSpinsRisesEightyFallsAndBecomesTwenty) {
  const Actor coin(112, SpawnActor(112, 400, 300, -1, 0));
  std::vector<uint32_t> spin;
  int top = 300, frames = 0;
  while (coin.State() != kActorFree && frames < 100) {
    game_.Run();
    ++frames;
    const std::vector<DrawCommand> d = game_.Draws(2);
    if (coin.State() == kActorFree) break;
    ASSERT_EQ(d.size(), 2u);  // 1 x 2 cells
    EXPECT_EQ(d[1].cell, d[0].cell + 40);
    EXPECT_EQ(d[0].visible, 1u);
    spin.push_back(d[0].cell);
    top = std::min(top, d[0].y);
  }
  EXPECT_EQ(top, 220);
  EXPECT_EQ(frames, 26);
  ASSERT_GE(spin.size(), 18u);
  for (int k = 0; k < 18; ++k) EXPECT_EQ(spin[k], 826u + (k / 2) % 8) << k;
  // The text takes its place, centred 16 pixels right of the coin's left edge.
  const Actor text(111, 0);
  EXPECT_STREQ(text.Text(), "20");
  game_.Run();
  EXPECT_EQ(text.PosX(), 416 - 8);
  EXPECT_EQ(text.PosY(), 310);
  EXPECT_EQ(game_.Draws(4).size(), 2u);
}

TEST_F(EffectsTest, ThePausedCoinKeepsMovingByItsLastStep) {
  const Actor coin(112, SpawnActor(112, 400, 300, -1, 0));
  game_.Run(3);
  SubMode = kSubPauseMenu;
  game_.Run(20);
  EXPECT_EQ(coin.PosY(), 276 - 160);
  SubMode = kSubWorld;
  game_.Run();  // the update finds it far above its top and turns it about
  EXPECT_EQ(coin.PosY(), 276 - 160 + 6);
}

}  // namespace
