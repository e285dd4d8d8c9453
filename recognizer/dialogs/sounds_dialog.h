// The Sounds dialog (113): the sound for recognized symbols and the one for drawings that were
// not recognized.
#pragma once
#include <windows.h>

#include "dialog_host.h"

namespace kurvo {

INT_PTR CALLBACK SoundsDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace kurvo
