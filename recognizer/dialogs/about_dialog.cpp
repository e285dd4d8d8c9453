#include "dialogs.h"
namespace kurvo {
void AboutDialog(HWND) {}
}  // namespace kurvo
