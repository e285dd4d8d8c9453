#include "file_dialog.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "paths.h"

namespace zwicon::files {

std::string DialogFilter(const std::string& mask) {
  std::string patterns;
  size_t i = 0;
  while (i < mask.size()) {
    size_t j = mask.find(' ', i);
    if (j == std::string::npos) j = mask.size();
    if (j > i) patterns += (patterns.empty() ? "" : ";") + mask.substr(i, j - i);
    i = j + 1;
  }
  std::string f = "Icons and pictures (" + mask + ")";
  f += '\0';
  f += patterns;
  f += '\0';
  f += "All files (*.*)";
  f += '\0';
  f += "*.*";
  f += '\0';
  return f;
}

std::string FolderOf(const std::string& path) { return sw::FolderPart(path); }

bool ChooseFileWithDialog(FileChoice& c, HWND owner) {
  char name[MAX_PATH] = "";
  std::strncpy(name, c.initialName.c_str(), MAX_PATH - 1);
  const std::string filter = DialogFilter(c.mask);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = c.folder.empty() ? nullptr : c.folder.c_str();
  ofn.lpstrTitle = c.title.c_str();
  // No default extension for the dialog: it would take the filter's first one; a name without
  // extension gets ".ICO" below instead.
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (c.save ? 0 : OFN_FILEMUSTEXIST);
  // The file browser asks "Replace existing" itself, so the platform's own question is not used.
  BOOL ok = c.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  c.fileName = name;
  if (sw::Extension(c.fileName, sw::kSlashesAndDrive).empty()) c.fileName += ".ICO";
  c.iconIndex = 0;
  std::string folder = FolderOf(c.fileName);
  if (!folder.empty()) c.folder = folder;
  return true;
}

}  // namespace zwicon::files
