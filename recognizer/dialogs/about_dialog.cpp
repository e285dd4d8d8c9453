#include "about_dialog.h"

#include "dialogs.h"
#include "kurvo_ids.h"
#include "kurvo_state.h"

namespace kurvo {

std::string SystemVersionText(const OSVERSIONINFOA& v) {
  char text[128];
  if (v.dwPlatformId == VER_PLATFORM_WIN32_NT)
    wsprintfA(text, "System: Microsoft Windows NT %lu.%lu (Build: %lu)", v.dwMajorVersion,
             v.dwMinorVersion, v.dwBuildNumber);
  else if (v.dwMajorVersion > 3)
    wsprintfA(text, "System: Microsoft Windows 95 %lu.%lu", v.dwMajorVersion, v.dwMinorVersion);
  else
    wsprintfA(text, "System: Microsoft Win32s %lu.%lu (B: %lu)", v.dwMajorVersion, v.dwMinorVersion,
             v.dwBuildNumber & 0x7FFFFFFFul);
  return text;
}

INT_PTR CALLBACK AboutDialogProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = ContextOf<DialogContext>(h, msg, lp);
  if (msg == WM_INITDIALOG) {
    OSVERSIONINFOA v = {sizeof v};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&v);
#pragma GCC diagnostic pop
    SetItemText(h, IDC_ABOUT_OSVERSION, SystemVersionText(v));
    SetItemText(h, IDC_ABOUT_WEB, kWebAddress);
    return TRUE;
  }
  if (msg != WM_COMMAND || !c) return FALSE;
  switch (LOWORD(wp)) {
    case IDOK:
    case IDCANCEL:
      Kurvo().effects->StopSound();
      CloseDialog(h, LOWORD(wp));
      break;
    case IDC_HELPBTN: QuickHelpDialog(h, 3); break;
    default: break;
  }
  return TRUE;
}

void AboutDialog(HWND owner) {
  DialogContext context;
  ShowModal(IDD_ABOUT, owner, AboutDialogProc, &context);
}

}  // namespace kurvo
