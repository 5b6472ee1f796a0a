// The waterworks control machine in the cave's control room, played on the cave's map: before the
// water-pressure talk the insect only warns her; after it she presses the red button, the water
// columns by the door light up, and the water door, shut until then, opens as she comes near;
// once operated, the machine does nothing more.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "support/field_play.h"
#include "support/frame_harness.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

constexpr int kMachineCol = 385, kControlRoomFloor = 1760;
constexpr int kHallFloor = 1408;  // the floor of the waterworks' hall, where the water door stands
constexpr const char* kTovia = "トヴィア：";
constexpr const char* kInsect = "変な虫：";
constexpr const char* kSystem = "ＳＹＳＴＥＭ：";

struct WaterworksTest : testing::Test {
  void SetUp() override {
    EnterCaveWithoutEnemies(game);
  }

  std::vector<Shown> Operate() {
    play.StandAt(257, kMachineCol, kControlRoomFloor);
    play.PressUp();
    EXPECT_EQ(SubModeArg, 257);
    return play.ReadToTheEnd();
  }

  // She stands a little left of the water door for a while: how far it rose.
  int WaterDoorRise() {
    PlaceHeroine(0, 1880, kHallFloor - 65, 'R', 'N');
    game.Run(30);
    return door.HomeY() - door.PosY();
  }

  bool ColumnsLit() const {
    for (int slot = 0; slot < 4; ++slot)
      if (Actor(115, slot).Link() != 5) return false;
    return true;
  }

  void ExpectTheValveShut() const {
    EXPECT_EQ(GetFlag(1, 100), 0u);
    EXPECT_EQ(GetFlag(1, 101), 0u);
    EXPECT_EQ(GetFlag(0, 15), 0u);
    EXPECT_FALSE(ColumnsLit());
  }

  FrameHarness game;
  FieldPlay play{game};
  const Actor door{90, 0};
};

TEST_F(WaterworksTest, BeforeTheWaterPressureTalkTheInsectOnlyWarnsHer) {
  EXPECT_EQ(Operate(), (std::vector<Shown>{{kInsect, "「これはこの辺り一帯を管理している機械だ。複雑な機械なので触らなぬことだ。」"}}));
  ExpectTheValveShut();
  EXPECT_EQ(HeroControl, 0);
  EXPECT_EQ(InputLock, 1);
  EXPECT_EQ(WaterDoorRise(), 0);
}

TEST_F(WaterworksTest, AfterTheTalkSheOperatesItAndOnlyThenTheWaterDoorOpens) {
  SetFlag(0, 5, 1);  // the water-pressure talk was heard
  EXPECT_EQ(WaterDoorRise(), 0) << "the water door opened before the valve";

  play.StandAt(257, kMachineCol, kControlRoomFloor);
  play.PressUp();
  std::vector<Shown> lines;
  bool insect_while_talking = false, linked_before_the_system = false;
  for (int window = 0; window < 20 && SubMode != kSubWorld; ++window) {
    const Shown s = play.Await();
    if (s == Shown{}) break;
    lines.push_back(s);
    insect_while_talking = insect_while_talking || Actor(114, 0).State() != 0;
    if (s.speaker == kSystem && lines.size() == 8) {
      // The red button: the columns lit and the door linked to the valve, which is not open yet.
      linked_before_the_system = ColumnsLit() && door.Link() == 100 && GetFlag(1, 101) == 1 && GetFlag(1, 100) == 0;
    }
    EXPECT_EQ(HeroControl, 1);
    play.Close();
  }
  EXPECT_TRUE(play.AwaitEnd(5));

  std::vector<std::string> speakers;
  for (const Shown& s : lines) speakers.push_back(s.speaker);
  EXPECT_EQ(speakers, (std::vector<std::string>{kTovia, kInsect, kTovia, kInsect, kTovia, kInsect, kTovia, kSystem,
                                                kSystem, kSystem, kInsect, kTovia}));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0].text, "「なにこれー？」");
  EXPECT_EQ(lines[2].text, "「なんだ、水道を制御してる機械か。」");
  EXPECT_EQ(lines[6].text, "「なんか困るの？」");
  EXPECT_EQ(lines[11], (Shown{kTovia, "「私も知らなーい（汗）」"}));
  EXPECT_TRUE(insect_while_talking);
  EXPECT_TRUE(linked_before_the_system);
  EXPECT_EQ(GetFlag(1, 100), 1u);
  EXPECT_EQ(GetFlag(0, 15), 1u);
  EXPECT_EQ(Actor(114, 0).State(), 0);  // the insect is gone
  EXPECT_EQ(HeroControl, 0);

  EXPECT_GE(WaterDoorRise(), 96) << "the water door stays shut after the valve opened";

  // Once operated, nothing more.
  EXPECT_EQ(Operate(), (std::vector<Shown>{{kTovia, "「何をしても反応が無い。」"}}));
  EXPECT_EQ(GetFlag(1, 101), 1u);
}

TEST_F(WaterworksTest, OnceOperatedItAnswersNothingEvenBeforeTheTalk) {
  SetFlag(1, 101, 1);
  EXPECT_EQ(Operate(), (std::vector<Shown>{{kTovia, "「何をしても反応が無い。」"}}));
  EXPECT_EQ(GetFlag(1, 100), 0u);
  EXPECT_FALSE(ColumnsLit());
}

}  // namespace
