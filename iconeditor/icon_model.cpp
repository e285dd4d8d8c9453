#include "icon_model.h"

#include "canvas.h"

#include <cstdlib>

namespace zwicon {

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
