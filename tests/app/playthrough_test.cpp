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
// statistic: the route driver (tests/support/route_driver.h) only holds keys. At each milestone
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
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "platform/input.h"
#include "support/frame_harness.h"
#include "support/route_driver.h"
#include "support/route_stretches.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace fs = std::filesystem;

namespace {

// ---- places and answers -------------------------------------------------------------------------

// The drink machine's menu: a soda, "buy", and out.
constexpr int kSodaLine = 1, kBuy = 1, kDontBuy = 0;
// The clinic's counter: "治療を受る".
constexpr int kTreat = 1;

// The piston weight of W2 is on its way up, high enough and with far enough still to rise that
// she walks under it.
bool PistonRising() {
  const Actor piston(74, 0);
  const int height = Row(88) - (piston.PosY() + 64);
  return piston.MoneyReward() == 0 && height >= 40 && height <= 100;
}

// Every Kawachan on the floor whose top is row `floor` is at least `distance` pixels east of
// column `col` and walks away eastwards: she can come up there with her back to none and shoot
// it before it turns, walks up to her or throws.
bool KawachansAwayEast(int col, int floor, int distance) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor k(35, slot);
    if (k.State() != kActorActive || k.BodyBox().bottom != Row(floor)) continue;
    if (k.CentreX() - Col(col) < distance || k.FaceX() != 1) return false;
  }
  return true;
}

// A Kawachan on the floor whose top is row `floor` stands by the wall west of column `col`,
// facing west.
bool KawachanWaitsAt(int col, int floor) {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor k(35, slot);
    if (k.State() == kActorActive && k.BodyBox().bottom == Row(floor) && k.FaceX() == -1 &&
        k.BodyBox().left < Col(col) + 24)
      return true;
  }
  return false;
}

// A lift at the end of its travel: standing there for its one frame before it turns.
bool LiftAtTop(int slot) {
  const Actor lift(100, slot);
  return lift.StepY() == 0 && lift.PosY() < lift.HomeY() - 60;
}
bool LiftAtLeft(int slot) {
  const Actor lift(101, slot);
  return lift.StepX() == 0 && lift.PosX() < lift.HomeX() - 60;
}
bool LiftAtRight(int slot) {
  const Actor lift(101, slot);
  return lift.StepX() == 0 && lift.PosX() > lift.HomeX() + 60;
}

// ---- the route ----------------------------------------------------------------------------------

// The title, a new game and the opening, which leaves her on the cave's landing.
const Route kTheOpening = {TitleMenu(), MenuLine(kNewGame), Opening()};

// Her shots do nothing to the boss's head or a Kawachan (defence 10) with a new game's Attack
// of 5: the pause menu's equipment page puts on the third of the rings she owns (Attack 104).
const Route kARingOn = {
    Press({kButtonMenu}), MenuLine(kEquipment),
    Press({kButtonRight, kButtonRight, kButtonRight, kButtonJump}),
};

// Beat 1: the landing's shrine S1, a new game's first save.
const Route kTheFirstShrine = {WalkTo(40), UpAt(40)};

// Beats 2 and 3: east off the landing's floor onto the row-21 step, where 513 speaks; up the
// ledges into R1 and its drink machine; then east down the steps (a bump at column 95 jumped),
// the first enemies shot, up onto G1a's mesa (its Kawachan) and down, and the barrier of block
// lifts at its east end shot open, the middle one standing and the lowest crouched.
const Route kTheFirstRestRoom = {
    WalkTo(48), JumpTo(51),   // the ledge at row 16
    JumpTo(56),               // the ledge at row 13
    WalkTo(57), JumpTo(57),   // up through the ledge tiles of R1's floor
    WalkTo(48), UpAt(48, {kSodaLine, kBuy, kDontBuy}),
};
const Route kTheFirstEnemies = {
    WalkTo(62),  // R1's way out, a gap in its floor, down to the step
    WalkTo(93), JumpTo(97, 8),
    WalkTo(122), WaitUntil("the mesa's Kawachan walks off", [] { return KawachansAwayEast(130, 24, 160); }),
    JumpTo(130),  // onto the mesa
    WalkTo(146), WalkTo(160),  // down its east end
    Shoot(1, false, 1), Shoot(1, true, 1), WalkTo(172),
};

