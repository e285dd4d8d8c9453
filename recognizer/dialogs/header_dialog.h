// Configure Application Header (dialog 148): edits the current scheme's header and derives its
// file name, or creates a scheme for the application drawn on last.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "dialog_host.h"

namespace kurvo {

struct HeaderDialogContext : DialogContext {
  bool newMode = false;
};

INT_PTR CALLBACK HeaderDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

// The scheme file for an application name, version and language; `defaultName` is the language
// library's name of the default scheme.
std::string SchemeFileNameFor(const std::string& name, const std::string& version, int32_t language,
                              const std::string& defaultName);

}  // namespace kurvo
