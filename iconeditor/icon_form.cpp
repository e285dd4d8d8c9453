#include "icon_form.h"

#include <shellapi.h>

#include <algorithm>

#include "application.h"
#include "description.h"
#include "main_form.h"
#include "message_boxes.h"
#include "zwicon.h"

namespace zwicon {

static const COLORREF kWhite = 0xFFFFFF, kBlack = 0;

ZW_FORM_TABLE(TIconForm, ZW_ICON_COMPONENTS, ZW_ICON_HANDLERS)

TIconForm* TIconForm::Make(TMainForm& main) {
  auto* f = new TIconForm;
  if (f->LoadAndCreate("IconForm", Table(), &main)) return f;
  delete f;
  return nullptr;
}

TMainForm& TIconForm::Main() const { return *TheEditor().mainForm; }

IconData TIconForm::Data() const {
  IconData d;
  std::copy(std::begin(Palette), std::end(Palette), d.palette);
  std::copy(&PixelIndex[0][0], &PixelIndex[0][0] + 1024, &d.index[0][0]);
  std::copy(&PixelTransparent[0][0], &PixelTransparent[0][0] + 1024, &d.transparent[0][0]);
  return d;
}

// --- Creation ---

void TIconForm::FormCreate(Component*) {
  TMainForm& m = Main();
  TransparentColor = m.TransparentColor;
  Magnify = m.Magnify;
  RECT client{0, 0, 640, 480};
  if (m.mdiClient) GetClientRect(m.mdiClient, &client);
  int w = std::min(32 * Magnify + 92, static_cast<int>(client.right) - left);
  int h = std::min(32 * Magnify + 42, static_cast<int>(client.bottom) - top - (m.ToolPanel->visible ? 0 : m.ToolPanel->height));
  SetBounds(left, top, std::max(w, minTrackWidth), std::max(h, minTrackHeight));
  Floating = Drawing = DraggingSelection = Pasted = Typing = UndoAvailable = false;
  ShowGrid = m.ShowGrid1->checked ? 1 : 0;
  TypedText.clear();
  std::copy(std::begin(kStandardPalette), std::end(kStandardPalette), Palette);
  for (auto& col : PixelIndex) std::fill(std::begin(col), std::end(col), 15);
  for (auto& col : PixelTransparent) std::fill(std::begin(col), std::end(col), 0);
  Mask().Fill(kBlack);
}

// --- The three representations ---

void TIconForm::SmallIcon(int& x, int& y, RECT& r) const {
  x /= Magnify;
  y /= Magnify;
  r = MagnifiedRect();
}

RECT TIconForm::MagnifiedRect() const {
  int e = 32 * Magnify + ShowGrid;
  return RECT{0, 0, e, e};
}

void TIconForm::DisplayMagnifiedIcon(const RECT& r) {
  int e = 32 * Magnify + ShowGrid;
  Bitmap& s = Scratchpad->picture;
  s.SetSize(e, e);
  s.canvas().StretchDraw(r, Picture());
  Bitmap& o = Image1->picture;
  s.canvas().CopyRect(RECT{0, 0, o.Width(), o.Height()}, o, RECT{0, 0, o.Width(), o.Height()}, CopyMode::And);
  Panel3->SetSize(e, e);
  ScrollBox1->UpdateScrollRange();
  DisplayGrid();
  PaintBox1Paint(PaintBox1);
}

void TIconForm::DisplayGrid() {
  if (ShowGrid != 1) return;
  RECT r = MagnifiedRect();
  Canvas& c = Scratchpad->picture.canvas();
  c.pen = Pen{RGB(160, 160, 164)};
  for (int x = 0; x <= r.right; x += Magnify) {
    c.MoveTo(x, 0);
    c.LineTo(x, r.bottom);
  }
  for (int y = 0; y <= r.bottom; y += Magnify) {
    c.MoveTo(0, y);
    c.LineTo(r.right, y);
  }
}

void TIconForm::PaintBox1Paint(Component*) {
  if (PaintBox1->canvas) {
    PaintBox1->canvas->Draw(0, 0, Scratchpad->picture);
    return;
  }
  PaintBox1->DrawNow([this](Canvas& c) { c.Draw(0, 0, Scratchpad->picture); });
  if (Floating) PaintFrames(false);
}

void TIconForm::UpdateTransMask() {
  Bitmap& o = Image1->picture;
  int h = Magnify / 2;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) o.Set(h + x * Magnify, h + y * Magnify, PixelTransparent[x][y] ? kBlack : kWhite);
}

void TIconForm::ScrollBar1Change(Component*) {
  int v = Slider1->Value();
  Label1->SetCaption((v < 10 ? "  " : "") + zw::Num(v));
  if (Slider1->Dragging()) return;
  Magnify = static_cast<uint8_t>(v);
  Main().Magnify = Magnify;
  if (Floating) PositionFrames();
  RECT r = MagnifiedRect();
  Bitmap& o = Image1->picture;
  o.SetSize(r.right, r.bottom);
  o.canvas().CopyRect(r, o, r, CopyMode::Whiteness);
  UpdateTransMask();
  DisplayMagnifiedIcon(r);
}

