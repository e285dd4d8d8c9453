#include "pcx_codec.h"

#include <cstring>

#include "sky32v3c.h"

namespace sky {
namespace {

constexpr size_t kHeaderSize = 128;

inline uint16_t Word(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

void PutWord(std::string* s, size_t at, uint16_t v) {
  (*s)[at] = char(v & 0xFF);
  (*s)[at + 1] = char(v >> 8);
}

// Expands the run-length data of all rows into `out` (exactly out->size() bytes).
int DecodeRuns(const uint8_t* p, const uint8_t* end, std::vector<uint8_t>* out, const uint8_t** stop) {
  uint8_t* dst = out->data();
  uint8_t* const dstEnd = dst + out->size();
  while (dst < dstEnd) {
    if (p >= end) return SKY_ERR_TRUNCATED;
    uint8_t c = *p++;
    size_t count = 1;
    if ((c & 0xC0) == 0xC0) {
      count = c & 0x3F;
      if (p >= end) return SKY_ERR_TRUNCATED;
      c = *p++;
    }
    if (count > size_t(dstEnd - dst)) return SKY_ERR_RLE;
    std::memset(dst, c, count);
    dst += count;
  }
  *stop = p;
  return 0;
}

// Appends one run-length encoded line; runs never cross the line.
void EncodeLine(const uint8_t* line, size_t n, std::string* out) {
  size_t i = 0;
  while (i < n) {
    const uint8_t v = line[i];
    size_t run = 1;
    while (i + run < n && run < 63 && line[i + run] == v) ++run;
    if (run > 1 || (v & 0xC0) == 0xC0) out->push_back(char(0xC0 | run));
    out->push_back(char(v));
    i += run;
  }
}

}  // namespace

int PcxDecode(const uint8_t* data, size_t size, Picture* out) {
  if (size < kHeaderSize) return size >= 1 && data[0] != 0x0A ? SKY_ERR_FORMAT : SKY_ERR_TRUNCATED;
  if (data[0] != 0x0A || data[2] != 1 || data[1] > 5) return SKY_ERR_FORMAT;
  const int bpp = data[3];
  const int planes = data[65];
  const int64_t width = int64_t(Word(data + 8)) - Word(data + 4) + 1;
  const int64_t height = int64_t(Word(data + 10)) - Word(data + 6) + 1;
  const size_t bytesPerLine = Word(data + 66);
  if (width <= 0 || height <= 0) return SKY_ERR_FORMAT;
  if (int e = CheckSize(width, height)) return e;

  int depth = 0;
  if (bpp == 1 && planes == 1)
    depth = 1;
  else if (bpp == 1 && planes == 4)
    depth = 4;
  else if (bpp == 4 && planes == 1)
    depth = 4;
  else if (bpp == 8 && planes == 1)
    depth = 8;
  else if (bpp == 8 && planes == 3)
    depth = 24;
  else
    return SKY_ERR_DEPTH;
  if (bytesPerLine * 8 < size_t(width) * size_t(bpp)) return SKY_ERR_FORMAT;

  std::vector<uint8_t> raw;
  try {
    raw.resize(bytesPerLine * size_t(planes) * size_t(height));
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  const uint8_t* stop = nullptr;
  if (int e = DecodeRuns(data + kHeaderSize, data + size, &raw, &stop)) return e;

  if (int e = Allocate(out, int32_t(width), int32_t(height), depth != 24)) return e;
  out->sourceBits = depth;
  if (depth == 8) {
    // The 256-colour palette follows the pixel data: a 0x0C byte and 768 bytes, at the end.
    if (size < kHeaderSize + 769 || data[size - 769] != 0x0C || size_t(stop - data) > size - 769)
      return SKY_ERR_PALETTE;
    const uint8_t* p = data + size - 768;
    for (int i = 0; i < 256; ++i) out->palette.push_back(RGBQUAD{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0});
  } else if (depth == 4) {
    const uint8_t* p = data + 16;
    for (int i = 0; i < 16; ++i) out->palette.push_back(RGBQUAD{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0});
  } else if (depth == 1) {
    const uint8_t* p = data + 16;
    // Writers commonly leave the header palette zeroed for black-and-white pictures.
    if (std::memcmp(p, p + 3, 3) == 0) {
      out->palette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    } else {
      for (int i = 0; i < 2; ++i) out->palette.push_back(RGBQUAD{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0});
    }
  }

  const size_t scan = bytesPerLine * size_t(planes);
  for (int32_t y = 0; y < out->height; ++y) {
    const uint8_t* line = raw.data() + scan * size_t(y);
    uint8_t* dst = out->Row(y);
    for (int32_t x = 0; x < out->width; ++x) {
      const size_t byte = size_t(x) >> 3;
      const int shift = 7 - (x & 7);
      switch (depth) {
        case 1:
          dst[x] = (line[byte] >> shift) & 1;
          break;
        case 4:
          if (planes == 4) {
            uint8_t v = 0;
            for (int pl = 0; pl < 4; ++pl)
              v |= uint8_t(((line[bytesPerLine * pl + byte] >> shift) & 1) << pl);
            dst[x] = v;
          } else {
            dst[x] = (x & 1) ? (line[x >> 1] & 0x0F) : (line[x >> 1] >> 4);
          }
          break;
        case 8:
          dst[x] = line[x];
          break;
        case 24:
          dst[3 * x] = line[2 * bytesPerLine + x];
          dst[3 * x + 1] = line[bytesPerLine + x];
          dst[3 * x + 2] = line[x];
          break;
      }
    }
  }
  return 0;
}

int PcxEncode(const Picture& pic, int bits, std::string* out) {
  if ((bits == 24) == pic.indexed) return SKY_ERR_PARAMETER;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return SKY_ERR_DEPTH;
  if (pic.width > 0xFFFF || pic.height > 0xFFFF) return SKY_ERR_TOO_LARGE;
  const int planes = bits == 4 ? 4 : bits == 24 ? 3 : 1;
  const int bpp = bits == 8 || bits == 24 ? 8 : 1;
  size_t bytesPerLine = (size_t(pic.width) * bpp + 7) / 8;
  bytesPerLine += bytesPerLine & 1;  // lines are an even number of bytes
  if (bytesPerLine > 0xFFFF) return SKY_ERR_TOO_LARGE;

  out->assign(kHeaderSize, '\0');
  (*out)[0] = 0x0A;
  (*out)[1] = 5;
  (*out)[2] = 1;
  (*out)[3] = char(bpp);
  PutWord(out, 8, uint16_t(pic.width - 1));
  PutWord(out, 10, uint16_t(pic.height - 1));
  PutWord(out, 12, 96);
  PutWord(out, 14, 96);
  if (bits <= 4) {
    for (size_t i = 0; i < pic.palette.size() && i < 16; ++i) {
      (*out)[16 + 3 * i] = char(pic.palette[i].rgbRed);
      (*out)[17 + 3 * i] = char(pic.palette[i].rgbGreen);
      (*out)[18 + 3 * i] = char(pic.palette[i].rgbBlue);
    }
  }
  (*out)[65] = char(planes);
  PutWord(out, 66, uint16_t(bytesPerLine));
  PutWord(out, 68, 1);  // palette information: colour

  std::vector<uint8_t> line(bytesPerLine * size_t(planes));
  for (int32_t y = 0; y < pic.height; ++y) {
    std::fill(line.begin(), line.end(), 0);
    const uint8_t* src = pic.Row(y);
    for (int32_t x = 0; x < pic.width; ++x) {
      const size_t byte = size_t(x) >> 3;
      const int shift = 7 - (x & 7);
      switch (bits) {
        case 1:
          line[byte] |= uint8_t((src[x] & 1) << shift);
          break;
        case 4:
          for (int pl = 0; pl < 4; ++pl)
            line[bytesPerLine * pl + byte] |= uint8_t(((src[x] >> pl) & 1) << shift);
          break;
        case 8:
          line[x] = src[x];
          break;
        case 24:
          line[x] = src[3 * x + 2];
          line[bytesPerLine + x] = src[3 * x + 1];
          line[2 * bytesPerLine + x] = src[3 * x];
          break;
      }
    }
    for (int pl = 0; pl < planes; ++pl) EncodeLine(line.data() + bytesPerLine * pl, bytesPerLine, out);
  }
  if (bits == 8) {
    out->push_back(0x0C);
    for (size_t i = 0; i < 256; ++i) {
      const RGBQUAD q = i < pic.palette.size() ? pic.palette[i] : RGBQUAD{0, 0, 0, 0};
      out->push_back(char(q.rgbRed));
      out->push_back(char(q.rgbGreen));
      out->push_back(char(q.rgbBlue));
    }
  }
  return 0;
}

}  // namespace sky
