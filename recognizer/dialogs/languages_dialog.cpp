#include "languages_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "schemes.h"
#include "text_util.h"

namespace kurvo {

namespace {

std::string LanguageName(int32_t index) {
  return index >= 0 && index < kLanguageCount ? Cut(Str(IDS_LANGUAGE_FIRST + index), 63) : std::string();
}

BOOL OnInit(HWND h, LanguagesContext* c) {
  RecognizerSettings& s = Kurvo().settings;
  for (int id : {IDC_LANG_PREFERRED, IDC_LANG_DEFAULT}) {
    for (int i = 0; i < kLanguageCount; ++i)
      SendDlgItemMessageA(h, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LanguageName(i).c_str()));
  }
  SendDlgItemMessageA(h, IDC_LANG_PREFERRED, CB_SETCURSEL, s.language, 0);
  SendDlgItemMessageA(h, IDC_LANG_DEFAULT, CB_SETCURSEL, s.defaultLanguage, 0);
  c->available = DiscoverLanguages(s.systemDir);
  for (size_t i = 0; i < c->available.size(); ++i) {
    SendDlgItemMessageA(h, IDC_LANG_INTERNAL, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(LanguageName(c->available[i]).c_str()));
    if (c->available[i] == s.klLanguage) SendDlgItemMessageA(h, IDC_LANG_INTERNAL, CB_SETCURSEL, i, 0);
  }
  SetFocus(GetDlgItem(h, IDOK));
  return FALSE;
}

void OnOk(HWND h, LanguagesContext* c) {
  KurvoState& k = Kurvo();
  RecognizerSettings& s = k.settings;
  LRESULT internal = SendDlgItemMessageA(h, IDC_LANG_INTERNAL, CB_GETCURSEL, 0, 0);
  // Without a selection the internal language stays as it is.
  if (internal != CB_ERR && static_cast<size_t>(internal) < c->available.size()) {
    int32_t chosen = c->available[internal];
    if (chosen != s.klLanguage) {
      std::string question = FormatText2(Str(IDS_CONFIRM_LANGUAGE, 1023), LanguageName(s.klLanguage), LanguageName(chosen));
      if (MessageBoxText(h, question, MB_ICONQUESTION | MB_OKCANCEL) != IDOK) return;
      s.klLanguage = chosen;
      c->languageChanged = true;
    }
  }
  LRESULT preferred = SendDlgItemMessageA(h, IDC_LANG_PREFERRED, CB_GETCURSEL, 0, 0);
  LRESULT fallback = SendDlgItemMessageA(h, IDC_LANG_DEFAULT, CB_GETCURSEL, 0, 0);
  if (preferred != CB_ERR) s.language = static_cast<int32_t>(preferred);
  if (fallback != CB_ERR) s.defaultLanguage = static_cast<int32_t>(fallback);
  ScanSchemes();
  LoadScheme(kDefaultScheme);
  if (k.schemeBox) {
    std::string entry = Str(IDS_DEFAULT) + " ";
    SendMessageA(k.schemeBox, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SaveSettings();
  CloseDialog(h, IDOK);
}

}  // namespace

void FinishLanguageChange(HWND mainWindow) {
  KurvoState& k = Kurvo();
  k.settings.helpFile = HelpFileName(k.settings.klLanguage);
  MessageBoxText(mainWindow, Str(IDS_SHUTTING_DOWN, 1023), MB_ICONINFORMATION | MB_OK);
  if (mainWindow) DestroyWindow(mainWindow);
}

INT_PTR CALLBACK LanguagesDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<LanguagesContext>(h, msg, lp);
  if (msg == WM_INITDIALOG) return OnInit(h, c);
  if (msg != WM_COMMAND || !c) return FALSE;
  switch (LOWORD(wp)) {
    case IDOK: OnOk(h, c); break;
    case IDCANCEL: CloseDialog(h, IDCANCEL); break;
    case IDC_HELPBTN: QuickHelpDialog(h, 5); break;
    default: break;
  }
  return TRUE;
}

bool LanguagesDialog(HWND owner) {
  LanguagesContext context;
  bool ok = ShowModal(IDD_LANGUAGES, owner, LanguagesDialogProc, &context) == IDOK;
  if (ok && context.languageChanged) FinishLanguageChange(Kurvo().mainWindow);
  return ok;
}

}  // namespace kurvo
