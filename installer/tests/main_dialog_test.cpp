// The installation dialog, created hidden in the test process and driven like a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include "dde_recorder.h"
#include "dialog_answerer.h"
#include "fixtures.h"
#include "install_ids.h"
#include "main_dialog.h"
#include "pump.h"
#include "registry_scope.h"

namespace install::test {
namespace {

using sw::test::DialogAnswerer;
using sw::test::WindowText;

std::string ListEntry(HWND dlg, int index) {
  char text[64] = {};
  SendDlgItemMessageA(dlg, IDC_LANGUAGES, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string Setting(const TestInstall& t, const char* name) {
  std::string value;
  sw::test::GetRegString(HKEY_LOCAL_MACHINE, t.env.settings.path, name, &value);
  return value;
}

// The message boxes seen, without the installation dialog's own activations.
std::vector<sw::test::SeenDialog> Boxes(const DialogAnswerer& answers) {
  std::vector<sw::test::SeenDialog> boxes;
  for (const auto& seen : answers.Seen()) {
    if (seen.caption == "Strokewise") boxes.push_back(seen);
  }
  return boxes;
}

void Click(HWND dlg, int id) {
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// One dialog over a test medium, with its settings key cleared before and after.
struct DialogRun {
  TestInstall t;
  sw::test::RegistryScope scope;
  HWND dlg = nullptr;

  DialogRun(const std::string& key, std::initializer_list<const char*> medium)
      : t(key), scope(HKEY_LOCAL_MACHINE, t.env.settings.path) {
    FillMedium(t.medium.Path(), medium);
  }
  HWND Open() {
    dlg = CreateMainDialog(GetModuleHandleA(nullptr), t.env);
    return dlg;
  }
  // Answers the boxes Install shows, leaving the installation dialog itself alone.
  void Answer(DialogAnswerer& answers) {
    HWND self = dlg;
    answers.OnDialog([self](HWND h) { return h == self ? -1 : 0; });
  }
  ~DialogRun() {
    if (dlg && IsWindow(dlg)) DestroyWindow(dlg);
  }
};

TEST(MainDialog, ListsTheMediumLanguagesSortedWithTheFirstSelected) {
  DialogRun run("List", {"kvo_eng.dl_", "kvo_ger.dl_", "kvo_ger.hl_"});
  HWND dlg = run.Open();
  ASSERT_TRUE(dlg);
  EXPECT_EQ(WindowText(dlg), "Strokewise Install");
  ASSERT_EQ(SendDlgItemMessageA(dlg, IDC_LANGUAGES, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ListEntry(dlg, 0), "Deutsch");
  EXPECT_EQ(ListEntry(dlg, 1), "English");
  EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_LANGUAGES, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_DIRECTORY)), "c:\\Kurvo");
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_INSTALL)), "Installieren");
  EXPECT_EQ(WindowText(GetDlgItem(dlg, IDC_STATUS)), "");
}

TEST(MainDialog, InstallingGermanWritesItsLanguageAndStartsTheWizard) {
  DialogRun run("German", {"kvo_eng.dl_", "kvo_ger.dl_", "kvo_ger.hl_"});
  HWND dlg = run.Open();
  SetDlgItemTextA(dlg, IDC_DIRECTORY, run.t.Target().c_str());
  DialogAnswerer answers;
  run.Answer(answers);
  answers.Queue(IDNO);  // StartUp question
  answers.Queue(IDOK);  // success
  Click(dlg, IDC_INSTALL);

  ASSERT_EQ(Boxes(answers).size(), 2u);
  EXPECT_EQ(Boxes(answers)[0].caption, "Strokewise");
  EXPECT_EQ(Boxes(answers)[0].text.rfind("Strokewise ist ein residentes Programm", 0), 0u);
  EXPECT_EQ(Boxes(answers)[1].text.rfind("Strokewise wurde erfolgreich installiert", 0), 0u);
  EXPECT_EQ(Setting(run.t, "Language"), "1");
  EXPECT_EQ(Setting(run.t, "KLLanguage"), "1");
  EXPECT_EQ(Setting(run.t, "HelpFile"), "kvo_ger.hlp");
  EXPECT_EQ(Setting(run.t, "Directory"), run.t.Target());
  for (const char* f : {"kvo_eng.dll", "kvo_ger.dll", "kvo_ger.hlp"}) {
    EXPECT_TRUE(sw::test::FileExists(run.t.Target() + "\\system\\" + f)) << f;
  }
  ASSERT_EQ(run.t.started.size(), 1u);
  EXPECT_EQ(run.t.started[0], run.t.Target() + "\\system\\kvowiz.exe qcks_ger");
  EXPECT_FALSE(IsWindow(dlg));
}

TEST(MainDialog, SwedishWithATrailingBackslash) {
  DialogRun run("Swedish", {"kvo_eng.dl_", "kvo_swe.dl_"});
  HWND dlg = run.Open();
  SendDlgItemMessageA(dlg, IDC_LANGUAGES, LB_SELECTSTRING, -1,
                      reinterpret_cast<LPARAM>("Swedish"));
  SetDlgItemTextA(dlg, IDC_DIRECTORY, (run.t.Target() + "\\").c_str());
  DialogAnswerer answers;
  run.Answer(answers);
  answers.Queue(IDNO);
  answers.Queue(IDOK);
  Click(dlg, IDC_INSTALL);
  EXPECT_EQ(Setting(run.t, "Language"), "7");
  EXPECT_EQ(Setting(run.t, "HelpFile"), "kvo_swe.hlp");
  EXPECT_EQ(Setting(run.t, "Directory"), run.t.Target());
  EXPECT_TRUE(sw::test::FileExists(run.t.Target() + "\\system\\kvo_swe.dll"));
  ASSERT_EQ(run.t.started.size(), 1u);
  EXPECT_EQ(run.t.started[0], run.t.Target() + "\\system\\kvowiz.exe qcks_swe");
}

