// The hook under Wine: a test process loads kurvo.dll, stands in for the recognizer program
// with a window of class "Strokewise", and injects mouse input over a window of its own.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hook_ids.h"
#include "pump.h"
#include "registry_scope.h"
#include "symbols.h"

using namespace hooklib;

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Strokewise\\System";

// What the stand-in program and the target window received.
struct Seen {
  int level = 1;                 // answer to WM_DRAWBEGIN
  std::vector<HWND> drawBegin;   // lParam of each WM_DRAWBEGIN
  std::vector<std::pair<WPARAM, HWND>> drawn;
  std::vector<UINT> target;      // button and context-menu messages of the target window
};
Seen g_seen;

LRESULT CALLBACK ProgramProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DRAWBEGIN: g_seen.drawBegin.push_back((HWND)lp); return g_seen.level;
    case WM_SYMBOLDRAWN: g_seen.drawn.push_back({wp, (HWND)lp}); return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

LRESULT CALLBACK TargetProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_CONTEXTMENU:
      g_seen.target.push_back(msg);
      break;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeWindow(const char* cls, WNDPROC proc, DWORD style, int x, int y, int w, int h) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  RegisterClassA(&wc);
  return CreateWindowExA(WS_EX_TOPMOST, cls, cls, style, x, y, w, h, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

// One mouse event: move to (x, y), then the button flags (if any), then a pause.
struct Step {
  int x, y;
  DWORD buttons;
  DWORD pauseMs;
};

DWORD WINAPI InjectSteps(void* p) {
  const auto& steps = *static_cast<std::vector<Step>*>(p);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  for (const Step& s : steps) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dx = (s.x * 65536 + w - 1) / w;
    in[0].mi.dy = (s.y * 65536 + h - 1) / h;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = s.buttons;
    SendInput(s.buttons ? 2 : 1, in, sizeof(INPUT));
    Sleep(s.pauseMs);
  }
  return 0;
}

// A stroke from (x0, y0) to (x1, y1) with the given button flags.
std::vector<Step> Stroke(int x0, int y0, int x1, int y1, DWORD down, DWORD up, int n = 16) {
  std::vector<Step> s{{x0, y0, down, 20}};
  for (int i = 1; i <= n; ++i) s.push_back({x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n, 0, 8});
  s.push_back({x1, y1, up, 20});
  return s;
}

std::vector<Step> Click(int x, int y, DWORD down, DWORD up) { return {{x, y, down, 30}, {x, y, up, 30}}; }

class Hook : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = Seen();
    // The button comes from the program's setting: the right one for these tests.
    SetMouseButton("1");
    module_ = LoadLibraryA(sw::test::HostToWinePath(KURVO_DLL_HOST_PATH).c_str());
    ASSERT_NE(nullptr, module_);
    enable_ = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "EnableHook")));
    disable_ = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "DisableHook")));
    ASSERT_TRUE(enable_ && disable_);
    program_ = MakeWindow("Strokewise", ProgramProc, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    target_ = MakeWindow("HookTestTarget", TargetProc, WS_POPUP | WS_VISIBLE, 200, 150, 500, 400);
    ASSERT_TRUE(program_ && target_);
    sw::test::PumpMessages(100);
    enable_();
  }
  void TearDown() override {
    if (disable_) disable_();
    if (module_) FreeLibrary(module_);
    DestroyWindow(program_);
    DestroyWindow(target_);
    RestoreMouseButton();
    sw::test::PumpMessages(50);
    // Whatever happened, no button stays down.
    EXPECT_FALSE(GetAsyncKeyState(VK_RBUTTON) & 0x8000);
    EXPECT_FALSE(GetAsyncKeyState(VK_MBUTTON) & 0x8000);
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  }

  // Injects from another thread while this one, the hook's, runs its messages; then waits until
  // `done` or a second has passed.
  void Play(std::vector<Step> steps, const std::function<bool()>& done = [] { return false; }) {
    // Injected input does not move the X pointer, but a press passed on can leave it where it
    // was injected; park it away from the strokes, where a real pointer would not be.
    SetCursorPos(2, 2);
    sw::test::PumpMessages(20);
    HANDLE t = CreateThread(nullptr, 0, InjectSteps, &steps, 0, nullptr);
    ASSERT_NE(nullptr, t);
    sw::test::PumpUntil([&] {
      if (watch_) watch_();
      return WaitForSingleObject(t, 0) == WAIT_OBJECT_0;
    }, 20000);
    CloseHandle(t);
    sw::test::PumpUntil(done, 1000);
    sw::test::PumpMessages(100);
  }
  static bool Drawn() { return !g_seen.drawn.empty(); }

  void SetMouseButton(const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
      return;
    if (!saved_) {
      DWORD size = sizeof previous_ - 1;
      hadValue_ = RegQueryValueExA(key, "MouseBtn", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(previous_), &size) == ERROR_SUCCESS;
      saved_ = true;
    }
    // As Kurvo writes it: the text zero-padded to 512 bytes.
    char padded[512] = {};
    strncpy(padded, value, sizeof padded - 1);
    RegSetValueExA(key, "MouseBtn", 0, REG_SZ, reinterpret_cast<const BYTE*>(padded), sizeof padded);
    RegCloseKey(key);
  }
  void RestoreMouseButton() {
    HKEY key = nullptr;
    if (!saved_ || RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
      return;
    if (hadValue_)
      RegSetValueExA(key, "MouseBtn", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_), (DWORD)strlen(previous_) + 1);
    else
      RegDeleteValueA(key, "MouseBtn");
    RegCloseKey(key);
  }

  HMODULE module_ = nullptr;
  void(WINAPI* enable_)() = nullptr;
  void(WINAPI* disable_)() = nullptr;
  HWND program_ = nullptr, target_ = nullptr;
  std::function<void()> watch_;  // called while a stroke is being played
  bool saved_ = false, hadValue_ = false;
  char previous_[512] = {};
};

