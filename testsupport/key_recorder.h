// Records keyboard events system-wide with a low-level keyboard hook on a thread of its own, so
// a test sees exactly what code under test injected, in order. Left/right modifier codes are
// folded into 16, 17 and 18 (injected Shift arrives as 16, real keys as 160).
#pragma once
#include <windows.h>
#include <mutex>
#include <string>
#include <vector>

namespace sw::test {

struct KeyEvent {
  unsigned vk = 0;
  bool up = false;
  bool operator==(const KeyEvent& o) const { return vk == o.vk && up == o.up; }
};

// Shorthands for building expected sequences: Down(17), Up('C').
inline KeyEvent Down(unsigned vk) { return {vk, false}; }
inline KeyEvent Up(unsigned vk) { return {vk, true}; }
// A key pressed and released at once.
std::vector<KeyEvent> Tap(unsigned vk);
// "D17 D67 U67 U17" for readable failure messages.
std::string Describe(const std::vector<KeyEvent>& events);

class KeyRecorder {
 public:
  KeyRecorder();   // installs the hook and waits until it is active
  ~KeyRecorder();  // removes it
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  bool Active() const { return hook_ != nullptr; }
  // Injects a marker key (F24), waits until it has been recorded, and returns every event
  // recorded before it, clearing the record. Returns what was seen if the marker never comes
  // within `ms`.
  std::vector<KeyEvent> Collect(DWORD ms = 5000);
  // Waits until `count` events are recorded (or `ms` passes) and returns them, clearing the record.
  std::vector<KeyEvent> WaitFor(size_t count, DWORD ms = 5000);

 private:
  static DWORD WINAPI ThreadMain(void* self);
  static LRESULT CALLBACK HookProc(int code, WPARAM wp, LPARAM lp);

  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
  HHOOK hook_ = nullptr;
  std::mutex lock_;
  std::vector<KeyEvent> events_;
};

// Releases Shift, Control and Alt if a test left one down.
void ReleaseModifiers();

}  // namespace sw::test
