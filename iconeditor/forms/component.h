// The component model of the forms layer.
//
// Conventions (read this first):
// - A form's components are created from its description (.form file) and owned by the form;
//   each has a name, a parent container (a windowed control) and published properties set by
//   name through SetProperty.
// - Events are assignable members (OnClick, OnMouseDown, ...). A description binds them by
//   handler name to member functions of the form class, through the form class's name table
//   (see description.h). Firing an unassigned event does nothing.
// - Graphic controls have no window: their container paints them in z-order (creation order)
//   after its own background and gives them the mouse by hit test, top-most first. The control
//   that received a button press keeps the mouse until all buttons are up.
// - Windowed controls are real child windows; a container re-lays its aligned children
//   whenever it is resized.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "canvas.h"

namespace zw {

class Component;
class Control;
class WinControl;
class Form;

enum class MouseButton { Left, Right, Middle };
using ShiftState = unsigned;
constexpr ShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
enum class Align { None, Top, Bottom, Left, Right, Client };
enum class Alignment { Left, Right, Center };

using NotifyEvent = std::function<void(Component* sender)>;
using MouseEvent = std::function<void(Component* sender, MouseButton, ShiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState, int x, int y)>;
using KeyPressEvent = std::function<void(Component* sender, char& key)>;
using CloseQueryEvent = std::function<void(Component* sender, bool& canClose)>;
// A key went down or up: its virtual-key code (a handler may clear it) and the shift state.
using KeyEvent = std::function<void(Component* sender, WORD& key, ShiftState)>;
// Where a description may bind a handler: a pointer to one of the event members.
using EventSlot = std::variant<NotifyEvent*, MouseEvent*, MouseMoveEvent*, KeyPressEvent*, CloseQueryEvent*, KeyEvent*>;

// A property value as written in a description.
struct PropValue {
  enum Kind { Number, String, Ident } kind = Number;
  long long number = 0;
  std::string text;  // the string, or the identifier
  bool IsTrue() const { return kind == Ident && (text == "True" || text == "true"); }
  bool IsBool() const { return kind == Ident && (IsTrue() || text == "False" || text == "false"); }
};

// Result of setting a property: known and set, unknown name, or a value of the wrong kind.
enum class PropResult { Ok, Unknown, BadValue };

// Reads a bitmap property value: "res:NAME" loads the bitmap resource NAME of the program.
bool LoadPictureValue(const PropValue& v, Bitmap& out);
// A font property ("Font.Name", "Font.Height", "Font.Bold", "Font.Color"): sub is the part after the dot.
PropResult SetFontProperty(FontSpec& f, const std::string& sub, const PropValue& v);
// Named colours ("clRed", "clBtnFace", ...) or numbers.
bool ColorValue(const PropValue& v, COLORREF& out);

class Component {
 public:
  virtual ~Component() = default;
  std::string name;
  Form* owner = nullptr;
  long long tag = 0;

  virtual PropResult SetProperty(const std::string& prop, const PropValue& v);
  virtual bool FindEvent(const std::string& event, EventSlot& slot) { return false; }
  // Called once after the description's properties are applied.
  virtual void Loaded() {}
  // Windowed controls create their windows here (called by the form after loading).
  virtual void CreateHandles() {}
};

class Control : public Component {
 public:
  WinControl* parent = nullptr;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true, enabled = true;
  Align align = Align::None;
  COLORREF color = GetSysColor(COLOR_BTNFACE);
  FontSpec font;
  std::string caption;
  std::string hint;
  HCURSOR cursor = nullptr;
  int cursorId = 0;  // custom cursor number of the application (0: inherit)

  NotifyEvent OnClick, OnDblClick;
  NotifyEvent OnCaptureLost;  // the mouse was taken away during a press
  MouseEvent OnMouseDown, OnMouseUp;
  MouseMoveEvent OnMouseMove;

  PropResult SetProperty(const std::string& prop, const PropValue& v) override;
  bool FindEvent(const std::string& event, EventSlot& slot) override;

  RECT BoundsRect() const { return RECT{left, top, left + width, top + height}; }
  RECT ClientRect() const { return RECT{0, 0, width, height}; }
  virtual void SetBounds(int l, int t, int w, int h);
  void SetPos(int l, int t) { SetBounds(l, t, width, height); }
  void SetSize(int w, int h) { SetBounds(left, top, w, h); }
  virtual void SetVisible(bool v);
  virtual void SetEnabled(bool e);
  virtual void SetCaption(const std::string& c);
  virtual void Invalidate();
  virtual void Repaint();
  virtual HWND ParentHandle() const;
  // Cursor shown over the control.
  HCURSOR EffectiveCursor() const;

