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
