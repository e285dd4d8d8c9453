// What Kurvo's dialogs share: running a template of the language library with a context, pausing
// the recognition hook while a dialog is open, control text helpers, the sound names, the
// file chooser and the rule that plays a named sound.
#pragma once
#include <windows.h>

#include <string>

#include "message_box.h"

namespace kurvo {

// Every dialog's state starts with this; the procedure finds it at DWLP_USER.
struct DialogContext {
  int result = 0;             // the code the dialog closed with, 0 while open
  bool initializing = false;  // control notifications during set-up are not the user's
};

// Runs the language library's template modally; -1 without a library. With `pauseHook` the hook
// is switched off while it is open if recognition is enabled, and on again afterwards.
INT_PTR ShowModal(UINT templateId, HWND owner, DLGPROC proc, DialogContext* context, bool pauseHook = true);
// The same dialog without a modal loop, for driving it from a test.
HWND CreateModeless(UINT templateId, HWND owner, DLGPROC proc, DialogContext* context);
// Stores the context at WM_INITDIALOG and returns it afterwards (null before).
template <typename T>
T* ContextOf(HWND dialog, UINT msg, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lp);
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
void CloseDialog(HWND dialog, int result);

// A control's text, read up to `limit` characters.
std::string ItemText(HWND dialog, int id, size_t limit);
void SetItemText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
// Checks `id` and unchecks the other radios of `group` (a zero-ended list of ids).
void SelectRadio(HWND dialog, const int* group, int id);
void EnableItems(HWND dialog, std::initializer_list<int> ids, bool enable);

extern const char* const kSoundNames[6];
void FillSoundNames(HWND combo);
// The file-open dialog with one filter; empty when cancelled.
std::string ChooseFile(HWND owner, const char* description, const char* pattern, const std::string& startDir);
// The directory part of a path, without the trailing backslash; empty when it has none.
std::string DirectoryOf(const std::string& path);

// Light-gray dialog painting for the colour messages; 0 for other messages.
INT_PTR GrayControlColour(UINT msg, WPARAM wp);

}  // namespace kurvo