void TIconForm::UpdateMask() {
  Modified = true;
  // The button offers Undo only where a snapshot of this document exists.
  Main().Undo->SetEnabled(Main().UndoOn1->checked && UndoAvailable);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) PixelTransparent[x][y] = Mask().Get(x, y) != kBlack ? 1 : 0;
  UpdateTransMask();
}

void TIconForm::UpdateIcon() {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      COLORREF p = Picture().Get(x, y);
      int before = PixelIndex[x][y];
      int k = MatchPaletteIndex(Palette, p, -1);
      if (k >= 0) {
        if (PixelTransparent[x][y] == 1) {
          PixelIndex[x][y] = 0;
          Picture().Set(x, y, TransparentColor);
        } else {
          PixelIndex[x][y] = static_cast<uint8_t>(k);
        }
      } else {
        PixelIndex[x][y] = static_cast<uint8_t>(before);
      }
      if (Mask().Get(x, y) != kBlack) PixelIndex[x][y] = 0;
    }
}

void TIconForm::ClearMask(const RECT& r, COLORREF colour) {
  Canvas& c = Mask().canvas();
  c.brush.style = BrushStyle::Solid;
  c.brush.color = colour == kWhite ? kWhite : kBlack;
  c.FillRect(r);
  UpdateMask();
}

bool TIconForm::SaveIcon(const std::string& file) {
  if (Floating) PlaceClippedRegion();
  UpdateIcon();
  return WriteDocumentIcon(*this, file);
}

// --- The pencil ---

void TIconForm::PutPixel(int x, int y) {
  // Cells outside the picture (the grid's closing line, a drag off the left or top) are ignored.
  if (x < 0 || y < 0 || x > 31 || y > 31) return;
  TMainForm& m = Main();
  Canvas& s = Scratchpad->picture.canvas();
  s.brush.style = BrushStyle::Solid;
  s.brush.color = m.CurrentColor;
  s.FillRect(RECT{x * Magnify + ShowGrid, y * Magnify + ShowGrid, x * Magnify + Magnify, y * Magnify + Magnify});
  Picture().Set(x, y, m.CurrentColor);
  int cx = Magnify / 2 + x * Magnify, cy = Magnify / 2 + y * Magnify;
  if (m.CurrentTransparent) {
    Mask().Set(x, y, kWhite);
    PixelTransparent[x][y] = 1;
    Image1->picture.Set(cx, cy, kBlack);
    Scratchpad->picture.Set(cx, cy, TransparentColor ^ 0xFFFFFF);
  } else {
    Mask().Set(x, y, kBlack);
    PixelTransparent[x][y] = 0;
    Image1->picture.Set(cx, cy, kWhite);
  }
  PaintBox1Paint(PaintBox1);
  previewimage->Invalidate();
  Modified = true;
  m.Undo->SetEnabled(m.UndoOn1->checked && UndoAvailable);
}

// --- Canvas gestures ---

void TIconForm::HideCursor() {
  if (cursorHidden_) return;
  cursorHidden_ = true;
  ShowCursor(FALSE);
}

void TIconForm::ShowCursorAgain() {
  if (!cursorHidden_) return;
  cursorHidden_ = false;
  ShowCursor(TRUE);
}

void TIconForm::TakeSnapshot() {
  if (!Main().UndoOn1->checked) return;
  UndoImage->picture = Picture();
  UndoMask->picture = Mask();
  UndoAvailable = true;  // only when a snapshot was really taken
}

void TIconForm::MouseClipping() {
  if (!ScrollBox1->hwnd) return;
  RECT sb;
  GetClientRect(ScrollBox1->hwnd, &sb);
  int clipLeft = ScrollBox1->originX, clipTop = ScrollBox1->originY;
  int clipRight = std::min(PaintBox1->width, clipLeft + static_cast<int>(sb.right));
  int clipBottom = std::min(PaintBox1->height, clipTop + static_cast<int>(sb.bottom));
  RECT r{ScrollBox1->left + 1, ScrollBox1->top + 1, clipRight + ScrollBox1->left - clipLeft - 1,
         clipBottom + ScrollBox1->top - clipTop - 1};
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  ConfineCursor(&r);
}

