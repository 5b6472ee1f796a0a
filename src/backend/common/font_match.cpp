#include "backend/common/font_match.h"

#include <fontconfig/fontconfig.h>

namespace backend {

namespace {

// The fixed-pitch gothic first, then any Japanese monospace or sans-serif font.
constexpr const char* kGothicPatterns[] = {"IPAGothic:lang=ja", "monospace:lang=ja", "sans-serif:lang=ja"};
// The proportional gothic first; when there is none, the fixed-pitch one still shows the text.
constexpr const char* kProportionalPatterns[] = {"IPAPGothic:lang=ja", "sans-serif:lang=ja:spacing=proportional",
                                                 "IPAGothic:lang=ja", "monospace:lang=ja"};

// The best match of one fontconfig pattern (names are ASCII), appended when it is a new file.
void AddMatch(FcConfig* config, const char* pattern_text, std::vector<FontFile>& files) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(pattern_text));
  if (pattern == nullptr) return;
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return;
  FcChar8* path = nullptr;
  int index = 0;
  if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FontFile file{reinterpret_cast<const char*>(path), index};
    bool known = false;
    for (const FontFile& f : files) known = known || (f.path == file.path && f.index == file.index);
    if (!known) files.push_back(file);
  }
  FcPatternDestroy(match);
}

}  // namespace

std::vector<FontFile> FontCandidates(host::FontFamily family) {
  std::vector<FontFile> files;
  // A configuration of our own for the few questions, released when they are answered.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return files;
  if (family == host::FontFamily::ProportionalGothic) {
    for (const char* p : kProportionalPatterns) AddMatch(config, p, files);
  } else {
    for (const char* p : kGothicPatterns) AddMatch(config, p, files);
  }
  FcConfigDestroy(config);
  return files;
}

}  // namespace backend
