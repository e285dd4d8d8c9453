// Page texts and note settings stored and read back: single values through the settings file and
// the text store, whole pages and notes, and the growth of the text buffers.
#pragma once
#include <windows.h>
#include <string>

#include "note_table.h"

namespace quill {

// The value of `key` (a page's "Text%d"): the settings file's when present, else the store's.
// A longer stored text grows PageSize so that it is kept whole when saved again.
std::string ReadNoteValue(NoteTable& t, const char* section, const char* key);
// Stores `value` in the text store (after removing the key from the settings file); an empty
// value removes the record. False when the store could not be rewritten.
bool WriteNoteValue(NoteTable& t, const char* section, const char* key, const std::string& value);
// Removes every stored value of the section and the section itself from the settings file.
void DeleteNoteValues(NoteTable& t, const char* section);

// True when a text of `length` characters fits; otherwise grows the buffers and returns false.
bool EnsureTextCapacity(NoteTable& t, size_t length);
// The whole text of an edit control, growing the buffers until it fits.
std::string ReadEditText(NoteTable& t, HWND edit);

// The edit control of a note window.
HWND NoteEdit(HWND window);

void SavePage(NoteTable& t, NoteRecord& r);
void SaveNote(NoteTable& t, NoteRecord& r);

// Makes the record's font description the stored one (defaults first).
void ReadFontSettings(const NoteTable& t, NoteRecord& r);

}  // namespace quill
