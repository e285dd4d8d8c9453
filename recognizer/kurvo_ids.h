// Kurvo's own ids: messages, the main window's controls and timer, its own resources and the
// hook library's resource numbers. The language library's ids come from kvo_ids.h.
#pragma once
#include "kvo_ids.h"

// Messages from the hook library and the notification area.
#define WM_DRAWBEGIN 1224
#define WM_SYMBOLDRAWN 1274
#define WM_TRAYNOTIFY 32868
// Kurvo to itself: bring what is shown in line with the state again (state_view.h).
#define WM_KURVO_SYNC (WM_TRAYNOTIFY + 1)

// Main window.
#define IDC_SCHEME_LIST 700
#define IDC_SYMBOL_LIST 701
#define IDC_STATUS_LINE 702
#define IDT_FEEDBACK 255
#define IDM_SHUTDOWN 114           // no menu item: shut down without asking
#define IDM_SOUNDNAME_ITEM 40002   // optional menu item formatted with the common sound's name
#define IDM_ALWAYS_ON_TOP 61441    // system-menu items added while minimized
#define IDM_ALWAYS_ON_TOP_SEP 61442
#define TRAY_ICON_ID 1

// Kurvo's own resources.
#define IDI_APPICON "APPICON"
#define IDD_SPLASH 220
#define IDB_SPLASH 219
#define IDC_SPLASH_PICTURE 1000
#define KURVO_ACCELERATORS "Strokewise"

// Hook library resources: symbol pictures at 100 + id, status icons 100 to 104.
#define HOOK_BITMAP_BASE 100
#define ICON_READY 100
#define ICON_NOT_RECOGNIZED 101
#define ICON_RECOGNIZED 102
#define ICON_NOT_IN_SCHEME 103
#define ICON_DISABLED 104
