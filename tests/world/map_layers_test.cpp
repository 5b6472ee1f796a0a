#include "world/map_layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <random>
#include <vector>

#include "app/winmain.h"
#include "backend/headless/headless.h"
#include "platform/graphics.h"
#include "support/game_reset.h"
#include "support/map_builder.h"
#include "world/save_block.h"

namespace {

constexpr uint32_t kUnder = 0x203040;  // what lies under the layer on the back buffer
constexpr uint32_t kMark = 0xABCDEF;

class MapLayersTest : public testing::Test {
 protected:
  void SetUp() override {
    StartTestDisplay();
    ASSERT_EQ(InitBgLayers(), 0);
    PaintTestSheets();
  }
  void TearDown() override { ResetGameState(); }

  static Surface& RingOf(int layer) { return Surfaces[kFirstRingSurface + layer]; }
  static std::vector<uint32_t> Under() { return std::vector<uint32_t>(640 * 480, kUnder); }
  static void ClearBack() { FillRectColor(0, 0, 640, 480, kUnder); }
  // Composes the layer as it stands onto a fresh back buffer and counts the pixels that differ
  // from the view worked out from the tiles.
  static int WrongPixelsAfter(int dx, int dy, int layer) {
    ClearBack();
    ScrollAndDrawLayer(dx, dy, layer);
    return CountDifferences(BackBufferPixels(),
                            ExpectedView(layer, GetLayerOriginX(layer), GetLayerOriginY(layer), Under()));
  }
};

TEST_F(MapLayersTest, TilesWrapAroundTheWorld) {
  PutTile(399, 0, 1, 77);
  PutTile(0, 0, 1, 55);
  PutTile(3, 2, 4, 130);
  EXPECT_EQ(GetTile(-16, 0, 1), 77u);          // counts from the far edge
  EXPECT_EQ(GetTile(-1, -4800, 1), 77u);
  EXPECT_EQ(GetTile(6400, 4800, 1), 55u);      // the first tile of the layer
  EXPECT_EQ(GetTile(48 + 15, 32 + 15, 4), 130u);
  EXPECT_EQ(BgLayers.TileBuffer[4 * 120000 + 2 * 400 + 3], 130u);
  SetTile(6400 * 3 + 20, -4800 + 40, 2, 9);
  EXPECT_EQ(BgLayers.TileBuffer[2 * 120000 + 2 * 400 + 1], 9u);
}

TEST_F(MapLayersTest, LayerOutsideTheStoreReadsZeroAndTakesNoWrites) {
  std::vector<uint32_t> before(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount);
  SetTile(0, 0, 5, 123);
  SetTile(0, 0, -1, 123);
  SetTile(6399, 4799, 1000, 123);
  EXPECT_EQ(std::vector<uint32_t>(BgLayers.TileBuffer, BgLayers.TileBuffer + kTileCount), before);
  PutTile(0, 0, 4, 99);
  EXPECT_EQ(GetTile(0, 0, 5), 0u);
  EXPECT_EQ(GetTile(0, 0, -1), 0u);
  EXPECT_EQ(ScrollAndDrawLayer(1, 1, 5), -1);
  EXPECT_EQ(ScrollAndDrawLayer(1, 1, -1), -1);
  EXPECT_EQ(GetLayerOriginX(9), 0);
}

TEST_F(MapLayersTest, NothingWorksBeforeTheStoreExistsAndFreeingTwiceIsHarmless) {
  EXPECT_EQ(FreeBgLayers(), 0);
  EXPECT_EQ(FreeBgLayers(), -1);
  EXPECT_EQ(GetTile(0, 0, 0), 0u);
  SetTile(0, 0, 0, 5);
  EXPECT_EQ(ScrollAndDrawLayer(4, 0, 1), -1);
  EXPECT_EQ(ScrollAndDrawPicture(4, 0, 4, 1), -1);
  EXPECT_EQ(RedrawLayer(1), -1);
}

TEST_F(MapLayersTest, OriginsStayInsideTheWorld) {
  SetLayerOrigin(-16, 4800 + 5, 1);
  EXPECT_EQ(GetLayerOriginX(1), 6384);
  EXPECT_EQ(GetLayerOriginY(1), 5);
  MoveLayerOrigin(20, -10, 1);
  EXPECT_EQ(GetLayerOriginX(1), 4);
  EXPECT_EQ(GetLayerOriginY(1), 4795);
  MoveLayer(3, 3, 9);  // clamped to layer 4
  EXPECT_EQ(GetLayerOriginX(4), 3);
}

TEST_F(MapLayersTest, ThreeHundredTwentyPixelsRedrawTheLayerAndThreeHundredNineteenDrawAStrip) {
  std::mt19937 rng(1);
  FillLayerRandom(1, rng);
  RedrawLayer(1);
  // A mark in the part of the ring that a 319-pixel step to the right does not uncover.
  PutPixel(RingOf(1), 500, 100, kMark);
  EXPECT_EQ(WrongPixelsAfter(319, 0, 1), 1);  // only the mark is off: the rest was kept
  EXPECT_EQ(BgLayers.LayerRing.x[1], 319);
  EXPECT_EQ(RingOf(1).At(500, 100), kMark);
  EXPECT_EQ(WrongPixelsAfter(0, 320, 1), 0);
  EXPECT_EQ(BgLayers.LayerRing.x[1], 0);
  EXPECT_EQ(BgLayers.LayerRing.y[1], 0);
  EXPECT_NE(RingOf(1).At(500, 100), kMark);
}

TEST_F(MapLayersTest, WithThresholdSixFivePixelsDrawAStripAndSixRedraw) {
  std::mt19937 rng(2);
  FillLayerRandom(3, rng);
  RedrawLayer(3);
  SetRedrawThreshold(6);
  PutPixel(RingOf(3), 300, 300, kMark);
  EXPECT_EQ(WrongPixelsAfter(-5, 5, 3), 1);  // only the mark is off: the rest was kept
  EXPECT_EQ(RingOf(3).At(300, 300), kMark);
  EXPECT_EQ(BgLayers.LayerRing.x[3], 635);
  EXPECT_EQ(WrongPixelsAfter(6, 0, 3), 0);
  EXPECT_EQ(BgLayers.LayerRing.x[3], 0);
  EXPECT_NE(RingOf(3).At(300, 300), kMark);
}

TEST_F(MapLayersTest, MultiplesOf1200AreTransparent) {
  PutTile(0, 0, 2, 1200);
  PutTile(1, 0, 2, 2400);
  PutTile(2, 0, 2, 3600);
  PutTile(3, 0, 2, 1201);
  // The cells under them held a picture: a redraw clears them to the key.
  px::Fill(RingOf(2), Rect{0, 0, 64, 16}, kMark);
  ClearBack();
  ASSERT_EQ(RedrawLayer(2), 0);
  ScrollAndDrawLayer(0, 0, 2);
  for (int x = 0; x < 48; ++x) {
    EXPECT_EQ(Surfaces[kBackBuffer].At(x, 5), kUnder) << x;
    EXPECT_EQ(RingOf(2).At(x, 5), Display.ColorKey) << x;
  }
  EXPECT_EQ(Surfaces[kBackBuffer].At(48 + 1, 0), TestSheetPixel(1201, 1, 0));
  // Drawn over a picture, a multiple of 1200 clears its cell even across the ring's corner.
  px::Fill(RingOf(2), Rect{0, 0, 640, 480}, kMark);
  BlitCellToLayerWrapped(Rect{632, 472, 648, 488}, Rect{0, 0, 16, 16}, 3600, 2);
  for (const auto& [x, y] : {std::pair{632, 472}, {639, 479}, {0, 0}, {7, 7}, {0, 479}, {639, 0}})
    EXPECT_EQ(RingOf(2).At(x, y), Display.ColorKey) << x << "," << y;
  EXPECT_EQ(RingOf(2).At(8, 8), kMark);
  EXPECT_EQ(RingOf(2).At(631, 471), kMark);
}

TEST_F(MapLayersTest, StepLeftAcrossTheRingsSeamDrawsTheStripOnBothSides) {
  std::mt19937 rng(3);
  FillLayerRandom(1, rng);
  SetLayerOrigin(1000, 800, 1);
  RedrawLayer(1);
  ScrollAndDrawLayer(2, 0, 1);
  ASSERT_EQ(BgLayers.LayerRing.x[1], 2);
  px::Fill(RingOf(1), Rect{0, 0, 640, 480}, kMark);
  ScrollAndDrawLayer(-4, 0, 1);
  EXPECT_EQ(BgLayers.LayerRing.x[1], 638);
  EXPECT_EQ(GetLayerOriginX(1), 998);
  // View columns 0..3 are world x 998..1001, at ring x 638, 639, 0, 1; the rest was not touched.
  for (int y = 0; y < 480; y += 7) {
    for (int col = 0; col < 4; ++col) {
      const int wx = 998 + col, wy = 800 + y;
      const uint32_t v = GetTile(wx, wy, 1);
      uint32_t want = Display.ColorKey;
      if (v != 0 && v % 1200 != 0 && v < 4800) want = TestSheetPixel(v, wx % 16, wy % 16);
      EXPECT_EQ(RingOf(1).At((638 + col) % 640, y), want) << col << "," << y;
    }
    EXPECT_EQ(RingOf(1).At(2, y), kMark);
    EXPECT_EQ(RingOf(1).At(637, y), kMark);
  }
}

// The strip drawing must always leave the ring holding exactly what a whole redraw would show.
TEST_F(MapLayersTest, RandomScrollingNeverDiffersFromAWholeRedraw) {
  std::mt19937 rng(4);
  FillLayerRandom(0, rng);
  FillLayerRandom(2, rng);
  SetLayerOrigin(6000, 4500, 2);  // near the world's seams
  RedrawLayer(2);
  RedrawLayer(0);
  for (int frame = 0; frame < 150; ++frame) {
    const int big = frame % 37 == 36 ? 300 : 0;
    const int dx = static_cast<int>(rng() % 81) - 40 + big;
    const int dy = static_cast<int>(rng() % 61) - 30 - big;
    ASSERT_EQ(WrongPixelsAfter(dx, dy, 2), 0) << "frame " << frame << " step " << dx << "," << dy;
  }
  SetRedrawThreshold(6);
  for (int frame = 0; frame < 30; ++frame) {
    const int dx = static_cast<int>(rng() % 13) - 6, dy = static_cast<int>(rng() % 13) - 6;
    ASSERT_EQ(WrongPixelsAfter(dx, dy, 0), 0) << "frame " << frame << " step " << dx << "," << dy;
  }
}

// A sparse layer, as the foreground layers are: most rows of its ring hold only the key and
// composing leaves them out. Scrolling brings tiles into rows that were empty and clears rows
// that held some, across the ring's seams, and the picture must never lose a drawn pixel.
TEST_F(MapLayersTest, ASparseLayerScrollsWithoutLosingAPixel) {
  std::mt19937 rng(9);
  for (int row = 0; row < 300; row += 7) {
    for (int col = 0; col < 400; col += 1 + static_cast<int>(rng() % 9)) PutTile(col, row, 3, 1 + rng() % 1199);
  }
  SetLayerOrigin(6100, 4700, 3);  // across both seams of the world
  RedrawLayer(3);
  for (int frame = 0; frame < 120; ++frame) {
    const int dx = static_cast<int>(rng() % 41) - 20, dy = static_cast<int>(rng() % 41) - 20;
    ASSERT_EQ(WrongPixelsAfter(dx, dy, 3), 0) << "frame " << frame << " step " << dx << "," << dy;
  }
}

TEST_F(MapLayersTest, AnInvisibleLayerIsDrawnButNotComposed) {
  std::mt19937 rng(5);
  FillLayerRandom(3, rng);
  RedrawLayer(3);
  SetLayerVisible(3, 0);
  EXPECT_EQ(IsLayerVisible(3), 0);
  ClearBack();
  EXPECT_EQ(ScrollAndDrawLayer(40, 0, 3), 0);
  EXPECT_EQ(CountDifferences(BackBufferPixels(), Under()), 0);
  SetLayerVisible(3, 1);
  EXPECT_EQ(WrongPixelsAfter(0, 0, 3), 0);
}

TEST_F(MapLayersTest, RedrawClampsTheLayerAndSparesADisabledOne) {
  PutTile(0, 0, 4, 5);
  EXPECT_EQ(RedrawLayer(7), 0);  // layer 4
  EXPECT_EQ(RingOf(4).At(1, 0), TestSheetPixel(5, 1, 0));
  BgLayers.LayerEnabled[4] = 0;
  px::Fill(RingOf(4), Rect{0, 0, 640, 480}, kMark);
  BgLayers.LayerRing.x[4] = 17;
  EXPECT_EQ(RedrawLayer(4), -1);
  EXPECT_EQ(RingOf(4).At(1, 0), kMark);
  EXPECT_EQ(BgLayers.LayerRing.x[4], 17);
  // A disabled layer's ring keeps its picture through scrolls too.
  ScrollAndDrawLayer(8, 8, 4);
  EXPECT_EQ(RingOf(4).At(1, 0), kMark);
  EXPECT_EQ(RedrawAllLayers(), -1);  // layers 0..3 redraw, layer 4 refuses
}

TEST_F(MapLayersTest, ThePictureScrollsItsRingOnly) {
  Surface& ring = RingOf(4);
  for (int x = 0; x < 640; ++x) px::Fill(ring, Rect{x, 0, x + 1, 480}, 0x100 + static_cast<uint32_t>(x));
  BgLayers.LayerEnabled[4] = 0;
  ClearBack();
  EXPECT_EQ(ScrollAndDrawPicture(-4, 0, 4, 1), 0);
  EXPECT_EQ(BgLayers.LayerRing.x[4], 636);
  EXPECT_EQ(GetLayerOriginX(4), 0);
  EXPECT_EQ(Surfaces[kBackBuffer].At(0, 10), 0x100u + 636);
  EXPECT_EQ(Surfaces[kBackBuffer].At(4, 10), 0x100u);
  EXPECT_EQ(Surfaces[kBackBuffer].At(639, 479), 0x100u + 635);
  // Back to a whole ring: the offset stays at 640 and the picture shows unshifted.
  ScrollAndDrawPicture(4, 0, 4, 1);
  EXPECT_EQ(BgLayers.LayerRing.x[4], 640);
  EXPECT_EQ(Surfaces[kBackBuffer].At(0, 10), 0x100u);
  EXPECT_EQ(Surfaces[kBackBuffer].At(639, 10), 0x100u + 639);
  ScrollAndDrawPicture(650, -8, 4, 0);
  EXPECT_EQ(BgLayers.LayerRing.x[4], 10);
  EXPECT_EQ(BgLayers.LayerRing.y[4], 472);
}

TEST_F(MapLayersTest, TheDisplaySwitchAndARestoreRedrawTheLayers) {
  // The scene's sheet 0 is a generated bitmap, so a new display can load it again.
  std::fill(std::begin(SceneBitmapIds), std::end(SceneBitmapIds), -1);
  SceneBitmapIds[kFirstSheetSurface] = 117;
  SetAndLoadSurfaceBitmap(kFirstSheetSurface, 117);
  std::mt19937 rng(6);
  FillLayerRandom(1, rng);
  for (int row = 0; row < kTileRows; ++row) {
    for (int col = 0; col < kTilesPerRow; ++col) PutTile(col, row, 1, GetTile(col * 16, row * 16, 1) % 1200);
  }
  SetLayerOrigin(37, 51, 1);
  RedrawLayer(1);
  auto ring_pixels = [] { return std::vector<uint32_t>(RingOf(1).pixels, RingOf(1).pixels + 640 * 480); };
  const std::vector<uint32_t> drawn = ring_pixels();

  ReleaseDirectDraw();
  DisplayReinit = 1;
  StartDisplay(MainWindow);
  ASSERT_EQ(DisplayReady, 1u);
  EXPECT_EQ(DisplayReinit, 0u);
  EXPECT_EQ(CountDifferences(ring_pixels(), drawn), 0);

  px::Fill(RingOf(1), Rect{0, 0, 640, 480}, 0);
  EXPECT_EQ(RestoreSurfaces(), 0);
  EXPECT_EQ(CountDifferences(ring_pixels(), drawn), 0);
}

TEST_F(MapLayersTest, ShutdownFreesTheStore) {
  Shutdown(MainWindow);
  EXPECT_EQ(BgLayers.TileBuffer, nullptr);
  EXPECT_EQ(BgLayers.store_ready, 0u);
  Shutdown(MainWindow);
}

TEST_F(MapLayersTest, AStoreThatCannotBeHadEndsTheProgram) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  SimulateTileStoreFailure(true);
  EXPECT_EXIT(InitBgLayers(), testing::ExitedWithCode(EXIT_FAILURE), "");
}

}  // namespace
