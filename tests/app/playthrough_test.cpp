// The whole game played through with the buttons only, from the title to the town, by the route
// of the world plan: the opening, the cave beat by beat (its talks, enemies shot, the drink
// machine, the shrines and the statue's saves, the traps, the waterworks and the water door, the
// drop, the card key, the pipe back up, the exit door), the corridor, the boss, the town (its
// talk, a townsperson, the clinic) and the pause menu's load.
//
// It is played in five stretches, one test each, and each stretch ends as a player ends a
// session: with a save at the statue. The next stretch is a fresh process that loads that save
// from the title and walks out of the save room, so a failure points at one stretch, and every
// stretch also plays a save and a load through. Nothing here writes a position, a flag or a
// statistic: the route driver (tests/support/route_driver.h) only holds keys, along the route's
// pieces (tests/support/walkthrough.h, which the soak plays too). At each milestone
// the test compares what a player would see in the status panel and the game's records (the
// map, the story's flags, the talks heard, level, EXP, money and the bag) with what this route
// gives, and a milestone past its frame cap fails; a failure names the milestone and saves its
// picture in the build folder.
//
// The stretches hand their saves on through the folder TOVIA_PLAYTHROUGH_DIR, which CTest sets
// and orders them by (tests/CMakeLists.txt); run by hand, they skip without it:
//   TOVIA_PLAYTHROUGH_DIR=/tmp/pt build/tests/tovia_tests --gtest_filter='Playthrough.*'
// (TOVIA_ROUTE_TRACE=1 prints each waypoint as it begins.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "support/frame_harness.h"
#include "support/route_driver.h"
#include "support/walkthrough.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {

// ---- milestones ---------------------------------------------------------------------------------

// The story's flags in bank 1 that the route sets: the opening's chest, the card key's and the
// 1000 yen's chests, the valve, the waterworks machine, the boss's defeat.
constexpr int kStoryFlags[] = {1000, 1004, 1001, 100, 101, 110};
// The guide talks (bank 0, number - 513): 518's is flag 0:5, 701's 0:188.
constexpr int kGuides[] = {513, 514, 515, 516, 517, 518, 519, 520, 521, 522, 523, 524,
                           525, 526, 527, 528, 529, 701};
constexpr uint32_t kCardKey = 16;
// The bag's consumables.
constexpr uint32_t kHamburger = 1, kSoda = 2, kAquaSweat = 3;

struct Milestone {
  const char* id;    // for the picture's name
  const char* name;  // for the failure
  int frame_cap;     // frames since the stretch began
  const char* map;
  std::vector<int> story;  // the flags of kStoryFlags set by now
  std::vector<int> heard;  // the guide talks heard by now
  bool card_key;
  int level, exp, money;
  std::array<uint32_t, kBagSlots> bag;
};

std::string Describe(const std::vector<int>& numbers) {
  std::ostringstream out;
  for (int n : numbers) out << n << " ";
  return out.str();
}

