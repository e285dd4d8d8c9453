#include "wic_codec.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

namespace sky {
namespace {

// COM for the duration of one call; another apartment model already set up is used as it is.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

// Owns one COM interface pointer.
template <class T>
class Ref {
 public:
  Ref() = default;
  ~Ref() {
    if (p_) p_->Release();
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

const GUID& Container(SkyFormat f) {
  switch (f) {
    case SKY_FORMAT_BMP:
      return GUID_ContainerFormatBmp;
    case SKY_FORMAT_JPEG:
      return GUID_ContainerFormatJpeg;
    case SKY_FORMAT_PNG:
      return GUID_ContainerFormatPng;
    case SKY_FORMAT_GIF:
      return GUID_ContainerFormatGif;
    default:
      return GUID_ContainerFormatTiff;
  }
}

bool CreateFactory(IWICImagingFactory** factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(factory)));
}

int IndexedBits(const WICPixelFormatGUID& f) {
  if (f == GUID_WICPixelFormat1bppIndexed) return 1;
  if (f == GUID_WICPixelFormat2bppIndexed) return 2;
  if (f == GUID_WICPixelFormat4bppIndexed) return 4;
  if (f == GUID_WICPixelFormat8bppIndexed) return 8;
  return 0;
}

// Reads an indexed frame at its own depth and unpacks it to one byte per pixel.
int ReadIndexed(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int bits, Picture* out) {
  Ref<IWICPalette> palette;
  UINT count = 0;
  WICColor colours[256];
  if (FAILED(factory->CreatePalette(&palette)) || FAILED(frame->CopyPalette(palette.get())) ||
      FAILED(palette->GetColors(256, colours, &count)) || count == 0)
    return SKY_ERR_PALETTE;
  for (UINT i = 0; i < count; ++i)
    out->palette.push_back(
        RGBQUAD{uint8_t(colours[i]), uint8_t(colours[i] >> 8), uint8_t(colours[i] >> 16), 0});
  const size_t stride = ((size_t(out->width) * bits + 31) / 32) * 4;
  std::vector<uint8_t> packed;
  try {
    packed.resize(stride * size_t(out->height));
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  if (FAILED(frame->CopyPixels(nullptr, UINT(stride), UINT(packed.size()), packed.data())))
    return SKY_ERR_DECODE;
  const int perByte = 8 / bits;
  const uint8_t mask = uint8_t((1 << bits) - 1);
  for (int32_t y = 0; y < out->height; ++y) {
    const uint8_t* src = packed.data() + stride * size_t(y);
    uint8_t* dst = out->Row(y);
    for (int32_t x = 0; x < out->width; ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      uint8_t v = uint8_t((src[x / perByte] >> shift) & mask);
      dst[x] = v < count ? v : uint8_t(count - 1);
    }
  }
  return 0;
}

// Converts any other frame to 32-bit BGRA and lays it over white.
int ReadConverted(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, Picture* out) {
  Ref<IWICFormatConverter> conv;
  if (FAILED(factory->CreateFormatConverter(&conv)) ||
      FAILED(conv->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom)))
    return SKY_ERR_DECODE;
  const size_t stride = size_t(out->width) * 4;
  std::vector<uint8_t> bgra;
  try {
    bgra.resize(stride * size_t(out->height));
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  if (FAILED(conv->CopyPixels(nullptr, UINT(stride), UINT(bgra.size()), bgra.data()))) return SKY_ERR_DECODE;
  for (int32_t y = 0; y < out->height; ++y) {
    const uint8_t* src = bgra.data() + stride * size_t(y);
    uint8_t* dst = out->Row(y);
    for (int32_t x = 0; x < out->width; ++x) {
      const unsigned a = src[4 * x + 3];
      for (int i = 0; i < 3; ++i)
        dst[3 * x + i] = uint8_t((src[4 * x + i] * a + 255 * (255 - a) + 127) / 255);
    }
  }
  return 0;
}

HRESULT WriteProperty(IPropertyBag2* bag, const wchar_t* name, VARIANT value) {
  PROPBAG2 option = {};
  option.pstrName = const_cast<LPOLESTR>(name);
  return bag->Write(1, &option, &value);
}

}  // namespace

bool HasMagic(const uint8_t* d, size_t n, SkyFormat format) {
  switch (format) {
    case SKY_FORMAT_BMP:
      return n >= 2 && d[0] == 'B' && d[1] == 'M';
    case SKY_FORMAT_JPEG:
      return n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
    case SKY_FORMAT_PNG:
      return n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1A\n", 8) == 0;
    case SKY_FORMAT_GIF:
      return n >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0);
    case SKY_FORMAT_TIFF:
      return n >= 4 && (std::memcmp(d, "II*\0", 4) == 0 || std::memcmp(d, "MM\0*", 4) == 0);
    default:
      return false;
  }
}

int WicDecode(const uint8_t* data, size_t size, SkyFormat format, Picture* out) {
  if (!HasMagic(data, size, format)) return size < 8 ? SKY_ERR_TRUNCATED : SKY_ERR_FORMAT;
  if (size > 0xFFFFFFFFu) return SKY_ERR_TOO_LARGE;
  ComScope com;
  Ref<IWICImagingFactory> factory;
  if (!CreateFactory(&factory)) return SKY_ERR_CODECS;
  Ref<IWICStream> stream;
  Ref<IWICBitmapDecoder> decoder;
  Ref<IWICBitmapFrameDecode> frame;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size))))
    return SKY_ERR_MEMORY;
  if (FAILED(factory->CreateDecoder(Container(format), nullptr, &decoder))) return SKY_ERR_CODECS;
  if (FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
      FAILED(decoder->GetFrame(0, &frame)))
    return SKY_ERR_DECODE;
  UINT w = 0, h = 0;
  WICPixelFormatGUID pf;
  if (FAILED(frame->GetSize(&w, &h)) || FAILED(frame->GetPixelFormat(&pf))) return SKY_ERR_DECODE;
  if (w > UINT(kMaxSide) || h > UINT(kMaxSide)) return SKY_ERR_TOO_LARGE;
  const int bits = IndexedBits(pf);
  if (int e = Allocate(out, int32_t(w), int32_t(h), bits != 0)) return e;
  out->sourceBits = bits ? bits : 24;
  return bits ? ReadIndexed(factory.get(), frame.get(), bits, out)
              : ReadConverted(factory.get(), frame.get(), out);
}

