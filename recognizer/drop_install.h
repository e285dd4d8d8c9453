// Installing scheme files and language libraries dropped on the main window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace kurvo {

// Where a dropped file goes: the scheme or system directory with its base name and the expanded
// extension; empty when the extension is not accepted.
std::string DropDestination(const std::string& path, const std::string& schemeDir, const std::string& systemDir);
// Copies `source` to `destination`, expanding an LZ-compressed source; false when it failed.
bool ExpandCopy(const std::string& source, const std::string& destination);
void InstallDroppedFiles(HWND mainWindow, HDROP drop);

}  // namespace kurvo
