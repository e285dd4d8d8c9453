#include "std_controls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <map>

#include "application.h"
#include "description.h"
#include "form.h"
#include "menu.h"

namespace zw {

static bool BoolProp(const PropValue& v, bool& out) {
  if (!v.IsBool()) return false;
  out = v.IsTrue();
  return true;
}
static bool IntProp(const PropValue& v, int& out) {
  if (v.kind != PropValue::Number) return false;
  out = static_cast<int>(v.number);
  return true;
}
#define ZW_PROP(cond) return (cond) ? PropResult::Ok : PropResult::BadValue

static bool BevelProp(const PropValue& v, Bevel& b) {
  if (v.text == "None") b = Bevel::None;
  else if (v.text == "Lowered") b = Bevel::Lowered;
  else if (v.text == "Raised") b = Bevel::Raised;
  else return false;
  return true;
}

// The first visible, enabled button of the form (at any depth) that `fits`.
template <class Fits> static Button* FindButton(Form& f, Fits fits) {
  std::vector<Control*> stack(f.children.rbegin(), f.children.rend());
  while (!stack.empty()) {
    Control* c = stack.back();
    stack.pop_back();
    if (!c->visible) continue;
    if (auto* b = dynamic_cast<Button*>(c); b && b->enabled && fits(*b)) return b;
    if (auto* w = dynamic_cast<WinControl*>(c)) stack.insert(stack.end(), w->children.rbegin(), w->children.rend());
  }
  return nullptr;
}

Button* DefaultButton(Form& f) {
  return FindButton(f, [](Button& b) { return b.isDefault; });
}

bool PressButtonWithResult(Form& f, int result) {
  if (Button* b = FindButton(f, [&](Button& b) { return b.modalResult == result || (result == mrCancel && b.isCancel); })) {
    b->Click();
    if (f.modalResult == mrNone) f.modalResult = result;
    return true;
  }
  // Enter (IDOK) presses the focused button, else the default button wherever it sits, when no
  // button answers OK: its handler decides (it may keep the form open).
  if (result == mrOk) {
    auto* focused = dynamic_cast<Button*>(WinControl::FromHandle(GetFocus()));
    Button* b = focused && focused->owner == &f && focused->visible && focused->enabled ? focused : DefaultButton(f);
    if (b) {
      b->Click();
      if (f.modalResult == mrNone && b->modalResult) f.modalResult = b->modalResult;
      return true;
    }
  }
  return false;
}

// --- Panel ---

PropResult Panel::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "BevelOuter") ZW_PROP(BevelProp(v, bevelOuter));
  if (p == "BevelInner") ZW_PROP(BevelProp(v, bevelInner));
  if (p == "BevelWidth") ZW_PROP(IntProp(v, bevelWidth));
  return WinControl::SetProperty(p, v);
}

static void DrawBevel(HDC dc, RECT& r, Bevel b, int w) {
  if (b == Bevel::None) return;
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  for (int i = 0; i < w; ++i) {
    HGDIOBJ o = SelectObject(dc, b == Bevel::Raised ? light : dark);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
    SelectObject(dc, b == Bevel::Raised ? dark : light);
    MoveToEx(dc, r.right - 1, r.top + 1, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, o);
    InflateRect(&r, -1, -1);
  }
  DeleteObject(light);
  DeleteObject(dark);
}

