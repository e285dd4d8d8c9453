#include "form.h"

#include <algorithm>

#include "application.h"
#include "description.h"
#include "menu.h"
#include "std_controls.h"

namespace zw {

bool PressButtonWithResult(Form& f, int result);  // std_controls.cpp
Button* DefaultButton(Form& f);                     // std_controls.cpp

const char* Form::kFormClass = "ZwForm";
const char* Form::kDialogClass = "ZwDialog";
const char* Form::kMdiChildClass = "ZwMdiChild";
static const UINT kRebuildMenu = WM_USER + 0x7A00;
static const UINT kFirstMdiChildId = 0xFF00;

Form::Form() {
  visible = false;
  width = 320;
  height = 240;
}

Form::~Form() {
  deleteOnDestroy = false;
  if (frame) {
    auto& v = frame->mdiChildren_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  if (hwnd && IsWindow(hwnd)) {
    if (formStyle == FormStyle::MdiChild && frame && frame->mdiClient)
      SendMessageA(frame->mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
    else
      DestroyWindow(hwnd);
  }
  if (App().mainForm == this) App().mainForm = nullptr;
  // Children refer to each other only through the form: free them after the window.
  children.clear();
}

Component* Form::FindComponent(const std::string& n) const {
  for (const auto& c : components_)
    if (c->name == n) return c.get();
  return nullptr;
}

Component* Form::Adopt(std::unique_ptr<Component> c) {
  c->owner = this;
  components_.push_back(std::move(c));
  return components_.back().get();
}

void Form::Release(Component* c) {
  if (auto* ctl = dynamic_cast<Control*>(c); ctl && ctl->parent) ctl->parent->RemoveChild(ctl);
  auto it = std::find_if(components_.begin(), components_.end(), [c](const auto& p) { return p.get() == c; });
  if (it != components_.end()) components_.erase(it);
}

std::vector<std::string> Form::Load(const std::string& text, const FormTable& table) {
  RegisterStandardClasses();
  DescNode root;
  std::string err;
  if (!ParseDescription(text, root, &err)) return {err};
  std::vector<std::string> errors = BuildForm(*this, root, table, components_);
  if (!errors.empty()) {
    children.clear();
    components_.clear();
  }
  return errors;
}

std::vector<std::string> Form::LoadResource(const char* resName, const FormTable& table) {
  HRSRC r = FindResourceA(App().instance, resName, "FORM");
  HGLOBAL g = r ? ::LoadResource(App().instance, r) : nullptr;
  const char* p = g ? static_cast<const char*>(LockResource(g)) : nullptr;
  if (!p) return {std::string("form description ") + resName + " is missing"};
  return Load(std::string(p, SizeofResource(App().instance, r)), table);
}

bool Form::LoadAndCreate(const char* resName, const FormTable& table, Form* mdiFrame) {
  std::vector<std::string> errors = LoadResource(resName, table);
  if (!errors.empty()) {
    ReportDescriptionErrors(resName, errors);
    return false;
  }
  return Create(mdiFrame);
}

PropResult Form::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "FormStyle") {
    if (v.text == "Normal") formStyle = FormStyle::Normal;
    else if (v.text == "MdiFrame") formStyle = FormStyle::MdiFrame;
    else if (v.text == "MdiChild") formStyle = FormStyle::MdiChild;
    else if (v.text == "Dialog") formStyle = FormStyle::Dialog;
    else return PropResult::BadValue;
  } else if (p == "Position") {
    if (v.text == "Designed") position = FormPosition::Designed;
    else if (v.text == "Default") position = FormPosition::Default;
    else if (v.text == "ScreenCenter") position = FormPosition::ScreenCenter;
    else return PropResult::BadValue;
  } else if (p == "BorderStyle") {
    if (v.text == "Sizeable") border = FormBorder::Sizeable;
    else if (v.text == "Dialog") border = FormBorder::Dialog;
    else if (v.text == "Single") border = FormBorder::Single;
    else return PropResult::BadValue;
  } else if (p == "KeyPreview") {
    if (!v.IsBool()) return PropResult::BadValue;
    keyPreview = v.IsTrue();
  } else if (p == "MinTrackWidth" || p == "MinTrackHeight" || p == "ClientWidth" || p == "ClientHeight") {
    if (v.kind != PropValue::Number) return PropResult::BadValue;
    int n = static_cast<int>(v.number);
    (p == "MinTrackWidth" ? minTrackWidth : p == "MinTrackHeight" ? minTrackHeight : p == "ClientWidth" ? clientWidth : clientHeight) = n;
  } else if (p == "Menu" || p == "WindowMenu") {
    Component* c = v.kind == PropValue::Ident ? FindComponent(v.text) : nullptr;
    if (p == "Menu" && !(menu = dynamic_cast<MainMenu*>(c))) return PropResult::BadValue;
    if (p == "WindowMenu" && !(windowMenu = dynamic_cast<MenuItem*>(c))) return PropResult::BadValue;
  } else {
    return WinControl::SetProperty(p, v);
  }
  return PropResult::Ok;
}

bool Form::FindEvent(const std::string& e, EventSlot& slot) {
  if (e == "OnCreate") slot = &OnCreate;
  else if (e == "OnShow") slot = &OnShow;
  else if (e == "OnDestroy") slot = &OnDestroy;
  else if (e == "OnActivate") slot = &OnActivate;
  else if (e == "OnResize") slot = &OnResize;
  else if (e == "OnPaint") slot = &OnPaint;
  else if (e == "OnClose") slot = &OnClose;
  else if (e == "OnCloseQuery") slot = &OnCloseQuery;
  else if (e == "OnKeyPress") slot = &OnKeyPress;
  else return WinControl::FindEvent(e, slot);
  return true;
}

const char* Form::WindowClass() const {
  switch (formStyle) {
    case FormStyle::Dialog: return kDialogClass;
    case FormStyle::MdiChild: return kMdiChildClass;
    default: return kFormClass;
  }
}

DWORD Form::Style() const {
  DWORD s = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
  if (border == FormBorder::Sizeable) s |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  else if (border == FormBorder::Single) s |= WS_MINIMIZEBOX;
  if (formStyle == FormStyle::MdiChild) s |= WS_CHILD | WS_CLIPSIBLINGS;
  if (formStyle == FormStyle::Dialog) s |= WS_POPUP;
  return s;
}

DWORD Form::ExStyle() const {
  DWORD e = WS_EX_CONTROLPARENT;
  if (formStyle == FormStyle::MdiChild) e |= WS_EX_MDICHILD;
  if (border == FormBorder::Dialog) e |= WS_EX_DLGMODALFRAME;
  return e;
}

bool Form::Create(Form* mdiFrame) {
  if (hwnd) return true;
  App().Initialize(App().instance ? App().instance : GetModuleHandleA(nullptr));
  if (clientWidth > 0 || clientHeight > 0) {
    RECT r{0, 0, clientWidth > 0 ? clientWidth : width, clientHeight > 0 ? clientHeight : height};
    AdjustWindowRectEx(&r, Style(), menu != nullptr, ExStyle());
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  int x = left, y = top;
  if (position == FormPosition::ScreenCenter) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  if (formStyle == FormStyle::MdiChild) {
    frame = mdiFrame ? mdiFrame : App().mainForm;
    if (!frame || !frame->mdiClient) return false;
    MDICREATESTRUCTA mcs{};
    mcs.szClass = kMdiChildClass;
    mcs.szTitle = caption.c_str();
    mcs.hOwner = App().instance;
    mcs.x = position == FormPosition::Designed ? x : CW_USEDEFAULT;
    mcs.y = position == FormPosition::Designed ? y : CW_USEDEFAULT;
    mcs.cx = width;
    mcs.cy = height;
    mcs.style = Style() & ~WS_CHILD;
    mcs.lParam = reinterpret_cast<LPARAM>(this);
    deleteOnDestroy = true;
    frame->mdiChildren_.push_back(this);
    visible = true;
    SendMessageA(frame->mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    if (!hwnd) return false;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    MapWindowPoints(nullptr, frame->mdiClient, reinterpret_cast<POINT*>(&wr), 2);
    left = wr.left;
    top = wr.top;
  } else {
    HWND owner = formStyle == FormStyle::Dialog && App().mainForm && App().mainForm != this ? App().mainForm->hwnd : nullptr;
    if (position == FormPosition::Default) x = y = CW_USEDEFAULT;
    hwnd = CreateWindowExA(ExStyle(), WindowClass(), caption.c_str(), Style(), x, y, width, height, owner,
                           nullptr, App().instance, this);
    if (!hwnd) return false;
  }
  if (menu) {
    menu->window = hwnd;
    menu->Build();
  }
  if (formStyle == FormStyle::MdiFrame) {
    CLIENTCREATESTRUCT ccs{windowMenu ? windowMenu->popup : nullptr, kFirstMdiChildId};
    mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                                nullptr, App().instance, &ccs);
    if (menu) menu->Build();
  }
  if (formStyle != FormStyle::MdiChild) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    left = wr.left;
    top = wr.top;
    width = wr.right - wr.left;
    height = wr.bottom - wr.top;
  }
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(App().SharedFont(font)), FALSE);
  for (Control* c : children) c->CreateHandles();
  Realign();
  if (OnCreate) OnCreate(this);
  return true;
}

