#include "bitmap_form.h"

#include <algorithm>

#include "description.h"
#include "icon_form.h"
#include "icon_selector.h"
#include "main_form.h"
#include "message_boxes.h"
#include "normalize.h"
#include "zwicon.h"

namespace zwicon {

ZW_FORM_TABLE(TBitMapForm, ZW_BITMAP_COMPONENTS, ZW_BITMAP_HANDLERS)

bool TBitMapForm::Make() {
  RegisterEditorControls();
  PMultiImage1.SetHost(&host_);
  PMultiImage1.SetReadResolution(sw::TPMultiImage::Resolution::Colors16);
  PMultiImage1.SetDithering(true);
  if (!LoadAndCreate("BitMapForm", Table())) return false;
  if (hwnd) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void TBitMapForm::LoadPicture(const std::string& file) {
  ReadPictureStandardColours(PMultiImage1, file);
  Bitmap b;
  if (!PMultiImage1.Empty()) b.AssignHandle(PMultiImage1.Bitmap());
  int w = std::max(b.Width(), 1), h = std::max(b.Height(), 1);
  if (!b.Empty()) Image1->SetPicture(b);
  Image1->SetSize(w, h);
  Panel2->SetSize(std::max(w, 32), std::max(h, 32));
  ScrollBox1->UpdateScrollRange();
}

void TBitMapForm::CopyFrameBlock(Bitmap& picture) const {
  picture.canvas().brush.color = 0xFFFFFF;
  picture.canvas().brush.style = BrushStyle::Solid;
  picture.canvas().FillRect(RECT{0, 0, 32, 32});
  const Bitmap& src = Image1->PictureBitmap();
  if (src.Empty()) return;
  int l = PaintBox1->left, t = PaintBox1->top;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      int sx = l + x, sy = t + y;
      if (sx >= 0 && sy >= 0 && sx < src.Width() && sy < src.Height()) picture.Set(x, y, src.Get(sx, sy));
    }
}

// --- The frame ---

void TBitMapForm::PaintBox1Paint(Component*) {
  if (!PaintBox1->canvas) return;
  Canvas& c = *PaintBox1->canvas;
  c.pen = Pen{0xFFFFFF, 1, frameStyle, PenMode::Xor};
  c.brush.style = BrushStyle::Clear;
  c.Rectangle(0, 0, 32, 32);
}

void TBitMapForm::DrawFrame() {
  PaintBox1->DrawNow([this](Canvas& c) {
    PaintBox1->canvas = &c;
    PaintBox1Paint(PaintBox1);
    PaintBox1->canvas = nullptr;
  });
}

void TBitMapForm::Timer1Timer(Component*) {
  if (!hwnd || !IsWindowVisible(hwnd)) return;
  DrawFrame();
  frameStyle = frameStyle == PenStyle::Dot ? PenStyle::DashDot : PenStyle::Dot;
  DrawFrame();
}

void TBitMapForm::PaintBox1MouseDown(Component*, MouseButton, ShiftState, int x, int y) {
  dragging = true;
  anchor = POINT{x, y};
}

void TBitMapForm::PaintBox1MouseMove(Component*, ShiftState, int x, int y) {
  if (!dragging) return;
  PaintBox1->SetPos(PaintBox1->left + x - anchor.x, PaintBox1->top + y - anchor.y);
  Panel2->Invalidate();
}

void TBitMapForm::PaintBox1MouseUp(Component*, MouseButton, ShiftState, int, int) { dragging = false; }

void TBitMapForm::PaintBox1DblClick(Component*) { modalResult = mrOk; }

void TBitMapForm::Image1MouseUp(Component*, MouseButton, ShiftState, int x, int y) {
  PaintBox1->SetPos(x, y);
  Panel2->Invalidate();
}

void TBitMapForm::BitBtn3Click(Component*) { ShowHelp(HELP_CONTEXT, kHelpImport); }

// --- Import ---

void ImportClick(TMainForm& main, const std::string& file) {
  TBitMapForm dlg;
  if (!dlg.Make()) return;
  dlg.LoadPicture(file);
  if (dlg.ShowModal() != mrOk) return;
  main.New1Click(nullptr);
  TIconForm* doc = main.ActiveDocument();
  if (!doc) return;
  dlg.CopyFrameBlock(doc->Picture());
  files::NormalizePicture(doc->Picture());
  doc->ClearMask(doc->MagnifiedRect(), 0);
  doc->UpdateMask();
  doc->Redraw();
}

}  // namespace zwicon