void Panel::PaintSelf(Canvas& c) {
  WinControl::PaintSelf(c);
  RECT r{0, 0, width, height};
  DrawBevel(c.Handle(), r, bevelOuter, bevelWidth);
  DrawBevel(c.Handle(), r, bevelInner, bevelWidth);
  if (!caption.empty()) c.DrawText(r, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

RECT Panel::AlignArea() const {
  RECT r = WinControl::AlignArea();
  int inset = (bevelOuter != Bevel::None ? bevelWidth : 0) + (bevelInner != Bevel::None ? bevelWidth : 0);
  InflateRect(&r, -inset, -inset);
  return r;
}

// --- ScrollBox ---

PropResult ScrollBox::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "BorderStyle") {
    if (v.text == "None") bordered = false;
    else if (v.text == "Single") bordered = true;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  return WinControl::SetProperty(p, v);
}

void ScrollBox::UpdateScrollRange() {
  if (!hwnd) return;
  int cw = 0, ch = 0;
  for (Control* c : children)
    if (c->visible && c->align == Align::None) {
      cw = std::max(cw, c->left + c->width);
      ch = std::max(ch, c->top + c->height);
    }
  RECT r;
  GetClientRect(hwnd, &r);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  // The bars may change the client size: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    GetClientRect(hwnd, &r);
    si.nMax = cw - 1;
    si.nPage = static_cast<UINT>(r.right);
    si.nPos = std::min(originX, std::max(0, cw - static_cast<int>(r.right)));
    SetScrollInfo(hwnd, SB_HORZ, &si, TRUE);
    si.nMax = ch - 1;
    si.nPage = static_cast<UINT>(r.bottom);
    si.nPos = std::min(originY, std::max(0, ch - static_cast<int>(r.bottom)));
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
  }
  ScrollTo(GetScrollPos(hwnd, SB_HORZ), GetScrollPos(hwnd, SB_VERT));
}

void ScrollBox::ScrollTo(int x, int y) {
  x = std::max(0, x);
  y = std::max(0, y);
  if (x == originX && y == originY) return;
  originX = x;
  originY = y;
  if (!hwnd) return;
  SetScrollPos(hwnd, SB_HORZ, x, TRUE);
  SetScrollPos(hwnd, SB_VERT, y, TRUE);
  for (Control* c : children)
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->hwnd)
      SetWindowPos(w->hwnd, nullptr, w->left - x, w->top - y, w->width, w->height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void ScrollBox::Scrolled(UINT msg, WPARAM wp) {
  int bar = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, bar, &si);
  int pos = si.nPos;
  switch (LOWORD(wp)) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    default: break;
  }
  pos = std::clamp(pos, 0, std::max(0, si.nMax - static_cast<int>(si.nPage) + 1));
  if (bar == SB_HORZ) ScrollTo(pos, originY);
  else ScrollTo(originX, pos);
}

LRESULT ScrollBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    LRESULT r = WinControl::WndProc(msg, wp, lp);
    UpdateScrollRange();
    return r;
  }
  return WinControl::WndProc(msg, wp, lp);
}

// --- PaintBox ---

bool PaintBox::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnPaint") {
    slot = &OnPaint;
    return true;
  }
  return GraphicControl::FindEvent(e, slot);
}

void PaintBox::Paint(Canvas& c) {
  canvas = &c;
  if (OnPaint) OnPaint(this);
  canvas = nullptr;
}

// --- Image ---

PropResult Image::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Stretch") ZW_PROP(BoolProp(v, stretch));
  if (p == "Center") ZW_PROP(BoolProp(v, center));
  if (p == "AutoSize") ZW_PROP(BoolProp(v, autoSize));
  if (p == "Picture") {
    if (v.kind == PropValue::Number) {
      // "Picture = 32" makes an empty white picture of that size.
      picture.SetSize(static_cast<int>(v.number), static_cast<int>(v.number));
      return PropResult::Ok;
    }
    ZW_PROP(LoadPictureValue(v, picture));
  }
  return GraphicControl::SetProperty(p, v);
}

void Image::PictureChanged() {
  if (autoSize && picture.Width() > 0 && picture.Height() > 0) SetSize(picture.Width(), picture.Height());
  Invalidate();
}

void Image::Paint(Canvas& c) {
  const Bitmap& p = shown ? *shown : picture;
  if (p.Empty()) return;
  if (stretch) c.StretchDraw(RECT{0, 0, width, height}, p);
  else if (center) c.Draw((width - p.Width()) / 2, (height - p.Height()) / 2, p);
  else c.Draw(0, 0, p);
}

// --- Label ---

