// Kurvo's message box: every box it shows goes through here, with the caption "Strokewise" unless
// another is named.
#pragma once
#include <windows.h>

#include <string>

namespace kurvo {

int MessageBoxText(HWND owner, const std::string& text, UINT flags, const char* caption = "Strokewise");

}  // namespace kurvo
