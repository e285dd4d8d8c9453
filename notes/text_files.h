// Loading a plain text file into a note and saving a note's text to one.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

#include "note_table.h"

namespace quill {

enum class FileDialogMode { Open, Save };

// The open or save dialog for text files; the chosen path becomes t.lastFile.
bool ChooseFileName(NoteTable& t, HWND owner, FileDialogMode mode, const char* title);
// Appends ".TXT" when the last component of `path` has no extension; the result fits `size`.
void AddDefaultExtension(char* path, size_t size);

// A text file's bytes as a page takes them: every line break (CR LF, LF or CR alone) becomes
// CR LF and a zero byte a space; the text is cut, never inside a line break, at `room`
// characters.
struct LoadedText {
  std::string text;
  size_t zeroBytes = 0;   // zero bytes that became spaces
  uint64_t usedBytes = 0;  // bytes of the file that are in `text`
};
LoadedText PrepareLoadedText(std::string_view file, size_t room);

// Command 701: the chosen file replaces the edit control's selection.
void LoadNoteFromFile(NoteTable& t, HWND window);
// Command 702: the note's text written to the chosen file.
void SaveNoteToFile(NoteTable& t, HWND window);
// The two steps after the dialog, on a known path (tests call these).
bool InsertTextFile(NoteTable& t, HWND window, const char* path);
bool WriteTextFile(NoteTable& t, HWND window, const char* path);

}  // namespace quill
