// A stand-in for the hook library in tests: the three entry points, counting their calls, and
// eight symbol pictures with the five status icons. A test may also be called back from inside
// EnableHook and DisableHook, to send messages while the program waits in the hook library.
#include <windows.h>

#include <cstdint>

namespace {
int32_t g_calls[3] = {};
bool g_on = false;
int32_t g_repeats = 0;  // EnableHook while on or DisableHook while off
using Listener = void(WINAPI*)(int32_t which);
Listener g_listener = nullptr;

void Switch(int32_t which, bool on) {
  ++g_calls[which];
  if (g_on == on) ++g_repeats;
  g_on = on;
  if (g_listener) g_listener(which);
}
}  // namespace

extern "C" {
void WINAPI EnableHook() { Switch(0, true); }
void WINAPI DisableHook() { Switch(1, false); }
int32_t WINAPI DataExchange(int32_t what, int32_t) {
  ++g_calls[2];
  return what == 1 ? 8 : 0;
}
// Calls so far: 0 EnableHook, 1 DisableHook, 2 DataExchange; 3 whether the hook is on now,
// 4 the switches that repeated the state the hook was in.
int32_t WINAPI StubHookCalls(int32_t which) {
  if (which >= 0 && which < 3) return g_calls[which];
  return which == 3 ? g_on : which == 4 ? g_repeats : -1;
}
void WINAPI StubHookListen(Listener listener) { g_listener = listener; }
}