void Form::SetCaption(const std::string& c) {
  caption = c;
  if (!hwnd) return;
  SetWindowTextA(hwnd, c.c_str());
  // The frame's window list shows the new name at once.
  if (formStyle == FormStyle::MdiChild && frame && frame->mdiClient) {
    SendMessageA(frame->mdiClient, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(frame->hwnd);
  }
}

void Form::Show() {
  if (!hwnd) Create();
  visible = true;
  ShowWindow(hwnd, SW_SHOW);
  if (!shown_) {
    shown_ = true;
    if (OnShow) OnShow(this);
  }
}

void Form::Hide() {
  visible = false;
  if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

static BOOL CALLBACK CollectEnabled(HWND h, LPARAM lp) {
  auto* v = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lp);
  if (h != v->first && IsWindowVisible(h) && IsWindowEnabled(h)) v->second.push_back(h);
  return TRUE;
}

int Form::ShowModal() {
  if (!hwnd && !Create()) return mrCancel;
  modalResult = mrNone;
  HWND previous = GetActiveWindow();
  // Every other window of the thread is disabled while the form is up.
  std::pair<HWND, std::vector<HWND>> found{hwnd, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&found));
  std::vector<HWND>& disabled = found.second;
  for (HWND h : disabled) EnableWindow(h, FALSE);
  shown_ = false;
  Show();
  SetActiveWindow(hwnd);
  FocusFirstControl();
  // The windows behind, disabled and deactivated, are drawn again whole (frame and menu bar too).
  for (HWND h : disabled) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  MSG m;
  while (modalResult == mrNone && hwnd && IsWindow(hwnd)) {
    if (GetMessageA(&m, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(m.wParam));
      if (modalResult == mrNone) modalResult = mrCancel;
      break;
    }
    App().ProcessMessage(m);
  }
  for (HWND h : disabled) EnableWindow(h, TRUE);
  Hide();
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return modalResult;
}

