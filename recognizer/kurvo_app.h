// Kurvo's start-up: settings, libraries, single copy, main window, splash, tray icon and the
// message loop.
#pragma once
#include <windows.h>

namespace kurvo {

// Returns the quit code of the message loop, or 0 when start-up stops.
int RunKurvo(HINSTANCE instance, int show);
// Shows the main window as the start-up setting says: 0 minimized, 1 hidden, else normally.
void ShowAtStartup(HWND mainWindow, int startUpAutoHide);

}  // namespace kurvo
