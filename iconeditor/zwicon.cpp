#include "zwicon.h"

#include <shellapi.h>

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

void ShowHelp(UINT command, ULONG_PTR data) {
  if (TheEditor().seams.help) TheEditor().seams.help(HelpFilePath(), command, data);
}

}  // namespace zwicon
