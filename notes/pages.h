// Pages of a note: loading the current page, turning pages, and the two small dialogs laid over
// the caption (ChoosePage picks a page, PageName renames one).
#pragma once
#include <windows.h>

#include "note_table.h"

namespace quill {

enum class PageTurnBy { Key, Arrow };

// Shows the record's current page in the note.
void LoadPage(NoteTable& t, NoteRecord& r);
// Stores the current page, moves `delta` pages (wrapping 0..9), redraws the title and loads.
void TurnPage(NoteTable& t, NoteRecord& r, int delta, PageTurnBy by);
// An arrow click: the arrow pressed, the page turned, the arrow drawn again.
void TurnPageByArrow(NoteTable& t, NoteRecord& r, bool left);
// The ChoosePage dialog and what follows it.
void ChoosePage(NoteTable& t, NoteRecord& r);
// The PageName dialog.
void RenamePage(NoteTable& t, NoteRecord& r);

}  // namespace quill
