// The window and its picture on SDL.
#include <cstdio>
#include <cstring>

#include "backend/common/sjis.h"
#include "backend/sdl/sdl_internal.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
int texture_w = 0, texture_h = 0;
bool fullscreen = false;
bool shown = false;

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

bool EnsureTexture(int w, int h) {
  if (texture != nullptr && texture_w == w && texture_h == h) return true;
  if (texture != nullptr) SDL_DestroyTexture(texture);
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
  if (texture == nullptr) return false;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);  // the pixels' top byte is not alpha
  // Nearest neighbour at every scale: smoothing is the costly part of scaling without a GPU.
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  texture_w = w;
  texture_h = h;
  return true;
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
void FillBars(const SDL_Rect& picture, int out_w, int out_h) {
  const SDL_Rect bars[] = {
      {0, 0, picture.x, out_h},
      {picture.x + picture.w, 0, out_w - picture.x - picture.w, out_h},
      {0, 0, out_w, picture.y},
      {0, picture.y + picture.h, out_w, out_h - picture.y - picture.h},
  };
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  for (const SDL_Rect& bar : bars) {
    if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(renderer, &bar);
  }
}

// The window is shown once, after its renderer exists: SDL may build the window anew while it
// makes the renderer, which would show a window, take it away and show another.
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
}  // namespace sdl

namespace host {

bool CreateWindow(const char* class_name, const char* title, int width, int height, IconImage large,
                  IconImage small) {
  SDL_SetHint(SDL_HINT_APP_NAME, class_name);
  SDL_SetHint("SDL_VIDEO_X11_WMCLASS", class_name);
  // The picture goes by SDL's software renderer straight into the window's own framebuffer: one
  // copy, scaled with nearest neighbour in full screen. On a machine without a GPU, where OpenGL
  // is a software rasteriser, that costs a fraction of the OpenGL renderer, and of a software
  // renderer whose framebuffer SDL would hand to OpenGL again (./bench-window measures it). The
  // environment's SDL_RENDER_DRIVER still overrides it.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
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
  if (texture != nullptr) SDL_DestroyTexture(texture);
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  if (window != nullptr) SDL_DestroyWindow(window);
  texture = nullptr;
  renderer = nullptr;
  window = nullptr;
  shown = false;
}

bool OpenDisplay() {
  if (window == nullptr) return false;
  if (renderer == nullptr) {
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) return false;
  }
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
  int out_w = 0, out_h = 0;
  if (renderer != nullptr && !minimised && SDL_GetRendererOutputSize(renderer, &out_w, &out_h) == 0 && out_w > 0 &&
      out_h > 0 && EnsureTexture(width, height) &&
      SDL_UpdateTexture(texture, nullptr, pixels, width * static_cast<int>(sizeof(uint32_t))) == 0) {
    const SDL_Rect dst = FitPicture(width, height, out_w, out_h);
    FillBars(dst, out_w, out_h);  // the picture covers the rest: no clear of the whole output
    if (SDL_RenderCopy(renderer, texture, nullptr, &dst) == 0) {
      SDL_RenderPresent(renderer);
      result = 0;
    }
  }
  sdl::PaceFrame();  // also when nothing was shown, so a minimised game does not spin
  return result;
}

}  // namespace host
