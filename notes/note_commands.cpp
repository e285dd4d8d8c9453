// The commands of a note window (menu items, accelerators, posted commands).
#include <windows.h>
#include <commdlg.h>

#include <cstdio>

#include "caption.h"
#include "info_dialogs.h"
#include "memory_dialog.h"
#include "print_note.h"
#include "note_lifecycle.h"
#include "note_settings.h"
#include "note_storage.h"
#include "note_window.h"
#include "pages.h"
#include "quill_ids.h"
#include "text_files.h"

namespace quill {
namespace {

bool IsMain(const NoteTable& t, const NoteRecord& r) { return &r == &t.notes[0]; }

// The note a close or exit acts on: in one-tray mode the active note when there is one.
NoteRecord& CloseTarget(NoteTable& t, NoteRecord& r) {
  if (t.oneTray)
    if (NoteRecord* active = ActiveNote(t)) return *active;
  return r;
}

// The record whose top-most flag and font the commands change.
NoteRecord& SettingsTarget(NoteTable& t, NoteRecord& r) { return t.oneTray ? t.notes[0] : r; }

void CheckItem(HMENU menu, int id, bool on) {
  if (menu) CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// Closes a note for good: a coloured note is torn down, its window destroyed and its stored
// pages and settings erased; the main note ends the program.
void ExitNote(NoteTable& t, NoteRecord& r) {
  HWND window = r.window;
  SendMessageA(window, WM_CLOSE, 0, 0);
  SendMessageA(window, WM_DESTROY, 0, 0);
  if (IsMain(t, r)) return;
  DeleteNoteValues(t, r.section);
  r.window = nullptr;
  DestroyWindow(window);
}

// Exit: the main note ends the program (every note saved); a coloured note is erased for good,
// so the user is asked first.
void OnExit(NoteTable& t, NoteRecord& r) {
  if (!IsMain(t, r)) {
    char text[80];
    snprintf(text, sizeof text, "Erase the %s note and its pages?",
             kNoteKinds[IndexOf(t, r)].colourName);
    if (MessageBoxA(r.window, text, "Quillnote", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
      return;
  }
  ExitNote(t, r);
}

void OnOpen(NoteTable& t, NoteRecord& r) {
  if (t.oneTray) {
    for (NoteRecord& n : t.notes)
      if (n.inUse) ShowNote(n);
    return;
  }
  ShowNote(r);
  if (r.popup) {
    EnableMenuItem(r.popup, CMD_OPEN, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(r.popup, CMD_CLOSE_MENU, MF_BYCOMMAND | MF_ENABLED);
  }
}

void OnDefaultFont(NoteRecord& r) {
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof r.font, &r.font, 0);
  ApplyEditFont(r);
}

void OnNew(NoteTable& t) {
  for (int i = 0; i < kNoteCount; ++i)
    if (!t.notes[i].inUse) return CreateNote(t, i);
}

void OnTopMost(NoteTable& t, NoteRecord& r, HWND window) {
  NoteRecord& target = SettingsTarget(t, r);
  target.topMost = !target.topMost;
  SetWindowPos(window, target.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CheckItem(target.popup, CMD_TOPMOST, target.topMost);
}

void OnChooseFont(NoteTable& t, NoteRecord& r, HWND window) {
  NoteRecord& target = SettingsTarget(t, r);
  LOGFONTA font = target.font;
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = window;
  cf.lpLogFont = &font;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
  if (!ChooseFontA(&cf)) return;
  for (NoteRecord& n : t.notes) {
    if (&n != &target && !(t.oneTray && n.inUse)) continue;
    n.font = font;
    ApplyEditFont(n);
  }
}

void OnShowStartup(NoteTable& t) {
  t.showStartup = !t.showStartup;
  CheckItem(t.notes[0].popup, CMD_SHOW_STARTUP, t.showStartup);
}

void OnOneTray(NoteTable& t, HWND window) {
  t.oneTrayPending = !t.oneTrayPending;
  CheckItem(t.notes[0].popup, CMD_ONE_TRAY, t.oneTrayPending);
  MessageBoxA(window, "Change will take place\nat next launch of QUILLNOTE.EXE", "Warning !",
              MB_OK | MB_ICONINFORMATION);
}

// Date or time from the clock, in the user's format, replacing the selection (undoable).
void InsertDateTime(NoteTable& t, HWND window, int id) {
  SYSTEMTIME now = t.clock->Now();
  char text[kField] = "";
  if (id == CMD_TIME)
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, text, kField);
  else
    GetDateFormatA(LOCALE_USER_DEFAULT, id == CMD_SHORT_DATE ? DATE_SHORTDATE : DATE_LONGDATE, &now,
                   nullptr, text, kField);
  SendMessageA(NoteEdit(window), EM_REPLACESEL, TRUE, LPARAM(text));
}

void OnColor(NoteTable& t, HWND window, bool background) {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = window;
  cc.rgbResult = background ? t.colors.background : t.colors.text;
  cc.lpCustColors = t.customColors;
  cc.Flags = CC_RGBINIT | (t.palette ? CC_PREVENTFULLOPEN : CC_FULLOPEN);
  if (!ChooseColorA(&cc)) return;
  if (background) {
    t.colors.background = cc.rgbResult;
    DeriveColors(&t.colors);
    MakeBrushes(t);
    for (NoteRecord& n : t.notes)
      if (n.window) SetClassLongPtrA(n.window, GCLP_HBRBACKGROUND, LONG_PTR(t.backBrush.get()));
  } else {
    t.colors.text = cc.rgbResult;
  }
  FlushSettings(t);
  WriteSettingNumber(t, "Quill", "BackColor", long(t.colors.background));
  WriteSettingNumber(t, "Quill", "TextColor", long(t.colors.text));
  FlushSettings(t);
  for (NoteRecord& n : t.notes)
    if (n.inUse) SendMessageA(n.window, WM_CLOSE, 0, 0);
}

// Destroy (coloured notes only: erasing the main note's section would lose its pages).
void OnDestroyNote(NoteTable& t, NoteRecord& r, HWND window) {
  if (IsMain(t, r) || r.window != window) return;
  ExitNote(t, r);
}

}  // namespace

LRESULT OnCommand(NoteTable& t, NoteRecord& r, HWND window, int id, WPARAM wp, LPARAM lp) {
  switch (id) {
    case CMD_SELECT_ALL: SendMessageA(NoteEdit(window), EM_SETSEL, 0, -1); break;
    case CMD_CLOSE:
    case CMD_CLOSE_MENU: PostMessageA(CloseTarget(t, r).window, WM_CLOSE, 0, 0); break;
    case CMD_EXIT_ALTF4:
    case CMD_EXIT_ALTX:
    case CMD_EXIT: OnExit(t, CloseTarget(t, r)); return 0;
    case CMD_DEFAULT_FONT: OnDefaultFont(r); break;
    case CMD_SAVE: SaveNote(t, r); break;
    case CMD_OPEN: OnOpen(t, r); break;
    case CMD_ABOUT: ShowAboutDialog(t, window); break;
    case CMD_HELP: ShowHelpDialog(t, window); break;
    case CMD_NEW: OnNew(t); break;
    case CMD_PRINT: PrintNote(t, CloseTarget(t, r)); break;
    case CMD_TOPMOST: OnTopMost(t, r, window); break;
    case CMD_FONT: OnChooseFont(t, r, window); break;
    case CMD_SHOW_STARTUP: OnShowStartup(t); break;
    case CMD_ONE_TRAY: OnOneTray(t, window); break;
    case CMD_MEMORY: ShowMemoryDialog(t); break;
    case CMD_NEXT_PAGE: TurnPage(t, r, +1, PageTurnBy::Key); break;
    case CMD_PREV_PAGE: TurnPage(t, r, -1, PageTurnBy::Key); break;
    case CMD_SHORT_DATE:
    case CMD_LONG_DATE:
    case CMD_TIME: InsertDateTime(t, window, id); break;
    case CMD_LOAD_FILE: LoadNoteFromFile(t, window); break;
    case CMD_SAVE_FILE: SaveNoteToFile(t, window); break;
    case CMD_REPAINT_CLOSE: RepaintCloseStrips(t, r); break;
    case CMD_BACK_COLOR: OnColor(t, window, true); break;
    case CMD_TEXT_COLOR: OnColor(t, window, false); break;
    case CMD_DESTROY: OnDestroyNote(t, r, window); return 0;
  }
  return DefWindowProcA(window, WM_COMMAND, wp, lp);
}

}  // namespace quill
