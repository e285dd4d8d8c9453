// Resource ids of a Kurvo language library: the contract between Kurvo and every kvo_<code>.dll.
// Dialogs (IDD_), the main menu's commands (IDM_), dialog controls (IDC_), strings (IDS_),
// bitmaps and icons (IDB_, IDI_).
#pragma once

// Dialog templates.
#define IDD_ABOUT 108
#define IDD_LANGUAGES 110
#define IDD_SOUNDS 113
#define IDD_SHORTCUT 114
#define IDD_APPHEADER 148
#define IDD_QUICKHELP 196
#define IDD_OPTIONS 200

// Other resources.
#define IDB_LOGO 156
#define IDI_ABOUT 116
#define KVO_MAINMENU "MAINMENU"

// Main menu commands (handled by Kurvo's main window).
#define IDM_ABOUT 100
#define IDM_MOUSE_MIDDLE 101
#define IDM_MOUSE_LEFTRIGHT 102
#define IDM_SHORTCUT 113
#define IDM_APPHEADER 115
#define IDM_QUICKHELP 119
#define IDM_QUICKSTART 120
#define IDM_OPTIONS 122
#define IDM_DELETE_SCHEME 40001
#define IDM_TOGGLE_ENABLE 40005
#define IDM_LANGUAGES 40007
#define IDM_SOUNDS 40008

// Dialog controls. Several dialogs reuse the same numbers for different controls.
#define IDC_HELPBTN 1059
// About (108)
#define IDC_ABOUT_TEXT 1001
#define IDC_ABOUT_OSVERSION 1038
#define IDC_ABOUT_VISIT 1017
#define IDC_ABOUT_WEB 1014
// Languages (110)
#define IDC_LANG_PREFERRED 1062
#define IDC_LANG_DEFAULT 1063
#define IDC_LANG_INTERNAL 1064
// Sounds (113)
#define IDC_SND_RECOGNIZED 1067
#define IDC_SND_PER_SHORTCUT 1024
#define IDC_SND_ONE_FOR_ALL 1025
#define IDC_SND_ALL_NAME 1077
#define IDC_SND_ALL_BROWSE 1022
#define IDC_SND_ALL_PLAY 1021
#define IDC_SND_NOT_RECOGNIZED 1068
#define IDC_SND_NOTREC_NAME 1076
#define IDC_SND_NOTREC_BROWSE 1026
#define IDC_SND_NOTREC_PLAY 1023
// Configure Selected Shortcut (114)
#define IDC_SC_NAME 1031
#define IDC_SC_SHAPES 1030
#define IDC_SC_SOUND 1077
#define IDC_SC_PLAY 1021
#define IDC_SC_SOUND_BROWSE 1022
#define IDC_SC_HOTKEY 1025
#define IDC_SC_HOTKEY1 1016
#define IDC_SC_HOTKEY2 1018
#define IDC_SC_HOTKEY3 1019
#define IDC_SC_HOTKEY4 1020
#define IDC_SC_MENUSEQ 1024
#define IDC_SC_MENUSEQ_TEXT 1032
#define IDC_SC_KEYSTROKE 1029
#define IDC_SC_KEYSTROKE_TEXT 1036
#define IDC_SC_CMDLINE 1027
#define IDC_SC_CMDLINE_TEXT 1010
#define IDC_SC_CMDLINE_BROWSE 1023
// Configure Application Header (148)
#define IDC_HDR_NEW 1041
#define IDC_HDR_NAME 1039
#define IDC_HDR_VERSION 1005
#define IDC_HDR_TYPE 1003
#define IDC_HDR_LANGUAGE 1004
#define IDC_HDR_COMMENTS 1036
#define IDC_HDR_LEVEL 1006
#define IDC_HDR_EXPLAIN 4
// Help (196)
#define IDC_HELP_SECTIONS 1030
#define IDC_HELP_TITLE 1000
#define IDC_HELP_TEXT 1014
// Options (200)
#define IDC_OPT_AUTOHIDE_MINIMIZE 1042
#define IDC_OPT_AUTOHIDE_HIDE 1043
#define IDC_OPT_AUTOHIDE_NONE 1026
#define IDC_OPT_START_MINIMIZE 1044
#define IDC_OPT_START_HIDE 1045
#define IDC_OPT_START_NONE 1027
#define IDC_OPT_AUTOFOCUS 1069

// Strings.
#define IDS_APPTYPE_FIRST 1      // 1..28: application types
#define IDS_APPTYPE_LAST 28
#define IDS_NULL 29
#define IDS_LANGUAGE_FIRST 30    // 30..39: language names by language index
#define IDS_NOT_RECOGNIZED 40
#define IDS_READY 41
#define IDS_SCHEME_SAVED 42
#define IDS_NEW_APP_HOWTO 43
#define IDS_CONFIRM_DELETE_SCHEME 44
#define IDS_RIGHT_BUTTON_SET 45
#define IDS_MIDDLE_BUTTON_SET 46
#define IDS_CONFIRM_EXIT 47
#define IDS_DEFAULT 48
#define IDS_TRAY_TIP 49
#define IDS_RECOGNIZED 50
#define IDS_RECOGNIZED_NOT_IN_SCHEME 51
#define IDS_ENABLE 52
#define IDS_DISABLE 53
#define IDS_CLICK_TO_ENABLE 54
#define IDS_CONFIRM_RESET_SHORTCUT 55
#define IDS_NULL_SHORTCUT 56
#define IDS_RIGHT 57
#define IDS_LEFT 58
#define IDS_SYSCMD_FIRST 60      // 60..66: the seven system commands
#define IDS_ALWAYS_ON_TOP 70
#define IDS_CHANGE_DEFAULT_SCHEME 71
#define IDS_SCHEME_EXISTS 72
#define IDS_CONFIRM_LANGUAGE 73
#define IDS_SHUTTING_DOWN 74
#define IDS_HINT_FIRST 75        // 75..86: menu hints
#define IDS_ENTER_VERSION 87
#define IDS_RIGHT_CLICK_OPTION 88
#define IDS_RIGHT_CLICK_EXPLAIN 89
#define IDS_DROP_SUMMARY 93
#define IDS_TRAY_HINT 96