PropResult Label::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "AutoSize") ZW_PROP(BoolProp(v, autoSize));
  if (p == "WordWrap") ZW_PROP(BoolProp(v, wordWrap));
  if (p == "Transparent") ZW_PROP(BoolProp(v, transparent));
  if (p == "ShowAccelChar") ZW_PROP(BoolProp(v, showAccelChar));
  if (p == "FocusControl") ZW_PROP(v.kind == PropValue::Ident && !(focusControl = v.text).empty());
  if (p == "Alignment") {
    if (v.text == "Left") alignment = Alignment::Left;
    else if (v.text == "Right") alignment = Alignment::Right;
    else if (v.text == "Center") alignment = Alignment::Center;
    else return PropResult::BadValue;
    return PropResult::Ok;
  }
  return GraphicControl::SetProperty(p, v);
}

UINT Label::TextFormat() const {
  UINT f = DT_EXPANDTABS | (wordWrap ? DT_WORDBREAK : 0) | (showAccelChar ? 0 : DT_NOPREFIX);
  if (alignment == Alignment::Right) f |= DT_RIGHT;
  else if (alignment == Alignment::Center) f |= DT_CENTER;
  return f;
}

bool Label::DialogChar(char key) {
  if (focusControl.empty() || !showAccelChar || !enabled || !owner || !IsAccel(key, caption)) return false;
  auto* w = dynamic_cast<WinControl*>(owner->FindComponent(focusControl));
  if (!w || !w->hwnd || !IsWindowVisible(w->hwnd) || !IsWindowEnabled(w->hwnd)) return false;
  w->SetFocus();
  if (dynamic_cast<Edit*>(w)) SendMessageA(w->hwnd, EM_SETSEL, 0, -1);
  return true;
}

void Label::AdjustSize() {
  if (!autoSize) return;
  HDC dc = CreateCompatibleDC(nullptr);
  {
    Canvas c(dc);
    c.font = font;
    RECT r{0, 0, wordWrap ? width : 0, 0};
    c.DrawText(r, caption.empty() ? " " : caption, TextFormat() | DT_CALCRECT);
    if (caption.empty()) r.right = 0;
    SetSize(r.right, r.bottom);
  }
  DeleteDC(dc);
}

void Label::SetCaption(const std::string& c) {
  caption = c;
  AdjustSize();
  Invalidate();
}

void Label::DrawCaption(Canvas& c, RECT r, COLORREF colour) {
  COLORREF keep = c.font.color;
  c.font.color = colour;
  c.DrawText(r, caption, TextFormat());
  c.font.color = keep;
}

void Label::Paint(Canvas& c) {
  if (!transparent) {
    c.brush.color = color;
    c.brush.style = BrushStyle::Solid;
    c.FillRect(ClientRect());
  }
  c.font = font;
  DrawCaption(c, ClientRect(), enabled ? font.color : GetSysColor(COLOR_GRAYTEXT));
}

// --- SpeedButton ---

PropResult SpeedButton::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Glyph") ZW_PROP(LoadPictureValue(v, glyph));
  if (p == "NumGlyphs") ZW_PROP(IntProp(v, numGlyphs));
  if (p == "GroupIndex") ZW_PROP(IntProp(v, groupIndex));
  if (p == "Down") ZW_PROP(BoolProp(v, down));
  if (p == "AllowAllUp") ZW_PROP(BoolProp(v, allowAllUp));
  return GraphicControl::SetProperty(p, v);
}

