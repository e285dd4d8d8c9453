// The main window's commands (menu and controls) and the notification icon's clicks.
#pragma once
#include <windows.h>

namespace kurvo {

void OnMainCommand(HWND mainWindow, int id, int code);
void OnTrayNotify(HWND mainWindow, WPARAM icon, LPARAM mouse);
// The shell restarted: the notification icon is added again with its state.
void OnTaskbarCreated();

}  // namespace kurvo
