#include "world/save_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "actors/items.h"
#include "backend/headless/headless.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/utils.h"
#include "support/game_reset.h"
#include "world/flags.h"
#include "world/save_block.h"
#include "world/save_ranges.h"

namespace fs = std::filesystem;

namespace {

std::string Hex(const char* bytes, size_t n) {
  std::string out;
  char b[4];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(b, sizeof b, "%02X ", static_cast<unsigned char>(bytes[i]));
    out += b;
  }
  return out;
}

class SaveFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    dir = fs::temp_directory_path() / ("tovia_saves_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Data");
    SetFileBase(dir.string());
    Running = 1;
    WindowSize.width = 640;
    WindowSize.height = 480;
    WindowMode = 1;
    SetDefaultKeys();
  }
  void TearDown() override {
    SetFileBase("");
    fs::remove_all(dir);
    ResetGameState();
  }
  std::vector<char> FileBytes(const char* name) {
    std::ifstream in(dir / "Data" / name, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  }
  void WriteBytes(const char* name, const std::vector<char>& bytes) {
    std::ofstream(dir / "Data" / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  fs::path dir;
};

int64_t LocalTime(int month, int day, int hour, int minute) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&t));
}

TEST_F(SaveFilesTest, HeaderIsTheFullWidthDateAndTime) {
  headless::SetWallClock(LocalTime(12, 6, 11, 47));
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  const std::vector<char> file = FileBytes("save0.dat");
  ASSERT_EQ(file.size(), 32u + 8724u);
  EXPECT_EQ(Hex(file.data(), 32),
            "82 50 82 51 81 5E 82 4F 82 55 81 7C 82 50 82 50 81 46 82 53 82 56 00 00 00 00 00 00 00 00 00 00 ");
  EXPECT_EQ(std::memcmp(file.data() + 32, &Save, sizeof Save), 0);
}

TEST_F(SaveFilesTest, RoundTripRestoresTheGame) {
  SetFlag(1, 110, 1);
  SetFlag(0, 9, 15);
  SceneVars[32] = -2500;  // effect volume
  SceneVars[33] = 90;     // music volume
  ButtonBits[kButtonJump] = 64;  // jump on joystick button 3
  RebuildKeyTable();
  std::strcpy(MapPath, "./Data/LTOWN001.MDT");
  EventStep[164] = 7;
  PlayerStats.Money = 12345;
  PlayerStats.Level = 7;
  PlayerStats.Bag[3] = 5;
  PlayerStats.OwnedRings = 0x2A;
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);

  const SaveBlock saved = Save;
  ResetGameState();
  Running = 1;
  SetDefaultKeys();
  ASSERT_EQ(ReadSave(".\\Data\\Save1.dat"), 0);
  EXPECT_EQ(GetFlag(1, 110), 1u);
  EXPECT_EQ(GetFlag(0, 9), 15u);
  EXPECT_EQ(SceneVars[32], -2500);
  EXPECT_EQ(SceneVars[33], 90);
  EXPECT_EQ(ButtonBits[kButtonJump], 64u);
  EXPECT_STREQ(MapPath, "./Data/LTOWN001.MDT");
  EXPECT_EQ(EventStep[164], 7);
  EXPECT_EQ(PlayerStats.Money, 12345);
  EXPECT_EQ(PlayerStats.Level, 7);
  EXPECT_EQ(PlayerStats.Bag[3], 5u);
  EXPECT_EQ(PlayerStats.OwnedRings, 0x2Au);
  EXPECT_EQ(std::memcmp(&Save.ButtonBits, &saved.ButtonBits, sizeof saved.ButtonBits), 0);
  // The keyboard follows the loaded buttons: Z now gives the jump's new bit.
  bool z_gives_jump = false;
  for (const KeyBinding& k : KeyBindings)
    if (k.vk == vk::KeyA + 25 && k.bit == 64) z_gives_jump = true;
  EXPECT_TRUE(z_gives_jump);
}

TEST_F(SaveFilesTest, TheRunningProcessAndTheSlotListAreNotTakenFromTheFile) {
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  std::vector<char> file = FileBytes("save0.dat");
  SaveBlock* block = reinterpret_cast<SaveBlock*>(file.data() + 32);
  block->Running = 0;
  block->WindowSize.width = 100000;
  block->WindowMode = -1;
  block->AppActive = 0;
  block->SlotHeadersStale = 5;
  std::strcpy(block->SlotHeaders[0], "stale");
  WriteBytes("save0.dat", file);
  SlotHeadersStale = -1;
  AppActive = 1;
  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(Running, 1u);
  EXPECT_EQ(WindowSize.width, 640u);
  EXPECT_EQ(WindowMode, 1);
  EXPECT_EQ(AppActive, 1u);
  EXPECT_EQ(SlotHeadersStale, -1);
  EXPECT_STRNE(SlotHeaders[0], "stale");
}

