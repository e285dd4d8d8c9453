#include "component.h"

#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "application.h"
#include "form.h"

namespace zw {

const char* WinControl::kClassName = "ZwWindow";

ShiftState ShiftFromWParam(WPARAM wp) {
  ShiftState s = 0;
  if (wp & MK_SHIFT) s |= ssShift;
  if (wp & MK_CONTROL) s |= ssCtrl;
  if (wp & MK_LBUTTON) s |= ssLeft;
  if (wp & MK_RBUTTON) s |= ssRight;
  if (wp & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool LoadPictureValue(const PropValue& v, Bitmap& out) {
  if (v.kind != PropValue::String || v.text.rfind("res:", 0) != 0) return false;
  return out.LoadResource(App().instance, v.text.c_str() + 4);
}

PropResult SetFontProperty(FontSpec& f, const std::string& sub, const PropValue& v) {
  if (sub == "Name") {
    if (v.kind != PropValue::String) return PropResult::BadValue;
    f.name = v.text.substr(0, LF_FACESIZE - 1);
  } else if (sub == "Height") {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    f.height = static_cast<int>(v.number);
  } else if (sub == "Bold" || sub == "Italic" || sub == "Underline") {
    if (!v.IsBool()) return PropResult::BadValue;
    (sub == "Bold" ? f.bold : sub == "Italic" ? f.italic : f.underline) = v.IsTrue();
  } else if (sub == "Color") {
    if (!ColorValue(v, f.color)) return PropResult::BadValue;
  } else {
    return PropResult::Unknown;
  }
  return PropResult::Ok;
}

bool ColorValue(const PropValue& v, COLORREF& out) {
  if (v.kind == PropValue::Number) {
    out = static_cast<COLORREF>(v.number);
    return v.number >= 0 && v.number <= 0xFFFFFF;
  }
  if (v.kind != PropValue::Ident) return false;
  static const struct { const char* n; COLORREF c; } named[] = {
      {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
      {"clNavy", 0x800000},  {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},  {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF}};
  for (auto& n : named)
    if (v.text == n.n) {
      out = n.c;
      return true;
    }
  static const struct { const char* n; int idx; } sys[] = {
      {"clBtnFace", COLOR_BTNFACE}, {"clBtnShadow", COLOR_BTNSHADOW}, {"clBtnHighlight", COLOR_BTNHIGHLIGHT},
      {"clWindow", COLOR_WINDOW}, {"clWindowText", COLOR_WINDOWTEXT}, {"clAppWorkSpace", COLOR_APPWORKSPACE},
      {"clGrayText", COLOR_GRAYTEXT}, {"clInfoBk", COLOR_INFOBK}};
  for (auto& n : sys)
    if (v.text == n.n) {
      out = GetSysColor(n.idx);
      return true;
    }
  return false;
}

static bool IntValue(const PropValue& v, int& out) {
  if (v.kind != PropValue::Number) return false;
  out = static_cast<int>(v.number);
  return true;
}

PropResult Component::SetProperty(const std::string& prop, const PropValue& v) {
  if (prop == "Tag") {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    tag = v.number;
    return PropResult::Ok;
  }
  return PropResult::Unknown;
}

// --- Control ---

PropResult Control::SetProperty(const std::string& p, const PropValue& v) {
  int n = 0;
  if (p == "Left" || p == "Top" || p == "Width" || p == "Height") {
    if (!IntValue(v, n)) return PropResult::BadValue;
    (p == "Left" ? left : p == "Top" ? top : p == "Width" ? width : height) = n;
  } else if (p == "Visible" || p == "Enabled") {
    if (!v.IsBool()) return PropResult::BadValue;
    (p == "Visible" ? visible : enabled) = v.IsTrue();
  } else if (p == "Caption") {
    if (v.kind != PropValue::String) return PropResult::BadValue;
    caption = v.text;
  } else if (p == "Hint") {
    if (v.kind != PropValue::String) return PropResult::BadValue;
    hint = v.text;
  } else if (p == "Color") {
    if (!ColorValue(v, color)) return PropResult::BadValue;
  } else if (p == "Cursor") {
    if (!IntValue(v, cursorId)) return PropResult::BadValue;
  } else if (p == "Align") {
    static const char* names[] = {"None", "Top", "Bottom", "Left", "Right", "Client"};
    auto it = std::find_if(std::begin(names), std::end(names), [&](const char* s) { return v.text == s; });
    if (v.kind != PropValue::Ident || it == std::end(names)) return PropResult::BadValue;
    align = static_cast<Align>(it - std::begin(names));
  } else if (p.rfind("Font.", 0) == 0) {
    return SetFontProperty(font, p.substr(5), v);
  } else {
    return Component::SetProperty(p, v);
  }
  return PropResult::Ok;
}

bool Control::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnClick") slot = &OnClick;
  else if (e == "OnDblClick") slot = &OnDblClick;
  else if (e == "OnMouseDown") slot = &OnMouseDown;
  else if (e == "OnMouseUp") slot = &OnMouseUp;
  else if (e == "OnMouseMove") slot = &OnMouseMove;
  else if (e == "OnCaptureLost") slot = &OnCaptureLost;
  else return false;
  return true;
}

void Control::SetBounds(int l, int t, int w, int h) {
  if (l == left && t == top && w == width && h == height) return;
  Invalidate();
  left = l;
  top = t;
  width = w;
  height = h;
  Invalidate();
}

void Control::SetVisible(bool v) {
  if (v == visible) return;
  visible = v;
  Invalidate();
  if (!v) visible = false;
  if (v) Invalidate();
  if (parent && align != Align::None) parent->Realign();
}

void Control::SetEnabled(bool e) {
  if (e == enabled) return;
  enabled = e;
  Invalidate();
}

void Control::SetCaption(const std::string& c) {
  if (c == caption) return;
  caption = c;
  Invalidate();
}

void Control::Invalidate() {}
void Control::Repaint() {}

HWND Control::ParentHandle() const { return parent ? parent->hwnd : nullptr; }

HCURSOR Control::EffectiveCursor() const {
  if (cursor) return cursor;
  if (cursorId) return App().Cursor(cursorId);
  return nullptr;
}

void Control::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}
void Control::MouseMove(ShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}
void Control::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}
void Control::Click() {
  if (OnClick) OnClick(this);
}
void Control::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

// --- GraphicControl ---

void GraphicControl::DrawNow(const std::function<void(Canvas&)>& fn) {
  HWND ph = ParentHandle();
  if (!ph || !visible) return;
  HDC dc = GetDC(ph);
  int sd = SaveDC(dc);
  int x = left - parent->originX, y = top - parent->originY;
  IntersectClipRect(dc, x, y, x + width, y + height);
  SetViewportOrgEx(dc, x, y, nullptr);
  {
    Canvas c(dc);
    fn(c);
  }
  RestoreDC(dc, sd);
  ReleaseDC(ph, dc);
}

void GraphicControl::Repaint() {
  DrawNow([this](Canvas& c) { Paint(c); });
}

void GraphicControl::Invalidate() {
  HWND ph = ParentHandle();
  if (!ph) return;
  RECT r = BoundsRect();
  OffsetRect(&r, -parent->originX, -parent->originY);
  InvalidateRect(ph, &r, TRUE);
}

// --- WinControl ---

// Every live windowed control, in address order. A window's user data is taken for one of ours
// only when it is listed here and that control owns the window: windows of other code (a system
// class's, a common dialog's) may hold anything in their user data.
static std::vector<WinControl*>& LiveControls() {
  static auto* live = new std::vector<WinControl*>;  // never freed: controls may outlive statics
  return *live;
}

static std::vector<WinControl*>::iterator FindLive(WinControl* c) {
  auto& v = LiveControls();
  return std::lower_bound(v.begin(), v.end(), c, std::less<WinControl*>());
}

WinControl::WinControl() { LiveControls().insert(FindLive(this), this); }

WinControl::~WinControl() {
  auto it = FindLive(this);
  if (it != LiveControls().end() && *it == this) LiveControls().erase(it);
  if (hwnd && IsWindow(hwnd)) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
  }
}