void TIconForm::PaintBox1MouseDown(Component*, MouseButton b, ShiftState s, int x, int y) {
  TMainForm& m = Main();
  if (!m.DrawingTool->down) HideCursor();
  Typing = false;
  if (Floating) PlaceClippedRegion();
  TakeSnapshot();
  if (!m.TextTool->down) Drawing = true;
  if (b == MouseButton::Right) {
    m.CurrentTransparent = m.RightTransparent;
    m.CurrentColor = m.RightColor;
  } else if (b == MouseButton::Left) {
    m.CurrentTransparent = m.LeftTransparent;
    m.CurrentColor = m.LeftColor;
  }
  MouseClipping();
  RECT r;
  SmallIcon(x, y, r);
  DragRect = RECT{x, y, x, y};
  if (m.DrawingTool->down) PutPixel(x, y);
  else if (m.TextTool->down) Typing = true;
  TypedText.clear();
  SelectedImage->picture = Picture();
  SelectedMask->picture = Mask();
}

void TIconForm::PaintBox1MouseMove(Component*, ShiftState, int x, int y) {
  if (!Drawing) return;
  TMainForm& m = Main();
  RECT r;
  SmallIcon(x, y, r);
  if (x == DragRect.right && y == DragRect.bottom) return;
  DragRect.right = x;
  DragRect.bottom = y;
  if (m.DrawingTool->down) {
    PutPixel(x, y);
    return;
  }
  if (m.RectangleTool->down || m.Fillrecttool->down || m.CircleTool->down || m.FillCircleTool->down) RubberBandShape();
  else if (m.LineTool->down) RubberBandLine();
  else if (m.PointerTool->down) RubberBandSelection();
  DisplayMagnifiedIcon(r);
}

void TIconForm::PaintBox1MouseUp(Component*, MouseButton, ShiftState s, int x, int y) {
  TMainForm& m = Main();
  if (!m.DrawingTool->down) ShowCursorAgain();
  if (!Drawing && !Typing) return;
  RECT r;
  SmallIcon(x, y, r);
  if (m.DrawingTool->down) {
  } else if (m.FillTool->down) {
    IconFill(x, y, m.CurrentColor);
  } else {
    DragRect.right = x;
    DragRect.bottom = y;
    if (m.RectangleTool->down || m.Fillrecttool->down || m.CircleTool->down || m.FillCircleTool->down) ShapeUp();
    else if (m.LineTool->down) LineUp();
    else if (m.PointerTool->down) PointerUp(s);
    else if (m.TextTool->down) TextUp(x, y);
  }
  DisplayMagnifiedIcon(r);
  Drawing = false;
  ConfineCursor(nullptr);
}

// The press never ends normally (another window took the mouse): free the cursor and end the
// gesture where it stands.
void TIconForm::PaintBox1CaptureLost(Component*) {
  ShowCursorAgain();
  ConfineCursor(nullptr);
  if (Drawing) {
    Drawing = false;
    Redraw();
  }
}

// --- Undo ---

void TIconForm::DoUndo() {
  // Without a snapshot of this document there is nothing to go back to: the picture stays.
  if (!UndoAvailable || UndoImage->picture.Empty() || UndoMask->picture.Empty()) return;
  Picture() = UndoImage->picture;
  Mask() = UndoMask->picture;
  Floating = Typing = Pasted = UndoAvailable = false;
  TypedText.clear();
  ShowFrames(false);
  UpdateMask();
  Redraw();
  previewimage->Invalidate();
  Main().Undo->SetEnabled(false);
  Main().Undo2->SetEnabled(false);
}

// --- Lifecycle ---

void TIconForm::FormCloseQuery(Component*, bool& canClose) {
  if (!Modified) return;
  // The document asked about comes to the front first (Close All, Exit).
  if (frame && frame->mdiClient && frame->ActiveMdiChild() != this)
    SendMessageA(frame->mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
  int r = AskYesCancelNo("Save Icon", caption + "\rhas been modified. Do you want to save the changes?");
  if (r == mrYes) {
    Main().SaveDocument(this);
    canClose = !Modified;
  } else {
    canClose = r == mrNo;
  }
}

void TIconForm::FormClose(Component*) {
  TMainForm& m = Main();
  if (m.DocumentCount() <= 1) m.ToolPanel->SetVisible(false);
}

void TIconForm::FormResize(Component*) {
  bool iconic = hwnd && IsIconic(hwnd);
  bool became = iconic && !wasIconic_;
  wasIconic_ = iconic;
  if (!became) return;
  HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
  if (Floating) PlaceClippedRegion();
  UpdateIcon();
  const std::string& temp = Main().TempFileName;
  if (!temp.empty() && SaveIcon(temp)) {
    HICON i = ExtractIconA(App().instance, temp.c_str(), 0);
    if (i && i != reinterpret_cast<HICON>(1)) {
      HICON prev = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(i)));
      if (prev) DestroyIcon(prev);
    }
  } else {
    ShowAlert("Error in Saving...", "An error has occurred in saving " + temp + "\rThe minimized window keeps its former icon.");
  }
  App().SetScreenCursor(old);
}

void TIconForm::FormActivate(Component*) {
  TMainForm& m = Main();
  m.DrawingToolClick(nullptr);
  if (m.UndoOn1->checked) m.Undo->SetEnabled(UndoAvailable);
}

}  // namespace zwicon
