// The process-wide state of the forms layer: the program instance, window classes, custom
// cursors, shared fonts, the main form and the message loop with menu short-cuts, key preview
// and modal forms.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>

#include "canvas.h"

namespace zw {

class Form;

struct Application {
  HINSTANCE instance = nullptr;
  std::string title;
  Form* mainForm = nullptr;
  HCURSOR cursorOverride = nullptr;  // shown over every form while set (hourglass, normal)
  bool terminated = false;

  // Registers the layer's window classes; safe to call more than once.
  void Initialize(HINSTANCE inst);
  // Custom cursors by number (1, 2, ...): loaded by the program, freed at the end.
  void SetCursor(int id, HCURSOR c);
  HCURSOR Cursor(int id) const;
  void FreeCursors();
  // A font object shared by every window that uses the same font (freed at exit).
  HFONT SharedFont(const FontSpec& f);

  // Handles one message the way the main loop does (short-cuts, MDI keys, dialog keys, key
  // preview); returns true when the message was consumed.
  bool PreTranslate(MSG& m);
  void ProcessMessage(MSG& m);
  // Runs until the main form is destroyed or Terminate.
  void Run();
  void Terminate() { terminated = true; PostQuitMessage(0); }
  // Dispatches pending messages without waiting.
  void ProcessMessages();

  // Sets (or clears with nullptr) the cursor shown everywhere and returns the previous one.
  HCURSOR SetScreenCursor(HCURSOR c);

  ~Application();

 private:
  std::map<int, HCURSOR> cursors_;
  std::vector<std::pair<FontSpec, HFONT>> fonts_;
  bool registered_ = false;
};

Application& App();

// Confines the mouse cursor to a screen rectangle, or frees it (nullptr).
void ConfineCursor(const RECT* screenRect);

}  // namespace zw