class Playthrough : public testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("TOVIA_PLAYTHROUGH_DIR");
    if (dir == nullptr) GTEST_SKIP() << "run by CTest, in order, with TOVIA_PLAYTHROUGH_DIR";
    saves_ = dir;
    fs::create_directories(saves_);
  }

  bool Play(const std::string& stretch, const Route& route) { return driver.Play(stretch, route); }

  // The last stretch's save, loaded from the title of a fresh process (its first slot), and the
  // save room's door back to where she saved on `map`.
  bool LoadFromTheTitle(const char* save, const char* map) {
    const fs::path from = fs::path(saves_) / save;
    if (!fs::exists(from)) {
      ADD_FAILURE() << "no " << from << ": the stretch before this one did not save";
      return false;
    }
    fs::copy_file(from, fs::path(game.folder()) / "Data" / "save0.dat", fs::copy_options::overwrite_existing);
    return Play("the title's load", TheLoadFromTheTitle(map));
  }

  // The save in the first slot, kept for the next stretch.
  void KeepTheSave(const char* save) {
    fs::copy_file(fs::path(game.folder()) / "Data" / "save0.dat", fs::path(saves_) / save,
                  fs::copy_options::overwrite_existing);
  }

  // What a player would check at the milestone; on a difference, the milestone named and its
  // picture saved.
  void Expect(const Milestone& m) {
    std::ostringstream wrong;
    if (driver.frames() > m.frame_cap) wrong << "\n  reached at frame " << driver.frames() << ", over " << m.frame_cap;
    if (std::string("./Data/") + m.map + ".MDT" != MapPath) wrong << "\n  on " << MapPath;
    std::vector<int> story, heard;
    for (int f : kStoryFlags)
      if (GetFlag(1, f) != 0) story.push_back(f);
    for (int g : kGuides)
      if (GetFlag(0, g - 513) != 0) heard.push_back(g);
    if (story != m.story) wrong << "\n  story flags " << Describe(story);
    if (heard != m.heard) wrong << "\n  heard " << Describe(heard);
    if ((HasSpecialItem(kCardKey) != 0) != m.card_key) wrong << "\n  card key " << HasSpecialItem(kCardKey);
    const PlayerStatsRecord& p = PlayerStats;
    if (p.Level != m.level || static_cast<int>(p.Exp) != m.exp || p.Money != m.money)
      wrong << "\n  level " << p.Level << ", exp " << p.Exp << ", money " << p.Money;
    const std::array<uint32_t, kBagSlots> bag = {p.Bag[0], p.Bag[1], p.Bag[2], p.Bag[3], p.Bag[4], p.Bag[5], p.Bag[6]};
    if (bag != m.bag) {
      wrong << "\n  bag";
      for (uint32_t item : bag) wrong << " " << item;
    }
    if (wrong.str().empty()) return;
    const std::string picture = std::string(TOVIA_BINARY_DIR) + "/playthrough_" + m.id + ".png";
    game.SavePicture(picture);
    ADD_FAILURE() << "milestone \"" << m.name << "\" (frame " << driver.frames() << "):" << wrong.str()
                  << "\n  the picture is " << picture;
  }

  void TearDown() override {
    if (!IsSkipped()) RecordProperty("frames", driver.frames());
    if (!IsSkipped()) RecordProperty("longest_stand", driver.longest_stand());
  }

  FrameHarness game;
  RouteDriver driver{game, testing::UnitTest::GetInstance()->current_test_info()->name()};

 private:
  std::string saves_;
};

// ---- the stretches ------------------------------------------------------------------------------

// A new game's bag, and with the soda bought in the first rest room.
constexpr std::array<uint32_t, kBagSlots> kNewBag = {kHamburger, kHamburger, kSoda, 0, 0, kAquaSweat, 0};
constexpr std::array<uint32_t, kBagSlots> kBag = {kHamburger, kHamburger, kSoda, kSoda, 0, kAquaSweat, 0};

TEST_F(Playthrough, TheTitleTheOpeningAndTheFirstSave) {
  ASSERT_TRUE(Play("the opening", TheOpening()));
  Expect({"opening", "the opening is over", 2100, "L001CAVE", {1000}, {}, false, 1, 0, 320, kNewBag});
  ASSERT_TRUE(Play("a ring on", ARingOn()));
  EXPECT_EQ(PlayerStats.Attack, 104);
  ASSERT_TRUE(Play("the first shrine", TheFirstShrine()));
  ASSERT_TRUE(Play("the first save", SaveAtTheStatue("L001CAVE")));
  Expect({"first_save", "the first save", 3000, "L001CAVE", {1000}, {527}, false, 1, 0, 320, kNewBag});
  KeepTheSave("first_shrine.dat");
}

TEST_F(Playthrough, TheRestRoomTheFirstEnemiesTheTrapsAndTheSecondSave) {
  ASSERT_TRUE(LoadFromTheTitle("first_shrine.dat", "L001CAVE"));
  Expect({"first_load", "the first save loaded", 850, "L001CAVE", {1000}, {527}, false, 1, 0, 320, kNewBag});
  ASSERT_TRUE(Play("the first rest room", TheFirstRestRoom()));
  Expect({"soda", "a soda bought", 1100, "L001CAVE", {1000}, {513, 527}, false, 1, 0, 200, kBag});
  ASSERT_TRUE(Play("the first enemies", TheFirstEnemies()));
  Expect({"first_enemies", "the first enemies", 2500, "L001CAVE", {1000}, {513, 527}, false, 1, 10, 215, kBag});
  ASSERT_TRUE(Play("the elevator", TheElevator()));
  Expect({"elevator", "the elevator down", 3200, "L001CAVE", {1000}, {513, 514, 527}, false, 1, 14, 219, kBag});
  ASSERT_TRUE(Play("the traps", TheTraps()));
  ASSERT_TRUE(Play("the second save", SaveAtTheStatue("L001CAVE")));
  Expect({"second_save", "the second save", 4700, "L001CAVE", {1000}, {513, 514, 515, 516, 518, 527, 528}, false,
          1, 14, 219, kBag});
  KeepTheSave("second_shrine.dat");
}

