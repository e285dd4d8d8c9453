// The commands of an icon document's window: each runs on the document, then the window shows the
// result; the frames of the floating selection on the preview and on the magnified canvas, with
// their dragging and the text tool's typing.
#include <algorithm>

#include "application.h"
#include "icon_form.h"

namespace zwicon {

// --- The floating selection ---

void TIconForm::ShowFrames(bool show) {
  if (show) PositionFrames();
  PaintBox2->SetVisible(show);
  PaintBox3->SetVisible(show);
}

void TIconForm::PositionFrames() {
  RECT s = doc.selectionRect;
  int w = s.right - s.left, h = s.bottom - s.top;
  if (!DraggingSelection) {
    int fl = PaintBox2->visible ? PaintBox2->left : s.left, ft = PaintBox2->visible ? PaintBox2->top : s.top;
    PaintBox2->SetBounds(fl, ft, w, h);
    PaintBox3->SetBounds(PaintBox1->left + Magnify * fl + ShowGrid, PaintBox1->top + Magnify * ft + ShowGrid,
                         std::max(w * Magnify, doc.typing ? 1 : 0), h * Magnify);
  }
}

// A frame shows the selection's source at its scale, in a red dotted box.
static void PaintFrame(PaintBox* box, const IconDocument& doc, int scale, PenStyle style) {
  if (!doc.floating || !box->canvas) return;
  Canvas& c = *box->canvas;
  RECT s = doc.selectionRect;
  s.right = std::min<LONG>(s.right, 32);
  s.bottom = std::min<LONG>(s.bottom, 32);
  int dx = 0, dy = 0;
  if (scale > 1) {
    if (s.left < 0) dx = -s.left * scale, s.left = 0;
    if (s.top < 0) dy = -s.top * scale, s.top = 0;
  }
  if (s.right > s.left && s.bottom > s.top) {
    RECT dst = scale > 1 ? RECT{dx, dy, dx + (s.right - s.left) * scale, dy + (s.bottom - s.top) * scale}
                         : RECT{0, 0, box->width, box->height};
    c.CopyRect(dst, doc.selected, s);
  }
  c.pen = Pen{RGB(255, 0, 0), 1, style, PenMode::Xor};
  c.brush.style = BrushStyle::Clear;
  c.Rectangle(0, 0, box->width, box->height);
  c.pen.mode = PenMode::Copy;
}

void TIconForm::PaintBox2Paint(Component*) { PaintFrame(PaintBox2, doc, 1, frameStyle_); }
void TIconForm::PaintBox3Paint(Component*) { PaintFrame(PaintBox3, doc, Magnify, frameStyle_); }

void TIconForm::PaintFrames(bool switchStyle) {
  if (switchStyle) frameStyle_ = frameStyle_ == PenStyle::Dot ? PenStyle::DashDot : PenStyle::Dot;
  if (DraggingSelection || !doc.floating) return;
  PaintBox2->Repaint();
  PaintBox3->Repaint();
}

void TIconForm::Blink() {
  if (doc.floating) PaintFrames(true);
}

// The selection goes down where its frame on the preview is.
void TIconForm::PlaceClippedRegion() {
  if (!doc.floating) return;
  doc.Place(RECT{PaintBox2->left, PaintBox2->top, PaintBox2->left + PaintBox2->width, PaintBox2->top + PaintBox2->height});
  ShowFrames(false);
  Redraw();
  ShowPicture();
}

void TIconForm::CutSelection() {
  ShowFrames(false);
  doc.CutSelection();
  Redraw();
  ShowPicture();
}

void TIconForm::SelectAll() {
  PlaceClippedRegion();
  ShowFrames(false);
  doc.SelectAll();
  Redraw();
  ShowPicture();
  PaintBox2->SetBounds(0, 0, 32, 32);
  ShowFrames(true);
}

void TIconForm::Pasted(const Bitmap& pasted) {
  doc.Paste(pasted);
  ShowFrames(true);
}

// --- Moving the frames ---

void TIconForm::PaintBox3MouseDown(Component*, MouseButton, ShiftState s, int x, int y) {
  HideCursor();
  if (s & ssShift) {
    doc.RestoreCutBase();
    Redraw();
    ShowPicture();
  }
  MouseClipping();
  DraggingSelection = true;
  FrameAnchor = POINT{x, y};
}

void TIconForm::PaintBox3MouseMove(Component*, ShiftState, int x, int y) {
  if (!DraggingSelection) return;
  int cx = (PaintBox3->left + x - FrameAnchor.x) / Magnify, cy = (PaintBox3->top + y - FrameAnchor.y) / Magnify;
  PaintBox3->SetPos(Magnify * cx + ShowGrid, Magnify * cy + ShowGrid);
  if (doc.typing) {
    RECT& s = doc.selectionRect;
    s = RECT{cx, cy, cx + s.right - s.left, cy + s.bottom - s.top};
    RenderText();
  }
}

void TIconForm::PaintBox3MouseUp(Component*, MouseButton, ShiftState s, int x, int y) {
  if (!DraggingSelection) return;
  // Released over the preview: both frames go to that point of the picture.
  POINT p{PaintBox3->left + x - Panel3->originX, PaintBox3->top + y - Panel3->originY};
  if (Panel3->hwnd && Panel2->hwnd) MapWindowPoints(Panel3->hwnd, Panel2->hwnd, &p, 1);
  bool overPreview = Panel2->hwnd && p.x >= 0 && p.y >= 0 && p.x < Panel2->width && p.y < Panel2->height;
  if (!overPreview) PaintBox3MouseMove(PaintBox3, s, x, y);
  ShowCursorAgain();
  DraggingSelection = false;
  if (overPreview) {
    PaintBox2->SetPos(p.x, p.y);
    PaintBox3->SetPos(p.x * Magnify, p.y * Magnify);
  } else {
    int cx = (PaintBox3->left - ShowGrid) / Magnify, cy = (PaintBox3->top - ShowGrid) / Magnify;
    PaintBox2->SetPos(cx, cy);
  }
  ConfineCursor(nullptr);
  Redraw();
}

void TIconForm::PaintBox2MouseDown(Component*, MouseButton, ShiftState, int x, int y) {
  HideCursor();
  DraggingSelection = true;
  FrameAnchor = POINT{x, y};
}

void TIconForm::PaintBox2MouseMove(Component*, ShiftState, int x, int y) {
  if (!DraggingSelection) return;
  int nl = PaintBox2->left + x - FrameAnchor.x, nt = PaintBox2->top + y - FrameAnchor.y;
  PaintBox2->SetPos(nl, nt);
  if (doc.typing) {
    RECT& s = doc.selectionRect;
    s = RECT{nl, nt, nl + s.right - s.left, nt + s.bottom - s.top};
    RenderText();
  }
}

void TIconForm::PaintBox2MouseUp(Component*, MouseButton, ShiftState, int, int) {
  if (!DraggingSelection) return;
  ShowCursorAgain();
  DraggingSelection = false;
  PaintBox3->SetPos(PaintBox2->left * Magnify + ShowGrid, PaintBox2->top * Magnify + ShowGrid);
  Redraw();
}

// --- Text ---

void TIconForm::FormKeyPress(Component*, char& key) {
  if (!doc.Type(key)) return;
  RenderText();
  key = 0;
}

void TIconForm::RenderText() {
  SIZE size = doc.RenderText();
  PaintBox2->SetSize(size.cx, size.cy);
  PaintBox3->SetSize(std::max<int>(size.cx * Magnify, 1), size.cy * Magnify);
  PaintFrames(false);
}

void TIconForm::FontChanged() {
  if (doc.typing) RenderText();
}

void TIconForm::ColourChanged() {
  if (doc.typing && !doc.typedText.empty()) RenderText();
}

// --- Transformations ---

// A transformation of the floating selection's source redraws the frames; one of the whole
// picture runs under the wait cursor and redraws the picture.
void TIconForm::Transform(void (IconDocument::*op)()) {
  if (doc.floating) {
    (doc.*op)();
    PaintFrames(false);
    return;
  }
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  (doc.*op)();
  Redraw();
  ShowPicture();
  App().SetScreenCursor(old);
}

void TIconForm::FlipHorizontal() { Transform(&IconDocument::FlipHorizontal); }
void TIconForm::FlipVertical() { Transform(&IconDocument::FlipVertical); }
void TIconForm::Invert() { Transform(&IconDocument::Invert); }

void TIconForm::Rotate() {
  // The frames of a floating selection turn with it.
  if (doc.floating) {
    PaintBox2->SetSize(PaintBox2->height, PaintBox2->width);
    PaintBox3->SetSize(PaintBox3->height, PaintBox3->width);
  }
  Transform(&IconDocument::Rotate);
}

void TIconForm::Clear() {
  ShowFrames(false);
  doc.Clear();
  Redraw();
  ShowPicture();
}

void TIconForm::Shift(int segment) {
  bool floating = doc.floating;
  if (!doc.Shift(segment)) return;
  if (floating) {
    PaintFrames(false);
    return;
  }
  Redraw();
  ShowPicture();
}

}  // namespace zwicon
