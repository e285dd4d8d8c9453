// A stand-in for the hook library in tests: the three entry points, counting their calls, and
// eight symbol pictures with the five status icons.
#include <windows.h>

#include <cstdint>

namespace {
int32_t g_calls[3] = {};
}

extern "C" {
void WINAPI EnableHook() { ++g_calls[0]; }
void WINAPI DisableHook() { ++g_calls[1]; }
int32_t WINAPI DataExchange(int32_t what, int32_t) {
  ++g_calls[2];
  return what == 1 ? 8 : 0;
}
// Calls so far: 0 EnableHook, 1 DisableHook, 2 DataExchange.
int32_t WINAPI StubHookCalls(int32_t which) { return which >= 0 && which < 3 ? g_calls[which] : -1; }
}
