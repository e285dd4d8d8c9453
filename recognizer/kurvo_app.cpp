#include "kurvo_app.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "notices.h"

namespace kurvo {

void ShowAtStartup(HWND mainWindow, int startUpAutoHide) {
  if (startUpAutoHide == 0) ShowWindow(mainWindow, SW_SHOWMINIMIZED);
  else if (startUpAutoHide != 1) ShowWindow(mainWindow, SW_SHOWNORMAL);
}

namespace {

// A second start brings the running copy's window forward, restored when it is minimized. The
// show requests are posted: a busy running copy cannot hold this process up.
void ShowRunningCopy(HWND running) {
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  ShowWindowAsync(running, SW_SHOW);
  if (IsIconic(running)) ShowWindowAsync(running, SW_RESTORE);
  SetForegroundWindow(running);
}

}  // namespace

int RunKurvo(HINSTANCE instance, int show) {
  KurvoState& k = Kurvo();
  k.instance = instance;
  LoadSettings();
  BindHookLibrary();
  BindLanguageLibrary();
  if (HWND running = FindWindowA(kKurvoClass, nullptr)) {
    ShowRunningCopy(running);
    return 0;
  }
  if (!RegisterMainClass(instance)) return 0;
  HWND h = CreateMainWindow(instance);
  if (!h) return 0;
  ShowWindow(h, SW_HIDE);
  k.startupPhase = true;
  HWND previous = GetForegroundWindow();
  RunSplash(h);
  ShowAtStartup(h, k.settings.startUpAutoHide);
  // Closing the splash activates its owner, the main window, even when it stays hidden or
  // minimized: give the foreground back, so that what the user types does not go to a window
  // they cannot see.
  if (!IsWindowVisible(h) || IsIconic(h)) {
    if (previous && previous != h && IsWindow(previous)) SetForegroundWindow(previous);
  }
  LoadSettings();
  k.startupPhase = false;
  AddTrayIcon();
  SetTrayState(IDI_STATUS_READY, IDS_TRAY_TIP);

  HACCEL accelerators = LoadAcceleratorsA(instance, KURVO_ACCELERATORS);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (accelerators && TranslateAcceleratorA(k.mainWindow ? k.mainWindow : msg.hwnd, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace kurvo
