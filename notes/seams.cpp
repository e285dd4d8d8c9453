#include "seams.h"

#include <commdlg.h>

namespace quill {
namespace {

class SystemClock : public Clock {
 public:
  SYSTEMTIME Now() override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st;
  }
};

// The platform's print dialog; keeps the device context it returns for the one document.
class SystemPrinter : public Printer {
 public:
  bool Choose(HWND owner, int* from, int* to) override {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_PAGENUMS | PD_NOSELECTION | PD_DISABLEPRINTTOFILE | PD_SHOWHELP;
    pd.nMinPage = 1;
    pd.nMaxPage = 10;
    pd.nFromPage = WORD(*from);
    pd.nToPage = WORD(*to);
    if (!PrintDlgA(&pd)) return false;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    dc_ = pd.hDC;
    if (pd.Flags & PD_PAGENUMS) {
      *from = pd.nFromPage;
      *to = pd.nToPage;
    } else {
      *from = 1;
      *to = 10;
    }
    return dc_ != nullptr;
  }

  void PrintText(const char* document, const std::string& text) override {
    if (!dc_) return;
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = document;
    if (StartDocA(dc_, &di) > 0) {
      if (StartPage(dc_) > 0) {
        RECT area{0, 0, GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)};
        DrawTextA(dc_, text.c_str(), int(text.size()), &area, DT_WORDBREAK | DT_EXPANDTABS);
        EndPage(dc_);
      }
      EndDoc(dc_);
    }
    DeleteDC(dc_);
    dc_ = nullptr;
  }

 private:
  HDC dc_ = nullptr;
};

}  // namespace

Clock& RealClock() {
  static SystemClock clock;
  return clock;
}

Printer& RealPrinter() {
  static SystemPrinter printer;
  return printer;
}

}  // namespace quill
