#include "dialogs.h"
namespace kurvo {
bool SoundsDialog(HWND) { return false; }
}  // namespace kurvo
