#include "icon_source.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "handles.h"

namespace zwicon::files {

using sw::GdiObject;
using sw::MemoryDC;

bool IconFileIntact(const std::string& file) {
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  uint8_t head[6 + 16 * 64] = {};
  DWORD got = 0;
  bool read = GetFileSizeEx(h, &size) && ReadFile(h, head, sizeof head, &got, nullptr);
  CloseHandle(h);
  if (!read) return false;
  auto word = [&](size_t at) { return static_cast<uint32_t>(head[at] | head[at + 1] << 8); };
  auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
  // Only icon files (reserved 0, type 1) are judged here; programs and libraries are the platform's.
  if (got < 6 || word(0) != 0 || word(2) != 1) return true;
  uint32_t count = word(4), listed = std::min<uint32_t>(count, 64);
  if (count == 0 || 6 + 16 * listed > got) return false;
  for (uint32_t i = 0; i < listed; ++i) {
    uint64_t bytes = dword(6 + 16 * i + 8), offset = dword(6 + 16 * i + 12);
    if (bytes < sizeof(BITMAPINFOHEADER) || offset < 6 + 16 * count ||
        offset + bytes > static_cast<uint64_t>(size.QuadPart))
      return false;
  }
  return true;
}

HICON ExtractIconAt(const std::string& file, int index) {
  if (index < 0 || file.empty()) return nullptr;
  DWORD a = GetFileAttributesA(file.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  // A damaged icon file (cut short, entries pointing past its end) holds no icon.
  if (!IconFileIntact(file)) return nullptr;
  HICON h = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(index));
  // 1 means "not an icon file" on some platforms; 0 here means the same or no such icon.
  if (h == reinterpret_cast<HICON>(1)) return nullptr;
  return h;
}

int IconCount(const std::string& file) {
  DWORD a = GetFileAttributesA(file.c_str());
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY) || !IconFileIntact(file)) return 0;
  auto n = reinterpret_cast<UINT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(-1)));
  return n > 0xFFFF ? 0 : static_cast<int>(n);
}

namespace {

// A 32 x 32 bitmap header with room for a colour table.
struct Header {
  BITMAPINFOHEADER h;
  RGBQUAD colours[16];
};

Header MakeHeader(int bits) {
  Header hd{};
  hd.h.biSize = sizeof(BITMAPINFOHEADER);
  hd.h.biWidth = 32;
  hd.h.biHeight = 32;  // bottom row first, as the file holds them
  hd.h.biPlanes = 1;
  hd.h.biBitCount = static_cast<WORD>(bits);
  hd.h.biCompression = BI_RGB;
  hd.h.biClrUsed = bits == 4 ? 16 : bits == 1 ? 2 : 0;
  for (int k = 0; k < 16; ++k) {
    COLORREF c = bits == 1 ? (k ? RGB(255, 255, 255) : 0) : kStandardColours[k];
    hd.colours[k] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  }
  return hd;
}

// Draws one part of the icon (DI_IMAGE or DI_MASK) into a 32 x 32 true-colour section and returns
// its pixels, bottom row first, 0x00RRGGBB.
bool DrawPart(HICON icon, UINT part, std::vector<uint32_t>& px) {
  Header hd = MakeHeader(32);
  void* bits = nullptr;
  GdiObject<HBITMAP> bmp(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&hd), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) return false;
  MemoryDC dc;
  if (!dc.get()) return false;
  dc.Select(bmp.get());
  RECT all{0, 0, 32, 32};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(part == DI_MASK ? WHITE_BRUSH : BLACK_BRUSH)));
  if (!DrawIconEx(dc.get(), 0, 0, icon, 32, 32, 0, nullptr, part)) return false;
  GdiFlush();
  px.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 32 * 32);
  return true;
}

// The standard colour nearest to a pixel (sum of squared channel differences; first wins a tie).
int NearestStandard(uint32_t rgb) {
  int r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
  int best = 0;
  long bestD = -1;
  for (int k = 0; k < 16; ++k) {
    COLORREF c = kStandardColours[k];
    long dr = r - GetRValue(c), dg = g - GetGValue(c), db = b - GetBValue(c);
    long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) best = k, bestD = d;
  }
  return best;
}

}  // namespace

bool IconImageFromIcon(HICON icon, IconImage& image) {
  if (!icon) return false;
  std::vector<uint32_t> colour, mask;
  if (!DrawPart(icon, DI_IMAGE, colour) || !DrawPart(icon, DI_MASK, mask)) return false;
  IconImage im;
  std::memcpy(im.palette, kStandardColours, sizeof im.palette);
  for (int row = 0; row < 32; ++row)
    for (int x = 0; x < 32; ++x) {
      int y = 31 - row;
      uint32_t c = colour[row * 32 + x] & 0xFFFFFF;
      im.index[x][y] = static_cast<uint8_t>(NearestStandard(c));
      // A mask pixel that is not black is transparent.
      im.transparent[x][y] = (mask[row * 32 + x] & 0xFFFFFF) != 0;
    }
  image = im;
  return true;
}

bool WriteIconAsFile(HICON icon, const std::string& path) {
  IconImage im;
  return IconImageFromIcon(icon, im) && WriteIconFile(path, im);
}

HICON IconFromImage(const IconImage& image) {
  std::string b = IconFileBytes(image);
  // The image part of the file, from its bitmap header on.
  return CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&b[22]), static_cast<DWORD>(b.size() - 22), TRUE, 0x00030000,
                                  32, 32, LR_DEFAULTCOLOR);
}

}  // namespace zwicon::files
