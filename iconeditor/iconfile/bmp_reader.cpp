#include "bmp_reader.h"

#include <algorithm>
#include <cstring>

#include "byte_writer.h"
#include "handles.h"
#include "icon_file.h"

namespace zwicon::files {

using sw::FileHandle;

bool ReadWholeFile(const std::string& path, std::string& bytes, uint32_t limit) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.get(), &size) || size.QuadPart < 0 || size.QuadPart > limit) return false;
  std::string b(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  // In chunks of at most 65535 bytes.
  while (done < b.size()) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(b.size() - done, 65535)), got = 0;
    if (!ReadFile(f.get(), &b[done], want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  bytes.swap(b);
  return true;
}

bool ParseBitmapFile(const std::string& b, BitmapFileLayout& layout) {
  const uint64_t fileSize = b.size();
  if (fileSize < 14 + 40 || b[0] != 'B' || b[1] != 'M') return false;
  const uint32_t offBits = ReadDWord(b, 10);
  const uint32_t headerSize = ReadDWord(b, 14);
  // The 40-byte header and its later, longer forms (whose extra fields are not needed).
  if (headerSize != 40 && headerSize != 108 && headerSize != 124) return false;
  if (14ull + headerSize > fileSize) return false;
  const auto width = static_cast<int32_t>(ReadDWord(b, 18));
  const auto height = static_cast<int32_t>(ReadDWord(b, 22));
  const uint32_t planes = ReadWord(b, 26), bitCount = ReadWord(b, 28), compression = ReadDWord(b, 30);
  const uint32_t clrUsed = ReadDWord(b, 46);
  if (planes != 1 || compression != BI_RGB) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
  if (width <= 0 || width > kMaxBitmapSide || height == 0 || height < -kMaxBitmapSide || height > kMaxBitmapSide)
    return false;
  const uint64_t rows = height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
  // Colour table: as many entries as the header says are used, at most 2^bits; none above 8 bits
  // unless the header names some (they are then only a hint and skipped).
  uint64_t colours = 0;
  if (bitCount <= 8) {
    uint64_t full = 1ull << bitCount;
    if (clrUsed > full) return false;
    colours = clrUsed ? clrUsed : full;
  } else if (clrUsed > 256) {
    return false;
  }
  const uint64_t tableBytes = (bitCount <= 8 ? colours : clrUsed) * 4;
  if (14ull + headerSize + tableBytes > offBits) return false;
  const uint64_t stride = ((static_cast<uint64_t>(bitCount) * static_cast<uint64_t>(width) + 31) / 32) * 4;
  const uint64_t image = stride * rows;
  if (image == 0 || image > kMaxBitmapBytes) return false;
  if (offBits > fileSize || image > fileSize - offBits) return false;

  // The header as the platform takes it: 40 bytes, the computed image size, the colour table.
  layout.info.assign(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(colours) * 4, 0);
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bitCount);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(image);
  h.biClrUsed = static_cast<DWORD>(colours);
  std::memcpy(layout.info.data(), &h, sizeof h);
  if (colours) std::memcpy(layout.info.data() + sizeof h, b.data() + 14 + headerSize, static_cast<size_t>(colours) * 4);
  layout.pixelOffset = offBits;
  layout.pixelBytes = static_cast<uint32_t>(image);
  return true;
}

HBITMAP ReadBitmapFile(const std::string& path, HDC dc, HPALETTE palette) {
  std::string b;
  if (!ReadWholeFile(path, b, kMaxBitmapBytes + (1u << 20))) return nullptr;
  return BitmapFromBytes(b, dc, palette);
}

HBITMAP BitmapFromBytes(const std::string& b, HDC dc, HPALETTE palette) {
  BitmapFileLayout layout;
  if (!ParseBitmapFile(b, layout)) return nullptr;
  HPALETTE old = nullptr;
  bool usePalette = palette && layout.Info()->bmiHeader.biBitCount <= 8;
  if (usePalette) {
    old = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
  }
  HBITMAP bmp = CreateDIBitmap(dc, &layout.Info()->bmiHeader, CBM_INIT, b.data() + layout.pixelOffset, layout.Info(),
                               DIB_RGB_COLORS);
  if (usePalette) SelectPalette(dc, old, FALSE);
  return bmp;
}

bool WriteBitmapFile(HBITMAP bitmap, const std::string& path) {
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0 ||
      bm.bmWidth > kMaxBitmapSide || bm.bmHeight > kMaxBitmapSide)
    return false;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = bm.bmWidth;
  h.biHeight = bm.bmHeight;
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  const uint32_t stride = ((24u * static_cast<uint32_t>(bm.bmWidth) + 31) / 32) * 4;
  const uint32_t image = stride * static_cast<uint32_t>(bm.bmHeight);
  if (image > kMaxBitmapBytes) return false;
  std::string pixels(image, '\0');
  HDC screen = GetDC(nullptr);
  int got = GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), &pixels[0], reinterpret_cast<BITMAPINFO*>(&h),
                      DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (got != bm.bmHeight) return false;
  ByteWriter w;
  w.Byte('B'), w.Byte('M'), w.DWord(14 + 40 + image), w.Word(0), w.Word(0), w.DWord(14 + 40);
  w.DWord(40), w.DWord(static_cast<uint32_t>(bm.bmWidth)), w.DWord(static_cast<uint32_t>(bm.bmHeight)), w.Word(1),
      w.Word(24), w.DWord(BI_RGB), w.DWord(image), w.DWord(0), w.DWord(0), w.DWord(0), w.DWord(0);
  w.Bytes(pixels.data(), pixels.size());
  return WriteWholeFile(path, w.Data());
}

}  // namespace zwicon::files
