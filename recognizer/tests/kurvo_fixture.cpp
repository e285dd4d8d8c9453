#include "kurvo_fixture.h"

#include "main_window.h"
#include "notices.h"
#include "pump.h"
#include "schemes.h"
#include "scheme_file.h"

namespace kurvo::test {

std::string LanguageLibraryPath() { return sw::test::HostToWinePath(KURVO_TEST_LANGLIB); }
std::string HookLibraryPath() { return sw::test::HostToWinePath(KURVO_TEST_HOOKLIB); }
std::string KurvoExePath() { return sw::test::HostToWinePath(KURVO_TEST_EXE); }

void KurvoTest::SetUp() {
  ResetKurvo();
  Kurvo().settingsLocation.path = kTestKey;
  Kurvo().effects = &effects_;
  Kurvo().instance = GetModuleHandleA(nullptr);
  CreateDirectoryA((Dir() + "\\system").c_str(), nullptr);
  CreateDirectoryA((Dir() + "\\schemes").c_str(), nullptr);
  CreateDirectoryA((Dir() + "\\sounds").c_str(), nullptr);
}

void KurvoTest::TearDown() {
  ResetKurvo();
  // Drop the quit message a destroyed main window leaves behind.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void KurvoTest::SetValue(const std::string& name, const std::string& value) {
  sw::test::SetRegString(HKEY_LOCAL_MACHINE, kTestKey, name, value);
}

std::string KurvoTest::Value(const std::string& name) {
  std::string v;
  return sw::test::GetRegString(HKEY_LOCAL_MACHINE, kTestKey, name, &v) ? v : "<missing>";
}

void KurvoTest::WriteInstalledSettings(int klLanguage) {
  SetValue("Directory", Dir());
  SetValue("MouseBtn", "1");
  SetValue("Sound", "1");
  SetValue("SoundName", "None");
  SetValue("ShowMainWinDraw", "1");
  SetValue("ShowMainWinTray", "1");
  SetValue("AutoHide", "2");
  SetValue("StartUpAutoHide", "2");
  SetValue("AutoFocus", "0");
  SetValue("KLLanguage", std::to_string(klLanguage));
  SetValue("Language", std::to_string(klLanguage));
  SetValue("DefaultLanguage", "0");
  SetValue("HelpFile", "kvo_eng.hlp");
  SetValue("RecognitionKLK", "1");
}

void KurvoTest::InstallLibraries() {
  ASSERT_TRUE(CopyFileA(LanguageLibraryPath().c_str(), (SystemDir() + "kvo_eng.dll").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(HookLibraryPath().c_str(), (SystemDir() + "kurvo.dll").c_str(), FALSE));
}

void KurvoTest::WriteScheme(const std::string& file, const std::string& name, const std::string& version,
                            const std::string& windowClass, int language, int level,
                            const std::vector<Slot>& slots) {
  std::string path = SchemeDir() + file;
  SchemeHeader h;
  h.name = name;
  h.version = version;
  h.windowClass = windowClass;
  h.language = language;
  h.level = level;
  WriteHeaderTo(path, h);
  for (const Slot& s : slots) {
    ShortcutRecord r;
    r.name = s.name;
    r.symbolId = s.symbol;
    r.type = s.type;
    r.p0 = s.p0;
    r.p1 = s.p1;
    r.p2 = s.p2;
    r.p3 = s.p3;
    r.sound = s.sound;
    WriteShortcutTo(path, s.index, r);
  }
}

void KurvoTest::StartState() {
  LoadSettings();
  BindHookLibrary();
  BindLanguageLibrary();
}

HWND KurvoTest::CreateMain() {
  StartState();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_TRUE(RegisterMainClass(instance));
  HWND h = CreateMainWindow(instance);
  EXPECT_NE(h, nullptr);
  KurvoState& k = Kurvo();
  ScanSchemes();
  LoadScheme(kDefaultScheme);
  k.loadedScheme = "Strokewise";  // as after the splash: the first notice loads a scheme
  AddTrayIcon();
  SetTrayState(100, 49);
  return h;
}

TargetWindow::TargetWindow(const std::string& windowClass, const std::string& title) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = windowClass.c_str();
  RegisterClassA(&wc);
  h_ = CreateWindowExA(0, windowClass.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr,
                       nullptr, wc.hInstance, nullptr);
}

TargetWindow::~TargetWindow() {
  if (h_) DestroyWindow(h_);
}

int HookCalls(int which) {
  HMODULE m = GetModuleHandleA("kurvo.dll");
  if (!m) return -1;
  auto f = reinterpret_cast<int32_t(WINAPI*)(int32_t)>(reinterpret_cast<void*>(GetProcAddress(m, "StubHookCalls")));
  return f ? f(which) : -1;
}

}  // namespace kurvo::test
