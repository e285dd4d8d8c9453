// The start-up splash: Kurvo's own dialog with its bitmap, shown while the default scheme loads.
#include <windows.h>

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "schemes.h"

namespace kurvo {

namespace {

constexpr UINT WM_SPLASH_WORK = WM_APP + 1;
constexpr int kSplashWidth = 172, kSplashHeight = 47;

void OnSplashInit(HWND h) {
  LoadSettings();
  SetWindowPos(h, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - kSplashWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - kSplashHeight) / 2, kSplashWidth, kSplashHeight, 0);
  if (HWND picture = GetDlgItem(h, IDC_SPLASH_PICTURE))
    SetWindowPos(picture, nullptr, 0, 0, kSplashWidth, kSplashHeight, SWP_NOZORDER);
  PostMessageA(h, WM_SPLASH_WORK, 0, 0);
}

// Runs once the splash has painted: loads the default scheme into the main window.
void OnSplashWork(HWND h) {
  KurvoState& k = Kurvo();
  UpdateWindow(h);
  HCURSOR previous = SetCursor(nullptr);
  DWORD start = GetTickCount();
  ScanSchemes();
  k.currentScheme = kDefaultScheme;
  ReadSchemeHeader();
  ReadAllShortcuts();
  SelectSchemeEntry(SchemeEntryName(k.header, k.currentScheme), k.header.version);
  RefreshShortcutList();
  SetStatusText(Str(IDS_READY));
  SelectSymbolSlot(0);
  k.header.name = Str(IDS_DEFAULT, kAppNameChars);
  DWORD elapsed = GetTickCount() - start;
  if (elapsed < 1000) Sleep(1000 - elapsed);
  SetCursor(previous ? previous : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  EndDialog(h, 1);
}

INT_PTR CALLBACK SplashProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: OnSplashInit(h); return TRUE;
    case WM_SPLASH_WORK: OnSplashWork(h); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void RunSplash(HWND owner) {
  DialogBoxParamA(Kurvo().instance, MAKEINTRESOURCEA(IDD_SPLASH), owner, SplashProc, 0);
}

}  // namespace kurvo
