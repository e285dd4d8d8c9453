// The program's run: command line, start-up in its fixed order, the message loop and shutdown.
#pragma once
#include <windows.h>
#include <string>

#include "note_table.h"

namespace quill {

enum class CommandLineResult { Default, Named, TooLong };
// The settings file name from the command line (trimmed, quotes removed). A name longer than 15
// characters is refused rather than cut: a cut name would open some other note file.
CommandLineResult SettingsNameFromCommandLine(const char* commandLine, std::string* name);

// Start-up from the caption metrics to the timer. False when another copy already runs.
bool StartNotes(NoteTable& t);
// Offers a key message to the accelerator table for the active note window; true when it became
// a command.
bool TranslateNoteKey(NoteTable& t, HWND active, MSG* msg);
// Runs until WM_QUIT.
void RunMessageLoop(NoteTable& t);
// Saves and tears down every note, releases the shared objects, stores PageSize.
void ShutdownNotes(NoteTable& t);

// The whole program; returns its exit code.
int RunQuillnote(HINSTANCE instance, const char* commandLine);

}  // namespace quill
