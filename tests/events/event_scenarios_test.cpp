// Events as the player meets them, on a fixture street: tiles without a script start under her
// and end on their next frame while she walks on, a once-per-game talk never comes back, a field
// event needs a fresh Up and no lock, a talk with a townsperson who has nothing to say ends at
// once, nothing else starts while an event runs, and the key that was held through an event's
// end does nothing until it is released.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "events/event_raise.h"
#include "events/event_tables.h"
#include "platform/input.h"
#include "support/event_handlers.h"
#include "support/fixture_map.h"
#include "support/frame_harness.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

// The floor's top is at y 400; the event numbers lie in the row above it, two tiles wide.
const std::vector<std::string> kStreet = {
    "..........................................................",  // 19: y 304
    "..........................................................",  //
    "..........................................................",  //
    "..........................................................",  //
    "..........................................................",  //
    "..........aa....bb....cc........ff......................#.",  // 24: y 384
    "##########################################################",  // 25: y 400
};
const std::vector<FixtureTile> kNumbers = {{'a', 4, 531}, {'b', 4, 600}, {'c', 4, 750}, {'f', 4, 300}};
constexpr int kGround = 400 - 65;  // her PosY standing on the floor
constexpr int kFieldTileX = 32 * 16 - 24;  // her PosX with her middle over the field number

using Event = std::pair<int32_t, int32_t>;  // SubMode, SubModeArg

// A group-7 townsperson standing on the street with its body from x `left`; no module gives that
// group a box, so the test writes it.
Actor PlaceTownsperson(int left) {
  Actor person(7, SpawnActor(7, left - 10, kGround, -1, 0));
  person.State() = kActorActive;
  person.BodyBox().left = left;
  person.BodyBox().top = kGround + 3;
  person.BodyBox().right = left + 24;
  person.BodyBox().bottom = kGround + 64;
  return person;
}

struct EventScenarioTest : testing::Test {
  void SetUp() override {
    game.Run();  // the new game
    LoadFixtureMap(kStreet, kNumbers, 0, 19);
  }
  void Enter(int x) {
    EnterPlay({.heroine = true, .hero_x = x, .hero_y = kGround});
    game.Run(3);  // she settles on the floor
  }
  // Runs a frame and gives what stands over the world after it.
  Event Step() {
    game.Run();
    return {SubMode, SubModeArg};
  }

  FrameHarness game;
  const Actor hero{kHeroineGroup, 0};
};

TEST_F(EventScenarioTest, TilesWithoutAScriptStartUnderHerAndEndOnTheirNextFrameWhileSheWalksOn) {
  Enter(40);
  game.HoldButton(kButtonRight);
  std::vector<Event> seen;
  int stopped_frames = 0;
  for (int frame = 0; frame < 130 && hero.PosX() < 420; ++frame) {
    const int x = hero.PosX();
    const Event e = Step();
    if (e.first != kSubWorld) seen.push_back(e);
    if (hero.PosX() == x) ++stopped_frames;
    // Whatever started on one frame is gone on the next unless her feet meet it again.
    if (e.first == kSubGuideEvent && e.second != 750) {
      EXPECT_EQ(Step(), Event(kSubWorld, 0)) << e.second;
    }
  }
  EXPECT_GE(hero.PosX(), 420);  // she walked over all of them
  int guide531 = 0, guide600 = 0, guide750 = 0;
  for (const Event& e : seen) {
    EXPECT_EQ(e.first, kSubGuideEvent);
    guide531 += e.second == 531;
    guide600 += e.second == 600;
    guide750 += e.second == 750;
  }
  EXPECT_EQ(guide531, 1);
  EXPECT_EQ(guide600, 1);
  EXPECT_GE(guide750, 5);  // on every frame she stood on it, without stopping her
  EXPECT_LE(stopped_frames, 2);  // 531 and 600 stopped her for a frame each
  EXPECT_EQ(GetFlag(0, 531 - 513), 1u);
  EXPECT_EQ(GetFlag(0, 600 - 513), 1u);
  EXPECT_EQ(HeroControl, 0);

  // Back over 600: seen, it never starts again.
  game.ReleaseButton(kButtonRight);
  game.HoldButton(kButtonLeft);
  for (int frame = 0; frame < 60 && hero.PosX() > 200; ++frame) {
    const Event e = Step();
    EXPECT_NE(e, Event(kSubGuideEvent, 600));
  }
  EXPECT_LE(hero.PosX(), 200);
}

