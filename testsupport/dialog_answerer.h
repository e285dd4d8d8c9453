// Answers message boxes and modal dialogs that code under test opens on this thread, and records
// what they said. A WH_CBT hook sees each dialog when it is activated, records its caption and
// text (the static text of a message box), lets an optional handler look at or fill it, and then
// presses the next queued answer (IDOK when none is queued). A thread timer also looks for
// visible dialogs of this thread every 200 ms, for a dialog that is never activated (another
// program holding the foreground), so a test never waits on a box forever.
#pragma once
#include <windows.h>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace sw::test {

struct SeenDialog {
  std::string caption;
  std::string text;  // a message box's message; empty for other dialogs
  int answer = 0;    // the button pressed
};

class DialogAnswerer {
 public:
  // Called with the dialog before it is answered; returns the button to press, or 0 to press the
  // queued answer, or -1 to leave the dialog alone (the handler closes it itself).
  using Handler = std::function<int(HWND dialog)>;

  DialogAnswerer();
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  void Queue(int button) { answers_.push_back(button); }
  void OnDialog(Handler h) { handler_ = std::move(h); }
  // Window classes answered besides "#32770" (a program's own box classes).
  void AlsoAnswer(const std::string& windowClass) { classes_.insert(windowClass); }

  const std::vector<SeenDialog>& Seen() const { return seen_; }
  size_t Count() const { return seen_.size(); }
  // The last dialog's text (or caption when it has no text); empty when none was seen.
  std::string LastText() const { return seen_.empty() ? std::string() : seen_.back().text; }
  void Clear() { seen_.clear(); }

 private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK CallWndProc(int code, WPARAM wp, LPARAM lp);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK FindUnanswered(HWND h, LPARAM self);
  void OnActivate(HWND h);

  HHOOK hook_ = nullptr;
  HHOOK showHook_ = nullptr;  // forgets a box when it is hidden, so a box shown again is answered
  UINT_PTR timer_ = 0;
  DialogAnswerer* previous_ = nullptr;
  std::deque<int> answers_;
  std::set<HWND> handled_;
  std::set<std::string> classes_{"#32770"};
  std::vector<SeenDialog> seen_;
  Handler handler_;
};

// Reads a window's text into a std::string.
std::string WindowText(HWND h);

}  // namespace sw::test