WinControl* WinControl::FromHandle(HWND h) {
  if (!h) return nullptr;
  auto* c = reinterpret_cast<WinControl*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  auto it = FindLive(c);
  return c && it != LiveControls().end() && *it == c && c->hwnd == h ? c : nullptr;
}

PropResult WinControl::SetProperty(const std::string& p, const PropValue& v) {
  return Control::SetProperty(p, v);
}

void WinControl::AddChild(Control* c) {
  if (c->parent) c->parent->RemoveChild(c);
  c->parent = this;
  c->font = font;
  children.push_back(c);
  if (hwnd) {
    c->CreateHandles();
    c->Invalidate();
    if (c->align != Align::None) Realign();
  }
}

void WinControl::RemoveChild(Control* c) {
  children.erase(std::remove(children.begin(), children.end(), c), children.end());
  if (mouseTarget_ == c) mouseTarget_ = nullptr;
  c->parent = nullptr;
}

void WinControl::CreateHandles() {
  if (!hwnd) {
    HWND ph = ParentHandle();
    DWORD style = Style() | (visible ? WS_VISIBLE : 0) | (enabled ? 0 : WS_DISABLED);
    int x = left - (parent ? parent->originX : 0), y = top - (parent ? parent->originY : 0);
    hwnd = CreateWindowExA(ExStyle(), WindowClass(), caption.c_str(), style, x, y, width, height, ph, nullptr,
                           App().instance, this);
    if (!hwnd) return;
    // Windows of system classes are found through their user data too.
    if (WindowClass() != kClassName) SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HFONT f = App().SharedFont(font);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    HandleCreated();
  }
  for (Control* c : children) c->CreateHandles();
  Realign();
}

