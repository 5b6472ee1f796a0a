#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "backend/common/fonts.h"
#include "backend/common/sjis.h"
#include "platform/graphics.h"
#include "support/game_reset.h"

namespace {

constexpr uint32_t kPaper = 0x00203040;  // the background the text is drawn on

struct Canvas {
  Surface s;
  Canvas(int w, int h, uint32_t paper = kPaper) {
    AllocateSurface(s, w, h);
    px::Fill(s, Rect{0, 0, w, h}, paper);
  }
  // The pixels that no longer show the paper, one row a line: '#' changed, '.' not.
  std::string Ink() const {
    std::string out;
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) out += s.At(x, y) != kPaper ? '#' : '.';
      out += '\n';
    }
    return out;
  }
};

const char* const kGothic = "MS Gothic";

std::string InkOf(const char* text, int height, const char* face = kGothic, int x = 4, int y = 4) {
  Canvas c(200, 32);
  DrawTextOnSurface(c.s, text, x, y, height, face, 0xFFFFFF);
  return c.Ink();
}

// The ink of the characters each drawn alone with its left edge at 4 + its offset.
std::string InkOfCharsAt(const std::vector<std::pair<const char*, int>>& chars, int height) {
  Canvas c(200, 32);
  for (const auto& [text, offset] : chars) {
    EXPECT_NE(InkOf(text, height), Canvas(200, 32).Ink()) << "no ink for " << backend::SjisToUtf8(text);
    DrawTextOnSurface(c.s, text, 4 + offset, 4, height, kGothic, 0xFFFFFF);
  }
  return c.Ink();
}

std::string Utf8(const char* sjis) { return backend::SjisToUtf8(sjis); }

}  // namespace

TEST(TextTest, HalfWidthCharactersAdvanceHalfTheHeightAndFullWidthOnesTheHeight) {
  EXPECT_EQ(InkOf("A表ｱ≫1", 16), InkOfCharsAt({{"A", 0}, {"表", 8}, {"ｱ", 24}, {"≫", 32}, {"1", 48}}, 16));
  EXPECT_EQ(InkOf("A表ｱ≫1", 18), InkOfCharsAt({{"A", 0}, {"表", 9}, {"ｱ", 27}, {"≫", 36}, {"1", 54}}, 18));
}

TEST(TextTest, TrailBytesThatAreBackslashesStayPartOfTheirCharacters) {
  const char* text = "表示能力ソ十申";
  ASSERT_EQ(std::string(text).size(), 14u);
  for (int i : {1, 5, 9, 11, 13}) EXPECT_EQ(text[i], '\\') << i;  // 表, 能, ソ, 十, 申 end in 0x5C
  EXPECT_EQ(Utf8(text), "\xE8\xA1\xA8\xE7\xA4\xBA\xE8\x83\xBD\xE5\x8A\x9B\xE3\x82\xBD\xE5\x8D\x81\xE7\x94\xB3");
  EXPECT_EQ(InkOf(text, 16), InkOfCharsAt({{"表", 0}, {"示", 16}, {"能", 32}, {"力", 48}, {"ソ", 64}, {"十", 80}, {"申", 96}}, 16));
}

TEST(TextTest, HalfWidthKatakanaTakeOneByteAndHalfTheHeight) {
  ASSERT_EQ(std::string("ﾒﾆｭｰ").size(), 4u);
  EXPECT_EQ(Utf8("ﾒﾆｭｰ"), "\xEF\xBE\x92\xEF\xBE\x86\xEF\xBD\xAD\xEF\xBD\xB0");  // U+FF92 U+FF86 U+FF6D U+FF70
  EXPECT_EQ(InkOf("ﾒﾆｭｰ", 16), InkOfCharsAt({{"ﾒ", 0}, {"ﾆ", 8}, {"ｭ", 16}, {"ｰ", 24}}, 16));
}

TEST(TextTest, SymbolsDecodeAsCodePage932AndDraw) {
  // Code page 932, not plain Shift-JIS: "～" is U+FF5E (not U+301C), "－" U+FF0D (not U+2212),
  // a single 0x5C is the backslash and 0x7E the tilde.
  const std::pair<const char*, uint32_t> expected[] = {{"≫", 0x226B}, {"▼", 0x25BC}, {"～", 0xFF5E}, {"－", 0xFF0D},
                                                       {"￥", 0xFFE5}, {"\\", 0x5C},   {"~", 0x7E}};
  for (const auto& [text, code_point] : expected) {
    uint32_t cp = 0;
    EXPECT_EQ(backend::DecodeSjisChar(text, cp), static_cast<int>(std::string(text).size()));
    EXPECT_EQ(cp, code_point);
  }
  EXPECT_EQ(InkOf("≫▼～－￥", 16), InkOfCharsAt({{"≫", 0}, {"▼", 16}, {"～", 32}, {"－", 48}, {"￥", 64}}, 16));
}

