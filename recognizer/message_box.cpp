#include "message_box.h"

namespace kurvo {

int MessageBoxText(HWND owner, const std::string& text, UINT flags, const char* caption) {
  return MessageBoxA(owner, text.c_str(), caption, flags);
}

}  // namespace kurvo
