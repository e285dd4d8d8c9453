// The About box (108): the system version and the product's web address.
#pragma once
#include <windows.h>

#include <string>

#include "dialog_host.h"

namespace kurvo {

inline constexpr char kWebAddress[] = "http://www.strokewise.example/";

INT_PTR CALLBACK AboutDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
std::string SystemVersionText(const OSVERSIONINFOA& v);

}  // namespace kurvo
