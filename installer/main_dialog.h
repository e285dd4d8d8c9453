// Install's one dialog "MainDlg": language list, target directory, Install and Cancel.
#pragma once
#include <windows.h>

#include "installer.h"

namespace install {

// Shows the dialog modally with no owner and returns when it closes.
INT_PTR RunMainDialog(HINSTANCE instance, InstallerEnvironment& env);

// Creates the same dialog modeless and hidden, for tests; destroy it with DestroyWindow.
HWND CreateMainDialog(HINSTANCE instance, InstallerEnvironment& env);

}  // namespace install
