#include "message_boxes.h"

#include <algorithm>
#include <new>

#include "application.h"
#include "description.h"
#include "file_list.h"
#include "label3d.h"
#include "slider.h"
#include "zon_star.h"

namespace zw {

void RegisterEditorControls() {
  RegisterStandardClasses();
  RegisterClass<TZonBtn>("TZonBtn");
  RegisterClass<TZonStar>("TZonStar");
  RegisterClass<TLabel3D>("TLabel3D");
  RegisterClass<TSlider>("TSlider");
  RegisterClass<TZonImage>("TZonImage");
  RegisterClass<TZonSpeedButton>("TZonSpeedButton");
  RegisterClass<TBalloon>("TBalloon");
  RegisterClass<TFileList>("TFileList");
}

MessageBoxState& Boxes() {
  static MessageBoxState s;
  return s;
}

std::string IOErrorText(int n) {
  static const struct { int n; const char* text; } table[] = {
      {1, "Invalid DOS function!"},
      {2, "File not found!"},
      {3, "Invalid filename or directory!"},
      {4, "Too many files open!"},
      {5, "Access denied!"},
      {6, "Invalid file handle!"},
      {8, "Not enough memory!"},
      {12, "Invalid file access code!"},
      {15, "Invalid drive!"},
      {16, "Cannot remove current directory."},
      {100, "Disk read error! File may be damaged."},
      {101, "The disk is full!"},
      {106, "Invalid file format!"},
      {150, "Disk is write protected!"},
      {152, "The drive is empty! Please insert~a diskette and try again."},
      {154, "CRC error in data!"},
      {156, "Disk seek error!"},
      {157, "Unknown media type!"},
      {158, "Sector not found!"},
      {159, "The printer is out of paper!"},
      {160, "Device write fault!"},
      {161, "Device read fault!"},
      {162, "Hardware failure!"},
      {10001, "Unable to create temporary file! Check\rdirectory settings under Preferences in\rthe Options menu."}};
  if (n == 0) return "";
  for (auto& e : table)
    if (e.n == n) return e.text;
  return "Unknown Error #" + zw::Num(n);
}

std::string NormalizeBreaks(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n')) out += '\n';
  }
  return out;
}

// The hidden text child that carries the message for outside readers (and test answerers).
static void SetMessageText(Form& f, const std::string& message) {
  HWND t = GetDlgItem(f.hwnd, 0xFFFF);
  if (!t)
    t = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, f.hwnd, reinterpret_cast<HMENU>(0xFFFF),
                        App().instance, nullptr);
  SetWindowTextA(t, message.c_str());
}

