// The world passes in play: what the map places comes to life through them, the heroine's
// collision pass stands still while she dies, and hazard boxes never outlive their frame.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "actors/actor_table.h"
#include "actors/hazards_and_input.h"
#include "app/game_flow.h"
#include "platform/keys.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "world/save_block.h"

namespace {

struct Placed {
  int group, slot, x, y;
  bool operator==(const Placed&) const = default;
};

void PrintTo(const Placed& p, std::ostream* os) {
  *os << "group " << p.group << " slot " << p.slot << " at (" << p.x << ", " << p.y << ")";
}

// Every actor in the table, group by group, slot by slot.
std::vector<Placed> AllActors() {
  std::vector<Placed> found;
  for (int g = 0; g < kActorGroups; ++g) {
    for (int s = 0; s < kActorSlots; ++s) {
      const Actor a(g, s);
      if (a.State() != kActorFree) found.push_back({g, s, a.PosX(), a.PosY()});
    }
  }
  return found;
}

TEST(WorldPassesTest, EnteringPlaySpawnsWhatLayerFourPlacesColumnByColumn) {
  FrameHarness game;
  game.Run();
  // Columns 2..4 hold the actors, deliberately out of row order: read row by row, the group-3
  // actor of column 4 would come first. Events 128 and 600 and the value 1 spawn nothing.
  LoadFixtureMap({"E.....",
                  "....r.",
                  "..k.b.",
                  "..r...",
                  "...rcF",
                  "..1...",
                  "######"},
                 {{'r', 4, 3}, {'k', 4, 33}, {'b', 4, 107}, {'c', 4, 33}, {'E', 4, 128}, {'F', 4, 600}, {'1', 4, 1}},
                 10, 20);
  EnterPlay();
  const int x = 10 * 16, y = 20 * 16;
  const std::vector<Placed> expected = {
      {3, 0, x + 32, y + 48}, {3, 1, x + 48, y + 64}, {3, 2, x + 64, y + 16},  // group 3, column by column
      {33, 0, x + 32, y + 32}, {33, 1, x + 64, y + 64},                        // group 33
      {107, 0, x + 64, y + 32},                                                // group 107
  };
  EXPECT_EQ(AllActors(), expected);
  for (const Placed& p : expected) {
    const Actor a(p.group, p.slot);
    EXPECT_EQ(a.State(), kActorSpawned);
    EXPECT_EQ(a.FaceX(), -1);
    EXPECT_EQ(a.FaceY(), 0);
    EXPECT_EQ(a.HomeX(), p.x);
    EXPECT_EQ(a.HomeY(), p.y);
  }
  // The world runs over them.
  game.Run(2);
  EXPECT_EQ(GameMode, kGamePlaying);
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(CountActors(3), 3);
}

TEST(WorldPassesTest, TheHeroineEntersPlayStandingWhereSheIsPut) {
  FrameHarness game;
  game.Run();
  LoadFixtureMap({"........", "########"}, {}, 0, 10);
  EnterPlay({.heroine = true, .hero_x = 48, .hero_y = 96, .face_x = -1});
  const Actor hero(kHeroineGroup, 0);
  EXPECT_EQ(hero.State(), kActorSpawned);
  EXPECT_EQ(hero.PosX(), 48);
  EXPECT_EQ(hero.PosY(), 96);
  EXPECT_EQ(hero.FaceX(), -1);
  EXPECT_EQ(hero.AnimCursor(), 10);
  EXPECT_EQ(hero.Motion(), 0x1500);
  EXPECT_EQ(CountActors(kHeroineGroup), 1);
}

TEST(WorldPassesTest, WhileTheHeroineDiesNoRideIsCountedAfresh) {
  FrameHarness game;
  game.Run();
  LoadFixtureMap({"########"}, {}, 0, 10);
  EnterPlay({.heroine = true, .hero_x = 48, .hero_y = 96});
  RideCount = 5;
  Actor(kHeroineGroup, 0).State() = kActorEnding;
  game.Run(2);
  EXPECT_EQ(RideCount, 5);  // the whole second pass was skipped
  Actor(kHeroineGroup, 0).State() = kActorActive;
  game.Run();
  EXPECT_EQ(RideCount, 0);
}

TEST(WorldPassesTest, HazardBoxesDoNotOutliveTheirFrame) {
  FrameHarness game;
  game.Run();
  LoadFixtureMap({"########"}, {}, 0, 10);
  EnterPlay();  // no heroine: her damage test, which empties the list, does not run
  AddHazard(100, 100, 32, 32, 5, 0);
  AddHazard(200, 100, 32, 32, 5, 0);
  ASSERT_EQ(HazardCount, 2u);
  game.Run();
  EXPECT_EQ(HazardCount, 0u);
  EXPECT_EQ(HazardBoxes[0][0], -1);

  // A display rebuilt while the world stands (the pause menu) starts with an empty list too.
  SubMode = kSubPauseMenu;
  AddHazard(100, 100, 32, 32, 5, 0);
  game.Tap(vk::Tab);
  EXPECT_EQ(HazardCount, 0u);
}

TEST(WorldPassesTest, TheNewGameClearsTheActorsButKeepsTheirBodies) {
  FrameHarness game;
  const Actor old(40, 3);
  old.State() = kActorActive;
  old.BodyBox().left = 77;
  old.Life() = 9;
  game.Run();
  EXPECT_EQ(old.State(), kActorFree);
  EXPECT_EQ(old.FaceX(), 1);
  EXPECT_EQ(old.BodyBox().left, 77);
  EXPECT_EQ(old.Life(), 9);
}

TEST(WorldPassesTest, SpawnAndUpdateGivesTheSlotsInOrder) {
  FrameHarness game;
  game.Run();
  LoadFixtureMap({"########"}, {}, 0, 10);
  EnterPlay();
  EXPECT_EQ(SpawnAndUpdate(110, 100, 50), 0);
  EXPECT_EQ(SpawnAndUpdate(110, 120, 50, 1, -1), 1);
  EXPECT_EQ(Actor(110, 1).PosX(), 120);
  EXPECT_EQ(Actor(110, 1).FaceY(), -1);
}

}  // namespace
