// Run-time binding of the imaging library SKY32V3C.DLL: loads it on first use, binds its exports
// by ordinal and reads its error texts.
#pragma once
#include <windows.h>

#include <string>

#include "sky32v3c.h"

namespace sw {

class ImagingLibrary {
 public:
  static constexpr const char* kFileName = "SKY32V3C.DLL";

  // `path` empty: the library is looked for by file name (beside the program first).
  explicit ImagingLibrary(std::string path = std::string()) : path_(std::move(path)) {}
  ~ImagingLibrary();
  ImagingLibrary(const ImagingLibrary&) = delete;
  ImagingLibrary& operator=(const ImagingLibrary&) = delete;

  // Loads and binds the library once; false when it or one of its exports is missing.
  bool Load();
  HMODULE Module() const { return module_; }

  SkyReadPictureFn read = nullptr;
  SkyWritePictureFn write = nullptr;
  SkyReadResourceFn readResource = nullptr;

  // The library's text for a result of 0 or less.
  std::string ErrorText(int32_t result) const;

 private:
  std::string path_;
  HMODULE module_ = nullptr;
  bool tried_ = false;
};

}  // namespace sw
