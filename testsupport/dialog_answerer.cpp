#include "dialog_answerer.h"

namespace sw::test {

static thread_local DialogAnswerer* current = nullptr;

std::string WindowText(HWND h) {
  char buf[4096] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

DialogAnswerer::DialogAnswerer() {
  previous_ = current;
  current = this;
  hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
  showHook_ = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, nullptr, GetCurrentThreadId());
  timer_ = SetTimer(nullptr, 0, 200, TimerProc);
}

DialogAnswerer::~DialogAnswerer() {
  if (timer_) KillTimer(nullptr, timer_);
  if (showHook_) UnhookWindowsHookEx(showHook_);
  if (hook_) UnhookWindowsHookEx(hook_);
  current = previous_;
}

LRESULT CALLBACK DialogAnswerer::CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && current) current->OnActivate(reinterpret_cast<HWND>(wp));
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK DialogAnswerer::CallWndProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && current) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if ((m->message == WM_SHOWWINDOW && !m->wParam) || m->message == WM_DESTROY) current->handled_.erase(m->hwnd);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK DialogAnswerer::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (current) EnumThreadWindows(GetCurrentThreadId(), FindUnanswered, reinterpret_cast<LPARAM>(current));
}

BOOL CALLBACK DialogAnswerer::FindUnanswered(HWND h, LPARAM self) {
  if (IsWindowVisible(h)) reinterpret_cast<DialogAnswerer*>(self)->OnActivate(h);
  return TRUE;
}

void DialogAnswerer::OnActivate(HWND h) {
  char cls[64] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (!classes_.count(cls) || handled_.count(h)) return;
  handled_.insert(h);

  SeenDialog seen;
  seen.caption = WindowText(h);
  if (HWND text = GetDlgItem(h, 0xFFFF)) seen.text = WindowText(text);

  int button = handler_ ? handler_(h) : 0;
  if (button == 0) {
    if (answers_.empty()) {
      button = IDOK;
    } else {
      button = answers_.front();
      answers_.pop_front();
    }
  }
  seen.answer = button;
  seen_.push_back(seen);
  if (button > 0) PostMessageA(h, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

}  // namespace sw::test
