// Resource and control ids of Install.
#pragma once

// Dialog controls (IDC_)
#define IDC_INSTALL 1001
#define IDC_LANGUAGE_LABEL 1002
#define IDC_DIRECTORY_LABEL 1003
#define IDC_STATUS 1004
#define IDC_LANGUAGES 1005
#define IDC_DIRECTORY 1006
#define IDC_CANCEL 1008

// Bitmaps (IDB_)
#define IDB_BANNER 102

// Strings (IDS_)
#define IDS_CONFIRM_CANCEL 1
#define IDS_SUCCESS 2
#define IDS_PLEASE_WAIT 3
#define IDS_STARTUP_QUESTION 4
