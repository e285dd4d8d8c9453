// Creation and teardown of notes, their tray icons, fonts and empty flags.
#pragma once
#include <windows.h>
#include <string>

#include "note_table.h"

namespace quill {

enum class TrayOp { Add, Modify, Delete };

// Creates note `index` (0 to 3), hidden, and either posts Open to it or leaves it hidden.
void CreateNote(NoteTable& t, int index);
// Adds, modifies (icon only) or deletes tray icon 999 of `window` with the record's icon and tip.
void SetTrayIcon(HWND window, TrayOp op, const NoteRecord& r);
// The record is no longer in use: tray icon, font and menu released.
void TeardownNote(NoteTable& t, NoteRecord& r);
// Tears down every note in use and destroys the windows (end of the program, and tests).
void DestroyAllNotes(NoteTable& t);

// Sets the empty flag from the note's current text (one-tray mode: empty only when every note in
// use is).
void ComputeEmpty(NoteTable& t, NoteRecord& r, const std::string& currentText);
// Shows the empty flag on the tray icon that stands for the note (one-tray: the main note's).
void ShowEmptyOnTray(NoteTable& t, NoteRecord& r);
// Makes the edit font from the record's font description and puts it on the edit control.
void ApplyEditFont(NoteRecord& r);
// Shows the note above or among other windows by its top-most flag, focus to its edit control.
void ShowNote(NoteRecord& r);

}  // namespace quill
