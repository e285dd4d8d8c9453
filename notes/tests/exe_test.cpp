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
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 5000,
                      &result);
  return text;
}

// Ends a started program that is still running when the test leaves, whatever happened.
class ProcessGuard {
 public:
  explicit ProcessGuard(HANDLE p) : p_(p) {}
  ~ProcessGuard() {
    if (!p_) return;
    if (WaitForSingleObject(p_, 0) == WAIT_TIMEOUT) TerminateProcess(p_, 99);
    CloseHandle(p_);
  }
  ProcessGuard(const ProcessGuard&) = delete;
  ProcessGuard& operator=(const ProcessGuard&) = delete;
  HANDLE Get() const { return p_; }

 private:
  HANDLE p_;
};

HANDLE Launch(const char* settings = kSettings) {
  std::string cmd = std::string("\"") + QUILLNOTE_DIR + "\\Quillnote.exe\" " + settings;
  // The program gets NUL as its standard handles: whatever it starts (the desktop process, if
  // not yet running) must not hold the test runner's output open.
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &sa, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  BOOL ok = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                           &pi);
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!ok) return nullptr;
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
  ProcessGuard first(Launch());
  ASSERT_NE(first.Get(), nullptr);
  HWND note = WaitForMainNote("first run");
  ASSERT_NE(note, nullptr);
  HWND edit = GetDlgItem(note, IDC_EDIT);
  EXPECT_EQ(ControlText(edit), "first run");

  ProcessGuard second(Launch());
  ASSERT_NE(second.Get(), nullptr);
  EXPECT_EQ(WaitExit(second.Get(), 5000), 0u);  // ends at once, silently

  DWORD_PTR result = 0;
  SendMessageTimeoutA(edit, WM_SETTEXT, 0, LPARAM("stored by the first run"), SMTO_ABORTIFHUNG,
                      5000, &result);
  PostMessageA(note, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(WaitExit(first.Get(), 10000), 0u);
  char value[64] = "";
  GetPrivateProfileStringA("Quill", "Text0", "", value, sizeof value, kSettings);
  EXPECT_STREQ(value, "");  // moved from the settings file into the store

  ProcessGuard again(Launch());
  ASSERT_NE(again.Get(), nullptr);
  note = WaitForMainNote("stored by the first run");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(ControlText(GetDlgItem(note, IDC_EDIT)), "stored by the first run");
  PostMessageA(note, WM_COMMAND, CMD_EXIT, 0);
  EXPECT_EQ(WaitExit(again.Get(), 10000), 0u);
  RemoveFiles();
}

TEST(QuillnoteProgramTest, OverlongSettingsNameIsRefusedWithAMessage) {
  ProcessGuard p(Launch("A_NAME_TOO_LONG.INI"));
  ASSERT_NE(p.Get(), nullptr);
  HWND box = nullptr;
  sw::test::PumpUntil([&] { return (box = FindWindowA("#32770", "Quillnote")) != nullptr; }, 10000);
  ASSERT_NE(box, nullptr);
  std::string text = ControlText(GetDlgItem(box, 0xFFFF));
  EXPECT_NE(text.find("longer than 15 characters"), std::string::npos) << text;
  EXPECT_EQ(FindWindowA("QuillClass", "Quillnote"), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WaitExit(p.Get(), 10000), 1u);
}

}  // namespace