int WicEncode(const Picture& pic, int bits, SkyFormat format, const SkyWriteOptions& options,
              std::string* out) {
  ComScope com;
  Ref<IWICImagingFactory> factory;
  if (!CreateFactory(&factory)) return SKY_ERR_CODECS;
  Ref<IStream> memory;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &memory))) return SKY_ERR_MEMORY;
  Ref<IWICBitmapEncoder> encoder;
  Ref<IWICBitmapFrameEncode> frame;
  Ref<IPropertyBag2> props;
  if (FAILED(factory->CreateEncoder(Container(format), nullptr, &encoder))) return SKY_ERR_CODECS;
  if (FAILED(encoder->Initialize(memory.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &props)))
    return SKY_ERR_ENCODE;

  VARIANT v;
  VariantInit(&v);
  if (format == SKY_FORMAT_PNG) {
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_FALSE;
    WriteProperty(props.get(), L"InterlaceOption", v);
  } else if (format == SKY_FORMAT_TIFF) {
    v.vt = VT_UI1;
    v.bVal = WICTiffCompressionNone;
    if (FAILED(WriteProperty(props.get(), L"TiffCompressionMethod", v))) return SKY_ERR_OPTION;
  } else if (format == SKY_FORMAT_JPEG) {
    v.vt = VT_R4;
    v.fltVal = float(options.jpegQuality) / 100.0f;
    WriteProperty(props.get(), L"ImageQuality", v);
  }
  if (FAILED(frame->Initialize(props.get())) || FAILED(frame->SetSize(UINT(pic.width), UINT(pic.height))))
    return SKY_ERR_ENCODE;

  const WICPixelFormatGUID wanted = bits == 1   ? GUID_WICPixelFormat1bppIndexed
                                    : bits == 4 ? GUID_WICPixelFormat4bppIndexed
                                    : bits == 8 ? GUID_WICPixelFormat8bppIndexed
                                                : GUID_WICPixelFormat24bppBGR;
  WICPixelFormatGUID pf = wanted;
  if (FAILED(frame->SetPixelFormat(&pf))) return SKY_ERR_ENCODE;
  if (pf != wanted) return SKY_ERR_DEPTH;  // the encoder cannot store this depth
  if (bits <= 8) {
    Ref<IWICPalette> palette;
    WICColor colours[256];
    const size_t n = pic.palette.size();
    for (size_t i = 0; i < n; ++i)
      colours[i] = 0xFF000000u | (uint32_t(pic.palette[i].rgbRed) << 16) | (pic.palette[i].rgbGreen << 8) |
                   pic.palette[i].rgbBlue;
    if (FAILED(factory->CreatePalette(&palette)) || FAILED(palette->InitializeCustom(colours, UINT(n))) ||
        FAILED(frame->SetPalette(palette.get())))
      return SKY_ERR_ENCODE;
  }
  // Pack the rows at the frame's depth, top row first.
  const size_t stride = ((size_t(pic.width) * bits + 31) / 32) * 4;
  std::vector<uint8_t> packed;
  try {
    packed.assign(stride * size_t(pic.height), 0);
  } catch (...) {
    return SKY_ERR_MEMORY;
  }
  for (int32_t y = 0; y < pic.height; ++y) {
    const uint8_t* src = pic.Row(y);
    uint8_t* dst = packed.data() + stride * size_t(y);
    if (bits == 24) {
      std::memcpy(dst, src, size_t(pic.width) * 3);
      continue;
    }
    const int perByte = 8 / bits;
    for (int32_t x = 0; x < pic.width; ++x)
      dst[x / perByte] |= uint8_t(src[x] << (8 - bits * (x % perByte + 1)));
  }
  if (FAILED(frame->WritePixels(UINT(pic.height), UINT(stride), UINT(packed.size()), packed.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return SKY_ERR_ENCODE;

  HGLOBAL mem = nullptr;
  STATSTG stat = {};
  if (FAILED(GetHGlobalFromStream(memory.get(), &mem)) || FAILED(memory->Stat(&stat, STATFLAG_NONAME)))
    return SKY_ERR_ENCODE;
  const void* bytes = GlobalLock(mem);
  if (!bytes) return SKY_ERR_MEMORY;
  try {
    out->assign(static_cast<const char*>(bytes), size_t(stat.cbSize.QuadPart));
  } catch (...) {
    GlobalUnlock(mem);
    return SKY_ERR_MEMORY;
  }
  GlobalUnlock(mem);
  return 0;
}

}  // namespace sky
