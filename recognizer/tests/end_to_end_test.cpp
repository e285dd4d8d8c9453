// The whole road of one drawn symbol, with nothing standing in: the real Kurvo.exe started from an
// installed directory with the real kvo_eng.dll and kurvo.dll, a scheme for a test application,
// and a stroke injected with the mouse over that application. The keystroke shortcut bound to the
// symbol types its text into the application's edit control.
#include <gtest/gtest.h>

#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "pump.h"
#include "registry_scope.h"

using namespace kurvo;
using namespace kurvo::test;

namespace {

const char kRealKey[] = "SOFTWARE\\Strokewise\\System";
const char kEditorClass[] = "KurvoEndToEndEditor";
constexpr int kLineRight = 17;  // the hook library's "line right"

std::string RealHookLibraryPath() { return sw::test::HostToWinePath(KURVO_TEST_REAL_HOOKLIB); }

// An application window with an edit control filling it, in front and focused.
class EditorWindow {
 public:
  EditorWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kEditorClass;
    RegisterClassA(&wc);
    frame_ = CreateWindowExA(WS_EX_TOPMOST, kEditorClass, "Editor - notes.txt", WS_POPUP | WS_VISIBLE | WS_BORDER,
                             200, 150, 500, 400, nullptr, nullptr, wc.hInstance, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 498, 398, frame_, nullptr,
                            wc.hInstance, nullptr);
  }
  ~EditorWindow() { DestroyWindow(frame_); }
  void Focus() {
    SetForegroundWindow(frame_);
    SetFocus(edit_);
  }
  std::string Text() const {
    char buf[256] = "";
    GetWindowTextA(edit_, buf, sizeof buf);
    return buf;
  }
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};

struct Process {
  PROCESS_INFORMATION info = {};
  explicit Process(const std::string& exe, const std::string& dir) {
    STARTUPINFOA si = {sizeof si};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &info))
      info = {};
  }
  ~Process() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 9);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
};

std::string ForegroundClass() {
  char c[64] = "";
  GetClassNameA(GetForegroundWindow(), c, sizeof c);
  return c;
}

// Moves the pointer along a straight stroke from (x0, y0) to (x1, y1) with the right button down.
DWORD WINAPI InjectStroke(void*) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  auto send = [&](int x, int y, DWORD buttons) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dx = (x * 65536 + w - 1) / w;
    in[0].mi.dy = (y * 65536 + h - 1) / h;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = buttons;
    SendInput(buttons ? 2 : 1, in, sizeof(INPUT));
  };
  const int x0 = 280, x1 = 520, y = 330, steps = 16;
  send(x0, y, MOUSEEVENTF_RIGHTDOWN);
  Sleep(30);
  for (int i = 1; i <= steps; ++i) {
    send(x0 + (x1 - x0) * i / steps, y, 0);
    Sleep(10);
  }
  send(x1, y, MOUSEEVENTF_RIGHTUP);
  return 0;
}

// What start-up looks like from outside: the status line's "Ready" and any window (the splash)
// owned by the main window.
struct StartupLook {
  HWND main;
  bool ready = false, owned = false;
};

BOOL CALLBACK FindReadyStatus(HWND w, LPARAM p) {
  char t[64] = "";
  GetWindowTextA(w, t, sizeof t);
  if (strcmp(t, "Ready") == 0) reinterpret_cast<StartupLook*>(p)->ready = true;
  return TRUE;
}

BOOL CALLBACK FindOwnedWindow(HWND w, LPARAM p) {
  auto* look = reinterpret_cast<StartupLook*>(p);
  if (GetWindow(w, GW_OWNER) == look->main) look->owned = true;
  return TRUE;
}

}  // namespace

class EndToEndTest : public KurvoTest {};

TEST_F(EndToEndTest, AStrokeOverAnApplicationTypesItsKeystrokeShortcut) {
  sw::test::RegistryScope real(HKEY_LOCAL_MACHINE, kRealKey);
  for (auto [name, value] : std::initializer_list<std::pair<const char*, std::string>>{
           {"Directory", Dir()}, {"MouseBtn", "1"}, {"Sound", "0"}, {"SoundName", "None"},
           {"ShowMainWinDraw", "0"}, {"ShowMainWinTray", "1"}, {"AutoHide", "2"}, {"StartUpAutoHide", "1"},
           {"AutoFocus", "0"}, {"KLLanguage", "0"}, {"Language", "0"}, {"DefaultLanguage", "0"},
           {"HelpFile", "kvo_eng.hlp"}, {"RecognitionKLK", "1"}})
    sw::test::SetRegString(HKEY_LOCAL_MACHINE, kRealKey, name, value);
  ASSERT_TRUE(CopyFileA(LanguageLibraryPath().c_str(), (SystemDir() + "kvo_eng.dll").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(RealHookLibraryPath().c_str(), (SystemDir() + "kurvo.dll").c_str(), FALSE));
  WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Copy", 1}});
  Slot hello{0, "Greeting", kLineRight, kActionKeystrokes};
  hello.p0 = "hello";
  WriteScheme("editor0.kvo", "Editor", "1.0", kEditorClass, 0, 1, {hello});

  // The user works in the editor, in front with the caret in its edit control, while Kurvo
  // starts hidden; once its splash has closed, the editor is still in front.
  EditorWindow editor;
  ASSERT_TRUE(sw::test::PumpUntil([&] {
    editor.Focus();
    return GetForegroundWindow() == editor.frame_;
  }, 5000));
  Process kurvo(KurvoExePath(), Dir());
  ASSERT_NE(kurvo.info.hProcess, nullptr);
  HWND main = nullptr;
  ASSERT_TRUE(sw::test::PumpUntil([&] { return (main = FindWindowA("Strokewise", nullptr)) != nullptr; }, 20000));
  // Start-up is over once the status line says "Ready" and the splash (owned by the main
  // window) has closed.
  auto started = [&] {
    StartupLook look{main};
    EnumChildWindows(main, FindReadyStatus, reinterpret_cast<LPARAM>(&look));
    EnumWindows(FindOwnedWindow, reinterpret_cast<LPARAM>(&look));
    return look.ready && !look.owned;
  };
  ASSERT_TRUE(sw::test::PumpUntil(started, 20000));
  sw::test::PumpMessages(500);
  EXPECT_EQ(editor.frame_, GetForegroundWindow()) << "in front: " << ForegroundClass();
  editor.Focus();

  HANDLE injector = CreateThread(nullptr, 0, InjectStroke, nullptr, 0, nullptr);
  bool typed = sw::test::PumpUntil([&] { return editor.Text() == "hello"; }, 15000);
  WaitForSingleObject(injector, 5000);
  CloseHandle(injector);
  EXPECT_TRUE(typed) << "the edit control holds \"" << editor.Text() << "\"; in front: " << ForegroundClass();

  PostMessageA(main, WM_COMMAND, IDM_SHUTDOWN, 0);
  EXPECT_EQ(WaitForSingleObject(kurvo.info.hProcess, 15000), WAIT_OBJECT_0);
}
