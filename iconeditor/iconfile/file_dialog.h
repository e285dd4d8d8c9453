// The file browser's place: Open and Save As ask for a file through this one function, which
// uses the platform's file dialogs.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace zwicon::files {

struct FileChoice {
  std::string title;
  std::string folder;       // where to start; updated to the folder of the chosen file
  std::string mask;         // "*.EXE *.DLL ..."
  std::string initialName;  // may be empty
  bool save = false;
  std::string fileName;  // the chosen file (a name without extension gets ".ICO")
  int iconIndex = 0;     // the icon of a program or library to open
};

// The platform's open or save dialog; false when cancelled.
bool ChooseFileWithDialog(FileChoice& choice, HWND owner);
// The mask as a dialog filter: "Icons and pictures" with the patterns joined by ';', then all files.
std::string DialogFilter(const std::string& mask);
// The folder part of a path without its trailing backslash (a drive root keeps it).
std::string FolderOf(const std::string& path);

}  // namespace zwicon::files
