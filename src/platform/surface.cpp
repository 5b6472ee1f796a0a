#include "platform/surface.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <new>

bool AllocateSurface(Surface& s, int width, int height) {
  FreeSurface(s);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  s.store.reset(new (std::nothrow) uint32_t[count]());
  if (!s.store) return false;
  s.pixels = s.store.get();
  s.width = width;
  s.height = height;
  return true;
}

void FreeSurface(Surface& s) {
  s.store.reset();
  s.pixels = nullptr;
  s.width = 0;
  s.height = 0;
  s.keyed = false;
  s.key = 0;
}

namespace px {

namespace {

Rect Clip(Rect r, const Surface& s) {
  return Rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, s.width), std::min(r.bottom, s.height)};
}

// Steps through source positions l + (i * size) / count for i = start, start + 1, ... without
// dividing at every step.
struct SourceStep {
  int64_t quotient;
  int64_t remainder;
  int64_t whole_step;
  int64_t part_step;
  int64_t count;

  SourceStep(int base, int size, int count_, int start)
      : quotient(base + (static_cast<int64_t>(start) * size) / count_),
        remainder((static_cast<int64_t>(start) * size) % count_),
        whole_step(size / count_),
        part_step(size % count_),
        count(count_) {}

  int Value() const { return static_cast<int>(quotient); }
  void Next() {
    quotient += whole_step;
    remainder += part_step;
    if (remainder >= count) {
      remainder -= count;
      ++quotient;
    }
  }
};

void CopyRowOpaque(uint32_t* dst, const uint32_t* src, int n) {
  std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
}

}  // namespace

int Fill(Surface& dst, Rect r, uint32_t colour) {
  if (!dst.Exists() || r.Empty()) return -1;
  const Rect c = Clip(r, dst);
  if (c.Empty()) return 0;
  for (int y = c.top; y < c.bottom; ++y) std::fill(dst.Row(y) + c.left, dst.Row(y) + c.right, colour);
  return 0;
}

void FillEveryOtherColumn(Surface& dst, Rect r, uint32_t colour) {
  if (!dst.Exists() || r.Empty()) return;
  const Rect c = Clip(r, dst);
  // The first column of the stripes inside the clip keeps the parity of the rectangle's left.
  const int first = c.left + ((c.left - r.left) & 1);
  for (int y = c.top; y < c.bottom; ++y) {
    uint32_t* row = dst.Row(y);
    for (int x = first; x < c.right; x += 2) row[x] = colour;
  }
}

void CopyRowKeyedReference(uint32_t* dst, const uint32_t* src, int n, uint32_t key) {
  for (int i = 0; i < n; ++i) {
    if ((src[i] & 0xFFFFFF) != key) dst[i] = src[i];
  }
}

namespace {

// Four pixels of a keyed copy: the key-coloured ones keep the destination's pixel.
inline __m128i Blend(__m128i transparent, __m128i s, __m128i d) {
  return _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, s));
}