TEST(TextTest, ALeadByteCutOffAtTheEndDrawsNothing) {
  const std::string whole = "あい";
  const std::string cut = whole.substr(0, 3);  // あ and the lead byte of い
  EXPECT_EQ(InkOf(cut.c_str(), 16), InkOf("あ", 16));
  EXPECT_EQ(Utf8(cut.c_str()), "\xE3\x81\x82");
  EXPECT_EQ(InkOf("\x82", 16), InkOf("", 16));
}

TEST(TextTest, BytesThatStartNoCharacterAreSkippedAndTheLineGoesOn) {
  // 0x80 and 0xFD are no characters; 0x81 followed by a space is no pair, so the space stands alone.
  EXPECT_EQ(InkOf("A\x80" "B\xFD" "C", 16), InkOf("ABC", 16));
  EXPECT_EQ(InkOf("A\x81 B", 16), InkOf("A B", 16));
  // Control characters take no room.
  EXPECT_EQ(InkOf("A\nB\tC", 16), InkOf("ABC", 16));
}

TEST(TextTest, ACharacterWithoutAGlyphKeepsItsRoom) {
  // 0xF040 is the first user-defined character: the font has no glyph for it.
  EXPECT_EQ(InkOf("A\xF0\x40" "B", 16), InkOfCharsAt({{"A", 0}, {"B", 24}}, 16));
  EXPECT_EQ(InkOf("\xF0\x40", 16), InkOf("", 16));
}

TEST(TextTest, GlyphsAreOnePixelColourOnATransparentBackground) {
  Canvas c(64, 24);
  // A pattern under the text, so any pixel the text touches without inking it would show.
  auto pattern = [](int x, int y) { return static_cast<uint32_t>(0x010000 * x + 0x000100 * y + 7); };
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 64; ++x) c.s.Row(y)[x] = pattern(x, y);
  // GDI colour: red in the low byte.
  EXPECT_EQ(DrawTextOnSurface(c.s, "表A", 2, 3, 16, kGothic, 0x563412), 0);
  int inked = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint32_t p = c.s.At(x, y);
      if (p == pattern(x, y)) continue;
      ++inked;
      EXPECT_EQ(p, 0x123456u) << x << "," << y;
      EXPECT_TRUE(x >= 2 && x < 2 + 24 && y >= 3 && y < 3 + 16) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 30);
}

TEST(TextTest, DrawTextRgbDrawsOnTheBackBuffer) {
  StartTestDisplay();
  DrawTextRgb(10, 20, "文字ﾃｽﾄ", 18, kGothic, 0x12, 0x34, 0x56);
  Canvas expected(kScreenWidth, kScreenHeight, 0x000000);
  DrawTextOnSurface(expected.s, "文字ﾃｽﾄ", 10, 20, 18, kGothic, 0x563412);
  const Surface& back = Surfaces[kBackBuffer];
  int inked = 0;
  for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) {
    ASSERT_EQ(back.pixels[i], expected.s.pixels[i]) << i;
    inked += back.pixels[i] == 0x123456u;
  }
  EXPECT_GT(inked, 30);
  ResetGameState();
}

TEST(TextTest, ASurfaceThatDoesNotExistHasNoDeviceContext) {
  Surface none;
  EXPECT_EQ(DrawTextOnSurface(none, "A", 0, 0, 16, kGothic, 0xFFFFFF), -1);
  StartTestDisplay();
  EXPECT_EQ(DrawTextOnSurface(Surfaces[kPrimarySurface], "A", 0, 0, 16, kGothic, 0xFFFFFF), -1);
  EXPECT_EQ(DrawTextOnSurface(Surfaces[kBackBuffer], "A", 0, 0, 16, kGothic, 0xFFFFFF), 0);
  ResetGameState();
}

