// The library's working form of a picture and its conversions to and from device-independent
// bitmaps. Pixels are kept top row first, one byte per pixel (palette index) or three (B, G, R).
#pragma once
#include <stdint.h>
#include <windows.h>

#include <vector>

namespace sky {

// Limits on what any reader accepts: a side of at most 32768 pixels and at most 2^25 pixels.
constexpr int32_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t(1) << 25;

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  bool indexed = false;          // true: pixels are indices into palette
  std::vector<RGBQUAD> palette;  // at most 256 entries
  std::vector<uint8_t> pixels;   // width (indexed) or 3 * width (BGR) bytes per row
  int sourceBits = 0;            // the depth the picture had in its file

  size_t RowBytes() const { return size_t(width) * (indexed ? 1 : 3); }
  uint8_t* Row(int32_t y) { return pixels.data() + RowBytes() * size_t(y); }
  const uint8_t* Row(int32_t y) const { return pixels.data() + RowBytes() * size_t(y); }
};

// Checks the size against the limits; returns 0 or an error number.
int CheckSize(int64_t width, int64_t height);

// Sets up an empty picture of the given size (pixels zeroed); returns 0 or an error number.
int Allocate(Picture* pic, int32_t width, int32_t height, bool indexed);

// The bytes of one row of a DIB at `bits` per pixel, rounded up to whole double words.
size_t DibStride(int32_t width, int bits);

// Reads a BI_RGB bitmap (1, 4, 8, 16, 24 or 32 bits, bottom-up or top-down) into a picture;
// returns 0 or an error number.
int FromDib(const BITMAPINFO* info, const void* bits, Picture* out);

// Packs a picture at `bits` (4, 8 or 24; the picture must already hold no index beyond 2^bits)
// into a movable global block: header, colour table, rows bottom-up. Null when out of memory.
HGLOBAL ToPackedDib(const Picture& pic, int bits);

}  // namespace sky

namespace sky {

// Reads a packed bitmap (header, colour table, rows) of `size` bytes, as bitmap resources and
// clipboard DIBs hold it, checking every length; returns 0 or an error number.
int FromPackedDib(const uint8_t* data, size_t size, Picture* out);

}  // namespace sky