// Beat 4: G1b's steps down east to the alcove, where 514 has her crouch to look down the pit;
// onto the lip, over the pit, and the elevator down to W2.
const Route kTheElevator = {
    WalkTo(190), WalkTo(208), WalkTo(224), WalkTo(233),
    WalkAgainst(237), JumpTo(237, 15, 10),  // straight up onto the lip, then over it
    JumpTo(245), WalkTo(245), Ride(kButtonDown),
};

// Beats 5 to 8: west along W2: 515 warns of the traps; she runs under the 16-ton, waits for the
// piston weight to rise and passes under it; R2, where 516 speaks, and out of its dip; 518 at the
// locked water door; down D3 into S2, where 528 speaks at the shrine.
const Route kTheTraps = {
    WalkTo(236), WalkTo(226), WalkTo(210), WaitUntil("the piston weight rises", PistonRising), WalkTo(196),
    WalkTo(168), WalkTo(161), JumpTo(157, 10),  // into R2's dip and out
    WalkTo(127), WalkTo(123), Arrive("L001CAVE"),  // 518, then down D3
    UpAt(114),
};

// Beat 9: east along W3: the lifts over pit 1, the Kawachan between the pits, the block lifts
// over pit 2 as steps, the control room's door; the waterworks machine (257); up the ledges to
// the balcony, west through T's gates that the water opened, over the elevator's foot, over the
// 16-ton where it fell, under the piston again, through R2 and back over D3 to the water door.
const Route kTheWaterworks = {
    WalkTo(200), WalkTo(220), WaitUntil("the first lift is at its top", [] { return LiftAtTop(0); }),
    JumpTo(227), JumpTo(233), WaitUntil("the second lift is at its top", [] { return LiftAtTop(1); }),
    JumpTo(240), WalkTo(288), JumpTo(295), JumpTo(300), JumpTo(306),
    WalkTo(386), UpAt(386),
};
const Route kTheWaterDoor = {
    WalkTo(364), JumpTo(364), JumpTo(364), JumpTo(364),  // the ledges at rows 104, 98 and 93
    JumpTo(358, 15, 7),                                   // straight up, then onto the balcony
    WalkTo(248), JumpTo(242, 8),                          // over the elevator's foot
    WalkTo(226), JumpTo(217),                             // over the 16-ton
    WalkTo(210), WaitUntil("the piston weight rises", PistonRising), WalkTo(196),
    WalkTo(168), WalkTo(161), JumpTo(157, 10), WalkTo(126), JumpTo(120),
    WalkTo(108), Arrive("L001CAVE"),  // through the water door and down D_X, where 519 speaks
};

// Beats 10 and 12: X and PC, the shrine S3.
const Route kTheThirdShrine = {WalkTo(89), UpAt(89)};

// Beats 12 to 16: west over the upper pipe and along the passage, down the drop to LV (522);
// over the lava on the ledges and the two lifts; the runway, where 517 walks her into the shaft
// down to LL; west over a lip into the storage room: the card key's chest and the 1000 yen's;
// east over the lips and the mesa (its Kawachan) to the lower pipe (524), on it, and a crouch.
const Route kTheLava = {
    WalkTo(74), JumpTo(67), WalkTo(11), Arrive("L001CAVE"),
    WalkTo(31), JumpTo(31), WalkTo(33),
    WaitUntil("the first lift is at its left end", [] { return LiftAtLeft(0); }), WalkTo(35),
    WaitUntil("the first lift is at its right end", [] { return LiftAtRight(0); }), JumpTo(49, 8), WalkTo(51),
    WaitUntil("the second lift is at its left end", [] { return LiftAtLeft(1); }), WalkTo(53),
    WaitUntil("the second lift is at its right end", [] { return LiftAtRight(1); }), JumpTo(67, 8),
    WalkTo(80), WalkUntilHeard(99, 517),
};
const Route kTheCardKey = {WalkTo(97), JumpTo(90), WalkTo(28), JumpTo(21, 8), UpAt(13), UpAt(21)};
const Route kThePipeBackUp = {
    WalkTo(91), JumpTo(97), WalkTo(106), JumpTo(112),  // the lips round the shaft's foot
    WalkTo(118), JumpTo(122), WalkTo(142),             // over the mesa
    WalkTo(158), JumpTo(161, 10), WalkTo(161), Crouch(60), Arrive("L001CAVE"),
};

