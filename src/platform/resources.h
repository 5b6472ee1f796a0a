// Resources built into the executable: bitmaps, WAVE sounds and icons, found by number.
// The build embeds the asset generator's output and the program installs that table at start.
#pragma once

#include <cstddef>
#include <cstdint>

namespace res {

enum class Kind : uint8_t { Bitmap, Wave, Icon };

struct Entry {
  Kind kind;
  int id;
  const unsigned char* begin;
  const unsigned char* end;
};

// Makes `entries` the table that Find searches (it must outlive the program's use of it).
void Install(const Entry* entries, size_t count);
// Installs the table embedded in the executable (defined by the generated resource library).
void InstallEmbedded();

// The bytes of resource `id` of the given kind; false when there is no such resource.
bool Find(Kind kind, int id, const uint8_t*& bytes, size_t& size);

}  // namespace res
