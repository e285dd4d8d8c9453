// Pages beyond the first, alarms, dialogs and printing: not yet built; the commands do nothing.
#include "alarms.h"
#include "dialogs.h"
#include "pages.h"

namespace quill {

void LoadPage(NoteTable&, NoteRecord&) {}
void TurnPage(NoteTable&, NoteRecord&, int, PageTurnBy) {}
void TurnPageByArrow(NoteTable&, NoteRecord&, bool) {}
void ChoosePage(NoteTable&, NoteRecord&) {}
void RenamePage(NoteTable&, NoteRecord&) {}
bool ScanAlarms(NoteTable&) { return false; }
void PresentAlarm(NoteTable&, bool) {}
void ShowMemoryDialog(NoteTable&) {}
void ShowHelpDialog(NoteTable&, HWND) {}
void ShowAboutDialog(NoteTable&, HWND) {}
void PrintNote(NoteTable&, NoteRecord&) {}

}  // namespace quill
