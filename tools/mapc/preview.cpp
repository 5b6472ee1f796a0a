#include "preview.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "actors/actor_table.h"
#include "app/winmain.h"
#include "digits.h"
#include "image.h"
#include "map_source.h"
#include "platform/graphics.h"
#include "platform/resources.h"
#include "png_encode.h"
#include "scene_places.h"
#include "world/camera.h"
#include "world/map_layers.h"
#include "world/save_block.h"

namespace {

// ---- the scenes that show each map ---------------------------------------------------------------

// The bitmaps of sheets 0 to 3 (surfaces 7 to 10) that the map's scenes load.
struct MapSheets {
  const char* map;
  int sheets[4];
};
constexpr MapSheets kMapSheets[] = {
    {"TEST0000", {117, 203, 201, 202}}, {"LAFOREST", {117, 151, 119, 112}}, {"LTOWN001", {117, 203, 119, 112}},
    {"TEMPLE00", {117, 203, 185, 112}}, {"TITLE001", {117, 197, 199, 196}}, {"L001CAVE", {117, 188, 174, 173}},
    {"LTOWNMID", {117, 203, 200, 173}}, {"LTOWNSHP", {117, 203, 201, 112}}, {"BOSS0001", {117, 188, 186, 173}},
    {"CORRIDOR", {117, 203, 186, 112}},
};

// ---- the heroine ---------------------------------------------------------------------------------

constexpr int kBodyLeft = 12, kBodyRight = 36, kBodyTop = 3, kBodyBottom = 64;
constexpr int kStanding = 0, kCrouching = 1;

bool SolidInRow(int left, int y, int width) {
  for (int x = left; x < left + width; ++x)
    if (GetTile(x, y, kCollisionLayer) != 0) return true;
  return false;
}

// Where she comes to rest when put at (x, y): she falls until the row under her feet is solid.
// A fall that finds no floor before the world's bottom leaves her where she was put.
int RestingY(int x, int y) {
  for (int py = y; py + kBodyBottom < kTileRows * kTileSize; ++py)
    if (SolidInRow(x + kBodyLeft, py + kBodyBottom + 1, kBodyRight - kBodyLeft)) return py;
  return y;
}

void PutHeroine(int x, int y, int motion) {
  int32_t* box = &ActorTable[1][ActorField::BodyBox][0];  // slot 0's box: the row's first four values
  box[0] = x + kBodyLeft;
  box[1] = y + kBodyTop;
  box[2] = x + kBodyRight;
  box[3] = y + kBodyBottom;
  ActorTable[1][ActorField::PosX][0] = x;
  ActorTable[1][ActorField::PosY][0] = y;
  ActorTable[1][ActorField::Motion][0] = 0x1000 | motion;
  ActorTable[1][ActorField::State][0] = 3;
}

// ---- colours of the marks ------------------------------------------------------------------------

constexpr uint32_t kGroupColour = 0xFFA040;
constexpr uint32_t kEventColour = 0x40C8FF;
constexpr uint32_t kHeroineColour = 0xFF40FF;
constexpr uint32_t kViewColour = 0xFFFFFF;
constexpr uint32_t kCrouchViewColour = 0x909090;
constexpr uint32_t kLabelGround = 0x101018;

uint32_t Checker(int x, int y) { return ((x / 8 + y / 8) & 1) ? 0x282830 : 0x343440; }

uint32_t Blend(uint32_t a, uint32_t b) { return ((a >> 1) & 0x7F7F7F) + ((b >> 1) & 0x7F7F7F); }

// A number on a dark ground, so that it reads over any tile.
void Label(Image& img, int x, int y, int n, uint32_t colour, int size) {
  img.Fill(x, y, digits::Width(n, size) + 2 * size, (digits::kHeight + 2) * size, kLabelGround);
  digits::Draw(img, x + size, y + size, n, colour, size);
}

// ---- the screens ---------------------------------------------------------------------------------

struct Screen {
  Image picture{kScreenWidth, kScreenHeight};
  int camera_x = 0, camera_y = 0;
};

void LoadSheets(const MapSheets& sheets, int far_picture) {
  for (int s = 0; s < 4; ++s) SetAndLoadSurfaceBitmap(kFirstSheetSurface + s, sheets.sheets[s]);
  SetAndLoadSurfaceBitmap(kFirstRingSurface + kEventLayer, far_picture);
}

// One frame of the picture: the camera's follow when it follows, then the game's own drawing.
void RunFrames(int count, bool follow) {
  for (int i = 0; i < count; ++i) {
    FillRectColor(0, 0, kScreenWidth, kScreenHeight, 0);
    if (follow) CameraFollow(GetCameraTarget());
    RenderFrame();
  }
}

Screen TakeScreen(int heroine_x, int heroine_y) {
  Screen s;
  s.camera_x = GetCameraX();
  s.camera_y = GetCameraY();
  const Surface& back = Surfaces[kBackBuffer];
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) s.picture.Put(x, y, back.At(x, y));
  if (heroine_x >= 0)
    s.picture.Outline(heroine_x + kBodyLeft - s.camera_x, heroine_y + kBodyTop - s.camera_y, kBodyRight - kBodyLeft,
                      kBodyBottom - kBodyTop, kHeroineColour);
  return s;
}

