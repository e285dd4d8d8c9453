#include "note_window.h"

#include <windowsx.h>

#include "alarms.h"
#include "caption.h"
#include "note_lifecycle.h"
#include "note_settings.h"
#include "note_storage.h"
#include "pages.h"
#include "quill_ids.h"

namespace quill {
namespace {

bool IsNoteWindow(const NoteTable& t, HWND window) {
  for (const NoteRecord& r : t.notes)
    if (r.inUse && r.window == window) return true;
  return false;
}

POINT WindowPoint(HWND window, LPARAM lp) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return {GET_X_LPARAM(lp) - rc.left, GET_Y_LPARAM(lp) - rc.top};
}

int WidthOf(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return rc.right - rc.left;
}

// The record of a note whose window is being created: the one in use without a window yet.
void BindOnCreate(NoteTable& t, HWND window) {
  char cls[32] = "";
  GetClassNameA(window, cls, sizeof cls);
  for (int i = 0; i < kNoteCount; ++i)
    if (t.notes[i].inUse && !t.notes[i].window && lstrcmpA(cls, kNoteKinds[i].windowClass) == 0)
      t.notes[i].window = window;
}

LRESULT OnSize(NoteTable& t, HWND window, UINT type, int cx, int cy, WPARAM wp, LPARAM lp) {
  // A minimized note has no width: the shared arrows keep the place they have.
  if (type == SIZE_MINIMIZED) return DefWindowProcA(window, WM_SIZE, wp, lp);
  if (HWND edit = NoteEdit(window)) MoveWindow(edit, 0, 0, cx - 1, cy - 1, TRUE);
  UpdateRightArrow(t, cx);
  return DefWindowProcA(window, WM_SIZE, wp, lp);
}

LRESULT OnActivate(HWND window, WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == WA_ACTIVE) SetFocus(NoteEdit(window));
  return DefWindowProcA(window, WM_ACTIVATE, wp, lp);
}

LRESULT OnCtlColorEdit(NoteTable& t, HDC dc) {
  SetTextColor(dc, t.colors.text);
  SetBkColor(dc, t.colors.background);
  return LRESULT(t.backBrush.get());
}

LRESULT OnNcPaint(NoteTable& t, NoteRecord& r, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = DefWindowProcA(window, msg, wp, lp);
  if (!t.exiting && !IsIconic(window) && IsNoteWindow(t, window)) PaintCaption(t, r);
  return result;
}

LRESULT OnNcHitTest(NoteTable& t, HWND window, WPARAM wp, LPARAM lp) {
  LRESULT hit = DefWindowProcA(window, WM_NCHITTEST, wp, lp);
  if (!t.toolWindow) return hit;
  if (hit != t.lastHit || (hit >= HTSIZEFIRST && hit <= HTSIZELAST))
    PostMessageA(window, WM_COMMAND, CMD_REPAINT_CLOSE, 0);
  t.lastHit = hit;
  return hit;
}

LRESULT OnNcLButtonDown(NoteTable& t, NoteRecord& r, HWND window, WPARAM wp, LPARAM lp) {
  if (IsNoteWindow(t, window)) {
    PlaceArrowsFor(t, r);
    POINT p = WindowPoint(window, lp);
    if (InLeftArrow(t, p)) return TurnPageByArrow(t, r, true), 0;
    if (InRightArrow(t, p)) return TurnPageByArrow(t, r, false), 0;
    if (InTitleBand(t, p)) return ChoosePage(t, r), 0;
  }
  return DefWindowProcA(window, WM_NCLBUTTONDOWN, wp, lp);
}

bool InRenameBand(NoteTable& t, HWND window, LPARAM lp) {
  if (!IsNoteWindow(t, window)) return false;
  PlaceArrowsFor(t, RecordOf(t, window));
  return WidthOf(window) >= 150 && InTitleBand(t, WindowPoint(window, lp));
}

LRESULT OnNcRButtonDown(NoteTable& t, NoteRecord& r, HWND window, WPARAM wp, LPARAM lp) {
  if (!InRenameBand(t, window, lp)) return DefWindowProcA(window, WM_NCRBUTTONDOWN, wp, lp);
  RenamePage(t, r);
  SetFocus(NoteEdit(window));
  return 0;
}

LRESULT OnNcRButtonUp(NoteTable& t, HWND window, WPARAM wp, LPARAM lp) {
  if (!InRenameBand(t, window, lp)) return DefWindowProcA(window, WM_NCRBUTTONUP, wp, lp);
  return 0;
}

