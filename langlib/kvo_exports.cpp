// The library's entry points: Tamrin (keystroke text), Velsor (plain text) and DllEntryPoint,
// which keeps the module handle for callers that hand it the standard entry arguments.
#include <windows.h>

#include "keystrokes.h"

namespace {

// The one key queue of the process; Tamrin and Velsor must not run at the same time.
kvo::KeyEventQueue g_queue;

struct EntryState {
  HINSTANCE module = nullptr;
  LONG attachCount = 0;
};
EntryState g_entry;

int32_t ParseAndReplay(int32_t (*parse)(const char*, kvo::KeyEventQueue&, kvo::LayoutLookup), const char* text) {
  const int32_t result = parse(text, g_queue, VkKeyScanA);
  if (result == kvo::kKeyOk) kvo::ReplayKeyEvents(g_queue);
  return result;
}

}  // namespace

extern "C" {

LONG WINAPI Tamrin(const char* text) { return ParseAndReplay(kvo::ParseKeystrokes, text); }

LONG WINAPI Velsor(const char* text) { return ParseAndReplay(kvo::ParseLiteralText, text); }

// Exported as DllEntryPoint (the .def file renames it): the C runtime's start-up calls a
// function of that name itself, and this one must only run when a caller asks for it.
BOOL WINAPI KvoDllEntryPoint(HINSTANCE module, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_entry.module = module;
      return ++g_entry.attachCount == 1;
    case DLL_PROCESS_DETACH:
      if (g_entry.attachCount > 0 && --g_entry.attachCount == 0) g_entry.module = nullptr;
      return TRUE;
    default:
      return TRUE;
  }
}

// The library's own start-up accepts every attach and detach.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

}  // extern "C"
