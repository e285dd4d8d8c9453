#include "multi_image.h"

#include <algorithm>
#include <cstring>

#include "handles.h"
#include "paths.h"

namespace sw {
namespace {

const char kNotFound[] = "file not found";
const char kNonLibraryImage[] = "Non TIF, JPeg, BMP, GIF, PNG or PCX Image";
const char kMissingLibrary[] = "The imaging library SKY32V3C.DLL could not be loaded.";

bool FileExists(const std::string& name) {
  const DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// A true-colour DIB section filled with white; returns null on failure.
HBITMAP CreateWhiteBitmap(int w, int h, std::vector<uint8_t>* info, void** bits) {
  info->assign(sizeof(BITMAPINFOHEADER), 0);
  auto* bh = reinterpret_cast<BITMAPINFOHEADER*>(info->data());
  bh->biSize = sizeof(BITMAPINFOHEADER);
  bh->biWidth = w;
  bh->biHeight = h;
  bh->biPlanes = 1;
  bh->biBitCount = 24;
  bh->biCompression = BI_RGB;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info->data()), DIB_RGB_COLORS, bits,
                                 nullptr, 0);
  if (bmp) std::memset(*bits, 0xFF, ((size_t(w) * 24 + 31) / 32) * 4 * size_t(h));
  return bmp;
}

}  // namespace

int WriteDepthForDisplay(int displayBits) {
  if (displayBits <= 4) return 4;
  if (displayBits <= 15) return 8;
  return 24;
}

void TPMultiImage::Host::ErrorBox(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

void TPMultiImage::Host::InfoBox(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), "Information", MB_OK | MB_ICONINFORMATION);
}

int TPMultiImage::Host::DisplayBits() {
  HDC dc = GetDC(nullptr);
  const int bits = dc ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 24;
  if (dc) ReleaseDC(nullptr, dc);
  return bits;
}

TPMultiImage::TPMultiImage() = default;

TPMultiImage::~TPMultiImage() { Clear(); }

void TPMultiImage::SetHost(Host* host) { host_ = host; }

void TPMultiImage::SetLibraryPath(const std::string& path) {
  libraryPath_ = path;
  library_.reset();
}

void TPMultiImage::Clear() {
  if (bitmap_) DeleteObject(bitmap_);
  if (palette_) DeleteObject(palette_);
  bitmap_ = nullptr;
  palette_ = nullptr;
  bits_ = nullptr;
  info_.clear();
}

int TPMultiImage::Width() const {
  return info_.empty() ? 0 : reinterpret_cast<const BITMAPINFOHEADER*>(info_.data())->biWidth;
}

int TPMultiImage::Height() const {
  if (info_.empty()) return 0;
  const LONG h = reinterpret_cast<const BITMAPINFOHEADER*>(info_.data())->biHeight;
  return h < 0 ? -h : h;
}

int TPMultiImage::BitsPerPixel() const {
  return info_.empty() ? 0 : reinterpret_cast<const BITMAPINFOHEADER*>(info_.data())->biBitCount;
}

// Reads the picture named `name`, choosing the reader by the upper-cased extension:
// ".BMP"/".THB" BMP, ".JPG"/".THJ" JPEG, ".PNG", ".GIF", ".TIF", ".PCX" their readers, ".RES" a
// bitmap resource of the resource module named like the file, ".ICO" and ".WMF" the platform's
// own picture loading. Any other extension loads nothing.
void TPMultiImage::SetImageName(const std::string& name) {
  imageName_ = name.substr(0, MAX_PATH - 1);
  status_.clear();
  Clear();
  const std::string ext = UpperExtension(imageName_, kSlashesAndDrive);
  if (ext == ".RES") {
    ReadResourceBitmap(imageName_);
    return;
  }
  if (!FileExists(imageName_)) {
    status_ = kNotFound;
    return;
  }
  if (ext == ".BMP" || ext == ".THB")
    ReadWithLibrary(imageName_, SKY_FORMAT_BMP, "Reading bmp file failed");
  else if (ext == ".JPG" || ext == ".THJ")
    ReadWithLibrary(imageName_, SKY_FORMAT_JPEG, "Reading jpg file failed");
  else if (ext == ".PNG")
    ReadWithLibrary(imageName_, SKY_FORMAT_PNG, "Reading png file failed");
  else if (ext == ".GIF")
    ReadWithLibrary(imageName_, SKY_FORMAT_GIF, "Reading gif file failed");
  else if (ext == ".TIF")
    ReadWithLibrary(imageName_, SKY_FORMAT_TIFF, "Reading tif file failed");
  else if (ext == ".PCX")
    ReadWithLibrary(imageName_, SKY_FORMAT_PCX, "Reading pcx file failed");
  else if (ext == ".ICO" || ext == ".WMF") {
    status_ = kNonLibraryImage;
    LoadPlatformPicture(imageName_, ext);
  }
}