void SpeedButton::Paint(Canvas& c) {
  RECT r = ClientRect();
  bool sunk = down || pressing_;
  c.brush.style = BrushStyle::Solid;
  c.brush.color = down && !pressing_ ? RGB(224, 224, 224) : GetSysColor(COLOR_BTNFACE);
  c.FillRect(r);
  DrawEdge(c.Handle(), &r, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  int off = sunk ? 1 : 0;
  if (!glyph.Empty()) {
    int n = std::max(1, numGlyphs);
    int gw = glyph.Width() / n, gh = glyph.Height();
    int gx = (width - gw) / 2 + off, gy = (height - gh) / 2 + off;
    // The glyph's bottom-left pixel is its transparent colour.
    int idx = !enabled && n > 1 ? 1 : 0;
    c.CopyTransparent(RECT{gx, gy, gx + gw, gy + gh}, glyph, RECT{idx * gw, 0, idx * gw + gw, gh}, glyph.Get(0, gh - 1));
  }
  if (!caption.empty()) {
    RECT t{off, off, width + off, height + off};
    c.font = font;
    c.font.color = enabled ? font.color : GetSysColor(COLOR_GRAYTEXT);
    c.DrawText(t, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void SpeedButton::MouseDown(MouseButton b, ShiftState s, int x, int y) {
  GraphicControl::MouseDown(b, s, x, y);
  if (b == MouseButton::Left && enabled) {
    pressing_ = true;
    Repaint();
  }
}

void SpeedButton::MouseUp(MouseButton b, ShiftState s, int x, int y) {
  bool was = pressing_;
  if (b == MouseButton::Left) pressing_ = false;
  GraphicControl::MouseUp(b, s, x, y);
  if (was) Repaint();
}

void SpeedButton::Click() {
  if (!enabled) return;
  if (groupIndex > 0) {
    if (down && allowAllUp) SetDown(false);
    else SetDown(true);
  }
  GraphicControl::Click();
}

void SpeedButton::SetDown(bool d) {
  if (d == down) return;
  down = d;
  if (d && groupIndex > 0 && parent)
    for (Control* c : parent->children)
      if (auto* sb = dynamic_cast<SpeedButton*>(c); sb && sb != this && sb->groupIndex == groupIndex && sb->down) {
        sb->down = false;
        sb->Invalidate();
      }
  Invalidate();
}

void SpeedButton::SetEnabled(bool e) {
  if (e == enabled) return;
  enabled = e;
  Invalidate();
}

// --- Button ---

PropResult Button::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "ModalResult") ZW_PROP(IntProp(v, modalResult));
  if (p == "Default") ZW_PROP(BoolProp(v, isDefault));
  if (p == "Cancel") ZW_PROP(BoolProp(v, isCancel));
  if (p == "Glyph") ZW_PROP(LoadPictureValue(v, glyph));
  return WinControl::SetProperty(p, v);
}

DWORD Button::Style() const {
  return WinControl::Style() | WS_TABSTOP | (glyph.Empty() ? (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) : BS_OWNERDRAW);
}

void Button::Click() {
  WinControl::Click();
  if (modalResult && owner) owner->modalResult = modalResult;
}

void Button::Notified(UINT code, LPARAM lp) {
  if (code == BN_CLICKED) {
    Click();
    return;
  }
  if (code != WM_DRAWITEM) return;
  // A button with a glyph: face, glyph left of the caption, both centred.
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
  HDC dc = di->hDC;
  RECT r = di->rcItem;
  bool pressed = di->itemState & ODS_SELECTED;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (isDefault || (di->itemState & ODS_FOCUS)) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (di->itemState & ODS_FOCUS) {
    RECT f = r;
    InflateRect(&f, -3, -3);
    DrawFocusRect(dc, &f);
  }
  Canvas c(dc);
  c.font = font;
  c.font.color = enabled ? font.color : GetSysColor(COLOR_GRAYTEXT);
  int tw = c.TextWidth(caption);
  int gw = glyph.Width(), gh = glyph.Height();
  int total = gw + (caption.empty() ? 0 : 4 + tw);
  int x = (r.left + r.right - total) / 2 + (pressed ? 1 : 0), y = (r.top + r.bottom - gh) / 2 + (pressed ? 1 : 0);
  c.CopyTransparent(RECT{x, y, x + gw, y + gh}, glyph, RECT{0, 0, gw, gh}, glyph.Get(0, gh - 1));
  RECT t{x + gw + 4, r.top + (pressed ? 1 : 0), r.right, r.bottom + (pressed ? 1 : 0)};
  c.DrawText(t, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// --- CheckBox ---

PropResult CheckBox::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Checked") ZW_PROP(BoolProp(v, checked));
  return WinControl::SetProperty(p, v);
}
bool CheckBox::Checked() const {
  return hwnd ? SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED : checked;
}
void CheckBox::SetChecked(bool c) {
  checked = c;
  if (hwnd) SendMessageA(hwnd, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
}
void CheckBox::Notified(UINT code, LPARAM) {
  if (code == BN_CLICKED) {
    checked = Checked();
    Click();
  }
}

// --- Edit ---

PropResult Edit::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "MaxLength") ZW_PROP(IntProp(v, maxLength));
  if (p == "Text") return WinControl::SetProperty("Caption", v);
  return WinControl::SetProperty(p, v);
}
bool Edit::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnChange") slot = &OnChange;
  else if (e == "OnExit") slot = &OnExit;
  else return WinControl::FindEvent(e, slot);
  return true;
}
void Edit::HandleCreated() {
  if (maxLength > 0) SendMessageA(hwnd, EM_LIMITTEXT, maxLength, 0);
}
std::string Edit::Text() const {
  if (!hwnd) return caption;
  char buf[1024] = "";
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}
void Edit::Notified(UINT code, LPARAM) {
  if (code == EN_CHANGE && OnChange) OnChange(this);
  if (code == EN_KILLFOCUS && OnExit) OnExit(this);
}

// --- ListBox, ComboBox ---

bool ListBox::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnChange") {
    slot = &OnChange;
    return true;
  }
  return WinControl::FindEvent(e, slot);
}
void ListBox::SetItems(const std::vector<std::string>& v) {
  items = v;
  if (!hwnd) return;
  SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
  for (auto& s : items) SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}
