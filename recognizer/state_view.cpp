#include "state_view.h"

#include <windows.h>
#include <shellapi.h>

#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "notices.h"
#include "text_util.h"

namespace kurvo {

namespace {

// Rounds before SyncView leaves the rest to a posted request, so that a stream of messages
// arriving during the effects cannot keep it busy.
constexpr int kMaxRounds = 8;

void ApplyMenu(KurvoState& k) {
  if (!k.view.menuStale) return;
  k.view.menuStale = false;
  if (!k.menu) return;
  std::string text = Str(k.settings.recognitionEnabled ? IDS_DISABLE : IDS_ENABLE);
  ModifyMenuA(k.menu, IDM_TOGGLE_ENABLE, MF_BYCOMMAND | MF_STRING, IDM_TOGGLE_ENABLE, text.c_str());
  if (k.mainWindow) DrawMenuBar(k.mainWindow);
}

void ApplyTray(KurvoState& k) {
  if (k.view.trayAddPending && k.mainWindow) {
    k.view.trayAddPending = false;
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = k.mainWindow;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    // A restart notice while the icon still exists (no real restart): adding fails, the icon is
    // there all the same and must still be removed at the end.
    k.trayIconAdded = Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
  }
  if (!k.view.trayStale) return;
  k.view.trayStale = false;
  const int icon = k.trayIcon;
  const std::string tip = k.trayTip;
  // The minimized window's icon is swapped before the shell call, so a repaint meanwhile draws
  // the new one.
  HICON large = k.hook.StatusIcon(icon, false);
  if (k.minimizedIcon) DestroyIcon(k.minimizedIcon);
  k.minimizedIcon = large;
  HICON small = k.hook.StatusIcon(icon, true);
  if (k.mainWindow) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = k.mainWindow;
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = small;
    lstrcpynA(data.szTip, tip.c_str(), sizeof data.szTip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
  }
  if (small) DestroyIcon(small);
  if (k.mainWindow && IsIconic(k.mainWindow)) {
    InvalidateRect(k.mainWindow, nullptr, TRUE);
    UpdateWindow(k.mainWindow);
  }
}

}  // namespace

bool HookWanted() {
  const KurvoState& k = Kurvo();
  return k.settings.recognitionEnabled && k.configDialogs == 0 && !k.closing;
}

void SyncView() {
  KurvoState& k = Kurvo();
  if (k.view.running) {
    k.view.again = true;
    return;
  }
  k.view.running = true;
  for (int round = 1;; ++round) {
    k.view.again = false;
    ApplyMenu(k);
    ApplyTray(k);
    k.hook.Switch(HookWanted());
    if (!k.view.again) break;
    if (round == kMaxRounds) {
      if (k.mainWindow) PostMessageA(k.mainWindow, WM_KURVO_SYNC, 0, 0);
      break;
    }
  }
  k.view.running = false;
  ReleaseLibrariesIfClosed();
}

void SetRecognition(bool enabled) {
  KurvoState& k = Kurvo();
  k.settings.recognitionEnabled = enabled;
  k.feedbackCountdown = -1;
  k.view.menuStale = true;
  SetTrayState(enabled ? IDI_STATUS_READY : IDI_STATUS_DISABLED,
               enabled ? IDS_TRAY_TIP : IDS_CLICK_TO_ENABLE);
}

void SetTrayState(int iconId, UINT tipId) {
  KurvoState& k = Kurvo();
  k.trayIcon = iconId;
  k.trayTip = Cut(Str(tipId, 127), 63);
  k.view.trayStale = true;
  SyncView();
}

void AddTrayIcon() {
  Kurvo().view.trayAddPending = true;
  SyncView();
}

}  // namespace kurvo