void WinControl::SetBounds(int l, int t, int w, int h) {
  bool sized = w != width || h != height;
  left = l;
  top = t;
  width = w;
  height = h;
  if (hwnd) {
    int x = l - (parent ? parent->originX : 0), y = t - (parent ? parent->originY : 0);
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (sized) {
    Realign();
  }
}

void WinControl::SetVisible(bool v) {
  if (v == visible) return;
  visible = v;
  if (hwnd) ShowWindow(hwnd, v ? SW_SHOWNA : SW_HIDE);
  if (parent && align != Align::None) parent->Realign();
}

void WinControl::SetEnabled(bool e) {
  if (e == enabled) return;
  enabled = e;
  if (hwnd) EnableWindow(hwnd, e);
}

void WinControl::SetCaption(const std::string& c) {
  caption = c;
  if (hwnd) SetWindowTextA(hwnd, c.c_str());
}

void WinControl::Invalidate() {
  if (hwnd) InvalidateRect(hwnd, nullptr, TRUE);
}

void WinControl::Repaint() {
  if (hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
  }
}

bool IsAccel(char key, const std::string& c) {
  for (size_t i = 0; i + 1 < c.size(); ++i) {
    if (c[i] != '&') continue;
    if (c[i + 1] == '&') {
      ++i;
      continue;
    }
    return CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(key)))) ==
           CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(c[i + 1]))));
  }
  return false;
}

bool WinControl::RouteDialogChar(char key) {
  for (Control* c : children) {
    if (!c->visible) continue;
    if (c->DialogChar(key)) return true;
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->RouteDialogChar(key)) return true;
  }
  return false;
}

void WinControl::SetFocus() {
  if (hwnd) ::SetFocus(hwnd);
}

RECT WinControl::AlignArea() const {
  RECT r{0, 0, width, height};
  if (hwnd) GetClientRect(hwnd, &r);
  return r;
}