TEST(TextTest, TheGameFacesAndUnknownOnesComeOutInTheJapaneseGothic) {
  const char* line = "Aあア漢ｱ";
  const std::string gothic = InkOf(line, 16, "MS Gothic");
  EXPECT_EQ(InkOf(line, 16, "ＭＳ ゴシック"), gothic);
  for (const char* face : {"Impact", "Arial", "", "ＭＳ 明朝"}) EXPECT_EQ(InkOf(line, 16, face), gothic) << face;
  EXPECT_EQ(InkOf(line, 16, nullptr), gothic);
  // Every Japanese character of the line has ink in both families.
  for (const char* face : {"MS Gothic", "MS UI Gothic"})
    for (const char* c : {"あ", "ア", "漢", "ｱ"}) EXPECT_NE(InkOf(c, 16, face), InkOf("", 16, face)) << face << " " << Utf8(c);
}

TEST(TextTest, MsUiGothicIsProportional) {
  auto right_edge = [](const std::string& ink) {
    int right = -1;
    for (size_t i = 0, x = 0; i < ink.size(); ++i, ++x) {
      if (ink[i] == '\n') x = static_cast<size_t>(-1);
      else if (ink[i] == '#') right = std::max(right, static_cast<int>(x));
    }
    return right;
  };
  EXPECT_GE(right_edge(InkOf("iiiiiiii", 16, "MS Gothic")), 4 + 7 * 8);
  EXPECT_LT(right_edge(InkOf("iiiiiiii", 16, "MS UI Gothic")), 4 + 7 * 6);
}

TEST(TextTest, GlyphsAreRenderedOnceAndFontsOpenedOnce) {
  Canvas c(200, 32);
  DrawTextOnSurface(c.s, "表示ABA", 0, 0, 16, kGothic, 0xFFFFFF);
  const backend::TextStats warm = backend::Stats();
  EXPECT_GE(warm.faces_opened, 1);
  EXPECT_GE(warm.glyphs_rendered, 4);
  for (int i = 0; i < 3; ++i) DrawTextOnSurface(c.s, "表示ABA", i, 0, 16, "ＭＳ ゴシック", 0x0000FF);
  EXPECT_EQ(backend::Stats().glyphs_rendered, warm.glyphs_rendered);
  // Another height renders its own glyphs from the same open face.
  DrawTextOnSurface(c.s, "表示ABA", 0, 0, 20, kGothic, 0xFFFFFF);
  EXPECT_EQ(backend::Stats().glyphs_rendered, warm.glyphs_rendered + 4);
  EXPECT_EQ(backend::Stats().faces_opened, warm.faces_opened);
}

TEST(TextTest, TextIsClippedToTheSurface) {
  const char* line = "[ﾒﾆｭｰ:ESC]表示";
  Canvas big(240, 40);
  DrawTextOnSurface(big.s, line, 20, 12, 16, kGothic, 0xFFFFFF);
  // The same line on a small surface, placed so that it runs off its left, top and right edges.
  Canvas small(60, 10);
  DrawTextOnSurface(small.s, line, 20 - 25, 12 - 15, 16, kGothic, 0xFFFFFF);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(small.s.At(x, y), big.s.At(x + 25, y + 15)) << x << "," << y;
  // Far away, nothing is drawn and nothing breaks.
  for (const auto& [x, y] : {std::pair{INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MIN}, {0, INT_MAX}, {INT_MIN, INT_MIN}}) {
    Canvas c(16, 16);
    EXPECT_EQ(DrawTextOnSurface(c.s, line, x, y, 16, kGothic, 0xFFFFFF), 0);
    EXPECT_EQ(c.Ink(), Canvas(16, 16).Ink());
  }
  // Heights no font has draw nothing.
  for (int h : {0, -16, 256}) EXPECT_EQ(InkOf("A", h), InkOf("", 16)) << h;
}

// A line rendered by this renderer, kept as tests/data/text_line_16.txt ('#' ink, '.' paper).
// TOVIA_UPDATE_GOLDEN=1 writes the file again after a deliberate change of the rendering.
TEST(TextTest, OneLineMatchesItsReferenceImage) {
  Canvas c(272, 20);
  DrawTextOnSurface(c.s, "[ﾒﾆｭｰ:ESC] 表示能力 ≫▼～－￥ Wg", 0, 2, 16, kGothic, 0xFFFFFF);
  const std::string path = std::string(TOVIA_SOURCE_DIR) + "/tests/data/text_line_16.txt";
  if (std::getenv("TOVIA_UPDATE_GOLDEN") != nullptr) std::ofstream(path) << c.Ink();
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(c.Ink(), golden.str());
}
