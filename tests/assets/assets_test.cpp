// The generated pictures as the game finds them: every bitmap the scenes name loads and is a
// full sheet, the window icons have their sizes, and every cell block the game draws holds a
// picture (the gaps that must stay empty stay empty).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/bitmap.h"
#include "platform/graphics.h"
#include "platform/resources.h"
#include "support/game_reset.h"

namespace {

// Every bitmap the scene table, the doors and the debug menu name.
constexpr int kBitmaps[] = {117, 203, 151, 188, 197, 201, 119, 185, 199, 174,
                            200, 186, 202, 112, 196, 173, 189, 113, 159, 187};
constexpr int kTilesets[] = {119, 201, 185, 199, 174, 200, 186};
constexpr int kFarPictures[] = {113, 159, 187, 189};

// `count` pictures of w x h cells, the first at `first`, each `step` cells after the last.
struct Cells {
  int first, w, h, count = 1, step = 0;
};

bool ParseResource(res::Kind kind, int id, BitmapInfo& info) {
  const uint8_t* bytes = nullptr;
  size_t size = 0;
  return res::Find(kind, id, bytes, size) && ParseBitmap(bytes, size, info);
}

class SheetTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    ASSERT_EQ(DisplayReady, 1u);
  }
  void TearDown() override { ResetGameState(); }

  // Loads bitmap `id` into the first sheet surface.
  void Load(int id) {
    ASSERT_EQ(LoadBitmapToSurface(id, kFirstSheetSurface), 0) << id;
    sheet_ = &Surfaces[kFirstSheetSurface];
  }
  uint32_t At(int x, int y) const { return sheet_->At(x, y); }
  // The number of opaque pixels in the w x h cells from `cell`.
  int Opaque(int cell, int w, int h) const {
    int n = 0;
    for (int y = 0; y < 16 * h; ++y)
      for (int x = 0; x < 16 * w; ++x) n += At((cell % 40) * 16 + x, (cell / 40) * 16 + y) != 0;
    return n;
  }
  // The last row (0 = the top) of the w x h block from `cell` that holds an opaque pixel; -1 none.
  int LowestRow(int cell, int w, int h) const {
    for (int y = 16 * h - 1; y >= 0; --y)
      for (int x = 0; x < 16 * w; ++x)
        if (At((cell % 40) * 16 + x, (cell / 40) * 16 + y) != 0) return y;
    return -1;
  }
  void ExpectDrawn(int id, const std::vector<Cells>& runs) {
    Load(id);
    for (const Cells& r : runs)
      for (int k = 0; k < r.count; ++k) {
        const int cell = r.first + k * r.step;
        EXPECT_GT(Opaque(cell, r.w, r.h), 0) << "bitmap " << id << " cell " << cell << " (" << r.w << " x " << r.h << ")";
      }
  }

  const Surface* sheet_ = nullptr;
};

TEST(Assets, EveryBitmapTheScenesNameIsAFullSheet) {
  for (int id : kBitmaps) {
    BitmapInfo info;
    ASSERT_TRUE(ParseResource(res::Kind::Bitmap, id, info)) << id;
    EXPECT_EQ(info.width, 640) << id;
    EXPECT_EQ(info.height, 480) << id;
  }
}

TEST_F(SheetTest, EveryBitmapLoadsIntoASurface) {
  for (int id : kBitmaps) EXPECT_EQ(LoadBitmapToSurface(id, kFirstSheetSurface), 0) << id;
  EXPECT_EQ(LoadBitmapToSurface(118, kFirstSheetSurface), -1);  // no such picture
}

TEST(Assets, WindowIconsHaveTheirSizes) {
  BitmapInfo large, small;
  ASSERT_TRUE(ParseResource(res::Kind::Icon, 194, large));
  ASSERT_TRUE(ParseResource(res::Kind::Icon, 195, small));
  EXPECT_EQ(large.width, 32);
  EXPECT_EQ(large.height, 32);
  EXPECT_EQ(small.width, 16);
  EXPECT_EQ(small.height, 16);
}

