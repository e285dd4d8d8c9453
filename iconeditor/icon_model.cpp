#include "icon_model.h"

#include "canvas.h"

#include <cstdio>
#include <cstdlib>

namespace zwicon {

const COLORREF kStandardPalette[16] = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

static bool Near(int entry, int value) { return entry - 20 < value && value <= entry; }

int MatchPaletteIndex(const COLORREF palette[16], COLORREF p, int previous) {
  int found = previous;
  for (int k = 0; k < 16; ++k) {
    COLORREF e = palette[k];
    if (Near(GetRValue(e), GetRValue(p)) && Near(GetGValue(e), GetGValue(p)) && Near(GetBValue(e), GetBValue(p)))
      found = k;
  }
  return found;
}

bool ParseNumber(const std::string& text, long long& out) {
  if (text.empty() || text.size() > 20) return false;
  const char* s = text.c_str();
  int base = 10;
  if (text.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s += 2;
  }
  char* end = nullptr;
  long long v = std::strtoll(s, &end, base);
  if (end == s || *end) return false;
  out = v;
  return true;
}

std::vector<std::string> SplitFields(const std::string& t) {
  std::vector<std::string> fields;
  size_t i = 0, n = t.size();
  auto skipSpaces = [&] { while (i < n && t[i] == ' ') ++i; };
  skipSpaces();
  if (i >= n) return fields;
  for (;;) {
    std::string f;
    bool quoted = false;
    while (i < n && (quoted || (t[i] != ',' && t[i] != ' '))) {
      if (t[i] == '"') quoted = !quoted;
      else if (t[i] != ' ') f += t[i];
      ++i;
    }
    fields.push_back(f);
    skipSpaces();
    if (i < n && t[i] == ',') {
      ++i;
      skipSpaces();
      if (i >= n) {
        fields.emplace_back();
        break;
      }
    }
    if (i >= n) break;
  }
  return fields;
}

std::string CreateNumberedTempFile(const std::string& dir) {
  if (dir.empty() || dir.size() > MAX_PATH - 14) return "";
  std::string base = dir.back() == '\\' ? dir : dir + "\\";
  for (long n = 1; n <= 2147483647L; ++n) {
    std::string digits = zw::Num(n);
    std::string path = base + std::string(8 - digits.size(), '0') + digits + ".$$$";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return path;
    }
    DWORD e = GetLastError();
    if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

std::string CreateSystemTempFile() {
  char dir[MAX_PATH + 1] = "", path[MAX_PATH + 1] = "";
  DWORD n = GetTempPathA(sizeof dir, dir);
  if (n == 0 || n > MAX_PATH) return "";
  if (!GetTempFileNameA(dir, "ZWI", 0, path)) return "";  // creates it, empty and unique
  return path;
}

RECT ShapeBox(int x0, int y0, int x1, int y1) {
  if (x1 > x0 && y1 > y0) return RECT{x0, y0, x1 + 1, y1 + 1};
  if (x1 < x0 && y1 > y0) return RECT{x0 + 1, y0, x1, y1 + 1};
  if (x1 > x0 && y1 < y0) return RECT{x0, y0 + 1, x1 + 1, y1};
  if (x1 < x0 && y1 < y0) return RECT{x0 + 1, y0 + 1, x1, y1};
  return RECT{x0, y0, x1, y1};
}

std::vector<POINT> LineCells(int x0, int y0, int x1, int y1) {
  std::vector<POINT> cells;
  int dx = x1 - x0, dy = y1 - y0;
  int adx = std::abs(dx), ady = std::abs(dy);
  bool rising = (dx > 0 && dy >= 0) || (dx <= 0 && dy < 0);
  if (ady < adx) {
    int x, y, xe;
    if (dx > 0) x = x0, y = y0, xe = x1;
    else x = x1, y = y1, xe = x0;
    int e = 2 * ady - adx;
    for (; x <= xe; ++x) {
      cells.push_back(POINT{x, y});
      if (rising) {
        if (e >= 0) { ++y; e += 2 * (ady - adx); }
        else e += 2 * ady;
      } else {
        if (e > 0) { --y; e += 2 * (ady - adx); }
        else e += 2 * ady;
      }
    }
  } else {
    int x, y, ye;
    if (dy > 0) x = x0, y = y0, ye = y1;
    else x = x1, y = y1, ye = y0;
    int e = 2 * adx - ady;
    for (; y <= ye; ++y) {
      cells.push_back(POINT{x, y});
      if (rising) {
        if (e >= 0) { ++x; e += 2 * (adx - ady); }
        else e += 2 * adx;
      } else {
        if (e > 0) { --x; e += 2 * (adx - ady); }
        else e += 2 * adx;
      }
    }
  }
  return cells;
}

}  // namespace zwicon

namespace zwicon {

std::string IconFileBytes(const IconData& d) {
  std::string b;
  auto w16 = [&](unsigned v) { b += static_cast<char>(v & 0xFF); b += static_cast<char>((v >> 8) & 0xFF); };
  auto w32 = [&](unsigned v) { w16(v & 0xFFFF); w16(v >> 16); };
  auto w8 = [&](unsigned v) { b += static_cast<char>(v & 0xFF); };
  w16(0), w16(1), w16(1);
  w8(32), w8(32), w8(16), w8(0), w16(0), w16(0), w32(744), w32(22);
  w32(40), w32(32), w32(64), w16(1), w16(4), w32(0), w32(640), w32(0), w32(0), w32(0), w32(0);
  for (COLORREF c : d.palette) w8(GetBValue(c)), w8(GetGValue(c)), w8(GetRValue(c)), w8(0);
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 2) w8(((d.index[x][y] & 15) << 4) | (d.index[x + 1][y] & 15));
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 8) {
      unsigned v = 0;
      for (int k = 0; k < 8; ++k)
        if (d.transparent[x + k][y]) v |= 0x80u >> k;
      w8(v);
    }
  return b;
}

bool SaveIconFile(const std::string& path, const IconData& d) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::string bytes = IconFileBytes(d);
  DWORD written = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

}  // namespace zwicon
