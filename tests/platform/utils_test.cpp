// The small utilities: random numbers, distance, bits, full-width text and the sheet reload.
#include "platform/utils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "backend/headless/headless.h"
#include "platform/graphics.h"
#include "support/game_reset.h"
#include "world/save_block.h"

namespace {

class UtilsTest : public testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

TEST_F(UtilsTest, TheGeneratorGivesTheSameNumbersEverywhere) {
  SeedRandom(1);
  EXPECT_EQ(Random(32768), 41);
  EXPECT_EQ(Random(32768), 18467);
  EXPECT_EQ(Random(32768), 6334);
  EXPECT_EQ(Random(100), 26500 % 100);
}

TEST_F(UtilsTest, RandomizeSeedsWithTheWallClock) {
  headless::SetWallClock(1'700'000'123);
  Randomize();
  const int a = Random(32768), b = Random(32768);
  SeedRandom(1'700'000'123);
  EXPECT_EQ(Random(32768), a);
  EXPECT_EQ(Random(32768), b);
}

TEST_F(UtilsTest, RandomBelowOneDrawsNothing) {
  SeedRandom(5);
  const int first = Random(32768);
  SeedRandom(5);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  EXPECT_EQ(Random(32768), first);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Random(1), 0);
  for (int i = 0; i < 200; ++i) {
    const int r = Random(7);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 7);
  }
}

TEST_F(UtilsTest, Distance) {
  EXPECT_EQ(Distance(0, 0, 3, 4), 5);
  EXPECT_EQ(Distance(0, 0, 1, 1), 1);
  EXPECT_EQ(Distance(10, 10, 7, 6), 5);
  EXPECT_EQ(Distance(-6400, -4800, 6400, 4800), 16000);
  EXPECT_EQ(Distance(5, 5, 5, 5), 0);
}

TEST_F(UtilsTest, Bits) {
  EXPECT_EQ(CountBits(0), 0);
  EXPECT_EQ(CountBits(0x15), 3);
  EXPECT_EQ(CountBits(0xFFFFFFFFu), 32);
  EXPECT_EQ(BitIndex(8, 32), 3);
  EXPECT_EQ(BitIndex(8, 3), 0);
  EXPECT_EQ(BitIndex(12, 32), 0);
  EXPECT_EQ(BitIndex(1, 32), 0);
  EXPECT_EQ(BitIndex(0, 32), 0);
  EXPECT_EQ(BitIndex(0x80000000u, 32), 31);
  EXPECT_EQ(BitIndex(0x80000000u, 100), 31);
}

std::string Hex(const char* text) {
  std::string out;
  char b[4];
  for (const char* p = text; *p != '\0'; ++p) {
    std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(*p));
    out += b;
  }
  return out;
}

TEST_F(UtilsTest, FullWidthDateOfASaveHeader) {
  char text[32] = "12/06-11:47";
  ToFullWidth(text, sizeof text);
  EXPECT_EQ(std::strlen(text), 22u);
  EXPECT_EQ(Hex(text), "82508251815E824F8255817C825082508146825382" "56");
}

TEST_F(UtilsTest, FullWidthTableOfEveryCharacter) {
  // The code page 932 forms of 0x20 .. 0x7D.
  const char* expected =
      "814081498168819481908193819581668169816A8196817B8143817C8144815E"
      "824F825082518252825382548255825682578258814681478183818181848148"
      "81978260826182628263826482658266826782688269826A826B826C826D826E"
      "826F8270827182728273827482758276827782788279816D818F816E814F8151"
      "8165828182828283828482858286828782888289828A828B828C828D828E828F"
      "8290829182928293829482958296829782988299829A816F81628170";
  char text[256] = {};
  for (int c = 0x20; c <= 0x7D; ++c) text[c - 0x20] = static_cast<char>(c);
  ToFullWidth(text, sizeof text);
  EXPECT_EQ(Hex(text), expected);
}

TEST_F(UtilsTest, FullWidthCopiesEveryOtherByte) {
  // Controls, the tilde and bytes from 0x80 on stay; a Shift-JIS character is bytes like any
  // other, so the trail byte 0x41 of 0x83 0x41 is widened as an 'A'.
  char text[16] = "a~\t\x82\xA0\x83\x41";
  ToFullWidth(text, sizeof text);
  EXPECT_EQ(Hex(text), "8281" "7E" "09" "82" "A0" "83" "8260");
}

TEST_F(UtilsTest, FullWidthNeverWritesPastTheBuffer) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  std::memcpy(buffer, "AB", 3);
  ToFullWidth(buffer, 4);  // room for one wide character and the NUL
  EXPECT_EQ(Hex(buffer), "8260");
  EXPECT_EQ(buffer[3], '#');

  std::memcpy(buffer, "AB", 3);
  ToFullWidth(buffer, 5);
  EXPECT_EQ(Hex(buffer), "82608261");

  std::memcpy(buffer, "~A", 3);
  ToFullWidth(buffer, 3);  // the tilde fits, the widened A does not
  EXPECT_STREQ(buffer, "~");

  std::memcpy(buffer, "A", 2);
  ToFullWidth(buffer, 1);
  EXPECT_STREQ(buffer, "");

  std::memset(buffer, 'x', sizeof buffer);  // no NUL inside the capacity at all
  ToFullWidth(buffer, sizeof buffer);
  EXPECT_EQ(Hex(buffer), "829882988298");
  ToFullWidth(nullptr, 10);
}

TEST_F(UtilsTest, ReloadSheetBitmapsLoadsTheScenesSheets) {
  StartTestDisplay();
  for (int32_t& id : SceneBitmapIds) id = -1;
  SceneBitmapIds[7] = 117;
  SceneBitmapIds[40] = 117;  // no such surface: ignored
  SetSurfaceBitmapId(8, 117);  // not the scene's: forgotten
  ReloadSheetBitmaps();
  EXPECT_EQ(SurfaceBitmapIds[7], 117);
  EXPECT_EQ(SurfaceBitmapIds[8], -1);
  EXPECT_NE(Surfaces[7].At(8, 8), 0u);
  EXPECT_EQ(Surfaces[8].At(8, 8), 0u);
}

}  // namespace