// The screens at one place: standing, and (where the camera follows) after the hold-down pan.
std::vector<Screen> ScreensAt(const ScenePlace& p) {
  constexpr int kSettleFrames = 120;  // the vertical follow closes an eighth a frame
  constexpr int kCrouchFrames = 110;  // 80 frames before the pan starts, 20 while it speeds up
  InitScreen(6400, 4800, kScreenWidth, kScreenHeight);
  SetBackPictureMode(1);
  // The far picture from its start, as a fresh run first shows it: nothing redraws the event
  // layer's ring, so it would keep the scroll of the places drawn before.
  BgLayers.LayerRing.x[kEventLayer] = BgLayers.LayerRing.y[kEventLayer] = 0;
  CameraHoldCounter = 0;
  const int y = p.x >= 0 ? RestingY(p.x, p.y) : p.y;
  SetCameraPosition(p.camera_x, p.camera_y);
  SetCameraTarget(p.follow ? 1 : kNoCameraTarget);
  RedrawAllLayers();
  if (p.x >= 0) PutHeroine(p.x, y, kStanding);
  RunFrames(p.follow ? kSettleFrames : 1, p.follow);
  std::vector<Screen> screens = {TakeScreen(p.x, y)};
  if (p.follow && p.x >= 0) {
    PutHeroine(p.x, y, kCrouching);
    RunFrames(kCrouchFrames, true);
    screens.push_back(TakeScreen(p.x, y));
  }
  return screens;
}

// ---- the map picture -----------------------------------------------------------------------------

uint32_t TileAt(int layer, int col, int row) {
  return BgLayers.TileBuffer[layer * kTilesPerLayer + row * kTilesPerRow + col];
}

// The pixel of the drawn layers at world (x, y), 0 where none is drawn. Layer 0 moves at half the
// camera's speed sideways: behind a point it shows what the view centred on that point shows.
uint32_t MapPixel(int x, int y) {
  const int view_x = std::clamp(x - kScreenWidth / 2, 0, 6400 - kScreenWidth - 1);
  for (int layer = kEventLayer - 1; layer >= 0; --layer) {
    const int lx = layer == 0 ? x - view_x / 2 : x;
    const uint32_t v = TileAt(layer, lx / kTileSize, y / kTileSize);
    if (v % kCellsPerSheet == 0) continue;
    const int cell = static_cast<int>(v % kCellsPerSheet);
    const uint32_t p = Surfaces[kFirstSheetSurface + v / kCellsPerSheet].At(cell % 40 * kTileSize + lx % kTileSize,
                                                                            cell / 40 * kTileSize + y % kTileSize);
    if (p != 0) return p;
  }
  return 0;
}

// A part of the world (left, top, width, height in world pixels) drawn 1/scale of its size.
struct View {
  int left, top, width, height, scale;
  int X(int world_x) const { return (world_x - left) / scale; }
  int Y(int world_y) const { return (world_y - top) / scale; }
};

Image DrawLayers(const View& v) {
  Image img(v.width / v.scale, v.height / v.scale);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const uint32_t p = MapPixel(v.left + x * v.scale, v.top + y * v.scale);
      img.Put(x, y, p != 0 ? p : Checker(x, y));
    }
  return img;
}

// Layer 4: every run of one value (tiles joined side by side) tinted, and its value written once
// at its first tile.
void MarkEventLayer(Image& img, const View& v) {
  const int tile = kTileSize / v.scale, size = v.scale == 1 ? 2 : 1;
  std::vector<bool> seen(kTilesPerLayer, false);
  for (int start = 0; start < kTilesPerLayer; ++start) {
    const uint32_t value = TileAt(kEventLayer, start % kTilesPerRow, start / kTilesPerRow);
    if (value == 0 || seen[start]) continue;
    const uint32_t colour = value < 128 ? kGroupColour : kEventColour;
    std::vector<int> open = {start};
    seen[start] = true;
    while (!open.empty()) {
      const int col = open.back() % kTilesPerRow, row = open.back() / kTilesPerRow;
      open.pop_back();
      const int x0 = v.X(col * kTileSize), y0 = v.Y(row * kTileSize);
      for (int y = y0; y < y0 + tile; ++y)
        for (int x = x0; x < x0 + tile; ++x)
          if (img.Inside(x, y)) img.Put(x, y, Blend(img.Get(x, y), colour));
      const int next[4][2] = {{col - 1, row}, {col + 1, row}, {col, row - 1}, {col, row + 1}};
      for (const auto& n : next) {
        if (n[0] < 0 || n[1] < 0 || n[0] >= kTilesPerRow || n[1] >= kTileRows) continue;
        const int i = n[1] * kTilesPerRow + n[0];
        if (!seen[i] && TileAt(kEventLayer, n[0], n[1]) == value) {
          seen[i] = true;
          open.push_back(i);
        }
      }
    }
    Label(img, v.X(start % kTilesPerRow * kTileSize), v.Y(start / kTilesPerRow * kTileSize), static_cast<int>(value),
          colour, size);
  }
}

