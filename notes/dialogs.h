// The Memory, Help and About dialogs, and printing a note.
#pragma once
#include <windows.h>

#include "note_table.h"

namespace quill {

void ShowMemoryDialog(NoteTable& t);
void ShowHelpDialog(NoteTable& t, HWND owner);
void ShowAboutDialog(NoteTable& t, HWND owner);
void PrintNote(NoteTable& t, NoteRecord& r);

}  // namespace quill
