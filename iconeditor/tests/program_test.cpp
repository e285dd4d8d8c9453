// ZwIcon.exe itself under Wine: the command line's files, and the platform's file dialogs behind
// the file browser's one function.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dialog_answerer.h"
#include "file_dialog.h"
#include "icon_file.h"
#include "pump.h"
#include "registry_scope.h"
#include "temp_dir.h"

using namespace zwicon;

namespace {

std::string Beside(const char* name) { return sw::test::BesideProgram(name); }

struct Found {
  DWORD pid;
  HWND frame = nullptr;
};

BOOL CALLBACK FindFrame(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  char text[64] = "";
  GetWindowTextA(h, text, sizeof text);
  if (pid == f->pid && std::string(text) == "Zonware Icon Editor") f->frame = h;
  return TRUE;
}

std::multiset<std::string> DocumentCaptions(HWND frame) {
  std::multiset<std::string> out;
  HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  for (HWND c = client ? GetWindow(client, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
    char text[MAX_PATH] = "";
    GetWindowTextA(c, text, sizeof text);
    out.insert(text);
  }
  return out;
}

TEST(Program, ThreeFileNamesOpenUpperCasedAndAMissingOneAlertsAndOpensUntitled) {
  sw::test::TempDir dir;
  // The program's own settings key, with the temporary file's folder set to ours.
  sw::test::RegistryScope reg(HKEY_CURRENT_USER, "Software\\Zonware\\Pavlet");
  sw::test::SetRegString(HKEY_CURRENT_USER, reg.Path() + "\\Icon Editor", "IconDir", dir.Path());
  std::string a = dir.File("one.ico"), b = dir.File("two.ico");
  ASSERT_TRUE(files::WriteIconFile(a, files::BlankIconImage()));
  ASSERT_TRUE(files::WriteIconFile(b, files::BlankIconImage()));
  std::string missing = dir.File("gone.ico");
  std::string cmd = "\"" + Beside("ZwIcon.exe") + "\" " + a + " " + missing + " " + b;
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  // The missing file's alert: answered with OK as the user would.
  HWND alert = nullptr;
  EXPECT_TRUE(sw::test::PumpUntil([&] { return (alert = FindWindowA(nullptr, "Error in loading...")) != nullptr; }, 10000));
  if (alert) PostMessageA(alert, WM_COMMAND, IDOK, 0);
  Found f{pi.dwProcessId};
  std::multiset<std::string> want = {"Untitled", "", ""};
  std::transform(a.begin(), a.end(), a.begin(), ::toupper);
  std::transform(b.begin(), b.end(), b.begin(), ::toupper);
  want = {a, b, "Untitled"};
  std::multiset<std::string> seen;
  sw::test::PumpUntil(
      [&] {
        EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&f));
        if (f.frame) seen = DocumentCaptions(f.frame);
        return seen == want;
      },
      10000);
  EXPECT_EQ(seen, want);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

TEST(FileDialog, PlatformDialogsReturnTheTypedNameWithItsFolder) {
  sw::test::TempDir dir;
  sw::test::DialogAnswerer answer;
  std::string typed;
  answer.OnDialog([&](HWND h) {
    // The file name box of the platform's open and save dialogs.
    sw::test::PumpMessages(50);
    SetDlgItemTextA(h, 0x47C, typed.c_str());
    return IDOK;
  });
  files::FileChoice c;
  c.title = "Save Untitled As...";
  c.folder = dir.Path();
  c.mask = "*.BMP *.PCX *.JPG *.PNG *.ICO *.TIF";
  c.initialName = "UNTITLED";
  c.save = true;
  typed = dir.File("picture");
  ASSERT_TRUE(files::ChooseFileWithDialog(c, nullptr));
  EXPECT_EQ(c.fileName, dir.File("picture.ICO"));
  EXPECT_EQ(c.folder, dir.Path());
  ASSERT_EQ(answer.Count(), 1u);
  EXPECT_EQ(answer.Seen()[0].caption, "Save Untitled As...");
  // Open: an existing file in another folder moves the folder there.
  std::string sub = dir.File("sub");
  CreateDirectoryA(sub.c_str(), nullptr);
  std::string icon = sub + "\\A.ICO";
  ASSERT_TRUE(files::WriteIconFile(icon, files::BlankIconImage()));
  files::FileChoice o;
  o.title = "Select an Icon";
  o.folder = dir.Path();
  o.mask = "*.EXE *.DLL *.BMP *.PCX *.JPG *.PNG *.ICO *.TIF";
  typed = icon;
  ASSERT_TRUE(files::ChooseFileWithDialog(o, nullptr));
  EXPECT_EQ(o.fileName, icon);
  EXPECT_EQ(o.folder, sub);
  EXPECT_EQ(o.iconIndex, 0);
  const char kFilter[] = "Icons and pictures (*.A *.B)\0*.A;*.B\0All files (*.*)\0*.*\0";
  EXPECT_EQ(files::DialogFilter("*.A *.B"), std::string(kFilter, sizeof kFilter - 1));
  EXPECT_EQ(files::FolderOf("C:\\x.ico"), "C:\\");
  EXPECT_EQ(files::FolderOf("x.ico"), "");
}

}  // namespace
