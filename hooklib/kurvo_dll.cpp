// Entry points of kurvo.dll: the hook switched on and off, the number of symbols, and direct
// recognition and symbol names for tools and tests.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "hook.h"
#include "recognizer.h"
#include "symbols.h"

namespace {
HINSTANCE g_module = nullptr;
constexpr char kSettingsKey[] = "SOFTWARE\\Strokewise\\System";
// More points than any stroke has; keeps RecognizeStroke's work bounded.
constexpr int kMaxStrokePoints = 1 << 20;
}  // namespace

extern "C" {

// Installs the mouse hook in the calling thread with the button from the MouseBtn setting and
// the trail unless the Trail setting is 0.
void WINAPI EnableHook() {
  hooklib::HookOptions options;
  options.button = hooklib::ReadMouseButton(HKEY_LOCAL_MACHINE, kSettingsKey);
  options.trail = hooklib::ReadSettingNumber(HKEY_LOCAL_MACHINE, kSettingsKey, "Trail", 1) != 0;
  hooklib::StartHook(g_module, options);
}

void WINAPI DisableHook() { hooklib::StopHook(); }

// (1, 0) asks for the number of symbol ids N, 0 included: pictures 100 .. 100 + N - 1.
int32_t WINAPI DataExchange(int32_t what, int32_t) { return what == 1 ? hooklib::kIdCount : 0; }

// The symbol drawn by `points` (screen pixels, in drawing order), 0 when none.
int32_t WINAPI RecognizeStroke(const POINT* points, int32_t count) {
  if (!points || count < 2 || count > kMaxStrokePoints) return 0;
  hooklib::Path p(count);
  for (int32_t i = 0; i < count; ++i) p[i] = {(double)points[i].x, (double)points[i].y};
  return hooklib::SharedRecognizer().Recognize(p).id;
}

// Copies the symbol's name, cut to fit `size` with its terminating zero; returns the number of
// characters copied (0 for an unknown id or no room).
int32_t WINAPI SymbolName(int32_t id, char* buffer, int32_t size) {
  if (!buffer || size <= 0) return 0;
  const char* name = hooklib::SymbolNameOf(id);
  int32_t n = (int32_t)std::strlen(name);
  if (n > size - 1) n = size - 1;
  std::memcpy(buffer, name, n);
  buffer[n] = 0;
  return n;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // Freed while the process goes on: the hook must not outlive its code. (At process exit
    // the system removes it.)
    hooklib::StopHook();
  }
  return TRUE;
}
