#include "application.h"

#include "component.h"
#include "form.h"
#include "menu.h"

namespace zw {

Application& App() {
  static Application app;
  return app;
}

Application::~Application() {
  for (auto& f : fonts_) DeleteObject(f.second);
}

void Application::Initialize(HINSTANCE inst) {
  instance = inst;
  if (registered_) return;
  registered_ = true;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WinControl::StaticProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = WinControl::kClassName;
  RegisterClassA(&wc);
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.hIcon = LoadIconA(inst, "MAINICON");
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.lpszClassName = Form::kFormClass;
  RegisterClassA(&wc);
  wc.lpszClassName = Form::kDialogClass;
  RegisterClassA(&wc);
  wc.lpszClassName = Form::kMdiChildClass;
  RegisterClassA(&wc);
}

void Application::SetCursor(int id, HCURSOR c) {
  if (cursors_.count(id) && cursors_[id]) DestroyCursor(cursors_[id]);
  cursors_[id] = c;
}

HCURSOR Application::Cursor(int id) const {
  auto it = cursors_.find(id);
  return it == cursors_.end() ? nullptr : it->second;
}

void Application::FreeCursors() {
  for (auto& c : cursors_)
    if (c.second) DestroyCursor(c.second);
  cursors_.clear();
}

HFONT Application::SharedFont(const FontSpec& f) {
  for (auto& e : fonts_)
    if (e.first.name == f.name && e.first.height == f.height && e.first.bold == f.bold &&
        e.first.italic == f.italic && e.first.underline == f.underline)
      return e.second;
  HFONT h = CreateFontFor(f);
  fonts_.emplace_back(f, h);
  return h;
}

HCURSOR Application::SetScreenCursor(HCURSOR c) {
  HCURSOR old = cursorOverride;
  cursorOverride = c;
  ::SetCursor(c ? c : LoadCursor(nullptr, IDC_ARROW));
  return old;
}

// The form that owns a window (walking up through child windows).
static Form* FormOf(HWND h) {
  while (h) {
    if (WinControl* c = WinControl::FromHandle(h))
      if (Form* f = dynamic_cast<Form*>(c)) return f;
    h = GetParent(h);
  }
  return nullptr;
}

bool Application::PreTranslate(MSG& m) {
  Form* f = FormOf(m.hwnd);
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
    // Menu short-cuts of the form's own menu, else of its MDI frame.
    for (Form* g = f; g; g = g->MdiFrame() != g ? g->MdiFrame() : nullptr) {
      if (g->menu && g->enabled && IsWindowEnabled(g->hwnd) && g->menu->HandleShortCut(KeyToShortCut(static_cast<WORD>(m.wParam))))
        return true;
      if (g->formStyle == FormStyle::MdiFrame) break;
    }
    if (mainForm && mainForm->mdiClient && TranslateMDISysAccel(mainForm->mdiClient, &m)) return true;
  }
  if (f && f->keyPreview && m.message == WM_CHAR && m.hwnd != f->hwnd) {
    char key = static_cast<char>(m.wParam);
    f->KeyPress(key);
    if (!key) return true;
    m.wParam = static_cast<unsigned char>(key);
  }
  // Accelerators of graphic controls (labels) first: the dialog manager sees only windows.
  if (f && f->formStyle == FormStyle::Dialog && m.message == WM_SYSCHAR && f->RouteDialogChar(static_cast<char>(m.wParam)))
    return true;
  if (f && f->formStyle == FormStyle::Dialog && IsDialogMessageA(f->hwnd, &m)) return true;
  return false;
}

void Application::ProcessMessage(MSG& m) {
  if (PreTranslate(m)) return;
  TranslateMessage(&m);
  DispatchMessageA(&m);
}

void Application::ProcessMessages() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    ProcessMessage(m);
  }
}

void Application::Run() {
  MSG m;
  while (!terminated && GetMessageA(&m, nullptr, 0, 0) > 0) ProcessMessage(m);
}

void ConfineCursor(const RECT* r) { ClipCursor(r); }

}  // namespace zw
