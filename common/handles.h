// Owners of Win32 handles: each closes its handle when it goes out of scope, so that every early
// return cleans up. None of them is copied.
#pragma once
#include <windows.h>

namespace sw {

// Owns one handle. Traits gives the handle type, the value that means "none", which values are
// open handles and how one is closed.
template <typename Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;
  explicit Owned(Handle h = Traits::None()) : h_(h) {}
  ~Owned() { Close(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  explicit operator bool() const { return Traits::Open(h_); }
  Handle get() const { return h_; }
  // Where a function stores the handle it opens (RegOpenKeyExA); the present one is closed first.
  Handle* put() {
    Close();
    return &h_;
  }
  Handle release() {
    Handle h = h_;
    h_ = Traits::None();
    return h;
  }
  // Owns `h` instead of the present handle, which is closed.
  void reset(Handle h = Traits::None()) {
    Close();
    h_ = h;
  }
  // Closes now; false when closing failed (for a file: data may not have reached it).
  bool Close() {
    if (!Traits::Open(h_)) return true;
    bool ok = Traits::Close(h_);
    h_ = Traits::None();
    return ok;
  }

 private:
  Handle h_;
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static bool Open(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct FindTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static bool Open(Handle h) { return h != INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return FindClose(h) != FALSE; }
};

template <typename T>
struct GdiTraits {
  using Handle = T;
  static Handle None() { return nullptr; }
  static bool Open(Handle h) { return h != nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != FALSE; }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static bool Open(Handle h) { return h != nullptr; }
  static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

// A file, pipe or other kernel handle (neither null nor INVALID_HANDLE_VALUE when open).
using FileHandle = Owned<FileTraits>;
// A file search (FindFirstFileA).
using FindHandle = Owned<FindTraits>;
// A GDI object (bitmap, brush, font, pen, region).
template <typename T>
using GdiObject = Owned<GdiTraits<T>>;
// An open registry key.
using RegKey = Owned<RegKeyTraits>;

// A memory device context compatible with the screen; the first object selected into it is
// selected out again before it is deleted.
class MemoryDC {
 public:
  MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  explicit MemoryDC(HGDIOBJ o) : MemoryDC() { Select(o); }
  ~MemoryDC() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }
  void Select(HGDIOBJ o) {
    HGDIOBJ prev = SelectObject(dc_, o);
    if (!old_) old_ = prev;
  }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// The whole window's device context (GetWindowDC), released again.
class WindowDC {
 public:
  explicit WindowDC(HWND h) : h_(h), dc_(GetWindowDC(h)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(h_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND h_;
  HDC dc_;
};

}  // namespace sw
