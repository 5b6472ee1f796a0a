// assetgen: draws every picture, sound and icon of the game and writes the game's data files.
//
//   assetgen --out DIR --data DIR     the build's run
//   assetgen --preview DIR            contact sheets of every picture, as PNG files
//
// The resources go into --out with a manifest that the build embeds in the executable; the data
// files (maps, music) go into --data, the Data folder the game reads. --preview may be given
// alone or with the others.
#include <cstdio>
#include <cstring>
#include <string>

#include "icons.h"
#include "music.h"
#include "output.h"
#include "sheets.h"
#include "sounds.h"

int main(int argc, char** argv) {
  std::string out_dir, data_dir, preview_dir;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--out") == 0) out_dir = argv[i + 1];
    if (std::strcmp(argv[i], "--data") == 0) data_dir = argv[i + 1];
    if (std::strcmp(argv[i], "--preview") == 0) preview_dir = argv[i + 1];
  }
  if ((out_dir.empty() || data_dir.empty()) && preview_dir.empty()) {
    std::fprintf(stderr, "usage: assetgen --out DIR --data DIR [--preview DIR]\n       assetgen --preview DIR\n");
    return 2;
  }
  Output out(out_dir, data_dir, preview_dir);
  DrawIcons(out);
  DrawSheets(out);
  WriteSounds(out);
  if (!WriteMusic(out)) return 1;
  return out.Finish() ? 0 : 1;
}
