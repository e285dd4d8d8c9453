// Kurvo's modal dialogs, built from the language library's templates and owned by the main window.
#pragma once
#include <windows.h>

#include <string>

namespace kurvo {

// Configure Selected Shortcut for `slot`; true on OK (the slot holds the edits).
bool ShortcutDialog(HWND owner, int slot);
bool HeaderDialog(HWND owner);
void QuickHelpDialog(HWND owner, int section);
bool LanguagesDialog(HWND owner);
bool OptionsDialog(HWND owner);
bool SoundsDialog(HWND owner);
void AboutDialog(HWND owner);
// Splash shown while the default scheme is loaded at start-up (Kurvo's own template).
void RunSplash(HWND owner);
// Plays a named sound: a file, a file of the sound directory, or a system sound name.
void PlayNamedSound(const std::string& name);

}  // namespace kurvo