int ListBox::ItemIndex() const { return hwnd ? static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0)) : -1; }
void ListBox::SetItemIndex(int i) {
  if (hwnd) SendMessageA(hwnd, LB_SETCURSEL, i, 0);
}
void ListBox::Notified(UINT code, LPARAM) {
  if (code == LBN_SELCHANGE && OnChange) OnChange(this);
  if (code == LBN_DBLCLK) DblClick();
}
void ComboBox::SetItems(const std::vector<std::string>& v) {
  items = v;
  if (!hwnd) return;
  SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
  for (auto& s : items) SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}
int ComboBox::ItemIndex() const { return hwnd ? static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0)) : -1; }
void ComboBox::SetItemIndex(int i) {
  if (hwnd) SendMessageA(hwnd, CB_SETCURSEL, i, 0);
}
void ComboBox::Notified(UINT code, LPARAM) {
  if (code == CBN_SELCHANGE && OnChange) OnChange(this);
}

// --- Header ---

void Header::AddSection(const std::string& text, int w) {
  sections.emplace_back(text, w);
  if (!hwnd) return;
  HDITEMA it{};
  it.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  it.pszText = const_cast<char*>(sections.back().first.c_str());
  it.cxy = w;
  it.fmt = HDF_LEFT | HDF_STRING;
  SendMessageA(hwnd, HDM_INSERTITEMA, sections.size() - 1, reinterpret_cast<LPARAM>(&it));
}
void Header::HandleCreated() {
  auto s = sections;
  sections.clear();
  for (auto& e : s) AddSection(e.first, e.second);
}
void Header::SetSectionWidth(int i, int w) {
  if (i < 0 || i >= static_cast<int>(sections.size())) return;
  sections[i].second = w;
  if (!hwnd) return;
  HDITEMA it{};
  it.mask = HDI_WIDTH;
  it.cxy = w;
  SendMessageA(hwnd, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&it));
}
bool Header::FindEvent(const std::string& e, EventSlot& slot) {
  if (e != "OnSectionResize") return WinControl::FindEvent(e, slot);
  slot = &OnSectionResize;
  return true;
}
void Header::Notified(UINT code, LPARAM lp) {
  // A divider dragged (or double-clicked): the widths are read back from the control.
  if (code != HDN_ITEMCHANGEDA && code != HDN_ITEMCHANGEDW && code != HDN_ENDTRACKA && code != HDN_ENDTRACKW) return;
  auto* n = reinterpret_cast<NMHEADERA*>(lp);
  if (n->pitem && !(n->pitem->mask & HDI_WIDTH)) return;
  bool changed = false;
  for (size_t i = 0; i < sections.size(); ++i) {
    HDITEMA it{};
    it.mask = HDI_WIDTH;
    if (SendMessageA(hwnd, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&it)) && it.cxy != sections[i].second) {
      sections[i].second = it.cxy;
      changed = true;
    }
  }
  if (changed && OnSectionResize) OnSectionResize(this);
}

