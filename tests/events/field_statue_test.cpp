// The save statue in the save room, played as a player plays it: in through the shrine on the
// cave's landing, she prays, saves in a slot, and the file holds the game as it was (money, flags,
// the statue's own step) under the date of the save, which the pause menu loads; a write that fails says so and keeps the
// slot's old file; backing out writes nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "support/field_play.h"
#include "support/frame_harness.h"
#include "support/played_sounds.h"
#include "ui/menu_player.h"
#include "world/flags.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace fs = std::filesystem;

namespace {

constexpr int kStatueCol = 19;  // the statue's number lies at columns 19..20 of row 25
constexpr int kFloor = 416;
constexpr int64_t kHarnessClock = 1'765'000'000;
constexpr const char* kStatue = "【石像】";
constexpr const char* kPrayer = "「汝、我の声が聞こえるならば祈りをささげよ。」";
constexpr const char* kNoRecord = "－記録がありません－";
constexpr size_t kEventStepAt = 32 + 1880;  // EventStep in a save file
constexpr size_t kMoneyAt = 32 + 5980 + offsetof(PlayerStatsRecord, Money);

struct StatueTest : testing::Test {
  // The new game in the cave; the shrine on the landing takes her into the save room.
  void SetUp() override {
    EnterCaveWithoutEnemies(game);
    play.StandAt(162, 40, 272);
    play.PressUp();
    EXPECT_TRUE(play.AwaitEnd(300));
    EXPECT_STREQ(MapPath, "./Data/TEMPLE00.MDT");
    play.StandAt(164, kStatueCol, kFloor);
  }

  // Up at the statue, its prayer read, and the save menu open: its lines.
  std::vector<std::string> OpenSaveMenu() {
    play.PressUp();
    EXPECT_EQ(SubModeArg, 164);
    EXPECT_EQ(play.Await(), (Shown{kStatue, kPrayer}));
    EXPECT_EQ(HeroControl, 2);  // frozen while the statue speaks
    play.Close();
    const Shown menu = play.Await();
    EXPECT_EQ(menu.speaker, "　セーブメニュー");
    return menu.choices;
  }

  // The statue's last line, closed, and the event's end.
  void ReadTheLastLine(const char* line) {
    EXPECT_EQ(play.Await(), (Shown{kStatue, line}));
    play.Close();
    EXPECT_TRUE(play.AwaitEnd(5));
    EXPECT_EQ(HeroControl, 0);
    EXPECT_EQ(EventStep[164], 0);
  }

  std::vector<char> File(const char* name) const {
    std::ifstream in(fs::path(game.folder()) / "Data" / name, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  }

  FrameHarness game;
  FieldPlay play{game};
};

TEST_F(StatueTest, SheSavesInTheFirstSlotAndTheFileReadBackRestoresHerMoneyAndFlags) {
  PlayerStats.Money = 4321;
  SetFlag(1, 1004, 1);
  SetFlag(0, 5, 1);

  EXPECT_EQ(OpenSaveMenu(), (std::vector<std::string>{"キャンセル", kNoRecord, kNoRecord, kNoRecord}));
  const int saved_sounds = PlayCount(19);
  EXPECT_EQ(play.Choose(1), 1);
  EXPECT_EQ(PlayCount(19), saved_sounds + 1);
  ReadTheLastLine("「現在の状況を【セーブ】（保護）しました。」");

  const std::vector<char> file = File("save0.dat");
  ASSERT_EQ(file.size(), 32u + sizeof(SaveBlock));
  char header[32];
  FormatSaveHeader(kHarnessClock, header);
  EXPECT_EQ(std::string(file.data(), 32), std::string(header, 32));

  // Spent and forgotten, then loaded from the first slot through the pause menu.
  PlayerStats.Money = 7;
  ClearAllFlags();
  MenuPlayer menu(game);
  menu.Press(kButtonMenu);
  ASSERT_EQ(SubMode, kSubPauseMenu);
  menu.Pick(3);  // load
  ASSERT_EQ(std::string(MessageWindow.choices[1]), std::string(header));
  menu.Pick(1);
  for (int frame = 0; frame < 300 && (SubMode != kSubWorld || IsFading() == 1); ++frame) game.Run();
  EXPECT_EQ(SubMode, kSubWorld);
  EXPECT_EQ(PlayerStats.Money, 4321);
  EXPECT_EQ(GetFlag(1, 1004), 1u);
  EXPECT_EQ(GetFlag(0, 5), 1u);
  EXPECT_EQ(EventStep[164], 0);  // the loader sets the statue's step back

  // At the statue again, the first slot's line is the date of that save.
  play.StandAt(164, kStatueCol, kFloor);
  EXPECT_EQ(OpenSaveMenu(), (std::vector<std::string>{"キャンセル", header, kNoRecord, kNoRecord}));
}

TEST_F(StatueTest, AWriteThatFailsSaysSoWithTheCancelSoundAndKeepsTheOldFile) {
  // The second slot is save1.dat, written in the middle of the statue's script.
  PlayerStats.Money = 120;
  OpenSaveMenu();
  EXPECT_EQ(play.Choose(2), 2);
  ReadTheLastLine("「現在の状況を【セーブ】（保護）しました。」");
  EXPECT_TRUE(File("save0.dat").empty());
  const std::vector<char> old = File("save1.dat");
  ASSERT_EQ(old.size(), 8756u);
  int32_t step = 0, money = 0;
  std::memcpy(&step, old.data() + kEventStepAt + 164 * 4, 4);
  std::memcpy(&money, old.data() + kMoneyAt, 4);
  EXPECT_EQ(step, 2);
  EXPECT_EQ(money, 120);

  // The temporary file beside the slot cannot be made.
  fs::create_directories(fs::path(game.folder()) / "Data" / "save1.dat.tmp");
  PlayerStats.Money = 999;
  game.Run(3);
  OpenSaveMenu();
  const int saved = PlayCount(19), cancelled = PlayCount(20);
  EXPECT_EQ(play.Choose(2), 2);
  EXPECT_EQ(PlayCount(19), saved);
  EXPECT_EQ(PlayCount(20), cancelled + 1);
  ReadTheLastLine("「セーブできませんでした。」");
  EXPECT_EQ(File("save1.dat"), old);
}

TEST_F(StatueTest, BackingOutWritesNothingAndSaysSoWithOneCancelSoundEitherWay) {
  // The cancel key: the window plays its sound, the statue none of its own.
  OpenSaveMenu();
  int cancelled = PlayCount(20);
  EXPECT_EQ(play.Cancel(), -2);
  EXPECT_EQ(PlayCount(20), cancelled + 1);
  ReadTheLastLine("「キャンセルしました。」");

  // "キャンセル": the statue plays it.
  game.Run(3);
  OpenSaveMenu();
  cancelled = PlayCount(20);
  EXPECT_EQ(play.Choose(0), 0);
  EXPECT_EQ(PlayCount(20), cancelled + 1);
  ReadTheLastLine("「キャンセルしました。」");

  EXPECT_TRUE(File("save0.dat").empty());
  EXPECT_EQ(PlayCount(19), 0);
}

}  // namespace