LRESULT OnClose(NoteTable& t, NoteRecord& r, HWND window) {
  if (t.exiting || r.window != window) return DefWindowProcA(window, WM_CLOSE, 0, 0);
  SaveNote(t, r);
  ShowWindow(window, SW_HIDE);
  ComputeEmpty(t, r, ReadEditText(t, NoteEdit(window)));
  ShowEmptyOnTray(t, r);
  if (!t.oneTray && r.popup) {
    EnableMenuItem(r.popup, CMD_CLOSE_MENU, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(r.popup, CMD_OPEN, MF_BYCOMMAND | MF_ENABLED);
    SetMenuDefaultItem(r.popup, CMD_OPEN, FALSE);
  }
  return 0;
}

LRESULT OnDestroy(NoteTable& t, NoteRecord& r, HWND window) {
  if (t.exiting || r.window != window) return DefWindowProcA(window, WM_DESTROY, 0, 0);
  if (&r == &t.notes[0]) {
    KillTimer(window, TIMER_SAVE);
    PostQuitMessage(0);
  } else {
    TeardownNote(t, r);
  }
  return 0;
}

LRESULT OnQueryEndSession(NoteTable& t, HWND window, WPARAM wp, LPARAM lp) {
  SaveAllNotes(t);
  return DefWindowProcA(window, WM_QUERYENDSESSION, wp, lp);
}

LRESULT OnTimer(NoteTable& t, HWND window, WPARAM wp, LPARAM lp) {
  if (t.exiting) return DefWindowProcA(window, WM_TIMER, wp, lp);
  for (NoteRecord& r : t.notes)
    if (r.inUse) SavePage(t, r);
  if (ScanAlarms(t)) PresentAlarm(t, true);
  return 0;
}

LRESULT OnTrayNotify(NoteRecord& r, HWND window, WPARAM wp, LPARAM lp) {
  if (wp != TRAY_ID) return 0;
  if (lp == WM_LBUTTONUP) {
    PostMessageA(window, WM_COMMAND, CMD_OPEN, 0);
  } else if (lp == WM_RBUTTONUP && r.popup) {
    POINT p{};
    GetCursorPos(&p);
    // The active note is left as it is: in one-tray mode Close and Exit act on it.
    TrackPopupMenu(r.popup, TPM_RIGHTALIGN, p.x, p.y, 0, window, nullptr);
  }
  return 0;
}

// The shell restarted: every tray icon is added again.
LRESULT OnTaskbarCreated(NoteTable& t, HWND window) {
  if (window != t.notes[0].window) return 0;  // once, from the main note
  for (int i = 0; i < kNoteCount; ++i)
    if (t.notes[i].inUse && (!t.oneTray || i == 0))
      SetTrayIcon(t.notes[i].window, TrayOp::Add, t.notes[i]);
  return 0;
}

}  // namespace

NoteTable* TableOf(HWND window) {
  return reinterpret_cast<NoteTable*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SaveAllNotes(NoteTable& t) {
  for (NoteRecord& r : t.notes)
    if (r.inUse) SaveNote(t, r);
  WriteSettingNumber(t, "Quill", "PageSize", long(t.pageSize));
  FlushSettings(t);
}

}  // namespace quill

using namespace quill;

extern "C" LRESULT CALLBACK MyProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(cs->lpCreateParams));
    if (NoteTable* t = TableOf(window)) BindOnCreate(*t, window);
  }
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  NoteTable* table = TableOf(window);
  if (!table) return DefWindowProcA(window, msg, wp, lp);
  NoteTable& t = *table;
  NoteRecord& r = RecordOf(t, window);
  switch (msg) {
    case WM_SIZE: return OnSize(t, window, UINT(wp), LOWORD(lp), HIWORD(lp), wp, lp);
    case WM_ACTIVATE: return OnActivate(window, wp, lp);
    case WM_CTLCOLOREDIT: return OnCtlColorEdit(t, HDC(wp));
    case WM_NCPAINT:
    case WM_NCACTIVATE: return OnNcPaint(t, r, window, msg, wp, lp);
    case WM_NCHITTEST: return OnNcHitTest(t, window, wp, lp);
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(t, r, window, wp, lp);
    case WM_NCRBUTTONDOWN: return OnNcRButtonDown(t, r, window, wp, lp);
    case WM_NCRBUTTONUP: return OnNcRButtonUp(t, window, wp, lp);
    case WM_CLOSE: return OnClose(t, r, window);
    case WM_DESTROY: return OnDestroy(t, r, window);
    case WM_QUERYENDSESSION: return OnQueryEndSession(t, window, wp, lp);
    case WM_TIMER: return OnTimer(t, window, wp, lp);
    case WM_TRAYNOTIFY: return OnTrayNotify(r, window, wp, lp);
    case WM_COMMAND:
      // A window whose note was torn down has no record: its commands do nothing.
      if (r.window != window) return DefWindowProcA(window, msg, wp, lp);
      return OnCommand(t, r, window, LOWORD(wp), wp, lp);
    default: break;
  }
  if (msg == t.taskbarCreated && msg != 0) return OnTaskbarCreated(t, window);
  return DefWindowProcA(window, msg, wp, lp);
}
