// TBitMapForm: the import dialog. It shows a picture read through the imaging component with a
// 32 x 32 frame (marching ants) the user moves over it; OK makes a new document of the block
// under the frame.
#pragma once
#include <string>

#include "imaging_component.h"
#include "palette.h"
#include "std_controls.h"
#include "zon_image.h"

namespace zwicon {

class TMainForm;
class TIconForm;
using namespace zw;

#define ZW_BITMAP_COMPONENTS(X)                                                                            \
  X(Panel, Panel1) X(Panel, Panel2) X(ScrollBox, ScrollBox1) X(TZonImage, Image1) X(PaintBox, PaintBox1) \
  X(Button, BitBtn1) X(Button, BitBtn2) X(Button, BitBtn3) X(Timer, Timer1)
#define ZW_BITMAP_HANDLERS(X)                                                                            \
  X(Notify, PaintBox1Paint) X(Notify, Timer1Timer) X(Mouse, PaintBox1MouseDown) X(MouseMove, PaintBox1MouseMove) \
  X(Mouse, PaintBox1MouseUp) X(Notify, PaintBox1DblClick) X(Mouse, Image1MouseUp) X(Notify, BitBtn3Click)

class TBitMapForm : public TZonForm {
 public:
  ZW_FORM_MEMBERS(ZW_BITMAP_COMPONENTS, ZW_BITMAP_HANDLERS)
  bool Make();

  sw::TPMultiImage PMultiImage1;

  bool dragging = false;
  POINT anchor{0, 0};
  PenStyle frameStyle = PenStyle::Dot;

  // Reads the picture and shows it at its natural size.
  void LoadPicture(const std::string& file);
  // Copies the block under the frame into `picture` at (0, 0, 32, 32); opaque white where the
  // frame lies beyond the picture.
  void CopyFrameBlock(Bitmap& picture) const;

 private:
  void DrawFrame();
  files::AlertHost host_;
};

// Open's import of a picture file: the dialog, and on OK a new "Untitled" document made of the
// block under the frame (colours normalised, every pixel opaque).
void ImportClick(TMainForm& main, const std::string& file);

}  // namespace zwicon
