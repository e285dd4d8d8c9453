// The drawing tools of an icon document: shapes, lines, flood fill, the floating selection
// with its frames, the text tool, and the transformations of the picture and the selection.
#include <algorithm>

#include "application.h"
#include "icon_form.h"
#include "main_form.h"
#include "zwicon.h"

namespace zwicon {

static const COLORREF kWhite = 0xFFFFFF, kBlack = 0;
static const RECT kSquare{0, 0, 32, 32};
static const size_t kMaxText = 255;

static RECT Ordered(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}
static RECT ClipToSquare(RECT r) {
  RECT out;
  if (!IntersectRect(&out, &r, &kSquare)) return RECT{std::clamp<LONG>(r.left, 0, 32), std::clamp<LONG>(r.top, 0, 32),
                                                      std::clamp<LONG>(r.left, 0, 32), std::clamp<LONG>(r.top, 0, 32)};
  return out;
}

// Runs a drawing call with the canvas clipped to the 32 x 32 square.
template <class Fn> static void Clipped(Bitmap& b, Fn fn) {
  HDC dc = b.DC();
  int sd = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, 32, 32);
  fn(b.canvas());
  RestoreDC(dc, sd);
  b.canvas().Attach(dc);  // the canvas re-reads the context's objects
}

static void DrawShape(Canvas& c, bool ellipse, bool filled, COLORREF colour, const RECT& box) {
  c.pen = Pen{colour};
  c.brush.color = colour;
  c.brush.style = filled ? BrushStyle::Solid : BrushStyle::Clear;
  if (ellipse) c.Ellipse(box.left, box.top, box.right, box.bottom);
  else c.Rectangle(box.left, box.top, box.right, box.bottom);
  c.brush.style = BrushStyle::Solid;
}

// --- Shapes and lines ---

void TIconForm::RubberBandShape() {
  TMainForm& m = Main();
  Picture() = SelectedImage->picture;
  bool ellipse = m.CircleTool->down || m.FillCircleTool->down;
  bool filled = m.Fillrecttool->down || m.FillCircleTool->down;
  RECT box = ShapeBox(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom);
  Clipped(Picture(), [&](Canvas& c) { DrawShape(c, ellipse, filled, m.CurrentColor, box); });
  previewimage->Invalidate();
}

void TIconForm::ShapeUp() {
  TMainForm& m = Main();
  bool ellipse = m.CircleTool->down || m.FillCircleTool->down;
  bool filled = m.Fillrecttool->down || m.FillCircleTool->down;
  RECT box = ShapeBox(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom);
  Clipped(Mask(), [&](Canvas& c) { DrawShape(c, ellipse, filled, m.CurrentTransparent ? kWhite : kBlack, box); });
  UpdateMask();
}

void TIconForm::RubberBandLine() {
  Picture() = SelectedImage->picture;
  for (POINT p : LineCells(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom))
    Picture().Set(p.x, p.y, Main().CurrentColor);  // cells outside the picture are ignored
  previewimage->Invalidate();
}

void TIconForm::LineUp() {
  COLORREF m = Main().CurrentTransparent ? kWhite : kBlack;
  for (POINT p : LineCells(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom)) Mask().Set(p.x, p.y, m);
  UpdateMask();
}

// --- Flood fill ---

