#include "installer.h"

#include <windows.h>

#include <memory>

#include "file_groups.h"
#include "file_search.h"
#include "install_record.h"
#include "languages.h"
#include "medium_list.h"

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
  if (n > 0 && n < MAX_PATH) env.installerProgram = path;
  env.startProgram = [](const std::string& command) {
    return WinExec(command.c_str(), SW_SHOWNORMAL);
  };
  return env;
}

std::string TargetFromInput(const std::string& text) {
  return WithoutTrailingBackslash(text.substr(0, kMaxTargetLength));
}

namespace {

constexpr char kInstallerName[] = "install.exe";

// The record of the installation already in `target`, if it has a sound one.
bool PreviousRecord(const std::string& target, InstallRecord& previous) {
  return ReadRecord(target, previous, nullptr) == RecordStatus::Ok;
}

// Install.exe itself into the target, for the uninstall item.
void CopyInstaller(const std::string& program, const std::string& target, RecordWriter* record,
                   InstallReport& report) {
  if (program.empty()) return;
  const std::string copy = target + "\\" + kInstallerName;
  if (lstrcmpiA(program.c_str(), copy.c_str()) != 0 &&
      !CopyFileA(program.c_str(), copy.c_str(), FALSE)) {
    report.Fail("Datei Install.exe nach " + copy + " kopieren");
    return;
  }
  uint32_t sum = 0;
  if (record && FileChecksum(copy, sum)) record->File(kInstallerName, sum);
}

}  // namespace

InstallReport InstallFilesAndSettings(const InstallerEnvironment& env, const std::string& target,
                                      int language) {
  InstallReport report;
  // An incomplete medium changes nothing: every file it should hold is checked first.
  CheckMedium(env.medium, report);
  if (!report.Ok()) return report;
  InstallRecord previous;
  const bool reinstall = PreviousRecord(target, previous);
  std::unique_ptr<RecordWriter> record;
  if (MakeDirectoryPath(target)) {
    InstallRecord start = reinstall ? previous : InstallRecord();
    start.language = LanguageCode(language);
    record = std::make_unique<RecordWriter>(target, start);
    if (!record->Ok()) report.Fail("Datei " + target + "\\" + kRecordName + " schreiben");
  }
  CopyFileGroups(env.medium, target, report, record.get(), reinstall ? &previous : nullptr);
  CopyInstaller(env.installerProgram, target, record.get(), report);
  // Nothing goes into the registry before every file is in place: a failed installation leaves
  // the settings of an earlier, working one as they were.
  if (!report.Ok()) return report;
  std::vector<std::string> names;
  for (const auto& value : InitialSettings(target, language)) names.push_back(value.first);
  if (record && env.settings.root == HKEY_LOCAL_MACHINE) record->Key(env.settings.path, names);
  bool languageChosen = !reinstall || previous.language != LanguageCode(language);
  WriteInitialSettings(env.settings, target, language, report, languageChosen);
  return report;
}

void CreateProgramItems(const InstallerEnvironment& env, const std::string& target, bool startUp) {
  const std::string program = target + "\\Kurvo.exe";
  InstallRecord start;
  std::unique_ptr<RecordWriter> record;
  if (PreviousRecord(target, start)) record = std::make_unique<RecordWriter>(target, start);
  auto addItem = [&](const std::string& group, const std::string& command,
                     const std::string& name) {
    bool ok = AddProgramItem(env.shell, command, name);
    if (ok && record) record->Item(group, name);
    return ok;
  };
  // An item goes into the group created last, so a group the shell did not take gets no items.
  bool startUpMade = false;
  if (startUp) {
    startUpMade = CreateProgramGroup(env.shell, "StartUp");
    if (startUpMade) addItem("StartUp", program, "Strokewise 32-bit");
  }
  bool groupMade = CreateProgramGroup(env.shell, "Strokewise");
  if (groupMade) {
    if (record) record->Group("Strokewise");
    addItem("Strokewise", program, "Strokewise 32-bit");
    // A shell that takes only a program file as an item's command gets the text file itself,
    // which it opens with its editor.
    if (!addItem("Strokewise", "Notepad " + target + "\\Liesmich.txt", "Lies mich")) {
      addItem("Strokewise", target + "\\Liesmich.txt", "Lies mich");
    }
    // A shell that takes no arguments gets Install.exe alone, which uninstalls when it is
    // started without any from an installation directory.
    if (!addItem("Strokewise", UninstallCommand(target), "Uninstall Strokewise")) {
      addItem("Strokewise", target + "\\Install.exe", "Uninstall Strokewise");
    }
  }
  // Without windows: a folder window the shell opened on its own is closed again. It comes from
  // a process the shell starts, which can take seconds on a busy machine.
  if (!env.shell.showGroups && env.shell.service == "PROGMAN") {
    if (groupMade) CloseGroupWindow("Strokewise", 10000);
    if (startUpMade) CloseGroupWindow("StartUp", 2000);
  }
}

std::string UninstallCommand(const std::string& target) { return target + "\\Install.exe /U"; }

std::string WizardCommand(const std::string& target, int language) {
  return target + "\\system\\kvowiz.exe qcks_" + LanguageCode(language);
}

}  // namespace install
