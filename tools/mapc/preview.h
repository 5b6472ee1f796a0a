// The map previews: each map drawn as PNG pictures for a person to look at (mapc --preview).
//
// For a map NAME it writes into the folder:
//   NAME.png               the whole map, scaled down: layers 0 to 3 drawn with the scene's sheets,
//                          layer 4's values written over them (actor groups in orange, event
//                          numbers in blue, each run of one value tinted and numbered once), the
//                          places where the game puts the heroine boxed in magenta with their
//                          numbers, and the screens below outlined (white standing, grey after the
//                          hold-down pan)
//   NAME-N.png             screen N (640 x 480) as the game shows it with her standing at place N:
//                          the scene's far picture, the map layers, the camera's own follow (or
//                          the scene's fixed view); her body box outlined
//   NAME-N-crouch.png      the same after she has crouched long enough for the hold-down pan to
//                          run out (only where the camera follows her)
//   NAME-crop.png          with a crop: that part of the map at full size, marked the same way
#pragma once

#include <string>
#include <vector>

struct PreviewOptions {
  std::string out_dir;
  std::vector<std::string> sources;  // map sources; their file names (NAME.txt) name the maps
  int scale = 2;                     // the whole map is drawn 1/scale of its size
  bool crop = false;
  int crop_left = 0, crop_top = 0, crop_width = 0, crop_height = 0;  // world pixels
  // More places to put her (PosX, PosY), followed by the camera, after the scene's own.
  std::vector<std::pair<int, int>> extra_places;
};

// 0 when every picture was written; 1 with a message on standard error otherwise. The tile store
// must be allocated; the headless display is started here.
int WriteMapPreviews(const PreviewOptions& options);
