#include "installer.h"

#include <windows.h>

#include "file_groups.h"
#include "file_search.h"
#include "languages.h"

namespace install {

std::string ChooseMediumDirectory(const std::string& current, const std::string& program) {
  if (!OfferedLanguages(current).empty() || program.empty()) return current;
  return OfferedLanguages(program).empty() ? current : program;
}

InstallerEnvironment InstallerEnvironment::Real() {
  InstallerEnvironment env;
  char dir[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
  std::string current = WithoutTrailingBackslash(n > 0 && n < MAX_PATH ? dir : ".");
  char path[MAX_PATH] = {};
  n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program = n > 0 && n < MAX_PATH ? ParentOf(path) : std::string();
  env.medium = ChooseMediumDirectory(current, program);
  env.startProgram = [](const std::string& command) {
    return WinExec(command.c_str(), SW_SHOWNORMAL);
  };
  return env;
}

std::string TargetFromInput(const std::string& text) {
  return WithoutTrailingBackslash(text.substr(0, kMaxTargetLength));
}

InstallReport InstallFilesAndSettings(const InstallerEnvironment& env, const std::string& target,
                                      int language) {
  InstallReport report;
  CopyFileGroups(env.medium, target, report);
  WriteInitialSettings(env.settings, target, language, report);
  return report;
}

void CreateProgramItems(const InstallerEnvironment& env, const std::string& target, bool startUp) {
  const std::string program = target + "\\Kurvo.exe";
  // An item goes into the group created last, so a group the shell did not take gets no items.
  bool startUpMade = false;
  if (startUp) {
    startUpMade = CreateProgramGroup(env.shell, "StartUp");
    if (startUpMade) AddProgramItem(env.shell, program, "Strokewise 32-bit");
  }
  bool groupMade = CreateProgramGroup(env.shell, "Strokewise");
  if (groupMade) {
    AddProgramItem(env.shell, program, "Strokewise 32-bit");
    // A shell that takes only a program file as an item's command gets the text file itself,
    // which it opens with its editor.
    if (!AddProgramItem(env.shell, "Notepad " + target + "\\Liesmich.txt", "Lies mich")) {
      AddProgramItem(env.shell, target + "\\Liesmich.txt", "Lies mich");
    }
  }
  // Without windows: a folder window the shell opened on its own is closed again. It comes from
  // a process the shell starts, which can take seconds on a busy machine.
  if (!env.shell.showGroups) {
    if (groupMade) CloseGroupWindow("Strokewise", 10000);
    if (startUpMade) CloseGroupWindow("StartUp", 2000);
  }
}

std::string WizardCommand(const std::string& target, int language) {
  return target + "\\system\\kvowiz.exe qcks_" + LanguageCode(language);
}

}  // namespace install
