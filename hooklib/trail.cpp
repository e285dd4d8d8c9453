#include "trail.h"

#include <windowsx.h>

#include <vector>

namespace hooklib {
namespace {

constexpr UINT kMsgBegin = WM_APP + 1;  // lParam: the first point
constexpr UINT kMsgPoint = WM_APP + 2;  // lParam: the next point
constexpr UINT kMsgEnd = WM_APP + 3;

constexpr COLORREF kLineColor = RGB(0, 90, 200);
constexpr int kLineWidth = 3;
constexpr int kHoleRadius = 6;  // no line this close to the newest point
constexpr size_t kMaxPoints = 8192;

// What one trail window shows; lives on the trail's thread. The window is painted all in the
// line's colour and shaped to the line: its region is the line, less a hole at the newest point.
struct TrailView {
  std::vector<POINT> points;    // screen coordinates
  POINT origin = {};            // the window's top left on the screen
  HRGN line = nullptr;          // the line so far, window coordinates
  HPEN pen = CreatePen(PS_SOLID, kLineWidth, kLineColor);
  HBRUSH brush = CreateSolidBrush(kLineColor);
  ~TrailView() {
    if (line) DeleteObject(line);
    DeleteObject(pen);
    DeleteObject(brush);
  }
};

TrailView* ViewOf(HWND h) { return reinterpret_cast<TrailView*>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

POINT Unpack(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

LPARAM Pack(POINT p) { return MAKELPARAM((WORD)(SHORT)p.x, (WORD)(SHORT)p.y); }

HRGN EmptyRegion() { return CreateRectRgn(0, 0, 0, 0); }

// The region covered by the line through points[from ..], window coordinates.
HRGN SegmentsRegion(HWND h, const TrailView& v, size_t from) {
  std::vector<POINT> local(v.points.begin() + from, v.points.end());
  for (POINT& p : local) p = {p.x - v.origin.x, p.y - v.origin.y};
  if (local.size() < 2) return EmptyRegion();
  HDC dc = GetDC(h);
  if (!dc) return EmptyRegion();
  HGDIOBJ old = SelectObject(dc, v.pen);
  BeginPath(dc);
  Polyline(dc, local.data(), (int)local.size());
  EndPath(dc);
  WidenPath(dc);
  HRGN r = PathToRegion(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return r ? r : EmptyRegion();
}

// Adds the segments from points[from] on to the line and shapes the window to it. Under Wine
// every change of a window's shape that touches the X pointer's place makes X report the
// pointer entering a window, and Wine turns each report into a pointer move to that place.
// A colour-keyed layered window is re-shaped from its pixels at every repaint (reports at
// every point, wherever the pointer is); a region changes only the line, and the hole keeps
// the pointer, which is at the newest point, outside it.
void Reshape(HWND h, TrailView& v, size_t from) {
  if (!v.line) v.line = EmptyRegion();
  HRGN added = SegmentsRegion(h, v, from);
  CombineRgn(v.line, v.line, added, RGN_OR);
  DeleteObject(added);
  HRGN shape = EmptyRegion();
  CombineRgn(shape, v.line, nullptr, RGN_COPY);
  if (!v.points.empty()) {
    POINT last = {v.points.back().x - v.origin.x, v.points.back().y - v.origin.y};
    HRGN hole = CreateRectRgn(last.x - kHoleRadius, last.y - kHoleRadius, last.x + kHoleRadius + 1,
                              last.y + kHoleRadius + 1);
    CombineRgn(shape, shape, hole, RGN_DIFF);
    DeleteObject(hole);
  }
  SetWindowRgn(h, shape, TRUE);  // the window owns the region from here on
}

void Clear(HWND h, TrailView& v) {
  v.points.clear();
  if (v.line) DeleteObject(v.line);
  v.line = nullptr;
  SetWindowRgn(h, EmptyRegion(), FALSE);
}

void Append(TrailView& v, POINT p) {
  if (v.points.size() >= kMaxPoints) {
    // The line drawn so far stays; keep every other point for the rest.
    size_t w = 0;
    for (size_t r = 0; r < v.points.size(); r += 2) v.points[w++] = v.points[r];
    v.points.resize(w);
  }
  v.points.push_back(p);
}

void OnBegin(HWND h, POINT at) {
  TrailView& v = *ViewOf(h);
  Clear(h, v);
  v.points.push_back(at);
  // The screen may have changed since the last stroke.
  v.origin = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
  SetWindowPos(h, HWND_TOPMOST, v.origin.x, v.origin.y, GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Takes every point already queued, then reshapes once: the trail keeps up however fast they come.
void OnPoint(HWND h, POINT at) {
  TrailView& v = *ViewOf(h);
  if (!IsWindowVisible(h) || v.points.empty()) return;
  size_t from = v.points.size() - 1;
  Append(v, at);
  MSG m;
  while (PeekMessageA(&m, h, kMsgPoint, kMsgPoint, PM_REMOVE)) Append(v, Unpack(m.lParam));
  if (from >= v.points.size()) from = v.points.size() - 1;  // thinned out meanwhile
  Reshape(h, v, from);
}

void OnEnd(HWND h) {
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
  Clear(h, *ViewOf(h));
}

void OnPaint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  FillRect(dc, &ps.rcPaint, ViewOf(h)->brush);
  EndPaint(h, &ps);
}

LRESULT CALLBACK TrailProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrA(h, GWLP_USERDATA, (LONG_PTR) new TrailView);
  } else if (msg == WM_NCDESTROY) {
    delete ViewOf(h);
    SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  }
  switch (msg) {
    case kMsgBegin: OnBegin(h, Unpack(lp)); return 0;
    case kMsgPoint: OnPoint(h, Unpack(lp)); return 0;
    case kMsgEnd: OnEnd(h); return 0;
    case WM_PAINT: OnPaint(h); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills it
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

struct ThreadStart {
  HMODULE module;
  HWND* window;
  HANDLE ready;
};

}  // namespace

DWORD WINAPI Trail::ThreadMain(void* p) {
  ThreadStart start = *static_cast<ThreadStart*>(p);
  delete static_cast<ThreadStart*>(p);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = TrailProc;
  wc.hInstance = start.module;
  wc.lpszClassName = kTrailClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  HWND w = CreateWindowExA(
      WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
      kTrailClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, start.module, nullptr);
  // Layered and transparent: the system's hit test passes it by, so input reaches the windows
  // below even where the line is.
  if (w) {
    SetLayeredWindowAttributes(w, 0, 255, LWA_ALPHA);
    SetWindowRgn(w, EmptyRegion(), FALSE);
  }
  *start.window = w;
  SetEvent(start.ready);
  if (w) {
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  }
  UnregisterClassA(kTrailClass, start.module);
  // The thread holds the module: freeing the library cannot pull the code from under it.
  FreeLibraryAndExitThread(start.module, 0);
  return 0;
}

bool Trail::Start() {
  Stop();
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&Trail::ThreadMain), &module))
    return false;
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  auto* start = new ThreadStart{module, &window_, ready_};
  thread_ = ready_ ? CreateThread(nullptr, 0, ThreadMain, start, 0, nullptr) : nullptr;
  if (!thread_) {
    delete start;
    FreeLibrary(module);
    Stop();
    return false;
  }
  WaitForSingleObject(ready_, 5000);
  if (!window_) Stop();
  return window_ != nullptr;
}

void Trail::Stop() {
  if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (thread_) {
    WaitForSingleObject(thread_, 2000);
    CloseHandle(thread_);
  }
  if (ready_) CloseHandle(ready_);
  thread_ = ready_ = nullptr;
  window_ = nullptr;
}

void Trail::Begin(POINT at) {
  if (window_) PostMessageA(window_, kMsgBegin, 0, Pack(at));
}

void Trail::Add(POINT at) {
  if (window_) PostMessageA(window_, kMsgPoint, 0, Pack(at));
}

void Trail::End() {
  if (window_) PostMessageA(window_, kMsgEnd, 0, 0);
}

}  // namespace hooklib
