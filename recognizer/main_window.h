// Kurvo's main window, the symbols window: scheme list box, symbol list and status line, the
// notification icon, the menu commands and the shutdown.
#pragma once
#include <windows.h>

#include <string>

namespace kurvo {

inline constexpr int kMainWidth = 420;
inline constexpr int kMainHeight = 386;

bool RegisterMainClass(HINSTANCE instance);
// Creates the hidden main window (runs the creation handling); null on failure.
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

void SetStatusText(const std::string& text);
void RefreshShortcutList();
void ShowProgress(int total, int step);
void SelectSymbolSlot(int slot);
void SetRecognition(bool enabled);
void AddTrayIcon();

}  // namespace kurvo
