#include "quantize.h"

#include <algorithm>
#include <cstring>

#include "sky32v3c.h"

namespace sky {
namespace {

const RGBQUAD kStandard[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {128, 128, 128, 0},
    {192, 192, 192, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

inline uint32_t Key(uint8_t b, uint8_t g, uint8_t r) { return b | (g << 8) | (uint32_t(r) << 16); }

// Nearest palette entry by squared distance (lowest index on ties). The entries are searched in
// order of green outwards from the colour's green, stopping once green alone is farther than
// the best match; results are kept in a direct-mapped cache.
class NearestColour {
 public:
  explicit NearestColour(const std::vector<RGBQUAD>& pal) : pal_(pal) {
    std::fill(std::begin(keys_), std::end(keys_), 0xFFFFFFFFu);
    for (size_t i = 0; i < pal.size(); ++i) order_.push_back(uint8_t(i));
    std::stable_sort(order_.begin(), order_.end(),
                     [&](uint8_t a, uint8_t b) { return pal[a].rgbGreen < pal[b].rgbGreen; });
  }
  uint8_t Find(uint8_t b, uint8_t g, uint8_t r) {
    const uint32_t k = Key(b, g, r);
    const uint32_t slot = ((k * 2654435761u) >> 16) & (kSlots - 1);
    if (keys_[slot] == k) return values_[slot];
    const int n = int(order_.size());
    int hi = int(std::lower_bound(order_.begin(), order_.end(), g,
                                  [&](uint8_t i, uint8_t v) { return pal_[i].rgbGreen < v; }) -
                 order_.begin());
    int lo = hi - 1;
    int best = 0, bestD = 1 << 30;
    auto consider = [&](int i) {
      const int db = int(pal_[i].rgbBlue) - b, dg = int(pal_[i].rgbGreen) - g, dr = int(pal_[i].rgbRed) - r;
      const int d = db * db + dg * dg + dr * dr;
      if (d < bestD || (d == bestD && i < best)) bestD = d, best = i;
    };
    while (lo >= 0 || hi < n) {
      if (hi < n) {
        const int dg = int(pal_[order_[hi]].rgbGreen) - g;
        if (dg * dg > bestD)
          hi = n;
        else
          consider(order_[hi++]);
      }
      if (lo >= 0) {
        const int dg = int(pal_[order_[lo]].rgbGreen) - g;
        if (dg * dg > bestD)
          lo = -1;
        else
          consider(order_[lo--]);
      }
    }
    keys_[slot] = k;
    values_[slot] = uint8_t(best);
    return uint8_t(best);
  }

 private:
  static constexpr uint32_t kSlots = 1 << 14;
  const std::vector<RGBQUAD>& pal_;
  std::vector<uint8_t> order_;
  uint32_t keys_[kSlots];
  uint8_t values_[kSlots];
};

inline uint8_t Clamp(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

// The picture's colour of pixel x of row `row` as B, G, R.
inline void PixelColour(const Picture& pic, const uint8_t* row, int32_t x, int* c) {
  if (pic.indexed) {
    const RGBQUAD& q = pic.palette[row[x]];
    c[0] = q.rgbBlue, c[1] = q.rgbGreen, c[2] = q.rgbRed;
  } else {
    c[0] = row[3 * x], c[1] = row[3 * x + 1], c[2] = row[3 * x + 2];
  }
}

// The picture's distinct colours in order of first appearance, stopping at `limit` + 1.
std::vector<RGBQUAD> ExactPalette(const Picture& pic, size_t limit) {
  constexpr uint32_t kEmpty = 0xFFFFFFFFu, kSlots = 4096;  // never more than half full
  std::vector<uint32_t> table(kSlots, kEmpty);
  std::vector<RGBQUAD> out;
  uint32_t last = kEmpty;
  for (int32_t y = 0; y < pic.height && out.size() <= limit; ++y) {
    const uint8_t* row = pic.Row(y);
    for (int32_t x = 0; x < pic.width && out.size() <= limit; ++x) {
      int c[3];
      PixelColour(pic, row, x, c);
      const uint32_t k = Key(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]));
      if (k == last) continue;
      last = k;
      uint32_t slot = (k * 2654435761u) >> 20;
      while (table[slot] != kEmpty && table[slot] != k) slot = (slot + 1) & (kSlots - 1);
      if (table[slot] == k) continue;
      table[slot] = k;
      out.push_back(RGBQUAD{uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), 0});
    }
  }
  return out;
}

// Maps every pixel to `pal`, diffusing the error to the right and to the next row when dithering.
void MapToPalette(const Picture& src, const std::vector<RGBQUAD>& pal, bool dither, Picture* out) {
  NearestColour nearest(pal);
  std::vector<int> err(dither ? size_t(src.width + 2) * 3 * 2 : 0, 0);
  int* cur = dither ? err.data() : nullptr;
  int* next = dither ? err.data() + size_t(src.width + 2) * 3 : nullptr;
  for (int32_t y = 0; y < src.height; ++y) {
    const uint8_t* row = src.Row(y);
    uint8_t* dst = out->Row(y);
    for (int32_t x = 0; x < src.width; ++x) {
      int c[3];
      PixelColour(src, row, x, c);
      if (dither) {
        for (int i = 0; i < 3; ++i) c[i] = Clamp(c[i] + cur[3 * (x + 1) + i] / 16);
      }
      const uint8_t k = nearest.Find(uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]));
      dst[x] = k;
      if (dither) {
        const int e[3] = {c[0] - pal[k].rgbBlue, c[1] - pal[k].rgbGreen, c[2] - pal[k].rgbRed};
        for (int i = 0; i < 3; ++i) {
          cur[3 * (x + 2) + i] += e[i] * 7;
          next[3 * x + i] += e[i] * 3;
          next[3 * (x + 1) + i] += e[i] * 5;
          next[3 * (x + 2) + i] += e[i];
        }
      }
    }
    if (dither) {
      std::swap(cur, next);
      std::fill(next, next + size_t(src.width + 2) * 3, 0);
    }
  }
}

}  // namespace

