// Install.exe: the installation dialog, or the silent installation with /S; /U uninstalls.
#include <windows.h>

#include "main_dialog.h"
#include "silent.h"
#include "uninstall.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  install::InstallerEnvironment env = install::InstallerEnvironment::Real();
  install::CommandLine options = install::ParseCommandLine(commandLine ? commandLine : "");
  if (options.uninstall) return install::RunUninstall(options, env);
  if (options.silent) return install::RunSilent(options, env);
  install::RunMainDialog(instance, env);
  return 0;
}
