// Shift-JIS (code page 932) text as the rest of the machine wants it.
#pragma once

#include <string>

namespace backend {

// The text converted to UTF-8. A byte that starts no character, or a lead byte left alone at
// the end of a cut string, is dropped.
std::string SjisToUtf8(const char* text);

}  // namespace backend
