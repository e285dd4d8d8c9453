#include "hook.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "hook_ids.h"
#include "recognizer.h"
#include "trail.h"

namespace hooklib {
namespace {

constexpr char kRelayClass[] = "StrokewiseHookRelay";
constexpr UINT_PTR kHoldTimer = 1;
// Posted to the relay window: follow-ups done outside the hook callback, which must stay short.
constexpr UINT kMsgReplayClick = WM_APP + 1;
constexpr UINT kMsgReplayPress = WM_APP + 2;

// The hook's process-wide state: one hook per process.
struct HookState {
  HHOOK hook = nullptr;
  HWND relay = nullptr;  // message-only window on the hook's thread
  HINSTANCE module = nullptr;
  HookOptions options;
  StrokeCapture capture;
  HWND notify = nullptr;  // the recognizer program's window for the stroke in progress
  HWND target = nullptr;  // top-level window the stroke began over
  Trail trail;
  bool trailShown = false;  // the trail has been told about the stroke in progress
};
HookState g_state;

struct ButtonMessages {
  WPARAM down, up;
  DWORD injectDown, injectUp;
};

ButtonMessages MessagesOf(Button b) {
  switch (b) {
    case Button::kLeft:
      return {WM_LBUTTONDOWN, WM_LBUTTONUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    case Button::kMiddle:
      return {WM_MBUTTONDOWN, WM_MBUTTONUP, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};
    default:
      return {WM_RBUTTONDOWN, WM_RBUTTONUP, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
  }
}

bool IsButtonDown(WPARAM msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_XBUTTONDOWN;
}

// Injects button events at the pointer's current place, marked as the library's own.
void Inject(std::initializer_list<DWORD> flags) {
  INPUT in[2] = {};
  UINT n = 0;
  for (DWORD f : flags) {
    in[n].type = INPUT_MOUSE;
    in[n].mi.dwFlags = f;
    in[n].mi.dwExtraInfo = kInjectedMarker;
    ++n;
  }
  SendInput(n, in, sizeof(INPUT));
}

void CarryOut(FollowUp f) {
  HookState& s = g_state;
  switch (f) {
    case FollowUp::kReplayClick:
      PostMessageA(s.relay, kMsgReplayClick, 0, 0);
      break;
    case FollowUp::kReplayPress:
      KillTimer(s.relay, kHoldTimer);
      PostMessageA(s.relay, kMsgReplayPress, 0, 0);
      break;
    case FollowUp::kRecognize: {
      // Recognition takes well under a millisecond; the notice is posted so that whatever the
      // program does with it runs after the mouse event has gone on.
      int id = SharedRecognizer().Recognize(s.capture.Points()).id;
      if (IsWindow(s.notify))
        PostMessageA(s.notify, WM_SYMBOLDRAWN, (WPARAM)id, (LPARAM)s.target);
      break;
    }
    case FollowUp::kNone:
      break;
  }
}

// The chosen button went down: ask for the level of the window under the pointer.
Verdict OnPress(Pt at, DWORD time) {
  HookState& s = g_state;
  KillTimer(s.relay, kHoldTimer);
  s.notify = FindWindowA(s.options.notifyClass, nullptr);
  POINT p{(LONG)at.x, (LONG)at.y};
  HWND under = WindowFromPoint(p);
  s.target = under ? GetAncestor(under, GA_ROOT) : nullptr;
  int level = -1;
  DWORD_PTR answer = 0;
  if (s.notify && SendMessageTimeoutA(s.notify, WM_DRAWBEGIN, 0, (LPARAM)s.target,
                                      SMTO_ABORTIFHUNG, s.options.answerTimeoutMs, &answer))
    level = (int)(LONG_PTR)answer < 0 ? 0 : (int)(LONG_PTR)answer;
  Verdict v = s.capture.Press(at, time, level);
  if (s.capture.WantsHoldTimer()) SetTimer(s.relay, kHoldTimer, s.options.capture.holdMs, nullptr);
  return v;
}

POINT ToPoint(Pt p) { return {(LONG)p.x, (LONG)p.y}; }

// Tells the trail about the event just handled: a stroke that shows begins, grows or ends.
void FollowTrail(Pt at) {
  HookState& s = g_state;
  if (!s.trail.Running()) return;
  bool showing = s.capture.Showing();
  if (showing && !s.trailShown) {
    const Path& points = s.capture.Points();
    s.trail.Begin(ToPoint(points.front()));
    for (size_t i = 1; i < points.size(); ++i) s.trail.Add(ToPoint(points[i]));
  } else if (showing) {
    s.trail.Add(ToPoint(at));
  } else if (s.trailShown) {
    s.trail.End();
  }
  s.trailShown = showing;
}

LRESULT CALLBACK MouseProc(int code, WPARAM msg, LPARAM lp) {
  HookState& s = g_state;
  if (code != HC_ACTION || !s.hook) return CallNextHookEx(nullptr, code, msg, lp);
  const MSLLHOOKSTRUCT* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
  if ((info->flags & LLMHF_INJECTED) && info->dwExtraInfo == kInjectedMarker)
    return CallNextHookEx(nullptr, code, msg, lp);

  ButtonMessages b = MessagesOf(s.options.button);
  Pt at{(double)info->pt.x, (double)info->pt.y};
  Verdict v = Verdict::kPass;
  FollowUp follow = FollowUp::kNone;
  if (msg == b.down) {
    // A press while a stroke is still open (its release went missing) starts afresh.
    if (s.capture.state() != StrokeCapture::State::kIdle) s.capture.Reset();
    v = OnPress(at, info->time);
  } else if (msg == b.up) {
    KillTimer(s.relay, kHoldTimer);
    v = s.capture.Release(at, info->time, &follow);
  } else if (msg == WM_MOUSEMOVE) {
    v = s.capture.Move(at, info->time, &follow);
  } else if (IsButtonDown(msg)) {
    KillTimer(s.relay, kHoldTimer);
    s.capture.OtherButton();
  }
  CarryOut(follow);
  FollowTrail(at);
  return v == Verdict::kHoldBack ? 1 : CallNextHookEx(nullptr, code, msg, lp);
}

// The held-back press was a click: the application gets press and release now.
void OnReplayClick() {
  ButtonMessages b = MessagesOf(g_state.options.button);
  Inject({b.injectDown, b.injectUp});
}

// The press was held still: the application gets it now and the rest of the drag.
void OnReplayPress() { Inject({MessagesOf(g_state.options.button).injectDown}); }

void OnHoldTimer(HWND relay) {
  KillTimer(relay, kHoldTimer);
  POINT p = {};
  GetCursorPos(&p);
  CarryOut(g_state.capture.HoldElapsed({(double)p.x, (double)p.y}));
}

LRESULT CALLBACK RelayProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kMsgReplayClick: OnReplayClick(); return 0;
    case kMsgReplayPress: OnReplayPress(); return 0;
    case WM_TIMER: OnHoldTimer(h); return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

namespace {

// Decimal text as the settings store numbers: leading blanks, an optional sign, digits up to the
// first non-digit; no digit gives 0. Large values stop growing instead of overflowing.
int32_t DecimalValue(const char* text, size_t length) {
  size_t i = 0;
  while (i < length && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  bool negative = i < length && text[i] == '-';
  if (i < length && (text[i] == '-' || text[i] == '+')) ++i;
  int64_t v = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
    if (v < INT32_MAX) v = v * 10 + (text[i] - '0');
  if (v > INT32_MAX) v = INT32_MAX;
  return (int32_t)(negative ? -v : v);
}

}  // namespace

int32_t ReadSettingNumber(HKEY root, const char* path, const char* name, int32_t missing) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return missing;
  int32_t value = missing;
  // Kurvo and Install pad the text with zeros to a whole 512-byte buffer, others write just the
  // text: the size is asked first and the buffer made to fit.
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    if (type == REG_DWORD && size == sizeof(DWORD)) {
      DWORD d = 0;
      if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&d), &size) == ERROR_SUCCESS)
        value = (int32_t)d;
    } else if ((type == REG_SZ || type == REG_EXPAND_SZ) && size <= kMaxSettingBytes) {
      std::vector<char> text(size + 1, 0);
      if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) ==
          ERROR_SUCCESS)
        value = DecimalValue(text.data(), strnlen(text.data(), size));
    }
  }
  RegCloseKey(key);
  return value;
}

