// TPMultiImage: the icon editor's imaging component. It holds one picture (a bitmap and its
// palette), reads it from a picture file when its image name is set (the reader chosen by the
// file's extension) and writes it to picture files, all through the imaging library SKY32V3C.DLL
// bound at run time. Failures are shown in an error box followed by an information box, through
// a host the editor replaces with its own alert boxes.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging_library.h"

namespace sw {

// The depth a picture is written at on a display of `displayBits` per pixel.
int WriteDepthForDisplay(int displayBits);

class TPMultiImage {
 public:
  // Colour resolution of reads and writes; Automatic reads at the picture's own depth and writes
  // BMP, PCX, PNG and TIFF at the display's depth.
  enum class Resolution { Automatic = 0, Colors16 = 4, Colors256 = 8, TrueColor = 24 };

  // What the component shows or asks of the desktop; the default uses message boxes and the
  // screen's depth.
  class Host {
   public:
    virtual ~Host() = default;
    virtual void ErrorBox(const std::string& text);
    virtual void InfoBox(const std::string& text);
    virtual int DisplayBits();
  };

  TPMultiImage();
  ~TPMultiImage();
  TPMultiImage(const TPMultiImage&) = delete;
  TPMultiImage& operator=(const TPMultiImage&) = delete;

  // Null restores the default host. The host must outlive the component.
  void SetHost(Host* host);
  // Where the imaging library is loaded from (default: by file name). Set before the first use.
  void SetLibraryPath(const std::string& path);

  // Setting the image name reads the picture (see the .cpp for the readers by extension).
  const std::string& ImageName() const { return imageName_; }
  void SetImageName(const std::string& name);
  const std::string& StatusText() const { return status_; }

  Resolution ReadResolution() const { return readResolution_; }
  void SetReadResolution(Resolution r) { readResolution_ = r; }
  Resolution WriteResolution() const { return writeResolution_; }
  void SetWriteResolution(Resolution r) { writeResolution_ = r; }
  bool Dithering() const { return dithering_; }
  void SetDithering(bool on) { dithering_ = on; }
  int JpegQuality() const { return jpegQuality_; }
  void SetJpegQuality(int q) { jpegQuality_ = q < 1 ? 1 : q > 100 ? 100 : q; }
  int JpegSmoothing() const { return jpegSmoothing_; }
  void SetJpegSmoothing(int s) { jpegSmoothing_ = s < 0 ? 0 : s > 100 ? 100 : s; }
  int TiffCompression() const { return tiffCompression_; }
  void SetTiffCompression(int code) { tiffCompression_ = code; }
  // The palette reads reduce colours to (the application's palette); not owned. Null: none.
  void SetReadPalette(HPALETTE palette) { readPalette_ = palette; }
  // The module whose bitmap resources ".RES" names refer to (default: the program).
  void SetResourceModule(HMODULE module) { resourceModule_ = module; }

  // The picture: a device-independent bitmap owned by the component, and its palette (null for
  // true-colour pictures).
  HBITMAP Bitmap() const { return bitmap_; }
  HPALETTE Palette() const { return palette_; }
  int Width() const;
  int Height() const;
  int BitsPerPixel() const;
  bool Empty() const { return bitmap_ == nullptr; }
  void Clear();
  // Makes the picture a true-colour copy of `source`; false when it cannot be copied.
  bool Assign(HBITMAP source);

  // Write the picture; false after the failure boxes were shown.
  bool WriteBmp(const std::string& file);
  bool WritePng(const std::string& file);
  bool WriteJpeg(const std::string& file);
  bool WriteTiff(const std::string& file);
  bool WritePcx(const std::string& file);
  bool WriteGif(const std::string& file);

 private:
  bool ReadWithLibrary(const std::string& file, int32_t format, const char* failed);
  bool ReadResourceBitmap(const std::string& name);
  bool LoadPlatformPicture(const std::string& file, const std::string& ext);
  bool TakeDib(HGLOBAL dib, HPALETTE palette);
  bool TakeDibBits(const BITMAPINFO* info, const void* bits);
  bool Write(const std::string& file, int32_t format, int bits, const char* failed);
  bool LibraryReady(const char* failed);
  int ScreenWriteBits();
  void Fail(const std::string& error, const char* failed);
  std::vector<RGBQUAD> ReadPaletteColours() const;
  Host& host() { return host_ ? *host_ : defaultHost_; }

  std::unique_ptr<ImagingLibrary> library_;
  std::string libraryPath_;
  Host defaultHost_;
  Host* host_ = nullptr;

  std::string imageName_;
  std::string status_;
  Resolution readResolution_ = Resolution::Automatic;
  Resolution writeResolution_ = Resolution::Automatic;
  bool dithering_ = true;
  int jpegQuality_ = 75;
  int jpegSmoothing_ = 0;
  int tiffCompression_ = SKY_TIFF_NONE;
  HPALETTE readPalette_ = nullptr;
  HMODULE resourceModule_ = nullptr;

  HBITMAP bitmap_ = nullptr;
  HPALETTE palette_ = nullptr;
  std::vector<uint8_t> info_;  // BITMAPINFOHEADER and colour table of bitmap_
  void* bits_ = nullptr;       // bitmap_'s pixel rows
};

}  // namespace sw