// ---- sheet 0 --------------------------------------------------------------------------------------

// The glyph cells of a font from '0' to `last`, leaving out the characters that are gaps.
std::vector<Cells> Glyphs(int first, char last, const char* gaps) {
  std::vector<Cells> runs;
  for (char ch = '0'; ch <= last; ++ch)
    if (std::string(gaps).find(ch) == std::string::npos) runs.push_back({first + (ch - '0'), 1, 1});
  return runs;
}

TEST_F(SheetTest, FontCellsHoldTheirGlyphs) {
  std::vector<Cells> runs = {{0, 1, 1}};  // the HUD font's '/' (ch - 47 is cell 0)
  for (auto [first, last, gaps] : {std::tuple{1, 'Z', "=<"}, {50, '9', ""}, {60, '9', ""}, {70, '9', ""}, {80, 'Z', "=<"},
                                   {123, 'Z', "=<"}, {166, 'Z', "=<"}, {209, 'Z', "=<"}, {252, 'Z', "=<@"}}) {
    const std::vector<Cells> font = Glyphs(first, last, gaps);
    runs.insert(runs.end(), font.begin(), font.end());
  }
  ExpectDrawn(117, runs);
}

TEST_F(SheetTest, GapsStayTransparent) {
  Load(117);
  EXPECT_EQ(Opaque(1 + ('=' - '0'), 1, 1), 0) << "the HUD's '=' lies over the spinning coin";
  EXPECT_EQ(Opaque(80 + ('<' - '0'), 1, 1), 0) << "'<' pads the panel's labels";
  EXPECT_EQ(Opaque(252 + ('@' - '0'), 1, 1), 0) << "'@' is a word gap in the second small font";
  EXPECT_EQ(Opaque(1034, 1, 1), 0) << "coin blocks write tile 1034 over themselves";
}

TEST_F(SheetTest, EightPixelFontsKeepTheirRightHalfEmpty) {
  Load(117);
  // The next character of these fonts is drawn 8 pixels on, over the right half of this one.
  std::vector<int> cells;
  for (int c = 50; c < 60; ++c) cells.push_back(c);
  for (int c = 70; c < 80; ++c) cells.push_back(c);
  for (int c = 209; c <= 294; ++c) cells.push_back(c);
  for (int cell : cells)
    for (int y = 0; y < 16; ++y)
      for (int x = 8; x < 16; ++x) ASSERT_EQ(At((cell % 40) * 16 + x, (cell / 40) * 16 + y), 0u) << cell;
}

TEST_F(SheetTest, SheetZeroPicturesAreDrawn) {
  ExpectDrawn(117, {
                       {295, 1, 1, 8, 1},                                              // HUD coin
                       {304, 1, 1, 16, 1},                                             // small spark
                       {320, 2, 2, 9, 2}, {340, 2, 2, 6, 2},                           // explosion
                       {352, 8, 2}, {1150, 6, 2}, {910, 10, 2}, {990, 4, 2},            // panel picture
                       {400, 3, 4, 11, 3}, {560, 3, 4, 11, 3},                         // heroine
                       {720, 3, 1, 4, 3}, {760, 3, 1, 4, 3},                           // stride overlays
                       {732, 1, 2, 2, 1}, {734, 2, 1}, {774, 2, 1},                    // arms
                       {737, 3, 4, 3, 3}, {755, 3, 4},                                 // death
                       {434, 3, 2}, {437, 1, 2, 2, 1}, {517, 1, 2, 2, 1}, {594, 3, 2},  // balloon, marks
                       {514, 1, 1, 3, 1}, {554, 1, 1, 3, 1},                           // anger veins
                       {746, 1, 1, 4, 1},                                              // insect
                       {800, 1, 1, 4, 1}, {840, 1, 1, 4, 1},                           // shots
                       {826, 1, 2, 8, 1},                                              // coin pop-up
                       {996, 2, 2, 2, 2}, {1078, 2, 2},                                // auras
                       {1070, 3, 2, 2, 3},                                             // chest
                       {896, 2, 2, 7, 2}, {1056, 2, 2, 7, 2}, {882, 2, 2, 7, 2},        // item icons
                       {1042, 2, 2, 7, 2}, {962, 2, 2, 14, 2}, {1122, 2, 2, 8, 2},
                       {1198, 1, 1},                                                   // ledge tile
                   });
}