void TIconForm::IconFill(int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x > 31 || y > 31) return;
  TMainForm& m = Main();
  bool seedTransparent = Mask().Get(x, y) == kWhite;
  COLORREF seed = Picture().Get(x, y);
  if (seedTransparent == m.CurrentTransparent && seed == c) return;
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  COLORREF maskColour = m.CurrentTransparent ? kWhite : kBlack;
  // Each cell is entered once (a painted cell no longer qualifies), so 1,024 entries suffice.
  POINT stack[32 * 32];
  int top = 0;
  stack[top++] = POINT{x, y};
  auto qualifies = [&](int cx, int cy) {
    return cx >= 0 && cy >= 0 && cx < 32 && cy < 32 && Picture().Get(cx, cy) == seed &&
           (Mask().Get(cx, cy) == kWhite) == seedTransparent;
  };
  while (top > 0) {
    POINT p = stack[top - 1];
    Picture().Set(p.x, p.y, c);
    Mask().Set(p.x, p.y, maskColour);
    static const POINT dirs[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    bool moved = false;
    for (const POINT& d : dirs) {
      if (qualifies(p.x + d.x, p.y + d.y) && top < 32 * 32) {
        stack[top++] = POINT{p.x + d.x, p.y + d.y};
        moved = true;
        break;
      }
    }
    if (!moved) --top;
  }
  UpdateMask();
  App().SetScreenCursor(old);
}

// --- Selection ---

void TIconForm::RubberBandSelection() {
  Picture() = SelectedImage->picture;
  RECT box = ShapeBox(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom);
  Clipped(Picture(), [&](Canvas& c) {
    c.pen = Pen{kWhite, 1, PenStyle::Solid, PenMode::Xor};
    c.brush.style = BrushStyle::Clear;
    c.Rectangle(box.left, box.top, box.right, box.bottom);
    c.pen.mode = PenMode::Copy;
    c.brush.style = BrushStyle::Solid;
  });
  previewimage->Invalidate();
}

// Leaves a transparent hole: the transparent colour in the picture, white in the mask.
void TIconForm::MakeTransparent(const RECT& r) {
  Canvas& p = Picture().canvas();
  p.brush.style = BrushStyle::Solid;
  p.brush.color = TransparentColor;
  p.FillRect(r);
  Canvas& k = Mask().canvas();
  k.brush.style = BrushStyle::Solid;
  k.brush.color = kWhite;
  k.FillRect(r);
}

void TIconForm::PointerUp(ShiftState s) {
  RECT r = DragRect;
  if (r.right >= r.left) ++r.right; else ++r.left;
  if (r.bottom >= r.top) ++r.bottom; else ++r.top;
  r = ClipToSquare(Ordered(r));
  DragRect = r;
  Picture() = SelectedImage->picture;
  CutBaseImage = Picture();
  CutBaseMask = Mask();
  if (!(s & ssShift)) {
    MakeTransparent(r);
    UpdateMask();
  }
  Floating = true;
  Pasted = false;
  SelectionRect = r;
  ShowFrames(true);
  Main().RefreshEditMenu();
}

void TIconForm::CutSelection() {
  RECT r = Ordered(DragRect);
  if (!Pasted) {
    MakeTransparent(r);
  }
  ShowFrames(false);
  Floating = Pasted = false;
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
}

void TIconForm::ShowFrames(bool show) {
  if (show) PositionFrames();
  PaintBox2->SetVisible(show);
  PaintBox3->SetVisible(show);
}

void TIconForm::PositionFrames() {
  RECT s = SelectionRect;
  int w = s.right - s.left, h = s.bottom - s.top;
  if (!DraggingSelection) {
    int fl = PaintBox2->visible ? PaintBox2->left : s.left, ft = PaintBox2->visible ? PaintBox2->top : s.top;
    PaintBox2->SetBounds(fl, ft, w, h);
    PaintBox3->SetBounds(PaintBox1->left + Magnify * fl + ShowGrid, PaintBox1->top + Magnify * ft + ShowGrid,
                         std::max(w * Magnify, Typing ? 1 : 0), h * Magnify);
  }
}

void TIconForm::PaintBox2Paint(Component*) {
  if (!Floating || !PaintBox2->canvas) return;
  Canvas& c = *PaintBox2->canvas;
  RECT s = SelectionRect;
  s.right = std::min<LONG>(s.right, 32);
  s.bottom = std::min<LONG>(s.bottom, 32);
  if (s.right > s.left && s.bottom > s.top)
    c.CopyRect(RECT{0, 0, PaintBox2->width, PaintBox2->height}, SelectedImage->picture, s);
  c.pen = Pen{RGB(255, 0, 0), 1, frameStyle_, PenMode::Xor};
  c.brush.style = BrushStyle::Clear;
  c.Rectangle(0, 0, PaintBox2->width, PaintBox2->height);
  c.pen.mode = PenMode::Copy;
}