// A stand-in program window on a thread that stops running its messages until released.
struct Stuck {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI StuckProgram(void* p) {
  auto* s = static_cast<Stuck*>(p);
  HWND w = MakeWindow("Strokewise", ProgramProc, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  SetEvent(s->ready);
  WaitForSingleObject(s->release, 30000);
  DestroyWindow(w);
  return 0;
}

const DWORD kRDown = MOUSEEVENTF_RIGHTDOWN, kRUp = MOUSEEVENTF_RIGHTUP;
const std::vector<UINT> kRightClick = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU};

}  // namespace

TEST_F(Hook, StrokeIsHeldBackAndItsSymbolReported) {
  Play(Stroke(300, 300, 520, 300, kRDown, kRUp), Drawn);
  ASSERT_EQ(1u, g_seen.drawBegin.size());
  EXPECT_EQ(target_, g_seen.drawBegin[0]);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineRight, g_seen.drawn[0].first);
  EXPECT_EQ(target_, g_seen.drawn[0].second);
  EXPECT_TRUE(g_seen.target.empty()) << "the application saw the drawing button";

  // A stroke that is no symbol is reported as 0.
  g_seen = Seen();
  std::vector<Step> zigzag{{300, 300, kRDown, 20}};
  for (int i = 1; i <= 12; ++i) zigzag.push_back({300 + i * 15, i % 2 ? 420 : 300, 0, 8});
  for (int i = 1; i <= 12; ++i) zigzag.push_back({480 - i * 12, i % 3 ? 330 : 480, 0, 8});
  zigzag.push_back({330, 480, kRUp, 20});
  Play(zigzag, Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ(0u, g_seen.drawn[0].first);
  EXPECT_TRUE(g_seen.target.empty());
}

TEST_F(Hook, ShortClickReachesTheApplicationAsARealClick) {
  Play(Click(400, 300, kRDown, kRUp), [] { return g_seen.target.size() >= 3; });
  EXPECT_EQ(1u, g_seen.drawBegin.size());
  EXPECT_EQ(kRightClick, g_seen.target);
  EXPECT_TRUE(g_seen.drawn.empty());
}

TEST_F(Hook, LevelDecidesWhetherThePressWaits) {
  // Level 0: the application gets the button at once, and the stroke still counts.
  g_seen.level = 0;
  Play(Stroke(600, 200, 600, 450, kRDown, kRUp), Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineDown, g_seen.drawn[0].first);
  ASSERT_GE(g_seen.target.size(), 2u);
  EXPECT_EQ((UINT)WM_RBUTTONDOWN, g_seen.target[0]);
  EXPECT_EQ((UINT)WM_RBUTTONUP, g_seen.target[1]);
}

