// Install.exe: the installation dialog, or the silent installation with /S; /U uninstalls.
#include <windows.h>

#include <string>

#include "file_search.h"
#include "main_dialog.h"
#include "silent.h"
#include "uninstall.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  install::InstallerEnvironment env = install::InstallerEnvironment::Real();
  std::string arguments = commandLine ? commandLine : "";
  install::CommandLine options = install::ParseCommandLine(arguments);
  // The copy in an installation directory, started without arguments (the shell's uninstall
  // item where it takes none), uninstalls.
  if (arguments.find_first_not_of(" \t") == std::string::npos &&
      install::IsInstallationDirectory(install::ParentOf(env.installerProgram))) {
    options.uninstall = true;
  }
  if (options.uninstall) return install::RunUninstall(options, env);
  if (options.silent) return install::RunSilent(options, env);
  install::RunMainDialog(instance, env);
  return 0;
}
