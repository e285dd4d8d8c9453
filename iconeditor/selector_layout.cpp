#include "selector_layout.h"

#include <vector>

#include "paths.h"
#include "settings.h"

namespace zwicon {

namespace {

constexpr const char* kSubKey = "\\Icon Selector";

bool ReadString(HKEY k, const char* name, std::string& out) {
  char buf[512];
  DWORD type = 0, size = sizeof buf - 1;
  if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  buf[size < sizeof buf ? size : sizeof buf - 1] = 0;
  out = buf;
  return true;
}

void WriteString(HKEY k, const char* name, const char* v) {
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v), static_cast<DWORD>(lstrlenA(v) + 1));
}

// A whole decimal number within [lo, hi].
bool Number(const std::string& s, long lo, long hi, long& out) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = i < s.size() && s[i] == '-';
  if (neg) ++i;
  if (i >= s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > 100000) return false;
  }
  if (neg) v = -v;
  if (v < lo || v > hi) return false;
  out = static_cast<long>(v);
  return true;
}

std::vector<std::string> Fields(const std::string& s) {
  std::vector<std::string> out(1);
  for (char c : s) {
    if (c == ',') out.emplace_back();
    else out.back().push_back(c);
  }
  return out;
}

}  // namespace

void ReadSelectorLayout(const std::string& key, SelectorLayout& l, SIZE screen) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (key + kSubKey).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
  std::string v;
  if (ReadString(k, "Window", v)) ApplyWindowValue(v, l.window, screen);
  if (ReadString(k, "DetailWidth", v)) {
    auto f = Fields(v);
    std::array<int, 5> w = l.details;
    bool ok = f.size() == 5;
    for (size_t i = 0; ok && i < 5; ++i) {
      long n;
      ok = Number(f[i], i == 0 ? 30 : 0, 2000, n);
      w[i] = static_cast<int>(n);
    }
    if (ok) l.details = w;
  }
  if (ReadString(k, "ShowFileDetails", v)) l.showDetails = v == "1";
  if (ReadString(k, "InvertFileList", v)) l.inverted = v == "1";
  if (ReadString(k, "SplitDir", v)) l.stacked = v == "Horz";
  long n;
  if (ReadString(k, "SplitPos", v) && Number(v, 0, 16000, n)) l.splitPos = static_cast<int>(n);
  RegCloseKey(k);
}

bool WriteSelectorLayout(const std::string& key, const SelectorLayout& l, bool previewVisible, bool preview) {
  std::string path = key + kSubKey;
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  char buf[160];
  wsprintfA(buf, "%d,%d,%d,%d", static_cast<int>(l.window.left), static_cast<int>(l.window.top),
            static_cast<int>(l.window.right), static_cast<int>(l.window.bottom));
  WriteString(k, "Window", buf);
  WriteString(k, "ShowFileDetails", l.showDetails ? "1" : "0");
  WriteString(k, "InvertFileList", l.inverted ? "1" : "0");
  if (previewVisible) WriteString(k, "Preview", preview ? "1" : "0");
  WriteString(k, "SplitDir", l.stacked ? "Horz" : "Vert");
  wsprintfA(buf, "%d", l.splitPos);
  WriteString(k, "SplitPos", buf);
  wsprintfA(buf, "%d,%d,%d,%d,%d", l.details[0], l.details[1], l.details[2], l.details[3], l.details[4]);
  WriteString(k, "DetailWidth", buf);
  RegCloseKey(k);
  return true;
}

POINT IconGridPosition(int i, int viewerWidth) {
  POINT p{10, 10};
  for (int k = 0; k < i; ++k) {
    p.x += 40;
    if (p.x >= viewerWidth - 50) {
      p.x = 10;
      p.y += 40;
    }
  }
  return p;
}

std::string JoinChosenName(const std::string& location, const std::string& name) {
  std::string joined = sw::AppendName(location, name);
  if (!name.empty() && sw::Extension(joined, sw::kBackslashAndDrive).empty()) joined += ".ICO";
  return joined;
}

bool SplitLocation(const std::string& text, std::string& folder, std::string& mask) {
  if (text.find_first_of("*?") == std::string::npos) return false;
  // The folder keeps a drive's colon ("c:*.ico" is c:'s root) and loses a backslash.
  mask = sw::FilePart(text, sw::kBackslashAndDrive);
  folder = text.substr(0, text.size() - mask.size());
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return true;
}

}  // namespace zwicon