void TIconForm::PaintBox3Paint(Component*) {
  if (!Floating || !PaintBox3->canvas) return;
  Canvas& c = *PaintBox3->canvas;
  RECT s = SelectionRect;
  s.right = std::min<LONG>(s.right, 32);
  s.bottom = std::min<LONG>(s.bottom, 32);
  int dx = 0, dy = 0;
  if (s.left < 0) dx = -s.left * Magnify, s.left = 0;
  if (s.top < 0) dy = -s.top * Magnify, s.top = 0;
  if (s.right > s.left && s.bottom > s.top)
    c.CopyRect(RECT{dx, dy, dx + (s.right - s.left) * Magnify, dy + (s.bottom - s.top) * Magnify},
               SelectedImage->picture, s);
  c.pen = Pen{RGB(255, 0, 0), 1, frameStyle_, PenMode::Xor};
  c.brush.style = BrushStyle::Clear;
  c.Rectangle(0, 0, PaintBox3->width, PaintBox3->height);
  c.pen.mode = PenMode::Copy;
}

void TIconForm::PaintFrames(bool switchStyle) {
  if (switchStyle) frameStyle_ = frameStyle_ == PenStyle::Dot ? PenStyle::DashDot : PenStyle::Dot;
  if (DraggingSelection || !Floating) return;
  PaintBox2->Repaint();
  PaintBox3->Repaint();
}

void TIconForm::PlaceClippedRegion() {
  if (!Floating) return;
  TMainForm& m = Main();
  TakeSnapshot();
  if (!TypedText.empty()) {
    Clipped(SelectedMask->picture, [&](Canvas& c) {
      c.font = m.FontDialog1->font;
      c.font.color = m.LeftTransparent ? kWhite : kBlack;
      c.brush.style = BrushStyle::Clear;
      c.TextOut(SelectionRect.left, SelectionRect.top, TypedText);
      c.brush.style = BrushStyle::Solid;
    });
  }
  RECT s = Ordered(SelectionRect);
  RECT dst{PaintBox2->left, PaintBox2->top, PaintBox2->left + PaintBox2->width, PaintBox2->top + PaintBox2->height};
  if (s.right > s.left && s.bottom > s.top) {
    Clipped(Picture(), [&](Canvas& c) { c.CopyRect(dst, SelectedImage->picture, s); });
    Clipped(Mask(), [&](Canvas& c) { c.CopyRect(dst, SelectedMask->picture, s); });
  }
  DragRect = RECT{0, 0, 31, 31};
  UpdateMask();
  ShowFrames(false);
  Floating = Pasted = Typing = false;
  TypedText.clear();
  Redraw();
  previewimage->Invalidate();
}

void TIconForm::SelectAll() {
  if (Floating) PlaceClippedRegion();
  TakeSnapshot();
  DragRect = SelectionRect = kSquare;
  SelectedImage->picture = Picture();
  SelectedMask->picture = Mask();
  CutBaseImage = Picture();
  CutBaseMask = Mask();
  Pasted = false;
  CutSelection();
  PaintBox2->SetBounds(0, 0, 32, 32);
  Floating = true;
  ShowFrames(true);
  Main().PointerTool->SetDown(true);
  Main().RefreshEditMenu();
}

// --- Moving the frames ---

void TIconForm::PaintBox3MouseDown(Component*, MouseButton, ShiftState s, int x, int y) {
  HideCursor();
  if (s & ssShift) {
    // The area under the selection comes back from the picture kept with the selection.
    if (!CutBaseImage.Empty()) {
      Picture() = CutBaseImage;
      Mask() = CutBaseMask;
    }
    UpdateMask();
    Redraw();
    previewimage->Invalidate();
  }
  MouseClipping();
  DraggingSelection = true;
  FrameAnchor = POINT{x, y};
}

