#include "imaging_ops.h"

#include "handles.h"
#include "pcx_codec.h"
#include "quantize.h"
#include "wic_codec.h"

namespace sky {
namespace {

constexpr DWORD kMaxFileBytes = 256u << 20;

bool ValidFormat(int32_t f) { return f >= SKY_FORMAT_BMP && f <= SKY_FORMAT_TIFF; }

int ToResolution(const Picture& src, int32_t bits, bool dither, const RGBQUAD* palette, int32_t count,
                 Picture* out) {
  if (bits == 0) bits = AutomaticBits(src);
  if (bits != 4 && bits != 8 && bits != 24) return SKY_ERR_PARAMETER;
  if (count < 0 || count > 256 || (count > 0 && !palette)) return SKY_ERR_PARAMETER;
  return ConvertDepth(src, bits, dither, palette, count, out);
}

}  // namespace

int LoadFile(const char* path, std::vector<uint8_t>* bytes) {
  if (!path || !*path) return SKY_ERR_PARAMETER;
  sw::FileHandle f(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr));
  if (!f) return SKY_ERR_OPEN;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.get(), &size)) return SKY_ERR_OPEN;
  if (size.QuadPart > kMaxFileBytes) return SKY_ERR_TOO_LARGE;
  try {
    bytes->resize(size_t(size.QuadPart));
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  DWORD got = 0;
  if (!bytes->empty() &&
      (!ReadFile(f.get(), bytes->data(), DWORD(bytes->size()), &got, nullptr) || got != bytes->size()))
    return SKY_ERR_OPEN;
  return 0;
}

int SaveFile(const char* path, const std::string& bytes) {
  if (!path || !*path) return SKY_ERR_PARAMETER;
  sw::FileHandle f(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return SKY_ERR_CREATE;
  DWORD put = 0;
  const bool ok = WriteFile(f.get(), bytes.data(), DWORD(bytes.size()), &put, nullptr) && put == bytes.size();
  f.Close();
  if (!ok) {
    DeleteFileA(path);
    return SKY_ERR_CREATE;
  }
  return 0;
}

int DecodePicture(const uint8_t* data, size_t size, SkyFormat format, Picture* out) {
  if (format == SKY_FORMAT_PCX) return PcxDecode(data, size, out);
  return WicDecode(data, size, format, out);
}

int AutomaticBits(const Picture& pic) {
  if (!pic.indexed) return 24;
  return pic.palette.size() <= 16 ? 4 : 8;
}

int ReadPicture(const char* file, int32_t format, int32_t bits, bool dither, const RGBQUAD* palette,
                int32_t count, Picture* out) {
  if (!ValidFormat(format) || (bits != 0 && bits != 4 && bits != 8 && bits != 24)) return SKY_ERR_PARAMETER;
  std::vector<uint8_t> bytes;
  if (int e = LoadFile(file, &bytes)) return e;
  Picture pic;
  if (int e = DecodePicture(bytes.data(), bytes.size(), SkyFormat(format), &pic)) return e;
  return ToResolution(pic, bits, dither, palette, count, out);
}

int ReadResource(HMODULE module, const char* name, int32_t bits, bool dither, const RGBQUAD* palette,
                 int32_t count, Picture* out) {
  if (!name || !*name) return SKY_ERR_PARAMETER;
  HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return SKY_ERR_RESOURCE;
  Picture pic;
  if (int e = FromPackedDib(static_cast<const uint8_t*>(data), SizeofResource(module, res), &pic)) return e;
  return ToResolution(pic, bits, dither, palette, count, out);
}

int EncodePicture(const Picture& src, int32_t format, const SkyWriteOptions& o, std::string* out) {
  if (!ValidFormat(format)) return SKY_ERR_PARAMETER;
  if (o.size < sizeof(SkyWriteOptions)) return SKY_ERR_PARAMETER;
  if (o.pngInterlace != 0) return SKY_ERR_OPTION;
  if (o.tiffCompression != 0 && o.tiffCompression != SKY_TIFF_NONE) return SKY_ERR_OPTION;
  if (o.jpegQuality < 1 || o.jpegQuality > 100 || o.jpegSmoothing < 0 || o.jpegSmoothing > 100)
    return SKY_ERR_OPTION;
  int bits = o.bits;
  if (bits == 0)
    bits = src.indexed && src.palette.size() <= 2 && format == SKY_FORMAT_PCX ? 1 : AutomaticBits(src);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return SKY_ERR_OPTION;
  if (format == SKY_FORMAT_JPEG) bits = 24;
  if (bits == 1 && format != SKY_FORMAT_PCX) return SKY_ERR_OPTION;
  if (format == SKY_FORMAT_GIF && bits == 24) bits = 8;

  Picture pic;
  if (int e = ConvertDepth(src, bits, o.dither != 0, nullptr, 0, &pic)) return e;
  if (format == SKY_FORMAT_PCX) return PcxEncode(pic, bits, out);
  if (format == SKY_FORMAT_JPEG) Smooth(&pic, o.jpegSmoothing);
  if (format == SKY_FORMAT_GIF) bits = 8;  // a 16-colour picture is stored one index per byte
  return WicEncode(pic, bits, SkyFormat(format), o, out);
}

int WritePicture(const char* file, int32_t format, const BITMAPINFO* info, const void* bits,
                 const SkyWriteOptions* options) {
  if (!options || !file || !*file) return SKY_ERR_PARAMETER;
  Picture src;
  if (int e = FromDib(info, bits, &src)) return e;
  std::string bytes;
  if (int e = EncodePicture(src, format, *options, &bytes)) return e;
  return SaveFile(file, bytes);
}

}  // namespace sky