TEST_F(Hook, PressHeldStillHandsOverAtLevelOneButNotTwo) {
  auto heldThenMoved = [] {
    std::vector<Step> s{{300, 300, kRDown, 1000}};
    std::vector<Step> rest = Stroke(300, 300, 500, 300, 0, kRUp);
    s.insert(s.end(), rest.begin() + 1, rest.end());
    return s;
  };
  Play(heldThenMoved(), [] { return g_seen.target.size() >= 2; });
  EXPECT_TRUE(g_seen.drawn.empty());
  ASSERT_GE(g_seen.target.size(), 2u);
  EXPECT_EQ((UINT)WM_RBUTTONDOWN, g_seen.target[0]);
  EXPECT_EQ((UINT)WM_RBUTTONUP, g_seen.target[1]);

  g_seen = Seen();
  g_seen.level = 2;
  Play(heldThenMoved(), Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineRight, g_seen.drawn[0].first);
  EXPECT_TRUE(g_seen.target.empty());
}

TEST_F(Hook, SecondButtonCancelsTheStroke) {
  std::vector<Step> s{{300, 300, kRDown, 20}, {350, 300, 0, 10}, {400, 300, 0, 10},
                      {400, 300, MOUSEEVENTF_LEFTDOWN, 20}, {400, 300, MOUSEEVENTF_LEFTUP, 20},
                      {450, 300, 0, 10}, {500, 300, kRUp, 20}};
  Play(s);
  EXPECT_TRUE(g_seen.drawn.empty());
  std::vector<UINT> left = {WM_LBUTTONDOWN, WM_LBUTTONUP};
  EXPECT_EQ(left, g_seen.target);
}

TEST_F(Hook, WithoutTheProgramTheButtonIsUntouched) {
  DestroyWindow(program_);
  program_ = nullptr;
  Play(Stroke(300, 300, 500, 300, kRDown, kRUp), [] { return g_seen.target.size() >= 3; });
  EXPECT_EQ(kRightClick, g_seen.target);
  EXPECT_TRUE(g_seen.drawBegin.empty());
  EXPECT_TRUE(g_seen.drawn.empty());
}

TEST_F(Hook, ProgramThatDoesNotAnswerLetsTheClickPass) {
  DestroyWindow(program_);
  program_ = nullptr;
  Stuck stuck;
  HANDLE t = CreateThread(nullptr, 0, StuckProgram, &stuck, 0, nullptr);
  WaitForSingleObject(stuck.ready, 5000);
  DWORD start = GetTickCount();
  Play(Click(400, 300, kRDown, kRUp), [] { return g_seen.target.size() >= 3; });
  EXPECT_EQ(kRightClick, g_seen.target);
  EXPECT_LT(GetTickCount() - start, 5000u);
  SetEvent(stuck.release);
  WaitForSingleObject(t, 5000);
  CloseHandle(t);
  CloseHandle(stuck.ready);
  CloseHandle(stuck.release);
}

TEST_F(Hook, DisableHookStopsEverything) {
  disable_();
  Play(Stroke(300, 300, 500, 300, kRDown, kRUp), [] { return g_seen.target.size() >= 3; });
  EXPECT_EQ(kRightClick, g_seen.target);
  EXPECT_TRUE(g_seen.drawBegin.empty());
  EXPECT_TRUE(g_seen.drawn.empty());
  // And enabling again brings it back.
  g_seen = Seen();
  enable_();
  Play(Stroke(500, 300, 300, 300, kRDown, kRUp), Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineLeft, g_seen.drawn[0].first);
}

TEST_F(Hook, MiddleButtonWhenTheSettingSaysSo) {
  disable_();
  SetMouseButton("0");
  enable_();
  Play(Stroke(400, 450, 400, 200, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP), Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineUp, g_seen.drawn[0].first);
  EXPECT_TRUE(g_seen.target.empty());
  // The right button now belongs to the application alone.
  g_seen = Seen();
  Play(Stroke(300, 300, 500, 300, kRDown, kRUp), [] { return g_seen.target.size() >= 3; });
  EXPECT_EQ(kRightClick, g_seen.target);
  EXPECT_TRUE(g_seen.drawBegin.empty());
}