// Sixteen pixels (a cache line) of a keyed copy. Pictures come in runs: a run that is wholly
// transparent is skipped, and one wholly opaque is stored without reading the destination.
[[gnu::always_inline]] inline void KeyedSixteen(const uint32_t* src, uint32_t* dst, __m128i rgb, __m128i key) {
  const auto* s = reinterpret_cast<const __m128i*>(src);
  auto* d = reinterpret_cast<__m128i*>(dst);
  const __m128i s0 = _mm_loadu_si128(s), s1 = _mm_loadu_si128(s + 1);
  const __m128i s2 = _mm_loadu_si128(s + 2), s3 = _mm_loadu_si128(s + 3);
  const __m128i t0 = _mm_cmpeq_epi32(_mm_and_si128(s0, rgb), key);
  const __m128i t1 = _mm_cmpeq_epi32(_mm_and_si128(s1, rgb), key);
  const __m128i t2 = _mm_cmpeq_epi32(_mm_and_si128(s2, rgb), key);
  const __m128i t3 = _mm_cmpeq_epi32(_mm_and_si128(s3, rgb), key);
  // One bit a pixel: set where it is transparent.
  const int transparent =
      _mm_movemask_epi8(_mm_packs_epi16(_mm_packs_epi32(t0, t1), _mm_packs_epi32(t2, t3)));
  if (transparent == 0xFFFF) return;
  if (transparent == 0) {
    _mm_storeu_si128(d, s0);
    _mm_storeu_si128(d + 1, s1);
    _mm_storeu_si128(d + 2, s2);
    _mm_storeu_si128(d + 3, s3);
    return;
  }
  _mm_storeu_si128(d, Blend(t0, s0, _mm_loadu_si128(d)));
  _mm_storeu_si128(d + 1, Blend(t1, s1, _mm_loadu_si128(d + 1)));
  _mm_storeu_si128(d + 2, Blend(t2, s2, _mm_loadu_si128(d + 2)));
  _mm_storeu_si128(d + 3, Blend(t3, s3, _mm_loadu_si128(d + 3)));
}

[[gnu::always_inline]] inline void CopyRowKeyedInline(uint32_t* dst, const uint32_t* src, int n, __m128i rgb, __m128i k, uint32_t key) {
  int i = 0;
  for (; i + 16 <= n; i += 16) KeyedSixteen(src + i, dst + i, rgb, k);
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Blend(_mm_cmpeq_epi32(_mm_and_si128(s, rgb), k), s, d));
  }
  for (; i < n; ++i) {
    if ((src[i] & 0xFFFFFF) != key) dst[i] = src[i];
  }
}

}  // namespace

void CopyRowKeyed(uint32_t* dst, const uint32_t* src, int n, uint32_t key) {
  CopyRowKeyedInline(dst, src, n, _mm_set1_epi32(0xFFFFFF), _mm_set1_epi32(static_cast<int>(key)), key);
}

int Blit(Surface& dst, Rect dst_rect, const Surface& src, Rect src_rect) {
  if (!dst.Exists() || !src.Exists() || dst_rect.Empty() || src_rect.Empty()) return -1;
  if (src_rect.left < 0 || src_rect.top < 0 || src_rect.right > src.width || src_rect.bottom > src.height) return -1;
  const Rect c = Clip(dst_rect, dst);
  if (c.Empty()) return 0;

  const int dw = dst_rect.Width(), dh = dst_rect.Height();
  const int sw = src_rect.Width(), sh = src_rect.Height();
  const int n = c.Width();

  if (dw == sw && dh == sh) {
    const int sx = src_rect.left + (c.left - dst_rect.left);
    const int sy = src_rect.top + (c.top - dst_rect.top);
    const uint32_t* s = src.Row(sy) + sx;
    uint32_t* d = dst.Row(c.top) + c.left;
    if (src.keyed) {
      const __m128i rgb = _mm_set1_epi32(0xFFFFFF);
      const __m128i k = _mm_set1_epi32(static_cast<int>(src.key));
      for (int y = c.top; y < c.bottom; ++y, s += src.width, d += dst.width) CopyRowKeyedInline(d, s, n, rgb, k, src.key);
    } else {
      for (int y = c.top; y < c.bottom; ++y, s += src.width, d += dst.width) CopyRowOpaque(d, s, n);
    }
    return 0;
  }

  SourceStep sy(src_rect.top, sh, dh, c.top - dst_rect.top);
  for (int y = c.top; y < c.bottom; ++y, sy.Next()) {
    const uint32_t* s = src.Row(sy.Value());
    uint32_t* d = dst.Row(y);
    SourceStep sx(src_rect.left, sw, dw, c.left - dst_rect.left);
    for (int x = c.left; x < c.right; ++x, sx.Next()) {
      const uint32_t p = s[sx.Value()];
      if (!src.keyed || (p & 0xFFFFFF) != src.key) d[x] = p;
    }
  }
  return 0;
}

}  // namespace px
