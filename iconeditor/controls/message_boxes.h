// The editor's alert and question boxes, sized to their message, and the routines every
// error report goes through.
#pragma once
#include <exception>
#include <memory>
#include <string>

#include "balloon.h"
#include "palette.h"
#include "std_controls.h"
#include "zon_image.h"

namespace zw {

#define ZW_ALERT_COMPONENTS(X) X(TZonImage, Picture) X(TBalloon, Prompt) X(Label, Measure) X(Button, OKBtn)

class TAlertDialog : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_ALERT_COMPONENTS, ZW_NO_HANDLERS)
  // Loads the description and creates the (hidden) window; false on failure.
  bool Make();
  // Fills caption and message and lays the box out (no modal run).
  void Prepare(const std::string& caption, const std::string& message);
};

#define ZW_ASKUSER_COMPONENTS(X)                                                               \
  X(TZonImage, Picture) X(TBalloon, Prompt) X(Label, Measure) X(Button, YesBtn) X(Button, NoBtn) \
  X(Button, CancelBtn)

class TAskUserDialog : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_ASKUSER_COMPONENTS, ZW_NO_HANDLERS)
  bool Make();
  void Prepare(const std::string& caption, const std::string& message, const std::string& first,
               const std::string& middle, const std::string& last);
};

// The program's alert box (made at start; ShowAlert makes one per call when there is none).
struct MessageBoxState {
  std::unique_ptr<TAlertDialog> alert;
};
MessageBoxState& Boxes();

// An input/output error with its number (file and device errors).
struct IOError : std::exception {
  int code;
  explicit IOError(int c) : code(c) {}
  const char* what() const noexcept override { return "I/O error"; }
};
// Freeing memory failed (a damaged heap).
struct InvalidPointer : std::exception {
  const char* what() const noexcept override { return "Invalid pointer operation"; }
};

// The text for a file or device error number ("" for 0).
std::string IOErrorText(int number);
// Lines of a message: a lone carriage return also breaks the line.
std::string NormalizeBreaks(const std::string& s);

void ShowAlert(const std::string& caption, const std::string& message);
void ShowError(const std::string& message);
void ShowIOError(int number);
void ReportException(const std::exception& e);
int AskUser(const std::string& caption, const std::string& message, const std::string& first,
            const std::string& middle, const std::string& last);
bool AskYesNo(const std::string& caption, const std::string& message);
int AskYesCancelNo(const std::string& caption, const std::string& message);

void RegisterEditorControls();

}  // namespace zw
