// The Languages dialog (110): the two scheme languages and the internal language.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "dialog_host.h"

namespace kurvo {

struct LanguagesContext : DialogContext {
  std::vector<int32_t> available;  // discovered libraries, in list order
  bool languageChanged = false;
};

INT_PTR CALLBACK LanguagesDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// After OK with a changed internal language: the new help file, the notice and the shutdown.
void FinishLanguageChange(HWND mainWindow);

}  // namespace kurvo
