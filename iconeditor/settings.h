// ZwIcon's settings in the registry: HKEY_CURRENT_USER\<key>\Icon Editor, string values.
// Every value is checked where it enters; a damaged or missing value keeps the default.
#pragma once
#include <windows.h>
#include <string>

namespace zwicon {

struct EditorSettings {
  RECT window{0, 0, 640, 480};  // left, top, width, height (right = width, bottom = height)
  std::string iconDir;
  bool showGrid = true;
  int magnify = 8;
  COLORREF transparentColor = 0xFFFFFF;
  bool undoOn = true;
};

// The program's folder without a trailing backslash (a drive root keeps it).
std::string ProgramFolder();
// Reads the settings over `s` (which holds the defaults); `screen` is the screen size used by
// the off-screen rule.
void ReadSettings(const std::string& key, EditorSettings& s, SIZE screen);
bool WriteSettings(const std::string& key, const EditorSettings& s);
// Applies one "Window" value to a rectangle (left, top, width, height).
void ApplyWindowValue(const std::string& value, RECT& w, SIZE screen);

}  // namespace zwicon
