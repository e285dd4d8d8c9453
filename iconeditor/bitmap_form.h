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

class TBitMapForm : public TZonForm {
 public:
  static const FormTable& Table();
  bool Make();

  Panel *Panel1 = nullptr, *Panel2 = nullptr;
  ScrollBox* ScrollBox1 = nullptr;
  TZonImage* Image1 = nullptr;
  PaintBox* PaintBox1 = nullptr;
  Button *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr;
  Timer* Timer1 = nullptr;
  sw::TPMultiImage PMultiImage1;

  bool dragging = false;
  POINT anchor{0, 0};
  PenStyle frameStyle = PenStyle::Dot;

  // Reads the picture and shows it at its natural size.
  void LoadPicture(const std::string& file);
  // Copies the block under the frame into `picture` at (0, 0, 32, 32); opaque white where the
  // frame lies beyond the picture.
  void CopyFrameBlock(Bitmap& picture) const;

  void PaintBox1Paint(Component*);
  void Timer1Timer(Component*);
  void PaintBox1MouseDown(Component*, MouseButton, ShiftState, int x, int y);
  void PaintBox1MouseMove(Component*, ShiftState, int x, int y);
  void PaintBox1MouseUp(Component*, MouseButton, ShiftState, int x, int y);
  void PaintBox1DblClick(Component*);
  void Image1MouseUp(Component*, MouseButton, ShiftState, int x, int y);
  void BitBtn3Click(Component*);

 private:
  void DrawFrame();
  files::AlertHost host_;
};

// Open's import of a picture file: the dialog, and on OK a new "Untitled" document made of the
// block under the frame (colours normalised, every pixel opaque).
void ImportClick(TMainForm& main, const std::string& file);

}  // namespace zwicon
