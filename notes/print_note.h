// Printing a note: the document text of a range of pages, and the print command.
#pragma once
#include <windows.h>

#include <string>

#include "note_table.h"

namespace quill {

constexpr size_t kPrintBufferSize = 32768;

// Heading (section name underlined), then every non-blank page from `from` to `to` (1-based)
// with its title underlined. A document longer than the buffer is cut at a line end.
std::string BuildPrintText(NoteTable& t, NoteRecord& r, int from, int to);
// Command 208: the print dialog, then the text on one sheet.
void PrintNote(NoteTable& t, NoteRecord& r);

}  // namespace quill
