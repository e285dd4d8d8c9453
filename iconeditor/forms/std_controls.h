// The layer's ready-made controls: containers (Panel, ScrollBox), graphic controls (PaintBox,
// Image, Label, SpeedButton), windowed controls over the system's classes (Button, CheckBox,
// Edit, ListBox, ComboBox, Header), the Timer and the font and colour dialogs.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

#include "component.h"

namespace zw {

enum class Bevel { None, Lowered, Raised };

class Panel : public WinControl {
 public:
  Bevel bevelOuter = Bevel::Raised, bevelInner = Bevel::None;
  int bevelWidth = 1;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
 protected:
  // Dialog keys (Tab, mnemonics) reach the controls inside.
  DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
  void PaintSelf(Canvas& c) override;
  RECT AlignArea() const override;
};

// Scrolls its children when they reach past its client area.
class ScrollBox : public WinControl {
 public:
  bool bordered = true;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  // Re-reads the children's extent and sets the scroll bars.
  void UpdateScrollRange();
  void ScrollTo(int x, int y);
 protected:
  DWORD Style() const override { return WinControl::Style() | WS_HSCROLL | WS_VSCROLL; }
  DWORD ExStyle() const override { return WS_EX_CONTROLPARENT | (bordered ? WS_EX_CLIENTEDGE : 0); }
  void Scrolled(UINT msg, WPARAM wp) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A surface its owner paints in OnPaint through `canvas` (valid during the event).
class PaintBox : public GraphicControl {
 public:
  NotifyEvent OnPaint;
  Canvas* canvas = nullptr;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  void Paint(Canvas& c) override;
};

// A picture (24-bit bitmap) drawn at its size, centred or stretched.
class Image : public GraphicControl {
 public:
  Bitmap picture;
  const Bitmap* shown = nullptr;  // when set, painted instead of picture (a picture kept elsewhere)
  bool stretch = false, center = false, autoSize = false;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  void Paint(Canvas& c) override;
  void PictureChanged();
};

class Label : public GraphicControl {
 public:
  Alignment alignment = Alignment::Left;
  bool autoSize = true, wordWrap = false, transparent = false, showAccelChar = true;
  std::string focusControl;  // the control its accelerator focuses (a component name)
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool DialogChar(char key) override;
  void Paint(Canvas& c) override;
  void SetCaption(const std::string& c) override;
  // Measures the caption and, with autoSize, takes its size.
  void AdjustSize();
  void Loaded() override { AdjustSize(); }
 protected:
  UINT TextFormat() const;
  void DrawCaption(Canvas& c, RECT r, COLORREF color);
};

// A flat tool button; buttons with the same groupIndex > 0 in a parent stay down one at a time.
class SpeedButton : public GraphicControl {
 public:
  Bitmap glyph;
  int numGlyphs = 1;
  int groupIndex = 0;
  bool down = false, allowAllUp = false;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  void Paint(Canvas& c) override;
  void MouseDown(MouseButton b, ShiftState s, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState s, int x, int y) override;
  void Click() override;
  void SetDown(bool d);
  void SetEnabled(bool e) override;
 protected:
  bool pressing_ = false;
};

// A push button, optionally with a glyph; a button with a modal result closes its modal form.
class Button : public WinControl {
 public:
  int modalResult = 0;
  bool isDefault = false, isCancel = false;
  Bitmap glyph;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  void Click() override;
 protected:
  const char* WindowClass() const override { return "BUTTON"; }
  DWORD Style() const override;
  void Notified(UINT code, LPARAM lp) override;
};

class CheckBox : public WinControl {
 public:
  bool checked = false;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool Checked() const;
  void SetChecked(bool c);
 protected:
  const char* WindowClass() const override { return "BUTTON"; }
  DWORD Style() const override { return WinControl::Style() | BS_AUTOCHECKBOX | WS_TABSTOP; }
  void HandleCreated() override { SetChecked(checked); }
  void Notified(UINT code, LPARAM lp) override;
};

class Edit : public WinControl {
 public:
  int maxLength = 0;
  NotifyEvent OnChange, OnExit;  // OnExit: the box lost the keyboard focus
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  std::string Text() const;
  void SetText(const std::string& t) { SetCaption(t.substr(0, maxLength > 0 ? maxLength : t.size())); }
 protected:
  const char* WindowClass() const override { return "EDIT"; }
  DWORD Style() const override { return WinControl::Style() | ES_AUTOHSCROLL | WS_TABSTOP; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void HandleCreated() override;
  void Notified(UINT code, LPARAM lp) override;
};

class ListBox : public WinControl {
 public:
  std::vector<std::string> items;
  NotifyEvent OnChange;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  void SetItems(const std::vector<std::string>& v);
  int ItemIndex() const;
  void SetItemIndex(int i);
 protected:
  const char* WindowClass() const override { return "LISTBOX"; }
  DWORD Style() const override { return WinControl::Style() | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void HandleCreated() override { SetItems(items); }
  void Notified(UINT code, LPARAM lp) override;
};

class ComboBox : public ListBox {
 public:
  int ItemIndex() const;
  void SetItemIndex(int i);
  void SetItems(const std::vector<std::string>& v);
 protected:
  const char* WindowClass() const override { return "COMBOBOX"; }
  DWORD Style() const override { return WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL; }
  void HandleCreated() override { SetItems(items); }
  void Notified(UINT code, LPARAM lp) override;
};

class Header : public WinControl {
 public:
  std::vector<std::pair<std::string, int>> sections;  // text, width
  NotifyEvent OnSectionResize;  // a divider was dragged: `sections` holds the new widths
  void AddSection(const std::string& text, int w);
  void SetSectionWidth(int i, int w);
  bool FindEvent(const std::string& e, EventSlot& slot) override;
 protected:
  const char* WindowClass() const override { return "SysHeader32"; }
  DWORD Style() const override { return WS_CHILD | HDS_BUTTONS | HDS_HORZ; }
  void HandleCreated() override;
  void Notified(UINT code, LPARAM lp) override;
};

// A windowed control without a face that takes the keyboard focus for graphic controls around
// it (a grid of pictures): a Tab stop that wants the arrow keys.
class KeyTarget : public WinControl {
 public:
  KeyEvent OnKeyDown, OnKeyUp;
  NotifyEvent OnEnter, OnExit;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
 protected:
  DWORD Style() const override { return WS_CHILD | WS_TABSTOP; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class Timer : public Component {
 public:
  ~Timer() override;
  UINT interval = 1000;
  bool enabled = true;
  NotifyEvent OnTimer;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool FindEvent(const std::string& e, EventSlot& slot) override;
  void Loaded() override { Update(); }
  void SetEnabled(bool e) { enabled = e; Update(); }
  void Fire() { if (OnTimer) OnTimer(this); }
 private:
  void Update();
  UINT_PTR id_ = 0;
};

// The platform's font dialog; `font` is the chosen font and colour.
class FontDialog : public Component {
 public:
  FontSpec font{"System", 13};
  PropResult SetProperty(const std::string& p, const PropValue& v) override;
  bool Execute(HWND owner);
};

class ColorDialog : public Component {
 public:
  COLORREF color = 0;
  bool Execute(HWND owner);
};

}  // namespace zw
