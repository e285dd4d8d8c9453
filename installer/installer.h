// Install's steps without any window, shared by the dialog and the silent mode.
#pragma once
#include <functional>
#include <string>

#include "install_report.h"
#include "progman.h"
#include "settings_writer.h"

namespace install {

// Everything Install works with besides the user's choices: the medium directory, where the
// settings and program groups go, and how programs are started. The real platform by default;
// tests point each at something of their own.
struct InstallerEnvironment {
  std::string medium;  // the medium's directory, without a trailing backslash
  SettingsKey settings;
  ShellTarget shell;
  // Starts a command line in a normal window; returns WinExec's result (> 31 on success).
  std::function<unsigned(const std::string&)> startProgram;

  static InstallerEnvironment Real();
};

// The medium is the current directory. Started from elsewhere (a shortcut, another folder), the
// program's own folder is taken when only it holds the medium's language files.
std::string ChooseMediumDirectory(const std::string& current, const std::string& program);

// The longest target directory taken from the user.
constexpr size_t kMaxTargetLength = 254;

// The target directory from the user's text: cut to 254 characters, one trailing backslash removed.
std::string TargetFromInput(const std::string& text);

// Files and settings: copies the file groups and writes the settings key.
InstallReport InstallFilesAndSettings(const InstallerEnvironment& env, const std::string& target,
                                      int language);

// The program groups and items: the StartUp group first when `startUp`, then the suite's group.
void CreateProgramItems(const InstallerEnvironment& env, const std::string& target, bool startUp);

// The command line that starts the wizard on the quick-start pages of the language.
std::string WizardCommand(const std::string& target, int language);

}  // namespace install
