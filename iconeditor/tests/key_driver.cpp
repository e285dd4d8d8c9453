// Types keys into whatever window has the focus, as a keyboard would (the system's input queue),
// for looking at the editor's dialogs driven from the keyboard. Not delivered.
// Usage: zwicon_keys STEP...   where a step is a key ("tab", "enter", "down", "f"), a chord
// ("ctrl+o", "alt+l", "shift+tab"), "text:WORDS" (typed as is), "click:X,Y" (the left button
// at a screen point) or "sleep:MS".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static void Send(WORD vk, bool up) {
  keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyA(vk, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
}

static WORD Named(const std::string& k) {
  static const struct { const char* n; WORD vk; } names[] = {
      {"tab", VK_TAB},   {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"up", VK_UP},       {"down", VK_DOWN},
      {"left", VK_LEFT}, {"right", VK_RIGHT},  {"space", VK_SPACE}, {"bksp", VK_BACK}, {"end", VK_END}};
  for (auto& n : names)
    if (k == n.n) return n.vk;
  if (k.size() == 1) return static_cast<WORD>(VkKeyScanA(k[0]) & 0xFF);
  return 0;
}

// A key with optional modifiers: "ctrl+alt+x".
static void Chord(std::string s) {
  WORD mods[3];
  int n = 0;
  for (;;) {
    size_t plus = s.find('+');
    if (plus == std::string::npos || plus == s.size() - 1) break;
    std::string m = s.substr(0, plus);
    s = s.substr(plus + 1);
    if (n < 3) mods[n++] = m == "ctrl" ? VK_CONTROL : m == "alt" ? VK_MENU : VK_SHIFT;
  }
  WORD vk = Named(s);
  if (!vk) {
    std::fprintf(stderr, "unknown key %s\n", s.c_str());
    return;
  }
  for (int i = 0; i < n; ++i) Send(mods[i], false);
  Send(vk, false);
  Send(vk, true);
  for (int i = n - 1; i >= 0; --i) Send(mods[i], true);
}

static void Text(const std::string& t) {
  for (char c : t) {
    SHORT k = VkKeyScanA(c);
    if (k & 0x100) Send(VK_SHIFT, false);
    Send(k & 0xFF, false);
    Send(k & 0xFF, true);
    if (k & 0x100) Send(VK_SHIFT, true);
    Sleep(10);
  }
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string s = argv[i];
    if (s.rfind("sleep:", 0) == 0) Sleep(static_cast<DWORD>(std::atoi(s.c_str() + 6)));
    else if (s.rfind("text:", 0) == 0) Text(s.substr(5));
    else if (s.rfind("click:", 0) == 0) {
      int x = 0, y = 0;
      std::sscanf(s.c_str() + 6, "%d,%d", &x, &y);
      SetCursorPos(x, y);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    else Chord(s);
    Sleep(80);
  }
  return 0;
}
