// The hook library kurvo.dll: its three entry points, bound by name, and its pictures and icons.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace kurvo {

inline constexpr char kMissingHookText[] =
    "Couldn't find the Strokewise DLL.\nIt must be in the application directory.\nPlease re-install it.";

struct HookLibrary {
  using VoidFunction = void(WINAPI*)();
  using ExchangeFunction = int32_t(WINAPI*)(int32_t, int32_t);

  HMODULE module = nullptr;
  VoidFunction enableHook = nullptr;
  VoidFunction disableHook = nullptr;
  ExchangeFunction dataExchange = nullptr;

  bool Bind(const std::string& path);
  void Release();
  bool on = false;  // switched on and not off since: the hook is never installed twice

  // Unbound entry points are never called. `on` changes before the call: a message handled while
  // the library works sees the new state and does not switch again.
  void Switch(bool wanted) {
    VoidFunction call = wanted ? enableHook : disableHook;
    if (!call || wanted == on) return;
    on = wanted;
    call();
  }
  void Enable() { Switch(true); }
  void Disable() { Switch(false); }
  int32_t SymbolCount() const { return dataExchange ? dataExchange(1, 0) : 0; }
  // Picture of symbol `id` (bitmap 100 + id) and status icon `id` (100 to 104); null when missing.
  HBITMAP SymbolBitmap(int32_t id) const;
  HICON StatusIcon(int id, bool small) const;
};

}  // namespace kurvo
