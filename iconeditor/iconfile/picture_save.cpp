#include "picture_save.h"

#include "handles.h"
#include "paths.h"

namespace zwicon::files {

using sw::GdiObject;
using sw::MemoryDC;

std::string UpperExtension(const std::string& fileName) {
  return sw::UpperExtension(fileName, sw::kSlashesAndDrive);
}

SaveKind SaveKindFor(const std::string& fileName) {
  static const struct {
    const char* ext;
    SaveKind kind;
  } kTable[] = {{".BMP", SaveKind::Bmp}, {".PNG", SaveKind::Png}, {".JPG", SaveKind::Jpeg},
                {".TIF", SaveKind::Tiff}, {".PCX", SaveKind::Pcx}, {".ICO", SaveKind::Icon}};
  std::string e = UpperExtension(fileName);
  for (const auto& t : kTable)
    if (e == t.ext) return t.kind;
  return SaveKind::Unknown;
}

bool WritePicture(sw::TPMultiImage& image, const zw::Bitmap& picture, SaveKind kind, const std::string& file) {
  if (kind == SaveKind::Icon || kind == SaveKind::Unknown || picture.Empty()) return false;
  // The picture's bitmap is selected into its own context; the component copies from a free one.
  HDC screen = GetDC(nullptr);
  GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen, picture.Width(), picture.Height()));
  ReleaseDC(nullptr, screen);
  if (!copy) return false;
  {
    MemoryDC dc;
    dc.Select(copy.get());
    BitBlt(dc.get(), 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
  }
  if (!image.Assign(copy.get())) return false;
  const bool dithering = image.Dithering();
  image.SetDithering(false);
  bool ok = false;
  switch (kind) {
    case SaveKind::Bmp: ok = image.WriteBmp(file); break;
    case SaveKind::Png: ok = image.WritePng(file); break;
    case SaveKind::Jpeg: ok = image.WriteJpeg(file); break;
    case SaveKind::Tiff: ok = image.WriteTiff(file); break;
    case SaveKind::Pcx: ok = image.WritePcx(file); break;
    default: break;
  }
  image.SetDithering(dithering);
  return ok;
}

}  // namespace zwicon::files
