// The Help and About dialogs, centred on the screen.
#pragma once
#include <windows.h>

#include "note_table.h"

namespace quill {

extern const char kHelpText[];

// Moves a window to the middle of the screen, its size unchanged.
void CenterOnScreen(HWND window);
void ShowHelpDialog(NoteTable& t, HWND owner);
void ShowAboutDialog(NoteTable& t, HWND owner);

}  // namespace quill
