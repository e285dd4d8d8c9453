#include "uninstall.h"

#include <windows.h>

#include <algorithm>

#include "file_search.h"
#include "handles.h"
#include "install_record.h"
#include "medium_list.h"
#include "paths.h"
#include "progman.h"
#include "settings_writer.h"

namespace install {

namespace {

constexpr UINT kKurvoShutdownCommand = 114;
constexpr char kInstallerName[] = "install.exe";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SystemError(DWORD code) {
  if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION)
    return " (wird verwendet oder ist gesch\xFCtzt)";
  return " (Fehler " + std::to_string(code) + ")";
}

std::string ProgramFile() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? path : "";
}

// Removes the groups Install created and its items in groups of the system (StartUp). What the
// shell refused but no longer has counts as removed. What stays is kept in `left`.
void RemoveProgramItems(const InstallerEnvironment& env, const InstallRecord& record,
                        InstallRecord& left, InstallReport& report) {
  for (const auto& i : record.items) {
    bool ownGroup = false;
    for (const auto& g : record.groups) ownGroup = ownGroup || g == i.group;
    if (ownGroup) continue;  // goes with its group
    if (!DeleteProgramItem(env.shell, i.group, i.item)) {
      report.Fail("Eintrag " + i.item + " in der Gruppe " + i.group + " entfernen");
      left.AddItem(i.group, i.item);
    }
  }
  for (const auto& g : record.groups) {
    if (!DeleteProgramGroup(env.shell, g)) {
      report.Fail("Programmgruppe " + g + " entfernen");
      left.AddUnique(left.groups, g);
      for (const auto& i : record.items) {
        if (i.group == g) left.AddItem(i.group, i.item);
      }
    }
  }
}

// Whether two paths name one folder, whatever their letter case or short and long forms.
bool SameFolder(const std::string& a, const std::string& b) {
  auto full = [](const std::string& p) {
    char longName[MAX_PATH] = {};
    DWORD n = GetLongPathNameA(p.c_str(), longName, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(longName) : p;
  };
  return lstrcmpiA(full(a).c_str(), full(b).c_str()) == 0;
}

// "Directory" of a settings key, without a trailing backslash; false when there is none.
bool ReadDirectoryValue(HKEY root, const std::string& path, std::string& out) {
  sw::RegKey k;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return false;
  char text[512] = {};
  DWORD size = sizeof text - 1, type = 0;
  if (RegQueryValueExA(k.get(), "Directory", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ || !text[0])
    return false;
  out = TargetFromInput(text);
  return true;
}

bool KeyIsEmpty(HKEY k) {
  DWORD subkeys = 0, values = 0;
  return RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

// Deletes `path` below HKEY_LOCAL_MACHINE when nothing is left in it; true when it is gone.
bool DeleteKeyWhenEmpty(const std::string& path) {
  {
    sw::RegKey k;
    LONG open = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, k.put());
    if (open == ERROR_FILE_NOT_FOUND) return true;
    if (open != ERROR_SUCCESS || !KeyIsEmpty(k.get())) return false;
  }
  return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) == ERROR_SUCCESS;
}

// The values Install wrote and Kurvo's own; then the key when nothing else is in it, and the
// suite's vendor key above it when that is empty too. Keys of other programs are never touched.
void RemoveSettings(const std::string& dir, const InstallRecord& record, InstallRecord& left,
                    InstallReport& report) {
  if (record.key.empty()) return;
  // Settings that name another installation directory belong to that installation.
  std::string directory;
  if (ReadDirectoryValue(HKEY_LOCAL_MACHINE, record.key, directory) && !SameFolder(directory, dir)) {
    report.Note("Die Einstellungen geh\xF6ren zur Installation in " + directory +
                " und bleiben erhalten");
    return;
  }
  std::vector<std::string> names = record.values;
  for (const auto& n : KurvoOwnValueNames()) left.AddUnique(names, n);
  bool valuesGone = true;
  {
    sw::RegKey k;
    LONG open = RegOpenKeyExA(HKEY_LOCAL_MACHINE, record.key.c_str(), 0, KEY_ALL_ACCESS, k.put());
    if (open == ERROR_FILE_NOT_FOUND) return;
    if (open != ERROR_SUCCESS) {
      report.Fail("Registrierungsschl\xFCssel " + record.key + " \xF6" "ffnen" + SystemError(open));
      left.key = record.key;
      left.values = record.values;
      return;
    }
    for (const auto& name : names) {
      LONG r = RegDeleteValueA(k.get(), name.c_str());
      if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) {
        report.Fail("Registrierungswert " + name + " entfernen" + SystemError(r));
        left.AddUnique(left.values, name);
        valuesGone = false;
      }
    }
  }
  if (!valuesGone) {
    left.key = record.key;
    return;
  }
  // Values of others keep the key; that is no failure.
  if (DeleteKeyWhenEmpty(record.key)) {
    std::string parent = ParentOf(record.key);
    if (lstrcmpiA(sw::FilePart(parent).c_str(), "Strokewise") == 0)
      DeleteKeyWhenEmpty(parent);
  }
}

