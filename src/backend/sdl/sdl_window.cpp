// The window and its picture on SDL.
#include <cstdio>
#include <cstring>
#include <vector>

#include "backend/common/sjis.h"
#include "backend/sdl/sdl_internal.h"

namespace {

SDL_Window* window = nullptr;
bool fullscreen = false;
bool shown = false;

// The window's framebuffer as last drawn into: its bars are filled only when it is new or
// resized, since nothing but the picture changes from frame to frame.
struct Output {
  const void* pixels = nullptr;
  int w = 0, h = 0;
} drawn;

// The source column of each output column of a scaled picture, for the size last scaled to.
std::vector<int> column_source;
int column_count = 0, column_width = 0;

SDL_Surface* IconSurface(const host::IconImage& icon) {
  if (icon.pixels == nullptr) return nullptr;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, icon.width, icon.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return nullptr;
  for (int y = 0; y < icon.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < icon.width; ++x) {
      const uint32_t p = icon.pixels[y * icon.width + x] & 0xFFFFFF;
      row[x] = p == 0 ? 0 : (0xFF000000u | p);  // black is transparent
    }
  }
  return s;
}

// The picture scaled to fit the output with its aspect kept.
SDL_Rect FitPicture(int w, int h, int out_w, int out_h) {
  SDL_Rect r{0, 0, out_w, out_h};
  if (static_cast<int64_t>(out_w) * h > static_cast<int64_t>(out_h) * w) {
    r.w = static_cast<int>(static_cast<int64_t>(out_h) * w / h);
  } else {
    r.h = static_cast<int>(static_cast<int64_t>(out_w) * h / w);
  }
  r.x = (out_w - r.w) / 2;
  r.y = (out_h - r.h) / 2;
  return r;
}

// Black bars fill what the picture leaves of the output: left and right, or top and bottom.
void FillBars(SDL_Surface* out, const SDL_Rect& picture) {
  const SDL_Rect bars[] = {
      {0, 0, picture.x, out->h},
      {picture.x + picture.w, 0, out->w - picture.x - picture.w, out->h},
      {0, 0, out->w, picture.y},
      {0, picture.y + picture.h, out->w, out->h - picture.y - picture.h},
  };
  const Uint32 black = SDL_MapRGB(out->format, 0, 0, 0);
  for (const SDL_Rect& bar : bars) {
    if (bar.w > 0 && bar.h > 0) SDL_FillRect(out, &bar, black);
  }
}

// Nearest neighbour as SDL's own scaler picks it: output position i takes source position
// (step / 2 + i * step) >> 16, with step = (source size << 16) / output size.
int NearestSource(int i, int source, int output) {
  const uint32_t step = (static_cast<uint32_t>(source) << 16) / static_cast<uint32_t>(output);
  return static_cast<int>((step / 2 + static_cast<uint32_t>(i) * step) >> 16);
}

// The picture into a 32-bit 0x??RRGGBB framebuffer at `dst`: row by row when it is not scaled;
// scaled, each source row is widened once and an output row that repeats it copies the one
// above.
void DrawPicture(SDL_Surface* out, const uint32_t* pixels, int width, int height, const SDL_Rect& dst) {
  auto out_row = [&](int y) { return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(out->pixels) + (dst.y + y) * out->pitch) + dst.x; };
  const size_t row_bytes = static_cast<size_t>(dst.w) * sizeof(uint32_t);
  if (dst.w == width && dst.h == height) {
    for (int y = 0; y < height; ++y) std::memcpy(out_row(y), pixels + static_cast<size_t>(y) * width, row_bytes);
    return;
  }
  if (column_count != dst.w || column_width != width) {
    column_source.resize(static_cast<size_t>(dst.w));
    for (int x = 0; x < dst.w; ++x) column_source[static_cast<size_t>(x)] = NearestSource(x, width, dst.w);
    column_count = dst.w;
    column_width = width;
  }
  int last_source = -1;
  for (int y = 0; y < dst.h; ++y) {
    const int sy = NearestSource(y, height, dst.h);
    uint32_t* d = out_row(y);
    if (sy == last_source) {
      std::memcpy(d, out_row(y - 1), row_bytes);
      continue;
    }
    const uint32_t* s = pixels + static_cast<size_t>(sy) * width;
    for (int x = 0; x < dst.w; ++x) d[x] = s[column_source[static_cast<size_t>(x)]];
    last_source = sy;
  }
}

