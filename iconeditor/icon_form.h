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

class TIconForm : public TZonForm {
 public:
  explicit TIconForm(DrawingState& state);

  IconDocument doc;

  // View state.
  uint8_t Magnify = 8;
  bool Drawing = false, DraggingSelection = false;
  uint8_t ShowGrid = 1;
  POINT FrameAnchor{};

  // Components (the hidden images ImageMask, UndoImage, UndoMask, SelectedImage and SelectedMask
  // are no longer used: the document holds those pictures).
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
