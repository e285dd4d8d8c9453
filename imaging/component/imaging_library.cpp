#include "imaging_library.h"

namespace sw {

ImagingLibrary::~ImagingLibrary() {
  if (module_) FreeLibrary(module_);
}

bool ImagingLibrary::Load() {
  if (tried_) return module_ != nullptr;
  tried_ = true;
  module_ = LoadLibraryA(path_.empty() ? kFileName : path_.c_str());
  if (!module_) return false;
  read = reinterpret_cast<SkyReadPictureFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(SKY_ORD_READ_PICTURE))));
  write = reinterpret_cast<SkyWritePictureFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(SKY_ORD_WRITE_PICTURE))));
  readResource = reinterpret_cast<SkyReadResourceFn>(
      reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(SKY_ORD_READ_RESOURCE))));
  if (!read || !write || !readResource) {
    FreeLibrary(module_);
    module_ = nullptr;
    read = nullptr, write = nullptr, readResource = nullptr;
    return false;
  }
  return true;
}

std::string ImagingLibrary::ErrorText(int32_t result) const {
  const int number = result < 0 ? -result : result;
  char text[256] = "";
  if (module_ && number <= 0xFFFF && LoadStringA(module_, UINT(number), text, sizeof text) > 0) return text;
  return "Imaging error " + std::to_string(number);
}

}  // namespace sw
