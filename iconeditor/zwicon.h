// The process-wide state of ZwIcon: its main window, the registry key of its settings, and the
// seams for effects tests must not cause (the help viewer, starting programs, the file browser).
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "file_dialog.h"

namespace zwicon {

class TMainForm;
class TIconForm;

constexpr int kCursorOpenHand = 1, kCursorHoleCross = 2;
constexpr ULONG_PTR kHelpFileBrowser = 301, kHelpImport = 302;

struct Seams {
  // Opens the platform's help viewer on `file` (WinHelp command and data).
  std::function<void(const std::string& file, UINT command, ULONG_PTR data)> help;
  // Starts a program with the verb "open"; returns the platform's result (> 32 on success).
  std::function<INT_PTR(const std::string& program)> startProgram;
  // The file browser of Open and Save As: fills in the chosen file, false when cancelled.
  std::function<bool(files::FileChoice& choice)> chooseFile;
};

struct Editor {
  TMainForm* mainForm = nullptr;
  std::string settingsKey = "Software\\Zonware\\Pavlet";
  std::vector<std::string> args;  // command-line file names
  int showCommand = SW_SHOWNORMAL;
  Seams seams;
};
Editor& TheEditor();
// Restores the defaults (tests start from a clean state).
void ResetEditor();

// The help file's path beside the program, and the real help seam.
std::string HelpFilePath();
// The command line's arguments as the C runtime splits them, each cut to a path's length.
std::vector<std::string> CommandLineFiles();
void ShowHelp(UINT command, ULONG_PTR data);

}  // namespace zwicon
