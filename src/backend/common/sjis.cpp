#include "backend/common/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace backend {

namespace {

// Every character of code page 932 lies in Unicode's basic plane, so 16 bits hold it; 0 is "no
// character".
struct SjisTable {
  uint16_t single[256] = {};
  bool lead[256] = {};
  uint16_t pair[256 * 256] = {};  // indexed lead << 8 | trail
};

enum class Conversion { Character, Incomplete, Invalid };

// Converts one or two bytes with iconv; a character gives its code point.
Conversion Convert(iconv_t cd, const unsigned char* bytes, size_t count, uint32_t& code_point) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
  size_t in_left = count;
  unsigned char out[8];
  char* o = reinterpret_cast<char*>(out);
  size_t out_left = sizeof out;
  const size_t r = iconv(cd, &in, &in_left, &o, &out_left);
  if (r == static_cast<size_t>(-1)) return errno == EINVAL ? Conversion::Incomplete : Conversion::Invalid;
  if (sizeof out - out_left != 4 || in_left != 0) return Conversion::Invalid;
  code_point = static_cast<uint32_t>(out[0]) | out[1] << 8 | out[2] << 16 | static_cast<uint32_t>(out[3]) << 24;
  return code_point <= 0xFFFF ? Conversion::Character : Conversion::Invalid;
}

// Asks iconv about every byte and, for each byte it calls incomplete (a lead byte), about every
// pair that starts with it.
void BuildTable(SjisTable& t) {
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "tovia: iconv cannot decode CP932; only ASCII text is shown\n");
    for (int b = 0; b < 0x80; ++b) t.single[b] = static_cast<uint16_t>(b);
    return;
  }
  for (int b = 1; b < 256; ++b) {
    const unsigned char one[1] = {static_cast<unsigned char>(b)};
    uint32_t cp = 0;
    const Conversion c = Convert(cd, one, 1, cp);
    if (c == Conversion::Character) t.single[b] = static_cast<uint16_t>(cp);
    t.lead[b] = c == Conversion::Incomplete;
  }
  for (int lead = 1; lead < 256; ++lead) {
    if (!t.lead[lead]) continue;
    for (int trail = 1; trail < 256; ++trail) {
      const unsigned char two[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      uint32_t cp = 0;
      if (Convert(cd, two, 2, cp) == Conversion::Character) t.pair[lead << 8 | trail] = static_cast<uint16_t>(cp);
    }
  }
  iconv_close(cd);
}

const SjisTable& Table() {
  static SjisTable table;
  static const bool built = (BuildTable(table), true);
  (void)built;
  return table;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

int DecodeSjisChar(const char* text, uint32_t& code_point) {
  const SjisTable& t = Table();
  const auto first = static_cast<unsigned char>(text[0]);
  code_point = 0;
  if (first == 0) return 0;
  if (!t.lead[first]) {
    code_point = t.single[first];
    return 1;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  if (second == 0) return 0;  // the trail byte was cut off: the half character is dropped
  code_point = t.pair[first << 8 | second];
  return code_point != 0 ? 2 : 1;
}

std::string SjisToUtf8(const char* text) {
  std::string out;
  if (text == nullptr) return out;
  uint32_t cp = 0;
  for (int n; (n = DecodeSjisChar(text, cp)) != 0; text += n) {
    if (cp != 0) AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace backend