static void SetClientSize(Form& f, int cw, int ch) {
  RECT r{0, 0, cw, ch};
  AdjustWindowRectEx(&r, GetWindowLongA(f.hwnd, GWL_STYLE), FALSE, GetWindowLongA(f.hwnd, GWL_EXSTYLE));
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(f.hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Measures the message and sizes balloon and picture (shared by both boxes). A box never grows
// past the screen: lines that would make it wider wrap, and a text taller than the screen is cut.
static void LayoutMessage(Form& box, TZonImage* pic, TBalloon* prompt, Label* measure, const std::string& message) {
  std::string text = NormalizeBreaks(message);
  prompt->SetCaption(text);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongA(box.hwnd, GWL_STYLE), FALSE, GetWindowLongA(box.hwnd, GWL_EXSTYLE));
  int frameW = frame.right - frame.left, frameH = frame.bottom - frame.top;
  int maxText = GetSystemMetrics(SM_CXSCREEN) - frameW - 80 - 40 - 2 * prompt->xOffset - prompt->stemSize;
  int maxBalloon = GetSystemMetrics(SM_CYSCREEN) - frameH - 16 - 25 - 32;
  measure->wordWrap = false;
  measure->SetCaption(text);
  if (measure->width > maxText) {
    measure->wordWrap = true;
    measure->SetBounds(measure->left, measure->top, std::max(40, maxText), measure->height);
    measure->SetCaption(text);
  }
  int bw = std::min(measure->width, std::max(40, maxText)) + 2 * prompt->xOffset + prompt->stemSize;
  int bh = std::min(std::max(measure->height + 2 * prompt->yOffset, pic->height), std::max(pic->height, maxBalloon));
  measure->SetCaption("");
  int picTop = bh > pic->height ? bh / 2 - pic->height / 2 + 16 : 16;
  pic->SetBounds(16, picTop, pic->width, pic->height);
  prompt->SetBounds(80, 16, bw, bh);
  prompt->MeasureText();
}

// --- Alert box ---

ZW_FORM_TABLE(TAlertDialog, ZW_ALERT_COMPONENTS, ZW_NO_HANDLERS)

bool TAlertDialog::Make() {
  RegisterEditorControls();
  return LoadAndCreate("AlertDialog", Table());
}

void TAlertDialog::Prepare(const std::string& cap, const std::string& message) {
  SetCaption(cap);
  SetMessageText(*this, message);
  LayoutMessage(*this, Picture, Prompt, Measure, message);
  int cw = std::max(OKBtn->width + 32, Picture->width + Prompt->width + 40);
  int ch = std::max(Picture->top + Picture->height, Prompt->top + Prompt->height) + OKBtn->height + 32;
  OKBtn->SetPos((cw - OKBtn->width) / 2, ch - 16 - OKBtn->height);
  SetClientSize(*this, cw, ch);
  Invalidate();
}

// --- Question box ---

ZW_FORM_TABLE(TAskUserDialog, ZW_ASKUSER_COMPONENTS, ZW_NO_HANDLERS)

bool TAskUserDialog::Make() {
  RegisterEditorControls();
  return LoadAndCreate("AskUserDialog", Table());
}

void TAskUserDialog::Prepare(const std::string& cap, const std::string& message, const std::string& first,
                             const std::string& middle, const std::string& last) {
  SetCaption(cap);
  SetMessageText(*this, message);
  LayoutMessage(*this, Picture, Prompt, Measure, message);
  YesBtn->SetCaption(first);
  NoBtn->SetCaption(last);
  CancelBtn->SetCaption(middle);
  if (last == "Cancel") {
    NoBtn->glyph = CancelBtn->glyph;
    NoBtn->Invalidate();
  }
  int cw = std::max(YesBtn->width + NoBtn->width + 40, Picture->width + Prompt->width + 40);
  // Three buttons need room for all three (the first and last alone would leave the middle cut).
  if (!middle.empty()) cw = std::max(cw, YesBtn->width + CancelBtn->width + NoBtn->width + 8 + 32);
  int ch = std::max(Picture->top + Picture->height, Prompt->top + Prompt->height) + YesBtn->height + 32;
  int top = ch - 16 - YesBtn->height;
  if (!middle.empty()) {
    int lastLeft = (cw - NoBtn->width) / 2;
    NoBtn->SetPos(lastLeft, top);
    YesBtn->SetPos(lastLeft - 4 - YesBtn->width, top);
    CancelBtn->SetPos(lastLeft + NoBtn->width + 4, top);
    CancelBtn->SetVisible(true);
  } else {
    YesBtn->SetPos(cw / 2 - 4 - YesBtn->width, top);
    NoBtn->SetPos(cw / 2 + 4, top);
    CancelBtn->SetVisible(false);
  }
  SetClientSize(*this, cw, ch);
  Invalidate();
}

// --- The routines ---

static void PlainBox(const std::string& caption, const std::string& message) {
  MessageBoxA(GetActiveWindow(), NormalizeBreaks(message).c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void ShowAlert(const std::string& caption, const std::string& message) {
  {
    TAlertDialog* box = Boxes().alert.get();
    std::unique_ptr<TAlertDialog> own;
    if (!box) {
      own = std::make_unique<TAlertDialog>();
      if (!own->Make()) return PlainBox(caption, message);
      box = own.get();
    } else if (box->hwnd && IsWindowVisible(box->hwnd)) {
      return PlainBox(caption, message);
    }
    if (!box->hwnd && !box->Make()) return PlainBox(caption, message);
    box->Prepare(caption, message);
    HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_ARROW));
    box->ShowModal();
    App().SetScreenCursor(old);
  }
}

void ShowError(const std::string& message) { ShowAlert(App().title, message); }

void ShowIOError(int number) {
  std::string t = IOErrorText(number);
  if (!t.empty()) ShowError(t);
}

void ReportException(const std::exception& e) {
  std::string text;
  if (auto* io = dynamic_cast<const IOError*>(&e)) {
    text = IOErrorText(io->code);
  } else if (dynamic_cast<const std::bad_alloc*>(&e)) {
    text = "There is not enough memory to complete\rthe requested operation! Try closing\runused applications or "
           "reconfiguring\rWindows to free additional memory.";
  } else if (dynamic_cast<const InvalidPointer*>(&e)) {
    text = "Unable to release allocated memory! Memory\rmay have been corrupted by another application.";
  } else {
    text = e.what();
  }
  if (!text.empty()) ShowError(text);
}

int AskUser(const std::string& caption, const std::string& message, const std::string& first,
            const std::string& middle, const std::string& last) {
  TAskUserDialog box;
  if (!box.Make()) {
    int r = MessageBoxA(GetActiveWindow(), NormalizeBreaks(message).c_str(), caption.c_str(),
                        (middle.empty() ? MB_YESNO : MB_YESNOCANCEL) | MB_ICONQUESTION);
    return r == IDYES ? mrYes : r == IDNO ? mrNo : mrCancel;
  }
  box.Prepare(caption, message, first, middle, last);
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_ARROW));
  int r = box.ShowModal();
  App().SetScreenCursor(old);
  return r;
}

bool AskYesNo(const std::string& caption, const std::string& message) {
  return AskUser(caption, message, "&Yes", "", "&No") == mrYes;
}

int AskYesCancelNo(const std::string& caption, const std::string& message) {
  return AskUser(caption, message, "&Yes", "Cancel", "&No");
}

}  // namespace zw
