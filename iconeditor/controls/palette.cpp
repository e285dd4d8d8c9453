#include "palette.h"

#include <vector>

namespace zw {

SharedPalette& ThePalette() {
  static SharedPalette p;
  return p;
}

void SharedPalette::Create() {
  if (handle) return;
  std::vector<BYTE> buf(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 256;
  HDC dc = GetDC(nullptr);
  GetSystemPaletteEntries(dc, 0, 256, lp->palPalEntry);
  ReleaseDC(nullptr, dc);
  handle = CreatePalette(lp);
}

void SharedPalette::Destroy() {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

void SharedPalette::Select(HDC dc) const {
  if (handle) SelectPalette(dc, handle, TRUE);
}

UINT SharedPalette::Realize(HDC dc) const {
  if (!handle) return 0;
  SelectPalette(dc, handle, FALSE);
  return ::RealizePalette(dc);
}

bool TZonForm::RealizePalette() {
  if (!ThePalette().handle || !hwnd) return false;
  HDC dc = GetDC(hwnd);
  UINT changed = ThePalette().Realize(dc);
  ReleaseDC(hwnd, dc);
  if (changed && changed != GDI_ERROR) InvalidateRect(hwnd, nullptr, TRUE);
  return true;
}

LRESULT TZonForm::OnQueryNewPalette() { return RealizePalette() ? 1 : 0; }

LRESULT TZonForm::OnPaletteChanged(HWND from) {
  if (from == hwnd) return 0;
  if (ThePalette().handle) InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT TZonForm::OnShowWindow(WPARAM wp, LPARAM lp) {
  if (wp) RealizePalette();
  return Form::WndProc(WM_SHOWWINDOW, wp, lp);
}

LRESULT TZonForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_QUERYNEWPALETTE: return OnQueryNewPalette();
    case WM_PALETTECHANGED: return OnPaletteChanged(reinterpret_cast<HWND>(wp));
    case WM_SHOWWINDOW: return OnShowWindow(wp, lp);
    default: return Form::WndProc(msg, wp, lp);
  }
}

}  // namespace zw
