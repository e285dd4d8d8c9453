#include "icon_file.h"

#include <cstring>

#include "byte_writer.h"
#include "handles.h"

namespace zwicon::files {

using sw::FileHandle;

const COLORREF kStandardColours[16] = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

IconImage BlankIconImage() {
  IconImage im;
  std::memcpy(im.palette, kStandardColours, sizeof im.palette);
  std::memset(im.index, 0, sizeof im.index);
  std::memset(im.transparent, 1, sizeof im.transparent);
  return im;
}

std::string IconFileBytes(const IconImage& im) {
  ByteWriter w;
  // Directory: reserved, type icon, one image; its entry.
  w.Word(0), w.Word(1), w.Word(1);
  w.Byte(32), w.Byte(32), w.Byte(16), w.Byte(0), w.Word(0), w.Word(0), w.DWord(744), w.DWord(22);
  // Bitmap header: 32 wide, 64 high (colour plus mask), one plane, 4 bits, 640 bytes of image.
  w.DWord(40), w.DWord(32), w.DWord(64), w.Word(1), w.Word(4), w.DWord(0), w.DWord(640);
  w.DWord(0), w.DWord(0), w.DWord(0), w.DWord(0);
  for (COLORREF c : im.palette) w.Byte(GetBValue(c)), w.Byte(GetGValue(c)), w.Byte(GetRValue(c)), w.Byte(0);
  // Colour bits, bottom row first, left pixel in the high nibble.
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 2) w.Byte(((im.index[x][y] & 15u) << 4) | (im.index[x + 1][y] & 15u));
  // Mask bits, bottom row first, leftmost pixel in the most significant bit.
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 8) {
      uint32_t v = 0;
      for (int k = 0; k < 8; ++k)
        if (im.transparent[x + k][y]) v |= 0x80u >> k;
      w.Byte(v);
    }
  return w.Data();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  BOOL closed = CloseHandle(h);
  return ok && written == bytes.size() && closed;
}

bool WriteIconFile(const std::string& path, const IconImage& image) { return WriteWholeFile(path, IconFileBytes(image)); }

bool ParseIconFile(const std::string& b, IconImage& image) {
  if (b.size() < kIconFileSize) return false;
  IconImage im;
  for (int k = 0; k < 16; ++k) {
    size_t at = kPaletteOffset + 4 * k;
    im.palette[k] = RGB(static_cast<uint8_t>(b[at + 2]), static_cast<uint8_t>(b[at + 1]), static_cast<uint8_t>(b[at]));
  }
  for (int row = 0; row < 32; ++row) {
    int y = 31 - row;
    for (int i = 0; i < 16; ++i) {
      auto v = static_cast<uint8_t>(b[kColourBitsOffset + row * 16 + i]);
      im.index[2 * i][y] = v >> 4;
      im.index[2 * i + 1][y] = v & 15;
    }
    for (int i = 0; i < 4; ++i) {
      auto v = static_cast<uint8_t>(b[kMaskBitsOffset + row * 4 + i]);
      for (int k = 0; k < 8; ++k) im.transparent[8 * i + k][y] = (v >> (7 - k)) & 1;
    }
  }
  image = im;
  return true;
}

bool ReadIconFile(const std::string& path, IconImage& image) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return false;
  // Only the bytes up to the end of the mask are needed; the header is not looked at.
  std::string b(kIconFileSize, '\0');
  DWORD got = 0;
  if (SetFilePointer(f.get(), static_cast<LONG>(kPaletteOffset), nullptr, FILE_BEGIN) != kPaletteOffset) return false;
  DWORD want = static_cast<DWORD>(kIconFileSize - kPaletteOffset);
  if (!ReadFile(f.get(), &b[kPaletteOffset], want, &got, nullptr) || got != want) return false;
  return ParseIconFile(b, image);
}

}  // namespace zwicon::files
