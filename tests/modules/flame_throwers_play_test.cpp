// The Kawachans in play on the built corridor: each sights the heroine standing ahead of it,
// closes in and throws, and its wisp hurts her and bursts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "world/save_block.h"

namespace {

constexpr int kKawachan = 35;
constexpr int kWisp = 36;
constexpr int kCorridorFloor = 416;

TEST(FlameThrowersPlayTest, InTheCorridorEachKawachanThrowsAtHerAndItsWispHurtsHer) {
  FrameHarness game;
  game.Run();
  SubMode = kSubWorld;
  SubModeArg = 0;
  ChangeScene(900);
  game.Run(5);
  ASSERT_EQ(CountActors(kKawachan), 2);
  EXPECT_EQ(Actor(kKawachan, 0).HomeX(), 60 * 16);
  EXPECT_EQ(Actor(kKawachan, 1).HomeX(), 200 * 16);

  for (int slot = 0; slot < 2; ++slot) {
    SCOPED_TRACE("Kawachan " + std::to_string(slot));
    const Actor k(kKawachan, slot);
    ASSERT_EQ(k.State(), kActorActive);
    ASSERT_EQ(k.BodyBox().bottom, kCorridorFloor);
    EXPECT_EQ(GetActorModeBits(kKawachan, slot, 'o'), 4096) << "it carries its flame";
    // She stands 150 pixels ahead of it, on its floor.
    PlaceHeroine(0, k.CentreX() + 150 * k.FaceX() - 24, kCorridorFloor - 65, k.FaceX() == 1 ? 'L' : 'R', 'N');
    PlayerStats.MaxHp = PlayerStats.Hp = 500;  // so that one wisp does not end her
    const int32_t hp = PlayerStats.Hp;
    const int bursts = PlayCount(29);
    bool threw = false;
    int wisps = 0;
    for (int i = 0; i < 200 && PlayerStats.Hp == hp; ++i) {
      game.Run();
      threw = threw || GetActorModeBits(kKawachan, slot, 'a') == 64;
      wisps = std::max(wisps, CountActors(kWisp));
    }
    EXPECT_TRUE(threw);
    ASSERT_LT(PlayerStats.Hp, hp) << "nothing hurt her";
    EXPECT_EQ(wisps, 1);
    // The wisp hurt her, not the thrower: it stands off, and its wisp bursts on the floor.
    const Actor hero(kHeroineGroup, 0);
    EXPECT_GT(std::abs(hero.CentreX() - k.CentreX()), 100);
    game.Run(40);
    EXPECT_EQ(PlayCount(29), bursts + 1);
    game.Run(100);
    EXPECT_EQ(CountActors(kWisp), 0);
  }
}

}  // namespace
