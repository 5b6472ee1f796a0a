#include "platform/graphics.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/winmain.h"
#include "backend/headless/headless.h"
#include "platform/resources.h"
#include "support/game_reset.h"

namespace {

class GraphicsTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    ASSERT_EQ(DisplayReady, 1u);
  }
  void TearDown() override {
    res::InstallEmbedded();
    ResetGameState();
  }
  static uint32_t Back(int x, int y) { return Surfaces[kBackBuffer].At(x, y); }
  // Gives each cell of sheet `sheet` its own colour: cell n is (sheet + 1) << 20 | n.
  static void PaintSheet(int sheet) {
    Surface& s = Surfaces[kFirstSheetSurface + sheet];
    for (int n = 0; n < kCellsPerSheet; ++n)
      px::Fill(s, Rect{(n % 40) * 16, (n / 40) * 16, (n % 40) * 16 + 16, (n / 40) * 16 + 16},
               static_cast<uint32_t>((sheet + 1) << 20 | n));
  }
};

TEST_F(GraphicsTest, MakeColorPacksForTheDepth) {
  EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x123456u);
  Display.bits_per_pixel = 16;
  EXPECT_EQ(MakeColor(255, 255, 255), 0xFFFFu);
  EXPECT_EQ(MakeColor(8, 4, 8), 0x0821u);
  EXPECT_EQ(MakeColorAlt(8, 4, 8), 0x0821u);
  Display.bits_per_pixel = 24;
  EXPECT_EQ(MakeColor(255, 255, 255), 0u);
}

TEST_F(GraphicsTest, CreateDirectDrawMakesElevenSurfacesClearedToTheKey) {
  for (int i = 1; i < kSurfaceCount; ++i) {
    ASSERT_TRUE(Surfaces[i].Exists()) << i;
    EXPECT_EQ(Surfaces[i].width, 640);
    EXPECT_EQ(Surfaces[i].height, 480);
    EXPECT_EQ(Surfaces[i].keyed, i >= kFirstRingSurface) << i;
  }
  EXPECT_FALSE(headless::IsFullscreen());
  ReleaseDirectDraw();
  EXPECT_EQ(DisplayReady, 0u);
  for (const Surface& s : Surfaces) EXPECT_FALSE(s.Exists());
}

TEST_F(GraphicsTest, CreateDirectDrawReportsTheFailingStep) {
  ReleaseDirectDraw();
  headless::FailOpenDisplay(true);
  EXPECT_EQ(CreateDirectDraw(MainWindow), -1);
  headless::FailOpenDisplay(false);
  headless::FailFullscreen(true);
  Display.window_mode = 1;
  EXPECT_EQ(CreateDirectDraw(MainWindow), -4);
  Display.window_mode = -1;
  EXPECT_EQ(CreateDirectDraw(MainWindow), -3);
  EXPECT_EQ(CreateDirectDraw(0), -1);
}

TEST_F(GraphicsTest, OutlineOfOnePixelFillsThatPixel) {
  DrawRectOutline(10, 10, 11, 11, 0xABCDEF);
  EXPECT_EQ(Back(10, 10), 0xABCDEFu);
  EXPECT_EQ(Back(11, 10), 0u);
  EXPECT_EQ(Back(10, 11), 0u);
  EXPECT_EQ(Back(9, 9), 0u);
}

TEST_F(GraphicsTest, OutlineDrawsTheFourEdgesOnly) {
  DrawRectOutline(2, 3, 8, 9, 0x010203);
  EXPECT_EQ(Back(2, 3), 0x010203u);
  EXPECT_EQ(Back(7, 3), 0x010203u);
  EXPECT_EQ(Back(2, 8), 0x010203u);
  EXPECT_EQ(Back(7, 8), 0x010203u);
  EXPECT_EQ(Back(4, 5), 0u);
  EXPECT_EQ(Back(8, 3), 0u);
}

