// The ChoosePage and PageName dialogs, laid over a note's caption while they run.
#pragma once
#include <windows.h>

#include "note_table.h"

namespace quill {

// Runs ChoosePage over the note; true when a page was selected (then in r.chosenPage).
bool RunChoosePageDialog(NoteTable& t, NoteRecord& r);
// Runs PageName over the note; OK makes the edit's text (79 characters at most) the page title.
void RunPageNameDialog(NoteTable& t, NoteRecord& r);

}  // namespace quill
