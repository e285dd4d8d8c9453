// KvoWiz's one dialog: the quick-start pages with Back, Next and Close.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "quickstart_pages.h"

namespace kvowiz {

// What the wizard shows, or why it cannot start.
struct WizardStart {
  std::vector<Page> pages;
  std::string error;  // empty when there are pages to show
};

// Finds and reads the pages named by the command line (default "qcks_eng") beside the program.
WizardStart PrepareWizard(const std::string& programDir, const std::string& commandLine);

// Shows the pages modally; returns when the user closes the dialog.
INT_PTR RunWizardDialog(HINSTANCE instance, const std::vector<Page>& pages);

// The same dialog modeless and hidden, for tests; destroy it with DestroyWindow.
HWND CreateWizardDialog(HINSTANCE instance, const std::vector<Page>& pages);

}  // namespace kvowiz