void TIconForm::PaintBox3MouseMove(Component*, ShiftState, int x, int y) {
  if (!DraggingSelection) return;
  int cx = (PaintBox3->left + x - FrameAnchor.x) / Magnify, cy = (PaintBox3->top + y - FrameAnchor.y) / Magnify;
  PaintBox3->SetPos(Magnify * cx + ShowGrid, Magnify * cy + ShowGrid);
  if (Typing) {
    int w = SelectionRect.right - SelectionRect.left, h = SelectionRect.bottom - SelectionRect.top;
    SelectionRect = RECT{cx, cy, cx + w, cy + h};
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
  if (Typing) {
    int w = SelectionRect.right - SelectionRect.left, h = SelectionRect.bottom - SelectionRect.top;
    SelectionRect = RECT{nl, nt, nl + w, nt + h};
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

void TIconForm::TextUp(int x, int y) {
  Bitmap probe(1, 1);
  probe.canvas().font = Main().FontDialog1->font;
  int h = probe.canvas().TextHeight("M");
  Floating = true;
  Typing = true;
  SelectionRect = RECT{x, y, x, y + h};
  PaintBox2->SetBounds(x, y, 0, h);
  PaintBox3->SetBounds(PaintBox1->left + Magnify * x + ShowGrid, PaintBox1->top + Magnify * y + ShowGrid, 1, h * Magnify);
  PaintBox2->SetVisible(true);
  PaintBox3->SetVisible(true);
}

void TIconForm::FormKeyPress(Component*, char& key) {
  if (!Main().TextTool->down || !Typing) return;
  if (key == '\b') {
    if (!TypedText.empty()) TypedText.pop_back();
  } else if (key != '\r' && key != '\n' && TypedText.size() < kMaxText) {
    TypedText += key;
  }
  RenderText();
  key = 0;
}

void TIconForm::RenderText() {
  TMainForm& m = Main();
  SelectedImage->picture = Picture();
  SelectedMask->picture = Mask();
  Canvas& c = SelectedImage->picture.canvas();
  c.font = m.FontDialog1->font;
  int w = c.TextWidth(TypedText), h = c.TextHeight("M");
  Clipped(SelectedImage->picture, [&](Canvas& cc) {
    cc.font = m.FontDialog1->font;
    cc.font.color = m.LeftColor;
    cc.brush.style = BrushStyle::Clear;
    cc.TextOut(SelectionRect.left, SelectionRect.top, TypedText);
    cc.brush.style = BrushStyle::Solid;
  });
  SelectionRect.right = SelectionRect.left + w;
  SelectionRect.bottom = SelectionRect.top + h;
  PaintBox2->SetSize(w, h);
  PaintBox3->SetSize(std::max(w * Magnify, 1), h * Magnify);
  PaintFrames(false);
}

// --- Transformations ---

template <class Map> static void Remap(Bitmap& b, Map map) {
  Bitmap src = b;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      POINT to = map(x, y);
      b.Set(to.x, to.y, src.Get(x, y));
    }
}

void TIconForm::FlipHorizontal() {
  if (Floating) {
    RECT s = Ordered(SelectionRect);
    for (auto* b : {&SelectedImage->picture, &SelectedMask->picture}) {
      Bitmap src = *b;
      for (int k = 0; s.top + k < s.bottom; ++k)
        for (int x = s.left; x < s.right; ++x) b->Set(x, s.top + k, src.Get(x, s.bottom - 1 - k));
    }
    PaintFrames(false);
    return;
  }
  TakeSnapshot();
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  SelectedImage->picture = Picture();
  Remap(Picture(), [](int x, int y) { return POINT{31 - x, y}; });
  Remap(Mask(), [](int x, int y) { return POINT{31 - x, y}; });
  DragRect = RECT{0, 0, 31, 31};
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
  App().SetScreenCursor(old);
}

void TIconForm::FlipVertical() {
  if (Floating) {
    RECT s = Ordered(SelectionRect);
    for (auto* b : {&SelectedImage->picture, &SelectedMask->picture}) {
      Bitmap src = *b;
      for (int k = 0; s.left + k < s.right; ++k)
        for (int y = s.top; y < s.bottom; ++y) b->Set(s.left + k, y, src.Get(s.right - 1 - k, y));
    }
    PaintFrames(false);
    return;
  }
  TakeSnapshot();
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  SelectedImage->picture = Picture();
  Remap(Picture(), [](int x, int y) { return POINT{x, 31 - y}; });
  Remap(Mask(), [](int x, int y) { return POINT{x, 31 - y}; });
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
  App().SetScreenCursor(old);
}

void TIconForm::Rotate() {
  auto transpose = [](int x, int y) { return POINT{y, x}; };
  if (Floating) {
    Remap(SelectedImage->picture, transpose);
    Remap(SelectedMask->picture, transpose);
    RECT s = SelectionRect;
    SelectionRect = RECT{s.top, s.left, s.bottom, s.right};
    PaintBox2->SetSize(PaintBox2->height, PaintBox2->width);
    PaintBox3->SetSize(PaintBox3->height, PaintBox3->width);
    PaintFrames(false);
    return;
  }
  TakeSnapshot();
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  Remap(Picture(), transpose);
  Remap(Mask(), transpose);
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
  App().SetScreenCursor(old);
}

void TIconForm::Invert() {
  if (Floating) {
    Bitmap& s = SelectedImage->picture;
    s.canvas().CopyRect(kSquare, s, kSquare, CopyMode::InverseCopy);
    RECT d = Ordered(DragRect);
    for (int y = std::max<LONG>(d.top, 0); y < std::min<LONG>(d.bottom, 32); ++y)
      for (int x = std::max<LONG>(d.left, 0); x < std::min<LONG>(d.right, 32); ++x)
        if (SelectedMask->picture.Get(x, y) == kWhite) s.Set(x, y, TransparentColor);
    PaintFrames(false);
    return;
  }
  TakeSnapshot();
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  Bitmap& p = Picture();
  p.canvas().CopyRect(kSquare, p, kSquare, CopyMode::InverseCopy);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (Mask().Get(x, y) == kWhite) p.Set(x, y, TransparentColor);
  // The picture changed: like its sister commands, Invert marks the document modified.
  Modified = true;
  Main().Undo->SetEnabled(Main().UndoOn1->checked && UndoAvailable);
  Redraw();
  previewimage->Invalidate();
  App().SetScreenCursor(old);
}

void TIconForm::Clear() {
  if (!Floating) {
    TakeSnapshot();
    DragRect = kSquare;
    Pasted = false;
  }
  CutSelection();
  Modified = true;
}

void TIconForm::Shift(int segment) {
  if (Floating) {
    RECT& s = SelectionRect;
    switch (segment) {
      case 0: if (s.right >= 32) return; ++s.left, ++s.right; break;
      case 1: if (s.left <= 0) return; --s.left, --s.right; break;
      case 2: if (s.bottom >= 32) return; ++s.top, ++s.bottom; break;
      case 3: if (s.top <= 0) return; --s.top, --s.bottom; break;
      default: return;
    }
    PaintFrames(false);
    return;
  }
  DragRect = RECT{0, 0, 31, 31};
  int dx = segment == 0 ? -1 : segment == 1 ? 1 : 0, dy = segment == 2 ? -1 : segment == 3 ? 1 : 0;
  for (auto* b : {&Picture(), &Mask()}) {
    Bitmap src = *b;
    bool mask = b == &Mask();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        int sx = x - dx, sy = y - dy;
        bool inside = sx >= 0 && sy >= 0 && sx < 32 && sy < 32;
        b->Set(x, y, inside ? src.Get(sx, sy) : (mask ? kWhite : TransparentColor));
      }
  }
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
}

}  // namespace zwicon