struct PlaceMark {
  int x, y;  // where she rests; x -1 for nobody
  std::vector<Screen> screens;
};

void MarkPlaces(Image& img, const View& v, const std::vector<PlaceMark>& marks) {
  const int size = v.scale == 1 ? 2 : 1;
  for (size_t i = 0; i < marks.size(); ++i) {
    const PlaceMark& m = marks[i];
    for (size_t k = m.screens.size(); k-- > 0;) {
      const Screen& s = m.screens[k];
      img.Outline(v.X(s.camera_x), v.Y(s.camera_y), kScreenWidth / v.scale, kScreenHeight / v.scale,
                  k == 0 ? kViewColour : kCrouchViewColour);
    }
    if (m.x < 0) continue;
    const int x = v.X(m.x + kBodyLeft), y = v.Y(m.y + kBodyTop);
    img.Outline(x, y, std::max(2, (kBodyRight - kBodyLeft) / v.scale), std::max(2, (kBodyBottom - kBodyTop) / v.scale),
                kHeroineColour);
    Label(img, x, y - (digits::kHeight + 3) * size, static_cast<int>(i + 1), kHeroineColour, size);
  }
}

// ---- files ---------------------------------------------------------------------------------------

bool Write(const std::string& path, const Image& img) {
  if (WritePng(path, img.pixels.data(), img.width, img.height)) return true;
  std::fprintf(stderr, "%s: cannot write the picture\n", path.c_str());
  return false;
}

bool PreviewMap(const PreviewOptions& o, const std::string& source) {
  const std::string name = std::filesystem::path(source).stem().string();
  const MapSheets* sheets = nullptr;
  for (const MapSheets& m : kMapSheets)
    if (name == m.map) sheets = &m;
  if (sheets == nullptr) {
    std::fprintf(stderr, "%s: no scene shows a map of this name, so its sheets are unknown\n", source.c_str());
    return false;
  }
  if (const std::string error = CompileMapSourceFile(source); !error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  BgLayers.LayerEnabled[kEventLayer] = 0;  // as every scene does: the event layer is never drawn

  std::vector<ScenePlace> places;
  for (const ScenePlace& p : kScenePlaces)
    if (name == p.map) places.push_back(p);
  const int far_picture = places.empty() ? 0 : places.front().far_picture;
  for (const auto& [x, y] : o.extra_places)
    places.push_back(ScenePlace{sheets->map, x, y, std::clamp(x + 24 - kScreenWidth / 2, 0, 6400 - kScreenWidth - 1),
                                std::clamp(y - 200, 0, 4800 - kScreenHeight - 1), true, far_picture, "asked for"});

  bool ok = true;
  std::vector<PlaceMark> marks;
  for (size_t i = 0; i < places.size(); ++i) {
    LoadSheets(*sheets, places[i].far_picture);
    PlaceMark m{places[i].x, places[i].x >= 0 ? RestingY(places[i].x, places[i].y) : 0, ScreensAt(places[i])};
    const std::string stem = o.out_dir + "/" + name + "-" + std::to_string(i + 1);
    ok = Write(stem + ".png", m.screens[0].picture) && ok;
    if (m.screens.size() > 1) ok = Write(stem + "-crouch.png", m.screens[1].picture) && ok;
    marks.push_back(std::move(m));
  }
  LoadSheets(*sheets, far_picture);

  const View whole{0, 0, kTilesPerRow * kTileSize, kTileRows * kTileSize, o.scale};
  Image map = DrawLayers(whole);
  MarkEventLayer(map, whole);
  MarkPlaces(map, whole, marks);
  ok = Write(o.out_dir + "/" + name + ".png", map) && ok;
  if (o.crop) {
    const View part{o.crop_left, o.crop_top, o.crop_width, o.crop_height, 1};
    Image crop = DrawLayers(part);
    MarkEventLayer(crop, part);
    MarkPlaces(crop, part, marks);
    ok = Write(o.out_dir + "/" + name + "-crop.png", crop) && ok;
  }
  return ok;
}

}  // namespace

int WriteMapPreviews(const PreviewOptions& options) {
  std::error_code ec;
  std::filesystem::create_directories(options.out_dir, ec);
  res::InstallEmbedded();
  WindowSize.width = kScreenWidth;
  WindowSize.height = kScreenHeight;
  WindowMode = 1;
  Running = 1;
  if (!CreateMainWindow(0, 1) || StartDisplay(MainWindow) != 0 || DisplayReady != 1) {
    std::fprintf(stderr, "mapc: the display for the previews cannot be started\n");
    return 1;
  }
  bool ok = true;
  for (const std::string& source : options.sources) ok = PreviewMap(options, source) && ok;
  ReleaseDirectDraw();
  return ok ? 0 : 1;
}
