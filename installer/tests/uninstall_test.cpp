// Uninstalling by the record: what Install made goes, what the user made stays, a bad record
// removes nothing, and what could not be removed is listed and stays recorded for a second run.
#include <gtest/gtest.h>
#include <windows.h>

#include "dde_recorder.h"
#include "dialog_answerer.h"
#include "fixtures.h"
#include "install_record.h"
#include "pump.h"
#include "registry_scope.h"
#include "uninstall.h"

namespace install::test {
namespace {

bool KeyExists(const std::string& path) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

// A silent installation with the StartUp item, Install.exe copied in, and a scheme of the user's.
struct Installed {
  DdeRecorder shell;
  TestInstall t;
  sw::test::RegistryScope scope;
  explicit Installed(const std::string& key) : t(key), scope(HKEY_LOCAL_MACHINE, t.env.settings.path) {
    t.env.shell.service = shell.Service();
    t.env.installerProgram = sw::test::HostToWinePath(INSTALL_EXE);
    FillMedium(t.medium.Path(), {"kvo_eng.dl_", "SCHEMES.KV_", "TINY.WA_", "Kurvo.ex_", "Liesmich.txt"});
    EXPECT_EQ(RunSilent(ParseCommandLine("/S /NOWIZARD /STARTUP /D=" + t.Target()), t.env), 0);
    sw::test::WriteFileBytes(Path("schemes\\mine.kvo"), "[App]\r\nName=Mine\r\n");
  }
  std::string Path(const std::string& relative) const { return t.Target() + "\\" + relative; }
};

TEST(Uninstall, RemovesWhatTheRecordListsKeepsTheUsersSchemeAndIsHarmlessTwice) {
  Installed in("Remove");
  ASSERT_TRUE(sw::test::FileExists(in.Path("install.exe")));
  ASSERT_TRUE(sw::test::FileExists(in.Path("install.rec")));
  // Kurvo adds values of its own at its first exit.
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, in.t.env.settings.path, "AlwaysOnTop", "1");
  size_t before = in.shell.Commands().size();

  InstallReport report = Uninstall(in.t.env, in.t.Target(), nullptr);
  EXPECT_TRUE(report.Ok()) << report.LogText();
  std::vector<std::string> commands = in.shell.Commands();
  std::vector<std::string> expected = {"[CreateGroup(StartUp)]", "[DeleteItem(Strokewise 32-bit)]",
                                       "[DeleteGroup(Strokewise)]"};
  EXPECT_EQ(std::vector<std::string>(commands.begin() + before, commands.end()), expected);
  for (const char* gone : {"kurvo.exe", "liesmich.txt", "install.exe", "install.rec", "system",
                           "sounds", "schemes\\schemes.kvo"}) {
    EXPECT_FALSE(sw::test::FileExists(in.Path(gone))) << gone;
  }
  EXPECT_EQ(Bytes(in.Path("schemes\\mine.kvo")), "[App]\r\nName=Mine\r\n");
  EXPECT_FALSE(KeyExists(in.t.env.settings.path));

  report = Uninstall(in.t.env, in.t.Target(), nullptr);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_NE(report.failures[0].find("kein Installationsprotokoll install.rec; es wurde nichts entfernt"),
            std::string::npos) << report.failures[0];
  EXPECT_TRUE(sw::test::FileExists(in.Path("schemes\\mine.kvo")));
}

TEST(Uninstall, ADamagedRecordRemovesNothingAndTheQuestionCanRemoveTheUsersSchemes) {
  Installed in("Damaged");
  std::string record = Bytes(in.Path("install.rec"));
  // A path leading out of the installation directory makes the whole record unusable.
  sw::test::WriteFileBytes(in.Path("install.rec"), record + "file=..\\..\\win.ini 00000000\r\n");
  InstallReport report = Uninstall(in.t.env, in.t.Target(), nullptr);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_NE(report.failures[0].find("ist besch\xE4" "digt (Zeile"), std::string::npos);
  EXPECT_TRUE(sw::test::FileExists(in.Path("kurvo.exe")));
  EXPECT_TRUE(KeyExists(in.t.env.settings.path));

  sw::test::WriteFileBytes(in.Path("install.rec"), record);
  std::string asked;
  report = Uninstall(in.t.env, in.t.Target(), [&](const std::string& files) {
    asked = files;
    return true;
  });
  EXPECT_TRUE(report.Ok()) << report.LogText();
  EXPECT_EQ(asked, "schemes\\mine.kvo\n");
  EXPECT_FALSE(sw::test::FileExists(in.t.Target()));
}

TEST(Uninstall, SettingsOfAnotherInstallationDirectoryStay) {
  Installed in("Elsewhere");
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, in.t.env.settings.path, "Directory", "d:\\Other");
  InstallReport report = Uninstall(in.t.env, in.t.Target(), nullptr);
  EXPECT_TRUE(report.Ok()) << report.LogText();
  EXPECT_TRUE(KeyExists(in.t.env.settings.path));
  EXPECT_FALSE(sw::test::FileExists(in.Path("kurvo.exe")));
}

