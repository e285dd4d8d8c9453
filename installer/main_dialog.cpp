#include "main_dialog.h"

#include <string>

#include "handles.h"
#include "install_ids.h"
#include "languages.h"

namespace install {

namespace {

// The dialog's state, bound to it at WM_INITDIALOG.
struct MainDialog {
  InstallerEnvironment* env = nullptr;
  bool modal = false;
  sw::GdiObject<HFONT> font;
  sw::GdiObject<HBITMAP> banner;
};

struct DialogStart {
  InstallerEnvironment* env;
  bool modal;
};

MainDialog* DialogOf(HWND h) {
  return reinterpret_cast<MainDialog*>(GetWindowLongPtrA(h, DWLP_USER));
}

std::string LoadText(UINT id) {
  char text[512] = {};
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

std::string ControlText(HWND h, int id) {
  char text[kMaxTargetLength + 2] = {};
  GetDlgItemTextA(h, id, text, sizeof text);
  return text;
}

void CloseMainDialog(HWND h) {
  if (DialogOf(h) && DialogOf(h)->modal) {
    EndDialog(h, IDOK);
  } else {
    DestroyWindow(h);
  }
}

void CentreOnScreen(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND h, const DialogStart* start) {
  auto* d = new MainDialog;
  d->env = start->env;
  d->modal = start->modal;
  SetWindowLongPtrA(h, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
  d->font.reset(CreateFontA(8, 0, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                              "MS Sans Serif"));
  d->banner.reset(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER)));
  for (int id : {IDC_INSTALL, IDC_CANCEL, IDC_LANGUAGE_LABEL, IDC_DIRECTORY_LABEL, IDC_STATUS,
                 IDC_DIRECTORY, IDC_LANGUAGES}) {
    SendDlgItemMessageA(h, id, WM_SETFONT, reinterpret_cast<WPARAM>(d->font.get()), FALSE);
  }
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "APP");
  SendMessageA(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  CentreOnScreen(h);
  SendDlgItemMessageA(h, IDC_DIRECTORY, EM_LIMITTEXT, kMaxTargetLength, 0);
  SetDlgItemTextA(h, IDC_DIRECTORY, "c:\\Kurvo");
  for (const std::string& entry : OfferedLanguages(d->env->medium)) {
    SendDlgItemMessageA(h, IDC_LANGUAGES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendDlgItemMessageA(h, IDC_LANGUAGES, LB_SETCURSEL, 0, 0);
  return TRUE;
}

void OnPaint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  MainDialog* d = DialogOf(h);
  if (d && d->banner) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, d->banner.get());
    BitBlt(dc, 6, 6, 250, 70, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  EndPaint(h, &ps);
}

INT_PTR OnCtlColor(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(GetStockObject(LTGRAY_BRUSH));
}

int SelectedLanguage(HWND h) {
  LRESULT sel = SendDlgItemMessageA(h, IDC_LANGUAGES, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR) return 0;
  LRESULT length = SendDlgItemMessageA(h, IDC_LANGUAGES, LB_GETTEXTLEN, sel, 0);
  if (length == LB_ERR || length > 63) return 0;
  char entry[64] = {};
  SendDlgItemMessageA(h, IDC_LANGUAGES, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(entry));
  return LanguageIndexOfEntry(entry);
}

void OnInstall(HWND h) {
  MainDialog* d = DialogOf(h);
  SetDlgItemTextA(h, IDC_STATUS, LoadText(IDS_PLEASE_WAIT).c_str());
  UpdateWindow(GetDlgItem(h, IDC_STATUS));
  int language = SelectedLanguage(h);
  std::string target = TargetFromInput(ControlText(h, IDC_DIRECTORY));
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  InstallReport report = InstallFilesAndSettings(*d->env, target, language);
  SetCursor(old);
  if (!report.Ok()) {
    // Nothing went into the registry or the shell; the files that did land stay, and the user
    // can fix the cause and install again.
    SetDlgItemTextA(h, IDC_STATUS, "");
    MessageBoxA(h, report.FailureMessage().c_str(), "Strokewise", MB_ICONERROR | MB_OK);
    return;
  }
  bool startUp = MessageBoxA(h, LoadText(IDS_STARTUP_QUESTION).c_str(), "Strokewise",
                             MB_ICONQUESTION | MB_YESNO) == IDYES;
  CreateProgramItems(*d->env, target, startUp);
  SetDlgItemTextA(h, IDC_STATUS, "");
  MessageBoxA(h, (LoadText(IDS_SUCCESS) + report.NotesText()).c_str(), "Strokewise",
              MB_ICONINFORMATION | MB_OK);
  d->env->startProgram(WizardCommand(target, language));
  CloseMainDialog(h);
}

void OnCancel(HWND h) {
  if (MessageBoxA(h, LoadText(IDS_CONFIRM_CANCEL).c_str(), "Strokewise",
                  MB_ICONERROR | MB_YESNO) == IDYES) {
    CloseMainDialog(h);
  }
}

BOOL OnCommand(HWND h, int id) {
  switch (id) {
    case IDC_INSTALL: OnInstall(h); return TRUE;
    case IDC_CANCEL:
    case IDCANCEL: OnCancel(h); return TRUE;
  }
  return FALSE;
}

BOOL OnSysCommand(HWND h, WPARAM command) {
  if ((command & 0xFFF0) != SC_CLOSE) return FALSE;
  OnCancel(h);
  return TRUE;
}

void OnNcDestroy(HWND h) {
  delete DialogOf(h);
  SetWindowLongPtrA(h, DWLP_USER, 0);
}

INT_PTR CALLBACK MainDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(h, reinterpret_cast<const DialogStart*>(lp));
    case WM_PAINT: OnPaint(h); return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return OnCtlColor(reinterpret_cast<HDC>(wp));
    case WM_COMMAND: return OnCommand(h, LOWORD(wp));
    case WM_SYSCOMMAND: return OnSysCommand(h, wp);
    case WM_NCDESTROY: OnNcDestroy(h); return FALSE;
  }
  return FALSE;
}

}  // namespace

INT_PTR RunMainDialog(HINSTANCE instance, InstallerEnvironment& env) {
  DialogStart start{&env, true};
  return DialogBoxParamA(instance, "MainDlg", nullptr, MainDialogProc,
                         reinterpret_cast<LPARAM>(&start));
}

HWND CreateMainDialog(HINSTANCE instance, InstallerEnvironment& env) {
  DialogStart start{&env, false};
  return CreateDialogParamA(instance, "MainDlg", nullptr, MainDialogProc,
                            reinterpret_cast<LPARAM>(&start));
}

}  // namespace install
