// Bitmap files for Paste: the clipboard bitmap is written to a BMP file and read back as a device
// bitmap. The reader validates every header field against the file's real size and sane limits.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zwicon::files {

// Largest picture the reader accepts (pixels per side, bytes of pixel data).
constexpr int32_t kMaxBitmapSide = 16384;
constexpr uint32_t kMaxBitmapBytes = 64u << 20;

// A checked bitmap file: its header and colour table as the platform takes them, and where its
// pixel rows lie in the file.
struct BitmapFileLayout {
  std::vector<uint8_t> info;  // BITMAPINFOHEADER followed by the colour table
  uint32_t pixelOffset = 0;
  uint32_t pixelBytes = 0;
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// Checks a whole bitmap file's bytes; false for anything damaged, unsupported or too large.
bool ParseBitmapFile(const std::string& bytes, BitmapFileLayout& layout);

// Reads a bitmap file into a device bitmap compatible with `dc` (with `palette` selected and
// realised for pictures of 8 bits or less, when given). Null when the file cannot be read or is
// not a sound bitmap file.
HBITMAP ReadBitmapFile(const std::string& path, HDC dc, HPALETTE palette);
// The same over a file's bytes already in memory.
HBITMAP BitmapFromBytes(const std::string& bytes, HDC dc, HPALETTE palette);

// Writes a bitmap (device-dependent or section) as a 24-bit BMP file; false on any failure.
bool WriteBitmapFile(HBITMAP bitmap, const std::string& path);

// The whole content of a file, up to `limit` bytes; false when it cannot be read or is larger.
bool ReadWholeFile(const std::string& path, std::string& bytes, uint32_t limit);

}  // namespace zwicon::files