TEST(Uninstall, AFileInUseIsListedWithExitCodeOneAndASecondRunFinishes) {
  Installed in("InUse");
  HANDLE held = CreateFileA(in.Path("system\\kvo_eng.dll").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CommandLine options = ParseCommandLine("/U /S /D=" + in.t.Target());
  EXPECT_EQ(RunUninstall(options, in.t.env), 1);
  std::string log = Bytes(UninstallLogPathFor(in.t.Target()));
  EXPECT_NE(log.find("kvo_eng.dll entfernen"), std::string::npos) << log;
  EXPECT_FALSE(sw::test::FileExists(in.Path("kurvo.exe")));
  CloseHandle(held);

  EXPECT_EQ(RunUninstall(options, in.t.env), 0) << Bytes(UninstallLogPathFor(in.t.Target()));
  EXPECT_FALSE(sw::test::FileExists(in.Path("system")));
  EXPECT_TRUE(sw::test::FileExists(in.Path("schemes\\mine.kvo")));
  log = Bytes(UninstallLogPathFor(in.t.Target()));
  EXPECT_EQ(log.find("entfernen"), std::string::npos) << log;
  EXPECT_NE(log.find("Hinweis: Ihre eigenen Schemata"), std::string::npos) << log;
}

TEST(Uninstall, TheDialogAsksFirstThenAboutTheUsersSchemesAndTellsTheResult) {
  Installed in("Dialog");
  CommandLine options = ParseCommandLine("/U /D=" + in.t.Target());
  sw::test::DialogAnswerer answers;
  answers.Queue(IDNO);  // not now
  EXPECT_EQ(RunUninstall(options, in.t.env), 1);
  EXPECT_TRUE(sw::test::FileExists(in.Path("kurvo.exe")));
  answers.Queue(IDYES);
  answers.Queue(IDNO);  // keep my schemes
  answers.Queue(IDOK);
  EXPECT_EQ(RunUninstall(options, in.t.env), 0);
  ASSERT_EQ(answers.Count(), 4u);
  EXPECT_EQ(answers.Seen()[1].text, "Soll Strokewise aus " + in.t.Target() + " entfernt werden?");
  EXPECT_NE(answers.Seen()[2].text.find("schemes\\mine.kvo\n"), std::string::npos);
  EXPECT_EQ(answers.Seen()[3].text.rfind("Strokewise wurde entfernt.\nIhre eigenen Schemata", 0), 0u)
      << answers.Seen()[3].text;
  EXPECT_TRUE(sw::test::FileExists(in.Path("schemes\\mine.kvo")));
  EXPECT_FALSE(sw::test::FileExists(in.Path("kurvo.exe")));

  // Once more: no question, only the reason why nothing can be removed.
  answers.Queue(IDOK);
  EXPECT_EQ(RunUninstall(options, in.t.env), 1);
  ASSERT_EQ(answers.Count(), 5u);
  EXPECT_EQ(answers.Seen()[4].text,
            "In " + in.t.Target() + " ist kein Installationsprotokoll install.rec; es wurde nichts entfernt");
}

TEST(Uninstall, RecordsRejectPathsAndNamesThatLeaveTheirPlace) {
  InstallRecord r;
  const std::string head = std::string(kRecordHeader) + "\r\n";
  std::string good = head + "file=system\\a.dll 0000abcd\r\nitem=StartUp|Strokewise 32-bit\r\n";
  EXPECT_EQ(ParseRecord(good, r, nullptr), RecordStatus::Ok);
  EXPECT_EQ(r.files.at(0).checksum, 0xabcdu);
  for (const char* bad : {"file=c:\\windows\\win.ini 00000000", "file=\\boot.ini 00000000",
                          "file=a.dll 123", "dir=..", "dir=system\\... \\x", "key=SOFTWARE",
                          "group=Accessories)][DeleteGroup(Games", "item=StartUp|x,y", "other=1"}) {
    EXPECT_EQ(ParseRecord(head + bad + "\r\n", r, nullptr), RecordStatus::Damaged) << bad;
  }
  EXPECT_EQ(ParseRecord("file=a.dll 00000000\r\n", r, nullptr), RecordStatus::Damaged);
}

}  // namespace
}  // namespace install::test
