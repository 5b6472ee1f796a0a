// The blits against a plain per-pixel model of a clipped, stretched, colour-keyed blit.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/surface.h"

namespace {

// What the blit must draw: every destination pixel of the unclipped rectangle that lies on the
// surface takes the source pixel at l + (d - dl) * sw / dw, unless it is the key colour.
void ModelBlit(Surface& dst, Rect d, const Surface& src, Rect s) {
  for (int y = d.top; y < d.bottom; ++y) {
    for (int x = d.left; x < d.right; ++x) {
      if (x < 0 || y < 0 || x >= dst.width || y >= dst.height) continue;
      const int sx = s.left + static_cast<int>(static_cast<int64_t>(x - d.left) * s.Width() / d.Width());
      const int sy = s.top + static_cast<int>(static_cast<int64_t>(y - d.top) * s.Height() / d.Height());
      const uint32_t p = src.At(sx, sy);
      if (!src.keyed || (p & 0xFFFFFF) != src.key) dst.Row(y)[x] = p;
    }
  }
}

void Randomise(Surface& s, std::mt19937& rng) {
  for (int i = 0; i < s.width * s.height; ++i) s.pixels[i] = rng() % 4 == 0 ? 0 : rng() & 0xFFFFFF;
}

bool SamePixels(const Surface& a, const Surface& b) {
  return std::equal(a.pixels, a.pixels + a.width * a.height, b.pixels);
}

class BlitTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AllocateSurface(src, 64, 48));
    ASSERT_TRUE(AllocateSurface(dst, 80, 60));
    ASSERT_TRUE(AllocateSurface(expected, 80, 60));
  }
  Surface src, dst, expected;
  std::mt19937 rng{12345};
};

TEST(CopyRowKeyed, MatchesThePlainLoopForEveryLengthAndKey) {
  std::mt19937 rng(1);
  for (int n = 0; n < 40; ++n) {
    for (uint32_t key : {0x000000u, 0x123456u}) {
      std::vector<uint32_t> src(n), a(n), b(n);
      for (int i = 0; i < n; ++i) {
        // Key pixels, with and without a stray top byte, among coloured ones.
        src[i] = rng() % 3 == 0 ? key | (rng() % 2 ? 0xFF000000u : 0) : rng();
        a[i] = b[i] = rng();
      }
      px::CopyRowKeyed(a.data(), src.data(), n, key);
      px::CopyRowKeyedReference(b.data(), src.data(), n, key);
      ASSERT_EQ(a, b) << "n=" << n;
    }
  }
}

TEST_F(BlitTest, ClippedKeyedBlitsDrawExactlyThePixelsOfTheModel) {
  src.keyed = true;
  for (int round = 0; round < 3000; ++round) {
    Randomise(src, rng);
    Randomise(dst, rng);
    std::copy(dst.pixels, dst.pixels + 80 * 60, expected.pixels);
    // Source inside its surface; destinations anywhere around and across every edge, same size
    // half of the time, stretched or shrunk otherwise.
    const int sl = rng() % 60, st = rng() % 44;
    const Rect s{sl, st, sl + 1 + static_cast<int>(rng() % (64 - sl)), st + 1 + static_cast<int>(rng() % (48 - st))};
    const int dl = static_cast<int>(rng() % 140) - 40, dt = static_cast<int>(rng() % 110) - 30;
    const bool same = rng() % 2 == 0;
    const int dw = same ? s.Width() : 1 + static_cast<int>(rng() % 100);
    const int dh = same ? s.Height() : 1 + static_cast<int>(rng() % 80);
    const Rect d{dl, dt, dl + dw, dt + dh};
    ModelBlit(expected, d, src, s);
    ASSERT_EQ(px::Blit(dst, d, src, s), 0);
    ASSERT_TRUE(SamePixels(dst, expected)) << "round " << round;
  }
}