  // Mouse input in client coordinates of the control. The defaults fire the events.
  virtual void MouseDown(MouseButton b, ShiftState s, int x, int y);
  virtual void MouseMove(ShiftState s, int x, int y);
  virtual void MouseUp(MouseButton b, ShiftState s, int x, int y);
  virtual void Click();
  virtual void DblClick();
  // The mouse was taken away during a press (capture lost): release whatever the press held.
  virtual void CaptureLost() { if (OnCaptureLost) OnCaptureLost(this); }
  // Whether (x, y) in control coordinates is part of the control for mouse input.
  virtual bool HitTest(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  virtual bool IsGraphic() const { return false; }
  // An accelerator key typed with Alt (or in a dialog); true when the control took it.
  virtual bool DialogChar(char key) { return false; }
};

// Whether `key` is the accelerator of a caption ("&Name": N), compared without case.
bool IsAccel(char key, const std::string& caption);

// A control without a window: painted and fed the mouse by its parent.
class GraphicControl : public Control {
 public:
  bool IsGraphic() const override { return true; }
  virtual void Paint(Canvas& c) {}
  // Paints onto a canvas whose origin is the control's top-left (tests render this way too).
  void PaintTo(Canvas& c) { Paint(c); }
  void Repaint() override;  // paints at once on the parent's window
  void Invalidate() override;
  // Draws through a canvas on the parent's window, origin and clip set to the control.
  void DrawNow(const std::function<void(Canvas&)>& fn);
};

// A control with a window of its own; also the container of child controls.
class WinControl : public Control {
 public:
  WinControl();
  ~WinControl() override;
  HWND hwnd = nullptr;
  std::vector<Control*> children;  // z-order: first is bottom-most
  int originX = 0, originY = 0;     // scroll offset applied to the children

  PropResult SetProperty(const std::string& prop, const PropValue& v) override;

  void CreateHandles() override;
  void SetBounds(int l, int t, int w, int h) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool e) override;
  void SetCaption(const std::string& c) override;
  void Invalidate() override;
  void Repaint() override;
  void AddChild(Control* c);
  void RemoveChild(Control* c);
  void Realign();
  void SetFocus();
  // Offers an accelerator key to the visible children, depth first; true when one took it.
  bool RouteDialogChar(char key);

  // The graphic child at (x, y) in this control's client coordinates, top-most first.
  GraphicControl* GraphicAt(int x, int y) const;
  // Mouse routing entry points (client coordinates); tests may call them directly.
  void RouteMouseDown(MouseButton b, ShiftState s, int x, int y, bool dbl);
  void RouteMouseMove(ShiftState s, int x, int y);
  void RouteMouseUp(MouseButton b, ShiftState s, int x, int y);
  Control* MouseTarget() const { return mouseTarget_; }

  static LRESULT CALLBACK StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  // The control of one of our windows; null for any other window, whatever its user data holds.
  static WinControl* FromHandle(HWND h);
  static const char* kClassName;  // "ZwWindow", the class of the layer's own windows

 protected:
  // What CreateHandles passes to CreateWindowEx.
  virtual const char* WindowClass() const { return kClassName; }
  virtual DWORD Style() const { return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS; }
  virtual DWORD ExStyle() const { return 0; }
  virtual void HandleCreated() {}
  // Own painting before the graphic children (default: fill with color).
  virtual void PaintSelf(Canvas& c);
  // The area left for aligned children (default: the client rectangle).
  virtual RECT AlignArea() const;
  // Called by Realign with the area left after all aligned children.
  virtual void AlignRemainder(const RECT& r) {}
  virtual LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  // A notification (WM_COMMAND or WM_NOTIFY) sent by this control's own window to its parent.
  virtual void Notified(UINT code, LPARAM lp) {}
  virtual void Scrolled(UINT msg, WPARAM wp) {}
  // The window is gone (after WM_NCDESTROY); the object may free itself here.
  virtual void Destroyed() {}

  LRESULT OnPaint();
  LRESULT OnSetCursor(WPARAM wp, LPARAM lp);
  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  LRESULT OnNotify(LPARAM lp);
  LRESULT OnCaptureChanged(HWND newCapture);
  virtual LRESULT OnMenuCommand(WORD id) { return DefaultProc(WM_COMMAND, id, 0); }

  Control* mouseTarget_ = nullptr;
  unsigned buttonsDown_ = 0;
  bool routingCapture_ = false;
};

ShiftState ShiftFromWParam(WPARAM wp);

}  // namespace zw