TEST_F(GraphicsTest, FillsOnTheBackBuffer) {
  FillRectRgb(0, 0, 2, 2, 1, 2, 3);
  EXPECT_EQ(Back(1, 1), 0x010203u);
  FillRectSized(100, 50, 3, 2, 0x444444);
  EXPECT_EQ(Back(102, 51), 0x444444u);
  EXPECT_EQ(Back(103, 51), 0u);
  EXPECT_EQ(Back(102, 52), 0u);
  EXPECT_EQ(PutPixel(Surfaces[kBackBuffer], 639, 479, 0x55), 0);
  EXPECT_EQ(Back(639, 479), 0x55u);
}

TEST_F(GraphicsTest, CellNumbersAddressSheetAndGrid) {
  for (int sheet = 0; sheet < 4; ++sheet) PaintSheet(sheet);
  DrawCell(0, 0, 16, 16, 41);  // sheet 0, column 1, row 1
  EXPECT_EQ(Back(0, 0), (1u << 20) | 41);
  EXPECT_EQ(Back(15, 15), (1u << 20) | 41);
  DrawCell(16, 0, 16, 16, 2 * 1200 + 1199);  // sheet 2's last cell
  EXPECT_EQ(Back(16, 0), (3u << 20) | 1199);
}

TEST_F(GraphicsTest, CellThatIsAMultipleOf1200ShowsTheSheetsFirstCell) {
  for (int sheet = 0; sheet < 4; ++sheet) PaintSheet(sheet);
  DrawCell(0, 0, 16, 16, 1200);
  DrawCell(32, 0, 16, 16, 3600);
  EXPECT_EQ(Back(5, 5), (2u << 20) | 0);
  EXPECT_EQ(Back(37, 5), (4u << 20) | 0);
}

TEST_F(GraphicsTest, CellOutsideTheSheetsDrawsNothing) {
  for (int sheet = 0; sheet < 4; ++sheet) PaintSheet(sheet);
  for (int cell : {-1, -1200, 4800, 5999, INT_MIN, INT_MAX}) {
    EXPECT_EQ(DrawCell(0, 0, 16, 16, cell), -1) << cell;
  }
  EXPECT_EQ(Back(0, 0), 0u);
}

TEST_F(GraphicsTest, CellSubRectangleAndStretch) {
  PaintSheet(0);
  // The right half of cell 3 stretched to 32 x 32.
  BlitTileCell(Rect{100, 100, 132, 132}, Rect{8, 0, 16, 16}, 3);
  EXPECT_EQ(Back(100, 100), (1u << 20) | 3);
  EXPECT_EQ(Back(131, 131), (1u << 20) | 3);
  EXPECT_EQ(Back(132, 131), 0u);
}

TEST_F(GraphicsTest, KeyedCellLeavesBlackOut) {
  Surfaces[kFirstSheetSurface].pixels[0] = 0x000000;
  Surfaces[kFirstSheetSurface].pixels[1] = 0x0A0B0C;
  FillRectColor(0, 0, 16, 16, 0x777777);
  DrawCell(0, 0, 16, 16, 0);
  EXPECT_EQ(Back(0, 0), 0x777777u);
  EXPECT_EQ(Back(1, 0), 0x0A0B0Cu);
}

TEST_F(GraphicsTest, FastBlitIsNotClipped) {
  Surface& sheet = Surfaces[kFirstSheetSurface];
  sheet.pixels[0] = 0x123456;
  EXPECT_EQ(BltFastSrcKey(Surfaces[kBackBuffer], 630, 0, sheet, Rect{0, 0, 16, 16}), -1);
  EXPECT_EQ(Back(630, 0), 0u);
  EXPECT_EQ(BltFastSrcKey(Surfaces[kBackBuffer], 624, 0, sheet, Rect{0, 0, 16, 16}), 0);
  EXPECT_EQ(Back(624, 0), 0x123456u);
}

TEST_F(GraphicsTest, BltOrClearClearsToTheKey) {
  Surface& ring = Surfaces[kFirstRingSurface];
  px::Fill(ring, Rect{0, 0, 32, 32}, 0x999999);
  EXPECT_EQ(BltOrClear(ring, Rect{0, 0, 16, 16}, Surfaces[kFirstSheetSurface], Rect{0, 0, 16, 16}, 0), 0);
  EXPECT_EQ(ring.At(15, 15), 0u);
  EXPECT_EQ(ring.At(16, 16), 0x999999u);
  EXPECT_EQ(BltOrClear(ring, Rect{5, 5, 5, 5}, Surfaces[kFirstSheetSurface], Rect{0, 0, 16, 16}, 0), -1);
}