void WinControl::Realign() {
  RECT r = AlignArea();
  for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (Control* c : children) {
      if (c->align != a || !c->visible) continue;
      switch (a) {
        case Align::Top: c->SetBounds(r.left, r.top, r.right - r.left, c->height); r.top += c->height; break;
        case Align::Bottom: c->SetBounds(r.left, r.bottom - c->height, r.right - r.left, c->height); r.bottom -= c->height; break;
        case Align::Left: c->SetBounds(r.left, r.top, c->width, r.bottom - r.top); r.left += c->width; break;
        case Align::Right: c->SetBounds(r.right - c->width, r.top, c->width, r.bottom - r.top); r.right -= c->width; break;
        case Align::Client: c->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top)); break;
        default: break;
      }
    }
  }
  AlignRemainder(r);
}

GraphicControl* WinControl::GraphicAt(int x, int y) const {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* c = *it;
    if (!c->IsGraphic() || !c->visible) continue;
    int cx = x + originX - c->left, cy = y + originY - c->top;
    if (cx >= 0 && cy >= 0 && cx < c->width && cy < c->height) return static_cast<GraphicControl*>(c);
  }
  return nullptr;
}

static unsigned ButtonBit(MouseButton b) { return 1u << static_cast<int>(b); }

void WinControl::RouteMouseDown(MouseButton b, ShiftState s, int x, int y, bool dbl) {
  Control* t = mouseTarget_;
  if (!t) {
    t = GraphicAt(x, y);
    if (t && !t->enabled) t = nullptr;
    if (!t) t = this;
    mouseTarget_ = t;
  }
  buttonsDown_ |= ButtonBit(b);
  if (hwnd && GetCapture() != hwnd) {
    routingCapture_ = true;
    SetCapture(hwnd);
    routingCapture_ = false;
  }
  int cx = t == this ? x : x + originX - t->left, cy = t == this ? y : y + originY - t->top;
  if (dbl) {
    t->DblClick();
    t->MouseDown(b, s | ssDouble, cx, cy);
  } else {
    t->MouseDown(b, s, cx, cy);
  }
}

void WinControl::RouteMouseMove(ShiftState s, int x, int y) {
  Control* t = mouseTarget_;
  if (!t) t = GraphicAt(x, y);
  if (!t) t = this;
  int cx = t == this ? x : x + originX - t->left, cy = t == this ? y : y + originY - t->top;
  t->MouseMove(s, cx, cy);
}

void WinControl::RouteMouseUp(MouseButton b, ShiftState s, int x, int y) {
  Control* t = mouseTarget_ ? mouseTarget_ : this;
  buttonsDown_ &= ~ButtonBit(b);
  if (!buttonsDown_) mouseTarget_ = nullptr;
  int cx = t == this ? x : x + originX - t->left, cy = t == this ? y : y + originY - t->top;
  t->MouseUp(b, s, cx, cy);
  if (b == MouseButton::Left && t->HitTest(cx, cy) && cx >= 0 && cy >= 0 && cx < t->width && cy < t->height)
    t->Click();
  if (!buttonsDown_ && hwnd && GetCapture() == hwnd) {
    routingCapture_ = true;
    ReleaseCapture();
    routingCapture_ = false;
  }
}

LRESULT WinControl::OnCaptureChanged(HWND newCapture) {
  if (routingCapture_ || newCapture == hwnd) return 0;
  Control* t = mouseTarget_;
  mouseTarget_ = nullptr;
  buttonsDown_ = 0;
  if (t) t->CaptureLost();
  if (t != this) CaptureLost();
  return 0;
}

void WinControl::PaintSelf(Canvas& c) {
  c.brush.color = color;
  c.brush.style = BrushStyle::Solid;
  c.FillRect(RECT{0, 0, width, height});
}