TEST_F(SaveFilesTest, FilesOfTheWrongSizeLeaveTheGameAsItWas) {
  SceneVars[32] = -700;
  SetFlag(1, 3, 1);
  const SaveBlock before = Save;
  std::mt19937 rng(5);
  for (size_t size : {size_t{0}, size_t{31}, size_t{32 + 8723}, size_t{32 + 8725}, size_t{20000}}) {
    std::vector<char> garbage(size);
    for (char& c : garbage) c = static_cast<char>(rng());
    WriteBytes("save2.dat", garbage);
    EXPECT_EQ(ReadSave(".\\Data\\save2.dat"), -1) << size;
    EXPECT_EQ(std::memcmp(&Save, &before, sizeof Save), 0) << size;
  }
  EXPECT_EQ(ReadSave(".\\Data\\none.dat"), -1);
}

TEST_F(SaveFilesTest, AFileOfGarbageIsBroughtIntoRange) {
  std::mt19937 rng(9);
  std::vector<char> garbage(32 + 8724);
  for (char& c : garbage) c = static_cast<char>(rng() | 0x11);  // no zero byte anywhere
  SaveBlock* block = reinterpret_cast<SaveBlock*>(garbage.data() + 32);
  block->SceneBitmapIds[7] = 117;  // a bitmap that exists survives
  WriteBytes("save0.dat", garbage);
  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(std::strlen(MapPath), 127u);
  EXPECT_EQ(std::strlen(WorldName), 127u);
  EXPECT_EQ(std::strlen(SavedPosition.MapPath), 127u);
  EXPECT_EQ(std::strlen(SavedPosition.WorldName), 127u);
  for (int i = 0; i < kButtonCount; ++i) {
    const uint32_t b = ButtonBits[i];
    EXPECT_TRUE(b != 0 && (b & (b - 1)) == 0) << i;
  }
  EXPECT_GE(SceneVars[32], -10000);
  EXPECT_LE(SceneVars[32], 0);
  EXPECT_GE(SceneVars[33], 0);
  EXPECT_LE(SceneVars[33], 127);
  EXPECT_LE(HazardCount, 64u);
  EXPECT_EQ(SceneBitmapIds[7], 117);
  EXPECT_EQ(SceneBitmapIds[8], -1);
  EXPECT_EQ(Running, 1u);
  EXPECT_EQ(SaveFieldOutOfRange(Save), nullptr) << SaveFieldOutOfRange(Save);
}

// The bag holds ids of consumables, or an empty slot; each spell slot a level up to what casting
// reaches there and a timer within its reload. Casting and using an item then work as in play.
TEST_F(SaveFilesTest, TheBagAndTheSpellsLoadAsCastingAndTheBagLeaveThemAndCastingStillWorks) {
  PlayerStats.BagCursor = 200;
  PlayerStats.SpellLevel[1] = -1;
  PlayerStats.SpellTimer[1] = 40;  // a timer left running without its spell
  PlayerStats.SpellLevel[2] = 99;
  PlayerStats.SpellLevel[4] = 3;   // CLOCK UP at 16 pixels a frame
  PlayerStats.SpellTimer[4] = 50;
  PlayerStats.SpellLevel[7] = 5;   // a slot no magic tool casts
  PlayerStats.Mp = 5;
  PlayerStats.OwnedMagicTools = PlayerStats.EquippedMagicTool = 2;  // SHEELD=BOOK
  PlayerStats.Bag[6] = 3;
  PlayerStats.Bag[0] = 9;  // one past LASTWATER, the strongest
  PlayerStats.Bag[1] = 0x3FFFFDC5;
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(PlayerStats.BagCursor, 6u);
  EXPECT_EQ(PlayerStats.Bag[0], 0u);
  EXPECT_EQ(PlayerStats.Bag[1], 0u);
  EXPECT_EQ(PlayerStats.SpellLevel[1], 0);
  EXPECT_EQ(PlayerStats.SpellTimer[1], 0);
  EXPECT_EQ(PlayerStats.SpellLevel[2], 1);
  EXPECT_EQ(PlayerStats.SpellLevel[4], 1);
  EXPECT_EQ(PlayerStats.SpellTimer[4], 1);
  EXPECT_EQ(PlayerStats.SpellLevel[7], 0);
  EXPECT_EQ(SaveFieldOutOfRange(Save), nullptr) << SaveFieldOutOfRange(Save);
  CastMagic();
  EXPECT_EQ(PlayerStats.SpellLevel[1], 1);
  EXPECT_EQ(PlayerStats.SpellTimer[1], 128);
  UseBagItem();
  EXPECT_EQ(PlayerStats.Bag[6], 0u);
}

