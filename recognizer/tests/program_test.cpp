// The real Kurvo.exe started under Wine from an installed directory, watched from this process.
#include <gtest/gtest.h>

#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "child_process.h"
#include "pump.h"
#include "registry_scope.h"

using namespace kurvo;
using namespace kurvo::test;

namespace {

const char kRealKey[] = "SOFTWARE\\Strokewise\\System";

int CountKurvoWindows() {
  int count = 0;
  for (HWND h = FindWindowA("Strokewise", nullptr); h; h = FindWindowExA(nullptr, h, "Strokewise", nullptr)) ++count;
  return count;
}

}  // namespace

class ProgramTest : public KurvoTest {};

TEST_F(ProgramTest, StartsOnceFromAnInstalledDirectoryAndAnswersDrawBegin) {
  sw::test::RegistryScope real(HKEY_LOCAL_MACHINE, kRealKey);
  for (auto [name, value] : std::initializer_list<std::pair<const char*, std::string>>{
           {"Directory", Dir()}, {"MouseBtn", "1"}, {"Sound", "1"}, {"SoundName", "None"},
           {"ShowMainWinDraw", "1"}, {"ShowMainWinTray", "1"}, {"AutoHide", "2"}, {"StartUpAutoHide", "2"},
           {"AutoFocus", "0"}, {"KLLanguage", "0"}, {"Language", "0"}, {"DefaultLanguage", "0"},
           {"HelpFile", "kvo_eng.hlp"}, {"RecognitionKLK", "1"}})
    sw::test::SetRegString(HKEY_LOCAL_MACHINE, kRealKey, name, value);
  InstallLibraries();
  WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Copy", 1}});
  WriteScheme("editor0.kvo", "Editor", "2.0", "EditorClass", 0, 5);
  ASSERT_EQ(CountKurvoWindows(), 0);

  sw::test::ChildProcess first(sw::test::ChildProcess::Quoted(KurvoExePath()));
  ASSERT_NE(first.info.hProcess, nullptr);
  HWND kurvo = nullptr;
  ASSERT_TRUE(sw::test::PumpUntil([&] {
    kurvo = FindWindowA("Strokewise", nullptr);
    return kurvo && IsWindowVisible(kurvo);
  }, 20000));

  TargetWindow editor("EditorClass", "Editor - x");
  DWORD_PTR level = 0;
  ASSERT_TRUE(SendMessageTimeoutA(kurvo, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(editor.Handle()),
                                  SMTO_NORMAL, 5000, &level));
  EXPECT_EQ(level, 5u);

  // A second start while the first is minimized restores it and brings it forward.
  ShowWindow(kurvo, SW_MINIMIZE);
  ASSERT_TRUE(sw::test::PumpUntil([&] { return IsIconic(kurvo) != FALSE; }, 5000));
  sw::test::ChildProcess second(sw::test::ChildProcess::Quoted(KurvoExePath()));
  DWORD code = 99;
  ASSERT_TRUE(second.Ended(15000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(CountKurvoWindows(), 1);
  EXPECT_TRUE(sw::test::PumpUntil([&] { return !IsIconic(kurvo) && IsWindowVisible(kurvo); }, 5000));
  EXPECT_TRUE(sw::test::PumpUntil([&] { return GetForegroundWindow() == kurvo; }, 5000));

  PostMessageA(kurvo, WM_COMMAND, IDM_SHUTDOWN, 0);
  ASSERT_TRUE(first.Ended(15000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(sw::test::RegValueSize(HKEY_LOCAL_MACHINE, kRealKey, "MouseBtn"), 512);
}
