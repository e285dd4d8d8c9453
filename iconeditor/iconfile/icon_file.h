// The icon file the editor writes and reads: one 32 x 32 image at 4 bits per pixel with its
// transparency mask, 766 bytes; read back at the fixed offsets of the palette, colour bits and
// mask bits.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace zwicon::files {

constexpr size_t kIconFileSize = 766;
constexpr size_t kPaletteOffset = 62, kColourBitsOffset = 126, kMaskBitsOffset = 638;

// The standard 16 colours in the order of the platform's 4-bit bitmaps (7 gray, 8 silver).
extern const COLORREF kStandardColours[16];

// What an icon file holds: the palette (0x00BBGGRR) and, per pixel [x][y], its palette index and
// whether it is transparent (mask bit set).
struct IconImage {
  COLORREF palette[16];
  uint8_t index[32][32];
  uint8_t transparent[32][32];
};
// The standard palette, every index 0 and every pixel transparent.
IconImage BlankIconImage();

// The 766 bytes of the icon file in field order.
std::string IconFileBytes(const IconImage& image);
// Creates or truncates `path` (write-only) and writes the icon file; false when the file cannot
// be created, a write is short or closing it fails.
bool WriteIconFile(const std::string& path, const IconImage& image);
// Writes `bytes` to `path` (created or truncated); false on any failure, including a short write
// or a failed close.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Reads the palette, colour bits and mask bits of an icon file at their fixed offsets (the header
// is not read); false, leaving `image` untouched, when the file cannot be opened or ends before
// the last byte needed.
bool ReadIconFile(const std::string& path, IconImage& image);
// The same over bytes already in memory.
bool ParseIconFile(const std::string& bytes, IconImage& image);

}  // namespace zwicon::files
