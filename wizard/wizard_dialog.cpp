#include "wizard_dialog.h"

#include "handles.h"
#include "wizard_ids.h"

namespace kvowiz {

namespace {

// The dialog's state, bound to it at WM_INITDIALOG.
struct Wizard {
  std::vector<Page> pages;
  size_t current = 0;
  bool modal = false;
  sw::GdiObject<HFONT> titleFont;
};

struct WizardInit {
  const std::vector<Page>* pages;
  bool modal;
};

Wizard* WizardOf(HWND h) { return reinterpret_cast<Wizard*>(GetWindowLongPtrA(h, DWLP_USER)); }

void ShowPage(HWND h, size_t index) {
  Wizard* w = WizardOf(h);
  if (!w || w->pages.empty()) return;
  if (index >= w->pages.size()) index = w->pages.size() - 1;
  w->current = index;
  SetDlgItemTextA(h, IDC_TITLE, w->pages[index].title.c_str());
  SetDlgItemTextA(h, IDC_PAGE_TEXT, w->pages[index].text.c_str());
  std::string number = "Page " + std::to_string(index + 1) + " of " + std::to_string(w->pages.size());
  SetDlgItemTextA(h, IDC_PAGE_NUMBER, number.c_str());
  bool last = index + 1 == w->pages.size();
  EnableWindow(GetDlgItem(h, IDC_BACK), index > 0);
  EnableWindow(GetDlgItem(h, IDC_NEXT), !last);
  // The default button moves to Close on the last page, so Enter ends the tour there.
  SendMessageA(h, DM_SETDEFID, last ? IDC_CLOSE : IDC_NEXT, 0);
}

BOOL OnInitDialog(HWND h, const WizardInit* init) {
  auto* w = new Wizard;
  w->pages = *init->pages;
  w->modal = init->modal;
  SetWindowLongPtrA(h, DWLP_USER, reinterpret_cast<LONG_PTR>(w));
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  if (dialogFont && GetObjectA(dialogFont, sizeof lf, &lf)) {
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = lf.lfHeight * 3 / 2;
    w->titleFont.reset(CreateFontIndirectA(&lf));
    SendDlgItemMessageA(h, IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(w->titleFont.get()), FALSE);
  }
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WIZARD));
  SendMessageA(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ShowPage(h, 0);
  SetFocus(GetDlgItem(h, w->pages.size() > 1 ? IDC_NEXT : IDC_CLOSE));
  return FALSE;  // the focus is set
}

void OnClose(HWND h) {
  Wizard* w = WizardOf(h);
  if (w && w->modal) {
    EndDialog(h, IDOK);
  } else {
    DestroyWindow(h);
  }
}

void OnBack(HWND h) {
  if (Wizard* w = WizardOf(h); w && w->current > 0) ShowPage(h, w->current - 1);
}

void OnNext(HWND h) {
  if (Wizard* w = WizardOf(h)) ShowPage(h, w->current + 1);
}

BOOL OnCommand(HWND h, int id) {
  switch (id) {
    case IDC_BACK: OnBack(h); return TRUE;
    case IDC_NEXT: OnNext(h); return TRUE;
    case IDC_CLOSE:
    case IDCANCEL: OnClose(h); return TRUE;
  }
  return FALSE;
}

void OnNcDestroy(HWND h) {
  delete WizardOf(h);
  SetWindowLongPtrA(h, DWLP_USER, 0);
}

INT_PTR CALLBACK WizardProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(h, reinterpret_cast<const WizardInit*>(lp));
    case WM_COMMAND: return OnCommand(h, LOWORD(wp));
    case WM_CLOSE: OnClose(h); return TRUE;
    case WM_NCDESTROY: OnNcDestroy(h); return FALSE;
  }
  return FALSE;
}

// The first word of the command line, without quotes.
std::string FirstArgument(const std::string& commandLine) {
  size_t begin = commandLine.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  if (commandLine[begin] == '"') {
    size_t end = commandLine.find('"', begin + 1);
    return commandLine.substr(begin + 1, end == std::string::npos ? end : end - begin - 1);
  }
  size_t end = commandLine.find_first_of(" \t", begin);
  return commandLine.substr(begin, end == std::string::npos ? end : end - begin);
}

}  // namespace

WizardStart PrepareWizard(const std::string& programDir, const std::string& commandLine) {
  WizardStart start;
  std::string argument = FirstArgument(commandLine);
  if (argument.empty()) argument = "qcks_eng";
  std::string path = PagesPath(programDir, argument);
  if (path.empty()) {
    start.error = "\"" + argument.substr(0, 64) + "\" does not name quick-start pages.";
  } else if (!ReadPagesFile(path, &start.pages)) {
    start.error = "The quick-start pages could not be found:\n" + path +
                  "\n\nPlease install Strokewise again.";
  } else if (start.pages.empty()) {
    start.error = "The quick-start file holds no pages:\n" + path;
  }
  return start;
}

INT_PTR RunWizardDialog(HINSTANCE instance, const std::vector<Page>& pages) {
  WizardInit init{&pages, true};
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, WizardProc,
                         reinterpret_cast<LPARAM>(&init));
}

HWND CreateWizardDialog(HINSTANCE instance, const std::vector<Page>& pages) {
  WizardInit init{&pages, false};
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, WizardProc,
                            reinterpret_cast<LPARAM>(&init));
}

}  // namespace kvowiz
