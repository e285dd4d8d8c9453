// Effects that tests must control or must not cause: the clock (alarms, inserted dates) and
// printing. The real implementations are the defaults; tests install recording ones.
#pragma once
#include <windows.h>
#include <string>

namespace quill {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SYSTEMTIME Now() = 0;  // local date and time
};

class Printer {
 public:
  virtual ~Printer() = default;
  // The print dialog: pages 1 to 10, preset to `from`..`to`. False when cancelled or no printer.
  // On true, `from` and `to` hold the chosen range (1 to 10 for All).
  virtual bool Choose(HWND owner, int* from, int* to) = 0;
  // Prints `text` as one document of one sheet on the chosen device, then releases the device.
  virtual void PrintText(const char* document, const std::string& text) = 0;
};

// The platform's clock and print dialog with its device calls.
Clock& RealClock();
Printer& RealPrinter();

}  // namespace quill