// Reads the record of `dir`; the message why it cannot be used, or "".
std::string ReadUsableRecord(const std::string& dir, InstallRecord& record) {
  std::string problem;
  switch (ReadRecord(dir, record, &problem)) {
    case RecordStatus::Missing:
      return "In " + dir + " ist kein Installationsprotokoll " + kRecordName +
             "; es wurde nichts entfernt";
    case RecordStatus::Damaged:
      return "Das Installationsprotokoll " + dir + "\\" + kRecordName + " ist besch\xE4" +
             "digt (" + problem + "); es wurde nichts entfernt";
    case RecordStatus::Ok: break;
  }
  return std::string();
}

bool UnderSchemes(const std::string& relative) { return relative.rfind("schemes\\", 0) == 0; }

// Deletes a file; a file still there afterwards is in use (some systems delete it only once it
// is closed) and counts as not removed.
bool RemoveFile(const std::string& path, DWORD& error) {
  if (!DeleteFileA(path.c_str())) error = GetLastError();
  if (!Exists(path)) return true;
  if (!error) error = ERROR_SHARING_VIOLATION;
  return false;
}

// A running program cannot be deleted, but it can be moved: Install.exe, running from the
// installation directory, moves itself to the temporary folder (or beside the directory, on
// another drive), where it is deleted at the next start of the system.
bool MoveProgramAway(const std::string& self, const std::string& dir) {
  std::string name = "Strokewise-uninstall-" + std::to_string(GetCurrentProcessId()) + ".tmp";
  for (const std::string& place : {TempLogPath(name), ParentOf(dir) + "\\" + name}) {
    if (place == name || ParentOf(place).empty()) continue;
    if (MoveFileExA(self.c_str(), place.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      MoveFileExA(place.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
      return true;
    }
  }
  return false;
}

}  // namespace

bool EndKurvo(const std::string& windowClass, DWORD waitMs) {
  DWORD start = GetTickCount();
  for (int asked = 0; asked < 4; ++asked) {
    HWND kurvo = FindWindowA(windowClass.c_str(), nullptr);
    if (!kurvo) return true;
    DWORD pid = 0;
    GetWindowThreadProcessId(kurvo, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(kurvo, WM_COMMAND, kKurvoShutdownCommand, 0);
    DWORD elapsed = GetTickCount() - start;
    DWORD left = elapsed < waitMs ? waitMs - elapsed : 0;
    if (process) {
      // Kurvo saves its settings while it ends: only after it is gone may they be removed.
      DWORD r = WaitForSingleObject(process, left);
      CloseHandle(process);
      if (r != WAIT_OBJECT_0) return false;
    } else {
      for (DWORD t = 0; t < left && IsWindow(kurvo); t += 50) Sleep(50);
      if (IsWindow(kurvo)) return false;
    }
  }
  return FindWindowA(windowClass.c_str(), nullptr) == nullptr;
}

InstallReport Uninstall(const InstallerEnvironment& env, const std::string& dir,
                        const std::function<bool(const std::string& files)>& removeUserSchemes,
                        bool* untouched) {
  InstallReport report;
  if (untouched) *untouched = true;
  InstallRecord record;
  std::string unusable = ReadUsableRecord(dir, record);
  if (!unusable.empty()) {
    report.Fail(unusable);
    return report;
  }
  if (!EndKurvo(env.kurvoClass, 15000)) {
    report.Fail("Strokewise l\xE4uft noch und lie\xDF sich nicht beenden; es wurde nichts entfernt");
    return report;
  }

  if (untouched) *untouched = false;

  // Installed files are those still as Install left them; a changed or added file is the user's.
  std::vector<std::string> remove;
  std::string userSchemes;
  InstallRecord left;
  left.language = record.language;
  for (const auto& f : record.files) {
    uint32_t sum = 0;
    std::string path = dir + "\\" + f.path;
    if (!Exists(path)) continue;
    if (!FileChecksum(path, sum)) {
      // Held open by another program: neither checked nor removed, and it stays recorded.
      report.Fail("Datei " + path + " entfernen" + SystemError(GetLastError()));
      left.AddFile(f.path, f.checksum);
    } else if (sum == f.checksum) {
      remove.push_back(f.path);
    } else if (UnderSchemes(f.path)) {
      userSchemes += f.path + "\n";
    } else {
      report.Note("Die ge\xE4nderte Datei " + f.path + " wurde nicht entfernt");
    }
  }
  for (const std::string& name : FindFiles(dir + "\\schemes", "*")) {
    std::string relative = "schemes\\" + LowerCase(name);
    if (!record.FindFile(relative)) userSchemes += relative + "\n";
  }
  bool removeSchemes = !userSchemes.empty() && removeUserSchemes && removeUserSchemes(userSchemes);
  if (removeSchemes) {
    for (const std::string& name : FindFiles(dir + "\\schemes", "*")) {
      std::string relative = "schemes\\" + LowerCase(name);
      bool listed = false;
      for (const auto& r : remove) listed = listed || r == relative;
      if (!listed) remove.push_back(relative);
    }
  } else if (!userSchemes.empty()) {
    report.Note("Ihre eigenen Schemata im Ordner " + dir + "\\schemes wurden beibehalten");
  }

  RemoveProgramItems(env, record, left, report);
  RemoveSettings(dir, record, left, report);

  // The running copy of Install.exe goes last, and only when all else went: otherwise it stays
  // for removing again.
  const std::string self = ProgramFile();
  bool selfPending = false;
  for (const auto& relative : remove) {
    std::string path = dir + "\\" + relative;
    if (relative == kInstallerName && lstrcmpiA(path.c_str(), self.c_str()) == 0) {
      selfPending = true;
      continue;
    }
    DWORD error = 0;
    if (!RemoveFile(path, error)) {
      report.Fail("Datei " + path + " entfernen" + SystemError(error));
      const RecordedFile* f = record.FindFile(relative);
      if (f) left.AddFile(f->path, f->checksum);
    }
  }
  if (selfPending && (!report.Ok() || !MoveProgramAway(self, dir))) {
    if (report.Ok()) report.Fail("Datei " + self + " entfernen" + SystemError(GetLastError()));
    const RecordedFile* f = record.FindFile(kInstallerName);
    if (f) left.AddFile(f->path, f->checksum);
  }
  for (const auto& d : record.dirs) {
    if (RemoveDirectoryA((dir + "\\" + d).c_str())) continue;
    if (Exists(dir + "\\" + d)) left.AddUnique(left.dirs, d);  // still holds the user's files
  }

  if (!report.Ok()) {
    // What is left stays recorded, so that removing again finishes the work.
    WriteRecord(dir, left);
    return report;
  }
  DeleteFileA((dir + "\\" + kRecordName).c_str());
  // A folder that is the current one cannot be removed (the uninstall item starts there).
  char current[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(MAX_PATH, current);
  if (n > 0 && n < MAX_PATH && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, current,
                                              static_cast<int>(std::min<size_t>(n, dir.size())),
                                              dir.c_str(), static_cast<int>(dir.size())) == 2) {
    SetCurrentDirectoryA(ParentOf(dir).empty() ? "\\" : (ParentOf(dir) + "\\").c_str());
  }
  RemoveDirectoryA(dir.c_str());  // stays when it holds the user's files
  return report;
}

std::string UninstallDirectory(const CommandLine& options, const InstallerEnvironment& env) {
  if (options.directoryGiven) return TargetFromInput(options.directory);
  std::string own = ParentOf(ProgramFile());
  if (!own.empty() && Exists(own + "\\" + kRecordName)) return own;
  std::string directory;
  return ReadDirectoryValue(env.settings.root, env.settings.path, directory) ? directory : "";
}

bool IsInstallationDirectory(const std::string& programDir) {
  return !programDir.empty() && Exists(programDir + "\\" + kRecordName) &&
         !Exists(programDir + "\\" + kPackingListName);
}

std::string UninstallLogPathFor(const std::string& dir) { return dir + "-uninstall.log"; }

int RunUninstall(const CommandLine& options, InstallerEnvironment env) {
  if (!options.settingsKey.empty()) env.settings.path = options.settingsKey;
  const bool silent = options.silent;
  env.shell.showGroups = false;
  std::string dir = UninstallDirectory(options, env);
  InstallReport report;
  bool untouched = true;
  if (!options.unknown.empty()) {
    report.Fail("Unbekannter Schalter " + options.unknown);
  } else if (dir.empty()) {
    report.Fail("Kein Installationsverzeichnis von Strokewise gefunden; es wurde nichts entfernt");
  } else if (InstallRecord record; !silent && !ReadUsableRecord(dir, record).empty()) {
    report.Fail(ReadUsableRecord(dir, record));  // said at once, before any question
  } else if (!silent &&
             MessageBoxA(nullptr, ("Soll Strokewise aus " + dir + " entfernt werden?").c_str(),
                         "Strokewise", MB_ICONQUESTION | MB_YESNO) != IDYES) {
    return 1;
  } else {
    auto ask = [&](const std::string& files) {
      std::string text = "Im Ordner " + dir + "\\schemes liegen Schemata, die Sie selbst "
                         "angelegt oder ge\xE4ndert haben:\n" + files +
                         "Sollen diese ebenfalls entfernt werden?";
      return MessageBoxA(nullptr, text.c_str(), "Strokewise",
                         MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) == IDYES;
    };
    report = Uninstall(env, dir, silent ? nullptr : std::function<bool(const std::string&)>(ask),
                       &untouched);
  }
  std::string log = dir.empty() ? std::string() : UninstallLogPathFor(dir);
  if (silent) {
    if (!report.Ok() || !report.notes.empty()) {
      WriteLogFile(log, "Strokewise-uninstall.log", report.LogText());
    } else if (!log.empty()) {
      DeleteFileA(log.c_str());
    }
  } else if (!report.Ok() && untouched) {
    MessageBoxA(nullptr, report.failures.front().c_str(), "Strokewise", MB_ICONERROR | MB_OK);
  } else if (!report.Ok()) {
    MessageBoxA(nullptr,
                report.FailureList("Strokewise wurde nicht vollst\xE4ndig entfernt. Folgendes ist "
                                   "fehlgeschlagen:").c_str(),
                "Strokewise", MB_ICONERROR | MB_OK);
  } else {
    MessageBoxA(nullptr, ("Strokewise wurde entfernt." + report.NotesText()).c_str(), "Strokewise",
                MB_ICONINFORMATION | MB_OK);
  }
  return report.Ok() ? 0 : 1;
}

}  // namespace install
