#include "pages.h"

#include <cstdio>

#include "caption.h"
#include "note_lifecycle.h"
#include "note_storage.h"
#include "page_dialogs.h"

namespace quill {
namespace {

int WindowWidth(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  return rc.right - rc.left;
}

}  // namespace

void LoadPage(NoteTable& t, NoteRecord& r) {
  char key[16];
  snprintf(key, sizeof key, "Text%d", int(r.page));
  std::string text = DecodeNoteText(ReadNoteValue(t, r.section, key));
  ComputeEmpty(t, r, text);
  HWND edit = NoteEdit(r.window);
  SetWindowTextA(edit, text.c_str());
  ShowEmptyOnTray(t, r);
  SetFocus(edit);
}

void TurnPage(NoteTable& t, NoteRecord& r, int delta, PageTurnBy by) {
  SavePage(t, r);
  r.page = ((r.page + delta) % kPageCount + kPageCount) % kPageCount;
  if (by == PageTurnBy::Key || WindowWidth(r.window) > 150) RedrawTitle(t, r);
  LoadPage(t, r);
}

void TurnPageByArrow(NoteTable& t, NoteRecord& r, bool left) {
  PaintArrow(t, r, left, true);
  TurnPage(t, r, left ? -1 : +1, PageTurnBy::Arrow);
  PaintArrow(t, r, left, false);
}

void ChoosePage(NoteTable& t, NoteRecord& r) {
  SavePage(t, r);  // the dialog previews other pages in the edit control
  if (RunChoosePageDialog(t, r)) r.page = r.chosenPage;
  RedrawTitle(t, r);
  LoadPage(t, r);
  SetFocus(NoteEdit(r.window));
}

void RenamePage(NoteTable& t, NoteRecord& r) {
  RunPageNameDialog(t, r);
  SetFocus(NoteEdit(r.window));
}

}  // namespace quill