TEST_F(BlitTest, UnkeyedSourceCopiesEveryPixel) {
  Randomise(src, rng);
  src.keyed = false;
  ASSERT_EQ(px::Blit(dst, Rect{-5, -5, 59, 43}, src, Rect{0, 0, 64, 48}), 0);
  EXPECT_EQ(dst.At(0, 0), src.At(5, 5));
  EXPECT_EQ(dst.At(58, 42), src.At(63, 47));
  // Black pixels of an unkeyed source are drawn too.
  src.pixels[0] = 0;
  dst.pixels[0] = 0xABCDEF;
  px::Blit(dst, Rect{0, 0, 1, 1}, src, Rect{0, 0, 1, 1});
  EXPECT_EQ(dst.At(0, 0), 0u);
}

TEST_F(BlitTest, RefusedBlitsDrawNothing) {
  Randomise(src, rng);
  Randomise(dst, rng);
  std::copy(dst.pixels, dst.pixels + 80 * 60, expected.pixels);
  EXPECT_EQ(px::Blit(dst, Rect{0, 0, 16, 16}, src, Rect{60, 0, 76, 16}), -1);   // source past its edge
  EXPECT_EQ(px::Blit(dst, Rect{0, 0, 16, 16}, src, Rect{-1, 0, 15, 16}), -1);   // source before it
  EXPECT_EQ(px::Blit(dst, Rect{10, 10, 10, 20}, src, Rect{0, 0, 16, 16}), -1);  // empty destination
  EXPECT_EQ(px::Blit(dst, Rect{20, 10, 10, 20}, src, Rect{0, 0, 16, 16}), -1);  // inverted
  EXPECT_TRUE(SamePixels(dst, expected));
  // Wholly outside the destination: accepted, nothing to draw.
  EXPECT_EQ(px::Blit(dst, Rect{100, 100, 116, 116}, src, Rect{0, 0, 16, 16}), 0);
  EXPECT_TRUE(SamePixels(dst, expected));
}

TEST(Fill, ClipsToTheSurfaceAndRefusesEmptyRectangles) {
  Surface s;
  ASSERT_TRUE(AllocateSurface(s, 8, 8));
  EXPECT_EQ(px::Fill(s, Rect{-4, -4, 2, 2}, 0x112233), 0);
  EXPECT_EQ(s.At(0, 0), 0x112233u);
  EXPECT_EQ(s.At(1, 1), 0x112233u);
  EXPECT_EQ(s.At(2, 2), 0u);
  EXPECT_EQ(px::Fill(s, Rect{9, 9, 12, 12}, 0xFF), 0);  // clipped away
  EXPECT_EQ(px::Fill(s, Rect{3, 3, 3, 5}, 0xFF), -1);   // empty
  EXPECT_EQ(px::Fill(s, Rect{5, 3, 3, 5}, 0xFF), -1);   // inverted
  Surface none;
  EXPECT_EQ(px::Fill(none, Rect{0, 0, 1, 1}, 0xFF), -1);
}

// The stripes of a see-through window: the same pixels as a one-pixel-wide fill of every other
// column, also where the clip cuts the rectangle at an odd distance from its left.
TEST(Fill, EveryOtherColumnDrawsWhatColumnFillsDraw) {
  for (const Rect r : {Rect{1, 1, 9, 6}, Rect{-3, -2, 12, 20}, Rect{-4, 2, 5, 3}, Rect{6, 0, 30, 16}, Rect{4, 4, 4, 9}}) {
    Surface stripes, columns;
    ASSERT_TRUE(AllocateSurface(stripes, 11, 16));
    ASSERT_TRUE(AllocateSurface(columns, 11, 16));
    px::FillEveryOtherColumn(stripes, r, 0xC0FFEE);
    for (int x = r.left; x < r.right; x += 2) px::Fill(columns, Rect{x, r.top, x + 1, r.bottom}, 0xC0FFEE);
    EXPECT_TRUE(std::equal(stripes.pixels, stripes.pixels + 11 * 16, columns.pixels)) << r.left << "," << r.top;
  }
}

}  // namespace
