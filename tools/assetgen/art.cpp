#include "art.h"

#include <algorithm>
#include <cmath>

namespace art {

Canvas::Canvas(int w, int h) : w_(w), h_(h), ids_(static_cast<size_t>(w) * h, 0) {
  ramps_.push_back(pal::Flat(0));
  shades_.push_back(Shade::Flat);
}

int Canvas::Part(pal::Ramp ramp, Shade shade) {
  ramps_.push_back(ramp);
  shades_.push_back(shade);
  return static_cast<int>(ramps_.size()) - 1;
}

void Canvas::Rect(int x, int y, int w, int h, int part) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, part);
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, int part) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      const double dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, part);
    }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double width, int part) {
  const double r = width / 2.0;
  const int left = static_cast<int>(std::floor(std::min(x0, x1) - r - 1));
  const int right = static_cast<int>(std::ceil(std::max(x0, x1) + r + 1));
  const int top = static_cast<int>(std::floor(std::min(y0, y1) - r - 1));
  const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + r + 1));
  const double vx = x1 - x0, vy = y1 - y0;
  const double len2 = vx * vx + vy * vy;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const double px = x + 0.5 - x0, py = y + 0.5 - y0;
      double t = len2 > 0 ? (px * vx + py * vy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double dx = px - t * vx, dy = py - t * vy;
      if (dx * dx + dy * dy <= r * r) Set(x, y, part);
    }
}

void Canvas::Poly(std::initializer_list<std::pair<double, double>> points, int part) {
  Poly(std::vector<std::pair<double, double>>(points), part);
}

void Canvas::Poly(const std::vector<std::pair<double, double>>& pts, int part) {
  if (pts.size() < 3) return;
  double top = pts[0].second, bottom = pts[0].second;
  for (auto& p : pts) {
    top = std::min(top, p.second);
    bottom = std::max(bottom, p.second);
  }
  for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      auto [ax, ay] = pts[i];
      auto [bx, by] = pts[(i + 1) % pts.size()];
      if ((ay <= sy && by > sy) || (by <= sy && ay > sy)) xs.push_back(ax + (sy - ay) * (bx - ax) / (by - ay));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x) Set(x, y, part);
  }
}

void Canvas::Stamp(int x, int y, const std::vector<const char*>& rows, const char* legend,
                   std::initializer_list<int> parts) {
  const std::vector<int> ids(parts);
  int j = 0;
  for (const char* row : rows) {
    for (int i = 0; row[i] != 0; ++i) {
      for (int k = 0; legend[k] != 0 && k < static_cast<int>(ids.size()); ++k)
        if (legend[k] == row[i]) Set(x + i, y + j, ids[k]);
    }
    ++j;
  }
}

void Canvas::Erase(int x, int y, int w, int h, int part) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (part == 0 || At(i, j) == part) Set(i, j, 0);
}

void Canvas::Replace(int from, int to) {
  for (auto& id : ids_)
    if (id == from) id = static_cast<uint8_t>(to);
}

void Canvas::MirrorX() {
  for (int y = 0; y < h_; ++y) std::reverse(ids_.begin() + y * w_, ids_.begin() + (y + 1) * w_);
}

void Canvas::Shift(int dx, int dy) {
  std::vector<uint8_t> moved(ids_.size(), 0);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (Inside(x + dx, y + dy)) moved[(y + dy) * w_ + x + dx] = ids_[y * w_ + x];
  ids_.swap(moved);
}

Image Canvas::Render(uint32_t outline) const {
  Image img(w_, h_);
  // A neighbour counts as a different surface unless it is the same part or a flat detail.
  auto differs = [&](int id, int x, int y) {
    const int n = At(x, y);
    if (n == id) return false;
    if (n != 0 && shades_[n] == Shade::Flat) return false;
    return true;
  };
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const int id = At(x, y);
      if (id == 0) continue;
      const pal::Ramp& r = ramps_[id];
      uint32_t c = r.mid;
      if (shades_[id] != Shade::Flat) {
        const bool lit = differs(id, x - 1, y) || differs(id, x, y - 1);
        const bool dark = differs(id, x + 1, y) || differs(id, x, y + 1);
        if (lit && !dark && shades_[id] == Shade::Shaded) c = r.light;
        if (dark && !lit) c = r.dark;
      }
      img.Put(x, y, c);
    }
  if (outline != 0) AddOutline(img, outline);
  return img;
}

void AddOutline(Image& image, uint32_t colour) {
  const Image src = image;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      if (src.Get(x, y) != 0) continue;
      if (src.Get(x - 1, y) || src.Get(x + 1, y) || src.Get(x, y - 1) || src.Get(x, y + 1)) image.Put(x, y, colour);
    }
}

void OpenJoins(Image& image, uint32_t colour) {
  for (int x = 0; x < image.width; ++x) {
    if (image.Get(x, 0) == colour) image.Put(x, 0, 0);
    if (image.Get(x, image.height - 1) == colour) image.Put(x, image.height - 1, 0);
  }
}

uint32_t Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double Noise(int x, int y, int seed) { return (Hash(x, y, seed) & 0xFFFFFF) / double(0x1000000); }

double SmoothNoise(double x, double y, double scale, int period, int seed, int period_y) {
  const double fx = x / scale, fy = y / scale;
  const int cells = std::max(1, static_cast<int>(std::lround(period / scale)));
  const int rows = period_y > 0 ? std::max(1, static_cast<int>(std::lround(period_y / scale))) : 0;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  auto at = [&](int ix, int iy) {
    return Noise(((ix % cells) + cells) % cells, rows > 0 ? ((iy % rows) + rows) % rows : iy, seed);
  };
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * smooth(tx);
  const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * smooth(tx);
  return a + (b - a) * smooth(ty);
}

double Bayer(int x, int y) {
  static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (m[((y % 4) + 4) % 4][((x % 4) + 4) % 4] + 0.5) / 16.0;
}

void HLine(Image& img, int x, int y, int w, uint32_t c) { img.Fill(x, y, w, 1, c); }
void VLine(Image& img, int x, int y, int h, uint32_t c) { img.Fill(x, y, 1, h, c); }

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, uint32_t c) {
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) img.Put(x, y, c);
    }
}

void DrawLine(Image& img, int x0, int y0, int x1, int y1, uint32_t c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    img.Put(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Bevel(Image& img, int x, int y, int w, int h, pal::Ramp r) {
  img.Fill(x, y, w, h, r.mid);
  HLine(img, x, y, w, r.light);
  VLine(img, x, y, h, r.light);
  HLine(img, x, y + h - 1, w, r.dark);
  VLine(img, x + w - 1, y, h, r.dark);
}

}  // namespace art
