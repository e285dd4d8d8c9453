#include "main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include "drop_install.h"
#include "main_commands.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "message_box.h"
#include "notices.h"
#include "schemes.h"
#include "state_view.h"
#include "text_util.h"

namespace kurvo {

namespace {

constexpr int kSymbolItemWidth = 80;
constexpr int kSymbolItemHeight = 58;

HWND Child(HWND parent, const char* cls, DWORD style, DWORD exStyle, int x, int y, int w, int hgt, int id) {
  return CreateWindowExA(exStyle, cls, "", style, x, y, w, hgt, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Kurvo().instance, nullptr);
}

BOOL OnCreate(HWND h) {
  KurvoState& k = Kurvo();
  k.mainWindow = h;
  if (k.language.module) {
    k.menu = LoadMenuA(k.language.module, KVO_MAINMENU);
    SetMenu(h, k.menu);
  }
  k.symbolCount = k.hook.SymbolCount();
  k.loadedScheme = "Strokewise";
  k.currentScheme.clear();

  RECT rc;
  GetClientRect(h, &rc);
  int w = rc.right, hgt = rc.bottom;
  k.schemeBox = Child(h, "COMBOBOX",
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST |
                          CBS_SORT | CBS_HASSTRINGS,
                      WS_EX_CLIENTEDGE, 1, 4, 220, 200, IDC_SCHEME_LIST);
  k.symbolList = Child(h, "LISTBOX",
                       WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                           LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
                       0, 3, 31, w - 5, 290, IDC_SYMBOL_LIST);
  k.statusLine = Child(h, "STATIC", WS_CHILD | WS_VISIBLE, 0, 3, hgt - 14, w - 5, 16, IDC_STATUS_LINE);
  SendMessageA(k.symbolList, LB_SETCOLUMNWIDTH, kSymbolItemWidth, 0);
  k.font = CreateFontA(8, 0, 0, 0, 100, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  for (HWND c : {k.schemeBox, k.symbolList, k.statusLine})
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(k.font), FALSE);

  DragAcceptFiles(h, TRUE);
  SetTimer(h, IDT_FEEDBACK, 500, nullptr);
  k.settings.recognitionEnabled = true;
  k.header.windowClass.clear();
  SyncView();
  return TRUE;
}

void OnDestroy(HWND h) {
  KurvoState& k = Kurvo();
  if (k.font) {
    for (HWND c : {k.schemeBox, k.symbolList, k.statusLine}) SendMessageA(c, WM_SETFONT, 0, FALSE);
    DeleteObject(k.font);
    k.font = nullptr;
  }
  k.closing = true;  // nothing switches the hook on again, even a round of SyncView running now
  k.hook.Disable();
  KillTimer(h, IDT_FEEDBACK);
  if (k.trayIconAdded) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = h;
    data.uID = TRAY_ICON_ID;
    Shell_NotifyIconA(NIM_DELETE, &data);
    k.trayIconAdded = false;
  }
  ReleaseLibrariesIfClosed();
  DragAcceptFiles(h, FALSE);
  SaveSettings();
  PostQuitMessage(0);
}

void OnNcDestroy(HWND h) {
  KurvoState& k = Kurvo();
  if (k.mainWindow != h) return;
  k.mainWindow = nullptr;
  k.menu = nullptr;
  k.schemeBox = k.symbolList = k.statusLine = nullptr;
  k.lastStatus.clear();
}

void OnPaint(HWND h) {
  KurvoState& k = Kurvo();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  if (IsIconic(h)) {
    DefWindowProcA(h, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (k.minimizedIcon) DrawIcon(dc, 2, 2, k.minimizedIcon);
  } else {
    RECT rc;
    GetClientRect(h, &rc);
    int w = rc.right;
    auto line = [&](COLORREF colour, std::initializer_list<POINT> points) {
      HPEN pen = CreatePen(PS_SOLID, 1, colour);
      HGDIOBJ old = SelectObject(dc, pen);
      auto p = points.begin();
      MoveToEx(dc, p->x, p->y, nullptr);
      for (++p; p != points.end(); ++p) LineTo(dc, p->x, p->y);
      SelectObject(dc, old);
      DeleteObject(pen);
    };
    const COLORREF gray = RGB(128, 128, 128), white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    line(gray, {{0, 0}, {w, 0}});
    line(white, {{0, 1}, {w, 1}});
    line(gray, {{0, 322}, {0, 28}, {w - 1, 28}});
    line(black, {{1, 321}, {1, 29}, {w - 2, 29}});
    line(white, {{w - 1, 28}, {w - 1, 322}, {0, 322}});
  }
  EndPaint(h, &ps);
}

void OnGetMinMaxInfo(MINMAXINFO* info) {
  info->ptMinTrackSize = {kMainWidth, kMainHeight};
  info->ptMaxTrackSize = {kMainWidth, kMainHeight};
}

void OnMeasureItem(MEASUREITEMSTRUCT* m) {
  m->itemWidth = kSymbolItemWidth;
  m->itemHeight = kSymbolItemHeight;
}

void OnDrawItem(const DRAWITEMSTRUCT* d) {
  KurvoState& k = Kurvo();
  if (d->CtlID != IDC_SYMBOL_LIST || d->itemID == static_cast<UINT>(-1)) return;
  if (d->itemAction & ODA_FOCUS && !(d->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
    k.selectedSlot = static_cast<int>(d->itemID);
    return;
  }
  const RECT& r = d->rcItem;
  FillRect(d->hDC, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  int left = r.left + (r.right - r.left - 32) / 2;
  int id = static_cast<int>(SendMessageA(d->hwndItem, LB_GETITEMDATA, d->itemID, 0));
  if (HBITMAP bmp = k.hook.SymbolBitmap(id)) {
    HDC mem = CreateCompatibleDC(d->hDC);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(d->hDC, left, r.top, 32, 32, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
  }
  char text[128] = {};
  if (SendMessageA(d->hwndItem, LB_GETTEXTLEN, d->itemID, 0) < static_cast<LRESULT>(sizeof text))
    SendMessageA(d->hwndItem, LB_GETTEXT, d->itemID, reinterpret_cast<LPARAM>(text));
  RECT tr = {r.left, r.top + 36, r.right, r.bottom};
  SetBkMode(d->hDC, TRANSPARENT);
  DrawTextA(d->hDC, text, -1, &tr, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (d->itemState & ODS_SELECTED) {
    RECT fr = {left - 1, r.top, left + 33, r.top + 33};
    DrawFocusRect(d->hDC, &fr);
  }
}

LRESULT OnCtlColor(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

// "Always on top" holds only while minimized; the system menu carries its item only then.
void OnWindowPosChanged(HWND h) {
  KurvoState& k = Kurvo();
  if (k.placingWindow) return;
  k.placingWindow = true;
  HMENU sys = GetSystemMenu(h, FALSE);
  if (IsIconic(h)) {
    SetWindowPos(h, k.settings.alwaysOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!k.systemMenuExtended && sys) {
      AppendMenuA(sys, MF_SEPARATOR, IDM_ALWAYS_ON_TOP_SEP, nullptr);
      AppendMenuA(sys, MF_STRING | (k.settings.alwaysOnTop == 1 ? MF_CHECKED : MF_UNCHECKED),
                  IDM_ALWAYS_ON_TOP, Str(IDS_ALWAYS_ON_TOP).c_str());
      k.systemMenuExtended = true;
    }
  } else {
    SetWindowTextA(h, "Strokewise");
    if (k.systemMenuExtended && sys) {
      DeleteMenu(sys, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND);
      DeleteMenu(sys, IDM_ALWAYS_ON_TOP_SEP, MF_BYCOMMAND);
      k.systemMenuExtended = false;
    }
    SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  k.placingWindow = false;
}

bool OnSysCommand(HWND h, WPARAM command) {
  KurvoState& k = Kurvo();
  if (command == IDM_ALWAYS_ON_TOP) {
    k.settings.alwaysOnTop = k.settings.alwaysOnTop == 0 ? 1 : 0;
    CheckMenuItem(GetSystemMenu(h, FALSE), IDM_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (k.settings.alwaysOnTop ? MF_CHECKED : MF_UNCHECKED));
    SetWindowPos(h, k.settings.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
  }
  if ((command & 0xFFF0) == SC_CLOSE) {
    if (MessageBoxText(h, Str(IDS_CONFIRM_EXIT), MB_ICONERROR | MB_YESNO) == IDYES) DestroyWindow(h);
    return true;
  }
  return false;
}

void OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  static const struct { UINT item, hint; } kHints[] = {
      {IDM_APPHEADER, 75}, {IDM_SHORTCUT, 76},  {IDM_DELETE_SCHEME, 77}, {IDM_MOUSE_LEFTRIGHT, 78},
      {IDM_MOUSE_MIDDLE, 79}, {IDM_SOUNDS, 80}, {IDM_LANGUAGES, 81},     {IDM_OPTIONS, 82},
      {IDM_TOGGLE_ENABLE, 83}, {IDM_QUICKSTART, 84}, {IDM_QUICKHELP, 85}, {IDM_ABOUT, 86}};
  if (flags == 0xFFFF && !menu) {
    SetStatusText(Str(IDS_READY));
    return;
  }
  std::string hint;
  if (!(flags & MF_POPUP))
    for (const auto& e : kHints)
      if (e.item == item) hint = Str(e.hint);
  SetStatusText(hint);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCREATE: SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Kurvo())); break;
    case WM_CREATE: return OnCreate(h) ? 0 : -1;
    case WM_DESTROY: OnDestroy(h); return 0;
    case WM_NCDESTROY: OnNcDestroy(h); break;
    case WM_PAINT: OnPaint(h); return 0;
    case WM_ERASEBKGND: if (IsIconic(h)) return 1; break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case WM_MEASUREITEM: OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(Kurvo().minimizedIcon);
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return OnCtlColor(reinterpret_cast<HDC>(wp));
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(h); break;
    case WM_SYSCOMMAND: if (OnSysCommand(h, wp)) return 0; break;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp)); return 0;
    case WM_COMMAND: OnMainCommand(h, LOWORD(wp), HIWORD(wp)); return 0;
    case WM_TIMER: if (wp == IDT_FEEDBACK) FeedbackCountdownTick(); return 0;
    case WM_DROPFILES: InstallDroppedFiles(h, reinterpret_cast<HDROP>(wp)); DragFinish(reinterpret_cast<HDROP>(wp)); return 0;
    case WM_DRAWBEGIN: return OnDrawBegin(reinterpret_cast<HWND>(lp));
    case WM_SYMBOLDRAWN: return OnSymbolDrawn(static_cast<int32_t>(wp), reinterpret_cast<HWND>(lp));
    case WM_TRAYNOTIFY: OnTrayNotify(h, wp, lp); return 0;
    case WM_KURVO_SYNC: SyncView(); return 0;
    case WM_ENDSESSION: if (wp) SaveSettings(); return 0;  // the window is not destroyed then
    default:
      if (msg == Kurvo().taskbarCreatedMessage && msg != 0) OnTaskbarCreated();
      break;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

bool RegisterMainClass(HINSTANCE instance) {
  Kurvo().taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  wc.lpszClassName = kKurvoClass;
  // Only the Windows 95 family shows a class icon; elsewhere the window paints its status icon.
  OSVERSIONINFOA v = {sizeof v};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&v);
#pragma GCC diagnostic pop
  if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && v.dwMajorVersion >= 4)
    wc.hIcon = LoadIconA(instance, IDI_APPICON);
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainWindow(HINSTANCE instance) {
  KurvoState& k = Kurvo();
  k.instance = instance;
  k.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  k.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  return CreateWindowExA(0, kKurvoClass, "Strokewise",
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
                         (k.screenWidth - kMainWidth) / 2, (k.screenHeight - kMainHeight) / 2, kMainWidth,
                         kMainHeight, nullptr, nullptr, instance, &k);
}

void SetStatusText(const std::string& text) {
  KurvoState& k = Kurvo();
  if (!k.statusLine || text == k.lastStatus) return;
  k.lastStatus = text;
  SetWindowTextA(k.statusLine, text.c_str());
}

void RefreshShortcutList() {
  KurvoState& k = Kurvo();
  if (!k.symbolList) return;
  SendMessageA(k.symbolList, LB_RESETCONTENT, 0, 0);
  for (const ShortcutRecord& r : k.shortcuts) {
    LRESULT i = SendMessageA(k.symbolList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r.name.c_str()));
    if (i >= 0) SendMessageA(k.symbolList, LB_SETITEMDATA, i, r.symbolId);
  }
}

void ShowProgress(int total, int step) {
  KurvoState& k = Kurvo();
  if (!k.mainWindow || total <= 0) return;
  RECT rc;
  GetClientRect(k.mainWindow, &rc);
  int h = rc.bottom;
  HDC dc = GetDC(k.mainWindow);
  if (step > 0) {
    HBRUSH navy = CreateSolidBrush(RGB(0, 0, 128));
    int cells = step * 48 / total;
    for (int i = 0; i < cells; ++i) {
      RECT cell = {3 + 8 * i, h - 12, 10 + 8 * i, h - 2};
      FillRect(dc, &cell, navy);
    }
    DeleteObject(navy);
  } else {
    RECT bar = {3, h - 12, 387, h - 2};
    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  }
  ReleaseDC(k.mainWindow, dc);
}

void SelectSymbolSlot(int slot) {
  KurvoState& k = Kurvo();
  k.selectedSlot = slot;
  if (k.symbolList) SendMessageA(k.symbolList, LB_SETCURSEL, slot, 0);
}

}  // namespace kurvo
