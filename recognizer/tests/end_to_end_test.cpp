// The whole road of one drawn symbol, with nothing standing in: the real Kurvo.exe started from an
// installed directory with the real kvo_eng.dll and kurvo.dll, a scheme for a test application,
// and a stroke injected with the mouse over that application, the trail on. The keystroke
// shortcut bound to the symbol types its text into the application's edit control.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "kurvo_fixture.h"
#include "kurvo_ids.h"
#include "child_process.h"
#include "pump.h"
#include "registry_scope.h"

using namespace kurvo;
using namespace kurvo::test;

namespace {

using Process = sw::test::ChildProcess;

const char kRealKey[] = "SOFTWARE\\Strokewise\\System";
const char kEditorClass[] = "KurvoEndToEndEditor";
constexpr int kTriangle = 1;    // the hook library's ids
constexpr int kLineRight = 17;

// A triangle as a person drew it (first of subject s02 at medium speed in
// hooklib/bench/data/human-strokes.txt), in that study's pixels.
constexpr int16_t kHumanTriangle[] = {
    132, 132, 131, 134, 130, 136, 129, 138, 129, 140, 127, 142, 126, 145, 126, 147, 124, 151, 124, 154,
    122, 157, 120, 161, 118, 166, 117, 168, 115, 174, 114, 179, 112, 185, 110, 190, 109, 193, 107, 197,
    105, 206, 104, 208, 102, 216, 101, 219, 99,  224, 98,  227, 97,  231, 97,  233, 97,  236, 96,  238,
    96,  240, 98,  240, 100, 240, 102, 240, 106, 239, 109, 237, 114, 237, 120, 235, 123, 235, 125, 236,
    128, 236, 134, 236, 140, 235, 147, 236, 153, 236, 160, 235, 165, 235, 170, 235, 174, 236, 179, 236,
    181, 236, 183, 237, 182, 235, 181, 232, 178, 222, 174, 213, 169, 202, 165, 190, 160, 185, 153, 176,
    149, 169, 145, 162, 144, 160, 142, 155, 141, 150, 139, 148, 137, 145, 136, 142};

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

std::string ForegroundClass() {
  char c[64] = "";
  GetClassNameA(GetForegroundWindow(), c, sizeof c);
  return c;
}

// A stroke to inject: screen points in drawing order and the button that draws it.
struct Drawing {
  std::vector<POINT> points;
  DWORD down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
};

// The human triangle scaled to 240 pixels high and centred on (cx, cy), as drawn on a screen.
std::vector<POINT> HumanTriangle(int cx, int cy) {
  int n = (int)(sizeof kHumanTriangle / sizeof kHumanTriangle[0]) / 2;
  int x0 = 1 << 15, y0 = 1 << 15, x1 = -x0, y1 = -y0;
  for (int i = 0; i < n; ++i) {
    x0 = std::min<int>(x0, kHumanTriangle[2 * i]), x1 = std::max<int>(x1, kHumanTriangle[2 * i]);
    y0 = std::min<int>(y0, kHumanTriangle[2 * i + 1]), y1 = std::max<int>(y1, kHumanTriangle[2 * i + 1]);
  }
  double scale = 240.0 / std::max(x1 - x0, y1 - y0);
  std::vector<POINT> p;
  for (int i = 0; i < n; ++i)
    p.push_back({cx + (LONG)((kHumanTriangle[2 * i] - (x0 + x1) / 2.0) * scale),
                 cy + (LONG)((kHumanTriangle[2 * i + 1] - (y0 + y1) / 2.0) * scale)});
  return p;
}

std::vector<POINT> LineRight(int x0, int x1, int y) {
  std::vector<POINT> p;
  for (int i = 0; i <= 16; ++i) p.push_back({x0 + (x1 - x0) * i / 16, y});
  return p;
}

// Moves the pointer along the drawing with its button down, as a hand would.
DWORD WINAPI InjectDrawing(void* d) {
  const Drawing& drawing = *static_cast<const Drawing*>(d);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  auto send = [&](POINT at, DWORD buttons) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dx = (at.x * 65536 + w - 1) / w;
    in[0].mi.dy = (at.y * 65536 + h - 1) / h;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = buttons;
    SendInput(buttons ? 2 : 1, in, sizeof(INPUT));
  };
  send(drawing.points.front(), drawing.down);
  Sleep(30);
  for (size_t i = 1; i < drawing.points.size(); ++i) {
    send(drawing.points[i], 0);
    Sleep(10);
  }
  send(drawing.points.back(), drawing.up);
  return 0;
}

