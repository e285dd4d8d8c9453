// The delivered program under Wine: one copy per desktop, and notes kept across runs.
#include <gtest/gtest.h>

#include <string>

#include "dialog_answerer.h"
#include "pump.h"
#include "quill_ids.h"

namespace {

const char kSettings[] = "QEXE.INI";

std::string WindowsFile(const char* name) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

void RemoveFiles() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, kSettings);
  DeleteFileA(WindowsFile(kSettings).c_str());
  DeleteFileA(WindowsFile("QEXE.DAT").c_str());
}

// Text of a control in another process: sent, since GetWindowText does not ask other processes.
std::string ControlText(HWND control) {
  char text[256] = "";
  SendMessageA(control, WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

HANDLE Launch() {
  std::string cmd = std::string("\"") + QUILLNOTE_DIR + "\\Quillnote.exe\" " + kSettings;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// The main note once its edit control holds `text`.
HWND WaitForMainNote(const std::string& text) {
  HWND found = nullptr;
  sw::test::PumpUntil(
      [&] {
        found = FindWindowA("QuillClass", "Quillnote");
        return found && ControlText(GetDlgItem(found, IDC_EDIT)) == text;
      },
      10000);
  return found;
}

DWORD WaitExit(HANDLE process, DWORD ms) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process, ms) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  return code;
}

TEST(QuillnoteProgramTest, SecondStartEndsAndNotesSurviveARestart) {
  RemoveFiles();
  WritePrivateProfileStringA("Quill", "Text0", "first run", kSettings);
  HANDLE first = Launch();
  ASSERT_NE(first, nullptr);
  HWND note = WaitForMainNote("first run");
  ASSERT_NE(note, nullptr);
  HWND edit = GetDlgItem(note, IDC_EDIT);
  EXPECT_EQ(ControlText(edit), "first run");

  HANDLE second = Launch();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WaitExit(second, 5000), 0u);  // ends at once, silently
  CloseHandle(second);

  SendMessageA(edit, WM_SETTEXT, 0, LPARAM("stored by the first run"));
  PostMessageA(note, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(WaitExit(first, 10000), 0u);
  CloseHandle(first);
  char value[64] = "";
  GetPrivateProfileStringA("Quill", "Text0", "", value, sizeof value, kSettings);
  EXPECT_STREQ(value, "");  // moved from the settings file into the store

  HANDLE again = Launch();
  ASSERT_NE(again, nullptr);
  note = WaitForMainNote("stored by the first run");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(ControlText(GetDlgItem(note, IDC_EDIT)), "stored by the first run");
  PostMessageA(note, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(WaitExit(again, 10000), 0u);
  CloseHandle(again);
  RemoveFiles();
}

}  // namespace