TEST_F(SheetTest, HeroineStandsOnHerBlocksBottomRow) {
  Load(117);
  for (int f = 0; f <= 10; ++f) {
    EXPECT_EQ(LowestRow(400 + 3 * f, 3, 4), 63) << "facing right, frame " << f;
    EXPECT_EQ(LowestRow(560 + 3 * f, 3, 4), 63) << "facing left, frame " << f;
  }
  // Facing left is its own picture, not the right-facing one again.
  int differing = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 48; ++x) differing += At((400 % 40) * 16 + x, (400 / 40) * 16 + y) != At((560 % 40) * 16 + x, (560 / 40) * 16 + y);
  EXPECT_GT(differing, 100);
}

// ---- sheet 1 --------------------------------------------------------------------------------------

TEST_F(SheetTest, TownspeopleAreDrawnAndStandOnTheirBodysBottomRow) {
  ExpectDrawn(203, {{30, 2, 2}, {110, 2, 2}, {32, 2, 2}, {112, 2, 2}, {36, 2, 2}, {116, 2, 2}, {1025, 2, 5, 3, 2}, {1040, 1, 1}});
  for (int body : {0, 160, 10, 170, 320, 480})
    for (int p = 0; p < 5; ++p) EXPECT_EQ(LowestRow(body + 2 * p, 2, 4), 63) << "body cell " << body + 2 * p;
  for (int p = 0; p < 3; ++p) EXPECT_EQ(LowestRow(1025 + 2 * p, 2, 5), 79) << "Damian " << p;
}

TEST_F(SheetTest, TeacherPatternsAreDrawnAndStandOnTheirBlocksBottomRow) {
  const Cells patterns[] = {{480, 2, 6}, {482, 2, 6}, {484, 4, 6}, {488, 2, 6}, {490, 4, 6}, {0, 2, 6},   {2, 3, 6},   {5, 2, 6},
                          {7, 4, 6},   {11, 4, 6},  {15, 4, 6},  {19, 4, 6},  {23, 3, 6},  {26, 3, 6},  {29, 3, 6},  {32, 5, 6},
                          {240, 3, 6}, {243, 3, 6}, {246, 3, 6}, {249, 4, 6}, {254, 2, 6}, {256, 2, 6}, {258, 3, 6}};
  Load(151);
  for (const Cells& r : patterns) EXPECT_EQ(LowestRow(r.first, r.w, r.h), 95) << "cell " << r.first;
  for (int p = 0; p < 5; ++p) EXPECT_EQ(LowestRow(patterns[p].first + 240, patterns[p].w, 6), 95) << "left, pattern " << p;
}

TEST_F(SheetTest, ChainBossHasEveryPatternInSixteenDirections) {
  std::vector<Cells> runs;
  for (int first : {1, 81, 161, 241, 321, 401, 521, 601, 681}) runs.push_back({first, 2, 2, 16, 2});
  ExpectDrawn(188, runs);
}

// ---- sheet 2 --------------------------------------------------------------------------------------

