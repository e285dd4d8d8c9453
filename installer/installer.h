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
  // Install.exe itself, copied into the target for the uninstall item; empty: no copy.
  std::string installerProgram;
  // The window class of a running Kurvo, asked to end before uninstalling.
  std::string kurvoClass = "Strokewise";

  static InstallerEnvironment Real();
};

// The medium is the current directory. Started from elsewhere (a shortcut, another folder), the
// program's own folder is taken when only it holds the medium's language files.
std::string ChooseMediumDirectory(const std::string& current, const std::string& program);

// The longest target directory taken from the user.
constexpr size_t kMaxTargetLength = 254;

// The target directory from the user's text: cut to 254 characters, one trailing backslash removed.
std::string TargetFromInput(const std::string& text);

// Files and settings: checks that the medium holds every file of its packing list (changing
// nothing when not), copies the file groups and Install.exe into the target, recording each
// one in the target's install.rec, and only when every file is in place writes the settings key.
InstallReport InstallFilesAndSettings(const InstallerEnvironment& env, const std::string& target,
                                      int language);

// The program groups and items: the StartUp group first when `startUp`, then the suite's group
// with Kurvo, the readme and the uninstall item. Each one made is added to the target's record.
void CreateProgramItems(const InstallerEnvironment& env, const std::string& target, bool startUp);

// The command line of the uninstall item.
std::string UninstallCommand(const std::string& target);

// The command line that starts the wizard on the quick-start pages of the language.
std::string WizardCommand(const std::string& target, int language);

}  // namespace install
