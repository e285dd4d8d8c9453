#include "picture.h"

#include <cstring>

#include "sky32v3c.h"

namespace sky {

int CheckSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return SKY_ERR_FORMAT;
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return SKY_ERR_TOO_LARGE;
  return 0;
}

int Allocate(Picture* pic, int32_t width, int32_t height, bool indexed) {
  if (int e = CheckSize(width, height)) return e;
  pic->width = width;
  pic->height = height;
  pic->indexed = indexed;
  try {
    pic->pixels.assign(pic->RowBytes() * size_t(height), 0);
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  return 0;
}

size_t DibStride(int32_t width, int bits) { return ((size_t(width) * bits + 31) / 32) * 4; }

int FromDib(const BITMAPINFO* info, const void* bits, Picture* out) {
  if (!info || !bits) return SKY_ERR_PARAMETER;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1) return SKY_ERR_PARAMETER;
  if (h.biCompression != BI_RGB) return SKY_ERR_DEPTH;
  const int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return SKY_ERR_DEPTH;
  const int64_t height = h.biHeight < 0 ? -int64_t(h.biHeight) : int64_t(h.biHeight);
  const bool topDown = h.biHeight < 0;
  const bool idx = bpp <= 8;
  if (int e = Allocate(out, h.biWidth, int32_t(height), idx)) return e;
  out->sourceBits = bpp;
  if (idx) {
    uint32_t n = h.biClrUsed ? h.biClrUsed : (1u << bpp);
    if (n > (1u << bpp)) n = 1u << bpp;
    const RGBQUAD* table =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + h.biSize);
    out->palette.assign(table, table + n);
  }
  const size_t stride = DibStride(out->width, bpp);
  const uint8_t* base = static_cast<const uint8_t*>(bits);
  for (int32_t y = 0; y < out->height; ++y) {
    const uint8_t* src = base + stride * size_t(topDown ? y : out->height - 1 - y);
    uint8_t* dst = out->Row(y);
    for (int32_t x = 0; x < out->width; ++x) {
      switch (bpp) {
        case 1:
          dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
          break;
        case 4:
          dst[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
          break;
        case 8:
          dst[x] = src[x];
          break;
        case 16: {
          const unsigned v = src[2 * x] | (src[2 * x + 1] << 8);
          dst[3 * x] = uint8_t(((v & 0x1F) * 255 + 15) / 31);
          dst[3 * x + 1] = uint8_t((((v >> 5) & 0x1F) * 255 + 15) / 31);
          dst[3 * x + 2] = uint8_t((((v >> 10) & 0x1F) * 255 + 15) / 31);
          break;
        }
        case 24:
          std::memcpy(dst + 3 * x, src + 3 * x, 3);
          break;
        case 32:
          std::memcpy(dst + 3 * x, src + 4 * x, 3);
          break;
      }
    }
    if (idx) {
      // Indices beyond a short colour table are clamped to its last entry.
      const size_t n = out->palette.size();
      for (int32_t x = 0; x < out->width; ++x)
        if (dst[x] >= n) dst[x] = uint8_t(n ? n - 1 : 0);
    }
  }
  if (idx && out->palette.empty()) out->palette.push_back(RGBQUAD{0, 0, 0, 0});
  return 0;
}

HGLOBAL ToPackedDib(const Picture& pic, int bits) {
  const size_t colours = bits <= 8 ? pic.palette.size() : 0;
  const size_t stride = DibStride(pic.width, bits);
  const size_t total = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) + stride * size_t(pic.height);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
  if (!mem) return nullptr;
  auto* p = static_cast<uint8_t*>(GlobalLock(mem));
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(p);
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = pic.width;
  h->biHeight = pic.height;
  h->biPlanes = 1;
  h->biBitCount = WORD(bits);
  h->biCompression = BI_RGB;
  h->biSizeImage = DWORD(stride * size_t(pic.height));
  h->biClrUsed = DWORD(colours);
  if (colours) std::memcpy(p + sizeof(BITMAPINFOHEADER), pic.palette.data(), colours * sizeof(RGBQUAD));
  uint8_t* rows = p + sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  for (int32_t y = 0; y < pic.height; ++y) {
    const uint8_t* src = pic.Row(y);
    uint8_t* dst = rows + stride * size_t(pic.height - 1 - y);
    if (bits == 24) {
      std::memcpy(dst, src, size_t(pic.width) * 3);
    } else if (bits == 8) {
      std::memcpy(dst, src, size_t(pic.width));
    } else if (bits == 4) {
      for (int32_t x = 0; x < pic.width; ++x) dst[x >> 1] |= (x & 1) ? (src[x] & 0x0F) : uint8_t(src[x] << 4);
    } else {
      for (int32_t x = 0; x < pic.width; ++x) dst[x >> 3] |= uint8_t((src[x] & 1) << (7 - (x & 7)));
    }
  }
  GlobalUnlock(mem);
  return mem;
}

}  // namespace sky

namespace sky {

int FromPackedDib(const uint8_t* data, size_t size, Picture* out) {
  if (size < sizeof(BITMAPINFOHEADER)) return SKY_ERR_TRUNCATED;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return SKY_ERR_FORMAT;
  if (h.biCompression != BI_RGB) return SKY_ERR_DEPTH;
  const int64_t height = h.biHeight < 0 ? -int64_t(h.biHeight) : int64_t(h.biHeight);
  if (int e = CheckSize(h.biWidth, height)) return e;
  size_t colours = 0;
  if (h.biBitCount <= 8) {
    colours = h.biClrUsed ? h.biClrUsed : (size_t(1) << h.biBitCount);
    if (colours > 256) return SKY_ERR_PALETTE;
  }
  const size_t tableEnd = h.biSize + colours * sizeof(RGBQUAD);
  if (tableEnd > size) return SKY_ERR_PALETTE;
  const size_t need = DibStride(h.biWidth, h.biBitCount ? h.biBitCount : 1) * size_t(height);
  if (size - tableEnd < need) return SKY_ERR_TRUNCATED;
  // Copy the header with the colour table to an aligned block before reading the rows.
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  std::memcpy(info.data(), &h, sizeof h);
  reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
  std::memcpy(info.data() + sizeof h, data + h.biSize, colours * sizeof(RGBQUAD));
  return FromDib(reinterpret_cast<const BITMAPINFO*>(info.data()), data + tableEnd, out);
}

}  // namespace sky
