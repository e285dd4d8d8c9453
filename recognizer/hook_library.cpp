#include "hook_library.h"

#include "hooklib/hook_ids.h"

namespace kurvo {

namespace {
template <typename F>
F Entry(HMODULE m, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}
}  // namespace

bool HookLibrary::Bind(const std::string& path) {
  Release();
  module = LoadLibraryA(path.c_str());
  if (!module) return false;
  enableHook = Entry<VoidFunction>(module, "EnableHook");
  disableHook = Entry<VoidFunction>(module, "DisableHook");
  dataExchange = Entry<ExchangeFunction>(module, "DataExchange");
  return true;
}

void HookLibrary::Release() {
  if (module) FreeLibrary(module);
  module = nullptr;
  enableHook = disableHook = nullptr;
  dataExchange = nullptr;
  on = false;
}

HBITMAP HookLibrary::SymbolBitmap(int32_t id) const {
  if (!module || id < 0 || id > 0xFFFF - IDB_SYMBOL_BASE) return nullptr;
  return LoadBitmapA(module, MAKEINTRESOURCEA(IDB_SYMBOL_BASE + id));
}

HICON HookLibrary::StatusIcon(int id, bool small) const {
  if (!module) return nullptr;
  int size = small ? 16 : 0;
  return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size,
                                       small ? 0 : LR_DEFAULTSIZE));
}

}  // namespace kurvo
