#include "main_commands.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "message_box.h"
#include "notices.h"
#include "scheme_file.h"
#include "schemes.h"
#include "state_view.h"
#include "text_util.h"

namespace kurvo {

namespace {

void ShowInfo(HWND h, UINT id) { MessageBoxText(h, Str(id, 1023), MB_ICONINFORMATION | MB_OK); }

void OnSchemeChosen() {
  KurvoState& k = Kurvo();
  LRESULT sel = SendMessageA(k.schemeBox, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return;
  LRESULT index = SendMessageA(k.schemeBox, CB_GETITEMDATA, sel, 0);
  if (index < 0 || static_cast<size_t>(index) >= k.schemes.size()) return;
  LoadScheme(k.schemes[index].file);
}

void EditSelectedShortcut(HWND h) {
  KurvoState& k = Kurvo();
  int slot = k.selectedSlot;
  if (slot < 0 || slot >= kSlotCount || !ShortcutDialog(h, slot)) return;
  SetStatusText("");
  // The save writes what the dialog left, to the file it was edited for, whatever a message
  // handled meanwhile loads.
  const ShortcutTable table = k.shortcuts;
  const std::string path = CurrentSchemePath();
  const ShortcutRecord& r = table[slot];
  SendMessageA(k.symbolList, LB_DELETESTRING, slot, 0);
  SendMessageA(k.symbolList, LB_INSERTSTRING, slot, reinterpret_cast<LPARAM>(r.name.c_str()));
  SendMessageA(k.symbolList, LB_SETITEMDATA, slot, r.symbolId);
  for (int i = 0; i < kSlotCount; ++i) {
    ShowProgress(24, i);
    WriteShortcutTo(path, i, table[i]);
  }
  ShowProgress(24, 0);
  SetStatusText(FormatText(Str(IDS_SCHEME_SAVED), k.header.name));
  k.feedbackCountdown = 6;
  SetFocus(k.symbolList);
  SelectSymbolSlot(slot);
}

bool DefaultSchemeShown() {
  KurvoState& k = Kurvo();
  char text[256] = {};
  GetWindowTextA(k.schemeBox, text, sizeof text);
  std::string prefix = Str(IDS_DEFAULT) + " ";
  return std::string(text).compare(0, prefix.size(), prefix) == 0;
}

void OnSymbolDoubleClick(HWND h) {
  if (DefaultSchemeShown() &&
      MessageBoxText(h, Str(IDS_CHANGE_DEFAULT_SCHEME, 1023), MB_ICONEXCLAMATION | MB_YESNO) == IDYES) {
    HeaderDialog(h);
    return;
  }
  EditSelectedShortcut(h);
}

void OnDeleteScheme(HWND h) {
  KurvoState& k = Kurvo();
  // The file asked about is the one deleted, even if a notice during the question loads another.
  const std::string path = CurrentSchemePath();
  std::string question = FormatText(Str(IDS_CONFIRM_DELETE_SCHEME, 1023), k.header.name);
  if (MessageBoxText(h, question, MB_ICONERROR | MB_YESNO) != IDYES) return;
  DeleteFileA(path.c_str());
  ScanSchemes();
  LoadScheme(kDefaultScheme);
  std::string entry = Str(IDS_DEFAULT) + " ";
  SendMessageA(k.schemeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
}

void OnMouseButton(HWND h, bool middle) {
  KurvoState& k = Kurvo();
  ShowInfo(h, middle ? IDS_MIDDLE_BUTTON_SET : IDS_RIGHT_BUTTON_SET);
  k.settings.mouseBtn = middle ? 0 : 1;
  CheckMenuItem(k.menu, IDM_MOUSE_MIDDLE, MF_BYCOMMAND | (middle ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(k.menu, IDM_MOUSE_LEFTRIGHT, MF_BYCOMMAND | (middle ? MF_UNCHECKED : MF_CHECKED));
}

// The item named what it does when chosen; that is done after the hint, whatever a click on the
// icon did while the hint was open.
void OnToggleCommand(HWND h) {
  bool enable = !Kurvo().settings.recognitionEnabled;
  ShowInfo(h, IDS_TRAY_HINT);
  SetRecognition(enable);
}

void OnQuickStart() {
  KurvoState& k = Kurvo();
  k.effects->StartProgram(k.settings.systemDir + "KvoWiz.exe " + QuickStartArgument(k.settings.klLanguage));
}

}  // namespace

void OnMainCommand(HWND h, int id, int code) {
  switch (id) {
    case IDC_SCHEME_LIST: if (code == CBN_SELCHANGE) OnSchemeChosen(); break;
    case IDC_SYMBOL_LIST: if (code == LBN_DBLCLK) OnSymbolDoubleClick(h); break;
    case IDM_SHORTCUT: EditSelectedShortcut(h); break;
    case IDM_APPHEADER: HeaderDialog(h); break;
    case IDM_DELETE_SCHEME: OnDeleteScheme(h); break;
    case IDM_MOUSE_LEFTRIGHT: OnMouseButton(h, false); break;
    case IDM_MOUSE_MIDDLE: OnMouseButton(h, true); break;
    case IDM_SOUNDS: SoundsDialog(h); break;
    case IDM_LANGUAGES: LanguagesDialog(h); break;
    case IDM_OPTIONS: OptionsDialog(h); break;
    case IDM_TOGGLE_ENABLE: OnToggleCommand(h); break;
    case IDM_QUICKSTART: OnQuickStart(); break;
    case IDM_QUICKHELP: QuickHelpDialog(h, 0); break;
    case IDM_ABOUT: AboutDialog(h); SetStatusText(Str(IDS_READY)); break;
    case IDM_SHUTDOWN: DestroyWindow(h); break;
    default: break;
  }
}

void OnTrayNotify(HWND h, WPARAM icon, LPARAM mouse) {
  KurvoState& k = Kurvo();
  if (icon != TRAY_ICON_ID) return;
  if (mouse == WM_LBUTTONDOWN) {
    // State first: a click handled while the window is being shown sees recognition on.
    k.settings.showMainWinTray = 1;
    if (!k.settings.recognitionEnabled) SetRecognition(true);
    ShowWindow(h, SW_SHOWNORMAL);
    SetForegroundWindow(h);
  } else if (mouse == WM_RBUTTONDOWN) {
    SetRecognition(!k.settings.recognitionEnabled);
  }
}

void OnTaskbarCreated() {
  KurvoState& k = Kurvo();
  k.trayIconAdded = false;
  k.view.trayAddPending = true;
  if (!k.trayIcon) {
    SetTrayState(IDI_STATUS_READY, IDS_TRAY_TIP);
  } else {
    k.view.trayStale = true;  // the icon comes back as the state says now
    SyncView();
  }
}

}  // namespace kurvo
