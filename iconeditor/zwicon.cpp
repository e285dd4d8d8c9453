#include "zwicon.h"

#include <shellapi.h>

#include <cstring>

#include "application.h"
#include "main_form.h"
#include "icon_selector.h"
#include "message_boxes.h"
#include "settings.h"

namespace zwicon {

static void RealHelp(const std::string& file, UINT command, ULONG_PTR data) {
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowAlert("Help", "The help file ZWICON.HLP is not installed.\rHelp is not available.");
    return;
  }
  HWND owner = TheEditor().mainForm ? TheEditor().mainForm->hwnd : nullptr;
  WinHelpA(owner, file.c_str(), command, data);
}

static INT_PTR RealStart(const std::string& program) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", program.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

// Open and Save As run the editor's own file browser.
static bool RealChooseFile(files::FileChoice& c) { return ChooseFileWithSelector(c); }

static Editor MakeEditor() {
  Editor e;
  e.seams.help = RealHelp;
  e.seams.startProgram = RealStart;
  e.seams.chooseFile = RealChooseFile;
  return e;
}

Editor& TheEditor() {
  static Editor e = MakeEditor();
  return e;
}

void ResetEditor() { TheEditor() = MakeEditor(); }

std::string HelpFilePath() {
  std::string dir = ProgramFolder();
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir + "ZWICON.HLP";
}

// The command line's arguments as the C runtime splits them, each cut to a path's length.
std::vector<std::string> CommandLineFiles() {
  std::vector<std::string> out;
  int n = 0;
  LPWSTR* w = CommandLineToArgvW(GetCommandLineW(), &n);
  if (!w) return out;
  for (int i = 1; i < n; ++i) {
    char buf[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, w[i], -1, buf, sizeof buf - 1, nullptr, nullptr);
    // Sized, then filled: a construction from a C string would add its null check's message.
    std::string& a = out.emplace_back(strlen(buf), '\0');
    memcpy(a.data(), buf, a.size());
  }
  LocalFree(w);
  return out;
}

void ShowHelp(UINT command, ULONG_PTR data) {
  if (TheEditor().seams.help) TheEditor().seams.help(HelpFilePath(), command, data);
}

}  // namespace zwicon