namespace {

// Every pointer move that reaches the system while the test's own low-level hook is in.
struct Moves {
  std::vector<POINT> points;
  int notInjected = 0;
};
Moves g_moves;

LRESULT CALLBACK RecordMoves(int code, WPARAM msg, LPARAM lp) {
  if (code == HC_ACTION && msg == WM_MOUSEMOVE) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
    g_moves.points.push_back(info->pt);
    if (!(info->flags & LLMHF_INJECTED)) ++g_moves.notInjected;
  }
  return CallNextHookEx(nullptr, code, msg, lp);
}

// Sets the Trail value for one test and deletes it afterwards.
struct TrailSetting {
  explicit TrailSetting(const char* value) {
    sw::test::SetRegString(HKEY_LOCAL_MACHINE, kSettingsKey, "Trail", value);
  }
  ~TrailSetting() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "Trail");
    RegCloseKey(key);
  }
};

}  // namespace

// The trail shows along the stroke and goes at release; the pointer stays where the input put
// it (no move comes from anywhere else), the application keeps the foreground and gets nothing.
// A trail that re-shapes a window under Wine the wrong way sends the X pointer's place as moves.
TEST_F(Hook, TrailFollowsTheStrokeWithoutTouchingPointerOrFocus) {
  HWND trail = FindWindowA("StrokewiseTrail", nullptr);
  ASSERT_NE(nullptr, trail);
  LONG_PTR ex = GetWindowLongPtrA(trail, GWL_EXSTYLE);
  LONG_PTR wanted = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  EXPECT_EQ(wanted, ex & wanted);
  EXPECT_FALSE(IsWindowVisible(trail));
  ASSERT_TRUE(sw::test::PumpUntil([&] {
    SetForegroundWindow(target_);
    return GetForegroundWindow() == target_;
  }, 3000));

  g_moves = Moves();
  HHOOK recorder = SetWindowsHookExA(WH_MOUSE_LL, RecordMoves, GetModuleHandleA(nullptr), 0);
  ASSERT_NE(nullptr, recorder);
  bool shown = false, lined = false, activeStayed = true;
  watch_ = [&] {
    shown = shown || IsWindowVisible(trail);
    RECT box = {};
    lined = lined || (GetWindowRgnBox(trail, &box) != NULLREGION && box.right - box.left > 100);
    activeStayed = activeStayed && GetForegroundWindow() == target_;
  };
  // Out and back over itself, slowly enough for the trail to paint under the pointer's path.
  std::vector<Step> s = Stroke(300, 300, 520, 300, kRDown, 0, 30);
  std::vector<Step> back = Stroke(520, 300, 300, 302, 0, kRUp, 30);
  s.insert(s.end(), back.begin() + 1, back.end());
  for (Step& step : s) step.pauseMs = step.buttons ? 40 : 15;
  Play(s, Drawn);
  watch_ = nullptr;
  UnhookWindowsHookEx(recorder);

  EXPECT_TRUE(shown);
  EXPECT_TRUE(lined) << "the window never took the line's shape";
  EXPECT_TRUE(activeStayed);
  EXPECT_TRUE(sw::test::PumpUntil([&] { return !IsWindowVisible(trail); }, 1000));
  // (Injected moves do not move the X pointer here, so GetCursorPos soon reports X's place.)
  EXPECT_EQ(0, g_moves.notInjected) << "moves that did not come from the input";
  ASSERT_FALSE(g_moves.points.empty());
  EXPECT_EQ(300, g_moves.points.back().x);
  EXPECT_EQ(302, g_moves.points.back().y);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_TRUE(g_seen.target.empty());
  EXPECT_EQ(target_, GetForegroundWindow());
}

TEST_F(Hook, TrailOffWhenTheSettingSaysSo) {
  disable_();
  TrailSetting off("0");
  enable_();
  EXPECT_EQ(nullptr, FindWindowA("StrokewiseTrail", nullptr));
  Play(Stroke(300, 300, 520, 300, kRDown, kRUp), Drawn);
  ASSERT_EQ(1u, g_seen.drawn.size());
  EXPECT_EQ((WPARAM)kLineRight, g_seen.drawn[0].first);
  // Disabling ends the trail's window with the hook.
  disable_();
  TrailSetting on("1");
  enable_();
  EXPECT_NE(nullptr, FindWindowA("StrokewiseTrail", nullptr));
  disable_();
  EXPECT_EQ(nullptr, FindWindowA("StrokewiseTrail", nullptr));
}