LRESULT WinControl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  {
    Canvas c(dc);
    c.font = font;
    PaintSelf(c);
  }
  for (Control* ch : children) {
    if (!ch->IsGraphic() || !ch->visible) continue;
    int sd = SaveDC(dc);
    int x = ch->left - originX, y = ch->top - originY;
    IntersectClipRect(dc, x, y, x + ch->width, y + ch->height);
    SetViewportOrgEx(dc, x, y, nullptr);
    {
      Canvas c(dc);
      c.font = ch->font;
      static_cast<GraphicControl*>(ch)->Paint(c);
    }
    RestoreDC(dc, sd);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT WinControl::OnSetCursor(WPARAM wp, LPARAM lp) {
  if (LOWORD(lp) != HTCLIENT) return DefaultProc(WM_SETCURSOR, wp, lp);
  if (App().cursorOverride) {
    ::SetCursor(App().cursorOverride);
    return TRUE;
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  HCURSOR h = nullptr;
  if (GraphicControl* g = mouseTarget_ ? nullptr : GraphicAt(p.x, p.y)) h = g->EffectiveCursor();
  if (mouseTarget_) h = mouseTarget_->EffectiveCursor();
  if (!h) h = EffectiveCursor();
  ::SetCursor(h ? h : LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

LRESULT WinControl::OnCommand(WPARAM wp, LPARAM lp) {
  HWND from = reinterpret_cast<HWND>(lp);
  if (from) {
    if (WinControl* c = FromHandle(from)) c->Notified(HIWORD(wp), lp);
    return 0;
  }
  return OnMenuCommand(LOWORD(wp));
}

LRESULT WinControl::OnNotify(LPARAM lp) {
  auto* n = reinterpret_cast<NMHDR*>(lp);
  if (WinControl* c = FromHandle(n->hwndFrom)) c->Notified(n->code, lp);
  return 0;
}

LRESULT CALLBACK WinControl::StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    void* obj = cs->lpCreateParams;
    if (cs->dwExStyle & WS_EX_MDICHILD) obj = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTA*>(obj)->lParam);
    auto* self = static_cast<WinControl*>(obj);
    self->hwnd = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  WinControl* self = FromHandle(h);
  if (!self) return DefWindowProcA(h, msg, wp, lp);
  LRESULT r = self->WndProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    self->hwnd = nullptr;
    self->Destroyed();
  }
  return r;
}

LRESULT WinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  ShiftState s = ShiftFromWParam(wp);
  switch (msg) {
    case WM_PAINT: return OnPaint();
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Realign(); return DefaultProc(msg, wp, lp);
    case WM_SETCURSOR: return OnSetCursor(wp, lp);
    case WM_LBUTTONDOWN: RouteMouseDown(MouseButton::Left, s, x, y, false); return 0;
    case WM_RBUTTONDOWN: RouteMouseDown(MouseButton::Right, s, x, y, false); return 0;
    case WM_MBUTTONDOWN: RouteMouseDown(MouseButton::Middle, s, x, y, false); return 0;
    case WM_LBUTTONDBLCLK: RouteMouseDown(MouseButton::Left, s, x, y, true); return 0;
    case WM_RBUTTONDBLCLK: RouteMouseDown(MouseButton::Right, s, x, y, true); return 0;
    case WM_MOUSEMOVE: RouteMouseMove(s, x, y); return 0;
    case WM_LBUTTONUP: RouteMouseUp(MouseButton::Left, s, x, y); return 0;
    case WM_RBUTTONUP: RouteMouseUp(MouseButton::Right, s, x, y); return 0;
    case WM_MBUTTONUP: RouteMouseUp(MouseButton::Middle, s, x, y); return 0;
    case WM_CAPTURECHANGED: return OnCaptureChanged(reinterpret_cast<HWND>(lp));
    case WM_COMMAND: return OnCommand(wp, lp);
    case WM_NOTIFY: return OnNotify(lp);
    case WM_HSCROLL:
    case WM_VSCROLL: Scrolled(msg, wp); return 0;
    case WM_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (WinControl* c = FromHandle(di->hwndItem)) c->Notified(WM_DRAWITEM, lp);
      return TRUE;
    }
    default: return DefaultProc(msg, wp, lp);
  }
}

}  // namespace zw