TEST_F(SheetTest, EveryTilesetCarriesTheMechanisms) {
  for (int id : kTilesets) {
    ExpectDrawn(id, {
                        {720, 2, 2, 6, 2},                          // hazard block
                        {960, 1, 1, 16, 1},                         // panels and light columns
                        {984, 1, 1, 8, 1},                          // looping decorations
                        {1024, 2, 5, 8, 2},                         // exit door
                        {1040, 1, 1}, {1080, 1, 1}, {1160, 1, 1},   // sliding door
                        {1046, 1, 1, 8, 1},                         // warning light
                        {1086, 1, 1, 6, 1}, {1126, 1, 1, 2, 1}, {1166, 1, 1, 3, 1},
                        {27, 3, 3}, {9, 3, 3}, {18, 3, 3},          // the three terrain sets
                    });
    EXPECT_EQ(Opaque(0, 1, 1), 0) << "bitmap " << id << ": a map cannot show cell 0";
  }
}

// ---- sheet 3 --------------------------------------------------------------------------------------

TEST_F(SheetTest, EnemyAndMechanismSheetsAreDrawn) {
  for (int id : {173, 112})
    ExpectDrawn(id, {
                        {1, 2, 1, 3, 2}, {41, 2, 1, 3, 2},                        // bat
                        {7, 2, 2, 3, 2},                                          // Kamekichi
                        {167, 2, 2, 3, 2}, {247, 2, 2, 2, 2},                     // roamer
                        {13, 2, 4, 7, 2}, {173, 2, 4, 7, 2},                      // Kawachan
                        {720, 2, 2, 7, 2},                                        // flame and wisp
                        {481, 1, 1, 16, 1},                                       // boss shot
                        {794, 3, 4}, {797, 3, 4},                                 // weights
                        {802, 2, 2}, {1000, 2, 2},                                // coin blocks
                        {880, 2, 2, 14, 2},                                       // block lift
                        {954, 3, 1}, {957, 3, 1}, {997, 3, 1},                    // lift, elevator
                    });
}

TEST_F(SheetTest, GorillaSheetHoldsHimAndWhatFitsBesideHim) {
  ExpectDrawn(202, {{0, 6, 8, 6, 6}, {320, 6, 8, 6, 6}, {664, 6, 8}, {670, 6, 8},
                    {720, 2, 2, 7, 2}, {797, 3, 4}, {802, 2, 2}, {1000, 2, 2}, {957, 3, 1}, {997, 3, 1}});
  for (int first : {0, 6, 12, 18, 24, 30, 664, 320, 326, 332, 338, 344, 350, 670})
    EXPECT_EQ(LowestRow(first, 6, 8), 127) << "cell " << first;
}

TEST_F(SheetTest, TitleSpritesAreDrawn) {
  ExpectDrawn(196, {{641, 2, 2, 2, 2}, {561, 3, 2, 9, 3}, {321, 2, 2, 12, 2}, {445, 3, 3, 9, 3}, {242, 1, 2, 3, 1},
                    {443, 2, 2}, {4, 3, 4}, {161, 1, 2, 4, 1}, {10, 14, 5}});
}

// ---- far pictures ---------------------------------------------------------------------------------

TEST_F(SheetTest, FarPicturesFillTheScreenAndJoinAtTheirEdges) {
  for (int id : kFarPictures) {
    Load(id);
    int transparent = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) transparent += At(x, y) == 0;
    EXPECT_EQ(transparent, 0) << id;
    // The picture scrolls round a ring: its last column meets its first, and that seam must
    // differ no more than neighbouring columns inside the picture do.
    auto differing = [&](int a, int b) {
      int n = 0;
      for (int y = 0; y < 480; ++y) n += At(a, y) != At(b, y);
      return n;
    };
    int inside = 0;
    for (int x = 0; x < 639; ++x) inside = std::max(inside, differing(x, x + 1));
    EXPECT_LE(differing(639, 0), inside) << id;
  }
}

TEST_F(SheetTest, TitlePictureLeavesTheLetterboxWindowBlack) {
  Load(197);
  int opaque_inside = 0, opaque_outside = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const bool inside = x >= 100 && x < 540 && y >= 100 && y < 380;
      (inside ? opaque_inside : opaque_outside) += At(x, y) != 0;
    }
  EXPECT_EQ(opaque_inside, 0);
  EXPECT_GT(opaque_outside, 0);
}

}  // namespace
