#include "note_lifecycle.h"

#include <shellapi.h>

#include <cstdio>

#include "note_settings.h"
#include "note_storage.h"
#include "quill_ids.h"

namespace quill {
namespace {

// Size and position from the section, falling back as stored values demand.
RECT Placement(const NoteTable& t, const NoteRecord& r) {
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  int32_t w = 200, h = 200, x = 0, y = 0;
  if (ReadSettingNumber(t, r.section, "SizeX", &w) && (w < 0 || w > screenW)) w = 200;
  if (ReadSettingNumber(t, r.section, "SizeY", &h) && (h < 0 || h > screenH)) h = 200;
  bool hasX = ReadSettingNumber(t, r.section, "PosX", &x);
  bool hasY = ReadSettingNumber(t, r.section, "PosY", &y);
  bool usable = hasX && hasY && x >= 0 && x <= screenW - w && y >= 0 && y <= screenH - h;
  if (!usable) x = y = CW_USEDEFAULT;
  return {x, y, w, h};  // left, top, width, height
}

bool EditIsBlank(NoteTable& t, const NoteRecord& r) {
  return IsBlankText(ReadEditText(t, NoteEdit(r.window)));
}

}  // namespace

void SetTrayIcon(HWND window, TrayOp op, const NoteRecord& r) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = window;
  nid.uID = TRAY_ID;
  nid.hIcon = r.empty ? r.emptyIcon : r.filledIcon;
  switch (op) {
    case TrayOp::Add:
      nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
      nid.uCallbackMessage = WM_TRAYNOTIFY;
      lstrcpynA(nid.szTip, r.title, sizeof nid.szTip);
      Shell_NotifyIconA(NIM_ADD, &nid);
      break;
    case TrayOp::Modify:
      nid.uFlags = NIF_ICON;
      Shell_NotifyIconA(NIM_MODIFY, &nid);
      break;
    case TrayOp::Delete:
      Shell_NotifyIconA(NIM_DELETE, &nid);
      break;
  }
}

void ComputeEmpty(NoteTable& t, NoteRecord& r, const std::string& currentText) {
  r.empty = IsBlankText(currentText);
  if (!t.oneTray) return;
  for (NoteRecord& other : t.notes)
    if (r.empty && &other != &r && other.inUse && other.window && !EditIsBlank(t, other))
      r.empty = false;
}

void ShowEmptyOnTray(NoteTable& t, NoteRecord& r) {
  if (t.oneTray) {
    if (t.notes[0].window) SetTrayIcon(t.notes[0].window, TrayOp::Modify, r);
  } else if (r.window) {
    SetTrayIcon(r.window, TrayOp::Modify, r);
  }
}

void ApplyEditFont(NoteRecord& r) {
  HFONT old = r.editFont;
  r.editFont = CreateFontIndirectA(&r.font);
  if (r.window) SendMessageA(NoteEdit(r.window), WM_SETFONT, WPARAM(r.editFont), TRUE);
  if (old) DeleteObject(old);
}

void ShowNote(NoteRecord& r) {
  ShowWindow(r.window, SW_SHOWNORMAL);
  SetWindowPos(r.window, r.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
  r.shownSinceSave = true;
  SetFocus(NoteEdit(r.window));
}

void CreateNote(NoteTable& t, int index) {
  if (index < 0 || index >= kNoteCount) return;
  const NoteKind& kind = kNoteKinds[index];
  NoteRecord& r = t.notes[index];
  lstrcpynA(r.title, kind.title, kField);
  lstrcpynA(r.section, kind.section, kField);
  r.inUse = true;
  r.window = nullptr;
  r.pageDialog = nullptr;
  int32_t v = 1;
  r.topMost = ReadSettingNumber(t, r.section, "TopMost", &v) ? v != 0 : true;

  if (index == 0) {
    if (ReadSettingNumber(t, r.section, "ShowStartup", &v)) t.showStartup = v != 0;
    if (ReadSettingNumber(t, r.section, "OneTray", &v)) t.oneTray = v != 0;
  }
  ReadFontSettings(t, r);
  r.editFont = CreateFontIndirectA(&r.font);

  r.loadedMenu = LoadMenuA(t.instance, kind.menu);
  r.popup = r.loadedMenu ? GetSubMenu(r.loadedMenu, 0) : nullptr;
  if (r.popup) {
    SetMenuDefaultItem(r.popup, CMD_OPEN, FALSE);
    CheckMenuItem(r.popup, CMD_TOPMOST, r.topMost ? MF_CHECKED : MF_UNCHECKED);
    if (index == 0) {
      CheckMenuItem(r.popup, CMD_SHOW_STARTUP, t.showStartup ? MF_CHECKED : MF_UNCHECKED);
      CheckMenuItem(r.popup, CMD_ONE_TRAY, t.oneTray ? MF_CHECKED : MF_UNCHECKED);
    }
  }
  if (index == 0) t.oneTrayPending = t.oneTray;

  char key[16];
  for (int p = 0; p < kPageCount; ++p) {
    snprintf(key, sizeof key, "Title%d", p);
    std::string title = ReadSetting(t, r.section, key);
    if (title.empty()) snprintf(r.titles[p], kField, "Page %d", p + 1);
    else lstrcpynA(r.titles[p], title.c_str(), kField);
  }

  bool alarmNote = t.alarm.fired && t.alarm.note == index;
  r.page = alarmNote ? t.alarm.page : 0;
  RECT place = Placement(t, r);

  snprintf(key, sizeof key, "Text%d", int(r.page));
  std::string text = DecodeNoteText(ReadNoteValue(t, r.section, key));
  ComputeEmpty(t, r, text);

  r.window = CreateWindowExA(t.toolWindow ? WS_EX_TOOLWINDOW : 0, kind.windowClass, r.title,
                             WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place.left, place.top,
                             place.right, place.bottom, nullptr, nullptr, t.instance, &t);
  DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL;
  if (t.vscroll) editStyle |= WS_VSCROLL;
  HWND edit = CreateWindowExA(0, "EDIT", text.c_str(), editStyle, 0, 0, place.right - 1,
                              place.bottom - 11, r.window, HMENU(INT_PTR(IDC_EDIT)), t.instance,
                              nullptr);
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);  // as long as memory allows
  SendMessageA(edit, WM_SETFONT, WPARAM(r.editFont), FALSE);

  if (!t.oneTray || index == 0) SetTrayIcon(r.window, TrayOp::Add, r);

  if ((t.showStartup || t.startupDone) && (!r.empty || index != 0 || alarmNote)) {
    PostMessageA(r.window, WM_COMMAND, CMD_OPEN, 0);
  } else if (!t.oneTray) {
    ShowWindow(r.window, SW_SHOWMINIMIZED);
    ShowWindow(r.window, SW_HIDE);
  }
}

void TeardownNote(NoteTable& t, NoteRecord& r) {
  if (!r.inUse) return;
  r.inUse = false;
  if (!t.oneTray || &r == &t.notes[0]) SetTrayIcon(r.window, TrayOp::Delete, r);
  if (r.editFont) DeleteObject(r.editFont);
  r.editFont = nullptr;
  if (r.loadedMenu) DestroyMenu(r.loadedMenu);
  r.loadedMenu = r.popup = nullptr;
}

void DestroyAllNotes(NoteTable& t) {
  t.exiting = true;
  for (NoteRecord& r : t.notes) {
    HWND w = r.window;
    TeardownNote(t, r);
    r.window = nullptr;
    if (w && IsWindow(w)) DestroyWindow(w);
  }
}

}  // namespace quill