Button ReadMouseButton(HKEY root, const char* path) {
  if (ReadSettingNumber(root, path, "MouseBtn", 1) == 0) return Button::kMiddle;
  return GetSystemMetrics(SM_SWAPBUTTON) ? Button::kLeft : Button::kRight;
}

bool StartHook(HINSTANCE module, const HookOptions& options) {
  StopHook();
  HookState& s = g_state;
  s.module = module;
  s.options = options;
  s.capture = StrokeCapture(options.capture);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RelayProc;
  wc.hInstance = module;
  wc.lpszClassName = kRelayClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  s.relay = CreateWindowExA(0, kRelayClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
  SharedRecognizer();  // build the templates now, not during the first stroke
  if (options.trail) s.trail.Start();  // without it strokes work as before
  s.hook = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, module, 0);
  if (!s.hook) StopHook();
  return s.hook != nullptr;
}

void StopHook() {
  HookState& s = g_state;
  if (s.hook) UnhookWindowsHookEx(s.hook);
  s.hook = nullptr;
  if (s.relay) {
    KillTimer(s.relay, kHoldTimer);
    DestroyWindow(s.relay);
  }
  s.relay = nullptr;
  // The class names this module's procedure: a later load may be at another address.
  if (s.module) UnregisterClassA(kRelayClass, s.module);
  s.capture.Reset();
  s.trail.Stop();
  s.trailShown = false;
}

bool HookRunning() { return g_state.hook != nullptr; }

}  // namespace hooklib
