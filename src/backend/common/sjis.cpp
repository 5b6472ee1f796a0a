#include "backend/common/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace backend {

std::string SjisToUtf8(const char* text) {
  std::string out;
  if (text == nullptr) return out;
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  char* in = const_cast<char*>(text);
  size_t in_left = std::strlen(text);
  char buffer[256];
  while (in_left > 0) {
    char* o = buffer;
    size_t o_left = sizeof buffer;
    const size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    out.append(buffer, sizeof buffer - o_left);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ: a byte that starts no character; EINVAL: a lead byte cut off at the end.
      ++in;
      --in_left;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace backend
