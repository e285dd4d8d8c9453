#include "info_dialogs.h"

#include "quill_ids.h"

namespace quill {

const char kHelpText[] =
    "Function keys :\r\n\r\n   Alt-L \t\t: Load File\r\n   Alt-S \t\t: Save File\r\n"
    "   Ctrl+A \t\t: Select All\r\n   Alt-F\t\t: Select default Font\r\n"
    "   Ctrl-D\t\t: Date in short format\r\n   Alt-D\t\t: Date in long format\r\n"
    "   Ctrl-T\t\t: Time\r\n   ESC\t\t: Close the Window\r\n            \t\t  and save changes\r\n"
    "   Alt+F4 or Alt+X\t: Exit Quillnote\r\n   F1\t\t: Help\r\n   F2\t\t: Save on the fly\r\n";

namespace {

INT_PTR EndOnOkOrCancel(HWND dialog, int id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  EndDialog(dialog, id);
  return TRUE;
}

INT_PTR OnHelpInit(HWND dialog) {
  CenterOnScreen(dialog);
  SetDlgItemTextA(dialog, IDC_HELP_TEXT, kHelpText);
  SetFocus(GetDlgItem(dialog, IDOK));  // the text unselected, read from its top
  return FALSE;
}

INT_PTR CALLBACK HelpProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return OnHelpInit(dialog);
    case WM_COMMAND: return EndOnOkOrCancel(dialog, LOWORD(wp));
  }
  return FALSE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return CenterOnScreen(dialog), TRUE;
    case WM_COMMAND: return EndOnOkOrCancel(dialog, LOWORD(wp));
  }
  return FALSE;
}

}  // namespace

void CenterOnScreen(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2,
               GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowHelpDialog(NoteTable& t, HWND owner) {
  DialogBoxParamA(t.instance, "Help", owner, HelpProc, 0);
}

void ShowAboutDialog(NoteTable& t, HWND owner) {
  DialogBoxParamA(t.instance, "About", owner, AboutProc, 0);
}

}  // namespace quill
