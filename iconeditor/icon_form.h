// TIconForm: the window of one icon document (an MDI child): the preview at actual size, the
// magnified canvas with the transparency dots and the grid, and the frames of the floating
// selection. It routes the user's gestures and the editor's commands to its IconDocument and
// draws what the document holds.
#pragma once
#include <cstdint>
#include <string>

#include "icon_document.h"
#include "palette.h"
#include "slider.h"
#include "std_controls.h"
#include "zon_image.h"

namespace zwicon {

using namespace zw;
class TMainForm;

#define ZW_ICON_COMPONENTS(X)                                                                              \
  X(Panel, Panel1) X(Panel, Panel2) X(Panel, Panel3) X(Image, previewimage) X(Image, Scratchpad)        \
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
  explicit TIconForm(DrawingState& state);

  IconDocument doc;

  // View state.
  uint8_t Magnify = 8;
  bool Drawing = false, DraggingSelection = false;
  uint8_t ShowGrid = 1;
  POINT FrameAnchor{};

  // Components, handlers and the name table.
  ZW_FORM_MEMBERS(ZW_ICON_COMPONENTS, ZW_ICON_HANDLERS)
  // Loads the description and creates the document window inside the main window.
  static TIconForm* Make(TMainForm& main);

  Bitmap& Picture() { return doc.picture; }
  Bitmap& Mask() { return doc.mask; }

  // Showing the document.
  void SmallIcon(int& x, int& y, RECT& r) const;
  RECT MagnifiedRect() const;
  void DisplayMagnifiedIcon(const RECT& r);
  void DisplayGrid();
  void UpdateTransMask();
  void PaintCell(int x, int y);
  // The pencil at a cell: the document's pixel and its cell on the canvas.
  void PutPixel(int x, int y) {
    doc.PutPixel(x, y);
    PaintCell(x, y);
  }
  void MouseClipping();
  void Redraw() { DisplayMagnifiedIcon(MagnifiedRect()); }
  void ShowPicture() { previewimage->Invalidate(); }
  // The document's picture as opened or made new, shown under `caption`; not modified.
  void Present(const std::string& caption);
  bool SaveIcon(const std::string& file);
  bool DoUndo();
  // The text being typed is drawn again in another font, or (when there is text) colour.
  void FontChanged();
  void ColourChanged();
  // The frames of the floating selection blink.
  void Blink();

  // Commands on the document, with the frames of the floating selection kept in step.
  void RenderText();
  void ShowFrames(bool show);
  void PositionFrames();
  void PaintFrames(bool switchStyle);
  void PlaceClippedRegion();
  void CutSelection();
  void SelectAll();
  void Pasted(const Bitmap& pasted);
  void FlipHorizontal();
  void FlipVertical();
  void Rotate();
  void Invert();
  void Clear();
  void Shift(int segment);
  void ClearMask(const RECT& r, COLORREF colour);
  void UpdateMask();
  void UpdateIcon() { doc.UpdateIcon(); }

 private:
  TMainForm& Main() const;
  DrawingState& state_;
  bool cursorHidden_ = false;
  bool wasIconic_ = false;
  PenStyle frameStyle_ = PenStyle::Dot;
  void HideCursor();
  void ShowCursorAgain();
  void DocumentChanged(IconDocument::Change c);
  void Transform(void (IconDocument::*op)());
};

}  // namespace zwicon
