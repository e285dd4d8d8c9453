// The silent mode, in process and as Install.exe end to end.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "fixtures.h"
#include "pump.h"
#include "registry_scope.h"
#include "silent.h"

namespace install::test {
namespace {

std::string Setting(const std::string& key, const char* name) {
  return sw::test::RegString(HKEY_LOCAL_MACHINE, key, name);
}

TEST(Silent, InstallsAndStartsTheWizardUnlessTold) {
  TestInstall t("SilentOk");
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "Kurvo.ex_"});
  CommandLine options = ParseCommandLine("/S /D=" + t.Target() + "\\ /L=eng");
  EXPECT_EQ(RunSilent(options, t.env), 0);
  EXPECT_EQ(Setting(t.env.settings.path, "Directory"), t.Target());
  EXPECT_TRUE(sw::test::FileExists(t.Target() + "\\kurvo.exe"));
  ASSERT_EQ(t.started.size(), 1u);
  EXPECT_EQ(t.started[0], t.Target() + "\\system\\kvowiz.exe qcks_eng");
  EXPECT_FALSE(sw::test::FileExists(LogPathFor(t.Target())));

  t.started.clear();
  options.noWizard = true;
  EXPECT_EQ(RunSilent(options, t.env), 0);
  EXPECT_TRUE(t.started.empty());
}

TEST(Silent, FailuresGiveExitCodeOneAndALogBesideTheTarget) {
  TestInstall t("SilentFail");
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(), {"kvo_eng.dl_"});
  // A file where the target directory would be: nothing can be created in it.
  sw::test::WriteFileBytes(t.Target(), "in the way");
  EXPECT_EQ(RunSilent(ParseCommandLine("/S /D=" + t.Target()), t.env), 1);
  std::string log = Bytes(LogPathFor(t.Target()));
  EXPECT_NE(log.find("Verzeichnis " + t.Target() + " anlegen\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("kvo_eng.dl_"), std::string::npos) << log;
  EXPECT_TRUE(t.started.empty());

  // A language code that names no language installs nothing.
  DeleteFileA(t.Target().c_str());
  EXPECT_EQ(RunSilent(ParseCommandLine("/S /L=xyz /D=" + t.Target()), t.env), 1);
  EXPECT_NE(Bytes(LogPathFor(t.Target())).find("Unbekannte Sprache xyz"), std::string::npos);
  EXPECT_FALSE(sw::test::FileExists(t.Target()));

  // Nor does a language the medium has no files for (Danish is never offered).
  for (const char* code : {"ger", "dan"}) {
    EXPECT_EQ(RunSilent(ParseCommandLine(std::string("/S /L=") + code + " /D=" + t.Target()), t.env), 1);
    EXPECT_NE(Bytes(LogPathFor(t.Target())).find(std::string("Sprache ") + code + " ist auf dem"),
              std::string::npos);
    EXPECT_FALSE(sw::test::FileExists(t.Target()));
  }
}

// Runs Install.exe in `dir` and returns its exit code (-1 when it did not end in time).
int RunInstallExe(const std::string& arguments, const std::string& dir) {
  std::string command = "\"" + sw::test::HostToWinePath(INSTALL_EXE) + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &si, &pi)) {
    return -2;
  }
  // Messages are pumped meanwhile: the shell's DDE start-up sends to every top-level window.
  DWORD code = static_cast<DWORD>(-1);
  if (sw::test::PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; },
                          60000)) {
    GetExitCodeProcess(pi.hProcess, &code);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

std::string ProgramsFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetFolderPathA(nullptr, csidl, nullptr, 0, path) == S_OK ? path : "";
}

TEST(Silent, InstallExeEndToEndWithTheShellsProgramGroup) {
  TestInstall t("SilentExe");
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(),
             {"kvo_eng.dl_", "kvo_ger.hl_", "Kurvo.ex_", "SCHEMES.KV_", "Liesmich.txt"});
  std::string args = "/S /L=ger /NOWIZARD /KEY=" + t.env.settings.path + " /D=" + t.Target();
  ASSERT_EQ(RunInstallExe(args, t.medium.Path()), 0);
  EXPECT_EQ(Setting(t.env.settings.path, "Directory"), t.Target());
  EXPECT_EQ(Setting(t.env.settings.path, "KLLanguage"), "1");
  EXPECT_EQ(Setting(t.env.settings.path, "HelpFile"), "kvo_ger.hlp");
  EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, t.env.settings.path, "AutoHide"), 512);
  EXPECT_TRUE(Bytes(t.Target() + "\\kurvo.exe") == Bytes(OriginalsDir() + "\\Kurvo.exe"));
  EXPECT_TRUE(sw::test::FileExists(t.Target() + "\\system\\kvo_ger.hlp"));
  EXPECT_TRUE(sw::test::FileExists(t.Target() + "\\schemes\\schemes.kvo"));

  // The shell's own Program Manager service made the group's shortcuts.
  bool found = false;
  for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
    std::string group = ProgramsFolder(csidl) + "\\Strokewise\\";
    if (sw::test::FileExists(group + "Strokewise 32-bit.lnk") &&
        sw::test::FileExists(group + "Lies mich.lnk")) {
      found = true;
    }
  }
  EXPECT_TRUE(found);
  // The folder window the shell opened for the new group was closed again: no window is left.
  HWND folder = FindWindowA("ExplorerWClass", "Strokewise");
  EXPECT_FALSE(folder);
  if (folder) PostMessageA(folder, WM_CLOSE, 0, 0);  // it would keep the desktop alive

  // The same run into a place that cannot be created fails with a log.
  std::string bad = t.root.File("file");
  sw::test::WriteFileBytes(bad, "x");
  EXPECT_EQ(RunInstallExe("/S /NOWIZARD /KEY=" + t.env.settings.path + " /D=" + bad,
                          t.medium.Path()), 1);
  EXPECT_FALSE(Bytes(LogPathFor(bad)).empty());
}

}  // namespace
}  // namespace install::test