TEST_F(GraphicsTest, PresentAndClearShowsTheLastFrameThenClears) {
  FillRectColor(0, 0, 640, 480, 0x336699);
  PresentAndClear(MainWindow, 1);
  EXPECT_EQ(headless::PresentCount(), 1);
  EXPECT_EQ(headless::LastFrame()[1234], 0x336699u);
  EXPECT_EQ(Back(0, 0), 0u);
  FillRectColor(0, 0, 640, 480, 0x111111);
  PresentAndClear(MainWindow, 0);
  EXPECT_EQ(Back(0, 0), 0x111111u);
}

TEST_F(GraphicsTest, FailedPresentationDropsTheFrameAndGoesOn) {
  headless::FailPresent(true);
  PresentAndClear(MainWindow, 1);  // returns instead of retrying forever
  EXPECT_EQ(headless::PresentCount(), 0);
  headless::FailPresent(false);
  PresentAndClear(MainWindow, 1);
  EXPECT_EQ(headless::PresentCount(), 1);
}

TEST_F(GraphicsTest, LoadBitmapResults) {
  EXPECT_EQ(LoadBitmapToSurface(117, kFirstSheetSurface), 0);
  EXPECT_NE(Surfaces[kFirstSheetSurface].At(8, 8), 0u);
  EXPECT_EQ(LoadBitmapToSurface(9999, kFirstSheetSurface), -1);
  EXPECT_EQ(LoadBitmapToSurface(117, kPrimarySurface), -4);  // the primary has no pixels of ours
  EXPECT_EQ(LoadBitmapToSurface(117, 11), -4);
  ReleaseDirectDraw();
  EXPECT_EQ(LoadBitmapToSurface(117, kFirstSheetSurface), -4);
}

TEST_F(GraphicsTest, BrokenBitmapResourcesAreRefused) {
  static const unsigned char kGarbage[] = "BMthis is no bitmap at all, not even its headers";
  static const unsigned char kEmpty[] = "";
  static const res::Entry kTable[] = {
      {res::Kind::Bitmap, 1, kGarbage, kGarbage + sizeof kGarbage},
      {res::Kind::Bitmap, 2, kEmpty, kEmpty},
  };
  res::Install(kTable, 2);
  Surfaces[kFirstSheetSurface].pixels[0] = 0x42;
  EXPECT_EQ(LoadBitmapToSurface(1, kFirstSheetSurface), -3);
  EXPECT_EQ(LoadBitmapToSurface(2, kFirstSheetSurface), -2);
  EXPECT_EQ(Surfaces[kFirstSheetSurface].pixels[0], 0x42u);
}

TEST_F(GraphicsTest, SurfaceBitmapIdsStartUnsetAndLoadTogether) {
  ResetGameState();
  for (int id : SurfaceBitmapIds) EXPECT_EQ(id, -1);
  StartTestDisplay();
  SetSurfaceBitmapId(kFirstSheetSurface, 117);
  SetSurfaceBitmapId(99, 117);  // no such surface: ignored
  ReleaseDirectDraw();
  StartDisplay(MainWindow);
  EXPECT_NE(Surfaces[kFirstSheetSurface].At(8, 8), 0u);  // loaded by the display start
  EXPECT_EQ(Surfaces[kFirstSheetSurface + 1].At(8, 8), 0u);
  ClearSurfaceBitmapIds();
  for (int id : SurfaceBitmapIds) EXPECT_EQ(id, -1);
}

TEST_F(GraphicsTest, RestoreSurfacesReloadsTheBitmaps) {
  SetSurfaceBitmapId(kFirstSheetSurface, 117);
  px::Fill(Surfaces[kFirstSheetSurface], Rect{0, 0, 640, 480}, 0);
  EXPECT_EQ(RestoreSurfaces(), 0);
  EXPECT_NE(Surfaces[kFirstSheetSurface].At(8, 8), 0u);
  FreeSurface(Surfaces[5]);
  EXPECT_EQ(RestoreSurfaces(), -6);
}

}  // namespace
