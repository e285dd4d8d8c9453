#include "options_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"

namespace kurvo {

namespace {

const int kAutoHideRadios[] = {IDC_OPT_AUTOHIDE_MINIMIZE, IDC_OPT_AUTOHIDE_HIDE, IDC_OPT_AUTOHIDE_NONE, 0};
const int kStartRadios[] = {IDC_OPT_START_MINIMIZE, IDC_OPT_START_HIDE, IDC_OPT_START_NONE, 0};

void ShowChoice(HWND h, const int* radios, int32_t value) {
  if (value >= 0 && value <= 2) SelectRadio(h, radios, radios[value]);
}

void ReadChoice(HWND h, const int* radios, int32_t& value) {
  for (int i = 0; i < 3; ++i)
    if (IsChecked(h, radios[i])) value = i;
}

BOOL OnInit(HWND h) {
  RecognizerSettings& s = Kurvo().settings;
  ShowChoice(h, kAutoHideRadios, s.autoHide);
  ShowChoice(h, kStartRadios, s.startUpAutoHide);
  if (GetDlgItem(h, IDC_OPT_AUTOFOCUS)) SetChecked(h, IDC_OPT_AUTOFOCUS, s.autoFocus != 0);
  return TRUE;
}

void OnOk(HWND h) {
  RecognizerSettings& s = Kurvo().settings;
  ReadChoice(h, kAutoHideRadios, s.autoHide);
  ReadChoice(h, kStartRadios, s.startUpAutoHide);
  s.autoFocus = GetDlgItem(h, IDC_OPT_AUTOFOCUS) && IsChecked(h, IDC_OPT_AUTOFOCUS) ? 1 : 0;
  s.showMainWinDraw = 1;
  s.showMainWinTray = 1;
  // Recognition goes on; menu item, notification icon and hook follow (the hook once the
  // dialog has closed).
  if (!s.recognitionEnabled) SetRecognition(true);
  SaveSettings();
  CloseDialog(h, IDOK);
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<DialogContext>(h, msg, lp);
  if (msg == WM_INITDIALOG) return OnInit(h);
  if (msg != WM_COMMAND || !c) return FALSE;
  switch (LOWORD(wp)) {
    case IDOK: OnOk(h); break;
    case IDCANCEL: CloseDialog(h, IDCANCEL); break;
    case IDC_HELPBTN: QuickHelpDialog(h, 4); break;
    default: break;
  }
  return TRUE;
}

bool OptionsDialog(HWND owner) {
  DialogContext context;
  return ShowModal(IDD_OPTIONS, owner, OptionsDialogProc, &context) == IDOK;
}

}  // namespace kurvo