bool Form::CloseQuery() {
  if (formStyle == FormStyle::MdiFrame) {
    std::vector<Form*> kids = mdiChildren_;
    for (Form* k : kids)
      if (!k->CloseQuery()) return false;
  }
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

bool Form::Close() {
  if (formStyle == FormStyle::Dialog && modalResult == mrNone && visible) {
    modalResult = mrCancel;
    return true;
  }
  if (!CloseQuery()) return false;
  if (OnClose) OnClose(this);
  if (!hwnd) return true;
  if (formStyle == FormStyle::MdiChild && frame && frame->mdiClient)
    SendMessageA(frame->mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
  else if (formStyle == FormStyle::Dialog)
    Hide();
  else
    DestroyWindow(hwnd);
  return true;
}

Form* Form::ActiveMdiChild() const {
  if (!mdiClient) return nullptr;
  HWND h = reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<Form*>(FromHandle(h));
}

void Form::Tile(bool vertical) {
  if (mdiClient) SendMessageA(mdiClient, WM_MDITILE, vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL, 0);
}
void Form::Cascade() {
  if (mdiClient) SendMessageA(mdiClient, WM_MDICASCADE, 0, 0);
}
void Form::ArrangeIcons() {
  if (mdiClient) SendMessageA(mdiClient, WM_MDIICONARRANGE, 0, 0);
}

void Form::PaintSelf(Canvas& c) {
  WinControl::PaintSelf(c);
  if (OnPaint) OnPaint(this);
}

void Form::AlignRemainder(const RECT& r) {
  if (mdiClient) MoveWindow(mdiClient, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

LRESULT Form::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (formStyle == FormStyle::MdiFrame) return DefFrameProcA(hwnd, mdiClient, msg, wp, lp);
  if (formStyle == FormStyle::MdiChild) return DefMDIChildProcA(hwnd, msg, wp, lp);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void Form::Destroyed() {
  if (frame) {
    auto& v = frame->mdiChildren_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  if (deleteOnDestroy) delete this;
}

LRESULT Form::OnMenuCommand(WORD id) {
  if (formStyle == FormStyle::Dialog && id >= 1 && id <= 7) {
    // A dialog key or an outside answer: press the button with that result, else take it as is.
    if (!PressButtonWithResult(*this, id)) modalResult = id;
    return 0;
  }
  if (menu)
    if (MenuItem* m = menu->FindById(id)) {
      if (m->enabled) m->Click();
      return 0;
    }
  return DefaultProc(WM_COMMAND, id, 0);
}

LRESULT Form::OnCloseMsg() {
  Close();
  return 0;
}

LRESULT Form::OnGetMinMaxInfo(MINMAXINFO* mmi) {
  LRESULT r = DefaultProc(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(mmi));
  if (minTrackWidth) mmi->ptMinTrackSize.x = minTrackWidth;
  if (minTrackHeight) mmi->ptMinTrackSize.y = minTrackHeight;
  return r;
}

LRESULT Form::OnInitMenuPopup(HMENU popup) {
  if (menu)
    if (MenuItem* m = menu->FindByPopup(popup)) m->Click();
  return 0;
}

LRESULT Form::OnSetMenu(HMENU m) {
  if (formStyle == FormStyle::MdiFrame && mdiClient) {
    SendMessageA(mdiClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(m),
                 reinterpret_cast<LPARAM>(windowMenu ? windowMenu->popup : nullptr));
  } else {
    SetMenu(hwnd, m);
  }
  DrawMenuBar(hwnd);
  return 0;
}

// The focus goes to the remembered control, else the default button, else the first Tab stop.
void Form::FocusFirstControl() {
  HWND f = focusedControl;
  if (!f || !IsWindow(f) || !IsChild(hwnd, f) || !IsWindowVisible(f) || !IsWindowEnabled(f)) {
    Button* b = DefaultButton(*this);
    f = b && b->hwnd && IsWindowVisible(b->hwnd) ? b->hwnd : GetNextDlgTabItem(hwnd, nullptr, FALSE);
  }
  if (f) ::SetFocus(f);
}

// A modal form keeps its focused control while another window is in front (a box it shows).
LRESULT Form::OnDialogActivate(WPARAM wp, LPARAM lp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    HWND f = GetFocus();
    if (f && IsChild(hwnd, f)) focusedControl = f;
    return OnActivateMsg(false);
  }
  DefaultProc(WM_ACTIVATE, wp, lp);
  if (!IsIconic(hwnd)) FocusFirstControl();
  return OnActivateMsg(true);
}

LRESULT Form::OnActivateMsg(bool active) {
  if (active && OnActivate) OnActivate(this);
  return 0;
}

LRESULT Form::OnSizeMsg(WPARAM wp, LPARAM lp) {
  // The frame places its MDI client itself (after the aligned panels).
  if (formStyle != FormStyle::MdiFrame) DefaultProc(WM_SIZE, wp, lp);
  if (hwnd) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    width = wr.right - wr.left;
    height = wr.bottom - wr.top;
  }
  Realign();
  if (OnResize) OnResize(this);
  return 0;
}

LRESULT Form::OnDestroyMsg() {
  if (OnDestroy) OnDestroy(this);
  if (App().mainForm == this) PostQuitMessage(0);
  return 0;
}

LRESULT Form::OnCharMsg(WPARAM wp, LPARAM lp) {
  char key = static_cast<char>(wp);
  KeyPress(key);
  if (key) DefaultProc(WM_CHAR, static_cast<unsigned char>(key), lp);
  return 0;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE: return OnCloseMsg();
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
    case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
    case kRebuildMenu: return OnSetMenu(reinterpret_cast<HMENU>(wp));
    case WM_ACTIVATE:
      if (formStyle == FormStyle::Dialog) return OnDialogActivate(wp, lp);
      DefaultProc(msg, wp, lp);
      return OnActivateMsg(LOWORD(wp) != WA_INACTIVE);
    case WM_MDIACTIVATE: DefaultProc(msg, wp, lp); return OnActivateMsg(reinterpret_cast<HWND>(lp) == hwnd);
    case WM_SIZE: return OnSizeMsg(wp, lp);
    case WM_DESTROY: return OnDestroyMsg();
    case WM_CHAR: return OnCharMsg(wp, lp);
    case WM_SYSCHAR: return RouteDialogChar(static_cast<char>(wp)) ? 0 : DefaultProc(msg, wp, lp);
    default: return WinControl::WndProc(msg, wp, lp);
  }
}

void ReportDescriptionErrors(const std::string& formName, const std::vector<std::string>& errors) {
  std::string text = "The description of " + formName + " has errors:\n";
  for (size_t i = 0; i < errors.size() && i < 20; ++i) text += "\n" + errors[i];
  MessageBoxA(nullptr, text.c_str(), "Form description", MB_OK | MB_ICONERROR);
}

}  // namespace zw