TEST_F(EventScenarioTest, AFieldNumberNeedsAFreshUpAndNoLockThenEndsAndLetsHerWalkOn) {
  Enter(kFieldTileX - 80);
  // Up held from before she arrives starts nothing.
  game.HoldButton(kButtonUp);
  game.HoldButton(kButtonRight);
  for (int frame = 0; frame < 40 && hero.PosX() < kFieldTileX; ++frame) game.Run();
  game.ReleaseButton(kButtonRight);
  game.Run(8);
  ASSERT_EQ(hero.Motion() & 0xFF, 0);  // standing on the number
  EXPECT_EQ(SubMode, kSubWorld);
  game.ReleaseButton(kButtonUp);
  game.Run();

  // Nor does a fresh Up while the input is locked (jump held keeps the lock).
  InputLock = 1;
  game.HoldButton(kButtonJump);
  game.PressButton(kButtonUp);
  EXPECT_EQ(SubMode, kSubWorld);
  game.ReleaseButton(kButtonJump);
  game.Run();
  ASSERT_EQ(InputLock, 0);

  // A fresh Up: the event starts, and ends on the next frame.
  EXPECT_EQ(Step(), Event(kSubWorld, 0));
  game.HoldButton(kButtonUp);
  EXPECT_EQ(Step(), Event(kSubFieldEvent, 300));
  game.ReleaseButton(kButtonUp);
  EXPECT_EQ(Step(), Event(kSubWorld, 0));
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);
  const int x = hero.PosX();
  game.HoldButton(kButtonRight);
  game.Run(10);
  EXPECT_GT(hero.PosX(), x + 20);
}

TEST_F(EventScenarioTest, ATalkWithATownspersonWithoutAConversationEndsAtOnce) {
  Enter(100);
  const Actor person = PlaceTownsperson(150);  // next to her
  ASSERT_EQ(person.slot, 0);
  game.HoldButton(kButtonAction);
  EXPECT_EQ(Step(), Event(kSubTalk, 7));
  EXPECT_EQ(person.FaceX(), -1);  // it turned to her
  game.ReleaseButton(kButtonAction);
  EXPECT_EQ(Step(), Event(kSubWorld, 0));
  EXPECT_EQ(person.Control(), 0);
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(SubMode, kSubWorld);  // it does not start again while the button is up
}

bool keep_holding = true;

TEST_F(EventScenarioTest, NothingElseStartsWhileAnEventRunsAndAHeldJumpWaitsForItsRelease) {
  // A field event of the test's own that holds her until the test lets it end.
  ScopedFieldHandler holding(300, FieldRoutine([] {
                               HeroControl = 1;
                               if (!keep_holding) {
                                 SubMode = kSubWorld;
                                 SubModeArg = 0;
                                 HeroControl = 0;
                                 InputLock = 1;
                               }
                             }));
  Enter(kFieldTileX);
  game.PressButton(kButtonUp);
  ASSERT_EQ(SubModeArg, 300);

  // Walked by the script over the guide tiles, with a townsperson beside her and the menu key.
  hero.PosX() = 10 * 16 - 12;
  PlaceTownsperson(150);
  game.PressButton(kButtonAction);
  game.PressButton(kButtonMenu);
  EXPECT_EQ(Step(), Event(kSubFieldEvent, 300));
  EXPECT_EQ(GetFlag(0, 531 - 513), 0u);

  // It ends while jump is held: the guide tile under her starts on that same frame's check and
  // ends on the next; she does not jump until jump was let go and pressed anew.
  game.HoldButton(kButtonJump);
  keep_holding = false;
  EXPECT_EQ(Step(), Event(kSubGuideEvent, 531));
  EXPECT_EQ(Step(), Event(kSubWorld, 0));
  const int y = hero.PosY();
  game.Run(20);
  EXPECT_EQ(hero.PosY(), y);
  game.ReleaseButton(kButtonJump);
  game.Run();
  game.HoldButton(kButtonJump);
  game.Run(4);
  EXPECT_LT(hero.PosY(), y);
}

}  // namespace
