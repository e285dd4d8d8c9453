// Configure Selected Shortcut (dialog 114): edits one slot of the loaded scheme.
#pragma once
#include <windows.h>

#include <string>

#include "dialog_host.h"
#include "scheme_file.h"

namespace kurvo {

struct ShortcutDialogContext : DialogContext {
  int slot = 0;
};

INT_PTR CALLBACK ShortcutDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

// The stored keystroke text shown in the edit: \n becomes a line break, \t a tab.
std::string ExpandForEdit(const std::string& stored);
// The edit's text as stored: each line break (CR and the character after it) becomes \n and each
// tab \t; the result holds at most 511 characters and an escape is never cut in half.
std::string EscapeFromEdit(const std::string& typed);

}  // namespace kurvo