TEST_F(Playthrough, TheWaterworksTheWaterDoorAndTheThirdSave) {
  ASSERT_TRUE(LoadFromTheTitle("second_shrine.dat", "L001CAVE"));
  ASSERT_TRUE(Play("the waterworks", TheWaterworks()));
  Expect({"waterworks", "the waterworks operated", 2500, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 518, 527, 528}, false, 2, 24, 234, kBag});
  ASSERT_TRUE(Play("the water door", TheWaterDoor()));
  Expect({"water_door", "through the water door", 4100, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 518, 519, 527, 528}, false, 2, 26, 236, kBag});
  ASSERT_TRUE(Play("the third shrine", TheThirdShrine()));
  ASSERT_TRUE(Play("the third save", SaveAtTheStatue("L001CAVE")));
  Expect({"third_save", "the third save", 4900, "L001CAVE", {1000, 100, 101}, {513, 514, 515, 516, 518, 519, 527, 528},
          false, 2, 26, 236, kBag});
  KeepTheSave("third_shrine.dat");
}

TEST_F(Playthrough, TheLavaTheCardKeyThePipeTheExitDoorAndTheCorridorsSave) {
  ASSERT_TRUE(LoadFromTheTitle("third_shrine.dat", "L001CAVE"));
  ASSERT_TRUE(Play("the lava", TheLava()));
  Expect({"lava", "down the shaft", 2100, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 527, 528}, false, 2, 27, 237, kBag});
  ASSERT_TRUE(Play("the card key", TheCardKey()));
  Expect({"card_key", "the card key and the 1000 yen", 2600, "L001CAVE", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 527, 528}, true, 2, 30, 1240, kBag});
  ASSERT_TRUE(Play("the pipe back up", ThePipeBackUp()));
  Expect({"pipe", "the pipe back up", 3500, "L001CAVE", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 527, 528}, true, 2, 36, 1251, kBag});
  ASSERT_TRUE(Play("the exit door", TheExitDoor()));
  ASSERT_TRUE(Play("the corridor's shrine", TheCorridorShrine()));
  ASSERT_TRUE(Play("the corridor's save", SaveAtTheStatue("CORRIDOR")));
  Expect({"corridor_save", "the corridor's save", 5600, "CORRIDOR", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 527, 528}, true, 2, 42, 1262, kBag});
  KeepTheSave("corridor_shrine.dat");
}

TEST_F(Playthrough, TheBossTheTownTheClinicAndThePauseMenusLoad) {
  ASSERT_TRUE(LoadFromTheTitle("corridor_shrine.dat", "CORRIDOR"));
  ASSERT_TRUE(Play("the sealed door", TheSealedDoor()));
  ASSERT_TRUE(Play("the boss", TheBoss()));
  Expect({"boss", "the boss brought down", 2200, "BOSS0001", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 701}, true, 7, 452, 4877, kBag});
  ASSERT_TRUE(Play("the town", TheTown()));
  ASSERT_TRUE(Play("a talk in the town", ATalkInTheTown()));
  Expect({"town", "the town and a talk", 3500, "LTOWNMID", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 529, 701}, true, 7, 452, 4877, kBag});
  ASSERT_TRUE(Play("the clinic", TheClinic()));
  Expect({"clinic", "the clinic", 4400, "LTOWNMID", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 529, 701}, true, 7, 452, 4847, kBag});
  ASSERT_TRUE(Play("the pause menu's load", ThePauseMenusLoad()));
  Expect({"pause_load", "the corridor's save loaded from the pause menu", 4700, "TEMPLE00",
          {1000, 1004, 1001, 100, 101}, {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 527, 528}, true, 2, 42,
          1262, kBag});
}

}  // namespace