// --- KeyTarget ---

bool KeyTarget::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnKeyDown") slot = &OnKeyDown;
  else if (e == "OnKeyUp") slot = &OnKeyUp;
  else if (e == "OnEnter") slot = &OnEnter;
  else if (e == "OnExit") slot = &OnExit;
  else return WinControl::FindEvent(e, slot);
  return true;
}

LRESULT KeyTarget::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wp);
      ShiftState s = (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0);
      KeyEvent& e = msg == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
      if (e) e(this, key, s);
      return 0;
    }
    case WM_SETFOCUS:
      if (OnEnter) OnEnter(this);
      return 0;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(this);
      return 0;
    default: return WinControl::WndProc(msg, wp, lp);
  }
}

// --- Timer ---

static std::map<UINT_PTR, Timer*>& Timers() {
  static std::map<UINT_PTR, Timer*> t;
  return t;
}
static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->Fire();
}
Timer::~Timer() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
  }
}
PropResult Timer::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Interval") {
    if (v.kind != PropValue::Number || v.number <= 0) return PropResult::BadValue;
    interval = static_cast<UINT>(v.number);
    return PropResult::Ok;
  }
  if (p == "Enabled") ZW_PROP(BoolProp(v, enabled));
  return Component::SetProperty(p, v);
}
bool Timer::FindEvent(const std::string& e, EventSlot& slot) {
  if (e != "OnTimer") return false;
  slot = &OnTimer;
  return true;
}
void Timer::Update() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  if (enabled && interval) {
    id_ = SetTimer(nullptr, 0, interval, TimerProc);
    if (id_) Timers()[id_] = this;
  }
}

// --- Dialogs ---

PropResult FontDialog::SetProperty(const std::string& p, const PropValue& v) {
  if (p.rfind("Font.", 0) == 0) return SetFontProperty(font, p.substr(5), v);
  return Component::SetProperty(p, v);
}

bool FontDialog::Execute(HWND owner) {
  LOGFONTA lf{};
  lf.lfHeight = -std::abs(font.height);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = font.color;
  if (!ChooseFontA(&cf)) return false;
  font.name = lf.lfFaceName;
  font.height = std::abs(lf.lfHeight);
  font.bold = lf.lfWeight >= FW_BOLD;
  font.italic = lf.lfItalic;
  font.underline = lf.lfUnderline;
  font.color = cf.rgbColors;
  return true;
}

bool ColorDialog::Execute(HWND owner) {
  static COLORREF custom[16];
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = color;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (!ChooseColorA(&cc)) return false;
  color = cc.rgbResult;
  return true;
}

// --- Registry of classes ---

void RegisterStandardClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClass<Panel>("Panel");
  RegisterClass<ScrollBox>("ScrollBox");
  RegisterClass<PaintBox>("PaintBox");
  RegisterClass<Image>("Image");
  RegisterClass<Label>("Label");
  RegisterClass<SpeedButton>("SpeedButton");
  RegisterClass<Button>("Button");
  RegisterClass<CheckBox>("CheckBox");
  RegisterClass<Edit>("Edit");
  RegisterClass<ListBox>("ListBox");
  RegisterClass<ComboBox>("ComboBox");
  RegisterClass<Header>("Header");
  RegisterClass<KeyTarget>("KeyTarget");
  RegisterClass<Timer>("Timer");
  RegisterClass<MainMenu>("MainMenu");
  RegisterClass<MenuItem>("MenuItem");
  RegisterClass<FontDialog>("FontDialog");
  RegisterClass<ColorDialog>("ColorDialog");
}

}  // namespace zw
