#include "notices.h"

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

// Notices are refused while a configuration dialog is open (the hook is paused then): a stroke
// must not load another scheme under a dialog that edits the loaded one.
bool Refused() { return Kurvo().configDialogs > 0; }

// Reads the class of the window of a notice into the focused application; true when the notice
// is over Kurvo's own window while recognition is enabled.
bool NoteTarget(HWND target, std::string& windowClass) {
  KurvoState& k = Kurvo();
  windowClass = WindowClassOf(target);
  k.focused.window = target;
  k.focused.windowClass = windowClass;
  return k.settings.recognitionEnabled && windowClass == kKurvoClass;
}

// Chooses the scheme for the window. Reading another thread's title can handle sent messages, so
// the choice is made from what this notice read and stored in one go afterwards.
void ChooseScheme(HWND target, const std::string& windowClass) {
  KurvoState& k = Kurvo();
  std::string prefix = TitlePrefix(WindowTitleOf(target));
  std::string file = SelectSchemeForWindow(k.schemes, windowClass, prefix);
  k.focused.window = target;
  k.focused.windowClass = windowClass;
  k.focused.titlePrefix = prefix;
  k.header.windowClass = Cut(windowClass, kWindowClassChars);
  k.currentScheme = file;
}

// The last event in the status line, the countdown and the notification icon, whose state is set
// before the shell is called. While recognition is off the icon keeps saying so.
void ShowEvent(UINT text, int icon, UINT tip) {
  KurvoState& k = Kurvo();
  SetStatusText(Str(text));
  k.feedbackCountdown = 6;
  if (k.settings.recognitionEnabled) SetTrayState(icon, tip);
}

}  // namespace

bool IsSystemSoundName(const std::string& name) {
  for (const char* s : kSystemSoundNames)
    if (EqualNoCase(name, s)) return true;
  return false;
}

LRESULT OnDrawBegin(HWND target) {
  KurvoState& k = Kurvo();
  if (k.startupPhase || Refused()) return 1;
  std::string windowClass;
  if (NoteTarget(target, windowClass)) return 1;
  ChooseScheme(target, windowClass);
  k.focused.applicationClass = windowClass;
  if (EqualNoCase(k.currentScheme, kDefaultScheme)) k.header.windowClass.clear();
  ReadSchemeHeader();
  const LRESULT level = k.header.level;
  SelectSchemeEntry(SchemeEntryName(k.header, k.currentScheme), k.header.version);
  if (k.mainWindow) {
    if (k.settings.autoHide == 0) ShowWindow(k.mainWindow, SW_MINIMIZE);
    else if (k.settings.autoHide == 1) ShowWindow(k.mainWindow, SW_HIDE);
  }
  return level;
}

LRESULT OnSymbolDrawn(int32_t symbolId, HWND target) {
  KurvoState& k = Kurvo();
  if (Refused()) return 1;
  std::string windowClass;
  bool own = NoteTarget(target, windowClass);
  if (k.startupPhase || own) return 1;
  ChooseScheme(target, windowClass);
  if (k.currentScheme != k.loadedScheme) {
    k.focused.applicationClass = windowClass;
    k.loadedScheme = k.currentScheme;
    if (EqualNoCase(k.currentScheme, kDefaultScheme)) k.header.windowClass.clear();
    ReadSchemeHeader();
    ReadAllShortcuts();
    RefreshShortcutList();
  }
  if (symbolId == 0) {
    ShowEvent(IDS_NOT_RECOGNIZED, IDI_STATUS_NOT_RECOGNIZED, IDS_NOT_RECOGNIZED);
    if (k.settings.soundNot == 1 && !k.settings.soundNameNot.empty()) PlayEventSound(k.settings.soundNameNot);
    return 0;
  }
  SetStatusText(Str(IDS_READY));
  int slot = 0;
  while (slot < kSlotCount && k.shortcuts[slot].symbolId != symbolId) ++slot;
  if (slot == kSlotCount) {
    ShowEvent(IDS_RECOGNIZED_NOT_IN_SCHEME, IDI_STATUS_NOT_IN_SCHEME, IDS_RECOGNIZED_NOT_IN_SCHEME);
    return 0;
  }
  // The slot is copied before any effect: the shell, the sound and the action can handle
  // messages that load another scheme.
  const ShortcutRecord action = k.shortcuts[slot];
  SelectSymbolSlot(slot);
  ShowEvent(IDS_RECOGNIZED, IDI_STATUS_RECOGNIZED, IDS_RECOGNIZED);
  if (k.settings.sound == 1 && !action.sound.empty()) PlayEventSound(action.sound);
  else if (k.settings.sound == 2 && !k.settings.soundName.empty()) PlayEventSound(k.settings.soundName);
  return PerformShortcut(action) ? 1 : 0;
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
  if (k.feedbackCountdown > 0) {
    --k.feedbackCountdown;
  } else if (k.feedbackCountdown == 0) {
    // The countdown ends before the icon changes: an event during the shell call starts anew.
    k.feedbackCountdown = -1;
    SetStatusText(Str(IDS_READY));
    if (k.settings.recognitionEnabled) SetTrayState(IDI_STATUS_READY, IDS_TRAY_TIP);
  }
}

}  // namespace kurvo
