// The trail: a thin line on the screen along the stroke being drawn, gone at release.
//
// It lives in a window and a thread of its own, so the hook only posts points and never waits
// on painting. The window is top-most, layered and transparent to the mouse, never activated,
// and shaped by its window region to the line itself, less a small hole at the newest point,
// where the pointer is: the pointer is over the window only where it crosses its own earlier
// line, so pointer events keep going to the windows below. (Input injected with SendInput does
// not move the X pointer under Wine: where a line crosses the place X still has the pointer,
// X reports it there, and that place comes back as a move.)
#pragma once
#include <windows.h>

namespace hooklib {

constexpr char kTrailClass[] = "StrokewiseTrail";

class Trail {
 public:
  Trail() = default;
  Trail(const Trail&) = delete;
  Trail& operator=(const Trail&) = delete;
  ~Trail() { Stop(); }

  // Starts the thread and its hidden window; false when either could not be made.
  bool Start();
  // Ends the thread (waits for it a moment); harmless when not started.
  void Stop();
  bool Running() const { return window_ != nullptr; }

  // From the hook's thread: each posts one message and returns.
  void Begin(POINT at);  // a stroke shows from this point on
  void Add(POINT at);
  void End();            // the stroke is over: the line goes

 private:
  static DWORD WINAPI ThreadMain(void* self);

  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace hooklib