std::vector<RGBQUAD> TPMultiImage::ReadPaletteColours() const {
  std::vector<RGBQUAD> out;
  if (!readPalette_) return out;
  PALETTEENTRY entries[256];
  const UINT n = GetPaletteEntries(readPalette_, 0, 256, entries);
  for (UINT i = 0; i < n && i < 256; ++i)
    out.push_back(RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
  return out;
}

bool TPMultiImage::LibraryReady(const char* failed) {
  if (!library_) library_ = std::make_unique<ImagingLibrary>(libraryPath_);
  if (library_->Load()) return true;
  Fail(kMissingLibrary, failed);
  return false;
}

void TPMultiImage::Fail(const std::string& error, const char* failed) {
  status_ = error;
  host().ErrorBox(error);
  host().InfoBox(failed);
}

bool TPMultiImage::ReadWithLibrary(const std::string& file, int32_t format, const char* failed) {
  if (!LibraryReady(failed)) return false;
  const std::vector<RGBQUAD> colours = ReadPaletteColours();
  HGLOBAL dib = nullptr;
  HPALETTE pal = nullptr;
  const int32_t r =
      library_->read(file.c_str(), format, int32_t(readResolution_), dithering_ ? 1 : 0,
                     colours.empty() ? nullptr : colours.data(), int32_t(colours.size()), &dib, &pal);
  if (r <= 0) {
    Fail(library_->ErrorText(r), failed);
    return false;
  }
  return TakeDib(dib, pal);
}

bool TPMultiImage::ReadResourceBitmap(const std::string& name) {
  const char* failed = "Reading resource file failed";
  if (!LibraryReady(failed)) return false;
  // The resource is named like the file without folder and extension.
  const std::string resource = FileStem(name, kSlashesAndDrive);
  const std::vector<RGBQUAD> colours = ReadPaletteColours();
  HGLOBAL dib = nullptr;
  HPALETTE pal = nullptr;
  HMODULE module = resourceModule_ ? resourceModule_ : GetModuleHandleA(nullptr);
  const int32_t r =
      library_->readResource(module, resource.c_str(), int32_t(readResolution_), dithering_ ? 1 : 0,
                             colours.empty() ? nullptr : colours.data(), int32_t(colours.size()), &dib, &pal);
  if (r <= 0) {
    Fail(library_->ErrorText(r), failed);
    return false;
  }
  return TakeDib(dib, pal);
}

bool TPMultiImage::TakeDib(HGLOBAL dib, HPALETTE pal) {
  const auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
  bool ok = false;
  if (p) {
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const size_t colours =
        h->biBitCount <= 8 ? (h->biClrUsed ? h->biClrUsed : (size_t(1) << h->biBitCount)) : 0;
    ok = TakeDibBits(reinterpret_cast<const BITMAPINFO*>(p), p + h->biSize + colours * sizeof(RGBQUAD));
    GlobalUnlock(dib);
  }
  GlobalFree(dib);
  if (ok)
    palette_ = pal;
  else if (pal)
    DeleteObject(pal);
  return ok;
}

bool TPMultiImage::TakeDibBits(const BITMAPINFO* info, const void* bits) {
  Clear();
  const BITMAPINFOHEADER& h = info->bmiHeader;
  const size_t colours = h.biBitCount <= 8 ? (h.biClrUsed ? h.biClrUsed : (size_t(1) << h.biBitCount)) : 0;
  info_.assign(reinterpret_cast<const uint8_t*>(info),
               reinterpret_cast<const uint8_t*>(info) + h.biSize + colours * sizeof(RGBQUAD));
  bitmap_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info_.data()), DIB_RGB_COLORS, &bits_,
                             nullptr, 0);
  if (!bitmap_) {
    Clear();
    return false;
  }
  const size_t stride = ((size_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
  std::memcpy(bits_, bits, stride * size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight));
  return true;
}

