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
  auto* f = new TIconForm(main.drawing);
  if (f->LoadAndCreate("IconForm", Table(), &main)) return f;
  delete f;
  return nullptr;
}

TIconForm::TIconForm(DrawingState& state) : doc(state), state_(state) {
  doc.changed = [this](IconDocument::Change c) { DocumentChanged(c); };
}

TMainForm& TIconForm::Main() const { return *TheEditor().mainForm; }

// The transparency dots follow the picture; the main window updates its Undo button and menus.
void TIconForm::DocumentChanged(IconDocument::Change c) {
  if (c == IconDocument::Change::Picture) UpdateTransMask();
  Main().DocumentChanged(*this, c);
}

// --- Creation ---

void TIconForm::FormCreate(Component*) {
  TMainForm& m = Main();
  doc.transparentColor = state_.transparentColor;
  Magnify = state_.magnify;
  RECT client{0, 0, 640, 480};
  if (m.mdiClient) GetClientRect(m.mdiClient, &client);
  int w = std::min(32 * Magnify + 92, static_cast<int>(client.right) - left);
  int h = std::min(32 * Magnify + 42, static_cast<int>(client.bottom) - top - (m.ToolPanel->visible ? 0 : m.ToolPanel->height));
  SetBounds(left, top, std::max(w, minTrackWidth), std::max(h, minTrackHeight));
  Drawing = DraggingSelection = false;
  ShowGrid = state_.showGrid ? 1 : 0;
  previewimage->shown = &doc.picture;
}

void TIconForm::Present(const std::string& cap) {
  doc.UpdateIcon();
  RECT r = MagnifiedRect();
  Scratchpad->picture.SetSize(r.right, r.bottom);
  Scratchpad->picture.canvas().StretchDraw(r, Picture());
  SetCaption(cap);
  if (Slider1->Value() == state_.magnify) ScrollBar1Change(Slider1);
  else Slider1->SetValue(state_.magnify);
  doc.modified = false;
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
  if (doc.floating) PaintFrames(false);
}

void TIconForm::UpdateTransMask() {
  Bitmap& o = Image1->picture;
  int h = Magnify / 2;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) o.Set(h + x * Magnify, h + y * Magnify, doc.image.transparent[x][y] ? kBlack : kWhite);
}

void TIconForm::ScrollBar1Change(Component*) {
  int v = Slider1->Value();
  Label1->SetCaption((v < 10 ? "  " : "") + zw::Num(v));
  if (Slider1->Dragging()) return;
  Magnify = static_cast<uint8_t>(v);
  state_.magnify = Magnify;
  if (doc.floating) PositionFrames();
  RECT r = MagnifiedRect();
  Bitmap& o = Image1->picture;
  o.SetSize(r.right, r.bottom);
  o.canvas().CopyRect(r, o, r, CopyMode::Whiteness);
  UpdateTransMask();
  DisplayMagnifiedIcon(r);
}

void TIconForm::UpdateMask() { doc.UpdateMask(); }

void TIconForm::ClearMask(const RECT& r, COLORREF colour) { doc.ClearMask(r, colour); }

bool TIconForm::SaveIcon(const std::string& file) {
  PlaceClippedRegion();
  return files::WriteIconFile(file, doc.Image());
}

// The pencil's cell on the magnified canvas, with its transparency dot.
void TIconForm::PaintCell(int x, int y) {
  if (x < 0 || y < 0 || x > 31 || y > 31) return;
  Canvas& s = Scratchpad->picture.canvas();
  s.brush.style = BrushStyle::Solid;
  s.brush.color = state_.currentColor;
  s.FillRect(RECT{x * Magnify + ShowGrid, y * Magnify + ShowGrid, x * Magnify + Magnify, y * Magnify + Magnify});
  int cx = Magnify / 2 + x * Magnify, cy = Magnify / 2 + y * Magnify;
  if (state_.currentTransparent) Scratchpad->picture.Set(cx, cy, doc.transparentColor ^ 0xFFFFFF);
  PaintBox1Paint(PaintBox1);
  ShowPicture();
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

void TIconForm::PaintBox1MouseDown(Component*, MouseButton b, ShiftState, int x, int y) {
  Tool tool = state_.tool;
  if (tool != Tool::Pencil) HideCursor();
  PlaceClippedRegion();
  if (tool != Tool::Text) Drawing = true;
  if (b != MouseButton::Middle) state_.Pick(b == MouseButton::Right);
  MouseClipping();
  RECT r;
  SmallIcon(x, y, r);
  doc.Press(x, y);
  if (tool == Tool::Pencil) PaintCell(x, y);
}

void TIconForm::PaintBox1MouseMove(Component*, ShiftState, int x, int y) {
  if (!Drawing) return;
  RECT r;
  SmallIcon(x, y, r);
  if (!doc.Drag(x, y)) return;
  Tool tool = state_.tool;
  if (tool == Tool::Pencil) {
    PaintCell(x, y);
    return;
  }
  if (state_.Shape() || tool == Tool::Line || tool == Tool::Pointer) ShowPicture();
  DisplayMagnifiedIcon(r);
}

void TIconForm::PaintBox1MouseUp(Component*, MouseButton, ShiftState s, int x, int y) {
  Tool tool = state_.tool;
  if (tool != Tool::Pencil) ShowCursorAgain();
  if (!Drawing && !doc.typing) return;
  RECT r;
  SmallIcon(x, y, r);
  if (tool == Tool::Fill) {
    HCURSOR old = App().SetScreenCursor(LoadCursor(nullptr, IDC_WAIT));
    doc.Fill(x, y, state_.currentColor);
    App().SetScreenCursor(old);
  } else if (tool != Tool::Pencil) {
    doc.Release(x, y, (s & ssShift) != 0);
    if (tool == Tool::Pointer) {
      ShowFrames(true);
    } else if (tool == Tool::Text) {
      int h = doc.StartText(x, y);
      PaintBox2->SetBounds(x, y, 0, h);
      PaintBox3->SetBounds(PaintBox1->left + Magnify * x + ShowGrid, PaintBox1->top + Magnify * y + ShowGrid, 1, h * Magnify);
      PaintBox2->SetVisible(true);
      PaintBox3->SetVisible(true);
    }
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

bool TIconForm::DoUndo() {
  if (!doc.Undo()) return false;
  ShowFrames(false);
  Redraw();
  ShowPicture();
  return true;
}

// --- Lifecycle ---

void TIconForm::FormCloseQuery(Component*, bool& canClose) {
  if (!doc.modified) return;
  // The document asked about comes to the front first (Close All, Exit).
  if (frame && frame->mdiClient && frame->ActiveMdiChild() != this)
    SendMessageA(frame->mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
  int r = AskYesCancelNo("Save Icon", caption + "\rhas been modified. Do you want to save the changes?");
  if (r == mrYes) {
    Main().SaveDocument(this);
    canClose = !doc.modified;
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
  PlaceClippedRegion();
  doc.UpdateIcon();
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

void TIconForm::FormActivate(Component*) { Main().DocumentActivated(*this); }

}  // namespace zwicon
