#include "zon_image.h"

#include "form.h"
#include "palette.h"

namespace zw {

TZonImage::TZonImage() {
  width = 105;
  height = 105;
}

TZonImage::~TZonImage() {
  if (icon_) DestroyIcon(icon_);
}

void TZonImage::SetPicture(const Bitmap& b) {
  if (icon_) DestroyIcon(icon_);
  icon_ = nullptr;
  picture_ = b;
  PictureChanged();
}

void TZonImage::SetPictureIcon(HICON icon) {
  picture_.Free();
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  PictureChanged();
}

void TZonImage::ClearPicture() {
  picture_.Free();
  if (icon_) DestroyIcon(icon_);
  icon_ = nullptr;
  PictureChanged();
}

void TZonImage::PictureChanged() {
  int pw = picture_.Width(), ph = picture_.Height();
  if (icon_) pw = ph = 32;
  if (autoSize_ && pw > 0 && ph > 0) SetSize(pw, ph);
  opaque_ = !picture_.Empty() && pw == width && ph == height;
  Invalidate();
}

void TZonImage::SetAutoSize(bool a) {
  autoSize_ = a;
  PictureChanged();
}

void TZonImage::SetTile(bool t) {
  tile_ = t;
  if (t) autoSize_ = false;
  Invalidate();
}

const char* const kImageCanvasError = "The image canvas needs a bitmap";

Bitmap& TZonImage::PictureForDrawing() {
  GetCanvas();
  return picture_;
}

Canvas* TZonImage::GetCanvas() {
  if (icon_) return nullptr;
  if (picture_.Empty()) {
    picture_.SetSize(width, height);
    PictureChanged();
  }
  return &picture_.canvas();
}

PropResult TZonImage::SetProperty(const std::string& p, const PropValue& v) {
  auto flag = [&](bool& f) {
    if (!v.IsBool()) return PropResult::BadValue;
    f = v.IsTrue();
    return PropResult::Ok;
  };
  if (p == "Picture") {
    Bitmap b;
    if (v.kind == PropValue::Number) b.SetSize(static_cast<int>(v.number), static_cast<int>(v.number));
    else if (!LoadPictureValue(v, b)) return PropResult::BadValue;
    SetPicture(b);
    return PropResult::Ok;
  }
  if (p == "AutoSize") {
    PropResult r = flag(autoSize_);
    PictureChanged();
    return r;
  }
  if (p == "Tile") {
    PropResult r = flag(tile_);
    if (tile_) autoSize_ = false;
    return r;
  }
  if (p == "Center") return flag(center);
  if (p == "Stretch") return flag(stretch);
  if (p == "Transparent") return flag(transparent);
  return TZonGraphicControl::SetProperty(p, v);
}

void TZonImage::Paint(Canvas& c) {
  SelectPalette(c);
  COLORREF back = parent ? parent->color : color;
  c.brush.style = BrushStyle::Solid;
  c.brush.color = back;
  if (PictureEmpty()) return;
  if (icon_) {
    int x = center ? (width - 32) / 2 : 0, y = center ? (height - 32) / 2 : 0;
    DrawIconEx(c.Handle(), x, y, icon_, stretch ? width : 0, stretch ? height : 0, 0, nullptr, DI_NORMAL);
    return;
  }
  int pw = picture_.Width(), ph = picture_.Height();
  Bitmap work;
  const Bitmap* src = &picture_;
  if (transparent) {
    // The picture over the parent's colour, its top-left pixel's colour left out.
    work.SetSize(pw, ph);
    work.Fill(back);
    work.canvas().CopyTransparent(RECT{0, 0, pw, ph}, picture_, RECT{0, 0, pw, ph}, picture_.Get(0, 0));
    src = &work;
  }
  if (tile_) {
    for (int y = 0; y < height; y += ph)
      for (int x = 0; x < width; x += pw) c.Draw(x, y, *src);
  } else if (transparent) {
    if (center) c.Draw((width - pw) / 2, (height - ph) / 2, *src);
    else c.Draw(0, 0, *src);
  } else if (stretch) {
    c.StretchDraw(RECT{0, 0, width, height}, picture_);
  } else if (center) {
    c.Draw((width - pw) / 2, (height - ph) / 2, picture_);
  } else {
    c.Draw(0, 0, picture_);
  }
}

HPALETTE TZonSpeedButton::GetPalette() const { return ThePalette().handle; }

void TZonSpeedButton::Paint(Canvas& c) {
  SpeedButton::Paint(c);
  if (auto* f = dynamic_cast<TZonForm*>(owner)) f->RealizePalette();
}

}  // namespace zw
