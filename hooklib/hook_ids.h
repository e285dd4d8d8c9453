// Ids of the hook library's contract with the recognizer program: its messages and resources.
#pragma once

// Messages sent to the window of class "Strokewise".
#define WM_DRAWBEGIN 1224    // lParam: window under the pointer; result: the level
#define WM_SYMBOLDRAWN 1274  // wParam: symbol id (0 not recognized); lParam: that window

// Bitmaps: IDB_SYMBOL_BASE + id, 32 x 32, the picture of each symbol id (id 0 blank).
#define IDB_SYMBOL_BASE 100

// Status icons, 16 x 16 and 32 x 32 each.
#define IDI_STATUS_READY 100
#define IDI_STATUS_NOT_RECOGNIZED 101
#define IDI_STATUS_RECOGNIZED 102
#define IDI_STATUS_NOT_IN_SCHEME 103
#define IDI_STATUS_DISABLED 104
