#include "settings.h"

#include "canvas.h"
#include "icon_model.h"
#include "paths.h"

namespace zwicon {

static const char* kSection = "Icon Editor";

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return sw::FolderPart(std::string(path, n));
}

static bool ReadString(HKEY k, const char* name, std::string& out) {
  char buf[1024];
  DWORD type = 0, size = sizeof buf - 1;
  if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  buf[size < sizeof buf ? size : sizeof buf - 1] = 0;
  out = buf;  // stops at the first NUL
  return true;
}

void ApplyWindowValue(const std::string& value, RECT& w, SIZE screen) {
  auto fields = SplitFields(value);
  long* target[4] = {&w.left, &w.top, &w.right, &w.bottom};
  // Sane ranges: positions within a large virtual screen, sizes from a title bar up.
  const long lo[4] = {-4000, -4000, 50, 30}, hi[4] = {16000, 16000, 16000, 16000};
  for (size_t i = 0; i < 4 && i < fields.size(); ++i) {
    long long v;
    if (ParseNumber(fields[i], v) && v >= lo[i] && v <= hi[i]) *target[i] = static_cast<long>(v);
  }
  if (w.left > screen.cx - 30) w.left = 0;
  if (w.top > screen.cy - 30) w.top = 0;
}

void ReadSettings(const std::string& key, EditorSettings& s, SIZE screen) {
  HKEY k;
  std::string path = key + "\\" + kSection;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
  std::string v;
  long long n;
  if (ReadString(k, "Window", v)) ApplyWindowValue(v, s.window, screen);
  if (ReadString(k, "IconDir", v) && !v.empty() && v.size() < MAX_PATH) {
    DWORD a = GetFileAttributesA(v.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) s.iconDir = v;
  }
  if (ReadString(k, "ShowGrid", v) && ParseNumber(v, n)) s.showGrid = n != 0;
  if (ReadString(k, "UndoOn", v) && ParseNumber(v, n)) s.undoOn = n != 0;
  // A zoom outside 2..20 would stall the grid and divide by zero: it becomes 8.
  if (ReadString(k, "Magnify", v)) s.magnify = ParseNumber(v, n) && n >= 2 && n <= 20 ? static_cast<int>(n) : 8;
  if (ReadString(k, "TransparentColor", v) && ParseNumber(v, n))
    s.transparentColor = n >= 0 && n <= 0xFFFFFF ? static_cast<COLORREF>(n) : 0xFFFFFF;
  RegCloseKey(k);
}

static void WriteString(HKEY k, const char* name, const std::string& v) {
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()), static_cast<DWORD>(v.size() + 1));
}

bool WriteSettings(const std::string& key, const EditorSettings& s) {
  HKEY k;
  std::string path = key + "\\" + kSection;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
    return false;
  WriteString(k, "Window", zw::Num(s.window.left) + "," + zw::Num(s.window.top) + "," +
                               zw::Num(s.window.right) + "," + zw::Num(s.window.bottom));
  WriteString(k, "IconDir", s.iconDir);
  WriteString(k, "ShowGrid", s.showGrid ? "1" : "0");
  WriteString(k, "Magnify", zw::Num(s.magnify));
  WriteString(k, "TransparentColor", zw::Num(s.transparentColor));
  WriteString(k, "UndoOn", s.undoOn ? "1" : "0");
  RegCloseKey(k);
  return true;
}

}  // namespace zwicon
