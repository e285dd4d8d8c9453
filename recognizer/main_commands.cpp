#include "main_commands.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "notices.h"
#include "schemes.h"
#include "text_util.h"

namespace kurvo {

namespace {

int AskBox(HWND owner, const std::string& text, UINT flags) {
  return MessageBoxA(owner, text.c_str(), "Strokewise", flags);
}

void ShowInfo(HWND h, UINT id) { AskBox(h, Str(id, 1023), MB_ICONINFORMATION | MB_OK); }

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
  const ShortcutRecord& r = k.shortcuts[slot];
  SendMessageA(k.symbolList, LB_DELETESTRING, slot, 0);
  SendMessageA(k.symbolList, LB_INSERTSTRING, slot, reinterpret_cast<LPARAM>(r.name.c_str()));
  SendMessageA(k.symbolList, LB_SETITEMDATA, slot, r.symbolId);
  for (int i = 0; i < kSlotCount; ++i) {
    ShowProgress(24, i);
    WriteShortcut(i);
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
      AskBox(h, Str(IDS_CHANGE_DEFAULT_SCHEME, 1023), MB_ICONEXCLAMATION | MB_YESNO) == IDYES) {
    HeaderDialog(h);
    return;
  }
  EditSelectedShortcut(h);
}

void OnDeleteScheme(HWND h) {
  KurvoState& k = Kurvo();
  std::string question = FormatText(Str(IDS_CONFIRM_DELETE_SCHEME, 1023), k.header.name);
  if (AskBox(h, question, MB_ICONERROR | MB_YESNO) != IDYES) return;
  DeleteFileA(CurrentSchemePath().c_str());
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

void OnQuickStart() {
  KurvoState& k = Kurvo();
  k.effects->StartProgram(k.settings.systemDir + "KvoWiz.exe " + QuickStartArgument(k.settings.klLanguage));
}

}  // namespace

void OnMainCommand(HWND h, int id, int code) {
  KurvoState& k = Kurvo();
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
    case IDM_TOGGLE_ENABLE: ShowInfo(h, IDS_TRAY_HINT); SetRecognition(!k.settings.recognitionEnabled); break;
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
    k.settings.showMainWinTray = 1;
    ShowWindow(h, SW_SHOWNORMAL);
    SetForegroundWindow(h);
    if (!k.settings.recognitionEnabled) SetRecognition(true);
  } else if (mouse == WM_RBUTTONDOWN) {
    SetRecognition(!k.settings.recognitionEnabled);
  }
}

void OnTaskbarCreated() {
  KurvoState& k = Kurvo();
  int icon = k.trayIcon ? k.trayIcon : ICON_READY;
  k.trayIconAdded = false;
  AddTrayIcon();
  SetTrayState(icon, icon == ICON_DISABLED ? IDS_CLICK_TO_ENABLE : IDS_TRAY_TIP);
}

}  // namespace kurvo
