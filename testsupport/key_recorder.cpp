#include "key_recorder.h"

#include <cstdio>

namespace sw::test {

static KeyRecorder* active = nullptr;
static constexpr unsigned kMarker = VK_F24;

std::vector<KeyEvent> Tap(unsigned vk) { return {Down(vk), Up(vk)}; }

std::string Describe(const std::vector<KeyEvent>& events) {
  std::string s;
  for (const KeyEvent& e : events) {
    char buf[16];
    snprintf(buf, sizeof buf, "%s%s%u", s.empty() ? "" : " ", e.up ? "U" : "D", e.vk);
    s += buf;
  }
  return s;
}

static unsigned FoldModifier(unsigned vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

KeyRecorder::KeyRecorder() {
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  active = this;
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  WaitForSingleObject(ready_, 5000);
}

KeyRecorder::~KeyRecorder() {
  if (thread_) {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
  }
  CloseHandle(ready_);
  active = nullptr;
}

DWORD WINAPI KeyRecorder::ThreadMain(void* param) {
  auto* self = static_cast<KeyRecorder*>(param);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // give the thread its queue
  self->hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, HookProc, GetModuleHandleA(nullptr), 0);
  SetEvent(self->ready_);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  if (self->hook_) UnhookWindowsHookEx(self->hook_);
  self->hook_ = nullptr;
  return 0;
}

LRESULT CALLBACK KeyRecorder::HookProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && active) {
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
    const bool up = wp == WM_KEYUP || wp == WM_SYSKEYUP;
    std::lock_guard<std::mutex> g(active->lock_);
    active->events_.push_back({FoldModifier(k->vkCode), up});
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

std::vector<KeyEvent> KeyRecorder::Collect(DWORD ms) {
  keybd_event(kMarker, 0, 0, 0);
  keybd_event(kMarker, 0, KEYEVENTF_KEYUP, 0);
  const DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> g(lock_);
      for (size_t i = 0; i + 1 < events_.size(); ++i) {
        if (events_[i].vk == kMarker && events_[i + 1].vk == kMarker) {
          std::vector<KeyEvent> out(events_.begin(), events_.begin() + i);
          events_.erase(events_.begin(), events_.begin() + i + 2);
          return out;
        }
      }
      if (GetTickCount() - start > ms) {
        std::vector<KeyEvent> out;
        out.swap(events_);
        return out;
      }
    }
    Sleep(5);
  }
}

std::vector<KeyEvent> KeyRecorder::WaitFor(size_t count, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      std::lock_guard<std::mutex> g(lock_);
      if (events_.size() >= count || GetTickCount() - start > ms) {
        std::vector<KeyEvent> out;
        out.swap(events_);
        return out;
      }
    }
    Sleep(5);
  }
}

void ReleaseModifiers() {
  for (BYTE vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    if (GetAsyncKeyState(vk) & 0x8000) keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
  }
}

}  // namespace sw::test
