#include "world/map_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "platform/files.h"
#include "support/game_reset.h"
#include "support/map_builder.h"
#include "world/map_layers.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMap = "./Data/LTOWN001.MDT";

class MapFileTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    ASSERT_EQ(InitBgLayers(), 0);
    dir = fs::temp_directory_path() / ("tovia_mapfile_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Data");
    SetFileBase(dir.string());
  }
  void TearDown() override {
    SetFileBase("");
    fs::remove_all(dir);
    ResetGameState();
  }

  static std::vector<uint32_t> Store() { return std::vector<uint32_t>(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount); }
  static void SetStore(const std::vector<uint32_t>& tiles) { std::copy(tiles.begin(), tiles.end(), BgLayers.TileBuffer); }
  static std::vector<uint32_t> RandomTiles(uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint32_t> tiles(kTileCount);
    for (uint32_t& t : tiles) t = rng() % 8 == 0 ? 2400 : rng();
    return tiles;
  }
  std::vector<uint8_t> FileBytes(const char* name = "LTOWN001.MDT") const {
    std::ifstream in(dir / "Data" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  void WriteFile(const std::vector<uint8_t>& bytes, const char* name = "LTOWN001.MDT") const {
    std::ofstream(dir / "Data" / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<std::streamsize>(bytes.size()));
  }
  static uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
  }
  // The check value a save writes for the store as it stands.
  uint32_t SavedCheck() {
    EXPECT_EQ(SaveMapFile(kMap), 0);
    return Word(FileBytes(), 2400000);
  }
  int TempFilesLeft() const {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir / "Data")) n += entry.path().extension() == ".tmp";
    return n;
  }

  fs::path dir;
};

TEST_F(MapFileTest, Crc32IsTheStandardOne) {
  std::mt19937 rng(11);
  std::vector<uint8_t> data(kMapCheckedBytes);
  for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
  for (size_t n : {size_t{0}, size_t{1}, size_t{3}, size_t{1000}, kMapCheckedBytes})
    EXPECT_EQ(Crc32(n, data.data()), crc32(0, data.data(), static_cast<uInt>(n))) << n;
  EXPECT_EQ(Crc32(9, "123456789"), 0xCBF43926u);
}

TEST_F(MapFileTest, AnEmptyMapCarriesTheCheckOf600000ZeroBytes) {
  ASSERT_EQ(SaveMapFile(kMap), 0);
  const std::vector<uint8_t> bytes = FileBytes();
  ASSERT_EQ(bytes.size(), kMapFileSize);
  EXPECT_EQ(Word(bytes, 2400000), 0xD0FDD3B3u);
  EXPECT_EQ(LoadMapFile(kMap), 0);
  EXPECT_EQ(TempFilesLeft(), 0);
}

TEST_F(MapFileTest, TheFileIsTheStoreInOrderAndReadsBack) {
  const std::vector<uint32_t> tiles = RandomTiles(12);
  SetStore(tiles);
  ASSERT_EQ(SaveMapFile(kMap), 0);
  const std::vector<uint8_t> bytes = FileBytes();
  ASSERT_EQ(bytes.size(), kMapFileSize);
  // Tile (col 7, row 9) of layer 3, little-endian at its place.
  const size_t n = 3 * 120000 + 9 * 400 + 7;
  EXPECT_EQ(Word(bytes, 4 * n), tiles[n]);
  EXPECT_EQ(Word(bytes, 2400000), crc32(0, bytes.data(), 600000));

  SetStore(std::vector<uint32_t>(kTileCount, 5));
  EXPECT_EQ(LoadMapFile(".\\data\\ltown001.mdt"), 0);
  std::vector<uint32_t> want = tiles;
  for (uint32_t& t : want) t = t == 2400 ? 0 : t;
  EXPECT_EQ(Store(), want);
}

TEST_F(MapFileTest, TheCheckCoversLayerZeroAndTheFirst75RowsOfLayerOne) {
  SetStore(RandomTiles(13));
  const uint32_t check = SavedCheck();
  for (int at : {2 * 120000 + 5, 3 * 120000 + 119999, 4 * 120000, 120000 + 75 * 400}) {
    BgLayers.TileBuffer[at] ^= 0x100;
    EXPECT_EQ(SavedCheck(), check) << at;
    BgLayers.TileBuffer[at] ^= 0x100;
  }
  for (int at : {0, 119999, 120000 + 74 * 400 + 399}) {
    BgLayers.TileBuffer[at] ^= 0x100;
    EXPECT_NE(SavedCheck(), check) << at;
    BgLayers.TileBuffer[at] ^= 0x100;
  }
}