const RGBQUAD* StandardColours() { return kStandard; }

std::vector<RGBQUAD> UniformPalette() {
  std::vector<RGBQUAD> p;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(RGBQUAD{uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51), 0});
  for (int i = 0; i < 40; ++i) {
    const uint8_t v = uint8_t(3 + i * 255 / 40);
    p.push_back(RGBQUAD{v, v, v, 0});
  }
  return p;
}

size_t CountColours(const Picture& pic, size_t limit) { return ExactPalette(pic, limit).size(); }

int ConvertDepth(const Picture& src, int bits, bool dither, const RGBQUAD* palette, int count, Picture* out) {
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return SKY_ERR_PARAMETER;
  if (bits == 24) {
    if (int e = Allocate(out, src.width, src.height, false)) return e;
    out->sourceBits = src.sourceBits;
    for (int32_t y = 0; y < src.height; ++y) {
      const uint8_t* row = src.Row(y);
      uint8_t* dst = out->Row(y);
      for (int32_t x = 0; x < src.width; ++x) {
        int c[3];
        PixelColour(src, row, x, c);
        dst[3 * x] = uint8_t(c[0]), dst[3 * x + 1] = uint8_t(c[1]), dst[3 * x + 2] = uint8_t(c[2]);
      }
    }
    return 0;
  }
  const size_t maxColours = size_t(1) << bits;
  std::vector<RGBQUAD> pal;
  if (palette && count > 0) {
    pal.assign(palette, palette + std::min<size_t>(size_t(count), maxColours));
  } else if (src.indexed && src.palette.size() <= maxColours) {
    // Already indexed within the depth: keep indices and palette as they are.
    *out = src;
    return 0;
  } else {
    pal = ExactPalette(src, maxColours);
    if (pal.size() > maxColours) {
      if (bits == 1)
        pal = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
      else if (bits == 4)
        pal.assign(kStandard, kStandard + 16);
      else
        pal = UniformPalette();
    }
  }
  if (int e = Allocate(out, src.width, src.height, true)) return e;
  out->sourceBits = src.sourceBits;
  out->palette = pal;
  MapToPalette(src, pal, dither, out);
  return 0;
}

}  // namespace sky

namespace sky {

void Smooth(Picture* pic, int strength) {
  if (pic->indexed || strength <= 0) return;
  if (strength > 100) strength = 100;
  const Picture src = *pic;
  for (int32_t y = 0; y < pic->height; ++y) {
    uint8_t* dst = pic->Row(y);
    for (int32_t x = 0; x < pic->width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0, n = 0;
        for (int32_t yy = y - 1; yy <= y + 1; ++yy) {
          if (yy < 0 || yy >= src.height) continue;
          const uint8_t* row = src.Row(yy);
          for (int32_t xx = x - 1; xx <= x + 1; ++xx) {
            if (xx < 0 || xx >= src.width) continue;
            sum += row[3 * xx + c];
            ++n;
          }
        }
        const int own = dst[3 * x + c];
        dst[3 * x + c] = uint8_t((own * (100 - strength) + (sum / n) * strength + 50) / 100);
      }
    }
  }
}

}  // namespace sky
