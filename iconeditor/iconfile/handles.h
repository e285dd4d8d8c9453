// Owners of the handles the file code opens: files, GDI objects, icons, memory device contexts.
#pragma once
#include <windows.h>

namespace zwicon::files {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  // Closes now; false when closing failed (data may not have reached the file).
  bool Close() {
    if (!*this) return true;
    BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

template <typename T>
class GdiObject {
 public:
  explicit GdiObject(T h = nullptr) : h_(h) {}
  ~GdiObject() {
    if (h_) DeleteObject(h_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  T get() const { return h_; }
  T release() {
    T h = h_;
    h_ = nullptr;
    return h;
  }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  T h_;
};

class MemoryDC {
 public:
  MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
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

}  // namespace zwicon::files
