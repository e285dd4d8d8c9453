#include "dialogs.h"
namespace kurvo {
bool OptionsDialog(HWND) { return false; }
}  // namespace kurvo
