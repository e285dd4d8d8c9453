// Resource and control ids of KvoWiz, the quick-start wizard.
#pragma once

// Dialog (IDD_)
#define IDD_WIZARD 100

// Icons (IDI_)
#define IDI_WIZARD 1

// Controls (IDC_)
#define IDC_TITLE 1001
#define IDC_PAGE_TEXT 1002
#define IDC_PAGE_NUMBER 1003
#define IDC_BACK 1004
#define IDC_NEXT 1005
#define IDC_CLOSE 1006
