// Shift-JIS (code page 932) text as the rest of the machine wants it.
//
// The decoding is iconv's "CP932" (never "SHIFT_JIS", which reads `\`, `~`, "－" and "～" as
// other characters), asked once for every single byte and every lead and trail pair and kept in
// a table, so decoding a character later costs two lookups.
#pragma once

#include <cstdint>
#include <string>

namespace backend {

// Decodes the character that starts at `text` into `code_point` and returns how many bytes it
// takes: 1 or 2, or 0 at the end of the text (the terminating NUL, or a lead byte that the end
// cut off from its trail byte). Bytes that start no character give code point 0 and are one
// byte long, so the caller skips them: a lead byte whose next byte is no trail byte of it is
// skipped alone and the next byte is read on its own.
int DecodeSjisChar(const char* text, uint32_t& code_point);

// The text converted to UTF-8, with the bytes that start no character dropped.
std::string SjisToUtf8(const char* text);

}  // namespace backend
