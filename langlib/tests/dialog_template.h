// Reads a dialog template (the classic DLGTEMPLATE form) from a module's resources, so tests can
// compare every control's id, class, text, style and rectangle in dialog units.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  int id = 0;
  std::string windowClass;  // "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" or a name
  std::string text;         // "#n" for a resource ordinal
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
  bool found = false;
  DWORD style = 0;
  int cx = 0, cy = 0;
  std::string caption;
  int pointSize = 0;
  std::string face;
  std::vector<TemplateItem> items;
};

DialogTemplate ReadDialogTemplate(HMODULE module, int id);
