#include "notices.h"

#include <shellapi.h>

#include "actions.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "schemes.h"
#include "text_util.h"

namespace kurvo {

const char* const kSystemSoundNames[6] = {"SystemAsterisk", "SystemExclamation", "SystemExit",
                                          "SystemHand",     "SystemQuestion",    "SystemStart"};

namespace {

std::string WindowClassOf(HWND h) {
  char buffer[512] = {};
  GetClassNameA(h, buffer, sizeof buffer);
  return buffer;
}

std::string WindowTitleOf(HWND h) {
  char buffer[512] = {};
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

// Reads the class of the window of a notice into the focused application.
void NoteTarget(HWND target) {
  KurvoState& k = Kurvo();
  k.focused.window = target;
  k.focused.windowClass = WindowClassOf(target);
}

bool IsOwnWindow() {
  KurvoState& k = Kurvo();
  return k.settings.recognitionEnabled && k.focused.windowClass == kKurvoClass;
}

// Chooses the scheme for the focused window; the class travels in the header's class field.
void ChooseScheme() {
  KurvoState& k = Kurvo();
  k.focused.titlePrefix = TitlePrefix(WindowTitleOf(k.focused.window));
  k.header.windowClass = Cut(k.focused.windowClass, kWindowClassChars);
  k.currentScheme = SelectSchemeForWindow(k.schemes, k.focused.windowClass, k.focused.titlePrefix);
}

}  // namespace

bool IsSystemSoundName(const std::string& name) {
  for (const char* s : kSystemSoundNames)
    if (EqualNoCase(name, s)) return true;
  return false;
}

LRESULT OnDrawBegin(HWND target) {
  KurvoState& k = Kurvo();
  if (k.startupPhase) return 1;
  NoteTarget(target);
  if (IsOwnWindow()) return 1;
  ChooseScheme();
  k.focused.applicationClass = k.focused.windowClass;
  if (EqualNoCase(k.currentScheme, kDefaultScheme)) k.header.windowClass.clear();
  ReadSchemeHeader();
  SelectSchemeEntry(k.header.name, k.header.version);
  if (k.mainWindow) {
    if (k.settings.autoHide == 0) ShowWindow(k.mainWindow, SW_MINIMIZE);
    else if (k.settings.autoHide == 1) ShowWindow(k.mainWindow, SW_HIDE);
  }
  return k.header.level;
}

LRESULT OnSymbolDrawn(int32_t symbolId, HWND target) {
  KurvoState& k = Kurvo();
  NoteTarget(target);
  if (k.startupPhase) return 1;
  if (IsOwnWindow()) return 1;
  ChooseScheme();
  if (k.currentScheme != k.loadedScheme) {
    k.focused.applicationClass = k.focused.windowClass;
    k.loadedScheme = k.currentScheme;
    if (EqualNoCase(k.currentScheme, kDefaultScheme)) k.header.windowClass.clear();
    ReadSchemeHeader();
    ReadAllShortcuts();
    RefreshShortcutList();
  }
  if (symbolId == 0) {
    SetStatusText(Str(IDS_NOT_RECOGNIZED));
    k.feedbackCountdown = 6;
    SetTrayState(ICON_NOT_RECOGNIZED, IDS_NOT_RECOGNIZED);
    if (k.settings.soundNot == 1 && !k.settings.soundNameNot.empty()) PlayEventSound(k.settings.soundNameNot);
    return 0;
  }
  SetStatusText(Str(IDS_READY));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const ShortcutRecord& r = k.shortcuts[slot];
    if (r.symbolId != symbolId) continue;
    SelectSymbolSlot(slot);
    SetStatusText(Str(IDS_RECOGNIZED));
    k.feedbackCountdown = 6;
    SetTrayState(ICON_RECOGNIZED, IDS_RECOGNIZED);
    if (k.settings.sound == 1 && !r.sound.empty()) PlayEventSound(r.sound);
    else if (k.settings.sound == 2 && !k.settings.soundName.empty()) PlayEventSound(k.settings.soundName);
    ShortcutRecord action = r;  // the action may reload the table (a window message loop runs)
    return PerformShortcut(action) ? 1 : 0;
  }
  k.feedbackCountdown = 6;
  SetTrayState(ICON_NOT_IN_SCHEME, IDS_RECOGNIZED_NOT_IN_SCHEME);
  SetStatusText(Str(IDS_RECOGNIZED_NOT_IN_SCHEME));
  return 0;
}

void SetTrayState(int iconId, UINT tipId) {
  KurvoState& k = Kurvo();
  std::string tip = Cut(Str(tipId, 127), 63);
  HICON small = k.hook.StatusIcon(iconId, true);
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
  if (k.minimizedIcon) DestroyIcon(k.minimizedIcon);
  k.minimizedIcon = k.hook.StatusIcon(iconId, false);
  k.trayIcon = iconId;
  k.trayTip = tip;
  if (k.mainWindow && IsIconic(k.mainWindow)) {
    InvalidateRect(k.mainWindow, nullptr, TRUE);
    UpdateWindow(k.mainWindow);
  }
}

void PlayEventSound(const std::string& name) {
  KurvoState& k = Kurvo();
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(name.c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    FindClose(h);
    k.effects->PlaySoundFile(name);
  } else if (IsSystemSoundName(name)) {
    k.effects->PlaySoundAlias(name);
  }
}

void FeedbackCountdownTick() {
  KurvoState& k = Kurvo();
  if (k.feedbackCountdown == 0) {
    SetTrayState(ICON_READY, IDS_TRAY_TIP);
    SetStatusText(Str(IDS_READY));
    k.feedbackCountdown = -1;
  }
  if (k.feedbackCountdown > 0) --k.feedbackCountdown;
}

}  // namespace kurvo