// Beat 17: east through X to the exit door, which the card key opens; the corridor (525), over
// the fallen block and the stump to its shrine.
const Route kTheExitDoor = {WalkTo(150), UpAt(150), Arrive("CORRIDOR")};
const Route kTheCorridorShrine = {
    WalkTo(38), WaitUntil("the Kawachan waits at the block's foot", [] { return KawachanWaitsAt(48, 26); }),
    JumpTo(46), JumpTo(56),            // onto the fallen block and over it
    WalkTo(70), JumpTo(77), UpAt(kCorridorShrine),  // over the stump
};

// After the boss and the town (support/route_stretches.h): the clinic; then the pause menu's load.
const Route kTheClinic = {UpAt(342), Arrive("LTOWNSHP"), UpAt(21, {kTreat}), UpAt(7), Arrive("LTOWNMID")};

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
    Route load = LoadFromTheTitlesMenu();
    load.insert(load.end(), {UpAt(kSaveRoomDoor), Arrive(map)});
    return Play("the title's load", load);
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

// A new game's bag, and with the soda bought in R1.
constexpr std::array<uint32_t, kBagSlots> kNewBag = {kHamburger, kHamburger, kSoda, 0, 0, kAquaSweat, 0};
constexpr std::array<uint32_t, kBagSlots> kBag = {kHamburger, kHamburger, kSoda, kSoda, 0, kAquaSweat, 0};

TEST_F(Playthrough, TheTitleTheOpeningAndTheFirstSave) {
  ASSERT_TRUE(Play("the opening", kTheOpening));
  Expect({"opening", "the opening is over", 2100, "L001CAVE", {1000}, {}, false, 1, 0, 320, kNewBag});
  ASSERT_TRUE(Play("a ring on", kARingOn));
  EXPECT_EQ(PlayerStats.Attack, 104);
  ASSERT_TRUE(Play("the first shrine", kTheFirstShrine));
  ASSERT_TRUE(Play("the first save", SaveAtTheStatue("L001CAVE")));
  Expect({"first_save", "the first save", 3000, "L001CAVE", {1000}, {527}, false, 1, 0, 320, kNewBag});
  KeepTheSave("first_shrine.dat");
}

TEST_F(Playthrough, TheRestRoomTheFirstEnemiesTheTrapsAndTheSecondSave) {
  ASSERT_TRUE(LoadFromTheTitle("first_shrine.dat", "L001CAVE"));
  Expect({"first_load", "the first save loaded", 850, "L001CAVE", {1000}, {527}, false, 1, 0, 320, kNewBag});
  ASSERT_TRUE(Play("the first rest room", kTheFirstRestRoom));
  Expect({"soda", "a soda bought", 1100, "L001CAVE", {1000}, {513, 527}, false, 1, 0, 200, kBag});
  ASSERT_TRUE(Play("the first enemies", kTheFirstEnemies));
  Expect({"first_enemies", "the first enemies", 2500, "L001CAVE", {1000}, {513, 527}, false, 1, 10, 215, kBag});
  ASSERT_TRUE(Play("the elevator", kTheElevator));
  Expect({"elevator", "the elevator down", 3200, "L001CAVE", {1000}, {513, 514, 527}, false, 1, 14, 219, kBag});
  ASSERT_TRUE(Play("the traps", kTheTraps));
  ASSERT_TRUE(Play("the second save", SaveAtTheStatue("L001CAVE")));
  Expect({"second_save", "the second save", 4700, "L001CAVE", {1000}, {513, 514, 515, 516, 518, 527, 528}, false,
          1, 14, 219, kBag});
  KeepTheSave("second_shrine.dat");
}

