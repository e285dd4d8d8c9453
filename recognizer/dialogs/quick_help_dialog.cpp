#include "dialogs.h"
namespace kurvo {
void QuickHelpDialog(HWND, int) {}
}  // namespace kurvo
