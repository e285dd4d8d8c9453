// Install's silent mode: Install.exe /S /D=<directory> /L=<code> [/STARTUP] [/NOWIZARD]
// runs the same steps as the dialog without any window and ends with exit code 0 on success and
// 1 with the failures written to "<directory>-install.log" beside the target directory (or to
// "Strokewise-install.log" in the temporary folder where that cannot be written). Notes of a
// successful run (schemes kept) go into the same log. A language is taken only when the medium
// has files for it, as in the dialog. Install.exe /U [/S] [/D=<directory>] uninstalls.
#pragma once
#include <string>

#include "installer.h"

namespace install {

struct CommandLine {
  bool silent = false;                // /S
  bool uninstall = false;             // /U
  bool directoryGiven = false;        // /D= was on the command line
  std::string directory = "c:\\Kurvo";  // /D=
  std::string language = "eng";       // /L=
  bool startUp = false;               // /STARTUP: answer the StartUp question with Yes
  bool noWizard = false;              // /NOWIZARD: do not start the wizard at the end
  std::string settingsKey;            // /KEY=: another settings key under HKLM (tests)
  std::string unknown;                // the first switch not understood
};

// Reads the switches (case does not matter). A value may be quoted; an unquoted /D= value runs
// up to the next switch, so a directory may contain blanks.
CommandLine ParseCommandLine(const std::string& text);

// Index of a language code of the shared table; -1 when it names none.
int LanguageIndexOfCode(const std::string& code);

// The log file of a failed silent installation into `target`.
std::string LogPathFor(const std::string& target);
// Where the log goes when no target was given or its log cannot be written: `name` in the
// system's temporary folder.
std::string TempLogPath(const std::string& name);
// Writes `text` to `log`, or else to the temporary folder's `fallbackName`; returns the path.
std::string WriteLogFile(const std::string& log, const std::string& fallbackName,
                         const std::string& text);

// Runs a silent installation; returns the process exit code.
int RunSilent(const CommandLine& options, InstallerEnvironment env);

}  // namespace install