// Pointer moves that did not come from injected input, while the test's own hook is in.
int g_otherMoves = 0;

LRESULT CALLBACK CountOtherMoves(int code, WPARAM msg, LPARAM lp) {
  if (code == HC_ACTION && msg == WM_MOUSEMOVE &&
      !(reinterpret_cast<const MSLLHOOKSTRUCT*>(lp)->flags & LLMHF_INJECTED))
    ++g_otherMoves;
  return CallNextHookEx(nullptr, code, msg, lp);
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

class EndToEndTest : public KurvoTest {
 protected:
  void SetUp() override {
    KurvoTest::SetUp();
    for (auto [name, value] : std::initializer_list<std::pair<const char*, std::string>>{
             {"Directory", Dir()}, {"MouseBtn", "1"}, {"Sound", "0"}, {"SoundName", "None"},
             {"ShowMainWinDraw", "0"}, {"ShowMainWinTray", "1"}, {"AutoHide", "2"}, {"StartUpAutoHide", "1"},
             {"AutoFocus", "0"}, {"KLLanguage", "0"}, {"Language", "0"}, {"DefaultLanguage", "0"},
             {"HelpFile", "kvo_eng.hlp"}, {"RecognitionKLK", "1"}, {"Trail", "1"}})
      sw::test::SetRegString(HKEY_LOCAL_MACHINE, kRealKey, name, value);
    ASSERT_TRUE(CopyFileA(LanguageLibraryPath().c_str(), (SystemDir() + "kvo_eng.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(RealHookLibraryPath().c_str(), (SystemDir() + "kurvo.dll").c_str(), FALSE));
    WriteScheme("default.kvo", "Default", "", "", 0, 1, {{0, "Copy", 1}});
    Slot hello{0, "Greeting", kLineRight, kActionKeystrokes};
    hello.p0 = "hello";
    Slot corner{1, "Corner", kTriangle, kActionKeystrokes};
    corner.p0 = "triangle";
    WriteScheme("editor0.kvo", "Editor", "1.0", kEditorClass, 0, 1, {hello, corner});
    // The user works in the editor, in front with the caret in its edit control.
    ASSERT_TRUE(sw::test::PumpUntil([&] {
      editor_.Focus();
      return GetForegroundWindow() == editor_.frame_;
    }, 5000));
  }

  // Starts Kurvo and waits until it is up: its status line says "Ready" and the splash (owned
  // by the main window) has closed. Returns its main window.
  HWND StartKurvo(std::unique_ptr<Process>& kurvo) {
    kurvo = std::make_unique<Process>(Process::Quoted(KurvoExePath()), Dir(), 10000);
    EXPECT_NE(kurvo->info.hProcess, nullptr);
    HWND main = nullptr;
    if (!sw::test::PumpUntil([&] { return (main = FindWindowA("Strokewise", nullptr)) != nullptr; }, 20000))
      return nullptr;
    auto started = [&] {
      StartupLook look{main};
      EnumChildWindows(main, FindReadyStatus, reinterpret_cast<LPARAM>(&look));
      EnumWindows(FindOwnedWindow, reinterpret_cast<LPARAM>(&look));
      return look.ready && !look.owned;
    };
    EXPECT_TRUE(sw::test::PumpUntil(started, 20000));
    sw::test::PumpMessages(500);
    return main;
  }

  // Draws over the editor and waits for its text; true when the editor holds `expected`. The
  // trail must show meanwhile, without the editor losing the foreground or any pointer move
  // but the injected ones.
  bool DrawAndExpect(Drawing drawing, const std::string& expected) {
    editor_.Focus();
    HWND trail = FindWindowA("StrokewiseTrail", nullptr);
    EXPECT_NE(nullptr, trail) << "no trail window";
    bool shown = false, inFront = true;
    // Injected input leaves the X pointer where it was; park it where no stroke goes.
    SetCursorPos(2, 2);
    sw::test::PumpMessages(100);
    g_otherMoves = 0;
    HHOOK counter = SetWindowsHookExA(WH_MOUSE_LL, CountOtherMoves, GetModuleHandleA(nullptr), 0);
    HANDLE injector = CreateThread(nullptr, 0, InjectDrawing, &drawing, 0, nullptr);
    bool typed = sw::test::PumpUntil([&] {
      shown = shown || IsWindowVisible(trail);
      inFront = inFront && GetForegroundWindow() == editor_.frame_;
      return editor_.Text() == expected;
    }, 15000);
    WaitForSingleObject(injector, 5000);
    CloseHandle(injector);
    UnhookWindowsHookEx(counter);
    EXPECT_TRUE(typed) << "the edit control holds \"" << editor_.Text() << "\"; in front: " << ForegroundClass();
    EXPECT_TRUE(shown) << "the trail never showed";
    EXPECT_TRUE(inFront) << "the editor lost the foreground while the stroke was drawn";
    EXPECT_EQ(0, g_otherMoves) << "the pointer moved by itself while the stroke was drawn";
    return typed;
  }

  void ShutDown(HWND main, Process& kurvo) {
    PostMessageA(main, WM_COMMAND, IDM_SHUTDOWN, 0);
    EXPECT_EQ(WaitForSingleObject(kurvo.info.hProcess, 15000), WAIT_OBJECT_0);
  }

  sw::test::RegistryScope real_{HKEY_LOCAL_MACHINE, kRealKey};
  EditorWindow editor_;
};

TEST_F(EndToEndTest, AStrokeOverAnApplicationTypesItsKeystrokeShortcut) {
  // Kurvo starts hidden; once its splash has closed, the editor is still in front.
  std::unique_ptr<Process> kurvo;
  HWND main = StartKurvo(kurvo);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(editor_.frame_, GetForegroundWindow()) << "in front: " << ForegroundClass();
  DrawAndExpect({LineRight(280, 520, 330)}, "hello");
  ShutDown(main, *kurvo);
}

// A triangle as people draw it, scaled to the screen: the first symbol a new user tries.
TEST_F(EndToEndTest, AHumanTriangleRunsItsShortcut) {
  std::vector<POINT> triangle = HumanTriangle(450, 340);
  // The hook library itself must take it for the triangle before the whole road is tried.
  HMODULE hooks = LoadLibraryA(RealHookLibraryPath().c_str());
  ASSERT_NE(nullptr, hooks);
  auto recognize = reinterpret_cast<int32_t(WINAPI*)(const POINT*, int32_t)>(
      reinterpret_cast<void*>(GetProcAddress(hooks, "RecognizeStroke")));
  ASSERT_NE(nullptr, recognize);
  int32_t id = recognize(triangle.data(), (int32_t)triangle.size());
  FreeLibrary(hooks);
  ASSERT_EQ(kTriangle, id) << "the recognizer takes the human triangle for symbol " << id;

  std::unique_ptr<Process> kurvo;
  HWND main = StartKurvo(kurvo);
  ASSERT_NE(nullptr, main);
  DrawAndExpect({triangle}, "triangle");
  ShutDown(main, *kurvo);
}

// The middle button chosen from Kurvo's menu is stored by Kurvo at exit and draws after a
// restart; the right button then belongs to the applications.
TEST_F(EndToEndTest, TheMiddleButtonChosenInKurvoDrawsAfterARestart) {
  std::unique_ptr<Process> kurvo;
  HWND main = StartKurvo(kurvo);
  ASSERT_NE(nullptr, main);
  // Options > Mouse Button > Middle; Kurvo says when it takes effect.
  PostMessageA(main, WM_COMMAND, IDM_MOUSE_MIDDLE, 0);
  HWND box = nullptr;
  ASSERT_TRUE(sw::test::PumpUntil([&] {
    box = FindWindowA("#32770", nullptr);
    DWORD pid = 0;
    if (box) GetWindowThreadProcessId(box, &pid);
    return box && pid == kurvo->info.dwProcessId && IsWindowVisible(box);
  }, 5000));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(sw::test::PumpUntil([&] { return !IsWindow(box); }, 5000));
  ShutDown(main, *kurvo);
  std::string stored;
  ASSERT_TRUE(sw::test::GetRegString(HKEY_LOCAL_MACHINE, kRealKey, "MouseBtn", &stored));
  EXPECT_EQ("0", stored);
  EXPECT_EQ(512, sw::test::RegValueSize(HKEY_LOCAL_MACHINE, kRealKey, "MouseBtn"));

  main = StartKurvo(kurvo);
  ASSERT_NE(nullptr, main);
  Drawing middle{LineRight(280, 520, 330), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};
  DrawAndExpect(middle, "hello");
  ShutDown(main, *kurvo);
}
