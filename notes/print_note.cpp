#include "print_note.h"

#include <cstdio>

#include "note_storage.h"

namespace quill {

std::string BuildPrintText(NoteTable& t, NoteRecord& r, int from, int to) {
  std::string doc = std::string(r.section) + "\r\n" + std::string(strlen(r.section), '=') +
                    "\r\n\r\n";
  char key[16];
  for (int n = std::max(from, 1); n <= std::min(to, kPageCount); ++n) {
    std::string text;
    if (n == r.page + 1) {
      text = ReadEditText(t, NoteEdit(r.window));
    } else {
      snprintf(key, sizeof key, "Text%d", n - 1);
      text = DecodeNoteText(ReadNoteValue(t, r.section, key));
    }
    if (IsBlankText(text)) continue;
    std::string title = r.titles[n - 1];
    doc += title + " :\r\n" + std::string(title.size() + 2, '-') + "\r\n" + text + "\r\n\r\n";
  }
  if (doc.size() >= kPrintBufferSize) {
    size_t cut = doc.rfind("\r\n", kPrintBufferSize - 3);
    doc.resize(cut == std::string::npos ? kPrintBufferSize - 1 : cut + 2);
  }
  return doc;
}

void PrintNote(NoteTable& t, NoteRecord& r) {
  if (!r.inUse || !r.window) return;
  int from = r.page + 1, to = r.page + 1;
  if (!t.printer->Choose(r.window, &from, &to)) return;
  t.printer->PrintText("Quillnote!", BuildPrintText(t, r, from, to));
}

}  // namespace quill
