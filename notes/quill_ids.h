// Resource, control, command and message ids of Quillnote, grouped by prefix.
#pragma once

// Controls of a note window and of the dialogs.
#define IDC_EDIT 100
#define IDC_PAGE_LIST 101
#define IDC_PAGE_NAME 101
#define IDC_MEM_AVAIL_PHYS 101
#define IDC_MEM_AVAIL_PAGE 102
#define IDC_MEM_TOTAL_PHYS 103
#define IDC_MEM_TOTAL_PAGE 104
#define IDC_MEM_USED_BUTTON 105
#define IDC_MEM_USED 106
#define IDC_MEM_PEAK 107
#define IDC_HELP_TEXT 101
#define IDC_ABOUT_ICON 100
#define IDC_ABOUT_GROUP 101

// Commands (menu items, accelerators, posted to a note window).
#define CMD_SELECT_ALL 101
#define CMD_CLOSE 102
#define CMD_EXIT_ALTF4 103
#define CMD_EXIT_ALTX 104
#define CMD_DEFAULT_FONT 106
#define CMD_SAVE 200
#define CMD_OPEN 201
#define CMD_ABOUT 202
#define CMD_HELP 203
#define CMD_CLOSE_MENU 204
#define CMD_EXIT 205
#define CMD_NEW 206
#define CMD_PRINT 208
#define CMD_TOPMOST 220
#define CMD_FONT 221
#define CMD_SHOW_STARTUP 222
#define CMD_ONE_TRAY 223
#define CMD_MEMORY 401
#define CMD_NEXT_PAGE 601
#define CMD_PREV_PAGE 602
#define CMD_SHORT_DATE 603
#define CMD_TIME 604
#define CMD_LONG_DATE 605
#define CMD_LOAD_FILE 701
#define CMD_SAVE_FILE 702
#define CMD_REPAINT_CLOSE 999
#define CMD_BACK_COLOR 1001
#define CMD_TEXT_COLOR 1002
#define CMD_DESTROY 3205

// Window messages, tray and timers.
#define WM_TRAYNOTIFY (WM_USER + 101)
#define TRAY_ID 999
#define TIMER_SAVE 1
#define TIMER_MEMORY 1
