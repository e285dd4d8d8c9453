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

  // Components.
  Panel *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr;
  Image *previewimage = nullptr, *ImageMask = nullptr, *UndoImage = nullptr, *UndoMask = nullptr,
        *SelectedImage = nullptr, *SelectedMask = nullptr, *Scratchpad = nullptr, *Image1 = nullptr;
  PaintBox *PaintBox1 = nullptr, *PaintBox2 = nullptr, *PaintBox3 = nullptr;
  TSlider* Slider1 = nullptr;
  Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
  TZonImage* ZonImage1 = nullptr;
  ScrollBox* ScrollBox1 = nullptr;

  static const FormTable& Table();
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

  // Handlers.
  void FormCreate(Component*);
  void FormCloseQuery(Component*, bool& canClose);
  void FormClose(Component*);
  void FormResize(Component*);
  void FormActivate(Component*);
  void FormKeyPress(Component*, char& key);
  void PaintBox1Paint(Component*);
  void ScrollBar1Change(Component*);
  void PaintBox1MouseDown(Component*, MouseButton b, ShiftState s, int x, int y);
  void PaintBox1MouseMove(Component*, ShiftState s, int x, int y);
  void PaintBox1MouseUp(Component*, MouseButton b, ShiftState s, int x, int y);
  void PaintBox1CaptureLost(Component*);
  void PaintBox2Paint(Component*);
  void PaintBox3Paint(Component*);
  void PaintBox2MouseDown(Component*, MouseButton b, ShiftState s, int x, int y);
  void PaintBox2MouseMove(Component*, ShiftState s, int x, int y);
  void PaintBox2MouseUp(Component*, MouseButton b, ShiftState s, int x, int y);
  void PaintBox3MouseDown(Component*, MouseButton b, ShiftState s, int x, int y);
  void PaintBox3MouseMove(Component*, ShiftState s, int x, int y);
  void PaintBox3MouseUp(Component*, MouseButton b, ShiftState s, int x, int y);

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
