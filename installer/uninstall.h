// Removing an installation by its record: Install.exe /U [/S] [/D=<directory>].
// Ends a running Kurvo first, then removes what install.rec lists: the program group and the
// StartUp item (through the same DDE service), the settings values Install and Kurvo wrote and
// the key when nothing else is left in it, the installed files that are unchanged, and the
// folders that are then empty. Files the user added or changed stay (in the dialog a question
// offers to remove the user's schemes too). A missing or damaged record removes nothing.
#pragma once
#include <functional>
#include <string>

#include "install_report.h"
#include "installer.h"
#include "silent.h"

namespace install {

// Asks a running Kurvo (its window of `windowClass`) to end with command 114 and waits up to
// `waitMs` for its process to end. True when no Kurvo runs any more.
bool EndKurvo(const std::string& windowClass, DWORD waitMs);

// Removes the installation in `dir`. `removeUserSchemes` is asked, with the list of the user's
// own scheme files, whether to remove them too; null keeps them. `untouched` is set when it
// stopped before removing anything (no usable record, Kurvo still running).
InstallReport Uninstall(const InstallerEnvironment& env, const std::string& dir,
                        const std::function<bool(const std::string& files)>& removeUserSchemes,
                        bool* untouched = nullptr);

// The installation directory to remove: /D= when given, else the folder of Install.exe itself
// when it holds a record, else "Directory" of the settings key; empty when none is known.
std::string UninstallDirectory(const CommandLine& options, const InstallerEnvironment& env);

// True when `programDir`, the folder of Install.exe itself, is an installation directory (it
// holds a record and is no medium): Install.exe started there without arguments uninstalls.
bool IsInstallationDirectory(const std::string& programDir);

// The log file of a failed uninstallation of `dir`, beside it.
std::string UninstallLogPathFor(const std::string& dir);

// Install.exe /U: with /S without any window (exit code 0 when everything listed is gone, else
// 1 with the log beside the directory), else with a question first and a message at the end.
int RunUninstall(const CommandLine& options, InstallerEnvironment env);

}  // namespace install