TEST(MainDialog, ACorruptFileShowsTheFailureInsteadOfSuccess) {
  DialogRun run("Failure", {"kvo_eng.dl_", "SCHEMES.KV_"});
  std::string packed = Bytes(run.t.medium.File("kvo_eng.dl_"));
  sw::test::WriteFileBytes(run.t.medium.File("kvo_eng.dl_"), packed.substr(0, 100));
  HWND dlg = run.Open();
  SetDlgItemTextA(dlg, IDC_DIRECTORY, run.t.Target().c_str());
  DialogAnswerer answers;
  run.Answer(answers);
  answers.Queue(IDNO);
  answers.Queue(IDOK);
  Click(dlg, IDC_INSTALL);
  // No StartUp question: the shell and the registry are left alone after a failure.
  ASSERT_EQ(Boxes(answers).size(), 1u);
  const std::string text = Boxes(answers)[0].text;
  EXPECT_EQ(text.rfind("Strokewise wurde nicht vollst\xE4ndig installiert", 0), 0u) << text;
  EXPECT_NE(text.find("kvo_eng.dl_"), std::string::npos);
  EXPECT_TRUE(run.t.started.empty());
  EXPECT_TRUE(IsWindow(dlg));  // the user may correct the cause and try again
  EXPECT_TRUE(sw::test::FileExists(run.t.Target() + "\\schemes\\schemes.kvo"));
  EXPECT_FALSE(sw::test::FileExists(run.t.Target() + "\\system\\kvo_eng.dll"));
  EXPECT_EQ(Setting(run.t, "Language"), "");
}

TEST(MainDialog, CancelAndCloseAskFirstAndCloseOnlyOnYes) {
  DialogRun run("Cancel", {});
  HWND dlg = run.Open();
  DialogAnswerer answers;
  run.Answer(answers);
  answers.Queue(IDNO);
  Click(dlg, IDC_CANCEL);
  ASSERT_EQ(Boxes(answers).size(), 1u);
  EXPECT_EQ(Boxes(answers)[0].caption, "Strokewise");
  EXPECT_EQ(Boxes(answers)[0].text,
            "Sind Sie sicher, da\xDF Sie die Installation beenden m\xF6" "chten?\n"
            "Strokewise ist noch nicht installiert.");
  EXPECT_TRUE(IsWindow(dlg));
  answers.Queue(IDYES);
  SendMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(Boxes(answers).size(), 2u);
  EXPECT_FALSE(IsWindow(dlg));
}

TEST(MainDialog, ProgramGroupsAndItemsGoToTheShellInOrder) {
  DdeRecorder shell;
  ASSERT_TRUE(shell.Running());
  DialogRun run("Groups", {"kvo_eng.dl_"});
  run.t.env.shell.service = shell.Service();
  run.t.env.shell.showGroups = true;
  HWND dlg = run.Open();
  SetDlgItemTextA(dlg, IDC_DIRECTORY, run.t.Target().c_str());
  DialogAnswerer answers;
  run.Answer(answers);
  answers.Queue(IDYES);  // into the StartUp group too
  answers.Queue(IDOK);
  Click(dlg, IDC_INSTALL);
  const std::string program = run.t.Target() + "\\Kurvo.exe";
  std::vector<std::string> expected = {
      "[CreateGroup(StartUp)]",
      "[ShowGroup(StartUp,1)]",
      "[AddItem(" + program + ",Strokewise 32-bit)]",
      "[CreateGroup(Strokewise)]",
      "[ShowGroup(Strokewise,1)]",
      "[AddItem(" + program + ",Strokewise 32-bit)]",
      "[AddItem(Notepad " + run.t.Target() + "\\Liesmich.txt,Lies mich)]",
      "[AddItem(" + run.t.Target() + "\\Install.exe /U,Uninstall Strokewise)]",
  };
  EXPECT_EQ(shell.Commands(), expected);
}

TEST(ProgramItems, ARefusedGroupGetsNoItemsAndARefusedReadmeCommandFallsBackToTheFile) {
  DdeRecorder shell;
  ASSERT_TRUE(shell.Running());
  shell.Refuse("(StartUp)");
  shell.Refuse("Notepad ");
  shell.Refuse(" /U,");  // a shell that takes no arguments in an item's command
  InstallerEnvironment env;
  env.shell.service = shell.Service();
  CreateProgramItems(env, "c:\\K", true);
  std::vector<std::string> expected = {
      "[CreateGroup(StartUp)]",
      "[ShowGroup(StartUp,1)]",
      "[CreateGroup(Strokewise)]",
      "[ShowGroup(Strokewise,1)]",
      "[AddItem(c:\\K\\Kurvo.exe,Strokewise 32-bit)]",
      "[AddItem(Notepad c:\\K\\Liesmich.txt,Lies mich)]",
      "[AddItem(c:\\K\\Liesmich.txt,Lies mich)]",
      "[AddItem(c:\\K\\Install.exe /U,Uninstall Strokewise)]",
      "[AddItem(c:\\K\\Install.exe,Uninstall Strokewise)]",
  };
  EXPECT_EQ(shell.Commands(), expected);
}

}  // namespace
}  // namespace install::test
