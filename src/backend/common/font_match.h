// Finding the font files of the game's font families with fontconfig.
#pragma once

#include <string>
#include <vector>

#include "platform/host_text.h"

namespace backend {

struct FontFile {
  std::string path;
  int index = 0;  // the face within the file
};

// The files fontconfig offers for the family, best first. Stock fontconfig knows no Japanese
// font by the names the game uses, so each family is asked for by the name of the IPA font that
// stands in for it, with Japanese as the language, and then by the generic Japanese gothic ones.
// The caller still checks that a file covers Japanese before it uses it.
std::vector<FontFile> FontCandidates(host::FontFamily family);

}  // namespace backend
