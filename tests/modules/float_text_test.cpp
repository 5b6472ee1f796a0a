// Floating texts in play: the rise, the blinking linger and the end; the five fonts, centred on
// the spawn point; texts standing still while the world is paused; full and empty texts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"

namespace {

constexpr int kGroup = 111;

class FloatTextTest : public testing::Test {
 protected:
  void SetUp() override {
    game_.Run();
    LoadFixtureMap({});
    EnterPlay();
  }

  FrameHarness game_;
};

TEST_F(FloatTextTest, RisesThirtyTwoFramesBlinksSixtyAndGoes) {
  SpawnActorWithText(kGroup, 400, 300, 'b', 0, "LEVELUP:");
  const Actor t(kGroup, 0);
  game_.Run();
  // Centred: eight 16-pixel characters; the rise starts at the next update.
  EXPECT_EQ(t.PosX(), 400 - 64);
  EXPECT_EQ(t.PosY(), 300);
  const std::vector<DrawCommand> first = game_.Draws(4);
  ASSERT_EQ(first.size(), 8u);
  EXPECT_EQ(first[0].cell, static_cast<uint32_t>('L' - 47));
  EXPECT_EQ(first[7].cell, static_cast<uint32_t>(':' - 47));
  EXPECT_EQ(first[1].x - first[0].x, 16);
  EXPECT_EQ(first[0].visible, 1u);

  int rising = 0;
  while (t.State() == kActorActive && rising < 100) {
    const int y = t.PosY();
    game_.Run();
    EXPECT_EQ(t.PosY(), y - 2);
    ++rising;
  }
  EXPECT_EQ(rising, 32);
  EXPECT_EQ(t.PosY(), 300 - 64);
  int blinking = 0;
  while (t.State() == kActorEnding && blinking < 100) {
    EXPECT_EQ(game_.Draws(4).at(0).visible, 0u);
    game_.Run();
    ++blinking;
  }
  EXPECT_EQ(blinking, 60);
  EXPECT_EQ(t.State(), kActorFree);
  EXPECT_TRUE(game_.Draws(4).empty());
}

TEST_F(FloatTextTest, EachFontHasItsCellsSpacingCentringAndRise) {
  struct Case {
    int font_letter, colour_letter;
    const char* text;
    int centring;  // pixels left of the spawn point
    uint32_t first_cell;
    int spacing, rise;
  };
  const Case cases[] = {
      {'b', 0, "12", 16, '1' - 47, 16, 64},           // font 1, also for letters outside the table
      {'n', 'R', "123", 12, 71, 8, 32},               // font 2 in red: digits from 70
      {'n', 'r', "9", 4, 79, 8, 32},
      {'n', 'g', "7", 4, 57, 8, 32},                  // any other colour: digits from 50
      {'s', 0, "20", 8, '2' + 161, 8, 32},            // font 3
      {'M', 0, "DIET@", 20, 'D' + 204, 8, 32},        // font 4
      {'N', 0, "45", 16, '4' + 12, 16, 64},           // font 5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SpawnActorWithText(kGroup, 1000, 400, c.font_letter, c.colour_letter, c.text);
    const Actor t(kGroup, 0);
    game_.Run();
    EXPECT_EQ(t.PosX(), 1000 - c.centring);
    const std::vector<DrawCommand> d = game_.Draws(4);
    ASSERT_EQ(d.size(), std::strlen(c.text));
    EXPECT_EQ(d[0].cell, c.first_cell);
    if (d.size() > 1) {
      EXPECT_EQ(d[1].x - d[0].x, c.spacing);
    }
    game_.Run(32);  // 2 or 1 pixels a frame
    EXPECT_EQ(t.PosY(), 400 - c.rise);
    EXPECT_EQ(t.State(), kActorEnding);
    KillActor(kGroup, 0);
  }
}

TEST_F(FloatTextTest, StandsStillButShowsWhileTheWorldIsPaused) {
  SpawnActorWithText(kGroup, 300, 300, 's', 0, "DAMAGE:");
  game_.Run(5);
  const Actor t(kGroup, 0);
  const int y = t.PosY();
  SubMode = kSubPauseMenu;
  for (int i = 0; i < 10; ++i) {
    game_.Run();
    EXPECT_EQ(t.PosY(), y);
    EXPECT_EQ(game_.Draws(4).size(), 7u);
  }
  SubMode = kSubWorld;
  game_.Run();
  EXPECT_EQ(t.PosY(), y - 1);
}

TEST_F(FloatTextTest, AnEmptyTextRisesUnseenAndAFullGroupDropsTheNext) {
  SpawnActorWithText(kGroup, 300, 300, 'b', 0, "");
  game_.Run(3);
  EXPECT_EQ(Actor(kGroup, 0).State(), kActorActive);
  EXPECT_EQ(Actor(kGroup, 0).PosY(), 296);
  EXPECT_TRUE(game_.Draws(4).empty());

  for (int i = 1; i < kActorSlots; ++i) SpawnActorWithText(kGroup, 10, 10, 's', 0, "1");
  ASSERT_EQ(CountActors(kGroup), kActorSlots);
  SpawnActorWithText(kGroup, 10, 10, 's', 0, "LOST");
  for (int s = 0; s < kActorSlots; ++s) ASSERT_STRNE(Actor(kGroup, s).Text(), "LOST");
}

}  // namespace
