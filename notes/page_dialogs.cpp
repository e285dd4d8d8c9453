#include "page_dialogs.h"

#include <cstdio>

#include "note_storage.h"
#include "quill_ids.h"

namespace quill {
namespace {

// What a page dialog is bound to, stored on the dialog at WM_INITDIALOG.
struct PageDialogContext {
  NoteTable* table;
  NoteRecord* record;
};

PageDialogContext* ContextOf(HWND dialog) {
  return reinterpret_cast<PageDialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Places a page dialog over the note's caption, `dy` below the centred band.
void PlaceOverCaption(const NoteTable& t, const NoteRecord& r, HWND dialog, HWND control, int dy,
                      int width, int height, int controlHeight) {
  RECT note{};
  GetWindowRect(r.window, &note);
  int x = note.left + t.leftArrow.left + 13;
  int y = note.top + (t.captionHeight - 20) / 2 + dy;
  SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(control, nullptr, 0, 0, width, controlHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(control, WM_SETFONT, WPARAM(t.captionFont.get()), FALSE);
}

INT_PTR PageColours(const NoteTable& t, HDC dc) {
  SetTextColor(dc, t.colors.text);
  SetBkColor(dc, t.colors.shade);
  return INT_PTR(t.shadeBrush.get());
}

void Bind(HWND dialog, LPARAM lp) {
  SetWindowLongPtrA(dialog, DWLP_USER, lp);
  ContextOf(dialog)->record->pageDialog = dialog;
}

// ChoosePage.

INT_PTR OnChooseInit(HWND dialog, PageDialogContext& c) {
  NoteTable& t = *c.table;
  NoteRecord& r = *c.record;
  HWND list = GetDlgItem(dialog, IDC_PAGE_LIST);
  PlaceOverCaption(t, r, dialog, list, 1, t.rightArrow.left - t.leftArrow.left + 4, 24, 128);
  for (const char* title : r.titles) SendMessageA(list, CB_ADDSTRING, 0, LPARAM(title));
  SendMessageA(list, CB_SETCURSEL, WPARAM(r.page), 0);
  SetFocus(list);
  // Drop the list down at once, as if clicked.
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return FALSE;
}

// Shows the selected page's stored text in the note without storing anything.
void OnChoosePreview(HWND dialog, PageDialogContext& c) {
  LRESULT sel = SendDlgItemMessageA(dialog, IDC_PAGE_LIST, CB_GETCURSEL, 0, 0);
  if (sel < 0 || sel >= kPageCount) return;
  char key[16];
  snprintf(key, sizeof key, "Text%d", int(sel));
  std::string text = DecodeNoteText(ReadNoteValue(*c.table, c.record->section, key));
  SetWindowTextA(NoteEdit(c.record->window), text.c_str());
}

void OnChooseEnd(HWND dialog, PageDialogContext& c) {
  LRESULT sel = SendDlgItemMessageA(dialog, IDC_PAGE_LIST, CB_GETCURSEL, 0, 0);
  bool chosen = sel >= 0 && sel < kPageCount;
  if (chosen) c.record->chosenPage = int32_t(sel);
  c.record->pageDialog = nullptr;
  EndDialog(dialog, chosen);
}

INT_PTR OnChooseCommand(HWND dialog, PageDialogContext& c, int id, int code) {
  switch (id) {
    case IDOK:
    case IDCANCEL: OnChooseEnd(dialog, c); return TRUE;
    case IDC_PAGE_LIST:
      if (code == CBN_SELCHANGE) OnChoosePreview(dialog, c);
      if (code == CBN_CLOSEUP) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ChoosePageProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) Bind(dialog, lp);
  PageDialogContext* c = ContextOf(dialog);
  if (!c) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: return OnChooseInit(dialog, *c);
    case WM_COMMAND: return OnChooseCommand(dialog, *c, LOWORD(wp), HIWORD(wp));
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return PageColours(*c->table, HDC(wp));
  }
  return FALSE;
}

// PageName.

INT_PTR OnNameInit(HWND dialog, PageDialogContext& c) {
  NoteTable& t = *c.table;
  NoteRecord& r = *c.record;
  HWND edit = GetDlgItem(dialog, IDC_PAGE_NAME);
  PlaceOverCaption(t, r, dialog, edit, 3, t.rightArrow.left - t.leftArrow.left - 16, 18, 18);
  SendMessageA(edit, EM_LIMITTEXT, kField - 1, 0);
  SetWindowTextA(edit, r.titles[r.page]);
  SetFocus(edit);
  return FALSE;
}

INT_PTR OnNameCommand(HWND dialog, PageDialogContext& c, int id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  if (id == IDOK) {
    char title[kField] = "";
    GetDlgItemTextA(dialog, IDC_PAGE_NAME, title, kField);  // at most 79 characters
    lstrcpynA(c.record->titles[c.record->page], title, kField);
  }
  c.record->pageDialog = nullptr;
  EndDialog(dialog, id == IDOK);
  return TRUE;
}

INT_PTR CALLBACK PageNameProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) Bind(dialog, lp);
  PageDialogContext* c = ContextOf(dialog);
  if (!c) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: return OnNameInit(dialog, *c);
    case WM_COMMAND: return OnNameCommand(dialog, *c, LOWORD(wp));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return PageColours(*c->table, HDC(wp));
  }
  return FALSE;
}

}  // namespace

bool RunChoosePageDialog(NoteTable& t, NoteRecord& r) {
  PageDialogContext c{&t, &r};
  INT_PTR result = DialogBoxParamA(t.instance, "ChoosePage", r.window, ChoosePageProc, LPARAM(&c));
  r.pageDialog = nullptr;
  return result == TRUE;
}

void RunPageNameDialog(NoteTable& t, NoteRecord& r) {
  PageDialogContext c{&t, &r};
  DialogBoxParamA(t.instance, "PageName", r.window, PageNameProc, LPARAM(&c));
  r.pageDialog = nullptr;
}

}  // namespace quill
