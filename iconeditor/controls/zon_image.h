// TZonImage: a picture control with transparency, centring, stretching and tiling; and
// TZonSpeedButton, the speed button that realises the shared palette after painting.
#pragma once
#include <exception>

#include "std_controls.h"
#include "zon_button.h"

namespace zw {

// The error of TZonImage::GetCanvas for a picture that is not a bitmap.
extern const char* const kImageCanvasError;

class TZonImage : public TZonGraphicControl {
 public:
  TZonImage();
  ~TZonImage() override;

  // The picture: a bitmap, or an icon (a graphic that is not a bitmap), or nothing.
  const Bitmap& PictureBitmap() const { return picture_; }
  HICON PictureIcon() const { return icon_; }
  bool PictureEmpty() const { return picture_.Empty() && !icon_; }
  void SetPicture(const Bitmap& b);
  void SetPictureIcon(HICON icon);  // takes ownership
  void ClearPicture();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool a);
  bool Tile() const { return tile_; }
  void SetTile(bool t);  // turns AutoSize off
  bool center = false, stretch = false, transparent = false;
  void SetCenter(bool v) { center = v; Invalidate(); }
  void SetStretch(bool v) { stretch = v; Invalidate(); }
  void SetTransparent(bool v) { transparent = v; Invalidate(); }
  bool Opaque() const { return opaque_; }

  // The picture's bitmap canvas: an empty picture first becomes a bitmap of the control's size;
  // for a picture that is not a bitmap the result is null and the caller reports
  // kImageCanvasError.
  Canvas* GetCanvas();
  Bitmap& PictureForDrawing();

  void Paint(Canvas& c) override;
  PropResult SetProperty(const std::string& p, const PropValue& v) override;

 private:
  void PictureChanged();
  Bitmap picture_;
  HICON icon_ = nullptr;
  bool autoSize_ = false, tile_ = false, opaque_ = false;
};

class TZonSpeedButton : public SpeedButton {
 public:
  HPALETTE GetPalette() const;
  void Paint(Canvas& c) override;
};

}  // namespace zw