// Any other framebuffer format: SDL converts and scales.
bool DrawPictureConverted(SDL_Surface* out, const uint32_t* pixels, int width, int height, SDL_Rect dst) {
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height, 32,
                                                            width * static_cast<int>(sizeof(uint32_t)),
                                                            SDL_PIXELFORMAT_RGB888);
  if (picture == nullptr) return false;
  SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
  const bool ok = SDL_BlitScaled(picture, nullptr, out, &dst) == 0;
  SDL_FreeSurface(picture);
  return ok;
}

bool PlainRgb(const SDL_Surface* out) {
  return out->format->format == SDL_PIXELFORMAT_RGB888 || out->format->format == SDL_PIXELFORMAT_ARGB8888;
}

// The window is shown once, after its framebuffer exists: SDL may build the window anew while it
// makes it, which would show a window, take it away and show another.
void ShowWindowOnce() {
  if (shown) return;
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  shown = true;
  // The window counts as active once it is shown, as it does on a desktop that activates new
  // windows; a desktop that sends no focus event would otherwise never run a frame.
  sdl::PushEvent(host::Event{host::EventKind::FocusGained});
}

}  // namespace

namespace sdl {
SDL_Window* GameWindow() { return window; }
void RedrawWholeWindow() { drawn = Output{}; }
}  // namespace sdl

namespace host {

bool CreateWindow(const char* class_name, const char* title, int width, int height, IconImage large,
                  IconImage small) {
  SDL_SetHint(SDL_HINT_APP_NAME, class_name);
  SDL_SetHint("SDL_VIDEO_X11_WMCLASS", class_name);
  // The picture goes straight into the window's own framebuffer (shared memory with the X
  // server where it has it): one copy, scaled with nearest neighbour in full screen. On a machine
  // without a GPU, where OpenGL is a software rasteriser, that costs a fraction of the OpenGL
  // renderer, and of a software renderer that copies through a texture first (./bench-window
  // measures it).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_JOYSTICK) != 0) {
    std::fprintf(stderr, "tovia: cannot start the video system: %s\n", SDL_GetError());
    return false;
  }
  window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                            SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    std::fprintf(stderr, "tovia: cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  // SDL gives a window one icon; the large one serves for both when it exists.
  SDL_Surface* icon = IconSurface(large.pixels != nullptr ? large : small);
  if (icon != nullptr) {
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
  }
  return true;  // shown by OpenDisplay
}

void DestroyWindow() {
  if (window != nullptr) SDL_DestroyWindow(window);
  window = nullptr;
  drawn = Output{};
  shown = false;
}

bool OpenDisplay() {
  if (window == nullptr || SDL_GetWindowSurface(window) == nullptr) return false;
  ShowWindowOnce();
  return true;
}

int SetFullscreen(bool on) {
  if (window == nullptr) return -1;
  if (on == fullscreen) return 0;
  if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return -1;
  fullscreen = on;
  if (!on) SDL_SetWindowSize(window, 640, 480);
  return 0;
}

void ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void MessageBox(const char* text, const char* caption, bool error) {
  const std::string t = backend::SjisToUtf8(text);
  const std::string c = backend::SjisToUtf8(caption);
  const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : 0;
  if (SDL_ShowSimpleMessageBox(flags, c.c_str(), t.c_str(), window) != 0) {
    std::fprintf(stderr, "%s: %s", c.c_str(), t.c_str());
    if (t.empty() || t.back() != '\n') std::fputc('\n', stderr);
  }
}

int Present(const uint32_t* pixels, int width, int height) {
  const bool minimised = window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
  int result = minimised ? 0 : -1;  // a minimised window shows nothing, and that is no failure
  SDL_Surface* out = window != nullptr && !minimised ? SDL_GetWindowSurface(window) : nullptr;
  if (out != nullptr && out->w > 0 && out->h > 0 && width > 0 && height > 0) {
    const SDL_Rect dst = FitPicture(width, height, out->w, out->h);
    const bool fresh = drawn.pixels != out->pixels || drawn.w != out->w || drawn.h != out->h;
    if (fresh) FillBars(out, dst);  // the picture covers the rest: no clear of the whole output
    bool ok = true;
    if (PlainRgb(out) && SDL_LockSurface(out) == 0) {
      DrawPicture(out, pixels, width, height, dst);
      SDL_UnlockSurface(out);
    } else {
      ok = DrawPictureConverted(out, pixels, width, height, dst);
    }
    drawn = ok ? Output{out->pixels, out->w, out->h} : Output{};
    // Only the picture changed since the bars were drawn: only it goes to the screen.
    if (ok && (fresh ? SDL_UpdateWindowSurface(window) : SDL_UpdateWindowSurfaceRects(window, &dst, 1)) == 0) {
      result = 0;
    }
  }
  sdl::PaceFrame();  // also when nothing was shown, so a minimised game does not spin
  return result;
}

}  // namespace host