TEST_F(SaveFilesTest, ButtonBitsThatAreNotOneBitTakeTheirDefaults) {
  ButtonBits[kButtonJump] = 0;
  ButtonBits[kButtonAction] = 3;
  ButtonBits[kButtonMenu] = 4096;
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  ASSERT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
  EXPECT_EQ(ButtonBits[kButtonJump], 16u);
  EXPECT_EQ(ButtonBits[kButtonAction], 32u);
  EXPECT_EQ(ButtonBits[kButtonMenu], 4096u);
}

// The return point on a map without a shrine gives way to the first map that has one, with its
// names; on a map that is not there it is kept (the way out shows the fatal error scene) and she
// is brought inside the world. (The sweep, tests/save_sweep, moves her on her own map.)
TEST_F(SaveFilesTest, AReturnPointOnAMapWithoutAShrineGoesToTheFirstShrine) {
  for (const char* map : {"L001CAVE.MDT", "LTOWNMID.MDT"})
    fs::copy_file(fs::path(TOVIA_BINARY_DIR) / "Data" / map, dir / "Data" / map);
  SavedPositionRecord& p = SavedPosition;
  const auto load = [&](const char* map) {
    std::strcpy(p.MapPath, map);
    p.HeroX = INT32_MAX;
    EXPECT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
    EXPECT_EQ(ReadSave(".\\Data\\save0.dat"), 0);
    EXPECT_EQ(SaveFieldOutOfRange(Save), nullptr) << SaveFieldOutOfRange(Save);
  };
  load("./Data/LTOWNMID.MDT");
  EXPECT_STREQ(p.MapPath, "./Data/L001CAVE.MDT");
  EXPECT_STREQ(p.WorldName, "LANCASHIRE=CAVE");
  EXPECT_EQ(p.SheetIds[1], 188);
  load("./Data/GONE.MDT");
  EXPECT_STREQ(p.MapPath, "./Data/GONE.MDT");
  EXPECT_LT(p.HeroX, 6400);
}

TEST_F(SaveFilesTest, AFailedWriteKeepsTheOldSave) {
  SceneVars[33] = 11;
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  const std::vector<char> old = FileBytes("save0.dat");
  fs::create_directories(dir / "Data" / "save0.dat.tmp");  // the temporary file cannot be made
  SceneVars[33] = 99;
  EXPECT_EQ(WriteSave(".\\Data\\save0.dat"), -1);
  EXPECT_EQ(FileBytes("save0.dat"), old);
  EXPECT_EQ(WriteSave(".\\NoFolder\\save0.dat"), -1);
}

TEST_F(SaveFilesTest, SlotHeadersShowTheDateOrNoRecord) {
  headless::SetWallClock(LocalTime(3, 14, 9, 5));
  ASSERT_EQ(WriteSave(".\\Data\\save0.dat"), 0);
  WriteBytes("Save2.dat", std::vector<char>(100, 'x'));  // not a save file
  ReadSlotHeaders();
  char expected[32] = "03/14-09:05";
  ToFullWidth(expected, sizeof expected);
  EXPECT_STREQ(SlotHeaders[0], expected);
  EXPECT_STREQ(SlotHeaders[1], "－記録がありません－");
  EXPECT_STREQ(SlotHeaders[2], "－記録がありません－");
  fs::remove(dir / "Data" / "save0.dat");
  ReadSlotHeaders();
  EXPECT_STREQ(SlotHeaders[0], "－記録がありません－");
}

TEST_F(SaveFilesTest, SlotHeaderIsTerminatedAtItsLastByte) {
  ASSERT_EQ(WriteSave(".\\Data\\save1.dat"), 0);
  std::vector<char> file = FileBytes("save1.dat");
  std::memset(file.data(), 'A', 32);
  WriteBytes("save1.dat", file);
  ReadSlotHeaders();
  EXPECT_EQ(std::strlen(SlotHeaders[1]), 31u);
  EXPECT_EQ(SlotHeaders[2][0], SlotHeaders[0][0]);  // the next slot's line is its own
}

}  // namespace