TEST_F(Playthrough, TheWaterworksTheWaterDoorAndTheThirdSave) {
  ASSERT_TRUE(LoadFromTheTitle("second_shrine.dat", "L001CAVE"));
  ASSERT_TRUE(Play("the waterworks", kTheWaterworks));
  Expect({"waterworks", "the waterworks operated", 2500, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 518, 527, 528}, false, 2, 24, 234, kBag});
  ASSERT_TRUE(Play("the water door", kTheWaterDoor));
  Expect({"water_door", "through the water door", 4100, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 518, 519, 527, 528}, false, 2, 26, 236, kBag});
  ASSERT_TRUE(Play("the third shrine", kTheThirdShrine));
  ASSERT_TRUE(Play("the third save", SaveAtTheStatue("L001CAVE")));
  Expect({"third_save", "the third save", 4900, "L001CAVE", {1000, 100, 101}, {513, 514, 515, 516, 518, 519, 527, 528},
          false, 2, 26, 236, kBag});
  KeepTheSave("third_shrine.dat");
}

TEST_F(Playthrough, TheLavaTheCardKeyThePipeTheExitDoorAndTheCorridorsSave) {
  ASSERT_TRUE(LoadFromTheTitle("third_shrine.dat", "L001CAVE"));
  ASSERT_TRUE(Play("the lava", kTheLava));
  Expect({"lava", "down the shaft", 2100, "L001CAVE", {1000, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 527, 528}, false, 2, 27, 237, kBag});
  ASSERT_TRUE(Play("the card key", kTheCardKey));
  Expect({"card_key", "the card key and the 1000 yen", 2600, "L001CAVE", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 527, 528}, true, 2, 30, 1240, kBag});
  ASSERT_TRUE(Play("the pipe back up", kThePipeBackUp));
  Expect({"pipe", "the pipe back up", 3500, "L001CAVE", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 527, 528}, true, 2, 36, 1251, kBag});
  ASSERT_TRUE(Play("the exit door", kTheExitDoor));
  ASSERT_TRUE(Play("the corridor's shrine", kTheCorridorShrine));
  ASSERT_TRUE(Play("the corridor's save", SaveAtTheStatue("CORRIDOR")));
  Expect({"corridor_save", "the corridor's save", 5600, "CORRIDOR", {1000, 1004, 1001, 100, 101},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 527, 528}, true, 2, 42, 1262, kBag});
  KeepTheSave("corridor_shrine.dat");
}

TEST_F(Playthrough, TheBossTheTownTheClinicAndThePauseMenusLoad) {
  ASSERT_TRUE(LoadFromTheTitle("corridor_shrine.dat", "CORRIDOR"));
  ASSERT_TRUE(Play("the sealed door", kTheSealedDoor));
  ASSERT_TRUE(Play("the boss", kTheBoss));
  Expect({"boss", "the boss brought down", 2200, "BOSS0001", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 701}, true, 7, 452, 4877, kBag});
  ASSERT_TRUE(Play("the town", kTheTown));
  Expect({"town", "the town and a talk", 3500, "LTOWNMID", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 529, 701}, true, 7, 452, 4877, kBag});
  ASSERT_TRUE(Play("the clinic", kTheClinic));
  Expect({"clinic", "the clinic", 4400, "LTOWNMID", {1000, 1004, 1001, 100, 101, 110},
          {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 526, 527, 528, 529, 701}, true, 7, 452, 4847, kBag});
  ASSERT_TRUE(Play("the pause menu's load", kThePauseMenusLoad));
  Expect({"pause_load", "the corridor's save loaded from the pause menu", 4700, "TEMPLE00",
          {1000, 1004, 1001, 100, 101}, {513, 514, 515, 516, 517, 518, 519, 522, 524, 525, 527, 528}, true, 2, 42,
          1262, kBag});
}

}  // namespace
