#include "dialogs.h"
namespace kurvo {
bool LanguagesDialog(HWND) { return false; }
}  // namespace kurvo
