#include "quick_help_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "text_util.h"

namespace kurvo {

namespace {

constexpr UINT WM_SHOW_SECTION = WM_APP + 2;

HFONT MakeFont(int height, int weight, const char* face) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

void ReleaseFonts(HWND h, QuickHelpContext* c) {
  for (int id : {IDCANCEL, 1033, IDC_HELP_SECTIONS, IDC_HELP_TEXT, IDC_HELP_TITLE})
    SendDlgItemMessageA(h, id, WM_SETFONT, 0, FALSE);
  if (c->titleFont) DeleteObject(c->titleFont);
  if (c->textFont) DeleteObject(c->textFont);
  c->titleFont = c->textFont = nullptr;
}

BOOL OnInit(HWND h, QuickHelpContext* c) {
  std::string text;
  if (!ReadWholeFile(c->path, text)) {
    MessageBoxText(Kurvo().mainWindow, "Couldn't find help file", MB_OK);
    CloseDialog(h, IDCANCEL);
    return TRUE;
  }
  c->textFont = MakeFont(10, 100, "MS Sans Serif");
  c->titleFont = MakeFont(18, 700, "Arial");
  for (int id : {IDCANCEL, 1033, IDC_HELP_SECTIONS, IDC_HELP_TEXT})
    SendDlgItemMessageA(h, id, WM_SETFONT, reinterpret_cast<WPARAM>(c->textFont), FALSE);
  SendDlgItemMessageA(h, IDC_HELP_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(c->titleFont), FALSE);
  for (const std::string& title : HelpTitles(text))
    SendDlgItemMessageA(h, IDC_HELP_SECTIONS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
  SendDlgItemMessageA(h, IDC_HELP_SECTIONS, LB_SETCURSEL, c->section, 0);
  PostMessageA(h, WM_SHOW_SECTION, c->section, 0);
  SetFocus(GetDlgItem(h, IDCANCEL));
  return FALSE;
}

void OnShowSection(HWND h, QuickHelpContext* c, int section) {
  std::string text;
  if (!ReadWholeFile(c->path, text)) return;
  std::string title;
  LRESULT length = SendDlgItemMessageA(h, IDC_HELP_SECTIONS, LB_GETTEXTLEN, section, 0);
  if (length != LB_ERR) {
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    SendDlgItemMessageA(h, IDC_HELP_SECTIONS, LB_GETTEXT, section, reinterpret_cast<LPARAM>(buffer.data()));
    title = Cut(buffer.c_str(), kHelpTextChars);
  }
  SetItemText(h, IDC_HELP_TITLE, title);
  SetItemText(h, IDC_HELP_TEXT, HelpSectionText(text, section));
}

void OnCommand(HWND h, QuickHelpContext* c, int id, int code) {
  if (id == IDC_HELP_SECTIONS && code == LBN_SELCHANGE) {
    LRESULT sel = SendDlgItemMessageA(h, IDC_HELP_SECTIONS, LB_GETCURSEL, 0, 0);
    if (sel != LB_ERR) PostMessageA(h, WM_SHOW_SECTION, sel, 0);
  } else if (id == IDCANCEL || id == IDOK) {
    ReleaseFonts(h, c);
    CloseDialog(h, IDCANCEL);
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  text.clear();
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(f);
  return true;
}

std::vector<std::string> HelpTitles(const std::string& text) {
  std::vector<std::string> titles;
  for (size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    size_t close = text.find(']', open + 1);
    if (close == std::string::npos) break;
    titles.push_back(Cut(text.substr(open + 1, close - open - 1), kHelpTextChars));
    open = close;
  }
  return titles;
}

std::string HelpSectionText(const std::string& text, int section) {
  size_t at = 0;
  for (int n = 0; n <= section; ++n) {
    size_t close = text.find(']', at);
    if (close == std::string::npos) return {};
    at = close + 1;
  }
  size_t end = text.find('[', at);
  std::string body = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
  std::string shown;
  for (char ch : body) {
    if (ch == '\n') {
      if (shown.size() + 2 > kHelpTextChars) break;
      shown += "\r\n";
    } else {
      if (shown.size() + 1 > kHelpTextChars) break;
      shown += ch;
    }
  }
  return shown;
}

INT_PTR CALLBACK QuickHelpDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<QuickHelpContext>(h, msg, lp);
  switch (msg) {
    case WM_INITDIALOG: return OnInit(h, c);
    case WM_SHOW_SECTION: if (c) OnShowSection(h, c, static_cast<int>(wp)); return TRUE;
    case WM_COMMAND: if (c) OnCommand(h, c, LOWORD(wp), HIWORD(wp)); return TRUE;
    case WM_DESTROY: if (c) ReleaseFonts(h, c); return FALSE;
    default: return FALSE;
  }
}

void QuickHelpDialog(HWND owner, int section) {
  QuickHelpContext context;
  context.section = section;
  context.path = Kurvo().settings.helpFilePath;
  ShowModal(IDD_QUICKHELP, owner, QuickHelpDialogProc, &context, false);
}

}  // namespace kurvo
