// The Options dialog (200): how the symbols window hides, and auto focus.
#pragma once
#include <windows.h>

#include "dialog_host.h"

namespace kurvo {

INT_PTR CALLBACK OptionsDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace kurvo
