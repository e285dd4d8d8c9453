// The editor's shared logical palette and the palette-aware form. The palette is made once at
// start from the system palette (256 entries) and deleted at the end; without it (handle 0)
// every palette step is skipped.
#pragma once
#include <windows.h>

#include "form.h"

namespace zw {

struct SharedPalette {
  HPALETTE handle = nullptr;
  void Create();
  void Destroy();
  // Selects the palette into a context as a background palette (no effect without one).
  void Select(HDC dc) const;
  // Selects it as foreground palette and realises it; returns the entries changed.
  UINT Realize(HDC dc) const;
};
SharedPalette& ThePalette();

// A form that realises the shared palette when it gains it or is shown.
class TZonForm : public Form {
 public:
  // Realises the palette in the form's context; invalidates the form when entries changed.
  bool RealizePalette();
 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnQueryNewPalette();
  LRESULT OnPaletteChanged(HWND from);
  LRESULT OnShowWindow(WPARAM wp, LPARAM lp);
};

}  // namespace zw