bool TPMultiImage::Assign(HBITMAP source) {
  Clear();
  BITMAP bm;
  if (!source || !GetObjectA(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  bitmap_ = CreateWhiteBitmap(bm.bmWidth, bm.bmHeight, &info_, &bits_);
  if (!bitmap_) {
    Clear();
    return false;
  }
  MemoryDC from(source), to(bitmap_);
  BitBlt(to.get(), 0, 0, bm.bmWidth, bm.bmHeight, from.get(), 0, 0, SRCCOPY);
  GdiFlush();
  return true;
}

// Icons are drawn over white at their own size; metafiles are played at 96 pixels per inch of
// their placeable header's frame (or of their own extent without one).
bool TPMultiImage::LoadPlatformPicture(const std::string& file, const std::string& ext) {
  if (ext == ".ICO") {
    HICON icon = static_cast<HICON>(
        LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (!icon) return false;
    ICONINFO ii = {};
    BITMAP bm = {};
    if (GetIconInfo(icon, &ii)) {
      GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
      if (!ii.hbmColor) bm.bmHeight /= 2;
      if (ii.hbmColor) DeleteObject(ii.hbmColor);
      if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
    bool ok = bm.bmWidth > 0 && bm.bmHeight > 0;
    if (ok) bitmap_ = CreateWhiteBitmap(bm.bmWidth, bm.bmHeight, &info_, &bits_);
    if (bitmap_) {
      MemoryDC dc(bitmap_);
      DrawIconEx(dc.get(), 0, 0, icon, bm.bmWidth, bm.bmHeight, 0, nullptr, DI_NORMAL);
      GdiFlush();
    } else {
      Clear();
      ok = false;
    }
    DestroyIcon(icon);
    return ok;
  }
  // ".WMF"
  HANDLE f = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(f, nullptr);
  std::vector<uint8_t> data;
  DWORD got = 0;
  if (size != INVALID_FILE_SIZE && size <= (16u << 20)) {
    data.resize(size);
    if (!ReadFile(f, data.data(), size, &got, nullptr)) got = 0;
  }
  CloseHandle(f);
  if (got != size || size < 18) return false;
  size_t offset = 0;
  int w = 0, h = 0;
  if (size >= 22 && data[0] == 0xD7 && data[1] == 0xCD && data[2] == 0xC6 && data[3] == 0x9A) {
    auto s16 = [&](size_t at) { return int(int16_t(data[at] | (data[at + 1] << 8))); };
    const int inch = (data[14] | (data[15] << 8)) ? (data[14] | (data[15] << 8)) : 1440;
    w = (s16(10) - s16(6)) * 96 / inch;
    h = (s16(12) - s16(8)) * 96 / inch;
    offset = 22;
  }
  METAFILEPICT mfp = {MM_ANISOTROPIC, 0, 0, nullptr};
  HENHMETAFILE emf =
      SetWinMetaFileBits(UINT(size - offset), data.data() + offset, nullptr, offset ? &mfp : nullptr);
  if (!emf) return false;
  ENHMETAHEADER eh = {};
  GetEnhMetaFileHeader(emf, sizeof eh, &eh);
  if (w <= 0 || h <= 0) {
    w = eh.rclBounds.right - eh.rclBounds.left + 1;
    h = eh.rclBounds.bottom - eh.rclBounds.top + 1;
  }
  bool ok = w > 0 && h > 0 && w <= 8192 && h <= 8192;
  if (ok) bitmap_ = CreateWhiteBitmap(w, h, &info_, &bits_);
  if (bitmap_) {
    MemoryDC dc(bitmap_);
    RECT r = {0, 0, w, h};
    PlayEnhMetaFile(dc.get(), emf, &r);
    GdiFlush();
  } else {
    Clear();
    ok = false;
  }
  DeleteEnhMetaFile(emf);
  return ok;
}

bool TPMultiImage::Write(const std::string& file, int32_t format, int bits, const char* failed) {
  if (!LibraryReady(failed)) return false;
  if (!bitmap_) {
    Fail(library_->ErrorText(-SKY_ERR_PARAMETER), failed);
    return false;
  }
  GdiFlush();
  SkyWriteOptions o = {sizeof(SkyWriteOptions), bits,         dithering_ ? 1 : 0, 0,
                       tiffCompression_,        jpegQuality_, jpegSmoothing_};
  const int32_t r =
      library_->write(file.c_str(), format, reinterpret_cast<const BITMAPINFO*>(info_.data()), bits_, &o);
  if (r <= 0) {
    Fail(library_->ErrorText(r), failed);
    return false;
  }
  return true;
}

int TPMultiImage::ScreenWriteBits() {
  return writeResolution_ == Resolution::Automatic ? WriteDepthForDisplay(host().DisplayBits())
                                                   : int(writeResolution_);
}

// BMP, PCX, PNG and TIFF are written at the chosen resolution, or with Automatic at the depth the
// display rule gives; JPEG always at 24 bits, GIF at 8.
bool TPMultiImage::WriteBmp(const std::string& file) {
  return Write(file, SKY_FORMAT_BMP, ScreenWriteBits(), "Writing bmp file failed");
}

bool TPMultiImage::WritePng(const std::string& file) {
  return Write(file, SKY_FORMAT_PNG, ScreenWriteBits(), "Writing png file failed");
}

bool TPMultiImage::WriteJpeg(const std::string& file) {
  return Write(file, SKY_FORMAT_JPEG, 24, "Writing jpg file failed");
}

bool TPMultiImage::WriteTiff(const std::string& file) {
  return Write(file, SKY_FORMAT_TIFF, ScreenWriteBits(), "Writing tif file failed");
}

bool TPMultiImage::WritePcx(const std::string& file) {
  return Write(file, SKY_FORMAT_PCX, ScreenWriteBits(), "Writing pcx file failed");
}

bool TPMultiImage::WriteGif(const std::string& file) {
  return Write(file, SKY_FORMAT_GIF, 8, "Writing gif file failed");
}

}  // namespace sw
