// The test support itself: message boxes answered and recorded, injected keys recorded in order.
#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "key_recorder.h"
#include "pump.h"
#include "registry_scope.h"
#include "temp_dir.h"

using namespace sw::test;

TEST(DialogAnswerer, AnswersMessageBoxesInOrderAndRecordsThem) {
  DialogAnswerer answers;
  answers.Queue(IDNO);
  answers.Queue(IDYES);
  EXPECT_EQ(IDNO, MessageBoxA(nullptr, "First question?", "Strokewise", MB_YESNO));
  EXPECT_EQ(IDYES, MessageBoxA(nullptr, "Second\nline", "Other", MB_YESNO));
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Plain", "Strokewise", MB_OK));
  ASSERT_EQ(3u, answers.Count());
  EXPECT_EQ("Strokewise", answers.Seen()[0].caption);
  EXPECT_EQ("First question?", answers.Seen()[0].text);
  EXPECT_EQ("Second\nline", answers.Seen()[1].text);
  EXPECT_EQ(IDOK, answers.Seen()[2].answer);
}

TEST(KeyRecorder, RecordsInjectedKeysInOrder) {
  KeyRecorder rec;
  ASSERT_TRUE(rec.Active());
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('C', 0, 0, 0);
  keybd_event('C', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  std::vector<KeyEvent> want = {Down(VK_CONTROL), Down('C'), Up('C'), Up(VK_CONTROL)};
  EXPECT_EQ(Describe(want), Describe(rec.Collect()));
  EXPECT_TRUE(rec.Collect().empty());
}

TEST(TempDirAndRegistry, CleanUpAfterThemselves) {
  std::string path;
  {
    TempDir dir;
    path = dir.Path();
    std::string f = dir.Write("a.txt", "hello");
    std::string back;
    ASSERT_TRUE(ReadFileBytes(f, &back));
    EXPECT_EQ("hello", back);
  }
  EXPECT_FALSE(FileExists(path));

  const char* key = "Software\\StrokewiseTest\\Scope";
  {
    RegistryScope scope(HKEY_CURRENT_USER, key);
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, key, "Name", "value"));
    std::string v;
    ASSERT_TRUE(GetRegString(HKEY_CURRENT_USER, key, "Name", &v));
    EXPECT_EQ("value", v);
  }
  std::string v;
  EXPECT_FALSE(GetRegString(HKEY_CURRENT_USER, key, "Name", &v));
}

namespace {
INT_PTR CALLBACK ReusedBoxProc(HWND h, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_COMMAND) {
    ShowWindow(h, SW_HIDE);
    PostQuitMessage(LOWORD(wp));  // ends the nested loop below
    return TRUE;
  }
  return msg == WM_INITDIALOG;
}

// Shows a hidden, reused box and runs a loop until it is answered, as a program's own box does.
int ShowReusedBox(HWND box) {
  ShowWindow(box, SW_SHOW);
  SetForegroundWindow(box);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  return static_cast<int>(m.wParam);
}
}  // namespace

TEST(DialogAnswerer, AnswersAReusedBoxEachTimeItIsShown) {
  DialogAnswerer answers;
  answers.Queue(IDCANCEL);
  answers.Queue(IDOK);
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } tpl = {{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 100, 40}, 0, 0, 0};
  HWND box = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, nullptr, ReusedBoxProc, 0);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(IDCANCEL, ShowReusedBox(box));
  EXPECT_EQ(IDOK, ShowReusedBox(box));
  EXPECT_EQ(2u, answers.Count());
  DestroyWindow(box);
}
