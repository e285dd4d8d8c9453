// MyProc: the one window procedure of all four note window classes. Each message goes to a named
// handler; WM_COMMAND goes on to the command table in note_commands.cpp.
#pragma once
#include <windows.h>

#include "note_table.h"

extern "C" LRESULT CALLBACK MyProc(HWND window, UINT message, WPARAM wp, LPARAM lp);

namespace quill {

// The program state a note window is bound to (null before WM_NCCREATE).
NoteTable* TableOf(HWND window);
// Command handling of a note window; `r` is the receiving window's record.
LRESULT OnCommand(NoteTable& t, NoteRecord& r, HWND window, int id, WPARAM wp, LPARAM lp);
// Saves every note in use, writes PageSize and flushes the settings file.
void SaveAllNotes(NoteTable& t);

}  // namespace quill
