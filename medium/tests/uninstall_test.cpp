// The whole way there and back on the built medium: Install.exe installs silently, Kurvo runs
// from the installation, and the installed copy of Install.exe removes it all again.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "child_process.h"
#include "pump.h"
#include "registry_scope.h"
#include "temp_dir.h"

namespace {

std::string Medium(const std::string& name) { return sw::test::HostToWinePath(MEDIUM_DIR "/" + name); }

bool KeyExists(const char* path) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

std::string ProgramsGroup() {
  char path[MAX_PATH] = {};
  return SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path) == S_OK ? std::string(path) + "\\Strokewise" : "";
}

TEST(MediumUninstall, InstallRunKurvoAndUninstallSilentlyFromTheInstalledCopy) {
  for (const char* f : {"Install.exe", "Kurvo.ex_", "kurvo.dl_", "kvo_eng.dl_"}) {
    if (!sw::test::FileExists(Medium(f))) GTEST_SKIP() << "no " << f << " on the medium of this build";
  }
  // Kurvo reads the real settings key.
  sw::test::RegistryScope key(HKEY_LOCAL_MACHINE, "SOFTWARE\\Strokewise\\System");
  sw::test::TempDir root;
  const std::string target = root.File("Strokewise");
  sw::test::ChildProcess install("\"" + Medium("Install.exe") + "\" /S /NOWIZARD /D=" + target, Medium(""));
  // Waiting handles this thread's messages: the shell's DDE start-up sends to every top-level window.
  ASSERT_EQ(install.Wait(60000), 0);
  ASSERT_TRUE(sw::test::FileExists(target + "\\install.exe"));
  ASSERT_TRUE(sw::test::FileExists(ProgramsGroup() + "\\Uninstall Strokewise.lnk"));
  sw::test::WriteFileBytes(target + "\\schemes\\mine.kvo", "[App]\r\nName=Mine\r\n");

  sw::test::ChildProcess kurvo("\"" + target + "\\Kurvo.exe\"", target);
  // Shown once its start-up (the splash) is over.
  ASSERT_TRUE(sw::test::PumpUntil([] {
    HWND h = FindWindowA("Strokewise", nullptr);
    return h && IsWindowVisible(h);
  }, 20000));

  sw::test::ChildProcess uninstall("\"" + target + "\\install.exe\" /U /S", root.Path());
  int code = uninstall.Wait(60000);
  std::string log;
  sw::test::ReadFileBytes(target + "-uninstall.log", &log);
  EXPECT_EQ(code, 0) << log;
  EXPECT_TRUE(kurvo.Ended());
  for (const char* gone : {"kurvo.exe", "install.exe", "install.rec", "system", "sounds", "liesmich.txt",
                           "schemes\\default.kvo"}) {
    EXPECT_FALSE(sw::test::FileExists(target + "\\" + gone)) << gone;
  }
  EXPECT_TRUE(sw::test::FileExists(target + "\\schemes\\mine.kvo"));
  EXPECT_FALSE(KeyExists("SOFTWARE\\Strokewise\\System"));
  EXPECT_FALSE(sw::test::FileExists(ProgramsGroup()));
}

}  // namespace