TEST_F(MapFileTest, ReadingTurns2400IntoZeroAndKeepsOtherMultiples) {
  PutTile(10, 10, 3, 2400);
  PutTile(11, 10, 3, 1200);
  PutTile(12, 10, 3, 3600);
  PutTile(0, 0, 0, 2400);
  ASSERT_EQ(SaveMapFile(kMap), 0);
  ASSERT_EQ(LoadMapFile(kMap), 0);  // the check was made before 2400 became 0
  EXPECT_EQ(GetTile(160, 160, 3), 0u);
  EXPECT_EQ(GetTile(176, 160, 3), 1200u);
  EXPECT_EQ(GetTile(192, 160, 3), 3600u);
  EXPECT_EQ(GetTile(0, 0, 0), 0u);
}

TEST_F(MapFileTest, AWrongCheckStillFillsTheStore) {
  const std::vector<uint32_t> tiles = RandomTiles(14);
  SetStore(tiles);
  ASSERT_EQ(SaveMapFile(kMap), 0);
  std::vector<uint8_t> bytes = FileBytes();
  bytes[2400000] ^= 1;
  WriteFile(bytes);
  SetStore(std::vector<uint32_t>(kTileCount, 5));
  EXPECT_EQ(LoadMapFile(kMap), -2);
  std::vector<uint32_t> want = tiles;
  for (uint32_t& t : want) t = t == 2400 ? 0 : t;
  EXPECT_EQ(Store(), want);
}

TEST_F(MapFileTest, AMissingFileOrOneThatIsNoRegularFileLeavesTheStoreAlone) {
  const std::vector<uint32_t> tiles = RandomTiles(15);  // its tiles 2400 would become 0 on a read
  SetStore(tiles);
  EXPECT_EQ(LoadMapFile("./Data/NOSUCH.MDT"), -1);
  EXPECT_EQ(Store(), tiles);
  fs::create_directory(dir / "Data" / "TEMPLE00.MDT");
  EXPECT_EQ(LoadMapFile("./Data/TEMPLE00.MDT"), -1);
  EXPECT_EQ(Store(), tiles);
  EXPECT_EQ(LoadMapFile("/dev/null"), -1);  // a device
  EXPECT_EQ(Store(), tiles);
}

TEST_F(MapFileTest, AFileTooShortForItsCheckFailsIt) {
  SetStore(RandomTiles(16));
  ASSERT_EQ(SaveMapFile(kMap), 0);
  std::vector<uint8_t> bytes = FileBytes();
  bytes.resize(2400002);
  WriteFile(bytes);
  EXPECT_EQ(LoadMapFile(kMap), -2);

  // Only what the file holds is read; the rest of the store keeps its tiles.
  bytes.resize(1000);
  WriteFile(bytes);
  SetStore(std::vector<uint32_t>(kTileCount, 7));
  EXPECT_EQ(LoadMapFile(kMap), -2);
  EXPECT_EQ(BgLayers.TileBuffer[249], Word(bytes, 996) == 2400 ? 0 : Word(bytes, 996));
  EXPECT_EQ(BgLayers.TileBuffer[250], 7u);
}

TEST_F(MapFileTest, SavingReplacesTheFileOfTheSameNameInAnyCase) {
  WriteFile({1, 2, 3}, "ltown001.mdt");
  PutTile(1, 1, 2, 42);
  ASSERT_EQ(SaveMapFile(kMap), 0);
  EXPECT_EQ(FileBytes("ltown001.mdt").size(), kMapFileSize);
  EXPECT_FALSE(fs::exists(dir / "Data" / "LTOWN001.MDT"));
  EXPECT_EQ(SaveMapFile("./NoFolder/X.MDT"), -1);
}

// A save that cannot be written whole leaves the old map as it was.
TEST_F(MapFileTest, AFailedSaveKeepsTheOldMap) {
  WriteFile({9, 9, 9, 9});
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 1000000;  // not even the tiles fit
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_EQ(SaveMapFile(kMap), -2);
  small.rlim_cur = 2400000;  // the tiles fit, their check does not
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_EQ(SaveMapFile(kMap), 2);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
  EXPECT_EQ(FileBytes(), (std::vector<uint8_t>{9, 9, 9, 9}));
  EXPECT_EQ(TempFilesLeft(), 0);
}

}  // namespace
