// TIconForm: one icon document, an MDI child holding a 32 x 32, 16-colour icon with its
// transparency mask, shown at actual size and magnified; mouse gestures on the magnified
// canvas become edits. The drawing tools' geometry lives in icon_tools.cpp.
#pragma once
#include <cstdint>
#include <string>

#include "icon_model.h"
#include "palette.h"
#include "slider.h"
#include "std_controls.h"
#include "zon_image.h"

namespace zwicon {

using namespace zw;
class TMainForm;

#define ZW_ICON_COMPONENTS(X)                                                                              \
  X(Panel, Panel1) X(Panel, Panel2) X(Panel, Panel3) X(Image, previewimage) X(Image, ImageMask)          \
  X(Image, UndoImage) X(Image, UndoMask) X(Image, SelectedImage) X(Image, SelectedMask) X(Image, Scratchpad) \
  X(Image, Image1) X(PaintBox, PaintBox1) X(PaintBox, PaintBox2) X(PaintBox, PaintBox3) X(TSlider, Slider1) \
  X(Label, Label1) X(Label, Label2) X(Label, Label3) X(TZonImage, ZonImage1) X(ScrollBox, ScrollBox1)
#define ZW_ICON_HANDLERS(X)                                                                                \
  X(Notify, FormCreate) X(CloseQuery, FormCloseQuery) X(Notify, FormClose) X(Notify, FormResize)          \
  X(Notify, FormActivate) X(KeyPress, FormKeyPress) X(Notify, PaintBox1Paint) X(Notify, ScrollBar1Change) \
  X(Mouse, PaintBox1MouseDown) X(MouseMove, PaintBox1MouseMove) X(Mouse, PaintBox1MouseUp)               \
  X(Notify, PaintBox1CaptureLost) X(Notify, PaintBox2Paint) X(Notify, PaintBox3Paint)                    \
  X(Mouse, PaintBox2MouseDown) X(MouseMove, PaintBox2MouseMove) X(Mouse, PaintBox2MouseUp)               \
  X(Mouse, PaintBox3MouseDown) X(MouseMove, PaintBox3MouseMove) X(Mouse, PaintBox3MouseUp)

class TIconForm : public TZonForm {
 public:
  // State.
  uint8_t Magnify = 8;
  bool Drawing = false, DraggingSelection = false, Pasted = false, Typing = false, Floating = false;
  bool Modified = false, UndoAvailable = false;
  uint8_t ShowGrid = 1;
  uint8_t PixelIndex[32][32]{};
  uint8_t PixelTransparent[32][32]{};
  COLORREF Palette[16]{};
  RECT SelectionRect{};
  RECT DragRect{};
  POINT FrameAnchor{};
  std::string TypedText;
  COLORREF TransparentColor = RGB(255, 255, 255);
  // The picture as it was before the selection was cut, kept with the selection.
  Bitmap CutBaseImage, CutBaseMask;

  // Components, handlers and the name table.
  ZW_FORM_MEMBERS(ZW_ICON_COMPONENTS, ZW_ICON_HANDLERS)
  // Loads the description and creates the document window inside the main window.
  static TIconForm* Make(TMainForm& main);

  Bitmap& Picture() { return previewimage->picture; }
  Bitmap& Mask() { return ImageMask->picture; }
  IconData Data() const;

  // Operations.
  void SmallIcon(int& x, int& y, RECT& r) const;
  RECT MagnifiedRect() const;
  void DisplayMagnifiedIcon(const RECT& r);
  void DisplayGrid();
  void UpdateMask();
  void UpdateTransMask();
  void UpdateIcon();
  void ClearMask(const RECT& r, COLORREF colour);
  void PutPixel(int x, int y);
  void MouseClipping();
  void Redraw() { DisplayMagnifiedIcon(MagnifiedRect()); }
  bool SaveIcon(const std::string& file);
  void TakeSnapshot();
  void DoUndo();

  // Drawing tools and transformations (icon_tools.cpp).
  void RubberBandShape();
  void RubberBandLine();
  void RubberBandSelection();
  void ShapeUp();
  void LineUp();
  void IconFill(int x, int y, COLORREF c);
  void PointerUp(ShiftState s);
  void CutSelection();
  void MakeTransparent(const RECT& r);
  void PlaceClippedRegion();
  void TextUp(int x, int y);
  void RenderText();
  void ShowFrames(bool show);
  void PositionFrames();
  void PaintFrames(bool switchStyle);
  void FlipHorizontal();
  void FlipVertical();
  void Rotate();
  void Invert();
  void Clear();
  void Shift(int segment);
  void SelectAll();

 private:
  TMainForm& Main() const;
  bool cursorHidden_ = false;
  bool wasIconic_ = false;
  PenStyle frameStyle_ = PenStyle::Dot;
  void HideCursor();
  void ShowCursorAgain();
};

}  // namespace zwicon
