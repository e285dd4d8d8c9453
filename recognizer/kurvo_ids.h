// Kurvo's own ids: messages, the main window's controls and timer, its own resources. The hook
// library's messages and resource numbers come from hook_ids.h, the language library's ids from
// kvo_ids.h.
#pragma once
#include "hooklib/hook_ids.h"
#include "kvo_ids.h"

// Messages from the notification area.
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

