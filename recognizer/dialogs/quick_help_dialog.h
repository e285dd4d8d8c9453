// The quick help viewer (dialog 196): section titles of a plain text file and the text of one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_host.h"

namespace kurvo {

inline constexpr size_t kHelpTextChars = 2047;

struct QuickHelpContext : DialogContext {
  int section = 0;
  std::string path;
  HFONT textFont = nullptr;
  HFONT titleFont = nullptr;
};

INT_PTR CALLBACK QuickHelpDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

// Every run of characters between "[" and the next "]", in file order, each cut to 2047.
std::vector<std::string> HelpTitles(const std::string& text);
// The text after the (section + 1)-th "]" up to the next "[", lines ending in CR LF, cut to 2047.
std::string HelpSectionText(const std::string& text, int section);
bool ReadWholeFile(const std::string& path, std::string& text);

}  // namespace kurvo
