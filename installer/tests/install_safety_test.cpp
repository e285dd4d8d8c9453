// Install loses nothing: an incomplete medium, a target that cannot be made, a truncated file
// and a re-installation leave what was there intact, and every failure is reported.
#include <gtest/gtest.h>
#include <windows.h>

#include "dde_recorder.h"
#include "file_groups.h"
#include "fixtures.h"
#include "install_record.h"
#include "registry_scope.h"
#include "silent.h"

namespace install::test {
namespace {

std::string Setting(const std::string& key, const char* name) {
  return sw::test::RegString(HKEY_LOCAL_MACHINE, key, name);
}

int Silent(TestInstall& t, const std::string& target, const std::string& more = "") {
  return RunSilent(ParseCommandLine("/S /NOWIZARD /D=" + target + " " + more), t.env);
}

TEST(InstallSafety, AMediumMissingListedFilesInstallsNothingAndListsThem) {
  TestInstall t("Incomplete");
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(), {"qcks_eng.qk_", "SCHEMES.KV_"});
  ListOnMedium(t.medium.Path(), {"Kurvo.ex_", "kvo_eng.dl_"});
  EXPECT_EQ(Silent(t, t.Target()), 1);
  std::string log = Bytes(LogPathFor(t.Target()));
  EXPECT_NE(log.find("Datei Kurvo.ex_ fehlt auf dem Installationsmedium"), std::string::npos) << log;
  EXPECT_NE(log.find("Datei kvo_eng.dl_ fehlt"), std::string::npos) << log;
  EXPECT_FALSE(sw::test::FileExists(t.Target()));
  EXPECT_EQ(Setting(t.env.settings.path, "Directory"), "");

  // A medium without its packing list is incomplete too.
  DeleteFileA(t.medium.File("Install.lst").c_str());
  EXPECT_EQ(Silent(t, t.Target()), 1);
  EXPECT_NE(Bytes(LogPathFor(t.Target())).find("Inhaltsliste Install.lst fehlt"), std::string::npos);
}

TEST(InstallSafety, NothingReachesRegistryOrShellBeforeTheFilesAreInPlace) {
  DdeRecorder shell;
  ASSERT_TRUE(shell.Running());
  TestInstall t("Order");
  t.env.shell.service = shell.Service();
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "SCHEMES.KV_"});
  // A working installation in a folder whose parents did not exist: the whole path is made.
  std::string working = t.root.File("Programme\\Strokewise\\Kurvo");
  ASSERT_EQ(Silent(t, working), 0) << Bytes(LogPathFor(working));
  EXPECT_TRUE(sw::test::FileExists(working + "\\system\\kvo_eng.dll"));
  size_t commands = shell.Commands().size();
  EXPECT_GT(commands, 0u);

  // A second target that cannot be made (a file stands in its path) changes neither.
  sw::test::WriteFileBytes(t.root.File("blocker"), "x");
  EXPECT_EQ(Silent(t, t.root.File("blocker") + "\\Kurvo"), 1);
  EXPECT_EQ(Setting(t.env.settings.path, "Directory"), working);
  EXPECT_EQ(shell.Commands().size(), commands);
}

TEST(InstallSafety, ATruncatedFileLeavesNoHalfFileAndTheOldOneIntact) {
  TestInstall t("Truncated");
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "kvo_ger.dl_"});
  std::string packed = Bytes(t.medium.File("kvo_ger.dl_"));
  sw::test::WriteFileBytes(t.medium.File("kvo_ger.dl_"), packed.substr(0, packed.size() / 2));
  ASSERT_TRUE(MakeDirectoryPath(t.Target() + "\\system"));
  sw::test::WriteFileBytes(t.Target() + "\\system\\kvo_eng.dll", "old");
  InstallReport report;
  CopyFileGroups(t.medium.Path(), t.Target(), report);
  EXPECT_EQ(report.failures.size(), 1u) << report.LogText();
  EXPECT_FALSE(sw::test::FileExists(t.Target() + "\\system\\kvo_ger.dll"));
  EXPECT_TRUE(Bytes(t.Target() + "\\system\\kvo_eng.dll") == Bytes(OriginalsDir() + "\\kvo_eng.dll"));
  // A missing source fails the same way and keeps the file it would have replaced.
  sw::test::WriteFileBytes(t.root.File("keep.dll"), "mine");
  EXPECT_FALSE(ExpandFile(t.medium.File("none.dl_"), t.root.File("keep.dll")));
  EXPECT_EQ(Bytes(t.root.File("keep.dll")), "mine");
  WIN32_FIND_DATAA fd{};
  HANDLE left = FindFirstFileA((t.Target() + "\\system\\*.tmp").c_str(), &fd);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE) << fd.cFileName;
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

TEST(InstallSafety, ReinstallingKeepsTheUsersSchemesAndSettingsAndSaysSo) {
  TestInstall t("Reinstall");
  sw::test::RegistryScope scope(HKEY_LOCAL_MACHINE, t.env.settings.path);
  FillMedium(t.medium.Path(), {"kvo_eng.dl_", "SCHEMES.KV_", "TINY.WA_"});
  ASSERT_EQ(Silent(t, t.Target()), 0);
  const std::string scheme = t.Target() + "\\schemes\\schemes.kvo";
  sw::test::WriteFileBytes(scheme, "[App]\r\nName=Mine\r\n");
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, t.env.settings.path, "AutoHide", "0");
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, t.env.settings.path, "SoundName", "ding.wav");
  sw::test::WriteFileBytes(t.Target() + "\\sounds\\tiny.wav", "damaged");

  ASSERT_EQ(Silent(t, t.Target()), 0);
  EXPECT_EQ(Bytes(scheme), "[App]\r\nName=Mine\r\n");
  EXPECT_NE(Bytes(LogPathFor(t.Target())).find("schemes\\schemes.kvo wurde beibehalten"),
            std::string::npos);
  EXPECT_EQ(Setting(t.env.settings.path, "AutoHide"), "0");
  EXPECT_EQ(Setting(t.env.settings.path, "SoundName"), "ding.wav");
  EXPECT_EQ(Bytes(t.Target() + "\\sounds\\tiny.wav"), "RIFF tiny");  // program files are renewed

  // A scheme the user left as installed is renewed without a word; another language is taken.
  sw::test::WriteFileBytes(scheme, Bytes(OriginalsDir() + "\\SCHEMES.KVO"));
  FillMedium(t.medium.Path(), {"kvo_ger.dl_"});
  ASSERT_EQ(Silent(t, t.Target(), "/L=ger"), 0);
  EXPECT_FALSE(sw::test::FileExists(LogPathFor(t.Target())));
  EXPECT_EQ(Setting(t.env.settings.path, "KLLanguage"), "1");
  EXPECT_EQ(Setting(t.env.settings.path, "AutoHide"), "0");
}

TEST(InstallSafety, WithoutATargetTheLogGoesToTheTemporaryFolderNotTheMedium) {
  TestInstall t("NoTarget");
  FillMedium(t.medium.Path(), {"kvo_eng.dl_"});
  std::string temp = TempLogPath("Strokewise-install.log");
  DeleteFileA(temp.c_str());
  EXPECT_EQ(RunSilent(ParseCommandLine("/S /D="), t.env), 1);
  EXPECT_NE(Bytes(temp).find("Kein Zielverzeichnis angegeben"), std::string::npos);
  EXPECT_FALSE(sw::test::FileExists("Install.log"));
  DeleteFileA(temp.c_str());
}

}  // namespace
}  // namespace install::test
