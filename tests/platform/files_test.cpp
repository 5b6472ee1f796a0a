#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tovia_files_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Data");
    std::ofstream(dir / "Data" / "Save0.dat") << "zero";
    std::ofstream(dir / "Data" / "LTOWN001.MDT") << "map";
    SetFileBase(dir.string());
  }
  void TearDown() override {
    SetFileBase("");
    fs::remove_all(dir);
  }
  std::string Read(const char* path) {
    FILE* f = OpenFile(path, "rb");
    if (f == nullptr) return "<none>";
    char buf[64] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    return std::string(buf, n);
  }
  fs::path dir;
};

TEST_F(FilesTest, BackslashesAndCaseFindTheSameFile) {
  EXPECT_EQ(Read(".\\Data\\Save0.dat"), "zero");
  EXPECT_EQ(Read(".\\Data\\save0.dat"), "zero");
  EXPECT_EQ(Read("./data/SAVE0.DAT"), "zero");
  EXPECT_EQ(Read("./Data/LTOWN001.MDT"), "map");
  EXPECT_EQ(Read("./Data/ltown001.mdt"), "map");
}

TEST_F(FilesTest, MissingFilesAndFoldersFailToOpen) {
  EXPECT_EQ(Read("./Data/Save1.dat"), "<none>");
  EXPECT_EQ(Read("./Nowhere/Save0.dat"), "<none>");
  EXPECT_EQ(OpenFile("./Nowhere/new.dat", "wb"), nullptr);  // folders are never created
  EXPECT_FALSE(fs::exists(dir / "Nowhere"));
  EXPECT_EQ(ResolvePath("", false), "");
}

TEST_F(FilesTest, WritingReusesTheFileWhoseNameDiffersOnlyInCase) {
  FILE* f = OpenFile(".\\Data\\save0.dat", "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("new", f);
  std::fclose(f);
  EXPECT_EQ(Read(".\\Data\\Save0.dat"), "new");
  EXPECT_FALSE(fs::exists(dir / "Data" / "save0.dat"));
  int files = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir / "Data")) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(FilesTest, NewFilesKeepTheirSpelling) {
  FILE* f = OpenFile(".\\Data\\save2.dat", "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(fs::exists(dir / "Data" / "save2.dat"));
  EXPECT_NE(OpenFile("./DATA/Save2.DAT", "rb"), nullptr);
}

TEST_F(FilesTest, TrailingSpacesAndDotsOfANameMeanNothing) {
  EXPECT_EQ(Read("./Data/LTOWN001.MDT  "), "map");
  EXPECT_EQ(Read("./Data /Save0.dat."), "zero");
  FILE* f = OpenFile("./Data/AB  ", "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(fs::exists(dir / "Data" / "AB"));
}

TEST_F(FilesTest, OnlyFilesAreOpenedForReading) {
  fs::create_directories(dir / "Data" / "MAPS.MDT");
  EXPECT_EQ(Read("./Data/MAPS.MDT"), "<none>");
  EXPECT_EQ(Read("./Data/"), "<none>");
  EXPECT_EQ(Read("./Data/   "), "<none>");
  EXPECT_EQ(Read("./Data/LTOWN001.MDT"), "map");
}

TEST_F(FilesTest, TheExactNameWinsOverOtherSpellings) {
  std::ofstream(dir / "Data" / "save0.dat") << "lower";
  EXPECT_EQ(Read("./Data/save0.dat"), "lower");
  EXPECT_EQ(Read("./Data/Save0.dat"), "zero");
  // With no exact match the first spelling in sorted order is taken.
  EXPECT_EQ(Read("./Data/SAVE0.dat"), "zero");
}

}  // namespace
