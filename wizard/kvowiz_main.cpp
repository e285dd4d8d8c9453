// KvoWiz.exe: shows the quick-start pages named by its argument ("qcks_" + language code),
// read from the program's own folder.
#include <windows.h>

#include "paths.h"
#include "wizard_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  // The program's own folder; "." when its file name is unknown.
  std::string dir = sw::DirectoryPart(n > 0 && n < MAX_PATH ? path : ".\\");
  kvowiz::WizardStart start = kvowiz::PrepareWizard(dir, commandLine ? commandLine : "");
  if (!start.error.empty()) {
    MessageBoxA(nullptr, start.error.c_str(), "Strokewise Quick Start", MB_ICONERROR | MB_OK);
    return 1;
  }
  kvowiz::RunWizardDialog(instance, start.pages);
  return 0;
}
