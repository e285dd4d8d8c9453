// The library's exports, bound by ordinal (see sky32v3c.h). No exception leaves them.
#include <cstdlib>
#include <cstring>
#include <new>

#include "imaging_ops.h"

// The library never lets an exception escape; replacing the runtime's verbose terminate handler
// keeps its name demangler (about 50 KB) out of the file.
namespace __gnu_cxx {
void __verbose_terminate_handler() { abort(); }
}  // namespace __gnu_cxx

namespace {

HPALETTE PaletteOf(const sky::Picture& pic) {
  if (!pic.indexed || pic.palette.empty()) return nullptr;
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } lp = {0x300, WORD(pic.palette.size()), {}};
  for (size_t i = 0; i < pic.palette.size(); ++i)
    lp.entries[i] = PALETTEENTRY{pic.palette[i].rgbRed, pic.palette[i].rgbGreen, pic.palette[i].rgbBlue, 0};
  return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&lp));
}

// Hands a read picture to the caller as a packed bitmap and a palette.
// `requested` is the resolution asked for (0: automatic).
int32_t Deliver(int error, int32_t requested, const sky::Picture& pic, HGLOBAL* dib, HPALETTE* hpal) {
  if (error) return -error;
  const int bits = !pic.indexed ? 24 : requested == 8 || pic.palette.size() > 16 ? 8 : 4;
  *dib = sky::ToPackedDib(pic, bits);
  if (!*dib) return -SKY_ERR_MEMORY;
  if (hpal) *hpal = PaletteOf(pic);
  return 1;
}

}  // namespace

extern "C" {

int32_t WINAPI SkyReadPicture(const char* file, int32_t format, int32_t bits, int32_t dither,
                              const RGBQUAD* palette, int32_t paletteCount, HGLOBAL* dib, HPALETTE* hpal) {
  if (!dib) return -SKY_ERR_PARAMETER;
  *dib = nullptr;
  if (hpal) *hpal = nullptr;
  try {
    sky::Picture pic;
    const int e = sky::ReadPicture(file, format, bits, dither != 0, palette, paletteCount, &pic);
    return Deliver(e, bits, pic, dib, hpal);
  } catch (const std::bad_alloc&) {
    return -SKY_ERR_MEMORY;
  } catch (...) {
    return -SKY_ERR_UNKNOWN;
  }
}

int32_t WINAPI SkyWritePicture(const char* file, int32_t format, const BITMAPINFO* info, const void* bits,
                               const SkyWriteOptions* options) {
  try {
    const int e = sky::WritePicture(file, format, info, bits, options);
    return e ? -e : 1;
  } catch (const std::bad_alloc&) {
    return -SKY_ERR_MEMORY;
  } catch (...) {
    return -SKY_ERR_UNKNOWN;
  }
}

int32_t WINAPI SkyReadResource(HMODULE module, const char* name, int32_t bits, int32_t dither,
                               const RGBQUAD* palette, int32_t paletteCount, HGLOBAL* dib, HPALETTE* hpal) {
  if (!dib) return -SKY_ERR_PARAMETER;
  *dib = nullptr;
  if (hpal) *hpal = nullptr;
  try {
    sky::Picture pic;
    const int e = sky::ReadResource(module, name, bits, dither != 0, palette, paletteCount, &pic);
    return Deliver(e, bits, pic, dib, hpal);
  } catch (const std::bad_alloc&) {
    return -SKY_ERR_MEMORY;
  } catch (...) {
    return -SKY_ERR_UNKNOWN;
  }
}

}  // extern "C"
